#pragma once
// A currency pair; its price is the rate from the first currency to the second.

#include "model/MarketCodes.h"
#include "model/TSecurity.h"

class TCurrency : public TSecurity
{
public:
	static constexpr tCurrency kNewFrom = 100;
	static constexpr tCurrency kNewTo = 101;

	TCurrency();

	TCurrency& operator=(const TCurrency& other);

	void Copy(TSecurity* other) override;
	short Backup(TVyFile* file) override;
	short Restore(TVyFile* file) override;

	tCurrency CurrencyFrom() const { return mCurrencyFrom; }
	void CurrencyFrom(tCurrency currency) { mCurrencyFrom = currency; }
	tCurrency CurrencyTo() const { return mCurrencyTo; }
	void CurrencyTo(tCurrency currency) { mCurrencyTo = currency; }

private:
	tCurrency mCurrencyFrom = kNewFrom;
	tCurrency mCurrencyTo = kNewTo;
};
