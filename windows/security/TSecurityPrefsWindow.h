#pragma once
// The securities plug-in's preferences window: twelve panels over the plug-in settings record (and the
// application's hide-tickers flag), chosen in a category list. OK stores the settings and has the plug-in
// save and apply them (5070); Apply stores and applies them without saving (5071); Cancel after an Apply
// puts back the fields this window edits as they were when it opened, leaving the rest of the record to
// whoever changed it meanwhile.

#include "foundation/UMenus.h"
#include "toolkit/TVyWindow.h"
#include "windows/security/TPluginWindowFace.h"
#include "windows/security/UAlertPanel.h"

#include <memory>

class LCheckBox;
class LCheckBoxGroupBox;
class LColorWell;
class LEditText;
class LMultiPanelView;
class LPopupButton;
class LRadioButton;
class LStaticText;
class TFontMenu;
class TFontSizeMenu;
class TSecurityPrefsTable;
struct tStockTickerPrefs;

class TSecurityPrefsWindow : public TVyWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvSP") };
	static constexpr ResIDT kLayoutID = 5600;
	static constexpr int kPanelCount = 12;
	static constexpr int kLosingPanel = 4;
	static constexpr int kGainingPanel = 5;
	enum : CommandT { cmd_Apply = 5071, cmd_SaveAndApply = 5070, cmd_OKOther = 2133 };
	enum : MessageT {
		msg_LosingSound = FOUR_CHAR_CODE("lSou"),
		msg_GainingSound = FOUR_CHAR_CODE("gSou")
	};

	static const tMenuItems sDefaultMinutes[];
	static const tMenuItems sFundMinutes[];
	static const tMenuItems sIdleMinutes[];
	static const tMenuItems sLosingAlerts[];
	static const tMenuItems sGainingAlerts[];
	static const tMenuItems sFractions[];

	static IPluginWindow* Open(LCommander* inSuper);

	explicit TSecurityPrefsWindow(LStream* inStream);
	~TSecurityPrefsWindow() override;

	void SetPrefs(tStockTickerPrefs* inPrefs);
	void RedoContent();
	void SaveContent();
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;

	LMultiPanelView* GetMultiPanelView() const { return mMultiPanelView; }
	LView* GetPanel(int inPanel) const
	{
		return inPanel >= 1 && inPanel <= kPanelCount ? mPanels[inPanel - 1] : nullptr;
	}
	IPluginWindow* PluginFace() { return &mPluginFace; }

protected:
	void FinishCreateSelf() override;

