#pragma once
// A caption of two texts on one line, each in its own text traits, the second drawn where the first ends;
// colour and added styles as in TColourCaption. The caption's own text is not drawn.
// Layout stream: the caption's data, then the first and the second text traits number (16 each).

#include "toolkit/TColourCaption.h"

class TColourCaptions : public TColourCaption
{
public:
	enum { class_ID = FOUR_CHAR_CODE("capS") };

	explicit TColourCaptions(LStream* inStream);

	// Empties both texts, takes each one given (at most 255 characters) and redraws.
	void SetStrings(const char* inFirst, const char* inSecond);
	const char* GetFirstString() const { return mFirst; }
	const char* GetSecondString() const { return mSecond; }
	ResIDT GetFirstTextTraitsID() const { return mFirstTxtrID; }
	ResIDT GetSecondTextTraitsID() const { return mSecondTxtrID; }

protected:
	void DrawSelf() override;

	char mFirst[256] = {0};
	char mSecond[256] = {0};
	ResIDT mFirstTxtrID = 0;
	ResIDT mSecondTxtrID = 0;

private:
	// Draws one text in the frame and moves the frame's left edge past it.
	void DrawPart(const char* inText, ResIDT inTxtrID, const RGBColor& inContextFore, Rect& ioFrame);
};
