#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "platform/toolbox/gui/StClipRgnState.h"
#include "platform/toolbox/gui/StColorPenState.h"
#include "platform/toolbox/gui/StGrafPortSaver.h"
#include "platform/toolbox/gui/StTextState.h"
#include "tests/platform/framework/FrameworkTestSupport.h"

#include <QImage>
#include <QPainter>
#include <QPalette>
#include <gtest/gtest.h>
#include <vector>

namespace
{
const RGBColor kRed{0xFFFF, 0, 0};
const RGBColor kBlue{0, 0, 0xFFFF};
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

using FrameworkTest::EnsureApplication;

Rect MakeRect(SInt16 left, SInt16 top, SInt16 right, SInt16 bottom)
{
	Rect r;
	SetRect(&r, left, top, right, bottom);
	return r;
}

bool Same(const Rect& a, const Rect& b)
{
	return EqualRect(&a, &b);
}

class PortTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		EnsureApplication();
		mImage = QImage(100, 80, QImage::Format_RGB32);
		mImage.fill(Qt::white);
		mPort = NewImagePort(&mImage);
		SetPort(mPort);
	}
	void TearDown() override
	{
		DisposePort(mPort);
		SetPort(nullptr);
	}
	QRgb Pixel(int x, int y) const { return mImage.pixel(x, y) | 0xFF000000; }

	QImage mImage;
	GrafPtr mPort = nullptr;
};

TEST_F(PortTest, PaintRectFillsExactlyTheRectangleInTheForeColour)
{
	RGBForeColor(&kRed);
	const Rect r = MakeRect(10, 20, 30, 40);
	PaintRect(&r);
	EXPECT_EQ(Pixel(10, 20), qRgb(255, 0, 0));
	EXPECT_EQ(Pixel(29, 39), qRgb(255, 0, 0));
	EXPECT_EQ(Pixel(30, 39), kWhite);
	EXPECT_EQ(Pixel(29, 40), kWhite);
	EXPECT_EQ(Pixel(9, 20), kWhite);
	EXPECT_EQ(Pixel(10, 19), kWhite);
}

TEST_F(PortTest, FrameRectDrawsInsideTheRectangleAsThickAsThePen)
{
	PenSize(3, 2);
	const Rect r = MakeRect(10, 10, 40, 30);
	FrameRect(&r);
	EXPECT_EQ(Pixel(10, 20), kBlack);
	EXPECT_EQ(Pixel(12, 20), kBlack);
	EXPECT_EQ(Pixel(13, 20), kWhite);
	EXPECT_EQ(Pixel(37, 20), kBlack);
	EXPECT_EQ(Pixel(36, 20), kWhite);
	EXPECT_EQ(Pixel(20, 11), kBlack);
	EXPECT_EQ(Pixel(20, 12), kWhite);
	EXPECT_EQ(Pixel(20, 28), kBlack);
	EXPECT_EQ(Pixel(20, 30), kWhite);
	EXPECT_EQ(Pixel(40, 20), kWhite);
}

TEST_F(PortTest, EraseUsesTheBackColourAndInvertTurnsColoursOver)
{
	RGBBackColor(&kBlue);
	Rect r = MakeRect(0, 0, 20, 20);
	EraseRect(&r);
	EXPECT_EQ(Pixel(5, 5), qRgb(0, 0, 255));
	r = MakeRect(10, 10, 30, 30);
	InvertRect(&r);
	EXPECT_EQ(Pixel(15, 15), qRgb(255, 255, 0));
	EXPECT_EQ(Pixel(25, 25), kBlack);
	EXPECT_EQ(Pixel(5, 5), qRgb(0, 0, 255));
}

