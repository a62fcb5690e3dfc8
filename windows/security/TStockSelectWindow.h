#pragma once
// The settings dialog of a stock (layout 5101): name, symbol and exchange, both alerts, the quote source
// override and the output file.

#include "model/MarketCodes.h"
#include "windows/security/TSelectDlog.h"

class TStock;

class TStockSelectWindow : public TSelectDlog
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stSW") };
	enum : ResIDT { kLayoutID = 5101 };

	// The exchange of the last stock confirmed, offered for a new one.
	static tStockExchange sLastExchangeSelected;

	explicit TStockSelectWindow(LStream* inStream);

	void SetSecurity(TSecurity* inSecurity) override;
	void SetSecurity(TStock* inStock);
	void SaveContent() override;
	void RedoContent() override;

protected:
	void FinishCreateSelf() override;

	TStock* mStock = nullptr;
	LEditText* mStockName = nullptr;
	LEditText* mStockSymbol = nullptr;
	LPopupButton* mStockExchange = nullptr;
	const tMenuItems* mExchanges = nullptr;
};
