#include "model/USecurityTicklets.h"

#include <utility>

namespace
{

USecurityTicklets::TickletMaker& Maker()
{
	static USecurityTicklets::TickletMaker sMaker;
	return sMaker;
}

} // namespace

void USecurityTicklets::SetTickletMaker(TickletMaker maker)
{
	Maker() = std::move(maker);
}

TTicklet* USecurityTicklets::MakeTicklet(TSecurity* security)
{
	return Maker() ? Maker()(security) : nullptr;
}
