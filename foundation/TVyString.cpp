#include "foundation/TVyString.h"

#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/MacRoman.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace
{

struct tCaseTables {
	UInt8 lower[256];
	UInt8 upper[256];
};

// Mac Roman capital and small letters. Ÿ/ÿ completes the Latin-1 letters; the n-ary product sign is not
// a capital pi and so has no pair.
constexpr UInt8 kCasePairs[][2] = {
    {0x80, 0x8A}, {0x81, 0x8C}, {0x82, 0x8D}, {0x83, 0x8E}, {0x84, 0x96}, {0x85, 0x9A},
    {0x86, 0x9F}, {0xAE, 0xBE}, {0xAF, 0xBF}, {0xCB, 0x88}, {0xCC, 0x8B}, {0xCD, 0x9B},
    {0xCE, 0xCF}, {0xD9, 0xD8}, {0xE5, 0x89}, {0xE6, 0x90}, {0xE7, 0x87}, {0xE8, 0x91},
    {0xE9, 0x8F}, {0xEA, 0x92}, {0xEB, 0x94}, {0xEC, 0x95}, {0xED, 0x93}, {0xEE, 0x97},
    {0xEF, 0x99}, {0xF1, 0x98}, {0xF2, 0x9C}, {0xF3, 0x9E}, {0xF4, 0x9D},
};

constexpr tCaseTables MakeCaseTables()
{
	tCaseTables t{};
	for (int i = 0; i < 256; ++i)
		t.lower[i] = t.upper[i] = UInt8(i);
	for (int c = 'A'; c <= 'Z'; ++c) {
		t.lower[c] = UInt8(c + 32);
		t.upper[c + 32] = UInt8(c);
	}
	for (const auto& pair : kCasePairs) {
		t.lower[pair[0]] = pair[1];
		t.upper[pair[1]] = pair[0];
	}
	return t;
}

constexpr tCaseTables kCaseTables = MakeCaseTables();

inline UInt8 Lower(char c)
{
	return kCaseTables.lower[UInt8(c)];
}

inline bool IsLineEnd(char c)
{
	return c == '\r' || c == '\n';
}

// The characters UrlEncode escapes.
constexpr char kUrlReserved[] = " !\"#$%&'();<>[\\]^`{|}~";

inline bool IsUrlReserved(char c)
{
	return c != 0 && std::strchr(kUrlReserved, c) != nullptr;
}

int HexValue(char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	if (c >= 'A' && c <= 'F')
		return c - 'A' + 10;
	return -1;
}

// Formats with a bound, growing past the first guess instead of cutting the text.
bool FormatV(std::string& out, const char* format, va_list args)
{
	char small[512];
	va_list again;
	va_copy(again, args);
	int length = std::vsnprintf(small, sizeof small, format, args);
	if (length < 0) {
		va_end(again);
		return false;
	}
	if (size_t(length) < sizeof small) {
		out.assign(small, size_t(length));
	} else {
		out.resize(size_t(length) + 1);
		std::vsnprintf(out.data(), out.size(), format, again);
		out.resize(size_t(length));
	}
	va_end(again);
	return true;
}

} // namespace

const UInt8 (&TVyString::sLowerCaseTable)[256] = kCaseTables.lower;
const UInt8 (&TVyString::sUpperCaseTable)[256] = kCaseTables.upper;

// ---------------------------------------------------------------------------------------------------------
// Construction and assignment

TVyString::TVyString() = default;

TVyString::TVyString(const void* bytes, unsigned long length)
{
	AssignBytes(bytes, length);
}

TVyString::TVyString(const char* text)
{
	Assign(text);
}

TVyString::TVyString(const unsigned char* pascalText)
{
	Assign(pascalText);
}

TVyString::TVyString(const TVyString& other)
{
	AssignBytes(other.mBuffer, other.mBufferSize);
}

TVyString::TVyString(const TVyString* other)
{
	Assign(other);
}

TVyString::TVyString(TVyString&& other) noexcept
    : mBuffer(other.mBuffer), mBufferSize(other.mBufferSize), mCapacity(other.mCapacity)
{
	other.mBuffer = nullptr;
	other.mBufferSize = 0;
	other.mCapacity = 0;
	other.mLineCursor = other.mRecordCursor = kNoCursor;
}

TVyString::~TVyString()
{
	delete[] mBuffer;
}

char* TVyString::Allocate(unsigned long length)
{
	if (length >= kNoCursor)
		throw -1;
	char* buffer = new (std::nothrow) char[length + 1];
	if (buffer == nullptr)
		throw -1;
	return buffer;
}

void TVyString::Adopt(char* buffer, unsigned long length)
{
	delete[] mBuffer;
	if (length == 0) {
		delete[] buffer;
		buffer = nullptr;
	}
	mBuffer = buffer;
	mBufferSize = UInt32(length);
	mCapacity = mBufferSize;
	mLineCursor = mRecordCursor = kNoCursor;
}

