#include "tests/support/ChildProcesses.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <pty.h>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace ChildProcesses
{
namespace
{

// Started here and not yet waited for: a number leaves as soon as it may belong to another process.
std::set<pid_t> sRunning;

pid_t Started(pid_t inChild, const char* inCall)
{
	if (inChild < 0)
		throw StartFailed(std::string(inCall) + " failed: " + std::strerror(errno));
	if (inChild > 0)
		sRunning.insert(inChild);
	return inChild;
}

} // namespace

pid_t Fork()
{
	return Started(fork(), "fork");
}

pid_t ForkInTerminal(int* outTerminal)
{
	return Started(forkpty(outTerminal, nullptr, nullptr, nullptr), "forkpty");
}

bool CanHaveTerminal(std::string* outWhy)
{
	int ours = -1, its = -1;
	if (openpty(&ours, &its, nullptr, nullptr, nullptr) != 0) {
		*outWhy = std::string("openpty failed: ") + std::strerror(errno);
		return false;
	}
	close(ours);
	close(its);
	return true;
}

bool Signal(pid_t inChild, int inSignal)
{
	return inChild > 0 && sRunning.count(inChild) != 0 && kill(inChild, inSignal) == 0;
}

bool Ended(pid_t inChild, int* outStatus)
{
	if (inChild <= 0 || sRunning.count(inChild) == 0)
		return true;
	int status = 0;
	const pid_t waited = waitpid(inChild, &status, WNOHANG);
	if (waited == 0 || (waited < 0 && errno == EINTR))
		return false;
	sRunning.erase(inChild);
	if (waited == inChild && outStatus)
		*outStatus = status;
	return true;
}

bool EndsWithin(pid_t inChild, std::chrono::milliseconds inBound, int* outStatus)
{
	const auto end = std::chrono::steady_clock::now() + inBound;
	for (;;) {
		if (Ended(inChild, outStatus))
			return true;
		if (std::chrono::steady_clock::now() >= end)
			return false;
		poll(nullptr, 0, 5);
	}
}

bool Stop(pid_t inChild, int inSignal, std::chrono::milliseconds inBound, int* outStatus)
{
	if (!Signal(inChild, inSignal))
		return false;
	if (EndsWithin(inChild, inBound, outStatus))
		return true;
	Signal(inChild, SIGKILL);
	EndsWithin(inChild, std::chrono::seconds(10), outStatus);
	return false;
}

std::string Marker(const std::string& inScratch)
{
	return "VANTOREL_TEST_SCRATCH=" + inScratch;
}

std::vector<pid_t> Marked(const std::string& inScratch)
{
	std::vector<pid_t> found;
	if (inScratch.empty())
		return found;
	const std::string marker = Marker(inScratch);
	std::error_code ignored;
	for (const auto& entry : std::filesystem::directory_iterator("/proc", ignored)) {
		const pid_t pid = pid_t(std::atoi(entry.path().filename().c_str()));
		if (pid <= 0 || pid == getpid())
			continue;
		std::ifstream in(entry.path() / "environ", std::ios::binary);
		std::string environment(1, '\0');
		environment.append(std::istreambuf_iterator<char>(in), {});
		if (environment.find('\0' + marker + '\0') != std::string::npos)
			found.push_back(pid);
	}
	return found;
}

void SignalMarked(const std::string& inScratch, int inSignal)
{
	for (const pid_t marked : Marked(inScratch))
		kill(marked, inSignal);
}

} // namespace ChildProcesses
