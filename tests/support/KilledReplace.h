#pragma once
// Runs a file operation in a child process that is killed, as a crash or a power cut would stop it, when a
// replacement reaches the given step; and lists a folder, to see what such a kill left.

#include "platform/toolbox/Files.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace killedreplace
{

inline ReplaceStep sStopAt = ReplaceStep::kReplaced;

inline void StopHere(ReplaceStep inStep)
{
	if (inStep == sStopAt)
		raise(SIGKILL);
}

// True when the child was killed at the step (the operation reached it).
inline bool KilledAt(ReplaceStep inStep, const std::function<void()>& inOperation)
{
	const pid_t child = fork();
	if (child < 0)
		return false;
	if (child == 0) {
		sStopAt = inStep;
		SetReplaceStepHook(&StopHere);
		inOperation();
		_exit(0);
	}
	int status = 0;
	return waitpid(child, &status, 0) == child && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

inline constexpr ReplaceStep kEverySteps[] = {ReplaceStep::kCopyWritten, ReplaceStep::kKeptCopyWritten,
                                              ReplaceStep::kFormerKept, ReplaceStep::kReplaced};

inline std::vector<std::string> Entries(const std::string& inFolder)
{
	std::vector<std::string> names;
	for (const auto& entry : std::filesystem::directory_iterator(inFolder))
		names.push_back(entry.path().filename().string());
	std::sort(names.begin(), names.end());
	return names;
}

} // namespace killedreplace
