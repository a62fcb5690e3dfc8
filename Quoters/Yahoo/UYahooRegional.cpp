#include "Quoters/Yahoo/UYahooRegional.h"

#include "Quoters/TQuoterHosts.h"
#include "Quoters/UPercentEncode.h"
#include "Quoters/UQuoter.h"
#include "Quoters/UQuoterExtras.h"
#include "foundation/VyStrings.h"
#include "model/TSecurity.h"
#include "platform/toolbox/Debugging.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace
{

constexpr int kRowsPerPage = 200;

} // namespace

void UYahooRegional::GetURL(TQuoter* quoter, tURLType type, TSecurity* security, char* host, long hostLen,
                            char* path, long pathLen)
{
	if (host != nullptr && hostLen > 0)
		host[0] = 0;
	if (path != nullptr && pathLen > 0)
		path[0] = 0;
	SignalIf_(quoter == nullptr);
	if (quoter == nullptr || host == nullptr || hostLen <= 0)
		return;
	if (type == urlHomePage) {
		std::snprintf(host, size_t(hostLen), "http://%s",
		              TQuoterHosts::GetHost(quoter->GetSig(), TQuoterHosts::hostHome));
	} else if (type == urlQuotePage) {
		SignalIf_(security == nullptr);
		if (security == nullptr)
			return;
		const char* domain = quoter->GetDomain(security->Type());
		strcpyn(host, domain ? domain : "", hostLen - 1);
		if (path != nullptr && pathLen > 0)
			quoter->GetPageDetailed(path, int(pathLen > INT_MAX ? INT_MAX : pathLen), security);
	}
}

void UYahooRegional::GetLookup(OSType signature, const char* text, int page, char* url, long urlLen)
{
	SignalIf_(url == nullptr);
	if (url == nullptr || urlLen <= 0)
		return;
	url[0] = 0;
	char encoded[768];
	UPercentEncode::Encode(text, encoded, sizeof encoded);
	const char* host = TQuoterHosts::GetHost(signature, TQuoterHosts::hostLookup);
	if (page < 2)
		std::snprintf(url, size_t(urlLen), "http://%s/l?s=%s", host, encoded);
	else
		std::snprintf(url, size_t(urlLen), "http://%s/l?s=%s&m=%d", host, encoded,
		              kRowsPerPage * page - (kRowsPerPage - 1));
}

bool UYahooRegional::TextAfterLabel(char* page, long length, const char* label, int line, char* out,
                                    long size)
{
	if (out == nullptr || size <= 0)
		return false;
	out[0] = 0;
	char* found = UQuoter::GotoString(page, length, label);
	if (found == nullptr)
		return false;
	char* from = found + std::strlen(label);
	// A label that ends in the '<' of the next tag gives it back, so that the tag is skipped whole.
	if (from[-1] == '<')
		from--;
	long outLength = size;
	return UQuoter::ExtractStringAfterLine(from, page + length - from, line, out, outLength);
}

void UYahooRegional::CollectHeadlines(char* from, char* to, TSecurity* security)
{
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return;
	for (char* p = from; p != nullptr && p < to;) {
		tNewsEntry entry;
		long consumed = 0;
		if (!UQuoterExtras::ExtractHeadline(p, to - p, &entry, consumed, true, false, false) ||
		    consumed <= 0)
			break;
		security->AddNewsItem(&entry);
		p += consumed;
	}
}

void UYahooRegional::CleanCell(char* cell)
{
	if (cell == nullptr)
		return;
	UQuoterExtras::PurgeHTMLChars(cell);
	UQuoterExtras::PurgeSpaceChars(cell);
}
