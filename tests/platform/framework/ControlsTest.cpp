#include "ControlsTestSupport.h"
#include "platform/framework/LBevelButton.h"
#include "platform/framework/LCaption.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LCheckBoxGroupBox.h"
#include "platform/framework/LDisclosureTriangle.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/LRadioButton.h"
#include "platform/framework/LRadioGroup.h"
#include "platform/framework/LRadioGroupView.h"
#include "platform/framework/LScrollBar.h"
#include "platform/framework/LScrollerView.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/UReanimator.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <cstring>

using namespace ControlsTest;

namespace
{

StringPtr P(const char* inText, Str255 outText)
{
	outText[0] = UInt8(std::strlen(inText));
	std::memcpy(outText + 1, inText, outText[0]);
	return outText;
}

class ControlsTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadControlFixtures();
		mApp = std::make_unique<LApplication>();
		mWindow = LWindow::CreateWindow(7000, mApp.get());
		ASSERT_NE(mWindow, nullptr);
		mWindow->Show();
		mWindow->Select();
		UReanimator::LinkListenerToControls(&mRecorder, mWindow, 7000);
		mRecorder.mHeard.clear();
	}
	void TearDown() override { SetPopUpMenuChooser(nullptr); }

	template <class T> T* Find(const char (&inID)[5])
	{
		return FrameworkTest::FindPane<T>(mWindow, inID);
	}

	// A mouse-down at a point of the pane (local coordinates), the way the event loop hands it out.
	void ClickAt(LPane* inPane, SInt16 inH, SInt16 inV, UInt16 inModifiers = 0)
	{
		Point where{inV, inH};
		inPane->LocalToPortPoint(where);
		ClickPortAt(mWindow, where, inModifiers);
	}

	void ClickCentre(LPane* inPane)
	{
		Rect frame;
		inPane->CalcLocalFrameRect(frame);
		ClickAt(inPane, SInt16((frame.left + frame.right) / 2),
		        SInt16((frame.top + frame.bottom) / 2));
	}

	TRecorder mRecorder; // outlives the window
	std::unique_ptr<LApplication> mApp;
	LWindow* mWindow = nullptr;
};

TEST_F(ControlsTest, LayoutBuildsControlsWithTheirValuesAndNativeWidgets)
{
	auto* check = Find<LCheckBox>("chk1");
	auto* ok = Find<LPushButton>("OKbt");
	auto* popup = Find<LPopupButton>("pop1");
	ASSERT_TRUE(check && ok && popup);
	EXPECT_EQ(check->GetValue(), 0);
	EXPECT_EQ(check->GetMaxValue(), 1);
	Str255 text;
	EXPECT_EQ(PascalStrings::ToString(check->GetDescriptor(text)), "Check");
	EXPECT_TRUE(ok->IsDefaultButton());
	EXPECT_EQ(PascalStrings::ToString(Find<LCaption>("cap1")->GetDescriptor(text)), "Caption");
	EXPECT_EQ(PascalStrings::ToString(Find<LStaticText>("stx1")->GetDescriptor(text)), "Static");

	EXPECT_EQ(popup->GetValue(), 2);
	EXPECT_EQ(popup->GetMaxValue(), 4); // the menu's items, the separator included
	popup->GetMenuItemText(2, text);
	EXPECT_EQ(PascalStrings::ToString(text), "Medium");

	// The group view turned on the button its layout names.
	EXPECT_EQ(Find<LRadioGroupView>("rgrp")->GetCurrentRadioID(), PaneIDT(FOUR_CHAR_CODE("rdoB")));
	// Both buttons of the pane group were on in the layout: the group keeps one.
	EXPECT_EQ(Find<LRadioButton>("sSym")->GetValue() + Find<LRadioButton>("sNam")->GetValue(), 1);

	auto* box = NativeOf<QCheckBox>(check);
	ASSERT_NE(box, nullptr);
	EXPECT_EQ(box->text(), QString("Check"));
	EXPECT_TRUE(box->isVisible());
	auto* button = NativeOf<QPushButton>(ok);
	ASSERT_NE(button, nullptr);
	EXPECT_TRUE(button->isDefault());
	// The pop-up's title is drawn through the port; the native button starts after it.
	auto* popupButton = NativeOf<QPushButton>(popup);
	ASSERT_NE(popupButton, nullptr);
	Rect frame;
	popup->CalcPortFrameRect(frame);
	EXPECT_EQ(popupButton->geometry().left(), frame.left + 60);
	EXPECT_TRUE(popupButton->text().startsWith("Medium"));
}

