#include "platform/framework/LCaption.h"

#include "platform/framework/LStream.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/gui/Appearance.h"
#include "platform/toolbox/gui/StColorPenState.h"
#include "platform/toolbox/gui/StTextState.h"

#include <cstring>

LCaption::LCaption(const SPaneInfo& inPaneInfo, ConstStr255Param inText, ResIDT inTextTraitsID)
    : LPane(inPaneInfo), mTxtrID(inTextTraitsID)
{
	std::memcpy(mText, inText, size_t(inText[0]) + 1);
}

LCaption::LCaption(LStream* inStream) : LPane(inStream)
{
	inStream->ReadPString(mText);
	*inStream >> mTxtrID;
}

void LCaption::SetDescriptor(ConstStr255Param inDescriptor)
{
	std::memcpy(mText, inDescriptor, size_t(inDescriptor[0]) + 1);
	Refresh();
}

StringPtr LCaption::GetDescriptor(Str255 outDescriptor) const
{
	std::memcpy(outDescriptor, mText, size_t(mText[0]) + 1);
	return outDescriptor;
}

void LCaption::SetTextTraitsID(ResIDT inTextTraitsID)
{
	mTxtrID = inTextTraitsID;
	Refresh();
}

void LCaption::DrawSelf()
{
	Rect frame;
	CalcLocalFrameRect(frame);
	StColorPenState penState;
	StTextState textState;
	const SInt16 just = UTextTraits::SetPortTextTraits(mTxtrID);
	DrawThemeTextBox(reinterpret_cast<const char*>(mText + 1), mText[0], kThemeCurrentPortFont,
	                 IsActive() && IsEnabled() ? kThemeStateActive : kThemeStateInactive, true, &frame,
	                 just);
}
