#include "FrameworkTestSupport.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LMenuBar.h"
#include "platform/framework/UDispatch.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace
{

// A commander that handles one command and marks one other.
class TCommander : public LCommander
{
public:
	TCommander(LCommander* inSuper, CommandT inHandled, std::vector<std::string>* ioLog,
	           std::string inName)
	    : LCommander(inSuper), mHandled(inHandled), mLog(ioLog), mName(std::move(inName))
	{
	}

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override
	{
		mLog->push_back(mName);
		if (inCommand == mHandled)
			return true;
		return LCommander::ObeyCommand(inCommand, ioParam);
	}

	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override
	{
		if (inCommand == mHandled) {
			outEnabled = true;
			outUsesMark = true;
			outMark = checkMark;
			outName[0] = 4;
			std::memcpy(outName + 1, "Done", 4);
			return;
		}
		LCommander::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
	}

	Boolean AllowSubRemoval(LCommander*) override { return mAllowRemoval; }
	Boolean mAllowRemoval = true;

	int mBeTarget = 0, mDontBeTarget = 0;

protected:
	void BeTarget() override { ++mBeTarget; }
	void DontBeTarget() override { ++mDontBeTarget; }

private:
	CommandT mHandled;
	std::vector<std::string>* mLog;
	std::string mName;
};

struct Status {
	Boolean enabled;
	Boolean usesMark;
	UInt16 mark;
	std::string name;
};

Status StatusOf(LCommander* inCommander, CommandT inCommand)
{
	Status s{};
	Str255 name;
	inCommander->ProcessCommandStatus(inCommand, s.enabled, s.usesMark, s.mark, name);
	s.name.assign(reinterpret_cast<char*>(name + 1), name[0]);
	return s;
}

class CommanderTest : public ::testing::Test
{
protected:
	void SetUp() override { FrameworkTest::LoadFixtures(); }
	std::vector<std::string> mLog;
};

TEST_F(CommanderTest, CommandsTravelUpFromTheTargetUntilHandled)
{
	TCommander top(nullptr, 1, &mLog, "top");
	auto* middle = new TCommander(&top, 2, &mLog, "middle");
	auto* bottom = new TCommander(middle, 3, &mLog, "bottom");
	LCommander::SwitchTarget(bottom);

	EXPECT_TRUE(LCommander::GetTarget()->ProcessCommand(1));
	EXPECT_EQ(mLog, (std::vector<std::string>{"bottom", "middle", "top"}));
	mLog.clear();
	EXPECT_TRUE(LCommander::GetTarget()->ProcessCommand(2));
	EXPECT_EQ(mLog, (std::vector<std::string>{"bottom", "middle"}));
	mLog.clear();
	EXPECT_FALSE(LCommander::GetTarget()->ProcessCommand(99));
	EXPECT_EQ(mLog.size(), 3u);
	EXPECT_TRUE(bottom->IsOnDuty());
	EXPECT_TRUE(top.IsOnDuty());
	EXPECT_FALSE(top.IsTarget());
}

TEST_F(CommanderTest, CommandStatusStartsDisabledAndIsDecidedAlongTheChain)
{
	TCommander top(nullptr, 1, &mLog, "top");
	auto* sub = new TCommander(&top, 2, &mLog, "sub");
	const Status handledAbove = StatusOf(sub, 1);
	EXPECT_TRUE(handledAbove.enabled);
	EXPECT_TRUE(handledAbove.usesMark);
	EXPECT_EQ(handledAbove.mark, checkMark);
	EXPECT_EQ(handledAbove.name, "Done");
	const Status unknown = StatusOf(sub, 77);
	EXPECT_FALSE(unknown.enabled);
	EXPECT_FALSE(unknown.usesMark);
	EXPECT_EQ(unknown.mark, noMark);
	EXPECT_EQ(unknown.name, "");
}

TEST_F(CommanderTest, SwitchingTargetTellsBothAndDestroyingTheTargetHandsItUp)
{
	TCommander top(nullptr, 1, &mLog, "top");
	auto* a = new TCommander(&top, 2, &mLog, "a");
	auto* b = new TCommander(&top, 3, &mLog, "b");
	LCommander::SwitchTarget(a);
	LCommander::SwitchTarget(b);
	EXPECT_EQ(a->mBeTarget, 1);
	EXPECT_EQ(a->mDontBeTarget, 1);
	EXPECT_EQ(b->mBeTarget, 1);
	EXPECT_EQ(top.GetLatentSub(), b);
	delete b;
	EXPECT_EQ(LCommander::GetTarget(), &top);
	EXPECT_EQ(top.GetLatentSub(), nullptr);
	EXPECT_EQ(top.GetSubCommanders().size(), 1u);
	// The subs that remain go with their super.
}

TEST_F(CommanderTest, DestroyingASuperNeverLeavesItTheTargetWhenItsSubsHandItBack)
{
	// Like a window that activates its super when it goes.
	class THandsBack : public LCommander
	{
	public:
		using LCommander::LCommander;
		~THandsBack() override { SwitchTarget(GetSuperCommander()); }
	};
	TCommander top(nullptr, 1, &mLog, "top");
	auto* middle = new TCommander(&top, 2, &mLog, "middle");
	auto* other = new TCommander(&top, 3, &mLog, "other");
	new THandsBack(middle);
	LCommander::SwitchTarget(other);
	delete middle;
	EXPECT_EQ(LCommander::GetTarget(), &top);
	delete other;
}

TEST_F(CommanderTest, DefaultCommanderIsTheSuperOfNewCommanders)
{
	TCommander top(nullptr, 1, &mLog, "top");
	LCommander::SetDefaultCommander(&top);
	auto* made = new LCommander;
	EXPECT_EQ(made->GetSuperCommander(), &top);
	LCommander::SetDefaultCommander(nullptr);
}

TEST_F(CommanderTest, WindowCloseAsksTheSuperCommanderFirst)
{
	TCommander top(nullptr, 1, &mLog, "top");
	LWindow* window = LWindow::CreateWindow(1000, &top);
	ASSERT_NE(window, nullptr);
	top.mAllowRemoval = false;
	EXPECT_FALSE(window->AttemptClose());
	EXPECT_FALSE(window->IsClosing());
	top.mAllowRemoval = true;
	UDispatch::Run([&] {
		window->ProcessCommand(cmd_Close); // the close box's way
		EXPECT_TRUE(window->IsClosing());
		EXPECT_EQ(top.GetSubCommanders().size(), 1u);
	});
	EXPECT_EQ(top.GetSubCommanders().size(), 0u);
}

TEST_F(CommanderTest, MenuBarIsBuiltFromResourcesWithItsSubmenus)
{
	LMenuBar bar(128);
	ASSERT_EQ(bar.GetBarMenus().size(), 2u);
	LMenu* file = bar.FetchMenu(129);
	ASSERT_NE(file, nullptr);
	EXPECT_EQ(file->CountItems(), 6);
	EXPECT_EQ(file->CommandFromIndex(2), cmd_Open);
	EXPECT_EQ(file->GetItemKey(2), 'O');
	EXPECT_TRUE(file->IsSeparator(3));
	EXPECT_NE(bar.FetchMenu(150), nullptr); // installed as a submenu
	LMenu* edit = bar.FetchMenu(130);
	EXPECT_EQ(edit->CommandFromIndex(1), CommandT(FOUR_CHAR_CODE("wrap")));
	ResIDT menu;
	SInt16 item;
	EXPECT_TRUE(LMenu::IsSyntheticCommand(edit->CommandFromIndex(2), menu, item));
	EXPECT_EQ(menu, 130);
	EXPECT_EQ(item, 2);
	EXPECT_FALSE(LMenu::IsSyntheticCommand(-1, menu, item)); // the separator's command
}

TEST_F(CommanderTest, UpdateMenusAsksTheTargetsChain)
{
	LMenuBar bar(128);
	TCommander top(nullptr, cmd_Open, &mLog, "top");
	auto* sub = new TCommander(&top, FOUR_CHAR_CODE("wrap"), &mLog, "sub");
	LCommander::SwitchTarget(sub);
	bar.UpdateMenus();
	LMenu* file = bar.FetchMenu(129);
	EXPECT_FALSE(file->IsItemEnabled(1));
	EXPECT_TRUE(file->IsItemEnabled(2));
	EXPECT_EQ(file->GetItemMark(2), checkMark);
	Str255 text;
	file->GetItemText(2, text);
	EXPECT_EQ(std::string(reinterpret_cast<char*>(text + 1), text[0]), "Done");
	EXPECT_TRUE(file->IsItemEnabled(5)); // the submenu's item
	EXPECT_TRUE(bar.FetchMenu(130)->IsItemEnabled(1));
	LCommander::SwitchTarget(&top);
	bar.UpdateMenus();
	EXPECT_FALSE(bar.FetchMenu(130)->IsItemEnabled(1));
}

TEST_F(CommanderTest, CommandKeyRunsTheEnabledMenuCommandOnly)
{
	LMenuBar bar(128);
	TCommander top(nullptr, cmd_Open, &mLog, "top");
	LCommander::SwitchTarget(&top);
	EventRecord key;
	key.what = keyDown;
	key.modifiers = cmdKey;
	key.message = 'o';
	EXPECT_TRUE(top.ProcessKeyPress(key));
	EXPECT_EQ(mLog, (std::vector<std::string>{"top"}));
	// Command-N: the item exists but nobody enables it; the key is swallowed.
	mLog.clear();
	key.message = 'n';
	EXPECT_TRUE(top.ProcessKeyPress(key));
	EXPECT_TRUE(mLog.empty());
	// A key without the command key is not a menu equivalent.
	key.modifiers = 0;
	key.message = 'o';
	EXPECT_FALSE(top.ProcessKeyPress(key));
	EXPECT_TRUE(mLog.empty());
}

TEST_F(CommanderTest, PopUpMenuChooserReplacesTheUser)
{
	LMenu menu(150);
	Point seen;
	auto previous = SetPopUpMenuChooser([&](MenuHandle m, Point p, SInt16 item) -> SInt32 {
		seen = p;
		return (SInt32(m->GetMenuID()) << 16) | (item + 1);
	});
	const SInt32 result = PopUpMenuSelect(&menu, 40, 30, 1);
	SetPopUpMenuChooser(previous);
	EXPECT_EQ(result >> 16, 150);
	EXPECT_EQ(result & 0xFFFF, 2);
	EXPECT_EQ(seen.v, 40);
	EXPECT_EQ(seen.h, 30);
}

TEST_F(CommanderTest, PopUpMenuReturnsTheMenuAndTheItemTheUserChose)
{
	LMenu menu(129);
	QTimer::singleShot(0, [] {
		if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
			for (QAction* a : popup->actions())
				if (a->text().startsWith("Close"))
					a->trigger();
		if (auto* popup = QApplication::activePopupWidget())
			popup->close();
	});
	const SInt32 result = PopUpMenuSelect(&menu, 100, 100, 1);
	EXPECT_EQ(result >> 16, 129);
	EXPECT_EQ(result & 0xFFFF, 4);
}

} // namespace
