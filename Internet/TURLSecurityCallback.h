#pragma once
// The one report receiver of the request routing: routes each report by its request's tag to the handler of
// a quote update, a symbol search, the version check or a headline fetch. Only the finished report (reason
// 2) does work; a cancelled request's report only lets go of what the request held.

#include "Internet/TURLCallback.h"
#include "platform/toolbox/MacTypes.h"

class TQuoter;
class TSecurity;

class TURLSecurityCallback : public TURLCallback
{
public:
	static constexpr int kVersionTextSize = 129;

	struct tVersionNotice {
		long number = 0;
		char text[kVersionTextSize] = {};
		char message[kVersionTextSize] = {};
	};

	void Run(TVyString& body, void* userData, unsigned long reason, TURLRequest* request) override;
	virtual void LookupCallback(TVyString& body, void* userData, unsigned long reason,
	                            TURLRequest* request);
	virtual void SecurityUpdateCallback(TVyString& body, void* userData, unsigned long reason,
	                                    TURLRequest* request);
	virtual void VersionCheckCallback(TVyString& body, void* userData, unsigned long reason,
	                                  TURLRequest* request);
	virtual void NewsUpdateCallback(TVyString& body, void* userData, unsigned long reason,
	                                TURLRequest* request);

	// Ends a quote update: the page scanned when the transfer succeeded, the last update stamped with the
	// result code, the pending request cleared, the update rules run, the detail window told.
	static void FinishQuoteUpdate(TSecurity* security, TQuoter* quoter, TVyString& body,
	                              UInt8 resultCode);

	// The first line holding "OSX:" (any case), cut at tabs: marker, version number, text, message. False
	// when there is no such line or it has fewer than four fields.
	static bool ReadVersionNotice(TVyString& body, tVersionNotice& notice);
};
