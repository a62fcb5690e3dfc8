#pragma once
// The portal's Australian quote pages: stocks of the Australian exchange and their symbol search. Headlines
// are read as on the US pages; funds and indexes are not parsed although the features offer them.

#include "Quoters/TQuoter.h"

class TVyDate;

class TYahooAustralia : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("YaAZ");

	const char* GetName() override { return "Yahoo! Aus."; }
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
	bool Lookup(char* page, long length, ILookupList* results, tSecurityType type, bool& more) override;
	bool News(char* page, long length, TSecurity* security) override;

	// The time (or, failing that, the month and day) two lines below "Last Trade", into a date that is
	// otherwise today; false leaves the date as it was.
	static bool ExtractDate(char* page, long length, TVyDate* date);
};
