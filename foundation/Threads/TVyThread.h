#pragma once
// One cooperative thread. The subclass supplies Run(), which the thread calls again and again, yielding to
// the other threads after each call, until the running flag is cleared or the thread is terminated.
//
// The application's main thread and these threads hand control to each other only where one yields, so
// no two ever run at once and the objects they share need no lock. A terminated thread is unwound from the
// yield where it waits; a subclass whose Run() yields must therefore Terminate() in its own destructor,
// before its members go.

#include <thread>

class TVyThread
{
public:
	typedef unsigned long ThreadID;

	TVyThread() = default;
	TVyThread(const TVyThread&) = delete;
	TVyThread& operator=(const TVyThread&) = delete;

	virtual void Run() = 0;
	virtual ~TVyThread();

	// Makes the thread when none exists; it first runs when the caller yields. The system's default stack
	// is used whatever the size asked. Throws -1 when no thread can be made.
	void Initialize(unsigned long stackSize);
	// The thread's entry routine, given the TVyThread to run.
	static void* Launch(void* thread);
	// Ends the thread at the yield where it waits; called by the thread itself it does not return.
	void Terminate();
	static void YieldThread();

	ThreadID GetThreadID() const { return mThreadID; }
	bool IsRunning() const { return mRunning != 0; }

protected:
	ThreadID mThreadID = 0;
	unsigned char mRunning = 0;

private:
	static void Body(TVyThread* thread, ThreadID id);
	void Reap();

	std::thread mThread;
};
