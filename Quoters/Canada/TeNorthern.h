#pragma once
// The Canadian broker's quote pages: US and Canadian stocks, funds and the stock's headlines. Complete, but
// not among the registered sources.

#include "Quoters/TQuoter.h"
#include "foundation/TVyDate.h"

class TeNorthern : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("eNRT");

	const char* GetName() override { return "eNorthern"; }
	OSType GetSig() override { return kSignature; }
	long GetVers() override { return 599; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return 1; }
	void GetExchanges(const tStockExchange** list, short* count) override;
	UInt32 GetFeatures() override { return 0x33; }
	float GetConfidence() override { return 0.9f; }

	void GetPageDetailed(char* path, int pathLen, TSecurity* security) override;
	void GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen) override;

	bool StockDetail(char* page, long length, TStock* stock) override;
	bool FundDetail(char* page, long length, TFund* fund) override;
	bool News(char* page, long length, TSecurity* security) override;

	bool ExtractDate(char*, long, TVyDate*, bool) { return false; }
};
