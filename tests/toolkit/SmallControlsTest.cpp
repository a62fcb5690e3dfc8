#include "platform/framework/LListener.h"
#include "platform/framework/LMenu.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/ColorPicker.h"
#include "platform/toolbox/gui/Drag.h"
#include "platform/toolbox/gui/Fonts.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScratchFolder.h"
#include "tests/toolkit/PaneTestSupport.h"
#include "toolkit/CURLPushButton.h"
#include "toolkit/LColorWell.h"
#include "toolkit/TBevelButton.h"
#include "toolkit/TContextualMenu.h"
#include "toolkit/TDisclosureTriangle.h"
#include "toolkit/TFontMenu.h"
#include "toolkit/TFontSizeMenu.h"
#include "toolkit/TSoundMenu.h"
#include "toolkit/USound.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace PaneTest;

namespace
{

struct tHeard {
	MessageT message;
	SInt32 value; // what the parameter pointed to, for the controls that send a value
	RGBColor colour;
};

class TRecorder : public LListener
{
public:
	void ListenToMessage(MessageT inMessage, void* ioParam) override
	{
		tHeard heard{inMessage, 0, {}};
		if (ioParam != nullptr && inMessage == FOUR_CHAR_CODE("well"))
			heard.colour = *static_cast<RGBColor*>(ioParam);
		else if (ioParam != nullptr)
			heard.value = *static_cast<SInt32*>(ioParam);
		mHeard.push_back(heard);
	}
	std::vector<tHeard> mHeard;
};

// A bevel button whose mouse is held for a set number of ticks of the test clock.
class TTimedBevelButton : public TBevelButton
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tBvl") };
	explicit TTimedBevelButton(LStream* inStream) : TBevelButton(inStream) {}

	UInt32 mHoldTicks = 0;
	StTestClock* mClock = nullptr;

protected:
	Boolean StillDown() const override
	{
		if (mHeld >= mHoldTicks)
			return false;
		mClock->Advance(1);
		++mHeld;
		return true;
	}

public:
	void StartClick() { mHeld = 0; }

private:
	mutable UInt32 mHeld = 0;
};

SMouseDownEvent ClickIn(const LPane* inPane, UInt16 inModifiers = 0)
{
	Rect frame;
	inPane->CalcPortFrameRect(frame);
	SMouseDownEvent click;
	click.macEvent.what = mouseDown;
	click.macEvent.modifiers = inModifiers;
	click.whereLocal = Point{SInt16(frame.top + 5), SInt16(frame.left + 5)};
	click.wherePort = click.whereLocal;
	return click;
}

class SmallControlsTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadLayouts();
		RegisterClass_(TTimedBevelButton);
		mScratch = std::make_unique<ScratchFolder>();
		mSoundFolder = mScratch->Path();
		for (const char* name : {"Chime.wav", "Alarm.wav", "Bell.tone.wav"})
			std::ofstream(mSoundFolder + "/" + name) << "x";
		mSounds = std::make_unique<ScopedEnvironment>("VANTOREL_SOUNDS", mSoundFolder);
		USound::DisposeSounds();
		mWindow.reset(LWindow::CreateWindow(32101, nullptr));
		ASSERT_NE(mWindow, nullptr);
		mWindow->Show();
		mWindow->Activate();
		mWindow->UpdatePort();
	}
	void TearDown() override
	{
		mWindow.reset();
		USound::DisposeSounds();
		mSounds.reset();
		mScratch.reset();
		SetPopUpMenuChooser(nullptr);
		SetDragTracker(nullptr);
		ClearColorAnswers();
	}
	template <class T> T* Find(const char (&inID)[5]) { return FindPane<T>(mWindow.get(), inID); }
	template <class T> T* Listened(const char (&inID)[5])
	{
		T* pane = Find<T>(inID);
		if (pane)
			pane->AddListener(&mRecorder);
		return pane;
	}
	QRgb Pixel(int h, int v) const { return mWindow->GetMacPort()->image->pixel(h, v); }

	std::unique_ptr<ScratchFolder> mScratch;
	std::string mSoundFolder;
	std::unique_ptr<ScopedEnvironment> mSounds;
	std::unique_ptr<LWindow> mWindow;
	TRecorder mRecorder;
};

