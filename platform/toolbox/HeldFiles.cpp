#include "platform/toolbox/HeldFiles.h"

#include <utility>

namespace
{
HeldFileTeller& Teller()
{
	static HeldFileTeller sTeller;
	return sTeller;
}
} // namespace

HeldFileTeller SetHeldFileTeller(HeldFileTeller inTeller)
{
	return std::exchange(Teller(), std::move(inTeller));
}

bool FileHeldByDocument(const std::string& inPosixPath, std::string* outWindowName)
{
	return Teller() && Teller()(inPosixPath, outWindowName);
}