void TVyString::ReplaceText(const void* bytes, unsigned long length)
{
	if (bytes == nullptr || length == 0) {
		Adopt(nullptr, 0);
		return;
	}
	// The source may lie inside the old buffer, so that goes last.
	char* buffer = Allocate(length);
	std::memcpy(buffer, bytes, length);
	buffer[length] = 0;
	Adopt(buffer, length);
}

void TVyString::AssignBytes(const void* bytes, unsigned long length)
{
	if (bytes == nullptr || length == 0)
		Clear();
	else
		ReplaceText(bytes, length);
}

void TVyString::Assign(const TVyString& source)
{
	AssignBytes(source.mBuffer, source.mBufferSize);
}

void TVyString::Assign(const TVyString* source)
{
	if (source == nullptr)
		Clear();
	else
		Assign(*source);
}

void TVyString::Assign(const char* text)
{
	AssignBytes(text, text ? std::strlen(text) : 0);
}

void TVyString::Assign(const unsigned char* pascalText)
{
	AssignBytes(pascalText ? pascalText + 1 : nullptr, pascalText ? pascalText[0] : 0);
}

void TVyString::Assign(const void* bytes, unsigned long length)
{
	AssignBytes(bytes, length);
}

TVyString& TVyString::operator=(const TVyString& source)
{
	Assign(source);
	return *this;
}

TVyString& TVyString::operator=(TVyString&& source) noexcept
{
	if (this == &source)
		return *this;
	if (source.mBuffer == nullptr) {
		Clear();
		return *this;
	}
	Adopt(source.mBuffer, source.mBufferSize);
	mCapacity = source.mCapacity;
	source.mBuffer = nullptr;
	source.mBufferSize = 0;
	source.mCapacity = 0;
	source.mLineCursor = source.mRecordCursor = kNoCursor;
	return *this;
}

TVyString& TVyString::operator=(const TVyString* source)
{
	Assign(source);
	return *this;
}

TVyString& TVyString::operator=(const char* text)
{
	Assign(text);
	return *this;
}

TVyString& TVyString::operator=(const unsigned char* pascalText)
{
	Assign(pascalText);
	return *this;
}

void TVyString::Clear()
{
	Adopt(nullptr, 0);
	mRecordStart.clear();
	mRecordEnd.clear();
	SetTextMode(textModeMac);
}

void TVyString::Fill(char c, unsigned long count)
{
	if (count == 0) {
		Adopt(nullptr, 0);
		return;
	}
	char* buffer = Allocate(count);
	std::memset(buffer, c, count);
	buffer[count] = 0;
	Adopt(buffer, count);
}

// ---------------------------------------------------------------------------------------------------------
// Access

char* TVyString::GetCStringCopy() const
{
	if (mBuffer == nullptr)
		return nullptr;
	char* copy = Allocate(mBufferSize);
	std::memcpy(copy, mBuffer, mBufferSize + 1);
	return copy;
}

char* TVyString::GetASCII(unsigned long& size) const
{
	size = mBufferSize;
	return mBuffer;
}

char TVyString::operator[](unsigned long index) const
{
	return index < mBufferSize ? mBuffer[index] : 0;
}

TVyString::operator long() const
{
	return mBuffer ? std::strtol(mBuffer, nullptr, 10) : 0;
}

TVyString::operator float() const
{
	return mBuffer ? float(std::strtod(mBuffer, nullptr)) : 0.0f;
}

void TVyString::SetTextMode(textMode mode)
{
	switch (mode) {
	case textModePC:
		mTextMode = textModePC;
		mCRLFString = "\r\n";
		break;
	case textModeUnix:
		mTextMode = textModeUnix;
		mCRLFString = "\n";
		break;
	default:
		mTextMode = textModeMac;
		mCRLFString = "\r";
		break;
	}
}

void TVyString::ToUpper()
{
	for (UInt32 i = 0; i < mBufferSize && mBuffer[i] != 0; ++i)
		mBuffer[i] = char(kCaseTables.upper[UInt8(mBuffer[i])]);
}

void TVyString::ToLower()
{
	for (UInt32 i = 0; i < mBufferSize && mBuffer[i] != 0; ++i)
		mBuffer[i] = char(Lower(mBuffer[i]));
}

// ---------------------------------------------------------------------------------------------------------
// Appending and inserting

