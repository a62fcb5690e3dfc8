#pragma once
// The detail window of a currency pair of the currency list (layout 5402): the rate with six decimals, its
// change, and one and a hundred units converted each way; three news headlines.

#include "windows/security/TDetailWindow.h"

#include <cstddef>

class TCurrency;

// How a conversion treats the commission.
enum tCurrencyTransaction : int { currencyBuy = 10, currencySell = 11, currencyPlain = 12 };

class TCurrencyDetailWindow : public TDetailWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stCD") };
	static constexpr ResIDT kLayoutID = 5402;
	static constexpr ResIDT kPrintoutID = 5410;
	static constexpr int kRateDecimals = 6;

	explicit TCurrencyDetailWindow(LStream* inStream);

	void SetCurrentSecurity(TSecurity* inSecurity) override;
	void RedoNormalContent() override;
	void DoPrint() override;

	// The amount converted at the pair's rate (rate x amount, or amount / rate for the reciprocal), the
	// commission in hundredths of a percent added on a buy and taken off on a sell, as text of inDecimals
	// places in at most inSize bytes; the not-available text without a rate.
	void GetAdjustedPrice(char* outText, std::size_t inSize, float inAmount, tCurrencyTransaction inKind,
	                      int inCommission, int inDecimals) const;
	void GetReciprocalPrice(char* outText, std::size_t inSize, float inAmount,
	                        tCurrencyTransaction inKind, int inCommission, int inDecimals) const;

	TCurrency* GetCurrency() const { return mCurrency; }

protected:
	void FinishCreateSelf() override;
	// The currencies' three-letter codes; empty for a code the table lacks.
	const char* FromSymbol() const;
	const char* ToSymbol() const;
	// A conversion line: C string inFormat with the arguments its format names, cut to 255 characters.
	static void SetConversionLine(LStaticText* inLine, int inFormat, ...);
	// Banners and times with the rate to six places, which the small banner shows too.
	void WriteRateBanners();

	TCurrency* mCurrency = nullptr;
	LStaticText* mBuyFrom = nullptr;
	LStaticText* mSellFrom = nullptr;
	LStaticText* mBuyTo = nullptr;
	LStaticText* mSellTo = nullptr;

private:
	void Convert(char* outText, std::size_t inSize, double inValue, tCurrencyTransaction inKind,
	             int inCommission, int inDecimals) const;
};
