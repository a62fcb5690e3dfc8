#include "windows/portfolio/TLedgerTable.h"

#include "Includes/NoValue.h"
#include "Includes/tLedgerEntry.h"
#include "foundation/UNumbers.h"
#include "model/TCurrencyConversion.h"
#include "platform/framework/LException.h"
#include "platform/framework/LScrollerView.h"
#include "platform/framework/LStream.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "platform/toolbox/gui/StTextState.h"
#include "toolkit/UOneColumnTable.h"
#include "windows/portfolio/TLedgerWindow.h"
#include "windows/security/UDragEntries.h"

#include <cstdio>
#include <vector>

namespace
{
constexpr SInt32 kMinimumRowHeight = 20;
struct tColumnWidths {
	SInt16 date, type, currency, total, price, units;
};
// A page is narrower than the window: printed columns leave the symbol room as well.
constexpr tColumnWidths kScreenWidths{100, 100, 128, 110, 100, 100};
constexpr tColumnWidths kPrintWidths{70, 72, 90, 80, 70, 70};
constexpr SInt16 kScrollZone = 16;
const RGBColor kBlack{0, 0, 0};
const RGBColor kWhite{65535, 65535, 65535};

// The no-value marker shows as "0.00" whatever the column's decimals.
std::string Number(float inValue, int inDecimals)
{
	if (inValue == kNoValue)
		return "0.00";
	char text[64];
	UNumbers::FormatFixed(text, sizeof text, inValue, inDecimals);
	return text;
}

const char* TypeName(UInt8 inType)
{
	switch (inType) {
	case kStockBuy:
		return "Stock Buy";
	case kStockSell:
		return "Stock Sell";
	case kStockSplit:
		return "Stock Split";
	case kFundSplit:
		return "Fund Split";
	case kFundBuy:
		return "Fund Buy";
	case kFundSell:
		return "Fund Sell";
	case kOtherTransaction:
		return "Other";
	default:
		return "Unknown";
	}
}

// The text cut to the rectangle's width - 2, drawn from its left + 2 or right-aligned 2 pixels from its
// right, its baseline 5 pixels above the bottom.
void DrawCellText(const std::string& inText, const Rect& inRect, bool inRight)
{
	Str255 text;
	PascalStrings::FromString(inText, text);
	const SInt16 room = SInt16(inRect.right - inRect.left - 2);
	if (room <= 0)
		return;
	SInt16 width = StringWidth(text);
	if (width > room) {
		TruncString(room, text, truncEnd);
		width = StringWidth(text);
	}
	const SInt16 h = inRight && width < room ? SInt16(inRect.right - 2 - width) : SInt16(inRect.left + 2);
	MoveTo(h, SInt16(inRect.bottom - 5));
	DrawString(text);
}
} // namespace

TLedgerTable::tRowTexts TLedgerTable::RowTexts(const tLedgerEntry& inEntry)
{
	tRowTexts texts;
	char text[64];
	std::snprintf(text, sizeof text, "%02d-%02d-%02d", inEntry.date.month, inEntry.date.day,
	              inEntry.date.year);
	texts.date = text;
	texts.type = TypeName(inEntry.type);
	texts.symbol.assign(inEntry.symbol, strnlen(inEntry.symbol, sizeof inEntry.symbol));
	switch (inEntry.type) {
	case kStockBuy:
	case kStockSell:
	case kFundBuy:
	case kFundSell: {
		const int decimals = inEntry.type >= kFundBuy ? 4 : 2;
		texts.units = Number(inEntry.units, decimals);
		texts.price = Number(inEntry.price, decimals);
		texts.total = Number(inEntry.units * inEntry.price, decimals);
		break;
	}
	case kOtherTransaction:
		texts.total = Number(inEntry.amount, 4);
		break;
	case kStockSplit:
	case kFundSplit: {
		const bool split = inEntry.splitTo >= inEntry.splitFrom;
		char larger[32], smaller[32];
		UNumbers::FormatFixed(larger, sizeof larger, split ? inEntry.splitTo : inEntry.splitFrom, 1);
		UNumbers::FormatFixed(smaller, sizeof smaller, split ? inEntry.splitFrom : inEntry.splitTo,
		                      1);
		texts.total = std::string(larger) + (split ? " for " : " to ") + smaller;
		break;
	}
	default:
		break;
	}
	if (inEntry.type != kStockSplit && inEntry.type != kFundSplit) {
		// A code the table does not know (a damaged or newer file) shows nothing.
		const char* name = TCurrencyConversion::GetCurrencyName(tCurrency(inEntry.currency));
		texts.currency = name != nullptr ? name : "";
	}
	return texts;
}

