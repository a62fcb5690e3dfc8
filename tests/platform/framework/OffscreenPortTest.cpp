#include "platform/framework/LException.h"
#include "platform/framework/LGWorld.h"
#include "platform/toolbox/gui/QDOffscreen.h"
#include "platform/toolbox/gui/StGrafPortSaver.h"
#include "tests/platform/framework/FrameworkTestSupport.h"

#include <QImage>
#include <gtest/gtest.h>

namespace
{
const RGBColor kRed{0xFFFF, 0, 0};

using FrameworkTest::EnsureApplication;

Rect MakeRect(SInt16 left, SInt16 top, SInt16 right, SInt16 bottom)
{
	Rect r;
	SetRect(&r, left, top, right, bottom);
	return r;
}

class OffscreenTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		EnsureApplication();
		SetPort(nullptr);
	}
};

TEST_F(OffscreenTest, DepthsUpTo16Give16BitPixelsAndDeeperOnes32)
{
	const Rect bounds = MakeRect(0, 0, 30, 10);
	const struct {
		SInt16 asked;
		SInt16 got;
	} cases[] = {{1, 16}, {8, 16}, {16, 16}, {24, 32}, {32, 32}};
	for (const auto& c : cases) {
		GWorldPtr world = nullptr;
		ASSERT_EQ(NewGWorld(&world, c.asked, &bounds, nullptr, nullptr, 0), noErr) << c.asked;
		EXPECT_EQ(GetPixDepth(GetGWorldPixMap(world)), c.got) << c.asked;
		DisposeGWorld(world);
	}
}

TEST_F(OffscreenTest, DepthZeroTakesTheMainScreensDepth)
{
	GDHandle main = GetMainDevice();
	ASSERT_NE(main, nullptr);
	const Rect bounds = MakeRect(0, 0, 4, 4);
	GWorldPtr world = nullptr;
	ASSERT_EQ(NewGWorld(&world, 0, &bounds, nullptr, nullptr, 0), noErr);
	EXPECT_EQ(GetPixDepth(GetGWorldPixMap(world)), (**(**main).gdPMap).pixelSize);
	DisposeGWorld(world);
}

TEST_F(OffscreenTest, BadDepthsAndEmptyBoundsMakeNoWorld)
{
	GWorldPtr world = reinterpret_cast<GWorldPtr>(1);
	const Rect bounds = MakeRect(0, 0, 4, 4);
	EXPECT_NE(NewGWorld(&world, 12, &bounds, nullptr, nullptr, 0), noErr);
	EXPECT_EQ(world, nullptr);
	const Rect empty = MakeRect(5, 5, 5, 20);
	EXPECT_NE(NewGWorld(&world, 16, &empty, nullptr, nullptr, 0), noErr);
	EXPECT_EQ(world, nullptr);
	EXPECT_THROW(LGWorld bad(empty), LException);
}

TEST_F(OffscreenTest, AWorldDrawsInTheCoordinatesOfItsBounds)
{
	const Rect bounds = MakeRect(20, 10, 60, 30);
	GWorldPtr world = nullptr;
	ASSERT_EQ(NewGWorld(&world, 16, &bounds, nullptr, nullptr, 0), noErr);
	Rect portBounds;
	GetPortBounds(world, &portBounds);
	EXPECT_EQ(portBounds.left, 20);
	EXPECT_EQ(portBounds.bottom, 30);
	{
		StGrafPortSaver saver(world);
		RGBColor seen;
		GetCPixel(20, 10, &seen);
		EXPECT_EQ(seen.green, 0xFFFF); // new worlds are white
		RGBForeColor(&kRed);
		const Rect corner = MakeRect(20, 10, 21, 11);
		PaintRect(&corner);
		GetCPixel(20, 10, &seen);
		EXPECT_EQ(seen.red, 0xFFFF);
		EXPECT_EQ(seen.green, 0);
		GetCPixel(21, 10, &seen);
		EXPECT_EQ(seen.green, 0xFFFF);
	}
	DisposeGWorld(world);
}

TEST_F(OffscreenTest, ASixteenBitWorldInvertsAndKeepsPureColours)
{
	LGWorld world(MakeRect(0, 0, 8, 8), 16);
	world.BeginDrawing();
	const RGBColor teal{0, 0x8000, 0x8000};
	RGBForeColor(&teal);
	const Rect all = MakeRect(0, 0, 8, 8), half = MakeRect(0, 0, 4, 8);
	PaintRect(&all);
	InvertRect(&half);
	RGBColor seen;
	GetCPixel(1, 1, &seen);
	EXPECT_GT(seen.red, 0xF000);
	EXPECT_LT(seen.green, 0x8800);
	EXPECT_GT(seen.green, 0x7000);
	GetCPixel(5, 1, &seen);
	EXPECT_EQ(seen.red, 0);
	EXPECT_GT(seen.blue, 0x7000);
	world.EndDrawing();
}

TEST_F(OffscreenTest, LGWorldDrawsBetweenBeginAndEndAndCopiesItsImage)
{
	QImage windowImage(50, 20, QImage::Format_RGB32);
	windowImage.fill(Qt::white);
	GrafPtr window = NewImagePort(&windowImage);
	SetPort(window);

	LGWorld world(MakeRect(0, 0, 10, 10), 16);
	ASSERT_TRUE(world.BeginDrawing());
	GrafPtr current = nullptr;
	GetPort(&current);
	EXPECT_EQ(current, world.GetMacGWorld());
	RGBForeColor(&kRed);
	const Rect all = MakeRect(0, 0, 10, 10);
	PaintRect(&all);
	world.EndDrawing();
	GetPort(&current);
	EXPECT_EQ(current, window);

	world.CopyImage(window, MakeRect(30, 5, 40, 15));
	EXPECT_EQ(windowImage.pixel(30, 5) | 0xFF000000, qRgb(255, 0, 0));
	EXPECT_EQ(windowImage.pixel(39, 14) | 0xFF000000, qRgb(255, 0, 0));
	EXPECT_EQ(windowImage.pixel(40, 14) | 0xFF000000, qRgb(255, 255, 255));
	EXPECT_EQ(windowImage.pixel(29, 5) | 0xFF000000, qRgb(255, 255, 255));
	DisposePort(window);
}

TEST_F(OffscreenTest, AWorldDeletedWhileDrawingGivesThePortBack)
{
	QImage image(5, 5, QImage::Format_RGB32);
	GrafPtr window = NewImagePort(&image);
	SetPort(window);
	{
		LGWorld world(MakeRect(0, 0, 10, 10));
		world.BeginDrawing();
	}
	GrafPtr current = nullptr;
	GetPort(&current);
	EXPECT_EQ(current, window);
	DisposePort(window);
}
} // namespace
