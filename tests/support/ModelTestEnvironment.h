#pragma once
// One set-up for every model test: the plug-in's globals (factory settings, string tables) and recording
// fakes behind every seam the model calls upward (tickers, ticklets, detail windows and edit dialogs, quote
// and news requests, sounds, screens, modifier keys). Construct one per test (ModelFixture does); the
// destructor takes everything down again.

#include "Includes/ITicker.h"
#include "Includes/TTicklet.h"
#include "Includes/tKestrunPrefs.h"
#include "Includes/tStockTickerPrefs.h"
#include "model/IDetailWindow.h"
#include "model/ISelectDlog.h"
#include "model/SecurityTypes.h"
#include "model/TSecurity.h"
#include "model/UModifierKeys.h"
#include "model/tNewsEntry.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class LCommander;
class TSecurity;

namespace modeltest
{

// A detail window that records the calls it gets. AttemptClose closes it as a real one does: the security
// is told to forget it.
class FakeDetailWindow : public IDetailWindow
{
public:
	explicit FakeDetailWindow(tSecurityType kind) : mKind(kind) {}

	void SetCurrentSecurity(TSecurity* security) override;
	void Update() override { mCalls.push_back("Update"); }
	void StartUpdating() override { mCalls.push_back("StartUpdating"); }
	void FinishUpdating() override { mCalls.push_back("FinishUpdating"); }
	void EnableTrading(bool enable) override
	{
		mCalls.push_back(enable ? "EnableTrading 1" : "EnableTrading 0");
	}
	void Show() override { mCalls.push_back("Show"); }
	void Select() override { mCalls.push_back("Select"); }
	void Activate() override { mCalls.push_back("Activate"); }
	void AttemptClose() override;

	int Count(const std::string& call) const;

	tSecurityType mKind;
	TSecurity* mSecurity = nullptr;
	bool mClosed = false;
	std::vector<std::string> mCalls;
};

class FakeSelectDlog : public ISelectDlog
{
public:
	FakeSelectDlog(tSecurityType kind, LCommander* super) : mKind(kind), mSuper(super) {}

	void SetSecurity(TSecurity* security) override;
	void SetIsNewSecurity(bool isNew) override;
	void SetCommand(long command) override;
	void Show() override { mCalls.push_back("Show"); }
	bool AttemptClose() override;

	tSecurityType mKind;
	LCommander* mSuper;
	TSecurity* mSecurity = nullptr;
	bool mIsNew = false;
	long mCommand = 0;
	bool mClosed = false;
	std::vector<std::string> mCalls;
};

// An open ticker: keeps the ticklets it is given in order and sets their owner as the ticker engine does.
class FakeTicker : public ITicker
{
public:
	explicit FakeTicker(UInt32 id) : mID(id) {}
	~FakeTicker() override;

	void AddTicklet(TTicklet* ticklet, long position) override;
	void RemoveTicklet(TTicklet* ticklet) override;
	const char* GetName() override { return "Fake"; }
	UInt32 GetID() override { return mID; }
	short GetHeight() override { return 16; }
	void GetBackground(TKsRGBColor*) override {}
	void GetForeground(TKsRGBColor*) override {}
	void GetFont(TKsFont*) override {}

	UInt32 mID;
	std::vector<TTicklet*> mShown;
	int mAdds = 0;
	int mRemoves = 0;
};

// The ticklet the fake ticker display makes for a security; counts its refreshes and the live ticklets.
class FakeTicklet : public TTicklet
{
public:
	explicit FakeTicklet(TSecurity* security);
	~FakeTicklet() override;

	void RefreshData() override { ++mRefreshes; }

	TSecurity* mSecurity;
	int mRefreshes = 0;
	static int sAlive;
};

struct tRequestCall {
	std::string operation; // "SubmitURL", "SubmitUserURL", "SubmitNewsURL", "CancelURL", "CancelNewsURL"
	TSecurity* security;
};

class ModelTestEnvironment
{
public:
	ModelTestEnvironment();
	~ModelTestEnvironment();

	ModelTestEnvironment(const ModelTestEnvironment&) = delete;
	ModelTestEnvironment& operator=(const ModelTestEnvironment&) = delete;

	// Tickers: GetTickerByID finds those open here. A closed ticker is gone unless kept.
	FakeTicker* OpenTicker(UInt32 id);
	void CloseTicker(UInt32 id, bool keep = false);
	FakeTicker* Ticker(UInt32 id);

	// Windows made through the makers, oldest first; they live as long as the environment.
	const std::vector<std::unique_ptr<FakeDetailWindow>>& DetailWindows() const { return mDetailWindows; }
	const std::vector<std::unique_ptr<FakeSelectDlog>>& SelectDlogs() const { return mSelectDlogs; }

	// Replaces entry i of a string table (the text is kept here).
	void SetStockString(int index, const std::string& text);
	void SetStockCString(int index, const std::string& text);

	tStockTickerPrefs mPrefs;
	tKestrunPrefs mAppPrefs;

	// Set to make the window makers fail (answer null).
	bool mFailWindows = false;
	// Every request-layer call, in order; mOnCancel runs inside a cancel, as a real completion would.
	std::vector<tRequestCall> mRequests;
	std::function<void(TSecurity*)> mOnCancel;
	// Sound numbers played, in order.
	std::vector<long> mSounds;
	// The active screens; a rectangle is on screen when its top line meets one.
	std::vector<Rect> mScreens;
	UModifierKeys::tKeys mKeys;

private:
	std::map<UInt32, std::unique_ptr<FakeTicker>> mTickers;
	std::set<UInt32> mKeptTickers;
	std::vector<std::unique_ptr<FakeDetailWindow>> mDetailWindows;
	std::vector<std::unique_ptr<FakeSelectDlog>> mSelectDlogs;
	std::vector<std::unique_ptr<unsigned char[]>> mStringTexts;
	std::vector<std::string> mCStringTexts;
};

// Gives the security one news item, as a news page would.
inline void AddNews(TSecurity& ioSecurity, const char* inHeadline, const char* inHost, const char* inPath)
{
	tNewsEntry entry;
	entry.headline = inHeadline;
	entry.headlineLength = UInt32(std::strlen(inHeadline));
	entry.host = inHost;
	entry.hostLength = UInt32(std::strlen(inHost));
	entry.path = inPath;
	entry.pathLength = UInt32(std::strlen(inPath));
	ioSecurity.AddNewsItem(&entry);
}

class ModelFixture : public ::testing::Test
{
protected:
	ModelTestEnvironment mEnv;
};

} // namespace modeltest