TLedgerTable::TLedgerTable(LStream* inStream) : LTableView(inStream), LDragAndDrop(this)
{
	*inStream >> mTextTraitsID;
	SignalIf_(ResourceStore::Get().GetTextTraits(mTextTraitsID) == nullptr);
	mRowHeight = UOneColumnTable::RowHeight(mTextTraitsID, kMinimumRowHeight);
	mColWidth = UOneColumnTable::SetUp(*this, mRowHeight, true, 1);
}

void TLedgerTable::DrawCell(const STableCell& inCell, const Rect& inLocalRect)
{
	SignalIf_(mWindow == nullptr);
	if (mWindow == nullptr || mWindow->GetList() == nullptr)
		return;
	const tLedgerEntry* entry = mWindow->GetList()->GetNth(long(inCell.row));
	if (entry == nullptr)
		return;
	StTextState textState;
	UTextTraits::SetPortTextTraits(mTextTraitsID);
	const bool selected = !mPrinting && CellIsSelected(inCell);
	RGBForeColor(selected ? &kWhite : &kBlack);
	RGBColor selection{14000, 30000, 56000};
	RGBBackColor(selected ? &selection : &kWhite);
	EraseRect(&inLocalRect);

	const tRowTexts texts = RowTexts(*entry);
	auto column = [&inLocalRect](SInt16 inLeft, SInt16 inRight) {
		return Rect{inLocalRect.top, inLeft, inLocalRect.bottom, inRight};
	};
	const tColumnWidths& widths = mPrinting ? kPrintWidths : kScreenWidths;
	const SInt16 left = inLocalRect.left, right = inLocalRect.right;
	const Rect date = column(left, SInt16(left + widths.date));
	const Rect type = column(date.right, SInt16(date.right + widths.type));
	const Rect currency = column(SInt16(right - widths.currency), right);
	const Rect total = column(SInt16(currency.left - widths.total), currency.left);
	const Rect price = column(SInt16(total.left - widths.price), total.left);
	const Rect units = column(SInt16(price.left - widths.units), price.left);
	const Rect symbol = column(type.right, units.left);
	DrawCellText(texts.date, date, false);
	DrawCellText(texts.type, type, false);
	DrawCellText(texts.symbol, symbol, false);
	DrawCellText(texts.units, units, true);
	DrawCellText(texts.price, price, true);
	DrawCellText(texts.total, total, true);
	DrawCellText(texts.currency, currency, true);
}

bool TLedgerTable::IsCellVisible(const STableCell& inCell) const
{
	Rect cell;
	return GetLocalCellRect(inCell, cell);
}

SInt32 TLedgerTable::LastRowSelected() const
{
	for (TableIndexT row = mRows; row >= 1; --row)
		if (CellIsSelected(STableCell(row, 1)))
			return SInt32(row);
	return 0;
}

void TLedgerTable::SelectionChanged()
{
	LTableView::SelectionChanged();
	if (mWindow != nullptr)
		mWindow->SelectionChanged();
}

void TLedgerTable::ClickSelf(const SMouseDownEvent& inMouseDown)
{
	if (!IsTarget())
		SwitchTarget(this);
	LTableView::ClickSelf(inMouseDown);
}

