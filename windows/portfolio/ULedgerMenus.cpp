#include "windows/portfolio/ULedgerMenus.h"

#include "platform/framework/LPopupButton.h"
#include "platform/toolbox/PascalStrings.h"

namespace
{
// The other side of each ratio, by position in the tables.
constexpr float kRatios[] = {2, 3, 4, 5, 10};
constexpr SInt32 kFirstSplit = 10;
constexpr SInt32 kFirstConsolidation = 200;
} // namespace

const tMenuItems ULedgerMenus::sStockSplits[] = {
    {1, 10}, {2, 11}, {3, 12}, {4, 13}, {5, 14}, {7, 15}, {kEndOfMenuItems, kEndOfMenuItems}};
const tMenuItems ULedgerMenus::sStockConsolidations[] = {
    {1, 200}, {2, 201}, {3, 202}, {4, 203}, {5, 204}, {7, 205}, {kEndOfMenuItems, kEndOfMenuItems}};

void ULedgerMenus::FillTableMenu(LPopupButton* inPopup, const tMenuItems* inTable,
                                 const std::function<std::string(SInt32 inCode)>& inName)
{
	if (inPopup == nullptr)
		return;
	inPopup->DeleteAllMenuItems();
	Str255 text;
	SInt32 next = 1;
	for (const tMenuItems* row = inTable; row->item != kEndOfMenuItems; ++row, ++next) {
		PascalStrings::FromString("-", text);
		for (; next < row->item; ++next)
			inPopup->AppendMenu(text);
		PascalStrings::FromString(inName(row->value), text);
		inPopup->AppendMenu(text, true);
	}
	inPopup->SetMenuMinMax();
}

SInt32 ULedgerMenus::SplitCode(float inFrom, float inTo)
{
	for (SInt32 i = 0; i < 5; ++i)
		if (inFrom == 1 && inTo == kRatios[i])
			return kFirstSplit + i;
	return kCustomSplit;
}

SInt32 ULedgerMenus::ConsolidationCode(float inFrom, float inTo)
{
	for (SInt32 i = 0; i < 5; ++i)
		if (inTo == 1 && inFrom == kRatios[i])
			return kFirstConsolidation + i;
	return kCustomConsolidation;
}

bool ULedgerMenus::RatioOf(SInt32 inCode, float& outFrom, float& outTo)
{
	if (inCode >= kFirstSplit && inCode < kCustomSplit) {
		outFrom = 1;
		outTo = kRatios[inCode - kFirstSplit];
		return true;
	}
	if (inCode >= kFirstConsolidation && inCode < kCustomConsolidation) {
		outFrom = kRatios[inCode - kFirstConsolidation];
		outTo = 1;
		return true;
	}
	return false;
}
