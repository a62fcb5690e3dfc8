#include "platform/toolbox/TickCount.h"
#include "tests/support/ScratchFolder.h"
#include "tests/toolkit/PaneTestSupport.h"
#include "toolkit/TBanner.h"
#include "toolkit/TBannerCaption.h"
#include "toolkit/TColourCaption.h"
#include "toolkit/TColourCaptions.h"
#include "toolkit/TPrinterHeader.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace PaneTest;

namespace
{

const RGBColor kBlack{0, 0, 0};
const RGBColor kRed{0xFFFF, 0, 0};
const RGBColor kBlue{0, 0, 0xFFFF};
const RGBColor kGreen{0, 0x8000, 0};

Rect PortFrame(const LPane* inPane)
{
	Rect frame;
	inPane->CalcPortFrameRect(frame);
	return frame;
}

class CaptionPanesTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadLayouts();
		mWindow.reset(LWindow::CreateWindow(32100, nullptr));
		ASSERT_NE(mWindow, nullptr);
		mWindow->Show();
		mWindow->UpdatePort();
	}
	void Redraw(LPane* inPane)
	{
		inPane->Refresh();
		mWindow->UpdatePort();
	}
	// The leftmost and rightmost columns of a pane that hold a pixel of the colour; -1 when none does.
	std::pair<int, int> ColumnsOf(const LPane* inPane, const RGBColor& inColour) const
	{
		const Rect frame = PortFrame(inPane);
		const QImage* image = mWindow->GetMacPort()->image;
		int left = -1, right = -1;
		for (int h = frame.left; h < frame.right; ++h)
			for (int v = frame.top; v < frame.bottom; ++v)
				if (SameColour(image->pixel(h, v), inColour)) {
					if (left < 0)
						left = h;
					right = h;
					break;
				}
		return {left, right};
	}

	StClassicText mClassic;
	std::unique_ptr<LWindow> mWindow;
};

TEST_F(CaptionPanesTest, ABannerCaptionTakesTheColourThatSuitsTheBannerUnderIt)
{
	auto* banner = FindPane<TBanner>(mWindow.get(), "bnnr");
	auto* onBanner = FindPane<TBannerCaption>(mWindow.get(), "bcap");
	auto* offBanner = FindPane<TBannerCaption>(mWindow.get(), "ocap");
	ASSERT_TRUE(banner && onBanner && offBanner);

	// (52428, 52428, 52428) is light: the light-background colour.
	EXPECT_GT(CountColour(mWindow.get(), PortFrame(onBanner), kBlue), 0);
	EXPECT_EQ(CountColour(mWindow.get(), PortFrame(onBanner), kRed), 0);
	// Outside any banner: the dark-background colour.
	EXPECT_GT(CountColour(mWindow.get(), PortFrame(offBanner), kRed), 0);
	EXPECT_EQ(CountColour(mWindow.get(), PortFrame(offBanner), kBlue), 0);

	// One component at 52427 makes the banner dark; the banner paints itself in the new colour at once.
	const RGBColor cyanish{52427, 65535, 65535};
	banner->SetBackground(cyanish);
	mWindow->UpdatePort();
	EXPECT_GT(CountColour(mWindow.get(), PortFrame(onBanner), kRed), 0);
	EXPECT_EQ(CountColour(mWindow.get(), PortFrame(onBanner), kBlue), 0);
	EXPECT_TRUE(SameColour(mWindow->GetMacPort()->image->pixel(300, 50), cyanish));
}

TEST_F(CaptionPanesTest, ABannerOfTheSystemLookDrawsNothingOfItsOwn)
{
	auto* white = FindPane<TBanner>(mWindow.get(), "whit");
	ASSERT_NE(white, nullptr);
	EXPECT_TRUE(white->HasSystemLook());

	// Paint the banner's place red, then let it draw: the red stays, and the port keeps its colours.
	ASSERT_TRUE(white->FocusDraw());
	Rect local;
	white->CalcLocalFrameRect(local);
	RGBForeColor(&kRed);
	PaintRect(&local);
	white->Draw(nullptr);
	EXPECT_TRUE(SameColour(mWindow->GetMacPort()->image->pixel(5, 65), kRed));
	white->FocusDraw();
	RGBForeColor(&kGreen);
	white->ApplyForeAndBackColors();
	RGBColor fore;
	GetForeColor(&fore);
	EXPECT_EQ(fore.green, kGreen.green);

	const RGBColor grey{0xC000, 0xC000, 0xC000};
	white->SetBackground(grey);
	EXPECT_FALSE(white->HasSystemLook());
	mWindow->UpdatePort();
	EXPECT_TRUE(SameColour(mWindow->GetMacPort()->image->pixel(5, 65), grey));
	white->FocusDraw();
	white->ApplyForeAndBackColors();
	GetForeColor(&fore);
	EXPECT_EQ(fore.red, grey.red);

	white->SetBackground(RGBColor{0xFFFF, 0xFFFF, 0xFFFF});
	EXPECT_TRUE(white->HasSystemLook());
}

