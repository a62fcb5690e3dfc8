#pragma once
// One row of the security preferences category list.

#include "platform/toolbox/MacTypes.h"

struct tPrefsCategory {
	static constexpr int kTitleLength = 50;

	UInt8 headingStyle = 0; // drawn in the heading text traits
	UInt8 group = 0;        // a heading whose group opens and closes
	UInt8 open = 0;         // the group's rows are listed
	char title[kTitleLength + 1] = {};
	UInt16 panel = 0; // the panel this row shows
};
