#pragma once
// The Yahoo finance site's pages for the stocks, funds and indexes of European exchanges, its symbol search,
// and the headlines that each quote page carries. London quotes in pence are read as pounds.

#include "Quoters/TQuoter.h"

class TVyDate;

class TYahooEurope : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("YaEU");

	const char* GetName() override { return "Yahoo! Europe"; }
	OSType GetSig() override { return kSignature; }
	long GetVers() override { return 599; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return 1; }
	void GetExchanges(const tStockExchange** list, short* count) override;
	UInt32 GetFeatures() override { return 0xD7F; }
	float GetConfidence() override { return 2.0f; }

	void GetPageDetailed(char* path, int pathLen, TSecurity* security) override;
	void GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen) override;

	bool StockDetail(char* page, long length, TStock* stock) override;
	bool FundDetail(char* page, long length, TFund* fund) override;
	bool IndexDetail(char* page, long length, TIndex* index) override;
	bool Lookup(char* page, long length, ILookupList* results, tSecurityType type, bool& more) override;
	bool News(char* page, long length, TSecurity* security) override;

	// The trade time shown after ">Trade Time:<".
	static bool ExtractDate(char* text, long length, TVyDate& date);
};
