// The page scanners of the QuoteSite sources.

#include "Quoters/QuoteSite/TPCQuoteCom.h"
#include "Quoters/QuoteSite/TQuoteCom.h"
#include "tests/fuzz/QuoterFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	static TPCQuoteCom sTPCQuoteCom;
	static TQuoteCom sTQuoteCom;
	return fuzzsupport::FuzzSources({&sTPCQuoteCom, &sTQuoteCom}, data, size);
}
