#include "windows/portfolio/ULedgerMenus.h"

#include "Quoters/TQuoterManager.h"
#include "model/TCurrencyConversion.h"
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

// Only currencies the currency table knows: another code would show no name and get no rate.
std::vector<tMenuItems> ULedgerMenus::FillCurrencyMenu(LPopupButton* inPopup)
{
	std::vector<tMenuItems> rows;
	std::vector<std::string> texts;
	SInt32 lastItem = 0;
	for (const tMenuItems* row = TQuoterManager::GetCurrencyMenuItems(); row->item != kEndOfMenuItems;
	     ++row) {
		const char* name = TCurrencyConversion::GetCurrencyName(tCurrency(row->value));
		if (name == nullptr)
			continue;
		// A gap in the numbering is a separator between groups.
		if (!texts.empty() && row->item > lastItem + 1 && texts.back() != "-")
			texts.emplace_back("-");
		lastItem = row->item;
		texts.emplace_back(name);
		rows.push_back({SInt32(texts.size()), row->value});
	}
	rows.push_back({kEndOfMenuItems, kEndOfMenuItems});
	if (inPopup == nullptr)
		return rows;
	inPopup->DeleteAllMenuItems();
	for (const std::string& text : texts) {
		Str255 item;
		PascalStrings::FromString(text, item);
		inPopup->AppendMenu(item, text != "-");
	}
	inPopup->SetMenuMinMax();
	return rows;
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
