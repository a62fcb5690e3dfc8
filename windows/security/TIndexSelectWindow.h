#pragma once
// The settings dialog of a market index (layout 5301): a standard index, an index of another country, or
// any other with its own name and symbol; the quote source, both alerts and the output file.
//
// An index code the pop-ups cannot show is kept unless the user chooses another index.

#include "model/MarketCodes.h"
#include "windows/security/TSelectDlog.h"

class LRadioButton;
class TIndex;

struct tIndexDefinitionRow {
	tIndex code;
	const char* symbol;
	const char* name;
};

class TIndexSelectWindow : public TSelectDlog
{
public:
	enum { class_ID = FOUR_CHAR_CODE("inSW") };
	enum : ResIDT { kLayoutID = 5301 };
	enum : tIndex { kOtherIndex = 900, kNoIndex = 999 };

	static const tMenuItems sStandardIndexes[];
	static const tMenuItems sCountryIndexes[];
	// Ended by code 999.
	static const tIndexDefinitionRow sIndexes[];

	explicit TIndexSelectWindow(LStream* inStream);

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void SetSecurity(TSecurity* inSecurity) override;
	void SetSecurity(TIndex* inIndex);
	void SaveContent() override;
	void RedoContent() override;

protected:
	void FinishCreateSelf() override;
	void CheckRadio(PaneIDT inRadio);
	void CheckMenuID(PaneIDT inPane);
	// The code the controls now choose, or the stored one when no radio button is on.
	tIndex ChosenIndex() const;

	TIndex* mIndex = nullptr;
	LRadioButton* mStandardSelect = nullptr;
	LPopupButton* mStandardIndex = nullptr;
	LRadioButton* mCountrySelect = nullptr;
	LPopupButton* mCountryIndex = nullptr;
	LRadioButton* mOtherSelect = nullptr;
	LView* mDetails = nullptr;
	LEditText* mIndexName = nullptr;
	LEditText* mIndexSymbol = nullptr;
	bool mBusy = false;
	// The user chose another index since the controls were filled.
	bool mIndexChanged = false;
};