TEST_F(ControlsTest, SetValueBroadcastsEachChangeOnceAndStaysWithinLimits)
{
	auto* check = Find<LCheckBox>("chk1");
	check->SetValue(1);
	ASSERT_EQ(mRecorder.Count(FOUR_CHAR_CODE("chk1")), 1u);
	EXPECT_EQ(mRecorder.Last(FOUR_CHAR_CODE("chk1"))->value, 1);
	EXPECT_TRUE(NativeOf<QCheckBox>(check)->isChecked());

	check->SetValue(1);
	check->SetValue(7); // pinned to the maximum, which it already has
	EXPECT_EQ(check->GetValue(), 1);
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("chk1")), 1u);

	check->SetValue(-3);
	EXPECT_EQ(check->GetValue(), 0);
	EXPECT_EQ(mRecorder.Last(FOUR_CHAR_CODE("chk1"))->value, 0);
	EXPECT_FALSE(NativeOf<QCheckBox>(check)->isChecked());

	// A control without a value message says nothing.
	check->SetValueMessage(msg_Nothing);
	check->SetValue(1);
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("chk1")), 2u);
}

TEST_F(ControlsTest, RadioGroupsKeepExactlyOneButtonOn)
{
	auto* group = Find<LRadioGroupView>("rgrp");
	auto* a = Find<LRadioButton>("rdoA");
	auto* b = Find<LRadioButton>("rdoB");
	auto* c = Find<LRadioButton>("rdoC");
	a->SetValue(1);
	EXPECT_EQ(a->GetValue(), 1);
	EXPECT_EQ(b->GetValue(), 0);
	EXPECT_EQ(c->GetValue(), 0);
	EXPECT_EQ(mRecorder.Last(FOUR_CHAR_CODE("rdoB"))->value, 0);
	EXPECT_EQ(mRecorder.Last(FOUR_CHAR_CODE("rdoA"))->value, 1);
	EXPECT_EQ(group->GetCurrentRadioID(), PaneIDT(FOUR_CHAR_CODE("rdoA")));

	group->SetCurrentRadioID(PaneIDT(FOUR_CHAR_CODE("rdoC")));
	EXPECT_EQ(a->GetValue(), 0);
	EXPECT_EQ(c->GetValue(), 1);

	// A click turns a button on, never off.
	const size_t heard = mRecorder.mHeard.size();
	c->SimulateHotSpotClick(kControlButtonPart);
	EXPECT_EQ(c->GetValue(), 1);
	EXPECT_EQ(mRecorder.mHeard.size(), heard);
	ClickCentre(b);
	EXPECT_EQ(b->GetValue(), 1);
	EXPECT_EQ(c->GetValue(), 0);

	// The group made of pane ids elsewhere in the window.
	auto* symbol = Find<LRadioButton>("sSym");
	auto* name = Find<LRadioButton>("sNam");
	symbol->SetValue(1);
	EXPECT_EQ(name->GetValue(), 0);
	EXPECT_EQ(Find<LRadioGroup>("grp2")->GetCurrentRadioID(), PaneIDT(FOUR_CHAR_CODE("sSym")));
	name->SetValue(1);
	EXPECT_EQ(symbol->GetValue(), 0);
}

TEST_F(ControlsTest, ClicksReachControlsThroughTheWindowAndTheirNativeWidgets)
{
	auto* check = Find<LCheckBox>("chk1");
	ClickCentre(check);
	EXPECT_EQ(check->GetValue(), 1);
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("chk1")), 1u);

	// A press and release on the native box go the framework's way, once.
	QCheckBox* box = NativeOf<QCheckBox>(check);
	ASSERT_NE(box, nullptr);
	const QPointF local(5, 5);
	const QPointF global = box->mapToGlobal(local);
	QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
	                  Qt::NoModifier);
	QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
	                    Qt::NoModifier);
	QCoreApplication::sendEvent(box, &press);
	QCoreApplication::sendEvent(box, &release);
	EXPECT_EQ(check->GetValue(), 0);
	EXPECT_FALSE(box->isChecked());
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("chk1")), 2u);

	// A disabled control takes no clicks and its widget shows it.
	check->Disable();
	EXPECT_FALSE(box->isEnabled());
	ClickCentre(check);
	EXPECT_EQ(check->GetValue(), 0);
	check->Enable();
	EXPECT_TRUE(box->isEnabled());

	// The push button broadcasts its message and keeps its value.
	auto* ok = Find<LPushButton>("OKbt");
	ClickCentre(ok);
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("OKbt")), 1u);
	EXPECT_EQ(ok->GetValue(), 0);
}

