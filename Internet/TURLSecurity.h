#pragma once
// Turns the system's wishes (update a security's quote, fetch its headlines, search a source for a name,
// check for a new version) into HTTP requests, and is the context that travels with a quote or news
// request. Every report comes back to sURLSecurityCallback, which routes it by the request's tag.
//
// A security has at most one pending quote and one pending news request; a submission while one is pending
// is dropped. A cancelled request's report touches nothing but the pending reference.

#include "foundation/TVyString.h"
#include "model/SecurityTypes.h"
#include "platform/toolbox/MacTypes.h"

class ILookupList;
class ILookupWindow;
class TQuoter;
class TSecurity;
class TURLSecurityCallback;

class TURLSecurity
{
public:
	// The request tags (user data flags).
	enum : UInt32 { kQuoteTag = 0x1111, kLookupTag = 0x2222, kVersionTag = 0x3333, kNewsTag = 0x4444 };

	static constexpr const char* kVersionPath = "/VTLVersion.xml";
	static constexpr const char* kDownloadPath = "/downloads.html";
	// The version of this program; a notice is shown only for a newer one.
	static constexpr long kCurrentVersion = 28300;

	static constexpr int kHostSize = 256;
	static constexpr int kPathSize = 512;
	static constexpr int kMessageSize = 128;

	TURLSecurity() = default;
	virtual ~TURLSecurity() = default;

	void SetURL(const TVyString& url) { mURL = url; }
	void SetSecurity(TSecurity* security) { mSecurity = security; }
	void SetQuoter(TQuoter* quoter) { mQuoter = quoter; }
	const TVyString& GetURL() const { return mURL; }
	TSecurity* GetSecurity() const { return mSecurity; }
	TQuoter* GetQuoter() const { return mQuoter; }

	// The request layer with its transfer set, the pump switched on, and the model's submit and cancel.
	static void Initialize();
	static void Terminate();

	// Allocation failures throw 'nilP'. A request that cannot be started ends at once as a failed update.
	static void SubmitURL(TSecurity* security);
	// A quote the user asked for: ahead of its source's queued round, where the security's pending
	// request moves too while it waits.
	static void SubmitUserURL(TSecurity* security);
	static void SubmitNewsURL(TSecurity* security);
	// Throws 'asrt' when the source builds no address for the search.
	static void SubmitLookup(const char* text, unsigned long quoter, tSecurityType type,
	                         ILookupList* list, ILookupWindow* window, unsigned long page);
	static void SubmitVersionCheck();

	static void CancelURL(TSecurity* security);
	static void CancelNewsURL(TSecurity* security);
	static void CancelLookup(ILookupWindow* window);

	// True while a version request is pending and after one has succeeded.
	static bool VersionRequested() { return sVersionRequested; }
	static void VersionRequested(bool requested) { sVersionRequested = requested; }

	static TURLSecurityCallback sURLSecurityCallback;

private:
	// The source for a security's quote or news request (by its tag); null when none is to be sent: one
	// is pending already, or the security has no source.
	static TQuoter* SourceFor(TSecurity* security, UInt32 tag);
	static void SubmitQuote(TSecurity* security, bool ahead);
	// Starts the request with its context, recorded at once as the security's pending one.
	static void SubmitFor(TSecurity* security, TQuoter* quoter, const char* host, const char* path,
	                      UInt32 tag, bool ahead);

	TVyString mURL;
	TSecurity* mSecurity = nullptr;
	TQuoter* mQuoter = nullptr;

	static bool sVersionRequested;
};
