// The portfolio window as the user meets it: its value banner and rows over a small ledger, sorting and the
// reference view, the row check boxes and category triangles, alerts and blinking, the three zoom states,
// securities dropped on it, the question about unknown securities, its printout, and how it stays still
// while its ledger or a dropped security's edit window is open.

#include "Includes/NoValue.h"
#include "Includes/tPortfolioParameters.h"
#include "Internet/UApplicationNotices.h"
#include "app/AppGlobals.h"
#include "app/kestrunApp.h"
#include "model/StockGlobals.h"
#include "model/TAccountant.h"
#include "model/TStock.h"
#include "model/UPortfolioFile.h"
#include "model/UZVUtils.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LClock.h"
#include "platform/framework/LControl.h"
#include "platform/framework/LPeriodical.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/StPrintSession.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UPrinting.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/QtDrag.h"
#include "tests/app/StockPluginTestSupport.h"
#include "tests/platform/framework/ControlsTestSupport.h"
#include "tests/windows/PrintedText.h"
#include "tests/windows/WindowInput.h"
#include "toolkit/TColourCaptions.h"
#include "windows/portfolio/TLedgerEditWindow.h"
#include "windows/portfolio/TLedgerWindow.h"
#include "windows/portfolio/TPortfolioTable.h"
#include "windows/portfolio/TPortfolioWindow.h"
#include "windows/security/UDragEntries.h"
#include "windows/security/UWindowRegistry.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QWidget>
#include <cstring>
#include <gtest/gtest.h>

namespace
{

class RecordingSuper : public LCommander
{
public:
	RecordingSuper() : LCommander(nullptr) {}
	Boolean ObeyCommand(CommandT inCommand, void*) override
	{
		mCommands.push_back(inCommand);
		return true;
	}
	std::vector<CommandT> mCommands;
};

class PortfolioWindowTest : public StockPluginFixture
{
protected:
	void SetUp() override
	{
		StockPluginFixture::SetUp();
		kestrunApp::RegisterClasses();
		UWindowRegistry::Install();
		Start();
		mPlugin->GetPrefs()->idling.enabled = 0;
		UPortfolioFile::DefaultParameters(&mParameters, kCurrencyUnknown);
		mParameters.gainColour = kGain;
		mParameters.lossColour = kLoss;
		mParameters.unchangedColour = kSame;
		Quote(mPlugin->AddAStock("ALP", 100, false), "Alpha Inc", 6.0f, 5.5f);
		Quote(mPlugin->AddAStock("BET", 100, false), "Beta Corp", 22.0f, 19.0f);
		Add(kStockBuy, "ALP", 10, 5);
		Add(kStockBuy, "BET", 5, 20);
		UApplicationNotices::Install({[this] { ++mBeeps; }, {}, {}, {}, {}, {}});
	}

	void TearDown() override
	{
		UApplicationNotices::Install({});
		gCommander = nullptr;
		delete mSuper; // and the windows under it
		UDispatch::DeletePending();
		UPrinting::SetPrintJobDialog(nullptr);
		StockPluginFixture::TearDown();
	}

	static void Quote(TSecurity* inSecurity, const char* inName, float inPrice, float inPrevious)
	{
		inSecurity->SecurityName(inName);
		inSecurity->CurrentTradePrice(inPrice);
		inSecurity->YesterdayClose(inPrevious);
	}

	tLedgerEntry* Add(UInt8 inType, const char* inSymbol, float inUnits, float inPrice,
	                  UInt32 inCategory = 0)
	{
		tLedgerEntry entry;
		UPortfolioFile::DefaultEntry(&entry, inType, 100, kCurrencyUnknown);
		std::strncpy(entry.symbol, inSymbol, tLedgerEntry::kSymbolSize - 1);
		entry.units = inUnits;
		entry.amount = inUnits;
		entry.price = inPrice;
		entry.category = inCategory;
		mLedger.Append(&entry);
		return mLedger.GetNth(mLedger.Count());
	}

	// Holdings grouped by category, with one category "Growth" (signature 7), open and counted.
	void GroupIntoGrowth()
	{
		mParameters.groupByCategory = 1;
		tCategory growth;
		UPortfolioFile::DefaultCategory(&growth, "Growth");
		growth.signature = 7;
		growth.open = 1;
		growth.enabled = 1;
		mCategories.Append(&growth);
	}

	TPortfolioWindow* Open()
	{
		mSuper = new RecordingSuper;
		mWindow = dynamic_cast<TPortfolioWindow*>(
		    LWindow::CreateWindow(TPortfolioWindow::kLayoutID, mSuper));
		if (mWindow == nullptr)
			return nullptr;
		mWindow->SetList(&mCategories, &mLedger, &mParameters);
		mWindow->Show();
		Pump();
		return mWindow;
	}

