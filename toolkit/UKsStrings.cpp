#include "toolkit/UKsStrings.h"

#include "foundation/VyStrings.h"
#include "platform/framework/LException.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/Appearance.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "platform/toolbox/gui/ResourceStore.h"

#include <cstring>
#include <new>

UInt8 UKsStrings::sAntiAliasText = 1;
UInt8 UKsStrings::sSaveState = 1;
UInt8 UKsStrings::sUseState = 0;

namespace
{

// Switches the port's anti-aliasing off for the classic drawing and back afterwards.
class StNoAntiAlias
{
public:
	StNoAntiAlias() : mWasOn(IsAntiAliasedTextEnabled(&mMinSize))
	{
		SetAntiAliasedTextEnabled(false, mMinSize);
	}
	~StNoAntiAlias() { SetAntiAliasedTextEnabled(mWasOn, mMinSize); }
	StNoAntiAlias(const StNoAntiAlias&) = delete;
	StNoAntiAlias& operator=(const StNoAntiAlias&) = delete;

private:
	SInt16 mMinSize = 0;
	Boolean mWasOn;
};

// The text of item inIndex, or an empty text after a debug signal.
void FetchItem(Str255 outText, SInt16 inListID, SInt16 inIndex)
{
	outText[0] = 0;
	SignalIf_(inListID == 0 || inIndex < 1);
	if (inListID == 0 || inIndex < 1)
		return;
	GetIndString(outText, inListID, inIndex);
	SignalIf_(outText[0] == 0);
}

} // namespace

bool UKsStrings::UsesClassicDrawing()
{
	return sUseState == 1 && sAntiAliasText == 0;
}

void UKsStrings::DrawString(ConstStr255Param inText, SInt16 inH, SInt16, const Rect* inRect, SInt16 inJust)
{
	if (inText == nullptr || inText[0] == 0)
		return;
	SignalIf_(inRect == nullptr);
	if (inRect == nullptr)
		return;

	const SInt16 lineLeft = (inH >= inRect->left && inH < inRect->right) ? inH : inRect->left;
	const SInt16 width = SInt16(inRect->right - lineLeft);
	const SInt16 baseline = SInt16(inRect->bottom - (inRect->bottom - inRect->top) / 4);

	if (!UsesClassicDrawing()) {
		FontInfo info;
		GetFontInfo(&info);
		// One line: the box reaches from the ascent to the descent around the bottom line.
		Rect box;
		box.left = lineLeft;
		box.right = inRect->right;
		box.top = SInt16(baseline - info.ascent);
		if (box.top < inRect->top)
			box.top = inRect->top;
		box.bottom = SInt16(baseline + info.descent);
		if (box.bottom > inRect->bottom)
			box.bottom = inRect->bottom;
		DrawThemeTextBox(reinterpret_cast<const char*>(inText + 1), inText[0], kThemeCurrentPortFont,
		                 kThemeStateActive, true, &box, inJust);
		return;
	}

	StNoAntiAlias noAntiAlias;
	Str255 text;
	std::memcpy(text, inText, size_t(inText[0]) + 1);
	const SInt16 textWidth = StringWidth(text);
	SInt16 offset = 0;
	if (textWidth >= width) {
		TruncString(width, text, truncEnd);
	} else {
		if (inJust == teFlushRight)
			offset = SInt16(width - textWidth);
		else if (inJust == teCenter)
			offset = SInt16((width - textWidth) / 2);
	}
	MoveTo(SInt16(lineLeft + offset), baseline);
	::DrawString(text);
}

void UKsStrings::DrawString(const char* inText, SInt16 inH, SInt16 inV, const Rect* inRect, SInt16 inJust)
{
	if (inText == nullptr || inText[0] == 0)
		return;
	Str255 text;
	pstrcpycn(text, inText, 255);
	DrawString(text, inH, inV, inRect, inJust);
}

void UKsStrings::SetAntiAliasState(bool inAntiAlias)
{
	sAntiAliasText = inAntiAlias ? 1 : 0;
}

void UKsStrings::SaveAntiAliasState()
{
	sSaveState = sAntiAliasText;
	sUseState = 1;
}

void UKsStrings::RestoreAntiAliasState()
{
	sAntiAliasText = sSaveState;
	sUseState = 0;
}

char* UKsStrings::LoadStringC(SInt16 inListID, SInt16 inIndex)
{
	Str255 item;
	FetchItem(item, inListID, inIndex);
	char* result = new (std::nothrow) char[size_t(item[0]) + 1];
	ThrowIfNil_(result);
	std::memcpy(result, item + 1, item[0]);
	result[item[0]] = 0;
	return result;
}

unsigned char* UKsStrings::LoadStringP(SInt16 inListID, SInt16 inIndex)
{
	Str255 item;
	FetchItem(item, inListID, inIndex);
	unsigned char* result = new (std::nothrow) unsigned char[size_t(item[0]) + 1];
	ThrowIfNil_(result);
	std::memcpy(result, item, size_t(item[0]) + 1);
	return result;
}
