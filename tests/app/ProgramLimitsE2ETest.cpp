// The program itself, started as a user starts it and asked to quit with SIGTERM, under a limit on the size
// of the files it may write (ulimit -f): a write past the limit is a write that fails, which the program
// reports, and the files before it are written; the limit does not end the program halfway through.

#include "tests/support/LoopbackHTTPServer.h"
#include "tests/support/TempHomeFixture.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <set>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace
{

const std::string kCurrencies = "Stock Plug-in Currencies";

class ProgramLimitsE2ETest : public TempHomeFixture
{
protected:
	void TearDown() override
	{
		if (mChild > 0) {
			kill(mChild, SIGKILL);
			waitpid(mChild, nullptr, 0);
		}
		TempHomeFixture::TearDown();
	}

	std::string PrefsPath(const std::string& inName) const
	{
		return mRoot + "/config/Vantorel Prefs \xC6\x92/" + inName;
	}

	// Starts the program with at most inLimit bytes per file (0: no limit), its quotes and version
	// check sent to the loopback server, no session bus, its output out of the way.
	void Launch(rlim_t inLimit)
	{
		std::vector<std::string> env;
		for (char** entry = environ; *entry != nullptr; ++entry) {
			const std::string text = *entry;
			if (text.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) != 0 &&
			    text.rfind("http_proxy=", 0) != 0 && text.rfind("no_proxy=", 0) != 0 &&
			    text.rfind("NO_PROXY=", 0) != 0 && text.rfind("QT_QPA_PLATFORM=", 0) != 0)
				env.push_back(text);
		}
		env.push_back("http_proxy=" + mServer.ProxyURL());
		env.push_back("QT_QPA_PLATFORM=offscreen");
		std::vector<char*> envp;
		for (std::string& text : env)
			envp.push_back(text.data());
		envp.push_back(nullptr);
		std::string program = VANTOREL_PROGRAM;
		char* argv[] = {program.data(), nullptr};

		mRequestsBefore = mServer.RequestCount();
		mChild = fork();
		ASSERT_GE(mChild, 0);
		if (mChild == 0) {
			if (inLimit != 0) {
				const rlimit limit{inLimit, inLimit};
				setrlimit(RLIMIT_FSIZE, &limit);
			}
			const int quiet = open("/dev/null", O_WRONLY);
			dup2(quiet, STDOUT_FILENO);
			dup2(quiet, STDERR_FILENO);
			execve(argv[0], argv, envp.data());
			_exit(127);
		}
	}

	// The program's first request shows that it is in its event loop, ready for SIGTERM.
	void WaitUntilRunning()
	{
		const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
		while (mServer.RequestCount() == mRequestsBefore) {
			ASSERT_FALSE(Ended()) << "the program ended while starting";
			ASSERT_LT(std::chrono::steady_clock::now(), end) << "the program did not start";
			poll(nullptr, 0, 10);
		}
	}

	// Whether the program ended, its status noted.
	bool Ended()
	{
		if (mChild <= 0)
			return true;
		if (waitpid(mChild, &mStatus, WNOHANG) != mChild)
			return false;
		mChild = 0;
		return true;
	}

	LoopbackHTTPServer mServer;
	pid_t mChild = 0;
	int mStatus = 0;
	std::size_t mRequestsBefore = 0;
};

TEST_F(ProgramLimitsE2ETest, AFileSizeLimitFailsTheWriteInsteadOfEndingTheProgram)
{
	// A first run makes the settings files.
	Launch(0);
	WaitUntilRunning();
	kill(mChild, SIGTERM);
	ASSERT_EQ(waitpid(mChild, &mStatus, 0), mChild);
	mChild = 0;
	ASSERT_TRUE(WIFEXITED(mStatus) && WEXITSTATUS(mStatus) == 0) << mStatus;

	// The currency pairs repeated until their file is far past the limit the next run gets, which every
	// other file stays under. The pairs file is the last one written at quit.
	constexpr rlim_t kLimit = 64 * 1024;
	for (const char* name : {"Vantorel Prefs", "Stock Plug-in Prefs", "Stock Plug-in Stocks",
	                         "Stock Plug-in Funds", "Stock Plug-in Indexes"})
		ASSERT_LT(ReadText(PrefsPath(name)).size(), kLimit / 2) << name;
	const std::string pairs = ReadText(PrefsPath(kCurrencies));
	ASSERT_GT(pairs.size(), 8u);
	const UInt32 count = UInt32(UInt8(pairs[4])) << 24 | UInt32(UInt8(pairs[5])) << 16 |
	                     UInt32(UInt8(pairs[6])) << 8 | UInt8(pairs[7]);
	const std::size_t times = 4 * kLimit / pairs.size() + 1;
	std::string many = pairs.substr(0, 4);
	for (int shift = 24; shift >= 0; shift -= 8)
		many += char((count * times) >> shift);
	for (std::size_t i = 0; i < times; ++i)
		many += pairs.substr(8);
	WriteText(PrefsPath(kCurrencies), many);

	Launch(kLimit);
	WaitUntilRunning();
	const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
	ASSERT_GE(watch, 0);
	ASSERT_GE(inotify_add_watch(watch, PrefsPath("").c_str(), IN_MOVED_TO | IN_DELETE), 0);
	kill(mChild, SIGTERM);

	// Until the copy that the pairs file was being written to is thrown away, or the program ends.
	std::set<std::string> replaced;
	bool pairsFailed = false;
	const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
	while (!pairsFailed && !Ended() && std::chrono::steady_clock::now() < end) {
		pollfd ready{watch, POLLIN, 0};
		if (poll(&ready, 1, 50) <= 0)
			continue;
		alignas(inotify_event) char buffer[4096];
		const ssize_t length = read(watch, buffer, sizeof(buffer));
		for (ssize_t at = 0; at < length;) {
			const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
			const std::string name = event->len > 0 ? event->name : "";
			if (event->mask & IN_MOVED_TO)
				replaced.insert(name);
			else if (name.rfind("." + kCurrencies + ".", 0) == 0)
				pairsFailed = true;
			at += ssize_t(sizeof(inotify_event) + event->len);
		}
	}
	close(watch);

	ASSERT_NE(mChild, 0) << (WIFSIGNALED(mStatus) ? "ended by signal " + std::to_string(WTERMSIG(mStatus))
	                                              : "ended with status " + std::to_string(mStatus));
	EXPECT_TRUE(pairsFailed);
	// Every file before it was written; it keeps what it held; the program is still there, telling the
	// user that a file could not be written.
	EXPECT_EQ(replaced,
	          (std::set<std::string>{"Vantorel Prefs", "Stock Plug-in Prefs", "Stock Plug-in Stocks",
	                                 "Stock Plug-in Funds", "Stock Plug-in Indexes"}));
	EXPECT_EQ(ReadText(PrefsPath(kCurrencies)), many);
	EXPECT_FALSE(Ended());
}

} // namespace
