#include "Internet/TBrokerage.h"

#include "foundation/TVyDate.h"
#include "model/StockGlobals.h"
#include "model/TSecurity.h"
#include "model/UConversion.h"
#include "model/USecurityRequests.h"
#include "model/UZVUtils.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/TickCount.h"

namespace
{

// Stocks, indexes, funds, currencies: the order of every walk over the kinds.
constexpr int kWalkOrder[] = {0, 2, 1, 3};

} // namespace

TBrokerage::TBrokerage()
{
	// The first Run re-evaluates idling at once.
	mNextIdleCheck = TickCount();
}

TBrokerage::~TBrokerage()
{
	for (tKindState& kind : mKinds) {
		delete kind.roundView;
		delete kind.view;
	}
}

int TBrokerage::KindOf(tSecurityType type)
{
	switch (type) {
	case securityStock:
		return kStocks;
	case securityFund:
		return kFunds;
	case securityIndex:
		return kIndexes;
	case securityCurrency:
		return kCurrencies;
	default:
		return -1;
	}
}

bool TBrokerage::KindOn(int kind)
{
	const tStockTickerPrefs* prefs = gPreferences;
	if (prefs == nullptr)
		return false;
	switch (kind) {
	case kStocks:
		return prefs->stocksOn != 0;
	case kFunds:
		return prefs->fundsOn != 0;
	case kIndexes:
		return prefs->indexesOn != 0;
	default:
		return prefs->currenciesOn != 0;
	}
}

void TBrokerage::SetList(tSecurityType type, TList<TSecurity>* list)
{
	const int kind = KindOf(type);
	SignalIf_(kind < 0);
	SignalIf_(list == nullptr);
	if (kind < 0 || list == nullptr)
		return;
	tKindState& state = mKinds[kind];
	delete state.roundView;
	delete state.view;
	state.view = new TList<TSecurity>(list);
	state.roundView = new TList<TSecurity>(list);
	state.round = kNoRound;
}

void TBrokerage::SetMinutes(tSecurityType type, int minutes)
{
	const int kind = KindOf(type);
	if (kind < 0)
		return;
	// From about 414 days on, the tick arithmetic would make the kind due on every pass.
	if (minutes != -1 && (minutes < 1 || minutes > kMaxMinutes))
		minutes = FactoryMinutes(kind);
	if (minutes == -1)
		minutes = 0;
	tKindState& state = mKinds[kind];
	const UInt32 interval = minutes > 0 ? UInt32(minutes) * kTicksPerMinute : 0;
	if (state.minutes == 0) {
		// The kind had no interval: due at the next Run.
		state.nextCheck = TickCount();
		state.lastCheck = state.nextCheck - interval;
	} else {
		state.nextCheck = state.lastCheck + interval;
	}
	state.minutes = minutes;
}

int TBrokerage::FactoryMinutes(int kind)
{
	tStockTickerPrefs factory;
	UConversion::DefaultPrefs(&factory);
	switch (kind) {
	case kStocks:
		return factory.stockMinutes;
	case kFunds:
		return factory.fundMinutes;
	case kIndexes:
		return factory.indexMinutes;
	default:
		return factory.currencyMinutes;
	}
}

void TBrokerage::Stop()
{
	mRunning = 0;
	for (tKindState& state : mKinds)
		state.round = kNoRound;
	for (int kind : kWalkOrder)
		if (mKinds[kind].view != nullptr)
			CancelRequests(mKinds[kind].view);
}

bool TBrokerage::InRound() const
{
	for (const tKindState& state : mKinds)
		if (state.round != kNoRound)
			return true;
	return false;
}

void TBrokerage::CancelRequests(TList<TSecurity>* list)
{
	SignalIf_(list == nullptr);
	if (list == nullptr)
		return;
	for (TSecurity* security = list->GetFirst(); security != nullptr; security = list->GetNext())
		USecurityRequests::CancelURL(security);
}

void TBrokerage::CheckIdling(TList<TSecurity>* list)
{
	SignalIf_(list == nullptr);
	if (list == nullptr || gPreferences == nullptr)
		return;
	TVyDate now;
	now.Now();
	for (TSecurity* security = list->GetFirst(); security != nullptr; security = list->GetNext())
		UZVUtils::CheckIdleSecurity(security, &gPreferences->idling, &now, true);
}

void TBrokerage::CheckKind(int kind, bool force)
{
	tKindState& state = mKinds[kind];
	SignalIf_(state.view == nullptr);
	if (state.view == nullptr)
		return;
	if (!force) {
		if (state.minutes < 1)
			return;
		const UInt32 now = TickCount();
		if (!Reached(now, state.nextCheck))
			return;
		state.lastCheck = now;
	}

	state.round = kRoundFromFirst;
	ContinueRound(kind);

	if (state.minutes > 0)
		state.nextCheck = state.lastCheck + UInt32(state.minutes) * kTicksPerMinute;
}

bool TBrokerage::Submittable(TSecurity* security) const
{
	if (!security->MenuEnabled() && !security->SummaryEnabled())
		return false;
	if (security->UpdateSecurityReference() != nullptr)
		return false;
	return !security->InitedToday() || mDetailUpdate != 0 || security->OverrideQuoter();
}

void TBrokerage::ContinueRound(int kind)
{
	tKindState& state = mKinds[kind];
	TList<TSecurity>* view = state.roundView;
	while (state.round != kNoRound && mPassShare > 0) {
		TSecurity* security = state.round == kRoundFromFirst ? view->GetFirst() : view->GetNext();
		state.round = kRoundGoing;
		if (security == nullptr) {
			state.round = kNoRound;
			break;
		}
		if (Submittable(security)) {
			--mPassShare;
			USecurityRequests::SubmitURL(security);
		}
	}
}

void TBrokerage::Run()
{
	if (mRunning == 0)
		return;
	mPassShare = kSubmitPerPass;
	const UInt32 now = TickCount();
	if (Reached(now, mNextIdleCheck)) {
		for (int kind : kWalkOrder)
			if (KindOn(kind) && mKinds[kind].view != nullptr)
				CheckIdling(mKinds[kind].view);
		mNextIdleCheck = now + kIdleCheckTicks;
	}
	for (int kind : kWalkOrder) {
		tKindState& state = mKinds[kind];
		if (!KindOn(kind)) {
			state.round = kNoRound;
			continue;
		}
		CheckKind(kind, false);
		ContinueRound(kind);
	}
}
