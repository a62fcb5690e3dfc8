#pragma once
// The finance pages of a web search portal: US and Toronto stocks and indexes. The index page also carries
// the trade time and the headlines; the stock page does not. The lookup parser reads the portal's company
// search page, but the source builds no lookup address and claims no lookup feature, so no search reaches it.

#include "Quoters/TQuoter.h"

class TVyDate;

class TGoogle : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("Goog");

	const char* GetName() override { return "Google Finance"; }
	OSType GetSig() override { return kSignature; }
	long GetVers() override { return 608; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return 1; }
	void GetExchanges(const tStockExchange** list, short* count) override;
	UInt32 GetFeatures() override { return 0x113; }
	float GetConfidence() override { return 1.0f; }

	void GetPageDetailed(char* path, int pathLen, TSecurity* security) override;
	void GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen) override;

	bool StockDetail(char* page, long length, TStock* stock) override;
	bool IndexDetail(char* page, long length, TIndex* index) override;
	bool Lookup(char* page, long length, ILookupList* results, tSecurityType type, bool& more) override;
	bool News(char* page, long length, TSecurity* security) override;

	// "Dec 6, 2026 3:45 pm": month name, day, year, hour, minute and an optional am or pm. On success the
	// date is today's with those fields set; false leaves it as it was.
	static bool ExtractDate(char* text, long length, TVyDate* date, bool flag);
};
