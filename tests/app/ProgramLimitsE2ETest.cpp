// The program itself, started as a user starts it and asked to quit with SIGTERM or by a script. Under a
// limit on the size of the files it may write (ulimit -f), a write past the limit is a write that fails,
// which the program reports, and the files before it are written; the limit does not end the program
// halfway through. A quit that comes while a message waits (the program's own, or Qt's inside the Open
// dialog) ends the message and the program, on a display of its own (Xvfb) where the message can be seen.
// A signal's quit that the user stopped at the question about an unsaved portfolio leaves the next signal
// an ordinary quit. Started by scripts/run in a terminal, on the virtual display and the session bus the
// script gives it, closing the terminal or Ctrl-C quits it the ordinary way before the script stops those,
// however early the Ctrl-C; with the quit held up by that question, the terminal is told how to answer
// it, and a further Ctrl-C quits without saving. A second start on the settings a run uses hands its files
// to that run or says so, and ends leaving the settings alone; under scripts/run without a display, at
// once, before the script starts one for it.

#include "app/USingleRun.h"
#include "model/tPortfolioItem.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/SessionBusSupport.h"
#include "tests/support/ChildProcesses.h"
#include "tests/support/DiskAbilities.h"
#include "tests/support/LoopbackHTTPServer.h"
#include "tests/support/PortfolioFiles.h"
#include "tests/support/TempHomeFixture.h"
#include "tests/support/VirtualDisplay.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <poll.h>
#include <set>
#include <sstream>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <xcb/xcb.h>

extern char** environ;

namespace
{

const std::string kCurrencies = "Stock Plug-in Currencies";

// Keys pressed in a window of the program on its display, delivered by the X server as a user's are.
class DisplayKeys
{
public:
	explicit DisplayKeys(const std::string& inDisplay)
	    : mConnection(xcb_connect(inDisplay.c_str(), nullptr))
	{
		if (xcb_connection_has_error(mConnection))
			return;
		const xcb_setup_t* setup = xcb_get_setup(mConnection);
		mRoot = xcb_setup_roots_iterator(setup).data->root;
		mFirst = setup->min_keycode;
		xcb_get_keyboard_mapping_reply_t* map = xcb_get_keyboard_mapping_reply(
		    mConnection,
		    xcb_get_keyboard_mapping(mConnection, mFirst, uint8_t(setup->max_keycode - mFirst + 1)),
		    nullptr);
		if (map == nullptr)
			return;
		const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map);
		mSyms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(map));
		mPerCode = map->keysyms_per_keycode;
		free(map);
	}
	~DisplayKeys() { xcb_disconnect(mConnection); }

	// Each character of inKeys ('\r' Return, '\t' Tab, '\x1b' Escape) pressed and released in the
	// window, given the focus first, with Control held when asked.
	bool Type(xcb_window_t inWindow, const std::string& inKeys, bool inControl = false)
	{
		if (!Focus(inWindow))
			return false;
		for (char key : inKeys) {
			const xcb_keysym_t sym = key == '\r'     ? 0xFF0D
			                         : key == '\t'   ? 0xFF09
			                         : key == '\x1b' ? 0xFF1B
			                                         : xcb_keysym_t(UInt8(key));
			xcb_keycode_t code = 0;
			for (std::size_t i = 0; mPerCode > 0 && i < mSyms.size() && code == 0; i += mPerCode)
				if (mSyms[i] == sym)
					code = xcb_keycode_t(mFirst + i / mPerCode);
			if (code == 0)
				return false;
			for (const uint8_t type : {XCB_KEY_PRESS, XCB_KEY_RELEASE}) {
				xcb_key_press_event_t event = {};
				event.response_type = type;
				event.detail = code;
				event.root = mRoot;
				event.event = inWindow;
				event.same_screen = 1;
				event.state = inControl ? XCB_MOD_MASK_CONTROL : 0;
				xcb_send_event(mConnection, 0, inWindow,
				               type == XCB_KEY_PRESS ? XCB_EVENT_MASK_KEY_PRESS
				                                     : XCB_EVENT_MASK_KEY_RELEASE,
				               reinterpret_cast<const char*>(&event));
			}
		}
		return xcb_flush(mConnection) > 0;
	}

private:
	// As a click on the window gives it: the program takes keys in the window that has the focus.
	bool Focus(xcb_window_t inWindow)
	{
		xcb_set_input_focus(mConnection, XCB_INPUT_FOCUS_POINTER_ROOT, inWindow, XCB_CURRENT_TIME);
		xcb_get_input_focus_reply_t* focus =
		    xcb_get_input_focus_reply(mConnection, xcb_get_input_focus(mConnection), nullptr);
		const bool has = inWindow != 0 && focus != nullptr && focus->focus == inWindow;
		free(focus);
		return has;
	}

	xcb_connection_t* mConnection;
	xcb_window_t mRoot = 0;
	xcb_keycode_t mFirst = 0;
	int mPerCode = 0;
	std::vector<xcb_keysym_t> mSyms;
};

