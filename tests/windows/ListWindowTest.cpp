// The stock list window as the user drives it: rows deleted, added, dragged, ticked and sorted on a working
// copy that reaches the plug-in's list and its file only on OK, and in the window's order; Cancel and
// closing leave both as they were and free what the window made.

#include "Includes/TSecurityWatcher.h"
#include "Quoters/TQuoterManager.h"
#include "app/kestrunApp.h"
#include "foundation/TVyBufferFile.h"
#include "model/TStock.h"
#include "model/USecurityFile.h"
#include "model/UZVUtils.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/LScrollBar.h"
#include "platform/framework/LScrollerView.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UScrap.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/QtDrag.h"
#include "tests/app/StockPluginTestSupport.h"
#include "tests/platform/framework/ControlsTestSupport.h"
#include "tests/windows/ForwardingApplication.h"
#include "tests/windows/WindowInput.h"
#include "windows/security/TListTable.h"
#include "windows/security/TListTableDragTask.h"
#include "windows/security/TLookupList.h"
#include "windows/security/TSelectDlog.h"
#include "windows/security/TStockListWindow.h"
#include "windows/security/UDragEntries.h"
#include "windows/security/UWindowRegistry.h"

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

using WindowInput::Click;
using WindowInput::Key;

namespace
{

constexpr char kStocksFile[] = "Stock Plug-in Stocks";
constexpr size_t kHeaderSize = 8; // tag and count

class TGoneWatcher : public TSecurityWatcher
{
public:
	explicit TGoneWatcher(bool inPortfolio = false) { mIsPortfolio = inPortfolio; }
	void Remove(TSecurity*) override { ++mRemoved; }
	int mRemoved = 0;
};

class ListWindowTest : public StockPluginFixture
{
protected:
	void SetUp() override
	{
		StockPluginFixture::SetUp();
		kestrunApp::RegisterClasses();
		UWindowRegistry::Install();
		mForwarder = new ForwardingApplication;
		mPlugin = std::make_unique<TStockPlugin>(mForwarder);
		mForwarder->mPlugin = mPlugin.get();
		mPlugin->Initialize();
		// Five stocks, alternately shown in the summary.
		TList<TSecurity>* list = Stocks();
		while (list->Count() > 5) {
			TSecurity* last = list->GetLast();
			list->Remove(last);
		}
		int i = 0;
		TStockPlugin::ForEachSecurity(list, [&](TSecurity* s) { s->SummaryEnabled(i++ % 2 == 0); });
		ASSERT_EQ(mPlugin->WritePreferencesFiles(prefsStocks), 0);
		mOriginal = Symbols();
		mOriginalFile = ReadFile();
	}

	void TearDown() override
	{
		SetDragTracker(nullptr);
		Quit();
		if (mForwarder)
			mForwarder->mPlugin = nullptr;
		delete mForwarder;
		UDispatch::DeletePending();
		StockPluginFixture::TearDown();
	}

	TList<TSecurity>* Stocks() { return mPlugin->GetList(securityStock); }

	std::vector<std::string> Symbols()
	{
		std::vector<std::string> symbols;
		TStockPlugin::ForEachSecurity(Stocks(),
		                              [&](TSecurity* s) { symbols.push_back(s->SecuritySymbol()); });
		return symbols;
	}

	std::string ReadFile() const
	{
		std::ifstream in(PrefsPath(kStocksFile), std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(in), {});
	}

	// The security's record as the stocks file stores it.
	static std::string StoredRecord(TSecurity* inSecurity)
	{
		TList<TSecurity> one(false, false);
		one.Append(inSecurity);
		TVyBufferFile file;
		file.SetFileName("record");
		file.CreateFile();
		file.SetMode(kFileModeWrite);
		EXPECT_EQ(file.Open(), 0);
		EXPECT_EQ(USecurityFile::WriteSecurities(&file, &one), 0);
		file.Close();
		std::ifstream in("record", std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(in), {}).substr(kHeaderSize);
	}

	static std::string FileOf(SInt32 inCount, const std::vector<std::string>& inRecords)
	{
		std::string file("zv22");
		for (int shift = 24; shift >= 0; shift -= 8)
			file += char(UInt8(inCount >> shift));
		for (const std::string& record : inRecords)
			file += record;
		return file;
	}

	TStockListWindow* Open()
	{
		mPlugin->ObeyCommand(5111, nullptr);
		IPluginWindow* face = mPlugin->GetWindow(windowStockList);
		return face != nullptr ? dynamic_cast<TStockListWindow*>(face->GetCommander()) : nullptr;
	}

	static std::vector<std::string> Rows(TListWindow* inWindow)
	{
		std::vector<std::string> rows;
		for (tListNode<tSecurityEntry>* node = inWindow->GetWorkingList()->GetEntryHead();
		     node != nullptr; node = node->mNext)
			rows.push_back(node->mItem->Security->SecuritySymbol());
		return rows;
	}