TEST_F(PortTest, OvalsStayInsideTheirRectangle)
{
	const Rect r = MakeRect(20, 20, 60, 60);
	PaintOval(&r);
	EXPECT_EQ(Pixel(40, 40), kBlack);
	EXPECT_EQ(Pixel(21, 21), kWhite); // the corner lies outside the oval
	EXPECT_EQ(Pixel(60, 40), kWhite);
	EraseOval(&r);
	EXPECT_EQ(Pixel(40, 40), kWhite);
	FrameOval(&r);
	EXPECT_EQ(Pixel(40, 40), kWhite);
	EXPECT_EQ(Pixel(20, 40), kBlack);
}

TEST_F(PortTest, ClippingLimitsDrawingAndCanBeSavedAndRestored)
{
	const Rect clip = MakeRect(0, 0, 50, 50);
	const Rect all = MakeRect(0, 0, 100, 80);
	{
		StClipRgnState saved(clip);
		PaintRect(&all);
		EXPECT_EQ(Pixel(49, 49), kBlack);
		EXPECT_EQ(Pixel(50, 49), kWhite);
		EXPECT_EQ(Pixel(49, 50), kWhite);
		saved.ClipToIntersection(MakeRect(40, 40, 90, 90));
		RGBForeColor(&kRed);
		PaintRect(&all);
		EXPECT_EQ(Pixel(45, 45), qRgb(255, 0, 0));
		EXPECT_EQ(Pixel(39, 45), kBlack);
		EXPECT_EQ(Pixel(55, 55), kWhite);
	}
	RGBForeColor(&kBlue);
	PaintRect(&all);
	EXPECT_EQ(Pixel(99, 79), qRgb(0, 0, 255));
}

TEST_F(PortTest, OriginMovesLocalCoordinatesButNotTheClip)
{
	SetOrigin(100, 200);
	Rect bounds;
	GetPortBounds(mPort, &bounds);
	EXPECT_EQ(bounds.left, 100);
	EXPECT_EQ(bounds.top, 200);
	EXPECT_EQ(bounds.right, 200);
	EXPECT_EQ(bounds.bottom, 280);

	Rect r = MakeRect(100, 200, 110, 210);
	PaintRect(&r);
	EXPECT_EQ(Pixel(0, 0), kBlack);
	EXPECT_EQ(Pixel(9, 9), kBlack);
	EXPECT_EQ(Pixel(10, 10), kWhite);

	const Rect clip = MakeRect(150, 200, 200, 280);
	ClipRect(&clip);
	r = MakeRect(100, 250, 200, 260);
	RGBForeColor(&kRed);
	PaintRect(&r);
	EXPECT_EQ(Pixel(49, 55), kWhite);
	EXPECT_EQ(Pixel(50, 55), qRgb(255, 0, 0));
}

TEST_F(PortTest, LinesCoverBothEndsAndLeaveThePenAtTheEnd)
{
	MoveTo(5, 5);
	LineTo(15, 5);
	EXPECT_EQ(Pixel(5, 5), kBlack);
	EXPECT_EQ(Pixel(15, 5), kBlack);
	EXPECT_EQ(Pixel(16, 5), kWhite);
	EXPECT_EQ(Pixel(10, 6), kWhite);
	Point pen;
	GetPen(&pen);
	EXPECT_EQ(pen.h, 15);
	EXPECT_EQ(pen.v, 5);

	MoveTo(20, 20);
	Line(10, 10);
	EXPECT_EQ(Pixel(25, 25), kBlack);
	EXPECT_EQ(Pixel(30, 30), kBlack);
	EXPECT_EQ(Pixel(25, 26), kWhite);

	PenSize(2, 3);
	MoveTo(50, 10);
	Move(0, 0);
	LineTo(50, 20);
	EXPECT_EQ(Pixel(51, 22), kBlack); // the pen hangs below and right of the line
	EXPECT_EQ(Pixel(52, 15), kWhite);
	EXPECT_EQ(Pixel(50, 23), kWhite);

	PenNormal();
	PenMode(patXor);
	MoveTo(5, 5);
	LineTo(10, 5);
	EXPECT_EQ(Pixel(5, 5), kWhite);
	EXPECT_EQ(Pixel(12, 5), kBlack);
}