TEST_F(SmallControlsTest, TheSizeMenuChoosesTheLastItemOfTheSize)
{
	auto* sizes = Listened<TFontSizeMenu>("size");
	ASSERT_NE(sizes, nullptr);
	sizes->SetSize(12);
	EXPECT_EQ(sizes->GetValue(), 3);
	EXPECT_EQ(sizes->GetSize(), 12);
	ASSERT_EQ(mRecorder.mHeard.size(), 1u);
	EXPECT_EQ(mRecorder.mHeard[0].message, FOUR_CHAR_CODE("size"));
	EXPECT_EQ(mRecorder.mHeard[0].value, 3);

	sizes->SetSize(0); // changes nothing
	EXPECT_EQ(sizes->GetValue(), 3);
	sizes->SetSize(13);
	EXPECT_EQ(sizes->GetValue(), 0);
	EXPECT_EQ(sizes->GetSize(), 0);
	sizes->SetSize(9);
	EXPECT_EQ(sizes->GetValue(), 1);
}

TEST_F(SmallControlsTest, TheFontMenuMatchesNamesIgnoringCaseAndFillsABufferOfItsSize)
{
	auto* fonts = Find<TFontMenu>("font");
	ASSERT_NE(fonts, nullptr);
	fonts->SetFont("GENEVA");
	EXPECT_EQ(fonts->GetValue(), 3); // the last of "Geneva" and "geneva"

	char buffer[8];
	std::memset(buffer, 'x', sizeof(buffer));
	EXPECT_EQ(fonts->GetFont(buffer, 4), buffer);
	EXPECT_STREQ(buffer, "gen");
	EXPECT_EQ(buffer[4], 'x');
	fonts->GetFont(buffer, sizeof(buffer));
	EXPECT_STREQ(buffer, "geneva");

	fonts->SetFont("Times");
	EXPECT_EQ(fonts->GetValue(), 2);
	SInt16 times = 0;
	GetFNum((ConstStr255Param) "\5Times", &times);
	EXPECT_EQ(fonts->GetFontNumber(), times);

	// A font the menu lacks is offered once, as the setting stands.
	const SInt16 items = fonts->CountMenuItems();
	fonts->SetFont("Helvetica");
	fonts->SetFont("helvetica");
	EXPECT_EQ(fonts->CountMenuItems(), items + 1);
	EXPECT_EQ(fonts->GetValue(), items + 1);
	fonts->GetFont(buffer, sizeof(buffer));
	EXPECT_STREQ(buffer, "Helveti");
	fonts->SetFont("");
	EXPECT_EQ(fonts->GetValue(), 0);
	fonts->GetFont(buffer, sizeof(buffer));
	EXPECT_STREQ(buffer, "");
	EXPECT_EQ(fonts->GetFontNumber(), 0);

	const long signalCount = Debugging::SignalCount();
	EXPECT_EQ(fonts->GetFont(nullptr, 10), nullptr);
	fonts->GetFont(buffer, 0);
	EXPECT_EQ(Debugging::SignalCount(), signalCount + 2);

	// A layout menu without items lists the installed families.
	auto* installed = Find<TFontMenu>("inst");
	ASSERT_NE(installed, nullptr);
	const std::vector<std::string> families = GetFontFamilyNames();
	ASSERT_EQ(installed->CountMenuItems(), SInt16(families.size()));
	if (!families.empty()) {
		installed->SetFont(families.back().c_str());
		EXPECT_EQ(installed->GetValue(), SInt32(families.size()));
	}
}

TEST_F(SmallControlsTest, TheSoundMenuListsTheSoundsByNumber)
{
	auto* sounds = Find<TSoundMenu>("snds");
	ASSERT_NE(sounds, nullptr);
	ASSERT_EQ(sounds->CountMenuItems(), 3);
	Str255 text;
	sounds->GetMenuItemText(1, text);
	EXPECT_EQ(PascalStrings::ToString(text), "Alarm");
	sounds->GetMenuItemText(2, text);
	EXPECT_EQ(PascalStrings::ToString(text), "Bell.tone");
	sounds->SetSoundID(3);
	EXPECT_EQ(sounds->GetSoundID(), 3);
	sounds->GetMenuItemText(SInt16(sounds->GetValue()), text);
	EXPECT_EQ(PascalStrings::ToString(text), "Chime");
	sounds->SetSoundID(4);
	EXPECT_EQ(sounds->GetSoundID(), 3);
	sounds->SetSoundID(0);
	EXPECT_EQ(sounds->GetSoundID(), 0) << "no sound stays no sound";
}

