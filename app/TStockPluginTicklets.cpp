// Ticklets: the plug-in walks its lists, mostly those of the kinds switched on; the per-security work is the
// security's.

#include "app/TStockPlugin.h"
#include "model/TSecurity.h"
#include "model/USecurityTicklets.h"
#include "ticker/TSecurityTicklet.h"

void TStockPlugin::InstallTickletMaker()
{
	USecurityTicklets::SetTickletMaker(
	    [](TSecurity* security) -> TTicklet* { return new (std::nothrow) TSecurityTicklet(security); });
}

bool TStockPlugin::UsesTickerID(unsigned long tickerID) const
{
	bool used = false;
	for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
		ForEachSecurity(GetList(kind), [&](TSecurity* security) {
			used = used || security->IsActiveTicker(tickerID);
		});
	return used;
}

template <typename F> void TStockPlugin::ForEachKindOn(F action)
{
	for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
		if (KindOn(kind))
			action(GetList(kind));
}

void TStockPlugin::TickerOpenNotify(unsigned long tickerID)
{
	ForEachKindOn([&](TList<TSecurity>* list) { AddTicklets(list, tickerID); });
}

void TStockPlugin::TickerCloseNotify(unsigned long tickerID)
{
	ForEachKindOn([&](TList<TSecurity>* list) { CloseTicklets(list, tickerID); });
}

void TStockPlugin::TickerDeleteNotify(unsigned long tickerID)
{
	// Kinds switched off forget the ticker too: their files would keep it for good.
	for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
		DeleteTicklets(GetList(kind), tickerID);
}

void TStockPlugin::RefreshAllTicklets()
{
	ForEachKindOn([&](TList<TSecurity>* list) { RefreshTicklets(list); });
}

void TStockPlugin::UpdateAllTicklets()
{
	for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
		UpdateTicklets(GetList(kind), KindOn(kind));
}

void TStockPlugin::UpdateTicklets(TList<TSecurity>* list, bool on)
{
	ForEachSecurity(list, [&](TSecurity* security) { security->UpdateTicklets(on); });
}

void TStockPlugin::RefreshTicklets(TList<TSecurity>* list)
{
	ForEachSecurity(list, [](TSecurity* security) { security->RefreshTicklets(); });
}

void TStockPlugin::AddTicklets(TList<TSecurity>* list, unsigned long tickerID)
{
	ForEachSecurity(list, [&](TSecurity* security) {
		if (security->IsActiveTicker(tickerID))
			security->AddTicklet(tickerID, nullptr);
	});
}

void TStockPlugin::CloseTicklets(TList<TSecurity>* list, unsigned long tickerID)
{
	ForEachSecurity(list, [&](TSecurity* security) { security->CloseTicklet(tickerID, nullptr); });
}

void TStockPlugin::DeleteTicklets(TList<TSecurity>* list, unsigned long tickerID)
{
	ForEachSecurity(list, [&](TSecurity* security) { security->RemoveTicklet(tickerID, nullptr); });
}
