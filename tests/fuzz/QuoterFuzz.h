#pragma once
// A family's page scanners under fuzzing: the first byte picks the source (byte % sources) and the scanner
// (byte / sources % 6: stock, fund, index, currency pair, lookup, news); the rest is the page.

#include "Quoters/ILookupList.h"
#include "Quoters/TQuoter.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace fuzzsupport
{

// Counts the rows; a row whose texts are not terminated inside their fields is a finding.
class CountingLookupList : public ILookupList
{
public:
	void Append(tLookupEntry* entry) override
	{
		const auto unended = [](const char* text, std::size_t size) {
			return strnlen(text, size) == size;
		};
		if (unended(entry->name, sizeof entry->name) ||
		    unended(entry->symbol, sizeof entry->symbol) ||
		    unended(entry->exchangeText, sizeof entry->exchangeText))
			std::abort();
		mCount++;
	}
	long Count() override { return mCount; }

private:
	long mCount = 0;
};

// Scans the page into a fresh security of the kind the scanner takes, then shows every figure it holds
// (a scan that fails may have set some).
template <class Security, class Taken>
void ScanInto(bool (TQuoter::*scan)(char*, long, Taken*), TQuoter* source, Bytes& page)
{
	Security security;
	security.SecuritySymbol("ABC");
	(source->*scan)(page.Data(), page.Length(), &security);
	ShowEveryField(&security);
}

inline int FuzzSources(std::initializer_list<TQuoter*> sources, const uint8_t* data, std::size_t size)
{
	if (size == 0)
		return 0;
	Environment();
	const unsigned count = unsigned(sources.size());
	TQuoter* source = sources.begin()[data[0] % count];
	Bytes page(data + 1, size - 1);
	switch (data[0] / count % 6) {
	case 0:
		ScanInto<TStock>(&TQuoter::StockDetail, source, page);
		break;
	case 1:
		ScanInto<TFund>(&TQuoter::FundDetail, source, page);
		break;
	case 2:
		ScanInto<TIndex>(&TQuoter::IndexDetail, source, page);
		break;
	case 3:
		ScanInto<TCurrency>(&TQuoter::CurrencyDetail, source, page);
		break;
	case 4: {
		CountingLookupList results;
		bool more = false;
		source->Lookup(page.Data(), page.Length(), &results, securityStock, more);
		break;
	}
	default:
		ScanInto<TStock>(&TQuoter::News, source, page);
		break;
	}
	return 0;
}

} // namespace fuzzsupport
