#pragma once
// A disclosure triangle that also carries the height of the area it shows or hides.
// Layout stream: the triangle's data, then the height (32).

#include "platform/framework/LDisclosureTriangle.h"

class TDisclosureTriangle : public LDisclosureTriangle
{
public:
	enum { class_ID = FOUR_CHAR_CODE("Ttri") };

	explicit TDisclosureTriangle(LStream* inStream);

	SInt32 GetHeight() const { return mHeight; }

protected:
	SInt32 mHeight = 0;
};
