#pragma once
// The category list on the left of the security preferences window: one row per panel title of a string
// list, optionally grouped under headings that open and close; a click shows the row's panel.
//
// Layout stream: the table's pane data, then the heading and normal text traits ids and the string list id
// (16 each), then the grouping flag (8). Items of the string list: "#Title" a group heading (open), showing
// its first row's panel; "!Title" a heading row of its own panel; "-" nothing; any other a bulleted row.

#include "Includes/TList.h"
#include "platform/framework/LListener.h"
#include "platform/framework/LTableView.h"
#include "platform/toolbox/gui/Icons.h"
#include "windows/security/tPrefsCategory.h"

#include <memory>

class TSecurityPrefsWindow;

class TSecurityPrefsTable : public LTableView, public LListener
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvSC") };
	enum : MessageT { msg_Redo = FOUR_CHAR_CODE("dscl") };
	static constexpr SInt16 kIconWidth = 16;

	explicit TSecurityPrefsTable(LStream* inStream);
	~TSecurityPrefsTable() override;

	void SetWindow(TSecurityPrefsWindow* inWindow) { mWindow = inWindow; }
	void LoadTitles(ResIDT inStringListID);
	// The entry shown on a 1-based row, or null.
	tPrefsCategory* GetPrefsCategory(TableIndexT inRow);
	void RedoTable();

	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;
	void ListenToMessage(MessageT inMessage, void* ioParam) override;

protected:
	void HiliteCellActively(const STableCell& inCell, Boolean inHilite) override;
	void HiliteCellInactively(const STableCell& inCell, Boolean inHilite) override;
	// Selection follows the click's meaning, which ClickCell decides.
	Boolean ClickSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;
	void ClickCell(const STableCell& inCell, const SMouseDownEvent& inMouseDown) override;
	void DrawCell(const STableCell& inCell, const Rect& inLocalRect) override;
	virtual void DrawMyCell(TableIndexT inRow, const Rect& inLocalRect, bool inSelected);

private:
	TableIndexT CountVisible();

	ResIDT mHeadingTraits = 0;
	ResIDT mNormalTraits = 0;
	ResIDT mTitlesID = 0;
	UInt8 mGrouping = 0;
	UInt16 mColumnWidth = 0;
	UInt16 mRowHeight = 19;
	CIconHandle mOpenIcon = nullptr;
	CIconHandle mClosedIcon = nullptr;
	TSecurityPrefsWindow* mWindow = nullptr;
	std::unique_ptr<TList<tPrefsCategory>> mCategories;
	RGBColor mSelectedColour = {0, 0, 0};
	RGBColor mNormalColour = {0xFFFF, 0xFFFF, 0xFFFF};
};
