#include "Quoters/UPercentEncode.h"

#include "platform/toolbox/Debugging.h"

namespace
{

bool IsUnreserved(unsigned char c)
{
	return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
	       c == '.' || c == '_' || c == '~';
}

} // namespace

bool UPercentEncode::Encode(const char* text, char* out, long size)
{
	static const char kHex[] = "0123456789ABCDEF";
	SignalIf_(out == nullptr);
	if (out == nullptr || size <= 0)
		return false;
	long used = 0;
	bool fits = true;
	for (const char* p = text ? text : ""; *p != 0; ++p) {
		const unsigned char c = static_cast<unsigned char>(*p);
		const long need = IsUnreserved(c) ? 1 : 3;
		if (used + need > size - 1) {
			fits = false;
			break;
		}
		if (need == 1) {
			out[used++] = char(c);
		} else {
			out[used++] = '%';
			out[used++] = kHex[c >> 4];
			out[used++] = kHex[c & 0x0F];
		}
	}
	out[used] = 0;
	return fits;
}
