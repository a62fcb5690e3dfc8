#include "app/TAboutWindow.h"

#include "app/AppGlobals.h"
#include "platform/toolbox/gui/LaunchURL.h"

Boolean TAboutWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case cmd_HomePage:
		LaunchURL(GetAppCString(kHomePageString));
		return true;
	case kOKButton:
	case kCancelButton:
		AttemptClose();
		return true;
	default:
		return LWindow::ObeyCommand(inCommand, ioParam);
	}
}

void TAboutWindow::FindCommandStatus(CommandT, Boolean& outEnabled, Boolean&, UInt16&, Str255)
{
	outEnabled = false;
}