TEST_F(PortTest, AGreyExclusiveOrPenInvertsEveryOtherPixelAndUndoesItself)
{
	const Rect all = MakeRect(0, 0, 100, 80);
	RGBForeColor(&kRed);
	PaintRect(&all);
	const QImage before = mImage.copy();
	Pattern grey;
	GetQDGlobalsGray(&grey);
	PenSize(2, 2);
	PenPat(&grey);
	PenMode(patXor);
	ForeColor(blackColor);
	MoveTo(0, 9);
	LineTo(99, 9);
	int inverted = 0, kept = 0;
	for (int x = 0; x < 100; ++x) {
		const QRgb p = Pixel(x, 10);
		inverted += p == qRgb(0, 255, 255);
		kept += p == qRgb(255, 0, 0);
	}
	EXPECT_EQ(inverted, 50);
	EXPECT_EQ(kept, 50);
	EXPECT_NE(Pixel(20, 9), Pixel(21, 9));
	EXPECT_NE(Pixel(20, 9), Pixel(20, 10));
	EXPECT_EQ(Pixel(20, 11), qRgb(255, 0, 0));
	MoveTo(0, 9);
	LineTo(99, 9);
	EXPECT_EQ(mImage, before);

	PenNormal();
	PenState state;
	GetPenState(&state);
	EXPECT_EQ(state.pnMode, patCopy);
	EXPECT_EQ(state.pnPat.pat[1], 0xFF);
}

TEST_F(PortTest, RectangleArithmetic)
{
	Rect r = MakeRect(10, 10, 20, 20);
	InsetRect(&r, 2, 3);
	EXPECT_TRUE(Same(r, MakeRect(12, 13, 18, 17)));
	InsetRect(&r, 4, 0);
	EXPECT_TRUE(EmptyRect(&r));
	EXPECT_EQ(r.left, 0);
	EXPECT_EQ(r.right, 0);

	r = MakeRect(10, 10, 20, 20);
	OffsetRect(&r, -5, 5);
	EXPECT_TRUE(Same(r, MakeRect(5, 15, 15, 25)));

	const Rect a = MakeRect(0, 0, 10, 10), b = MakeRect(5, 5, 15, 15), c = MakeRect(10, 0, 20, 10);
	Rect out;
	EXPECT_TRUE(SectRect(&a, &b, &out));
	EXPECT_TRUE(Same(out, MakeRect(5, 5, 10, 10)));
	EXPECT_FALSE(SectRect(&a, &c, &out)); // touching edges share no pixel
	EXPECT_TRUE(EmptyRect(&out));
	UnionRect(&a, &b, &out);
	EXPECT_TRUE(Same(out, MakeRect(0, 0, 15, 15)));

	Point p;
	SetPt(&p, 9, 9);
	EXPECT_TRUE(PtInRect(p, &a));
	SetPt(&p, 10, 9);
	EXPECT_FALSE(PtInRect(p, &a));
	SetPt(&p, 0, 10);
	EXPECT_FALSE(PtInRect(p, &a));
}

