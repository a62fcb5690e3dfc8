#include "Internet/TURLRequest.h"

#include "platform/toolbox/Debugging.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <new>

CURLM* TURLRequest::sCURLHandle = nullptr;
TList<TURLRequest>* TURLRequest::sRequests = nullptr;
std::unordered_map<CURL*, TURLRequest*> TURLRequest::sByHandle;
std::map<std::string, TURLRequest::tHostQueue> TURLRequest::sHosts;
std::string TURLRequest::sLastHost;
long TURLRequest::sTransfersInSet = 0;
long TURLRequest::sConnectionLimit = 0;
std::vector<TURLRequest*> TURLRequest::sDeferred;
bool TURLRequest::sInsideLibrary = false;
bool TURLRequest::sTerminating = false;
long TURLRequest::sDefaultTimeout = TURLRequest::kDefaultTimeoutMilliseconds;
std::vector<CURL*> TURLRequest::sSpareHandles;
const tURLTransferInfo TURLRequest::sNoInfo;

namespace
{

constexpr long kNilPointer = long(FOUR_CHAR_CODE("nilP"));

// The stretch in which libcurl may call back into the layer.
class StInsideLibrary
{
public:
	explicit StInsideLibrary(bool& flag) : mFlag(flag), mSaved(flag) { mFlag = true; }
	~StInsideLibrary() { mFlag = mSaved; }

private:
	bool& mFlag;
	bool mSaved;
};

void CopyText(TVyString& out, const char* text)
{
	if (text != nullptr)
		out = text;
	else
		out.Clear();
}

// Header lines must stay one line each, whatever the caller passes.
TVyString WithoutLineBreaks(const char* text)
{
	TVyString out;
	for (const char* c = text; c != nullptr && *c != 0; ++c)
		if (*c != '\r' && *c != '\n')
			out.Append(c, 1);
	return out;
}

// The host (with its port) that a request's queue is kept by; letter case does not count.
std::string HostOf(const TVyString& url)
{
	const std::string text(url.GetCString() != nullptr ? url.GetCString() : "", url.Length());
	std::size_t start = text.find("://");
	start = start == std::string::npos ? 0 : start + 3;
	std::string host = text.substr(start, text.find_first_of("/?#", start) - start);
	const std::size_t at = host.rfind('@');
	if (at != std::string::npos)
		host.erase(0, at + 1);
	for (char& c : host)
		c = char(std::tolower(static_cast<unsigned char>(c)));
	return host;
}

} // namespace

// ---------------------------------------------------------------------------------------------------------
// The layer

void TURLRequest::Initialize(bool withTransferSet)
{
	SignalIf_(sRequests != nullptr);
	if (sRequests == nullptr) {
		sRequests = new (std::nothrow) TList<TURLRequest>(false, false);
		if (sRequests == nullptr)
			throw kNilPointer;
	}
	curl_global_init(CURL_GLOBAL_ALL);
	if (withTransferSet) {
		SignalIf_(sCURLHandle != nullptr);
		if (sCURLHandle == nullptr)
			sCURLHandle = curl_multi_init();
		SyncConnectionLimit();
	}
}

void TURLRequest::Terminate()
{
	SignalIf_(sRequests == nullptr);
	// Never from a chunk report: libcurl is using the set.
	SignalIf_(sInsideLibrary);
	if (sInsideLibrary)
		return;
	FlushDeferred();
	if (sRequests != nullptr) {
		sTerminating = true;
		// The cancel report lets every holder (a security's quote or news, a lookup window) drop its
		// pointer before the request is freed, whatever is destroyed after this.
		while (TURLRequest* request = sRequests->GetFirst()) {
			request->Dequeue();
			request->LeaveSet();
			request->mCancelled = 1;
			FinishRequest(request, kResultCancelled);
		}
		sTerminating = false;
		delete sRequests;
		sRequests = nullptr;
	}
	sHosts.clear();
	sLastHost.clear();
	sByHandle.clear();
	sTransfersInSet = 0;
	sConnectionLimit = 0;
	for (CURL* handle : sSpareHandles)
		curl_easy_cleanup(handle);
	sSpareHandles.clear();
	if (sCURLHandle != nullptr) {
		curl_multi_cleanup(sCURLHandle);
		sCURLHandle = nullptr;
	}
	curl_global_cleanup();
}

