#pragma once
// A source that accepts connections and never answers: a loopback port that listens and never accepts, so
// the kernel completes each connection and nobody reads the request. Name it as the HTTP proxy. Also counts
// the file descriptors the process holds, to see how many sockets a round of requests keeps open.

#include <arpa/inet.h>
#include <dirent.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

class SilentSource
{
public:
	SilentSource()
	{
		mSocket = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
		sockaddr_in address{};
		address.sin_family = AF_INET;
		address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
		socklen_t length = sizeof address;
		if (::bind(mSocket, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
		    ::listen(mSocket, SOMAXCONN) == 0 &&
		    ::getsockname(mSocket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
			mURL = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
	}
	~SilentSource() { ::close(mSocket); }
	SilentSource(const SilentSource&) = delete;
	SilentSource& operator=(const SilentSource&) = delete;

	// Empty when the port could not be opened.
	const std::string& URL() const { return mURL; }

	static long OpenDescriptors()
	{
		long count = 0;
		if (DIR* folder = ::opendir("/proc/self/fd")) {
			while (::readdir(folder) != nullptr)
				++count;
			::closedir(folder);
		}
		return count;
	}

private:
	int mSocket = -1;
	std::string mURL;
};
