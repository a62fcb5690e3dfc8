#pragma once
// The request layer's submit and cancel of a security's quote and news requests, installed by it at
// start-up; without them nothing is sent.
//
// Cancelling ends the request without its completion touching the security: a security cancels while it is
// being destroyed, and the completion would otherwise stamp and refresh it.

#include <functional>

class TSecurity;

class USecurityRequests
{
public:
	using Operation = std::function<void(TSecurity*)>;

	struct tHooks {
		Operation submitURL;
		Operation submitUserURL;
		Operation submitNewsURL;
		Operation cancelURL;
		Operation cancelNewsURL;
	};

	static void Install(tHooks hooks);

	static void SubmitURL(TSecurity* security);
	// A quote the user asked for (a window's Update, a script's refresh): ahead of the scheduler's round.
	static void SubmitUserURL(TSecurity* security);
	static void SubmitNewsURL(TSecurity* security);
	static void CancelURL(TSecurity* security);
	static void CancelNewsURL(TSecurity* security);
};
