#include "Quoters/Currency/TOanda.h"

#include "Includes/NoValue.h"
#include "Quoters/Currency/UCurrencyPage.h"
#include "Quoters/UQuoter.h"
#include "model/TCurrency.h"
#include "platform/toolbox/Debugging.h"

void TOanda::GetExchanges(const tStockExchange** list, short* count)
{
	UCurrencyPage::NoExchanges(list, count);
}

void TOanda::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	UCurrencyPage::GetPairPath(path, pathLen, security, "/convert/classic?value=1&exch=%s&expr=%s");
}

bool TOanda::CurrencyDetail(char* page, long length, TCurrency* currency)
{
	SignalIf_(currency == nullptr);
	if (currency == nullptr)
		return false;
	currency->Reset();
	if (page == nullptr || length <= 0)
		return false;
	// The first result is the amount converted, the second the rate.
	char* second = UCurrencyPage::SecondMarker(page, length, "<span class=\"result_val\">");
	if (second == nullptr)
		return false;
	float rate = kNoValue;
	if (UQuoter::ExtractQuote(second, page + length - second, rate, 1))
		currency->CurrentTradePrice(rate);
	return true;
}
