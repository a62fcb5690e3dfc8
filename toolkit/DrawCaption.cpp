#include "toolkit/DrawCaption.h"

#include "toolkit/UKsStrings.h"

#include <cstring>
#include <string>

void DrawCaption(const unsigned char* inText, SInt16 inLength, const Rect& inFrame, SInt16 inJust)
{
	if (inText == nullptr || inLength <= 0)
		return;
	const std::string text(reinterpret_cast<const char*>(inText), std::size_t(inLength));
	UKsStrings::DrawString(text.c_str(), inFrame.left, inFrame.bottom, &inFrame, inJust);
}
