#include "platform/framework/LTextGroupBox.h"

#include "platform/framework/LStream.h"
#include "platform/framework/UTextTraits.h"
#include "platform/toolbox/gui/StColorPenState.h"
#include "platform/toolbox/gui/StTextState.h"

#include <cstring>

LTextGroupBox::LTextGroupBox(LStream* inStream) : LView(inStream)
{
	inStream->ReadPString(mTitle);
	*inStream >> mTxtrID;
}

void LTextGroupBox::SetDescriptor(ConstStr255Param inDescriptor)
{
	std::memcpy(mTitle, inDescriptor, size_t(inDescriptor[0]) + 1);
	Refresh();
}

StringPtr LTextGroupBox::GetDescriptor(Str255 outDescriptor) const
{
	std::memcpy(outDescriptor, mTitle, size_t(mTitle[0]) + 1);
	return outDescriptor;
}

void LTextGroupBox::DrawSelf()
{
	Rect frame;
	CalcLocalFrameRect(frame);
	StColorPenState penState;
	StTextState textState;
	UTextTraits::SetPortTextTraits(mTxtrID);
	FontInfo info;
	GetFontInfo(&info);
	const SInt16 titleHeight = SInt16(info.ascent + info.descent);
	Rect box = frame;
	box.top = SInt16(box.top + titleHeight / 2);
	RGBColor text;
	GetForeColor(&text);
	const RGBColor grey{0x9999, 0x9999, 0x9999};
	RGBForeColor(&grey);
	PenNormal();
	FrameRect(&box);
	if (mTitle[0] == 0)
		return;
	Rect gap{frame.top, SInt16(frame.left + 6), SInt16(frame.top + titleHeight),
	         SInt16(frame.left + 14 + StringWidth(mTitle))};
	EraseRect(&gap);
	RGBForeColor(&text);
	MoveTo(SInt16(frame.left + 10), SInt16(frame.top + info.ascent));
	DrawString(mTitle);
}
