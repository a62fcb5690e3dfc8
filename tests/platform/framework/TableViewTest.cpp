#include "ControlsTestSupport.h"
#include "platform/framework/LScrollBar.h"
#include "platform/framework/LScrollerView.h"
#include "platform/framework/LTableArrayStorage.h"
#include "platform/framework/LTableMonoGeometry.h"
#include "platform/framework/LTableMultiGeometry.h"
#include "platform/framework/LTableMultiSelector.h"
#include "platform/framework/LTableSingleSelector.h"
#include "platform/framework/LTableView.h"
#include "platform/framework/UKeyFilters.h"
#include "platform/toolbox/gui/GrafPort.h"

#include <QImage>
#include <set>
#include <string>

using namespace ControlsTest;

namespace
{

// Two columns of 90 pixels, rows of 20, several cells selectable, a 32-bit number in each cell; scrolls by
// whole rows.
class TTable : public LTableView
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tTbl") };
	explicit TTable(LStream* inStream) : LTableView(inStream)
	{
		SetTableGeometry(new LTableMonoGeometry(this, 90, 20));
		SetTableSelector(new LTableMultiSelector(this));
		SetTableStorage(new LTableArrayStorage(this, sizeof(SInt32)));
		InsertCols(2, 0);
		SetScrollUnit(SPoint32{90, 20});
	}
	std::set<std::pair<TableIndexT, TableIndexT>> mDrawn;
	std::vector<STableCell> mClicked;
	int mSelectionChanges = 0;

	void SelectionChanged() override { ++mSelectionChanges; }

protected:
	void DrawCell(const STableCell& inCell, const Rect&) override
	{
		mDrawn.insert({inCell.row, inCell.col});
	}
	void ClickCell(const STableCell& inCell, const SMouseDownEvent&) override
	{
		mClicked.push_back(inCell);
	}
};

class TableViewTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadControlFixtures();
		RegisterClass_(TTable);
		mApp = std::make_unique<LApplication>();
		mWindow = LWindow::CreateWindow(7030, mApp.get());
		ASSERT_NE(mWindow, nullptr);
		mWindow->Show();
		mTable = dynamic_cast<TTable*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("tabl")));
		mScroller = dynamic_cast<LScrollerView*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("scrl")));
		ASSERT_TRUE(mTable && mScroller);
		for (SInt32 row = 1; row <= 10; ++row) {
			mTable->InsertRows(1, TableIndexT(row - 1));
			const SInt32 value = row * 10;
			mTable->SetCellData(STableCell(TableIndexT(row), 1), &value, sizeof value);
		}
	}

	void ClickCell(const STableCell& inCell, UInt16 inModifiers = 0)
	{
		Rect cell;
		mTable->GetLocalCellRect(inCell, cell);
		Point where{SInt16(cell.top + 5), SInt16(cell.left + 5)};
		mTable->LocalToPortPoint(where);
		ClickPortAt(mWindow, where, inModifiers);
	}

	std::vector<TableIndexT> SelectedRows() const
	{
		std::vector<TableIndexT> rows;
		STableCell cell;
		while (mTable->GetNextSelectedCell(cell))
			if (cell.col == 1)
				rows.push_back(cell.row);
		return rows;
	}

	SInt32 CellValue(TableIndexT inRow) const
	{
		SInt32 value = -1;
		UInt32 size = sizeof value;
		mTable->GetCellData(STableCell(inRow, 1), &value, size);
		return value;
	}

	void Key(UInt16 inChar, UInt16 inModifiers = 0)
	{
		EventRecord event;
		event.what = keyDown;
		event.message = inChar;
		event.modifiers = inModifiers;
		EXPECT_TRUE(mTable->HandleNavigationKey(event));
	}

	std::unique_ptr<LApplication> mApp;
	LWindow* mWindow = nullptr;
	TTable* mTable = nullptr;
	LScrollerView* mScroller = nullptr;
};

TEST_F(TableViewTest, MonoGeometryMapsCellsAndPoints)
{
	SDimension32 image;
	mTable->GetImageSize(image);
	EXPECT_EQ(image.width, 180);
	EXPECT_EQ(image.height, 200);
	STableCell cell;
	ASSERT_TRUE(mTable->GetCellHitBy(SPoint32{95, 45}, cell));
	EXPECT_EQ(cell, STableCell(3, 2));
	ASSERT_TRUE(mTable->GetCellHitBy(SPoint32{89, 19}, cell));
	EXPECT_EQ(cell, STableCell(1, 1));
	EXPECT_FALSE(mTable->GetCellHitBy(SPoint32{-1, 5}, cell));
	EXPECT_FALSE(mTable->GetCellHitBy(SPoint32{5, 200}, cell)); // below the last row
	Rect rect;
	EXPECT_TRUE(mTable->GetLocalCellRect(STableCell(3, 2), rect));
	EXPECT_EQ(rect.left, 90);
	EXPECT_EQ(rect.top, 40);
	EXPECT_EQ(rect.right, 180);
	EXPECT_EQ(rect.bottom, 60);
	// Row 8 lies below the 100-pixel frame until the table scrolls.
	EXPECT_FALSE(mTable->GetLocalCellRect(STableCell(8, 1), rect));
}

