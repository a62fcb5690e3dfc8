// The template merge: the first byte picks the kind of security and whether values are percent-encoded; the
// rest is the template, up to its first zero.

#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/UMerge.h"
#include "tests/fuzz/FuzzSupport.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	if (size == 0)
		return 0;
	fuzzsupport::Environment();
	static TStock stock;
	static TFund fund;
	static TIndex index;
	static TCurrency pair;
	static TSecurity* const kSecurities[] = {&stock, &fund, &index, &pair};
	static const bool filled = [] {
		for (TSecurity* security : kSecurities) {
			security->SecuritySymbol("A&B <x>");
			security->SecurityName("Name with spaces and \xE9");
			security->CurrentTradePrice(1234.5625f);
		}
		return true;
	}();
	(void)filled;
	const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
	delete[] UMerge::MergeText(kSecurities[data[0] % 4], text.c_str(), (data[0] / 4) % 2 != 0);
	return 0;
}
