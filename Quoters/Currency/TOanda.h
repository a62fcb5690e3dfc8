#pragma once
// The Oanda currency converter: the rate of one unit of a pair's first currency in its second. Complete, but
// not among the registered sources.

#include "Quoters/TQuoter.h"

class TOanda : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("Oand");

	const char* GetName() override { return "Oanda"; }
	OSType GetSig() override { return kSignature; }
	long GetVers() override { return 602; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return 1; }
	void GetExchanges(const tStockExchange** list, short* count) override;
	UInt32 GetFeatures() override { return kQuoterFeatureCurrencies; }
	float GetConfidence() override { return 1.0f; }

	void GetPageDetailed(char* path, int pathLen, TSecurity* security) override;
	bool CurrencyDetail(char* page, long length, TCurrency* currency) override;
};
