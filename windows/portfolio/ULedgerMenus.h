#pragma once
// The portfolio windows' pop-up menus built from code tables, and the split and consolidation ratios behind
// the split window's menus.

#include "foundation/UMenus.h"

#include <functional>
#include <string>
#include <vector>

class LPopupButton;

class ULedgerMenus
{
public:
	// Items 1-5 the ratios of the table, item 7 the user's own (6 is a separator).
	static const tMenuItems sStockSplits[];
	static const tMenuItems sStockConsolidations[];
	static constexpr SInt32 kCustomSplit = 15;
	static constexpr SInt32 kCustomConsolidation = 205;

	// One item per row, in item order; a gap in the items becomes separators.
	static void FillTableMenu(LPopupButton* inPopup, const tMenuItems* inTable,
	                          const std::function<std::string(SInt32 inCode)>& inName);
	// The currencies that have a name, grouped as in the quoter manager's table; answers the value table
	// of the items put into inPopup (which may be null), ended by kEndOfMenuItems.
	static std::vector<tMenuItems> FillCurrencyMenu(LPopupButton* inPopup);
	// The code of a split (from 1) or consolidation (to 1) ratio, or the custom code.
	static SInt32 SplitCode(float inFrom, float inTo);
	static SInt32 ConsolidationCode(float inFrom, float inTo);
	// The ratio of a code that is not custom; false for the custom codes.
	static bool RatioOf(SInt32 inCode, float& outFrom, float& outTo);
};
