// The page scanners of the Yahoo sources.

#include "Quoters/Yahoo/TYahooAustralia.h"
#include "Quoters/Yahoo/TYahooEurope.h"
#include "Quoters/Yahoo/TYahooInternational.h"
#include "Quoters/Yahoo/TYahooJapan.h"
#include "Quoters/Yahoo/TYahooUS.h"
#include "tests/fuzz/QuoterFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	static TYahooUS sTYahooUS;
	static TYahooEurope sTYahooEurope;
	static TYahooInternational sTYahooInternational;
	static TYahooAustralia sTYahooAustralia;
	static TYahooJapan sTYahooJapan;
	return fuzzsupport::FuzzSources(
	    {&sTYahooUS, &sTYahooEurope, &sTYahooInternational, &sTYahooAustralia, &sTYahooJapan}, data,
	    size);
}
