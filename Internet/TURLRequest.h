#pragma once
// One HTTP transfer over a libcurl easy handle. All transfers share one libcurl multi handle, the transfer
// set; the pump calls Perform from the event loop, which drives the set and finishes completed transfers, so
// nothing blocks. Without a transfer set TransferURL performs the transfer at once.
//
// Ownership: once TransferURL has started a request on the transfer set, the request belongs to this layer,
// which destroys it right after its reason-2 report (completion or CancelURL). Callers drop every pointer to
// it inside that report. A request that TransferURL refused, or that ran synchronously, stays with its
// creator.
//
// A failed transfer (libcurl error, HTTP status 400 or above, timeout, cancel, an answer past its size cap)
// reaches the reason-2 report with a non-zero GetReturnCode and an empty body.

#include "Includes/TList.h"
#include "Internet/TCookieJar.h"
#include "Internet/TURLCallback.h"
#include "foundation/TVyString.h"
#include "platform/toolbox/MacTypes.h"

#include <curl/curl.h>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct tURLTransferInfo {
	TVyString mEffectiveURL;
	long mResponseCode = 0;
	long mConnectCode = 0;
	long mFileTime = 0;
	double mTotalTime = 0;
	double mNameLookupTime = 0;
	double mConnectTime = 0;
	double mPreTransferTime = 0;
	double mStartTransferTime = 0;
	double mRedirectTime = 0;
	long mRedirectCount = 0;
	double mSizeUpload = 0;
	double mSizeDownload = 0;
	double mSpeedDownload = 0;
	double mSpeedUpload = 0;
	long mHeaderSize = 0;
	long mRequestSize = 0;
	long mSSLVerifyResult = 0;
	TVyString mSSLEngines; // one line per engine
	double mContentLengthDownload = -1;
	double mContentLengthUpload = -1;
	TVyString mContentType;
	TVyString mPrivate;
	long mHTTPAuthAvail = 0;
	long mProxyAuthAvail = 0;
	long mOSErrno = 0;
	long mNumConnects = 0;

	void Clear() { *this = tURLTransferInfo(); }
};

class TURLRequest
{
public:
	enum { kMethodGet = 1, kMethodPost = 2 };

	// Result codes of failures that libcurl itself does not report.
	static constexpr UInt8 kResultCancelled = CURLE_ABORTED_BY_CALLBACK;
	static constexpr UInt8 kResultHTTPError = CURLE_HTTP_RETURNED_ERROR; // status 400 or above
	static constexpr UInt8 kResultNoURL = CURLE_URL_MALFORMAT;
	static constexpr UInt8 kResultNotStarted = CURLE_FAILED_INIT;
	// The body or the headers passed their cap: a broken or hostile server must not fill memory.
	static constexpr UInt8 kResultTooLarge = CURLE_FILESIZE_EXCEEDED;
	static constexpr unsigned long kMaxBodyBytes = 16UL << 20;
	static constexpr unsigned long kMaxHeaderBytes = 1UL << 20;

