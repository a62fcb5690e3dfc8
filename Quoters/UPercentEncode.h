#pragma once
// Escapes a search text or symbol so that it stands as one value of a URL's query.

class UPercentEncode
{
public:
	// Writes text into out (size bytes, terminator included), every byte but letters, digits and "-._~"
	// as %XX. An escape is never cut in two: false when the text does not fit, out then holding what
	// fitted.
	static bool Encode(const char* text, char* out, long size);
};