TEST_F(PortTest, CopyBitsCopiesTheSourceRectangleToTheDestinationRectangle)
{
	QImage sourceImage(40, 40, QImage::Format_RGB32);
	sourceImage.fill(Qt::white);
	GrafPtr source = NewImagePort(&sourceImage);
	{
		StGrafPortSaver saver(source);
		SetOrigin(-10, -10);
		RGBForeColor(&kRed);
		const Rect square = MakeRect(0, 0, 10, 10); // image pixels 10..19
		PaintRect(&square);
	}
	const Rect from = MakeRect(0, 0, 10, 10);
	Rect to = MakeRect(50, 50, 60, 60);
	CopyBits(GetPortBitMapForCopyBits(source), GetPortBitMapForCopyBits(mPort), &from, &to, srcCopy,
	         nullptr);
	EXPECT_EQ(Pixel(50, 50), qRgb(255, 0, 0));
	EXPECT_EQ(Pixel(59, 59), qRgb(255, 0, 0));
	EXPECT_EQ(Pixel(60, 59), kWhite);
	EXPECT_EQ(Pixel(49, 50), kWhite);

	// Scaled to twice the size, clipped by the destination's clip.
	const Rect clip = MakeRect(0, 0, 25, 80);
	ClipRect(&clip);
	to = MakeRect(0, 0, 20, 20);
	const Rect half = MakeRect(-5, 0, 5, 10); // left half white, right half red
	CopyBits(GetPortBitMapForCopyBits(source), GetPortBitMapForCopyBits(mPort), &half, &to, srcCopy,
	         nullptr);
	EXPECT_EQ(Pixel(9, 5), kWhite);
	EXPECT_EQ(Pixel(10, 5), qRgb(255, 0, 0));
	EXPECT_EQ(Pixel(19, 19), qRgb(255, 0, 0));
	DisposePort(source);
}

TEST_F(PortTest, CopyBitsWithinOnePortReadsBeforeWriting)
{
	const Rect left = MakeRect(0, 0, 10, 10);
	PaintRect(&left);
	const Rect from = MakeRect(0, 0, 20, 10), to = MakeRect(5, 0, 25, 10);
	CopyBits(GetPortBitMapForCopyBits(mPort), GetPortBitMapForCopyBits(mPort), &from, &to, srcCopy,
	         nullptr);
	EXPECT_EQ(Pixel(14, 5), kBlack);
	EXPECT_EQ(Pixel(15, 5), kWhite);
}

TEST_F(PortTest, TransparentCopyLeavesOutBackColouredPixels)
{
	QImage sourceImage(20, 10, QImage::Format_RGB32);
	sourceImage.fill(Qt::white);
	GrafPtr source = NewImagePort(&sourceImage);
	{
		StGrafPortSaver saver(source);
		const Rect r = MakeRect(0, 0, 10, 10);
		PaintRect(&r);
	}
	RGBForeColor(&kRed);
	const Rect all = MakeRect(0, 0, 100, 80);
	PaintRect(&all);
	const Rect from = MakeRect(0, 0, 20, 10);
	CopyBits(GetPortBitMapForCopyBits(source), GetPortBitMapForCopyBits(mPort), &from, &from, transparent,
	         nullptr);
	EXPECT_EQ(Pixel(5, 5), kBlack);
	EXPECT_EQ(Pixel(15, 5), qRgb(255, 0, 0));
	DisposePort(source);
}

TEST_F(PortTest, SaversGiveBackPortColoursPenAndText)
{
	QImage otherImage(10, 10, QImage::Format_RGB32);
	GrafPtr other = NewImagePort(&otherImage);
	RGBForeColor(&kRed);
	PenSize(4, 4);
	MoveTo(7, 8);
	TextFont(4);
	TextSize(18);
	TextFace(bold | italic);
	{
		StColorPenState colorPen;
		StTextState text;
		StColorPenState::Normalize();
		StTextState::Normalize();
		RGBBackColor(&kBlue);
		MoveTo(1, 1);
		TextFace(underline);
		StGrafPortSaver saver(other);
		GrafPtr current = nullptr;
		GetPort(&current);
		EXPECT_EQ(current, other);
	}
	GrafPtr current = nullptr;
	GetPort(&current);
	EXPECT_EQ(current, mPort);
	RGBColor fore, back;
	GetForeColor(&fore);
	GetBackColor(&back);
	EXPECT_EQ(fore.red, 0xFFFF);
	EXPECT_EQ(fore.blue, 0);
	EXPECT_EQ(back.blue, 0xFFFF);
	EXPECT_EQ(back.red, 0xFFFF);
	PenState pen;
	GetPenState(&pen);
	EXPECT_EQ(pen.pnSize.h, 4);
	EXPECT_EQ(pen.pnLoc.h, 7);
	EXPECT_EQ(pen.pnLoc.v, 8);
	EXPECT_EQ(GetPortTextFont(mPort), 4);
	EXPECT_EQ(GetPortTextSize(mPort), 18);
	EXPECT_EQ(GetPortTextFace(mPort), bold | italic);
	DisposePort(other);
}

