#pragma once
// The framework's two guards: a debug signal that reports a broken precondition and lets execution go on,
// and an assertion that stops the program.

namespace Debugging
{
void Signal(const char* condition, const char* function, const char* file, int line);
[[noreturn]] void Fail(const char* condition, const char* function, const char* file, int line);
// Number of signals raised so far; tests read it to check that a bad argument was reported.
long SignalCount();
} // namespace Debugging

#define SignalIf_(cond)                                                                                      \
	do {                                                                                                 \
		if (cond)                                                                                    \
			Debugging::Signal(#cond, __func__, __FILE__, __LINE__);                              \
	} while (0)

#define SignalIfNot_(cond) SignalIf_(!(cond))

#define Assert_(cond)                                                                                        \
	do {                                                                                                 \
		if (!(cond))                                                                                 \
			Debugging::Fail(#cond, __func__, __FILE__, __LINE__);                                \
	} while (0)
