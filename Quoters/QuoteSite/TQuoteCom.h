#pragma once
// The quote site for US and Canadian stocks, funds and indexes, with headlines and company search.

#include "Quoters/TQuoter.h"
#include "foundation/TVyDate.h"

class TQuoteCom : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("QTCM");

	const char* GetName() override { return "Quote.com"; }
	OSType GetSig() override { return kSignature; }
	long GetVers() override { return 599; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return 1; }
	void GetExchanges(const tStockExchange** list, short* count) override;
	UInt32 GetFeatures() override { return 0xC13; }
	float GetConfidence() override { return 1.0f; }

	void GetPageDetailed(char* path, int pathLen, TSecurity* security) override;
	void GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen) override;

	bool StockDetail(char* page, long length, TStock* stock) override;
	bool FundDetail(char* page, long length, TFund* fund) override;
	bool IndexDetail(char* page, long length, TIndex* index) override;
	bool Lookup(char* page, long length, ILookupList* results, tSecurityType type, bool& more) override;
	bool News(char* page, long length, TSecurity* security) override;

	// The trade time that follows the page's "Add to portfolio" link.
	bool ExtractDate(char* text, long length, TVyDate* date, bool flag);

private:
	// Where index and fund labels are searched from.
	static char* SectionStart(char* page, long length);
	void ReadTradeTime(char* page, long length, TSecurity* security);
};
