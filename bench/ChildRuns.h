#pragma once
// For benchmarks that run the program as processes of their own (this program run again with --child):
// the clock and peak memory they report, a proxy port that refuses every connection, and one child run
// whose figures come back as one line through a pipe.

#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

inline long long NowNs()
{
	return std::chrono::duration_cast<std::chrono::nanoseconds>(
	           std::chrono::steady_clock::now().time_since_epoch())
	    .count();
}

inline double Ms(long long inNs)
{
	return double(inNs) / 1e6;
}

// Peak resident memory (VmHWM) of this process, in kilobytes.
inline long PeakKilobytes()
{
	std::ifstream status("/proc/self/status");
	std::string line;
	while (std::getline(status, line))
		if (line.rfind("VmHWM:", 0) == 0)
			return std::atol(line.c_str() + 6);
	return 0;
}

// A loopback port bound but not listening: connections to it are refused.
class StDeadPort
{
public:
	StDeadPort()
	{
		mSocket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
		sockaddr_in address{};
		address.sin_family = AF_INET;
		address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
		socklen_t length = sizeof(address);
		if (mSocket >= 0 &&
		    bind(mSocket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
		    getsockname(mSocket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
			mPort = ntohs(address.sin_port);
	}
	~StDeadPort()
	{
		if (mSocket >= 0)
			close(mSocket);
	}
	StDeadPort(const StDeadPort&) = delete;
	StDeadPort& operator=(const StDeadPort&) = delete;
	int Port() const { return mPort; }

private:
	int mSocket = -1;
	int mPort = 0;
};

struct ChildRun {
	long long spawned = 0; // when the child was forked
	std::string output;    // what it wrote to its result pipe
	bool exitedWell = false;
	int status = 0;
};

// Runs this program as "inName --child inMode inCount <result fd>" and waits for it.
inline ChildRun RunChildOfSelf(const char* inName, const char* inMode, int inCount)
{
	ChildRun run;
	int fds[2];
	if (pipe(fds) != 0)
		return run;
	fcntl(fds[0], F_SETFD, FD_CLOEXEC);
	const std::string count = std::to_string(inCount), fd = std::to_string(fds[1]);
	run.spawned = NowNs();
	const pid_t pid = fork();
	if (pid == 0) {
		execl("/proc/self/exe", inName, "--child", inMode, count.c_str(), fd.c_str(),
		      static_cast<char*>(nullptr));
		_exit(127);
	}
	close(fds[1]);
	char buffer[256];
	for (ssize_t n; (n = read(fds[0], buffer, sizeof(buffer))) > 0;)
		run.output.append(buffer, size_t(n));
	close(fds[0]);
	run.exitedWell = pid > 0 && waitpid(pid, &run.status, 0) == pid && WIFEXITED(run.status) &&
	                 WEXITSTATUS(run.status) == 0;
	return run;
}
