// Tickers: where their windows go on the screen and how they stack, how the user frees them, closing from
// outside, the stored record byte for byte, and ids that never repeat.

#include "ticker/TTicker.h"

#include "platform/framework/URegistrar.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/support/ScratchFolder.h"
#include "tests/ticker/TickerTestSupport.h"
#include "ticker/TFloaterTickerWindow.h"
#include "ticker/TTickerWindow.h"
#include "ticker/TZvTicker.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace TickerTest;

namespace
{

const Rect kScreen{0, 0, 768, 1024};

class TTickerTest : public ::testing::Test
{
protected:
	void SetUp() override { TickerTest::LoadTickerWindows(); }
	void TearDown() override { TTicker::Placers().Clear(); }

	static void Place(tTickerAnchor anchor, SInt32 top, SInt32 bottom)
	{
		TTicker::Placers().Append(new tTickerPlacer{anchor, nullptr, top, 1, bottom, 1025});
	}
	// The ticker's window open, its strip stopped on blue (false when the window did not open).
	static bool OpenStopped(TTicker& ioTicker)
	{
		ioTicker.Open(true);
		if (!ioTicker.IsWindowOpen())
			return false;
		ioTicker.GetTickerPane()->SetSpeed(kTickerStopped);
		ioTicker.GetTickerPane()->SetBackgroundColour(&kBlue);
		return true;
	}
	static Rect Bounds(const TTicker& ticker)
	{
		Rect bounds{};
		ticker.GetWindow()->GetGlobalBounds(bounds);
		return bounds;
	}
};

// top, left, bottom, right
std::string Text(const Rect& r)
{
	return std::to_string(r.top) + "," + std::to_string(r.left) + "," + std::to_string(r.bottom) + "," +
	       std::to_string(r.right);
}

TEST_F(TTickerTest, AnchorsPlaceTickersAtTheScreenEdgesAndStackThem)
{
	EXPECT_EQ(Text(TTicker::AnchorRect(kTickerAnchorTopFull, 28, kScreen)), Text(Rect{1, 1, 29, 1025}));
	EXPECT_EQ(Text(TTicker::AnchorRect(kTickerAnchorBottomFull, 28, kScreen)),
	          Text(Rect{740, 1, 768, 1025}));
	EXPECT_EQ(Text(TTicker::AnchorRect(kTickerAnchorTopLeft, 28, kScreen)), Text(Rect{1, 1, 29, 513}));
	EXPECT_EQ(Text(TTicker::AnchorRect(kTickerAnchorBottomLeft, 28, kScreen)),
	          Text(Rect{740, 1, 768, 513}));
	EXPECT_EQ(Text(TTicker::AnchorRect(kTickerAnchorTopRight, 28, kScreen)),
	          Text(Rect{1, 512, 29, 1024}));
	EXPECT_EQ(Text(TTicker::AnchorRect(kTickerAnchorBottomRight, 28, kScreen)),
	          Text(Rect{740, 512, 768, 1024}));

	// Two at the top already, listed out of order: the next goes under both; a gap big enough is not
	// looked for, as tickers stack from the edge.
	Place(kTickerAnchorTopFull, 30, 58);
	Place(kTickerAnchorTopLeft, 1, 29);
	Place(kTickerAnchorBottomFull, 740, 768);
	EXPECT_EQ(Text(TTicker::FindTopMost(kTickerAnchorTopRight, 24, kScreen)),
	          Text(Rect{59, 512, 83, 1024}));
	// At the bottom: above the bottom one whose top is below the candidate's bottom.
	EXPECT_EQ(Text(TTicker::FindBottomMost(kTickerAnchorBottomFull, 28, kScreen)),
	          Text(Rect{711, 1, 739, 1025}));
	TTicker::Placers().Clear();
	Place(kTickerAnchorBottomFull, 700, 728);
	EXPECT_EQ(Text(TTicker::FindBottomMost(kTickerAnchorBottomFull, 28, kScreen)),
	          Text(Rect{740, 1, 768, 1025}));
}

TEST_F(TTickerTest, OpenTickersStackFollowTheirFontAndAreFreedByACommandDrag)
{
	TTicker first, second;
	first.GetPrefs().height = 60; // whatever was stored, the font decides
	first.Open(true);
	second.Open(true);
	ASSERT_TRUE(first.IsWindowOpen());
	ASSERT_TRUE(second.IsWindowOpen());
	const Rect screen = TTicker::MainScreenRect();
	EXPECT_EQ(Text(Bounds(first)),
	          Text(Rect{SInt16(screen.top + 1), 1, SInt16(screen.top + 29), SInt16(screen.right + 1)}));
	EXPECT_EQ(Bounds(second).top, Bounds(first).bottom + 1);
	EXPECT_EQ(Bounds(second).bottom - Bounds(second).top, 28);
	EXPECT_EQ(first.GetTickerPane()->GetHeight(), 28);
	EXPECT_EQ(TTicker::Placers().Count(), 2);

	// Moved with the command key: free at the next save. A plain click only scrolls.
	EventRecord click{};
	click.what = mouseDown;
	click.where = Point{SInt16(Bounds(second).top + 5), 40};
	second.GetWindow()->ClickInContent(click);
	second.SavePosition();
	EXPECT_EQ(second.GetPrefs().anchor, kTickerAnchorTopFull);
	click.modifiers = cmdKey;
	second.GetWindow()->ClickInContent(click);
	second.SavePosition();
	EXPECT_EQ(second.GetPrefs().anchor, kTickerAnchorFree);

	// Zoomed it spans the screen at the same height; zoomed again it is back. Arrow keys steer the strip.
	TTickerWindow* window = second.GetWindow();
	const Rect before = Bounds(second);
	window->DoSetZoom(true);
	EXPECT_EQ(Text(Bounds(second)), Text(Rect{before.top, 10, before.bottom, SInt16(screen.right - 10)}));
	window->DoSetZoom(true);
	EXPECT_EQ(Text(Bounds(second)), Text(before));
	EventRecord key{};
	key.what = keyDown;
	key.message = 29; // right arrow
	EXPECT_TRUE(window->HandleKeyPress(key));
	key.message = 30; // up arrow
	EXPECT_TRUE(window->HandleKeyPress(key));
	EXPECT_EQ(second.GetTickerPane()->TickerDirection(), kTickerLeftToRight);
	EXPECT_EQ(second.GetTickerPane()->TickerSpeed(), 13);

	// Closed from outside (the window manager's close box): the ticker lets go of its engine and place.
	second.GetWindow()->ObeyCommand(cmd_Close, nullptr);
	EXPECT_FALSE(second.IsWindowOpen());
	EXPECT_EQ(second.GetTickerPane(), nullptr);
	EXPECT_EQ(TTicker::Placers().Count(), 1);
	first.Close();
	EXPECT_EQ(TTicker::Placers().Count(), 0);

	// A free ticker saved off every screen comes back near the main screen's corner, keeping its size.
	TTicker lost;
	lost.TickerAnchor(kTickerAnchorFree);
	lost.GetPrefs().top = -2000;
	lost.GetPrefs().left = 5000;
	lost.GetPrefs().width = 300;
	lost.Open(true);
	EXPECT_EQ(Text(Bounds(lost)), Text(Rect{SInt16(screen.top + 100), SInt16(screen.left + 100),
	                                        SInt16(screen.top + 128), SInt16(screen.left + 400)}));
}

TEST_F(TTickerTest, AnOpenTickerShowsEachFrameAtItsStepAndAgainWhenItsWindowIsRedrawn)
{
	TTicker ticker;
	ASSERT_TRUE(OpenStopped(ticker));
	TZvTicker& engine = *ticker.GetTickerPane();
	LWindow& window = *ticker.GetWindow();
	std::vector<std::unique_ptr<SolidTicklet>> ticklets;
	for (RGBColor colour : {kRed, kGreen}) {
		ticklets.push_back(std::make_unique<SolidTicklet>(colour.red ? 30 : 50, colour));
		engine.AddTicklet(ticklets.back().get(), -1);
	}
	auto shown = [&] { return WindowStrip(engine, window).substr(0, 20); };

	engine.ScrollPixels(kTickerRightToLeft, 10);
	engine.Draw();
	EXPECT_EQ(shown(), "RRGGGGGRRRGGGGGRRRGG");
	// The next frame, made ready ahead, shows only at its step.
	engine.ScrollPixels(kTickerRightToLeft, 20);
	engine.Prepare();
	EXPECT_EQ(shown(), "RRGGGGGRRRGGGGGRRRGG");
	engine.Draw();
	EXPECT_EQ(shown(), "GGGGGRRRGGGGGRRRGGGG");

	// Drawn over and redrawn by the window: the same frame again.
	{
		StGrafPortSaver saver(window.GetMacPort());
		const RGBColor black{0, 0, 0};
		RGBForeColor(&black);
		const Rect frame = engine.GetFrame();
		PaintRect(&frame);
	}
	ASSERT_EQ(shown(), std::string(20, 'K'));
	window.InvalPortRect(engine.GetFrame());
	window.UpdatePort();
	EXPECT_EQ(shown(), "GGGGGRRRGGGGGRRRGGGG");

	// Nothing left on it: the background.
	ticklets.clear();
	engine.Draw();
	EXPECT_EQ(shown(), std::string(20, 'B'));
}

TEST_F(TTickerTest, AStepShowsWhatAWholeFrameWouldWhateverChangedSinceTheLast)
{
	TTicker ticker;
	ASSERT_TRUE(OpenStopped(ticker));
	TZvTicker& engine = *ticker.GetTickerPane();
	LWindow& window = *ticker.GetWindow();
	std::vector<std::unique_ptr<SolidTicklet>> ticklets;
	const RGBColor colours[] = {kRed, kGreen, {40000, 20000, 0}, {0, 30000, 50000}, {65535, 65535, 0}};
	for (int i = 0; i < 9; ++i) {
		ticklets.push_back(std::make_unique<SolidTicklet>(UInt16(37 + 23 * (i % 4)), colours[i % 5]));
		engine.AddTicklet(ticklets.back().get(), -1);
	}
	const Rect frame = engine.GetFrame();
	const QRect strip(0, frame.top, frame.right, frame.bottom - frame.top);
	const auto image = [&] { return window.GetMacPort()->image->copy(strip); };
	// What a step showed must be what a whole frame composed at once shows.
	const auto check = [&](int step) {
		engine.Draw();
		const QImage stepped = image();
		engine.ShowFrame();
		ASSERT_EQ(stepped, image()) << "step " << step;
	};
	// Each change between steps; steps in both directions, of every size up to past the strip's width.
	const std::vector<std::function<void(int)>> changes = {
	    [&](int) {},
	    [&](int i) { ticklets[size_t(i) % ticklets.size()]->Resize(UInt16(20 + i % 50)); },
	    [&](int i) { // the same width and world, drawn again in another colour
		    SolidTicklet& t = *ticklets[size_t(engine.GetCurrent() - 1) % ticklets.size()];
		    if (!t.mOwn)
			    return;
		    t.mOwn->BeginDrawing();
		    RGBForeColor(&colours[i % 5]);
		    Rect bounds;
		    t.mOwn->GetBounds(bounds);
		    PaintRect(&bounds);
		    t.mOwn->EndDrawing();
	    },
	    [&](int) { // drawn over by someone else
		    StGrafPortSaver saver(window.GetMacPort());
		    RGBForeColor(&kRed);
		    const Rect spot{frame.top, 5, frame.bottom, 9};
		    PaintRect(&spot);
	    },
	    [&](int i) { engine.SetBackgroundColour(i % 2 ? &kBlue : &kGreen); },
	    [&](int i) {
		    ticklets.push_back(std::make_unique<SolidTicklet>(UInt16(31 + i % 20), colours[i % 5]));
		    engine.AddTicklet(ticklets.back().get(), -1);
	    },
	    [&](int i) {
		    if (ticklets.size() > 3)
			    ticklets.erase(ticklets.begin() + i % 3); // takes itself off the ticker
	    },
	    [&](int) { engine.ScrollPixels(kTickerRightToLeft, frame.right - frame.left + 5); },
	    [&](int i) { // every ticklet empty for a step (the background alone), then back
		    for (auto& t : ticklets)
			    t->Resize(0);
		    engine.Draw();
		    for (size_t n = 0; n < ticklets.size(); ++n)
			    ticklets[n]->Resize(UInt16(25 + (i + int(n)) % 40));
	    },
	    [&](int i) { // moved, and the window's update draws it in half the strip only
		    engine.ScrollPixels(kTickerRightToLeft, 7 + i % 5);
		    window.InvalPortRect(Rect{frame.top, 0, frame.bottom, SInt16(frame.right / 2)});
		    window.UpdatePort();
	    },
	};
	const int sizes[] = {0, 1, 3, 9, 40, 120};
	int step = 0;
	for (int round = 0; round < 6; ++round)
		for (size_t change = 0; change < changes.size(); ++change)
			for (const int size : sizes) {
				changes[change](step);
				engine.ScrollPixels(round % 2 ? kTickerLeftToRight : kTickerRightToLeft,
				                    size);
				check(step++);
				// A few plain steps after the change.
				for (int plain = 0; plain < 3; ++plain) {
					engine.ScrollPixels(
					    round % 2 ? kTickerRightToLeft : kTickerLeftToRight, 3);
					check(step++);
				}
			}
	// The window's update after all of it draws the same frame again.
	const QImage last = image();
	window.InvalPortRect(frame);
	window.UpdatePort();
	EXPECT_EQ(image(), last);
	ticklets.clear();
}

TEST_F(TTickerTest, TheStoredRecordIsByteExactAndReadsBackWhole)
{
	ScratchFolder scratch;
	TTicker ticker;
	ticker.SetID(0x01020304);
	const std::string name(40, 'N');
	ticker.SetTitle((name + "and more").c_str());
	EXPECT_EQ(std::string(ticker.GetTitle()), name); // the field holds 40
	ticker.GetPrefs().left = -5;
	ticker.TickerSpeed(14);
	ticker.TickerOpenOnQuit(true);
	scratch.Write("ticker", "");
	{
		auto file = scratch.File("ticker");
		file->SetMode(kFileModeWrite);
		ASSERT_EQ(file->Open(), 0);
		ASSERT_EQ(ticker.Backup(file.get()), 0);
		file->Close();
	}
	const std::string bytes = scratch.Read("ticker");
	ASSERT_EQ(bytes.size(), TTicker::kStoredSize);
	EXPECT_EQ(bytes.substr(0, 4), std::string("\x01\x02\x03\x04", 4));
	EXPECT_EQ(bytes.substr(4, 40), name); // no terminating zero
	EXPECT_EQ(bytes[44], 1);
	EXPECT_EQ(bytes.substr(45, 2), std::string("\xFF\xFB", 2));        // left, big-endian
	EXPECT_EQ(bytes.substr(45 + 96, 4), std::string("\0\0\0\x0E", 4)); // font size 14
	EXPECT_EQ(bytes[45 + 102], 14);

	auto in = scratch.File("ticker");
	in->SetMode(kFileModeRead);
	ASSERT_EQ(in->Open(), 0);
	TTicker read(in.get());
	in->Close();
	EXPECT_TRUE(read.WasReadWhole());
	EXPECT_EQ(read.GetID(), 0x01020304u);
	EXPECT_EQ(std::string(read.GetTitle()), name);
	EXPECT_TRUE(read.WasTickerOpenOnQuit());
	EXPECT_EQ(std::memcmp(&read.GetPrefs(), &ticker.GetPrefs(), sizeof(tTickerPrefs)), 0);

	// Cut short: not whole.
	scratch.Write("cut", bytes.substr(0, 100));
	auto cut = scratch.File("cut");
	cut->SetMode(kFileModeRead);
	ASSERT_EQ(cut->Open(), 0);
	EXPECT_FALSE(TTicker(cut.get()).WasReadWhole());
	cut->Close();
}

TEST_F(TTickerTest, NewIdsAvoidOpenTickersAndRecordedOnes)
{
	StTestClock clock(5000);
	const UInt32 now = TickCount();
	TTicker open;
	open.SetID(now);
	open.Open(false);
	TTicker::SetIdInUseCheck([&](UInt32 id) { return id == now + 1; });
	EXPECT_EQ(TTicker().GetID(), now + 2);
	TTicker::SetIdInUseCheck(nullptr);
	EXPECT_EQ(TTicker().GetID(), now + 1);
}

} // namespace
