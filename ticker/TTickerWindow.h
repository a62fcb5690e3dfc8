#pragma once
// The window of a ticker: nothing but the scrolling engine. The user may move it (with the command key, which
// frees it from its anchor), widen it and zoom it; its height follows the ticker's font.

#include "platform/framework/LWindow.h"

#include <memory>

class TZvTicker;

class TTickerWindow : public LWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("nwTK") };
	static constexpr SInt16 kGrowBox = 15;

	explicit TTickerWindow(LStream* inStream);
	~TTickerWindow() override;

	void Suspend() override;
	void Resume() override;
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void ClickInContent(const EventRecord& inMacEvent) override;
	void DoSetBounds(const Rect& inBounds) override;
	void DoSetZoom(Boolean inZoomOut) override;
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;

	TZvTicker* GetTickerPane() const { return mPane.get(); }
	bool HasMoved() const { return mMoved != 0; }
	void SetWindowPosition(int top, int left, int bottom, int right);
	bool IsTickerZoomed() const { return mTickerZoomed != 0; }

protected:
	// A ticker keeps the place its settings give it.
	bool IsKeptInsideScreen() const override { return false; }
	void FinishCreateSelf() override;
	void DrawSelf() override;

private:
	Rect mScratch{0, 0, 0, 0};
	SInt32 mScreenRight = 0;
	SInt32 mScreenBottom = 0;
	UInt8 mTickerZoomed = 0;
	Rect mUnzoomedBounds{0, 0, 0, 0};
	std::unique_ptr<TZvTicker> mPane;
	UInt8 mMoved = 0;
	UInt8 mHiddenBySuspend = 0;
};
