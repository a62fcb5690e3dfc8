#include "platform/framework/UTextTraits.h"

#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/Fonts.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "platform/toolbox/gui/ResourceStore.h"

SInt16 UTextTraits::SetPortTextTraits(ResIDT inTextTraitsID)
{
	const SResTextTraits* traits =
	    inTextTraitsID != 0 ? ResourceStore::Get().GetTextTraits(inTextTraitsID) : nullptr;
	SInt16 font = systemFont;
	if (traits && !traits->fontName.empty()) {
		Str255 name;
		PascalStrings::FromString(traits->fontName, name);
		GetFNum(name, &font);
	}
	TextFont(font);
	TextSize(traits ? traits->size : 0);
	TextFace(traits ? traits->style : 0);
	const RGBColor black{0, 0, 0};
	RGBForeColor(traits ? &traits->color : &black);
	return traits ? traits->justification : SInt16(0);
}
