#include "FrameworkTestSupport.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LGWorld.h"
#include "platform/framework/LPeriodical.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/gui/GrafPort.h"

#include <QPaintEvent>
#include <gtest/gtest.h>

using namespace FrameworkTest;

namespace
{

const unsigned char kTitle[] = "\x05Strip";

// Records the areas Qt repaints.
class TPaintWatcher : public QObject
{
public:
	QRegion mPainted;
	int mPaints = 0;

protected:
	bool eventFilter(QObject*, QEvent* inEvent) override
	{
		if (inEvent->type() == QEvent::Paint) {
			mPainted += static_cast<QPaintEvent*>(inEvent)->region();
			++mPaints;
		}
		return false;
	}
};

// A ticker's strip: composed off screen and copied straight into the port on every null event, never in an
// update.
class TStrip : public LPane, public LPeriodical
{
public:
	explicit TStrip(const SPaneInfo& inInfo) : LPane(inInfo), mWorld(Rect{0, 0, 48, 200}, 16)
	{
		mWorld.BeginDrawing();
		const Rect all{0, 0, 48, 200};
		const RGBColor red{0xFFFF, 0, 0};
		RGBForeColor(&red);
		PaintRect(&all);
		mWorld.EndDrawing();
	}
	void SpendTime(const EventRecord&) override
	{
		if (!FocusDraw())
			return;
		Rect frame;
		CalcLocalFrameRect(frame);
		mWorld.CopyImage(GetMacPort(), frame);
	}

private:
	LGWorld mWorld;
};

// A 200 x 100 window: two 100 x 52 panes above a 200 x 48 strip.
class UpdateRegionTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadFixtures();
		mWindow = new LWindow(PaneInfo(nullptr, 0, 50, 50, 200, 100), kTitle,
		                      windAttr_Regular | windAttr_NoMenuBar, nullptr);
		mLeft = AddPane<TPane>(0, 0, 100, 52);
		mRight = AddPane<TPane>(100, 0, 100, 52);
		mStrip = AddPane<TStrip>(0, 52, 200, 48);
		mWindow->Show();
		QCoreApplication::processEvents();
		QWidget* content = QtPaneWidget::ContentOf(mWindow);
		ASSERT_NE(content, nullptr);
		content->installEventFilter(&mWatcher);
		// The window's first showing is done before the test.
		QCoreApplication::processEvents();
		mWatcher.mPainted = QRegion();
		mWatcher.mPaints = 0;
		mLeft->mDraws = mRight->mDraws = 0;
	}
	void TearDown() override { delete mWindow; }

	template <class P> P* AddPane(SInt32 inLeft, SInt32 inTop, SInt16 inWidth, SInt16 inHeight)
	{
		return new P(PaneInfo(mWindow, 0, inLeft, inTop, inWidth, inHeight));
	}

	LWindow* mWindow = nullptr;
	TPane* mLeft = nullptr;
	TPane* mRight = nullptr;
	TStrip* mStrip = nullptr;
	TPaintWatcher mWatcher;
};

TEST_F(UpdateRegionTest, AnInvalidCornerRedrawsOnlyThePanesThereAndRepaintsOnlyIt)
{
	mWindow->InvalPortRect(Rect{0, 0, 10, 10});
	QCoreApplication::processEvents();
	EXPECT_EQ(mLeft->mDraws, 1);
	EXPECT_EQ(mRight->mDraws, 0);
	EXPECT_EQ(mWatcher.mPainted, QRegion(0, 0, 10, 10));

	// Focusing a view draws nothing, so nothing is shown again.
	const int paints = mWatcher.mPaints;
	UDispatch::Run([&] { mRight->FocusDraw(); });
	LWindow::AfterDispatch();
	QCoreApplication::processEvents();
	EXPECT_EQ(mWatcher.mPaints, paints);
}

TEST_F(UpdateRegionTest, AStripDrawnOnEachNullEventCostsNoOtherRepaint)
{
	mStrip->StartIdling();
	for (int tick = 0; tick < 3; ++tick) {
		LApplication::DispatchNullEvent();
		QCoreApplication::processEvents();
	}
	mStrip->StopIdling();
	EXPECT_EQ(mWatcher.mPainted, QRegion(0, 52, 200, 48));
	EXPECT_EQ(mWatcher.mPaints, 3);
	EXPECT_EQ(mLeft->mDraws + mRight->mDraws, 0);
	QImage& image = *mWindow->GetMacPort()->image;
	EXPECT_EQ(image.pixelColor(5, 60), QColor(Qt::red));
}

} // namespace
