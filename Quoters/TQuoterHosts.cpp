#include "Quoters/TQuoterHosts.h"

#include <map>
#include <string>
#include <utility>

namespace
{

struct tDefaultHost {
	OSType signature;
	const char* quote;
	const char* lookup;
	const char* home;
};

// Both Yahoo US and Yahoo Europe read the same quote host, which also serves their symbol search.
const tDefaultHost kDefaultHosts[] = {
    {FOUR_CHAR_CODE("Akti"), "www.aktietorget.se", "www.aktietorget.se", "www.aktietorget.se"},
    {FOUR_CHAR_CODE("iMNY"), "money.canoe.ca", "money.canoe.ca", "money.canoe.ca"},
    {FOUR_CHAR_CODE("GlbM"), "globefunddata.theglobeandmail.com", "www.theglobeandmail.com",
     "www.theglobeandmail.com"},
    {FOUR_CHAR_CODE("Goog"), "finance.google.com", "finance.google.com", "finance.google.com"},
    {FOUR_CHAR_CODE("NGMk"), "www.ngm.se", "www.ngm.se", "www.ngm.se"},
    {FOUR_CHAR_CODE("PCQt"), "www.pcquote.com", "www.pcquote.com", "www.pcquote.com"},
    {FOUR_CHAR_CODE("QTCM"), "www.quote.com", "www.quote.com", "www.quote.com"},
    {FOUR_CHAR_CODE("SwQt"), "www.swissquote.ch", "www.swissquote.ch", "www.swissquote.ch"},
    {FOUR_CHAR_CODE("XExe"), "www.xe.com", "www.xe.com", "www.xe.com"},
    {FOUR_CHAR_CODE("YaAZ"), "au.finance.yahoo.com", "au.finance.yahoo.com", "au.finance.yahoo.com"},
    {FOUR_CHAR_CODE("YaEU"), "finance.yahoo.com", "finance.yahoo.com", "uk.finance.yahoo.com"},
    {FOUR_CHAR_CODE("YaIN"), "finance.yahoo.com", "finance.yahoo.com", "finance.yahoo.com"},
    {FOUR_CHAR_CODE("YaJP"), "quote.yahoo.co.jp", "quote.yahoo.co.jp", "finance.yahoo.co.jp"},
    {FOUR_CHAR_CODE("YaUS"), "finance.yahoo.com", "finance.yahoo.com", "finance.yahoo.com"},
    {FOUR_CHAR_CODE("eNRT"), "www.enorthern.com", "www.enorthern.com", "www.enorthern.com"},
    {FOUR_CHAR_CODE("Oand"), "www.oanda.com", "www.oanda.com", "www.oanda.com"},
};

constexpr const char* kDefaultVersionHost = "www.vantorel.com";
constexpr const char* kDefaultNewsHost = "www.theglobeandmail.com";

using tKey = std::pair<OSType, int>;

struct tHostTable {
	std::map<tKey, std::string> hosts;
	std::string versionHost;
};

void FillDefaults(tHostTable& table)
{
	table.hosts.clear();
	for (const tDefaultHost& entry : kDefaultHosts) {
		table.hosts[{entry.signature, TQuoterHosts::hostQuote}] = entry.quote;
		table.hosts[{entry.signature, TQuoterHosts::hostLookup}] = entry.lookup;
		table.hosts[{entry.signature, TQuoterHosts::hostHome}] = entry.home;
	}
	table.hosts[{FOUR_CHAR_CODE("GlbM"), TQuoterHosts::hostNews}] = kDefaultNewsHost;
	table.versionHost = kDefaultVersionHost;
}

tHostTable& Table()
{
	static tHostTable table = [] {
		tHostTable t;
		FillDefaults(t);
		return t;
	}();
	return table;
}

} // namespace

const char* TQuoterHosts::GetHost(OSType signature, tHostRole role)
{
	const auto& hosts = Table().hosts;
	auto found = hosts.find({signature, role});
	return found == hosts.end() ? "" : found->second.c_str();
}

void TQuoterHosts::SetHost(OSType signature, tHostRole role, const char* host)
{
	if (host == nullptr || host[0] == '\0')
		Table().hosts.erase({signature, role});
	else
		Table().hosts[{signature, role}] = host;
}

const char* TQuoterHosts::GetVersionHost()
{
	return Table().versionHost.c_str();
}

void TQuoterHosts::SetVersionHost(const char* host)
{
	Table().versionHost = host == nullptr ? "" : host;
}

void TQuoterHosts::ResetHosts()
{
	FillDefaults(Table());
}
