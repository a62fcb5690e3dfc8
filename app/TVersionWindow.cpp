#include "app/TVersionWindow.h"

#include "model/StockGlobals.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LStaticText.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/LaunchURL.h"

#include <cstdio>

char TVersionWindow::sVWCurrentVersion[kTextSize] = {};
long TVersionWindow::sCurrentVersionNumeric = 0;
char TVersionWindow::sVWNewVersion[kTextSize] = "<unknown>";
long TVersionWindow::sNewVersionNumeric = 0;
char TVersionWindow::sVWVersionMessage[kTextSize] = {};
char TVersionWindow::sVWUpgradePage[kTextSize] = {};
bool TVersionWindow::sVersionCheckFailed = false;

namespace
{

void Copy(char (&outText)[TVersionWindow::kTextSize], const char* inText)
{
	std::snprintf(outText, sizeof(outText), "%s", inText ? inText : "");
}

void ShowText(LStaticText* inPane, const char* inText)
{
	if (!inPane)
		return;
	Str255 text;
	PascalStrings::FromString(inText, text);
	inPane->SetDescriptor(text);
}

} // namespace

void TVersionWindow::CurrentVersion(const char* inText, long inNumber)
{
	Copy(sVWCurrentVersion, inText);
	sCurrentVersionNumeric = inNumber;
}

void TVersionWindow::NewVersion(const char* inText, long inNumber)
{
	Copy(sVWNewVersion, inText);
	sNewVersionNumeric = inNumber;
	sVersionCheckFailed = false;
}

void TVersionWindow::VersionCheckFailed()
{
	sVersionCheckFailed = true;
}

void TVersionWindow::VersionMessage(const char* inText)
{
	Copy(sVWVersionMessage, inText);
}

void TVersionWindow::UpgradePage(const char* inURL)
{
	Copy(sVWUpgradePage, inURL);
}

void TVersionWindow::FinishCreateSelf()
{
	TVyWindow::FinishCreateSelf();
	mCurrentVersion = dynamic_cast<LStaticText*>(FindPaneByID(FOUR_CHAR_CODE("cVer")));
	mNewVersion = dynamic_cast<LStaticText*>(FindPaneByID(FOUR_CHAR_CODE("nVer")));
	mIgnore = dynamic_cast<LCheckBox*>(FindPaneByID(FOUR_CHAR_CODE("Ignr")));
	mMessage = dynamic_cast<LStaticText*>(FindPaneByID(FOUR_CHAR_CODE("Motd")));
	SignalIfNot_(mCurrentVersion);
	SignalIfNot_(mNewVersion);
	// The box shows the stored choice: closing the window saves it again.
	if (mIgnore && gAppPreferences)
		mIgnore->SetValue(gAppPreferences->ignoreNewVersions == 1 ? 1 : 0);
	RedoContent();
}

void TVersionWindow::RedoContent()
{
	ShowText(mCurrentVersion, sVWCurrentVersion);
	ShowText(mNewVersion, sVWNewVersion);
	ShowText(mMessage, sVWVersionMessage);
}

void TVersionWindow::SaveContent()
{
	if (!mIgnore || !gAppPreferences)
		return;
	gAppPreferences->ignoreNewVersions = mIgnore->GetValue() != 0 ? 1 : 0;
	if (gAppPreferences->ignoreNewVersions == 1)
		gAppPreferences->carriedValue = 2.2f;
}

Boolean TVersionWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case kOKButton:
		SaveContent();
		LaunchURL(sVWUpgradePage);
		AttemptClose();
		return true;
	case kCancelButton:
		SaveContent();
		AttemptClose();
		return true;
	default:
		return LWindow::ObeyCommand(inCommand, ioParam);
	}
}

void TVersionWindow::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean&, UInt16&, Str255)
{
	outEnabled = inCommand == kOKButton || inCommand == kCancelButton;
}