void TVyString::InsertBytes(const void* bytes, unsigned long length, insertionMode mode,
                            unsigned long position)
{
	if (bytes == nullptr || length == 0)
		return;
	if (mBuffer == nullptr) {
		ReplaceText(bytes, length);
		return;
	}
	unsigned long front = mBufferSize;
	if (mode == insertionPrepend)
		front = 0;
	else if (mode == insertionPosition)
		front = std::min<unsigned long>(position, mBufferSize);
	if (length >= kNoCursor - mBufferSize)
		throw -1;
	const unsigned long total = mBufferSize + length;
	const bool appending = front == mBufferSize;
	if (appending && total <= mCapacity) {
		std::memmove(mBuffer + front, bytes, length);
		mBuffer[total] = 0;
		mBufferSize = UInt32(total);
		mLineCursor = mRecordCursor = kNoCursor;
		return;
	}
	// Appends grow the buffer geometrically, so that a text built piece by piece costs linear time.
	const unsigned long capacity =
	    appending ? std::max(total, std::min<unsigned long>(2UL * mBufferSize, kNoCursor - 1)) : total;
	char* buffer = Allocate(capacity);
	std::memcpy(buffer, mBuffer, front);
	std::memcpy(buffer + front, bytes, length);
	std::memcpy(buffer + front + length, mBuffer + front, mBufferSize - front);
	buffer[total] = 0;
	Adopt(buffer, total);
	mCapacity = UInt32(capacity);
}

void TVyString::Append(const TVyString& source)
{
	InsertBytes(source.mBuffer, source.mBufferSize, insertionAppend, 0);
}

void TVyString::Append(const TVyString* source)
{
	if (source != nullptr)
		Append(*source);
}

void TVyString::Append(const char* text)
{
	InsertBytes(text, text ? std::strlen(text) : 0, insertionAppend, 0);
}

void TVyString::Append(const void* bytes, unsigned long length)
{
	InsertBytes(bytes, length, insertionAppend, 0);
}

void TVyString::Prepend(const TVyString& source)
{
	InsertBytes(source.mBuffer, source.mBufferSize, insertionPrepend, 0);
}

void TVyString::Prepend(const TVyString* source)
{
	if (source != nullptr)
		Prepend(*source);
}

void TVyString::Prepend(const char* text)
{
	InsertBytes(text, text ? std::strlen(text) : 0, insertionPrepend, 0);
}

void TVyString::Prepend(const void* bytes, unsigned long length)
{
	InsertBytes(bytes, length, insertionPrepend, 0);
}

void TVyString::Insert(const TVyString& source, unsigned long position)
{
	InsertBytes(source.mBuffer, source.mBufferSize, insertionPosition, position);
}

void TVyString::Insert(const TVyString* source, unsigned long position)
{
	if (source != nullptr)
		Insert(*source, position);
}

void TVyString::Insert(const char* text, unsigned long position)
{
	InsertBytes(text, text ? std::strlen(text) : 0, insertionPosition, position);
}

void TVyString::Insert(const void* bytes, unsigned long length, unsigned long position)
{
	InsertBytes(bytes, length, insertionPosition, position);
}

void TVyString::AppendLine(const TVyString& source)
{
	Append(source);
	Append(mCRLFString);
}

void TVyString::AppendLine(const char* text)
{
	Append(text);
	Append(mCRLFString);
}

void TVyString::AppendLine(const void* bytes, unsigned long length)
{
	Append(bytes, length);
	Append(mCRLFString);
}

void TVyString::Sprintf(const char* format, ...)
{
	SignalIfNot_(format != nullptr);
	if (format == nullptr)
		return;
	std::string text;
	va_list args;
	va_start(args, format);
	bool formatted = FormatV(text, format, args);
	va_end(args);
	if (formatted)
		AssignBytes(text.data(), text.size());
}

void TVyString::AppendSprintf(const char* format, ...)
{
	SignalIfNot_(format != nullptr);
	if (format == nullptr)
		return;
	std::string text;
	va_list args;
	va_start(args, format);
	bool formatted = FormatV(text, format, args);
	va_end(args);
	if (formatted)
		Append(text.data(), text.size());
}

// ---------------------------------------------------------------------------------------------------------
// Comparison and search

int TVyString::CompareTheString(const char* a, const char* b, unsigned long count, bool caseSensitive)
{
	if (count == 0)
		return -1;
	if (a == nullptr && b == nullptr)
		return 0;
	if (a == nullptr)
		return -1;
	if (b == nullptr)
		return 1;
	for (unsigned long i = 0; i < count; ++i) {
		int ca = caseSensitive ? UInt8(a[i]) : Lower(a[i]);
		int cb = caseSensitive ? UInt8(b[i]) : Lower(b[i]);
		if (ca != cb)
			return ca - cb;
	}
	return 0;
}

unsigned long TVyString::FindTheString(const char* find, unsigned long findLength, unsigned long from,
                                       bool caseSensitive) const
{
	if (find == nullptr || findLength == 0 || from >= mBufferSize || mBufferSize < findLength)
		return kNotFound;
	UInt8 first = Lower(find[0]);
	for (unsigned long p = from; p + findLength <= mBufferSize; ++p) {
		if (Lower(mBuffer[p]) != first || (caseSensitive && mBuffer[p] != find[0]))
			continue;
		if (CompareTheString(mBuffer + p, find, findLength, caseSensitive) == 0)
			return p;
	}
	return kNotFound;
}

