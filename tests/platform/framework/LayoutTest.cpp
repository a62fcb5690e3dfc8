#include "FrameworkTestSupport.h"
#include "platform/framework/LAttachment.h"
#include "platform/framework/LHandleStream.h"
#include "platform/framework/LListener.h"
#include "platform/framework/UReanimator.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/GrafPort.h"

#include <gtest/gtest.h>
#include <memory>

using namespace FrameworkTest;

namespace
{

class TListener : public LListener
{
public:
	std::vector<MessageT> mHeard;
	void ListenToMessage(MessageT inMessage, void*) override { mHeard.push_back(inMessage); }
};

class LayoutTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadFixtures();
		Log().clear();
	}
};

TEST_F(LayoutTest, WindowIsBuiltFromItsLayoutWithPanesFoundById)
{
	std::unique_ptr<LWindow> window(LWindow::CreateWindow(1000, nullptr));
	ASSERT_NE(window, nullptr);
	EXPECT_NE(dynamic_cast<TWindow*>(window.get()), nullptr);
	EXPECT_EQ(window->GetPaneID(), 1000); // the layout gives none
	Str255 title;
	window->GetDescriptor(title);
	EXPECT_EQ(std::string(reinterpret_cast<char*>(title + 1), title[0]), "Test Window");
	EXPECT_TRUE(window->HasAttribute(windAttr_Resizable));
	Rect limits;
	window->GetMinMaxSize(limits);
	EXPECT_EQ(limits.left, 100);
	EXPECT_EQ(limits.top, 80);
	EXPECT_EQ(limits.right, 32767);

	Rect bounds;
	window->GetGlobalBounds(bounds);
	EXPECT_EQ(bounds.left, 40);
	EXPECT_EQ(bounds.top, 60);
	EXPECT_EQ(bounds.right, 340);
	EXPECT_EQ(bounds.bottom, 260);

	auto* blue = dynamic_cast<TPane*>(window->FindPaneByID(FOUR_CHAR_CODE("blue")));
	ASSERT_NE(blue, nullptr);
	// Frames are local to the super view: 'body' at 10,20 and 'blue' 5,5 inside it.
	Rect port;
	blue->CalcPortFrameRect(port);
	EXPECT_EQ(port.left, 15);
	EXPECT_EQ(port.top, 25);
	EXPECT_EQ(port.right, 65);
	EXPECT_EQ(port.bottom, 65);
	Rect local;
	blue->CalcLocalFrameRect(local);
	EXPECT_EQ(local.left, 5);
	EXPECT_EQ(local.top, 5);

	LPane* foot = window->FindPaneByID(FOUR_CHAR_CODE("foot"));
	ASSERT_NE(foot, nullptr);
	EXPECT_FALSE(foot->IsVisibleSelf());
	EXPECT_EQ(foot->GetUserCon(), 7);
	EXPECT_EQ(window->FindPaneByID(FOUR_CHAR_CODE("none")), nullptr);
	EXPECT_EQ(window->FindPaneByID(0), nullptr);
	EXPECT_EQ(window->FindPaneByID(1000), window.get());
}

TEST_F(LayoutTest, PanesAreFinishedBeforeTheViewsThatHoldThem)
{
	std::unique_ptr<LWindow> window(LWindow::CreateWindow(1000, nullptr));
	EXPECT_EQ(Log(),
	          (std::vector<std::string>{"finish pane", "finish view", "finish pane", "finish window"}));
	EXPECT_TRUE(dynamic_cast<TPane*>(window->FindPaneByID(FOUR_CHAR_CODE("blue")))->mFinished);
}

TEST_F(LayoutTest, ControlListLinksTheListenerToTheNamedBroadcasters)
{
	std::unique_ptr<LWindow> window(LWindow::CreateWindow(1000, nullptr));
	TListener listener;
	UReanimator::LinkListenerToControls(&listener, window.get(), 1000);
	auto* ok = dynamic_cast<TButton*>(window->FindPaneByID(FOUR_CHAR_CODE("OKbt")));
	auto* cancel = dynamic_cast<TButton*>(window->FindPaneByID(FOUR_CHAR_CODE("Cncl")));
	ASSERT_NE(ok, nullptr);
	ASSERT_NE(cancel, nullptr);
	ok->Press();
	cancel->Press();
	EXPECT_EQ(listener.mHeard, (std::vector<MessageT>{2000, 2001}));
	// A window without a control list links nothing and reports nothing.
	const long signalCount = Debugging::SignalCount();
	TListener other;
	UReanimator::LinkListenerToControls(&other, window.get(), 4321);
	EXPECT_EQ(Debugging::SignalCount(), signalCount);
}

