#include "Internet/TURLSecurityCallback.h"

#include "Internet/ILookupWindow.h"
#include "Internet/TURLRequest.h"
#include "Internet/TURLSecurity.h"
#include "Internet/UApplicationNotices.h"
#include "Internet/USourceFailures.h"
#include "Internet/tLookupBlock.h"
#include "Quoters/ILookupList.h"
#include "Quoters/TQuoter.h"
#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"
#include "foundation/TVyDate.h"
#include "foundation/UURL.h"
#include "foundation/VyStrings.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/toolbox/Debugging.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{

constexpr int kSearchFailedMessage = 15;
constexpr int kNothingFoundMessage = 17;

bool WasCancelled(TURLRequest* request)
{
	return request->GetReturnCode() == TURLRequest::kResultCancelled;
}

void RunUpdateRules(TSecurity* security)
{
	tStockTickerPrefs* prefs = gPreferences;
	UZVUtils::UpdateSecurity(security, prefs ? &prefs->losingAlert : nullptr,
	                         prefs ? &prefs->gainingAlert : nullptr, prefs ? &prefs->idling : nullptr);
}

// An empty string holds no buffer; scanners get an empty text instead.
char* PageText(TVyString& body)
{
	static char sEmpty[1] = {0};
	return body.GetCString() != nullptr ? body.GetCString() : sEmpty;
}

bool ScanQuotePage(TQuoter* quoter, TVyString& body, TSecurity* security)
{
	char* page = PageText(body);
	const long length = long(body.Length());
	switch (security->Type()) {
	case securityStock:
		return quoter->StockDetail(page, length, dynamic_cast<TStock*>(security));
	case securityFund:
		return quoter->FundDetail(page, length, dynamic_cast<TFund*>(security));
	case securityIndex:
		return quoter->IndexDetail(page, length, dynamic_cast<TIndex*>(security));
	case securityCurrency:
		return quoter->CurrencyDetail(page, length, dynamic_cast<TCurrency*>(security));
	default:
		return false;
	}
}

// A resource text serves as the format only when its one conversion is the integer it is given; widths
// stay short so that the message stays cheap.
bool TakesOneInteger(const char* text)
{
	int conversions = 0;
	for (const char* p = text; *p != 0; ++p) {
		if (*p != '%')
			continue;
		if (*++p == '%')
			continue;
		while (*p != 0 && std::strchr("-+ #0", *p) != nullptr)
			++p;
		for (int digits = 0; *p >= '0' && *p <= '9'; ++p)
			if (++digits > 3)
				return false;
		if (*p != 'd' && *p != 'i')
			return false;
		++conversions;
	}
	return conversions == 1;
}

void CopyField(TVyString& line, unsigned long index, char* out, int size)
{
	TVyString field;
	line.GetArgument(index, field);
	strcpyn(out, field.GetCString() != nullptr ? field.GetCString() : "", size - 1);
}

} // namespace

void TURLSecurityCallback::Run(TVyString& body, void* userData, unsigned long reason, TURLRequest* request)
{
	SignalIf_(request == nullptr);
	if (request == nullptr)
		return;
	switch (request->GetUserDataFlags()) {
	case TURLSecurity::kLookupTag:
		SignalIf_(userData == nullptr);
		LookupCallback(body, userData, reason, request);
		break;
	case TURLSecurity::kQuoteTag:
		SignalIf_(userData == nullptr);
		SecurityUpdateCallback(body, userData, reason, request);
		break;
	case TURLSecurity::kVersionTag:
		SignalIf_(userData != nullptr);
		VersionCheckCallback(body, userData, reason, request);
		break;
	case TURLSecurity::kNewsTag:
		SignalIf_(userData == nullptr);
		NewsUpdateCallback(body, userData, reason, request);
		break;
	default:
		break;
	}
}

void TURLSecurityCallback::SecurityUpdateCallback(TVyString& body, void* userData, unsigned long reason,
                                                  TURLRequest* request)
{
	if (reason != kReasonFinished || userData == nullptr)
		return;
	std::unique_ptr<TURLSecurity> context(static_cast<TURLSecurity*>(userData));
	TSecurity* security = context->GetSecurity();
	SignalIf_(security == nullptr);
	SignalIf_(context->GetQuoter() == nullptr);
	if (security == nullptr)
		return;
	if (WasCancelled(request)) {
		security->UpdateSecurityReference(nullptr);
		return;
	}
	if (TQuoter* quoter = context->GetQuoter())
		USourceFailures::Note(quoter->GetName(), request->GetReturnCode(), request->GetErrorText());
	FinishQuoteUpdate(security, context->GetQuoter(), body, request->GetReturnCode());
}

