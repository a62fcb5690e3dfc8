#include "Internet/TURLSecurity.h"

#include "Internet/ILookupWindow.h"
#include "Internet/TCURLPump.h"
#include "Internet/TURLRequest.h"
#include "Internet/TURLSecurityCallback.h"
#include "Internet/tLookupBlock.h"
#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"
#include "foundation/UURL.h"
#include "foundation/VyStrings.h"
#include "model/TSecurity.h"
#include "model/USecurityRequests.h"
#include "platform/toolbox/Debugging.h"

#include <memory>
#include <new>

TURLSecurityCallback TURLSecurity::sURLSecurityCallback;
bool TURLSecurity::sVersionRequested = false;

namespace
{

constexpr long kNilPointer = long(FOUR_CHAR_CODE("nilP"));
constexpr long kAssertion = long(FOUR_CHAR_CODE("asrt"));
constexpr unsigned long kAllReasons =
    TURLCallback::kReasonFirstChunk | TURLCallback::kReasonFinished | TURLCallback::kReasonLaterChunk;

template <class T> std::unique_ptr<T> Make()
{
	T* made = new (std::nothrow) T;
	if (made == nullptr)
		throw kNilPointer;
	return std::unique_ptr<T>(made);
}

// For a new request, which its constructor has reset.
void Prepare(TURLRequest& request, const TVyString& url, UInt32 tag, void* userData, unsigned long mask)
{
	request.SetURL(url);
	request.SetUserAgent(TURLRequest::kDefaultUserAgent);
	request.SetFollowLocation(true);
	request.SetUserDataFlags(tag);
	request.SetCallback(&TURLSecurity::sURLSecurityCallback, userData, mask);
}

// On the transfer set the request now belongs to the layer. One that ran without a set has reported
// already; one the layer refused is reported here, at once, so that whoever waits for it hears of the
// failure. Both of those stay with us.
void Start(std::unique_ptr<TURLRequest> request)
{
	if (request->TransferURL()) {
		if (TURLRequest::HasTransferSet())
			request.release();
		return;
	}
	TVyString noBody;
	TURLSecurity::sURLSecurityCallback.Run(noBody, request->GetUserData(), TURLCallback::kReasonFinished,
	                                       request.get());
}

} // namespace

void TURLSecurity::Initialize()
{
	sVersionRequested = false;
	TURLRequest::Initialize(true);
	TCURLPump::TurnOn();
	USecurityRequests::Install({&SubmitURL, &SubmitUserURL, &SubmitNewsURL, &CancelURL, &CancelNewsURL});
}

void TURLSecurity::Terminate()
{
	USecurityRequests::Install({});
	TCURLPump::TurnOff();
	TURLRequest::Terminate();
}

void TURLSecurity::SubmitURL(TSecurity* security)
{
	SubmitQuote(security, false);
}

void TURLSecurity::SubmitUserURL(TSecurity* security)
{
	SubmitQuote(security, true);
}

void TURLSecurity::SubmitQuote(TSecurity* security, bool ahead)
{
	// The user's refresh of a security waiting in the round moves its request up; one being transferred
	// brings the fresh quote.
	if (ahead && security != nullptr)
		if (TURLRequest* pending = security->UpdateSecurityReference())
			pending->SetAheadOfQueue(true);
	TQuoter* quoter = SourceFor(security, kQuoteTag);
	if (quoter == nullptr)
		return;
	const OSType signature = quoter->GetSig();
	char host[kHostSize] = {};
	char path[kPathSize] = {};
	TQuoterManager::GetQuoterDomain(signature, security->Type(), host, kHostSize);
	TQuoterManager::GetQuoterPageDetailed(signature, path, kPathSize, security);
	if (host[0] == 0 || path[0] == 0) {
		// Nothing to fetch: a failed update, and the security stays fetchable.
		security->StartUpdatingDetailWindow();
		security->BeginUpdateWatchers();
		TVyString noBody;
		TURLSecurityCallback::FinishQuoteUpdate(security, quoter, noBody, TURLRequest::kResultNoURL);
		return;
	}
	SubmitFor(security, quoter, host, path, kQuoteTag, ahead);
}

