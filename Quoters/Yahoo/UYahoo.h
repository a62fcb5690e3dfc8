#pragma once
// What the Yahoo sources share: the symbol suffix of each exchange, the quote page's path, where a security's
// figures start on a quote page, the stock figures of the European and international pages, the trade time,
// the currency page, the headline list and the symbol searches (their addresses, the result page and the
// exchange guessed for each row).

#include "Quoters/ILookupList.h"
#include "foundation/TVyDate.h"
#include "model/MarketCodes.h"
#include "model/SecurityTypes.h"
#include "platform/toolbox/MacTypes.h"

#include <initializer_list>

class TCurrency;
class TFund;
class TIndex;
class TSecurity;
class TStock;

class UYahoo
{
public:
	struct tYahooLookup {
		const char* suffix; // "" when the site adds none
		const char* code;   // "" when none
		const char* name;   // as search results show the exchange
		tStockExchange exchange;
	};
	static constexpr tStockExchange kLookupsEnd = 901;
	// Ended by a row whose exchange is kLookupsEnd.
	static const tYahooLookup sYahooLookups[];

	// The suffix (code) of the first row of the exchange that has one; null when none has.
	static const char* GetExchangeSuffix(tStockExchange exchange);
	static const char* GetExchangeCode(tStockExchange exchange);

	// "/q?s=SYMBOL" + the exchange's suffix + tail, the symbol percent-encoded and at most 31 characters
	// long; pathLen is the buffer's size.
	static void GetQuotePage(char* path, int pathLen, const char* symbol, const char* suffix,
	                         const char* tail);

	// A stock's quote page with its exchange's suffix and "&d=t"; empty for any other security.
	static void GetStockPage(char* path, int pathLen, TSecurity* security);

	// Where a quote page's labels are searched from: the "(NasdaqNM:SYM)", "(AMEX:SYM)" or "(NYSE:SYM)"
	// anchor of a stock's exchange, else ":SYM)", else the page's start. Null when the page says that the
	// site does not know the symbol.
	static char* LocateQuote(char* page, long length, const char* symbol, bool stock,
	                         tStockExchange exchange);

	// The value of the first label that yields a number (or a not-available mark); the last label's
	// answer otherwise.
	static float FirstQuote(char* text, long length, std::initializer_list<const char*> labels);
	// The first text run on the line-th line after label (0: the label's own line), within the page; size
	// is out's size.
	static bool TextAfterLabel(char* page, long length, const char* label, int line, char* out,
	                           long size);

	// The figures of a European or international stock page from anchor on, London's pence read as
	// pounds; the dividend is the first of dividendLabels that yields a number.
	static void ReadStockFigures(char* anchor, long length, TStock* stock,
	                             std::initializer_list<const char*> dividendLabels);

	// The figure in bold after label, behind a first figure; with boldAlone the bold figure is read
	// without one too.
	static float BoldFigure(char* text, long length, const char* label, bool boldAlone);
	// The index and fund pages of the European and international sites (BoldFigure's boldAlone for the
	// last trade and the net asset value), with their headlines; false when the page is not the
	// security's.
	static bool IndexDetail(char* page, long length, TIndex* index, bool boldAlone);
	// The index reset and where its figures start on its page; null when the page is not the index's.
	static char* IndexStart(char* page, long length, TIndex* index);
	// The day's range after dayLabel, and the year's after the first of yearLabels that yields one.
	static void ReadRanges(char* start, long length, const char* dayLabel,
	                       std::initializer_list<const char*> yearLabels, TSecurity* security);
	static bool FundDetail(char* page, long length, TFund* fund, bool boldAlone);

	// Reads a trade time ("3:45PM") or, failing that, a month and day ("11/27", at midnight) at the start
	// of text (after blanks) into a date that is otherwise now.
	static bool DateFromText(const char* text, TVyDate& date);
	// DateFromText of the text after label (at most 127 characters, as TextAfterLabel).
	static bool DateAfterLabel(char* page, long length, const char* label, int line, TVyDate& date);

	// The address of result page `page` (from 1) of a symbol search; urlLen is the buffer's size.
	static void GetLookup(tSecurityType type, const char* text, int page, char* url, long urlLen,
	                      OSType signature = FOUR_CHAR_CODE("YaUS"));
	// The regional sites' search: "http://host/l?s=TEXT", and from page 2 on "&m=" with the first row of
	// the page, as they show 200 rows a page.
	static void GetRegionalLookup(OSType signature, const char* text, int page, char* url, long urlLen);
	static bool CurrencyDetail(char* page, long length, TCurrency* currency);
	static bool News(char* page, long length, TSecurity* security);
	static bool Lookup(char* page, long length, ILookupList* list, tSecurityType type, bool& more,
	                   OSType signature);
	// Sets the row's exchange from its exchange text or, failing that, its symbol's suffix; with
	// stripSuffix the suffix that told the exchange is cut off the symbol.
	static void GuessAtExchange(tLookupEntry* entry, bool stripSuffix);
};
