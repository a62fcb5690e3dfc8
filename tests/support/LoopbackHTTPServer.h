#pragma once
// A small HTTP server on 127.0.0.1 for tests. It answers each request from canned responses chosen by the
// request's path (and optionally its host), records every request it saw, and stops in its destructor.
// Every connection gets one answer and is then closed.
//
// Point libcurl at it as a proxy, so request URLs keep their real host names:
//
//	#include "tests/support/LoopbackHTTPServer.h"
//	#include "tests/support/ScopedEnvironment.h"
//
//	LoopbackHTTPServer server;
//	server.Serve("/q?s=IBM", LoopbackHTTPServer::Page("<html>IBM 123.45</html>"));
//	server.Serve("quotes.example", "/old", LoopbackHTTPServer::Redirect("http://quotes.example/q?s=IBM"));
//	ScopedEnvironment proxy("http_proxy", server.ProxyURL());
//	... fetch "http://quotes.example/q?s=IBM" ...
//	EXPECT_EQ(server.Requests().at(0).mHost, "quotes.example");
//
// A path that was not served answers 404.

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

class LoopbackHTTPServer
{
public:
	struct Response {
		int mStatus = 200;
		std::vector<std::pair<std::string, std::string>> mHeaders;
		// Sent in these pieces, mChunkPause apart, so the client sees several chunks.
		std::vector<std::string> mBodyChunks;
		int mChunkPauseMilliseconds = 0;
		int mDelayMilliseconds = 0; // before the answer starts
		bool mCloseWithoutAnswer = false;
	};

	struct Request {
		std::string mMethod;
		std::string mTarget; // as on the request line (absolute when sent to a proxy)
		std::string mHost;
		std::string mPath; // path and query
		std::vector<std::pair<std::string, std::string>> mHeaders;
		std::string mBody;

		// The first header of that name (letter case ignored), or "".
		std::string Header(const std::string& name) const;
	};

	static Response Page(std::string body, std::string contentType = "text/html");
	static Response Status(int status, std::string body = "");
	static Response Redirect(std::string location, int status = 302);
	static Response Hangup();
	static Response Slow(Response response, int delayMilliseconds);
	static Response Chunked(std::vector<std::string> chunks, int pauseMilliseconds);

	LoopbackHTTPServer();
	~LoopbackHTTPServer();
	LoopbackHTTPServer(const LoopbackHTTPServer&) = delete;
	LoopbackHTTPServer& operator=(const LoopbackHTTPServer&) = delete;

	unsigned short Port() const { return mPort; }
	std::string ProxyURL() const;

	// A response for any host, or for one host only (which wins).
	void Serve(const std::string& path, Response response);
	void Serve(const std::string& host, const std::string& path, Response response);

	std::vector<Request> Requests() const;
	size_t RequestCount() const;

private:
	void AcceptLoop();
	void HandleConnection(int socket);
	bool Wait(int milliseconds) const; // false when stopping
	Response Lookup(const Request& request) const;

	int mListener = -1;
	unsigned short mPort = 0;
	std::atomic<bool> mStopping{false};
	mutable std::mutex mMutex;
	std::map<std::string, Response> mResponses; // "host path" or " path"
	std::vector<Request> mRequests;
	std::vector<std::thread> mConnections;
	std::thread mAcceptor;
};
