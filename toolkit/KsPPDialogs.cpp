#include "toolkit/KsPPDialogs.h"

#include "foundation/VyStrings.h"
#include "platform/framework/LPane.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "toolkit/StKsDialog.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace
{

constexpr size_t kMaxText = 255;

void SetPaneText(StKsDialog& ioDialog, const char* inText)
{
	LPane* pane = ioDialog.FindPane(kKsPPTextPane);
	if (!pane)
		return;
	Str255 text;
	pstrcpycn(text, inText ? inText : "", kMaxText);
	pane->SetDescriptor(text);
	pane->Refresh();
}

std::string Item(ResIDT inListID, SInt16 inIndex)
{
	Str255 item;
	GetIndString(item, inListID, inIndex);
	return PascalStrings::ToString(item);
}

// The format with its one integer conversion taking a long, or empty when it holds anything else.
std::string LongFormat(const char* inFormat)
{
	std::string out;
	int conversions = 0;
	for (const char* p = inFormat; *p; ++p) {
		out += *p;
		if (*p != '%')
			continue;
		if (p[1] == '%') {
			out += *++p;
			continue;
		}
		if (++conversions > 1)
			return {};
		++p;
		while (*p && std::strchr("-+ #0", *p))
			out += *p++;
		// Widths and precisions stay short, so that the text stays within its bound cheaply.
		for (int part = 0; part < 2; ++part) {
			if (part == 1) {
				if (*p != '.')
					break;
				out += *p++;
			}
			int digits = 0;
			while (*p >= '0' && *p <= '9') {
				out += *p++;
				if (++digits > 3)
					return {};
			}
		}
		while (*p == 'h' || *p == 'l')
			++p;
		if (!*p || !std::strchr("diouxX", *p))
			return {};
		out += 'l';
		out += *p;
	}
	return out;
}

} // namespace

void KsPPFormatValue(const char* inFormat, SInt32 inValue, char* outText, size_t inSize)
{
	if (!outText || inSize == 0)
		return;
	const size_t size = inSize < kMaxText + 1 ? inSize : kMaxText + 1;
	outText[0] = 0;
	if (!inFormat)
		return;
	const std::string format = LongFormat(inFormat);
	if (format.empty() && inFormat[0] != 0)
		strcpyn(outText, inFormat, long(size - 1));
	else
		std::snprintf(outText, size, format.c_str(), long(inValue));
}

MessageT doKsPPWindow(ResIDT inLayoutID, ResIDT inStringListID, SInt16 inIndex, const char* inText)
{
	StKsDialog dialog(inLayoutID);
	if (inIndex >= 1) {
		std::string text = Item(inStringListID, inIndex);
		const size_t mark = text.find("^0");
		if (inText && mark != std::string::npos)
			text.replace(mark, 2, inText);
		SetPaneText(dialog, text.c_str());
	}
	return dialog.Run();
}

MessageT doKsPPTimedWindow(ResIDT inLayoutID, const char* inText, SInt16 inSeconds)
{
	StKsDialog dialog(inLayoutID);
	SetPaneText(dialog, inText);
	const UInt32 ticks = inSeconds > 0 ? UInt32(inSeconds) * 60 : 1;
	return dialog.Run(ticks);
}

MessageT KsPPSaveCheck(const char* inText)
{
	return doKsPPWindow(kKsPPSaveCheckID, kKsPPAppStringsID, 1, inText);
}

MessageT KsPPQuitSaveCheck(const char* inText)
{
	return doKsPPWindow(kKsPPQuitSaveCheckID, kKsPPAppStringsID, 2, inText);
}

MessageT KsPPRevert(const char* inText)
{
	return doKsPPWindow(kKsPPRevertID, kKsPPAppStringsID, 3, inText);
}

MessageT KsPPStandardAlert(SInt16 inIndex)
{
	return doKsPPWindow(kKsPPStandardID, kKsPPAppStringsID, inIndex);
}

MessageT KsPPError(SInt16 inIndex)
{
	return doKsPPWindow(kKsPPErrorID, kKsPPStringsID, inIndex);
}

MessageT KsPPInfo(SInt16 inIndex)
{
	return doKsPPWindow(kKsPPInfoID, kKsPPStringsID, inIndex);
}

MessageT KsPPWarning(SInt16 inIndex)
{
	return doKsPPWindow(kKsPPStandardID, kKsPPStringsID, inIndex);
}

bool KsPPAsk(SInt16 inIndex)
{
	return doKsPPWindow(kKsPPAskID, kKsPPStringsID, inIndex) == msg_OK;
}

MessageT KsPPTimeDialog(SInt16 inIndex, SInt32 inValue)
{
	char text[kMaxText + 1] = {0};
	if (inIndex >= 1)
		KsPPFormatValue(Item(kKsPPStringsID, inIndex).c_str(), inValue, text, sizeof(text));
	return doKsPPTimedWindow(kKsPPTimedID, text, 2);
}

MessageT KsPPTimeDialog(SInt16 inIndex)
{
	const std::string text = inIndex >= 1 ? Item(kKsPPStringsID, inIndex) : std::string();
	return doKsPPTimedWindow(kKsPPTimedID, text.c_str(), 2);
}
