// The security preferences window as the plug-in opens it: each panel's controls land in their own bytes of
// the stored settings record on OK and on Apply, Cancel after Apply puts back exactly those, and what is
// applied reaches the scheduler, the quote sources, the tickers and the summary window.

#include "Includes/tKestrunPrefs.h"
#include "Internet/TBrokerage.h"
#include "Quoters/TQuoterManager.h"
#include "foundation/UIntelConversion.h"
#include "model/StockGlobals.h"
#include "model/TStock.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LGWorld.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LRadioButton.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/app/StockPluginTestSupport.h"
#include "tests/platform/framework/ControlsTestSupport.h"
#include "tests/windows/ForwardingApplication.h"
#include "tests/windows/SecurityWindowsTestSupport.h"
#include "ticker/TSecurityTicklet.h"
#include "toolkit/LColorWell.h"
#include "toolkit/TEventWatcher.h"
#include "toolkit/TSoundMenu.h"
#include "windows/security/TSecurityPrefsTable.h"
#include "windows/security/TSecurityPrefsWindow.h"
#include "windows/security/TSummaryTable.h"
#include "windows/security/TSummaryWindow.h"

#include <QApplication>
#include <QWidget>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace
{

using tBytes = std::array<unsigned char, tStockTickerPrefs::kStoredSize>;

struct tRange {
	std::size_t offset;
	std::size_t size;
};

// The stored bytes each panel edits (offsets of the settings file's record).
const std::vector<tRange> kPanelBytes[TSecurityPrefsWindow::kPanelCount] = {
    {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}},
    {{8, 6}, {14, 6}, {20, 6}, {26, 6}, {32, 1}, {34, 6}},
    {{663, 1}, {664, 1}, {665, 1}, {667, 1}, {404, 1}},
    {{80, 1},
     {81, 1},
     {84, 4},
     {88, 1},
     {90, 6},
     {96, 1},
     {97, 1},
     {98, 1},
     {99, 1},
     {100, 1},
     {104, 4},
     {108, 1}},
    {{200, 1},
     {201, 1},
     {204, 4},
     {208, 1},
     {210, 6},
     {216, 1},
     {217, 1},
     {218, 1},
     {219, 1},
     {220, 1},
     {224, 4},
     {228, 1}},
    {{320, 1}, {321, 1}, {324, 4}, {328, 1}, {330, 6}, {336, 1}, {337, 1}, {338, 1}, {339, 1}},
    {{356, 1}, {364, 4}, {368, 4}, {384, 4}, {405, 1}},
    {{357, 1}, {388, 4}},
    {{358, 1}, {392, 4}},
    {{360, 1}, {380, 4}, {400, 4}},
    // Font name and number, size, grid, row colours, the indicator and its icon, anti-aliasing; the
    // inverted-row flag (1062) is only ever cleared, so it may keep its value.
    {{968, 32}, {1000, 4}, {1004, 4}, {1040, 1}, {1042, 6}, {1048, 6}, {1060, 1}, {1061, 1}, {1063, 1}},
    {{406, 1}, {407, 256}},
};
constexpr tRange kInvertedRowFlag = {1062, 1};

tBytes Stored(const tStockTickerPrefs& inPrefs)
{
	tBytes bytes{};
	tStockTickerPrefs copy = inPrefs;
	UIntelConversion::ConvertStockPrefs(bytes, &copy, false);
	return bytes;
}

std::set<std::size_t> Changed(const tBytes& inBefore, const tBytes& inAfter)
{
	std::set<std::size_t> changed;
	for (std::size_t i = 0; i < inBefore.size(); ++i)
		if (inBefore[i] != inAfter[i])
			changed.insert(i);
	return changed;
}

bool Within(std::size_t inOffset, const tRange& inRange)
{
	return inOffset >= inRange.offset && inOffset < inRange.offset + inRange.size;
}