bool TVyString::StartsWithBytes(const char* text, unsigned long length, bool caseSensitive) const
{
	if (mBuffer == nullptr || text == nullptr || length == 0 || length > mBufferSize)
		return false;
	return CompareTheString(mBuffer, text, length, caseSensitive) == 0;
}

bool TVyString::EndsWithBytes(const char* text, unsigned long length, bool caseSensitive) const
{
	if (mBuffer == nullptr || text == nullptr || length == 0 || length > mBufferSize)
		return false;
	return CompareTheString(mBuffer + mBufferSize - length, text, length, caseSensitive) == 0;
}

bool TVyString::EqualToBytes(const char* text, unsigned long length, bool caseSensitive) const
{
	if (mBuffer == nullptr || text == nullptr || length != mBufferSize)
		return false;
	return CompareTheString(mBuffer, text, length, caseSensitive) == 0;
}

bool TVyString::StartsWith(const TVyString& text, bool caseSensitive) const
{
	return StartsWithBytes(text.mBuffer, text.mBufferSize, caseSensitive);
}

bool TVyString::StartsWith(const TVyString* text, bool caseSensitive) const
{
	return text != nullptr && StartsWith(*text, caseSensitive);
}

bool TVyString::StartsWith(const char* text, bool caseSensitive) const
{
	return text != nullptr && StartsWithBytes(text, std::strlen(text), caseSensitive);
}

bool TVyString::StartsWith(const unsigned char* pascalText, bool caseSensitive) const
{
	return pascalText != nullptr &&
	       StartsWithBytes(reinterpret_cast<const char*>(pascalText + 1), pascalText[0], caseSensitive);
}

bool TVyString::EndsWith(const TVyString& text, bool caseSensitive) const
{
	return EndsWithBytes(text.mBuffer, text.mBufferSize, caseSensitive);
}

bool TVyString::EndsWith(const TVyString* text, bool caseSensitive) const
{
	return text != nullptr && EndsWith(*text, caseSensitive);
}

bool TVyString::EndsWith(const char* text, bool caseSensitive) const
{
	return text != nullptr && EndsWithBytes(text, std::strlen(text), caseSensitive);
}

bool TVyString::EndsWith(const unsigned char* pascalText, bool caseSensitive) const
{
	return pascalText != nullptr &&
	       EndsWithBytes(reinterpret_cast<const char*>(pascalText + 1), pascalText[0], caseSensitive);
}

bool TVyString::EqualTo(const TVyString& text, bool caseSensitive) const
{
	return EqualToBytes(text.mBuffer, text.mBufferSize, caseSensitive);
}

bool TVyString::EqualTo(const TVyString* text, bool caseSensitive) const
{
	return text != nullptr && EqualTo(*text, caseSensitive);
}

bool TVyString::EqualTo(const char* text, bool caseSensitive) const
{
	return text != nullptr && EqualToBytes(text, std::strlen(text), caseSensitive);
}

bool TVyString::EqualTo(const unsigned char* pascalText, bool caseSensitive) const
{
	return pascalText != nullptr &&
	       EqualToBytes(reinterpret_cast<const char*>(pascalText + 1), pascalText[0], caseSensitive);
}

bool TVyString::EndsWithCR() const
{
	return mBufferSize > 0 && IsLineEnd(mBuffer[mBufferSize - 1]);
}

bool TVyString::Contains(const TVyString& text, bool caseSensitive) const
{
	return FindTheString(text.mBuffer, text.mBufferSize, 0, caseSensitive) != kNotFound;
}

bool TVyString::Contains(const char* text, bool caseSensitive) const
{
	return text != nullptr && FindTheString(text, std::strlen(text), 0, caseSensitive) != kNotFound;
}

bool TVyString::Search(const TVyString& text, unsigned long& offset, bool caseSensitive) const
{
	unsigned long found = FindTheString(text.mBuffer, text.mBufferSize, 0, caseSensitive);
	offset = found == kNotFound ? 0 : found;
	return found != kNotFound;
}

bool TVyString::Search(const char* text, unsigned long& offset, bool caseSensitive) const
{
	unsigned long found = text ? FindTheString(text, std::strlen(text), 0, caseSensitive) : kNotFound;
	offset = found == kNotFound ? 0 : found;
	return found != kNotFound;
}

bool TVyString::operator==(const TVyString& other) const
{
	if (mBufferSize != other.mBufferSize)
		return false;
	return CompareTheString(mBuffer, other.mBuffer, mBufferSize, true) == 0;
}

bool TVyString::operator!=(const TVyString& other) const
{
	return !(*this == other);
}

bool TVyString::operator==(const char* text) const
{
	// Never past the other text's terminator: the first difference shows there at the latest.
	unsigned long count = mBufferSize;
	if (text != nullptr)
		count = std::min<unsigned long>(count, std::strlen(text) + 1);
	return CompareTheString(mBuffer, text, count, true) == 0;
}

bool TVyString::operator!=(const char* text) const
{
	return !(*this == text);
}

