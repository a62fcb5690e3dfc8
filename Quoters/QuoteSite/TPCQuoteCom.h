#pragma once
// The quote site for US stocks and funds (Canadian symbols with ".CA"), with headlines and company search.

#include "Quoters/TQuoter.h"
#include "foundation/TVyDate.h"

class TPCQuoteCom : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("PCQt");

	const char* GetName() override { return "PC Quote"; }
	OSType GetSig() override { return kSignature; }
	long GetVers() override { return 599; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return 1; }
	void GetExchanges(const tStockExchange** list, short* count) override;
	UInt32 GetFeatures() override { return 0xC13; }
	float GetConfidence() override { return 0.9f; }

	void GetPageDetailed(char* path, int pathLen, TSecurity* security) override;
	void GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen) override;

	bool StockDetail(char* page, long length, TStock* stock) override;
	bool FundDetail(char* page, long length, TFund* fund) override;
	bool Lookup(char* page, long length, ILookupList* results, tSecurityType type, bool& more) override;
	bool News(char* page, long length, TSecurity* security) override;

	// A time of today, or a month and day at midnight; fails unless flag is set.
	virtual bool ExtractDate(char* text, long length, TVyDate* date, bool flag);
};
