// Quote queries by symbol from scripts, and the detail window of a symbol. Errors go back in the reply,
// never to the screen.

#include "Includes/NoValue.h"
#include "app/TStockPlugin.h"
#include "foundation/VyStrings.h"
#include "model/TSecurity.h"
#include "model/USecurityRequests.h"

#include <cstring>

namespace
{

constexpr AEKeyword kSymbolKey = FOUR_CHAR_CODE("SYMB");
// The Apple Event Manager's "no such object".
constexpr OSErr kSymbolNotFoundError = -1728;
constexpr long kDetailWindowEvent = 7500;

bool IsNoValue(float value)
{
	return value == float(kNoValue);
}

} // namespace

TSecurity* TStockPlugin::FindSymbol(TList<TSecurity>* list, const char* symbol)
{
	if (list == nullptr || symbol == nullptr)
		return nullptr;
	for (tListNode<TSecurity>* node = list->GetEntryHead(); node != nullptr; node = node->mNext)
		if (ksstrcmpi(node->mItem->SecuritySymbol(), symbol) == 0)
			return node->mItem;
	return nullptr;
}

OSErr TStockPlugin::AEGetString(const AEDesc& event, AEKeyword key, Str255 text)
{
	Size size = 0;
	DescType type = 0;
	text[0] = 0;
	const OSErr err = AEGetParamPtr(&event, key, typeChar, &type, text + 1, 255, &size);
	if (err == 0)
		text[0] = UInt8(size > 255 ? 255 : size);
	return err;
}

OSErr TStockPlugin::AESetString(AEDesc& reply, AEKeyword key, ConstStr255Param text)
{
	return AEPutParamPtr(&reply, key, typeChar, text + 1, text[0]);
}

OSErr TStockPlugin::AESetFloat(AEDesc& reply, AEKeyword key, float value)
{
	return AEPutParamPtr(&reply, key, typeIEEE32BitFloatingPoint, &value, sizeof(value));
}

OSErr TStockPlugin::AESetShort(AEDesc& reply, AEKeyword key, short value)
{
	return AEPutParamPtr(&reply, key, typeSInt16, &value, sizeof(value));
}

OSErr TStockPlugin::AEError(AEDesc& reply, short error, const char* message)
{
	if (reply.descriptorType == typeNull)
		return 0;
	OSErr err = AESetShort(reply, keyErrorNumber, error);
	if (err == 0) {
		Str255 text;
		const size_t length = std::min<size_t>(std::strlen(message), 255);
		text[0] = UInt8(length);
		std::memcpy(text + 1, message, length);
		err = AESetString(reply, keyErrorString, text);
	}
	return err;
}

void TStockPlugin::HandleAppleEvent(const AppleEvent& event, AppleEvent& reply, AEDesc&, long number)
{
	mAEResult = 1;
	TList<TSecurity>* lists[4] = {mStockList, mFundList, mIndexList, mCurrencyList};
	long request = kDetailWindowEvent;
	TList<TSecurity>* list = nullptr;
	if (number >= 7000 && number <= 7312 && number % 100 <= 12) {
		list = lists[number / 100 - 70];
		request = number % 100;
	} else if (number != kDetailWindowEvent) {
		mAEResult = 0;
		return;
	}

	Str255 text;
	OSErr err = AEGetString(event, keyDirectObject, text);
	if (err != 0)
		err = AEGetString(event, kSymbolKey, text);
	if (err != 0) {
		AEError(reply, err, "Symbol Required.");
		return;
	}
	char symbol[256];
	std::memcpy(symbol, text + 1, text[0]);
	symbol[text[0]] = 0;

	TSecurity* security = nullptr;
	if (list != nullptr)
		security = FindSymbol(list, symbol);
	else
		for (int i = 0; i < 4 && security == nullptr; ++i)
			security = FindSymbol(lists[i], symbol);
	if (security == nullptr) {
		AEError(reply, kSymbolNotFoundError, "Symbol Not Found.");
		return;
	}

	const float last = security->CurrentTradePrice();
	const float close = security->YesterdayClose();
	// A change worked out from a missing value, or a percentage of a zero close, means nothing: 0.
	const bool changeKnown = !IsNoValue(last) && !IsNoValue(close);
	float value = 0;
	switch (request) {
	case 12:
		USecurityRequests::SubmitUserURL(security);
		return;
	case kDetailWindowEvent:
		security->ShowDetailWindow();
		return;
	case 0:
		value = last;
		break;
	case 1:
		value = security->DayOpen();
		break;
	case 2:
		value = close;
		break;
	case 3:
		value = changeKnown ? last - close : 0;
		break;
	case 4:
		value = changeKnown && close != 0 ? (last - close) / close * 100 : 0;
		break;
	case 6:
		value = security->CurrentTradeBid();
		break;
	case 7:
		value = security->CurrentTradeAsk();
		break;
	case 8:
		value = security->DayHigh();
		break;
	case 9:
		value = security->DayLow();
		break;
	case 10:
		value = security->YearHigh();
		break;
	case 11:
		value = security->YearLow();
		break;
	default:
		AEError(reply, short(request), "Unknown AppleEvent for Vantorel.");
		return;
	}
	if (IsNoValue(value))
		value = 0;
	AESetFloat(reply, keyDirectObject, value);
}