TEST_F(PortTest, APortFollowsItsImageWhenTheImageIsReplaced)
{
	mImage = QImage(300, 20, QImage::Format_RGB32);
	mImage.fill(Qt::white);
	Rect bounds;
	GetPortBounds(mPort, &bounds);
	EXPECT_EQ(bounds.right, 300);
	EXPECT_EQ(bounds.bottom, 20);
	const Rect r = MakeRect(250, 0, 300, 20);
	PaintRect(&r);
	EXPECT_EQ(Pixel(299, 19), kBlack);
}

TEST_F(PortTest, TheDrawnNotifierHearsOfWhatWasDrawnWithinTheClip)
{
	std::vector<Rect> areas;
	SetPortDrawnNotifier(mPort, [&](const Rect& area) { areas.push_back(area); });
	SetOrigin(10, 10);
	const Rect clip = MakeRect(20, 30, 200, 200);
	ClipRect(&clip);
	const Rect r = MakeRect(0, 0, 50, 50);
	PaintRect(&r);
	ASSERT_EQ(areas.size(), 1u);
	EXPECT_TRUE(Same(areas[0], MakeRect(10, 20, 40, 40))); // the rectangle, clipped, in image pixels
	SetPortDrawnNotifier(mPort, nullptr);
	PaintRect(&r);
	EXPECT_EQ(areas.size(), 1u);
}

