#include "windows/portfolio/TPortfolioTable.h"

#include "Includes/NoValue.h"
#include "Includes/tPortfolioParameters.h"
#include "app/AppGlobals.h"
#include "foundation/UNumbers.h"
#include "model/TAccountant.h"
#include "model/TSecurity.h"
#include "platform/framework/LException.h"
#include "platform/framework/LStream.h"
#include "platform/framework/LTableMonoGeometry.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/Fonts.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "platform/toolbox/gui/StTextState.h"
#include "ticker/TPluginCategoryTable.h"
#include "windows/portfolio/TPortfolioWindow.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
constexpr SInt32 kMinimumRowHeight = 16;
constexpr SInt16 kSlot = 16;
const RGBColor kWhite{65535, 65535, 65535};

// Column widths from the right: change, current total, current price, reference total, reference price,
// shares; the name takes the rest.
constexpr SInt16 kScreenWidths[] = {105, 115, 99, 114, 99, 99};
constexpr SInt16 kPrintWidths[] = {64, 79, 64, 79, 64, 64};

float ReferencePrice(const tPortfolioItem& inItem, UInt8 inKind)
{
	switch (inKind) {
	case 100:
		return inItem.firstBuyPrice;
	case 101:
		return inItem.lastBuyPrice;
	default:
		return inItem.averageCost;
	}
}
} // namespace

TPortfolioTable::TPortfolioTable(LStream* inStream) : LTableView(inStream)
{
	SInt16 rowsID = 0, subItemsID = 0;
	*inStream >> rowsID >> subItemsID;
	mRowTraits = UOneColumnTable::LoadTraits(rowsID);
	mSubItemTraits = UOneColumnTable::LoadTraits(subItemsID);
	mRowHeight = std::max<SInt32>(mRowTraits.size + 6, kMinimumRowHeight);
	mColWidth = UOneColumnTable::SetUp(*this, mRowHeight, true, 0);
	SetCustomHilite(true);
}

TPortfolioTable::~TPortfolioTable()
{
	DisposeCIcon(mOpenIcon);
	DisposeCIcon(mClosedIcon);
}

void TPortfolioTable::SetTablePreferences()
{
	tPortfolioParameters* p = mWindow != nullptr ? mWindow->GetParameters() : nullptr;
	SignalIf_(p == nullptr);
	if (p == nullptr)
		return;
	char name[tPortfolioParameters::kFontNameSize + 1] = {};
	std::memcpy(name, p->fontName, tPortfolioParameters::kFontNameSize);
	for (tTextTraits* traits : {&mRowTraits, &mSubItemTraits}) {
		traits->size = SInt16(p->fontSize);
		traits->fontNumber = SInt16(p->fontNumber);
		traits->fontName = name;
	}
	mRowHeight = std::max<SInt32>(p->fontSize + 4, kMinimumRowHeight);
	mEvenColour = p->alternateRows ? p->firstRowColour : p->rowColour;
	mOddColour = p->alternateRows ? p->secondRowColour : p->rowColour;
	mGainColour = p->gainColour;
	mLossColour = p->lossColour;
	mUnchangedColour = p->unchangedColour;
	DisposeCIcon(mOpenIcon);
	DisposeCIcon(mClosedIcon);
	mOpenIcon = mClosedIcon = nullptr;
	TPluginCategoryTable::LoadArrowCicns(&mEvenColour, &mOddColour, mOpenIcon, mClosedIcon);
	if (GetTableGeometry() != nullptr)
		GetTableGeometry()->SetRowHeight(UInt16(mRowHeight), 1, 1);
	AdjustImageSize(false);
}

TableIndexT TPortfolioTable::LastRowSelected() const
{
	TableIndexT rows = 0, cols = 0;
	GetTableSize(rows, cols);
	for (TableIndexT row = rows; row >= 1; --row)
		if (CellIsSelected(STableCell(row, 1)))
			return row;
	return 0;
}

TPortfolioTable::tColumns TPortfolioTable::CalcRects(const Rect& inCell) const
{
	const SInt16* widths = mPrinting ? kPrintWidths : kScreenWidths;
	Rect* columns[6];
	tColumns c{};
	columns[0] = &c.change;
	columns[1] = &c.currentTotal;
	columns[2] = &c.currentPrice;
	columns[3] = &c.referenceTotal;
	columns[4] = &c.referencePrice;
	columns[5] = &c.shares;
	SInt16 right = inCell.right;
	for (int i = 0; i < 6; ++i) {
		*columns[i] = Rect{inCell.top, SInt16(right - widths[i]), inCell.bottom, right};
		right = columns[i]->left;
	}
	c.name = Rect{inCell.top, inCell.left, inCell.bottom, right};
	return c;
}

std::string TPortfolioTable::FormatFloat(float inValue, int inDecimals, bool inCommas)
{
	if (inValue == kNoValue)
		return "N/A";
	char text[64];
	UNumbers::FormatFixed(text, sizeof(text), inValue, inDecimals);
	// A value that rounds to zero (a holding sold down to nothing gives -0) shows no sign.
	if (text[0] == '-' && std::strspn(text + 1, "0.") == std::strlen(text + 1))
		std::memmove(text, text + 1, std::strlen(text));
	if (inCommas)
		UNumbers::AddCommas(text, sizeof(text));
	return text;
}

