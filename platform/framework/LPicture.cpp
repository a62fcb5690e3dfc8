#include "platform/framework/LPicture.h"

#include "platform/framework/LStream.h"
#include "platform/toolbox/Debugging.h"

LPicture::LPicture(LStream* inStream) : LView(inStream)
{
	ResIDT id = 0;
	*inStream >> id;
	SetPictureID(id);
}

LPicture::~LPicture()
{
	KillPicture(mPicture);
}

void LPicture::SetPictureID(ResIDT inPictureID)
{
	KillPicture(mPicture);
	mPicture = nullptr;
	mPICTid = inPictureID;
	if (inPictureID != 0) {
		mPicture = GetPicture(inPictureID);
		SignalIf_(mPicture == nullptr);
	}
	if (mPicture) {
		Rect bounds;
		QDGetPictureBounds(mPicture, &bounds);
		ResizeImageTo(bounds.right - bounds.left, bounds.bottom - bounds.top, false);
	}
	Refresh();
}

void LPicture::DrawSelf()
{
	if (!mPicture)
		return;
	Rect bounds;
	QDGetPictureBounds(mPicture, &bounds);
	DrawPicture(mPicture, &bounds);
}
