// A ticker's settings window as the user works it: the appearance controls and the content check boxes
// over the plug-in's real content tree; OK writes the ticker's settings and the securities' choices for
// that ticker, Cancel leaves both as they were.

#include "Includes/ITicker.h"
#include "app/kestrunApp.h"
#include "model/TSecurity.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/gui/Events.h"
#include "tests/app/StockPluginTestSupport.h"
#include "tests/platform/framework/ControlsTestSupport.h"
#include "ticker/TPluginCategoryTable.h"
#include "ticker/TPrefsWindow.h"
#include "ticker/TTicker.h"
#include "ticker/TXContentMgr.h"
#include "toolkit/LColorWell.h"
#include "toolkit/TFontMenu.h"
#include "toolkit/TFontSizeMenu.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{

class NamedTicker : public ITicker
{
public:
	void AddTicklet(TTicklet*, long) override {}
	void RemoveTicklet(TTicklet*) override {}
	const char* GetName() override { return "Quotes"; }
	UInt32 GetID() override { return 99; }
	short GetHeight() override { return 24; }
	void GetBackground(TKsRGBColor*) override {}
	void GetForeground(TKsRGBColor*) override {}
	void GetFont(TKsFont*) override {}
};

class TickerSettingsWindowTest : public StockPluginFixture
{
protected:
	void SetUp() override
	{
		StockPluginFixture::SetUp();
		kestrunApp::RegisterClasses();
		TPrefsWindow::InstallSettingsHooks();
		Start();
		TPrefsWindow::SetTickerByName([this](const char* name) {
			return mOpenNamed && std::strcmp(name, mNamed.GetName()) == 0 ? &mNamed : nullptr;
		});
		mTicker = std::make_unique<TTicker>();
		mTicker->SetTitle("Markets");
		// A closed ticker of the application's list: the securities keep what is chosen for it.
		mEnv->CloseTicker(mTicker->GetID(), true);
	}
	void TearDown() override
	{
		mTicker.reset();
		LWindow::AfterDispatch();
		TPrefsWindow::SetTickerByName(nullptr);
		TTicker::InstallSettingsHooks({});
		UModalAlerts::SetAnswersRequired(false);
		StockPluginFixture::TearDown();
	}

	TPrefsWindow* OpenSettings()
	{
		mTicker->OpenPrefs();
		auto* window = dynamic_cast<TPrefsWindow*>(mTicker->GetSettingsWindow());
		EXPECT_NE(window, nullptr);
		if (window) {
			EventRecord event = {};
			window->SpendTime(event); // the rows wait for the next pass of the loop
		}
		return window;
	}
	template <class T> T* Pane(LWindow* window, const char (&id)[5])
	{
		return FrameworkTest::FindPane<T>(window, id);
	}
	// The row (from 0) whose text starts with the text.
	SInt32 RowOf(TPrefsWindow* window, const std::string& text)
	{
		TXContentMgr* manager = window->GetContentManager();
		for (long i = 1; TContentTreeNode* node = manager->GetNth(i); ++i)
			if (std::string(node->mDescription).starts_with(text))
				return SInt32(i - 1);
		ADD_FAILURE() << "no row " << text;
		return -1;
	}
	std::vector<TSecurity*> Shown()
	{
		std::vector<TSecurity*> shown;
		for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
			for (TSecurity* s = mPlugin->GetList(kind)->GetFirst(); s;
			     s = mPlugin->GetList(kind)->GetNext())
				if (s->IsActiveTicker(mTicker->GetID()))
					shown.push_back(s);
		return shown;
	}
	void Type(LEditText* field, const char* text)
	{
		field->SetText(text, Size(std::strlen(text)));
		field->BroadcastMessage(field->GetValueMessage(), field);
	}

	std::unique_ptr<TTicker> mTicker;
	NamedTicker mNamed;
	bool mOpenNamed = false;
};

