#pragma once
// Text traits ('Txtr' resources): font, size, style, justification and colour for drawing text.

#include "platform/framework/FrameworkTypes.h"

class UTextTraits
{
public:
	// Sets the current port's font, size, style and fore colour from the text traits; returns their
	// justification. Number 0 (or a missing resource) gives the system font at its default size in black,
	// flush left.
	static SInt16 SetPortTextTraits(ResIDT inTextTraitsID);
};
