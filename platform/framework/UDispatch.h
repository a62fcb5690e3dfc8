#pragma once
// The boundary between Qt and the system's code. Every entry from Qt (input, timers, menus) runs inside
// UDispatch::Run: exceptions never escape into Qt, and panes and windows whose deletion was asked for
// during the dispatch are deleted when the outermost dispatch ends.

#include "platform/framework/LException.h"

#include <exception>
#include <functional>

class LPane;

class UDispatch
{
public:
	// Runs inAction as one dispatch step; false when it threw (the exception is reported).
	template <class F> static Boolean Run(F&& inAction);

	static Boolean IsDispatching();

	// Deletes the pane (unlinking it from its super view first) now when no dispatch is under way, else
	// when the outermost one ends. A pane deleted meanwhile by other means is forgotten (see ForgetPane).
	static void DeleteWhenSafe(LPane* inPane);
	static Boolean IsDeletionPending(const LPane* inPane);
	static void ForgetPane(const LPane* inPane);
	// The safe point; called when the outermost dispatch ends.
	static void DeletePending();

	// Reports a caught exception: to standard error and to the reporter, when one is set.
	static void ReportException(ExceptionCode inCode, const char* inWhat);
	typedef std::function<void(ExceptionCode inCode, const char* inWhat)> Reporter;
	static Reporter SetReporter(Reporter inReporter); // returns the one it replaces
	static long ExceptionCount();
	static ExceptionCode LastExceptionCode();

private:
	friend class StDispatch;
	static int sDepth;
};

// Marks a dispatch on the stack for its lifetime.
class StDispatch
{
public:
	StDispatch() { ++UDispatch::sDepth; }
	~StDispatch();
	StDispatch(const StDispatch&) = delete;
	StDispatch& operator=(const StDispatch&) = delete;
};

template <class F> Boolean UDispatch::Run(F&& inAction)
{
	StDispatch dispatch;
	try {
		inAction();
		return true;
	} catch (const LException& e) {
		ReportException(e.GetErrorCode(), nullptr);
	} catch (int code) {
		ReportException(ExceptionCode(code), nullptr);
	} catch (long code) {
		ReportException(ExceptionCode(code), nullptr);
	} catch (short code) {
		ReportException(ExceptionCode(code), nullptr);
	} catch (unsigned int code) {
		ReportException(ExceptionCode(code), nullptr);
	} catch (unsigned long code) {
		ReportException(ExceptionCode(code), nullptr);
	} catch (const std::exception& e) {
		ReportException(0, e.what());
	} catch (...) {
		ReportException(0, "unknown exception");
	}
	return false;
}
