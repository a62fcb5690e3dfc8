#include "tests/support/LoopbackHTTPServer.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace
{

constexpr int kSliceMilliseconds = 10;
constexpr int kReadLimitMilliseconds = 3000;
constexpr size_t kRequestLimit = 64 * 1024;

std::string Lower(std::string text)
{
	for (char& c : text)
		if (c >= 'A' && c <= 'Z')
			c = char(c - 'A' + 'a');
	return text;
}

std::string Trim(const std::string& text)
{
	size_t first = text.find_first_not_of(" \t");
	if (first == std::string::npos)
		return "";
	return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string WithoutPort(const std::string& host)
{
	size_t colon = host.rfind(':');
	return colon == std::string::npos ? host : host.substr(0, colon);
}

const char* ReasonPhrase(int status)
{
	switch (status) {
	case 200:
		return "OK";
	case 301:
		return "Moved Permanently";
	case 302:
		return "Found";
	case 303:
		return "See Other";
	case 307:
		return "Temporary Redirect";
	case 400:
		return "Bad Request";
	case 403:
		return "Forbidden";
	case 404:
		return "Not Found";
	case 500:
		return "Internal Server Error";
	case 503:
		return "Service Unavailable";
	default:
		return "Status";
	}
}

bool SendAll(int socket, const std::string& data)
{
	size_t sent = 0;
	while (sent < data.size()) {
		ssize_t n = ::send(socket, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
		if (n <= 0)
			return false;
		sent += size_t(n);
	}
	return true;
}

} // namespace

std::string LoopbackHTTPServer::Request::Header(const std::string& name) const
{
	std::string wanted = Lower(name);
	for (const auto& [key, value] : mHeaders)
		if (Lower(key) == wanted)
			return value;
	return "";
}

LoopbackHTTPServer::Response LoopbackHTTPServer::Page(std::string body, std::string contentType)
{
	Response response;
	response.mHeaders.emplace_back("Content-Type", std::move(contentType));
	response.mBodyChunks.push_back(std::move(body));
	return response;
}

LoopbackHTTPServer::Response LoopbackHTTPServer::Status(int status, std::string body)
{
	Response response = Page(std::move(body));
	response.mStatus = status;
	return response;
}

LoopbackHTTPServer::Response LoopbackHTTPServer::Redirect(std::string location, int status)
{
	Response response;
	response.mStatus = status;
	response.mHeaders.emplace_back("Location", std::move(location));
	return response;
}

LoopbackHTTPServer::Response LoopbackHTTPServer::Hangup()
{
	Response response;
	response.mCloseWithoutAnswer = true;
	return response;
}

LoopbackHTTPServer::Response LoopbackHTTPServer::Slow(Response response, int delayMilliseconds)
{
	response.mDelayMilliseconds = delayMilliseconds;
	return response;
}

LoopbackHTTPServer::Response LoopbackHTTPServer::Chunked(std::vector<std::string> chunks,
                                                         int pauseMilliseconds)
{
	Response response = Page("");
	response.mBodyChunks = std::move(chunks);
	response.mChunkPauseMilliseconds = pauseMilliseconds;
	return response;
}

LoopbackHTTPServer::LoopbackHTTPServer()
{
	mListener = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
	if (mListener < 0)
		throw std::runtime_error("loopback server: no socket");
	sockaddr_in address{};
	address.sin_family = AF_INET;
	address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
	address.sin_port = 0;
	socklen_t length = sizeof address;
	if (::bind(mListener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
	    ::listen(mListener, SOMAXCONN) != 0 ||
	    ::getsockname(mListener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
		::close(mListener);
		throw std::runtime_error("loopback server: cannot listen");
	}
	mPort = ntohs(address.sin_port);
	mAcceptor = std::thread([this] { AcceptLoop(); });
}

LoopbackHTTPServer::~LoopbackHTTPServer()
{
	mStopping = true;
	if (mAcceptor.joinable())
		mAcceptor.join();
	// The acceptor has ended, so no connection thread is added any more.
	for (std::thread& connection : mConnections)
		if (connection.joinable())
			connection.join();
	::close(mListener);
}

std::string LoopbackHTTPServer::ProxyURL() const
{
	return "http://127.0.0.1:" + std::to_string(mPort);
}

void LoopbackHTTPServer::Serve(const std::string& path, Response response)
{
	Serve("", path, std::move(response));
}

void LoopbackHTTPServer::Serve(const std::string& host, const std::string& path, Response response)
{
	std::lock_guard<std::mutex> lock(mMutex);
	mResponses[Lower(host) + " " + path] = std::move(response);
}

std::vector<LoopbackHTTPServer::Request> LoopbackHTTPServer::Requests() const
{
	std::lock_guard<std::mutex> lock(mMutex);
	return mRequests;
}

size_t LoopbackHTTPServer::RequestCount() const
{
	std::lock_guard<std::mutex> lock(mMutex);
	return mRequests.size();
}

bool LoopbackHTTPServer::Wait(int milliseconds) const
{
	auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
	while (!mStopping) {
		auto now = std::chrono::steady_clock::now();
		if (now >= end)
			return true;
		auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
		::usleep(useconds_t(std::min<long>(left, kSliceMilliseconds)) * 1000);
	}
	return false;
}

LoopbackHTTPServer::Response LoopbackHTTPServer::Lookup(const Request& request) const
{
	std::lock_guard<std::mutex> lock(mMutex);
	auto found = mResponses.find(Lower(request.mHost) + " " + request.mPath);
	if (found == mResponses.end())
		found = mResponses.find(" " + request.mPath);
	if (found != mResponses.end())
		return found->second;
	return Status(404, "<html>Not found</html>");
}

void LoopbackHTTPServer::AcceptLoop()
{
	while (!mStopping) {
		pollfd listener{mListener, POLLIN, 0};
		if (::poll(&listener, 1, kSliceMilliseconds) <= 0)
			continue;
		int socket = ::accept4(mListener, nullptr, nullptr, SOCK_CLOEXEC);
		if (socket < 0)
			continue;
		timeval sendLimit{1, 0};
		::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &sendLimit, sizeof sendLimit);
		std::lock_guard<std::mutex> lock(mMutex);
		mConnections.emplace_back([this, socket] { HandleConnection(socket); });
	}
}

void LoopbackHTTPServer::HandleConnection(int socket)
{
	std::string data;
	size_t headerEnd = std::string::npos;
	size_t wanted = std::string::npos;
	int waited = 0;
	while (!mStopping && waited < kReadLimitMilliseconds && data.size() < kRequestLimit) {
		if (headerEnd != std::string::npos && data.size() >= wanted)
			break;
		pollfd peer{socket, POLLIN, 0};
		int ready = ::poll(&peer, 1, kSliceMilliseconds);
		if (ready == 0) {
			waited += kSliceMilliseconds;
			continue;
		}
		char buffer[4096];
		ssize_t n = ready > 0 ? ::recv(socket, buffer, sizeof buffer, 0) : -1;
		if (n <= 0)
			break;
		data.append(buffer, size_t(n));
		if (headerEnd == std::string::npos &&
		    (headerEnd = data.find("\r\n\r\n")) != std::string::npos) {
			size_t bodyLength = 0;
			std::string head = Lower(data.substr(0, headerEnd));
			size_t field = head.find("\r\ncontent-length:");
			if (field != std::string::npos)
				bodyLength = std::strtoul(head.c_str() + field + 17, nullptr, 10);
			wanted = headerEnd + 4 + bodyLength;
		}
	}
	if (headerEnd == std::string::npos) {
		::close(socket);
		return;
	}

	Request request;
	std::string head = data.substr(0, headerEnd);
	size_t lineEnd = head.find("\r\n");
	std::string requestLine = head.substr(0, lineEnd);
	size_t firstBlank = requestLine.find(' ');
	size_t secondBlank = requestLine.find(' ', firstBlank + 1);
	request.mMethod = requestLine.substr(0, firstBlank);
	request.mTarget = requestLine.substr(firstBlank + 1, secondBlank - firstBlank - 1);
	for (size_t start = lineEnd; start != std::string::npos && start < head.size();) {
		size_t next = head.find("\r\n", start + 2);
		std::string line =
		    head.substr(start + 2, next == std::string::npos ? next : next - start - 2);
		size_t colon = line.find(':');
		if (colon != std::string::npos)
			request.mHeaders.emplace_back(Trim(line.substr(0, colon)),
			                              Trim(line.substr(colon + 1)));
		start = next;
	}
	request.mBody = data.substr(std::min(data.size(), headerEnd + 4));
	if (request.mTarget.rfind("http://", 0) == 0) {
		size_t slash = request.mTarget.find('/', 7);
		request.mHost = request.mTarget.substr(7, slash == std::string::npos ? slash : slash - 7);
		request.mPath = slash == std::string::npos ? "/" : request.mTarget.substr(slash);
	} else {
		request.mHost = request.Header("Host");
		request.mPath = request.mTarget;
	}
	request.mHost = WithoutPort(request.mHost);
	Response response = Lookup(request);
	{
		std::lock_guard<std::mutex> lock(mMutex);
		mRequests.push_back(request);
	}

	if (!response.mCloseWithoutAnswer && Wait(response.mDelayMilliseconds)) {
		size_t length = 0;
		for (const std::string& chunk : response.mBodyChunks)
			length += chunk.size();
		std::string answer = "HTTP/1.1 " + std::to_string(response.mStatus) + " " +
		                     ReasonPhrase(response.mStatus) + "\r\n";
		for (const auto& [name, value] : response.mHeaders)
			answer += name + ": " + value + "\r\n";
		answer += "Content-Length: " + std::to_string(length) + "\r\nConnection: close\r\n\r\n";
		bool ok = SendAll(socket, answer);
		for (size_t i = 0; ok && i < response.mBodyChunks.size(); ++i) {
			if (i > 0 && !Wait(response.mChunkPauseMilliseconds))
				break;
			ok = SendAll(socket, response.mBodyChunks[i]);
		}
	}
	::shutdown(socket, SHUT_RDWR);
	::close(socket);
}