int TVyString::CompareOrdered(const TVyString& other) const
{
	unsigned long count = mBufferSize;
	if (other.mBuffer != nullptr)
		count = std::min<unsigned long>(count, other.mBufferSize + 1UL);
	return CompareTheString(mBuffer, other.mBuffer, count, true);
}

bool TVyString::operator<(const TVyString& other) const
{
	return CompareOrdered(other) < 0;
}

bool TVyString::operator<=(const TVyString& other) const
{
	return CompareOrdered(other) <= 0;
}

bool TVyString::operator>(const TVyString& other) const
{
	return CompareOrdered(other) > 0;
}

bool TVyString::operator>=(const TVyString& other) const
{
	return CompareOrdered(other) >= 0;
}

// ---------------------------------------------------------------------------------------------------------
// Chopping

bool TVyString::ChopBeginning(unsigned long count)
{
	if (count == 0 || mBuffer == nullptr)
		return false;
	count = std::min<unsigned long>(count, mBufferSize);
	ReplaceText(mBuffer + count, mBufferSize - count);
	return true;
}

bool TVyString::ChopEnd(unsigned long count)
{
	if (count == 0 || mBuffer == nullptr)
		return false;
	count = std::min<unsigned long>(count, mBufferSize);
	ReplaceText(mBuffer, mBufferSize - count);
	return true;
}

bool TVyString::Chomp()
{
	if (EndsWith("\r\n", true))
		return ChopEnd(2);
	if (EndsWithCR())
		return ChopEnd(1);
	return false;
}

bool TVyString::ChopBefore(const TVyString& text, bool keep)
{
	unsigned long found = FindTheString(text.mBuffer, text.mBufferSize, 0, true);
	if (found == kNotFound)
		return false;
	unsigned long start = keep ? found : found + text.mBufferSize;
	if (start == 0)
		return false;
	ReplaceText(mBuffer + start, mBufferSize - start);
	return true;
}

bool TVyString::ChopBefore(const char* text, bool keep)
{
	return text != nullptr && ChopBefore(TVyString(text), keep);
}

bool TVyString::Chop(const TVyString& text, bool keep)
{
	unsigned long found = FindTheString(text.mBuffer, text.mBufferSize, 0, true);
	if (found == kNotFound)
		return false;
	unsigned long end = keep ? found + text.mBufferSize : found;
	if (end == mBufferSize)
		return false;
	ReplaceText(mBuffer, end);
	return true;
}

bool TVyString::Chop(const char* text, bool keep)
{
	return text != nullptr && Chop(TVyString(text), keep);
}

bool TVyString::ChopBlanks(bool leading, bool trailing)
{
	auto blank = [](char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; };
	UInt32 begin = 0;
	UInt32 end = mBufferSize;
	if (leading)
		while (begin < end && blank(mBuffer[begin]))
			++begin;
	if (trailing)
		while (end > begin && blank(mBuffer[end - 1]))
			--end;
	if (begin == 0 && end == mBufferSize)
		return false;
	ReplaceText(mBuffer + begin, end - begin);
	return true;
}

bool TVyString::ChopHTML()
{
	if (mBuffer == nullptr)
		return false;
	const char* open = static_cast<const char*>(std::memchr(mBuffer, '<', mBufferSize));
	if (open == nullptr)
		return false;
	unsigned long from = open - mBuffer;
	const char* close = static_cast<const char*>(std::memchr(open + 1, '>', mBufferSize - from - 1));
	if (close == nullptr) {
		ReplaceText(mBuffer, from);
		return false;
	}
	RemoveBuffer(from, close - mBuffer + 1);
	return true;
}

bool TVyString::ChopAllHTML()
{
	bool removed = false;
	while (ChopHTML())
		removed = true;
	return removed;
}

bool TVyString::RemoveBuffer(unsigned long from, unsigned long to)
{
	if (from >= mBufferSize)
		return false;
	to = std::min<unsigned long>(to, mBufferSize);
	SignalIf_(from > to);
	if (from >= to)
		return false;
	unsigned long length = mBufferSize - (to - from);
	char* buffer = Allocate(length);
	std::memcpy(buffer, mBuffer, from);
	std::memcpy(buffer + from, mBuffer + to, mBufferSize - to);
	buffer[length] = 0;
	Adopt(buffer, length);
	return true;
}

