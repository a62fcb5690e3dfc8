#include "platform/toolbox/Debugging.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace
{
std::atomic<long> sSignals{0};
}

void Debugging::Signal(const char* condition, const char* function, const char* file, int line)
{
	++sSignals;
	std::fprintf(stderr, "debug signal: %s in %s (%s:%d)\n", condition, function, file, line);
}

void Debugging::Fail(const char* condition, const char* function, const char* file, int line)
{
	std::fprintf(stderr, "assertion failed: %s in %s (%s:%d)\n", condition, function, file, line);
	std::abort();
}

long Debugging::SignalCount()
{
	return sSignals;
}