	static void Pump()
	{
		EventRecord event{};
		LPeriodical::DevoteTimeToRepeaters(event);
	}

	void Command(CommandT inCommand, SInt32 inValue = 1)
	{
		mWindow->ObeyCommand(inCommand, &inValue);
		Pump();
	}

	// A click at a point of a table row (the point's horizontal offset inside the row).
	void ClickRow(TableIndexT inRow, SInt16 inH)
	{
		Rect cell;
		ASSERT_TRUE(mWindow->GetTable()->GetLocalCellRect(STableCell(inRow, 1), cell));
		Point where{SInt16(cell.top + 4), SInt16(cell.left + inH)};
		mWindow->GetTable()->LocalToPortPoint(where);
		FrameworkTest::ClickAt(QtPaneWidget::ContentOf(mWindow), QPointF(where.h, where.v));
		Pump();
	}

	// A press and release of the mouse on a control's own widget, as the window system delivers it.
	static void ClickNative(LPane* inControl)
	{
		FrameworkTest::ClickAt(ControlsTest::NativeOf<QWidget>(inControl), QPointF(4, 4));
		Pump();
	}

	// The entry edit window open on a dropped security, or null.
	static TLedgerEditWindow* DropEditWindow()
	{
		for (LWindow* window : LWindow::GetWindowList())
			if (auto* edit = dynamic_cast<TLedgerEditWindow*>(window);
			    edit != nullptr && !edit->IsClosing())
				return edit;
		return nullptr;
	}

	// A radio button clicked on: it and its group tell the window.
	void ClickRadio(const char (&inID)[5])
	{
		dynamic_cast<LControl*>(mWindow->FindPaneByID(FOUR_CHAR_CODE(inID)))->SetValue(1);
		Pump();
	}

	std::string Value() const
	{
		Str255 text;
		mWindow->FindPaneByID(FOUR_CHAR_CODE("pVal"))->GetDescriptor(text);
		return PascalStrings::ToString(text);
	}

	TColourCaptions* Change(const char (&inID)[5]) const
	{
		return dynamic_cast<TColourCaptions*>(mWindow->FindPaneByID(FOUR_CHAR_CODE(inID)));
	}

	RGBColor ValueColour() const
	{
		RGBColor colour{};
		dynamic_cast<TColourCaption*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("pVal")))
		    ->GetColour(colour);
		return colour;
	}

	std::vector<std::string> Rows() const
	{
		std::vector<std::string> rows;
		for (long row = 1; tPortfolioItem* item = mWindow->GetAccountant()->GetNth(row); ++row)
			rows.push_back(item->isCategory ? std::string("[") + item->name + "]"
			                                : std::string(item->symbol));
		return rows;
	}

	Rect Bounds() const
	{
		Rect bounds;
		mWindow->GetGlobalBounds(bounds);
		return bounds;
	}

	static tDragEntry Dropped(tSecurityType inKind, const char* inSymbol)
	{
		tDragEntry entry;
		entry.kind = inKind;
		std::strncpy(entry.symbol, inSymbol, tDragEntry::kSymbolSize - 1);
		entry.exchange = inKind == securityStock ? 100 : 900;
		return entry;
	}

	static constexpr RGBColor kGain{0, 40000, 0};
	static constexpr RGBColor kLoss{50000, 0, 0};
	static constexpr RGBColor kSame{20000, 20000, 20000};
	static constexpr RGBColor kAlert{0, 0, 60000};

	tPortfolioParameters mParameters;
	TList<tCategory> mCategories{true, true};
	TList<tLedgerEntry> mLedger{true, true};
	RecordingSuper* mSuper = nullptr;
	TPortfolioWindow* mWindow = nullptr;
	int mBeeps = 0;
};

bool SameColour(const RGBColor& inA, const RGBColor& inB)
{
	return inA.red == inB.red && inA.green == inB.green && inA.blue == inB.blue;
}

