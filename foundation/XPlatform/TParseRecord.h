#pragma once
// Finds one field inside a record's text by a described rule, and guesses such rules from a sample.

#include "Includes/TList.h"
#include "platform/toolbox/MacTypes.h"

struct tParseVariable {
	UInt8 defined = 0;
	char name[51] = {};
	SInt32 blankLines = 0;
	SInt32 lineNumber = 0;
	SInt32 argumentNumber = 0;
	SInt32 startRule = 0;
	char startString[51] = {};
	SInt32 endRule = 0;
	char endString[256] = {};
	SInt32 filterKind = 0;
	UInt8 caseSensitive = 0;
	UInt8 trim = 0;
	UInt8 flag1 = 0;
	UInt8 flag2 = 0;
};

// Start rules: where the field begins relative to the start string.
enum {
	kStartAfterString = 0,
	kStartNextLine = 1,
	kStartPreviousLine = 2,
	kStartStringLine = 3,
	kStartAfterString2 = 4,
	kStartAtString = 5,
	kStartAfterBlankLine = 6,
	kStartPreviousLine2 = 7
};

// End rules: where the field ends.
enum {
	kEndBeforeString = 0,
	kEndAfterString = 1,
	kEndLastLineEndBefore = 2,
	kEndNextLineEnd = 3,
	kEndStringLineEnd = 4,
	kEndFirstLineEnd = 5,
	kEndFirstBlankLine = 6,
	kEndBufferEnd = 7,
	kEndAlternatives = 8
};

// Filter kinds: what the field narrows to.
enum {
	kFilterNone = 0,
	kFilterEmail = 1,
	kFilterPhone = 2,
	kFilterDate = 3,
	kFilterTime = 4,
	kFilterDollarAmount = 5,
	kFilterAmount = 6,
	kFilterLetters = 7,
	kFilterCapitals = 8,
	kFilterSmallLetters = 9,
	kFilterDigits = 10,
	kFilterNumber = 11,
	kFilterWebAddress = 12
};

class TParseRecord
{
public:
	TParseRecord() = default;

	// The text is borrowed, not copied; it must outlive the parsing.
	void SetBuffer(char* buffer, unsigned long length);
	int ParseOutHTML() { return 1; }
	void SetParameters(tParseVariable* variable);
	int ParseOffsets(unsigned long& start, unsigned long& end);

private:
	bool FindField(unsigned long searchFrom, unsigned long& foundAt);
	bool ApplyEndRule(SInt32 rule, const char* endText, unsigned long endTextLength);
	bool ApplyArgument();
	bool ApplyFilter();

	char* mBuffer = nullptr;
	unsigned long mLength = 0;
	unsigned long mStartOffset = 0;
	unsigned long mEndOffset = 0;
	tParseVariable mVariable;
};

int GuessAtVariables(TList<tParseVariable>* list, char* sample, long length);
bool GuessAtLine(char* line, tParseVariable* variable);
bool AlreadyInList(TList<tParseVariable>* list, tParseVariable* variable);
