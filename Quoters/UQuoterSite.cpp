#include "Quoters/UQuoterSite.h"

#include "Quoters/UQuoterExtras.h"
#include "foundation/UPercentEncode.h"
#include "foundation/VyStrings.h"
#include "model/TSecurity.h"

#include <cstring>
#include <string>

void UQuoterSite::CopyHost(OSType signature, TQuoterHosts::tHostRole role, char* out, long size)
{
	if (out == nullptr || size <= 0)
		return;
	strcpyn(out, TQuoterHosts::GetHost(signature, role), size - 1);
}

void UQuoterSite::CopyHomePage(OSType signature, char* out, long size)
{
	if (out == nullptr || size <= 0)
		return;
	strcpyn(out, "http://", size - 1);
	strcatn(out, TQuoterHosts::GetHost(signature, TQuoterHosts::hostHome), size);
}

void UQuoterSite::EncodeText(const char* text, long maxChars, char* out, long size)
{
	if (out == nullptr || size <= 0)
		return;
	std::string cut(text != nullptr ? text : "");
	if (maxChars >= 0 && long(cut.size()) > maxChars)
		cut.resize(size_t(maxChars));
	UPercentEncode::Encode(cut.c_str(), out, size);
}

float UQuoterSite::CloseBeforeChange(float price, float change, bool fell)
{
	if (price == kNoValue || change == kNoValue)
		return kNoValue;
	return fell ? price + change : price - change;
}

void UQuoterSite::FindMeridiem(const char* text, bool& am, bool& pm)
{
	am = pm = false;
	if (text == nullptr)
		return;
	const char* a = strstri(text, "am");
	const char* p = strstri(text, "pm");
	if (a != nullptr && (p == nullptr || a < p))
		am = true;
	else if (p != nullptr)
		pm = true;
}

int UQuoterSite::MeridiemHour(int hour, bool am, bool pm)
{
	if (pm && hour >= 1 && hour <= 11)
		return hour + 12;
	if (am && hour == 12)
		return 0;
	return hour;
}

void UQuoterSite::CleanCell(char* cell)
{
	if (cell == nullptr)
		return;
	UQuoterExtras::PurgeHTMLChars(cell);
	UQuoterExtras::PurgeSpaceChars(cell);
}

bool UQuoterSite::HasOwnHost(const tNewsEntry& entry)
{
	if (entry.host == nullptr || entry.hostLength == 0)
		return false;
	const char* h = entry.host;
	const long n = long(entry.hostLength);
	if (n >= 2 && h[0] == '/' && h[1] == '/')
		return true;
	for (long i = 0; i + 2 < n; i++) {
		if (h[i] == ':')
			return h[i + 1] == '/' && h[i + 2] == '/';
		if (h[i] == '/' || h[i] == '?')
			return false;
	}
	return false;
}

void UQuoterSite::ResolveLink(tNewsEntry& entry, const char* host)
{
	if (HasOwnHost(entry) || host == nullptr)
		return;
	// The host part and the path part of a link lie next to each other in the page.
	if (entry.host != nullptr && entry.hostLength > 0) {
		const char* start = entry.host;
		UInt32 length = entry.hostLength;
		if (entry.path != nullptr && entry.path == entry.host + entry.hostLength)
			length += entry.pathLength;
		entry.path = start;
		entry.pathLength = length;
	}
	entry.host = host;
	entry.hostLength = UInt32(std::strlen(host));
}

long UQuoterSite::AddHeadlines(char* start, char* end, TSecurity* security, const char* host, long limit)
{
	long count = 0;
	char* p = start;
	while (p != nullptr && p < end && (limit <= 0 || count < limit)) {
		tNewsEntry entry;
		long consumed = 0;
		if (!UQuoterExtras::ExtractHeadline(p, end - p, &entry, consumed, true, false, false) ||
		    consumed <= 0)
			break;
		ResolveLink(entry, host);
		if (security != nullptr)
			security->AddNewsItem(&entry);
		count++;
		p += consumed;
	}
	return count;
}