TEST_F(PortfolioWindowTest, BannerRowsSortingAndTheReferenceView)
{
	mParameters.view = 1;
	ASSERT_NE(Open(), nullptr);
	// 10 x 6 + 5 x 22 = 170 against a cost of 150 and 55 + 95 = 150 yesterday.
	EXPECT_EQ(Value(), "170.00");
	EXPECT_STREQ(Change("oChn")->GetFirstString(), "+20.00  ");
	EXPECT_STREQ(Change("oChn")->GetSecondString(), "+13.33%");
	EXPECT_TRUE(SameColour(ValueColour(), kGain));
	EXPECT_EQ(Rows(), (std::vector<std::string>{"ALP", "BET"}));
	EXPECT_EQ(mWindow->RowCheckbox(2)->GetValue(), 1);

	// A double-click on a holding asks for its detail window.
	gCommander = mSuper;
	TStockPlugin::GetStock("ALP", 100)->DetailWindowCommand(4242);
	ClickRow(1, 80);
	ClickRow(1, 80);
	EXPECT_EQ(mSuper->mCommands, std::vector<CommandT>{4242});

	mLedger.ClearModified();
	Command(FOUR_CHAR_CODE("bSrt"));
	Command(FOUR_CHAR_CODE("dSrt"));
	EXPECT_EQ(Rows(), (std::vector<std::string>{"BET", "ALP"}));
	EXPECT_TRUE(mLedger.IsModified());
	// Rows rebuilt for the ledger or the dates keep the order the sort buttons show.
	Command(TPortfolioWindow::kCmdLedgerOK);
	Command(FOUR_CHAR_CODE("dAll"));
	EXPECT_EQ(Rows(), (std::vector<std::string>{"BET", "ALP"}));
	// A radio button switched off changes nothing.
	Command(FOUR_CHAR_CODE("nSrt"), 0);
	EXPECT_EQ(mWindow->Sort(), kSortCurrentTotal);

	// The reference columns follow the view, and their titles with them.
	Command(FOUR_CHAR_CODE("pSrt"));
	EXPECT_EQ(mWindow->Sort(), kSortPurchasePrice);
	Command(FOUR_CHAR_CODE("vYes"));
	EXPECT_EQ(mWindow->Sort(), kSortYesterdaysPrice);
	Str255 title;
	mWindow->FindPaneByID(FOUR_CHAR_CODE("pSrt"))->GetDescriptor(title);
	EXPECT_EQ(PascalStrings::ToString(title), "Prev. Close");

	// A wider window widens the name column; the other titles stay over their columns.
	Rect bounds = Bounds();
	mWindow->DoSetBounds(Rect{bounds.top, bounds.left, bounds.bottom, SInt16(bounds.right + 240)});
	Rect table, change, name;
	mWindow->GetTable()->CalcPortFrameRect(table);
	mWindow->FindPaneByID(FOUR_CHAR_CODE("cSrt"))->CalcPortFrameRect(change);
	mWindow->FindPaneByID(FOUR_CHAR_CODE("nSrt"))->CalcPortFrameRect(name);
	EXPECT_EQ(change.right, table.right);
	EXPECT_EQ(name.left, table.left + 4);
	mWindow->DoSetBounds(bounds);

	// What the window writes back for the document.
	mWindow->SaveParameters();
	EXPECT_EQ(mParameters.sortKey, kSortYesterdaysPrice);
	EXPECT_EQ(mParameters.sortDescending, 1);
	EXPECT_EQ(mParameters.view, 0);
	EXPECT_EQ(mParameters.windowWidth, 860);
}

TEST_F(PortfolioWindowTest, CheckBoxesAndTrianglesChangeTheDocument)
{
	GroupIntoGrowth();
	Add(kStockBuy, "ALP", 1, 6, 7);
	ASSERT_NE(Open(), nullptr);
	EXPECT_EQ(Rows(), (std::vector<std::string>{"ALP", "BET", "[Growth]", "ALP"}));
	EXPECT_EQ(Value(), "176.00");

	// Switching off the holding outside the category takes its value out and its entries with it.
	mLedger.ClearModified();
	mWindow->RowCheckbox(1)->SetValue(0);
	Pump();
	EXPECT_TRUE(mLedger.IsModified());
	EXPECT_EQ(mLedger.GetNth(1)->enabled, 0);
	EXPECT_EQ(Value(), "116.00");

	// The category's triangle closes it: its row stays, its holdings go, the rest keep their order.
	mLedger.ClearModified();
	ClickRow(3, 8);
	EXPECT_TRUE(mLedger.IsModified());
	EXPECT_EQ(mCategories.GetNth(1)->open, 0);
	EXPECT_EQ(Rows(), (std::vector<std::string>{"ALP", "BET", "[Growth]"}));
	EXPECT_EQ(mWindow->RowCheckbox(1)->GetValue(), 0);
	EXPECT_EQ(mWindow->RowCheckbox(2)->GetValue(), 1);
}

TEST_F(PortfolioWindowTest, EveryRowsBoxWorksWithMoreThanAThousandHoldings)
{
	TList<TSecurity>* stocks = mPlugin->GetList(securityStock);
	for (int i = 0; i < 1100; ++i) {
		const std::string symbol = "X" + std::to_string(i);
		auto* stock = new TStock();
		UZVUtils::DefaultStock(stock, ("Extra " + std::to_string(i)).c_str(), symbol.c_str(), 100);
		Quote(stock, stock->SecurityName(), 2.0f, 2.0f);
		stocks->Append(stock);
		Add(kStockBuy, symbol.c_str(), 1, 1);
	}
	ASSERT_NE(Open(), nullptr);
	const std::vector<std::string> rows = Rows();
	ASSERT_EQ(rows.size(), 1102u);
	const std::string value = Value();

	mLedger.ClearModified();
	mWindow->RowCheckbox(1099)->SetValue(0);
	Pump();
	EXPECT_TRUE(mLedger.IsModified());
	for (long i = 1; i <= mLedger.Count(); ++i)
		EXPECT_EQ(mLedger.GetNth(i)->enabled, mLedger.GetNth(i)->symbol == rows[1098] ? 0 : 1) << i;
	EXPECT_NE(Value(), value);
	mWindow->RowCheckbox(1099)->SetValue(1);
	Pump();
	EXPECT_EQ(Value(), value);
}