class ProgramLimitsE2ETest : public TempHomeFixture
{
protected:
	// A program that cannot write its settings waits at its quit for the user to read why: on a disk
	// without room for them and their copies, every run would wait out the test's bounds.
	void SetUp() override
	{
		TempHomeFixture::SetUp();
		if (const std::string why = DiskAbilities::WhyNoRoom(mRoot, 1 << 20); !why.empty())
			GTEST_SKIP() << why;
	}

	void TearDown() override
	{
		KillRuns();
		TempHomeFixture::TearDown();
	}

	void KillRuns()
	{
		ChildProcesses::Stop(std::exchange(mChild, 0), SIGKILL);
		for (const pid_t first : std::exchange(mSetAside, {}))
			ChildProcesses::Stop(first, SIGKILL);
	}

	std::string PrefsPath(const std::string& inName) const
	{
		return mRoot + "/config/Vantorel Prefs \xC6\x92/" + inName;
	}

	// The test's environment without the variables named in inLeftOut, the loopback server as the proxy
	// for quotes and the version check, the marker that finds what the child starts, and inAdded (in
	// place of the test's own of those names).
	std::vector<std::string> Environment(std::vector<std::string> inLeftOut,
	                                     const std::vector<std::string>& inAdded) const
	{
		inLeftOut.insert(inLeftOut.end(), {"http_proxy", "no_proxy", "NO_PROXY"});
		for (const std::string& added : inAdded)
			inLeftOut.push_back(added.substr(0, added.find('=')));
		std::vector<std::string> env;
		for (char** entry = environ; *entry != nullptr; ++entry) {
			const std::string text = *entry;
			if (std::none_of(inLeftOut.begin(), inLeftOut.end(), [&](const std::string& name) {
				    return text.rfind(name + "=", 0) == 0;
			    }))
				env.push_back(text);
		}
		env.push_back("http_proxy=" + mServer.ProxyURL());
		env.push_back(ChildProcesses::Marker(mRoot));
		env.insert(env.end(), inAdded.begin(), inAdded.end());
		return env;
	}

	// The texts as execve takes them.
	static std::vector<char*> Pointers(std::vector<std::string>& ioTexts)
	{
		std::vector<char*> pointers;
		for (std::string& text : ioTexts)
			pointers.push_back(text.data());
		pointers.push_back(nullptr);
		return pointers;
	}