bool TVyString::ReplaceBytes(const char* find, unsigned long findLength, const char* replacement,
                             unsigned long replacementLength, bool caseSensitive, unsigned long max)
{
	if (find == nullptr || findLength == 0 || mBuffer == nullptr)
		return false;
	if (replacement == nullptr)
		replacementLength = 0;
	unsigned long count = 0;
	for (unsigned long p = FindTheString(find, findLength, 0, caseSensitive); p != kNotFound;
	     p = FindTheString(find, findLength, p + findLength, caseSensitive))
		++count;
	if (count == 0)
		return false;
	if (max > 0 && count > max)
		count = max;

	std::string text;
	text.reserve(mBufferSize - count * findLength + count * replacementLength);
	unsigned long copied = 0;
	for (unsigned long p = FindTheString(find, findLength, 0, caseSensitive); p != kNotFound && count > 0;
	     p = FindTheString(find, findLength, p + findLength, caseSensitive), --count) {
		text.append(mBuffer + copied, p - copied);
		text.append(replacement ? replacement : "", replacementLength);
		copied = p + findLength;
	}
	text.append(mBuffer + copied, mBufferSize - copied);
	ReplaceText(text.data(), text.size());
	return true;
}

bool TVyString::Replace(const TVyString& find, const TVyString& replacement, bool caseSensitive,
                        unsigned long max)
{
	return ReplaceBytes(find.mBuffer, find.mBufferSize, replacement.mBuffer, replacement.mBufferSize,
	                    caseSensitive, max);
}

bool TVyString::Replace(const char* find, const char* replacement, bool caseSensitive, unsigned long max)
{
	return ReplaceBytes(find, find ? std::strlen(find) : 0, replacement,
	                    replacement ? std::strlen(replacement) : 0, caseSensitive, max);
}

bool TVyString::UrlEncode()
{
	static const char kHex[] = "0123456789ABCDEF";
	std::string text;
	bool changed = false;
	for (UInt32 i = 0; i < mBufferSize; ++i) {
		char c = mBuffer[i];
		if (IsUrlReserved(c)) {
			text += '%';
			text += kHex[UInt8(c) >> 4];
			text += kHex[UInt8(c) & 0x0F];
			changed = true;
		} else {
			text += c;
		}
	}
	if (changed)
		ReplaceText(text.data(), text.size());
	return changed;
}

bool TVyString::UrlDecode()
{
	std::string text;
	bool changed = false;
	for (UInt32 i = 0; i < mBufferSize; ++i) {
		char c = mBuffer[i];
		if (c == '%' && i + 2 < mBufferSize && HexValue(mBuffer[i + 1]) >= 0 &&
		    HexValue(mBuffer[i + 2]) >= 0) {
			char decoded = char(HexValue(mBuffer[i + 1]) * 16 + HexValue(mBuffer[i + 2]));
			if (IsUrlReserved(decoded)) {
				text += decoded;
				i += 2;
				changed = true;
				continue;
			}
		}
		text += c;
	}
	if (changed)
		ReplaceText(text.data(), text.size());
	return changed;
}

unsigned long TVyString::LineSplit(unsigned long)
{
	return 0;
}

unsigned long TVyString::LineSplit(unsigned long width, const char* text)
{
	return text ? SplitBuffer(width, text, std::strlen(text)) : 0;
}

unsigned long TVyString::SplitBuffer(unsigned long width, const char* text, unsigned long textLength)
{
	if (width == 0 || text == nullptr || textLength == 0 || mBuffer == nullptr)
		return 0;
	// Bytes of the inserted text that stand on the line after it.
	unsigned long tail = textLength;
	for (unsigned long i = textLength; i > 0; --i)
		if (IsLineEnd(text[i - 1])) {
			tail = textLength - i;
			break;
		}
	std::string result;
	unsigned long insertions = 0;
	unsigned long counter = 0;
	for (UInt32 i = 0; i < mBufferSize; ++i) {
		if (counter >= width) {
			result.append(text, textLength);
			counter = tail;
			++insertions;
		}
		result += mBuffer[i];
		++counter;
	}
	if (insertions > 0)
		ReplaceText(result.data(), result.size());
	return insertions;
}

// ---------------------------------------------------------------------------------------------------------
// Lines

// A zero byte ends a line like a line end and is stepped over with it, so the walk always moves on.
bool TVyString::StepLine(UInt32& cursor, UInt32& start, UInt32& length) const
{
	if (cursor == kNoCursor || cursor >= mBufferSize)
		return false;
	UInt32 end = cursor;
	while (end < mBufferSize && !IsLineEnd(mBuffer[end]) && mBuffer[end] != 0)
		++end;
	start = cursor;
	length = end - cursor;
	while (end < mBufferSize && (IsLineEnd(mBuffer[end]) || mBuffer[end] == 0))
		++end;
	cursor = end;
	return true;
}

bool TVyString::GetFirstLine(TVyString& out)
{
	mLineCursor = 0;
	return GetNextLine(out);
}

bool TVyString::GetNextLine(TVyString& out)
{
	UInt32 cursor = mLineCursor;
	UInt32 start = 0;
	UInt32 length = 0;
	bool found = StepLine(cursor, start, length);
	if (&out == this) {
		TVyString line(found ? mBuffer + start : nullptr, length);
		Clear();
		Assign(line);
		return found;
	}
	out.Clear();
	if (!found)
		return false;
	mLineCursor = cursor;
	out.Assign(mBuffer + start, length);
	return true;
}