TEST_F(ControlsTest, PopupValueFollowsTheChosenMenuItem)
{
	auto* popup = Find<LPopupButton>("pop1");
	SInt16 offeredItem = 0;
	SetPopUpMenuChooser([&](MenuHandle inMenu, Point, SInt16 inPopUpItem) -> SInt32 {
		offeredItem = inPopUpItem;
		EXPECT_EQ(inMenu->GetItemMark(2), checkMark); // the current item is marked
		return (SInt32(inMenu->GetMenuID()) << 16) | 4;
	});
	ClickCentre(popup);
	EXPECT_EQ(offeredItem, 2); // the current item under the mouse
	EXPECT_EQ(popup->GetValue(), 4);
	EXPECT_EQ(mRecorder.Last(FOUR_CHAR_CODE("pop1"))->value, 4);
	EXPECT_TRUE(NativeOf<QPushButton>(popup)->text().startsWith("Fast"));

	// Closing the menu without a choice changes nothing.
	SetPopUpMenuChooser([](MenuHandle, Point, SInt16) -> SInt32 { return 0; });
	ClickCentre(popup);
	EXPECT_EQ(popup->GetValue(), 4);
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("pop1")), 1u);

	popup->SetValue(9);
	EXPECT_EQ(popup->GetValue(), 4);
	popup->SetCurrentMenuItem(1);
	EXPECT_EQ(popup->GetValue(), 1);
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("pop1")), 2u);
}

TEST_F(ControlsTest, PopupMenuBuiltAtRunTimeHonoursMetacharactersOnlyWhenAsked)
{
	auto* popup = Find<LPopupButton>("pop2");
	EXPECT_EQ(popup->CountMenuItems(), 0);
	Str255 text;
	popup->AppendMenu(P("None", text), true);
	popup->AppendMenu(P("-;(Gone;Nasdaq/N", text), false);
	popup->AppendMenu(P("A;B(", text), true);
	ASSERT_EQ(popup->CountMenuItems(), 5);
	EXPECT_EQ(popup->GetMaxValue(), 5);
	MenuHandle menu = popup->GetMacMenuH();
	EXPECT_TRUE(menu->IsSeparator(2));
	EXPECT_FALSE(menu->IsItemEnabled(3));
	menu->GetItemText(3, text);
	EXPECT_EQ(PascalStrings::ToString(text), "Gone");
	menu->GetItemText(4, text);
	EXPECT_EQ(PascalStrings::ToString(text), "Nasdaq");
	EXPECT_EQ(menu->GetItemKey(4), 'N');
	menu->GetItemText(5, text);
	EXPECT_EQ(PascalStrings::ToString(text), "A;B(");

	popup->SetValue(4);
	EXPECT_EQ(popup->GetValue(), 4);
	// Items added to the menu itself count as well.
	menu->AppendCommand(P("Late", text), cmd_Nothing);
	popup->SetValue(6);
	EXPECT_EQ(popup->GetValue(), 6);
	// An ampersand in an item is shown as itself, not taken for a shortcut mark.
	popup->AppendMenu(P("Globe & Mail", text), false);
	popup->SetValue(7);
	EXPECT_EQ(NativeOf<QPushButton>(popup)->text().section(QChar(0x25BE), 0, 0).trimmed(),
	          QString("Globe && Mail"));
	popup->DeleteAllMenuItems();
	EXPECT_EQ(popup->GetValue(), 0);
}

TEST_F(ControlsTest, BevelButtonsToggleOrChooseFromTheirMenu)
{
	auto* toggle = Find<LBevelButton>("dSrt");
	ClickCentre(toggle);
	EXPECT_EQ(toggle->GetValue(), 1);
	EXPECT_TRUE(NativeOf<QToolButton>(toggle)->isChecked());
	ClickCentre(toggle);
	EXPECT_EQ(toggle->GetValue(), 0);
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("dSrt")), 2u);

	auto* action = Find<LBevelButton>("Actn");
	ASSERT_TRUE(action->HasMenu());
	SetPopUpMenuChooser([](MenuHandle inMenu, Point, SInt16) -> SInt32 {
		return (SInt32(inMenu->GetMenuID()) << 16) | 2;
	});
	ClickCentre(action);
	EXPECT_EQ(mRecorder.Last(FOUR_CHAR_CODE("Actn"))->value, 2);
	EXPECT_EQ(action->GetCurrentMenuItem(), 2);
	EXPECT_EQ(action->GetMacMenuH()->GetItemMark(2), checkMark);
	action->SetCurrentMenuItem(3);
	EXPECT_EQ(action->GetMacMenuH()->GetItemMark(2), noMark);
	EXPECT_EQ(action->GetMacMenuH()->GetItemMark(3), checkMark);
	EXPECT_EQ(mRecorder.Count(FOUR_CHAR_CODE("Actn")), 1u);
}

