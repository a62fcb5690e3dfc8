#pragma once
// Escapes a text so that it stands as one value of a URL's query: every byte but letters, digits and "-._~"
// becomes %XX.

#include <string>

class UPercentEncode
{
public:
	// Writes text into out (size bytes, terminator included). An escape is never cut in two: false when
	// the text does not fit, out then holding what fitted.
	static bool Encode(const char* text, char* out, long size);
	// Appends the escaped text to out.
	static void Append(std::string& out, const char* text);
};
