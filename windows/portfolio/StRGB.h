#pragma once
// Overrides one colour for a scope (printing in black on white) and puts the saved colour back at its end.

#include "platform/toolbox/MacTypes.h"

class StRGB
{
public:
	StRGB(RGBColor* target, const RGBColor& value) : mTarget(target), mSaved(*target) { *target = value; }
	~StRGB() { *mTarget = mSaved; }
	StRGB(const StRGB&) = delete;
	StRGB& operator=(const StRGB&) = delete;

private:
	RGBColor* mTarget;
	RGBColor mSaved;
};
