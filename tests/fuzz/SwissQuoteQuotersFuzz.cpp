// The page scanners of the SwissQuote sources.

#include "Quoters/SwissQuote/TSwissQuote.h"
#include "tests/fuzz/QuoterFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	static TSwissQuote sTSwissQuote;
	return fuzzsupport::FuzzSources({&sTSwissQuote}, data, size);
}
