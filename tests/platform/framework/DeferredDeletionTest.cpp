#include "FrameworkTestSupport.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/UDispatch.h"

#include <QKeyEvent>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

using namespace FrameworkTest;

namespace
{

// A pane whose destruction is seen from outside.
class TMortal : public LPane
{
public:
	TMortal(LView* inView, bool* outDestroyed) : LPane(Info(inView)), mDestroyed(outDestroyed) {}
	~TMortal() override { *mDestroyed = true; }

private:
	static SPaneInfo Info(LView* inView)
	{
		SPaneInfo info;
		info.paneID = 77;
		info.width = 10;
		info.height = 10;
		info.superView = inView;
		return info;
	}
	bool* mDestroyed;
};

class DeferredDeletionTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadFixtures();
		mApp = std::make_unique<LApplication>();
	}
	std::unique_ptr<LApplication> mApp;
};

TEST_F(DeferredDeletionTest, WindowClosingItselfInItsKeyHandlerIsDeletedAfterTheDispatch)
{
	auto* window = dynamic_cast<TWindow*>(LWindow::CreateWindow(1000, mApp.get()));
	ASSERT_NE(window, nullptr);
	window->Show();
	window->Select();
	bool destroyed = false;
	new TMortal(window, &destroyed);
	bool stillWhole = false;
	window->mOnKey = [&](const EventRecord&) {
		window->AttemptClose();
		// Code of the window still runs here: the window and its panes must be whole.
		stillWhole = !destroyed && window->FindPaneByID(77) != nullptr && window->IsClosing();
		return true;
	};
	EventRecord key;
	key.what = keyDown;
	key.message = 27;
	LApplication::DispatchEvent(key, window);
	EXPECT_TRUE(stillWhole);
	EXPECT_TRUE(destroyed);
	EXPECT_TRUE(mApp->GetSubCommanders().empty());
	EXPECT_TRUE(LWindow::GetWindowList().empty());
	EXPECT_EQ(LCommander::GetTarget(), mApp.get());
}

TEST_F(DeferredDeletionTest, WindowClosedByARealKeyEventOutlivesQtsHandlingOfIt)
{
	auto* window = dynamic_cast<TWindow*>(LWindow::CreateWindow(1000, mApp.get()));
	window->Show();
	window->Select();
	window->mOnKey = [&](const EventRecord& e) {
		if ((e.message & charCodeMask) == 27)
			window->AttemptClose();
		return true;
	};
	QWidget* content = nullptr;
	for (QWidget* w : QApplication::topLevelWidgets())
		if (w->isVisible() && w->windowTitle() == "Test Window")
			content = w->focusWidget() ? w->focusWidget() : w->findChildren<QWidget*>().value(0);
	ASSERT_NE(content, nullptr);
	QPointer<QWidget> guard(content);
	QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
	QCoreApplication::sendEvent(content, &escape);
	EXPECT_TRUE(mApp->GetSubCommanders().empty()); // the window is gone
	EXPECT_TRUE(guard);                            // its widget waits for Qt
	EXPECT_FALSE(guard->isVisible());
	QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
	EXPECT_FALSE(guard);
}

TEST_F(DeferredDeletionTest, PaneDeletedWhenSafeIsUnlinkedFirst)
{
	std::unique_ptr<LWindow> window(LWindow::CreateWindow(1000, nullptr));
	bool destroyed = false;
	auto* pane = new TMortal(window.get(), &destroyed);
	UDispatch::Run([&] {
		UDispatch::DeleteWhenSafe(pane);
		UDispatch::DeleteWhenSafe(pane); // asked twice, deleted once
		EXPECT_FALSE(destroyed);
		EXPECT_TRUE(UDispatch::IsDeletionPending(pane));
	});
	EXPECT_TRUE(destroyed);
	EXPECT_EQ(window->FindPaneByID(77), nullptr);
}

TEST_F(DeferredDeletionTest, PendingPaneDeletedWithItsWindowIsForgotten)
{
	auto* window = LWindow::CreateWindow(1000, mApp.get());
	bool destroyed = false;
	auto* pane = new TMortal(window, &destroyed);
	UDispatch::Run([&] {
		UDispatch::DeleteWhenSafe(pane);
		window->DoClose();
	});
	EXPECT_TRUE(destroyed);
	EXPECT_FALSE(UDispatch::IsDeletionPending(pane));
}

TEST_F(DeferredDeletionTest, ClosingTheFrontWindowSelectsTheNext)
{
	auto* back = LWindow::CreateWindow(1000, mApp.get());
	auto* front = LWindow::CreateWindow(1000, mApp.get());
	back->Show();
	back->Select();
	front->Show();
	front->Select();
	EXPECT_TRUE(front->IsActive());
	EXPECT_FALSE(back->IsActive());
	EXPECT_EQ(LWindow::FetchTopRegular(), front);
	UDispatch::Run([&] { front->AttemptClose(); });
	EXPECT_EQ(LWindow::FetchTopRegular(), back);
	EXPECT_TRUE(back->IsActive());
	EXPECT_EQ(LCommander::GetTarget(), back);
}

TEST_F(DeferredDeletionTest, CommanderViewDeletesItsCommanderPanes)
{
	// A field that is a commander inside a table that is one too: the table's commander part goes first.
	class TCommanderPane : public LPane, public LCommander
	{
	public:
		TCommanderPane(const SPaneInfo& inInfo, LCommander* inSuper)
		    : LPane(inInfo), LCommander(inSuper)
		{
		}
	};
	class TCommanderView : public LView, public LCommander
	{
	public:
		TCommanderView(const SPaneInfo& inInfo, LCommander* inSuper)
		    : LView(inInfo), LCommander(inSuper)
		{
		}
	};
	std::unique_ptr<LWindow> window(LWindow::CreateWindow(1000, mApp.get()));
	SPaneInfo info;
	info.width = info.height = 50;
	info.superView = window.get();
	auto* table = new TCommanderView(info, window.get());
	info.superView = table;
	auto* field = new TCommanderPane(info, table);
	LCommander::SwitchTarget(field);
	table->PutInside(nullptr);
	delete table;
	EXPECT_EQ(window->GetSubPanes().size(), 2u); // the layout's own two
	EXPECT_EQ(LCommander::GetTarget(), window.get());
}

using DeferredDeletionDeathTest = DeferredDeletionTest;

TEST_F(DeferredDeletionDeathTest, DestroyingALinkedPaneStopsTheProgram)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_DEATH(
	    {
		    std::unique_ptr<LWindow> window(LWindow::CreateWindow(1000, nullptr));
		    delete window->FindPaneByID(FOUR_CHAR_CODE("blue"));
	    },
	    "mSuperView == nullptr");
}

} // namespace