	static constexpr long kDefaultTimeoutMilliseconds = 120 * 1000;
	// A round of thousands of requests waits in a queue per host and enters the set a few at a time, so
	// that no pump pass stalls the loop and the program holds a few sockets per source, however slow it
	// is. Only the per-host share bounds the set: a source that never answers holds its own share and
	// nobody else's, and sources are few.
	static constexpr long kAdmitPerPass = 32;
	static constexpr long kMaxHostTransfers = 8;
	// libcurl's connection limits while up to four hosts have work; each further host adds its share.
	static constexpr long kMaxTransfers = 32;
	static constexpr long kMaxRedirections = 20;
	// Submitters set their own; Reset leaves the older one.
	static constexpr const char* kDefaultUserAgent = "Mozilla/5.0 (compatible; MSIE 6.0; Windows NT 5.1)";
	static constexpr const char* kResetUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)";

	// The layer. Initialize(true) creates the transfer set; without it transfers run synchronously.
	// Initialize throws 'nilP' when the request list cannot be made.
	static void Initialize(bool withTransferSet);
	// Every open request is cancelled (its reason-2 report, so that whoever holds it lets go), then
	// destroyed; requests started during those reports are refused.
	static void Terminate();
	// The pump's step: finishes at most one completed transfer, drives the set, and finishes one more
	// each time libcurl asks to be called again. True when it asked at least once.
	static bool Perform();
	static void CheckIfDone();
	static long OutstandingRequests();
	static long TransfersInSet() { return sTransfersInSet; }
	// libcurl's total (and per-host) connection limit now: a share for every host with work.
	static long ConnectionLimit() { return sConnectionLimit; }
	static long WaitingRequests();
	static TURLRequest* FindRequest(void* easyHandle);
	static void AddRequest(TURLRequest* request);
	static void DeleteRequest(TURLRequest* request);
	static bool HasTransferSet() { return sCURLHandle != nullptr; }

	// The timeout new requests take at Reset (tests shorten it).
	static void SetDefaultTimeout(long milliseconds);
	static long GetDefaultTimeout() { return sDefaultTimeout; }

	TURLRequest();
	virtual ~TURLRequest();
	TURLRequest(const TURLRequest&) = delete; // two requests must never share a handle
	TURLRequest& operator=(const TURLRequest&) = delete;

	// Back to the defaults; only for a request that is not open.
	void Reset();
	void ResetConnection();

	void SetURL(const TVyString& url) { mURL = url; }
	void SetURL(const char* url) { mURL = url; }
	void GetURL(TVyString& out) const { out = mURL; }
	void SetUserAgent(const TVyString& agent) { mUserAgent = agent; }
	void SetUserAgent(const char* agent) { mUserAgent = agent; }
	void SetReferer(const TVyString& referer) { mReferer = referer; }
	void SetFollowLocation(bool follow) { mFollowLocation = follow ? 1 : 0; }
	void SetVerbose(bool verbose) { mVerbose = verbose ? 1 : 0; }
	// On by default: peers and host names are verified against the CA file, or the system's trust store
	// when the CA file is empty.
	void SetSSLMode(bool verify) { mSSLMode = verify ? 1 : 0; }
	void SetCAFile(const TVyString& path) { mCAFile = path; }
	void SetKeepConnection(bool keep) { mKeepConnection = keep ? 1 : 0; }
	// A request the user waits for (a symbol search, a window's Update) goes ahead of the requests queued
	// for its host; one queued already moves to the front.
	void SetAheadOfQueue(bool ahead);
	void SetPost(const TVyString& postData);
	void SetTimeout(long milliseconds) { mTimeout = milliseconds; }
	long GetTimeout() const { return mTimeout; }

	// Cookies: the outbound jar is sent as one cookie string, unless a cookie file is read instead.
	void SetUseCookies(bool use) { mUseCookies = use ? 1 : 0; }
	void SetUseCookieFile(bool use, const TVyString& path);
	void SetUseCookieJarFile(bool use, const TVyString& path);
	TCookieJar& OutboundCookies() { return mOutboundCookies; }
	// Filled at completion with the cookies libcurl's cookie engine holds (cookie file or jar in use).
	TCookieJar& ReceivedCookies() { return mReceivedCookies; }

	void SetCallback(TURLCallback* callback, void* userData, unsigned long reasonMask);
	void SetUserDataFlags(unsigned long flags) { mUserDataFlags = UInt32(flags); }
	unsigned long GetUserDataFlags() const { return mUserDataFlags; }
	void* GetUserData() const { return mUserData; }

	// Name (cut before its first ':') and value become one "Name: value" header line.
	void AddCustomHeader(const TVyString& name, const TVyString& value);
	void AddCustomHeader(const char* name, const char* value);

	// Queues the transfer for the set, which the pump lets it into, or performs it when there is none.
	// False when no transfer was started: no report follows, GetReturnCode says why, and the request
	// stays with the caller. A queued request that cannot start reports kResultNotStarted.
	bool TransferURL();
	// Ends an open transfer: one reason-2 report with kResultCancelled and an empty body, then the
	// request is destroyed. Does nothing for a request that is not open or whose report is running.
	void CancelURL();
	// The completion step: transfer information, cookies, the reason-2 report.
	void DoCleanup();

	UInt8 GetReturnCode() const { return mResultCode; }
	const char* GetErrorText() const { return mErrorText; }
	long GetResponseCode() const { return GetTransferInfo().mResponseCode; }
	const tURLTransferInfo& GetTransferInfo() const { return mInfo ? *mInfo : sNoInfo; }
	TVyString& GetBody() { return mBody; }
	const TVyString& GetHeaderText() const { return mHeaderText; }
	const TVyString& GetDebugText() const { return mDebugText; }
	UInt32 GetChunkCount() const { return mChunkCount; }
	bool InProgress() const { return mInProgress != 0; }

	// libcurl's write, header and debug functions; the last argument is the request.
	static size_t BufferCallback(char* data, size_t size, size_t count, void* request);
	static size_t HeaderCallback(char* data, size_t size, size_t count, void* request);
	static int DebugCallback(CURL* handle, curl_infotype type, char* data, size_t size, void* request);
	static unsigned long DoCallback(TVyString* text, const char* data, unsigned long size,
	                                unsigned long count);
	static void TranslateSlist(const curl_slist* list, TVyString& out);

	// Diagnostics.
	static void Version(TVyString& out);
	void Dump() const;
	void Info() const;

