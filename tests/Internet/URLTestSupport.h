#pragma once
// Shared by the request-layer tests: a callback that records every report, a request that counts its
// destruction, and a fixture that runs the layer against the loopback server through the proxy setting.

#include "Internet/TURLRequest.h"
#include "tests/support/LoopbackHTTPServer.h"
#include "tests/support/ScopedEnvironment.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

struct tReport {
	unsigned long mReason;
	std::string mBody;
	int mResult;
	long mStatus;
	TURLRequest* mRequest;
};

class RecordingCallback : public TURLCallback
{
public:
	void Run(TVyString& body, void* userData, unsigned long reason, TURLRequest* request) override
	{
		EXPECT_EQ(userData, this);
		mReports.push_back({reason,
		                    std::string(body.GetCString() ? body.GetCString() : "", body.Length()),
		                    request->GetReturnCode(), request->GetResponseCode(), request});
		if (mOnReport)
			mOnReport(reason, request);
	}

	bool Finished() const { return !mReports.empty() && mReports.back().mReason == 2; }
	std::vector<unsigned long> Reasons() const
	{
		std::vector<unsigned long> reasons;
		for (const tReport& report : mReports)
			reasons.push_back(report.mReason);
		return reasons;
	}

	std::vector<tReport> mReports;
	std::function<void(unsigned long, TURLRequest*)> mOnReport;
};

class CountedRequest : public TURLRequest
{
public:
	~CountedRequest() override { ++sDestroyed; }
	static inline int sDestroyed = 0;
};

class URLRequestFixture : public ::testing::Test
{
protected:
	void SetUp() override
	{
		CountedRequest::sDestroyed = 0;
		TURLRequest::SetDefaultTimeout(2000);
		TURLRequest::Initialize(true);
	}
	void TearDown() override
	{
		TURLRequest::Terminate();
		TURLRequest::SetDefaultTimeout(TURLRequest::kDefaultTimeoutMilliseconds);
	}

	// A new request owned by the layer once started.
	CountedRequest* Start(const std::string& url, RecordingCallback& callback, unsigned long mask = 7)
	{
		CountedRequest* request = new CountedRequest;
		request->SetURL(url.c_str());
		request->SetFollowLocation(true);
		request->SetCallback(&callback, &callback, mask);
		EXPECT_TRUE(request->TransferURL()) << url;
		return request;
	}

	// Drives the layer as the pump would until done() or the limit; answers done().
	static bool PumpUntil(const std::function<bool()>& done, int milliseconds = 15000)
	{
		auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
		while (!done() && std::chrono::steady_clock::now() < end) {
			TURLRequest::Perform();
			::usleep(500);
		}
		return done();
	}

	LoopbackHTTPServer mServer;
	ScopedEnvironment mProxy{"http_proxy", mServer.ProxyURL()};
};
