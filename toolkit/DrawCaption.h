#pragma once
// The text drawing shared by the caption panes: a zero-terminated copy of the text drawn with
// UKsStrings::DrawString in the frame, from its left edge, with the given justification.

#include "platform/toolbox/MacTypes.h"

void DrawCaption(const unsigned char* inText, SInt16 inLength, const Rect& inFrame, SInt16 inJust);