TEST_F(PortfolioWindowTest, DateRangeBoundsAndTheSettingsWindow)
{
	mLedger.GetNth(1)->date = tVyDateOld{0, 0, 0, 12, 1, 3, 2020};
	mLedger.GetNth(2)->date = tVyDateOld{0, 0, 0, 12, 1, 6, 2024};
	mParameters.rangeStart = tVyDateOld{0, 0, 0, 0, 1, 1, 2024};
	mParameters.rangeEnd = tVyDateOld{0, 0, 0, 0, 31, 12, 2024};
	// Bounds off every screen keep their size at (100, 100).
	mParameters.windowTop = -5000;
	mParameters.windowLeft = -5000;
	mParameters.windowHeight = 300;
	mParameters.windowWidth = 700;
	ASSERT_NE(Open(), nullptr);
	EXPECT_EQ(Bounds().top, 100);
	EXPECT_EQ(Bounds().left, 100);
	EXPECT_EQ(Bounds().right - Bounds().left, 700);
	EXPECT_EQ(Rows(), (std::vector<std::string>{"ALP", "BET"}));

	// Only this year's purchase is in the range.
	mLedger.ClearModified();
	ClickRadio("dRng");
	EXPECT_EQ(mParameters.allDates, 0);
	EXPECT_TRUE(mWindow->FindPaneByID(FOUR_CHAR_CODE("dFrm"))->IsEnabled());
	EXPECT_EQ(Rows(), std::vector<std::string>{"BET"});
	EXPECT_EQ(Value(), "110.00");
	EXPECT_TRUE(mLedger.IsModified());
	ClickRadio("dAll");
	EXPECT_EQ(Rows().size(), 2u);
	EXPECT_FALSE(mWindow->FindPaneByID(FOUR_CHAR_CODE("dFrm"))->IsEnabled());

	// Opening the settings counts as a change even when they are cancelled; a second click, the settings
	// gone behind the portfolio, opens no other but brings them to the front.
	mLedger.ClearModified();
	Command(TPortfolioWindow::kCmdOpenSettings);
	LWindow* settings = mWindow->SettingsWindow();
	ASSERT_NE(settings, nullptr);
	EXPECT_TRUE(mLedger.IsModified());
	mWindow->Select();
	ASSERT_EQ(LWindow::FetchTopRegular(), mWindow);
	Command(TPortfolioWindow::kCmdOpenSettings);
	EXPECT_EQ(mWindow->SettingsWindow(), settings);
	EXPECT_EQ(LWindow::FetchTopRegular(), settings);
	settings->ObeyCommand(TVyWindow::kCancelButton, nullptr);
	UDispatch::DeletePending();
	EXPECT_EQ(mWindow->SettingsWindow(), nullptr);
}

TEST_F(PortfolioWindowTest, AlertsColourTheBannerAndOnlyThePurchaseAlertBlinks)
{
	StTestClock clock(6000);
	// A loss of exactly 20 against the cost raises the losing alert.
	Quote(TStockPlugin::GetStock("BET", 100), "Beta Corp", 14.0f, 19.0f);
	tAlertParameters& losing = mParameters.losingAlert;
	losing.enabled = 1;
	losing.condition = 43;
	losing.limit = 20;
	losing.colour = kAlert;
	losing.flash = 1;
	losing.bold = 1;
	ASSERT_NE(Open(), nullptr);
	EXPECT_EQ(Value(), "130.00");
	EXPECT_TRUE(SameColour(ValueColour(), kAlert));
	EXPECT_TRUE(mWindow->Blinking());

	// Blank from 40 ticks past the second, shown again at the next whole second.
	clock.SetTicks(6045);
	Pump();
	EXPECT_EQ(Value(), "");
	EXPECT_STREQ(Change("oChn")->GetFirstString(), "");
	clock.SetTicks(6060);
	Pump();
	EXPECT_EQ(Value(), "130.00");
}

TEST_F(PortfolioWindowTest, APercentageAlertOnHoldingsThatCostNothingStaysQuiet)
{
	mLedger.Clear();
	Add(kStockBuy, "ALP", 3, 0);
	tAlertParameters& gaining = mParameters.gainingAlert;
	gaining.enabled = 1;
	gaining.condition = 40;
	gaining.limit = 5;
	gaining.colour = kAlert;
	gaining.flash = 1;
	ASSERT_NE(Open(), nullptr);
	EXPECT_EQ(Value(), "18.00");
	EXPECT_TRUE(SameColour(ValueColour(), kGain));
	EXPECT_FALSE(mWindow->Blinking());
	EXPECT_STREQ(Change("oChn")->GetSecondString(), "+0%");
}

