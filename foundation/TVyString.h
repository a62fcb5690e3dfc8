#pragma once
// The system's string: an exact-size heap copy of Mac Roman bytes with a terminating zero byte, with
// case-aware search over the Mac Roman case tables, chopping, a line walk, a walk over delimited records,
// splitting into arguments and formatted output.

#include "platform/toolbox/MacTypes.h"

#include <string>
#include <vector>

class TVyString
{
public:
	enum textMode { textModeMac = 1, textModePC = 2, textModeUnix = 3 };
	enum insertionMode { insertionPrepend = 1, insertionPosition = 2, insertionAppend = 3 };
	enum unicodeMode {
		unicodeUTF8 = 1,
		unicodeUTF16BE = 2,
		unicodeUTF16LE = 3,
		unicodeUTF32LE = 4,
		unicodeUTF32BE = 5
	};

	static constexpr unsigned long kMaxArguments = 256;

	// Indexed by the unsigned byte value.
	static const UInt8 (&sLowerCaseTable)[256];
	static const UInt8 (&sUpperCaseTable)[256];

	TVyString();
	TVyString(const void* bytes, unsigned long length);
	TVyString(const char* text);
	TVyString(const unsigned char* pascalText);
	// Copies take the bytes only: text mode, delimiters, cursors and arguments start fresh.
	TVyString(const TVyString& other);
	TVyString(const TVyString* other);
	TVyString(TVyString&& other) noexcept;
	virtual ~TVyString();

	// A null or empty source empties the string as Clear does; otherwise only the text changes.
	void Assign(const TVyString& source);
	void Assign(const TVyString* source);
	void Assign(const char* text);
	void Assign(const unsigned char* pascalText);
	void Assign(const void* bytes, unsigned long length);
	TVyString& operator=(const TVyString& source);
	TVyString& operator=(TVyString&& source) noexcept;
	TVyString& operator=(const TVyString* source);
	TVyString& operator=(const char* text);
	TVyString& operator=(const unsigned char* pascalText);

	void Clear();
	void Fill(char c, unsigned long count);

	char* GetCString() const { return mBuffer; }
	char* GetCStringCopy() const;
	unsigned long Size() const { return mBufferSize; }
	unsigned long Length() const { return mBufferSize; }
	char* GetASCII(unsigned long& size) const;
	char operator[](unsigned long index) const;
	operator long() const;
	operator float() const;

	void SetTextMode(textMode mode);
	textMode GetTextMode() const { return mTextMode; }
	void ToUpper();
	void ToLower();

	void Append(const TVyString& source);
	void Append(const TVyString* source);
	void Append(const char* text);
	void Append(const void* bytes, unsigned long length);
	void Prepend(const TVyString& source);
	void Prepend(const TVyString* source);
	void Prepend(const char* text);
	void Prepend(const void* bytes, unsigned long length);
	// Position p keeps the first p bytes in front; from the length up the bytes are appended.
	void Insert(const TVyString& source, unsigned long position);
	void Insert(const TVyString* source, unsigned long position);
	void Insert(const char* text, unsigned long position);
	void Insert(const void* bytes, unsigned long length, unsigned long position);
	void AppendLine(const TVyString& source);
	void AppendLine(const char* text = nullptr);
	void AppendLine(const void* bytes, unsigned long length);
	void Sprintf(const char* format, ...) __attribute__((format(printf, 2, 3)));
	void AppendSprintf(const char* format, ...) __attribute__((format(printf, 2, 3)));

	// The flags: true = case-sensitive.
	bool StartsWith(const TVyString& text, bool caseSensitive) const;
	bool StartsWith(const TVyString* text, bool caseSensitive) const;
	bool StartsWith(const char* text, bool caseSensitive) const;
	bool StartsWith(const unsigned char* pascalText, bool caseSensitive) const;
	bool EndsWith(const TVyString& text, bool caseSensitive) const;
	bool EndsWith(const TVyString* text, bool caseSensitive) const;
	bool EndsWith(const char* text, bool caseSensitive) const;
	bool EndsWith(const unsigned char* pascalText, bool caseSensitive) const;
	bool EqualTo(const TVyString& text, bool caseSensitive) const;
	bool EqualTo(const TVyString* text, bool caseSensitive) const;
	bool EqualTo(const char* text, bool caseSensitive) const;
	bool EqualTo(const unsigned char* pascalText, bool caseSensitive) const;
	bool EndsWithCR() const;
	bool Contains(const TVyString& text, bool caseSensitive) const;
	bool Contains(const char* text, bool caseSensitive) const;
	bool Search(const TVyString& text, unsigned long& offset, bool caseSensitive) const;
	bool Search(const char* text, unsigned long& offset, bool caseSensitive) const;