bool TVyString::GetLineWithIndex(TVyString& out, unsigned long index)
{
	bool found = index > 0 && GetFirstLine(out);
	for (unsigned long i = 1; found && i < index; ++i)
		found = GetNextLine(out);
	if (!found)
		out.Clear();
	return found;
}

unsigned long TVyString::LineCount()
{
	unsigned long count = 0;
	UInt32 cursor = 0;
	UInt32 start;
	UInt32 length;
	while (StepLine(cursor, start, length))
		++count;
	return count;
}

bool TVyString::GetLineWithString(TVyString& out, const TVyString& text, bool afterText, bool unfold)
{
	return GetLineWithString(out, text.mBuffer, afterText, unfold);
}

bool TVyString::GetLineWithString(TVyString& out, const char* text, bool afterText, bool unfold)
{
	TVyString result;
	unsigned long textLength = text ? std::strlen(text) : 0;
	unsigned long found = FindTheString(text, textLength, 0, false);
	if (found == kNotFound) {
		out.Clear();
		return false;
	}
	unsigned long start = found;
	if (afterText)
		start = found + textLength;
	else
		while (start > 0 && !IsLineEnd(mBuffer[start - 1]))
			--start;
	unsigned long i = found;
	for (;;) {
		while (i < mBufferSize && !IsLineEnd(mBuffer[i]))
			++i;
		unsigned long breakLength =
		    (i + 1 < mBufferSize && mBuffer[i] == '\r' && mBuffer[i + 1] == '\n') ? 2 : 1;
		unsigned long next = i + breakLength;
		bool continued = unfold && i < mBufferSize && next < mBufferSize &&
		                 (mBuffer[next] == ' ' || mBuffer[next] == '\t');
		if (!continued)
			break;
		SignalIfNot_(start <= i);
		if (start < i)
			result.Append(mBuffer + start, i - start);
		start = i = next + 1;
	}
	SignalIfNot_(start <= i);
	if (start < i)
		result.Append(mBuffer + start, i - start);
	out.Clear();
	out.Assign(result);
	return true;
}

// ---------------------------------------------------------------------------------------------------------
// Records

void TVyString::SetRecordDelimiters(const TVyString& start, const TVyString& end)
{
	SetRecordDelimiters(start.mBuffer, end.mBuffer);
}

void TVyString::SetRecordDelimiters(const TVyString* start, const TVyString* end)
{
	SetRecordDelimiters(start ? start->mBuffer : nullptr, end ? end->mBuffer : nullptr);
}

void TVyString::SetRecordDelimiters(const char* start, const char* end)
{
	mRecordStart = start ? start : "";
	mRecordEnd = end ? end : "";
}

void TVyString::SetRecordDelimiter(const char* delimiter)
{
	SetRecordDelimiters(delimiter, nullptr);
}

bool TVyString::GetFirstRecord(TVyString& out, bool withDelimiters)
{
	if (mRecordStart.empty() && mRecordEnd.empty()) {
		out.Clear();
		return false;
	}
	mRecordCursor = 0;
	return GetNextRecord(out, withDelimiters);
}

bool TVyString::GetNextRecord(TVyString& out, bool withDelimiters)
{
	TVyString record;
	bool found = false;
	if (mRecordCursor != kNoCursor && mRecordCursor < mBufferSize && !mRecordStart.empty()) {
		unsigned long start =
		    FindTheString(mRecordStart.data(), mRecordStart.size(), mRecordCursor, false);
		if (start != kNotFound) {
			const std::string& endDelimiter = mRecordEnd.empty() ? mRecordStart : mRecordEnd;
			unsigned long contentStart = start + mRecordStart.size();
			unsigned long end =
			    FindTheString(endDelimiter.data(), endDelimiter.size(), contentStart, false);
			unsigned long contentEnd = end == kNotFound ? mBufferSize : end;
			unsigned long recordEnd = end == kNotFound ? mBufferSize : end + endDelimiter.size();
			if (end == kNotFound)
				mRecordCursor = mBufferSize;
			else
				mRecordCursor = UInt32(mRecordEnd.empty() ? end : recordEnd);
			if (withDelimiters)
				record.Assign(mBuffer + start, recordEnd - start);
			else
				record.Assign(mBuffer + contentStart, contentEnd - contentStart);
			found = true;
		}
	}
	out.Clear();
	out.Assign(record);
	return found;
}

bool TVyString::GetRecordWithIndex(TVyString& out, unsigned long index, bool withDelimiters)
{
	bool found = index > 0 && GetFirstRecord(out, withDelimiters);
	for (unsigned long i = 1; found && i < index; ++i)
		found = GetNextRecord(out, withDelimiters);
	if (!found)
		out.Clear();
	return found;
}

void TVyString::AddRecord(const TVyString& text)
{
	if (mRecordStart.empty())
		SetRecordDelimiters("<CUSTOM_HEADER_RECORD_START>", "<CUSTOM_HEADER_RECORD_END>");
	TVyString record(mRecordStart.c_str());
	record.Append(text);
	record.Append(mRecordEnd.c_str());
	record.Append(mCRLFString);
	Append(record);
}