// Every control of the panel set to another value than it shows: boxes flipped, the other radio button of
// each pair, the next item of each pop-up, another colour, another number or text.
void ChangeEveryControl(LView* inPanel)
{
	std::vector<LRadioButton*> radiosOff;
	std::function<void(LView*)> walk = [&](LView* inView) {
		for (LPane* pane : inView->GetSubPanes()) {
			if (auto* radio = dynamic_cast<LRadioButton*>(pane)) {
				if (radio->GetValue() == 0)
					radiosOff.push_back(radio);
			} else if (auto* box = dynamic_cast<LCheckBox*>(pane)) {
				box->SetValue(box->GetValue() != 0 ? 0 : 1);
			} else if (auto* popup = dynamic_cast<LPopupButton*>(pane)) {
				const SInt16 count = popup->CountMenuItems();
				SInt32 item = popup->GetValue();
				for (int tries = 0; tries < count; ++tries) {
					item = item % count + 1;
					Str255 text;
					popup->GetMenuItemText(SInt16(item), text);
					if (!(text[0] == 1 && text[1] == '-'))
						break;
				}
				popup->SetValue(item);
			} else if (auto* well = dynamic_cast<LColorWell*>(pane)) {
				RGBColor colour;
				well->GetSwatchColor(colour);
				well->SetSwatchColor({UInt16(colour.red ^ 0x1357),
				                      UInt16(colour.green ^ 0x2468),
				                      UInt16(colour.blue ^ 0x369C)});
			} else if (auto* field = dynamic_cast<LEditText*>(pane)) {
				char text[256] = {};
				Size length = 0;
				field->GetText(text, 255, &length);
				char changed[32];
				std::snprintf(changed, sizeof changed, "%.2f", std::atof(text) + 1.25);
				field->SetText(changed, Size(std::strlen(changed)));
			}
			if (auto* view = dynamic_cast<LView*>(pane))
				walk(view);
		}
	};
	walk(inPanel);
	for (LRadioButton* radio : radiosOff)
		radio->SetValue(1);
}

class SecurityPrefsWindowTest : public StockPluginFixture
{
protected:
	void SetUp() override
	{
		StockPluginFixture::SetUp();
		RegisterWindowClasses();
		TStockPlugin::SetWindowOpener(windowSecurityPrefs, &TSecurityPrefsWindow::Open);
		mForwarder = new ForwardingApplication;
		mPlugin = std::make_unique<TStockPlugin>(mForwarder);
		mPlugin->Initialize();
		mForwarder->mPlugin = mPlugin.get();
	}

	void TearDown() override
	{
		TEventWatcher::Reset();
		Quit();
		if (mForwarder)
			mForwarder->mPlugin = nullptr;
		delete mForwarder;
		UDispatch::DeletePending();
		StockPluginFixture::TearDown();
	}

	TSecurityPrefsWindow* Open()
	{
		mForwarder->mCommands.clear();
		EXPECT_TRUE(mPlugin->ObeyCommand(5000, nullptr));
		IPluginWindow* face = mPlugin->GetWindow(windowSecurityPrefs);
		return face != nullptr ? dynamic_cast<TSecurityPrefsWindow*>(face->GetCommander()) : nullptr;
	}

	template <class T> static T* Pane(TSecurityPrefsWindow* inWindow, int inPanel, const char (&inID)[5])
	{
		LView* panel = inWindow->GetPanel(inPanel);
		const PaneIDT id = PaneIDT(FOUR_CHAR_CODE_RT(inID));
		T* pane = panel != nullptr ? dynamic_cast<T*>(panel->FindPaneByID(id)) : nullptr;
		EXPECT_NE(pane, nullptr) << inID;
		return pane;
	}

	static constexpr UInt32 FOUR_CHAR_CODE_RT(const char (&inID)[5])
	{
		return (UInt32(UInt8(inID[0])) << 24) | (UInt32(UInt8(inID[1])) << 16) |
		       (UInt32(UInt8(inID[2])) << 8) | UInt32(UInt8(inID[3]));
	}

	static bool DrawsInRed(TTicklet* inTicklet)
	{
		LGWorld* world = inTicklet->GetWorld();
		if (world == nullptr)
			return false;
		bool red = false;
		world->BeginDrawing();
		for (SInt16 x = 0; x < SInt16(inTicklet->GetWidth()) && !red; ++x)
			for (SInt16 y = 0; y < 16 && !red; ++y) {
				RGBColor c;
				GetCPixel(x, y, &c);
				red = c.red > 0xC000 && c.green < 0x4000 && c.blue < 0x4000;
			}
		world->EndDrawing();
		return red;
	}

	tStockTickerPrefs& Prefs() { return *mPlugin->GetPrefs(); }

	// Before the plug-in, so that the scheduler counts in its ticks from the start.
	StTestClock mClock{500000};
	ForwardingApplication* mForwarder = nullptr;
};