TEST_F(SmallControlsTest, ALinkButtonBroadcastsItsClickAndKeepsItsValueAtZero)
{
	auto* link = Listened<CURLPushButton>("link");
	ASSERT_NE(link, nullptr);
	link->SetValue(5);
	EXPECT_EQ(link->GetValue(), 0);
	SMouseDownEvent click = ClickIn(link);
	link->Click(click);
	ASSERT_EQ(mRecorder.mHeard.size(), 1u);
	EXPECT_EQ(mRecorder.mHeard[0].message, FOUR_CHAR_CODE("Nws1"));
	EXPECT_FALSE(link->IsHilited());

	// Without an address the title stands in for it.
	auto* bare = Find<CURLPushButton>("bare");
	ASSERT_NE(bare, nullptr);
	Str255 url;
	bare->GetURL(url);
	EXPECT_EQ(PascalStrings::ToString(url), "Headline");
}

TEST_F(SmallControlsTest, AShiftClickDragsTheAddressWithoutItsAngleBrackets)
{
	std::vector<std::string> dragged;
	SetDragTracker([&](DragReference inDrag) {
		ItemReference item = 0;
		GetDragItemReferenceNumber(inDrag, 1, &item);
		char data[256];
		Size size = sizeof(data);
		if (GetFlavorData(inDrag, item, kDragFlavorTypeText, data, &size, 0) == noErr)
			dragged.emplace_back(data, std::size_t(size));
		return OSErr(noErr);
	});
	auto* link = Listened<CURLPushButton>("link");
	auto* bare = Find<CURLPushButton>("bare");
	auto* shortURL = Find<CURLPushButton>("shrt");
	ASSERT_TRUE(link && bare && shortURL);
	for (CURLPushButton* button : {link, bare, shortURL}) {
		SMouseDownEvent click = ClickIn(button, shiftKey);
		button->Click(click);
	}
	EXPECT_EQ(dragged, (std::vector<std::string>{"http://example.com/a", "Headline", "<>"}));
	EXPECT_TRUE(mRecorder.mHeard.empty()); // a drag is no click

	// Without the drag flag a shift-click is a click.
	link->SetDragFlag(0);
	SMouseDownEvent event = ClickIn(link, shiftKey);
	link->Click(event);
	EXPECT_EQ(dragged.size(), 3u);
	EXPECT_EQ(mRecorder.mHeard.size(), 1u);
}

TEST_F(SmallControlsTest, AnInactiveLinkButtonDrawsItsTitleDimmed)
{
	StClassicText classic;
	auto* link = Find<CURLPushButton>("link");
	ASSERT_NE(link, nullptr);
	Rect frame;
	link->CalcPortFrameRect(frame);
	link->Refresh();
	mWindow->UpdatePort();
	const RGBColor black{0, 0, 0};
	const RGBColor dimmed{0x7FFF, 0x7FFF, 0x7FFF};
	EXPECT_GT(CountColour(mWindow.get(), frame, black), 0);
	EXPECT_EQ(CountColour(mWindow.get(), frame, dimmed), 0);
	link->Disable();
	mWindow->UpdatePort();
	EXPECT_EQ(CountColour(mWindow.get(), frame, black), 0);
	EXPECT_GT(CountColour(mWindow.get(), frame, dimmed), 0);
}

TEST_F(SmallControlsTest, AColourWellBroadcastsOnlyANewColourChosenWithOK)
{
	auto* well = Listened<LColorWell>("well");
	ASSERT_NE(well, nullptr);
	const RGBColor blue{0, 0, 0xFFFF};
	QueueColorAnswer(true, blue);
	SMouseDownEvent click = ClickIn(well);
	well->Click(click);
	RGBColor colour;
	well->GetSwatchColor(colour);
	EXPECT_EQ(colour.blue, 0xFFFF);
	EXPECT_EQ(colour.red, 0);
	ASSERT_EQ(mRecorder.mHeard.size(), 1u);
	EXPECT_EQ(mRecorder.mHeard[0].colour.blue, 0xFFFF);
	EXPECT_FALSE(well->GetPushedState());

	QueueColorAnswer(true, blue); // the same colour again
	click = ClickIn(well);
	well->Click(click);
	QueueColorAnswer(false, RGBColor{0xFFFF, 0xFFFF, 0});
	click = ClickIn(well);
	well->Click(click);
	EXPECT_EQ(mRecorder.mHeard.size(), 1u);
	well->GetSwatchColor(colour);
	EXPECT_EQ(colour.blue, 0xFFFF);
	EXPECT_EQ(colour.green, 0);

	Str255 prompt;
	well->GetDescriptor(prompt);
	EXPECT_EQ(PascalStrings::ToString(prompt), "Pick a colour");
}

