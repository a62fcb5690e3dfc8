#include "toolkit/LColorWell.h"

#include "platform/framework/LStream.h"
#include "platform/toolbox/gui/ColorPicker.h"
#include "platform/toolbox/gui/StColorPenState.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace
{

using LineTable = std::array<RGBColor, LColorWell::kLineColourCount>;

RGBColor Grey(UInt16 inLevel)
{
	return RGBColor{inLevel, inLevel, inLevel};
}

// The four top and four bottom greys are given; those between run evenly from the fourth to the
// twenty-fifth.
LineTable MakeTable(std::array<UInt16, 4> inTop, std::array<UInt16, 4> inBottom)
{
	LineTable table;
	for (int i = 0; i < 4; ++i) {
		table[std::size_t(i)] = Grey(inTop[std::size_t(i)]);
		table[std::size_t(24 + i)] = Grey(inBottom[std::size_t(i)]);
	}
	const long from = inTop[3];
	const long to = inBottom[0];
	for (int i = 4; i < 24; ++i)
		table[std::size_t(i)] = Grey(UInt16(from + (to - from) * (i - 3) / 21));
	return table;
}

const LineTable sUnPushedLineColours =
    MakeTable({0xFE00, 0xEFF2, 0xDDDF, 0xE2E4}, {0xFDFF, 0xFFFF, 0xFEFF, 0xF1F2});
const LineTable sPushedLineColours =
    MakeTable({0xBBB9, 0xACAC, 0x8C8B, 0x9090}, {0xC1C4, 0xC8C8, 0xCBCD, 0xD2D0});

// Halfway to white, as dimmed text is drawn.
RGBColor Dimmed(const RGBColor& inColour)
{
	auto dim = [](UInt16 c) { return UInt16((UInt32(c) + 0xFFFF) / 2); };
	return RGBColor{dim(inColour.red), dim(inColour.green), dim(inColour.blue)};
}

RGBColor Darkened(const RGBColor& inColour)
{
	auto darken = [](UInt16 c) { return UInt16(c - c / 4); };
	return RGBColor{darken(inColour.red), darken(inColour.green), darken(inColour.blue)};
}

// Each component less a tenth of itself.
RGBColor Shaded(const RGBColor& inColour)
{
	auto shade = [](UInt16 c) { return UInt16(c - c / 10); };
	return RGBColor{shade(inColour.red), shade(inColour.green), shade(inColour.blue)};
}

} // namespace

LColorWell::LColorWell(LStream* inStream) : LControl(inStream)
{
	*inStream >> mSwatchColour;
	inStream->ReadPString(mPrompt);
	InitDrawing();
}

const RGBColor* LColorWell::GetLineColourTable(Boolean inPushed)
{
	return inPushed ? sPushedLineColours.data() : sUnPushedLineColours.data();
}

int LColorWell::LineColourIndex(int inLine, int inLineCount)
{
	if (inLine < 4)
		return inLine;
	if (inLine >= inLineCount - 4)
		return 27 - (inLineCount - 1 - inLine);
	return std::min(27, 4 + (inLine - 4) * 20 / (inLineCount - 8));
}

void LColorWell::InitDrawing()
{
	Rect frame;
	CalcLocalFrameRect(frame);
	mFrameWidth = UInt16(std::max(0, frame.right - frame.left));
	mFrameHeight = UInt16(std::max(0, frame.bottom - frame.top));
	mBevelled = mFrameWidth > 16 && mFrameHeight > 16;
	mSwatchRect = frame;
	InsetRect(&mSwatchRect, mBevelled ? 5 : 1, mBevelled ? 5 : 1);
	mLineColours.clear();
	mPushedLineColours.clear();
	mLineCount = mBevelled ? UInt16(mFrameHeight - 2) : 0;
	for (int line = 0; line < mLineCount; ++line) {
		const int index = LineColourIndex(line, mLineCount);
		mLineColours.push_back(sUnPushedLineColours[std::size_t(index)]);
		mPushedLineColours.push_back(sPushedLineColours[std::size_t(index)]);
	}
}

