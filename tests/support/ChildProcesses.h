#pragma once
// The processes a test starts, and the only ones it signals or waits for, with their descendants that
// carry the test's marker (never processes that merely share its home). kill and waitpid read -1 as every
// process of the user and 0 as the test's whole process group, so a number that is not a child started
// here and not yet waited for is never passed on. A start that fails ends the test at once: the exception
// carries the reason to Google Test, which reports it and still runs the fixture's TearDown.

#include <chrono>
#include <stdexcept>
#include <string>
#include <sys/types.h>
#include <vector>

namespace ChildProcesses
{

struct StartFailed : std::runtime_error {
	using std::runtime_error::runtime_error;
};

// As fork(): 0 in the new process, its number in the test.
pid_t Fork();
// As forkpty(): the new process on a pseudo-terminal of its own, whose other end is outTerminal.
pid_t ForkInTerminal(int* outTerminal);
// Whether this machine gives a pseudo-terminal (a container may not); outWhy says why not.
bool CanHaveTerminal(std::string* outWhy);

// Sends the signal to a child started here and not yet waited for; false, with nothing sent, otherwise.
bool Signal(pid_t inChild, int inSignal);
// Whether the child has ended, its status then in outStatus. Any other number has nothing to wait for.
bool Ended(pid_t inChild, int* outStatus = nullptr);
// Whether the child ends within inBound.
bool EndsWithin(pid_t inChild, std::chrono::milliseconds inBound, int* outStatus = nullptr);
// Sends the signal, and waits at most inBound for the child to end before it is killed; true when the
// signal ended it within the bound.
bool Stop(pid_t inChild, int inSignal, std::chrono::milliseconds inBound = std::chrono::seconds(10),
          int* outStatus = nullptr);

// The variable, put in the environment of the children a test starts, that names the test's own scratch
// folder: their descendants keep it whatever session or group they move to, and nothing else has it.
std::string Marker(const std::string& inScratch);
// The processes other than this one whose environment holds the marker; none for an empty folder name.
std::vector<pid_t> Marked(const std::string& inScratch);
// Sends the signal to each of those.
void SignalMarked(const std::string& inScratch, int inSignal);

} // namespace ChildProcesses
