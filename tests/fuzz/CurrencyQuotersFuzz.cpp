// The page scanners of the Currency sources.

#include "Quoters/Currency/TOanda.h"
#include "Quoters/Currency/TXE.h"
#include "tests/fuzz/QuoterFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	static TOanda sTOanda;
	static TXE sTXE;
	return fuzzsupport::FuzzSources({&sTOanda, &sTXE}, data, size);
}
