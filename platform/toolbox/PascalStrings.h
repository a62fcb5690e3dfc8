#pragma once
// Pascal strings (a length byte, then that many bytes) to and from std::string.

#include "platform/toolbox/MacTypes.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace PascalStrings
{
// Empty for a null pointer.
inline std::string ToString(ConstStr255Param inText)
{
	return inText ? std::string(reinterpret_cast<const char*>(inText + 1), inText[0]) : std::string();
}

// Cut to 255 bytes.
inline void FromString(std::string_view inText, Str255 outText)
{
	outText[0] = UInt8(std::min<size_t>(inText.size(), 255));
	inText.copy(reinterpret_cast<char*>(outText + 1), outText[0]);
}
} // namespace PascalStrings
