#pragma once
// Decides when the quotes of each kind of security are fetched again. The plug-in hands it its four
// security lists and the intervals, starts it and gives it time; every 1800 ticks it re-evaluates idling,
// and whenever a kind's interval has run out it submits that kind's securities.
//
// A round is submitted a share at a time, one share per Run, in list order, so that a kind of thousands of
// securities never holds up the event loop; the rest continues on the next passes. A forced or due check
// starts its kind's round again from the first security; Stop drops every round.
//
// Ticks wrap after about 828 days, so every comparison is made on differences.

#include "Includes/TList.h"
#include "model/SecurityTypes.h"
#include "platform/toolbox/MacTypes.h"

class TSecurity;

class TBrokerage
{
public:
	static constexpr UInt32 kIdleCheckTicks = 1800;
	static constexpr UInt32 kTicksPerMinute = 3600;
	// Submissions per Run, over all kinds: each costs a few microseconds.
	static constexpr long kSubmitPerPass = 500;

	TBrokerage();
	~TBrokerage();
	TBrokerage(const TBrokerage&) = delete;
	TBrokerage& operator=(const TBrokerage&) = delete;

	// The kind's securities, seen through a view of the given list (its items, not owned).
	void SetList(tSecurityType type, TList<TSecurity>* list);
	// Minutes between automatic checks: -1 for none, or 1 to a week; any other value gives the kind's
	// factory interval.
	void SetMinutes(tSecurityType type, int minutes);
	static constexpr int kMaxMinutes = 7 * 24 * 60;
	// Resubmit securities already filled since start-up.
	void SetDetailUpdate(bool on) { mDetailUpdate = on; }
	void StartUpdating() { mRunning = 1; }
	// Stops and cancels every pending quote request.
	void Stop();
	bool IsRunning() const { return mRunning != 0; }
	// True while some kind's round has securities left to submit.
	bool InRound() const;

	void CancelRequests(TList<TSecurity>* list);
	void CheckIdling(TList<TSecurity>* list);
	// One kind's due check; force skips the interval test.
	void CheckStocks(bool force) { CheckKind(kStocks, force); }
	void CheckFunds(bool force) { CheckKind(kFunds, force); }
	void CheckIndexes(bool force) { CheckKind(kIndexes, force); }
	void CheckCurrencies(bool force) { CheckKind(kCurrencies, force); }

	// The periodic step.
	void Run();

private:
	enum tKind { kStocks = 0, kFunds = 1, kIndexes = 2, kCurrencies = 3, kKindCount = 4 };

	enum tRound : UInt8 { kNoRound, kRoundFromFirst, kRoundGoing };

	struct tKindState {
		TList<TSecurity>* view = nullptr;
		// A view of the same list whose cursor keeps the round's place between passes: a removal
		// through any list moves it off the freed security.
		TList<TSecurity>* roundView = nullptr;
		tRound round = kNoRound;
		SInt32 minutes = 0;
		UInt32 lastCheck = 0;
		UInt32 nextCheck = 0;
	};

	static int KindOf(tSecurityType type);
	static bool Reached(UInt32 now, UInt32 tick) { return SInt32(now - tick) >= 0; }
	static bool KindOn(int kind);
	static int FactoryMinutes(int kind);
	void CheckKind(int kind, bool force);
	// Submits the kind's round until it ends or this pass's share is spent.
	void ContinueRound(int kind);
	bool Submittable(TSecurity* security) const;

	UInt8 mRunning = 0;
	UInt8 mDetailUpdate = 0;
	tKindState mKinds[kKindCount];
	UInt32 mNextIdleCheck = 0;
	long mPassShare = kSubmitPerPass;
};