void TPortfolioTable::DrawCellFloat(float inValue, const Rect& inRect, int inDecimals, bool inCommas) const
{
	Str255 text;
	PascalStrings::FromString(FormatFloat(inValue, inDecimals, inCommas), text);
	const SInt16 room = SInt16(inRect.right - inRect.left - 2);
	TruncString(room, text, truncEnd);
	const SInt16 width = StringWidth(text);
	MoveTo(width < room ? SInt16(inRect.right - 2 - width) : SInt16(inRect.left + 2),
	       SInt16(inRect.bottom - 5));
	DrawString(text);
}

void TPortfolioTable::DrawCellString(const char* inText, const Rect& inRect) const
{
	Str255 text;
	PascalStrings::FromString(inText != nullptr ? inText : "", text);
	TruncString(SInt16(inRect.right - inRect.left - 2), text, truncEnd);
	MoveTo(SInt16(inRect.left + 2), SInt16(inRect.bottom - 5));
	DrawString(text);
}

void TPortfolioTable::DrawCell(const STableCell& inCell, const Rect& inLocalRect)
{
	TAccountant* accountant = mWindow != nullptr ? mWindow->GetAccountant() : nullptr;
	SignalIf_(accountant == nullptr);
	if (accountant == nullptr)
		return;
	const tPortfolioItem* item = accountant->GetNth(long(inCell.row));
	SignalIf_(item == nullptr);
	if (item == nullptr)
		return;
	const tPortfolioParameters* p = mWindow->GetParameters();
	const bool viewOriginal = mWindow->ViewOriginal();

	StTextState textState;
	const tColumns c = CalcRects(inLocalRect);
	RGBBackColor((inCell.row & 1) ? &mOddColour : &mEvenColour);
	EraseRect(&inLocalRect);
	UOneColumnTable::ApplyTraits(item->isCurrencyItem ? mSubItemTraits : mRowTraits);

	Rect name = c.name;
	if (mPrinting) {
		if (item->inCategory)
			name.left = SInt16(name.left + kSlot);
	} else {
		const SInt16 slot = item->isCategory ? kSlot : item->inCategory ? 2 * kSlot : 0;
		name.left = SInt16(name.left + slot + kSlot + 4 - 2);
	}

	auto colourFor = [this](float inChange) -> const RGBColor* {
		return inChange > 0 ? &mGainColour : inChange < 0 ? &mLossColour : &mUnchangedColour;
	};

	if (item->isCategory) {
		if (!mPrinting) {
			CIconHandle icon = item->open ? mOpenIcon : mClosedIcon;
			if (icon != nullptr) {
				Rect triangle{inLocalRect.top, inLocalRect.left,
				              SInt16(inLocalRect.top + kSlot),
				              SInt16(inLocalRect.left + kSlot)};
				PlotCIcon(&triangle, icon);
			}
		}
		const float reference = viewOriginal ? item->originalTotal : item->yesterdaysTotal;
		const float difference = item->currentTotal - reference;
		RGBForeColor(colourFor(difference));
		DrawCellFloat(reference, c.referenceTotal, 2, true);
		DrawCellFloat(item->currentTotal, c.currentTotal, 2, true);
		DrawCellFloat(difference, c.change, 2, true);
		TextFace(bold);
		DrawCellString(item->pCategory != nullptr ? item->pCategory->name : item->name, name);
		return;
	}

	const float change = viewOriginal ? item->originalChange : item->yesterdaysChange;
	RGBForeColor(change == kNoValue ? &mUnchangedColour : colourFor(change));
	if (change == kNoValue)
		TextFace(italic);
	DrawCellString(item->name, name);
	DrawCellFloat(item->shares, c.shares, 4, true);
	DrawCellFloat(item->currentPrice, c.currentPrice, 2, true);
	DrawCellFloat(item->currentTotal, c.currentTotal, 2, true);
	if (viewOriginal) {
		DrawCellFloat(ReferencePrice(*item, p != nullptr ? p->referencePrice : 102), c.referencePrice,
		              2, true);
		DrawCellFloat(item->originalTotal, c.referenceTotal, 2, true);
	} else {
		DrawCellFloat(item->yesterdaysPrice, c.referencePrice, 2, true);
		DrawCellFloat(item->yesterdaysTotal, c.referenceTotal, 2, true);
	}
	DrawCellFloat(change, c.change, 2, true);
}

void TPortfolioTable::ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown)
{
	TAccountant* accountant = mWindow != nullptr ? mWindow->GetAccountant() : nullptr;
	SignalIf_(accountant == nullptr);
	if (accountant == nullptr)
		return;
	const SInt32 row = SInt32(inCell.row);
	if (inMouseDown.whereLocal.h >= 1 && inMouseDown.whereLocal.h <= kSlot) {
		mWindow->ClickTriangle(row);
		return;
	}
	const tPortfolioItem* item = accountant->GetNth(row);
	if (item != nullptr && item->security != nullptr && GetClickCount() >= 2) {
		if (gCommander != nullptr)
			gCommander->ObeyCommand(CommandT(item->security->DetailWindowCommand()), nullptr);
		SetClickCount(0);
	}
}

void TPortfolioTable::HiliteSelection(Boolean, Boolean) {}
void TPortfolioTable::HiliteCell(const STableCell&, Boolean) {}
void TPortfolioTable::HiliteCellActively(const STableCell&, Boolean) {}
void TPortfolioTable::HiliteCellInactively(const STableCell&, Boolean) {}

void TPortfolioTable::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	mColWidth = UOneColumnTable::ResizeFrameBy(*this, inWidthDelta, inHeightDelta);
	if (inRefresh)
		Refresh();
}

void TPortfolioTable::ApplyForeAndBackColors() const
{
	RGBForeColor(&kWhite);
	RGBBackColor(&mEvenColour);
}
