#include "windows/security/TSummaryTable.h"

#include "Includes/NoValue.h"
#include "Includes/tSummaryParameters.h"
#include "foundation/UNumbers.h"
#include "model/TSecurity.h"
#include "platform/framework/LException.h"
#include "platform/framework/LStream.h"
#include "platform/framework/LTableMonoGeometry.h"
#include "platform/framework/LWindow.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/Appearance.h"
#include "platform/toolbox/gui/Events.h"
#include "platform/toolbox/gui/Fonts.h"
#include "platform/toolbox/gui/StTextState.h"
#include "toolkit/UKsCellFonts.h"
#include "toolkit/UKsStrings.h"
#include "windows/security/TSummaryTableDragTask.h"
#include "windows/security/TSummaryWindow.h"
#include "windows/security/UTableDrag.h"
#include "windows/security/tSummaryDraw.h"

#include <cstring>

namespace
{
constexpr SInt32 kMinimumRowHeight = 16;
constexpr SInt32 kLightSum = 157284; // 80 per cent of full white
constexpr UInt16 kControlKey = 0x1000;
const RGBColor kBlack{0, 0, 0};
const RGBColor kWhite{65535, 65535, 65535};
const RGBColor kLightTraitsColour{0, 26034, 52428};

SInt32 ColourSum(const RGBColor& inColour)
{
	return SInt32(inColour.red) + inColour.green + inColour.blue;
}

} // namespace

TSummaryTable::TSummaryTable(LStream* inStream) : TSelfHilitingTable(inStream)
{
	SInt16 firstID = 0, secondID = 0;
	*inStream >> firstID >> secondID;
	mRowTraits = UOneColumnTable::LoadTraits(firstID);
	mSecondTraits = UOneColumnTable::LoadTraits(secondID);
	mFontSize = mRowTraits.size;
	mRowHeight = UKsCellFonts::CellHeight(mFontSize, kMinimumRowHeight);
	mFrameWidth = UOneColumnTable::SetUp(*this, mRowHeight, false, 1);
	SetCustomHilite(true);
}

void TSummaryTable::SetTablePreferences()
{
	SignalIf_(mWindow == nullptr || mWindow->GetParameters() == nullptr);
	if (mWindow == nullptr || mWindow->GetParameters() == nullptr)
		return;
	const tSummaryParameters& p = *mWindow->GetParameters();
	char name[sizeof(p.fontName) + 1] = {};
	std::memcpy(name, p.fontName, sizeof(p.fontName));
	for (tTextTraits* traits : {&mRowTraits, &mSecondTraits}) {
		traits->size = SInt16(p.fontSize);
		traits->fontNumber = SInt16(p.fontNumber);
		traits->fontName = name;
	}
	mFontSize = mRowTraits.size;
	mRowHeight = UKsCellFonts::CellHeight(mFontSize, kMinimumRowHeight);
	mEvenColour = p.grid ? p.evenRowColour : p.backgroundColour;
	mOddColour = p.grid ? p.oddRowColour : p.backgroundColour;
	if (ColourSum(mEvenColour) > kLightSum || ColourSum(mOddColour) > kLightSum)
		mSecondTraits.colour = kLightTraitsColour;
	mTextColours[0] = p.textColour1;
	mTextColours[1] = p.textColour2;
	mTextColours[2] = p.textColour3;
	// One height for every row, present and future.
	if (GetTableGeometry() != nullptr)
		GetTableGeometry()->SetRowHeight(UInt16(mRowHeight), 1, 1);
	AdjustImageSize(false);
}

