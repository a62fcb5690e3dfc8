// The ledger window as the user meets it: every kind of entry added through its button and edited in its
// window, edits of existing entries, deletes with an edit window open, the split and consolidation window,
// the category menu, sorting, drops of securities between rows, number fields and what OK refuses, and the
// printout.

#include "Includes/NoValue.h"
#include "Internet/UApplicationNotices.h"
#include "app/kestrunApp.h"
#include "foundation/UMenus.h"
#include "model/TCurrencyConversion.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LClock.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LRadioButton.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UPrinting.h"
#include "platform/toolbox/PascalStrings.h"
#include "tests/support/ScratchFolder.h"
#include "tests/windows/PrintedText.h"
#include "tests/windows/SecurityWindowsTestSupport.h"
#include "tests/windows/WindowInput.h"
#include "windows/portfolio/TLedgerEditWindow.h"
#include "windows/portfolio/TLedgerFundWindow.h"
#include "windows/portfolio/TLedgerOtherWindow.h"
#include "windows/portfolio/TLedgerSplitWindow.h"
#include "windows/portfolio/TLedgerStockWindow.h"
#include "windows/portfolio/TLedgerTable.h"
#include "windows/portfolio/TLedgerWindow.h"
#include "windows/security/UDragEntries.h"
#include "windows/security/tDragEntry.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

using WindowInput::Click;
using WindowInput::Key;
using WindowInput::Type;

namespace
{
constexpr tCurrency kUSDollar = 100, kEuro = 300;

tLedgerEntry MakeEntry(UInt8 inType, const char* inSymbol, SInt16 inYear, SInt16 inMonth, SInt16 inDay,
                       float inUnits = 0, float inPrice = 0)
{
	tLedgerEntry entry;
	TLedgerWindow::DefaultLedgerEntry(&entry, inType, 100, kEuro);
	std::strcpy(entry.symbol, inSymbol);
	entry.date.year = inYear;
	entry.date.month = inMonth;
	entry.date.day = inDay;
	entry.units = inUnits;
	entry.price = inPrice;
	return entry;
}

tCategory MakeCategory(const char* inName, UInt32 inSignature)
{
	tCategory category;
	std::strcpy(category.name, inName);
	category.signature = inSignature;
	category.enabled = 1;
	return category;
}

tDragEntry Dragged(tSecurityType inKind, const char* inSymbol, tStockExchange inExchange)
{
	tDragEntry entry;
	entry.kind = inKind;
	std::strcpy(entry.symbol, inSymbol);
	entry.exchange = inExchange;
	return entry;
}

class LedgerWindowTest : public SecurityWindowsFixture
{
protected:
	void SetUp() override
	{
		SecurityWindowsFixture::SetUp();
		kestrunApp::RegisterClasses();
		mEnv->SetStockCString(14, "NONE");
		mEnv->SetStockCString(21, "Buy %s");
		mEnv->SetStockCString(22, "Sell %s");
		mEnv->SetStockCString(23, "Split %s");
		mEnv->SetStockCString(24, "Buy Fund %s");
		mEnv->SetStockCString(25, "Sell Fund %s");
		mEnv->SetStockCString(26, "Fund Split %s");
		for (const tCategory& category :
		     {MakeCategory("", 11), MakeCategory("Growth", 22), MakeCategory("Income", 33)})
			mCategories.Append(const_cast<tCategory*>(&category));
	}

	void TearDown() override
	{
		UApplicationNotices::Install({});
		UPrinting::SetPrintJobDialog(nullptr);
		SetDragTracker(nullptr);
		SecurityWindowsFixture::TearDown();
	}

	TLedgerWindow* Open()
	{
		return TLedgerWindow::Open(mSuper, "Retirement", &mLedger, &mCategories, kUSDollar);
	}

	void Add(const tLedgerEntry& inEntry) { mLedger.Append(const_cast<tLedgerEntry*>(&inEntry)); }

	static std::vector<std::string> Symbols(TLedgerWindow* inWindow)
	{
		std::vector<std::string> symbols;
		TList<tLedgerEntry> walker(inWindow->GetList());
		for (tLedgerEntry* entry = walker.GetFirst(); entry != nullptr; entry = walker.GetNext())
			symbols.emplace_back(entry->symbol);
		return symbols;
	}

	static TableIndexT Rows(TLedgerWindow* inWindow)
	{
		TableIndexT rows = 0, cols = 0;
		inWindow->GetTable()->GetTableSize(rows, cols);
		return rows;
	}

