// The scrolling engine: increments by speed and height, how the strip moves and wraps, what a composed
// frame holds, and how clicks become double-clicks on the ticklet under the mouse.

#include "ticker/TZvTicker.h"

#include "platform/toolbox/TickCount.h"
#include "tests/support/AllocationCounter.h"
#include "tests/ticker/TickerTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace TickerTest;

namespace
{

class TZvTickerTest : public ::testing::Test
{
protected:
	void SetUp() override { EnsureApplication(); }

	// An engine over a strip of the width and height, stopped so that composing does not move it.
	std::unique_ptr<TZvTicker> Engine(SInt16 width, SInt16 height = 24)
	{
		auto engine = std::make_unique<TZvTicker>();
		const Rect frame{0, 0, height, width};
		engine->ResizeTicker(&frame);
		engine->SetSpeed(kTickerStopped);
		return engine;
	}
	SolidTicklet* Add(TZvTicker& engine, UInt16 width, RGBColor colour, bool world = true)
	{
		mTicklets.push_back(std::make_unique<SolidTicklet>(width, colour, world));
		engine.AddTicklet(mTicklets.back().get(), -1);
		return mTicklets.back().get();
	}
	std::vector<std::unique_ptr<SolidTicklet>> mTicklets;
};

TEST_F(TZvTickerTest, SpeedAndHeightGiveTheSteps)
{
	const struct {
		tTickerSpeed speed;
		SInt16 height;
		SInt32 ticks, pixels;
	} rows[] = {{0, 24, 0, 0},  {10, 24, 3, 1}, {11, 24, 2, 1}, {12, 24, 1, 1}, {13, 24, 1, 2},
	            {14, 24, 1, 3}, {14, 72, 1, 9}, {12, 48, 1, 2}, {12, 20, 1, 1}};
	for (const auto& row : rows) {
		auto engine = Engine(100, row.height);
		engine->SetSpeed(row.speed);
		EXPECT_EQ(engine->GetTickStep(), row.ticks) << int(row.speed) << "/" << row.height;
		EXPECT_EQ(engine->GetPixelStep(), row.pixels) << int(row.speed) << "/" << row.height;
	}
	// Faster and slower walk 0, 10 ... 14 and stop at the ends.
	auto engine = Engine(100);
	std::vector<int> up, down;
	for (int i = 0; i < 7; ++i, engine->SpeedUp())
		up.push_back(engine->TickerSpeed());
	for (int i = 0; i < 7; ++i, engine->SlowDown())
		down.push_back(engine->TickerSpeed());
	EXPECT_EQ(up, (std::vector<int>{0, 10, 11, 12, 13, 14, 14}));
	EXPECT_EQ(down, (std::vector<int>{14, 13, 12, 11, 10, 0, 0}));
}

TEST_F(TZvTickerTest, TheStripCrossesOneBoundaryPerStepAndWraps)
{
	auto engine = Engine(100);
	Add(*engine, 5, kRed);
	Add(*engine, 5, kGreen);
	Add(*engine, 50, kBlue);
	auto at = [&] { return std::make_pair(engine->GetCurrent(), engine->GetOffset()); };

	// A step wider than the ticklet crosses only into the next; the rest carries over.
	engine->ScrollPixels(kTickerRightToLeft, 12);
	EXPECT_EQ(at(), std::make_pair(2, 7));
	engine->ScrollPixels(kTickerRightToLeft, 12);
	EXPECT_EQ(at(), std::make_pair(3, 14));
	engine->ScrollPixels(kTickerRightToLeft, 40);
	EXPECT_EQ(at(), std::make_pair(1, 4)); // past the last: the first again

	// Backwards from the start of the first: the last, from its far end.
	auto back = Engine(100);
	engine.swap(back);
	mTicklets.clear();
	Add(*engine, 10, kRed);
	Add(*engine, 30, kGreen);
	engine->ScrollPixels(kTickerLeftToRight, 3);
	EXPECT_EQ(at(), std::make_pair(2, 27));
	engine->ScrollPixels(kTickerLeftToRight, 27);
	EXPECT_EQ(at(), std::make_pair(1, 10));
}

TEST_F(TZvTickerTest, RemovingTickletsKeepsTheStripOnTheSameTicklet)
{
	auto engine = Engine(100);
	SolidTicklet* a = Add(*engine, 20, kRed);
	SolidTicklet* b = Add(*engine, 30, kGreen);
	SolidTicklet* c = Add(*engine, 40, kBlue);
	engine->ScrollPixels(kTickerRightToLeft, 25); // into b by 5
	ASSERT_EQ(engine->GetCurrent(), 2);

	// An earlier ticklet goes: b is still at the start of the strip.
	engine->RemoveTicklet(a);
	EXPECT_EQ(a->GetOwner(), nullptr);
	EXPECT_EQ(engine->GetCurrent(), 1);
	EXPECT_EQ(engine->GetOffset(), 5);
	engine->Prepare();
	EXPECT_EQ(PixelAt(*engine, 0), 'G');

	// The last one going while current: the new last is current.
	engine->ScrollPixels(kTickerRightToLeft, 30);
	ASSERT_EQ(engine->GetCurrent(), 2);
	engine->RemoveTicklet(c);
	EXPECT_EQ(engine->GetCurrent(), 1);
	// None left: none current, and the next step picks the first or the last.
	engine->RemoveTicklet(b);
	EXPECT_EQ(engine->GetCurrent(), 0);
	Add(*engine, 10, kRed);
	Add(*engine, 10, kGreen);
	engine->ScrollPixels(kTickerLeftToRight, 1);
	EXPECT_EQ(engine->GetCurrent(), 1); // count 2, then back over the boundary to 1
	EXPECT_EQ(engine->GetOffset(), 9);

	// A ticklet deleted while shown takes itself off; an engine that goes first lets its ticklets be.
	mTicklets.pop_back();
	EXPECT_EQ(engine->GetTicklets().Count(), 1);
	engine.reset();
	EXPECT_EQ(mTicklets.back()->GetOwner(), nullptr);
}

TEST_F(TZvTickerTest, FramesShowTheTickletsFromTheOffsetAndRepeatThemInAWideStrip)
{
	auto engine = Engine(200);
	// Empty: the background only.
	engine->Prepare();
	EXPECT_EQ(Strip(*engine, 20), std::string(10, 'K'));

	SolidTicklet* red = Add(*engine, 30, kRed);
	SolidTicklet* green = Add(*engine, 50, kGreen);
	engine->ScrollPixels(kTickerRightToLeft, 10);
	engine->Prepare();
	// 20 of red, 50 of green, then both again and again.
	EXPECT_EQ(Strip(*engine), "RRGGGGGRRRGGGGGRRRGG");
	EXPECT_GE(red->mStaged, 3);
	EXPECT_GE(green->mStaged, 3);

	// A ticklet without a picture leaves its span to the background.
	engine->Draw();
	mTicklets.clear();
	Add(*engine, 40, kRed);
	Add(*engine, 60, kGreen, false);
	Add(*engine, 100, kBlue);
	engine->Prepare();
	EXPECT_EQ(Strip(*engine, 20), "RRKKKBBBBB");

	// A ticklet that shrank below the offset: its span is left out, never copied inverted; the next
	// ticklet's span starts where the shrunk one now ends.
	engine->Draw();
	engine->ScrollPixels(kTickerRightToLeft, 30);
	mTicklets[0]->Resize(10);
	engine->Prepare();
	EXPECT_EQ(Strip(*engine, 20), "KKBBBBBRKK");

	// Ticklets all empty: the background.
	engine->Draw();
	for (auto& ticklet : mTicklets)
		ticklet->Resize(0);
	engine->Prepare();
	EXPECT_EQ(Strip(*engine, 20), std::string(10, 'K'));
}

TEST_F(TZvTickerTest, ALongStripShowsTheRightTickletAtEveryStepBothWaysAndAfterRemovals)
{
	auto engine = Engine(4);
	const RGBColor colours[] = {kRed, kGreen, kBlue};
	for (int i = 0; i < 300; ++i)
		Add(*engine, 2, colours[i % 3]);
	// Two pixels each: after n one-pixel steps the strip starts in ticklet n / 2 (from 0, round 600).
	auto letter = [](long n) { return "RGB"[((n / 2) % 300) % 3]; };
	long moved = 0;
	for (int step = 0; step < 1300; ++step) {
		engine->ScrollPixels(kTickerRightToLeft, 1);
		engine->Prepare();
		++moved;
		ASSERT_EQ(PixelAt(*engine, 0), letter(moved)) << "step " << step;
		ASSERT_EQ(PixelAt(*engine, 2), letter(moved + 2)) << "step " << step;
		engine->Draw();
	}
	for (int step = 0; step < 700; ++step) {
		engine->ScrollPixels(kTickerLeftToRight, 1);
		engine->Prepare();
		moved = (moved + 599) % 600;
		ASSERT_EQ(PixelAt(*engine, 0), letter(moved)) << "back " << step;
		engine->Draw();
	}

	// Ticklets going (the current one among them): the strip still starts with the one the list holds at
	// the current position.
	for (int i = 0; i < 20; ++i) {
		TTicklet* current = engine->GetTicklets().GetNth(engine->GetCurrent());
		mTicklets.erase(std::find_if(mTicklets.begin(), mTicklets.end(), [&](const auto& t) {
			return t.get() == (i % 2 ? current : mTicklets[i].get());
		}));
		for (int step = 0; step < 7; ++step) {
			engine->ScrollPixels(i % 3 ? kTickerRightToLeft : kTickerLeftToRight, 1);
			engine->Prepare();
			auto* shown =
			    static_cast<SolidTicklet*>(engine->GetTicklets().GetNth(engine->GetCurrent()));
			ASSERT_EQ(PixelAt(*engine, 0), Letter(shown->mColour)) << i << "/" << step;
			engine->Draw();
		}
	}
}

TEST_F(TZvTickerTest, StepsFollowTheClockAndComposeAheadWithoutAllocating)
{
	StTestClock clock;
	auto engine = Engine(300, 24);
	for (RGBColor colour : {kRed, kGreen, kBlue, kRed, kGreen})
		Add(*engine, 70, colour);
	engine->SetSpeed(11); // 2 ticks, 1 pixel
	EventRecord event{};
	engine->SpendTime(event); // due at once: draws (composing first)
	const SInt32 offset = engine->GetOffset();
	engine->SpendTime(event); // not yet due: composes the next frame
	EXPECT_TRUE(engine->IsPrepared());
	EXPECT_EQ(engine->GetOffset(), offset + 1);
	const long before = AllocationCount();
	for (int i = 0; i < 200; ++i) {
		clock.Advance(1);
		engine->SpendTime(event);
	}
	EXPECT_EQ(AllocationCount(), before);
	EXPECT_EQ(engine->GetOffset(), (offset + 100) % 70); // a step every other tick
}

TEST_F(TZvTickerTest, ASecondClickWithin31TicksDoubleClicksTheTickletUnderIt)
{
	StTestClock clock;
	auto engine = Engine(100);
	SolidTicklet* red = Add(*engine, 30, kRed);
	SolidTicklet* green = Add(*engine, 50, kGreen);
	engine->ScrollPixels(kTickerRightToLeft, 10); // red 0-20, green 20-70, red 70-100

	engine->Click(25, 5);
	clock.Advance(31);
	engine->Click(25, 5);
	EXPECT_TRUE(green->mDoubleClicks.empty()); // two single clicks

	clock.Advance(30);
	engine->Click(20, 5);
	EXPECT_EQ(red->mDoubleClicks, std::vector<short>{20}); // both spans hold 20: the first wins
	// The next click starts a new pair: a double-click does not renew the first click's time.
	clock.Advance(40);
	engine->Click(85, 5);
	clock.Advance(5);
	engine->Click(85, 5);
	EXPECT_EQ(red->mDoubleClicks, (std::vector<short>{20, 85}));
	EXPECT_TRUE(green->mDoubleClicks.empty());
}

} // namespace
