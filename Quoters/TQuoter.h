#pragma once
// A quote source: one web site, the markets and kinds of security it serves, how to build the addresses of
// its quote, news and symbol-search pages and how to scan them. A source holds no data, so one instance per
// class suffices; every operation a source does not override keeps the answer of this base.

#include "Quoters/ILookupList.h"
#include "model/MarketCodes.h"
#include "model/SecurityTypes.h"
#include "platform/toolbox/MacTypes.h"

class TSecurity;
class TStock;
class TFund;
class TIndex;
class TCurrency;

// The kind of address asked of GetURL.
typedef SInt32 tURLType;
// Home page: the whole "http://" address of the site, in the host buffer, the path staying empty. Quote
// page: the host, and the path of GetPageDetailed. News page: host and path of a separate headline page.
enum : tURLType { urlHomePage = 100, urlQuotePage = 101, urlNewsPage = 104 };

// Feature bits of GetFeatures. A source serves stocks when its exchange list is not empty.
enum : UInt32 {
	kQuoterFeatureFund1 = 0x0010,
	kQuoterFeatureFund2 = 0x0020,
	kQuoterFeatureFund3 = 0x0040,
	kQuoterFeatureFund4 = 0x0080,
	kQuoterFeatureFunds = 0x00F0,
	kQuoterFeatureIndexes = 0x0100,
	kQuoterFeatureCurrencies = 0x0200,
	kQuoterFeatureLookup1 = 0x0400,
	kQuoterFeatureLookup2 = 0x0800,
	kQuoterFeatureLookup = 0x0C00
};

// GetProtocol of a source that streams its quotes.
constexpr long kQuoterProtocolStreaming = 3;

class TQuoter
{
public:
	TQuoter() = default;
	TQuoter(const TQuoter&) = default;
	TQuoter& operator=(const TQuoter&) = default;
	virtual ~TQuoter() = default;

	// Shown in menus, captions and output files; null in the base.
	virtual const char* GetName() { return nullptr; }
	virtual OSType GetSig() { return 0; }
	virtual long GetVers() { return 0; }
	virtual long GetMaxCount() { return 0; }
	virtual long GetProtocol() { return -1; }
	// Hands out the source's static exchange list; the base leaves both arguments as they were.
	virtual void GetExchanges(const tStockExchange** list, short* count);
	virtual UInt32 GetFeatures() { return 0; }
	// Weight of the source when the default sources are chosen.
	virtual float GetConfidence() { return 0.0f; }

	// Host and path for a kind of address; hostLen and pathLen are the buffers' sizes. A source empties
	// both first and leaves them empty for a kind it does not build. The base builds the home page
	// ("http://" and the home host) and the quote page (GetDomain of the security's kind and
	// GetPageDetailed).
	virtual void GetURL(tURLType type, TSecurity* security, char* host, long hostLen, char* path,
	                    long pathLen);
	// Host of the source's quote pages for a kind; the base gives the quote host of GetSig.
	virtual const char* GetDomain(tSecurityType type);
	// Path and query of the security's quote page, within pathLen bytes.
	virtual void GetPageDetailed(char* path, int pathLen, TSecurity* security);
	// The whole address of result page `page` (from 1) of a symbol search, within urlLen bytes.
	virtual void GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen);

	// Parsers: true when the page was recognised. A page need not end with a zero byte.
	virtual bool StockDetail(char* page, long length, TStock* stock);
	virtual bool FundDetail(char* page, long length, TFund* fund);
	virtual bool IndexDetail(char* page, long length, TIndex* index);
	virtual bool CurrencyDetail(char* page, long length, TCurrency* currency);
	// Appends the rows of a search result page; more tells whether a further page exists.
	virtual bool Lookup(char* page, long length, ILookupList* results, tSecurityType type, bool& more);
	// Collects the page's headlines into the security's news list.
	virtual bool News(char* page, long length, TSecurity* security);

	virtual void* GetOtherInterface(unsigned long, unsigned long) { return nullptr; }

	// Helpers for sources.
	bool HasFeature(UInt32 mask) { return (GetFeatures() & mask) != 0; }
	bool ServesExchange(tStockExchange exchange);
	bool ServesStocks();
};
