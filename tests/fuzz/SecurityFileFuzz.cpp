// The security files: the first byte picks the kind of security the file holds; the rest is the file.

#include "model/TSecurity.h"
#include "model/UMerge.h"
#include "model/USecurityFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	if (size == 0)
		return 0;
	fuzzsupport::Environment();
	static constexpr tSecurityType kKinds[] = {securityStock, securityFund, securityIndex,
	                                           securityCurrency};
	fuzzsupport::ScratchFile file(data + 1, size - 1);
	TList<TSecurity> list(false, true);
	USecurityFile::ReadSecurities(file.File(), kKinds[data[0] % 4], &list);
	// Whatever was read must be safe to show: every figure goes through the formatters.
	static const char* const kEveryField =
	    "<<name>><<symbol>><<trade_price>><<trade_change>><<trade_change_percent>><<trade_change_color>>"
	    "<<trade_volume>><<trade_date>><<trade_time>><<update_date>><<update_time>><<trade_bid>>"
	    "<<trade_ask>><<yesterday_close>><<day_open>><<day_high>><<day_low>><<day_volume>><<year_high>>"
	    "<<year_low>><<earnings_per_share>><<dividend_per_share>><<price_earnings_ratio>><<exchange>>"
	    "<<quote_source>><<from_name>><<from_symbol>><<to_name>><<to_symbol>>";
	for (long i = 1; i <= list.Count(); i++)
		delete[] UMerge::MergeText(list.GetNth(i), kEveryField);
	return 0;
}
