// The page scanners of the Nordic sources.

#include "Quoters/Nordic/TAktieTorget.h"
#include "Quoters/Nordic/TNordicGrowth.h"
#include "tests/fuzz/QuoterFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	static TAktieTorget sTAktieTorget;
	static TNordicGrowth sTNordicGrowth;
	return fuzzsupport::FuzzSources({&sTAktieTorget, &sTNordicGrowth}, data, size);
}
