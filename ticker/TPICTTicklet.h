#pragma once
// A ticklet that shows one picture resource, centred vertically in the ticker and as wide as the picture.

#include "Includes/TTicklet.h"
#include "platform/framework/LGWorld.h"
#include "platform/toolbox/MacTypes.h"

#include <memory>

struct Picture;

class TPICTTicklet : public TTicklet
{
public:
	TPICTTicklet() = default;
	~TPICTTicklet() override;

	void ResourceID(int id);
	int ResourceID() const { return int(mResourceID); }

	void DoubleClick(short, short, unsigned long) override {}
	void DrawUpdate(unsigned long) override {}
	void TickerClosing() override {}
	void Redraw() override { Draw(0, true); }
	void RefreshData() override;
	bool IsBlinking() override { return false; }
	UInt16 GetWidth() override { return mPictureWidth; }
	void OnStage() override;
	void OffStage() override;

	int Draw(int x, bool draw);
	const Rect& GetPictureBounds() const { return mPictureBounds; }

private:
	void ReleasePicture();

	SInt16 mHeight = 0;
	UInt16 mPictureWidth = 0;
	std::unique_ptr<LGWorld> mOwnWorld;
	Rect mWorldBounds{0, 0, 0, 0};
	Rect mPictureBounds{0, 0, 0, 0};
	SInt32 mResourceID = 0;
	Picture** mPicture = nullptr;
	Rect mPictureFrame{0, 0, 0, 0};
};