private:
	struct tHostQueue {
		std::deque<TURLRequest*> mWaiting;
		long mActive = 0;
	};

	static void FinishRequest(TURLRequest* request, UInt8 resultCode);
	static void FlushDeferred();
	static void AdmitWaiting();
	static void SyncConnectionLimit();
	void Enqueue();
	void Dequeue();
	bool EnterSet();
	void LeaveSet();
	bool Refuse(UInt8 resultCode);
	void ReportSafely(unsigned long reason);
	bool PrepareHandle();
	bool ApplyOptions();
	void FetchTransferInfo();
	void FreeTransferCopies();
	void ReleaseHandle();

	static CURLM* sCURLHandle;
	static TList<TURLRequest>* sRequests;
	// Requests in the set by easy handle.
	static std::unordered_map<CURL*, TURLRequest*> sByHandle;
	// Started requests not yet in the set, by host.
	static std::map<std::string, tHostQueue> sHosts;
	static std::string sLastHost;
	static long sTransfersInSet;
	static long sConnectionLimit;
	// libcurl refuses calls on the set from inside its own callbacks: requests cancelled there leave it
	// once it returns.
	static std::vector<TURLRequest*> sDeferred;
	static bool sInsideLibrary;
	static bool sTerminating;
	static long sDefaultTimeout;
	static std::vector<CURL*> sSpareHandles;
	static const tURLTransferInfo sNoInfo;

	UInt8 mInProgress = 0;
	UInt16 mMethod = kMethodGet;
	UInt8 mKeepConnection = 0;
	UInt8 mCookieEngine = 0; // the handle was given a cookie file or jar
	UInt8 mVerbose = 0;
	UInt8 mFollowLocation = 0;
	UInt8 mSSLMode = 1;
	TVyString mURL;
	TVyString mBody;
	TVyString mDebugText;
	TVyString mSSLData;
	TVyString mHeaderText;
	TVyString mPostData;
	TVyString mReferer;
	TVyString mUserAgent;
	TVyString mCAFile;
	TVyString mCustomHeaders;
	UInt8 mUseCookies = 0;
	UInt8 mUseCookieJarFile = 0;
	UInt8 mUseCookieFile = 0;
	TVyString mCookieText;
	TCookieJar mReceivedCookies;
	TCookieJar mOutboundCookies;
	TVyString mCookieJarFile;
	TVyString mCookieFile;
	CURL* mHandle = nullptr;
	UInt8 mResultCode = 0;
	char mErrorText[CURL_ERROR_SIZE + 1] = {};
	// Made at completion: a queued round of thousands of requests stays small.
	std::unique_ptr<tURLTransferInfo> mInfo;
	curl_slist* mReceivedCookieLines = nullptr;
	TURLCallback* mCallback = nullptr;
	void* mUserData = nullptr;
	UInt32 mUserDataFlags = 0;
	UInt32 mReasonMask = 0;
	UInt32 mChunkCount = 0;
	long mTimeout = kDefaultTimeoutMilliseconds;

	// Handed to libcurl by TransferURL; kept until the completion step.
	curl_slist* mHeaderList = nullptr;
	UInt8 mInSet = 0;
	UInt8 mFinishing = 0;
	UInt8 mListed = 0; // in the list of open requests: membership without a walk over thousands
	UInt8 mCancelled = 0;
	UInt8 mCallbackFailed = 0;
	UInt8 mTooLarge = 0;
	UInt8 mQueued = 0;
	UInt8 mAheadOfQueue = 0;
	tHostQueue* mHost = nullptr;
};
