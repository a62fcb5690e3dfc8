#pragma once
// Shared by the routing tests: a lookup window and result list that record what they are told, and the
// application's notices recorded in order.

#include "Internet/ILookupWindow.h"
#include "Internet/UApplicationNotices.h"
#include "Quoters/ILookupList.h"

#include <string>
#include <vector>

class FakeLookupList : public ILookupList
{
public:
	void Append(tLookupEntry* entry) override { mRows.push_back(*entry); }
	long Count() override { return long(mRows.size()); }

	std::vector<tLookupEntry> mRows;
};

class FakeLookupWindow : public ILookupWindow
{
public:
	void Message(const char* text) override { mCalls.push_back(std::string("Message ") + text); }
	void StartUpdating() override { mCalls.push_back("StartUpdating"); }
	void FinishUpdating(bool more) override
	{
		mCalls.push_back(more ? "FinishUpdating 1" : "FinishUpdating 0");
	}
	void SetRequest(TURLRequest* request) override
	{
		mRequest = request;
		mCalls.push_back("SetRequest");
	}
	TURLRequest* GetRequest() override { return mRequest; }
	void ClearRequest() override
	{
		mRequest = nullptr;
		mCalls.push_back("ClearRequest");
	}

	TURLRequest* mRequest = nullptr;
	std::vector<std::string> mCalls;
};

// Installs recorders for the application's notices for its lifetime; the beep is recorded as "Beep".
class StRecordedNotices
{
public:
	StRecordedNotices()
	{
		UApplicationNotices::Install({
		    [this] { mNotices.push_back("Beep"); },
		    [this](const char* text, long number) {
			    mNotices.push_back("NewVersion " + std::string(text) + " " +
			                       std::to_string(number));
		    },
		    [this](const char* message) {
			    mNotices.push_back("VersionMessage " + std::string(message));
		    },
		    [this](const char* address) {
			    mNotices.push_back("UpgradePage " + std::string(address));
		    },
		    [this] { mNotices.push_back("OpenVersionWindow"); },
		    [this] { mNotices.push_back("VersionCheckFailed"); },
		});
	}
	~StRecordedNotices() { UApplicationNotices::Install({}); }
	StRecordedNotices(const StRecordedNotices&) = delete;
	StRecordedNotices& operator=(const StRecordedNotices&) = delete;

	std::vector<std::string> mNotices;
};
