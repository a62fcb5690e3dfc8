#include "ticker/TSecurityTicklet.h"

#include "Includes/ITicker.h"
#include "Includes/tStockTickerPrefs.h"
#include "foundation/UDisplay.h"
#include "model/StockGlobals.h"
#include "model/TSecurity.h"
#include "model/UZVUtils.h"
#include "platform/framework/LGWorld.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/StColorState.h"
#include "platform/toolbox/gui/StGrafPortSaver.h"
#include "platform/toolbox/gui/StTextState.h"

#include <algorithm>

namespace
{

// Text is measured in a port of its own, so that measuring works whatever port is current.
GrafPtr MeasuringPort()
{
	static LGWorld world(Rect{0, 0, 1, 1}, 16);
	return world.GetMacGWorld();
}

// The screen's own, as the ticker's strip has it, so that composing copies rows.
constexpr SInt16 kWorldDepth = 0;

SInt16 AscentOf(SInt16 font, SInt16 size, SInt16 style)
{
	TextFont(font);
	TextSize(size);
	TextFace(StyleParameter(style));
	FontInfo info;
	GetFontInfo(&info);
	return info.ascent;
}

} // namespace

TSecurityTicklet::~TSecurityTicklet()
{
	mWorld = nullptr;
}

void TSecurityTicklet::DoubleClick(short, short, unsigned long)
{
	if (mSecurity)
		mSecurity->ShowDetailWindow();
}

void TSecurityTicklet::Redraw()
{
	Draw(0, true);
}

void TSecurityTicklet::FontMetrics(int font, int size)
{
	StGrafPortSaver port(MeasuringPort());
	StTextState text;
	mFont = SInt16(font);
	mSize = SInt16(size);
	mAscent = AscentOf(mFont, mSize, normal);
	switch (size) {
	case 9:
	case 10:
	case 12:
	case 14:
		mFractionSize = 9;
		break;
	case 18:
		mFractionSize = 12;
		break;
	case 24:
		mFractionSize = 14;
		break;
	case 36:
		mFractionSize = 24;
		break;
	case 48:
	case 60:
		mFractionSize = 36;
		break;
	case 72:
		mFractionSize = 48;
		break;
	default:
		mFractionSize = SInt16(size > 8 ? size >> 1 : size);
		break;
	}
	mFractionAscent = AscentOf(mFont, mFractionSize, mStyle);
	mGap = SInt16((size / 18 + 1) * 4);
	mEndGap = SInt16((size / 18 + 1) * 10);
}

int TSecurityTicklet::Draw(int x, bool draw)
{
	if (!mSecurity)
		return mEndGap;
	StTextState text;
	const int headerBaseline = mHeight - ((3 * mAscent) >> 2);
	const int mainBaseline = mHeight - mAscent / 2;
	const int fractionBaseline = mainBaseline + mFractionAscent - mAscent;
	const RGBColor colour{UInt16(mRed), UInt16(mGreen), UInt16(mBlue)};
	RGBForeColor(&colour);
	TextFont(mFont);
	TextFace(StyleParameter(mStyle));
	struct Part {
		const char* text;
		SInt16 size;
		int baseline;
	};
	const Part parts[] = {
	    {mSecurity->TickerHeader(), mSize, headerBaseline},
	    {mSecurity->PriceString(), mSize, mainBaseline},
	    {mSecurity->PriceFraction(), mFractionSize, fractionBaseline},
	    {mSecurity->ChangeString(), mSize, mainBaseline},
	    {mSecurity->ChangeFraction(), mFractionSize, fractionBaseline},
	    {mSecurity->TrailerString(), mSize, mainBaseline},
	};
	int total = 0;
	for (const Part& part : parts) {
		if (part.text == nullptr || part.text[0] == 0)
			continue;
		TextSize(part.size);
		MoveTo(SInt16(x), SInt16(part.baseline));
		if (draw)
			DrawString(part.text);
		const int advance = StringWidth(part.text) + mGap;
		x += advance;
		total += advance;
	}
	return total + mGap + mEndGap;
}

void TSecurityTicklet::Bold(bool on)
{
	SetStyleBit(bold, on);
}

void TSecurityTicklet::Italic(bool on)
{
	SetStyleBit(italic, on);
}

void TSecurityTicklet::Underline(bool on)
{
	SetStyleBit(underline, on);
}

void TSecurityTicklet::SetStyleBit(int bit, bool on)
{
	mStyle = SInt16(on ? (mStyle | bit) : (mStyle & ~bit));
}

void TSecurityTicklet::Colour(int red, int green, int blue)
{
	mRed = red;
	mGreen = green;
	mBlue = blue;
}

void TSecurityTicklet::RefreshData()
{
	ITicker* ticker = GetOwner();
	if (!ticker || !mSecurity)
		return;
	StGrafPortSaver port(MeasuringPort());
	StColorState colours;
	StTextState text;

	if (gPreferences && gPreferences->useTickletFont) {
		FontMetrics(int(gPreferences->tickletFontNumber), int(gPreferences->tickletFontSize));
	} else {
		TKsFont font;
		ticker->GetFont(&font);
		FontMetrics(font.GetMacFontNumber(), int(font.GetFontSize()));
	}
	TKsRGBColor background;
	ticker->GetBackground(&background);
	mBackground = background.GetRGB();

	mStyle = 0;
	RGBColor colour{0, 0, 0};
	bool sound = false, flash = false, bold = false, italic = false, underline = false, flag1 = false,
	     flag2 = false;
	int soundID = 0;
	UZVUtils::GetDisplaySpecs(mSecurity, colour, sound, soundID, flash, bold, italic, underline, flag1, flag2);
	Blinkable(flash);
	Bold(bold);
	Italic(italic);
	Underline(underline);
	Colour(colour.red, colour.green, colour.blue);

	mHeight = ticker->GetHeight();
	mTickletWidth = UInt16(std::clamp(Draw(0, false), 0, 32767));
	mWidth = mTickletWidth;
	mBounds = Rect{0, 0, mHeight, SInt16(mTickletWidth)};

	mWorld = nullptr;
	mOwnWorld.reset();
	if (!mOnStage || mHeight <= 0 || mTickletWidth == 0)
		return;
	mOwnWorld = std::make_unique<LGWorld>(mBounds, kWorldDepth);
	mWorld = mOwnWorld.get();
	mOwnWorld->BeginDrawing();
	const RGBColor black{0, 0, 0}, white{65535, 65535, 65535};
	RGBForeColor(&mBackground);
	RGBBackColor(&white);
	PaintRect(&mBounds);
	RGBForeColor(&black);
	if (!(mBlinkable && mBlinkPhase == 1))
		Draw(0, true);
	mOwnWorld->EndDrawing();
}

void TSecurityTicklet::OnStage()
{
	mOnStage = 1;
	bool flipped = false;
	const UInt32 now = TickCount();
	if (SInt32(now - mNextBlink) >= 0) {
		mBlinkPhase = mBlinkPhase ? 0 : 1;
		mNextBlink = mBlinkPhase == 1 ? UDisplay::FlashTickOn() : UDisplay::FlashTickOff();
		flipped = true;
	}
	// Only a blinking ticklet looks different in the other phase.
	if (!mWorld || (flipped && mBlinkable))
		RefreshData();
}

void TSecurityTicklet::OffStage()
{
	mWorld = nullptr;
	mOwnWorld.reset();
	mOnStage = 0;
}