TEST_F(SecurityPrefsWindowTest, EachPanelWritesExactlyItsFieldsAndCancelAfterApplyPutsThemBack)
{
	for (int panel = 1; panel <= TSecurityPrefsWindow::kPanelCount; ++panel) {
		for (const bool apply : {false, true}) {
			SCOPED_TRACE("panel " + std::to_string(panel) + (apply ? " Apply" : " OK"));
			const tBytes before = Stored(Prefs());
			const UInt8 hideTickers = gAppPreferences->hideTickersInBackground;
			TSecurityPrefsWindow* window = Open();
			ASSERT_NE(window, nullptr);
			ChangeEveryControl(window->GetPanel(panel));
			window->ObeyCommand(apply ? 5071 : TVyWindow::kOKButton, nullptr);
			EXPECT_EQ(mForwarder->mCommands, std::vector<CommandT>{apply ? 5071 : 5070});

			const std::set<std::size_t> changed = Changed(before, Stored(Prefs()));
			for (std::size_t offset : changed) {
				bool expected = Within(offset, kInvertedRowFlag);
				for (const tRange& range : kPanelBytes[panel - 1])
					expected = expected || Within(offset, range);
				EXPECT_TRUE(expected) << "byte " << offset << " changed";
			}
			for (const tRange& range : kPanelBytes[panel - 1]) {
				bool any = false;
				for (std::size_t offset = range.offset; offset < range.offset + range.size;
				     ++offset)
					any = any || changed.count(offset) != 0;
				EXPECT_TRUE(any) << "field at " << range.offset << " kept its value";
			}
			// The application's flag goes with the ticker panel.
			EXPECT_EQ(gAppPreferences->hideTickersInBackground != hideTickers, panel == 1);

			if (apply) {
				EXPECT_EQ(mPlugin->GetWindow(windowSecurityPrefs), window->PluginFace());
				mForwarder->mCommands.clear();
				window->ObeyCommand(TVyWindow::kCancelButton, nullptr);
				EXPECT_EQ(mForwarder->mCommands, std::vector<CommandT>{5071});
				EXPECT_TRUE(Changed(before, Stored(Prefs())).empty());
				gAppPreferences->hideTickersInBackground = hideTickers;
			}
			EXPECT_EQ(mPlugin->GetWindow(windowSecurityPrefs), nullptr);
			UDispatch::DeletePending();
		}
	}
}

TEST_F(SecurityPrefsWindowTest, AnAlertLimitThatIsNoNumberIsHandedBackOnItsPanel)
{
	const tBytes before = Stored(Prefs());
	TSecurityPrefsWindow* window = Open();
	ASSERT_NE(window, nullptr);
	auto* gaining = Pane<LEditText>(window, TSecurityPrefsWindow::kGainingPanel, "gVal");
	for (const CommandT command : {CommandT(5071), CommandT(TVyWindow::kOKButton)}) {
		window->GetMultiPanelView()->SwitchToPanel(1);
		gaining->SetText("1.2.3", 5);
		window->ObeyCommand(command, nullptr);
		EXPECT_TRUE(mForwarder->mCommands.empty()) << command;
		EXPECT_EQ(window->GetMultiPanelView()->GetCurrentIndex(), TSecurityPrefsWindow::kGainingPanel);
		EXPECT_EQ(LCommander::GetTarget(), gaining);
		EXPECT_EQ(mPlugin->GetWindow(windowSecurityPrefs), window->PluginFace());
	}
	EXPECT_EQ(Stored(Prefs()), before);
	gaining->SetText("7.5", 3);
	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	EXPECT_EQ(mForwarder->mCommands, std::vector<CommandT>{5070});
	EXPECT_EQ(Prefs().gainingAlert.limit, 7.5f);
	UDispatch::DeletePending();
}