	// The edit window just opened on entry inIndex of the working list.
	static TLedgerEditWindow* EditWindow(TLedgerWindow* inWindow, SInt32 inIndex)
	{
		return inWindow->EditWindowOf(inWindow->GetList()->GetNth(inIndex));
	}

	TList<tLedgerEntry> mLedger{true, true};
	TList<tCategory> mCategories{true, true};
};

TEST_F(LedgerWindowTest, EveryAddButtonOpensItsKindsWindowAndOkWritesTheLedgerBack)
{
	Add(MakeEntry(kStockBuy, "OLD", 2020, 5, 1, 10, 5));
	TLedgerWindow* window = Open();
	ASSERT_NE(window, nullptr);

	// A bigger window keeps the buttons below the table and the column titles over their columns.
	auto frame = [window](PaneIDT inID) {
		Rect frame{};
		window->FindPaneByID(inID)->CalcPortFrameRect(frame);
		return frame;
	};
	const Rect ok = frame(TVyWindow::kOKButton), units = frame(FOUR_CHAR_CODE("sSrt"));
	Rect bounds;
	window->GetGlobalBounds(bounds);
	window->DoSetBounds(
	    Rect{bounds.top, bounds.left, SInt16(bounds.bottom + 150), SInt16(bounds.right + 200)});
	EXPECT_GE(frame(FOUR_CHAR_CODE("BuyS")).top, frame(FOUR_CHAR_CODE("scrl")).bottom);
	EXPECT_EQ(frame(TVyWindow::kOKButton).bottom, ok.bottom + 150);
	EXPECT_EQ(frame(TVyWindow::kOKButton).right, ok.right + 200);
	EXPECT_EQ(frame(FOUR_CHAR_CODE("sSrt")).right, units.right + 200);

	struct {
		PaneIDT button;
		UInt8 type;
		const char* title;
	} const kinds[] = {{FOUR_CHAR_CODE("BuyS"), kStockBuy, "Buy XXXX"},
	                   {FOUR_CHAR_CODE("SelS"), kStockSell, "Sell XXXX"},
	                   {FOUR_CHAR_CODE("SplS"), kStockSplit, "Split XXXX"},
	                   {FOUR_CHAR_CODE("SplF"), kFundSplit, "Fund Split XXXX"},
	                   {FOUR_CHAR_CODE("BuyF"), kFundBuy, "Buy Fund XXXX"},
	                   {FOUR_CHAR_CODE("SelF"), kFundSell, "Sell Fund XXXX"}};
	for (const auto& kind : kinds) {
		Click(window, kind.button);
		// Nothing selected: the new entry goes to the top, selected, and its window opens.
		ASSERT_EQ(window->CountEditWindows(), 1u);
		TLedgerEditWindow* edit = EditWindow(window, 1);
		ASSERT_NE(edit, nullptr);
		EXPECT_EQ(edit->GetEntry()->type, kind.type);
		EXPECT_EQ(FrameworkTest::Descriptor(edit), kind.title);
		EXPECT_EQ(window->GetTable()->LastRowSelected(), 1);
		Type(edit, "Symb", "");
		if (kind.type != kStockSplit && kind.type != kFundSplit)
			Type(edit, "Unit", "1");
		Click(edit, TVyWindow::kOKButton);
		UDispatch::DeletePending();
		EXPECT_EQ(window->CountEditWindows(), 0u);
		// An empty symbol is stored as the default symbol text; the new entry is selected, so the
		// next one goes below it.
		EXPECT_STREQ(window->GetList()->GetNth(1)->symbol, "NONE");
		window->GetTable()->UnselectAllCells();
	}
	EXPECT_EQ(window->GetList()->Count(), 7);
	EXPECT_EQ(Rows(window), 7u);
	EXPECT_EQ(mLedger.Count(), 1) << "nothing reaches the portfolio before OK";

	Click(window, TVyWindow::kOKButton);
	UDispatch::DeletePending();
	EXPECT_EQ(mLedger.Count(), 7);
	ASSERT_FALSE(mSuper->mCommands.empty());
	EXPECT_EQ(mSuper->mCommands.back(), TLedgerWindow::kLedgerChanged);
}

TEST_F(LedgerWindowTest, EditWindowsWriteTheirGroupsAndTheOtherKindsCashAmount)
{
	tLedgerEntry foreign = MakeEntry(kStockBuy, "ABC", 2021, 3, 4, 100, 2.5f);
	foreign.foreign = 1;
	foreign.currency = kEuro;
	foreign.category = 33;
	Add(foreign);
	Add(MakeEntry(kFundBuy, "FND", 2021, 1, 1, 1, 1));
	TLedgerWindow* window = Open();
	ASSERT_NE(window, nullptr);
	// Sorted by date; only entries not in a foreign currency take the base currency.
	ASSERT_EQ(Symbols(window), (std::vector<std::string>{"FND", "ABC"}));
	EXPECT_EQ(window->GetList()->GetNth(1)->currency, kUSDollar);
	EXPECT_EQ(window->GetList()->GetNth(2)->currency, kEuro);

	// Double-clicking the stock row opens it as an existing entry.
	TLedgerEditWindow* edit = window->CreateEditWindow(2, false);
	ASSERT_NE(dynamic_cast<TLedgerStockWindow*>(edit), nullptr);
	EXPECT_EQ(FrameworkTest::Descriptor(FrameworkTest::FindPane<LPane>(edit, "Unit")), "100.0000");
	EXPECT_EQ(FrameworkTest::FindPane<LCheckBox>(edit, "Cnvt")->GetValue(), 1);
	// The category menu lists named categories only: "Income" is item 4, not the third category's place.
	auto* category = FrameworkTest::FindPane<LPopupButton>(edit, "Ctgy");
	EXPECT_EQ(category->GetValue(), 4);
	category->SetValue(3);
	// The currency menu offers only currencies with a name, and shows the entry's.
	auto* currency = FrameworkTest::FindPane<LPopupButton>(edit, "Curr");
	for (SInt16 item = 1; item <= currency->CountMenuItems(); ++item) {
		Str255 text;
		currency->GetMenuItemText(item, text);
		EXPECT_NE(text[0], 0) << "item " << item;
	}
	Str255 shown;
	currency->GetMenuItemText(SInt16(currency->GetValue()), shown);
	EXPECT_EQ(PascalStrings::ToString(shown), TCurrencyConversion::GetCurrencyName(kEuro));
	Type(edit, "Unit", "250");
	Type(edit, "Prce", "abc");
	Type(edit, "Cmnt", "bonus shares");
	Click(edit, TVyWindow::kOKButton);
	EXPECT_EQ(window->CountEditWindows(), 1u) << "a field that is not a number is refused";
	Type(edit, "Prce", "3");
	Click(edit, TVyWindow::kOKButton);
	UDispatch::DeletePending();
	const tLedgerEntry* stock = window->GetList()->GetNth(2);
	EXPECT_EQ(stock->category, 22u) << "item 3 is Growth";
	EXPECT_FLOAT_EQ(stock->units, 250);
	EXPECT_FLOAT_EQ(stock->price, 3);
	EXPECT_STREQ(stock->comment, "bonus shares");
	EXPECT_EQ(stock->currency, kEuro);

	// The triangle folds the comment and currency part of the window away and back.
	edit = window->CreateEditWindow(2, false);
	Rect open, folded;
	edit->GetGlobalBounds(open);
	Click(edit, FOUR_CHAR_CODE("Opts"));
	edit->GetGlobalBounds(folded);
	EXPECT_EQ(open.bottom - folded.bottom, 110);
	EXPECT_FALSE(FrameworkTest::FindPane<LPane>(edit, "Cmnt")->IsVisible());
	Click(edit, FOUR_CHAR_CODE("Opts"));
	EXPECT_TRUE(FrameworkTest::FindPane<LPane>(edit, "Cnvt")->IsVisible());
	Click(edit, TVyWindow::kCancelButton);
	UDispatch::DeletePending();

	// An entry whose category was deleted opens with none; no category stores 0.
	mCategories.Remove(mCategories.GetNth(2));
	edit = window->CreateEditWindow(2, false);
	EXPECT_EQ(FrameworkTest::FindPane<LPopupButton>(edit, "Ctgy")->GetValue(), 1);
	Click(edit, TVyWindow::kOKButton);
	EXPECT_EQ(window->GetList()->GetNth(2)->category, 0u);
	UDispatch::DeletePending();

	// "Other" entries (from a portfolio file) hold only a cash amount.
	tLedgerEntry other = MakeEntry(kOtherTransaction, "CASH", 2022, 1, 1, 7, 7);
	edit = TLedgerWindow::CreateLedgerEditWindow(&other, &mCategories, mSuper);
	ASSERT_NE(dynamic_cast<TLedgerOtherWindow*>(edit), nullptr);
	Type(edit, "Cash", "12.5");
	Click(edit, TVyWindow::kOKButton);
	EXPECT_FLOAT_EQ(other.amount, 12.5f);
	EXPECT_FLOAT_EQ(other.units, 7) << "a group the window lacks keeps its values";
	EXPECT_EQ(mSuper->mCommands.back(), TLedgerWindow::kEntryOK);
	tLedgerEntry unknown = MakeEntry(150, "ODD", 2022, 1, 1);
	EXPECT_THROW(TLedgerWindow::CreateLedgerEditWindow(&unknown, &mCategories, mSuper), LException);
}

TEST_F(LedgerWindowTest, CancellingForgetsOnlyNewEntriesAndOpenEntriesCannotBeDeleted)
{
	Add(MakeEntry(kStockBuy, "KEEP", 2020, 1, 1, 1, 1));
	Add(MakeEntry(kStockBuy, "GONE", 2020, 1, 2, 1, 1));
	TLedgerWindow* window = Open();
	ASSERT_NE(window, nullptr);

	// Cancelling the edit of an existing entry leaves it; cancelling a new one (close box) removes it.
	TLedgerEditWindow* existing = window->CreateEditWindow(1, false);
	Type(existing, "Symb", "CHANGED");
	Click(existing, TVyWindow::kCancelButton);
	Click(window, FOUR_CHAR_CODE("BuyF"));
	EditWindow(window, 1)->AttemptClose();
	UDispatch::DeletePending();
	EXPECT_EQ(Symbols(window), (std::vector<std::string>{"KEEP", "GONE"}));
	EXPECT_EQ(Rows(window), 2u);

	// Two drops open two windows on new entries: each keeps its own flag.
	std::vector<tDragEntry> dropped{Dragged(securityStock, "NEW1", 101),
	                                Dragged(securityStock, "NEW2", 101)};
	window->ReceiveDropped(dropped, 2);
	ASSERT_EQ(window->CountEditWindows(), 2u);
	TLedgerEditWindow* first = EditWindow(window, 3);
	TLedgerEditWindow* second = EditWindow(window, 4);
	Type(first, "Unit", "3");
	Click(first, TVyWindow::kOKButton);
	Click(second, TVyWindow::kCancelButton);
	UDispatch::DeletePending();
	EXPECT_EQ(Symbols(window), (std::vector<std::string>{"KEEP", "GONE", "NEW1"}));

	// Delete leaves the entry open in an edit window and takes the others.
	TLedgerEditWindow* open = window->CreateEditWindow(1, false);
	window->GetTable()->SelectAllCells();
	Click(window, FOUR_CHAR_CODE("Dlte"));
	EXPECT_EQ(Symbols(window), (std::vector<std::string>{"KEEP"}));
	EXPECT_EQ(Rows(window), 1u);
	Type(open, "Symb", "EDITED");
	Click(open, TVyWindow::kOKButton);
	EXPECT_EQ(Symbols(window), (std::vector<std::string>{"EDITED"}));
	UDispatch::DeletePending();

	// Nothing selected: Delete is disabled and changes nothing.
	window->GetList()->ClearModified();
	EXPECT_FALSE(FrameworkTest::FindPane<LPane>(window, "Dlte")->IsEnabled());
	window->DeleteSecurities();
	EXPECT_FALSE(window->GetList()->IsModified());

	// Cancel leaves the portfolio's ledger as it was.
	Click(window, TVyWindow::kCancelButton);
	UDispatch::DeletePending();
	EXPECT_EQ(mLedger.Count(), 2);
	EXPECT_STREQ(mLedger.GetNth(1)->symbol, "KEEP");
}

TEST_F(LedgerWindowTest, SplitWindowShowsRatiosAndRefusesARatioOfZero)
{
	struct {
		float from, to;
		bool split;
		SInt32 item;
		const char* fromText;
		const char* toText;
	} const cases[] = {
	    {1, 2, true, 1, "0.0000", "0.0000"},
	    {2, 4, true, 7, "2.0000", "4.0000"},
	    {3, 1, false, 2, "0.0000", "0.0000"},
	    {3, 2, false, 7, "3.0000", "2.0000"},
	};
	for (const auto& c : cases) {
		tLedgerEntry entry = MakeEntry(kStockSplit, "SPL", 2020, 1, 1);
		entry.splitFrom = c.from;
		entry.splitTo = c.to;
		TLedgerEditWindow* edit = TLedgerWindow::CreateLedgerEditWindow(&entry, &mCategories, mSuper);
		ASSERT_NE(dynamic_cast<TLedgerSplitWindow*>(edit), nullptr);
		EXPECT_EQ(FrameworkTest::FindPane<LRadioButton>(edit, "Splt")->GetValue(), c.split ? 1 : 0);
		EXPECT_EQ(FrameworkTest::FindPane<LPopupButton>(edit, c.split ? "mSpl" : "mCon")->GetValue(),
		          c.item);
		EXPECT_EQ(FrameworkTest::Descriptor(
		              FrameworkTest::FindPane<LPane>(edit, c.split ? "sFrm" : "cFrm")),
		          c.fromText);
		EXPECT_EQ(FrameworkTest::Descriptor(
		              FrameworkTest::FindPane<LPane>(edit, c.split ? "sToo" : "cToo")),
		          c.toText);
		EXPECT_EQ(FrameworkTest::FindPane<LPane>(edit, c.split ? "mCon" : "mSpl")->IsEnabled(),
		          false);
		Click(edit, TVyWindow::kCancelButton);
		UDispatch::DeletePending();
	}

	// A custom split of 2 into 3; a 0 in either field refuses OK.
	tLedgerEntry entry = MakeEntry(kFundSplit, "FSP", 2020, 1, 1);
	TLedgerEditWindow* edit = TLedgerWindow::CreateLedgerEditWindow(&entry, &mCategories, mSuper);
	FrameworkTest::FindPane<LPopupButton>(edit, "mSpl")->SetValue(7);
	EXPECT_TRUE(FrameworkTest::FindPane<LPane>(edit, "sFrm")->IsEnabled());
	Type(edit, "sFrm", "2");
	Type(edit, "sToo", "0");
	const size_t sent = mSuper->mCommands.size();
	Click(edit, TVyWindow::kOKButton);
	EXPECT_EQ(mSuper->mCommands.size(), sent) << "OK refused";
	EXPECT_FLOAT_EQ(entry.splitTo, 2);
	Type(edit, "sToo", "3");
	Click(edit, TVyWindow::kOKButton);
	EXPECT_EQ(mSuper->mCommands.back(), TLedgerWindow::kEntryOK);
	EXPECT_FLOAT_EQ(entry.splitFrom, 2);
	EXPECT_FLOAT_EQ(entry.splitTo, 3);
	UDispatch::DeletePending();
	edit = TLedgerWindow::CreateLedgerEditWindow(&entry, &mCategories, mSuper);
	EXPECT_EQ(FrameworkTest::Descriptor(FrameworkTest::FindPane<LPane>(edit, "sFrm")), "2.0000");
	EXPECT_EQ(FrameworkTest::Descriptor(FrameworkTest::FindPane<LPane>(edit, "sToo")), "3.0000");

	// Switching to a consolidation from the menu stores its ratio.
	Click(edit, FOUR_CHAR_CODE("Cons"));
	FrameworkTest::FindPane<LPopupButton>(edit, "mCon")->SetValue(5);
	Click(edit, TVyWindow::kOKButton);
	EXPECT_FLOAT_EQ(entry.splitFrom, 10);
	EXPECT_FLOAT_EQ(entry.splitTo, 1);
}

TEST_F(LedgerWindowTest, SortsOnTwoKeysAndReversesOnlyWithTheDirectionButton)
{
	Add(MakeEntry(kStockBuy, "ccc", 2021, 6, 1, 1, 30));
	Add(MakeEntry(kStockBuy, "BBB", 2021, 6, 1, 1, 10));
	Add(MakeEntry(kStockBuy, "aaa", 2021, 7, 1, 1, 20));
	Add(MakeEntry(kStockBuy, "AAA", 2020, 1, 1, 1, 20));
	TLedgerWindow* window = Open();
	ASSERT_NE(window, nullptr);
	// By date, ties kept in their order.
	EXPECT_EQ(Symbols(window), (std::vector<std::string>{"AAA", "ccc", "BBB", "aaa"}));

	Click(window, FOUR_CHAR_CODE("nSrt"));
	// Symbols without regard to case; equal ones by date, the previous key.
	EXPECT_EQ(Symbols(window), (std::vector<std::string>{"AAA", "aaa", "BBB", "ccc"}));
	Click(window, FOUR_CHAR_CODE("aSrt"));
	EXPECT_EQ(Symbols(window), (std::vector<std::string>{"AAA", "BBB", "ccc", "aaa"}));
	Click(window, FOUR_CHAR_CODE("aSrt"));
	EXPECT_EQ(window->GetPrimarySort(), FourCharCode(FOUR_CHAR_CODE("aSrt")));
	EXPECT_EQ(window->GetSecondarySort(), FourCharCode(FOUR_CHAR_CODE("nSrt")));
	EXPECT_FALSE(window->IsDescending());

	Click(window, FOUR_CHAR_CODE("dSrt"));
	EXPECT_EQ(Symbols(window), (std::vector<std::string>{"aaa", "ccc", "BBB", "AAA"}));
	Click(window, FOUR_CHAR_CODE("pSrt"));
	EXPECT_EQ(Symbols(window), (std::vector<std::string>{"ccc", "aaa", "AAA", "BBB"}));
}

TEST_F(LedgerWindowTest, DroppedStocksAndFundsBecomeEntriesBetweenRowsAndOtherKindsAreRefused)
{
	Add(MakeEntry(kStockBuy, "TOP", 2020, 1, 1, 1, 1));
	Add(MakeEntry(kStockBuy, "END", 2020, 1, 2, 1, 1));
	TLedgerWindow* window = Open();
	ASSERT_NE(window, nullptr);
	TLedgerTable* table = window->GetTable();

	TList<tDragEntry> entries(true, true);
	for (const tDragEntry& entry :
	     {Dragged(securityIndex, "^DJI", 900), Dragged(securityStock, "IBM", 101),
	      Dragged(securityCurrency, "EUR,USD", 900), Dragged(securityFund, "VFIAX", 900)})
		entries.Append(const_cast<tDragEntry*>(&entry));
	const std::vector<UInt8> bytes = UDragEntries::Encode(entries);
	DragReference drag = nullptr;
	NewDrag(&drag);
	AddDragItemFlavor(drag, 1, UDragEntries::kDragFlavor, bytes.data(), Size(bytes.size()), 0);
	// The mouse in the lower half of the first row: between rows 1 and 2.
	Rect frame;
	table->CalcPortFrameRect(frame);
	Point where{SInt16(frame.top + table->GetRowHeight(1) * 3 / 4), SInt16(frame.left + 50)};
	window->PortToGlobalPoint(where);
	SetDragTracker([&](DragReference inDrag) {
		table->EnterDropArea(inDrag, true);
		table->InsideDropArea(inDrag);
		EXPECT_EQ(table->GetDropLine(), 1);
		table->LeaveDropArea(inDrag);
		table->DoDragReceive(inDrag);
		return OSErr(noErr);
	});
	EventRecord event{};
	event.where = where;
	EXPECT_EQ(TrackDrag(drag, &event, nullptr), noErr);
	DisposeDrag(drag);

	ASSERT_EQ(Symbols(window), (std::vector<std::string>{"TOP", "IBM", "VFIAX", "END"}));
	EXPECT_EQ(Rows(window), 4u);
	const tLedgerEntry* stock = window->GetList()->GetNth(2);
	const tLedgerEntry* fund = window->GetList()->GetNth(3);
	EXPECT_EQ(stock->type, kStockBuy);
	EXPECT_EQ(stock->exchange, 101);
	EXPECT_EQ(stock->currency, kUSDollar);
	EXPECT_EQ(fund->type, kFundBuy);
	EXPECT_EQ(fund->exchange, 901);
	EXPECT_EQ(window->CountEditWindows(), 2u);
	EXPECT_NE(dynamic_cast<TLedgerFundWindow*>(window->EditWindowOf(fund)), nullptr);

	// The portfolio window's drops: option makes a sell; an index is refused.
	tLedgerEntry entry;
	EXPECT_TRUE(
	    TLedgerWindow::DefaultDroppedEntry(&entry, Dragged(securityFund, "VFIAX", 900), true, kEuro));
	EXPECT_EQ(entry.type, kFundSell);
	EXPECT_EQ(entry.exchange, 901);
	EXPECT_STREQ(entry.symbol, "VFIAX");
	EXPECT_FALSE(
	    TLedgerWindow::DefaultDroppedEntry(&entry, Dragged(securityIndex, "^DJI", 900), false, kEuro));
}

TEST_F(LedgerWindowTest, NumberFieldsTakeOnlyNumbersAndOkRefusesWhatAnEntryCannotHold)
{
	int beeps = 0;
	UApplicationNotices::Install({[&beeps] { ++beeps; }, {}, {}, {}, {}, {}});
	// A sale of -5 and a fund bought at a price nobody knew, as converted files may hold them.
	Add(MakeEntry(kStockSell, "ODD", 2021, 1, 1, -5, 2));
	Add(MakeEntry(kFundBuy, "FND", 2021, 1, 2, 2, kNoValue));
	TLedgerWindow* window = Open();
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(TLedgerTable::RowTexts(*window->GetList()->GetNth(2)).price, "0.00");

	TLedgerEditWindow* edit = window->CreateEditWindow(1, false);
	ASSERT_NE(edit, nullptr);
	auto typeKeys = [&edit](const char(&inID)[5], const std::string& inKeys) {
		auto* field = FrameworkTest::FindPane<LEditText>(edit, inID);
		field->SetText("", 0);
		for (char key : inKeys)
			Key(field, key);
		return Text(edit, inID);
	};
	EXPECT_EQ(typeKeys("Unit", "-12abc"), "12");
	EXPECT_EQ(typeKeys("Prce", "1,000"), "1000");
	EXPECT_EQ(typeKeys("Rate", "-0.5"), "0.5");

	// Each refusal beeps and hands the field to the user with its text selected.
	const struct {
		const char* units;
		const char* price;
		const char* rate;
		PaneIDT refused;
	} refusals[] = {
	    {"-5", "1000", "0.5", FOUR_CHAR_CODE("Unit")},    {"0", "1000", "0.5", FOUR_CHAR_CODE("Unit")},
	    {"4", "-1", "0.5", FOUR_CHAR_CODE("Prce")},       {"4", "1000", "-2", FOUR_CHAR_CODE("Rate")},
	    {"1.2.3", "1000", "0.5", FOUR_CHAR_CODE("Unit")}, {"4", ".", "0.5", FOUR_CHAR_CODE("Prce")},
	    {"4", "1000", "", FOUR_CHAR_CODE("Rate")}};
	for (const auto& refusal : refusals) {
		Type(edit, "Unit", refusal.units);
		Type(edit, "Prce", refusal.price);
		Type(edit, "Rate", refusal.rate);
		const int before = beeps;
		Click(edit, TVyWindow::kOKButton);
		EXPECT_EQ(beeps, before + 1) << refusal.units << " " << refusal.price << " " << refusal.rate;
		auto* field = dynamic_cast<LEditText*>(edit->FindPaneByID(refusal.refused));
		EXPECT_EQ(LCommander::GetTarget(), field);
		SInt16 start = -1, end = -1;
		field->GetSelection(start, end);
		EXPECT_EQ(start, 0);
		EXPECT_EQ(end, SInt16(FrameworkTest::Descriptor(field).size()));
		EXPECT_EQ(window->CountEditWindows(), 1u);
		EXPECT_FLOAT_EQ(window->GetList()->GetNth(1)->units, -5);
	}
	Type(edit, "Rate", "1.5");
	Click(edit, TVyWindow::kOKButton);
	UDispatch::DeletePending();
	EXPECT_EQ(window->CountEditWindows(), 0u);
	const tLedgerEntry* sale = window->GetList()->GetNth(1);
	EXPECT_FLOAT_EQ(sale->units, 4);
	EXPECT_FLOAT_EQ(sale->price, 1000);
	EXPECT_FLOAT_EQ(sale->rate, 1.5f);

	// The ratio fields of a split and the cash amount of "Other" take numbers only too.
	tLedgerEntry split = MakeEntry(kStockSplit, "SPL", 2020, 1, 1);
	edit = TLedgerWindow::CreateLedgerEditWindow(&split, &mCategories, mSuper);
	FrameworkTest::FindPane<LPopupButton>(edit, "mSpl")->SetValue(7);
	EXPECT_EQ(typeKeys("sFrm", "2x"), "2");
	EXPECT_EQ(typeKeys("sToo", "0"), "0");
	const int before = beeps;
	Click(edit, TVyWindow::kOKButton);
	EXPECT_EQ(beeps, before + 1);
	EXPECT_EQ(LCommander::GetTarget(), FrameworkTest::FindPane<LEditText>(edit, "sToo"));
	Click(edit, TVyWindow::kCancelButton);
	// An "Other" amount may be money going out: one minus, in front only.
	tLedgerEntry other = MakeEntry(kOtherTransaction, "CASH", 2022, 1, 1);
	edit = TLedgerWindow::CreateLedgerEditWindow(&other, &mCategories, mSuper);
	EXPECT_EQ(typeKeys("Cash", "7 units"), "7");
	EXPECT_EQ(typeKeys("Cash", "2-5--"), "25");
	EXPECT_EQ(typeKeys("Cash", "--25.50"), "-25.50");
	Type(edit, "Cash", "-");
	const int beforeMinus = beeps;
	Click(edit, TVyWindow::kOKButton);
	EXPECT_EQ(beeps, beforeMinus + 1);
	EXPECT_EQ(LCommander::GetTarget(), FrameworkTest::FindPane<LEditText>(edit, "Cash"));
	Type(edit, "Cash", "-25.50");
	Click(edit, TVyWindow::kOKButton);
	UDispatch::DeletePending();
	EXPECT_EQ(other.amount, -25.5f);
	EXPECT_EQ(TLedgerTable::RowTexts(other).total, "-25.5000");
}

TEST_F(LedgerWindowTest, KeysTypedIntoABuyWindowGoFieldByFieldIntoItsEntry)
{
	TLedgerWindow* window = Open();
	ASSERT_NE(window, nullptr);
	Click(window, FOUR_CHAR_CODE("BuyS"));
	TLedgerEditWindow* edit = EditWindow(window, 1);
	ASSERT_NE(edit, nullptr);
	EXPECT_EQ(LCommander::GetTarget(), FrameworkTest::FindPane<LClock>(edit, "Date"))
	    << "the first field takes the keys";

	// Shift-Tab goes round to the last field, the rate, and Tab round to the first; the number fields
	// still take numbers only.
	WindowInput::ShiftTab(edit);
	WindowInput::Press(edit, "2\t\tAAPL\t5x\t7\r");
	UDispatch::DeletePending();
	EXPECT_EQ(window->CountEditWindows(), 0u) << "Return pressed OK";
	const tLedgerEntry* entry = window->GetList()->GetNth(1);
	ASSERT_NE(entry, nullptr);
	EXPECT_STREQ(entry->symbol, "AAPL");
	EXPECT_FLOAT_EQ(entry->units, 5);
	EXPECT_FLOAT_EQ(entry->rate, 2);
	EXPECT_FLOAT_EQ(entry->price, 7);
}

TEST_F(LedgerWindowTest, PrintsEveryKindsRowToPdf)
{
	Add(MakeEntry(kStockBuy, "IBM", 2021, 3, 4, 10, 125.5f));
	Add(MakeEntry(kFundSell, "VFIAX", 2021, 3, 5, 2, 1.25f));
	tLedgerEntry split = MakeEntry(kStockSplit, "IBM", 2021, 3, 6);
	split.splitFrom = 1;
	split.splitTo = 2;
	Add(split);
	tLedgerEntry consolidation = MakeEntry(kFundSplit, "VFIAX", 2021, 3, 7);
	consolidation.splitFrom = 3;
	consolidation.splitTo = 1;
	Add(consolidation);
	tLedgerEntry other = MakeEntry(kOtherTransaction, "FEE", 2021, 3, 8);
	other.amount = 9.5f;
	// A currency code the table does not know, as a damaged file may hold.
	other.foreign = 1;
	other.currency = 4242;
	Add(other);
	TLedgerWindow* window = Open();
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(TLedgerTable::RowTexts(*window->GetList()->GetNth(5)).currency, "");

	ScratchFolder scratch;
	const std::string pdf = scratch.Path("ledger.pdf");
	PrintedText::PrintTo(pdf);
	window->ObeyCommand(9, nullptr);
	const std::string text = PrintedText::Read(pdf);
	for (const char* expected :
	     {"Retirement", "Symbol", "03-04-2021", "Stock Buy", "IBM", "125.50", "1255.00", "U.S. Dollar",
	      "Fund Sell", "VFIAX", "2.5000", "2.0 for 1.0", "3.0 to 1.0", "Other", "FEE", "9.5000"})
		EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
	EXPECT_FALSE(window->GetTable()->IsPrinting());
	EXPECT_EQ(window->GetTable()->GetWindow(), window);
}

} // namespace
