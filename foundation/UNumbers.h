#pragma once
// Thousands separators in number texts.

class UNumbers
{
public:
	// Inserts ',' between groups of three digits of the integer part of the number in s (a buffer of
	// size bytes). A text that would not fit is left as it was and false is returned.
	static bool AddCommas(char* s, long size);
};