TEST_F(TickerSettingsWindowTest, OKWritesTheEditedSettingsAndTheCheckedSecuritiesOfThatTicker)
{
	TPrefsWindow* window = OpenSettings();
	ASSERT_NE(window, nullptr);
	Str255 title;
	EXPECT_EQ(PascalStrings::ToString(window->GetDescriptor(title)), "Markets Settings");
	TXContentMgr* manager = window->GetContentManager();
	ASSERT_NE(manager->GetNth(1), nullptr);
	EXPECT_EQ(window->GetRowCheckBox(SInt32(manager->CountRows()) - 1) != nullptr, true);
	EXPECT_EQ(window->GetRowCheckBox(SInt32(manager->CountRows())), nullptr);

	Type(Pane<LEditText>(window, "tNam"), "Indexes 50% off");
	EXPECT_EQ(PascalStrings::ToString(window->GetDescriptor(title)), "Indexes 50% off Settings");
	Pane<LPopupButton>(window, "tSpd")->SetValue(7);
	Pane<LPopupButton>(window, "tDir")->SetValue(2);
	Pane<LPopupButton>(window, "tAnc")->SetValue(9);
	Pane<LPopupButton>(window, "tBor")->SetValue(1);
	Pane<LControl>(window, "tFlt")->SetValue(1);
	auto* font = Pane<TFontMenu>(window, "Font");
	font->SetValue(font->CountMenuItems());
	char fontName[64] = {};
	font->GetFont(fontName, sizeof(fontName));
	Pane<TFontSizeMenu>(window, "Size")->SetSize(24);
	const RGBColor red = {0xFFFF, 0, 0};
	Pane<LColorWell>(window, "cBck")->SetSwatchColor(red);

	// The first index and, through its group, every currency pair; then the first pair off again.
	const SInt32 index = RowOf(window, "Dow");
	window->GetRowCheckBox(index)->SetValue(1);
	const SInt32 currencies = RowOf(window, "Currenc");
	window->GetRowCheckBox(currencies)->SetValue(1);
	EXPECT_EQ(window->GetRowCheckBox(currencies + 1)->GetValue(), 1);
	window->GetRowCheckBox(currencies + 1)->SetValue(0);
	EXPECT_EQ(window->GetRowCheckBox(currencies)->GetValue(), 2); // mixed
	EXPECT_EQ(window->GetRowCheckBox(0)->GetValue(), 2);
	EXPECT_TRUE(Shown().empty()); // nothing before OK

	const tTickerPrefs before = mTicker->GetPrefs();
	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	LWindow::AfterDispatch();
	EXPECT_EQ(mTicker->GetSettingsWindow(), nullptr);
	EXPECT_STREQ(mTicker->GetTitle(), "Indexes 50% off");
	const tTickerPrefs& after = mTicker->GetPrefs();
	EXPECT_EQ(after.speed, 0);
	EXPECT_EQ(after.direction, 21);
	EXPECT_EQ(after.anchor, 36);
	EXPECT_EQ(after.border, 41);
	EXPECT_EQ(after.floating, 1);
	EXPECT_STREQ(after.font.GetFontName(), fontName);
	EXPECT_EQ(after.font.GetFontSize(), 24);
	EXPECT_EQ(after.background, TKsRGBColor(0xFFFF, 0, 0));
	EXPECT_EQ(after.foreground, TKsRGBColor(0xFFFF, 0, 0));
	EXPECT_EQ(after.left, before.left);
	EXPECT_EQ(after.width, before.width);

	// The ticker is closed: the choice waits on the securities for it.
	TList<TSecurity>* pairs = mPlugin->GetList(securityCurrency);
	std::vector<TSecurity*> expected;
	TList<TSecurity>* indexes = mPlugin->GetList(securityIndex);
	for (TSecurity* s = indexes->GetFirst(); s; s = indexes->GetNext())
		if (std::string(s->SecurityName()).starts_with("Dow"))
			expected.push_back(s);
	for (long i = 2; i <= pairs->Count(); ++i)
		expected.push_back(pairs->GetNth(i));
	EXPECT_EQ(Shown(), expected);
}

TEST_F(TickerSettingsWindowTest, CancelLeavesTheTickerAndItsSecuritiesAsTheyWere)
{
	TPrefsWindow* window = OpenSettings();
	ASSERT_NE(window, nullptr);
	const tTickerPrefs before = mTicker->GetPrefs();
	Pane<LPopupButton>(window, "tSpd")->SetValue(1);
	Type(Pane<LEditText>(window, "tNam"), "Other");
	window->GetRowCheckBox(0)->SetValue(1);
	window->ObeyCommand(TVyWindow::kCancelButton, nullptr);
	LWindow::AfterDispatch();
	EXPECT_EQ(mTicker->GetSettingsWindow(), nullptr);
	EXPECT_EQ(mTicker->GetContentManager(), nullptr); // nothing left to apply at the next opening
	EXPECT_STREQ(mTicker->GetTitle(), "Markets");
	EXPECT_EQ(std::memcmp(&before, &mTicker->GetPrefs(), sizeof(before)), 0);
	EXPECT_TRUE(Shown().empty());
}

TEST_F(TickerSettingsWindowTest, AnEmptyNameOrTheNameOfAnotherOpenTickerIsRefused)
{
	TPrefsWindow* window = OpenSettings();
	ASSERT_NE(window, nullptr);
	auto* name = Pane<LEditText>(window, "tNam");
	Type(name, "");
	UModalAlerts::SetAnswersRequired(true);
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	Type(name, "Quotes");
	UModalAlerts::QueueAnswer(1);
	mOpenNamed = true;
	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), 2u);
	EXPECT_EQ(UModalAlerts::GetShownAlerts()[0].text, "Please enter a name for the ticker.");
	EXPECT_EQ(UModalAlerts::GetShownAlerts()[1].text,
	          "Another ticker already has this name. Please choose a different name.");
	EXPECT_EQ(mTicker->GetSettingsWindow(), window);
	EXPECT_STREQ(mTicker->GetTitle(), "Markets");
	mOpenNamed = false; // the same name on a closed ticker does not block it
	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	LWindow::AfterDispatch();
	EXPECT_STREQ(mTicker->GetTitle(), "Quotes");

	// The field holds what the ticker keeps: 40 characters.
	window = OpenSettings();
	ASSERT_NE(window, nullptr);
	Type(Pane<LEditText>(window, "tNam"), std::string(45, 'n').c_str());
	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	LWindow::AfterDispatch();
	EXPECT_EQ(std::string(mTicker->GetTitle()), std::string(40, 'n'));
}

} // namespace

