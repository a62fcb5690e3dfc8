#pragma once
// The edit window of a split or consolidation: a radio pair chooses which, each side has a menu of the
// usual ratios and two fields for a ratio of the user's own. OK is refused until both numbers of the
// ratio are above 0, since a ratio of 0 would wipe out every later total.

#include "windows/portfolio/TLedgerEditWindow.h"

class LRadioButton;
class LStaticText;

class TLedgerSplitWindow : public TLedgerEditWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvLP") };

	explicit TLedgerSplitWindow(LStream* inStream);

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void SaveContent() override;
	void RedoContent() override;

protected:
	void FinishCreateSelf() override;
	// Also the field of a ratio of the user's own that is not above 0.
	LEditText* RefusedField() const override;

private:
	void RedoEnabledItems();
	// The ratio the controls show; false when it has a number of 0 or less.
	bool ChosenRatio(float& outFrom, float& outTo) const;

	LRadioButton* mSplit = nullptr;
	LPopupButton* mSplitMenu = nullptr;
	LEditText* mSplitFrom = nullptr;
	LStaticText* mSplitText = nullptr;
	LEditText* mSplitTo = nullptr;
	LRadioButton* mConsolidate = nullptr;
	LPopupButton* mConsolidateMenu = nullptr;
	LEditText* mConsolidateFrom = nullptr;
	LStaticText* mConsolidateText = nullptr;
	LEditText* mConsolidateTo = nullptr;
	bool mBusy = false;
};
