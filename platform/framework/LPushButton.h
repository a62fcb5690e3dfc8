#pragma once
// A push button: a click released inside broadcasts the value message (the value stays 0). The default
// button (Return and Enter press it) shows an outline; the cancel button answers Escape and Command-period.

#include "platform/framework/LControl.h"

class LPushButton : public LControl
{
public:
	enum { class_ID = FOUR_CHAR_CODE("push") };
	enum : UInt8 { kind_Plain = 0, kind_Default = 1, kind_Cancel = 2 };

	LPushButton(const SPaneInfo& inPaneInfo, MessageT inValueMessage, ConstStr255Param inTitle);
	// Reads the control's data, then: title (length-prefixed), text traits (16), kind (8: 0 plain,
	// 1 default, 2 cancel).
	explicit LPushButton(LStream* inStream);

	void SetDefaultButton(Boolean inDefault);
	Boolean IsDefaultButton() const { return mIsDefault; }
	void SetCancelButton(Boolean inCancel) { mIsCancel = inCancel; }
	Boolean IsCancelButton() const { return mIsCancel; }

protected:
	void HotSpotAction(SInt16 inHotSpot, Boolean inCurrInside, Boolean inPrevInside) override;
	void HotSpotResult(SInt16 inHotSpot) override;
	void TitleChanged() override;

private:
	void MakeNative();
	ResIDT mTextTraitsID = 0;
	Boolean mIsDefault = false;
	Boolean mIsCancel = false;
};
