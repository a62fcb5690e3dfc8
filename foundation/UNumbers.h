#pragma once
// Numbers as text: thousands separators, fixed decimals of stored values, typed numbers.

class UNumbers
{
public:
	// Inserts ',' between groups of three digits of the integer part of the number in s (a buffer of
	// size bytes). A text that would not fit is left as it was and false is returned.
	static bool AddCommas(char* s, long size);

	// The value with that many decimals, rounded half away from zero from its shortest decimal form
	// (std::to_chars: the fewest characters that read back as the same value), so that 10419.85f shows
	// as "10419.8500" rather than the digits of its binary value, 10419.8496. A negative value keeps its
	// minus sign even when it rounds to zero, as "%.*f" does. At most size - 1 characters and a zero are
	// written; the number of characters written is answered.
	static int FormatFixed(char* s, long size, float value, int decimals);
	static int FormatFixed(char* s, long size, double value, int decimals);

	// The double nearest the float's shortest decimal form: 140.95f answers 140.95, not
	// 140.94999694824219. Sums and ratios of stored values are computed from these.
	static double ShortestDouble(float value);

	// The whole text as a number: an optional minus, digits with at most one point, at least one digit,
	// within the range of a float. Anything else leaves value alone and answers false.
	static bool ReadNumber(const char* s, float& value);
};