void TURLSecurityCallback::FinishQuoteUpdate(TSecurity* security, TQuoter* quoter, TVyString& body,
                                             UInt8 resultCode)
{
	if (resultCode == 0 && body.Length() != 0 && quoter != nullptr &&
	    ScanQuotePage(quoter, body, security))
		security->InitedToday(true);

	TVyDate now;
	now.Now();
	security->LastUpdate(&now);
	security->ErrorCode(resultCode);
	security->UpdateSecurityReference(nullptr);

	RunUpdateRules(security);
	security->FinishUpdatingDetailWindow();

	if (security->UpdateSecurityNow())
		TURLSecurity::SubmitURL(security);
	if (security->UpdateNewsNow())
		TURLSecurity::SubmitNewsURL(security);
}

void TURLSecurityCallback::NewsUpdateCallback(TVyString& body, void* userData, unsigned long reason,
                                              TURLRequest* request)
{
	if (reason != kReasonFinished || userData == nullptr)
		return;
	std::unique_ptr<TURLSecurity> context(static_cast<TURLSecurity*>(userData));
	TSecurity* security = context->GetSecurity();
	TQuoter* quoter = context->GetQuoter();
	SignalIf_(security == nullptr);
	SignalIf_(quoter == nullptr);
	if (security == nullptr)
		return;
	security->UpdateNewsReference(nullptr);
	if (WasCancelled(request))
		return;
	if (request->GetReturnCode() == 0 && body.Length() != 0 && quoter != nullptr)
		quoter->News(PageText(body), long(body.Length()), security);
	RunUpdateRules(security);
}

void TURLSecurityCallback::LookupCallback(TVyString& body, void* userData, unsigned long reason,
                                          TURLRequest* request)
{
	if (reason != kReasonFinished || userData == nullptr)
		return;
	std::unique_ptr<tLookupBlock> block(static_cast<tLookupBlock*>(userData));
	ILookupWindow* window = block->LookupWindow;
	ILookupList* list = block->List;
	SignalIf_(window == nullptr);
	SignalIf_(list == nullptr);
	if (window == nullptr || list == nullptr)
		return;
	if (WasCancelled(request)) {
		// A new search, the window or the end of the run: the window lets go of the request now.
		if (window->GetRequest() == request) {
			window->FinishUpdating(false);
			window->ClearRequest();
		}
		return;
	}

	bool more = false;
	if (TQuoter* quoter = TQuoterManager::GetQuoterBySignature(block->quoter)) {
		if (const UInt8 code = request->GetReturnCode(); code != 0) {
			char message[TURLSecurity::kMessageSize] = {};
			const char* text = GetStockCString(kSearchFailedMessage);
			if (text == nullptr)
				text = "";
			if (TakesOneInteger(text))
				std::snprintf(message, sizeof message, text, int(code));
			else
				strcpyn(message, text, sizeof message - 1);
			window->Message(message);
			UApplicationNotices::SysBeep();
		} else {
			quoter->Lookup(PageText(body), long(body.Length()), list, block->type, more);
		}
		if (list->Count() == 0) {
			window->Message(GetStockCString(kNothingFoundMessage));
			UApplicationNotices::SysBeep();
		}
	} else {
		UApplicationNotices::SysBeep();
	}
	window->FinishUpdating(more);
	window->ClearRequest();
}

void TURLSecurityCallback::VersionCheckCallback(TVyString& body, void*, unsigned long reason,
                                                TURLRequest* request)
{
	if (reason != kReasonFinished)
		return;
	if (request->GetReturnCode() != 0) {
		// Asked again with the next quote or news request.
		TURLSecurity::VersionRequested(false);
		if (!WasCancelled(request))
			UApplicationNotices::VersionCheckFailed();
		return;
	}
	tVersionNotice notice;
	if (!ReadVersionNotice(body, notice)) {
		UApplicationNotices::VersionCheckFailed();
	} else {
		UApplicationNotices::NewVersion(notice.text, notice.number);
		UApplicationNotices::VersionMessage(notice.message);
		TVyString page;
		UURL::MakeURL(page, TQuoterHosts::GetVersionHost(), TURLSecurity::kDownloadPath, false);
		UApplicationNotices::UpgradePage(page.GetCString());
		const bool silenced = gAppPreferences != nullptr && gAppPreferences->ignoreNewVersions == 1;
		if (notice.number > TURLSecurity::kCurrentVersion && !silenced)
			UApplicationNotices::OpenVersionWindow();
	}
	TURLSecurity::VersionRequested(true);
}

bool TURLSecurityCallback::ReadVersionNotice(TVyString& body, tVersionNotice& notice)
{
	TVyString line;
	if (!body.GetLineWithString(line, "OSX:", false, false))
		return false;
	if (line.ParseArguments("\t", false) <= 3)
		return false;
	TVyString number;
	line.GetArgument(1, number);
	notice.number = std::strtol(number.GetCString() != nullptr ? number.GetCString() : "", nullptr, 10);
	CopyField(line, 2, notice.text, kVersionTextSize);
	CopyField(line, 3, notice.message, kVersionTextSize);
	return true;
}