TEST_F(TableViewTest, MultiGeometryKeepsSizesWithTheirRows)
{
	SPaneInfo info;
	info.width = 100;
	info.height = 100;
	LTableView table(info);
	table.SetTableGeometry(new LTableMultiGeometry(&table, 50, 10));
	table.InsertCols(1, 0);
	table.InsertRows(4, 0);
	table.SetRowHeight(30, 2, 2);
	SInt32 left, top, right, bottom;
	table.GetImageCellBounds(STableCell(3, 1), left, top, right, bottom);
	EXPECT_EQ(top, 40);
	EXPECT_EQ(bottom, 50);
	STableCell cell;
	ASSERT_TRUE(table.GetCellHitBy(SPoint32{1, 39}, cell));
	EXPECT_EQ(cell.row, 2u);
	table.InsertRows(1, 1); // before the tall row
	EXPECT_EQ(table.GetRowHeight(2), 10);
	EXPECT_EQ(table.GetRowHeight(3), 30);
	table.RemoveRows(2, 1);
	EXPECT_EQ(table.GetRowHeight(1), 30);
	SDimension32 image;
	table.GetImageSize(image);
	EXPECT_EQ(image.height, 30 + 10 + 10);
}

TEST_F(TableViewTest, StorageFollowsInsertedAndRemovedRows)
{
	EXPECT_EQ(CellValue(4), 40);
	const SInt32 fill = 7;
	mTable->InsertRows(2, 3, &fill, sizeof fill);
	EXPECT_EQ(CellValue(3), 30);
	EXPECT_EQ(CellValue(4), 7);
	EXPECT_EQ(CellValue(5), 7);
	EXPECT_EQ(CellValue(6), 40);
	mTable->RemoveRows(3, 2);
	EXPECT_EQ(CellValue(2), 7);
	EXPECT_EQ(CellValue(3), 40);
	STableCell found;
	const SInt32 wanted = 100;
	ASSERT_TRUE(mTable->FindCellData(found, &wanted, sizeof wanted));
	EXPECT_EQ(found, STableCell(9, 1));
	// A column inserted in front shifts the data right.
	mTable->InsertCols(1, 0);
	SInt32 value = 0;
	UInt32 size = sizeof value;
	mTable->GetCellData(STableCell(3, 2), &value, size);
	EXPECT_EQ(value, 40);

	// Cells of their own sizes.
	SPaneInfo info;
	LTableView texts(info);
	texts.SetTableStorage(new LTableArrayStorage(&texts, 0));
	texts.InsertCols(1, 0);
	texts.InsertRows(2, 0);
	texts.SetCellData(STableCell(1, 1), "short", 5);
	texts.SetCellData(STableCell(2, 1), "much longer", 11);
	UInt32 length = 0;
	texts.GetCellData(STableCell(2, 1), nullptr, length);
	EXPECT_EQ(length, 11u);
	char buffer[8] = {};
	length = sizeof buffer - 1;
	texts.GetCellData(STableCell(2, 1), buffer, length);
	EXPECT_EQ(std::string(buffer, length), "much lo");
	length = sizeof buffer;
	texts.GetCellData(STableCell(5, 1), buffer, length);
	EXPECT_EQ(length, 0u);
}

TEST_F(TableViewTest, ClicksSelectWithShiftAndCommandAndReachClickCell)
{
	ClickCell(STableCell(2, 1));
	EXPECT_EQ(SelectedRows(), (std::vector<TableIndexT>{2}));
	ASSERT_EQ(mTable->mClicked.size(), 1u);
	EXPECT_EQ(mTable->mClicked[0], STableCell(2, 1));
	ClickCell(STableCell(4, 1), shiftKey);
	EXPECT_EQ(SelectedRows(), (std::vector<TableIndexT>{2, 3, 4}));
	ClickCell(STableCell(3, 1), cmdKey);
	EXPECT_EQ(SelectedRows(), (std::vector<TableIndexT>{2, 4}));
	ClickCell(STableCell(5, 1));
	EXPECT_EQ(SelectedRows(), (std::vector<TableIndexT>{5}));
	EXPECT_GE(mTable->mSelectionChanges, 4);

	// The selection stays on its row when rows above it go.
	mTable->RemoveRows(2, 1);
	EXPECT_EQ(SelectedRows(), (std::vector<TableIndexT>{3}));
	mTable->InsertRows(1, 0);
	EXPECT_EQ(SelectedRows(), (std::vector<TableIndexT>{4}));
	mTable->RemoveRows(1, 4);
	EXPECT_TRUE(mTable->GetFirstSelectedCell().IsNullCell());

	// A single selector keeps one cell.
	mTable->SetTableSelector(new LTableSingleSelector(mTable));
	ClickCell(STableCell(2, 2));
	ClickCell(STableCell(3, 1), shiftKey);
	EXPECT_EQ(mTable->GetFirstSelectedCell(), STableCell(3, 1));
	EXPECT_FALSE(mTable->CellIsSelected(STableCell(2, 2)));
}

