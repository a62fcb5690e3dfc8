#pragma once
// Stocks of the Zurich exchange from a table page: each value stands a fixed number of lines below a row
// anchor, and numbers may carry apostrophes as thousands separators. A page is taken whole or not at all.

#include "Quoters/TQuoter.h"

class TVyDate;

class TSwissQuote : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("SwQt");

	const char* GetName() override { return "SwissQuote"; }
	OSType GetSig() override { return kSignature; }
	long GetVers() override { return 599; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return 1; }
	void GetExchanges(const tStockExchange** list, short* count) override;
	UInt32 GetFeatures() override { return 0x4; }
	float GetConfidence() override { return 1.0f; }

	void GetPageDetailed(char* path, int pathLen, TSecurity* security) override;
	void GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen) override;

	bool StockDetail(char* page, long length, TStock* stock) override;
	bool News(char* page, long length, TSecurity* security) override;

	// "Dec. 6 2026 17:30 CET": month name, day, year, time and at least one word more. On success the
	// date is today's with those fields set; false leaves it as it was.
	static bool ExtractDate(char* text, long length, TVyDate* date, bool flag);
};
