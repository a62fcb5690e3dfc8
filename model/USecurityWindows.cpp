#include "model/USecurityWindows.h"

#include <map>
#include <utility>

namespace
{

std::map<tSecurityType, USecurityWindows::DetailWindowMaker>& DetailMakers()
{
	static std::map<tSecurityType, USecurityWindows::DetailWindowMaker> sMakers;
	return sMakers;
}

std::map<tSecurityType, USecurityWindows::SelectDlogMaker>& SelectMakers()
{
	static std::map<tSecurityType, USecurityWindows::SelectDlogMaker> sMakers;
	return sMakers;
}

} // namespace

void USecurityWindows::SetDetailWindowMaker(tSecurityType kind, DetailWindowMaker maker)
{
	DetailMakers()[kind] = std::move(maker);
}

void USecurityWindows::SetSelectDlogMaker(tSecurityType kind, SelectDlogMaker maker)
{
	SelectMakers()[kind] = std::move(maker);
}

void USecurityWindows::Clear()
{
	DetailMakers().clear();
	SelectMakers().clear();
}

IDetailWindow* USecurityWindows::MakeDetailWindow(tSecurityType kind)
{
	const auto found = DetailMakers().find(kind);
	return found != DetailMakers().end() && found->second ? found->second() : nullptr;
}

ISelectDlog* USecurityWindows::MakeSelectDlog(tSecurityType kind, LCommander* super)
{
	const auto found = SelectMakers().find(kind);
	return found != SelectMakers().end() && found->second ? found->second(super) : nullptr;
}
