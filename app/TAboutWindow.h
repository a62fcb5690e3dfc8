#pragma once
// The about window: the program's name, version and home page link.

#include "toolkit/TVyWindow.h"

class TAboutWindow : public TVyWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvAB") };
	enum : CommandT { cmd_HomePage = 1045 };

	explicit TAboutWindow(LStream* inStream) : TVyWindow(inStream) {}

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;
};
