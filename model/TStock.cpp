#include "model/TStock.h"

#include "foundation/UIntelConversion.h"
#include "model/StockGlobals.h"
#include "model/USecurityRecord.h"

#include <array>

TStock::TStock()
{
	mType = securityStock;
	mParameters.viewType = gPreferences != nullptr ? gPreferences->stockViewType : kDefaultViewType;
	mStockParameters.exchange = kNewExchange;
	for (float* value : {&mStockParameters.earningsPerShare, &mStockParameters.priceEarningsRatio,
	                     &mStockParameters.dividendPerShare, &mStockParameters.reservedFigure,
	                     &mStockParameters.capitalization, &mStockParameters.yield})
		*value = kNoValue;
	for (float& value : mStockParameters.reservedFigures)
		value = kNoValue;
}

TStock& TStock::operator=(const TStock& other)
{
	mStockParameters = other.mStockParameters;
	TSecurity::operator=(other);
	return *this;
}

void TStock::Copy(TSecurity* other)
{
	SignalIf_(other == nullptr || other->Type() != securityStock);
	TStock* stock = dynamic_cast<TStock*>(other);
	if (stock == nullptr || stock == this)
		return;
	SecurityName(stock->SecurityName());
	SecuritySymbol(stock->SecuritySymbol());
	Exchange(stock->Exchange());
	AllParameters(stock->AllParameters());
}

void TStock::Reset()
{
	TSecurity::Reset();
	mStockParameters.earningsPerShare = kNoValue;
	mStockParameters.priceEarningsRatio = kNoValue;
	mStockParameters.dividendPerShare = kNoValue;
}

short TStock::Backup(TVyFile* file)
{
	if (short err = TSecurity::Backup(file); err != 0)
		return err;
	std::array<unsigned char, tStockParameters::kStoredSize> block{};
	UIntelConversion::ConvertStocks(block, &mStockParameters, false);
	return USecurityRecord::WriteBytes(file, block.data(), block.size());
}

short TStock::Restore(TVyFile* file)
{
	tStoredRecord record;
	if (short err = ReadRecord(file, &record); err != 0)
		return err;
	std::array<unsigned char, tStockParameters::kStoredSize> block{};
	if (short err = USecurityRecord::ReadBytes(file, block.data(), block.size()); err != 0)
		return err;
	Reset();
	TakeRecord(&record);
	UIntelConversion::ConvertStocks(block, &mStockParameters, true);
	return 0;
}
