#include "windows/security/TSecurityPrefsTable.h"

#include "platform/framework/LException.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/LStream.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "platform/toolbox/gui/StColorPenState.h"
#include "platform/toolbox/gui/StTextState.h"
#include "ticker/TPluginCategoryTable.h"
#include "toolkit/UKsStrings.h"
#include "toolkit/UOneColumnTable.h"
#include "windows/security/TSecurityPrefsWindow.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace
{
constexpr char kBullet = char(0xA5);
constexpr int kBulletTitleLength = 49;

void CopyTitle(char* outTitle, const unsigned char* inText, int inFrom, int inMost)
{
	const int length = std::clamp(int(inText[0]) - inFrom + 1, 0, inMost);
	std::memcpy(outTitle, inText + inFrom, std::size_t(length));
	outTitle[length] = 0;
}
} // namespace

TSecurityPrefsTable::TSecurityPrefsTable(LStream* inStream) : LTableView(inStream)
{
	*inStream >> mHeadingTraits >> mNormalTraits >> mTitlesID >> mGrouping;
	mRowHeight = UInt16(UOneColumnTable::RowHeight(mHeadingTraits, 19));
	mCategories.reset(new (std::nothrow) TList<tPrefsCategory>(true, true));
	ThrowIfNil_(mCategories.get());
	mColumnWidth = UInt16(UOneColumnTable::SetUp(*this, mRowHeight, false, 0));
	if (mGrouping != 0) {
		const RGBColor white = {0xFFFF, 0xFFFF, 0xFFFF};
		TPluginCategoryTable::LoadArrowCicns(&white, nullptr, mOpenIcon, mClosedIcon);
	}
	LoadTitles(mTitlesID);
	LMGetHiliteRGB(&mSelectedColour);
}

TSecurityPrefsTable::~TSecurityPrefsTable()
{
	DisposeCIcon(mOpenIcon);
	DisposeCIcon(mClosedIcon);
}

void TSecurityPrefsTable::LoadTitles(ResIDT inStringListID)
{
	mCategories->Clear();
	UInt16 panel = 1;
	for (SInt16 index = 1;; ++index) {
		Str255 text;
		GetIndString(text, inStringListID, index);
		if (text[0] == 0)
			break;
		tPrefsCategory entry;
		entry.panel = panel;
		switch (text[1]) {
		case '#':
			entry.headingStyle = entry.group = entry.open = 1;
			CopyTitle(entry.title, text, 2, tPrefsCategory::kTitleLength);
			break;
		case '!':
			entry.headingStyle = 1;
			CopyTitle(entry.title, text, 2, tPrefsCategory::kTitleLength);
			++panel;
			break;
		case '-':
			continue;
		default:
			entry.title[0] = kBullet;
			entry.title[1] = ' ';
			CopyTitle(entry.title + 2, text, 1, kBulletTitleLength - 2);
			++panel;
			break;
		}
		mCategories->Append(&entry);
	}
	RemoveAllRows(false);
	InsertRows(UInt32(CountVisible()), 0, nullptr, 0, false);
}

tPrefsCategory* TSecurityPrefsTable::GetPrefsCategory(TableIndexT inRow)
{
	TableIndexT row = 0;
	bool open = true;
	for (tListNode<tPrefsCategory>* node = mCategories->GetEntryHead(); node != nullptr;
	     node = node->mNext) {
		tPrefsCategory* entry = node->mItem;
		if (entry->group != 0)
			open = entry->open != 0;
		else if (!open)
			continue;
		if (++row == inRow)
			return entry;
	}
	return nullptr;
}

TableIndexT TSecurityPrefsTable::CountVisible()
{
	TableIndexT count = 0;
	while (GetPrefsCategory(count + 1) != nullptr)
		++count;
	return count;
}

void TSecurityPrefsTable::RedoTable()
{
	RemoveAllRows(true);
	InsertRows(UInt32(CountVisible()), 0, nullptr, 0, true);
}

void TSecurityPrefsTable::ListenToMessage(MessageT inMessage, void*)
{
	if (inMessage == msg_Redo)
		RedoTable();
}

void TSecurityPrefsTable::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	LTableView::ResizeFrameBy(inWidthDelta, inHeightDelta, false);
	mColumnWidth = UInt16(mFrameSize.width);
	SetColWidth(mColumnWidth, 1, 1);
	if (inRefresh)
		Refresh();
}

Boolean TSecurityPrefsTable::ClickSelect(const STableCell&, const SMouseDownEvent&)
{
	return true;
}

void TSecurityPrefsTable::ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown)
{
	tPrefsCategory* entry = GetPrefsCategory(inCell.row);
	if (entry == nullptr)
		return;
	if (entry->group != 0 && mGrouping != 0) {
		Rect cell;
		GetLocalCellRect(inCell, cell);
		const SInt32 h = inMouseDown.whereLocal.h - cell.left;
		if (h >= 1 && h <= kIconWidth) {
			entry->open = entry->open != 0 ? 0 : 1;
			RedoTable();
			return;
		}
		if (entry->open == 0) {
			entry->open = 1;
			RedoTable();
		}
	}
	SelectCell(inCell);
	if (mWindow != nullptr && mWindow->GetMultiPanelView() != nullptr)
		mWindow->GetMultiPanelView()->SwitchToPanel(entry->panel);
}

void TSecurityPrefsTable::DrawCell(const STableCell& inCell, const Rect& inLocalRect)
{
	DrawMyCell(inCell.row, inLocalRect, false);
}

void TSecurityPrefsTable::HiliteCellActively(const STableCell& inCell, Boolean inHilite)
{
	Rect cell;
	if (GetLocalCellRect(inCell, cell) && FocusDraw())
		DrawMyCell(inCell.row, cell, inHilite);
}

void TSecurityPrefsTable::HiliteCellInactively(const STableCell& inCell, Boolean inHilite)
{
	HiliteCellActively(inCell, inHilite);
}

void TSecurityPrefsTable::DrawMyCell(TableIndexT inRow, const Rect& inLocalRect, bool inSelected)
{
	StTextState textState;
	StColorPenState penState;
	EraseRect(&inLocalRect);
	const tPrefsCategory* entry = GetPrefsCategory(inRow);
	if (entry == nullptr)
		return;
	RGBForeColor(inSelected ? &mSelectedColour : &mNormalColour);
	PaintRect(&inLocalRect);
	const RGBColor black = {0, 0, 0};
	RGBForeColor(&black);
	SInt16 textLeft = SInt16(inLocalRect.left + 4);
	if (entry->group != 0 && mGrouping != 0) {
		UTextTraits::SetPortTextTraits(mHeadingTraits);
		const Rect icon = {inLocalRect.top, inLocalRect.left, SInt16(inLocalRect.top + kIconWidth),
		                   SInt16(inLocalRect.left + kIconWidth)};
		if (CIconHandle arrow = entry->open != 0 ? mOpenIcon : mClosedIcon)
			PlotCIcon(&icon, arrow);
		textLeft = SInt16(inLocalRect.left + kIconWidth);
	} else {
		UTextTraits::SetPortTextTraits(entry->headingStyle != 0 ? mHeadingTraits : mNormalTraits);
	}
	UKsStrings::DrawString(entry->title, textLeft, inLocalRect.bottom, &inLocalRect, -2);
}