TEST_F(SecurityPrefsWindowTest, CancelAfterApplyLeavesWhatOthersChangedMeanwhile)
{
	// Cancel alone sends nothing and changes nothing.
	const tBytes opened = Stored(Prefs());
	TSecurityPrefsWindow* window = Open();
	ASSERT_NE(window, nullptr);
	ChangeEveryControl(window->GetPanel(2));
	window->ObeyCommand(TVyWindow::kCancelButton, nullptr);
	EXPECT_TRUE(mForwarder->mCommands.empty());
	EXPECT_TRUE(Changed(opened, Stored(Prefs())).empty());
	UDispatch::DeletePending();

	window = Open();
	ASSERT_NE(window, nullptr);
	for (int panel = 1; panel <= TSecurityPrefsWindow::kPanelCount; ++panel)
		ChangeEveryControl(window->GetPanel(panel));
	window->ObeyCommand(5071, nullptr);
	const UInt8 appliedHide = gAppPreferences->hideTickersInBackground;
	// Meanwhile the summary window moves, the quick quote takes a symbol, a source is changed there.
	Prefs().summary.windowTop = 321;
	Prefs().summary.sortKey = 4;
	std::strcpy(Prefs().stockQQSymbol, "ACME");
	Prefs().stockQQTop = 77;
	const tBytes others = Stored(Prefs());
	ChangeEveryControl(window->GetPanel(7));
	window->ObeyCommand(5071, nullptr);
	window->ObeyCommand(TVyWindow::kCancelButton, nullptr);

	const std::set<std::size_t> changed = Changed(opened, Stored(Prefs()));
	const std::set<std::size_t> byOthers = Changed(opened, others);
	std::set<std::size_t> foreign;
	for (std::size_t offset : byOthers) {
		bool edited = false;
		for (const auto& panelBytes : kPanelBytes)
			for (const tRange& range : panelBytes)
				edited = edited || Within(offset, range);
		if (!edited && !Within(offset, kInvertedRowFlag))
			foreign.insert(offset);
	}
	EXPECT_FALSE(foreign.empty());
	EXPECT_EQ(changed, foreign);
	EXPECT_EQ(Prefs().summary.windowTop, 321);
	EXPECT_STREQ(Prefs().stockQQSymbol, "ACME");
	// The application's flag is not part of what Cancel puts back.
	EXPECT_EQ(gAppPreferences->hideTickersInBackground, appliedHide);
}

TEST_F(SecurityPrefsWindowTest, AppliedSettingsReachTheSchedulerSourcesTickersAndSummary)
{
	modeltest::FakeTicker* ticker = mEnv->OpenTicker(7);
	TSecurity* stock = mPlugin->GetList(securityStock)->GetFirst();
	stock->AddTicklet(7, nullptr);
	mPlugin->TickerCloseNotify(7);
	mPlugin->TickerOpenNotify(7);
	ASSERT_EQ(ticker->mShown.size(), 1u);
	auto* ticklet = dynamic_cast<TSecurityTicklet*>(ticker->mShown[0]);
	ASSERT_NE(ticklet, nullptr);
	ticklet->OnStage();
	const UInt16 narrow = ticklet->GetWidth();
	EXPECT_FALSE(DrawsInRed(ticklet));

	TStockPlugin::SetWindowOpener(windowSummary, &TSummaryWindow::Open);
	ASSERT_TRUE(mPlugin->ObeyCommand(5004, nullptr));
	IPluginWindow* summaryFace = mPlugin->GetWindow(windowSummary);
	ASSERT_NE(summaryFace, nullptr);
	auto* summary = dynamic_cast<TSummaryWindow*>(summaryFace->GetCommander());
	ASSERT_NE(summary, nullptr);
	auto* summaryTable = dynamic_cast<TSummaryTable*>(summary->FindPaneByID(FOUR_CHAR_CODE("Tble")));
	ASSERT_NE(summaryTable, nullptr);
	const SInt32 rowHeight = summaryTable->GetRowHeightValue();

	// Updating runs; its first pass asks for every stock.
	ASSERT_TRUE(mPlugin->ObeyCommand(5020, nullptr));
	EventRecord event = {};
	mPlugin->SpendTime(event);
	mEnv->mRequests.clear();

	TSecurityPrefsWindow* window = Open();
	ASSERT_NE(window, nullptr);
	Pane<LCheckBox>(window, 1, "dNam")->SetValue(1);
	Pane<LCheckBox>(window, 1, "dVol")->SetValue(1);
	// Not yet quoted, the stock shows in the idle colour or, were it not idle, in the plain one.
	Pane<LColorWell>(window, 6, "iClr")->SetSwatchColor({0xFFFF, 0, 0});
	Pane<LColorWell>(window, 2, "cBgn")->SetSwatchColor({0xFFFF, 0, 0});
	Pane<LPopupButton>(window, 7, "sUpd")->SetValue(1); // every minute, not every five
	auto* american = Pane<LPopupButton>(window, 7, "Amer");
	ASSERT_GE(american->CountMenuItems(), 4);
	const OSType before = TQuoterManager::AmericanQuoter();
	american->SetValue(american->GetValue() == 3 ? 4 : 3);
	Pane<LPopupButton>(window, 11, "Size")->SetValue(7); // 24 points
	window->ObeyCommand(5071, nullptr);

	EXPECT_NE(TQuoterManager::AmericanQuoter(), before);
	EXPECT_EQ(TQuoterManager::AmericanQuoter(), Prefs().americanQuoter);
	EXPECT_GT(ticklet->GetWidth(), narrow);
	EXPECT_TRUE(DrawsInRed(ticklet));
	EXPECT_GT(summaryTable->GetRowHeightValue(), rowHeight);

	mClock.Advance(TBrokerage::kTicksPerMinute + 1);
	mPlugin->SpendTime(event);
	bool stockAsked = false;
	for (const modeltest::tRequestCall& call : mEnv->mRequests)
		stockAsked =
		    stockAsked || (call.operation == "SubmitURL" && call.security->Type() == securityStock);
	EXPECT_TRUE(stockAsked) << "the one-minute interval was not applied";

	window->ObeyCommand(TVyWindow::kCancelButton, nullptr);
	EXPECT_EQ(TQuoterManager::AmericanQuoter(), before);
	EXPECT_EQ(ticklet->GetWidth(), narrow);
	EXPECT_FALSE(DrawsInRed(ticklet));
	EXPECT_EQ(summaryTable->GetRowHeightValue(), rowHeight);
}

