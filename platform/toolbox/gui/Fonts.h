#pragma once
// The font table: the system names fonts (and some stored settings hold classic font numbers); both map to
// the families installed here. A classic family this machine lacks draws in the desktop's own family of its
// kind (sans-serif, serif or monospace, as its font configuration chooses); the stored name stays as it
// is. Names are Mac Roman. Other installed families get numbers from 1024 up, derived from their names so
// that a number stays the same from run to run.

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
