#pragma once
// A stock: a security with its exchange and a few company figures.

#include "Includes/tStockParameters.h"
#include "model/MarketCodes.h"
#include "model/TSecurity.h"

class TStock : public TSecurity
{
public:
	static constexpr tStockExchange kNewExchange = 101;

	TStock();

	TStock& operator=(const TStock& other);

	void Copy(TSecurity* other) override;
	short Backup(TVyFile* file) override;
	short Restore(TVyFile* file) override;
	void Reset() override;

	tStockExchange Exchange() const { return mStockParameters.exchange; }
	void Exchange(tStockExchange exchange) { mStockParameters.exchange = exchange; }
	float EarningsPerShare() const { return mStockParameters.earningsPerShare; }
	void EarningsPerShare(float value) { mStockParameters.earningsPerShare = value; }
	float PriceEarningsRatio() const { return mStockParameters.priceEarningsRatio; }
	void PriceEarningsRatio(float value) { mStockParameters.priceEarningsRatio = value; }
	float DividendPerShare() const { return mStockParameters.dividendPerShare; }
	void DividendPerShare(float value) { mStockParameters.dividendPerShare = value; }
	float Capitalization() const { return mStockParameters.capitalization; }
	void Capitalization(float value) { mStockParameters.capitalization = value; }
	float Yield() const { return mStockParameters.yield; }
	void Yield(float value) { mStockParameters.yield = value; }
	tStockParameters* StockParameters() { return &mStockParameters; }

private:
	tStockParameters mStockParameters;
};
