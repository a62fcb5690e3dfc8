#include "Internet/TURLRequest.h"

#include "platform/toolbox/Debugging.h"
#include "tests/Internet/URLTestSupport.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SilentSource.h"

#include <algorithm>
#include <chrono>

namespace
{

using Server = LoopbackHTTPServer;
using Clock = std::chrono::steady_clock;

class TURLRequestTest : public URLRequestFixture
{
};

TEST_F(TURLRequestTest, ReportsFirstChunkLaterChunksThenCompletion)
{
	mServer.Serve("/q?s=IBM", Server::Chunked({"<html>", "IBM 123.45", "</html>"}, 40));
	RecordingCallback callback;
	Start("http://quotes.example/q?s=IBM", callback, 7);
	EXPECT_EQ(TURLRequest::OutstandingRequests(), 1);
	ASSERT_TRUE(PumpUntil([&] { return callback.Finished(); }));

	std::vector<unsigned long> reasons = callback.Reasons();
	ASSERT_GE(reasons.size(), 3u) << "three pieces sent 40 ms apart arrive as separate chunks";
	EXPECT_EQ(reasons.front(), 1u);
	for (size_t i = 1; i + 1 < reasons.size(); ++i)
		EXPECT_EQ(reasons[i], 4u);
	EXPECT_EQ(reasons.back(), 2u);
	EXPECT_EQ(callback.mReports.front().mBody, "<html>");
	const tReport& last = callback.mReports.back();
	EXPECT_EQ(last.mBody, "<html>IBM 123.45</html>");
	EXPECT_EQ(last.mResult, 0);
	EXPECT_EQ(last.mStatus, 200);
	EXPECT_EQ(TURLRequest::OutstandingRequests(), 0);
	EXPECT_EQ(CountedRequest::sDestroyed, 1) << "the layer destroys the request after its last report";

	ASSERT_EQ(mServer.RequestCount(), 1u);
	Server::Request seen = mServer.Requests()[0];
	EXPECT_EQ(seen.mMethod, "GET");
	EXPECT_EQ(seen.mHost, "quotes.example");
	EXPECT_EQ(seen.mPath, "/q?s=IBM");
	EXPECT_EQ(seen.Header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)");
	EXPECT_EQ(seen.Header("Cookie"), "");
}

TEST_F(TURLRequestTest, MaskDecidesWhichReportsRun)
{
	mServer.Serve("/a", Server::Chunked({"one", "two"}, 40));
	mServer.Serve("/b", Server::Chunked({"one", "two"}, 40));
	RecordingCallback finishedOnly;
	RecordingCallback laterOnly;
	Start("http://quotes.example/a", finishedOnly, 2);
	Start("http://quotes.example/b", laterOnly, 6);
	ASSERT_TRUE(PumpUntil([&] { return finishedOnly.Finished() && laterOnly.Finished(); }));

	EXPECT_EQ(finishedOnly.Reasons(), std::vector<unsigned long>{2});
	EXPECT_EQ(finishedOnly.mReports[0].mBody, "onetwo");
	// Without bit 1 the first chunk is reported as a later one.
	ASSERT_GE(laterOnly.mReports.size(), 3u);
	EXPECT_EQ(laterOnly.mReports[0].mReason, 4u);
	EXPECT_EQ(laterOnly.mReports[0].mBody, "one");
}

TEST_F(TURLRequestTest, ErrorStatusesFailWithoutBody)
{
	mServer.Serve("/missing", Server::Status(404, "<html>no such page</html>"));
	mServer.Serve("/broken", Server::Status(500, "<html>oops</html>"));
	RecordingCallback missing;
	RecordingCallback broken;
	Start("http://quotes.example/missing", missing);
	Start("http://quotes.example/broken", broken);
	ASSERT_TRUE(PumpUntil([&] { return missing.Finished() && broken.Finished(); }));

	EXPECT_EQ(missing.Reasons(), std::vector<unsigned long>{2})
	    << "an error page is never reported as data";
	EXPECT_EQ(missing.mReports.back().mResult, TURLRequest::kResultHTTPError);
	EXPECT_EQ(missing.mReports.back().mStatus, 404);
	EXPECT_EQ(missing.mReports.back().mBody, "");
	EXPECT_EQ(broken.mReports.back().mResult, TURLRequest::kResultHTTPError);
	EXPECT_EQ(broken.mReports.back().mStatus, 500);
	EXPECT_EQ(broken.mReports.back().mBody, "");
}

TEST_F(TURLRequestTest, RedirectIsFollowedAndALoopFails)
{
	mServer.Serve("/old", Server::Redirect("http://quotes.example/new"));
	mServer.Serve("/new", Server::Page("moved here"));
	mServer.Serve("/loop", Server::Redirect("http://quotes.example/loop"));
	RecordingCallback moved;
	RecordingCallback loop;
	std::string effectiveURL;
	long redirects = -1;
	moved.mOnReport = [&](unsigned long reason, TURLRequest* request) {
		if (reason != 2)
			return;
		const tURLTransferInfo& info = request->GetTransferInfo();
		effectiveURL = info.mEffectiveURL.GetCString();
		redirects = info.mRedirectCount;
	};
	Start("http://quotes.example/old", moved);
	Start("http://quotes.example/loop", loop);
	ASSERT_TRUE(PumpUntil([&] { return moved.Finished() && loop.Finished(); }));

	EXPECT_EQ(moved.mReports.back().mResult, 0);
	EXPECT_EQ(moved.mReports.back().mBody, "moved here");
	EXPECT_EQ(effectiveURL, "http://quotes.example/new");
	EXPECT_EQ(redirects, 1);

	EXPECT_EQ(loop.mReports.back().mResult, CURLE_TOO_MANY_REDIRECTS);
	size_t loopRequests = 0;
	for (const Server::Request& seen : mServer.Requests())
		loopRequests += seen.mPath == "/loop";
	EXPECT_EQ(loopRequests, size_t(TURLRequest::kMaxRedirections + 1));
}

TEST_F(TURLRequestTest, ConnectionClosedWithoutAnswerFails)
{
	mServer.Serve("/hangup", Server::Hangup());
	RecordingCallback callback;
	Start("http://quotes.example/hangup", callback);
	ASSERT_TRUE(PumpUntil([&] { return callback.Finished(); }));
	EXPECT_EQ(callback.Reasons(), std::vector<unsigned long>{2});
	EXPECT_EQ(callback.mReports.back().mResult, CURLE_GOT_NOTHING);
	EXPECT_EQ(callback.mReports.back().mBody, "");
}

TEST_F(TURLRequestTest, SlowServerTimesOut)
{
	mServer.Serve("/slow", Server::Slow(Server::Page("late"), 10000));
	RecordingCallback callback;
	Clock::time_point started = Clock::now();
	TURLRequest::SetDefaultTimeout(150);
	Start("http://quotes.example/slow", callback);
	ASSERT_TRUE(PumpUntil([&] { return callback.Finished(); }));
	EXPECT_LT(Clock::now() - started, std::chrono::milliseconds(10000)) << "before the page came";
	EXPECT_EQ(callback.mReports.back().mResult, CURLE_OPERATION_TIMEDOUT);
	EXPECT_EQ(callback.mReports.back().mBody, "");
}

TEST_F(TURLRequestTest, CancelReportsAnErrorAndNoPage)
{
	mServer.Serve("/q", Server::Chunked({"<html>partial", "rest</html>"}, 1500));
	RecordingCallback callback;
	CountedRequest* request = Start("http://quotes.example/q", callback);
	ASSERT_TRUE(PumpUntil([&] { return !callback.mReports.empty(); }));
	ASSERT_EQ(callback.mReports[0].mReason, 1u);

	request->CancelURL();
	EXPECT_EQ(callback.Reasons(), (std::vector<unsigned long>{1, 2}));
	EXPECT_EQ(callback.mReports.back().mResult, TURLRequest::kResultCancelled);
	EXPECT_EQ(callback.mReports.back().mBody, "") << "a cancelled page must not be scanned";
	EXPECT_EQ(TURLRequest::OutstandingRequests(), 0);
	EXPECT_EQ(CountedRequest::sDestroyed, 1);
	for (int i = 0; i < 20; ++i)
		TURLRequest::Perform();
	EXPECT_EQ(callback.mReports.size(), 2u);
}

TEST_F(TURLRequestTest, CancelFromInsideAChunkReport)
{
	mServer.Serve("/q", Server::Chunked({"first", "second"}, 300));
	mServer.Serve("/other", Server::Page("other page"));
	RecordingCallback callback;
	RecordingCallback other;
	CountedRequest* otherRequest = nullptr;
	callback.mOnReport = [&](unsigned long reason, TURLRequest* request) {
		if (reason == 1) {
			// libcurl is running: the cancel and the new transfer both wait until it returns.
			otherRequest = Start("http://quotes.example/other", other);
			request->CancelURL();
		}
	};
	Start("http://quotes.example/q", callback);
	ASSERT_TRUE(PumpUntil([&] { return callback.Finished() && other.Finished(); }));
	EXPECT_EQ(callback.Reasons(), (std::vector<unsigned long>{1, 2}));
	EXPECT_EQ(callback.mReports.back().mResult, TURLRequest::kResultCancelled);
	EXPECT_EQ(other.mReports.back().mBody, "other page");
	EXPECT_NE(otherRequest, nullptr);
	EXPECT_EQ(TURLRequest::OutstandingRequests(), 0);
	EXPECT_EQ(CountedRequest::sDestroyed, 2);
}

TEST_F(TURLRequestTest, CancelInsideTheFinalReportChangesNothing)
{
	mServer.Serve("/q", Server::Page("done"));
	RecordingCallback callback;
	callback.mOnReport = [](unsigned long reason, TURLRequest* request) {
		if (reason == 2)
			request->CancelURL();
	};
	Start("http://quotes.example/q", callback, 2);
	ASSERT_TRUE(PumpUntil([&] { return callback.Finished(); }));
	EXPECT_EQ(callback.mReports.size(), 1u);
	EXPECT_EQ(callback.mReports[0].mResult, 0);
	EXPECT_EQ(callback.mReports[0].mBody, "done");
	EXPECT_EQ(CountedRequest::sDestroyed, 1);
}

TEST_F(TURLRequestTest, ExceptionInAReportAbortsOnlyThatTransfer)
{
	mServer.Serve("/q", Server::Chunked({"a", "b"}, 40));
	RecordingCallback callback;
	callback.mOnReport = [](unsigned long reason, TURLRequest*) {
		if (reason == 1)
			throw 42;
	};
	long signals = Debugging::SignalCount();
	Start("http://quotes.example/q", callback);
	ASSERT_TRUE(PumpUntil([&] { return callback.Finished(); }));
	EXPECT_EQ(callback.Reasons(), (std::vector<unsigned long>{1, 2}));
	EXPECT_NE(callback.mReports.back().mResult, 0);
	EXPECT_EQ(callback.mReports.back().mBody, "");
	EXPECT_GT(Debugging::SignalCount(), signals);
}

TEST_F(TURLRequestTest, RefusedRequestReportsAtOnceAndStaysWithCaller)
{
	RecordingCallback callback;
	CountedRequest request;
	request.SetCallback(&callback, &callback, 7);
	EXPECT_FALSE(request.TransferURL());
	EXPECT_EQ(request.GetReturnCode(), TURLRequest::kResultNoURL);
	EXPECT_FALSE(request.InProgress());
	EXPECT_EQ(TURLRequest::OutstandingRequests(), 0);
	for (int i = 0; i < 5; ++i)
		TURLRequest::Perform();
	EXPECT_TRUE(callback.mReports.empty());
	EXPECT_EQ(mServer.RequestCount(), 0u);
	EXPECT_EQ(CountedRequest::sDestroyed, 0);
}

TEST_F(TURLRequestTest, TerminateCancelsOpenTransfersWithTheirReportsAndStartsNoMore)
{
	mServer.Serve("/slow", Server::Slow(Server::Page("late"), 20000));
	RecordingCallback callback;
	Start("http://quotes.example/slow", callback);
	Start("http://quotes.example/slow", callback);
	ASSERT_TRUE(PumpUntil([&] { return mServer.RequestCount() == 2; }));
	EXPECT_EQ(TURLRequest::OutstandingRequests(), 2);
	bool restarted = true;
	callback.mOnReport = [&](unsigned long, TURLRequest*) {
		TURLRequest again;
		again.SetURL("http://quotes.example/slow");
		restarted = again.TransferURL();
	};

	TURLRequest::Terminate();
	EXPECT_EQ(CountedRequest::sDestroyed, 2);
	ASSERT_EQ(callback.mReports.size(), 2u);
	for (const tReport& report : callback.mReports) {
		EXPECT_EQ(report.mReason, 2u);
		EXPECT_EQ(report.mResult, TURLRequest::kResultCancelled);
		EXPECT_EQ(report.mBody, "");
	}
	EXPECT_FALSE(restarted) << "nothing starts while the layer ends";
	EXPECT_EQ(TURLRequest::OutstandingRequests(), 0);
	TURLRequest::Initialize(true); // for TearDown
}

// Unannounced lengths: the pieces as libcurl hands them over, until one would pass the cap. (libcurl
// itself may end a transfer with large headers sooner.)
TEST_F(TURLRequestTest, PiecesPastTheSizeCapsEndTheTransferAsTooLarge)
{
	RecordingCallback callback;
	const std::string piece(64 * 1024, 'x');
	for (bool headers : {false, true}) {
		SCOPED_TRACE(headers ? "headers" : "body");
		TURLRequest request;
		request.SetCallback(&callback, &callback, 2);
		const unsigned long cap = headers ? TURLRequest::kMaxHeaderBytes : TURLRequest::kMaxBodyBytes;
		auto feed = headers ? &TURLRequest::HeaderCallback : &TURLRequest::BufferCallback;
		unsigned long taken = 0;
		size_t accepted;
		char* data = const_cast<char*>(piece.data());
		while ((accepted = feed(data, 1, piece.size(), &request)) == piece.size())
			taken += accepted;
		EXPECT_EQ(accepted, 0u);
		EXPECT_LE(taken, cap);
		EXPECT_GT(taken + piece.size(), cap);
		request.DoCleanup();
		EXPECT_EQ(request.GetReturnCode(), TURLRequest::kResultTooLarge);
		EXPECT_EQ(callback.mReports.back().mBody, "");
	}
}

TEST_F(TURLRequestTest, CustomHeadersStayOneLineEach)
{
	mServer.Serve("/h", Server::Page("ok"));
	RecordingCallback callback;
	TURLRequest* request = new TURLRequest;
	request->SetURL("http://quotes.example/h");
	request->AddCustomHeader("X-Test: ignored", "v\r\nInjected: 1");
	request->SetCallback(&callback, &callback, 2);
	ASSERT_TRUE(request->TransferURL());
	ASSERT_TRUE(PumpUntil([&] { return callback.Finished(); }));
	ASSERT_EQ(mServer.RequestCount(), 1u);
	Server::Request seen = mServer.Requests()[0];
	EXPECT_EQ(seen.Header("X-Test"), "vInjected: 1");
	EXPECT_EQ(seen.Header("Injected"), "");
}

TEST_F(TURLRequestTest, MissingContentTypeIsEmpty)
{
	Server::Response bare;
	bare.mBodyChunks = {"plain"};
	mServer.Serve("/bare", bare);
	RecordingCallback callback;
	std::string contentType = "unset";
	callback.mOnReport = [&](unsigned long, TURLRequest* request) {
		const TVyString& type = request->GetTransferInfo().mContentType;
		contentType.assign(type.GetCString() ? type.GetCString() : "", type.Length());
	};
	Start("http://quotes.example/bare", callback, 2);
	ASSERT_TRUE(PumpUntil([&] { return callback.Finished(); }));
	EXPECT_EQ(callback.mReports.back().mBody, "plain");
	EXPECT_EQ(contentType, "");
}

TEST_F(TURLRequestTest, SendsTheOutboundJarOrTheCookieFile)
{
	ScratchFolder scratch;
	mServer.Serve("/c", Server::Page("ok"));
	RecordingCallback withJar;
	TURLRequest* request = new TURLRequest;
	request->SetURL("http://quotes.example/c");
	request->SetUseCookies(true);
	request->OutboundCookies().AddCookie("Set-Cookie: a=1; Path=/");
	request->OutboundCookies().AddCookie("Set-Cookie: b=2");
	request->SetCallback(&withJar, &withJar, 2);
	ASSERT_TRUE(request->TransferURL());
	ASSERT_TRUE(PumpUntil([&] { return withJar.Finished(); }));

	scratch.Write("cookies.txt", "# Netscape HTTP Cookie File\n"
	                             "quotes.example\tFALSE\t/\tFALSE\t0\tsid\tabc\n");
	RecordingCallback withFile;
	request = new TURLRequest;
	request->SetURL("http://quotes.example/c");
	request->SetUseCookies(true);
	request->OutboundCookies().AddCookie("Set-Cookie: ignored=1");
	request->SetUseCookieFile(true, TVyString(scratch.Path("cookies.txt").c_str()));
	request->SetCallback(&withFile, &withFile, 2);
	ASSERT_TRUE(request->TransferURL());
	ASSERT_TRUE(PumpUntil([&] { return withFile.Finished(); }));

	std::vector<Server::Request> seen = mServer.Requests();
	ASSERT_EQ(seen.size(), 2u);
	EXPECT_EQ(seen[0].Header("Cookie"), "a=1; b=2");
	EXPECT_EQ(seen[1].Header("Cookie"), "sid=abc") << "a cookie file replaces the outbound jar";
}

TEST_F(TURLRequestTest, ReceivedCookiesReachTheJarFileAndTheRequest)
{
	ScratchFolder scratch;
	Server::Response page = Server::Page("ok");
	page.mHeaders.emplace_back("Set-Cookie", "session=xyz; Path=/");
	mServer.Serve("/login", page);
	RecordingCallback callback;
	long received = -1;
	TCookie cookie;
	callback.mOnReport = [&](unsigned long, TURLRequest* request) {
		received = request->ReceivedCookies().Count();
		request->ReceivedCookies().GetCookie("session", cookie);
	};
	TURLRequest* request = new TURLRequest;
	request->SetURL("http://quotes.example/login");
	request->SetUseCookieJarFile(true, TVyString(scratch.Path("jar.txt").c_str()));
	request->SetCallback(&callback, &callback, 2);
	ASSERT_TRUE(request->TransferURL());
	ASSERT_TRUE(PumpUntil([&] { return callback.Finished(); }));

	EXPECT_EQ(received, 1);
	TVyString value;
	cookie.GetValue(value);
	EXPECT_TRUE(value.EqualTo("xyz", true));

	TCookieJar fromFile;
	fromFile.ParseCookiesFromBuffer(TVyString(scratch.Read("jar.txt").c_str()));
	ASSERT_EQ(fromFile.Count(), 1);
	TVyString string;
	fromFile.GetCURLString(string);
	EXPECT_TRUE(string.EqualTo("session=xyz", true)) << string.GetCString();
}

// One transfer after another, as a round runs them: each starts from the defaults, whatever the one before
// set (its method, referer, headers, transcript, received cookies).
TEST_F(TURLRequestTest, EachTransferStartsFromTheDefaultsWhateverTheOneBeforeSet)
{
	ScratchFolder scratch;
	Server::Response withCookie = Server::Page("in");
	withCookie.mHeaders.emplace_back("Set-Cookie", "session=xyz; Path=/");
	mServer.Serve("/login", withCookie);
	mServer.Serve("/form", Server::Page("posted"));
	mServer.Serve("/plain", Server::Page("plain"));
	auto text = [](const TVyString& t) {
		return std::string(t.GetCString() ? t.GetCString() : "", t.Length());
	};
	std::string transcript = "unset";
	auto run = [&](const std::function<void(TURLRequest&)>& configure) {
		RecordingCallback callback;
		callback.mOnReport = [&](unsigned long, TURLRequest* request) {
			transcript = text(request->GetDebugText());
		};
		TURLRequest* request = new TURLRequest;
		configure(*request);
		request->SetCallback(&callback, &callback, 2);
		EXPECT_TRUE(request->TransferURL());
		EXPECT_TRUE(PumpUntil([&] { return callback.Finished(); }));
		return callback.mReports.empty() ? std::string() : callback.mReports.back().mBody;
	};
	auto plain = [](TURLRequest& request) { request.SetURL("http://quotes.example/plain"); };

	EXPECT_EQ(run([&](TURLRequest& request) {
		          request.SetURL("http://quotes.example/login");
		          request.SetUseCookieJarFile(true, TVyString(scratch.Path("jar.txt").c_str()));
	          }),
	          "in");
	EXPECT_EQ(run(plain), "plain");
	EXPECT_EQ(run([](TURLRequest& request) {
		          request.SetURL("http://quotes.example/form");
		          request.SetPost(TVyString("s=IBM"));
		          request.SetReferer(TVyString("http://quotes.example/start"));
		          request.AddCustomHeader("X-Source", "quotes");
		          request.SetVerbose(true);
	          }),
	          "posted");
	EXPECT_NE(transcript.find("> POST"), std::string::npos);
	for (int i = 0; i < 3; ++i) {
		EXPECT_EQ(run(plain), "plain");
		EXPECT_EQ(transcript, "") << "not verbose";
	}

	std::vector<Server::Request> seen = mServer.Requests();
	ASSERT_EQ(seen.size(), 6u);
	EXPECT_NE(scratch.Read("jar.txt").find("session"), std::string::npos) << "the jar is written";
	for (std::size_t i : {1u, 3u, 4u, 5u}) {
		EXPECT_EQ(seen[i].mMethod, "GET") << i;
		EXPECT_EQ(seen[i].mBody, "") << i;
		EXPECT_EQ(seen[i].Header("Referer"), "") << i;
		EXPECT_EQ(seen[i].Header("X-Source"), "") << i;
		EXPECT_EQ(seen[i].Header("Cookie"), "") << i << ": a cookie received by another transfer";
	}
	EXPECT_EQ(seen[2].Header("X-Source"), "quotes");
}

TEST_F(TURLRequestTest, OnePerformFinishesAtMostOneTransfer)
{
	const char* paths[] = {"/a", "/b", "/c"};
	RecordingCallback callbacks[3];
	for (int i = 0; i < 3; ++i) {
		mServer.Serve(paths[i], Server::Page(paths[i]));
		Start(std::string("http://quotes.example") + paths[i], callbacks[i], 2);
	}
	auto finished = [&] {
		int count = 0;
		for (const RecordingCallback& callback : callbacks)
			count += callback.Finished();
		return count;
	};
	// Long pauses let all three answers arrive between two calls.
	int mostInOneCall = 0;
	Clock::time_point end = Clock::now() + std::chrono::seconds(15);
	while (finished() < 3 && Clock::now() < end) {
		const int before = finished();
		TURLRequest::Perform();
		mostInOneCall = std::max(mostInOneCall, finished() - before);
		::usleep(20000);
	}
	EXPECT_EQ(finished(), 3);
	EXPECT_EQ(mostInOneCall, 1) << "a burst of completions is spread over several passes";
	for (int i = 0; i < 3; ++i)
		EXPECT_EQ(callbacks[i].mReports.back().mBody, paths[i]);
}

TEST(TURLRequestSynchronous, WithoutTransferSetTheTransferRunsAtOnce)
{
	LoopbackHTTPServer server;
	ScopedEnvironment proxy("http_proxy", server.ProxyURL());
	server.Serve("/q", LoopbackHTTPServer::Page("now"));
	TURLRequest::Initialize(false);
	CountedRequest::sDestroyed = 0;
	RecordingCallback callback;
	{
		CountedRequest request;
		request.SetURL("http://quotes.example/q");
		request.SetCallback(&callback, &callback, 7);
		EXPECT_TRUE(request.TransferURL());
		EXPECT_EQ(callback.Reasons(), (std::vector<unsigned long>{1, 2}));
		EXPECT_EQ(callback.mReports.back().mBody, "now");
		EXPECT_EQ(TURLRequest::OutstandingRequests(), 0);
		EXPECT_EQ(CountedRequest::sDestroyed, 0) << "a synchronous request stays with its creator";
	}
	TURLRequest::Terminate();
}

TEST(TURLRequestSynchronous, PostRefererAndTranscriptUntilReset)
{
	LoopbackHTTPServer server;
	ScopedEnvironment proxy("http_proxy", server.ProxyURL());
	server.Serve("/form", LoopbackHTTPServer::Page("posted"));
	TURLRequest::Initialize(false);
	RecordingCallback callback;
	auto text = [](const TVyString& s) {
		return std::string(s.GetCString() ? s.GetCString() : "", s.Length());
	};
	{
		TURLRequest request;
		request.SetURL("http://quotes.example/form");
		request.SetPost(TVyString("s=IBM&t=1"));
		request.SetReferer(TVyString("http://quotes.example/start"));
		request.SetVerbose(true);
		request.SetCallback(&callback, &callback, 2);
		ASSERT_TRUE(request.TransferURL());
		EXPECT_EQ(callback.mReports.back().mBody, "posted");
		EXPECT_NE(text(request.GetHeaderText()).find("HTTP/1.1 200"), std::string::npos);
		const std::string transcript = text(request.GetDebugText());
		for (const char* line : {"> POST http://quotes.example/form HTTP/1.1", "<  HTTP/1.1 200",
		                         "{ [data not shown]", "} [data not shown]", "* "})
			EXPECT_NE(transcript.find(line), std::string::npos) << line << " in\n" << transcript;

		request.Reset();
		request.SetURL("http://quotes.example/form");
		request.SetCallback(&callback, &callback, 2);
		ASSERT_TRUE(request.TransferURL());
		EXPECT_EQ(text(request.GetDebugText()), "") << "not verbose after Reset";
	}
	TURLRequest::Terminate();

	std::vector<LoopbackHTTPServer::Request> seen = server.Requests();
	ASSERT_EQ(seen.size(), 2u);
	EXPECT_EQ(seen[0].mMethod, "POST");
	EXPECT_EQ(seen[0].mBody, "s=IBM&t=1");
	EXPECT_EQ(seen[0].Header("Referer"), "http://quotes.example/start");
	EXPECT_EQ(seen[1].mMethod, "GET");
	EXPECT_EQ(seen[1].mBody, "");
	EXPECT_EQ(seen[1].Header("Referer"), "");
	EXPECT_EQ(seen[0].Header("User-Agent"), TURLRequest::kResetUserAgent);
	EXPECT_EQ(seen[1].Header("User-Agent"), TURLRequest::kResetUserAgent);
}

} // namespace

