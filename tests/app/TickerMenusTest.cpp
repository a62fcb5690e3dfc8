// The ticker menus as the user changes the tickers: a new ticker named in its settings window and
// confirmed or cancelled, renamed through its settings, and deleted.

#include "Includes/TList.h"
#include "app/kestrunApp.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LMenuBar.h"
#include "tests/app/AppTestSupport.h"
#include "ticker/TPrefsWindow.h"
#include "ticker/TTicker.h"
#include "toolkit/TVyWindow.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

class TickerMenusTest : public AppFixture
{
protected:
	void SetUp() override
	{
		AppFixture::SetUp();
		mApp = std::make_unique<kestrunApp>();
		TPrefsWindow::InstallSettingsHooks();
		mApp->RebuildTickerMenus();
	}
	void TearDown() override
	{
		mApp->AttemptQuitSelf(0);
		mApp.reset();
		TTicker::InstallSettingsHooks({});
		AppFixture::TearDown();
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
};

TEST_F(TickerMenusTest, MenusFollowTickersCreatedCancelledRenamedAndDeleted)
{
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

} // namespace
