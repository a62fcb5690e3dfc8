#include "Quoters/Nordic/TAktieTorget.h"

#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterExtras.h"
#include "Quoters/UQuoterSite.h"
#include "foundation/VyStrings.h"
#include "model/TStock.h"

#include <cstdio>
#include <cstring>

namespace
{

const tStockExchange kExchanges[] = {851};

constexpr char kNewsItem[] = "NewsItem.aspx?";

} // namespace

void TAktieTorget::GetExchanges(const tStockExchange** list, short* count)
{
	if (list != nullptr)
		*list = kExchanges;
	if (count != nullptr)
		*count = 1;
}

void TAktieTorget::GetPageDetailed(char* path, int pathLen, TSecurity* security)
{
	if (path == nullptr || pathLen <= 0)
		return;
	path[0] = 0;
	if (security == nullptr || (security->Type() != securityStock && security->Type() != securityFund))
		return;
	char symbol[31 * 3 + 1];
	UQuoterSite::EncodeText(security->SecuritySymbol(), 31, symbol, sizeof symbol);
	std::snprintf(path, size_t(pathLen), "/IR_Overview.aspx?Language=2&InstrumentID=%s", symbol);
}

void TAktieTorget::GetLookup(tSecurityType, char*, int, char* url, long urlLen)
{
	if (url != nullptr && urlLen > 0)
		url[0] = 0;
}

bool TAktieTorget::StockDetail(char* page, long length, TStock* stock)
{
	if (stock == nullptr)
		return false;
	stock->Reset();
	if (page == nullptr || length <= 0)
		return false;
	char* end = page + length;
	char* start = UQuoter::GotoString(page, length, ">Latest trading day<");
	if (start == nullptr)
		start = page;
	char* stop = UQuoter::GotoString(start, end - start, ">Orders<");
	if (stop == nullptr)
		stop = end;
	const long size = stop - start;

	float change = kNoValue;
	float last = kNoValue;
	UQuoter::FindQuote(start, size, ">+/-<", change, 0);
	UQuoter::FindQuote(start, size, ">Last<", last, 0);

	// The sign of a fall is shown by brackets, "(0.50)", on the change's own line.
	char* label = UQuoter::GotoString(start, size, ">+/-<");
	if (label == nullptr)
		return false;
	char* closing = label + std::strlen(">+/-");
	char shown[128];
	long shownLength = sizeof shown;
	if (UQuoter::ExtractStringAfterLine(closing, stop - closing, 0, shown, shownLength) &&
	    std::strchr(shown, '(') != nullptr && change != kNoValue && change > 0)
		change = -change;

	stock->CurrentTradePrice(last);
	stock->DayOpen(last);
	stock->YesterdayClose(UQuoterSite::CloseBeforeChange(last, change));

	float value = kNoValue;
	UQuoter::FindQuote(start, size, ">High<", value, 0);
	stock->DayHigh(value);
	UQuoter::FindQuote(start, size, ">Low<", value, 0);
	stock->DayLow(value);
	UInt32 volume = 0;
	UQuoter::FindVolume(start, size, ">Volume<", volume, 0);
	stock->DayVolume(volume);

	News(page, length, stock);
	return true;
}

bool TAktieTorget::News(char* page, long length, TSecurity* security)
{
	static const char kMarker[] = ">News<";
	if (page == nullptr || length <= 0)
		return false;
	char* end = page + length;
	char* marker = UQuoter::GotoString(page, length, kMarker);
	if (marker == nullptr)
		return false;
	char* p = marker + std::strlen(kMarker);
	char* stop = UQuoter::GotoString(p, end - p, "</table>");
	if (stop == nullptr)
		stop = end;

	const char* quoteHost = GetDomain(securityStock);
	char siteHost[300];
	strcpyn(siteHost, quoteHost, sizeof siteHost - 2);
	strcatn(siteHost, "/", sizeof siteHost);

	while (p < stop) {
		tNewsEntry entry;
		long consumed = 0;
		if (!UQuoterExtras::ExtractHeadline(p, stop - p, &entry, consumed, true, false, false) ||
		    consumed <= 0)
			break;
		// The link is the host part and the path part, next to each other in the page.
		const char* linkText =
		    entry.host != nullptr && entry.hostLength > 0 ? entry.host : entry.path;
		char* link = linkText != nullptr ? p + (linkText - p) : nullptr;
		const long linkLength = long(entry.hostLength) + long(entry.pathLength);
		char* item =
		    link != nullptr ? UQuoterExtras::GotoString(link, linkLength, kNewsItem, true) : nullptr;
		if (item != nullptr) {
			const char* linkEnd = link + linkLength;
			const char* amp =
			    static_cast<const char*>(std::memchr(item, '&', size_t(linkEnd - item)));
			entry.host = siteHost;
			entry.hostLength = UInt32(std::strlen(siteHost));
			entry.path = item;
			entry.pathLength = UInt32((amp != nullptr ? amp : linkEnd) - item);
		} else {
			UQuoterSite::ResolveLink(entry, quoteHost);
		}
		if (security != nullptr)
			security->AddNewsItem(&entry);
		p += consumed;
	}
	return true;
}
