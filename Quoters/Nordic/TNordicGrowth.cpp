#include "Quoters/Nordic/TNordicGrowth.h"

#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterSite.h"
#include "foundation/VyStrings.h"
#include "model/TStock.h"

#include <charconv>
#include <cstring>
#include <memory>
#include <new>

namespace
{

const tStockExchange kExchanges[] = {850};

constexpr long kMaxWords = 50;
constexpr char kFieldSeparators[] = ", '();\t";

bool IsLineEnd(char c)
{
	return c == '\n' || c == '\r' || c == 0;
}

bool IsQuote(char c)
{
	return c == '\'' || c == '"';
}

bool IsBlankInLine(char c)
{
	return c == ' ' || c == '\t';
}

// An argument of the instrument's call starts after "(", "," or ";" (or a line's start), then blanks and
// a quote; so a word inside a quoted name is no field of its own.
bool IsFieldStart(const char* found, const char* start)
{
	const char* p = found;
	if (p > start && IsQuote(p[-1]))
		--p;
	while (p > start && IsBlankInLine(p[-1]))
		--p;
	return p == start || IsLineEnd(p[-1]) || std::strchr("(,;", p[-1]) != nullptr;
}

bool IsFieldEnd(const char* after, const char* end)
{
	const char* p = after;
	if (p < end && IsQuote(*p))
		++p;
	while (p < end && IsBlankInLine(*p))
		++p;
	return p == end || IsLineEnd(*p) || std::strchr(",);", *p) != nullptr;
}

bool IsDigits(const char* s)
{
	if (s == nullptr || *s == 0)
		return false;
	for (; *s != 0; ++s)
		if (*s < '0' || *s > '9')
			return false;
	return true;
}

// A whole word read as a decimal number, with '.' whatever the locale; kNoValue when it is not one.
double WordValue(const char* word)
{
	const char* first = word[0] == '+' ? word + 1 : word;
	const char* last = first + std::strlen(first);
	double value = 0;
	const auto [stop, error] = std::from_chars(first, last, value);
	return first == last || error != std::errc() || stop != last ? double(kNoValue) : value;
}

float WordFloat(const char* word)
{
	const double value = WordValue(word);
	return value == double(kNoValue) ? kNoValue : float(value);
}

} // namespace

void TNordicGrowth::GetExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = kExchanges;
	if (count != nullptr)
		*count = 1;
}

void TNordicGrowth::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	if (path == nullptr || pathLen <= 0)
		return;
	path[0] = 0;
	if (security != nullptr && (security->Type() == securityStock || security->Type() == securityFund))
		strcpyn(path, "/se/WES/startdata.asp", pathLen - 1);
}

void TNordicGrowth::GetLookup(tSecurityType, char*, int, char* url, long urlLen)
{
	if (url != nullptr && urlLen > 0)
		url[0] = 0;
}

void TNordicGrowth::FindTable(char* page, long length, char*& start, char*& end)
{
	char* pageEnd = page + length;
	start = UQuoter::GotoString(page, length, "clearInstrArr()");
	if (start == nullptr)
		start = page;
	end = UQuoter::GotoString(start, pageEnd - start, "updateInstrTable();");
	if (end == nullptr)
		end = pageEnd;
}

char* TNordicGrowth::FindFieldLine(char* start, char* end, const char* word, char*& field, char*& lineEnd)
{
	field = lineEnd = nullptr;
	const long wordLength = word != nullptr ? long(std::strlen(word)) : 0;
	if (start == nullptr || wordLength == 0)
		return nullptr;
	for (char* p = start; p < end;) {
		char* found = UQuoter::GotoString(p, end - p, word);
		if (found == nullptr)
			return nullptr;
		char* after = found + wordLength;
		const bool whole = IsFieldStart(found, start) && IsFieldEnd(after, end);
		if (whole) {
			char* lineStart = found;
			while (lineStart > start && !IsLineEnd(lineStart[-1]))
				--lineStart;
			lineEnd = after;
			while (lineEnd < end && !IsLineEnd(*lineEnd))
				++lineEnd;
			field = found;
			return lineStart;
		}
		p = found + 1;
	}
	return nullptr;
}

bool TNordicGrowth::StockDetail(char* page, long length, TStock* stock)
{
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;
	const char* symbol = stock->SecuritySymbol();
	if (IsDigits(symbol))
		return QueryNumericDetail(symbol, page, length, stock);

	char* start = nullptr;
	char* end = nullptr;
	FindTable(page, length, start, end);
	char* field = nullptr;
	char* lineEnd = nullptr;
	char* line = FindFieldLine(start, end, symbol, field, lineEnd);
	if (line == nullptr)
		return false;
	char buffer[512];
	strmemcpyn(buffer, line, lineEnd - line, sizeof buffer - 1);
	char* words[kMaxWords] = {};
	if (strparse(buffer, words, kFieldSeparators, kMaxWords) <= 2)
		return false;
	// The instrument's call names its id first: addInstr(12345, ...).
	return QueryNumericDetail(words[1], page, length, stock);
}

bool TNordicGrowth::QueryNumericDetail(const char* id, char* page, long length, TStock* stock)
{
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (id == nullptr || page == nullptr || length <= 0)
		return false;
	char* start = nullptr;
	char* end = nullptr;
	FindTable(page, length, start, end);
	char* field = nullptr;
	char* lineEnd = nullptr;
	if (FindFieldLine(start, end, id, field, lineEnd) == nullptr)
		return false;
	// A line cut off by the page's end is no complete instrument.
	if (lineEnd == page + length)
		return false;

	const long size = lineEnd - field;
	std::unique_ptr<char[]> buffer(new (std::nothrow) char[size_t(size) + 1]);
	if (!buffer)
		return false;
	std::memcpy(buffer.get(), field, size_t(size));
	buffer[size] = 0;
	char* words[kMaxWords] = {};
	if (strparse(buffer.get(), words, ", ();\t", kMaxWords) <= 9)
		return false;

	// Words after the id: bid, (unused), ask, (unused), change, last, high, low, volume.
	const float last = WordFloat(words[6]);
	const float change = WordFloat(words[5]);
	stock->CurrentTradeBid(WordFloat(words[1]));
	stock->CurrentTradeAsk(WordFloat(words[3]));
	stock->CurrentTradePrice(last);
	stock->DayHigh(WordFloat(words[7]));
	stock->DayLow(WordFloat(words[8]));
	stock->DayVolume(UQuoter::VolumeFromValue(WordValue(words[9])));
	const float close = UQuoterSite::CloseBeforeChange(last, change);
	stock->YesterdayClose(close);
	stock->DayOpen(close);
	News(page, length, stock);
	return true;
}
