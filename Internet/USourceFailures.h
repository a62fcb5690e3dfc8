#pragma once
// Network failures of the quote sources, told on standard error: one line when a source starts failing
// in a new way (naming the source and the failure in libcurl's words) and one when it answers again. A
// source that keeps failing stays quiet, and a failure that comes back soon after the source recovered is
// not told again for a while, so that an outage or a flaky line never floods the terminal.

#include "platform/toolbox/MacTypes.h"

#include <functional>
#include <string>

class USourceFailures
{
public:
	using tSink = std::function<void(const std::string& line)>;

	// Ticks (1/60 s) before the same failure of the same source is told again.
	static constexpr UInt32 kQuietTicks = 10 * 60 * 60;

	// The result of one quote transfer of a source: 0 success, otherwise libcurl's code and error text.
	// Cancelled transfers are no failures.
	static void Note(const char* source, UInt8 resultCode, const char* errorText);
	// Where the lines go (standard error when none); also forgets every source.
	static void SetSink(tSink sink);
};
