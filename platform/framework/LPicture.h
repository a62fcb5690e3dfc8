#pragma once
// A view that shows a picture resource at its image's top-left, its image as large as the picture.

#include "platform/framework/LView.h"
#include "platform/toolbox/gui/Pictures.h"

class LPicture : public LView
{
public:
	enum { class_ID = FOUR_CHAR_CODE("pict") };

	// Reads the view's data, then the picture's resource id (16; 0 for none).
	explicit LPicture(LStream* inStream);
	~LPicture() override;

	ResIDT GetPictureID() const { return mPICTid; }
	void SetPictureID(ResIDT inPictureID);

protected:
	void DrawSelf() override;

private:
	ResIDT mPICTid = 0;
	PicHandle mPicture = nullptr;
};
