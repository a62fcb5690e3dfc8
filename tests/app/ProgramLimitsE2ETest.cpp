// The program itself, started as a user starts it and asked to quit with SIGTERM or by a script. Under a
// limit on the size of the files it may write (ulimit -f), a write past the limit is a write that fails,
// which the program reports, and the files before it are written; the limit does not end the program
// halfway through. A quit that comes while a message waits ends the message and the program, on a display
// of its own (Xvfb) where the message can be seen.

#include "model/tPortfolioItem.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/SessionBusSupport.h"
#include "tests/support/LoopbackHTTPServer.h"
#include "tests/support/PortfolioFiles.h"
#include "tests/support/TempHomeFixture.h"
#include "tests/support/VirtualDisplay.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <poll.h>
#include <set>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
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
	// check sent to the loopback server, its output out of the way. Without a display it runs offscreen
	// and without a session bus; with one, on that display and on the test's own bus.
	void Launch(rlim_t inLimit, const std::vector<std::string>& inFiles = {},
	            const std::string& inDisplay = {})
	{
		std::vector<std::string> env;
		for (char** entry = environ; *entry != nullptr; ++entry) {
			const std::string text = *entry;
			if ((text.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) != 0 || !inDisplay.empty()) &&
			    text.rfind("http_proxy=", 0) != 0 && text.rfind("no_proxy=", 0) != 0 &&
			    text.rfind("NO_PROXY=", 0) != 0 && text.rfind("QT_QPA_PLATFORM=", 0) != 0 &&
			    text.rfind("DISPLAY=", 0) != 0)
				env.push_back(text);
		}
		env.push_back("http_proxy=" + mServer.ProxyURL());
		env.push_back(inDisplay.empty() ? "QT_QPA_PLATFORM=offscreen" : "QT_QPA_PLATFORM=xcb");
		if (!inDisplay.empty())
			env.push_back("DISPLAY=" + inDisplay);
		std::vector<char*> envp;
		for (std::string& text : env)
			envp.push_back(text.data());
		envp.push_back(nullptr);
		std::string program = VANTOREL_PROGRAM;
		std::vector<std::string> args{program};
		args.insert(args.end(), inFiles.begin(), inFiles.end());
		std::vector<char*> argv;
		for (std::string& arg : args)
			argv.push_back(arg.data());
		argv.push_back(nullptr);

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
			execve(argv[0], argv.data(), envp.data());
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

	// A first run, quit with SIGTERM once it is up, makes the settings files.
	void FirstRun()
	{
		Launch(0);
		WaitUntilRunning();
		kill(mChild, SIGTERM);
		ASSERT_EQ(waitpid(mChild, &mStatus, 0), mChild);
		mChild = 0;
		ASSERT_TRUE(WIFEXITED(mStatus) && WEXITSTATUS(mStatus) == 0) << mStatus;
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
	FirstRun();

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

class QuitWhileAMessageWaitsE2ETest : public ProgramLimitsE2ETest
{
protected:
	void SetUp() override
	{
		ProgramLimitsE2ETest::SetUp();
		if (std::system("command -v Xvfb >/dev/null 2>&1 && command -v xwininfo >/dev/null 2>&1") !=
		    0)
			GTEST_SKIP() << "Xvfb or xwininfo is not installed";
		// The scripts' processes want a Qt application; this process's own stays offscreen.
		AppTest::LoadProgramResources();
		static const std::string display = [] {
			std::string number;
			for (int attempt = 0; attempt < 5 && number.empty(); ++attempt)
				number = VirtualDisplayDetail::StartOnce("1024x768x24");
			return number.empty() ? std::string() : ":" + number;
		}();
		ASSERT_FALSE(display.empty()) << "Xvfb did not start";
		mDisplay = display;
		mBus.emplace(mRoot);
		ASSERT_TRUE(mBus->IsUp()) << "dbus-daemon did not start";
	}

	void TearDown() override
	{
		mBus.reset();
		ProgramLimitsE2ETest::TearDown();
	}

	bool Shown(const std::string& inTitle) const
	{
		return ShellOutput("xwininfo -display " + mDisplay + " -name '" + inTitle + "'")
		           .find("IsViewable") != std::string::npos;
	}

	// Each settings file's inode: a file written anew (into a copy renamed into place) has another.
	std::map<std::string, ino_t> SettingsFiles() const
	{
		std::map<std::string, ino_t> files;
		for (const char* name :
		     {"Vantorel Prefs", "Stock Plug-in Prefs", "Stock Plug-in Stocks", "Stock Plug-in Funds",
		      "Stock Plug-in Indexes", "Stock Plug-in Currencies"}) {
			struct stat info = {};
			files[name] = stat(PrefsPath(name).c_str(), &info) == 0 ? info.st_ino : 0;
		}
		return files;
	}

	bool ScriptingNameOwned()
	{
		QProcess call;
		call.start("gdbus", {"call", "--session", "--dest", "org.freedesktop.DBus", "--object-path",
		                     "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.NameHasOwner",
		                     UAppleEventService::kServiceName});
		call.waitForFinished(5000);
		return SessionBus::Output(call) != "(false,)";
	}

	// The program started on inFiles until the message titled inTitle shows, then asked to quit by the
	// signal or, for 0, by a script: it is gone within a second, its scripting name is free again, and
	// every settings file was written.
	void QuitWhileShown(const std::vector<std::string>& inFiles, const std::string& inTitle, int inSignal)
	{
		SCOPED_TRACE(inTitle + (inSignal != 0 ? " and a signal" : " and a script"));
		Launch(0, inFiles, mDisplay);
		const auto start = std::chrono::steady_clock::now();
		while (!Shown(inTitle)) {
			ASSERT_FALSE(Ended()) << "the program ended before the message showed";
			ASSERT_LT(std::chrono::steady_clock::now(), start + std::chrono::seconds(60))
			    << "the message did not show";
			poll(nullptr, 0, 20);
		}
		ASSERT_TRUE(ScriptingNameOwned());
		const auto before = SettingsFiles();

		QProcess script;
		const auto asked = std::chrono::steady_clock::now();
		if (inSignal != 0)
			kill(mChild, inSignal);
		else
			SessionBus::StartScript(script, "aevt", "quit", "@a{sv} {}");
		while (!Ended() && std::chrono::steady_clock::now() < asked + std::chrono::seconds(1))
			poll(nullptr, 0, 5);
		ASSERT_TRUE(Ended()) << "the program is still there a second after the quit";
		EXPECT_TRUE(WIFEXITED(mStatus) && WEXITSTATUS(mStatus) == 0) << mStatus;
		if (inSignal == 0) {
			script.waitForFinished(5000);
			EXPECT_EQ(SessionBus::Output(script), "(@a{sv} {},)");
		}
		EXPECT_FALSE(ScriptingNameOwned());
		const auto after = SettingsFiles();
		for (const auto& [name, inode] : after) {
			EXPECT_NE(inode, 0u) << name;
			EXPECT_NE(inode, before.at(name)) << name << " was not written at quit";
		}
	}

	std::string mDisplay;
	std::optional<StPrivateSessionBus> mBus;
};

TEST_F(QuitWhileAMessageWaitsE2ETest, AQuitEndsTheWaitingMessageAndTheProgram)
{
	// The runs below replace the settings files at quit.
	FirstRun();

	const std::string damaged = mRoot + "/Damaged";
	WriteText(damaged, "not a portfolio at all");
	// A portfolio holding a stock the program does not know, and one behind a password.
	const std::string unknown = mRoot + "/Unknown";
	ASSERT_EQ(PortfolioFiles::Write(unknown, {PortfolioFiles::Entry(kStockBuy, 100, "NOPE")}), 0);
	const std::string locked = mRoot + "/Locked";
	ASSERT_EQ(
	    PortfolioFiles::Write(locked, {PortfolioFiles::Entry(kOtherTransaction, 900, "GOLD")}, "abcd"),
	    0);
	const std::string lockedBytes = ReadText(locked);
	for (int quitBy : {SIGTERM, 0}) {
		QuitWhileShown({damaged}, "Error", quitBy);
		QuitWhileShown({unknown}, "Unknown Securities", quitBy);
		QuitWhileShown({locked}, "Password", quitBy);
		// The stocks file cut short: the message comes while the program is starting.
		const std::string stocks = ReadText(PrefsPath("Stock Plug-in Stocks"));
		WriteText(PrefsPath("Stock Plug-in Stocks"), stocks.substr(0, stocks.size() / 2));
		QuitWhileShown({}, "Error", quitBy);
	}
	// The portfolio whose password was never given was not saved.
	EXPECT_EQ(ReadText(locked), lockedBytes);
}

} // namespace