TEST_F(SecurityPrefsWindowTest, MenusSoundsIndicatorAndTheSourceVersion)
{
	Prefs().idling.threshold = 50; // not offered: shown as the first item
	Prefs().summary.indicatorAsInvertedRow = 1;
	TSecurityPrefsWindow* window = Open();
	ASSERT_NE(window, nullptr);
	EXPECT_TRUE(mEnv->mSounds.empty()) << "filling the alert panels played a sound";
	EXPECT_EQ(Pane<LPopupButton>(window, 6, "iMin")->GetValue(), 1);

	// A chosen sound plays.
	auto* sound = Pane<TSoundMenu>(window, 4, "lSou");
	ASSERT_GE(sound->CountMenuItems(), 2);
	sound->SetValue(2);
	EXPECT_EQ(mEnv->mSounds, std::vector<long>{2});

	// Only OK and Cancel are available while the window is the target.
	Boolean enabled = true, usesMark = false;
	UInt16 mark = 0;
	Str255 name;
	window->FindCommandStatus(5000, enabled, usesMark, mark, name);
	EXPECT_FALSE(enabled);
	window->FindCommandStatus(TVyWindow::kCancelButton, enabled, usesMark, mark, name);
	EXPECT_TRUE(enabled);

	// Apply with Option shows the source's version and stores nothing.
	auto* version = Pane<LStaticText>(window, 7, "vQtr");
	EXPECT_FALSE(version->IsVisibleSelf());
	Pane<LCheckBox>(window, 1, "dVol")->SetValue(1);
	TEventWatcher watcher;
	EventRecord optionClick = {};
	optionClick.what = mouseDown;
	optionClick.modifiers = optionKey;
	watcher.Execute(810, &optionClick);
	const tBytes opened = Stored(Prefs());
	window->ObeyCommand(5071, nullptr);
	EXPECT_TRUE(mForwarder->mCommands.empty());
	EXPECT_TRUE(Changed(opened, Stored(Prefs())).empty());
	EXPECT_TRUE(version->IsVisibleSelf());
	const OSType source = Prefs().americanQuoter;
	const std::string code = {char(source >> 24), char(source >> 16), char(source >> 8), char(source)};
	EXPECT_EQ(FrameworkTest::Descriptor(version).rfind(code + " ", 0), 0u)
	    << FrameworkTest::Descriptor(version);
	TEventWatcher::Reset();

	// The other OK command saves like OK: the threshold as its first item's 5 minutes, the indicator
	// drawn as an icon and never as an inverted row.
	Pane<LCheckBox>(window, 11, "smUI")->SetValue(1);
	window->ObeyCommand(2133, nullptr);
	EXPECT_EQ(mForwarder->mCommands, std::vector<CommandT>{5070});
	EXPECT_EQ(Prefs().idling.threshold, 5);
	EXPECT_EQ(Prefs().showVolume, 1);
	EXPECT_EQ(Prefs().summary.updateIndicator, 1);
	EXPECT_EQ(Prefs().summary.indicatorAsDot, 1);
	EXPECT_EQ(Prefs().summary.indicatorAsInvertedRow, 0);
	EXPECT_EQ(mPlugin->GetWindow(windowSecurityPrefs), nullptr);
}

