#pragma once
// The content table of the ticker settings window: one row per visible row of the content manager,
// indented 16 pixels per level, with a disclosure triangle before each group and the row's check box
// (a pane of the window's making) before its text. A click on the triangle opens or closes the group; a
// click elsewhere on the row flips its check box.
// Layout stream: the table's pane data, then the text traits id (16).

#include "platform/framework/LCommander.h"
#include "platform/framework/LTableView.h"
#include "platform/toolbox/gui/Icons.h"

class TContentTreeNode;
class TPrefsWindow;
class TXContentMgr;
struct RGBColor;

class TPluginCategoryTable : public LTableView, public LCommander
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvCT") };
	static constexpr SInt16 kIndent = 16;

	explicit TPluginCategoryTable(LStream* inStream);
	~TPluginCategoryTable() override;

	void SetPrefsWindow(TPrefsWindow* window) { mWindow = window; }
	UInt16 GetRowHeightOf() const { return mRowHeight; }
	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;

	// The pair of disclosure triangles for a table drawn in the given colours; the caller owns them.
	static void LoadArrowCicns(const RGBColor* colour1, const RGBColor* colour2, CIconHandle& openArrow,
	                           CIconHandle& closedArrow);

protected:
	void DrawCell(const STableCell& inCell, const Rect& inLocalRect) override;
	void ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;
	void SelectionChanged() override;

private:
	TContentTreeNode* NodeAt(const STableCell& inCell, TXContentMgr*& outManager) const;

	ResIDT mTextTraitsID = 0;
	UInt16 mRowHeight = 19;
	CIconHandle mOpenArrow = nullptr;
	CIconHandle mClosedArrow = nullptr;
	TPrefsWindow* mWindow = nullptr;
};
