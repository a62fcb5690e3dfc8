// The application's own commands as the user gives them: the version windows, new tickers and their menus,
// the web pages, and the string tables they read.

#include "Includes/TList.h"
#include "Internet/UApplicationNotices.h"
#include "app/TCheckVersionWindow.h"
#include "app/kestrunApp.h"
#include "model/StockGlobals.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LMenuBar.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/StQtApplication.h"
#include "platform/framework/UNavServicesDialogs.h"
#include "platform/toolbox/gui/LaunchURL.h"
#include "tests/app/AppTestSupport.h"
#include "ticker/TPrefsWindow.h"
#include "ticker/TTicker.h"
#include "ticker/TTickerWindow.h"
#include "toolkit/TVyWindow.h"
#include "toolkit/UKsServices.h"

#include <cstring>
#include <filesystem>
#include <memory>

namespace
{

class kestrunAppCommandsTest : public AppFixture
{
protected:
	void SetUp() override
	{
		AppFixture::SetUp();
		SetURLOpener([this](const std::string& url) {
			mOpened.push_back(url);
			return mBrowserInstalled;
		});
		TTicker::tSettingsHooks hooks;
		hooks.openSettings = [this](TTicker& ticker, bool) -> LWindow* {
			mNewPrefs = &ticker;
			return nullptr;
		};
		TTicker::InstallSettingsHooks(hooks);
		gInittingTicker = 1;
		mApp = std::make_unique<kestrunApp>();
	}
	void TearDown() override
	{
		if (mApp)
			mApp->AttemptQuitSelf(0);
		mApp.reset();
		TTicker::InstallSettingsHooks({});
		SetURLOpener(nullptr);
		SetURLFailureReporter(nullptr);
		UNavServicesDialogs::SetChooser(nullptr);
		TVyFileUtils::SetNavHandler(nullptr);
		kestrunApp::SetDocumentHandlers({});
		AppFixture::TearDown();
	}

	bool Enabled(CommandT inCommand)
	{
		Boolean enabled = false, usesMark = false;
		UInt16 mark = 0;
		Str255 name = {0};
		mApp->FindCommandStatus(inCommand, enabled, usesMark, mark, name);
		return enabled;
	}

	std::vector<std::string> Items(ResIDT inMenuID)
	{
		std::vector<std::string> items;
		LMenu* menu = LMenuBar::GetCurrentMenuBar()->FetchMenu(inMenuID);
		for (SInt16 i = 1; menu && i <= menu->CountItems(); ++i) {
			Str255 text;
			menu->GetItemText(i, text);
			items.push_back(menu->IsSeparator(i) ? "-"
			                                     : std::to_string(menu->CommandFromIndex(i)) +
			                                           " " + PascalStrings::ToString(text));
		}
		return items;
	}

	TPrefsWindow* SettingsWindow()
	{
		for (LWindow* window : LWindow::GetWindowList())
			if (auto* settings = dynamic_cast<TPrefsWindow*>(window))
				return settings;
		return nullptr;
	}
	// Names the ticker in its settings window and presses the button.
	void Answer(const char* name, PaneIDT button)
	{
		TPrefsWindow* window = SettingsWindow();
		ASSERT_NE(window, nullptr);
		if (name) {
			auto* field = dynamic_cast<LEditText*>(window->FindPaneByID(FOUR_CHAR_CODE("tNam")));
			field->SetText(name, Size(std::strlen(name)));
		}
		window->ObeyCommand(button, nullptr);
		LWindow::AfterDispatch();
	}

