#pragma once
// What the user does in a lookup window: type a search, pick a source, press keys and buttons, click rows.

#include "platform/framework/LEditText.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LPushButton.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "tests/windows/WindowInput.h"
#include "windows/security/TLookupTable.h"
#include "windows/security/TLookupWindow.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace LookupTest
{

using WindowInput::Key;

inline void ChooseSource(TLookupWindow* inWindow, OSType inSource)
{
	auto* popup = FrameworkTest::FindPane<LPopupButton>(inWindow, "Quot");
	for (SInt32 item = 1; item <= popup->CountMenuItems(); ++item) {
		popup->SetValue(item);
		if (inWindow->ChosenQuoter() == inSource)
			return;
	}
	ADD_FAILURE() << "the source is not in the menu";
}

// Types the text, picks the source and presses Return in the search field.
inline void Search(TLookupWindow* inWindow, const std::string& inText, OSType inSource)
{
	auto* field = FrameworkTest::FindPane<LEditText>(inWindow, "Srch");
	field->SetText(inText.c_str(), Size(inText.size()));
	ChooseSource(inWindow, inSource);
	Key(field, 13);
}

inline void ClickRow(TLookupWindow* inWindow, TableIndexT inRow, SInt16 inClicks = 1)
{
	TLookupTable* table = inWindow->GetTable();
	Rect cell;
	ASSERT_TRUE(table->GetLocalCellRect(STableCell(inRow, 1), cell));
	SMouseDownEvent click{};
	click.wherePort = Point{SInt16(cell.top + 2), SInt16(cell.left + 10)};
	table->LocalToPortPoint(click.wherePort);
	click.clickCount = inClicks;
	LPane::SetClickCount(inClicks);
	table->Click(click);
}

inline void PressButton(TLookupWindow* inWindow, const char (&inID)[5])
{
	FrameworkTest::FindPane<LPushButton>(inWindow, inID)->SimulateHotSpotClick(kControlButtonPart);
}

inline std::vector<TableIndexT> SelectedRows(TLookupWindow* inWindow)
{
	std::vector<TableIndexT> rows;
	for (STableCell cell(0, 0); inWindow->GetTable()->GetNextSelectedCell(cell);)
		rows.push_back(cell.row);
	return rows;
}

} // namespace LookupTest