TEST_F(PortfolioWindowTest, AHoldingInACurrencyWithoutANameShowsNoName)
{
	mLedger.Clear();
	tLedgerEntry* entry = Add(kStockBuy, "ALP", 2, 5);
	entry->foreign = 1;
	entry->currency = 777;
	entry->rate = 1;
	ASSERT_NE(Open(), nullptr);
	// The base-currency twin comes first; neither currency has a name.
	ASSERT_NE(mWindow->GetAccountant()->GetNth(2), nullptr);
	EXPECT_STREQ(mWindow->GetAccountant()->GetNth(1)->name, "Alpha Inc (ALP) - ");
	EXPECT_STREQ(mWindow->GetAccountant()->GetNth(2)->name, "Alpha Inc (ALP) - ");
	EXPECT_EQ(Value(), "12.00");
}

TEST_F(PortfolioWindowTest, ZoomStepsThroughBannerAndValueAndKeepsTheFullSize)
{
	ASSERT_NE(Open(), nullptr);
	const Rect full = Bounds();
	auto size = [this] {
		return std::pair(Bounds().right - Bounds().left, Bounds().bottom - Bounds().top);
	};
	const std::pair fullSize(full.right - full.left, full.bottom - full.top);
	const std::pair bannerSize(full.right - full.left, 48);
	const std::pair valueSize(220, 48);

	mWindow->ZoomWith(0);
	EXPECT_EQ(size(), bannerSize);
	EXPECT_FALSE(mWindow->FindPaneByID(FOUR_CHAR_CODE("Bttm"))->IsVisible());
	mWindow->ZoomWith(0);
	EXPECT_EQ(size(), valueSize);
	mWindow->ZoomWith(0);
	EXPECT_EQ(size(), fullSize);
	EXPECT_TRUE(mWindow->FindPaneByID(FOUR_CHAR_CODE("Bttm"))->IsVisible());

	// Option from the value-only state goes to the banner without forgetting the full size.
	mWindow->ZoomWith(0);
	mWindow->ZoomWith(0);
	mWindow->ZoomWith(optionKey);
	EXPECT_EQ(mWindow->ZoomState(), 2);
	mWindow->ZoomWith(shiftKey);
	EXPECT_EQ(size(), fullSize);
	EXPECT_EQ(Bounds().top, full.top);

	// The grow box of the value-only state returns to the full size too.
	mWindow->ZoomWith(0);
	mWindow->ZoomWith(0);
	EventRecord click{};
	mWindow->ClickInGrow(click);
	EXPECT_EQ(size(), fullSize);
}

TEST_F(PortfolioWindowTest, DroppedStocksAndFundsBecomeEntriesOthersAreRefused)
{
	ASSERT_NE(Open(), nullptr);
	DragReference index = WindowInput::Drag({Dropped(securityIndex, "^DJI")});
	DragReference pair = WindowInput::Drag({Dropped(securityCurrency, "EURUSD")});
	DragReference fund = WindowInput::Drag({Dropped(securityFund, "FNDX")}, true);
	EXPECT_FALSE(mWindow->ItemIsAcceptable(index, 1));
	EXPECT_FALSE(mWindow->ItemIsAcceptable(pair, 1));
	EXPECT_TRUE(mWindow->ItemIsAcceptable(fund, 1));

	// While the ledger window is open it takes the drops; this window refuses them.
	Command(TPortfolioWindow::kCmdOpenLedger);
	ASSERT_NE(mWindow->LedgerWindow(), nullptr);
	EXPECT_FALSE(mWindow->ItemIsAcceptable(fund, 1));
	mWindow->LedgerWindow()->DoClose();
	UDispatch::DeletePending();
	EXPECT_EQ(mWindow->LedgerWindow(), nullptr);

	// An option-dropped fund is sold on the fund exchange; OK in its edit window adds it to the ledger.
	Rect bounds{};
	mWindow->ReceiveDragItem(fund, 0, 1, bounds);
	TLedgerEditWindow* edit = nullptr;
	for (LWindow* window : LWindow::GetWindowList())
		if ((edit = dynamic_cast<TLedgerEditWindow*>(window)) != nullptr)
			break;
	ASSERT_NE(edit, nullptr);
	ASSERT_NE(edit->GetEntry(), nullptr);
	EXPECT_EQ(edit->GetEntry()->type, kFundSell);
	EXPECT_EQ(edit->GetEntry()->exchange, 901);
	EXPECT_STREQ(edit->GetEntry()->symbol, "FNDX");
	StDialogHandler::QueueAnswer(2000); // the fund is new to the plug-in
	WindowInput::Type(edit, "Unit", "2");
	edit->ObeyCommand(TVyWindow::kOKButton, nullptr);
	UDispatch::DeletePending();
	EXPECT_EQ(mLedger.Count(), 3);
	EXPECT_STREQ(mLedger.GetNth(3)->symbol, "FNDX");
	for (DragReference drag : {index, pair, fund})
		DisposeDrag(drag);
}

