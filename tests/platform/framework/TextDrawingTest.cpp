#include "platform/toolbox/gui/Appearance.h"
#include "platform/toolbox/gui/Fonts.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/MacRomanQString.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "tests/platform/framework/FrameworkTestSupport.h"

#include <QFontInfo>
#include <QImage>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace
{
using FrameworkTest::EnsureApplication;

Rect MakeRect(SInt16 left, SInt16 top, SInt16 right, SInt16 bottom)
{
	Rect r;
	SetRect(&r, left, top, right, bottom);
	return r;
}

// A length-prefixed copy of a Mac Roman text.
std::basic_string<unsigned char> Pascal(const std::string& text)
{
	std::basic_string<unsigned char> p(1, UInt8(text.size()));
	p.append(text.begin(), text.end());
	return p;
}

struct Ink {
	int left = 10000, top = 10000, right = -1, bottom = -1; // inclusive pixel bounds
	bool any() const { return right >= 0; }
};

class TextTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		EnsureApplication();
		mImage = QImage(300, 80, QImage::Format_RGB32);
		mImage.fill(Qt::white);
		mPort = NewImagePort(&mImage);
		SetPort(mPort);
		TextFont(applFont);
		TextSize(12);
		SetAntiAliasedTextEnabled(true, 0);
	}
	void TearDown() override
	{
		SetAntiAliasedTextEnabled(true, 0);
		DisposePort(mPort);
		SetPort(nullptr);
	}

	// Pixels that are not the background, within a rectangle of the image.
	Ink InkIn(const QRect& area) const
	{
		Ink ink;
		for (int y = area.top(); y <= area.bottom(); ++y)
			for (int x = area.left(); x <= area.right(); ++x)
				if ((mImage.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
					ink.left = std::min(ink.left, x);
					ink.right = std::max(ink.right, x);
					ink.top = std::min(ink.top, y);
					ink.bottom = std::max(ink.bottom, y);
				}
		return ink;
	}
	Ink AllInk() const { return InkIn(mImage.rect()); }

	QImage mImage;
	GrafPtr mPort = nullptr;
};

TEST_F(TextTest, TextSitsOnTheBaselineAtThePenAndAdvancesIt)
{
	FontInfo info;
	GetFontInfo(&info);
	MoveTo(20, 40);
	DrawString("HHH");
	Ink ink = AllInk();
	ASSERT_TRUE(ink.any());
	EXPECT_LE(ink.bottom, 40);            // capitals stand on the baseline
	EXPECT_GE(ink.top, 40 - info.ascent); // and reach no higher than the ascent
	EXPECT_LT(ink.top, 40 - info.ascent / 2);
	EXPECT_GE(ink.left, 19);
	EXPECT_LE(ink.right, 20 + StringWidth("HHH"));
	Point pen;
	GetPen(&pen);
	EXPECT_EQ(pen.h, 20 + StringWidth("HHH"));
	EXPECT_EQ(pen.v, 40);

	mImage.fill(Qt::white);
	MoveTo(20, 40);
	const auto descenders = Pascal("gjpqy");
	DrawString(descenders.c_str());
	ink = AllInk();
	EXPECT_GT(ink.bottom, 40);
	EXPECT_LE(ink.bottom, 40 + info.descent);
}

