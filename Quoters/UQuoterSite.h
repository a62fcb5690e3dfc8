#pragma once
// What sources of several families share about a site's pages: their hosts, bounded and escaped addresses,
// the close before a change, the hour of an "am"/"pm" time, result cells and headline lists.

#include "Quoters/TQuoterHosts.h"
#include "model/tNewsEntry.h"
#include "platform/toolbox/MacTypes.h"

class TSecurity;

class UQuoterSite
{
public:
	// The host of a role, copied into out (size bytes); "" when none is configured.
	static void CopyHost(OSType signature, TQuoterHosts::tHostRole role, char* out, long size);
	// "http://" and the home host, into out (size bytes).
	static void CopyHomePage(OSType signature, char* out, long size);
	// The first maxChars characters of text, percent-encoded, into out (size bytes).
	static void EncodeText(const char* text, long maxChars, char* out, long size);

	// price - change, or price + change when the price fell; kNoValue when either is missing.
	static float CloseBeforeChange(float price, float change, bool fell = false);

	// Whether text holds "am" or "pm" (any case); when both, the earlier counts.
	static void FindMeridiem(const char* text, bool& am, bool& pm);
	// A 12-hour clock reading on the 24-hour clock: 1 to 11 "pm" add 12, 12 "am" is 0.
	static int MeridiemHour(int hour, bool am, bool pm);

	// A result cell as a row shows it: entities decoded, blanks around it gone.
	static void CleanCell(char* cell);

	// True when the link names its own host ("scheme://..." or "//...").
	static bool HasOwnHost(const tNewsEntry& entry);
	// A link without its own host is a path on the site: the whole link becomes the path and host the
	// host (which must outlive the entry's use).
	static void ResolveLink(tNewsEntry& entry, const char* host);
	// Gives the security every headline anchor of [start, end) (at most limit, 0 for no limit), links
	// without their own host resolved against host (null: left as they are); the count added.
	static long AddHeadlines(char* start, char* end, TSecurity* security, const char* host, long limit);
};
