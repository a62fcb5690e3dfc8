#include "app/TCheckVersionWindow.h"

#include "platform/toolbox/Debugging.h"

void TCheckVersionWindow::FinishCreateSelf()
{
	mUpToDate = FindPaneByID(FOUR_CHAR_CODE("vUtd"));
	mOutOfDate = FindPaneByID(FOUR_CHAR_CODE("vOld"));
	mUpgrade = FindPaneByID(kOKButton);
	SignalIfNot_(mUpToDate);
	SignalIfNot_(mOutOfDate);
	SignalIfNot_(mUpgrade);
	TVersionWindow::FinishCreateSelf();
}

void TCheckVersionWindow::RedoContent()
{
	TVersionWindow::RedoContent();
	const bool current = sNewVersionNumeric <= sCurrentVersionNumeric;
	if (mUpgrade)
		current ? mUpgrade->Disable() : mUpgrade->Enable();
	if (mUpToDate)
		current ? mUpToDate->Show() : mUpToDate->Hide();
	if (mOutOfDate)
		current ? mOutOfDate->Hide() : mOutOfDate->Show();
}
