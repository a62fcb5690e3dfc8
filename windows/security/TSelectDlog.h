#pragma once
// The base of the dialog that edits one security's own settings: its losing and gaining alerts, the quote
// source that overrides the default one, and the output file filled from a template after each update.
// The kinds add the fields that identify the security and say which panels they have. The dialog edits
// the security in place on OK and tells its super-commander by a command number; Cancel sends 5075.
//
// However it goes (OK, Cancel, close box, Escape, its super-commander deleting it), the security forgets
// it, so that no reference to a closed dialog remains.

#include "foundation/UMenus.h"
#include "model/ISelectDlog.h"
#include "model/SecurityTypes.h"
#include "platform/toolbox/Debugging.h"
#include "toolkit/TVyWindow.h"
#include "windows/security/UAlertPanel.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct FSSpec;

class LCheckBox;
class LCheckBoxGroupBox;
class LColorWell;
class LEditText;
class LMultiPanelView;
class LPopupButton;
class LStaticText;
class LTabsControl;
class LTextEditView;
class TSecurity;
class TSoundMenu;
class TVyFile;
struct tAlertParameters;

class TSelectDlog : public TVyWindow, public ISelectDlog
{
public:
	enum : CommandT { kDefaultCommand = 5076, kCancelledCommand = 5075 };
	enum : MessageT {
		msg_ChooseFile = FOUR_CHAR_CODE("flSc"),
		msg_LosingSound = FOUR_CHAR_CODE("lSou"),
		msg_GainingSound = FOUR_CHAR_CODE("gSou")
	};

	// The alert condition pop-ups' items and stored conditions.
	static const tMenuItems sLosingAlerts[];
	static const tMenuItems sGainingAlerts[];

	explicit TSelectDlog(LStream* inStream);
	~TSelectDlog() override;

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;

	// ISelectDlog; each kind binds its own kind of security.
	void SetCommand(long inCommand) override { mCommand = inCommand; }
	void SetIsNewSecurity(bool inIsNew) override { mIsNewSecurity = inIsNew; }
	void Show() override;
	bool AttemptClose() override;

	TSecurity* GetSecurity() const { return mSecurity; }
	long GetCommand() const { return mCommand; }
	bool IsNewSecurity() const { return mIsNewSecurity; }
	// The output file chosen in this dialog and not yet handed to the security; null when none.
	TVyFile* GetChosenFile() const { return mChosenFile.get(); }

	virtual void SaveContent() = 0;
	virtual void RedoContent() = 0;

	// Fills a pop-up with one item per table row, in item order; items without a row are separators.
	static void FillTableMenu(LPopupButton* inPopup, const tMenuItems* inTable,
	                          const std::function<std::string(SInt32 inValue)>& inName);
	// Fills a pop-up with the currencies' names, one item per row of the currency table.
	static void FillCurrencyMenu(LPopupButton* inPopup, const tMenuItems* inTable);
	// Fills a pop-up with the names of the quote sources that serve the kind.
	static void FillSourceTexts(LPopupButton* inPopup, tSecurityType inKind);
	// The same from the source menu's texts ("None", "-", then the names).
	static void FillSourceTexts(LPopupButton* inPopup, const std::vector<std::string>& inTexts);

protected:
	void FinishCreateSelf() override;

	virtual void SaveAlertContent();
	virtual void SaveSourcesContent();
	virtual void RedoAlertContent();
	virtual void RedoSourcesContent();
	void SaveHTMLContent();
	void RedoHTMLContent();
	void RedoFilePath();
	// The output file chooser: remembers the place; nothing is created or written before OK.
	void ChooseOutputFile();
	// An open document's file is refused with an alert naming its window: the output written after
	// updates would take the document's place on disk. True when refused.
	static bool RefuseDocumentFile(const FSSpec& inSpec);
	// Finds a pane of the dialog; a missing one is a debug assertion.
	template <class T> T* FindPane(PaneIDT inID);
	// The texts of an edit field as a C string (at most 255 characters).
	static void GetFieldText(LEditText* inField, char* outText)
	{
		UAlertPanel::GetFieldText(inField, outText);
	}
	static void SetFieldText(LEditText* inField, const char* inText)
	{
		UAlertPanel::SetFieldText(inField, inText);
	}
	// The window's title as a C string.
	void SetTitle(const char* inText);
	// Fills a pop-up with the quote sources that serve the kind and keeps their table.
	void FillSourceMenu(LPopupButton* inPopup, SInt16 inSecurityType);
	// The source pop-up's item for a signature, and the signature of its chosen item.
	void ShowQuoter(LPopupButton* inPopup, OSType inSignature);
	OSType ChosenQuoter(LPopupButton* inPopup) const;
	// Name (also the window's title) and symbol of the security.
	void RedoIdentity(LEditText* inName, LEditText* inSymbol);
	// An empty name stores the plug-in's text inDefaultName; an empty symbol its default symbol.
	void SaveIdentity(LEditText* inName, LEditText* inSymbol, int inDefaultName);
	// Re-applies the update rules with the plug-in's default alerts and idling.
	void UpdateSecurity();

	using tAlertControls = UAlertPanel::tControls;
	// Whether the alert is now on; the dialog offers no e-mail notice and clears it.
	static bool SaveAlert(const tAlertControls& inControls, tAlertParameters* ioAlert,
	                      const tMenuItems* inTable);
	// False, with the alert panel shown and its limit field selected, when a limit is not a number.
	bool CheckAlertLimits();
	// Tells the super-commander, then closes through the security.
	void ReportAndClose(CommandT inCommand);
	// The kind's SetSecurity: the security edited and the command its OK sends, then the controls.
	void BindSecurity(TSecurity* inSecurity, long inDefaultCommand);

	TSecurity* mSecurity = nullptr;
	LTabsControl* mHeaders = nullptr;
	LMultiPanelView* mPanelControl = nullptr;
	bool mHasTabs = false;
	// Panel numbers; 0: the kind has no such panel.
	SInt16 mGainingAlertPanel = 0;
	SInt16 mLosingAlertPanel = 0;
	SInt16 mSourcesPanel = 0;
	SInt16 mHTMLPanel = 0;
	LView* mGainingAlertTab = nullptr;
	LView* mLosingAlertTab = nullptr;
	LView* mSourcesTab = nullptr;
	LView* mHTMLTab = nullptr;
	tAlertControls mLosing;
	tAlertControls mGaining;
	LCheckBoxGroupBox* mHTMLOutput = nullptr;
	LStaticText* mHTMLFilePath = nullptr;
	LTextEditView* mHTMLText = nullptr;
	std::unique_ptr<TVyFile> mChosenFile;
	std::unique_ptr<tMenuItems[]> mSourceMenuItems;
	LCheckBoxGroupBox* mSourcesOverride = nullptr;
	LPopupButton* mSourcesQuoter = nullptr;
	long mCommand = kDefaultCommand;
	bool mRedoing = false;
	bool mIsNewSecurity = false;
	bool mDestroying = false;
};

template <class T> T* TSelectDlog::FindPane(PaneIDT inID)
{
	T* pane = dynamic_cast<T*>(FindPaneByID(inID));
	SignalIfNot_(pane);
	return pane;
}
