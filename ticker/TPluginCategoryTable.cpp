#include "ticker/TPluginCategoryTable.h"

#include "platform/framework/LCheckBox.h"
#include "platform/framework/LException.h"
#include "platform/framework/LStream.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "platform/toolbox/gui/StTextState.h"
#include "ticker/TPrefsWindow.h"
#include "ticker/TXContentMgr.h"
#include "toolkit/UOneColumnTable.h"

#include <algorithm>
#include <new>

namespace
{

enum : SInt16 { kArrowOpenLight = 1036, kArrowClosedLight = 1037, kArrowOpen = 1030, kArrowClosed = 1031 };

bool IsLight(const RGBColor* colour)
{
	return colour && colour->red >= 0x8000 && colour->green >= 0x8000 && colour->blue >= 0x8000;
}

} // namespace

void TPluginCategoryTable::LoadArrowCicns(const RGBColor* colour1, const RGBColor* colour2,
                                          CIconHandle& openArrow, CIconHandle& closedArrow)
{
	const bool light = IsLight(colour1) || IsLight(colour2);
	openArrow = GetCIcon(light ? kArrowOpenLight : kArrowOpen);
	closedArrow = GetCIcon(light ? kArrowClosedLight : kArrowClosed);
}

TPluginCategoryTable::TPluginCategoryTable(LStream* inStream) : LTableView(inStream)
{
	*inStream >> mTextTraitsID;
	mRowHeight = UInt16(UOneColumnTable::RowHeight(mTextTraitsID, 19));
	UOneColumnTable::SetUp(*this, mRowHeight, false, 0);
	const RGBColor white = {0xFFFF, 0xFFFF, 0xFFFF};
	LoadArrowCicns(&white, nullptr, mOpenArrow, mClosedArrow);
}

TPluginCategoryTable::~TPluginCategoryTable()
{
	DisposeCIcon(mOpenArrow);
	DisposeCIcon(mClosedArrow);
}

void TPluginCategoryTable::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	LTableView::ResizeFrameBy(inWidthDelta, inHeightDelta, inRefresh);
	SetColWidth(UInt16(mFrameSize.width), 1, 1);
}

void TPluginCategoryTable::SelectionChanged()
{
	LTableView::SelectionChanged();
	Refresh();
}

TContentTreeNode* TPluginCategoryTable::NodeAt(const STableCell& inCell, TXContentMgr*& outManager) const
{
	outManager = mWindow ? mWindow->GetContentManager() : nullptr;
	return outManager ? outManager->GetNth(long(inCell.row)) : nullptr;
}

void TPluginCategoryTable::DrawCell(const STableCell& inCell, const Rect& inLocalRect)
{
	TXContentMgr* manager = nullptr;
	TContentTreeNode* node = NodeAt(inCell, manager);
	if (!node)
		return;
	StTextState textState;
	UTextTraits::SetPortTextTraits(mTextTraitsID);
	const SInt16 depthLeft = SInt16(inLocalRect.left + node->mDepth * kIndent);
	if (node->IsGroup()) {
		const SInt16 rise = SInt16(std::max(0, (inLocalRect.bottom - inLocalRect.top - 16) / 2));
		const Rect icon = {SInt16(inLocalRect.bottom - 16 - rise), depthLeft,
		                   SInt16(inLocalRect.bottom - rise), SInt16(depthLeft + 16)};
		if (CIconHandle arrow = manager->AreChildrenVisible(node) ? mOpenArrow : mClosedArrow)
			PlotCIcon(&icon, arrow);
	}
	const SInt16 textLeft = SInt16(depthLeft + kIndent + (node->IsGroup() ? 16 : 10) + 4);
	FontInfo info;
	GetFontInfo(&info);
	const SInt16 height = SInt16(inLocalRect.bottom - inLocalRect.top);
	MoveTo(textLeft, SInt16(inLocalRect.top + (height + info.ascent - info.descent) / 2));
	DrawString(node->mDescription);
}

void TPluginCategoryTable::ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown)
{
	TXContentMgr* manager = nullptr;
	TContentTreeNode* node = NodeAt(inCell, manager);
	if (!node)
		return;
	Rect cell;
	if (!GetLocalCellRect(inCell, cell))
		return;
	const SInt32 x = inMouseDown.whereLocal.h - cell.left;
	if (x >= node->mDepth * kIndent && x < (node->mDepth + 1) * kIndent) {
		manager->ExpandGroup(node);
		return;
	}
	if (LCheckBox* box = mWindow->GetRowCheckBox(SInt32(inCell.row) - 1))
		box->SetValue(manager->GetCheckState(node) == kUnchecked ? 1 : 0);
}
