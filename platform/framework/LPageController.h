#pragma once
// The page switch above a multi-panel view: tabs that broadcast the chosen page.

#include "platform/framework/LTabsControl.h"

class LPageController : public LTabsControl
{
public:
	enum { class_ID = FOUR_CHAR_CODE("pctl") };

	// Reads what tabs read.
	explicit LPageController(LStream* inStream) : LTabsControl(inStream) {}
};
