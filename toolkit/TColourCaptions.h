#pragma once
// A caption of two texts on one line, each in its own text traits, the second drawn where the first ends;
// colour and added styles as in TColourCaption. The caption's own text is not drawn.
// Layout stream: the caption's data, then the first and the second text traits number (16 each).

#include "platform/framework/LCaption.h"

class TColourCaptions : public LCaption
{
      public:
	enum { class_ID = FOUR_CHAR_CODE("capS") };

	explicit TColourCaptions(LStream* inStream);

	void SetColour(const RGBColor* inColour);
	void GetColour(RGBColor& outColour) const { outColour = mColour; }
	Boolean UsesColour() const { return mUseColour != 0; }

	void Bold(UInt8 inOn) { mBold = inOn; }
	void Italic(UInt8 inOn) { mItalic = inOn; }
	void Underline(UInt8 inOn) { mUnderline = inOn; }
	void ResetFaceStyle();

	// Empties both texts, takes each one given (at most 255 characters) and redraws.
	void SetStrings(const char* inFirst, const char* inSecond);
	const char* GetFirstString() const { return mFirst; }
	const char* GetSecondString() const { return mSecond; }
	ResIDT GetFirstTextTraitsID() const { return mFirstTxtrID; }
	ResIDT GetSecondTextTraitsID() const { return mSecondTxtrID; }

      protected:
	void DrawSelf() override;

	RGBColor mColour;
	UInt8 mUseColour = 0;
	UInt8 mBold = 0;
	UInt8 mItalic = 0;
	UInt8 mUnderline = 0;
	char mFirst[256] = {0};
	char mSecond[256] = {0};
	ResIDT mFirstTxtrID = 0;
	ResIDT mSecondTxtrID = 0;

      private:
	// Draws one text in the frame and moves the frame's left edge past it.
	void DrawPart(const char* inText, ResIDT inTxtrID, const RGBColor& inContextFore, Rect& ioFrame);
};