TEST_F(TextTest, TextIsDrawnInTheForeColourAndInSrcCopyOverTheBackColour)
{
	const RGBColor red{0xFFFF, 0, 0}, blue{0, 0, 0xFFFF};
	TextSize(24);
	SetAntiAliasedTextEnabled(false, 0);
	RGBForeColor(&red);
	MoveTo(10, 40);
	DrawString("H");
	const Ink ink = AllInk();
	ASSERT_TRUE(ink.any());
	for (int y = ink.top; y <= ink.bottom; ++y)
		for (int x = ink.left; x <= ink.right; ++x)
			if ((mImage.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
				ASSERT_EQ(mImage.pixel(x, y) & 0xFFFFFF, 0xFF0000u);
			}

	RGBBackColor(&blue);
	TextMode(srcCopy);
	MoveTo(100, 40);
	DrawString(" ");
	EXPECT_EQ(mImage.pixel(101, 38) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(TextTest, ExclusiveOrTextInvertsAndTakesItselfAway)
{
	const RGBColor red{0xFFFF, 0, 0};
	RGBForeColor(&red);
	const Rect all = MakeRect(0, 0, 300, 80);
	PaintRect(&all);
	const QImage before = mImage.copy();
	TextMode(srcXor);
	MoveTo(10, 40);
	DrawString("Hilite");
	bool inverted = false;
	for (int y = 20; y < 45 && !inverted; ++y)
		for (int x = 10; x < 60 && !inverted; ++x)
			inverted = (mImage.pixel(x, y) & 0xFFFFFF) == 0x00FFFF;
	EXPECT_TRUE(inverted);
	MoveTo(10, 40);
	DrawString("Hilite");
	EXPECT_EQ(mImage, before);
}

TEST_F(TextTest, WidthsGrowWithTheTextAndWithBold)
{
	const SInt16 one = StringWidth("Mass");
	const SInt16 two = StringWidth("MassMass");
	EXPECT_GT(one, 0);
	EXPECT_EQ(two, 2 * one);
	EXPECT_EQ(StringWidth(Pascal("Mass").c_str()), one);
	EXPECT_EQ(TextWidth("xxMassxx", 2, 4), one);
	EXPECT_EQ(StringWidth(""), 0);
	TextFace(bold);
	EXPECT_GT(StringWidth("Mass"), one);
	TextFace(condense);
	EXPECT_LT(StringWidth("Mass"), one);
	TextFace(extend);
	EXPECT_GT(StringWidth("Mass"), one);
	TextFace(normal);
	TextSize(24);
	EXPECT_GT(StringWidth("Mass"), one);
}

TEST_F(TextTest, FontInfoGrowsWithTheSize)
{
	FontInfo small, large;
	GetFontInfo(&small);
	TextSize(36);
	GetFontInfo(&large);
	EXPECT_GT(small.ascent, 0);
	EXPECT_GT(small.descent, 0);
	EXPECT_GT(large.ascent, 2 * small.ascent);
	EXPECT_GE(large.widMax, CharWidth('W'));
	EXPECT_GE(large.leading, 0);
}

TEST_F(TextTest, MacRomanBytesReachQtAsTheirCharacters)
{
	EXPECT_EQ(QStringFromMacRoman("\x8A"), QString(QChar(0x00E4)));
	EXPECT_EQ(QStringFromMacRoman("\xC9"), QString(QChar(0x2026)));
	EXPECT_EQ(QStringFromMacRoman("\xDB"), QString(QChar(0x20AC)));
	EXPECT_EQ(MacRomanFromQString(QString::fromUtf8("caf\xC3\xA9")), "caf\x8E");
	EXPECT_EQ(MacRomanFromQString(QString(QChar(0x4E00))), "?");
	EXPECT_EQ(QStringFromPascal(Pascal("\x80x").c_str()), QString::fromUtf8("\xC3\x84x"));
	// Drawing measures the character the byte stands for, not the Latin-1 one.
	const QFont font = QD::PortFont(*mPort);
	EXPECT_EQ(StringWidth("\xC9"), QD::TextWidthIn(font, QString(QChar(0x2026))));
	EXPECT_NE(StringWidth("\xC9"), QD::TextWidthIn(font, QString(QChar(0x00C9))));
}

TEST_F(TextTest, TruncStringFitsTheWidthWithAnEllipsis)
{
	const std::string text = "The quick brown fox jumps over the lazy dog";
	auto s = Pascal(text);
	const SInt16 width = 80;
	ASSERT_GT(StringWidth(s.c_str()), width);
	EXPECT_EQ(TruncString(width, s.data(), truncEnd), truncated);
	EXPECT_LE(StringWidth(s.c_str()), width);
	ASSERT_GE(s[0], 2);
	EXPECT_EQ(s[s[0]], 0xC9);
	EXPECT_EQ(std::string(s.begin() + 1, s.begin() + s[0]), text.substr(0, s[0] - 1));
	// The longest that fits: one more character would not.
	auto longer = Pascal(text.substr(0, s[0]) + "\xC9");
	EXPECT_GT(StringWidth(longer.c_str()), width);

	s = Pascal(text);
	EXPECT_EQ(TruncString(width, s.data(), truncMiddle), truncated);
	EXPECT_LE(StringWidth(s.c_str()), width);
	const std::string middle(s.begin() + 1, s.begin() + 1 + s[0]);
	const size_t mark = middle.find('\xC9');
	ASSERT_NE(mark, std::string::npos);
	EXPECT_EQ(text.substr(0, mark), middle.substr(0, mark));
	EXPECT_EQ(text.substr(text.size() - (middle.size() - mark - 1)), middle.substr(mark + 1));

	s = Pascal("short");
	EXPECT_EQ(TruncString(200, s.data(), truncEnd), notTruncated);
	EXPECT_EQ(s, Pascal("short"));

	s = Pascal(text);
	EXPECT_EQ(TruncString(1, s.data(), truncEnd), truncErr);
	EXPECT_EQ(s[0], 0);
}

TEST_F(TextTest, TheAntiAliasSwitchDecidesWhetherEdgesAreSmoothed)
{
	auto greys = [&] {
		int count = 0;
		for (int y = 0; y < mImage.height(); ++y)
			for (int x = 0; x < mImage.width(); ++x) {
				const QRgb p = mImage.pixel(x, y) & 0xFFFFFF;
				if (p != 0xFFFFFF && p != 0)
					++count;
			}
		return count;
	};
	TextSize(18);
	SetAntiAliasedTextEnabled(false, 0);
	MoveTo(10, 40);
	DrawString("Smooth curves");
	EXPECT_EQ(greys(), 0);
	EXPECT_TRUE(AllInk().any());

	mImage.fill(Qt::white);
	SetAntiAliasedTextEnabled(true, 0);
	MoveTo(10, 40);
	DrawString("Smooth curves");
	EXPECT_GT(greys(), 0);

	mImage.fill(Qt::white);
	SetAntiAliasedTextEnabled(true, 20); // only from 20 pixels up
	MoveTo(10, 40);
	DrawString("Smooth curves");
	EXPECT_EQ(greys(), 0);
	SInt16 minimum = 0;
	EXPECT_TRUE(IsAntiAliasedTextEnabled(&minimum));
	EXPECT_EQ(minimum, 20);
}

TEST_F(TextTest, ThemeTextBoxPlacesLinesByJustificationAndStaysInTheBox)
{
	const std::string word = "Word";
	const SInt16 width = StringWidth(word.c_str());
	const Rect box = MakeRect(100, 10, 200, 70);
	const QRect inside(100, 10, 100, 60);
	FontInfo info;
	GetFontInfo(&info);

	DrawThemeTextBox(word.data(), word.size(), kThemeCurrentPortFont, kThemeStateActive, true, &box,
	                 teFlushLeft);
	Ink ink = AllInk();
	EXPECT_LE(ink.left, 101);
	EXPECT_GE(ink.top, 10);
	EXPECT_LE(ink.bottom, 10 + info.ascent + info.descent);

	mImage.fill(Qt::white);
	DrawThemeTextBox(word.data(), word.size(), kThemeCurrentPortFont, kThemeStateActive, true, &box,
	                 teFlushRight);
	ink = AllInk();
	EXPECT_GE(ink.left, 200 - width - 1);
	EXPECT_LE(ink.right, 199);
	EXPECT_GE(ink.right, 196);

	mImage.fill(Qt::white);
	DrawThemeTextBox(word.data(), word.size(), kThemeCurrentPortFont, kThemeStateActive, true, &box,
	                 teCenter);
	ink = AllInk();
	EXPECT_NEAR((ink.left + ink.right) / 2.0, 150, 3);

	// Wrapping breaks at spaces; every line stays within the box, and so does a too-long text.
	mImage.fill(Qt::white);
	const std::string words = "one two three four five six seven eight nine ten eleven twelve";
	DrawThemeTextBox(words.data(), words.size(), kThemeCurrentPortFont, kThemeStateActive, true, &box,
	                 teFlushLeft);
	ink = AllInk();
	EXPECT_GT(ink.bottom, 10 + info.ascent + info.descent);
	EXPECT_FALSE(InkIn(QRect(0, 0, 300, 10)).any());
	EXPECT_FALSE(InkIn(QRect(0, 70, 300, 10)).any());
	EXPECT_FALSE(InkIn(QRect(200, 0, 100, 80)).any());
	EXPECT_FALSE(InkIn(QRect(0, 0, 100, 80)).any());

	// Without wrapping the text is one line, cut by the box.
	mImage.fill(Qt::white);
	DrawThemeTextBox(words.data(), words.size(), kThemeCurrentPortFont, kThemeStateActive, false, &box,
	                 teFlushLeft);
	ink = AllInk();
	EXPECT_LE(ink.bottom, 10 + info.ascent + info.descent);
	EXPECT_EQ(ink.right, InkIn(inside).right);
	EXPECT_FALSE(InkIn(QRect(200, 0, 100, 80)).any());
}

TEST(FontTableTest, ClassicNumbersAndInstalledNamesMapBothWays)
{
	EnsureApplication();
	auto number = [](const std::string& name) {
		SInt16 id = -1;
		GetFNum(Pascal(name).c_str(), &id);
		return id;
	};
	auto name = [](SInt16 id) {
		Str255 s;
		GetFontName(id, s);
		return PascalStrings::ToString(s);
	};
	EXPECT_EQ(number("Geneva"), kFontIDGeneva);
	EXPECT_EQ(number("monaco"), kFontIDMonaco);
	EXPECT_EQ(number("No Such Font"), systemFont);
	EXPECT_EQ(number(""), systemFont);

	const SInt16 sans = number("DejaVu Sans");
	EXPECT_GE(sans, 1024);
	EXPECT_EQ(name(sans), "DejaVu Sans");
	EXPECT_EQ(number("dejavu sans"), sans);
	EXPECT_EQ(name(systemFont), "DejaVu Sans");
	EXPECT_EQ(name(applFont), "DejaVu Sans");
	EXPECT_EQ(name(kFontIDMonaco), "DejaVu Sans Mono");
	EXPECT_EQ(name(kFontIDTimes), "DejaVu Serif");
	EXPECT_EQ(name(777), "");

	const std::vector<std::string> families = GetFontFamilyNames();
	EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Sans"), families.end());
	EXPECT_NE(std::find(families.begin(), families.end(), "DejaVu Sans Mono"), families.end());
	for (size_t i = 1; i < families.size(); ++i)
		EXPECT_LE(QString::fromStdString(families[i - 1])
		              .compare(QString::fromStdString(families[i]), Qt::CaseInsensitive),
		          0);
	for (const std::string& family : families)
		EXPECT_EQ(name(number(family)), family);
}

TEST(FontTableTest, ClassicFamiliesThisMachineLacksDrawInTheDesktopsFamilyOfTheirKind)
{
	EnsureApplication();
	auto number = [](const std::string& name) {
		SInt16 id = -1;
		GetFNum(Pascal(name).c_str(), &id);
		return id;
	};
	auto family = [](const char* generic, QFont::StyleHint hint) {
		QFont font(QString::fromLatin1(generic));
		font.setStyleHint(hint);
		return QFontInfo(font).family();
	};
	ASSERT_EQ(number("Courier New"), kFontIDCourier); // not installed here
	EXPECT_EQ(number("Lucida Grande"), kFontIDGeneva);
	EXPECT_EQ(number("Palatino"), kFontIDTimes);
	EXPECT_EQ(QD::FamilyForFontNumber(kFontIDGeneva), family("sans-serif", QFont::SansSerif));
	EXPECT_EQ(QD::FamilyForFontNumber(kFontIDCourier), family("monospace", QFont::TypeWriter));
	EXPECT_EQ(QD::FamilyForFontNumber(kFontIDNewYork), family("serif", QFont::Serif));
	// An installed family keeps its own number, whatever other system it came from.
	EXPECT_GE(number("DejaVu Serif"), 1024);
}

TEST_F(TextTest, TheMonospacedClassicFontDrawsMonospaced)
{
	TextFont(kFontIDMonaco);
	EXPECT_EQ(CharWidth('i'), CharWidth('W'));
	TextFont(kFontIDGeneva);
	EXPECT_LT(CharWidth('i'), CharWidth('W'));
}
} // namespace