TEST_F(PortTest, ScrollRectMovesPixelsErasesWhatTheyLeftAndSaysWhatMoved)
{
	// Every pixel its own colour, so that any pixel taken from the wrong place shows.
	const auto fill = [this] {
		for (int y = 0; y < mImage.height(); ++y)
			for (int x = 0; x < mImage.width(); ++x)
				mImage.setPixel(x, y, qRgb(x * 2, y * 3, 77));
	};
	struct Heard {
		Rect area;
		SInt16 dh, dv;
	};
	std::vector<Heard> scrolls;
	std::vector<Rect> drawn;
	SetPortScrolledNotifier(mPort, [&](const Rect& area, SInt16 dh, SInt16 dv) {
		scrolls.push_back({area, dh, dv});
	});
	SetPortDrawnNotifier(mPort, [&](const Rect& area) { drawn.push_back(area); });
	RGBBackColor(&kBlue);
	SetOrigin(5, 0); // local x 5 is image x 0
	RgnHandle erased = NewRgn();
	for (const auto& [dh, dv] :
	     std::vector<std::pair<SInt16, SInt16>>{{-7, 0}, {4, 0}, {3, 2}, {0, -5}}) {
		fill();
		const QImage before = mImage.copy();
		scrolls.clear();
		drawn.clear();
		const UInt32 stamp = GetPortDrawStamp(mPort);
		const Rect r = MakeRect(15, 10, 75, 40); // image 10..70 x 10..40
		ScrollRect(&r, dh, dv, erased);
		const QRect area(10, 10, 60, 30);
		const QRect moved = area.translated(dh, dv) & area;
		for (int y = 0; y < mImage.height(); ++y)
			for (int x = 0; x < mImage.width(); ++x) {
				QRgb want = before.pixel(x, y);
				if (moved.contains(x, y))
					want = before.pixel(x - dh, y - dv);
				else if (area.contains(x, y))
					want = qRgb(0, 0, 255);
				ASSERT_EQ(mImage.pixel(x, y), want)
				    << dh << "," << dv << " at " << x << "," << y;
			}
		Rect bounds;
		GetRegionBounds(erased, &bounds);
		const QRect left = (QRegion(area) - moved).boundingRect().translated(5, 0);
		EXPECT_TRUE(Same(bounds, MakeRect(SInt16(left.left()), SInt16(left.top()),
		                                  SInt16(left.right() + 1), SInt16(left.bottom() + 1))));
		EXPECT_NE(GetPortDrawStamp(mPort), stamp);
		ASSERT_EQ(scrolls.size(), 1u);
		EXPECT_TRUE(Same(scrolls[0].area, MakeRect(10, 10, 70, 40)));
		EXPECT_EQ(scrolls[0].dh, dh);
		EXPECT_EQ(scrolls[0].dv, dv);
		EXPECT_TRUE(drawn.empty());
	}

	// A move as wide as the rectangle, or a clip of two rectangles: nothing moves, all of it is erased
	// and told as drawn.
	for (int clipped = 0; clipped < 2; ++clipped) {
		fill();
		scrolls.clear();
		drawn.clear();
		RgnHandle clip = NewRgn();
		const Rect a = MakeRect(5, 0, 40, 80), b = MakeRect(60, 0, 105, 80),
		           r = MakeRect(15, 10, 75, 40);
		RgnHandle second = NewRgn();
		RectRgn(clip, &a);
		RectRgn(second, &b);
		UnionRgn(clip, second, clip);
		if (clipped)
			SetClip(clip);
		ScrollRect(&r, SInt16(clipped ? 2 : 60), 0, erased);
		EXPECT_TRUE(scrolls.empty());
		ASSERT_EQ(drawn.size(), 1u);
		EXPECT_EQ(Pixel(30, 20), qRgb(0, 0, 255) | 0xFF000000);
		// Between the clip's rectangles nothing is erased.
		EXPECT_EQ(Pixel(45, 20), (clipped ? qRgb(90, 60, 77) : qRgb(0, 0, 255)) | 0xFF000000);
		EXPECT_EQ(Pixel(80, 20), qRgb(160, 60, 77) | 0xFF000000); // outside the rectangle
		DisposeRgn(clip);
		DisposeRgn(second);
		const Rect all = MakeRect(-100, -100, 300, 300);
		ClipRect(&all);
	}
	DisposeRgn(erased);
	SetPortScrolledNotifier(mPort, nullptr);
	SetPortDrawnNotifier(mPort, nullptr);
}

TEST_F(PortTest, DrawingIntoAPortGivesItANewStampThatNoOtherPortHas)
{
	QImage other(10, 10, QImage::Format_RGB32);
	GrafPtr second = NewImagePort(&other);
	const Rect r = MakeRect(0, 0, 5, 5);
	PaintRect(&r);
	const UInt32 first = GetPortDrawStamp(mPort);
	SetPort(second);
	PaintRect(&r);
	EXPECT_NE(GetPortDrawStamp(second), first);
	EXPECT_EQ(GetPortDrawStamp(mPort), first);
	// Drawing wholly clipped away draws nothing.
	const Rect away = MakeRect(50, 50, 60, 60);
	const UInt32 stamp = GetPortDrawStamp(second);
	PaintRect(&away);
	EXPECT_EQ(GetPortDrawStamp(second), stamp);
	SetPort(mPort);
	DisposePort(second);
}

