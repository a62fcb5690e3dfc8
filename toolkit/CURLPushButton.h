#pragma once
// A push button drawn as a link: its title in its text traits, with an address. A click broadcasts the
// value message (the listener opens the address); the value itself stays 0. A shift-click on a button
// that allows it drags the address out as text instead.
// Layout stream: the control's data, then title and address (length-prefixed), text traits and hilite
// text traits (16 each; hilite -1 for none), use-hilite-colour (8), hilite colour (three 16-bit
// components), cursor number (16), then 16 reserved bytes.

#include "platform/framework/LControl.h"

struct SURLButtonInfo {
	Str255 title = {0};
	Str255 url = {0};
	ResIDT textTraitsID = 0;
	ResIDT hiliteTextTraitsID = -1;
	Boolean useHiliteColour = false;
	RGBColor hiliteColour;
};

class CURLPushButton : public LControl
{
public:
	enum { class_ID = FOUR_CHAR_CODE("URpb") };

	CURLPushButton();
	CURLPushButton(const SPaneInfo& inPaneInfo, MessageT inValueMessage,
	               const SURLButtonInfo& inButtonInfo, SInt16 inCursorID);
	explicit CURLPushButton(LStream* inStream);

	// The title; setting it redraws.
	void SetDescriptor(ConstStr255Param inDescriptor) override;
	// The address, or the title when the address is empty.
	void SetURL(ConstStr255Param inURL);
	StringPtr GetURL(Str255 outURL) const;
	// What a drag carries: the address (the title when it is empty) without the angle brackets of an
	// address written as "<...>".
	void GetDragText(Str255 outText) const;

	void SetValue(SInt32 inValue) override;

	ResIDT GetTextTraitsID() const { return mTextTraitsID; }
	void SetTextTraitsID(ResIDT inID) { mTextTraitsID = inID; }
	ResIDT GetHiliteTextTraitsID() const { return mHiliteTextTraitsID; }
	void SetHiliteTextTraitsID(ResIDT inID) { mHiliteTextTraitsID = inID; }
	Boolean GetUseHiliteColour() const { return mUseHiliteColour; }
	void SetUseHiliteColour(Boolean inUse) { mUseHiliteColour = inUse; }
	void GetHiliteColour(RGBColor& outColour) const { outColour = mHiliteColour; }
	void SetHiliteColour(const RGBColor& inColour) { mHiliteColour = inColour; }
	UInt8 GetDragFlag() const { return mDragFlag; }
	void SetDragFlag(UInt8 inFlag) { mDragFlag = inFlag; }
	SInt16 GetCursorID() const { return mCursorID; }
	void SetCursorID(SInt16 inID) { mCursorID = inID; }
	Boolean IsHilited() const { return mHilited; }

protected:
	void ClickSelf(const SMouseDownEvent& inMouseDown) override;
	void HotSpotAction(SInt16 inHotSpot, Boolean inCurrInside, Boolean inPrevInside) override;
	void HotSpotResult(SInt16 inHotSpot) override;
	void ActivateSelf() override;
	void DeactivateSelf() override;
	void DrawSelf() override;

	virtual OSErr DragAddress(const SMouseDownEvent& inMouseDown);

	Str255 mURL = {0};
	ResIDT mTextTraitsID = 0;
	ResIDT mHiliteTextTraitsID = -1;
	Boolean mUseHiliteColour = false;
	RGBColor mHiliteColour;
	SInt16 mCursorID = 0;
	UInt8 mDragFlag = 1;
	Boolean mHilited = false;
};
