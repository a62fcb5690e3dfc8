#pragma once
// An X server of the program's own (Xvfb), chosen by the server so that parallel runs never share one. It
// goes when the program does. Qt is pointed at it: call before the application object exists.

#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace VirtualDisplayDetail
{
inline std::string StartOnce(const char* inScreen)
{
	int fds[2];
	if (pipe(fds) != 0)
		return {};
	const pid_t server = fork();
	if (server == 0) {
		prctl(PR_SET_PDEATHSIG, SIGTERM);
		close(fds[0]);
		const std::string fd = std::to_string(fds[1]);
		execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", inScreen, "-nolisten", "tcp",
		       static_cast<char*>(nullptr));
		_exit(127);
	}
	close(fds[1]);
	std::string number;
	char c;
	while (read(fds[0], &c, 1) == 1 && c != '\n')
		number += c;
	close(fds[0]);
	if (number.empty() && server > 0)
		waitpid(server, nullptr, 0);
	return number;
}
} // namespace VirtualDisplayDetail

// The display's name (":n"), or empty when no server started.
inline std::string StartVirtualDisplay(const char* inScreen)
{
	// Servers started at the same moment can race for one number; the loser gives up, so try again.
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
