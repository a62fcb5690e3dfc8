#include "model/USecurityRequests.h"

#include <utility>

namespace
{

USecurityRequests::tHooks& Hooks()
{
	static USecurityRequests::tHooks sHooks;
	return sHooks;
}

void Call(const USecurityRequests::Operation& operation, TSecurity* security)
{
	if (operation)
		operation(security);
}

} // namespace

void USecurityRequests::Install(tHooks hooks)
{
	Hooks() = std::move(hooks);
}

void USecurityRequests::SubmitURL(TSecurity* security)
{
	Call(Hooks().submitURL, security);
}

void USecurityRequests::SubmitUserURL(TSecurity* security)
{
	Call(Hooks().submitUserURL, security);
}

void USecurityRequests::SubmitNewsURL(TSecurity* security)
{
	Call(Hooks().submitNewsURL, security);
}

void USecurityRequests::CancelURL(TSecurity* security)
{
	Call(Hooks().cancelURL, security);
}

void USecurityRequests::CancelNewsURL(TSecurity* security)
{
	Call(Hooks().cancelNewsURL, security);
}