	static std::vector<TableIndexT> Selected(TListTable* inTable)
	{
		std::vector<TableIndexT> rows;
		STableCell cell;
		while (inTable->GetNextSelectedCell(cell))
			rows.push_back(cell.row);
		return rows;
	}

	static TSelectDlog* DialogOf(TSecurity* inSecurity)
	{
		return dynamic_cast<TSelectDlog*>(inSecurity->GetSelectDlog());
	}

	static TSecurity* RowSecurity(TListWindow* inWindow, long inRow)
	{
		return inWindow->GetWorkingList()->GetNth(inRow)->Security;
	}

	// Drags the selected rows and drops them at the image's height inImageY of the table.
	static void DragSelectionTo(TListWindow* inWindow, SInt32 inImageY)
	{
		TListTable* table = inWindow->GetTable();
		SetDragTracker([&](DragReference inDrag) {
			SPoint32 image;
			table->GetImageLocation(image);
			Point global{SInt16(image.v + inImageY), SInt16(image.h + 60)};
			inWindow->PortToGlobalPoint(global);
			QtDrag::SetDragState(inDrag, global, 0);
			table->EnterDropArea(inDrag, true);
			table->InsideDropArea(inDrag);
			table->LeaveDropArea(inDrag);
			table->DoDragReceive(inDrag);
			return noErr;
		});
		EventRecord event{};
		TListTableDragTask drag(event, table, inWindow->GetWorkingList(),
		                        inWindow->OffersDragFlavor());
		drag.DoDrag();
		SetDragTracker(nullptr);
	}

