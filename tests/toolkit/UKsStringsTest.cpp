#include "toolkit/UKsStrings.h"

#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/Appearance.h"
#include "platform/toolbox/gui/Fonts.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "tests/toolkit/ToolkitTestSupport.h"

#include <QImage>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace
{

struct Ink {
	int left = 10000, top = 10000, right = -1, bottom = -1; // inclusive bounds of pixels darker than grey
	int partial = 0; // pixels neither black nor white: smoothed edges
	bool any() const { return right >= 0; }
};

enum class Drawing { kTheme, kClassic };

class DrawStringTest : public ::testing::TestWithParam<Drawing>
{
protected:
	void SetUp() override
	{
		FrameworkTest::EnsureApplication();
		mImage = QImage(320, 100, QImage::Format_RGB32);
		mImage.fill(Qt::white);
		mPort = NewImagePort(&mImage);
		SetPort(mPort);
		TextFont(applFont);
		TextSize(12);
		SetAntiAliasedTextEnabled(true, 0);
		if (GetParam() == Drawing::kClassic) {
			UKsStrings::SaveAntiAliasState();
			UKsStrings::SetAntiAliasState(false);
		}
	}
	void TearDown() override
	{
		UKsStrings::RestoreAntiAliasState();
		DisposePort(mPort);
		SetPort(nullptr);
	}

	// Draws into a cleared port and returns the ink.
	Ink Draw(const char* inText, SInt16 inH, const Rect& inRect, SInt16 inJust)
	{
		mImage.fill(Qt::white);
		UKsStrings::DrawString(inText, inH, inRect.bottom, &inRect, inJust);
		return InkNow();
	}
	Ink InkNow() const
	{
		Ink ink;
		for (int y = 0; y < mImage.height(); ++y)
			for (int x = 0; x < mImage.width(); ++x) {
				const int grey = qGray(mImage.pixel(x, y));
				ink.partial += grey != 0 && grey != 255;
				if (grey >= 128)
					continue;
				ink.left = std::min(ink.left, x);
				ink.right = std::max(ink.right, x);
				ink.top = std::min(ink.top, y);
				ink.bottom = std::max(ink.bottom, y);
			}
		return ink;
	}

	QImage mImage;
	GrafPtr mPort = nullptr;
};

INSTANTIATE_TEST_SUITE_P(BothDrawings, DrawStringTest, ::testing::Values(Drawing::kTheme, Drawing::kClassic),
                         [](const auto& info) {
	                         return info.param == Drawing::kTheme ? "Theme" : "Classic";
                         });

TEST_P(DrawStringTest, NullAndEmptyTextsDrawNothing)
{
	const Rect r{10, 10, 40, 200};
	const unsigned char empty[1] = {0};
	UKsStrings::DrawString(static_cast<const unsigned char*>(nullptr), 10, 40, &r, teFlushLeft);
	UKsStrings::DrawString(empty, 10, 40, &r, teFlushLeft);
	EXPECT_FALSE(InkNow().any());
	EXPECT_FALSE(Draw(nullptr, 10, r, teFlushLeft).any());
	EXPECT_FALSE(Draw("", 10, r, teFlushLeft).any());
}

TEST_P(DrawStringTest, BaselineIsAQuarterOfTheHeightAboveTheBottomAndDescendersStayInside)
{
	// 32 high: capitals end on the row above the baseline, 8 rows above the bottom.
	const Rect tall{10, 10, 42, 250};
	Ink ink = Draw("HEH", tall.left, tall, teFlushLeft);
	ASSERT_TRUE(ink.any());
	EXPECT_EQ(ink.bottom, 42 - 8 - 1);

	const Rect line{10, 10, 26, 250};
	ink = Draw("gjpqy Hg", line.left, line, teFlushLeft);
	EXPECT_GE(ink.top, line.top);
	EXPECT_LE(ink.bottom, line.bottom - 1);
}

TEST_P(DrawStringTest, JustificationPlacesTheTextInTheLineFromTheHorizontalPosition)
{
	const Rect r{10, 20, 34, 300};
	const Ink left = Draw("Quote", r.left, r, teFlushLeft);
	EXPECT_LE(left.left, r.left + 2);
	EXPECT_LE(Draw("Quote", r.left, r, teFlushDefault).left, r.left + 2);
	const Ink right = Draw("Quote", r.left, r, teFlushRight);
	EXPECT_GE(right.right, r.right - 3);
	EXPECT_LE(right.right, r.right - 1);
	const Ink centre = Draw("Quote", r.left, r, teCenter);
	EXPECT_NEAR((centre.left + centre.right) / 2.0, (r.left + r.right) / 2.0, 2.5);
	EXPECT_NEAR(centre.right - centre.left, left.right - left.left, 1);

	// An indented line starts at the position; a position outside the rectangle at its left.
	const Ink indented = Draw("Title", SInt16(r.left + 16), r, teFlushLeft);
	EXPECT_GE(indented.left, r.left + 16);
	EXPECT_LE(indented.left, r.left + 18);
	EXPECT_LE(Draw("Title", 0, r, teFlushLeft).left, r.left + 2);
}

TEST_P(DrawStringTest, TextWiderThanTheRectangleStaysInside)
{
	const Rect r{10, 40, 30, 120};
	for (SInt16 just : {teFlushLeft, teCenter, teFlushRight}) {
		const Ink ink = Draw("International Business Machines", r.left, r, just);
		ASSERT_TRUE(ink.any());
		EXPECT_GE(ink.left, r.left);
		EXPECT_LE(ink.right, r.right - 1);
		EXPECT_GE(ink.top, r.top);
		EXPECT_LE(ink.bottom, r.bottom - 1);
		if (GetParam() == Drawing::kClassic) {
			// Shortened with an ellipsis that reaches near the end, from the left whatever the
			// justification.
			EXPECT_LE(ink.left, r.left + 2) << just;
			EXPECT_GE(ink.right, r.right - 12) << just;
		}
	}
}

TEST_P(DrawStringTest, OnlyTheThemeDrawingSmoothsAndThePortsSwitchIsLeftAlone)
{
	TextSize(14);
	const Rect r{10, 10, 40, 310};
	const Ink ink = Draw("Smooth edges around curves", r.left, r, teFlushLeft);
	if (GetParam() == Drawing::kTheme)
		EXPECT_GT(ink.partial, 0);
	else
		EXPECT_EQ(ink.partial, 0);
	SInt16 minSize = -1;
	EXPECT_TRUE(IsAntiAliasedTextEnabled(&minSize));
	EXPECT_EQ(minSize, 0);
}

TEST(AntiAliasSwitchTest, SwitchIsInForceOnlyBetweenSaveAndRestore)
{
	UKsStrings::SetAntiAliasState(false);
	EXPECT_FALSE(UKsStrings::UsesClassicDrawing());
	UKsStrings::SetAntiAliasState(true);
	UKsStrings::SaveAntiAliasState();
	UKsStrings::SetAntiAliasState(false);
	EXPECT_TRUE(UKsStrings::UsesClassicDrawing());
	UKsStrings::RestoreAntiAliasState();
	EXPECT_FALSE(UKsStrings::UsesClassicDrawing());
	EXPECT_EQ(UKsStrings::sAntiAliasText, 1);
}

TEST(LoadStringTest, ItemsAreNewCopiesAndMissingOnesEmptyTextsWithASignal)
{
	ToolkitTest::LoadResources();
	std::string error;
	ASSERT_TRUE(
	    ResourceStore::Get().LoadText("STR# 31900 { \"First\" \"\" \"Caf\\x8E\" }", "test", &error))
	    << error;
	std::unique_ptr<char[]> c(UKsStrings::LoadStringC(31900, 1));
	EXPECT_STREQ(c.get(), "First");
	std::unique_ptr<unsigned char[]> p(UKsStrings::LoadStringP(31900, 3));
	ASSERT_EQ(p[0], 4);
	EXPECT_EQ(std::memcmp(p.get() + 1, "Caf\x8E", 4), 0);

	// An empty item, items beyond and before the list, a missing list and list 0.
	const SInt16 cases[][2] = {{31900, 2}, {31900, 4}, {31900, 0}, {31900, -1}, {31901, 1}, {0, 1}};
	for (const auto& c : cases) {
		const long before = Debugging::SignalCount();
		std::unique_ptr<char[]> text(UKsStrings::LoadStringC(c[0], c[1]));
		std::unique_ptr<unsigned char[]> pascal(UKsStrings::LoadStringP(c[0], c[1]));
		ASSERT_TRUE(text && pascal);
		EXPECT_STREQ(text.get(), "") << c[0] << "/" << c[1];
		EXPECT_EQ(pascal[0], 0) << c[0] << "/" << c[1];
		EXPECT_EQ(Debugging::SignalCount(), before + 2) << c[0] << "/" << c[1];
	}
}

} // namespace
