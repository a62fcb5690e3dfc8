#pragma once
// The new-version notice: the running and the announced version, the announcement's message, and a box
// that stops further notices. Its static records are shared with the version-check window.

#include "toolkit/TVyWindow.h"

class LCheckBox;
class LStaticText;

class TVersionWindow : public TVyWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvVR") };
	static constexpr int kTextSize = 129;

	explicit TVersionWindow(LStream* inStream) : TVyWindow(inStream) {}

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;
	virtual void RedoContent();
	virtual void SaveContent();

	static void CurrentVersion(const char* inText, long inNumber);
	static void NewVersion(const char* inText, long inNumber);
	// The last check brought no answer; the records keep what they held.
	static void VersionCheckFailed();
	static void VersionMessage(const char* inText);
	static void UpgradePage(const char* inURL);

	static char sVWCurrentVersion[kTextSize];
	static long sCurrentVersionNumeric;
	static char sVWNewVersion[kTextSize];
	static long sNewVersionNumeric;
	static char sVWVersionMessage[kTextSize];
	static char sVWUpgradePage[kTextSize];
	static bool sVersionCheckFailed;

protected:
	void FinishCreateSelf() override;

	LStaticText* mCurrentVersion = nullptr;
	LStaticText* mNewVersion = nullptr;
	LCheckBox* mIgnore = nullptr;
	LStaticText* mMessage = nullptr;
};