TEST_F(SecurityPrefsWindowTest, CategoryListGroupsTitlesAndSwitchesPanels)
{
	TSecurityPrefsWindow* window = Open();
	ASSERT_NE(window, nullptr);
	// It opens with its menu bar on the screen, not above it.
	int shown = 0;
	for (QWidget* widget : QApplication::topLevelWidgets())
		if (widget->isVisible() && widget->windowTitle() == "Security Preferences") {
			++shown;
			EXPECT_GE(widget->frameGeometry().top(), 0);
		}
	EXPECT_EQ(shown, 1);
	auto* table = dynamic_cast<TSecurityPrefsTable*>(window->FindPaneByID(FOUR_CHAR_CODE("TBLE")));
	ASSERT_NE(table, nullptr);
	// The list marks the row of the panel it opens on, under its group's heading.
	const STableCell marked = table->GetFirstSelectedCell();
	ASSERT_NE(table->GetPrefsCategory(marked.row), nullptr);
	EXPECT_EQ(table->GetPrefsCategory(marked.row)->group, 0);
	EXPECT_EQ(table->GetPrefsCategory(marked.row)->panel, window->GetMultiPanelView()->GetCurrentIndex());
	const std::string longTitle(60, 'x');
	ASSERT_TRUE(ResourceStore::Get().LoadText("STR# 5690 { \"Before\" \"#" + longTitle +
	                                              "\" \"One\" \"Two\" \"-\" \"!" + longTitle + "\" }",
	                                          "categories"));
	table->LoadTitles(5690);
	TableIndexT rows = 0, cols = 0;
	table->GetTableSize(rows, cols);
	ASSERT_EQ(rows, 5u);
	// Rows: the plain row before any heading, the heading (its first row's panel), two bulleted rows and
	// the '!' row; headings cut at 50 characters, bulleted rows at 49 with their bullet.
	const std::vector<std::pair<UInt16, std::size_t>> expected = {
	    {1, 8}, {2, 50}, {2, 5}, {3, 5}, {4, 50}};
	for (TableIndexT row = 1; row <= rows; ++row) {
		const tPrefsCategory* entry = table->GetPrefsCategory(row);
		ASSERT_NE(entry, nullptr);
		EXPECT_EQ(entry->panel, expected[row - 1].first) << row;
		EXPECT_EQ(std::strlen(entry->title), expected[row - 1].second) << row;
	}
	EXPECT_EQ(table->GetPrefsCategory(1)->title[0], char(0xA5));
	EXPECT_EQ(std::string(table->GetPrefsCategory(2)->title), std::string(50, 'x'));

	auto click = [&](TableIndexT row, SInt16 h) {
		Rect cell;
		ASSERT_TRUE(table->GetLocalCellRect(STableCell(row, 1), cell));
		Point where{SInt16(cell.top + 3), SInt16(cell.left + h)};
		table->LocalToPortPoint(where);
		ControlsTest::ClickPortAt(window, where);
	};
	LMultiPanelView* panels = window->GetMultiPanelView();
	click(4, 40);
	EXPECT_EQ(panels->GetCurrentIndex(), 3);
	// The heading's icon closes the group and hides its rows; the panel stays.
	click(2, 8);
	table->GetTableSize(rows, cols);
	// The '!' row belongs to the closed group too: only a heading ends it.
	EXPECT_EQ(rows, 2u);
	EXPECT_EQ(panels->GetCurrentIndex(), 3);
	EXPECT_EQ(table->GetPrefsCategory(3), nullptr);
	// A click on the closed heading's text opens it, selects it and shows its first row's panel.
	click(2, 40);
	table->GetTableSize(rows, cols);
	EXPECT_EQ(rows, 5u);
	EXPECT_EQ(panels->GetCurrentIndex(), 2);
	EXPECT_TRUE(table->CellIsSelected(STableCell(2, 1)));
	window->ObeyCommand(TVyWindow::kCancelButton, nullptr);
}

} // namespace
