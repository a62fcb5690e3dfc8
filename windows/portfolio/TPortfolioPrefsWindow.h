#pragma once
// A portfolio's settings window: display, alerts, categories, and password with base currency, on four
// panels. It edits working copies of the portfolio's parameters and categories; OK writes the fields its
// panes edit and the categories back into the document's records and sends cmd_PrefsChanged to its
// super-commander (the portfolio window), Cancel drops them. Category signatures are given once, unique
// within the portfolio, and kept by renames, so ledger entries stay with their category.

#include "Includes/TList.h"
#include "Includes/tCategory.h"
#include "Includes/tPortfolioParameters.h"
#include "foundation/UMenus.h"
#include "platform/framework/STableCell.h"
#include "toolkit/TVyWindow.h"

#include <memory>
#include <vector>

class LCheckBox;
class LEditText;
class LMultiPanelView;
class LPopupButton;
class LPushButton;
class TCategoryTable;
class TFontMenu;
class TFontSizeMenu;

class TPortfolioPrefsWindow : public TVyWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stPP") };
	enum : ResIDT {
		kLayoutID = 5050,
		kDisplayLayout = 5054,
		kAlertsLayout = 5055,
		kCategoriesLayout = 5056,
		kPasswordLayout = 5057,
		kPasswordTooLongDialog = 5058,
		kPasswordUnstorableDialog = 5059
	};
	enum : UInt16 { kDisplayPanel = 1, kAlertsPanel, kCategoriesPanel, kPasswordPanel };
	enum : CommandT {
		cmd_PrefsChanged = 5070,
		cmd_AddCategory = FOUR_CHAR_CODE("AddC"),
		cmd_DeleteCategory = FOUR_CHAR_CODE("DelC"),
		cmd_SaveCategory = FOUR_CHAR_CODE("SavC"),
		cmd_UseCategories = FOUR_CHAR_CODE("dCat")
	};
	// Error messages of the plug-in's list.
	enum : SInt16 {
		kMsgPasswordsDiffer = 17,
		kMsgPasswordTooShort = 18,
		kMsgNoName = 19,
		kMsgNameTaken = 20
	};

	// Creates the window from its layout under inSuper, gives it the document's records and shows it.
	static TPortfolioPrefsWindow* Open(LCommander* inSuper, tPortfolioParameters* ioParameters,
	                                   TList<tCategory>* ioCategories);

	explicit TPortfolioPrefsWindow(LStream* inStream);
	~TPortfolioPrefsWindow() override;

	// Both records are the document's and must outlive the window; nothing reaches them before OK.
	void SetPrefs(tPortfolioParameters* ioParameters, TList<tCategory>* ioCategories);

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void BeTarget() override;
	// OK pressed for the user by the Save of a close or quit question. A limit that is no number stops
	// the save of the portfolio inPortfolio with an alert naming both (a refused password says why
	// itself).
	void AcceptForSave(ConstStr255Param inPortfolio);
	enum : ResIDT { ALRT_LimitNotANumber = 262 };

	// The table's selection changed: 'NamC', 'SavC' and 'DelC' follow it.
	void SelectionChanged(TableIndexT inRow);

	TList<tCategory>* GetWorkingCategories() const { return mWorkingCategories.get(); }
	const tPortfolioParameters& GetWorkingParameters() const { return mWorking; }
	// The base currency menu's items and codes: only currencies the program knows.
	const tMenuItems* GetCurrencyItems() const { return mCurrencies.data(); }

protected:
	void FinishCreateSelf() override;

private:
	void FillCurrencyMenu();
	void RedoContent();
	void RedoFields();
	void RedoCategories();
	void RedoPassword();
	void SaveContent();
	void SaveFields();
	void SaveCategories();
	void SavePassword();
	void WriteBack();
	void KeepCategorySwitches();

	// A limit that is not a number is handed back to the user on the alerts panel.
	bool CheckLimits();
	// The first limit that is no number, refused (its panel shown, the field selected); null when none.
	LEditText* RefusedLimit();
	void ShowPanel(UInt16 inPanel);
	bool CheckPasswords();
	// Empties both fields and the working password and shows the password panel with the message.
	bool RefusePassword(SInt16 inMessage, ResIDT inDialog);
	void CheckCategories();
	void NewCategory();
	void SaveCategory();
	void DeleteCategory();
	void ShowSelectedName();
	TableIndexT SelectedRow() const;

	tPortfolioParameters* mParameters = nullptr;
	tPortfolioParameters mWorking;
	std::unique_ptr<TList<tCategory>> mWorkingCategories;
	TList<tCategory>* mCategories = nullptr;

	LMultiPanelView* mPanels = nullptr;
	TFontMenu* mFont = nullptr;
	TFontSizeMenu* mSize = nullptr;
	LEditText* mLosingLimit = nullptr;
	LEditText* mGainingLimit = nullptr;
	TCategoryTable* mTable = nullptr;
	LPushButton* mAddButton = nullptr;
	LPushButton* mDeleteButton = nullptr;
	LPushButton* mSaveButton = nullptr;
	LEditText* mCategoryName = nullptr;
	LCheckBox* mUsePassword = nullptr;
	LEditText* mPassword = nullptr;
	LEditText* mConfirmation = nullptr;
	LPopupButton* mBaseCurrency = nullptr;
	std::vector<tMenuItems> mCurrencies;
	bool mRedoing = false;
};