void TVyString::AddRecord(const TVyString* text)
{
	if (text != nullptr)
		AddRecord(*text);
}

void TVyString::AddRecord(const char* text)
{
	if (text != nullptr)
		AddRecord(TVyString(text));
}

bool TVyString::GetField(const char* start, const char* end, TVyString& out) const
{
	TVyString copy(*this);
	copy.SetRecordDelimiters(start, end);
	return copy.GetFirstRecord(out, false);
}

bool TVyString::SubString(TVyString& out, unsigned long from, unsigned long to) const
{
	if (from >= to || from >= mBufferSize) {
		out.Clear();
		return false;
	}
	out.Assign(mBuffer + from, std::min<unsigned long>(to, mBufferSize) - from);
	return true;
}

// ---------------------------------------------------------------------------------------------------------
// Arguments

unsigned long TVyString::ParseArguments(const char* delimiters, bool quotes)
{
	if (mBuffer == nullptr)
		return 0;
	bool isDelimiter[256] = {};
	bool isTerminator[256] = {};
	for (const char* d = delimiters; d && *d; ++d)
		isDelimiter[UInt8(*d)] = true;
	isTerminator[0] = isTerminator[UInt8('\r')] = isTerminator[UInt8('\n')] = true;

	ClearArguments(false);
	auto store = [this](UInt32 from, UInt32 to) {
		if (to > from && mArgumentCount < kMaxArguments) {
			mArguments.emplace_back(mBuffer + from, to - from);
			++mArgumentCount;
		}
	};
	UInt32 argumentStart = 0;
	UInt32 i = 0;
	while (i < mBufferSize && !isTerminator[UInt8(mBuffer[i])]) {
		if (quotes && mBuffer[i] == '"') {
			UInt32 j = i + 1;
			while (j < mBufferSize && mBuffer[j] != '"' && !isTerminator[UInt8(mBuffer[j])])
				++j;
			if (j >= mBufferSize || mBuffer[j] != '"') {
				i = j;
				break;
			}
			i = j + 1;
			continue;
		}
		if (isDelimiter[UInt8(mBuffer[i])]) {
			store(argumentStart, i);
			argumentStart = i + 1;
		}
		++i;
	}
	store(argumentStart, i);
	return mArgumentCount;
}

unsigned long TVyString::ParseArguments(const TVyString* delimiters, bool quotes)
{
	return ParseArguments(delimiters ? delimiters->mBuffer : nullptr, quotes);
}

unsigned long TVyString::ParseArguments(const TVyString& delimiters, bool quotes)
{
	return ParseArguments(delimiters.mBuffer, quotes);
}

bool TVyString::GetArgument(unsigned long index, TVyString& out) const
{
	out.Clear();
	if (index >= kMaxArguments || index >= mArgumentCount)
		return false;
	out.Assign(mArguments[index]);
	return true;
}

void TVyString::ClearArguments(bool)
{
	mArguments.clear();
	mArgumentCount = 0;
}

// ---------------------------------------------------------------------------------------------------------
// Unicode

char* TVyString::GetUnicode(unsigned long& size, unicodeMode mode, bool byteOrderMark) const
{
	size = 0;
	if (mBuffer == nullptr)
		return nullptr;
	std::string encoded;
	unsigned long unit = 1;
	auto put = [&encoded](char32_t value, int bytes, bool bigEndian) {
		for (int k = 0; k < bytes; ++k) {
			int shift = bigEndian ? 8 * (bytes - 1 - k) : 8 * k;
			encoded += char((value >> shift) & 0xFF);
		}
	};
	std::string_view text(mBuffer, mBufferSize);
	switch (mode) {
	case unicodeUTF8:
		if (byteOrderMark)
			encoded = "\xEF\xBB\xBF";
		encoded += MacRoman::ToUTF8(text);
		break;
	case unicodeUTF16BE:
	case unicodeUTF16LE:
		unit = 2;
		if (byteOrderMark)
			put(0xFEFF, 2, mode == unicodeUTF16BE);
		for (char16_t c : MacRoman::ToUTF16(text))
			put(c, 2, mode == unicodeUTF16BE);
		break;
	case unicodeUTF32LE:
	case unicodeUTF32BE:
		unit = 4;
		if (byteOrderMark)
			put(0xFEFF, 4, mode == unicodeUTF32BE);
		for (char32_t c : MacRoman::ToUTF32(text))
			put(c, 4, mode == unicodeUTF32BE);
		break;
	default:
		SignalIf_(true);
		return nullptr;
	}
	char* buffer = new (std::nothrow) char[encoded.size() + unit]();
	if (buffer == nullptr)
		throw -1;
	std::memcpy(buffer, encoded.data(), encoded.size());
	size = encoded.size();
	return buffer;
}
