#include "model/TCurrency.h"

#include "model/StockGlobals.h"
#include "model/USecurityRecord.h"

TCurrency::TCurrency()
{
	mType = securityCurrency;
	mParameters.viewType = gPreferences != nullptr ? gPreferences->currencyViewType : kDefaultViewType;
}

TCurrency& TCurrency::operator=(const TCurrency& other)
{
	mCurrencyFrom = other.mCurrencyFrom;
	mCurrencyTo = other.mCurrencyTo;
	TSecurity::operator=(other);
	return *this;
}

void TCurrency::Copy(TSecurity* other)
{
	SignalIf_(other == nullptr || other->Type() != securityCurrency);
	TCurrency* pair = dynamic_cast<TCurrency*>(other);
	if (pair == nullptr || pair == this)
		return;
	SecurityName(pair->SecurityName());
	SecuritySymbol(pair->SecuritySymbol());
	CurrencyFrom(pair->CurrencyFrom());
	CurrencyTo(pair->CurrencyTo());
	AllParameters(pair->AllParameters());
}

short TCurrency::Backup(TVyFile* file)
{
	if (short err = TSecurity::Backup(file); err != 0)
		return err;
	if (short err = USecurityRecord::WriteU16(file, mCurrencyFrom); err != 0)
		return err;
	return USecurityRecord::WriteU16(file, mCurrencyTo);
}

short TCurrency::Restore(TVyFile* file)
{
	tStoredRecord record;
	if (short err = ReadRecord(file, &record); err != 0)
		return err;
	UInt16 from = 0, to = 0;
	if (short err = USecurityRecord::ReadU16(file, &from); err != 0)
		return err;
	if (short err = USecurityRecord::ReadU16(file, &to); err != 0)
		return err;
	TakeRecord(&record);
	mCurrencyFrom = from;
	mCurrencyTo = to;
	return 0;
}
