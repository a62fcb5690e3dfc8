#pragma once
// A colour of the ticker and application settings: red, green, blue and a fourth word that every copy and
// every stored form carries along without interpreting it.

#include "platform/toolbox/MacTypes.h"

#include <cstddef>

class TKsRGBColor
{
public:
	static constexpr std::size_t kStoredSize = 8;

	TKsRGBColor() = default;
	TKsRGBColor(UInt16 red, UInt16 green, UInt16 blue, UInt16 extra = 0);

	TKsRGBColor& operator=(const TKsRGBColor& other) = default;
	bool operator==(const TKsRGBColor& other) const = default;

	RGBColor GetRGB() const;
	void SetRGB(const RGBColor& colour);

	UInt16 red = 0;
	UInt16 green = 0;
	UInt16 blue = 0;
	UInt16 extra = 0;
};