private:
	class TPluginFace : public TPluginWindowFace<TSecurityPrefsWindow>
	{
	public:
		using TPluginWindowFace::TPluginWindowFace;
		void Delete() override;
		void SetPrefs(tStockTickerPrefs* inPrefs) override { mWindow->SetPrefs(inPrefs); }
	};

	template <class T> T* Find(int inPanel, const char (&inID)[5]);
	void SendToSuper(CommandT inCommand);
	void ShowQuoterVersion();
	void RestoreEditedFields();
	// False, with the alert's panel shown and its limit field selected, when a limit is not a number.
	bool CheckAlertLimits();
	void ShowPanel(int inPanel);

	void RedoAppearanceTicker();
	void RedoAppearanceColours();
	void RedoAppearanceReports();
	void RedoAlertsLosing();
	void RedoAlertsGaining();
	void RedoAlertsIdling();
	void RedoSourcesStocks();
	void RedoSourcesFunds();
	void RedoSourcesIndexes();
	void RedoSourcesCurrencies();
	void RedoSummaryAppearance();
	void RedoOtherTrading();
	void SaveAppearanceTicker();
	void SaveAppearanceColours();
	void SaveAppearanceReports();
	void SaveAlertsLosing();
	void SaveAlertsGaining();
	void SaveAlertsIdling();
	void SaveSourcesStocks();
	void SaveSourcesFunds();
	void SaveSourcesIndexes();
	void SaveSourcesCurrencies();
	void SaveSummaryAppearance();
	void SaveOtherTrading();

	tStockTickerPrefs* mPreferences = nullptr;
	LMultiPanelView* mMultiPanelView = nullptr;
	TSecurityPrefsTable* mTable = nullptr;
	LView* mPanels[kPanelCount] = {};
	std::unique_ptr<tMenuItems[]> mAmericanItems;
	std::unique_ptr<tMenuItems[]> mCanadianItems;
	std::unique_ptr<tMenuItems[]> mCurrencyItems;

	// Appearance: ticker, colours, reports.
	LCheckBox* mDisplaySymbol = nullptr;
	LCheckBox* mDisplayName = nullptr;
	LCheckBox* mDisplayPrice = nullptr;
	LCheckBox* mDisplayPercentage = nullptr;
	LCheckBox* mDisplayChange = nullptr;
	LCheckBox* mDisplayVolume = nullptr;
	LPopupButton* mFractions = nullptr;
	LCheckBox* mHideTickers = nullptr;
	LColorWell* mGainingColour = nullptr;
	LColorWell* mLosingColour = nullptr;
	LColorWell* mNeutralColour = nullptr;
	LColorWell* mBackgroundColour = nullptr;
	LCheckBox* mGradiation = nullptr;
	LColorWell* mGradiationColour = nullptr;
	LRadioButton* mStockSymbolView = nullptr;
	LRadioButton* mStockNameView = nullptr;
	LRadioButton* mFundSymbolView = nullptr;
	LRadioButton* mFundNameView = nullptr;
	LRadioButton* mIndexSymbolView = nullptr;
	LRadioButton* mIndexNameView = nullptr;
	LRadioButton* mCurrencySymbolView = nullptr;
	LRadioButton* mCurrencyNameView = nullptr;
	LCheckBox* mHideReports = nullptr;
	// Alerts: losing, gaining, idling.
	UAlertPanel::tControls mLosing;
	UAlertPanel::tControls mGaining;
	LCheckBoxGroupBox* mAllowIdling = nullptr;
	LRadioButton* mIdleOnLastUpdate = nullptr;
	LRadioButton* mIdleOnLastTrade = nullptr;
	LPopupButton* mIdleMinutes = nullptr;
	LCheckBox* mIdleUseColour = nullptr;
	LColorWell* mIdleColour = nullptr;
	LCheckBox* mIdleBlink = nullptr;
	LCheckBox* mIdleBold = nullptr;
	LCheckBox* mIdleItalic = nullptr;
	LCheckBox* mIdleUnderline = nullptr;
	// Sources.
	LCheckBoxGroupBox* mAllowStocks = nullptr;
	LPopupButton* mAmerican = nullptr;
	LPopupButton* mCanadian = nullptr;
	LPopupButton* mStockUpdateMinutes = nullptr;
	LCheckBox* mForceDetailUpdate = nullptr;
	LStaticText* mQuoterVersion = nullptr;
	LCheckBoxGroupBox* mAllowFunds = nullptr;
	LPopupButton* mFundUpdateMinutes = nullptr;
	LCheckBoxGroupBox* mAllowIndexes = nullptr;
	LPopupButton* mIndexUpdateMinutes = nullptr;
	LCheckBoxGroupBox* mAllowCurrencies = nullptr;
	LPopupButton* mCurrencies = nullptr;
	LPopupButton* mCurrencyUpdateMinutes = nullptr;
	// Summary.
	TFontMenu* mSummaryFontName = nullptr;
	TFontSizeMenu* mSummaryFontSize = nullptr;
	LCheckBoxGroupBox* mSummaryUseGrid = nullptr;
	LColorWell* mSummaryEvenColour = nullptr;
	LColorWell* mSummaryOddColour = nullptr;
	LCheckBox* mSummaryUpdateIcon = nullptr;
	LCheckBox* mSummaryAntiAliasText = nullptr;
	// Other.
	LCheckBoxGroupBox* mTradingSiteEnable = nullptr;
	LEditText* mTradingSite = nullptr;

	std::unique_ptr<tStockTickerPrefs> mSavedPrefs;
	bool mApplied = false;
	bool mRedoing = false;
	TPluginFace mPluginFace{this};
};
