#pragma once
// The Swedish growth market's page of the whole market's prices: one script call per instrument, each on its
// own line, between the page's clearing and redrawing of the instrument table.

#include "Quoters/TQuoter.h"
#include "foundation/TVyDate.h"

class TNordicGrowth : public TQuoter
{
public:
	static constexpr OSType kSignature = FOUR_CHAR_CODE("NGMk");

	const char* GetName() override { return "Nordic Growth"; }
	OSType GetSig() override { return kSignature; }
	long GetVers() override { return 599; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return 1; }
	void GetExchanges(const tStockExchange** list, short* count) override;
	UInt32 GetFeatures() override { return 0; }
	float GetConfidence() override { return 1.0f; }

	void GetPageDetailed(char* path, int pathLen, TSecurity* security) override;
	void GetLookup(tSecurityType type, char* text, int page, char* url, long urlLen) override;

	// A symbol of digits only is the instrument id; any other symbol is looked up on its instrument's
	// line.
	bool StockDetail(char* page, long length, TStock* stock) override;

	// Reads the line of the instrument with that id.
	virtual bool QueryNumericDetail(const char* id, char* page, long length, TStock* stock);

	bool ExtractDate(char*, long, TVyDate*, bool) { return true; }

	// Where the instrument lines stand: from the table's clearing to its redrawing (or the page's ends).
	static void FindTable(char* page, long length, char*& start, char*& end);
	// The first line in [start, end) that holds word as a whole argument of its call, quoted or not (not
	// as a word of a longer one); null when none. field is set to the word and lineEnd to the line's end
	// (its line end, or end).
	static char* FindFieldLine(char* start, char* end, const char* word, char*& field, char*& lineEnd);
};
