#pragma once
// A ticker's settings window: the Appearance panel (name, speed, direction, position, window style,
// floating, font, size, colour) and the Content panel (the content table over the ticker's content
// manager). The ticker's settings change only on OK; OK and Cancel are then passed on to the ticker.

#include "Includes/tTickerPrefs.h"
#include "platform/framework/LPeriodical.h"
#include "toolkit/TVyWindow.h"

#include <functional>
#include <vector>

class ITicker;
class LCheckBox;
class LColorWell;
class LControl;
class LEditText;
class LMultiPanelView;
class LPopupButton;
class TFontMenu;
class TFontSizeMenu;
class TPluginCategoryTable;
class TTicker;
class TXContentMgr;
struct tKestrunPrefs;

class TPrefsWindow : public TVyWindow, public LPeriodical
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvPF") };
	enum : ResIDT { kLayout = 1020, kAppearanceLayout = 1030, kContentLayout = 1031 };
	enum : CommandT {
		kFirstRowCommand = 14001, // row i's check box sends kFirstRowCommand + i, however many rows
		cmd_Title = FOUR_CHAR_CODE("Titl")
	};

	static void RegisterClasses();
	// Gives tickers their settings windows and content managers.
	static void InstallSettingsHooks();
	// Finds an open ticker of the application's list by the name its engine reports.
	static void SetTickerByName(std::function<ITicker*(const char* name)> lookup);

	explicit TPrefsWindow(LStream* inStream);
	~TPrefsWindow() override;

	void SetPrefs(tKestrunPrefs* appPrefs, tTickerPrefs* prefs, TTicker* ticker, unsigned long id,
	              TXContentMgr* manager);
	void DisableName();
	TXContentMgr* GetContentManager() const { return mContentManager; }
	// The check box of row i (from 0), or null.
	LCheckBox* GetRowCheckBox(SInt32 row) const;

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;
	void SpendTime(const EventRecord& inMacEvent) override;

	static void PrefsActionCallback(SInt32 action, void* window, int rows);

protected:
	void FinishCreateSelf() override;

private:
	void RedoContent();
	void RedoAppearance();
	void RedoTickerContent();
	void SaveContent();
	void SaveAppearance();
	bool CheckTickerName();
	void SetTitleFromName(const char* name);
	void RebuildEntries(int rows);
	void DeleteEntries();
	void ResetCheckBoxes();
	void SetMenu(LPopupButton* menu, const struct tMenuItems* table, int value);
	static int MenuValue(LPopupButton* menu, const struct tMenuItems* table);

	tTickerPrefs* mPrefs = nullptr;
	tKestrunPrefs* mAppPrefs = nullptr;
	TTicker* mTicker = nullptr;
	UInt32 mTickerID = 0;
	TXContentMgr* mContentManager = nullptr;
	std::vector<LCheckBox*> mRows;
	LMultiPanelView* mPanels = nullptr;
	LEditText* mName = nullptr;
	LPopupButton* mSpeed = nullptr;
	LPopupButton* mDirection = nullptr;
	LPopupButton* mAnchor = nullptr;
	LPopupButton* mBorder = nullptr;
	LControl* mFloating = nullptr;
	TFontMenu* mFont = nullptr;
	TFontSizeMenu* mSize = nullptr;
	LColorWell* mColour = nullptr;
	TPluginCategoryTable* mTable = nullptr;
	UInt8 mRebuildPending = 0;
	SInt32 mRebuildRows = 0;
};