TEST_F(LayoutTest, ListenerAndBroadcasterUnlinkWhenEitherGoes)
{
	std::unique_ptr<LWindow> window(LWindow::CreateWindow(1000, nullptr));
	auto* ok = dynamic_cast<TButton*>(window->FindPaneByID(FOUR_CHAR_CODE("OKbt")));
	{
		TListener listener;
		ok->AddListener(&listener);
		ok->AddListener(&listener);
		EXPECT_EQ(ok->CountListeners(), 1);
	}
	EXPECT_EQ(ok->CountListeners(), 0);
	ok->Press(); // no dangling listener

	auto listener = std::make_unique<TListener>();
	ok->AddListener(listener.get());
	EXPECT_TRUE(listener->HasBroadcaster(ok));
	window.reset();
	listener.reset(); // must not touch the button that is gone
}

TEST_F(LayoutTest, ListenerRemovedDuringABroadcastHearsNoMoreOfIt)
{
	std::unique_ptr<LWindow> window(LWindow::CreateWindow(1000, nullptr));
	auto* ok = dynamic_cast<TButton*>(window->FindPaneByID(FOUR_CHAR_CODE("OKbt")));
	TListener second;
	class TRemover : public LListener
	{
	public:
		LBroadcaster* mFrom = nullptr;
		LListener* mVictim = nullptr;
		void ListenToMessage(MessageT, void*) override { mFrom->RemoveListener(mVictim); }
	} first;
	first.mFrom = ok;
	first.mVictim = &second;
	ok->AddListener(&first);
	ok->AddListener(&second);
	ok->Press();
	EXPECT_TRUE(second.mHeard.empty());
	EXPECT_FALSE(ok->HasListener(&second));
}

TEST_F(LayoutTest, MissingLayoutOrUnregisteredClassIsReported)
{
	const long signalCount = Debugging::SignalCount();
	EXPECT_EQ(LWindow::CreateWindow(4242, nullptr), nullptr);
	EXPECT_GT(Debugging::SignalCount(), signalCount);

	ASSERT_TRUE(ResourceStore::Get().LoadText("PPob 4300 { 'zzzz' 1 0 0 10 10 }", "inline"));
	const long before = Debugging::SignalCount();
	EXPECT_EQ(UReanimator::ReadObjects(4300), nullptr);
	EXPECT_GT(Debugging::SignalCount(), before);
}

TEST_F(LayoutTest, LayoutWhoseFieldsDoNotMatchTheConstructorIsCaught)
{
	// One byte too many for the pane: reported; one too few for the button: an exception.
	ASSERT_TRUE(ResourceStore::Get().LoadText("PPob 4301 { 'tPan' 1 0 0 10 10 u8 1 }\n"
	                                          "PPob 4302 { 'tBut' 2 0 0 10 10 i16 3 }",
	                                          "inline"));
	const long before = Debugging::SignalCount();
	std::unique_ptr<LPane> pane(UReanimator::ReadObjects(4301));
	EXPECT_NE(pane, nullptr);
	EXPECT_GT(Debugging::SignalCount(), before);
	try {
		UReanimator::ReadObjects(4302);
		ADD_FAILURE() << "a short layout was read";
	} catch (const LException& e) {
		EXPECT_EQ(e.GetErrorCode(), eofErr);
	}
}

TEST_F(LayoutTest, WindowDrawsItsPanesIntoItsPortOnUpdate)
{
	std::unique_ptr<LWindow> window(LWindow::CreateWindow(1000, nullptr));
	auto* blue = dynamic_cast<TPane*>(window->FindPaneByID(FOUR_CHAR_CODE("blue")));
	window->Show();
	window->UpdatePort();
	EXPECT_EQ(blue->mDraws, 1);
	const QImage& image = *window->GetMacPort()->image;
	EXPECT_EQ(image.width(), 300);
	EXPECT_EQ(image.pixel(15, 25), qRgb(0, 0, 255));
	EXPECT_EQ(image.pixel(64, 64), qRgb(0, 0, 255));
	EXPECT_EQ(image.pixel(65, 64), qRgb(255, 255, 255));
	EXPECT_EQ(image.pixel(14, 25), qRgb(255, 255, 255));

	// Nothing waits: no drawing. A refresh of the pane draws it again.
	window->UpdatePort();
	EXPECT_EQ(blue->mDraws, 1);
	blue->Refresh();
	window->UpdatePort();
	EXPECT_EQ(blue->mDraws, 2);
	// A hidden pane neither draws nor asks to.
	blue->Hide();
	window->UpdatePort();
	EXPECT_EQ(blue->mDraws, 2);
	EXPECT_EQ(window->GetMacPort()->image->pixel(15, 25), qRgb(255, 255, 255));
}

