#pragma once
// The settings dialog of a currency pair (layout 5401): the two currencies and both alerts. The pair is
// named after its currencies.

#include "model/MarketCodes.h"
#include "windows/security/TSelectDlog.h"

class TCurrency;

class TCurrencySelectWindow : public TSelectDlog
{
public:
	enum { class_ID = FOUR_CHAR_CODE("cuSW") };
	enum : ResIDT { kLayoutID = 5401 };

	// The currencies of the last pair confirmed, offered for a new one.
	static tCurrency sLastCurrencyFromSelected;
	static tCurrency sLastCurrencyToSelected;

	explicit TCurrencySelectWindow(LStream* inStream);

	void SetSecurity(TSecurity* inSecurity) override;
	void SetSecurity(TCurrency* inCurrency);
	void SaveContent() override;
	void RedoContent() override;

protected:
	void FinishCreateSelf() override;

	TCurrency* mCurrency = nullptr;
	LPopupButton* mCurrencyFrom = nullptr;
	LPopupButton* mCurrencyTo = nullptr;
	const tMenuItems* mCurrencies = nullptr;
};