TEST_F(ControlsTest, DisclosureTriangleAndCheckBoxGroupBoxFlipOnTheirHotSpots)
{
	auto* triangle = Find<LDisclosureTriangle>("Opts");
	ClickCentre(triangle);
	EXPECT_EQ(triangle->GetValue(), 1);
	EXPECT_EQ(NativeOf<QToolButton>(triangle)->arrowType(), Qt::DownArrow);
	EXPECT_EQ(mRecorder.Last(FOUR_CHAR_CODE("Opts"))->value, 1);

	// Only the title strip of the group box is its check box; the rest belongs to what it encloses.
	auto* group = Find<LCheckBoxGroupBox>("Trad");
	Rect frame;
	group->CalcLocalFrameRect(frame);
	ClickAt(group, SInt16(frame.left + 50), SInt16(frame.bottom - 5));
	EXPECT_EQ(group->GetValue(), 0);
	ClickAt(group, SInt16(frame.left + 20), SInt16(frame.top + 8));
	EXPECT_EQ(group->GetValue(), 1);
	QCheckBox* title = NativeOf<QCheckBox>(group);
	ASSERT_NE(title, nullptr);
	EXPECT_LE(title->height(), 18);
	EXPECT_TRUE(title->isChecked());
}

TEST_F(ControlsTest, NativeWidgetsFollowTheirPanesFrameVisibilityAndScrolling)
{
	auto* check = Find<LCheckBox>("chk1");
	QCheckBox* box = NativeOf<QCheckBox>(check);
	ASSERT_NE(box, nullptr);
	check->MoveBy(5, 7, false);
	EXPECT_EQ(box->geometry().topLeft(), QPoint(10 + 5, 10 + 7));
	check->Hide();
	EXPECT_FALSE(box->isVisible());
	check->Show();
	EXPECT_TRUE(box->isVisible());
	// Hiding the window's content view hides what is inside.
	mWindow->Hide();
	EXPECT_FALSE(box->isVisibleTo(box->parentWidget()));
	mWindow->Show();
	EXPECT_TRUE(box->isVisibleTo(box->parentWidget()));

	// A box in a scrolled view moves with the image and is cut to what the view reveals.
	auto* scroller = Find<LScrollerView>("scrl");
	auto* inner = scroller->GetScrollingView();
	auto* deep = Find<LCheckBox>("deep");
	ASSERT_NE(inner, nullptr);
	QCheckBox* deepBox = NativeOf<QCheckBox>(deep);
	ASSERT_NE(deepBox, nullptr);
	const int top = deepBox->geometry().top();
	inner->ResizeImageTo(85, 200, false);
	ASSERT_NE(scroller->GetVerticalBar(), nullptr);
	EXPECT_EQ(scroller->GetVerticalBar()->GetMaxValue(), 150);
	scroller->GetVerticalBar()->SetValue(10);
	EXPECT_EQ(deepBox->geometry().top(), top - 10);
	EXPECT_FALSE(deepBox->mask().isEmpty()); // only its lower part shows
	EXPECT_TRUE(deepBox->isVisible());
	scroller->GetVerticalBar()->SetValue(40);
	EXPECT_FALSE(deepBox->isVisible());
}

class TCloser : public LListener
{
public:
	LWindow* mWindow = nullptr;
	void ListenToMessage(MessageT, void*) override { mWindow->DoClose(); }
};

TEST_F(ControlsTest, ButtonWhoseClickClosesItsWindowGoesSafelyWithIt)
{
	auto* ok = Find<LPushButton>("OKbt");
	QPushButton* button = NativeOf<QPushButton>(ok);
	ASSERT_NE(button, nullptr);
	QPointer<QPushButton> watch(button);
	TCloser closer;
	closer.mWindow = mWindow;
	ok->AddListener(&closer);
	const QPointF local(5, 5);
	QMouseEvent press(QEvent::MouseButtonPress, local, button->mapToGlobal(local), Qt::LeftButton,
	                  Qt::LeftButton, Qt::NoModifier);
	QCoreApplication::sendEvent(button, &press);
	// The window and its panes are gone; the widget follows once Qt is done with it.
	EXPECT_TRUE(LWindow::GetWindowList().empty());
	QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
	EXPECT_TRUE(watch.isNull());
	mWindow = nullptr;
}

} // namespace
