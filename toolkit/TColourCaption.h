#pragma once
// A caption drawn in a colour of its own (once one is set) and with bold, italic or underline added to the
// style of its text traits. Setting the colour or a style does not redraw; setting the text does.
// Layout stream: the caption's data only.

#include "platform/framework/LCaption.h"

class TColourCaption : public LCaption
{
public:
	enum { class_ID = FOUR_CHAR_CODE("capC") };

	TColourCaption(const SPaneInfo& inPaneInfo, ConstStr255Param inText, ResIDT inTextTraitsID);
	explicit TColourCaption(LStream* inStream);

	void SetColour(const RGBColor* inColour);
	void GetColour(RGBColor& outColour) const { outColour = mColour; }
	Boolean UsesColour() const { return mUseColour != 0; }

	void Bold(UInt8 inOn) { mBold = inOn; }
	void Italic(UInt8 inOn) { mItalic = inOn; }
	void Underline(UInt8 inOn) { mUnderline = inOn; }
	void ResetFaceStyle();
	// The styles added to the text traits' own.
	Style GetAddedFace() const;

protected:
	void DrawSelf() override;

	RGBColor mColour;
	UInt8 mUseColour = 0;
	UInt8 mBold = 0;
	UInt8 mItalic = 0;
	UInt8 mUnderline = 0;
};