TEST(PainterPortTest, DrawsThroughTheCallersPainterAndLeavesItsStateAlone)
{
	EnsureApplication();
	QImage page(200, 160, QImage::Format_RGB32);
	page.fill(Qt::white);
	QPainter printer(&page);
	printer.scale(2, 2); // a device of twice the resolution
	printer.setPen(Qt::green);
	GrafPtr port = NewPainterPort(&printer, 100, 80);
	SetPort(port);
	Rect bounds;
	GetPortBounds(port, &bounds);
	EXPECT_TRUE(Same(bounds, MakeRect(0, 0, 100, 80)));
	SetOrigin(10, 10);
	const Rect clip = MakeRect(10, 10, 30, 30);
	ClipRect(&clip);
	RGBForeColor(&kRed);
	const Rect r = MakeRect(20, 20, 60, 60);
	PaintRect(&r);
	MoveTo(10, 40);
	DrawString("x");
	EXPECT_EQ(printer.pen().color(), QColor(Qt::green));
	EXPECT_FALSE(printer.hasClipping());
	EXPECT_EQ(printer.transform(), QTransform::fromScale(2, 2));
	printer.end();
	EXPECT_EQ(page.pixel(20, 20) | 0xFF000000, qRgb(255, 0, 0));
	EXPECT_EQ(page.pixel(39, 39) | 0xFF000000, qRgb(255, 0, 0));
	EXPECT_EQ(page.pixel(40, 40) | 0xFF000000, kWhite);
	EXPECT_EQ(page.pixel(19, 20) | 0xFF000000, kWhite);
	SetPort(nullptr);
	DisposePort(port);
}

TEST_F(PortTest, TheHiliteColourIsTheDesktopsHighlight)
{
	RGBColor hilite;
	GetPortHiliteColor(mPort, &hilite);
	const QColor highlight = QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
	EXPECT_EQ(hilite.red, highlight.red() * 257);
	EXPECT_EQ(hilite.green, highlight.green() * 257);
	EXPECT_EQ(hilite.blue, highlight.blue() * 257);
}

TEST_F(PortTest, DrawingWithoutAPortIsReportedAndHarmless)
{
	SetPort(nullptr);
	const long before = Debugging::SignalCount();
	const Rect r = MakeRect(0, 0, 10, 10);
	PaintRect(&r);
	EXPECT_GT(Debugging::SignalCount(), before);
	SetPort(mPort);
	EXPECT_EQ(Pixel(5, 5), kWhite);
}

TEST_F(PortTest, DisposingTheCurrentPortLeavesNoCurrentPort)
{
	QImage otherImage(10, 10, QImage::Format_RGB32);
	GrafPtr other = NewImagePort(&otherImage);
	SetPort(other);
	DisposePort(other);
	GrafPtr current = mPort;
	GetPort(&current);
	EXPECT_EQ(current, nullptr);
}

TEST_F(PortTest, ImagesAreDrawnScaledIntoTheirRectangleOverWhatIsThere)
{
	QImage icon(2, 1, QImage::Format_ARGB32);
	icon.setPixel(0, 0, qRgba(0, 0, 255, 255));
	icon.setPixel(1, 0, qRgba(0, 0, 0, 0));
	RGBForeColor(&kRed);
	const Rect all = MakeRect(0, 0, 100, 80);
	PaintRect(&all);
	const Rect clip = MakeRect(0, 0, 100, 15);
	ClipRect(&clip);
	QD::DrawImage(icon, MakeRect(10, 10, 30, 20));
	EXPECT_EQ(Pixel(10, 10), qRgb(0, 0, 255));
	EXPECT_EQ(Pixel(19, 14), qRgb(0, 0, 255));
	EXPECT_EQ(Pixel(19, 15), qRgb(255, 0, 0));
	EXPECT_EQ(Pixel(20, 10), qRgb(255, 0, 0));
	EXPECT_EQ(Pixel(9, 10), qRgb(255, 0, 0));
}

TEST_F(PortTest, PixelPatternsFillInTheirColour)
{
	PixPatHandle pattern = NewPixPat();
	MakeRGBPat(pattern, &kBlue);
	const Rect r = MakeRect(0, 0, 5, 5);
	FillCRect(&r, pattern);
	RGBColor seen;
	GetCPixel(4, 4, &seen);
	EXPECT_EQ(seen.blue, 0xFFFF);
	EXPECT_EQ(seen.red, 0);
	GetCPixel(5, 5, &seen);
	EXPECT_EQ(seen.red, 0xFFFF);
	DisposePixPat(pattern);
}
} // namespace