	ForwardingApplication* mForwarder = nullptr;
	std::vector<std::string> mOriginal;
	std::string mOriginalFile;
};

TEST_F(ListWindowTest, EditsReachTheListAndItsFileOnlyOnOKInTheWindowsOrder)
{
	TStockListWindow* window = Open();
	ASSERT_NE(window, nullptr);
	TListTable* table = window->GetTable();
	const std::vector<std::string>& o = mOriginal;
	EXPECT_EQ(Rows(window), o);
	EXPECT_FALSE(window->GetDeleteButton()->IsEnabled());

	// Delete the second row with the key; the rest move up with their boxes.
	table->SelectCell(STableCell(2, 1));
	Key(table, 8);
	EXPECT_EQ(Rows(window), (std::vector<std::string>{o[0], o[2], o[3], o[4]}));
	EXPECT_FALSE(window->GetDeleteButton()->IsEnabled());
	LCheckBox* box = window->GetWorkingList()->GetNth(2)->SummaryCheckbox;
	SPoint32 where;
	box->GetFrameLocation(where);
	SPoint32 image;
	table->GetImageLocation(image);
	EXPECT_EQ(where.v - image.v, table->GetRowHeightValue()) << "the box follows its row";

	// Row 1 dragged below the last row, then row 3 onto the line just below itself (nothing moves).
	table->UnselectAllCells();
	table->SelectCell(STableCell(1, 1));
	DragSelectionTo(window, 4 * table->GetRowHeightValue() - 2);
	const std::vector<std::string> dragged{o[2], o[3], o[4], o[0]};
	EXPECT_EQ(Rows(window), dragged);
	EXPECT_EQ(Selected(table), std::vector<TableIndexT>{4});
	table->UnselectAllCells();
	table->SelectCell(STableCell(3, 1));
	DragSelectionTo(window, 3 * table->GetRowHeightValue() + 2);
	EXPECT_EQ(Rows(window), dragged);
	// Rows 1 and 2 below row 3: in their order, between the old rows 3 and 4.
	table->UnselectAllCells();
	table->SelectCell(STableCell(1, 1));
	table->SelectCell(STableCell(2, 1));
	DragSelectionTo(window, 3 * table->GetRowHeightValue() - 2);
	const std::vector<std::string> moved{o[4], o[2], o[3], o[0]};
	EXPECT_EQ(Rows(window), moved);
	EXPECT_EQ(Selected(table), (std::vector<TableIndexT>{2, 3}));

	// Untick o[2]'s summary box; nothing reaches the plug-in or the file before OK.
	TSecurity* o2 = Stocks()->GetNth(3);
	ASSERT_TRUE(o2->SummaryEnabled());
	std::vector<std::string> records{StoredRecord(Stocks()->GetNth(5))};
	o2->SummaryEnabled(false);
	records.push_back(StoredRecord(o2));
	o2->SummaryEnabled(true);
	for (long row : {4, 1})
		records.push_back(StoredRecord(Stocks()->GetNth(row)));
	window->GetWorkingList()->GetNth(2)->SummaryCheckbox->SetValue(0);
	EXPECT_TRUE(o2->SummaryEnabled());
	EXPECT_EQ(Symbols(), mOriginal);
	EXPECT_EQ(ReadFile(), mOriginalFile);

	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	UDispatch::DeletePending();
	EXPECT_EQ(mForwarder->mCommands, std::vector<CommandT>{5051});
	EXPECT_EQ(mPlugin->GetWindow(windowStockList), nullptr);
	EXPECT_EQ(Symbols(), moved);
	EXPECT_TRUE(ReadFile() == FileOf(4, records)) << "the file holds the rows in the window's order";

	// The next start reads the new order and the unticked box back.
	Quit();
	mForwarder->mPlugin = nullptr;
	Start();
	EXPECT_EQ(Symbols(), moved);
	EXPECT_FALSE(Stocks()->GetNth(2)->SummaryEnabled());
}

TEST_F(ListWindowTest, AddedSecuritiesAreEditedSortedInAndJoinTheListOnOK)
{
	TStockListWindow* window = Open();
	ASSERT_NE(window, nullptr);
	TListTable* table = window->GetTable();
	// Sorted by symbol, descending.
	window->ObeyCommand(TListWindow::kSortSymbol, nullptr);
	if (!window->Descending())
		window->ObeyCommand(TListWindow::kSortDirection, nullptr);
	std::vector<std::string> bySymbol = mOriginal;
	std::sort(bySymbol.rbegin(), bySymbol.rend());
	EXPECT_EQ(Rows(window), bySymbol);

	// Add with no row selected: a new first row, selected, with its dialog open.
	Click(window, TListWindow::kAddCommand);
	TSecurity* added = RowSecurity(window, 1);
	EXPECT_STREQ(added->SecurityName(), "New Stock");
	EXPECT_EQ(Selected(table), std::vector<TableIndexT>{1});
	EXPECT_TRUE(window->GetDeleteButton()->IsEnabled());
	TSelectDlog* dialog = DialogOf(added);
	ASSERT_NE(dialog, nullptr);
	auto* symbol = dynamic_cast<LEditText*>(dialog->FindPaneByID(FOUR_CHAR_CODE("Symb")));
	ASSERT_NE(symbol, nullptr);
	symbol->SetText("AAAA", 4);
	Click(dialog, TVyWindow::kOKButton);
	UDispatch::DeletePending();
	// Confirmed: sorted in by the current key.
	bySymbol.push_back("AAAA");
	EXPECT_EQ(Rows(window), bySymbol);
	EXPECT_EQ(Symbols(), mOriginal) << "the confirmed dialog adds nothing to the plug-in's list";

	// Sorting on the summary boxes puts the shown ones first (ascending).
	window->ObeyCommand(TListWindow::kSortDirection, nullptr);
	window->ObeyCommand(TListWindow::kSortSummary, nullptr);
	bool seenHidden = false;
	for (tListNode<tSecurityEntry>* node = window->GetWorkingList()->GetEntryHead(); node != nullptr;
	     node = node->mNext) {
		const bool shown = node->mItem->SummaryCheckbox->GetValue() != 0;
		EXPECT_FALSE(shown && seenHidden) << node->mItem->Security->SecuritySymbol();
		seenHidden = seenHidden || !shown;
	}
	const std::vector<std::string> order = Rows(window);

	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	UDispatch::DeletePending();
	EXPECT_EQ(Symbols(), order);
	Quit();
	mForwarder->mPlugin = nullptr;
	Start();
	EXPECT_EQ(Symbols(), order);
	const std::string file = ReadFile();
	EXPECT_EQ(file.substr(0, kHeaderSize), std::string("zv22\0\0\0\x06", 8));
}

namespace
{
std::string LoweredCopy(const char* inText)
{
	std::string text(inText, 0, 255);
	for (char& c : text)
		c = char(std::tolower(UInt8(c)));
	return text;
}

bool NameAfter(tSecurityEntry* inA, tSecurityEntry* inB)
{
	return LoweredCopy(inA->Security->SecurityName()) > LoweredCopy(inB->Security->SecurityName());
}

bool SymbolAfter(tSecurityEntry* inA, tSecurityEntry* inB)
{
	return LoweredCopy(inA->Security->SecuritySymbol()) > LoweredCopy(inB->Security->SecuritySymbol());
}

bool SummaryAfter(tSecurityEntry* inA, tSecurityEntry* inB)
{
	return inA->SummaryCheckbox->GetValue() == 0 && inB->SummaryCheckbox->GetValue() != 0;
}

bool MenuAfter(tSecurityEntry* inA, tSecurityEntry* inB)
{
	return inA->MenuCheckbox->GetValue() == 0 && inB->MenuCheckbox->GetValue() != 0;
}

std::vector<TSecurity*> RowOrder(TList<tSecurityEntry>* inList)
{
	std::vector<TSecurity*> order;
	for (tListNode<tSecurityEntry>* node = inList->GetEntryHead(); node != nullptr; node = node->mNext)
		order.push_back(node->mItem->Security);
	return order;
}
} // namespace

// Each sort gives the order that comparing every pair's own names, symbols or boxes gives, in both
// directions and with many ties (names and symbols equal but for case, boxes in runs).
TEST_F(ListWindowTest, SortsGiveThePairwiseOrderTiesIncluded)
{
	const char* names[] = {"beta", "Alpha", "ALPHA", "alpha", "Beta"};
	const char* symbols[] = {"ab", "AB", "c", "Ab", "b"};
	int i = 0;
	TStockPlugin::ForEachSecurity(Stocks(), [&](TSecurity* s) {
		s->SecurityName(names[i]);
		s->SecuritySymbol(symbols[i]);
		s->MenuEnabled(i % 3 != 1);
		++i;
	});
	TStockListWindow* window = Open();
	ASSERT_NE(window, nullptr);
	const std::pair<FourCharCode, bool (*)(tSecurityEntry*, tSecurityEntry*)> keys[] = {
	    {TListWindow::kSortName, NameAfter},
	    {TListWindow::kSortSymbol, SymbolAfter},
	    {TListWindow::kSortSummary, SummaryAfter},
	    {TListWindow::kSortMenu, MenuAfter}};
	for (const auto& [key, after] : keys) {
		for (CommandT click : {CommandT(key), CommandT(TListWindow::kSortDirection)}) {
			const bool descending = click == TListWindow::kSortDirection ? !window->Descending()
			                                                             : window->Descending();
			TList<tSecurityEntry> expected(false, false);
			for (tListNode<tSecurityEntry>* node = window->GetWorkingList()->GetEntryHead();
			     node != nullptr; node = node->mNext)
				expected.Append(node->mItem);
			expected.BubbleSort(after, descending);
			Click(window, click);
			EXPECT_EQ(window->Descending(), descending);
			EXPECT_EQ(RowOrder(window->GetWorkingList()), RowOrder(&expected))
			    << "key " << std::string(reinterpret_cast<const char*>(&key), 4)
			    << (descending ? " down" : " up");
		}
	}
	window->ObeyCommand(TVyWindow::kCancelButton, nullptr);
	UDispatch::DeletePending();
	Quit();
}

TEST_F(ListWindowTest, CancellingANewSecuritysDialogDropsOnlyItsOwnRow)
{
	TStockListWindow* window = Open();
	ASSERT_NE(window, nullptr);
	TListTable* table = window->GetTable();
	Click(window, TListWindow::kAddCommand); // new A as row 1
	TSecurity* a = RowSecurity(window, 1);
	table->UnselectAllCells();
	table->SelectCell(STableCell(3, 1));
	Click(window, TListWindow::kAddCommand); // new B after row 3
	TSecurity* b = RowSecurity(window, 4);
	ASSERT_NE(DialogOf(a), nullptr);
	ASSERT_NE(DialogOf(b), nullptr);
	// Another row is selected when A's dialog is cancelled: only A goes.
	table->UnselectAllCells();
	table->SelectCell(STableCell(2, 1));
	Click(DialogOf(a), TVyWindow::kCancelButton);
	UDispatch::DeletePending();
	const std::vector<std::string> withB{mOriginal[0], mOriginal[1], "NEW",
	                                     mOriginal[2], mOriginal[3], mOriginal[4]};
	EXPECT_EQ(Rows(window), withB);
	EXPECT_EQ(RowSecurity(window, 3), b);
	// An existing row's dialog cancelled removes nothing.
	window->CreateEditWindow(1, false);
	Click(DialogOf(RowSecurity(window, 1)), TVyWindow::kCancelButton);
	UDispatch::DeletePending();
	EXPECT_EQ(Rows(window), withB);
	Click(DialogOf(b), TVyWindow::kCancelButton);
	UDispatch::DeletePending();
	EXPECT_EQ(Rows(window), mOriginal);
	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	UDispatch::DeletePending();
	EXPECT_EQ(Symbols(), mOriginal);
	EXPECT_EQ(ReadFile(), mOriginalFile) << "OK with nothing changed rewrites the same file";
}

TEST_F(ListWindowTest, CancelAndClosingLeaveTheListAsItWasAndFreeNewSecurities)
{
	TStockListWindow* window = Open();
	ASSERT_NE(window, nullptr);
	TListTable* table = window->GetTable();
	table->SelectCell(STableCell(1, 1));
	Key(table, 'd', cmdKey);
	window->GetWorkingList()->GetNth(1)->MenuCheckbox->SetValue(1);
	Click(window, TListWindow::kAddCommand);
	TSecurity* added = RowSecurity(window, 1);
	TGoneWatcher gone;
	added->AddWatcher(&gone);
	ASSERT_NE(DialogOf(added), nullptr);
	const bool menuBefore = Stocks()->GetNth(2)->MenuEnabled();

	Click(window, TVyWindow::kCancelButton);
	UDispatch::DeletePending();
	EXPECT_EQ(mForwarder->mCommands, std::vector<CommandT>{});
	EXPECT_EQ(mPlugin->GetWindow(windowStockList), nullptr);
	EXPECT_EQ(gone.mRemoved, 1) << "the new security and its dialog went with the window";
	EXPECT_EQ(Symbols(), mOriginal);
	EXPECT_EQ(Stocks()->GetNth(2)->MenuEnabled(), menuBefore);
	EXPECT_EQ(ReadFile(), mOriginalFile);

	// Shut down with a window open: the same.
	window = Open();
	ASSERT_NE(window, nullptr);
	Click(window, TListWindow::kAddCommand);
	TGoneWatcher goneAtQuit;
	RowSecurity(window, 1)->AddWatcher(&goneAtQuit);
	Quit();
	UDispatch::DeletePending();
	EXPECT_EQ(goneAtQuit.mRemoved, 1);
}

TEST_F(ListWindowTest, OKKeepsSecuritiesAddedElsewhereAndAsksBeforeDeletingHeldOnes)
{
	TStockListWindow* window = Open();
	ASSERT_NE(window, nullptr);
	TSecurity* held = Stocks()->GetNth(1);
	TGoneWatcher portfolio(true);
	held->AddWatcher(&portfolio);
	window->ObeyCommand(TListWindow::kSortSymbol, nullptr);
	std::vector<std::string> rows = Rows(window);
	const long heldRow = std::find(rows.begin(), rows.end(), held->SecuritySymbol()) - rows.begin() + 1;
	const long otherRow = heldRow == 1 ? 2 : 1;
	window->GetTable()->SelectCell(STableCell(TableIndexT(heldRow), 1));
	window->GetTable()->SelectCell(STableCell(TableIndexT(otherRow), 1));
	window->ObeyCommand(TListWindow::kDeleteCommand, nullptr);
	// Meanwhile a stock joins the list from elsewhere (an Apple event, a portfolio).
	mPlugin->AddAStock("ZZZZ", 100, false);

	// Yes: the deleted rows come back at the end, last row first, and the newcomer is kept after them.
	std::vector<std::string> expected = Rows(window);
	expected.push_back(rows[size_t(std::max(heldRow, otherRow) - 1)]);
	expected.push_back(rows[size_t(std::min(heldRow, otherRow) - 1)]);
	expected.push_back("ZZZZ");
	ExpectMessage();
	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	UDispatch::DeletePending();
	EXPECT_EQ(mShown, std::vector<std::string>{MessageText(16)});
	EXPECT_EQ(Symbols(), expected);
	EXPECT_EQ(portfolio.mRemoved, 0);

	// No: the held security goes.
	window = Open();
	ASSERT_NE(window, nullptr);
	window->GetTable()->SelectCell(STableCell(TableIndexT(Stocks()->FindItem(held)), 1));
	window->ObeyCommand(TListWindow::kDeleteCommand, nullptr);
	StDialogHandler::QueueAnswer(msg_Cancel);
	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	UDispatch::DeletePending();
	EXPECT_EQ(portfolio.mRemoved, 1);
	expected.erase(std::find(expected.begin(), expected.end(), rows[size_t(heldRow - 1)]));
	EXPECT_EQ(Symbols(), expected);
}

TEST_F(ListWindowTest, KeysMoveTheSelectionAndTypingFindsARowButAnEmptyTableStaysEmpty)
{
	TStockListWindow* window = Open();
	ASSERT_NE(window, nullptr);
	TListTable* table = window->GetTable();
	Key(window, 30); // up arrow without a selection: the last row
	EXPECT_EQ(Selected(table), std::vector<TableIndexT>{5});
	Key(window, 12); // Page Down on the last row stays there
	EXPECT_EQ(Selected(table), std::vector<TableIndexT>{5});
	Key(window, 1);
	EXPECT_EQ(Selected(table), std::vector<TableIndexT>{1});
	// The selected row shows in the hilite colour beside its boxes, the others do not.
	auto background = [&](TableIndexT inRow) {
		window->UpdatePort();
		Rect names;
		table->GetNamesRect(STableCell(inRow, 1), names);
		Point corner{SInt16(names.top + 1), SInt16(names.left + 1)};
		table->LocalToPortPoint(corner);
		return QColor(window->GetMacPort()->image->pixel(corner.h, corner.v));
	};
	RGBColor hilite;
	LMGetHiliteRGB(&hilite);
	EXPECT_EQ(background(1), QColor(hilite.red >> 8, hilite.green >> 8, hilite.blue >> 8));
	EXPECT_EQ(background(2), QColor(Qt::white));

	// Typing the start of a name, in any case, selects the first row it begins; a pause starts anew.
	const std::string name = RowSecurity(window, 4)->SecurityName();
	StTestClock clock;
	Key(table, char(std::tolower(UInt8(name[0]))));
	clock.Advance(10);
	Key(table, char(std::toupper(UInt8(name[1]))));
	EXPECT_EQ(RowSecurity(window, long(Selected(table).front()))->SecurityName()[1], name[1]);
	EXPECT_TRUE(window->GetDeleteButton()->IsEnabled());
	clock.Advance(60);
	const std::string first = RowSecurity(window, 1)->SecurityName();
	Key(table, first[0]);
	EXPECT_EQ(Selected(table).front(), TableIndexT(1));

	// Everything deleted: no key selects a row or enables Delete.
	table->SelectAllCells();
	window->ObeyCommand(TListWindow::kDeleteCommand, nullptr);
	EXPECT_TRUE(Rows(window).empty());
	for (char key : {char(1), char(4), char(11), char(12), char(30), char(31)}) {
		Key(window, key);
		EXPECT_TRUE(Selected(table).empty()) << int(key);
		EXPECT_FALSE(window->GetDeleteButton()->IsEnabled()) << int(key);
	}
}

TEST_F(ListWindowTest, TheScrollArrowsMoveALongListByWholeRows)
{
	for (int i = 0; i < 30; ++i)
		mPlugin->AddAStock(("S" + std::to_string(i)).c_str(), 100, false);
	TStockListWindow* window = Open();
	ASSERT_NE(window, nullptr);
	TListTable* table = window->GetTable();
	auto* scroller = dynamic_cast<LScrollerView*>(table->GetSuperView());
	ASSERT_NE(scroller, nullptr);
	scroller->VertScroll(kControlDownButtonPart);
	scroller->VertScroll(kControlDownButtonPart);
	SPoint32 position;
	table->GetScrollPosition(position);
	EXPECT_EQ(position.v, 2 * table->GetRowHeight(1));
	EXPECT_EQ(scroller->GetVerticalBar()->GetValue(), 2);
	// The bar's last step shows the last row.
	scroller->GetVerticalBar()->SetValue(scroller->GetVerticalBar()->GetMaxValue());
	Rect last, frame;
	ASSERT_TRUE(table->GetLocalCellRect(STableCell(35, 1), last));
	table->CalcLocalFrameRect(frame);
	EXPECT_LE(last.bottom, frame.bottom);

	// Each row shows its own security, the selected one too, wherever the list is scrolled: one row
	// lower or at the top, a row looks the same.
	auto rowOnScreen = [&](TableIndexT inRow) {
		Rect cell;
		EXPECT_TRUE(table->GetLocalCellRect(STableCell(inRow, 1), cell));
		SPoint32 image;
		table->GetImageLocation(image);
		const QImage shown = QtPaneWidget::ContentOf(window)->grab().toImage();
		return shown.copy(QRect(cell.left + image.h, cell.top + image.v, cell.right - cell.left,
		                        cell.bottom - cell.top));
	};
	table->UnselectAllCells();
	table->SelectCell(STableCell(2, 1));
	scroller->GetVerticalBar()->SetValue(0);
	const QImage second = rowOnScreen(2), third = rowOnScreen(3);
	scroller->GetVerticalBar()->SetValue(1);
	EXPECT_TRUE(rowOnScreen(2) == second) << "the selected row at the top";
	EXPECT_TRUE(rowOnScreen(3) == third);
	EXPECT_FALSE(second == third);
}

TEST_F(ListWindowTest, ChosenLookupResultsBecomeNewRowsAndTheLookupWindowGoesWithItsListWindow)
{
	TStockListWindow* window = Open();
	ASSERT_NE(window, nullptr);
	window->ObeyCommand(TListWindow::kLookCommand, nullptr);
	LWindow* lookup = window->GetLookupWindow();
	ASSERT_NE(lookup, nullptr);
	window->ObeyCommand(TListWindow::kLookCommand, nullptr);
	EXPECT_EQ(window->GetLookupWindow(), lookup) << "one lookup window per list window";

	// Results as a source leaves them; the lookup window marks the chosen ones.
	TLookupList* results = window->GetLookupList();
	auto result = [&](const char* inSymbol, const char* inName, tStockExchange inExchange,
	                  OSType inQuoter, bool inMarked, bool inAdded) {
		tLookupEntry entry;
		std::strcpy(entry.symbol, inSymbol);
		std::strcpy(entry.name, inName);
		entry.exchange = inExchange;
		entry.quoter = inQuoter;
		entry.marked = inMarked;
		entry.added = inAdded;
		results->Append(&entry);
	};
	window->ObeyCommand(TListWindow::kLookupsChosen, nullptr);
	EXPECT_EQ(Rows(window), mOriginal) << "nothing marked, nothing added";

	TStock probe;
	probe.Exchange(100);
	const OSType usual = TQuoterManager::GetQuoterSig(&probe);
	result("ONE", "One Inc", 100, usual, true, false);
	result("SKIP", "Skipped", 100, usual, false, false);
	result("TWO", "Two Plc", 300, FOUR_CHAR_CODE("qZZZ"), true, false);
	result("OLD", "Added Before", 100, usual, true, true);
	window->GetTable()->SelectCell(STableCell(2, 1));
	window->ObeyCommand(TListWindow::kLookupsChosen, nullptr);
	EXPECT_EQ(Rows(window), (std::vector<std::string>{mOriginal[0], mOriginal[1], "TWO", "ONE",
	                                                  mOriginal[2], mOriginal[3], mOriginal[4]}));
	auto* two = dynamic_cast<TStock*>(RowSecurity(window, 3));
	ASSERT_NE(two, nullptr);
	EXPECT_STREQ(two->SecurityName(), "Two Plc");
	EXPECT_EQ(two->Exchange(), 300);
	EXPECT_TRUE(two->OverrideQuoter());
	EXPECT_EQ(two->Quoter(), FOUR_CHAR_CODE("qZZZ"));
	EXPECT_FALSE(RowSecurity(window, 4)->OverrideQuoter())
	    << "the exchange's own source needs no override";

	TGoneWatcher gone;
	two->AddWatcher(&gone);
	Click(window, TVyWindow::kCancelButton);
	UDispatch::DeletePending();
	const std::vector<LWindow*> open = LWindow::GetWindowList();
	EXPECT_EQ(std::find(open.begin(), open.end(), lookup), open.end());
	EXPECT_EQ(gone.mRemoved, 1);
	EXPECT_EQ(Symbols(), mOriginal);
}

TEST_F(ListWindowTest, ADragOffersTheKindsFlavoursAndTheRowsAsTextAndStaysWithinItsKind)
{
	TStockListWindow* stocks = Open();
	ASSERT_NE(stocks, nullptr);
	mPlugin->ObeyCommand(5131, nullptr);
	auto* indexes = dynamic_cast<TListWindow*>(mPlugin->GetWindow(windowIndexList)->GetCommander());
	ASSERT_NE(indexes, nullptr);

	struct tSeen {
		std::vector<FlavorType> flavours;
		std::string text;
		bool indexesAccept = true;
	};
	auto drag = [&](TListWindow* inWindow) {
		tSeen seen;
		SetDragTracker([&](DragReference inDrag) {
			UInt16 count = 0;
			ItemReference item = 0;
			GetDragItemReferenceNumber(inDrag, 1, &item);
			CountDragItemFlavors(inDrag, item, &count);
			for (UInt16 i = 1; i <= count; ++i) {
				FlavorType type = 0;
				GetFlavorType(inDrag, item, i, &type);
				seen.flavours.push_back(type);
			}
			Size size = 0;
			GetFlavorDataSize(inDrag, item, kDragFlavorTypeText, &size);
			seen.text.resize(size_t(size));
			GetFlavorData(inDrag, item, kDragFlavorTypeText, seen.text.data(), &size, 0);
			seen.indexesAccept = indexes->GetTable()->ItemIsAcceptable(inDrag, item);
			return noErr;
		});
		EventRecord event{};
		TListTableDragTask task(event, inWindow->GetTable(), inWindow->GetWorkingList(),
		                        inWindow->OffersDragFlavor());
		task.DoDrag();
		SetDragTracker(nullptr);
		return seen;
	};

	const std::string before = "untouched";
	UScrap::SetData(kDragFlavorTypeText, before.data(), SInt32(before.size()));
	stocks->GetTable()->SelectCell(STableCell(1, 1));
	stocks->GetTable()->SelectCell(STableCell(3, 1));
	const tSeen fromStocks = drag(stocks);
	EXPECT_EQ(
	    fromStocks.flavours,
	    (std::vector<FlavorType>{FOUR_CHAR_CODE("stSL"), FOUR_CHAR_CODE("zvDF"), kDragFlavorTypeText}));
	const std::string lines =
	    UDragEntries::TextLine(RowSecurity(stocks, 1)) + UDragEntries::TextLine(RowSecurity(stocks, 3));
	EXPECT_EQ(fromStocks.text, lines);
	std::string clipboard;
	UScrap::GetData(kDragFlavorTypeText, &clipboard);
	EXPECT_EQ(clipboard, before) << "a drag leaves the clipboard alone";
	EXPECT_FALSE(fromStocks.indexesAccept) << "stock rows do not go into the index list";

	indexes->GetTable()->SelectCell(STableCell(1, 1));
	const tSeen fromIndexes = drag(indexes);
	EXPECT_EQ(fromIndexes.flavours,
	          (std::vector<FlavorType>{FOUR_CHAR_CODE("stIL"), kDragFlavorTypeText}));
	EXPECT_NE(fromIndexes.text.find("\tindexUnknown\n"), std::string::npos);
	EXPECT_TRUE(fromIndexes.indexesAccept);
}

// A long list keeps in its table only the boxes of the rows in view: rows scrolled to, sorted into view or
// moved there show theirs at their rows, ticks made on either side of a scroll both reach the list on OK,
// and deleting most rows leaves the rest with their boxes.
TEST_F(ListWindowTest, ALongListShowsTheBoxesOfTheRowsInViewWhereverItScrolls)
{
	constexpr int kAdded = 300;
	for (int i = 0; i < kAdded; ++i) {
		auto* stock = new TStock();
		const std::string symbol = "L" + std::to_string(1000 + i);
		UZVUtils::DefaultStock(stock, ("Long " + symbol).c_str(), symbol.c_str(), 101);
		stock->SummaryEnabled(false);
		Stocks()->Append(stock);
	}
	const long rows = Stocks()->Count();
	TStockListWindow* window = Open();
	ASSERT_NE(window, nullptr);
	TListTable* table = window->GetTable();
	const SInt32 rowHeight = table->GetRowHeightValue();

	// Each row in view has both boxes in the table at its row; no other box is there.
	auto expectBoxesOfRowsInView = [&](const char* inWhen) {
		SPoint32 scroll;
		table->GetScrollPosition(scroll);
		SDimension16 frame;
		table->GetFrameSize(frame);
		SPoint32 image;
		table->GetImageLocation(image);
		size_t inView = 0;
		long row = 0;
		for (tListNode<tSecurityEntry>* node = window->GetWorkingList()->GetEntryHead();
		     node != nullptr; node = node->mNext, ++row) {
			const bool shows =
			    row * rowHeight < scroll.v + frame.height && (row + 1) * rowHeight > scroll.v;
			for (LCheckBox* box : {node->mItem->SummaryCheckbox, node->mItem->MenuCheckbox}) {
				ASSERT_NE(box, nullptr);
				if (!shows)
					continue;
				++inView;
				EXPECT_EQ(box->GetSuperView(), table) << inWhen << ": row " << row + 1;
				SPoint32 where;
				box->GetFrameLocation(where);
				EXPECT_EQ(where.v - image.v, row * rowHeight)
				    << inWhen << ": row " << row + 1;
			}
		}
		EXPECT_GT(inView, 0u) << inWhen;
		EXPECT_LE(table->GetSubPanes().size(), inView + 8) << inWhen << ": only the rows in view";
	};
	auto clickBox = [&](long inRow) {
		LCheckBox* box = window->GetWorkingList()->GetNth(inRow)->SummaryCheckbox;
		Rect frame;
		box->CalcPortFrameRect(frame);
		ControlsTest::ClickPortAt(window, Point{SInt16((frame.top + frame.bottom) / 2),
		                                        SInt16((frame.left + frame.right) / 2)});
	};
	expectBoxesOfRowsInView("opened");

	// Row 1's box ticked where it shows; then End scrolls to the last row, whose box ticks the same way.
	TSecurity* firstRow = RowSecurity(window, 1);
	const bool firstWas = firstRow->SummaryEnabled();
	clickBox(1);
	EXPECT_EQ(window->GetWorkingList()->GetNth(1)->SummaryCheckbox->GetValue() != 0, !firstWas);
	Key(table, 4);
	EXPECT_EQ(Selected(table), std::vector<TableIndexT>{TableIndexT(rows)});
	expectBoxesOfRowsInView("scrolled to the end");
	EXPECT_EQ(window->GetWorkingList()->GetNth(1)->SummaryCheckbox->GetSuperView(), nullptr);
	TSecurity* lastRow = RowSecurity(window, rows);
	clickBox(rows);
	EXPECT_NE(window->GetWorkingList()->GetNth(rows)->SummaryCheckbox->GetValue(), 0);

	// A sort while scrolled down brings other rows into view, each with its own boxes.
	window->ObeyCommand(TListWindow::kSortSymbol, nullptr);
	if (!window->Descending())
		window->ObeyCommand(TListWindow::kSortDirection, nullptr);
	expectBoxesOfRowsInView("sorted by symbol, descending");

	// Rows 10 to 200 dragged below the last row keep their order; then they are deleted.
	window->ObeyCommand(TListWindow::kSortDirection, nullptr);
	std::vector<std::string> before = Rows(window);
	table->UnselectAllCells();
	for (TableIndexT row = 10; row <= 200; ++row)
		table->SelectCell(STableCell(row, 1));
	DragSelectionTo(window, SInt32(rows) * rowHeight - 2);
	std::vector<std::string> expected(before.begin(), before.begin() + 9);
	expected.insert(expected.end(), before.begin() + 200, before.end());
	expected.insert(expected.end(), before.begin() + 9, before.begin() + 200);
	EXPECT_EQ(Rows(window), expected);
	EXPECT_EQ(Selected(table).size(), 191u);
	EXPECT_EQ(Selected(table).front(), TableIndexT(rows - 190));
	expectBoxesOfRowsInView("after the drag");
	table->HandleKeyPress(WindowInput::KeyEvent(8));
	expected.resize(size_t(rows) - 191);
	EXPECT_EQ(Rows(window), expected);
	EXPECT_EQ(window->GetDeleteList()->Count(), 191);
	EXPECT_EQ(table->GetSubPanes().size() % 2, 0u);
	expectBoxesOfRowsInView("after the delete");

	// OK: the kept rows in the window's order, each with the tick made on its side of the scroll.
	auto kept = [&](TSecurity* inSecurity) {
		return std::find(expected.begin(), expected.end(), inSecurity->SecuritySymbol()) !=
		       expected.end();
	};
	const bool firstKept = kept(firstRow);
	ASSERT_TRUE(kept(lastRow)) << "the last symbol sorts after every dragged row";
	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	UDispatch::DeletePending();
	EXPECT_EQ(Symbols(), expected);
	EXPECT_TRUE(lastRow->SummaryEnabled());
	if (firstKept) {
		EXPECT_EQ(firstRow->SummaryEnabled(), !firstWas);
	}
}

} // namespace
