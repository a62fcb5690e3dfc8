#include "Internet/USourceFailures.h"

#include "Internet/TURLRequest.h"
#include "platform/toolbox/TickCount.h"

#include <cstdio>
#include <map>
#include <utility>

namespace
{

struct tSourceState {
	UInt8 failing = 0; // the result code of the present failure, 0 while the source answers
	bool told = false; // that failure was told
	std::map<UInt8, UInt32> lastTold; // tick at which each failure was last told
};

std::map<std::string, tSourceState> sSources;
USourceFailures::tSink sSink;

void Tell(const std::string& line)
{
	if (sSink)
		sSink(line);
	else
		std::fprintf(stderr, "%s\n", line.c_str());
}

} // namespace

void USourceFailures::SetSink(tSink sink)
{
	sSink = std::move(sink);
	sSources.clear();
}

void USourceFailures::Note(const char* source, UInt8 resultCode, const char* errorText)
{
	if (resultCode == TURLRequest::kResultCancelled)
		return;
	const std::string name = source != nullptr && source[0] != 0 ? source : "(unnamed)";
	tSourceState& state = sSources[name];
	if (resultCode == 0) {
		if (state.failing != 0 && state.told)
			Tell("Vantorel: quote source " + name + " answers again");
		state.failing = 0;
		state.told = false;
		return;
	}
	if (state.failing == resultCode)
		return;
	state.failing = resultCode;
	const UInt32 now = TickCount();
	auto last = state.lastTold.find(resultCode);
	state.told = last == state.lastTold.end() || now - last->second >= kQuietTicks;
	if (!state.told)
		return;
	state.lastTold[resultCode] = now;
	const std::string failure = curl_easy_strerror(CURLcode(resultCode));
	std::string line = "Vantorel: quote source " + name + " fails: " + failure;
	// libcurl's own words for the failure, when they say more than its name.
	if (errorText != nullptr && errorText[0] != 0 && failure != errorText)
		line += std::string(" (") + errorText + ")";
	Tell(line);
}
