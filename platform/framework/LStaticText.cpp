#include "platform/framework/LStaticText.h"

#include "platform/framework/LStream.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/Appearance.h"
#include "platform/toolbox/gui/StColorPenState.h"
#include "platform/toolbox/gui/StTextState.h"

#include <algorithm>
#include <cstring>

LStaticText::LStaticText(const SPaneInfo& inPaneInfo, ConstStr255Param inText, ResIDT inTextTraitsID)
    : LPane(inPaneInfo), mText(reinterpret_cast<const char*>(inText + 1), inText[0]), mTxtrID(inTextTraitsID)
{
}

LStaticText::LStaticText(LStream* inStream) : LPane(inStream)
{
	Str255 text;
	inStream->ReadPString(text);
	mText.assign(reinterpret_cast<const char*>(text + 1), text[0]);
	*inStream >> mTxtrID;
}

void LStaticText::SetText(const char* inText)
{
	SetText(inText, inText ? Size(std::strlen(inText)) : 0);
}

void LStaticText::SetText(const void* inText, Size inLength)
{
	std::string text;
	if (inText && inLength > 0)
		text.assign(static_cast<const char*>(inText), size_t(inLength));
	if (text == mText)
		return;
	mText = std::move(text);
	Refresh();
}

void LStaticText::GetText(char* outBuffer, Size inBufferSize, Size* outLength) const
{
	if (outLength)
		*outLength = Size(mText.size());
	if (!outBuffer || inBufferSize < 1)
		return;
	const size_t n = std::min(mText.size(), size_t(inBufferSize - 1));
	mText.copy(outBuffer, n);
	outBuffer[n] = 0;
}

void LStaticText::SetDescriptor(ConstStr255Param inDescriptor)
{
	SetText(inDescriptor + 1, inDescriptor[0]);
}

StringPtr LStaticText::GetDescriptor(Str255 outDescriptor) const
{
	PascalStrings::FromString(mText, outDescriptor);
	return outDescriptor;
}

void LStaticText::SetTextTraitsID(ResIDT inTextTraitsID)
{
	mTxtrID = inTextTraitsID;
	Refresh();
}

void LStaticText::DrawSelf()
{
	Rect frame;
	CalcLocalFrameRect(frame);
	StColorPenState penState;
	StTextState textState;
	const SInt16 just = UTextTraits::SetPortTextTraits(mTxtrID);
	DrawThemeTextBox(mText.data(), mText.size(), kThemeCurrentPortFont,
	                 IsActive() && IsEnabled() ? kThemeStateActive : kThemeStateInactive, true, &frame,
	                 just);
}