TEST_F(PortfolioWindowTest, UnknownSecuritiesAreAddedOrTheirEntriesRemoved)
{
	Add(kStockBuy, "NEWCO", 1, 1);
	Add(kFundBuy, "NEWFD", 1, 1);
	StDialogHandler::QueueAnswer(2000);
	ASSERT_NE(Open(), nullptr);
	EXPECT_NE(TStockPlugin::GetStock("NEWCO", 100), nullptr);
	EXPECT_NE(mPlugin->GetAFund("NEWFD"), nullptr);
	EXPECT_EQ(mSuper->mCommands, std::vector<CommandT>{TPortfolioWindow::kCmdRebuildMenus});

	// After the ledger window's OK, the entries of a security still unknown can go.
	Add(kStockBuy, "GONE", 1, 1);
	StDialogHandler::QueueAnswer(2004);
	Command(TPortfolioWindow::kCmdLedgerOK);
	EXPECT_EQ(mLedger.Count(), 4);
	EXPECT_EQ(TStockPlugin::GetStock("GONE", 100), nullptr);
}

TEST_F(PortfolioWindowTest, PrintsItsRowsInBlackOnWhiteAndRestoresTheTable)
{
	TStockPlugin::GetStock("BET", 100)->CurrentTradePrice(kNoValue);
	mParameters.view = 1;
	ASSERT_NE(Open(), nullptr);
	const std::string pdf = mRoot + "/portfolio.pdf";
	PrintedText::PrintTo(pdf);
	const RGBColor gain = *mWindow->GetTable()->GainColour();
	{
		StPrintSession session(UPrinting::GetAppPrintSpec());
		ASSERT_TRUE(UPrinting::AskPrintJob(UPrinting::GetAppPrintSpec()));
		mWindow->DoPrint();
	}
	const std::string text = PrintedText::Read(pdf);
	EXPECT_NE(text.find("Alpha Inc"), std::string::npos) << text;
	EXPECT_NE(text.find("10.0000"), std::string::npos) << text;
	EXPECT_NE(text.find("Paid"), std::string::npos) << text;
	EXPECT_NE(text.find("+10.00"), std::string::npos) << text;
	// Beta's missing price values it at what it cost.
	EXPECT_NE(text.find("Beta Corp"), std::string::npos) << text;
	EXPECT_EQ(mWindow->GetTable()->GetWindow(), mWindow);
	EXPECT_FALSE(mWindow->GetTable()->IsPrinting());
	EXPECT_TRUE(mWindow->RowCheckbox(1)->IsVisible());
	EXPECT_TRUE(SameColour(*mWindow->GetTable()->GainColour(), gain));
}

TEST_F(PortfolioWindowTest, NumbersAreRightAlignedCommaGroupedOrNA)
{
	// The float holds 1234567.875, whose shortest form is 1234567.9.
	EXPECT_EQ(TPortfolioTable::FormatFloat(1234567.891f, 2, true), "1,234,567.90");
	EXPECT_EQ(TPortfolioTable::FormatFloat(10419.85f, 4, true), "10,419.8500");
	EXPECT_EQ(TPortfolioTable::FormatFloat(kNoValue, 2, true), "N/A");
	EXPECT_EQ(TPortfolioTable::FormatFloat(-12.5f, 4, false), "-12.5000");
	// Zero shares of a priced holding are -0: no sign, while a small loss keeps its own.
	EXPECT_EQ(TPortfolioTable::FormatFloat(-0.0f, 2, true), "0.00");
	EXPECT_EQ(TPortfolioTable::FormatFloat(-0.004f, 2, true), "0.00");
	EXPECT_EQ(TPortfolioTable::FormatFloat(-0.01f, 2, true), "-0.01");
}