	// An empty string equals nothing, not even another empty string.
	bool operator==(const TVyString& other) const;
	bool operator!=(const TVyString& other) const;
	// These compare over this string's length only.
	bool operator==(const char* text) const;
	bool operator!=(const char* text) const;
	bool operator<(const TVyString& other) const;
	bool operator<=(const TVyString& other) const;
	bool operator>(const TVyString& other) const;
	bool operator>=(const TVyString& other) const;

	// Each returns whether the text changed.
	bool ChopBeginning(unsigned long count);
	bool ChopEnd(unsigned long count);
	bool Chomp();
	bool ChopBefore(const TVyString& text, bool keep);
	bool ChopBefore(const char* text, bool keep);
	bool Chop(const TVyString& text, bool keep);
	bool Chop(const char* text, bool keep);
	bool ChopBlanks(bool leading = true, bool trailing = true);
	bool ChopHTML();
	bool ChopAllHTML();
	bool RemoveBuffer(unsigned long from, unsigned long to);
	// max 0: every occurrence.
	bool Replace(const TVyString& find, const TVyString& replacement, bool caseSensitive,
	             unsigned long max = 0);
	bool Replace(const char* find, const char* replacement, bool caseSensitive, unsigned long max = 0);
	bool UrlEncode();
	bool UrlDecode();
	unsigned long LineSplit(unsigned long width);
	unsigned long LineSplit(unsigned long width, const char* text);

	bool GetFirstLine(TVyString& out);
	bool GetNextLine(TVyString& out);
	bool GetLineWithIndex(TVyString& out, unsigned long index);
	unsigned long LineCount();
	bool GetLineWithString(TVyString& out, const TVyString& text, bool afterText, bool unfold);
	bool GetLineWithString(TVyString& out, const char* text, bool afterText, bool unfold);

	void SetRecordDelimiters(const TVyString& start, const TVyString& end);
	void SetRecordDelimiters(const TVyString* start, const TVyString* end);
	void SetRecordDelimiters(const char* start, const char* end);
	void SetRecordDelimiter(const char* delimiter);
	bool GetFirstRecord(TVyString& out, bool withDelimiters);
	bool GetNextRecord(TVyString& out, bool withDelimiters);
	bool GetRecordWithIndex(TVyString& out, unsigned long index, bool withDelimiters);
	void AddRecord(const TVyString& text);
	void AddRecord(const TVyString* text);
	void AddRecord(const char* text);
	bool GetField(const char* start, const char* end, TVyString& out) const;
	bool SubString(TVyString& out, unsigned long from, unsigned long to) const;

	unsigned long ParseArguments(const char* delimiters, bool quotes);
	unsigned long ParseArguments(const TVyString* delimiters, bool quotes);
	unsigned long ParseArguments(const TVyString& delimiters, bool quotes);
	unsigned long ArgumentCount() const { return mArgumentCount; }
	bool GetArgument(unsigned long index, TVyString& out) const;
	// The argument strings are owned, so both forms release them.
	void ClearArguments(bool keepStrings = false);

	// A new array (the caller deletes it) holding the text in the chosen form, after the byte-order mark
	// when asked, and a zero code unit not counted in size; null and 0 when empty.
	char* GetUnicode(unsigned long& size, unicodeMode mode, bool byteOrderMark) const;

private:
	static constexpr UInt32 kNoCursor = 0xFFFFFFFF;
	static constexpr unsigned long kNotFound = ~0UL;

	static char* Allocate(unsigned long length);
	static int CompareTheString(const char* a, const char* b, unsigned long count, bool caseSensitive);
	unsigned long FindTheString(const char* find, unsigned long findLength, unsigned long from,
	                            bool caseSensitive) const;
	void Adopt(char* buffer, unsigned long length);
	void ReplaceText(const void* bytes, unsigned long length);
	void AssignBytes(const void* bytes, unsigned long length);
	void InsertBytes(const void* bytes, unsigned long length, insertionMode mode, unsigned long position);
	bool StartsWithBytes(const char* text, unsigned long length, bool caseSensitive) const;
	bool EndsWithBytes(const char* text, unsigned long length, bool caseSensitive) const;
	bool EqualToBytes(const char* text, unsigned long length, bool caseSensitive) const;
	int CompareOrdered(const TVyString& other) const;
	bool StepLine(UInt32& cursor, UInt32& start, UInt32& length) const;
	bool ReplaceBytes(const char* find, unsigned long findLength, const char* replacement,
	                  unsigned long replacementLength, bool caseSensitive, unsigned long max);
	unsigned long SplitBuffer(unsigned long width, const char* text, unsigned long textLength);

	char* mBuffer = nullptr;
	UInt32 mBufferSize = 0;
	UInt32 mCapacity = 0; // bytes the buffer holds before its terminator
	textMode mTextMode = textModeMac;
	const char* mCRLFString = "\r";
	UInt32 mLineCursor = kNoCursor;
	std::string mRecordStart; // empty: none
	std::string mRecordEnd;
	UInt32 mRecordCursor = kNoCursor;
	std::vector<TVyString> mArguments;
	UInt32 mArgumentCount = 0;
};
