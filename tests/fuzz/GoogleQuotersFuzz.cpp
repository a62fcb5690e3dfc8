// The page scanners of the Google sources.

#include "Quoters/Google/TGoogle.h"
#include "tests/fuzz/QuoterFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	static TGoogle sTGoogle;
	return fuzzsupport::FuzzSources({&sTGoogle}, data, size);
}
