#pragma once
// The Swedish growth-company market's overview page, one per company, with its news items.

#include "Quoters/TQuoter.h"
#include "foundation/TVyDate.h"

class TAktieTorget : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("Akti");

	const char* GetName() override { return "AktieTorget"; }
	OSType GetSig() override { return kSignature; }
	long GetVers() override { return 599; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return 1; }
	void GetExchanges(const tStockExchange** list, short* count) override;
	UInt32 GetFeatures() override { return 0; }
	float GetConfidence() override { return 1.0f; }

	// The symbol is the company's instrument number on the site.
	void GetPageDetailed(char* path, int pathLen, TSecurity* security) override;
	void GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen) override;

	bool StockDetail(char* page, long length, TStock* stock) override;
	bool News(char* page, long length, TSecurity* security) override;

	bool ExtractDate(char*, long, TVyDate*, bool) { return false; }
};
