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

	explicit TLedgerEditWindow(LStream* inStream);

	virtual void SaveContent();
	virtual void RedoContent();
	void SetEntry(tLedgerEntry* inEntry, TList<tCategory>* inCategories);
	tLedgerEntry* GetEntry() const { return mEntry; }

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	Boolean AttemptClose() override;

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