void LColorWell::ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh)
{
	LControl::ResizeFrameBy(inWidthDelta, inHeightDelta, inRefresh);
	InitDrawing();
}

void LColorWell::SetSwatchColor(const RGBColor& inColour)
{
	if (inColour.red == mSwatchColour.red && inColour.green == mSwatchColour.green &&
	    inColour.blue == mSwatchColour.blue)
		return;
	mSwatchColour = inColour;
	Refresh();
	BroadcastValueMessage();
}

void LColorWell::SetPushedState(Boolean inPushed)
{
	if (inPushed == mPushed)
		return;
	mPushed = inPushed;
	Refresh();
}

void LColorWell::SetDescriptor(ConstStr255Param inDescriptor)
{
	std::memcpy(mPrompt, inDescriptor, std::size_t(inDescriptor[0]) + 1);
}

StringPtr LColorWell::GetDescriptor(Str255 outDescriptor) const
{
	std::memcpy(outDescriptor, mPrompt, std::size_t(mPrompt[0]) + 1);
	return outDescriptor;
}

void LColorWell::BroadcastValueMessage()
{
	if (mValueMessage != msg_Nothing)
		BroadcastMessage(mValueMessage, &mSwatchColour);
}

void LColorWell::HotSpotAction(SInt16, Boolean inCurrInside, Boolean)
{
	SetPushedState(inCurrInside);
	UpdatePort();
}

void LColorWell::DoneTracking(SInt16, Boolean inGoodTrack)
{
	SetPushedState(false);
	UpdatePort();
	if (!inGoodTrack)
		return;
	RGBColor chosen = mSwatchColour;
	if (GetColor(Point{-1, -1}, mPrompt, &mSwatchColour, &chosen))
		SetSwatchColor(chosen);
}

void LColorWell::EnableSelf()
{
	LControl::EnableSelf();
	Refresh();
}

void LColorWell::DisableSelf()
{
	LControl::DisableSelf();
	Refresh();
}

void LColorWell::ActivateSelf()
{
	LControl::ActivateSelf();
	Refresh();
}

void LColorWell::DeactivateSelf()
{
	LControl::DeactivateSelf();
	Refresh();
}

void LColorWell::DrawSelf()
{
	StColorPenState penState;
	Rect frame;
	CalcLocalFrameRect(frame);
	const Boolean active = IsEnabled() && IsActive();
	ApplyForeAndBackColors();
	PenNormal();
	EraseRect(&frame);
	const RGBColor white = Grey(0xFFFF);
	RGBForeColor(&white);
	PaintRect(&frame);

	RGBColor colour = active ? mSwatchColour : Dimmed(mSwatchColour);
	if (!mBevelled || mLineColours.size() != mLineCount) {
		if (active && mPushed)
			colour = Darkened(colour);
		RGBForeColor(&colour);
		PaintRect(&mSwatchRect);
	} else {
		const auto& lines = mPushed ? mPushedLineColours : mLineColours;
		for (UInt16 line = 0; line < mLineCount; ++line) {
			RGBForeColor(&lines[line]);
			MoveTo(SInt16(frame.left + 1), SInt16(frame.top + 1 + line));
			LineTo(SInt16(frame.right - 1), SInt16(frame.top + 1 + line));
		}
		const RGBColor shade1 = Shaded(colour);
		const RGBColor shade2 = Shaded(shade1);
		Rect r = mSwatchRect;
		InsetRect(&r, 1, 1);
		RGBForeColor(&shade1);
		FrameRect(&r);
		RGBForeColor(&shade2);
		FrameRect(&mSwatchRect);
		InsetRect(&r, 1, 1);
		RGBForeColor(&colour);
		PaintRect(&r);
	}
	const RGBColor grey = Grey(0x8282);
	RGBForeColor(&grey);
	FrameRect(&frame);
}