TEST_F(SmallControlsTest, AColourWellDrawsBevelledOrFlatBySize)
{
	auto* well = Find<LColorWell>("well");
	auto* flat = Find<LColorWell>("flat");
	ASSERT_TRUE(well && flat);
	EXPECT_TRUE(well->IsBevelled());
	EXPECT_FALSE(flat->IsBevelled());
	EXPECT_EQ(well->CountBevelLines(), 28);

	// Well at (220, 70), 40 x 30: grey frame, first bevel line, swatch inset by 5.
	EXPECT_TRUE(SameColour(Pixel(220, 70), RGBColor{0x8282, 0x8282, 0x8282}));
	EXPECT_TRUE(SameColour(Pixel(230, 71), RGBColor{0xFE00, 0xFE00, 0xFE00}));
	EXPECT_TRUE(SameColour(Pixel(230, 98), RGBColor{0xF1F2, 0xF1F2, 0xF1F2})); // the last line
	EXPECT_TRUE(SameColour(Pixel(240, 85), RGBColor{0xFFFF, 0, 0}));
	// Flat well at (270, 70), 12 x 12: the swatch fills all but the frame.
	EXPECT_TRUE(SameColour(Pixel(271, 71), RGBColor{0, 0xFFFF, 0}));

	well->SetPushedState(true);
	mWindow->UpdatePort();
	EXPECT_TRUE(SameColour(Pixel(230, 71), RGBColor{0xBBB9, 0xBBB9, 0xBBB9}));
	well->SetPushedState(false);
	well->Disable();
	mWindow->UpdatePort();
	EXPECT_TRUE(SameColour(Pixel(240, 85), RGBColor{0xFFFF, 0x7FFF, 0x7FFF}));
}

TEST(LColorWellTableTest, TheGreysBetweenTheGivenOnesRunEvenly)
{
	for (Boolean pushed : {false, true}) {
		const RGBColor* table = LColorWell::GetLineColourTable(pushed);
		const std::vector<UInt16> given =
		    pushed
		        ? std::vector<UInt16>{0xBBB9, 0xACAC, 0x8C8B, 0x9090, 0xC1C4, 0xC8C8, 0xCBCD, 0xD2D0}
		        : std::vector<UInt16>{0xFE00, 0xEFF2, 0xDDDF, 0xE2E4, 0xFDFF, 0xFFFF, 0xFEFF, 0xF1F2};
		for (int i = 0; i < 4; ++i) {
			EXPECT_EQ(table[i].red, given[std::size_t(i)]);
			EXPECT_EQ(table[24 + i].red, given[std::size_t(4 + i)]);
		}
		int smallest = 65536, largest = 0;
		for (int i = 4; i <= 24; ++i) {
			EXPECT_EQ(table[i].red, table[i].green);
			EXPECT_EQ(table[i].red, table[i].blue);
			const int step = int(table[i].red) - int(table[i - 1].red);
			EXPECT_GT(step, 0) << i;
			smallest = std::min(smallest, step);
			largest = std::max(largest, step);
		}
		EXPECT_LE(largest - smallest, 1);
	}
}

class BevelButtonTest : public SmallControlsTest
{
protected:
	void SetUp() override
	{
		SmallControlsTest::SetUp();
		mMenu = Listened<TTimedBevelButton>("bvlm");
		mToggle = Listened<TTimedBevelButton>("bvlt");
		ASSERT_TRUE(mMenu && mToggle);
		mMenu->mClock = mToggle->mClock = &mClock;
		SetPopUpMenuChooser([this](MenuHandle inMenu, Point, SInt16) {
			++mMenusShown;
			return SInt32((SInt32(inMenu->GetMenuID()) << 16) | 2);
		});
	}
	void ClickHeld(TTimedBevelButton* inButton, UInt32 inTicks)
	{
		inButton->mHoldTicks = inTicks;
		inButton->StartClick();
		SMouseDownEvent click = ClickIn(inButton);
		inButton->Click(click);
	}

	StTestClock mClock;
	TTimedBevelButton* mMenu = nullptr;
	TTimedBevelButton* mToggle = nullptr;
	int mMenusShown = 0;
};

