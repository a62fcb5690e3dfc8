#include "windows/security/TCurrencyDetailWindow.h"

#include "Includes/NoValue.h"
#include "foundation/UNumbers.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TCurrencyConversion.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/LStaticText.h"
#include "platform/toolbox/PascalStrings.h"
#include "toolkit/TColourCaption.h"
#include "toolkit/TColourCaptions.h"
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
	const char* symbol = mCurrency != nullptr
	                         ? TCurrencyConversion::GetCurrencySymbol(mCurrency->CurrencyFrom())
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
	UNumbers::FormatFixed(outText, long(inSize), inValue, inDecimals);
}

void TCurrencyDetailWindow::GetAdjustedPrice(char* outText, std::size_t inSize, float inAmount,
                                             tCurrencyTransaction inKind, int inCommission,
                                             int inDecimals) const
{
	const float rate = mCurrency != nullptr ? mCurrency->CurrentTradePrice() : kNoValue;
	if (rate == kNoValue)
		std::snprintf(outText, inSize, "%s", PascalStrings::ToString(GetStockString(0)).c_str());
	else
		Convert(outText, inSize, UNumbers::ShortestDouble(rate) * UNumbers::ShortestDouble(inAmount),
		        inKind, inCommission, inDecimals);
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
		Convert(outText, inSize, UNumbers::ShortestDouble(inAmount) / UNumbers::ShortestDouble(rate),
		        inKind, inCommission, inDecimals);
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

void TCurrencyDetailWindow::WriteRateBanners()
{
	const float previous = mCurrency->YesterdayClose();
	const float rate = mCurrency->CurrentTradePrice();
	for (TColourCaption* symbol : {mSymbolBig, mSymbolSmall})
		if (symbol != nullptr)
			UPPUtils::SetColourCaption(symbol, mCurrency->SecuritySymbol(), &mDisplayColour);
	if (mSymbolAlt != nullptr)
		UPPUtils::SetColourCaption(mSymbolAlt, mCurrency->SecurityName(), &mDisplayColour);
	for (TColourCaption* price : {mCurrentPriceBig, mCurrentPriceAlt, mCurrentPriceSmall})
		if (price != nullptr)
			UPPUtils::SetColourFloat(price, &mDisplayColour, rate, kRateDecimals);
	for (TColourCaptions* change : {mChangePriceBig, mChangePriceAlt})
		if (change != nullptr)
			UPPUtils::SetColourChange(change, &mDisplayColour, previous, rate, mUsesFractions);
	UPPUtils::SetUpdate(mLastTradeTime, mCurrency->CurrentTradeUpdate(), 0);
	UPPUtils::SetUpdate(mLastUpdateTime, mCurrency->LastUpdate(), mCurrency->ErrorCode());
}

void TCurrencyDetailWindow::RedoNormalContent()
{
	SignalIf_(mCurrency == nullptr);
	if (mCurrency == nullptr)
		return;
	WriteRateBanners();
	UPPUtils::SetQuoteSource(mQuoteSource, mCurrency);
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
	SignalIf_(mCurrency == nullptr);
	if (mCurrency == nullptr)
		return;
	std::unique_ptr<LPrintout> printout = MakePrintout(kPrintoutID);
	LPrintout* page = printout.get();
	SetPrintText(page, FOUR_CHAR_CODE("Comp"), mCurrency->SecurityName());
	SetPrintText(page, FOUR_CHAR_CODE("Symb"), mCurrency->SecuritySymbol());
	SetPrintPriceAndChange(page, kRateDecimals);
	UPPUtils::SetUpdate(PrintCaption(page, FOUR_CHAR_CODE("dtTr")), mCurrency->CurrentTradeUpdate(), 0);
	UPPUtils::SetUpdate(PrintCaption(page, FOUR_CHAR_CODE("dtUp")), mCurrency->LastUpdate(),
	                    mCurrency->ErrorCode());
	SetPrintQuoteSource(page);
	PrintAndClose(page);
}
