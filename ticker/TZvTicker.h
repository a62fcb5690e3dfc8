#pragma once
// The scrolling engine inside a ticker window: the ticker's ticklets as one endless strip, moved at the
// ticker's speed and direction. Each frame is staged ahead (its ticklets told and drawn) and composed at its
// step straight into the window.

#include "Includes/ITicker.h"
#include "Includes/TKsFont.h"
#include "Includes/TKsRGBColor.h"
#include "Includes/TZvList.h"
#include "Includes/tTickerPrefs.h"
#include "platform/framework/LGWorld.h"
#include "platform/framework/LPeriodical.h"
#include "platform/toolbox/MacTypes.h"

#include <memory>
#include <vector>

class LWindow;
class TTicklet;

class TZvTicker : public ITicker, public LPeriodical
{
public:
	static constexpr std::size_t kNameSize = 100;
	static constexpr UInt32 kDoubleClickTicks = 31;

	TZvTicker();
	~TZvTicker() override;

	// ITicker
	void AddTicklet(TTicklet* ticklet, long position) override;
	void RemoveTicklet(TTicklet* ticklet) override;
	const char* GetName() override { return mName; }
	UInt32 GetID() override { return mID; }
	short GetHeight() override { return short(mFrame.bottom - mFrame.top); }
	void GetBackground(TKsRGBColor* colour) override;
	void GetForeground(TKsRGBColor* colour) override;
	void GetFont(TKsFont* font) override;

	virtual void ReconcileIncrements();
	virtual void ReconfigureTicklets();
	virtual void PrepareBlankTicker();
	virtual void Prepare();
	virtual void Draw();
	void SpendTime(const EventRecord& inMacEvent) override;
	virtual void SetName(const char* name);
	virtual void SetID(unsigned long id) { mID = UInt32(id); }

	// The prepared frame, in the window (its update draws it so).
	void ShowFrame();
	// The prepared frame at a step: what the window showed is moved when only the position changed.
	void ShowStep();

	// The window the engine draws into and the strip's frame in its local coordinates. Without a window
	// each frame is composed into the offscreen.
	void Init(LWindow* window, const Rect* frame);
	void ResizeTicker(const Rect* frame);

	void SetSpeed(tTickerSpeed speed);
	void SpeedUp();
	void SlowDown();
	void SetDirection(tTickerDirection direction) { mDirection = direction; }
	void RightLeft() { mDirection = kTickerRightToLeft; }
	void LeftRight() { mDirection = kTickerLeftToRight; }
	tTickerDirection TickerDirection() const { return mDirection; }
	tTickerSpeed TickerSpeed() const { return mSpeed; }
	void SetForegroundColour(const RGBColor* colour);
	void SetBackgroundColour(const RGBColor* colour);
	void SetFont(const TKsFont* font);

	// Clicks in the window's local coordinates: a second click within 31 ticks is a double-click on the
	// ticklet under it; otherwise the strip follows the mouse while the button is down.
	void Click(long x, long y);
	void DoubleClick(long x, long y);
	void ScrollPixels(tTickerDirection direction, int pixels);

	// For the window and tests.
	const Rect& GetFrame() const { return mFrame; }
	LGWorld* GetOffscreen() const { return mOffscreen.get(); }
	SInt32 GetPixelStep() const { return mPixelStep; }
	SInt32 GetTickStep() const { return mTickStep; }
	SInt32 GetCurrent() const { return mCurrent; }
	SInt32 GetOffset() const { return mOffset; }
	bool IsPrepared() const { return mPrepared != 0; }
	TZvList<TTicklet>& GetTicklets() { return *mTicklets; }

private:
	// The background behind the ticklets, painted once per size and colour so that composing only copies.
	void PaintBackground();
	// The node at a position in the list (1 the first), null outside it.
	const TZvList<TTicklet>::Node* NodeAt(SInt32 position);
	void CopyBackground(const BitMap* destination, SInt32 left, SInt32 right);
	// Calls visit(ticklet, x, width) for each ticklet on the strip from its left, while it returns true.
	template <typename Visit> void ForEachShown(Visit visit);
	// The frame at the strip's position (the background alone for a blank ticker) into the port, between
	// left and right.
	void ComposeInto(CGrafPtr port, SInt32 left, SInt32 right);
	// The frame in the window, at a step or for an update.
	void Show(bool inStep);
	// The whole frame into the window, remembered as shown unless a clip kept part of it out.
	void ComposeWhole(CGrafPtr port);
	// What the window shows is what a frame composed now would show, but for the strip's moves since.
	bool ShownStill(CGrafPtr port) const;
	void RememberShown(CGrafPtr port);
	void ComposeOffscreen();
	// The frame is ready: in the offscreen already when there is no window.
	void FinishPreparing(bool blank);

	std::unique_ptr<TZvList<TTicklet>> mTicklets;
	LWindow* mWindow = nullptr;
	Rect mFrame{0, 0, 0, 0};
	tTickerDirection mDirection = kTickerRightToLeft;
	tTickerSpeed mSpeed = kTickerSpeedNew;
	TKsFont mFont;
	SInt32 mPixelStep = 1;
	SInt32 mTickStep = 1;
	std::unique_ptr<LGWorld> mOffscreen;
	std::unique_ptr<LGWorld> mBackgroundWorld;
	SInt32 mCurrent = 1;
	SInt32 mOffset = 0;
	RGBColor mCopyForeground{0, 0, 0};
	RGBColor mCopyBackground{65535, 65535, 65535};
	TKsRGBColor mForeground;
	TKsRGBColor mBackground;
	UInt32 mNextStep = 0;
	UInt32 mLastClick = 0;
	SInt32 mClickCount = 0;
	UInt8 mPrepared = 0;
	UInt8 mPixelsLocked = 0;
	UInt8 mBlank = 0; // the prepared frame shows the background alone
	const TZvList<TTicklet>::Node* mNear =
	    nullptr; // the node NodeAt gave last, forgotten when the list changes
	SInt32 mNearPosition = 0;
	// The frame last shown in the window: its ticklets as they were then, and the strip's move since.
	struct ShownTicklet {
		TTicklet* ticklet;
		const LGWorld* world;
		SInt32 width;
		UInt32 stamp;
	};
	std::vector<ShownTicklet> mShown;
	bool mShownValid = false;
	SInt32 mShift = 0; // pixels, right to left
	UInt32 mShownStamp = 0;
	std::unique_ptr<MacRegion, void (*)(RgnHandle)> mClip;
	std::unique_ptr<MacRegion, void (*)(RgnHandle)> mLeftOut;
	char mName[kNameSize + 1] = {};
	UInt32 mID = 0;
};