TSummaryTable::tRowRects TSummaryTable::CalcRects(const Rect& inCell) const
{
	const SInt32 h = mRowHeight;
	const bool icon = mWindow != nullptr && mWindow->GetParameters() != nullptr &&
	                  mWindow->GetParameters()->indicatorAsDot;
	tRowRects r{};
	r.cell = inCell;
	r.percent = inCell;
	r.percent.left = SInt16(inCell.right - 72);
	r.change = inCell;
	r.change.right = r.percent.left;
	r.change.left = SInt16(r.change.right - 84);
	r.price = inCell;
	r.price.right = r.change.left;
	r.price.left = SInt16(r.price.right - 84);
	r.close = inCell;
	r.close.right = r.price.left;
	r.close.left = SInt16(r.close.right - 84);
	r.name = inCell;
	if (icon) {
		r.dot.left = SInt16((h >> 1) - (h >> 3) - (h >> 2));
		r.dot.right = SInt16(r.dot.left + (h >> 2));
		r.dot.top = SInt16(inCell.top + UKsCellFonts::CellCentreLine(mFontSize, h) - (h >> 3));
		r.dot.bottom = SInt16(r.dot.top + (h >> 2));
		r.name.left = SInt16(h >> 1);
	}
	r.name.right = r.close.left;
	if (!mPrinting) {
		for (Rect* each : {&r.cell, &r.name, &r.close, &r.price, &r.change, &r.percent}) {
			each->left = SInt16(each->left + 4);
			each->right = SInt16(each->right - 5);
		}
		r.cell.left = SInt16(r.cell.left + 2);
		r.dot.left = SInt16(r.dot.left + 4);
		r.dot.right = SInt16(r.dot.right + 4);
	}
	const SInt16 baseline = SInt16(inCell.top + UKsCellFonts::CellBaseLine(mFontSize, h));
	for (Rect* each : {&r.cell, &r.name, &r.close, &r.price, &r.change, &r.percent})
		each->bottom = baseline;
	r.marker = r.name;
	r.marker.left = SInt16(r.name.right - h);
	return r;
}

// The rectangle's bottom is the text's baseline. DrawString puts the baseline a quarter of the rectangle's
// height above its bottom, so the rectangle handed to it reaches that much further down.
void TSummaryTable::DrawCellString(const char* inText, Rect inRect, SInt16 inJust) const
{
	inRect.top = SInt16(inRect.top + 2);
	inRect.bottom = SInt16(inRect.bottom + 2);
	const SInt16 baseline = inRect.bottom;
	Rect text = inRect;
	while (text.bottom - (text.bottom - text.top) / 4 < baseline)
		text.bottom = SInt16(text.bottom + 1);
	UKsStrings::DrawString(inText, text.left, text.bottom, &text, inJust);
}

void TSummaryTable::DrawCellFloat(double inValue, int inDecimals, bool inPercent, const Rect& inRect) const
{
	char text[64];
	if (float(inValue) == kNoValue) {
		std::strcpy(text, "N/A");
	} else {
		const int length = UNumbers::FormatFixed(text, sizeof(text) - 2, inValue, inDecimals);
		if (inPercent)
			std::strcpy(text + length, " %");
	}
	DrawCellString(text, inRect, teFlushRight);
}

void TSummaryTable::DrawCellFloat(float inValue, int inDecimals, bool inPercent, const Rect& inRect) const
{
	DrawCellFloat(UNumbers::ShortestDouble(inValue), inDecimals, inPercent, inRect);
}

void TSummaryTable::ComputeChange(const TSecurity* inSecurity, double& outChange, double& outPercent)
{
	const float price = inSecurity->CurrentTradePrice();
	const float previous = inSecurity->YesterdayClose();
	outChange = kNoValue;
	outPercent = kNoValue;
	if (price == kNoValue || previous == kNoValue)
		return;
	outChange = UNumbers::ShortestDouble(price) - UNumbers::ShortestDouble(previous);
	// Without a previous close there is no percentage.
	if (previous != 0)
		outPercent = 100.0 * outChange / UNumbers::ShortestDouble(previous);
}

void TSummaryTable::DrawCell(const STableCell& inCell, const Rect& inLocalRect)
{
	// A redraw of the table must keep the marker of the selected row.
	DrawCellAll(inCell, inLocalRect, CellIsSelected(inCell));
}