TEST_F(LayoutTest, ResizingTheWindowMovesAndStretchesPanesByTheirBindings)
{
	std::unique_ptr<LWindow> window(LWindow::CreateWindow(1000, nullptr));
	Rect bounds;
	window->GetGlobalBounds(bounds);
	bounds.right += 50;
	bounds.bottom += 20;
	window->DoSetBounds(bounds);
	SDimension16 size;
	window->FindPaneByID(FOUR_CHAR_CODE("body"))->GetFrameSize(size);
	EXPECT_EQ(size.width, 330); // bound on all sides: grows
	EXPECT_EQ(size.height, 190);
	Rect foot;
	window->FindPaneByID(FOUR_CHAR_CODE("foot"))->CalcPortFrameRect(foot);
	EXPECT_EQ(foot.top, 210); // bound to the bottom only: moves down
	EXPECT_EQ(foot.right, 350);
	EXPECT_EQ(window->GetMacPort()->image->width(), 350);
	// The minimum size holds.
	window->ResizeWindowTo(10, 10);
	window->GetGlobalBounds(bounds);
	EXPECT_EQ(bounds.right - bounds.left, 100);
	EXPECT_EQ(bounds.bottom - bounds.top, 80);
}

TEST_F(LayoutTest, ClickGoesToTheDeepestPaneUnderIt)
{
	std::unique_ptr<LWindow> window(LWindow::CreateWindow(1000, nullptr));
	window->Show();
	auto* blue = dynamic_cast<TPane*>(window->FindPaneByID(FOUR_CHAR_CODE("blue")));
	EventRecord click;
	click.what = mouseDown;
	click.where.h = 40 + 20; // global: window at 40,60; 'blue' at 15,25 in the port
	click.where.v = 60 + 30;
	window->HandleClick(click, 1);
	EXPECT_EQ(blue->mClicks, 1);
	EXPECT_EQ(blue->mLastClick.wherePort.h, 20);
	EXPECT_EQ(blue->mLastClick.whereLocal.h, 10); // in the view's coordinates
	EXPECT_EQ(window->FindDeepSubPaneContaining(20, 30), blue);
	blue->Disable();
	window->HandleClick(click, 1);
	EXPECT_EQ(blue->mClicks, 1);

	// An attachment sees the click first and may keep it from the pane.
	class TClickEater : public LAttachment
	{
	public:
		TClickEater() : LAttachment(msg_Click, false) {}
		Point mWhere;

	protected:
		void ExecuteSelf(MessageT, void* ioParam) override
		{
			mWhere = static_cast<SMouseDownEvent*>(ioParam)->whereLocal;
		}
	} eater;
	blue->Enable();
	blue->AddAttachment(&eater, nullptr, false);
	window->HandleClick(click, 1);
	EXPECT_EQ(blue->mClicks, 1);
	EXPECT_EQ(eater.mWhere.h, 10);
	blue->RemoveAttachment(&eater);
}

TEST_F(LayoutTest, StreamReadsBigEndianAndRefusesToReadPastTheEnd)
{
	LHandleStream stream;
	Str255 text = {3, 'a', 'b', 'c'};
	stream << SInt16(-2) << UInt32(0x01020304) << true << text << long(-7);
	EXPECT_EQ(stream.GetBytes()[0], 0xFF);
	EXPECT_EQ(stream.GetBytes()[2], 0x01);
	stream.SetMarker(0);
	SInt16 a;
	UInt32 b;
	bool c;
	Str255 d;
	long e;
	stream >> a >> b >> c >> d >> e;
	EXPECT_EQ(a, -2);
	EXPECT_EQ(b, 0x01020304u);
	EXPECT_TRUE(c);
	EXPECT_EQ(d[0], 3);
	EXPECT_EQ(d[3], 'c');
	EXPECT_EQ(e, -7);
	EXPECT_TRUE(stream.AtEnd());
	SInt32 more;
	EXPECT_THROW(stream >> more, LException);

	// A text longer than the reader's buffer is cut and the rest skipped.
	LHandleStream text2;
	text2 << text << UInt8(9);
	text2.SetMarker(0);
	Str255 cut;
	text2.ReadPString(cut, 2);
	UInt8 after;
	text2 >> after;
	EXPECT_EQ(cut[0], 2);
	EXPECT_EQ(after, 9);
}

} // namespace