void TURLSecurity::SubmitNewsURL(TSecurity* security)
{
	TQuoter* quoter = SourceFor(security, kNewsTag);
	if (quoter == nullptr)
		return;
	char host[kHostSize] = {};
	char path[kPathSize] = {};
	TQuoterManager::GetQuoterURL(quoter->GetSig(), urlNewsPage, security, host, kHostSize, path,
	                             kPathSize);
	if (host[0] == 0)
		return;
	SubmitFor(security, quoter, host, path, kNewsTag, false);
}

TQuoter* TURLSecurity::SourceFor(TSecurity* security, UInt32 tag)
{
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return nullptr;
	if (!sVersionRequested)
		SubmitVersionCheck();
	const bool quote = tag == kQuoteTag;
	if (quote)
		security->UpdateSecurityNow(false);
	else
		security->UpdateNewsNow(false);
	if ((quote ? security->UpdateSecurityReference() : security->UpdateNewsReference()) != nullptr)
		return nullptr;
	TQuoterManager::ValidateQuoter(security);
	return TQuoterManager::GetQuoterBySignature(TQuoterManager::GetQuoterSig(security));
}

void TURLSecurity::SubmitFor(TSecurity* security, TQuoter* quoter, const char* host, const char* path,
                             UInt32 tag, bool ahead)
{
	auto context = Make<TURLSecurity>();
	auto request = Make<TURLRequest>();
	if (tag == kQuoteTag) {
		security->StartUpdatingDetailWindow();
		security->BeginUpdateWatchers();
	}
	TVyString url;
	UURL::MakeURL(url, host, path, false);
	context->SetURL(url);
	context->SetSecurity(security);
	context->SetQuoter(quoter);
	Prepare(*request, url, tag, context.release(), kAllReasons);
	request->SetAheadOfQueue(ahead);
	if (tag == kQuoteTag)
		security->UpdateSecurityReference(request.get());
	else
		security->UpdateNewsReference(request.get());
	Start(std::move(request));
}

void TURLSecurity::SubmitLookup(const char* text, unsigned long quoter, tSecurityType type, ILookupList* list,
                                ILookupWindow* window, unsigned long page)
{
	SignalIf_(text == nullptr);
	SignalIf_(list == nullptr);
	SignalIf_(window == nullptr);
	if (text == nullptr || list == nullptr || window == nullptr)
		return;

	auto block = Make<tLookupBlock>();
	block->quoter = OSType(quoter);
	block->type = type;
	block->List = list;
	block->LookupWindow = window;
	strcpyn(block->text, text, tLookupBlock::kTextSize - 1);

	char url[kPathSize] = {};
	TQuoterManager::GetQuoterLookup(block->quoter, type, block->text, int(page), url, kPathSize);
	if (url[0] == 0)
		throw kAssertion;

	auto request = Make<TURLRequest>();
	// A window follows one search at a time: the report of an older one would end the new one's state.
	CancelLookup(window);
	Prepare(*request, TVyString(url), kLookupTag, block.release(), TURLCallback::kReasonFinished);
	request->SetAheadOfQueue(true);
	window->SetRequest(request.get());
	window->StartUpdating();
	Start(std::move(request));
}

void TURLSecurity::SubmitVersionCheck()
{
	if (sVersionRequested)
		return;
	const char* host = TQuoterHosts::GetVersionHost();
	if (host == nullptr || host[0] == 0)
		return;
	TVyString url;
	UURL::MakeURL(url, host, kVersionPath, false);
	auto request = Make<TURLRequest>();
	Prepare(*request, url, kVersionTag, nullptr, TURLCallback::kReasonFinished);
	// Set first: a failure reported during the start clears it again.
	sVersionRequested = true;
	Start(std::move(request));
}

void TURLSecurity::CancelURL(TSecurity* security)
{
	if (security == nullptr)
		return;
	if (TURLRequest* request = security->UpdateSecurityReference()) {
		request->CancelURL();
		security->UpdateSecurityReference(nullptr);
	}
}

void TURLSecurity::CancelNewsURL(TSecurity* security)
{
	if (security == nullptr)
		return;
	if (TURLRequest* request = security->UpdateNewsReference()) {
		request->CancelURL();
		security->UpdateNewsReference(nullptr);
	}
}

void TURLSecurity::CancelLookup(ILookupWindow* window)
{
	if (window == nullptr)
		return;
	if (TURLRequest* request = window->GetRequest()) {
		request->CancelURL();
		// The cancel report lets go of it; a request no longer open reports nothing.
		if (window->GetRequest() != nullptr) {
			window->FinishUpdating(false);
			window->ClearRequest();
		}
	}
}