bool TURLRequest::Perform()
{
	// A nested event loop inside a chunk report may pump again; libcurl is still running then.
	if (sCURLHandle == nullptr || sInsideLibrary)
		return false;
	CheckIfDone();
	AdmitWaiting();
	bool askedAgain = false;
	for (;;) {
		int running = 0;
		CURLMcode code;
		{
			StInsideLibrary inside(sInsideLibrary);
			code = curl_multi_perform(sCURLHandle, &running);
		}
		FlushDeferred();
		if (code != CURLM_CALL_MULTI_PERFORM)
			break;
		CheckIfDone();
		askedAgain = true;
	}
	return askedAgain;
}

void TURLRequest::CheckIfDone()
{
	if (sCURLHandle == nullptr || sInsideLibrary)
		return;
	int left = 0;
	CURLMsg* message = curl_multi_info_read(sCURLHandle, &left);
	if (message == nullptr)
		return;
	// The message dies with the handle's removal: copy it first.
	CURL* handle = message->easy_handle;
	CURLcode result = message->msg == CURLMSG_DONE ? message->data.result : CURLE_OK;
	TURLRequest* request = FindRequest(handle);
	SignalIf_(request == nullptr);
	if (request != nullptr && request->mInSet)
		request->LeaveSet();
	else
		curl_multi_remove_handle(sCURLHandle, handle);
	if (request != nullptr)
		FinishRequest(request, UInt8(result));
}

void TURLRequest::FinishRequest(TURLRequest* request, UInt8 resultCode)
{
	request->mResultCode = resultCode;
	request->mFinishing = 1;
	request->DoCleanup();
	DeleteRequest(request);
	delete request;
}

void TURLRequest::FlushDeferred()
{
	if (sInsideLibrary)
		return;
	std::vector<TURLRequest*> cancelled;
	cancelled.swap(sDeferred);
	for (TURLRequest* request : cancelled) {
		request->LeaveSet();
		delete request;
	}
}

// Hosts take turns, one request at a time, from the host after the one served last, so that a slow source
// never holds up the others; each host's requests enter in the order they were started.
void TURLRequest::AdmitWaiting()
{
	SyncConnectionLimit();
	long budget = kAdmitPerPass;
	for (bool admitted = true; admitted;) {
		admitted = false;
		auto host = sHosts.upper_bound(sLastHost);
		// A report run here may start requests: the map's iterators stay valid.
		for (std::size_t turn = 0; turn < sHosts.size(); ++turn, ++host) {
			if (budget == 0)
				return;
			if (host == sHosts.end())
				host = sHosts.begin();
			tHostQueue& queue = host->second;
			if (queue.mWaiting.empty() || queue.mActive >= kMaxHostTransfers)
				continue;
			// A report run here may have given a new host work.
			if (queue.mActive == 0)
				SyncConnectionLimit();
			TURLRequest* request = queue.mWaiting.front();
			queue.mWaiting.pop_front();
			request->mQueued = 0;
			--budget;
			admitted = true;
			sLastHost = host->first;
			if (!request->EnterSet())
				FinishRequest(request, kResultNotStarted);
		}
	}
}

// libcurl must never hold a transfer back for want of a connection while another host's silent transfers
// hold theirs: its limits follow the queues' shares. Through a plain HTTP proxy libcurl counts every
// connection against the proxy, so its per-host limit is the total too; the queues keep each host's share.
void TURLRequest::SyncConnectionLimit()
{
	if (sCURLHandle == nullptr)
		return;
	long busyHosts = 0;
	for (const auto& [name, queue] : sHosts)
		busyHosts += !queue.mWaiting.empty() || queue.mActive != 0;
	const long limit = std::max(kMaxTransfers, busyHosts * kMaxHostTransfers);
	if (limit == sConnectionLimit)
		return;
	sConnectionLimit = limit;
	curl_multi_setopt(sCURLHandle, CURLMOPT_MAX_TOTAL_CONNECTIONS, limit);
	curl_multi_setopt(sCURLHandle, CURLMOPT_MAX_HOST_CONNECTIONS, limit);
	curl_multi_setopt(sCURLHandle, CURLMOPT_MAXCONNECTS, limit);
}

void TURLRequest::Enqueue()
{
	mHost = &sHosts[HostOf(mURL)];
	if (mAheadOfQueue)
		mHost->mWaiting.push_front(this);
	else
		mHost->mWaiting.push_back(this);
	mQueued = 1;
}