namespace
{

TEST_F(TickerSettingsWindowTest, DefaultContentGivesEverySecurityAndKeepsAFullTickerFull)
{
	size_t all = 0;
	for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
		all += size_t(mPlugin->GetList(kind)->Count());
	// The manager outlives its settings window, which no longer hears from it.
	ASSERT_NE(OpenSettings(), nullptr);
	mTicker->GetSettingsWindow()->ObeyCommand(TVyWindow::kOKButton, nullptr);
	LWindow::AfterDispatch();
	ASSERT_NE(mTicker->GetContentManager(), nullptr);
	mTicker->PopulateDefaults();
	EXPECT_FALSE(mTicker->IsWindowOpen());
	ASSERT_EQ(Shown().size(), all);
	// Again, as after a lost settings file whose securities still name the ticker.
	mTicker->PopulateDefaults();
	EXPECT_EQ(Shown().size(), all);
}

} // namespace

namespace
{

TEST_F(TickerSettingsWindowTest, ClicksOnTheContentTableOpenAndCloseGroupsAndFlipTheirBoxes)
{
	TPrefsWindow* window = OpenSettings();
	ASSERT_NE(window, nullptr);
	Pane<LControl>(window, "Hdrs")->SetValue(2);
	auto* table = Pane<TPluginCategoryTable>(window, "Tble");
	ASSERT_TRUE(table->IsVisible());
	TXContentMgr* manager = window->GetContentManager();
	const SInt32 stocks = RowOf(window, "Stocks");
	const long rows = manager->CountRows();
	const long shownStocks = mPlugin->GetList(securityStock)->Count();
	auto click = [&](SInt32 row, SInt16 h) {
		Rect cell;
		ASSERT_TRUE(table->GetLocalCellRect(STableCell(TableIndexT(row + 1), 1), cell));
		Point where{SInt16(cell.top + 3), SInt16(cell.left + h)};
		table->LocalToPortPoint(where);
		ControlsTest::ClickPortAt(window, where);
		EventRecord event = {};
		window->SpendTime(event);
	};

	click(stocks, 1 * TPluginCategoryTable::kIndent + 4); // the triangle of a depth-1 row
	EXPECT_EQ(manager->CountRows(), rows - shownStocks);
	click(stocks, 1 * TPluginCategoryTable::kIndent + 4);
	EXPECT_EQ(manager->CountRows(), rows);

	window->GetRowCheckBox(stocks + 1)->SetValue(1);
	ASSERT_EQ(window->GetRowCheckBox(stocks)->GetValue(), 2);
	click(stocks, 120); // on the text: the mixed group is checked whole
	for (SInt32 row = stocks; row <= stocks + shownStocks; ++row)
		EXPECT_EQ(window->GetRowCheckBox(row)->GetValue(), 1) << row;
	click(stocks, 120);
	EXPECT_EQ(window->GetRowCheckBox(stocks + 1)->GetValue(), 0);
}

TEST_F(TickerSettingsWindowTest, EveryRowsBoxWorksWithMoreThanAThousandSecurities)
{
	TList<TSecurity>* stocks = mPlugin->GetList(securityStock);
	for (int i = 0; i < 1100; ++i) {
		auto* stock = new TStock();
		const std::string number = std::to_string(i);
		UZVUtils::DefaultStock(stock, ("Extra " + number).c_str(), ("X" + number).c_str(), 101);
		stocks->Append(stock);
	}
	mPlugin->PrefsChanged(securityStock, stocks, true);
	TPrefsWindow* window = OpenSettings();
	ASSERT_NE(window, nullptr);
	ASSERT_GT(window->GetContentManager()->CountRows(), 1100);
	const SInt32 last = RowOf(window, "Extra 1099 ");
	ASSERT_GT(last, 1000);
	window->GetRowCheckBox(last)->SetValue(1);
	EXPECT_EQ(window->GetRowCheckBox(RowOf(window, "Stocks"))->GetValue(), 2); // mixed
	window->ObeyCommand(TVyWindow::kOKButton, nullptr);
	LWindow::AfterDispatch();
	ASSERT_EQ(Shown().size(), 1u);
	EXPECT_STREQ(Shown().front()->SecuritySymbol(), "X1099");
}

} // namespace
