#pragma once
// The portal's Japanese quote pages (EUC-JP): stocks of Tokyo, their symbol search and the headlines of a
// page. The quote parser reads no headlines.

#include "Quoters/TQuoter.h"

class TVyDate;

class TYahooJapan : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("YaJP");

	const char* GetName() override { return "Yahoo! Japan"; }
	OSType GetSig() override { return kSignature; }
	long GetVers() override { return 599; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return 1; }
	void GetExchanges(const tStockExchange** list, short* count) override;
	UInt32 GetFeatures() override { return 0x400; }
	float GetConfidence() override { return 2.0f; }

	void GetPageDetailed(char* path, int pathLen, TSecurity* security) override;
	void GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen) override;

	bool StockDetail(char* page, long length, TStock* stock) override;
	bool Lookup(char* page, long length, ILookupList* results, tSecurityType type, bool& more) override;
	bool News(char* page, long length, TSecurity* security) override;

	// The line below the price label: "15.00" (a time), "15:00 12/25" (a time and a month/day) or
	// "15:00 25 Dec" (a time, a day and a month name), into a date that is otherwise today; false leaves
	// the date as it was.
	static bool ExtractDate(char* page, long length, TVyDate* date);
};
