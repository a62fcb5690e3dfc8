// The page scanners of the Canada sources.

#include "Quoters/Canada/TCanoe.h"
#include "Quoters/Canada/TGlobeAndMail.h"
#include "Quoters/Canada/TeNorthern.h"
#include "tests/fuzz/QuoterFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	static TCanoe sTCanoe;
	static TGlobeAndMail sTGlobeAndMail;
	static TeNorthern sTeNorthern;
	return fuzzsupport::FuzzSources({&sTCanoe, &sTGlobeAndMail, &sTeNorthern}, data, size);
}
