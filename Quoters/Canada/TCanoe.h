#pragma once
// The Canadian portal's quote pages: US and Canadian stocks, and funds.

#include "Quoters/TQuoter.h"
#include "foundation/TVyDate.h"

class TCanoe : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("iMNY");

	const char* GetName() override { return "Canoe Money"; }
	OSType GetSig() override { return kSignature; }
	long GetVers() override { return 599; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return 1; }
	// Ends with a 0 entry, which is no exchange.
	void GetExchanges(const tStockExchange** list, short* count) override;
	UInt32 GetFeatures() override { return 0x23; }
	float GetConfidence() override { return 0.9f; }

	void GetURL(tURLType type, TSecurity* security, char* host, long hostLen, char* path,
	            long pathLen) override;
	void GetPageDetailed(char* path, int pathLen, TSecurity* security) override;
	void GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen) override;

	bool StockDetail(char* page, long length, TStock* stock) override;
	bool FundDetail(char* page, long length, TFund* fund) override;

	// A time of today on the text's eleventh line.
	bool ExtractDate(char* text, long length, TVyDate* date, bool flag);
};
