#include "ticker/TPICTTicklet.h"

#include "Includes/ITicker.h"
#include "platform/framework/LGWorld.h"
#include "platform/toolbox/gui/Pictures.h"
#include "platform/toolbox/gui/StColorState.h"

#include <algorithm>

TPICTTicklet::~TPICTTicklet()
{
	mWorld = nullptr;
	ReleasePicture();
}

void TPICTTicklet::ReleasePicture()
{
	if (mPicture)
		KillPicture(mPicture);
	mPicture = nullptr;
}

void TPICTTicklet::ResourceID(int id)
{
	if (id == 0) {
		ReleasePicture();
		mResourceID = 0;
		return;
	}
	ReleasePicture();
	mResourceID = id;
	mPicture = GetPicture(SInt16(id));
	mPictureFrame = Rect{0, 0, 0, 0};
	if (mPicture)
		QDGetPictureBounds(mPicture, &mPictureFrame);
	RefreshData();
}

void TPICTTicklet::RefreshData()
{
	ITicker* ticker = GetOwner();
	if (!ticker)
		return;
	TKsRGBColor background;
	ticker->GetBackground(&background);
	const RGBColor fill = background.GetRGB();
	mHeight = ticker->GetHeight();
	mPictureWidth = UInt16(std::max(0, mPictureFrame.right - mPictureFrame.left));
	mWidth = mPictureWidth;
	mWorldBounds = Rect{0, mPictureFrame.left, mHeight, mPictureFrame.right};
	mPictureBounds = mWorldBounds;
	const int pictureHeight = mPictureFrame.bottom - mPictureFrame.top;
	if (mHeight - pictureHeight > 1) {
		mPictureBounds.top = SInt16((mHeight - pictureHeight) / 2);
		mPictureBounds.bottom = SInt16(mPictureBounds.top + pictureHeight);
	}
	mWorld = nullptr;
	mOwnWorld.reset();
	if (mPictureWidth == 0 || mHeight <= 0)
		return;
	try {
		mOwnWorld = std::make_unique<LGWorld>(mWorldBounds, 0); // the strip's depth
		mWorld = mOwnWorld.get();
		StColorState colours;
		mOwnWorld->BeginDrawing();
		RGBForeColor(&fill);
		PaintRect(&mWorldBounds);
		Draw(0, true);
		mOwnWorld->EndDrawing();
	} catch (...) {
		mWorld = nullptr;
		mOwnWorld.reset();
	}
}

int TPICTTicklet::Draw(int x, bool draw)
{
	Rect where = mPictureBounds;
	where.left = SInt16(x);
	where.right = SInt16(x + mPictureWidth);
	if (draw && mPicture)
		DrawPicture(mPicture, &where);
	return mPictureWidth;
}

void TPICTTicklet::OnStage()
{
	if (!mWorld)
		RefreshData();
}

void TPICTTicklet::OffStage()
{
	mWorld = nullptr;
	mOwnWorld.reset();
}
