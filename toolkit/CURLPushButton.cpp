#include "toolkit/CURLPushButton.h"

#include "platform/framework/LDragTask.h"
#include "platform/framework/LStream.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/gui/StColorPenState.h"
#include "platform/toolbox/gui/StTextState.h"
#include "toolkit/UKsStrings.h"

#include <cstring>

CURLPushButton::CURLPushButton() : LControl(SPaneInfo(), msg_Nothing, 0, 0, 0) {}

CURLPushButton::CURLPushButton(const SPaneInfo& inPaneInfo, MessageT inValueMessage,
                               const SURLButtonInfo& inButtonInfo, SInt16 inCursorID)
    : LControl(inPaneInfo, inValueMessage, 0, 0, 0), mTextTraitsID(inButtonInfo.textTraitsID),
      mHiliteTextTraitsID(inButtonInfo.hiliteTextTraitsID), mUseHiliteColour(inButtonInfo.useHiliteColour),
      mHiliteColour(inButtonInfo.hiliteColour), mCursorID(inCursorID)
{
	std::memcpy(mTitle, inButtonInfo.title, std::size_t(inButtonInfo.title[0]) + 1);
	std::memcpy(mURL, inButtonInfo.url, std::size_t(inButtonInfo.url[0]) + 1);
}

CURLPushButton::CURLPushButton(LStream* inStream) : LControl(inStream)
{
	inStream->ReadPString(mTitle);
	inStream->ReadPString(mURL);
	UInt8 useHilite = 0;
	*inStream >> mTextTraitsID >> mHiliteTextTraitsID >> useHilite >> mHiliteColour >> mCursorID;
	mUseHiliteColour = useHilite != 0;
	UInt8 reserved[16];
	inStream->ReadBlock(reserved, sizeof(reserved));
	mValue = 0;
}

void CURLPushButton::SetDescriptor(ConstStr255Param inDescriptor)
{
	LControl::SetDescriptor(inDescriptor);
	Refresh();
}

void CURLPushButton::SetURL(ConstStr255Param inURL)
{
	std::memcpy(mURL, inURL, std::size_t(inURL[0]) + 1);
}

StringPtr CURLPushButton::GetURL(Str255 outURL) const
{
	const unsigned char* source = mURL[0] != 0 ? mURL : mTitle;
	std::memcpy(outURL, source, std::size_t(source[0]) + 1);
	return outURL;
}

void CURLPushButton::GetDragText(Str255 outText) const
{
	GetURL(outText);
	const UInt8 length = outText[0];
	if (length > 2 && outText[1] == '<' && outText[length] == '>') {
		std::memmove(outText + 1, outText + 2, length - 2);
		outText[0] = UInt8(length - 2);
	}
}

void CURLPushButton::SetValue(SInt32) {}

void CURLPushButton::ClickSelf(const SMouseDownEvent& inMouseDown)
{
	if ((inMouseDown.macEvent.modifiers & shiftKey) != 0 && mDragFlag == 1 && DragAndDropIsPresent()) {
		DragAddress(inMouseDown);
		return;
	}
	LControl::ClickSelf(inMouseDown);
}

OSErr CURLPushButton::DragAddress(const SMouseDownEvent& inMouseDown)
{
	Str255 text;
	GetDragText(text);
	Rect bounds;
	CalcPortFrameRect(bounds);
	if (LWindow* window = GetWindow()) {
		Point topLeft{bounds.top, bounds.left};
		Point bottomRight{bounds.bottom, bounds.right};
		window->PortToGlobalPoint(topLeft);
		window->PortToGlobalPoint(bottomRight);
		SetRect(&bounds, topLeft.h, topLeft.v, bottomRight.h, bottomRight.v);
	}
	LDragTask drag(inMouseDown.macEvent, bounds, 1, kDragFlavorTypeText, text + 1, text[0], 0);
	return drag.DoDrag();
}

void CURLPushButton::HotSpotAction(SInt16, Boolean inCurrInside, Boolean)
{
	if (inCurrInside == mHilited)
		return;
	mHilited = inCurrInside;
	Refresh();
	UpdatePort();
}

void CURLPushButton::HotSpotResult(SInt16)
{
	mHilited = false;
	Refresh();
	UpdatePort();
	BroadcastValueMessage();
}

void CURLPushButton::ActivateSelf()
{
	LControl::ActivateSelf();
	Refresh();
}

void CURLPushButton::DeactivateSelf()
{
	LControl::DeactivateSelf();
	Refresh();
}

void CURLPushButton::DrawSelf()
{
	StColorPenState penState;
	StTextState textState;
	Rect frame;
	CalcLocalFrameRect(frame);
	ApplyForeAndBackColors();
	OffsetRect(&frame, 1, -1);
	SInt16 just = UTextTraits::SetPortTextTraits(mTextTraitsID);
	if (!IsActive() || !IsEnabled()) {
		RGBColor fore;
		GetForeColor(&fore);
		fore.red = UInt16((UInt32(fore.red) + 65535) / 2);
		fore.green = UInt16((UInt32(fore.green) + 65535) / 2);
		fore.blue = UInt16((UInt32(fore.blue) + 65535) / 2);
		RGBForeColor(&fore);
	}
	if (mHilited) {
		if (mHiliteTextTraitsID >= 0) {
			EraseRect(&frame);
			just = UTextTraits::SetPortTextTraits(mHiliteTextTraitsID);
		} else if (mUseHiliteColour) {
			RGBForeColor(&mHiliteColour);
		} else {
			TextMode(srcXor);
		}
	}
	UKsStrings::DrawString(mTitle, frame.left, frame.bottom, &frame, just);
}
