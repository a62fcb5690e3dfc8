#include "foundation/UPercentEncode.h"

#include "platform/toolbox/Debugging.h"

namespace
{

bool IsUnreserved(unsigned char c)
{
	return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
	       c == '.' || c == '_' || c == '~';
}

// The escaped form of one byte into escaped; returns its length (1 or 3).
int EscapeByte(unsigned char c, char escaped[3])
{
	static const char kHex[] = "0123456789ABCDEF";
	if (IsUnreserved(c)) {
		escaped[0] = char(c);
		return 1;
	}
	escaped[0] = '%';
	escaped[1] = kHex[c >> 4];
	escaped[2] = kHex[c & 0x0F];
	return 3;
}

} // namespace

bool UPercentEncode::Encode(const char* text, char* out, long size)
{
	SignalIf_(out == nullptr);
	if (out == nullptr || size <= 0)
		return false;
	long used = 0;
	bool fits = true;
	for (const char* p = text ? text : ""; *p != 0; ++p) {
		char escaped[3];
		const int need = EscapeByte(static_cast<unsigned char>(*p), escaped);
		if (used + need > size - 1) {
			fits = false;
			break;
		}
		for (int i = 0; i < need; ++i)
			out[used++] = escaped[i];
	}
	out[used] = 0;
	return fits;
}

void UPercentEncode::Append(std::string& out, const char* text)
{
	for (const char* p = text ? text : ""; *p != 0; ++p) {
		char escaped[3];
		out.append(escaped, size_t(EscapeByte(static_cast<unsigned char>(*p), escaped)));
	}
}