TEST_F(BevelButtonTest, AQuickClickActsAsAPushButtonAndEveryClickIsJudgedAfresh)
{
	ClickHeld(mMenu, 5);
	EXPECT_EQ(mMenusShown, 0);
	EXPECT_TRUE(mMenu->WasQuickClick());
	ASSERT_EQ(mRecorder.mHeard.size(), 1u);
	EXPECT_EQ(mRecorder.mHeard[0].message, FOUR_CHAR_CODE("bvlm"));
	EXPECT_EQ(mMenu->GetCurrentMenuItem(), 0);

	// Held: the menu pops up and the chosen item is broadcast.
	ClickHeld(mMenu, 30);
	EXPECT_EQ(mMenusShown, 1);
	EXPECT_FALSE(mMenu->WasQuickClick());
	ASSERT_EQ(mRecorder.mHeard.size(), 2u);
	EXPECT_EQ(mRecorder.mHeard[1].value, 2);
	EXPECT_EQ(mMenu->GetCurrentMenuItem(), 2);

	// Released after 10 ticks: too slow for a quick click.
	ClickHeld(mMenu, 10);
	EXPECT_EQ(mMenusShown, 2);
	ClickHeld(mMenu, 9);
	EXPECT_EQ(mMenusShown, 2);
	EXPECT_TRUE(mMenu->WasQuickClick());
}

TEST_F(BevelButtonTest, AToggleFlipsOnlyWhenHeld)
{
	ClickHeld(mToggle, 2);
	EXPECT_EQ(mToggle->GetValue(), 0);
	ASSERT_EQ(mRecorder.mHeard.size(), 1u);
	EXPECT_EQ(mRecorder.mHeard[0].message, FOUR_CHAR_CODE("bvlt"));
	ClickHeld(mToggle, 20);
	EXPECT_EQ(mToggle->GetValue(), 1);
	ClickHeld(mToggle, 0);
	EXPECT_EQ(mToggle->GetValue(), 1);
}

TEST_F(SmallControlsTest, TheDisclosureTriangleCarriesTheHeightOfItsArea)
{
	auto* triangle = Listened<TDisclosureTriangle>("tri ");
	ASSERT_NE(triangle, nullptr);
	EXPECT_EQ(triangle->GetHeight(), 84);
	SMouseDownEvent click = ClickIn(triangle);
	triangle->Click(click);
	EXPECT_EQ(triangle->GetValue(), 1);
	ASSERT_EQ(mRecorder.mHeard.size(), 1u);
	EXPECT_EQ(mRecorder.mHeard[0].value, 1);
}

TEST_F(SmallControlsTest, AContextualMenuTellsTheChosenItemOrACancel)
{
	std::vector<std::pair<Boolean, Point>> shown; // item 1 enabled, where
	SInt32 answer = 0;
	SetPopUpMenuChooser([&](MenuHandle inMenu, Point inWhere, SInt16 inItem) {
		EXPECT_EQ(inItem, 1);
		shown.emplace_back(inMenu->IsItemEnabled(1), inWhere);
		return answer;
	});
	unsigned long kind = 99;
	SInt16 menu = 99;
	UInt16 item = 99;

	answer = (32102 << 16) | 3;
	TContextualMenu enabled(32102, true);
	EXPECT_EQ(enabled.ShowMenu(Point{100, 50}, kind, menu, item), noErr);
	EXPECT_EQ(kind, 1ul);
	EXPECT_EQ(menu, 32102);
	EXPECT_EQ(item, 3);
	ASSERT_EQ(shown.size(), 1u);
	EXPECT_TRUE(shown[0].first);
	EXPECT_EQ(shown[0].second.v, 101);
	EXPECT_EQ(shown[0].second.h, 50);

	answer = 0;
	TContextualMenu disabled(32102, false);
	EXPECT_EQ(disabled.ShowMenu(Point{10, 10}, kind, menu, item), -128);
	EXPECT_EQ(kind, 0ul);
	EXPECT_EQ(menu, 0);
	EXPECT_EQ(item, 0);
	ASSERT_EQ(shown.size(), 2u);
	EXPECT_FALSE(shown[1].first);

	// A menu that does not exist shows nothing.
	TContextualMenu missing(32199, true);
	EXPECT_EQ(missing.ShowMenu(Point{10, 10}, kind, menu, item), -128);
	EXPECT_EQ(shown.size(), 2u);
	EXPECT_TRUE(TContextualMenu::HaveCMM());
}

} // namespace