void TLedgerTable::ClickCell(const STableCell& inCell, const SMouseDownEvent&)
{
	if (mWindow != nullptr && GetClickCount() > 1) {
		mWindow->CreateEditWindow(SInt32(inCell.row), false);
		SetClickCount(0);
	}
}

void TLedgerTable::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	mColWidth = UOneColumnTable::ResizeFrameBy(*this, inWidthDelta, inHeightDelta);
	if (inRefresh)
		Refresh();
}

Boolean TLedgerTable::HandleKeyPress(const EventRecord& inKeyEvent)
{
	if (HandleNavigationKey(inKeyEvent))
		return true;
	return mWindow != nullptr ? mWindow->HandleKeyPress(inKeyEvent)
	                          : LCommander::HandleKeyPress(inKeyEvent);
}

Boolean TLedgerTable::ItemIsAcceptable(DragReference inDragRef, ItemReference inItemRef)
{
	Size size = 0;
	return DragAndDropIsPresent() && IsEnabled() &&
	       GetFlavorDataSize(inDragRef, inItemRef, UDragEntries::kDragFlavor, &size) == noErr;
}

SInt32 TLedgerTable::DropLineAt(DragReference inDragRef) const
{
	Point mouse{}, pinned{};
	GetDragMouse(inDragRef, &mouse, &pinned);
	LWindow* window = GetWindow();
	if (window == nullptr || mRowHeight < 1)
		return 0;
	window->GlobalToPortPoint(mouse);
	const SInt32 v = mouse.v - mImageLocation.v;
	SInt32 line = (v - 1) / mRowHeight + 1;
	if (v < (line - 1) * mRowHeight + mRowHeight / 2)
		--line;
	return std::clamp<SInt32>(line, 0, SInt32(mRows));
}

void TLedgerTable::DrawDropLine(SInt32 inLine)
{
	if (inLine < 0 || !FocusDraw())
		return;
	Rect frame;
	CalcLocalFrameRect(frame);
	Point at{SInt16(mImageLocation.v + mRowHeight * inLine - 1), 0};
	PortToLocalPoint(at);
	Pattern gray;
	GetQDGlobalsGray(&gray);
	PenNormal();
	PenPat(&gray);
	PenMode(patXor);
	PenSize(2, 2);
	MoveTo(frame.left, at.v);
	LineTo(frame.right, at.v);
	PenNormal();
}

void TLedgerTable::InsideDropArea(DragReference inDragRef)
{
	const SInt32 line = DropLineAt(inDragRef);
	if (line != mDropLine) {
		DrawDropLine(mDropLine);
		mDropLine = line;
		DrawDropLine(mDropLine);
	}
	Point mouse{}, pinned{};
	GetDragMouse(inDragRef, &mouse, &pinned);
	Rect frame;
	CalcPortFrameRect(frame);
	if (LWindow* window = GetWindow())
		window->GlobalToPortPoint(mouse);
	if (dynamic_cast<LScrollerView*>(GetSuperView()) != nullptr) {
		if (mouse.v < frame.top + kScrollZone)
			ScrollPinnedImageBy(0, -mRowHeight, true);
		else if (mouse.v > frame.bottom - kScrollZone)
			ScrollPinnedImageBy(0, mRowHeight, true);
	}
}

void TLedgerTable::LeaveDropArea(DragReference inDragRef)
{
	DrawDropLine(mDropLine);
	mDropLine = -1;
	LDragAndDrop::LeaveDropArea(inDragRef);
}

void TLedgerTable::ReceiveDragItem(DragReference inDragRef, DragAttributes, ItemReference inItemRef, Rect&)
{
	SignalIf_(mWindow == nullptr);
	std::vector<tDragEntry> dropped;
	if (mWindow == nullptr || !UDragEntries::Receive(inDragRef, inItemRef, dropped))
		return;
	// The drop moved nothing when it lands where the selection already is.
	const SInt32 line = mDropLine >= 0 ? mDropLine : DropLineAt(inDragRef);
	if (line > 0 && line == LastRowSelected())
		return;
	mWindow->ReceiveDropped(dropped, line);
}
