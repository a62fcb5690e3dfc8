#include "Quoters/Currency/TXE.h"

#include "Includes/NoValue.h"
#include "Quoters/Currency/UCurrencyPage.h"
#include "Quoters/UQuoter.h"
#include "model/TCurrency.h"
#include "platform/toolbox/Debugging.h"

void TXE::GetExchanges(const tStockExchange** list, short* count)
{
	UCurrencyPage::NoExchanges(list, count);
}

void TXE::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	UCurrencyPage::GetPairPath(path, pathLen, security, "/ucc/convert.cgi?Amount=1&From=%s&To=%s");
}

bool TXE::CurrencyDetail(char* page, long length, TCurrency* currency)
{
	SignalIf_(currency == nullptr);
	if (currency == nullptr)
		return false;
	currency->Reset();
	if (page == nullptr || length <= 0)
		return false;
	// The rate stands between a tag and the second of the site's warning comments.
	char* second = UCurrencyPage::SecondMarker(page, length, "<!-- WARNING:");
	if (second == nullptr)
		return false;
	long at = second - page;
	while (at > 0 && page[at - 1] != '>')
		at--;
	if (at == 0)
		return false;
	float rate = kNoValue;
	if (UQuoter::ExtractQuote(page + at, second - (page + at), rate, 1))
		currency->CurrentTradePrice(rate);
	return true;
}
