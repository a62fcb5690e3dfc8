#pragma once
// The XE currency converter: the rate of one unit of a pair's first currency in its second.

#include "Quoters/TQuoter.h"

class TXE : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("XExe");

	const char* GetName() override { return "XE"; }
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