TEST_F(TableViewTest, KeysMoveTheSelectionAndScrollToIt)
{
	LScrollBar* bar = mScroller->GetVerticalBar();
	ASSERT_NE(bar, nullptr);
	EXPECT_EQ(bar->GetMaxValue(), 5); // 200 pixels of rows in a 100-pixel frame, by rows of 20

	Key(char_DownArrow); // nothing selected: the first row
	EXPECT_EQ(mTable->GetFirstSelectedCell(), STableCell(1, 1));
	Key(char_DownArrow);
	Key(char_DownArrow, shiftKey);
	EXPECT_EQ(SelectedRows(), (std::vector<TableIndexT>{2, 3}));
	Key(char_RightArrow); // from the first selected cell, which alone stays selected
	EXPECT_EQ(mTable->GetFirstSelectedCell(), STableCell(2, 2));
	EXPECT_EQ(SelectedRows(), (std::vector<TableIndexT>{}));

	Key(char_End);
	EXPECT_EQ(mTable->GetFirstSelectedCell(), STableCell(10, 2));
	SPoint32 position;
	mTable->GetScrollPosition(position);
	EXPECT_EQ(position.v, 100);
	EXPECT_EQ(bar->GetValue(), 5);
	Key(char_PageUp); // five rows show: a page is four
	EXPECT_EQ(mTable->GetFirstSelectedCell().row, 6u);
	Key(char_Home);
	mTable->GetScrollPosition(position);
	EXPECT_EQ(position.v, 0);
	EXPECT_EQ(bar->GetValue(), 0);

	EventRecord letter;
	letter.what = keyDown;
	letter.message = 'x';
	EXPECT_FALSE(mTable->HandleNavigationKey(letter));
}

TEST_F(TableViewTest, ScrollerScrollsTheTableAndDrawingCoversTheShownCells)
{
	mWindow->UpdatePort();
	std::set<std::pair<TableIndexT, TableIndexT>> expected;
	for (TableIndexT row = 1; row <= 5; ++row)
		for (TableIndexT col = 1; col <= 2; ++col)
			expected.insert({row, col});
	EXPECT_EQ(mTable->mDrawn, expected);

	LScrollBar* bar = mScroller->GetVerticalBar();
	bar->SetValue(2);
	SPoint32 position;
	mTable->GetScrollPosition(position);
	EXPECT_EQ(position.v, 40);
	mTable->mDrawn.clear();
	mWindow->UpdatePort();
	EXPECT_EQ(mTable->mDrawn.count({3, 1}), 1u);
	EXPECT_EQ(mTable->mDrawn.count({7, 2}), 1u);
	EXPECT_EQ(mTable->mDrawn.count({2, 1}), 0u);
	EXPECT_EQ(mTable->mDrawn.count({8, 1}), 0u);

	mScroller->VertScroll(kControlDownButtonPart);
	EXPECT_EQ(bar->GetValue(), 3);
	mScroller->VertScroll(kControlPageDownPart); // pinned at the end
	mTable->GetScrollPosition(position);
	EXPECT_EQ(position.v, 100);
	EXPECT_EQ(bar->GetValue(), 5);
	mTable->ScrollCellIntoFrame(STableCell(2, 1));
	EXPECT_EQ(bar->GetValue(), 1);
	// Fewer rows shrink the image and the bar with it.
	mTable->RemoveRows(6, 5);
	EXPECT_EQ(bar->GetMaxValue(), 0);
	mTable->GetScrollPosition(position);
	EXPECT_EQ(position.v, 0);
}

TEST_F(TableViewTest, SelectionIsHilitedActivelyOrInactively)
{
	mWindow->Select();
	ASSERT_TRUE(mTable->IsActive());
	mTable->SelectCell(STableCell(2, 1));
	mWindow->UpdatePort();
	const QImage& image = *mWindow->GetMacPort()->image;
	auto portPixel = [&](const STableCell& inCell, int inDh, int inDv) {
		Rect cell;
		mTable->GetLocalCellRect(inCell, cell);
		Point where{SInt16(cell.top + inDv), SInt16(cell.left + inDh)};
		mTable->LocalToPortPoint(where);
		return image.pixel(where.h, where.v) & 0xFFFFFF;
	};
	EXPECT_EQ(portPixel(STableCell(2, 1), 40, 10), 0x000000u); // the white cell inverted
	EXPECT_EQ(portPixel(STableCell(2, 2), 40, 10), 0xFFFFFFu);
	mTable->Deactivate();
	mWindow->UpdatePort();
	EXPECT_EQ(portPixel(STableCell(2, 1), 40, 10), 0xFFFFFFu);
	EXPECT_EQ(portPixel(STableCell(2, 1), 0, 10), 0x888888u); // framed in grey
	// A table that draws its own selection gets no hilite.
	mTable->Activate();
	mTable->SetCustomHilite(true);
	mTable->Refresh();
	mWindow->UpdatePort();
	EXPECT_EQ(portPixel(STableCell(2, 1), 40, 10), 0xFFFFFFu);
}

} // namespace
