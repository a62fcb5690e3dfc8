#include "foundation/Threads/TVyThread.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <system_error>
#include <vector>

namespace
{

typedef TVyThread::ThreadID ThreadID;
constexpr ThreadID kApplicationThreadID = 0;

// Thrown at the yield of a terminated thread to unwind it to its entry routine.
struct tTerminated {
};

// Who may run now, and the order in which yields pass control on.
struct tScheduler {
	std::mutex mLock;
	std::condition_variable mTurn;
	std::thread::id mApplicationThread = std::this_thread::get_id();
	ThreadID mCurrent = kApplicationThreadID;
	std::vector<ThreadID> mRing{kApplicationThreadID};
	// A terminated thread, and the one that waits to get control back when it has ended.
	std::map<ThreadID, ThreadID> mTerminated;
	ThreadID mNextID = 1;
};

tScheduler& Scheduler()
{
	static tScheduler sScheduler;
	return sScheduler;
}

thread_local ThreadID tSelf = kApplicationThreadID;

bool InRing(const tScheduler& s, ThreadID id)
{
	return std::find(s.mRing.begin(), s.mRing.end(), id) != s.mRing.end();
}

ThreadID Successor(const tScheduler& s, ThreadID id)
{
	auto it = std::find(s.mRing.begin(), s.mRing.end(), id);
	if (it == s.mRing.end() || ++it == s.mRing.end())
		return s.mRing.front();
	return *it;
}

void HandTo(tScheduler& s, ThreadID next)
{
	s.mCurrent = next;
	s.mTurn.notify_all();
}

void WaitForTurn(std::unique_lock<std::mutex>& lock, tScheduler& s, ThreadID self)
{
	s.mTurn.wait(lock, [&] { return s.mCurrent == self; });
	if (s.mTerminated.count(self) != 0)
		throw tTerminated();
}

bool IsParticipant(const tScheduler& s)
{
	return tSelf != kApplicationThreadID || std::this_thread::get_id() == s.mApplicationThread;
}

void YieldToAnyThread()
{
	tScheduler& s = Scheduler();
	std::unique_lock<std::mutex> lock(s.mLock);
	const ThreadID self = tSelf;
	if (!IsParticipant(s) || s.mCurrent != self)
		return;
	const ThreadID next = Successor(s, self);
	if (next == self)
		return;
	HandTo(s, next);
	WaitForTurn(lock, s, self);
}

} // namespace

TVyThread::~TVyThread()
{
	if (mThreadID != 0)
		Terminate();
	Reap();
}

void TVyThread::Initialize(unsigned long)
{
	if (mRunning || mThreadID != 0)
		return;
	Reap();
	mRunning = 0;

	tScheduler& s = Scheduler();
	ThreadID id;
	{
		std::lock_guard<std::mutex> lock(s.mLock);
		id = s.mNextID++;
		if (s.mNextID == kApplicationThreadID)
			s.mNextID++;
		s.mRing.push_back(id);
	}
	try {
		mThread = std::thread(Body, this, id);
	} catch (const std::system_error&) {
		std::lock_guard<std::mutex> lock(s.mLock);
		s.mRing.erase(std::find(s.mRing.begin(), s.mRing.end(), id));
		throw -1;
	}
	mThreadID = id;
}

void* TVyThread::Launch(void* thread)
{
	if (thread == nullptr)
		return nullptr;
	TVyThread* self = static_cast<TVyThread*>(thread);
	self->mRunning = 1;
	while (self->mRunning) {
		self->Run();
		YieldToAnyThread();
	}
	self->mThreadID = 0;
	self->mRunning = 0;
	return nullptr;
}

void TVyThread::Terminate()
{
	const ThreadID id = mThreadID;
	mThreadID = 0;
	mRunning = 0;
	if (id == 0)
		return;
	if (id == tSelf)
		throw tTerminated();

	tScheduler& s = Scheduler();
	{
		std::unique_lock<std::mutex> lock(s.mLock);
		const ThreadID self = tSelf;
		s.mTerminated[id] = self;
		HandTo(s, id);
		s.mTurn.wait(lock, [&] { return s.mCurrent == self && !InRing(s, id); });
	}
	Reap();
}

void TVyThread::YieldThread()
{
	YieldToAnyThread();
}

void TVyThread::Body(TVyThread* thread, ThreadID id)
{
	tSelf = id;
	tScheduler& s = Scheduler();
	try {
		{
			std::unique_lock<std::mutex> lock(s.mLock);
			WaitForTurn(lock, s, id);
		}
		Launch(thread);
	} catch (const tTerminated&) {
	}

	std::lock_guard<std::mutex> lock(s.mLock);
	ThreadID next;
	auto terminated = s.mTerminated.find(id);
	if (terminated != s.mTerminated.end()) {
		next = terminated->second;
		s.mTerminated.erase(terminated);
	} else {
		next = Successor(s, id);
	}
	s.mRing.erase(std::find(s.mRing.begin(), s.mRing.end(), id));
	HandTo(s, next);
}

// Joins a thread that has ended; only ended threads get here, so the join does not wait on a turn.
void TVyThread::Reap()
{
	if (mThread.joinable() && mThread.get_id() != std::this_thread::get_id())
		mThread.join();
}
