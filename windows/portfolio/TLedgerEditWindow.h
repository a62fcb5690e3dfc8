#pragma once
// Edits one ledger entry in place. The constructor of each kind says which field groups the window has
// (units and price, exchange, foreign currency, cash amount). OK writes the fields into the entry and sends
// 5087 to the super-commander, Cancel (also the close box) sends 5088; both pass the entry and close. OK is
// refused, with a beep and the field selected, while a number field holds a number the entry cannot take.

#include "Includes/TList.h"
#include "Includes/tCategory.h"
#include "Includes/tLedgerEntry.h"
#include "foundation/UMenus.h"
#include "platform/toolbox/Debugging.h"
#include "toolkit/TVyWindow.h"

#include <initializer_list>
#include <vector>

class LCheckBox;
class LClock;
class LEditText;
class LPopupButton;
class TDisclosureTriangle;

class TLedgerEditWindow : public TVyWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvLE") };
	enum : PaneIDT { kDisclosure = FOUR_CHAR_CODE("Opts") };

	// Why a save stopped at input OK refuses (^0 the window, ^1 the field, ^2 the portfolio).
	enum : ResIDT { ALRT_NotAboveZero = 259, ALRT_BelowZero = 260, ALRT_NotANumber = 261 };

	explicit TLedgerEditWindow(LStream* inStream);

	virtual void SaveContent();
	virtual void RedoContent();
	void SetEntry(tLedgerEntry* inEntry, TList<tCategory>* inCategories);
	tLedgerEntry* GetEntry() const { return mEntry; }

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	Boolean AttemptClose() override;
	// OK pressed for the user by the Save of a close or quit question. Input OK refuses stops the save
	// of the portfolio inPortfolio: the window comes forward with the field selected and an alert names
	// both, since the user pressed no OK and a beep would not say why. False when refused.
	bool AcceptForSave(ConstStr255Param inPortfolio);

protected:
	void FinishCreateSelf() override;
	void RedoDisclosureTriangle();
	template <class T> T* FindField(PaneIDT inID);
	static void SetNumber(LEditText* inField, float inValue);
	static float GetNumber(LEditText* inField);
	// Number fields take only the characters of a number; GetNumber reads 0 from a text that is not one.
	static void FilterNumbers(std::initializer_list<LEditText*> inFields);
	// The first field whose number the entry cannot take, or null: text that is not a number, the units
	// of a purchase or a sale not above 0, a negative price or rate.
	virtual LEditText* RefusedField() const;
	// What the user reads beside a field: the nearest caption ending in ':' to its left on its row (the
	// colon left out), else the row's radio button.
	static void GetFieldCaption(const LEditText* inField, Str255 outCaption);

	LClock* mDate = nullptr;
	LEditText* mSymbol = nullptr;
	LEditText* mComment = nullptr;
	LPopupButton* mCategory = nullptr;
	LPopupButton* mExchange = nullptr;
	LEditText* mUnits = nullptr;
	LEditText* mPrice = nullptr;
	LCheckBox* mConversion = nullptr;
	LPopupButton* mCurrency = nullptr;
	LEditText* mRate = nullptr;
	LEditText* mCash = nullptr;
	std::vector<tMenuItems> mCurrencies;
	const tMenuItems* mExchanges = nullptr;
	TList<tCategory>* mCategoryList = nullptr;
	// The signature of each category item, from menu item 3 on; unnamed categories have no item.
	std::vector<UInt32> mCategorySignatures;
	SInt16 mCategoryBaseItems = 0;
	TDisclosureTriangle* mDisclosureTriangle = nullptr;
	SInt32 mTriangleHeight = 0;
	bool mTriangleOpen = true;
	tLedgerEntry* mEntry = nullptr;
	bool mHasUnits = true;
	bool mHasExchange = false;
	bool mHasConversion = true;
	bool mHasCash = false;

private:
	// A purchase or a sale, whose units must be above 0.
	bool IsTrade() const;
	void RedoCategoryMenu();
	UInt32 ChosenCategory() const;
	void Report(CommandT inCommand);
};

template <class T> T* TLedgerEditWindow::FindField(PaneIDT inID)
{
	T* pane = dynamic_cast<T*>(FindPaneByID(inID));
	SignalIfNot_(pane);
	return pane;
}
