#include "FrameworkTestSupport.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LMenuBar.h"

#include <QAction>
#include <QMenuBar>
#include <gtest/gtest.h>
#include <memory>

using namespace FrameworkTest;

namespace
{

QMenuBar* MenuBarOf(const QString& title)
{
	for (QWidget* w : QApplication::topLevelWidgets())
		if (w->isVisible() && w->windowTitle() == title)
			return w->findChild<QMenuBar*>();
	return nullptr;
}

QAction* ActionNamed(QMenu* menu, const QString& prefix)
{
	for (QAction* a : menu->actions())
		if (a->text().startsWith(prefix))
			return a;
	return nullptr;
}

class MenuBarWindowTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadFixtures();
		mApp = std::make_unique<LApplication>();
		mBar = std::make_unique<LMenuBar>(128);
	}
	void TearDown() override
	{
		mApp.reset();
		mBar.reset();
	}
	std::unique_ptr<LApplication> mApp;
	std::unique_ptr<LMenuBar> mBar;
};

TEST_F(MenuBarWindowTest, StandardWindowShowsTheMenuBarAndItsCommandsRunThroughTheTarget)
{
	auto* window = dynamic_cast<TWindow*>(LWindow::CreateWindow(1000, mApp.get()));
	window->mOnCommand = [](CommandT command) { return command == FOUR_CHAR_CODE("wrap"); };
	window->Show();
	window->Select();
	LWindow::AfterDispatch();
	QMenuBar* qbar = MenuBarOf("Test Window");
	ASSERT_NE(qbar, nullptr);
	ASSERT_EQ(qbar->actions().size(), 2);
	EXPECT_EQ(qbar->actions()[0]->text(), "File");
	QMenu* edit = qbar->actions()[1]->menu();
	ASSERT_NE(edit, nullptr);

	// Opening the menu asks the chain: the window handles 'wrap' but nobody enables it.
	emit edit->aboutToShow();
	QAction* wrap = ActionNamed(edit, "Wrap Lines");
	ASSERT_NE(wrap, nullptr);
	EXPECT_FALSE(wrap->isEnabled());
	QMenu* file = qbar->actions()[0]->menu();
	emit file->aboutToShow();
	QAction* quit = ActionNamed(file, "Quit");
	ASSERT_NE(quit, nullptr);
	EXPECT_TRUE(quit->isEnabled()); // the application's
	EXPECT_TRUE(quit->text().endsWith("Ctrl+Q"));
	QAction* close = ActionNamed(file, "Close");
	EXPECT_TRUE(close->isEnabled()); // the window has a close box

	// Choosing an item runs its command from the target up.
	wrap->setEnabled(true);
	wrap->trigger();
	EXPECT_EQ(window->mCommands, (std::vector<CommandT>{CommandT(FOUR_CHAR_CODE("wrap"))}));
}

TEST_F(MenuBarWindowTest, MenuBarFollowsMenusInstalledAndRemoved)
{
	auto* window = LWindow::CreateWindow(1000, mApp.get());
	window->Show();
	LWindow::AfterDispatch();
	Str255 title = {7, 'T', 'i', 'c', 'k', 'e', 'r', 's'};
	auto* added = new LMenu(151, title);
	const unsigned char name[] = "\x0CYahoo! & Co.";
	added->AppendCommand(name, 1200);
	mBar->InstallMenu(added, 130);
	LWindow::AfterDispatch();
	QMenuBar* qbar = MenuBarOf("Test Window");
	ASSERT_EQ(qbar->actions().size(), 3);
	EXPECT_EQ(qbar->actions()[1]->text(), "Tickers");
	// An item shows its text as written: no mnemonic, no mark.
	QMenu* tickers = qbar->actions()[1]->menu();
	emit tickers->aboutToShow();
	ASSERT_EQ(tickers->actions().size(), 1);
	EXPECT_EQ(tickers->actions()[0]->text(), "Yahoo! && Co.");
	EXPECT_FALSE(tickers->actions()[0]->isCheckable());
	mBar->RemoveMenu(added);
	delete added;
	LWindow::AfterDispatch();
	EXPECT_EQ(qbar->actions().size(), 2);
}

TEST_F(MenuBarWindowTest, DialogsAndFloatersShowNoMenuBar)
{
	ASSERT_TRUE(ResourceStore::Get().LoadText(
	    "PPob 4400 { 'wind' 0 0 0 50 50 str \"Floater\" u32 0x40000002 i16 -1 i16 -1 i16 -1 i16 -1 }",
	    "inline"));
	auto* floater = LWindow::CreateWindow(4400, mApp.get());
	floater->Show();
	EXPECT_EQ(MenuBarOf("Floater"), nullptr);
	EXPECT_TRUE(floater->IsActive()); // floaters are active whenever shown
}

} // namespace
