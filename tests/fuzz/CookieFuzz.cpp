// The cookie parsers: the first byte picks a Set-Cookie line, response headers or a cookie file; the jar is
// then asked for the request's cookie text.

#include "Internet/TCookie.h"
#include "Internet/TCookieJar.h"
#include "foundation/TVyString.h"
#include "tests/fuzz/FuzzSupport.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	if (size == 0)
		return 0;
	const TVyString text(data + 1, size - 1);
	TCookieJar jar;
	switch (data[0] % 3) {
	case 0: {
		TCookie cookie;
		const std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
		if (cookie.ParseCookieString(line.c_str()))
			jar.AddCookie(cookie);
		break;
	}
	case 1:
		jar.ParseCookiesFromHeaders(text);
		break;
	default:
		jar.ParseCookiesFromBuffer(text);
		break;
	}
	TVyString out;
	jar.GetCURLString(out);
	TCookie found;
	jar.GetCookieWithIndex(1, found);
	jar.GetCookieWithDomain("http://example.test", found);
	return 0;
}
