#pragma once
// A colour swatch that opens the colour picker when clicked. A well larger than 16 x 16 is drawn bevelled
// (one grey line per pixel row, lighter when up, darker when pushed), a smaller one flat. Choosing another
// colour broadcasts the value message with a pointer to the new colour.
// Layout stream: the control's data, then red, green, blue (16 each), the picker's prompt
// (length-prefixed).

#include "platform/framework/LControl.h"

#include <vector>

class LColorWell : public LControl
{
public:
	enum { class_ID = FOUR_CHAR_CODE("clrW") };
	static constexpr int kLineColourCount = 28;

	explicit LColorWell(LStream* inStream);

	// A different colour is stored, shown and broadcast; the same one changes nothing.
	void SetSwatchColor(const RGBColor& inColour);
	void GetSwatchColor(RGBColor& outColour) const { outColour = mSwatchColour; }
	void SetPushedState(Boolean inPushed);
	Boolean GetPushedState() const { return mPushed; }

	// The prompt.
	void SetDescriptor(ConstStr255Param inDescriptor) override;
	StringPtr GetDescriptor(Str255 outDescriptor) const override;

	void BroadcastValueMessage() override;
	void ResizeFrameBy(SInt16 inWidthDelta, SInt16 inHeightDelta, Boolean inRefresh) override;

	Boolean IsBevelled() const { return mBevelled; }
	UInt16 CountBevelLines() const { return mLineCount; }

	// The class-wide grey tables the bevel lines take their colours from.
	static const RGBColor* GetLineColourTable(Boolean inPushed);
	// Which table entry bevel line inLine of inLineCount takes.
	static int LineColourIndex(int inLine, int inLineCount);

protected:
	void HotSpotAction(SInt16 inHotSpot, Boolean inCurrInside, Boolean inPrevInside) override;
	void DoneTracking(SInt16 inHotSpot, Boolean inGoodTrack) override;
	void EnableSelf() override;
	void DisableSelf() override;
	void ActivateSelf() override;
	void DeactivateSelf() override;
	void DrawSelf() override;

	void InitDrawing();

	RGBColor mSwatchColour;
	Str255 mPrompt = {0};
	Boolean mPushed = false;
	Boolean mBevelled = false;
	UInt16 mFrameWidth = 0;
	UInt16 mFrameHeight = 0;
	UInt16 mLineCount = 0;
	Rect mSwatchRect;
	std::vector<RGBColor> mPushedLineColours;
	std::vector<RGBColor> mLineColours;
};
