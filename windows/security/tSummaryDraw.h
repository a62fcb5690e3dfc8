#pragma once
// One row of the summary table: a security, a section title or a spacer.

#include "platform/toolbox/MacTypes.h"

class TSecurity;

struct tSummaryDraw {
	enum : char { kSecurity = 'd', kTitle = 'e', kSpacer = 'f' };
	static constexpr int kTitleSize = 65;

	char Kind = 0;
	TSecurity* Security = nullptr;
	char Title[kTitleSize] = {};
	bool Flash = false;
	bool Updating = false;
	RGBColor Colour{0, 0, 0};
	bool Bold = false;
	bool Italic = false;
	bool Underline = false;
	// Stock and fund rows only.
	bool Draggable = false;
};
