#pragma once
// The font table: the system names fonts (and some stored settings hold classic font numbers); both map to
// the families installed here. The classic default fonts are stood in for by one default family. Names are
// Mac Roman. Other installed families get numbers from 1024 up, derived from their names so that a number
// stays the same from run to run.

#include "platform/toolbox/MacTypes.h"

#include <string>
#include <vector>

enum : SInt16 {
	systemFont = 0,
	applFont = 1,
	kFontIDNewYork = 2,
	kFontIDGeneva = 3,
	kFontIDMonaco = 4,
	kFontIDTimes = 20,
	kFontIDHelvetica = 21,
	kFontIDCourier = 22,
};

// 0 for a name that is neither installed nor a classic font's.
void GetFNum(ConstStr255Param name, SInt16* familyID);
// The installed family that the number stands for; an empty name for a number that stands for none.
void GetFontName(SInt16 familyID, StringPtr name);
// The installed families the user can choose from, sorted ignoring case.
std::vector<std::string> GetFontFamilyNames();
