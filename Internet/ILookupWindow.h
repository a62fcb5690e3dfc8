#pragma once
// What a symbol search asks of the lookup window that started it. The security windows implement it.
// A window that goes while a search runs cancels it first (TURLSecurity::CancelLookup); a search still
// open when the request layer ends is cancelled by it, and its report clears the window's request.

class TURLRequest;

class ILookupWindow
{
public:
	virtual ~ILookupWindow() = default;

	// Shows a text in the window.
	virtual void Message(const char* text) = 0;
	// The searching state; on result page 1 the result list is emptied first.
	virtual void StartUpdating() = 0;
	// Ends the searching state and shows the list; more enables the more-results control.
	virtual void FinishUpdating(bool more) = 0;
	// The window's pending request: kept while it runs, cleared in its report or by a cancel.
	virtual void SetRequest(TURLRequest* request) = 0;
	virtual TURLRequest* GetRequest() = 0;
	virtual void ClearRequest() = 0;
};