	// Starts the program with at most inLimit bytes per file (0: no limit), its standard output out of
	// the way and its standard error kept in mErrors. Without a display it runs offscreen and without a
	// session bus; with one, on that display and on the test's own bus. inAdded are further variables.
	void Launch(rlim_t inLimit, const std::vector<std::string>& inFiles = {},
	            const std::string& inDisplay = {}, std::vector<std::string> inAdded = {})
	{
		inAdded.push_back(inDisplay.empty() ? "QT_QPA_PLATFORM=offscreen" : "QT_QPA_PLATFORM=xcb");
		if (!inDisplay.empty())
			inAdded.push_back("DISPLAY=" + inDisplay);
		std::vector<std::string> env = Environment(
		    inDisplay.empty() ? std::vector<std::string>{"DBUS_SESSION_BUS_ADDRESS", "DISPLAY"}
		                      : std::vector<std::string>{},
		    inAdded);
		std::vector<char*> envp = Pointers(env);
		std::vector<std::string> args{VANTOREL_PROGRAM};
		args.insert(args.end(), inFiles.begin(), inFiles.end());
		std::vector<char*> argv = Pointers(args);

		mRequestsBefore = mServer.RequestCount();
		mErrors = mRoot + "/errors-" + std::to_string(++mLaunches);
		mChild = ChildProcesses::Fork();
		if (mChild == 0) {
			if (inLimit != 0) {
				const rlimit limit{inLimit, inLimit};
				setrlimit(RLIMIT_FSIZE, &limit);
			}
			dup2(open("/dev/null", O_WRONLY), STDOUT_FILENO);
			dup2(open(mErrors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
			execve(argv[0], argv.data(), envp.data());
			_exit(127);
		}
	}

	// The program's first request shows that it is in its event loop, ready for SIGTERM. The server may
	// count a request of the run before only now: this run's program must be there too.
	void WaitUntilRunning()
	{
		const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
		while (mServer.RequestCount() == mRequestsBefore || !ProgramExists()) {
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
		ASSERT_TRUE(ChildProcesses::Stop(std::exchange(mChild, 0), SIGTERM, std::chrono::seconds(60),
		                                 &mStatus))
		    << "the first run did not quit";
		ASSERT_TRUE(WIFEXITED(mStatus) && WEXITSTATUS(mStatus) == 0) << mStatus;
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

	// The windows titled inTitle that are on screen.
	std::vector<xcb_window_t> ShownWindows(const std::string& inTitle) const
	{
		std::vector<xcb_window_t> shown;
		std::istringstream tree(ShellOutput("xwininfo -display " + mDisplay + " -root -tree"));
		for (std::string line; std::getline(tree, line);) {
			if (line.find(" \"" + inTitle + "\": ") == std::string::npos)
				continue;
			const xcb_window_t window = xcb_window_t(std::strtoul(line.c_str(), nullptr, 16));
			if (ShellOutput("xwininfo -display " + mDisplay + " -id " + std::to_string(window))
			        .find("IsViewable") != std::string::npos)
				shown.push_back(window);
		}
		return shown;
	}

	// Waits until inCount windows titled inTitle are on screen, and answers the last of them.
	xcb_window_t AwaitShown(const std::string& inTitle, std::size_t inCount = 1)
	{
		const auto start = std::chrono::steady_clock::now();
		for (;;) {
			const std::vector<xcb_window_t> shown = ShownWindows(inTitle);
			if (shown.size() >= inCount)
				return shown.back();
			if (Ended() || std::chrono::steady_clock::now() > start + std::chrono::seconds(60)) {
				ADD_FAILURE() << inTitle << " did not show";
				return 0;
			}
			poll(nullptr, 0, 20);
		}
	}

	// The processes the runs started, found by the marker they were given.
	std::vector<pid_t> LeftBehind() const { return ChildProcesses::Marked(mRoot); }

	// Whether a run's program has its process, not the script's check before it, whose environment names
	// the check.
	bool ProgramExists() const
	{
		const std::filesystem::path program = std::filesystem::canonical(VANTOREL_PROGRAM);
		const std::string check = std::string(USingleRun::kCheckVariable) + "=";
		for (pid_t pid : LeftBehind()) {
			const std::string process = "/proc/" + std::to_string(pid);
			std::error_code ignored;
			if (std::filesystem::read_symlink(process + "/exe", ignored) == program &&
			    ReadText(process + "/environ").find(check) == std::string::npos)
				return true;
		}
		return false;
	}

	// Whether the program ended, its status noted.
	bool Ended()
	{
		if (!ChildProcesses::Ended(mChild, &mStatus))
			return false;
		mChild = 0;
		return true;
	}

	LoopbackHTTPServer mServer;
	std::string mDisplay; // the display the program's windows are looked for on
	pid_t mChild = 0;
	// The runs that a second start or run is started beside, while that one is mChild.
	std::vector<pid_t> mSetAside;
	int mStatus = 0;
	std::size_t mRequestsBefore = 0;
	std::string mErrors;
	int mLaunches = 0;
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
	ChildProcesses::Signal(mChild, SIGTERM);

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

// What a run leaves behind is what carries its marker, in whatever session it put itself: never a
// process beside the test that only has the same home.
TEST_F(ProgramLimitsE2ETest, WhatARunLeavesBehindIsFoundByItsMarkerNotByItsHome)
{
	for (const bool marked : {false, true}) {
		std::vector<std::string> env =
		    marked ? Environment({}, {})
		           : std::vector<std::string>{"HOME=" + std::string(getenv("HOME"))};
		std::vector<char*> envp = Pointers(env);
		std::vector<std::string> args{"/bin/sleep", "60"};
		std::vector<char*> argv = Pointers(args);
		int exec[2];
		ASSERT_EQ(pipe2(exec, O_CLOEXEC), 0);
		mSetAside.push_back(ChildProcesses::Fork());
		if (mSetAside.back() == 0) {
			setsid();
			execve(argv[0], argv.data(), envp.data());
			_exit(127);
		}
		close(exec[1]);
		char byte;
		// The end closes at the exec, when the environment is the new one.
		EXPECT_EQ(read(exec[0], &byte, 1), 0);
		close(exec[0]);
	}
	EXPECT_EQ(LeftBehind(), std::vector<pid_t>{mSetAside.back()});
}

class QuitWhileAMessageWaitsE2ETest : public ProgramLimitsE2ETest
{
protected:
	void SetUp() override
	{
		ProgramLimitsE2ETest::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
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
	// inBringUp, when given, brings the message up once the window titled inTitle shows, and says whether
	// it did.
	void QuitWhileShown(const std::vector<std::string>& inFiles, const std::string& inTitle, int inSignal,
	                    const std::function<bool(xcb_window_t)>& inBringUp = {})
	{
		SCOPED_TRACE(inTitle + (inSignal != 0 ? " and a signal" : " and a script"));
		Launch(0, inFiles, mDisplay);
		const xcb_window_t window = AwaitShown(inTitle);
		ASSERT_NE(window, 0u) << "the program ended before the message showed";
		if (inBringUp && !inBringUp(window))
			return;
		ASSERT_TRUE(ScriptingNameOwned());
		const auto before = SettingsFiles();

		QProcess script;
		if (inSignal != 0)
			ChildProcesses::Signal(mChild, inSignal);
		else
			SessionBus::StartScript(script, "aevt", "quit", "@a{sv} {}");
		ExpectQuitWithinASecond(before);
		if (inSignal == 0 && !HasFatalFailure()) {
			script.waitForFinished(5000);
			EXPECT_EQ(SessionBus::Output(script), "(@a{sv} {},)");
		}
	}

	// The program, just asked to quit, is gone within a second with status 0, its scripting name is free
	// again, and every settings file was written anew since inBefore.
	void ExpectQuitWithinASecond(const std::map<std::string, ino_t>& inBefore)
	{
		const auto asked = std::chrono::steady_clock::now();
		while (!Ended() && std::chrono::steady_clock::now() < asked + std::chrono::seconds(1))
			poll(nullptr, 0, 5);
		if (!Ended()) {
			// Not left on the display for the runs after this one.
			ChildProcesses::Stop(std::exchange(mChild, 0), SIGKILL);
			FAIL() << "the program is still there a second after the quit";
		}
		EXPECT_TRUE(WIFEXITED(mStatus) && WEXITSTATUS(mStatus) == 0) << mStatus;
		EXPECT_FALSE(ScriptingNameOwned());
		for (const auto& [name, inode] : SettingsFiles()) {
			EXPECT_NE(inode, 0u) << name;
			EXPECT_NE(inode, inBefore.at(name)) << name << " was not written at quit";
		}
	}

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
	const std::string savings = mRoot + "/Savings";
	ASSERT_EQ(PortfolioFiles::Write(savings, {PortfolioFiles::Entry(kOtherTransaction, 900, "GOLD")}), 0);
	const std::string savingsBytes = ReadText(savings);
	for (int quitBy : {SIGTERM, 0}) {
		QuitWhileShown({damaged}, "Error", quitBy);
		QuitWhileShown({unknown}, "Unknown Securities", quitBy);
		QuitWhileShown({locked}, "Password", quitBy);
		// The stocks file cut short: the message comes while the program is starting.
		const std::string stocks = ReadText(PrefsPath("Stock Plug-in Stocks"));
		WriteText(PrefsPath("Stock Plug-in Stocks"), stocks.substr(0, stocks.size() / 2));
		QuitWhileShown({}, "Error", quitBy);
		// Qt's own message in the Open dialog: a name typed that no file has.
		QuitWhileShown({savings}, "Savings", quitBy, [this](xcb_window_t inWindow) {
			DisplayKeys keys(mDisplay);
			EXPECT_TRUE(keys.Type(inWindow, "o", true)) << "Ctrl+O";
			const xcb_window_t open = AwaitShown("Open Portfolio");
			EXPECT_TRUE(open == 0 || keys.Type(open, "zzabsent\r")) << "a name and Return";
			// The message is titled as its dialog.
			return open != 0 && AwaitShown("Open Portfolio", 2) != 0;
		});
	}
	// The portfolio whose password was never given was not saved.
	EXPECT_EQ(ReadText(locked), lockedBytes);
	EXPECT_EQ(ReadText(savings), savingsBytes);
}

TEST_F(QuitWhileAMessageWaitsE2ETest, ASignalAfterTheUserStoppedTheQuitAsksAgain)
{
	FirstRun();
	const std::string savings = mRoot + "/Savings";
	ASSERT_EQ(PortfolioFiles::Write(savings, {PortfolioFiles::Entry(kOtherTransaction, 900, "GOLD")}), 0);
	DisplayKeys keys(mDisplay);
	// The question about the unsaved new portfolio is titled as the program.
	const std::string question = "Vantorel";
	// 0: Cancel, then a signal; else a hang-up twice while the question waits.
	for (const int twice : {0, SIGHUP}) {
		SCOPED_TRACE(twice == 0 ? "Cancel, then a signal" : "a hang-up twice");
		Launch(0, {savings}, mDisplay);
		ASSERT_TRUE(keys.Type(AwaitShown("Savings"), "n", true)) << "Ctrl+N";
		ASSERT_TRUE(keys.Type(AwaitShown("New Portfolio"), "\r"));
		const xcb_window_t untitled = AwaitShown("Untitled Portfolio");
		ASSERT_NE(untitled, 0u);
		ChildProcesses::Signal(mChild, twice == 0 ? SIGTERM : twice);
		if (twice == SIGHUP) {
			// A closed terminal's hang-up comes from the shell and again from the terminal: the
			// question still waits, and its answer quits.
			const xcb_window_t asked = AwaitShown(question);
			ASSERT_NE(asked, 0u);
			const auto before = SettingsFiles();
			ChildProcesses::Signal(mChild, SIGHUP);
			poll(nullptr, 0, 500);
			ASSERT_FALSE(Ended()) << "the second hang-up ended the program; status " << mStatus;
			ASSERT_TRUE(keys.Type(asked, "\t\t\r")) << "Don't Save";
			ExpectQuitWithinASecond(before);
			continue;
		}
		ASSERT_TRUE(keys.Type(AwaitShown(question), "\x1b")) << "Escape: Cancel";
		const auto cancelled = std::chrono::steady_clock::now();
		while (!ShownWindows(question).empty()) {
			ASSERT_LT(std::chrono::steady_clock::now(), cancelled + std::chrono::seconds(10));
			poll(nullptr, 0, 20);
		}
		ASSERT_FALSE(Ended()) << "Cancel did not stop the quit";
		// The user goes on: the Open dialog's message waits when the next signal comes.
		ASSERT_TRUE(keys.Type(untitled, "o", true)) << "Ctrl+O";
		ASSERT_TRUE(keys.Type(AwaitShown("Open Portfolio"), "zzabsent\r"));
		ASSERT_NE(AwaitShown("Open Portfolio", 2), 0u);
		const auto before = SettingsFiles();
		ChildProcesses::Signal(mChild, SIGTERM);
		const xcb_window_t again = AwaitShown(question);
		ASSERT_NE(again, 0u) << "the second signal did not ask again; status " << mStatus;
		ASSERT_TRUE(keys.Type(again, "\t\t\r")) << "Don't Save";
		ExpectQuitWithinASecond(before);
	}
}

// A second start on the settings folder a run uses, beside that run (mChild).
class SecondStartE2ETest : public QuitWhileAMessageWaitsE2ETest
{
protected:
	// The second start, offscreen on the test's bus unless given the display, with inWhile done while
	// it runs; it must end within a minute. Its status.
	int SecondStart(const std::vector<std::string>& inFiles, const std::string& inDisplay = {},
	                const std::function<void()>& inWhile = {},
	                const std::vector<std::string>& inAdded = {})
	{
		mSetAside.push_back(std::exchange(mChild, 0));
		const std::string bus = "DBUS_SESSION_BUS_ADDRESS=";
		std::vector<std::string> added = inAdded;
		if (std::none_of(added.begin(), added.end(),
		                 [&](const std::string& v) { return v.rfind(bus, 0) == 0; }))
			added.push_back(bus + std::getenv("DBUS_SESSION_BUS_ADDRESS"));
		Launch(0, inFiles, inDisplay, added);
		if (inWhile)
			inWhile();
		const auto start = std::chrono::steady_clock::now();
		while (!Ended() && std::chrono::steady_clock::now() < start + std::chrono::seconds(60))
			poll(nullptr, 0, 10);
		if (!Ended()) {
			ADD_FAILURE() << "the second start did not end";
			ChildProcesses::Stop(mChild, SIGKILL, std::chrono::seconds(10), &mStatus);
		}
		mChild = mSetAside.back();
		mSetAside.pop_back();
		return mStatus;
	}
};

TEST_F(SecondStartE2ETest, ASecondStartOnTheSettingsInUseHandsItsFilesOverOrSaysSoAndEnds)
{
	FirstRun();
	const std::string savings = mRoot + "/Savings";
	ASSERT_EQ(PortfolioFiles::Write(savings, {PortfolioFiles::Entry(kOtherTransaction, 900, "GOLD")}), 0);
	Launch(0, {}, mDisplay);
	WaitUntilRunning();
	const auto folder = [this] {
		std::set<std::string> names;
		for (const auto& entry : std::filesystem::directory_iterator(PrefsPath("")))
			names.insert(entry.path().filename());
		return names;
	};
	const auto inUse = [this, &folder, before = SettingsFiles(), names = folder()](int inStatus) {
		EXPECT_TRUE(WIFEXITED(inStatus) && WEXITSTATUS(inStatus) == 1) << inStatus;
		EXPECT_NE(ReadText(mErrors).find("already running with the settings in \u201C" + mRoot +
		                                 "/config/Vantorel Prefs \xC6\x92\u201D"),
		          std::string::npos)
		    << ReadText(mErrors);
		EXPECT_EQ(SettingsFiles(), before);
		EXPECT_EQ(folder(), names);
	};
	inUse(SecondStart({}));
	// On a display the message is an alert, titled as the program, that the user dismisses.
	const std::size_t titled = ShownWindows("Vantorel").size();
	inUse(SecondStart({}, mDisplay, [&] {
		const xcb_window_t alert = AwaitShown("Vantorel", titled + 1);
		// A key that comes before the alert takes keys is lost, as a user's would be; it ends the
		// start once it reaches the alert.
		for (int tries = 0; tries < 50 && !Ended(); ++tries, poll(nullptr, 0, 100))
			DisplayKeys(mDisplay).Type(alert, "\r");
	}));
	// Ctrl-C in the terminal ends it there too: it has nothing to write.
	const int interrupted = SecondStart({}, mDisplay, [&] {
		AwaitShown("Vantorel", titled + 1);
		ChildProcesses::Signal(mChild, SIGINT);
	});
	EXPECT_TRUE(WIFSIGNALED(interrupted) && WTERMSIG(interrupted) == SIGINT) << interrupted;
	// From another bus the files cannot be handed over.
	inUse(SecondStart({savings}, {}, {}, {"DBUS_SESSION_BUS_ADDRESS=unix:path=" + mRoot + "/no-bus"}));

	EXPECT_EQ(SecondStart({savings}), 0) << ReadText(mErrors);
	EXPECT_NE(ReadText(mErrors).find("1 file handed to the program already running"), std::string::npos);
	EXPECT_NE(AwaitShown("Savings"), 0u);

	// scripts/run's check before it starts a display hands files over too; on settings that no run
	// uses it ends at once, having taken and made nothing.
	const std::string check = std::string(USingleRun::kCheckVariable) + "=1";
	const std::string other = "XDG_CONFIG_HOME=" + mRoot + "/other";
	EXPECT_EQ(SecondStart({savings}, {}, {}, {check}), 0) << ReadText(mErrors);
	EXPECT_NE(ReadText(mErrors).find("1 file handed to the program already running"), std::string::npos);
	const int free = SecondStart({savings}, {}, {}, {check, other});
	EXPECT_TRUE(WIFEXITED(free) && WEXITSTATUS(free) == USingleRun::kSettingsFree) << free;
	EXPECT_FALSE(std::filesystem::exists(mRoot + "/other/Vantorel Prefs \xC6\x92"));

	// Other settings are another run's, which on the same bus goes without the scripting name; a start
	// on its settings does not hand files to the run that has the name.
	const auto quitOnceUp = [&] {
		while (!Ended() && ReadText(mErrors).find("scripting over D-Bus is off") == std::string::npos)
			poll(nullptr, 0, 10);
		const int status = SecondStart({savings}, {}, {}, {other});
		EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << ReadText(mErrors);
		if (!Ended())
			ChildProcesses::Signal(mChild, SIGTERM);
	};
	EXPECT_EQ(SecondStart({}, {}, quitOnceUp, {other}), 0);
	EXPECT_TRUE(std::filesystem::exists(mRoot + "/other/Vantorel Prefs \xC6\x92/Vantorel Prefs"));

	// A run killed leaves nothing that stops the next.
	const auto before = SettingsFiles();
	ASSERT_TRUE(ChildProcesses::Stop(std::exchange(mChild, 0), SIGKILL));
	Launch(0);
	WaitUntilRunning();
	ChildProcesses::Signal(mChild, SIGTERM);
	ExpectQuitWithinASecond(before);
}

// scripts/run as a user runs it in a terminal with neither a display nor a session bus. The checkout it
// runs in holds a copy of it, the program already built and stand-ins for the install and build steps.
class RunScriptE2ETest : public ProgramLimitsE2ETest
{
protected:
	void SetUp() override
	{
		ProgramLimitsE2ETest::SetUp();
		if (IsSkipped() || HasFatalFailure())
			return;
		if (std::system(
		        "command -v Xvfb >/dev/null 2>&1 && command -v dbus-daemon >/dev/null 2>&1 && "
		        "command -v xwininfo >/dev/null 2>&1") != 0)
			GTEST_SKIP() << "Xvfb, dbus-daemon or xwininfo is not installed";
		if (std::string why; !ChildProcesses::CanHaveTerminal(&why))
			GTEST_SKIP() << "no terminal to run the script in: " << why;
		const std::string checkout = mRoot + "/checkout";
		std::filesystem::create_directories(checkout + "/scripts");
		std::filesystem::create_directories(checkout + "/build");
		std::filesystem::create_directories(mRoot + "/bin");
		std::filesystem::copy_file(std::string(VANTOREL_FIXTURES) + "/../../scripts/run",
		                           checkout + "/scripts/run");
		std::filesystem::create_symlink(VANTOREL_PROGRAM, checkout + "/build/vantorel");
		for (const std::string& standIn :
		     {checkout + "/scripts/install-deps", mRoot + "/bin/cmake"}) {
			WriteText(standIn, "#!/bin/sh\nexit 0\n");
			std::filesystem::permissions(standIn, std::filesystem::perms::owner_all);
		}
	}

	void TearDown() override
	{
		if (mTerminal >= 0)
			close(mTerminal);
		KillRuns();
		ChildProcesses::SignalMarked(mRoot, SIGKILL);
		ProgramLimitsE2ETest::TearDown();
	}

	enum class EUntil { kRunning, kProgramExists, kStarted };

	// The script started in a terminal of its own on inFiles, with the variables inAdded, its standard
	// error kept in mErrors, until the program it starts is in its event loop, or only until the
	// program's process exists, or not waited for.
	void StartInTerminal(const std::vector<std::string>& inFiles = {}, EUntil inUntil = EUntil::kRunning,
	                     const std::vector<std::string>& inAdded = {})
	{
		std::vector<std::string> added = inAdded;
		added.push_back("PATH=" + mRoot + "/bin:" + std::getenv("PATH"));
		std::vector<std::string> env =
		    Environment({"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "QT_QPA_PLATFORM",
		                 "DBUS_SESSION_BUS_ADDRESS", "VANTOREL_VIRTUAL_DISPLAY"},
		                added);
		std::vector<char*> envp = Pointers(env);
		std::vector<std::string> args{mRoot + "/checkout/scripts/run"};
		args.insert(args.end(), inFiles.begin(), inFiles.end());
		std::vector<char*> argv = Pointers(args);
		mErrors = mRoot + "/errors-" + std::to_string(++mLaunches);

		mRequestsBefore = mServer.RequestCount();
		mChild = ChildProcesses::ForkInTerminal(&mTerminal);
		mOutput.clear();
		if (mChild == 0) {
			dup2(open(mErrors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
			if (chdir(mRoot.c_str()) != 0)
				_exit(126);
			execve(argv[0], argv.data(), envp.data());
			_exit(127);
		}
		if (inUntil == EUntil::kRunning)
			return WaitUntilRunning();
		if (inUntil == EUntil::kStarted)
			return;
		const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
		while (!ProgramExists()) {
			ASSERT_LT(std::chrono::steady_clock::now(), end) << "the program did not start";
			poll(nullptr, 0, 1);
		}
	}

	// What the terminal has shown, its standard error included, once that holds inText (within a minute).
	std::string TerminalShows(const std::string& inText)
	{
		const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
		std::string shown;
		for (char buffer[4096]; std::chrono::steady_clock::now() < end;) {
			pollfd ready{mTerminal, POLLIN, 0};
			if (poll(&ready, 1, 20) > 0)
				mOutput.append(
				    buffer, std::size_t(std::max<ssize_t>(read(mTerminal, buffer, 4096), 0)));
			shown = mOutput + ReadText(mErrors);
			if (shown.find(inText) != std::string::npos)
				return shown;
		}
		ADD_FAILURE() << "the terminal did not show " << inText << ":\n" << shown;
		return shown;
	}

	// The virtual display the script said it started the program on.
	std::string VirtualDisplayShown()
	{
		const std::string banner = TerminalShows(" (Xvfb");
		const std::size_t at = banner.find("virtual display :") + 16;
		return banner.substr(at, banner.find(' ', at) - at);
	}

	// A second run of the script beside the one running (mChild), with the variables inAdded and inWhile
	// done while it runs; it must end within inWithin. Its status and what its terminal showed.
	std::pair<int, std::string> SecondRun(const std::vector<std::string>& inAdded,
	                                      const std::function<void()>& inWhile,
	                                      std::chrono::milliseconds inWithin)
	{
		mSetAside.push_back(std::exchange(mChild, 0));
		const int firstTerminal = std::exchange(mTerminal, -1);
		const std::string firstErrors = mErrors, firstOutput = mOutput;
		StartInTerminal({}, EUntil::kStarted, inAdded);
		if (inWhile)
			inWhile();
		const auto start = std::chrono::steady_clock::now();
		while (!Ended() && std::chrono::steady_clock::now() < start + inWithin)
			poll(nullptr, 0, 10);
		int status = -1;
		if (Ended()) {
			status = mStatus;
		} else {
			ADD_FAILURE() << "the second run did not end";
			ChildProcesses::Stop(std::exchange(mChild, 0), SIGKILL);
		}
		// What is left to read; a process it left behind may hold the terminal open.
		for (char buffer[4096]; mTerminal >= 0;) {
			pollfd ready{mTerminal, POLLIN, 0};
			const ssize_t length =
			    poll(&ready, 1, 0) > 0 ? read(mTerminal, buffer, sizeof(buffer)) : 0;
			if (length <= 0)
				break;
			mOutput.append(buffer, std::size_t(length));
		}
		const std::string shown = mOutput + ReadText(mErrors);
		if (mTerminal >= 0)
			close(mTerminal);
		mChild = mSetAside.back();
		mSetAside.pop_back();
		mTerminal = firstTerminal;
		mErrors = firstErrors;
		mOutput = firstOutput;
		return {status, shown};
	}

	// The script ends with the program's status, every settings file written anew since inBefore while
	// the display was still there, and nothing it started left running.
	void ExpectOrdinaryQuit(const std::map<std::string, ino_t>& inBefore)
	{
		const auto asked = std::chrono::steady_clock::now();
		while (!Ended() && std::chrono::steady_clock::now() < asked + std::chrono::seconds(20))
			poll(nullptr, 0, 10);
		ASSERT_TRUE(Ended()) << "the script is still there";
		EXPECT_TRUE(WIFEXITED(mStatus) && WEXITSTATUS(mStatus) == 0) << mStatus;
		EXPECT_EQ(LeftBehind(), std::vector<pid_t>());
		for (const auto& [name, inode] : SettingsFiles()) {
			EXPECT_NE(inode, 0u) << name;
			EXPECT_NE(inode, inBefore.at(name)) << name << " was not written at quit";
		}
		const std::string errors = ReadText(mErrors);
		EXPECT_EQ(errors.find("X11 connection broke"), std::string::npos) << errors;
	}

	int mTerminal = -1;
	std::string mOutput;
};

TEST_F(RunScriptE2ETest, ClosingTheTerminalOrCtrlCQuitsTheProgramBeforeItsDisplayAndBusStop)
{
	FirstRun();
	for (const bool hangUp : {true, false}) {
		SCOPED_TRACE(hangUp ? "the terminal closed" : "Ctrl-C");
		StartInTerminal();
		const auto before = SettingsFiles();
		if (hangUp) {
			// The shell's hang-up to its jobs, then the terminal's.
			ChildProcesses::Signal(mChild, SIGHUP);
			close(mTerminal);
			mTerminal = -1;
		} else {
			ASSERT_EQ(write(mTerminal, "\x03", 1), 1);
		}
		ExpectOrdinaryQuit(before);
		if (mTerminal >= 0) {
			close(mTerminal);
			mTerminal = -1;
		}
	}
}

TEST_F(RunScriptE2ETest, CtrlCQuitsFromTheStartAndSaysHowToAnswerTheQuestionThatHoldsItUp)
{
	FirstRun();
	// The moment the program's process exists, before it can catch the signal.
	auto before = SettingsFiles();
	StartInTerminal({}, EUntil::kProgramExists);
	ASSERT_EQ(write(mTerminal, "\x03", 1), 1);
	ExpectOrdinaryQuit(before);
	close(mTerminal);
	mTerminal = -1;

	// A portfolio named from the folder the script was started in, and an unsaved new one.
	ASSERT_EQ(
	    PortfolioFiles::Write(mRoot + "/Savings", {PortfolioFiles::Entry(kOtherTransaction, 9, "GOLD")}),
	    0);
	StartInTerminal({"Savings"});
	mDisplay = VirtualDisplayShown();
	DisplayKeys keys(mDisplay);
	ASSERT_TRUE(keys.Type(AwaitShown("Savings"), "n", true)) << "Ctrl+N";
	ASSERT_TRUE(keys.Type(AwaitShown("New Portfolio"), "\r"));
	ASSERT_NE(AwaitShown("Untitled Portfolio"), 0u);
	before = SettingsFiles();

	// A double tap is one quit, which waits for the question's answer.
	ASSERT_EQ(write(mTerminal, "\x03", 1), 1);
	poll(nullptr, 0, 150);
	ASSERT_EQ(write(mTerminal, "\x03", 1), 1);
	const std::string told = TerminalShows("Ctrl-C again");
	const std::string untitled = "\xE2\x80\x9CUntitled Portfolio\xE2\x80\x9D";
	for (const std::string& line :
	     {"Do you want to save the changes to " + untitled + " before quitting?",
	      "x11vnc -display " + mDisplay + " -localhost", "import -display " + mDisplay + " -window root",
	      "Ctrl-C again quits without saving " + untitled})
		EXPECT_NE(told.find(line), std::string::npos) << told;
	// One more at once is taken as part of the first too; the terminal says so, and to wait before the
	// next.
	const std::string tooSoon = "taken as part of the first. Wait a second, then press Ctrl-C again to "
	                            "quit without saving " +
	                            untitled +
	                            "; pressed at once, it is only taken as part of the first again.";
	const std::size_t shownBefore = ReadText(mErrors).size();
	ASSERT_EQ(write(mTerminal, "\x03", 1), 1);
	const auto pressed = std::chrono::steady_clock::now();
	while (ReadText(mErrors).find(tooSoon, shownBefore) == std::string::npos &&
	       std::chrono::steady_clock::now() < pressed + std::chrono::seconds(10))
		poll(nullptr, 0, 10);
	EXPECT_NE(ReadText(mErrors).find(tooSoon, shownBefore), std::string::npos) << ReadText(mErrors);
	// Read, a further Ctrl-C drops it.
	poll(nullptr, 0, 1100);
	const std::string dropped = "Vantorel: quitting without saving " + untitled + ".";
	ASSERT_EQ(ReadText(mErrors).find(dropped), std::string::npos)
	    << "a Ctrl-C too soon after the message dropped the unsaved portfolio";
	ASSERT_EQ(write(mTerminal, "\x03", 1), 1);
	ExpectOrdinaryQuit(before);
	EXPECT_NE(ReadText(mErrors).find(dropped), std::string::npos);
}

TEST_F(RunScriptE2ETest, ASecondRunOnTheSettingsInUseSaysSoAndEndsLeavingNothingOfItsOwn)
{
	StartInTerminal();
	mDisplay = VirtualDisplayShown();
	const auto before = SettingsFiles();
	const auto sorted = [](std::vector<pid_t> inPids) {
		std::sort(inPids.begin(), inPids.end());
		return inPids;
	};
	const std::vector<pid_t> firstRun = sorted(LeftBehind());
	const std::string inUse = "already running with the settings in \u201C" + mRoot +
	                          "/config/Vantorel Prefs \xC6\x92\u201D. Only one run may use them";

	// Left alone: its message on its own virtual display would wait there unseen. It says so and ends
	// before a display is started for it, never saying that one starts.
	const auto [alone, told] = SecondRun({}, {}, std::chrono::seconds(20));
	EXPECT_TRUE(WIFEXITED(alone) && WEXITSTATUS(alone) == 1) << alone << "\n" << told;
	EXPECT_NE(told.find(inUse), std::string::npos) << told;
	EXPECT_EQ(told.find("No display found"), std::string::npos) << told;
	EXPECT_EQ(sorted(LeftBehind()), firstRun);

	// On a display that the user sees, where the script gives it only a bus, its message waits; Ctrl-C or
	// a hang-up ends it at once.
	const std::size_t titled = ShownWindows("Vantorel").size();
	for (const int endedBy : {SIGINT, SIGHUP}) {
		SCOPED_TRACE(endedBy == SIGINT ? "Ctrl-C" : "a hang-up");
		const auto [status, shown] = SecondRun(
		    {"DISPLAY=" + mDisplay},
		    [&] {
			    ASSERT_NE(AwaitShown("Vantorel", titled + 1), 0u);
			    if (endedBy == SIGINT) {
				    ASSERT_EQ(write(mTerminal, "\x03", 1), 1);
				    return;
			    }
			    ChildProcesses::Signal(mChild, SIGHUP);
			    close(mTerminal);
			    mTerminal = -1;
		    },
		    std::chrono::seconds(4));
		EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + endedBy) << status << "\n"
		                                                                       << shown;
		EXPECT_EQ(sorted(LeftBehind()), firstRun);
	}

	// The first run goes on, and quits the ordinary way.
	ASSERT_EQ(write(mTerminal, "\x03", 1), 1);
	ExpectOrdinaryQuit(before);
}

} // namespace
