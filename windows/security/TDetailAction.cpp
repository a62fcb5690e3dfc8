#include "windows/security/TDetailAction.h"

#include "Quoters/TQuoter.h"
#include "Quoters/TQuoterManager.h"
#include "app/AppGlobals.h"
#include "foundation/VyStrings.h"
#include "model/StockGlobals.h"
#include "model/TStock.h"
#include "model/UMerge.h"
#include "model/USecurityRequests.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/gui/LaunchURL.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace
{

constexpr ResIDT kAlertTradeLinkUnusable = 257;

// Stock filings and charts: URL templates by exchange group, each with one place for the symbol.
void OpenStockTemplate(TSecurity* security, int usTemplate, int canadaTemplate)
{
	auto* stock = dynamic_cast<TStock*>(security);
	if (stock == nullptr)
		return;
	const tStockExchange exchange = stock->Exchange();
	int index;
	if (exchange >= 100 && exchange <= 102)
		index = usTemplate;
	else if ((exchange >= 200 && exchange <= 203) || exchange == 205)
		index = canadaTemplate;
	else {
		QApplication::beep();
		return;
	}
	const char* format = GetStockCString(index);
	if (format == nullptr || *format == 0)
		return;
	char url[256];
	std::snprintf(url, sizeof url, format, stock->SecuritySymbol());
	LaunchURL(url);
}

} // namespace

void TDetailAction::DoWeb()
{
	OpenSourcePage(mSecurity, false);
}

void TDetailAction::OpenSourcePage(TSecurity* sec, bool quotePageFirst)
{
	if (sec == nullptr)
		return;
	const OSType signature = TQuoterManager::GetQuoterSig(sec);
	char host[128] = {};
	char path[512] = {};
	if (quotePageFirst)
		TQuoterManager::GetQuoterURL(signature, urlQuotePage, sec, host, sizeof host, path,
		                             sizeof path);
	if (host[0] == 0) {
		path[0] = 0;
		TQuoterManager::GetQuoterDomain(signature, sec->Type(), host, sizeof host);
		TQuoterManager::GetQuoterPageDetailed(signature, path, sizeof path, sec);
	}
	// A source that is not registered gives no address.
	if (host[0] != 0)
		LaunchURL(("http://" + std::string(host) + path).c_str());
}

void TDetailAction::DoEdit()
{
	if (mSecurity != nullptr)
		mSecurity->ShowSelectDlog(gCommander, mCommand, false);
}

void TDetailAction::DoTrade()
{
	if (mSecurity == nullptr || gPreferences == nullptr || gPreferences->useTradeURL != 1 ||
	    gPreferences->tradeURL[0] == 0)
		return;
	std::unique_ptr<char[]> merged(UMerge::MergeTradeURL(mSecurity));
	if (merged == nullptr || merged[0] == 0)
		return;
	// The link is the user's own: one that makes no web address is theirs to mend, so it is named.
	if (!IsLaunchableURL(merged.get())) {
		const std::string typed(gPreferences->tradeURL,
		                        strnlen(gPreferences->tradeURL, sizeof gPreferences->tradeURL));
		Str255 link;
		pstrcpycn(link, typed.c_str(), 255);
		ParamText(link, nullptr, nullptr, nullptr);
		CautionAlert(kAlertTradeLinkUnusable);
		return;
	}
	LaunchURL(merged.get());
}

void TDetailAction::DoFilings()
{
	OpenStockTemplate(mSecurity, 27, 29);
}

void TDetailAction::DoCharts()
{
	OpenStockTemplate(mSecurity, 28, 30);
}

void TDetailAction::DoUpdate()
{
	// Never cancels an outstanding request: the request layer moves one waiting in the round up.
	if (mSecurity != nullptr)
		USecurityRequests::SubmitUserURL(mSecurity);
}
