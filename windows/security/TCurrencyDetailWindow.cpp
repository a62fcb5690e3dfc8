#include "windows/security/TCurrencyDetailWindow.h"

#include "Includes/NoValue.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TCurrencyConversion.h"
#include "platform/framework/LStaticText.h"
#include "platform/toolbox/PascalStrings.h"
#include "toolkit/UPPUtils.h"
#include "windows/security/UDetailPanes.h"

#include <cstdarg>
#include <cstdio>

TCurrencyDetailWindow::TCurrencyDetailWindow(LStream* inStream) : TDetailWindow(inStream)
{
	mNewsCount = 3;
	mPageRecords[0].page = 1;
	mPageRecords[0].linksID = 5460;
	mPageRecords[1].page = 2;
	mPageRecords[1].linksID = 5461;
}

void TCurrencyDetailWindow::FinishCreateSelf()
{
	TDetailWindow::FinishCreateSelf();
	mBuyFrom = UDetailPanes::Find<LStaticText>(mMainPanel, FOUR_CHAR_CODE("BuyF"));
	mSellFrom = UDetailPanes::Find<LStaticText>(mMainPanel, FOUR_CHAR_CODE("SllF"));
	mBuyTo = UDetailPanes::Find<LStaticText>(mMainPanel, FOUR_CHAR_CODE("BuyT"));
	mSellTo = UDetailPanes::Find<LStaticText>(mMainPanel, FOUR_CHAR_CODE("SllT"));
}

void TCurrencyDetailWindow::SetCurrentSecurity(TSecurity* inSecurity)
{
	mCurrency = dynamic_cast<TCurrency*>(inSecurity);
	SignalIf_(mCurrency == nullptr);
	TDetailWindow::SetCurrentSecurity(inSecurity);
}

const char* TCurrencyDetailWindow::FromSymbol() const
{
	const char* symbol = mCurrency != nullptr ? TCurrencyConversion::GetCurrencySymbol(mCurrency->CurrencyFrom())
	                                          : nullptr;
	return symbol != nullptr ? symbol : "";
}

const char* TCurrencyDetailWindow::ToSymbol() const
{
	const char* symbol =
	    mCurrency != nullptr ? TCurrencyConversion::GetCurrencySymbol(mCurrency->CurrencyTo()) : nullptr;
	return symbol != nullptr ? symbol : "";
}

void TCurrencyDetailWindow::Convert(char* outText, std::size_t inSize, double inValue,
                                    tCurrencyTransaction inKind, int inCommission, int inDecimals) const
{
	const double fee = double(inCommission) * inValue / 10000.0;
	SignalIf_(inKind != currencyBuy && inKind != currencySell && inKind != currencyPlain);
	if (inKind == currencyBuy)
		inValue += fee;
	else if (inKind == currencySell)
		inValue -= fee;
	std::snprintf(outText, inSize, "%.*f", inDecimals, inValue);
}

void TCurrencyDetailWindow::GetAdjustedPrice(char* outText, std::size_t inSize, float inAmount,
                                             tCurrencyTransaction inKind, int inCommission, int inDecimals) const
{
	const float rate = mCurrency != nullptr ? mCurrency->CurrentTradePrice() : kNoValue;
	if (rate == kNoValue)
		std::snprintf(outText, inSize, "%s", PascalStrings::ToString(GetStockString(0)).c_str());
	else
		Convert(outText, inSize, double(rate) * inAmount, inKind, inCommission, inDecimals);
}

void TCurrencyDetailWindow::GetReciprocalPrice(char* outText, std::size_t inSize, float inAmount,
                                               tCurrencyTransaction inKind, int inCommission,
                                               int inDecimals) const
{
	const float rate = mCurrency != nullptr ? mCurrency->CurrentTradePrice() : kNoValue;
	// A zero rate has no reciprocal either.
	if (rate == kNoValue || rate == 0)
		std::snprintf(outText, inSize, "%s", PascalStrings::ToString(GetStockString(0)).c_str());
	else
		Convert(outText, inSize, inAmount / double(rate), inKind, inCommission, inDecimals);
}

void TCurrencyDetailWindow::SetConversionLine(LStaticText* inLine, int inFormat, ...)
{
	if (inLine == nullptr)
		return;
	char text[256];
	std::va_list arguments;
	va_start(arguments, inFormat);
	std::vsnprintf(text, sizeof text, GetStockCString(inFormat), arguments);
	va_end(arguments);
	inLine->SetText(text);
}

void TCurrencyDetailWindow::RedoTimesAndSource()
{
	UPPUtils::SetUpdate(mLastTradeTime, mCurrency->CurrentTradeUpdate(), 0);
	UPPUtils::SetUpdate(mLastUpdateTime, mCurrency->LastUpdate(), mCurrency->ErrorCode());
	if (mQuoteSource != nullptr)
		UPPUtils::SetQuoteSource(mQuoteSource, mCurrency);
}

void TCurrencyDetailWindow::RedoNormalContent()
{
	SignalIf_(mCurrency == nullptr);
	if (mCurrency == nullptr)
		return;
	UDetailPanes::SetRateBanners({mSymbolBig, mCurrentPriceBig, mChangePriceBig, mSymbolAlt, mCurrentPriceAlt,
	                              mChangePriceAlt, mSymbolSmall, mCurrentPriceSmall},
	                             mCurrency, mDisplayColour, mUsesFractions, kRateDecimals);
	RedoTimesAndSource();
	const char* from = FromSymbol();
	const char* to = ToSymbol();
	char converted[64];
	GetAdjustedPrice(converted, sizeof converted, 1, currencyBuy, 0, 2);
	SetConversionLine(mBuyFrom, 43, 1, from, converted, to);
	GetAdjustedPrice(converted, sizeof converted, 100, currencyBuy, 0, 2);
	SetConversionLine(mSellFrom, 43, 100, from, converted, to);
	GetReciprocalPrice(converted, sizeof converted, 1, currencyBuy, 0, 2);
	SetConversionLine(mBuyTo, 43, 1, to, converted, from);
	GetReciprocalPrice(converted, sizeof converted, 100, currencyBuy, 0, 2);
	SetConversionLine(mSellTo, 43, 100, to, converted, from);
}

void TCurrencyDetailWindow::DoPrint()
{
	// after merge
}