TEST_F(PortfolioWindowTest, ADroppedSecurityKeepsTheLedgerShutUntilItsEntryIsConfirmed)
{
	ASSERT_NE(Open(), nullptr);
	DragReference first = WindowInput::Drag({Dropped(securityStock, "BET")});
	DragReference second = WindowInput::Drag({Dropped(securityStock, "ALP")});
	Rect bounds{};
	mWindow->ReceiveDragItem(first, 0, 1, bounds);
	TLedgerEditWindow* edit = DropEditWindow();
	ASSERT_NE(edit, nullptr);

	// The ledger's copy would not hold the new entry and would be written back over it.
	mWindow->Select();
	Command(TPortfolioWindow::kCmdOpenLedger);
	EXPECT_EQ(mWindow->LedgerWindow(), nullptr);
	EXPECT_EQ(mBeeps, 1);
	EXPECT_EQ(LWindow::FetchTopRegular(), edit);

	WindowInput::Type(edit, "Unit", "3");
	edit->ObeyCommand(TVyWindow::kOKButton, nullptr);
	UDispatch::DeletePending();
	EXPECT_EQ(mLedger.Count(), 3);
	Command(TPortfolioWindow::kCmdOpenLedger);
	LWindow* ledger = mWindow->LedgerWindow();
	ASSERT_NE(ledger, nullptr);
	ledger->ObeyCommand(TVyWindow::kOKButton, nullptr);
	UDispatch::DeletePending();
	EXPECT_EQ(mLedger.Count(), 3);
	// 10 Alpha at 6 and 5 + 3 Beta at 22.
	EXPECT_EQ(Value(), "236.00");

	// A drop still in its edit window when the portfolio closes goes with it.
	mWindow->ReceiveDragItem(second, 0, 1, bounds);
	ASSERT_NE(DropEditWindow(), nullptr);
	delete mSuper;
	mSuper = nullptr;
	UDispatch::DeletePending();
	EXPECT_EQ(DropEditWindow(), nullptr);
	EXPECT_EQ(mLedger.Count(), 3);
	DisposeDrag(first);
	DisposeDrag(second);
}

// The ledger writes back the copy it took: while it is open the portfolio's controls change nothing, though
// the window clicked comes forward and takes the keys.
TEST_F(PortfolioWindowTest, WhileTheLedgerIsOpenThePortfoliosControlsWait)
{
	mParameters.allDates = 0;
	mParameters.rangeStart = tVyDateOld{0, 0, 0, 0, 1, 1, 2000};
	mParameters.rangeEnd = tVyDateOld{0, 0, 0, 0, 31, 12, 2100};
	ASSERT_NE(Open(), nullptr);
	Command(TPortfolioWindow::kCmdOpenLedger);
	LWindow* ledger = mWindow->LedgerWindow();
	ASSERT_NE(ledger, nullptr);
	auto enabledEntries = [this] {
		int enabled = 0;
		for (long i = 1; i <= mLedger.Count(); ++i)
			enabled += mLedger.GetNth(i)->enabled;
		return enabled;
	};

	// A row check box, Settings…, a sort button, and a date field that edits itself.
	ClickNative(mWindow->RowCheckbox(1));
	EXPECT_EQ(mWindow->RowCheckbox(1)->GetValue(), 1);
	EXPECT_EQ(enabledEntries(), 2);
	ClickNative(mWindow->FindPaneByID(TPortfolioWindow::kCmdOpenSettings));
	EXPECT_EQ(mWindow->SettingsWindow(), nullptr);
	ClickNative(mWindow->FindPaneByID(FOUR_CHAR_CODE("bSrt")));
	EXPECT_EQ(mWindow->Sort(), kSortName);
	auto* from = ControlsTest::NativeOf<QDateTimeEdit>(mWindow->FindPaneByID(FOUR_CHAR_CODE("dFrm")));
	ASSERT_NE(from, nullptr);
	from->setDate(QDate(2023, 5, 5));
	Pump();
	EXPECT_EQ(mParameters.rangeStart.year, 2000);
	EXPECT_EQ(from->date().year(), 2000);
	EXPECT_EQ(Value(), "170.00");
	EXPECT_EQ(LWindow::FetchTopRegular(), mWindow);
	EXPECT_TRUE(mWindow->HoldsTarget());
	EXPECT_EQ(mBeeps, 4);

	// The ledger's OK finds the entries as it took them; then the window answers again.
	ledger->ObeyCommand(TVyWindow::kOKButton, nullptr);
	UDispatch::DeletePending();
	EXPECT_EQ(enabledEntries(), 2);
	ClickNative(mWindow->RowCheckbox(1));
	EXPECT_EQ(enabledEntries(), 1);
	EXPECT_EQ(Value(), "110.00");
}

