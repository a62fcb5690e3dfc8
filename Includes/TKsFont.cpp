#include "Includes/TKsFont.h"

#include "foundation/VyStrings.h"
#include "platform/toolbox/Debugging.h"

#include <cstddef>
#include <cstring>
#include <utility>

namespace
{

TKsFont::FontNumberLookup& Lookup()
{
	static TKsFont::FontNumberLookup sLookup;
	return sLookup;
}

} // namespace

TKsFont::TKsFont()
{
	static_assert(offsetof(TKsFont, mName) == kFlagCount && offsetof(TKsFont, mSize) == 72);
}

void TKsFont::FontName(const char* name)
{
	std::memset(mName, 0, sizeof(mName));
	strcpyn(mName, name, long(kMaxNameLength));
}

UInt8 TKsFont::GetFlag(std::size_t index) const
{
	SignalIfNot_(index < kFlagCount);
	return index < kFlagCount ? mFlags[index] : 0;
}

void TKsFont::SetFlag(std::size_t index, UInt8 value)
{
	SignalIfNot_(index < kFlagCount);
	if (index < kFlagCount)
		mFlags[index] = value;
}

SInt16 TKsFont::GetMacFontNumber() const
{
	return Lookup() ? Lookup()(mName) : SInt16(0);
}

void TKsFont::SetFontNumberLookup(FontNumberLookup lookup)
{
	Lookup() = std::move(lookup);
}
