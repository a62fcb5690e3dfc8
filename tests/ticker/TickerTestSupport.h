#pragma once
// Ticklets of one colour for the engine's tests, and reading back the engine's composed frame.

#include "Includes/ITicker.h"
#include "Includes/TTicklet.h"
#include "platform/framework/LGWorld.h"
#include "platform/framework/URegistrar.h"
#include "platform/toolbox/gui/StGrafPortSaver.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "ticker/TFloaterTickerWindow.h"
#include "ticker/TTickerWindow.h"
#include "ticker/TZvTicker.h"

#include <memory>
#include <vector>

namespace TickerTest
{

using FrameworkTest::EnsureApplication;

// A block of one colour, as wide as asked and as high as its ticker.
class SolidTicklet : public TTicklet
{
public:
	SolidTicklet(UInt16 width, RGBColor colour, bool withWorld = true)
	    : mColour(colour), mWantWidth(width), mWithWorld(withWorld)
	{
	}
	~SolidTicklet() override { mWorld = nullptr; }

	void RefreshData() override
	{
		mWidth = mWantWidth;
		mWorld = nullptr;
		mOwn.reset();
		const short height = GetOwner() ? GetOwner()->GetHeight() : 0;
		if (!mWithWorld || height <= 0 || mWidth == 0)
			return;
		const Rect bounds{0, 0, height, SInt16(mWidth)};
		mOwn = std::make_unique<LGWorld>(bounds, 0);
		mOwn->BeginDrawing();
		RGBForeColor(&mColour);
		PaintRect(&bounds);
		mOwn->EndDrawing();
		mWorld = mOwn.get();
	}
	void OnStage() override { ++mStaged; }
	void OffStage() override { ++mLeft; }
	void DoubleClick(short x, short, unsigned long) override { mDoubleClicks.push_back(x); }

	void Resize(UInt16 width)
	{
		mWantWidth = width;
		RefreshData();
	}

	RGBColor mColour;
	UInt16 mWantWidth;
	bool mWithWorld;
	std::unique_ptr<LGWorld> mOwn;
	int mStaged = 0;
	int mLeft = 0;
	std::vector<short> mDoubleClicks;
};

// A pixel's colour as a letter: 'R', 'G', 'B', 'K' (black) or '?'.
inline char Letter(const RGBColor& c)
{
	const auto high = [](UInt16 v) { return v > 0xC000; };
	const auto low = [](UInt16 v) { return v < 0x4000; };
	if (high(c.red) && low(c.green) && low(c.blue))
		return 'R';
	if (low(c.red) && high(c.green) && low(c.blue))
		return 'G';
	if (low(c.red) && low(c.green) && high(c.blue))
		return 'B';
	if (low(c.red) && low(c.green) && low(c.blue))
		return 'K';
	return '?';
}

// The colour of the engine's composed frame at x in the middle row.
inline char PixelAt(TZvTicker& engine, SInt16 x)
{
	LGWorld* world = engine.GetOffscreen();
	if (!world)
		return 0;
	const Rect& frame = engine.GetFrame();
	world->BeginDrawing();
	RGBColor c;
	GetCPixel(x, SInt16((frame.top + frame.bottom) / 2), &c);
	world->EndDrawing();
	return Letter(c);
}

// The frame as one letter per pixel, every step pixels.
inline std::string Strip(TZvTicker& engine, int step = 10)
{
	std::string s;
	for (SInt16 x = 0; x < engine.GetFrame().right; x = SInt16(x + step))
		s += PixelAt(engine, x);
	return s;
}

// What the engine's window shows of its strip, as Strip.
inline std::string WindowStrip(TZvTicker& engine, LWindow& window, int step = 10)
{
	StGrafPortSaver saver(window.GetMacPort());
	SetOrigin(0, 0);
	const Rect& frame = engine.GetFrame();
	std::string s;
	for (SInt16 x = 0; x < frame.right; x = SInt16(x + step)) {
		RGBColor c;
		GetCPixel(x, SInt16((frame.top + frame.bottom) / 2), &c);
		s += Letter(c);
	}
	return s;
}

// Qt, the ticker window layouts and their classes, once.
inline void LoadTickerWindows()
{
	EnsureApplication();
	static bool loaded = false;
	if (loaded)
		return;
	FrameworkTest::LoadFixtureFile("../../resources/Tickers.res");
	RegisterClass_(TTickerWindow);
	RegisterClass_(TFloaterTickerWindow);
	loaded = true;
}

constexpr RGBColor kRed{65535, 0, 0};
constexpr RGBColor kGreen{0, 65535, 0};
constexpr RGBColor kBlue{0, 0, 65535};

} // namespace TickerTest