// A round far larger than the limits against a source that never answers: it waits in its host's queue,
// enters the set a few at a time in the order started, holds a few sockets, and does not hold up another
// host's requests. A queued request cancels as an open one does.
TEST_F(TURLRequestTest, LargeRoundQueuesPerHostAndHoldsFewSockets)
{
	constexpr int kSlow = 200, kFast = 20;
	RecordingCallback slow[kSlow], fast[kFast];
	std::vector<CountedRequest*> slowRequests;
	const long descriptorsBefore = SilentSource::OpenDescriptors();
	for (int i = 0; i < kSlow; ++i) {
		const std::string path = "/s?n=" + std::to_string(i);
		mServer.Serve("slow.example", path, Server::Slow(Server::Page("late"), 60000));
		auto* request = new CountedRequest;
		request->SetURL(("http://slow.example" + path).c_str());
		request->SetTimeout(60000);
		request->SetCallback(&slow[i], &slow[i], 2);
		ASSERT_TRUE(request->TransferURL());
		slowRequests.push_back(request);
	}
	for (int i = 0; i < kFast; ++i) {
		const std::string path = "/f?n=" + std::to_string(i);
		mServer.Serve("fast.example", path, Server::Page(path));
		Start("http://fast.example" + path, fast[i], 2);
	}
	EXPECT_EQ(TURLRequest::TransfersInSet(), 0) << "requests enter libcurl only from the pump";

	TURLRequest::Perform();
	EXPECT_LE(TURLRequest::TransfersInSet(), TURLRequest::kAdmitPerPass);
	ASSERT_TRUE(PumpUntil([&] {
		return std::all_of(std::begin(fast), std::end(fast),
		                   [](const RecordingCallback& c) { return c.Finished(); });
	}));
	for (int i = 0; i < kFast; ++i)
		EXPECT_EQ(fast[i].mReports.back().mResult, 0) << i;
	ASSERT_TRUE(
	    PumpUntil([&] { return mServer.RequestCount() >= kFast + TURLRequest::kMaxHostTransfers; }));
	for (int i = 0; i < 50; ++i)
		TURLRequest::Perform();

	auto slowSeen = [&] {
		std::vector<std::string> paths;
		for (const auto& request : mServer.Requests())
			if (request.mHost == "slow.example")
				paths.push_back(request.mPath);
		return paths;
	};
	std::vector<std::string> seen = slowSeen();
	ASSERT_EQ(seen.size(), size_t(TURLRequest::kMaxHostTransfers));
	std::sort(seen.begin(), seen.end());
	std::vector<std::string> first;
	for (int i = 0; i < TURLRequest::kMaxHostTransfers; ++i)
		first.push_back("/s?n=" + std::to_string(i));
	std::sort(first.begin(), first.end());
	EXPECT_EQ(seen, first) << "the first started go first";
	// The client's and the in-process server's ends of each connection, and a few more.
	EXPECT_LE(SilentSource::OpenDescriptors() - descriptorsBefore,
	          2 * TURLRequest::kMaxHostTransfers + 8);
	EXPECT_EQ(TURLRequest::WaitingRequests(), kSlow - TURLRequest::kMaxHostTransfers);

	// Cancelled while queued: reported and destroyed at once, never sent.
	slowRequests.back()->CancelURL();
	ASSERT_EQ(slow[kSlow - 1].mReports.size(), 1u);
	EXPECT_EQ(slow[kSlow - 1].mReports[0].mResult, TURLRequest::kResultCancelled);
	EXPECT_EQ(CountedRequest::sDestroyed, kFast + 1);
	// Cancelled while open: the next in the queue takes its place.
	slowRequests.front()->CancelURL();
	ASSERT_EQ(slow[0].mReports.size(), 1u);
	EXPECT_EQ(slow[0].mReports[0].mResult, TURLRequest::kResultCancelled);
	const std::string next = "/s?n=" + std::to_string(TURLRequest::kMaxHostTransfers);
	EXPECT_TRUE(PumpUntil([&] {
		const auto paths = slowSeen();
		return std::find(paths.begin(), paths.end(), next) != paths.end();
	}));
	EXPECT_EQ(slowSeen().size(), size_t(TURLRequest::kMaxHostTransfers + 1));
	EXPECT_EQ(TURLRequest::OutstandingRequests(), kSlow - 2);

	// The end of the run cancels queued and open ones alike, each with its report.
	TURLRequest::Terminate();
	EXPECT_EQ(CountedRequest::sDestroyed, kFast + kSlow);
	for (int i = 0; i < kSlow; ++i) {
		ASSERT_EQ(slow[i].mReports.size(), 1u) << i;
		EXPECT_EQ(slow[i].mReports[0].mResult, TURLRequest::kResultCancelled) << i;
	}
	TURLRequest::Initialize(true); // for TearDown
}