TEST_F(CaptionPanesTest, AColourCaptionDrawsInItsColourFromTheNextRedrawWithItsAddedStyles)
{
	auto* plain = FindPane<TColourCaption>(mWindow.get(), "plan");
	auto* onBanner = FindPane<TColourCaption>(mWindow.get(), "ccap");
	ASSERT_TRUE(plain && onBanner);
	// Without a colour: the text traits' colour, on the window and on the banner alike.
	const int blackPixels = CountColour(mWindow.get(), PortFrame(plain), kBlack);
	EXPECT_GT(blackPixels, 0);
	EXPECT_GT(CountColour(mWindow.get(), PortFrame(onBanner), kBlack), 0);

	plain->SetColour(&kGreen);
	mWindow->UpdatePort();
	EXPECT_EQ(CountColour(mWindow.get(), PortFrame(plain), kBlack), blackPixels);
	Redraw(plain);
	const int greenPixels = CountColour(mWindow.get(), PortFrame(plain), kGreen);
	EXPECT_EQ(greenPixels, blackPixels);
	EXPECT_EQ(CountColour(mWindow.get(), PortFrame(plain), kBlack), 0);

	plain->Bold(1);
	Redraw(plain);
	EXPECT_GT(CountColour(mWindow.get(), PortFrame(plain), kGreen), greenPixels);
	plain->ResetFaceStyle();
	Redraw(plain);
	EXPECT_EQ(CountColour(mWindow.get(), PortFrame(plain), kGreen), greenPixels);
}

TEST_F(CaptionPanesTest, TheSecondTextOfATwoPartCaptionFollowsTheFirst)
{
	auto* two = FindPane<TColourCaptions>(mWindow.get(), "two ");
	ASSERT_NE(two, nullptr);
	const Rect frame = PortFrame(two);

	two->SetStrings(nullptr, "MMMM");
	mWindow->UpdatePort();
	const auto alone = ColumnsOf(two, kBlack);
	ASSERT_GE(alone.first, frame.left);
	EXPECT_LE(alone.first, frame.left + 3);

	two->SetStrings("MMMM", "MMMM");
	mWindow->UpdatePort();
	const auto both = ColumnsOf(two, kBlack);
	EXPECT_EQ(both.first, alone.first);
	const int textWidth = alone.second - alone.first;
	EXPECT_GT(both.second, alone.second + textWidth);

	two->SetColour(&kRed);
	Redraw(two);
	EXPECT_EQ(ColumnsOf(two, kRed), both);
	EXPECT_EQ(CountColour(mWindow.get(), frame, kBlack), 0);

	// Texts are cut to 255 characters; null empties.
	two->SetStrings(std::string(300, 'a').c_str(), nullptr);
	EXPECT_EQ(std::string(two->GetFirstString()).size(), 255u);
	EXPECT_STREQ(two->GetSecondString(), "");
}

class PrinterHeaderTest : public ::testing::Test
{
protected:
	static constexpr SInt16 kPlaceHeight = 680;

