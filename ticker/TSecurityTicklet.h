#pragma once
// One security's quote on one ticker: symbol, price, change and trailer in the colour and styles of the
// security's state, blinking in step with every other flashing item while it alerts. Only a ticklet on
// stage holds a picture; it is drawn once per refresh or blink phase and then only copied.

#include "Includes/TTicklet.h"
#include "platform/framework/LGWorld.h"
#include "platform/toolbox/MacTypes.h"

#include <memory>

class TSecurity;

class TSecurityTicklet : public TTicklet
{
public:
	TSecurityTicklet() = default;
	explicit TSecurityTicklet(TSecurity* security) : mSecurity(security) {}
	~TSecurityTicklet() override;

	void DoubleClick(short x, short y, unsigned long modifiers) override;
	void DrawUpdate(unsigned long) override {}
	void Redraw() override;
	void RefreshData() override;
	void TickerClosing() override {}
	bool IsBlinking() override { return mBlinkPhase != 0; }
	UInt16 GetWidth() override { return mTickletWidth; }
	void OnStage() override;
	void OffStage() override;

	// Draws (or only measures) the texts from x in the current port; the width they take.
	int Draw(int x, bool draw);
	void FontMetrics(int font, int size);
	void Blinkable(bool on) { mBlinkable = on ? 1 : 0; }
	void Bold(bool on);
	void Italic(bool on);
	void Underline(bool on);
	void Colour(int red, int green, int blue);

	TSecurity* GetSecurity() const { return mSecurity; }
	bool IsOnStage() const { return mOnStage != 0; }
	int GetFractionSize() const { return mFractionSize; }

private:
	void SetStyleBit(int bit, bool on);

	SInt16 mFont = 4;
	SInt16 mStyle = 0;
	SInt16 mSize = 9;
	SInt16 mAscent = 0;
	SInt16 mFractionSize = 0;
	SInt16 mFractionAscent = 0;
	SInt32 mRed = 0;
	SInt32 mGreen = 0;
	SInt32 mBlue = 0;
	SInt16 mHeight = 18;
	UInt16 mTickletWidth = 0;
	SInt16 mGap = 0;
	SInt16 mEndGap = 0;
	std::unique_ptr<LGWorld> mOwnWorld;
	UInt8 mBlinkable = 0;
	Rect mBounds{0, 0, 0, 0};
	UInt8 mOnStage = 0;
	RGBColor mBackground{0, 0, 0};
	UInt8 mBlinkPhase = 0;
	UInt32 mNextBlink = 0;
	TSecurity* mSecurity = nullptr;
};
