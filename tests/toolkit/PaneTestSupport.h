#pragma once
// Shared pieces of the caption and control tests: their layouts, the toolkit's classes, and reading what a
// window's port shows.

#include "platform/framework/LClock.h"
#include "platform/framework/LPlaceHolder.h"
#include "platform/framework/LPrintout.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/RegisterToolkitClasses.h"
#include "toolkit/UKsStrings.h"

#include <QImage>
#include <cstdlib>
#include <functional>

namespace PaneTest
{

inline void LoadLayouts()
{
	ToolkitTest::LoadResources();
	static bool loaded = false;
	if (loaded)
		return;
	FrameworkTest::LoadFixtureFile("resources/toolkit-panes.res");
	RegisterToolkitClasses();
	RegisterClass_(LClock);
	RegisterClass_(LPrintout);
	RegisterClass_(LPlaceHolder);
	loaded = true;
}

// Within the rounding of 16-bit components to 8 bits.
inline bool SameColour(QRgb inPixel, const RGBColor& inColour)
{
	auto near = [](int inByte, UInt16 inComponent) { return std::abs(inByte - inComponent / 257) <= 1; };
	return near(qRed(inPixel), inColour.red) && near(qGreen(inPixel), inColour.green) &&
	       near(qBlue(inPixel), inColour.blue);
}

// The pixels of a port rectangle that pass the test.
inline int CountPixels(LWindow* inWindow, const Rect& inRect, const std::function<bool(QRgb)>& inTest)
{
	const QImage* image = inWindow->GetMacPort()->image;
	int count = 0;
	for (int v = inRect.top; v < inRect.bottom; ++v)
		for (int h = inRect.left; h < inRect.right; ++h)
			if (inTest(image->pixel(h, v)))
				++count;
	return count;
}

inline int CountColour(LWindow* inWindow, const Rect& inRect, const RGBColor& inColour)
{
	return CountPixels(inWindow, inRect, [&](QRgb p) { return SameColour(p, inColour); });
}

// Text drawn without anti-aliasing for the life of the object, so that its pixels have its colour.
class StClassicText
{
public:
	StClassicText()
	{
		UKsStrings::SaveAntiAliasState();
		UKsStrings::SetAntiAliasState(false);
	}
	~StClassicText() { UKsStrings::RestoreAntiAliasState(); }
	StClassicText(const StClassicText&) = delete;
	StClassicText& operator=(const StClassicText&) = delete;
};

using FrameworkTest::FindPane;

} // namespace PaneTest
