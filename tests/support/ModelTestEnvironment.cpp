#include "tests/support/ModelTestEnvironment.h"

#include "model/StockGlobals.h"
#include "model/TSecurity.h"
#include "model/UAlertSound.h"
#include "model/UConversion.h"
#include "model/UScreenTest.h"
#include "model/USecurityRequests.h"
#include "model/USecurityTicklets.h"
#include "model/USecurityWindows.h"

#include <algorithm>
#include <cstring>

namespace modeltest
{

void FakeDetailWindow::SetCurrentSecurity(TSecurity* security)
{
	mSecurity = security;
	mCalls.push_back("SetCurrentSecurity");
}

void FakeDetailWindow::AttemptClose()
{
	mCalls.push_back("AttemptClose");
	if (mClosed)
		return;
	mClosed = true;
	if (mSecurity != nullptr)
		mSecurity->CloseDetailWindow(false);
}

int FakeDetailWindow::Count(const std::string& call) const
{
	return int(std::count(mCalls.begin(), mCalls.end(), call));
}

void FakeSelectDlog::SetSecurity(TSecurity* security)
{
	mSecurity = security;
	mCalls.push_back("SetSecurity");
}

void FakeSelectDlog::SetIsNewSecurity(bool isNew)
{
	mIsNew = isNew;
	mCalls.push_back(isNew ? "SetIsNewSecurity 1" : "SetIsNewSecurity 0");
}

void FakeSelectDlog::SetCommand(long command)
{
	mCommand = command;
	mCalls.push_back("SetCommand " + std::to_string(command));
}

bool FakeSelectDlog::AttemptClose()
{
	mCalls.push_back("AttemptClose");
	if (mClosed)
		return true;
	mClosed = true;
	if (mSecurity != nullptr)
		mSecurity->CloseSelectDlog();
	return true;
}

FakeTicker::~FakeTicker()
{
	for (TTicklet* ticklet : mShown)
		ticklet->SetOwner(nullptr);
}

void FakeTicker::AddTicklet(TTicklet* ticklet, long position)
{
	++mAdds;
	if (position < 0 || std::size_t(position) >= mShown.size())
		mShown.push_back(ticklet);
	else
		mShown.insert(mShown.begin() + position, ticklet);
	ticklet->SetOwner(this);
}

void FakeTicker::RemoveTicklet(TTicklet* ticklet)
{
	++mRemoves;
	const auto found = std::find(mShown.begin(), mShown.end(), ticklet);
	if (found != mShown.end()) {
		mShown.erase(found);
		ticklet->SetOwner(nullptr);
	}
}

int FakeTicklet::sAlive = 0;

FakeTicklet::FakeTicklet(TSecurity* security) : mSecurity(security)
{
	++sAlive;
}

FakeTicklet::~FakeTicklet()
{
	--sAlive;
}

ModelTestEnvironment::ModelTestEnvironment()
{
	UConversion::DefaultPrefs(&mPrefs);
	gPreferences = &mPrefs;
	gAppPreferences = &mAppPrefs;
	std::fill(std::begin(gStockStrings), std::end(gStockStrings), nullptr);
	std::fill(std::begin(gStockCStrings), std::end(gStockCStrings), nullptr);
	mCStringTexts.resize(kStockCStringCount);
	SetStockString(0, "N/A");
	SetStockString(5, "Untitled");
	SetStockString(6, "Untitled %d");
	SetStockCString(15, "The quote server answered with error %d.");
	SetStockCString(17, "Nothing was found.");
	SetStockCString(37, "N/A");
	SetStockCString(41, "Updated %s");
	SetStockCString(42, "Update failed %s");

	mScreens.push_back(Rect{0, 0, 768, 1024});
	FakeTicklet::sAlive = 0;

	SetTickerLookup([this](unsigned long id) -> ITicker* { return Ticker(UInt32(id)); });
	SetTickerExistsCheck([this](unsigned long id) { return mKeptTickers.count(UInt32(id)) > 0; });
	USecurityTicklets::SetTickletMaker(
	    [](TSecurity* security) -> TTicklet* { return new FakeTicklet(security); });
	for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency}) {
		USecurityWindows::SetDetailWindowMaker(kind, [this, kind]() -> IDetailWindow* {
			if (mFailWindows)
				return nullptr;
			mDetailWindows.push_back(std::make_unique<FakeDetailWindow>(kind));
			return mDetailWindows.back().get();
		});
		USecurityWindows::SetSelectDlogMaker(kind, [this, kind](LCommander* super) -> ISelectDlog* {
			if (mFailWindows)
				return nullptr;
			mSelectDlogs.push_back(std::make_unique<FakeSelectDlog>(kind, super));
			return mSelectDlogs.back().get();
		});
	}
	auto record = [this](const char* operation) {
		return [this, operation](TSecurity* security) { mRequests.push_back({operation, security}); };
	};
	auto cancel = [this](const char* operation) {
		return [this, operation](TSecurity* security) {
			mRequests.push_back({operation, security});
			if (mOnCancel)
				mOnCancel(security);
		};
	};
	USecurityRequests::Install({record("SubmitURL"), record("SubmitUserURL"), record("SubmitNewsURL"),
	                            cancel("CancelURL"), cancel("CancelNewsURL")});
	UAlertSound::SetPlayer([this](long number) { mSounds.push_back(number); });
	UScreenTest::SetTest([this](const Rect& rect) {
		for (const Rect& screen : mScreens)
			if (rect.top >= screen.top && rect.top < screen.bottom && rect.left < screen.right &&
			    rect.right > screen.left)
				return true;
		return false;
	});
	UModifierKeys::SetSource([this]() { return mKeys; });
}

