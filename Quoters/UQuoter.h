#pragma once
// The scanning vocabulary of the quote sources. Every function works on a start pointer and a length into a
// page buffer that need not end with a zero byte, and never reads or writes outside that range or outside an
// output buffer's stated size. Labels are compared without regard to case (Mac Roman case folding).
// A value that cannot be read is kNoValue; "N/A" and "NA" (as whole words, any case) read as kNoValue.
// Line ends are LF, CR, or CR LF counted as one.

#include "Includes/NoValue.h"
#include "platform/toolbox/MacTypes.h"

class UQuoter
{
public:
	// First occurrence of label lying wholly in the range; null when none or an argument is null or
	// empty.
	static char* GotoString(char* text, long length, const char* label);
	// text when line is 0, else the character after the line-th line end; null when there are fewer.
	static char* GotoLine(char* text, long length, int line);

	// Measures the number written at text (within length). On true length is the number's length
	// (trailing blanks trimmed); on false 0. A number needs at least one digit.
	static bool IsQuote(char* text, long& length);
	// Converts up to 50 characters of a number: thousands commas, entities and small tags are dropped
	// (a superscript parts like a blank), vulgar fractions ("1 1/2", "3/8", "1<sup>1</sup>/<sub>2</sub>")
	// are evaluated. ParseQuoteExact keeps double precision.
	static float ParseQuote(char* text, long length);
	static double ParseQuoteExact(char* text, long length);
	// The first number in the range, skipping tags and blanks. lines > 0 stops at the lines-th line end;
	// lines <= 0 crosses line ends. True when a number or "N/A" was found; value is kNoValue otherwise.
	static bool ExtractQuote(char* text, long length, float& value, int lines);
	static bool ExtractQuote(char* text, long length, double& value, int lines);
	// ExtractQuote from just after label; kNoValue and false when the label is missing.
	static bool FindQuote(char* text, long length, const char* label, float& value, int lines);
	static bool FindQuote(char* text, long length, const char* label, double& value, int lines);
	// "low separator high" after label (or from text when label is null); both kNoValue unless both read.
	static bool FindQuoteRange(char* text, long length, const char* label, const char* separator,
	                           float& low, float& high);
	// ExtractQuote (crossing lines) from after the line-th line end (from 1); value untouched when there
	// are fewer line ends.
	static bool ExtractQuoteAfterLine(char* text, long length, int line, float& value);

	// Volumes are whole counts kept as UInt32: read exactly, then clamped (negative and kNoValue give 0,
	// anything from 2^32 up gives 4294967295).
	static UInt32 VolumeFromValue(double value);
	static bool FindVolume(char* text, long length, const char* label, UInt32& volume, int lines);
	static bool ExtractVolume(char* text, long length, UInt32& volume, int lines);

	// Output buffers: outLength holds the buffer's size on entry (at most outLength - 1 characters and a
	// zero byte are written) and the number of characters copied on return.

	// The first text run after the line-th line end (0: from text), skipping blanks, '>' and tags, up to
	// the next line end or '<'.
	static bool ExtractStringAfterLine(char* text, long length, int line, char* out, long& outLength);
	// Finds the start of the next text run. On entry offset is the range's length from text; on return
	// the distance to the run (or where the walk stopped) and runLength the run's length up to CR, LF,
	// '<'.
	static bool SkipPastHTML(char* text, long& offset, long& runLength, bool skipBlanks, bool crossLines);
	// The argument-th text run (from 1) of the line after GotoLine(text, length, line).
	static bool ExtractStringAfterLineArgument(char* text, long length, int line, int argument, char* out,
	                                           long& outLength);
	// That run read as a number; "N/A" or "NA" at its start gives kNoValue and true.
	static bool ExtractQuoteAfterLineArgument(char* text, long length, int line, int argument,
	                                          float& value);
	// The column-th text run (from 1) of the first "<tr" ... "</tr>" row; next is set just after "</tr>"
	// (null when no row was found), so a table is walked by calling again from next.
	static bool ExtractTableRow(char* text, long length, char* out, long& outLength, int column,
	                            char** next);
};