void TSummaryTable::DrawCellAll(const STableCell& inCell, const Rect& inLocalRect, bool inSelected)
{
	SignalIf_(mWindow == nullptr);
	if (mWindow == nullptr)
		return;
	tSummaryDraw* row = mWindow->Row(SInt32(inCell.row));
	SignalIf_(row == nullptr);
	if (row == nullptr)
		return;
	const tSummaryParameters* p = mWindow->GetParameters();

	ApplyForeAndBackColors();
	RGBBackColor((inCell.row & 1) ? &mOddColour : &mEvenColour);
	StTextState textState;
	UKsStrings::SaveAntiAliasState();
	UKsStrings::SetAntiAliasState(!mPrinting && p != nullptr && p->antiAliased);
	EraseRect(&inLocalRect);
	const tRowRects r = CalcRects(inLocalRect);
	UOneColumnTable::ApplyTraits(mRowTraits);

	if (row->Kind == tSummaryDraw::kTitle) {
		RGBForeColor(mPrinting ? &kBlack : &kWhite);
		DrawCellString(row->Title, r.cell, teFlushLeft);
	} else if (row->Kind == tSummaryDraw::kSecurity && row->Security != nullptr) {
		double change = 0, percent = 0;
		ComputeChange(row->Security, change, percent);
		TextFace(normal);
		RGBForeColor(mPrinting ? &kBlack : &row->Colour);
		if (row->Updating && p != nullptr && p->updateIndicator) {
			if (p->indicatorAsInvertedRow) {
				RGBBackColor(mPrinting ? &kBlack : &row->Colour);
				RGBForeColor(mPrinting ? &kWhite : &kBlack);
				EraseRect(&inLocalRect);
			}
			if (p->indicatorAsDot) {
				RGBColor dotColour;
				GetForeColor(&dotColour);
				RGBForeColor(mPrinting ? &kBlack : &row->Colour);
				PaintOval(&r.dot);
				RGBForeColor(&dotColour);
			}
		}
		TextFace(StyleParameter((row->Bold ? bold : 0) | (row->Italic ? italic : 0) |
		                        (row->Underline ? underline : 0)));
		if (!(mWindow->FlashPhase() && row->Flash)) {
			Rect name = r.name;
			if (inSelected) {
				DrawCellString("<-", r.marker, teFlushLeft);
				name.right = r.marker.left;
			}
			DrawCellString(row->Security->SecurityName(), name, teFlushLeft);
			DrawCellFloat(row->Security->YesterdayClose(), 4, false, r.close);
			DrawCellFloat(row->Security->CurrentTradePrice(), 4, false, r.price);
			DrawCellFloat(change, 2, false, r.change);
			DrawCellFloat(percent, 2, true, r.percent);
		}
	}
	UKsStrings::RestoreAntiAliasState();
}

void TSummaryTable::HiliteMyCell(const STableCell& inCell, Boolean inHilite)
{
	Rect cellRect;
	if (GetLocalCellRect(inCell, cellRect) && FocusDraw())
		DrawCellAll(inCell, cellRect, inHilite);
}

void TSummaryTable::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	mFrameWidth = UOneColumnTable::ResizeFrameBy(*this, inWidthDelta, inHeightDelta);
	if (inRefresh) {
		Refresh();
		UpdatePort();
	}
}

void TSummaryTable::ApplyForeAndBackColors() const
{
	RGBForeColor(&kWhite);
	RGBBackColor(&mOddColour);
}

Boolean TSummaryTable::HandleKeyPress(const EventRecord& inKeyEvent)
{
	if (mWindow != nullptr)
		return mWindow->HandleKeyPress(inKeyEvent);
	return LCommander::HandleKeyPress(inKeyEvent);
}

void TSummaryTable::ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown)
{
	if (mWindow == nullptr)
		return;
	tSummaryDraw* row = mWindow->Row(SInt32(inCell.row));
	if (row == nullptr)
		return;
	mDraggable = row->Draggable;
	const bool security = row->Kind == tSummaryDraw::kSecurity && row->Security != nullptr;
	if (security && GetClickCount() > 1) {
		row->Security->ShowDetailWindow();
		SetClickCount(0);
	} else if (security && (inMouseDown.macEvent.modifiers & kControlKey)) {
		mWindow->ShowContextMenu(SInt32(inCell.row), inMouseDown.macEvent.where);
	} else {
		mWindow->RedoDetailView(SInt32(inCell.row));
	}
}

void TSummaryTable::ClickSelf(const SMouseDownEvent& inMouseDown)
{
	if (!IsTarget())
		SwitchTarget(this);
	mDraggable = false;
	LTableView::ClickSelf(inMouseDown);
	if (mDraggable && mWindow != nullptr && DragAndDropIsPresent() &&
	    UTableDrag::MouseMovedBeforeRelease(inMouseDown.macEvent.where)) {
		TSummaryTableDragTask drag(inMouseDown.macEvent, this, mWindow->GetDrawList());
		drag.DoDrag();
	}
}