void TURLRequest::Dequeue()
{
	if (!mQueued)
		return;
	// Requests are mostly cancelled in the order they were started: near the front.
	std::deque<TURLRequest*>& waiting = mHost->mWaiting;
	auto found = std::find(waiting.begin(), waiting.end(), this);
	if (found != waiting.end())
		waiting.erase(found);
	mQueued = 0;
}

bool TURLRequest::EnterSet()
{
	if (!PrepareHandle() || curl_multi_add_handle(sCURLHandle, mHandle) != CURLM_OK)
		return false;
	sByHandle[mHandle] = this;
	mInSet = 1;
	++sTransfersInSet;
	++mHost->mActive;
	return true;
}

void TURLRequest::LeaveSet()
{
	if (!mInSet)
		return;
	if (sCURLHandle != nullptr)
		curl_multi_remove_handle(sCURLHandle, mHandle);
	if (auto found = sByHandle.find(mHandle); found != sByHandle.end() && found->second == this)
		sByHandle.erase(found);
	mInSet = 0;
	--sTransfersInSet;
	--mHost->mActive;
}

long TURLRequest::OutstandingRequests()
{
	return sRequests != nullptr ? sRequests->Count() : 0;
}

long TURLRequest::WaitingRequests()
{
	long count = 0;
	for (const auto& [host, queue] : sHosts)
		count += long(queue.mWaiting.size());
	return count;
}

TURLRequest* TURLRequest::FindRequest(void* easyHandle)
{
	if (sRequests == nullptr || easyHandle == nullptr)
		return nullptr;
	auto found = sByHandle.find(static_cast<CURL*>(easyHandle));
	return found != sByHandle.end() ? found->second : nullptr;
}

void TURLRequest::AddRequest(TURLRequest* request)
{
	if (sRequests != nullptr && request != nullptr && !request->mListed) {
		sRequests->Append(request);
		request->mListed = 1;
	}
}

void TURLRequest::DeleteRequest(TURLRequest* request)
{
	if (sRequests != nullptr && request != nullptr && request->mListed) {
		sRequests->Remove(request);
		request->mListed = 0;
	}
}

void TURLRequest::SetDefaultTimeout(long milliseconds)
{
	sDefaultTimeout = milliseconds > 0 ? milliseconds : kDefaultTimeoutMilliseconds;
}

// ---------------------------------------------------------------------------------------------------------
// One request

TURLRequest::TURLRequest()
{
	Reset();
}

TURLRequest::~TURLRequest()
{
	// Destroying an open request is the caller's error; detach it so the set never sees a freed handle.
	if (mListed) {
		SignalIf_(!mFinishing);
		DeleteRequest(this);
	}
	Dequeue();
	if (!sInsideLibrary)
		LeaveSet();
	FreeTransferCopies();
	curl_slist_free_all(mReceivedCookieLines);
	if (mHandle != nullptr)
		curl_easy_cleanup(mHandle);
}

void TURLRequest::Reset()
{
	mMethod = kMethodGet;
	mVerbose = 0;
	mFollowLocation = 0;
	mSSLMode = 1;
	mURL.Clear();
	mBody.Clear();
	mDebugText.Clear();
	mSSLData.Clear();
	mHeaderText.Clear();
	mPostData.Clear();
	mReferer.Clear();
	mUserAgent.Clear();
	mCAFile.Clear();
	mCustomHeaders.Clear();
	mUseCookies = 0;
	mUseCookieJarFile = 0;
	mUseCookieFile = 0;
	mCookieText.Clear();
	mReceivedCookies.Clear();
	mOutboundCookies.Clear();
	mCookieJarFile.Clear();
	mCookieFile.Clear();
	mResultCode = 0;
	mErrorText[0] = 0;
	mInfo.reset();
	curl_slist_free_all(mReceivedCookieLines);
	mReceivedCookieLines = nullptr;
	FreeTransferCopies();
	if (mKeepConnection != 1 && mHandle != nullptr && !mInSet)
		ReleaseHandle();
	mCallback = nullptr;
	mUserData = nullptr;
	mUserDataFlags = 0;
	mReasonMask = 0;
	mChunkCount = 0;
	mAheadOfQueue = 0;
	mTimeout = sDefaultTimeout;
	mUserAgent = kResetUserAgent;
}