	void SetUp() override
	{
		LoadLayouts();
		SPaneInfo info;
		info.width = 300;
		info.height = 200;
		mWindow = new LWindow(info, (ConstStr255Param) "\5Table",
		                      windAttr_Regular | windAttr_TitleBar, nullptr);
		info.superView = mWindow;
		mTable = new LView(info);
		mPrintout = LPrintout::CreatePrintout(32102);
		ASSERT_NE(mPrintout, nullptr);
		auto* holder = FindPane<LPlaceHolder>(mPrintout, "body");
		ASSERT_NE(holder, nullptr);
		holder->InstallOccupant(mTable, 0);
		mTable->ResizeImageTo(540, 7 * kPlaceHeight, false); // seven pages
		mHeader = FindPane<TPrinterHeader>(mPrintout, "head");
		mFooter = FindPane<TPrinterHeader>(mPrintout, "foot");
		ASSERT_TRUE(mHeader && mFooter);
	}
	void TearDown() override
	{
		delete mPrintout;
		delete mWindow;
	}
	void PrintRange(UInt16 inFirst, UInt16 inLast)
	{
		LPrintSettings spec = mPrintout->GetPrintSpec();
		spec.SetPageRange(inFirst, inLast);
		mPrintout->SetPrintSpec(spec);
	}
	std::string TextOnPage(TPrinterHeader* inHeader, UInt32 inPage)
	{
		PanelSpec panel;
		panel.pageNumber = inPage;
		panel.vertIndex = inPage;
		inHeader->PreparePanel(panel);
		return FrameworkTest::Descriptor(inHeader);
	}

	LWindow* mWindow = nullptr;
	LView* mTable = nullptr;
	LPrintout* mPrintout = nullptr;
	TPrinterHeader* mHeader = nullptr;
	TPrinterHeader* mFooter = nullptr;
};

TEST_F(PrinterHeaderTest, AWholePrintoutNumbersItsPagesOfTheirCount)
{
	UInt32 across, down;
	mPrintout->CountPanels(across, down);
	ASSERT_EQ(across * down, 7u);
	PrintRange(1, LPrintSettings::kMaxPage);
	mHeader->PrepareCaption(mPrintout, nullptr, true);
	EXPECT_EQ(mHeader->GetPageCount(), 7);
	EXPECT_EQ(TextOnPage(mHeader, 3), "Page 3 of 7 - #title");
	// Every page starts again from the template.
	EXPECT_EQ(TextOnPage(mHeader, 7), "Page 7 of 7 - #title");

	mHeader->PrepareCaption(mPrintout, "Holdings", true);
	EXPECT_EQ(TextOnPage(mHeader, 1), "Page 1 of 7 - Holdings");
}

TEST_F(PrinterHeaderTest, APartialPrintoutNeverNumbersAPageBeyondTheTotal)
{
	PrintRange(3, 5);
	mHeader->PrepareCaption(mPrintout, nullptr, true);
	EXPECT_EQ(mHeader->GetPageCount(), 3);
	EXPECT_EQ(TextOnPage(mHeader, 3), "Page 1 of 3 - #title");
	EXPECT_EQ(TextOnPage(mHeader, 5), "Page 3 of 3 - #title");

	// Without the range form pages keep the document's numbers, the total being the last one printed.
	mHeader->PrepareCaption(mPrintout, "T", false);
	EXPECT_EQ(TextOnPage(mHeader, 4), "Page 4 of 5 - T");

	// A range past the end is cut to the last page.
	PrintRange(9, 12);
	mHeader->PrepareCaption(mPrintout, nullptr, true);
	EXPECT_EQ(TextOnPage(mHeader, 7), "Page 1 of 1 - #title");
}

TEST_F(PrinterHeaderTest, DateAndTimeTokensAreTodaysAndEachTokenIsReplacedOnce)
{
	StTestClock clock(1000, 1173085623000); // 5 March 2007 09:07:03 UTC
	PrintRange(1, 7);
	mFooter->PrepareCaption(mPrintout, nullptr, true);
	EXPECT_EQ(TextOnPage(mFooter, 3), "5/3/2007 09:07:03 3 #page");
}

TEST_F(PrinterHeaderTest, ThePrintoutSetsEachPagesText)
{
	ScratchFolder folder;
	LPrintSettings spec = mPrintout->GetPrintSpec();
	spec.SetOutputFile(folder.Path("out.pdf"));
	spec.SetPageRange(5, 7);
	mPrintout->SetPrintSpec(spec);
	mHeader->PrepareCaption(mPrintout, "Holdings", true);
	mPrintout->DoPrintJob();
	EXPECT_EQ(FrameworkTest::Descriptor(mHeader), "Page 3 of 3 - Holdings");
}

} // namespace