	std::unique_ptr<kestrunApp> mApp;
	bool mBrowserInstalled = true;
	std::vector<std::string> mOpened;
	TTicker* mNewPrefs = nullptr;
};

TEST_F(kestrunAppCommandsTest, VersionCheckWindowShowsWhetherTheRunningVersionIsCurrent)
{
	TVersionWindow::CurrentVersion("2.8.3", 28300);
	TVersionWindow::NewVersion("<unknown>", 0);
	ASSERT_TRUE(Enabled(kCmdCheckVersion));
	mApp->ObeyCommand(kCmdCheckVersion, nullptr);
	TCheckVersionWindow* window = mApp->GetCheckVersionWindow();
	ASSERT_NE(window, nullptr);
	EXPECT_FALSE(Enabled(kCmdCheckVersion));
	// The one line of the four at the top that is shown.
	auto headline = [window] {
		const std::pair<PaneIDT, const char*> lines[] = {{FOUR_CHAR_CODE("vUtd"), "vUtd"},
		                                                 {FOUR_CHAR_CODE("vOld"), "vOld"},
		                                                 {FOUR_CHAR_CODE("vUnk"), "vUnk"},
		                                                 {FOUR_CHAR_CODE("vErr"), "vErr"}};
		std::string shown;
		for (const auto& [id, name] : lines)
			if (window->FindPaneByID(id)->IsVisibleSelf())
				shown += shown.empty() ? name : std::string(" ") + name;
		return shown;
	};

	// No answer yet, then a failed check: the window says so as the answers come, never "newest".
	EXPECT_EQ(FrameworkTest::Descriptor(window->FindPaneByID(FOUR_CHAR_CODE("nVer"))), "<unknown>");
	EXPECT_EQ(headline(), "vUnk");
	EXPECT_FALSE(window->FindPaneByID(2000)->IsEnabled());
	UApplicationNotices::VersionCheckFailed();
	EXPECT_EQ(headline(), "vErr");
	EXPECT_FALSE(window->FindPaneByID(2000)->IsEnabled());
	UApplicationNotices::NewVersion("2.8.3", 28300);
	EXPECT_EQ(headline(), "vUtd");
	EXPECT_EQ(FrameworkTest::Descriptor(window->FindPaneByID(FOUR_CHAR_CODE("nVer"))), "2.8.3");
	EXPECT_FALSE(window->FindPaneByID(2000)->IsEnabled());

	// A newer version announced: the upgrade is offered; asking not to be told again is kept.
	UApplicationNotices::NewVersion("2.9", 28301);
	UApplicationNotices::UpgradePage("https://vantorel.example.org/download");
	EXPECT_EQ(headline(), "vOld");
	ASSERT_TRUE(window->FindPaneByID(2000)->IsEnabled());
	dynamic_cast<LCheckBox*>(window->FindPaneByID(FOUR_CHAR_CODE("Ignr")))->SetValue(1);
	window->ObeyCommand(2000, nullptr);
	EXPECT_EQ(mOpened, std::vector<std::string>{"https://vantorel.example.org/download"});
	EXPECT_EQ(gAppPreferences->ignoreNewVersions, 1);
	LWindow::AfterDispatch();
	EXPECT_EQ(mApp->GetCheckVersionWindow(), nullptr);
	EXPECT_TRUE(Enabled(kCmdCheckVersion));
}

TEST_F(kestrunAppCommandsTest, VersionWindowsShowTheStoredChoiceSoThatClosingKeepsIt)
{
	auto ignoreBox = [](LWindow* window) {
		return dynamic_cast<LCheckBox*>(window->FindPaneByID(FOUR_CHAR_CODE("Ignr")));
	};
	mApp->ObeyCommand(kCmdNewVersion, nullptr);
	ASSERT_NE(mApp->GetVersionWindow(), nullptr);
	ASSERT_NE(ignoreBox(mApp->GetVersionWindow()), nullptr);
	EXPECT_EQ(ignoreBox(mApp->GetVersionWindow())->GetValue(), 0);
	ignoreBox(mApp->GetVersionWindow())->SetValue(1);
	mApp->GetVersionWindow()->ObeyCommand(TVyWindow::kCancelButton, nullptr);
	LWindow::AfterDispatch();

	// The next run: both windows show the choice, and closing them leaves it as it is.
	mApp->AttemptQuitSelf(0);
	mApp.reset();
	mApp = std::make_unique<kestrunApp>();
	ASSERT_EQ(gAppPreferences->ignoreNewVersions, 1);
	mApp->ObeyCommand(kCmdCheckVersion, nullptr);
	ASSERT_NE(mApp->GetCheckVersionWindow(), nullptr);
	EXPECT_EQ(ignoreBox(mApp->GetCheckVersionWindow())->GetValue(), 1);
	mApp->GetCheckVersionWindow()->ObeyCommand(TVyWindow::kCancelButton, nullptr);
	LWindow::AfterDispatch();
	EXPECT_EQ(gAppPreferences->ignoreNewVersions, 1);

	mApp->ObeyCommand(kCmdNewVersion, nullptr);
	ASSERT_NE(mApp->GetVersionWindow(), nullptr);
	EXPECT_EQ(ignoreBox(mApp->GetVersionWindow())->GetValue(), 1);
	ignoreBox(mApp->GetVersionWindow())->SetValue(0);
	mApp->GetVersionWindow()->ObeyCommand(TVyWindow::kCancelButton, nullptr);
	LWindow::AfterDispatch();
	EXPECT_EQ(gAppPreferences->ignoreNewVersions, 0);
}

TEST_F(kestrunAppCommandsTest, QuittingClosesTheAboutAndVersionWindowsFirst)
{
	mApp->ObeyCommand(kCmdAbout, nullptr);
	mApp->ObeyCommand(kCmdNewVersion, nullptr);
	ASSERT_NE(mApp->GetAboutWindow(), nullptr);
	ASSERT_NE(mApp->GetVersionWindow(), nullptr);
	EXPECT_FALSE(Enabled(kCmdAbout));
	std::filesystem::remove(PrefsPath());
	EXPECT_TRUE(mApp->AttemptQuitSelf(0));
	EXPECT_EQ(mApp->GetAboutWindow(), nullptr);
	EXPECT_EQ(mApp->GetVersionWindow(), nullptr);
	EXPECT_TRUE(LWindow::GetWindowList().empty());
	EXPECT_TRUE(std::filesystem::exists(PrefsPath()));
}

TEST_F(kestrunAppCommandsTest, OnWaylandTheProgramRunsOnX11UnlessThePlatformWasChosen)
{
	EXPECT_STREQ(StQtApplication::ChoosePlatform(nullptr, "wayland", nullptr), "xcb");
	EXPECT_STREQ(StQtApplication::ChoosePlatform("", nullptr, "wayland-0"), "xcb");
	EXPECT_EQ(StQtApplication::ChoosePlatform("offscreen", "wayland", "wayland-0"), nullptr);
	EXPECT_EQ(StQtApplication::ChoosePlatform(nullptr, "x11", nullptr), nullptr);
}

TEST_F(kestrunAppCommandsTest, NewTickersAreNamedAndListedInTheTickerMenus)
{
	mApp->RebuildTickerMenus();
	EXPECT_EQ(Items(kTickerOpenMenu), std::vector<std::string>{"1060 Main Ticker"});
	EXPECT_TRUE(Items(kTickerDeleteMenu).empty());

	mApp->ObeyCommand(kCmdNewTicker, nullptr);
	ASSERT_NE(mNewPrefs, nullptr);
	EXPECT_STREQ(mNewPrefs->GetTitle(), "New Ticker");
	// Cancelled, then started again: the same pending ticker.
	TTicker* pending = mNewPrefs;
	mApp->ObeyCommand(kCmdNewTickerCancelled, nullptr);
	mApp->ObeyCommand(kCmdNewTicker, nullptr);
	EXPECT_EQ(mNewPrefs, pending);
	mApp->ObeyCommand(kCmdNewTickerConfirmed, nullptr);
	EXPECT_EQ(gTickers->Count(), 1);
	EXPECT_EQ(Items(kTickerOpenMenu),
	          (std::vector<std::string>{"1060 Main Ticker", "-", "1200 New Ticker"}));
	EXPECT_EQ(Items(kTickerSettingsMenu).back(), "1500 New Ticker\xC9");
	// A name shows as written, whatever other menus would read into its characters.
	pending->SetTitle("-Yahoo! (A&B); 1/2");
	mApp->RebuildTickerMenus();
	EXPECT_EQ(Items(kTickerDeleteMenu), std::vector<std::string>{"1400 -Yahoo! (A&B); 1/2"});

	// Names are cut to the ticker's 40 characters however long the table's text.
	delete[] gAppCStrings[kNewTickerNameString];
	gAppCStrings[kNewTickerNameString] = new char[300];
	std::memset(gAppCStrings[kNewTickerNameString], 'x', 299);
	gAppCStrings[kNewTickerNameString][299] = 0;
	mApp->ObeyCommand(kCmdNewTicker, nullptr);
	EXPECT_EQ(std::string(mNewPrefs->GetTitle()), std::string(40, 'x'));

	// With 15 tickers there is no room for another.
	for (int i = gTickers->Count(); i < kMaxTickers; ++i)
		gTickers->Append(new TTicker());
	EXPECT_FALSE(Enabled(kCmdNewTicker));
}

TEST_F(kestrunAppCommandsTest, WebPagesComeFromTheStringTableAndMissingEntriesAreEmpty)
{
	mApp->ObeyCommand(kCmdWebPage, nullptr);
	mApp->ObeyCommand(kCmdWebPage + 6, nullptr);
	EXPECT_EQ(mOpened, (std::vector<std::string>{"https://vantorel.example.org/",
	                                             "https://vantorel.example.org/forum/"}));

	// Without the string lists every entry is an empty text, never a missing one.
	DisposeLocalStrings();
	const auto saved = ResourceStore::Get();
	ResourceStore::Get().Clear();
	LoadLocalStrings();
	ResourceStore::Get() = saved;
	for (int i = 0; i < kAppCStringCount; ++i)
		ASSERT_NE(gAppCStrings[i], nullptr);
	for (int i = 0; i < kAppStringCount; ++i)
		ASSERT_NE(gAppStrings[i], nullptr);
	EXPECT_STREQ(gAppCStrings[kNewTickerNameString], "");
	mApp->ObeyCommand(kCmdNewTicker, nullptr);
	ASSERT_NE(mNewPrefs, nullptr);
	EXPECT_STREQ(mNewPrefs->GetTitle(), "");
}

TEST_F(kestrunAppCommandsTest, AnAddressNoProgramCouldOpenIsNamedInAnAlert)
{
	UKsServices::Install();
	mBrowserInstalled = false;
	UModalAlerts::QueueAnswer(1);
	mApp->ObeyCommand(kCmdWebPage + 6, nullptr);
	std::vector<std::string> alerts = AppTest::TakeAlerts();
	ASSERT_EQ(alerts.size(), 1u);
	EXPECT_NE(alerts[0].find("No program could open the address"), std::string::npos) << alerts[0];
	EXPECT_NE(alerts[0].find("https://vantorel.example.org/forum/"), std::string::npos) << alerts[0];

	// The desktop's own launcher, which opens nothing on the offscreen platform.
	SetURLOpener(nullptr);
	UModalAlerts::QueueAnswer(1);
	mApp->ObeyCommand(kCmdWebPage, nullptr);
	alerts = AppTest::TakeAlerts();
	ASSERT_EQ(alerts.size(), 1u);
	EXPECT_NE(alerts[0].find("https://vantorel.example.org/"), std::string::npos) << alerts[0];

	// An address a program took brings no alert.
	mBrowserInstalled = true;
	SetURLOpener([this](const std::string& url) {
		mOpened.push_back(url);
		return mBrowserInstalled;
	});
	mApp->ObeyCommand(kCmdWebPage, nullptr);
	EXPECT_TRUE(AppTest::TakeAlerts().empty());
}

TEST_F(kestrunAppCommandsTest, OpenOpensEveryPortfolioChosen)
{
	std::vector<std::string> opened;
	static std::vector<std::string>* sOpened = nullptr;
	sOpened = &opened;
	kestrunApp::tDocumentHandlers handlers;
	handlers.open = [](LCommander*, FSSpec* inSpec) {
		std::string path;
		FSpGetPOSIXPath(inSpec, &path);
		sOpened->push_back(path);
	};
	kestrunApp::SetDocumentHandlers(handlers);
	UNavServicesDialogs::Install();
	std::vector<UNavServicesDialogs::tDialogOptions> asked;
	const QStringList chosen = {QString::fromStdString(mWork + "/Retirement"),
	                            QString::fromStdString(mWork + "/Savings")};
	UNavServicesDialogs::SetChooser([&](const UNavServicesDialogs::tDialogOptions& inOptions) {
		asked.push_back(inOptions);
		return chosen;
	});
	WriteText(mWork + "/Retirement", "zv22");
	WriteText(mWork + "/Savings", "zv22");

	ASSERT_TRUE(Enabled(cmd_Open));
	mApp->ObeyCommand(cmd_Open, nullptr);
	ASSERT_EQ(asked.size(), 1u);
	EXPECT_TRUE(asked[0].multiple);
	EXPECT_EQ(opened, (std::vector<std::string>{mWork + "/Retirement", mWork + "/Savings"}));
	sOpened = nullptr;
}

TEST_F(kestrunAppCommandsTest, MenusFollowTickersCreatedCancelledRenamedAndDeletedInTheirSettingsWindows)
{
	TPrefsWindow::InstallSettingsHooks();
	mApp->RebuildTickerMenus();
	mApp->ObeyCommand(kCmdNewTicker, nullptr);
	Answer("Rates", TVyWindow::kOKButton);
	ASSERT_EQ(gTickers->Count(), 1);
	TTicker* rates = gTickers->GetFirst();
	EXPECT_STREQ(rates->GetTitle(), "Rates");
	EXPECT_TRUE(rates->IsWindowOpen());
	EXPECT_EQ(Items(kTickerOpenMenu), (std::vector<std::string>{"1060 Main Ticker", "-", "1200 Rates"}));
	EXPECT_EQ(Items(kTickerDeleteMenu), std::vector<std::string>{"1400 Rates"});

	// Cancelled: its hidden window goes, and the menus stay as they were.
	mApp->ObeyCommand(kCmdNewTicker, nullptr);
	const size_t windows = LWindow::GetWindowList().size();
	Answer(nullptr, TVyWindow::kCancelButton);
	EXPECT_EQ(LWindow::GetWindowList().size(), windows - 2);
	EXPECT_EQ(SettingsWindow(), nullptr);
	EXPECT_EQ(gTickers->Count(), 1);
	EXPECT_EQ(Items(kTickerCloseMenu), (std::vector<std::string>{"1061 Main Ticker", "-", "1300 Rates"}));

	mApp->ObeyCommand(kCmdNewTicker, nullptr);
	Answer("Bonds", TVyWindow::kOKButton);
	ASSERT_EQ(gTickers->Count(), 2);

	// Renamed through its settings (menu 154, reference 0).
	mApp->ObeyCommand(kCmdTickerSettings, nullptr);
	Answer("Yields", TVyWindow::kOKButton);
	EXPECT_EQ(Items(kTickerSettingsMenu),
	          (std::vector<std::string>{"1062 Main Ticker", "-", "1500 Yields\xC9", "1501 Bonds\xC9"}));

	// Deleting the first renumbers the second.
	mApp->ObeyCommand(kCmdDeleteTicker, nullptr);
	EXPECT_EQ(gTickers->Count(), 1);
	EXPECT_EQ(Items(kTickerOpenMenu), (std::vector<std::string>{"1060 Main Ticker", "-", "1200 Bonds"}));
	EXPECT_EQ(gTickers->GetFirst()->GetReference(), 0);
}

TEST_F(kestrunAppCommandsTest, SlimTickersHaveNoTitleBarAndStandardOnesHaveOne)
{
	TPrefsWindow::InstallSettingsHooks();
	mApp->RebuildTickerMenus();
	// Picks the window style by the text the user reads in the menu.
	auto chooseStyle = [this](const std::string& inStyle) {
		auto* style =
		    dynamic_cast<LPopupButton*>(SettingsWindow()->FindPaneByID(FOUR_CHAR_CODE("tBor")));
		ASSERT_NE(style, nullptr);
		for (SInt16 item = 1; item <= style->CountMenuItems(); ++item) {
			Str255 text;
			style->GetMenuItemText(item, text);
			if (PascalStrings::ToString(text) == inStyle)
				style->SetValue(item);
		}
		Str255 chosen;
		style->GetMenuItemText(SInt16(style->GetValue()), chosen);
		ASSERT_EQ(PascalStrings::ToString(chosen), inStyle);
	};
	mApp->ObeyCommand(kCmdNewTicker, nullptr);
	ASSERT_NE(SettingsWindow(), nullptr);
	chooseStyle("Slim");
	Answer("Strip", TVyWindow::kOKButton);
	ASSERT_EQ(gTickers->Count(), 1);
	TTicker* ticker = gTickers->GetFirst();
	ASSERT_TRUE(ticker->IsWindowOpen());
	EXPECT_FALSE(static_cast<LWindow*>(ticker->GetWindow())->HasAttribute(windAttr_TitleBar));

	mApp->ObeyCommand(kCmdTickerSettings, nullptr);
	ASSERT_NE(SettingsWindow(), nullptr);
	chooseStyle("Standard");
	Answer(nullptr, TVyWindow::kOKButton);
	mApp->ObeyCommand(kCmdCloseTicker, nullptr);
	mApp->ObeyCommand(kCmdOpenTicker, nullptr);
	ASSERT_TRUE(ticker->IsWindowOpen());
	LWindow* window = ticker->GetWindow();
	EXPECT_TRUE(window->HasAttribute(windAttr_TitleBar));
	EXPECT_TRUE(window->HasAttribute(windAttr_CloseBox));
}

} // namespace