ModelTestEnvironment::~ModelTestEnvironment()
{
	SetTickerLookup(nullptr);
	SetTickerExistsCheck(nullptr);
	USecurityTicklets::SetTickletMaker(nullptr);
	USecurityWindows::Clear();
	USecurityRequests::Install({});
	UAlertSound::SetPlayer(nullptr);
	UScreenTest::SetTest(nullptr);
	UModifierKeys::SetSource(nullptr);
	gPreferences = nullptr;
	gAppPreferences = nullptr;
	std::fill(std::begin(gStockStrings), std::end(gStockStrings), nullptr);
	std::fill(std::begin(gStockCStrings), std::end(gStockCStrings), nullptr);
}

FakeTicker* ModelTestEnvironment::OpenTicker(UInt32 id)
{
	auto& ticker = mTickers[id];
	if (!ticker)
		ticker = std::make_unique<FakeTicker>(id);
	return ticker.get();
}

void ModelTestEnvironment::CloseTicker(UInt32 id, bool keep)
{
	mTickers.erase(id);
	if (keep)
		mKeptTickers.insert(id);
	else
		mKeptTickers.erase(id);
}

FakeTicker* ModelTestEnvironment::Ticker(UInt32 id)
{
	const auto found = mTickers.find(id);
	return found != mTickers.end() ? found->second.get() : nullptr;
}

void ModelTestEnvironment::SetStockString(int index, const std::string& text)
{
	ASSERT_TRUE(index >= 0 && index < kStockStringCount);
	const std::size_t length = std::min<std::size_t>(text.size(), 255);
	auto stored = std::make_unique<unsigned char[]>(length + 1);
	stored[0] = static_cast<unsigned char>(length);
	std::memcpy(stored.get() + 1, text.data(), length);
	gStockStrings[index] = stored.get();
	mStringTexts.push_back(std::move(stored));
}

void ModelTestEnvironment::SetStockCString(int index, const std::string& text)
{
	ASSERT_TRUE(index >= 0 && index < kStockCStringCount);
	mCStringTexts[std::size_t(index)] = text;
	gStockCStrings[index] = mCStringTexts[std::size_t(index)].c_str();
}

} // namespace modeltest
