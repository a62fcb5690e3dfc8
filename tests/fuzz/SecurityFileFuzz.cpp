// The security files: the first byte picks the kind of security the file holds; the rest is the file.

#include "model/TSecurity.h"
#include "model/USecurityFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	if (size == 0)
		return 0;
	fuzzsupport::Environment();
	static constexpr tSecurityType kKinds[] = {securityStock, securityFund, securityIndex,
	                                           securityCurrency};
	fuzzsupport::ScratchFile file(data + 1, size - 1);
	TList<TSecurity> list(false, true);
	USecurityFile::ReadSecurities(file.File(), kKinds[data[0] % 4], &list);
	// Whatever was read must be safe to show.
	for (long i = 1; i <= list.Count(); i++)
		fuzzsupport::ShowEveryField(list.GetNth(i));
	return 0;
}