TEST_F(PortfolioWindowTest, AQuoteArrivingWhileTheUnknownSecurityQuestionWaitsFindsTheNewLedger)
{
	// With a sale the accountant walks the holding's entries whenever its quote changes.
	Add(kStockSell, "ALP", 4, 6);
	ASSERT_NE(Open(), nullptr);
	Command(TPortfolioWindow::kCmdOpenLedger);
	auto* ledger = dynamic_cast<TLedgerWindow*>(mWindow->LedgerWindow());
	ASSERT_NE(ledger, nullptr);
	WindowInput::Click(ledger, FOUR_CHAR_CODE("BuyS"));
	TLedgerEditWindow* edit = ledger->EditWindowOf(ledger->GetList()->GetNth(1));
	ASSERT_NE(edit, nullptr);
	WindowInput::Type(edit, "Symb", "NEWCO");
	WindowInput::Type(edit, "Unit", "1");
	WindowInput::Type(edit, "Prce", "1");
	WindowInput::Click(edit, TVyWindow::kOKButton);

	// OK frees the entries the ledger was opened on and asks about NEWCO; Alpha's quote comes meanwhile.
	TSecurity* alpha = TStockPlugin::GetStock("ALP", 100);
	tStockTickerPrefs* prefs = mPlugin->GetPrefs();
	StDialogHandler::QueueAnswer(2001, [alpha, prefs](LWindow*) {
		alpha->CurrentTradePrice(8.0f);
		UZVUtils::UpdateSecurity(alpha, &prefs->losingAlert, &prefs->gainingAlert, &prefs->idling);
	});
	WindowInput::Click(ledger, TVyWindow::kOKButton);
	UDispatch::DeletePending();
	EXPECT_EQ(mLedger.Count(), 4);
	// 6 Alpha at 8, 5 Beta at 22, and NEWCO at what it cost.
	EXPECT_EQ(Value(), "159.00");
}

TEST_F(PortfolioWindowTest, SettingsOkKeepsTheDateRangeAndTheSwitchesChangedMeanwhile)
{
	GroupIntoGrowth();
	mLedger.GetNth(1)->date = tVyDateOld{0, 0, 0, 12, 1, 3, 2020};
	mLedger.GetNth(2)->date = tVyDateOld{0, 0, 0, 12, 1, 6, 2024};
	Add(kStockBuy, "ALP", 1, 6, 7)->date = tVyDateOld{0, 0, 0, 12, 1, 7, 2024};
	mParameters.rangeStart = tVyDateOld{0, 0, 0, 0, 1, 1, 2024};
	mParameters.rangeEnd = tVyDateOld{0, 0, 0, 0, 31, 12, 2024};
	ASSERT_NE(Open(), nullptr);
	Command(TPortfolioWindow::kCmdOpenSettings);
	LWindow* settings = mWindow->SettingsWindow();
	ASSERT_NE(settings, nullptr);

	// With the settings open: only this year, and Growth switched off.
	ClickRadio("dRng");
	ASSERT_EQ(Rows(), (std::vector<std::string>{"BET", "[Growth]", "ALP"}));
	mWindow->RowCheckbox(2)->SetValue(0);
	Pump();
	ASSERT_EQ(Value(), "110.00");

	settings->ObeyCommand(TVyWindow::kOKButton, nullptr);
	UDispatch::DeletePending();
	EXPECT_EQ(mParameters.allDates, 0);
	EXPECT_EQ(mParameters.rangeStart.year, 2024);
	EXPECT_EQ(dynamic_cast<LControl*>(mWindow->FindPaneByID(FOUR_CHAR_CODE("dRng")))->GetValue(), 1);
	EXPECT_EQ(Rows(), (std::vector<std::string>{"BET", "[Growth]", "ALP"}));
	EXPECT_EQ(mCategories.GetNth(1)->enabled, 0);
	EXPECT_EQ(mCategories.GetNth(1)->open, 1);
	EXPECT_EQ(mWindow->RowCheckbox(2)->GetValue(), 0);
	EXPECT_EQ(Value(), "110.00");
}

TEST_F(PortfolioWindowTest, MissingTotalsShowTheNotAvailableTextOnScreenAndInPrint)
{
	const std::string notAvailable = PascalStrings::ToString(GetStockString(0));
	ASSERT_FALSE(notAvailable.empty());
	ASSERT_NE(notAvailable, GetStockCString(0));
	// Bought at a price nobody knew (a converted file), and no quote since.
	mLedger.Clear();
	Add(kStockBuy, "ALP", 1, kNoValue);
	TStockPlugin::GetStock("ALP", 100)->CurrentTradePrice(kNoValue);
	mParameters.view = 1;
	ASSERT_NE(Open(), nullptr);
	EXPECT_EQ(Value(), notAvailable);
	EXPECT_EQ(Change("oChn")->GetFirstString(), notAvailable);
	EXPECT_EQ(Change("yChn")->GetFirstString(), notAvailable);

	const std::string pdf = mRoot + "/missing.pdf";
	PrintedText::PrintTo(pdf);
	{
		StPrintSession session(UPrinting::GetAppPrintSpec());
		ASSERT_TRUE(UPrinting::AskPrintJob(UPrinting::GetAppPrintSpec()));
		mWindow->DoPrint();
	}
	const std::string text = PrintedText::Read(pdf);
	EXPECT_NE(text.find(notAvailable), std::string::npos) << text;
	EXPECT_EQ(text.find(GetStockCString(0)), std::string::npos) << text;
}

} // namespace
