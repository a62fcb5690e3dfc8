#pragma once
// The Canadian newspaper's quote pages: US and Canadian stocks, with the stock's press releases.

#include "Quoters/TQuoter.h"
#include "foundation/TVyDate.h"

class TGlobeAndMail : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("GlbM");
	static constexpr long kMaxHeadlines = 6;

	const char* GetName() override { return "Globe & Mail"; }
	OSType GetSig() override { return kSignature; }
	long GetVers() override { return 599; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return 1; }
	void GetExchanges(const tStockExchange** list, short* count) override;
	UInt32 GetFeatures() override { return 0x3; }
	float GetConfidence() override { return 1.0f; }

	void GetURL(tURLType type, TSecurity* security, char* host, long hostLen, char* path,
	            long pathLen) override;
	void GetPageDetailed(char* path, int pathLen, TSecurity* security) override;
	void GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen) override;

	bool StockDetail(char* page, long length, TStock* stock) override;
	bool News(char* page, long length, TSecurity* security) override;

	// "Jan 15, 2008 4:05 pm": a month name, day, year, hour and minute.
	bool ExtractDate(char* text, long length, TVyDate* date, bool flag);

	// The stock's symbol with its market's suffix, percent-encoded, into out (size bytes); "" when the
	// security is no stock or its market has no suffix.
	static void GetSymbolForm(TSecurity* security, char* out, long size);
};
