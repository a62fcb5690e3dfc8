#include "FrameworkTestSupport.h"
#include "platform/framework/LGWorld.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "tests/support/AllocationCounter.h"

#include <gtest/gtest.h>

namespace
{

const BitMap* Bits(GrafPtr inPort)
{
	return GetPortBitMapForCopyBits(inPort);
}

// A strip with a different colour in every pixel, some of them white.
void Fill(QImage& ioImage)
{
	for (int y = 0; y < ioImage.height(); ++y)
		for (int x = 0; x < ioImage.width(); ++x)
			ioImage.setPixel(x, y,
			                 (x + y) % 5 == 0 ? qRgb(255, 255, 255) : qRgb(x * 4, y * 9, 128));
}

TEST(CopyBitsTest, ScrollingAStripInPlaceReadsEveryPixelBeforeWritingIt)
{
	FrameworkTest::EnsureApplication();
	QImage image(60, 20, QImage::Format_RGB32);
	GrafPtr port = NewImagePort(&image);
	// Right, and down and right: the copy overlaps itself within rows and across them.
	for (const int dv : {0, 3})
		for (SInt16 mode : {srcCopy, transparent}) {
			const Rect from{0, 0, SInt16(20 - dv), 57}, to{SInt16(dv), 3, 20, 60};
			Fill(image);
			const QImage before = image.copy();
			CopyBits(Bits(port), Bits(port), &from, &to, mode, nullptr);
			for (int y = 0; y < 20; ++y)
				for (int x = 0; x < 60; ++x) {
					QRgb expected = before.pixel(x, y);
					if (x >= 3 && y >= dv) {
						const QRgb source = before.pixel(x - 3, y - dv);
						if (mode == srcCopy || (source & 0xFFFFFF) != 0xFFFFFF)
							expected = source;
					}
					ASSERT_EQ(image.pixel(x, y), expected)
					    << mode << " at " << x << "," << y;
				}
		}
	DisposePort(port);
}

TEST(CopyBitsTest, CopiesInPlaceAndTransparentlyAllocateNothing)
{
	FrameworkTest::EnsureApplication();
	QImage image(1920, 48, QImage::Format_RGB32);
	image.fill(Qt::blue);
	GrafPtr port = NewImagePort(&image);
	const Rect strip{0, 0, 48, 1920};
	LGWorld world(strip, 16);
	world.BeginDrawing();
	const Rect tag{10, 10, 30, 100};
	PaintRect(&tag);
	world.EndDrawing();
	const Rect from{0, 3, 48, 1920}, to{0, 0, 48, 1917};

	const long before = AllocationCount();
	for (int i = 0; i < 10; ++i) {
		CopyBits(Bits(port), Bits(port), &from, &to, srcCopy, nullptr);
		CopyBits(Bits(world.GetMacGWorld()), Bits(port), &strip, &strip, transparent, nullptr);
	}
	EXPECT_EQ(AllocationCount() - before, 0);
	EXPECT_EQ(image.pixel(20, 15), qRgb(0, 0, 0)); // the world's black
	EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 255)); // its white left out
	DisposePort(port);
}

} // namespace