void TURLRequest::ResetConnection()
{
	if (mHandle != nullptr)
		curl_easy_cleanup(mHandle);
	mCookieEngine = 0;
	if (!sSpareHandles.empty()) {
		mHandle = sSpareHandles.back();
		sSpareHandles.pop_back();
	} else {
		mHandle = curl_easy_init();
	}
	if (mHandle != nullptr)
		curl_easy_reset(mHandle);
}

// A round of thousands of transfers makes and frees no handle per transfer: a finished transfer's handle,
// its options reset, serves a later one. Not one that read or wrote cookies: cleaning it up writes the jar,
// and a reset would keep its cookies. Without a transfer set a handle keeps its own connections: none then.
void TURLRequest::ReleaseHandle()
{
	if (sCURLHandle != nullptr && !mCookieEngine && long(sSpareHandles.size()) < kMaxTransfers) {
		curl_easy_reset(mHandle);
		sSpareHandles.push_back(mHandle);
	} else {
		curl_easy_cleanup(mHandle);
	}
	mHandle = nullptr;
	mCookieEngine = 0;
}

void TURLRequest::SetAheadOfQueue(bool ahead)
{
	mAheadOfQueue = ahead ? 1 : 0;
	if (mAheadOfQueue && mQueued && mHost->mWaiting.front() != this) {
		Dequeue();
		Enqueue();
	}
}

void TURLRequest::SetPost(const TVyString& postData)
{
	mMethod = kMethodPost;
	mPostData = postData;
}

void TURLRequest::SetUseCookieFile(bool use, const TVyString& path)
{
	mUseCookieFile = use ? 1 : 0;
	mCookieFile = path;
}

void TURLRequest::SetUseCookieJarFile(bool use, const TVyString& path)
{
	mUseCookieJarFile = use ? 1 : 0;
	mCookieJarFile = path;
}

void TURLRequest::SetCallback(TURLCallback* callback, void* userData, unsigned long reasonMask)
{
	mCallback = callback;
	mUserData = userData;
	mReasonMask = UInt32(reasonMask);
}

void TURLRequest::AddCustomHeader(const TVyString& name, const TVyString& value)
{
	AddCustomHeader(name.GetCString(), value.GetCString());
}

void TURLRequest::AddCustomHeader(const char* name, const char* value)
{
	SignalIf_(name == nullptr);
	if (name == nullptr)
		return;
	const char* colon = std::strchr(name, ':');
	std::string cut(name, colon != nullptr ? size_t(colon - name) : std::strlen(name));
	TVyString line = WithoutLineBreaks(cut.c_str());
	line.Append(": ");
	line.Append(WithoutLineBreaks(value));
	mCustomHeaders.AddRecord(line);
}

bool TURLRequest::Refuse(UInt8 resultCode)
{
	mResultCode = resultCode;
	FreeTransferCopies();
	mInProgress = 0;
	return false;
}

bool TURLRequest::TransferURL()
{
	if (mInProgress || mInSet || mListed) {
		SignalIf_(true); // already open
		return false;
	}
	mInProgress = 1;
	mResultCode = 0;
	mErrorText[0] = 0;
	mBody.Clear();
	mHeaderText.Clear();
	mChunkCount = 0;
	mInfo.reset();
	mCancelled = 0;
	mCallbackFailed = 0;
	mFinishing = 0;
	mTooLarge = 0;

	if (sTerminating)
		return Refuse(kResultNotStarted);
	if (mURL.Length() == 0)
		return Refuse(kResultNoURL);
	if (sCURLHandle != nullptr) {
		// The pump prepares it and lets it into the set: a round of thousands is started in a moment.
		AddRequest(this);
		Enqueue();
		return true;
	}
	if (!PrepareHandle())
		return Refuse(kResultNotStarted);

	CURLcode code;
	{
		StInsideLibrary inside(sInsideLibrary);
		code = curl_easy_perform(mHandle);
	}
	mResultCode = UInt8(code);
	DoCleanup();
	return true;
}

bool TURLRequest::PrepareHandle()
{
	if (mHandle == nullptr)
		ResetConnection();
	return mHandle != nullptr && ApplyOptions();
}

