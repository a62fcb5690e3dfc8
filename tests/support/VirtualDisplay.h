#pragma once
// An X server of the program's own (Xvfb), chosen by the server so that parallel runs never share one. It
// goes when the program does. Qt is pointed at it: call before the application object exists.

#include "platform/framework/LWindow.h"
#include "tests/support/ChildProcesses.h"

#include <QCoreApplication>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <poll.h>
#include <random>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>
#include <utility>
#include <xcb/xcb.h>

namespace VirtualDisplayDetail
{
inline std::string StartOnce(const char* inScreen)
{
	int fds[2];
	if (pipe(fds) != 0)
		return {};
	// A number of its own, far above the ones servers choose for themselves: a server that picks its own
	// takes no lock, and one starting beside it could take the same number. Taken numbers fail the lock,
	// and the caller tries again.
	static std::mt19937 random(std::random_device{}());
	const std::string display =
	    ":" + std::to_string(std::uniform_int_distribution<int>(1000, 29999)(random));
	const pid_t server = ChildProcesses::Fork();
	if (server == 0) {
		prctl(PR_SET_PDEATHSIG, SIGTERM);
		close(fds[0]);
		const std::string fd = std::to_string(fds[1]);
		// No reset when the last client goes: a program started just then would find no server.
		execlp("Xvfb", "Xvfb", display.c_str(), "-displayfd", fd.c_str(), "-noreset", "-screen", "0",
		       inScreen, "-nolisten", "tcp", static_cast<char*>(nullptr));
		_exit(127);
	}
	close(fds[1]);
	std::string number;
	char c;
	pollfd ready{fds[0], POLLIN, 0};
	while (poll(&ready, 1, 30000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
		number += c;
	close(fds[0]);
	if (number.empty())
		ChildProcesses::Stop(server, SIGKILL);
	return number;
}
} // namespace VirtualDisplayDetail

// The display's name (":n"), or empty when no server started.
inline std::string StartVirtualDisplay(const char* inScreen)
{
	// A number already taken ends that server; another is tried.
	std::string number;
	for (int attempt = 0; attempt < 5 && number.empty(); ++attempt)
		number = VirtualDisplayDetail::StartOnce(inScreen);
	if (number.empty())
		return {};
	const std::string name = ":" + number;
	setenv("DISPLAY", name.c_str(), 1);
	setenv("QT_QPA_PLATFORM", "xcb", 1);
	return name;
}

// Starts the window manager (openbox) on the display and waits, at most inSeconds, until its event loop
// answers a request (_NET_REQUEST_FRAME_EXTENTS for a window of the test's). The check window it names
// on the root comes earlier, while it is still starting, and a window mapped then is never managed.
// The manager's process, or 0 when it did not come up.
inline pid_t StartWindowManager(int inSeconds = 20)
{
	xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
	const auto atom = [connection](const char* inName) {
		xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
		    connection, xcb_intern_atom(connection, 0, uint16_t(strlen(inName)), inName), nullptr);
		const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
		free(reply);
		return found;
	};
	pid_t manager = 0;
	if (xcb_connection_has_error(connection) == 0) {
		manager = ChildProcesses::Fork();
		if (manager == 0) {
			prctl(PR_SET_PDEATHSIG, SIGTERM);
			execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
			_exit(127);
		}
		const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
		const xcb_window_t probe = xcb_generate_id(connection);
		xcb_create_window(connection, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 1, 1, 0,
		                  XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
		xcb_client_message_event_t request{};
		request.response_type = XCB_CLIENT_MESSAGE;
		request.format = 32;
		request.window = probe;
		request.type = atom("_NET_REQUEST_FRAME_EXTENTS");
		const xcb_atom_t extents = atom("_NET_FRAME_EXTENTS");
		const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(inSeconds);
		for (bool answered = false; !answered; poll(nullptr, 0, 50)) {
			if (ChildProcesses::Ended(manager) || std::chrono::steady_clock::now() > end) {
				ChildProcesses::Stop(std::exchange(manager, 0), SIGTERM);
				break;
			}
			// Sent again until answered: one that comes during the start-up is lost too.
			xcb_send_event(connection, 0, root,
			               XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT |
			                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
			               reinterpret_cast<const char*>(&request));
			xcb_get_property_reply_t* reply = xcb_get_property_reply(
			    connection,
			    xcb_get_property(connection, 0, probe, extents, XCB_ATOM_CARDINAL, 0, 4),
			    nullptr);
			answered = reply && xcb_get_property_value_length(reply) == 16;
			free(reply);
		}
	}
	xcb_disconnect(connection);
	return manager;
}

// What the command printed (its errors left out), as the tests ask xprop and xwininfo about the display.
inline std::string ShellOutput(const std::string& inCommand)
{
	std::string out;
	if (FILE* pipe = popen((inCommand + " 2>/dev/null").c_str(), "r")) {
		char buffer[512];
		while (size_t n = fread(buffer, 1, sizeof(buffer), pipe))
			out.append(buffer, n);
		pclose(pipe);
	}
	return out;
}

// Passes of the event loop, the framework's windows brought up to date after each, until the condition
// holds; false when the time ran out first.
inline bool AwaitOnDisplay(const std::function<bool()>& inDone, int inSeconds = 20)
{
	const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(inSeconds);
	while (!inDone()) {
		if (std::chrono::steady_clock::now() > end)
			return false;
		LWindow::AfterDispatch();
		QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
	}
	return true;
}
