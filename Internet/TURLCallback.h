#pragma once
// What a request reports to while its transfer runs: reason 1 the first chunk of the body, 4 a later chunk,
// 2 the transfer finished, failed or was cancelled. The body is always everything received so far.

class TVyString;
class TURLRequest;

class TURLCallback
{
public:
	enum {
		kReasonFirstChunk = 1,
		kReasonFinished = 2,
		kReasonLaterChunk = 4,
	};

	virtual ~TURLCallback() = default;

	// Inside a reason-2 report the request is about to be destroyed: drop every pointer to it.
	virtual void Run(TVyString& body, void* userData, unsigned long reason, TURLRequest* request) = 0;
};