bool TURLRequest::ApplyOptions()
{
	// A kept handle carries the last transfer's options; the reset keeps its connections.
	curl_easy_reset(mHandle);
	bool ok = true;
	auto set = [this, &ok](CURLoption option, auto value) {
		if (curl_easy_setopt(mHandle, option, value) != CURLE_OK)
			ok = false;
	};

	if (mMethod == kMethodPost) {
		set(CURLOPT_POSTFIELDSIZE, long(mPostData.Length()));
		set(CURLOPT_COPYPOSTFIELDS, mPostData.GetCString() ? mPostData.GetCString() : "");
	} else {
		set(CURLOPT_HTTPGET, 1L);
	}
	set(CURLOPT_HEADER, 0L);
	set(CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
	set(CURLOPT_URL, mURL.GetCString());
	set(CURLOPT_PROTOCOLS_STR, "http,https");
	set(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
	set(CURLOPT_NOSIGNAL, 1L);

	if (mUseCookieFile && mCookieFile.Length() != 0) {
		mCookieEngine = 1;
		set(CURLOPT_COOKIEFILE, mCookieFile.GetCString());
	} else if (mUseCookies && mOutboundCookies.Count() != 0) {
		TVyString cookies;
		mOutboundCookies.GetCURLString(cookies);
		if (cookies.Length() != 0)
			set(CURLOPT_COOKIE, cookies.GetCString());
	}
	if (mUseCookieJarFile && mCookieJarFile.Length() != 0) {
		mCookieEngine = 1;
		set(CURLOPT_COOKIEJAR, mCookieJarFile.GetCString());
	}

	if (mVerbose)
		set(CURLOPT_VERBOSE, 1L);
	// Credentials are never handed on to the hosts a redirection leads to.
	if (mFollowLocation)
		set(CURLOPT_FOLLOWLOCATION, 1L);
	set(CURLOPT_MAXREDIRS, kMaxRedirections);
	set(CURLOPT_TIMEOUT_MS, mTimeout > 0 ? mTimeout : kDefaultTimeoutMilliseconds);
	// An announced length past the cap fails before any of the body arrives.
	set(CURLOPT_MAXFILESIZE_LARGE, curl_off_t(kMaxBodyBytes));
	// Error pages are failures: their bodies must never reach a page scanner.
	set(CURLOPT_FAILONERROR, 1L);

	if (mUserAgent.Length() != 0)
		set(CURLOPT_USERAGENT, mUserAgent.GetCString());
	set(CURLOPT_AUTOREFERER, 1L);
	if (mReferer.Length() != 0)
		set(CURLOPT_REFERER, mReferer.GetCString());

	FreeTransferCopies();
	if (mCustomHeaders.Length() != 0) {
		TVyString headers(mCustomHeaders);
		headers.SetRecordDelimiters("<CUSTOM_HEADER_RECORD_START>", "<CUSTOM_HEADER_RECORD_END>");
		TVyString line;
		for (bool found = headers.GetFirstRecord(line, false); found;
		     found = headers.GetNextRecord(line, false)) {
			if (line.Length() == 0)
				continue;
			curl_slist* list = curl_slist_append(mHeaderList, line.GetCString());
			if (list == nullptr) {
				ok = false;
				break;
			}
			mHeaderList = list;
		}
		if (mHeaderList != nullptr)
			set(CURLOPT_HTTPHEADER, mHeaderList);
	}

	if (mSSLMode) {
		set(CURLOPT_SSL_VERIFYPEER, 1L);
		set(CURLOPT_SSL_VERIFYHOST, 2L);
		// Without a CA file libcurl uses the system's trust store.
		if (mCAFile.Length() != 0)
			set(CURLOPT_CAINFO, mCAFile.GetCString());
	} else {
		set(CURLOPT_SSL_VERIFYPEER, 0L);
		set(CURLOPT_SSL_VERIFYHOST, 0L);
	}

	set(CURLOPT_ERRORBUFFER, mErrorText);
	set(CURLOPT_WRITEFUNCTION, &TURLRequest::BufferCallback);
	set(CURLOPT_WRITEDATA, static_cast<void*>(this));
	set(CURLOPT_HEADERFUNCTION, &TURLRequest::HeaderCallback);
	set(CURLOPT_HEADERDATA, static_cast<void*>(this));
	set(CURLOPT_DEBUGFUNCTION, &TURLRequest::DebugCallback);
	set(CURLOPT_DEBUGDATA, static_cast<void*>(this));
	return ok;
}

void TURLRequest::CancelURL()
{
	if (sCURLHandle == nullptr || !mListed || mFinishing ||
	    mCancelled)
		return;
	mCancelled = 1;
	if (sInsideLibrary) {
		// libcurl is running this or another transfer: report now, leave the set once it returns.
		mResultCode = kResultCancelled;
		mFinishing = 1;
		Dequeue();
		DoCleanup();
		DeleteRequest(this);
		sDeferred.push_back(this);
		return;
	}
	Dequeue();
	LeaveSet();
	FinishRequest(this, kResultCancelled);
}

void TURLRequest::DoCleanup()
{
	FetchTransferInfo();
	if (mCancelled)
		mResultCode = kResultCancelled;
	else if (mTooLarge)
		mResultCode = kResultTooLarge;
	else if (mResultCode == 0 && GetResponseCode() >= 400)
		mResultCode = kResultHTTPError;
	if (mResultCode != 0)
		mBody.Clear();

	curl_slist_free_all(mReceivedCookieLines);
	mReceivedCookieLines = nullptr;
	if (mHandle != nullptr)
		curl_easy_getinfo(mHandle, CURLINFO_COOKIELIST, &mReceivedCookieLines);
	if (mReceivedCookieLines != nullptr) {
		TVyString lines;
		TranslateSlist(mReceivedCookieLines, lines);
		mReceivedCookies.Clear();
		mReceivedCookies.ParseCookiesFromBuffer(lines);
	}

	// Cleaning the handle up also writes the cookie jar file.
	if (mKeepConnection != 1 && mHandle != nullptr && !mInSet)
		ReleaseHandle();

	if (mCallback != nullptr && (mReasonMask & TURLCallback::kReasonFinished))
		ReportSafely(TURLCallback::kReasonFinished);

	FreeTransferCopies();
	mInProgress = 0;
}

void TURLRequest::ReportSafely(unsigned long reason)
{
	try {
		mCallback->Run(mBody, mUserData, reason, this);
	} catch (...) {
		Debugging::Signal("exception in a transfer report", __func__, __FILE__, __LINE__);
	}
}

void TURLRequest::FetchTransferInfo()
{
	mInfo.reset();
	if (mHandle == nullptr)
		return;
	mInfo.reset(new (std::nothrow) tURLTransferInfo);
	if (mInfo == nullptr)
		return;
	tURLTransferInfo& fetched = *mInfo;
	auto text = [this](CURLINFO info, TVyString& out) {
		char* value = nullptr;
		if (curl_easy_getinfo(mHandle, info, &value) != CURLE_OK)
			value = nullptr;
		CopyText(out, value);
	};
	auto number = [this](CURLINFO info, long& out) {
		if (curl_easy_getinfo(mHandle, info, &out) != CURLE_OK)
			out = 0;
	};
	auto seconds = [this](CURLINFO info, double& out) {
		if (curl_easy_getinfo(mHandle, info, &out) != CURLE_OK)
			out = 0;
	};
	auto size = [this](CURLINFO info, double& out) {
		curl_off_t value = 0;
		out = curl_easy_getinfo(mHandle, info, &value) == CURLE_OK ? double(value) : 0;
	};

	text(CURLINFO_EFFECTIVE_URL, fetched.mEffectiveURL);
	number(CURLINFO_RESPONSE_CODE, fetched.mResponseCode);
	number(CURLINFO_HTTP_CONNECTCODE, fetched.mConnectCode);
	number(CURLINFO_FILETIME, fetched.mFileTime);
	seconds(CURLINFO_TOTAL_TIME, fetched.mTotalTime);
	seconds(CURLINFO_NAMELOOKUP_TIME, fetched.mNameLookupTime);
	seconds(CURLINFO_CONNECT_TIME, fetched.mConnectTime);
	seconds(CURLINFO_PRETRANSFER_TIME, fetched.mPreTransferTime);
	seconds(CURLINFO_STARTTRANSFER_TIME, fetched.mStartTransferTime);
	seconds(CURLINFO_REDIRECT_TIME, fetched.mRedirectTime);
	number(CURLINFO_REDIRECT_COUNT, fetched.mRedirectCount);
	size(CURLINFO_SIZE_UPLOAD_T, fetched.mSizeUpload);
	size(CURLINFO_SIZE_DOWNLOAD_T, fetched.mSizeDownload);
	size(CURLINFO_SPEED_DOWNLOAD_T, fetched.mSpeedDownload);
	size(CURLINFO_SPEED_UPLOAD_T, fetched.mSpeedUpload);
	number(CURLINFO_HEADER_SIZE, fetched.mHeaderSize);
	number(CURLINFO_REQUEST_SIZE, fetched.mRequestSize);
	number(CURLINFO_SSL_VERIFYRESULT, fetched.mSSLVerifyResult);
	curl_slist* engines = nullptr;
	if (curl_easy_getinfo(mHandle, CURLINFO_SSL_ENGINES, &engines) == CURLE_OK)
		TranslateSlist(engines, fetched.mSSLEngines);
	curl_slist_free_all(engines);
	size(CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, fetched.mContentLengthDownload);
	size(CURLINFO_CONTENT_LENGTH_UPLOAD_T, fetched.mContentLengthUpload);
	text(CURLINFO_CONTENT_TYPE, fetched.mContentType);
	text(CURLINFO_PRIVATE, fetched.mPrivate);
	number(CURLINFO_HTTPAUTH_AVAIL, fetched.mHTTPAuthAvail);
	number(CURLINFO_PROXYAUTH_AVAIL, fetched.mProxyAuthAvail);
	number(CURLINFO_OS_ERRNO, fetched.mOSErrno);
	number(CURLINFO_NUM_CONNECTS, fetched.mNumConnects);
}

void TURLRequest::FreeTransferCopies()
{
	curl_slist_free_all(mHeaderList);
	mHeaderList = nullptr;
}

// ---------------------------------------------------------------------------------------------------------
// libcurl's callbacks: nothing may unwind through libcurl, so each catches and aborts its transfer.

size_t TURLRequest::BufferCallback(char* data, size_t size, size_t count, void* userData)
{
	TURLRequest* request = static_cast<TURLRequest*>(userData);
	if (request == nullptr || request->mCancelled || request->mCallbackFailed)
		return 0;
	if (request->mBody.Length() + size * count > kMaxBodyBytes) {
		request->mTooLarge = 1;
		return 0;
	}
	try {
		unsigned long bytes = DoCallback(&request->mBody, data, size, count);
		request->mChunkCount++;
		if (request->mCallback == nullptr)
			return bytes;
		if (request->mChunkCount == 1 && (request->mReasonMask & TURLCallback::kReasonFirstChunk))
			request->mCallback->Run(request->mBody, request->mUserData,
			                        TURLCallback::kReasonFirstChunk, request);
		else if (request->mChunkCount != 0 &&
		         (request->mReasonMask & TURLCallback::kReasonLaterChunk))
			request->mCallback->Run(request->mBody, request->mUserData,
			                        TURLCallback::kReasonLaterChunk, request);
		// The report may have cancelled the transfer.
		return request->mCancelled ? 0 : bytes;
	} catch (...) {
		request->mCallbackFailed = 1;
		Debugging::Signal("exception in a transfer report", __func__, __FILE__, __LINE__);
		return 0;
	}
}

size_t TURLRequest::HeaderCallback(char* data, size_t size, size_t count, void* userData)
{
	TURLRequest* request = static_cast<TURLRequest*>(userData);
	if (request == nullptr || request->mCancelled)
		return 0;
	// Counted over every answer of a redirection chain.
	if (request->mHeaderText.Length() + size * count > kMaxHeaderBytes) {
		request->mTooLarge = 1;
		return 0;
	}
	try {
		return DoCallback(&request->mHeaderText, data, size, count);
	} catch (...) {
		return 0;
	}
}

int TURLRequest::DebugCallback(CURL*, curl_infotype type, char* data, size_t size, void* userData)
{
	TURLRequest* request = static_cast<TURLRequest*>(userData);
	if (request == nullptr)
		return 0;
	try {
		TVyString& log = request->mDebugText;
		switch (type) {
		case CURLINFO_TEXT:
			log.Append("* ");
			log.AppendLine(data, size);
			break;
		case CURLINFO_HEADER_IN:
			log.Append("<  ");
			log.AppendLine(data, size);
			break;
		case CURLINFO_HEADER_OUT:
			log.Append("> ");
			log.AppendLine(data, size);
			break;
		case CURLINFO_DATA_IN:
			log.AppendLine("{ [data not shown]");
			break;
		case CURLINFO_DATA_OUT:
		case CURLINFO_SSL_DATA_OUT:
			log.AppendLine("} [data not shown]");
			break;
		case CURLINFO_SSL_DATA_IN:
			request->mSSLData.Append(data, size);
			break;
		case CURLINFO_END:
			log.Append("end:  ");
			log.AppendLine(data, size);
			break;
		default:
			log.Append("? ****");
			log.AppendLine(data, size);
			break;
		}
	} catch (...) {
	}
	return 0;
}

unsigned long TURLRequest::DoCallback(TVyString* text, const char* data, unsigned long size,
                                      unsigned long count)
{
	unsigned long bytes = size * count;
	if (text != nullptr && data != nullptr && bytes != 0)
		text->Append(data, bytes);
	return bytes;
}

void TURLRequest::TranslateSlist(const curl_slist* list, TVyString& out)
{
	out.Clear();
	for (; list != nullptr; list = list->next)
		out.AppendLine(list->data);
}

// ---------------------------------------------------------------------------------------------------------
// Diagnostics

void TURLRequest::Version(TVyString& out)
{
	out.Clear();
	const curl_version_info_data* info = curl_version_info(CURLVERSION_FOURTH);
	if (info == nullptr) {
		out.AppendLine("ERROR: CURL version structure not available");
		return;
	}
	auto line = [&out](const char* label, const char* value) {
		out.AppendSprintf("%s: <%s>", label, value != nullptr ? value : "");
		out.AppendLine();
	};
	auto number = [&out](const char* label, long value) {
		out.AppendSprintf("%s: <%ld>", label, value);
		out.AppendLine();
	};
	number("CURL Version", long(info->age));
	line("Libcurl Version", info->version);
	number("Libcurl Version #", long(info->version_num));
	line("SSL Version", info->ssl_version);
	number("SSL Version #", info->ssl_version_num);
	line("Host machine", info->host);
	line("Libz Version", info->libz_version);
	TVyString protocols;
	for (const char* const* p = info->protocols; p != nullptr && *p != nullptr; ++p) {
		if (protocols.Length() != 0)
			protocols.Append(" ");
		protocols.Append(*p);
	}
	line("Protocols", protocols.GetCString());
	line("ARES Version", info->ares);
	number("ARES Version #", long(info->ares_num));
	line("Libidn", info->libidn);
}

void TURLRequest::Dump() const
{
	auto flag = [](UInt8 value) { return value ? "TRUE" : "FALSE"; };
	auto text = [](const TVyString& s) { return s.GetCString() ? s.GetCString() : ""; };
	std::printf("In progress: %s\nKeep connection: %s\nVerbose: %s\nFollow location: %s\nSSL mode: %s\n",
	            flag(mInProgress), flag(mKeepConnection), flag(mVerbose), flag(mFollowLocation),
	            flag(mSSLMode));
	std::printf("URL (%lu): %s\n", mURL.Length(), text(mURL));
	std::printf("Post data (%lu): %s\n", mPostData.Length(), text(mPostData));
	std::printf("Referer (%lu): %s\n", mReferer.Length(), text(mReferer));
	std::printf("User agent (%lu): %s\n", mUserAgent.Length(), text(mUserAgent));
	std::printf("Body: %lu\nDebug: %lu\nHeaders: %lu\nSSL data: %lu\n", mBody.Length(),
	            mDebugText.Length(), mHeaderText.Length(), mSSLData.Length());
	std::printf("Use cookies: %s\nCookie text: %s\n", flag(mUseCookies), text(mCookieText));
	TVyString cookies;
	mReceivedCookies.GetCURLString(cookies);
	std::printf("Received cookies (%ld): %s\n", mReceivedCookies.Count(), text(cookies));
	mOutboundCookies.GetCURLString(cookies);
	std::printf("Outbound cookies (%ld): %s\n", mOutboundCookies.Count(), text(cookies));
	std::printf("Error: %s\nResult code: %d\n", mErrorText, int(mResultCode));
}

void TURLRequest::Info() const
{
	auto text = [](const TVyString& s) { return s.GetCString() ? s.GetCString() : ""; };
	const tURLTransferInfo& info = GetTransferInfo();
	TVyString cookies;
	TranslateSlist(mReceivedCookieLines, cookies);
	std::printf("Effective URL: %s\nCookies: %s\nResponse code: %ld\nOS error: %ld\nConnections: %ld\n",
	            text(info.mEffectiveURL), text(cookies), info.mResponseCode, info.mOSErrno,
	            info.mNumConnects);
	std::printf("Times: lookup %.3f, connect %.3f, pre-transfer %.3f, start %.3f, total %.3f\n",
	            info.mNameLookupTime, info.mConnectTime, info.mPreTransferTime,
	            info.mStartTransferTime, info.mTotalTime);
	std::printf("Redirect time: %.3f\nRedirect count: %ld\n", info.mRedirectTime, info.mRedirectCount);
}
