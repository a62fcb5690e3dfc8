#include "app/TCheckVersionWindow.h"

#include "platform/toolbox/Debugging.h"

void TCheckVersionWindow::FinishCreateSelf()
{
	mUpToDate = FindPaneByID(FOUR_CHAR_CODE("vUtd"));
	mOutOfDate = FindPaneByID(FOUR_CHAR_CODE("vOld"));
	mNotKnown = FindPaneByID(FOUR_CHAR_CODE("vUnk"));
	mCheckFailed = FindPaneByID(FOUR_CHAR_CODE("vErr"));
	mUpgrade = FindPaneByID(kOKButton);
	SignalIfNot_(mUpToDate);
	SignalIfNot_(mOutOfDate);
	SignalIfNot_(mNotKnown);
	SignalIfNot_(mCheckFailed);
	SignalIfNot_(mUpgrade);
	TVersionWindow::FinishCreateSelf();
}

void TCheckVersionWindow::RedoContent()
{
	TVersionWindow::RedoContent();
	// Only an answer from the version host names a version; until one came, nothing is known.
	const bool known = sNewVersionNumeric > 0;
	const bool current = known && sNewVersionNumeric <= sCurrentVersionNumeric;
	ShowIf(mUpToDate, current);
	ShowIf(mOutOfDate, known && !current);
	ShowIf(mNotKnown, !known && !sVersionCheckFailed);
	ShowIf(mCheckFailed, !known && sVersionCheckFailed);
	if (mUpgrade)
		known && !current ? mUpgrade->Enable() : mUpgrade->Disable();
}

void TCheckVersionWindow::ShowIf(LPane* inPane, bool inShown)
{
	if (inPane)
		inShown ? inPane->Show() : inPane->Hide();
}
