#pragma once
// The portal's international quote pages: stocks, funds and indexes of the Asian, Latin American, Israeli and
// Oceanian exchanges. Symbol search and headlines are those of the US pages.

#include "Quoters/TQuoter.h"

class TVyDate;

class TYahooInternational : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("YaIN");

	const char* GetName() override { return "Yahoo! Int'l"; }
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

	// The time (or, failing that, the month and day) after ">Trade Time:<", into a date that is otherwise
	// today; false leaves the date as it was.
	static bool ExtractDate(char* page, long length, TVyDate* date);
};
