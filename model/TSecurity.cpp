#include "model/TSecurity.h"

#include "Includes/ITicker.h"
#include "foundation/TVyFileUtils.h"
#include "foundation/UIntelConversion.h"
#include "model/StockGlobals.h"
#include "model/UModifierKeys.h"
#include "model/UNews.h"
#include "model/UScreenTest.h"
#include "model/USecurityRecord.h"
#include "model/USecurityRequests.h"
#include "model/USecurityTicklets.h"
#include "model/USecurityWindows.h"
#include "model/UZVUtils.h"

#include <array>
#include <cstring>
#include <new>
#include <vector>

namespace
{

// Where a never-placed detail window opens, and where when that point is on no screen.
constexpr SInt32 kFirstWindowTop = 80;
constexpr SInt32 kFirstWindowLeft = 50;
constexpr SInt32 kFallbackWindowTop = 1;
constexpr SInt32 kFallbackWindowLeft = 1;

constexpr std::size_t kOwnerRecordSize = 8;

tZoomState HeldZoomKey()
{
	if (UModifierKeys::ShiftKey())
		return zoomShift;
	if (UModifierKeys::OptionKey())
		return zoomOption;
	if (UModifierKeys::ControlKey())
		return zoomControl;
	return 0;
}

} // namespace

TSecurity::TSecurity()
{
	mParameters.menuEnabled = 1;
	mParameters.summaryEnabled = 1;
	mParameters.quoter = kNoQuoter;
	mParameters.viewType = kDefaultViewType;
	mParameters.zoomState = kDefaultZoomState;
	UZVUtils::DefaultAlert(&mParameters.alertLosingParameters, true);
	UZVUtils::DefaultAlert(&mParameters.alertGainingParameters, false);
	Reset();
}

TSecurity::~TSecurity()
{
	// Cancel while the security is still whole: the request layer may finish the request synchronously,
	// and nothing may submit again for a security that is going.
	mUpdateSecurityNow = 0;
	mUpdateNewsNow = 0;
	if (mUpdateSecurityReference != nullptr)
		USecurityRequests::CancelURL(this);
	mUpdateSecurityReference = nullptr;
	if (mUpdateNewsReference != nullptr)
		USecurityRequests::CancelNewsURL(this);
	mUpdateNewsReference = nullptr;

	CloseDetailWindow(true);
	CloseSelectDlog();

	while (tTickletOwner* owner = mTickletOwners.GetFirst())
		RemoveTicklet(owner->tickerID, owner);

	while (TSecurityWatcher* watcher = mWatchers.GetFirst()) {
		mWatchers.Remove(watcher);
		watcher->Remove(this);
	}

	ClearNewsList();
}

TSecurity& TSecurity::operator=(const TSecurity& other)
{
	if (this == &other)
		return *this;
	mParameters = other.mParameters;
	mSymbol = other.mSymbol;
	mName = other.mName;
	mTickerHeader = other.mTickerHeader;
	mPriceString = other.mPriceString;
	mPriceFraction = other.mPriceFraction;
	mChangeString = other.mChangeString;
	mChangeFraction = other.mChangeFraction;
	mTrailerString = other.mTrailerString;
	mState = other.mState;
	mAlertLosing = other.mAlertLosing;
	mAlertGaining = other.mAlertGaining;
	mIdle = other.mIdle;
	mInitedToday = other.mInitedToday;
	mErrorCode = other.mErrorCode;
	return *this;
}

void TSecurity::Copy(TSecurity*) {}

void TSecurity::SetText(std::string& target, const char* text)
{
	try {
		target = text != nullptr ? text : "";
	} catch (const std::bad_alloc&) {
		throw kSecurityMemoryError;
	}
}

void TSecurity::SecuritySymbol(const char* symbol)
{
	SetText(mSymbol, symbol);
}

void TSecurity::SecurityName(const char* name)
{
	SetText(mName, name);
}

void TSecurity::Reset()
{
	TVyDate::SetUndefinedDateTime(mLastUpdate);
	TVyDate::SetUndefinedDateTime(mCurrentTradeUpdate);
	for (float* value :
	     {&mParameters.yesterdayClose, &mParameters.dayOpen, &mParameters.dayHigh, &mParameters.dayLow,
	      &mParameters.currentTradePrice, &mParameters.currentTradeBid, &mParameters.currentTradeAsk,
	      &mParameters.yearHigh, &mParameters.yearLow})
		*value = kNoValue;
	mParameters.dayVolume = 0;
	mParameters.currentTradeVolume = 0;
	ClearNewsList();
}

void TSecurity::CurrentTradeUpdate(const TVyDate* date)
{
	SignalIf_(date == nullptr);
	if (date != nullptr)
		mCurrentTradeUpdate = *date;
}

void TSecurity::LastUpdate(const TVyDate* date)
{
	SignalIf_(date == nullptr);
	if (date != nullptr)
		mLastUpdate = *date;
}

void TSecurity::AddNewsItem(tNewsEntry* entry)
{
	UNews::AddNewsItem(&mNewsList, entry);
}

void TSecurity::ClearNewsList()
{
	UNews::ClearNewsList(&mNewsList);
}

void TSecurity::AlertLosingParameters(const tAlertParameters* alert)
{
	SignalIf_(alert == nullptr);
	if (alert != nullptr)
		mParameters.alertLosingParameters = *alert;
}

void TSecurity::AlertGainingParameters(const tAlertParameters* alert)
{
	SignalIf_(alert == nullptr);
	if (alert != nullptr)
		mParameters.alertGainingParameters = *alert;
}

void TSecurity::AllParameters(const tSecurityParameters* parameters)
{
	SignalIf_(parameters == nullptr);
	if (parameters != nullptr)
		mParameters = *parameters;
}

void TSecurity::DetailWindowPosition(SInt32* top, SInt32* left, tZoomState* zoom) const
{
	SignalIf_(top == nullptr || left == nullptr || zoom == nullptr);
	if (top != nullptr)
		*top = mParameters.detailWindowTop;
	if (left != nullptr)
		*left = mParameters.detailWindowLeft;
	if (zoom != nullptr)
		*zoom = mParameters.zoomState;
}

void TSecurity::DetailWindowPosition(SInt32 top, SInt32 left, tZoomState zoom)
{
	mParameters.detailWindowTop = top;
	mParameters.detailWindowLeft = left;
	mParameters.zoomState = zoom;
}

void TSecurity::FileText(const char* text, long length)
{
	if (text == nullptr || length < 1) {
		mFileText.reset();
		return;
	}
	char* copy = new (std::nothrow) char[std::size_t(length) + 1];
	if (copy == nullptr)
		throw kSecurityMemoryError;
	std::memcpy(copy, text, std::size_t(length));
	copy[length] = 0;
	mFileText.reset(copy);
}

void TSecurity::OutputFile(TVyFile* file)
{
	if (file != mOutputFile.get())
		mOutputFile.reset(file);
}

// Detail window and edit dialog

void TSecurity::OpenDetailWindow()
{
	if (mDetailWindow != nullptr || mType == securityNone)
		return;
	mDetailWindow = USecurityWindows::MakeDetailWindow(mType);
	if (mDetailWindow == nullptr)
		throw kNilPointerError;
}

void TSecurity::ShowDetailWindow()
{
	const tZoomState key = HeldZoomKey();
	if (mDetailWindow != nullptr && key == 0 && mType != securityNone) {
		mDetailWindow->Show();
		mDetailWindow->Select();
		return;
	}
	OpenDetailWindow();
	if (mDetailWindow == nullptr)
		return;

	SInt32 top, left;
	tZoomState zoom;
	DetailWindowPosition(&top, &left, &zoom);
	bool moved = false;
	if (top == 0 && left == 0) {
		const Rect first{SInt16(kFirstWindowTop), SInt16(kFirstWindowLeft),
		                 SInt16(kFirstWindowTop + 1), SInt16(kFirstWindowLeft + 1)};
		const bool onScreen = UScreenTest::IsOnScreen(first);
		top = onScreen ? kFirstWindowTop : kFallbackWindowTop;
		left = onScreen ? kFirstWindowLeft : kFallbackWindowLeft;
		moved = true;
	}
	if (moved || key != 0)
		DetailWindowPosition(top, left, key != 0 ? key : zoom);

	mDetailWindow->SetCurrentSecurity(this);
	mDetailWindow->Show();
	mDetailWindow->Select();
	mDetailWindow->Activate();
	mDetailWindowOpen = 1;
}

void TSecurity::ShowSelectDlog(LCommander* super, long command, bool isNew)
{
	if (mSelectDlog == nullptr && mType != securityNone) {
		ISelectDlog* dialog = USecurityWindows::MakeSelectDlog(mType, super);
		if (dialog == nullptr)
			throw kNilPointerError;
		dialog->SetIsNewSecurity(isNew);
		dialog->SetSecurity(this);
		mSelectDlog = dialog;
	}
	if (mSelectDlog == nullptr)
		return;
	if (command != 0)
		mSelectDlog->SetCommand(command);
	mSelectDlog->SetIsNewSecurity(isNew);
	mSelectDlog->Show();
}

bool TSecurity::CloseDetailWindow(bool close)
{
	// Forget first: a closing window calls back with CloseDetailWindow(false).
	IDetailWindow* window = mDetailWindow;
	mDetailWindow = nullptr;
	mDetailWindowOpen = 0;
	if (window != nullptr && close)
		window->AttemptClose();
	return window != nullptr;
}

void TSecurity::CloseSelectDlog()
{
	ISelectDlog* dialog = mSelectDlog;
	mSelectDlog = nullptr;
	if (dialog != nullptr)
		dialog->AttemptClose();
}

void TSecurity::UpdateDetailWindow()
{
	if (mDetailWindow != nullptr)
		mDetailWindow->Update();
}

void TSecurity::StartUpdatingDetailWindow()
{
	if (mDetailWindow != nullptr)
		mDetailWindow->StartUpdating();
}

void TSecurity::FinishUpdatingDetailWindow()
{
	if (mDetailWindow != nullptr)
		mDetailWindow->FinishUpdating();
}

void TSecurity::EnableTrading(bool enable)
{
	if (mDetailWindow != nullptr)
		mDetailWindow->EnableTrading(enable);
}

// Ticklets

TSecurity::tTickletOwner* TSecurity::FindTickletOwner(unsigned long tickerID)
{
	TList<tTickletOwner> walk(&mTickletOwners);
	for (tTickletOwner* owner = walk.GetFirst(); owner != nullptr; owner = walk.GetNext())
		if (owner->tickerID == tickerID)
			return owner;
	return nullptr;
}

void TSecurity::AddTicklet(unsigned long tickerID, tTickletOwner* owner)
{
	ITicker* ticker = GetTickerByID(tickerID);
	if (ticker == nullptr) {
		// Keeps the record of a closed ticker, drops that of one that is gone.
		CloseTicklet(tickerID, owner);
		return;
	}
	TTicklet* ticklet = USecurityTicklets::MakeTicklet(this);
	if (ticklet != nullptr)
		ticker->AddTicklet(ticklet, -1);
	if (owner == nullptr)
		owner = FindTickletOwner(tickerID);
	if (owner == nullptr) {
		tTickletOwner* record = new (std::nothrow) tTickletOwner{UInt32(tickerID), ticklet};
		if (record == nullptr) {
			delete ticklet;
			throw kSecurityMemoryError;
		}
		mTickletOwners.Append(record);
	} else {
		delete owner->ticklet;
		owner->ticklet = ticklet;
	}
	if (ticklet != nullptr)
		ticklet->RefreshData();
}

void TSecurity::CloseTicklet(unsigned long tickerID, tTickletOwner* owner)
{
	if (owner == nullptr)
		owner = FindTickletOwner(tickerID);
	if (owner == nullptr)
		return;
	ITicker* ticker = GetTickerByID(tickerID);
	if (owner->ticklet != nullptr) {
		if (ticker != nullptr)
			ticker->RemoveTicklet(owner->ticklet);
		delete owner->ticklet;
		owner->ticklet = nullptr;
	}
	if (!TickerExists(tickerID))
		mTickletOwners.Remove(owner);
}

void TSecurity::RemoveTicklet(unsigned long tickerID, tTickletOwner* owner)
{
	if (owner == nullptr)
		owner = FindTickletOwner(tickerID);
	if (owner == nullptr)
		return;
	if (owner->ticklet != nullptr) {
		if (ITicker* ticker = GetTickerByID(tickerID))
			ticker->RemoveTicklet(owner->ticklet);
		delete owner->ticklet;
		owner->ticklet = nullptr;
	}
	mTickletOwners.Remove(owner);
}

void TSecurity::UpdateTicklets(bool open)
{
	// The list's own cursor survives the removal of its current record.
	for (tTickletOwner* owner = mTickletOwners.GetFirst(); owner != nullptr;
	     owner = mTickletOwners.GetNext()) {
		const unsigned long id = owner->tickerID;
		if (!TickerExists(id))
			RemoveTicklet(id, owner);
		else if (open)
			AddTicklet(id, owner);
		else
			CloseTicklet(id, owner);
	}
	if (gPreferences != nullptr)
		UZVUtils::UpdateSecurity(this, &gPreferences->losingAlert, &gPreferences->gainingAlert,
		                         &gPreferences->idling);
}

void TSecurity::RefreshTicklets()
{
	TList<tTickletOwner> walk(&mTickletOwners);
	for (tTickletOwner* owner = walk.GetFirst(); owner != nullptr; owner = walk.GetNext())
		if (owner->ticklet != nullptr)
			owner->ticklet->RefreshData();
}

bool TSecurity::IsActiveTicker(unsigned long tickerID)
{
	return FindTickletOwner(tickerID) != nullptr;
}

// Watchers

void TSecurity::AddWatcher(TSecurityWatcher* watcher)
{
	SignalIf_(watcher == nullptr);
	if (watcher != nullptr && mWatchers.FindItem(watcher) == 0)
		mWatchers.Append(watcher);
}

void TSecurity::RemoveWatcher(TSecurityWatcher* watcher)
{
	SignalIf_(watcher == nullptr);
	if (watcher != nullptr)
		mWatchers.Remove(watcher);
}

void TSecurity::NotifyWatchers(void (TSecurityWatcher::*notice)(TSecurity*))
{
	// A watcher may add or remove watchers while it is told; tell those present at the start that are
	// still present.
	std::vector<TSecurityWatcher*> watchers;
	TList<TSecurityWatcher> walk(&mWatchers);
	for (TSecurityWatcher* watcher = walk.GetFirst(); watcher != nullptr; watcher = walk.GetNext())
		watchers.push_back(watcher);
	for (TSecurityWatcher* watcher : watchers)
		if (mWatchers.FindItem(watcher) != 0)
			(watcher->*notice)(this);
}

void TSecurity::BeginUpdateWatchers()
{
	NotifyWatchers(&TSecurityWatcher::UpdateBegins);
}

void TSecurity::EndUpdateWatchers()
{
	NotifyWatchers(&TSecurityWatcher::UpdateEnds);
}

bool TSecurity::HasPortfolioWatchers()
{
	TList<TSecurityWatcher> walk(&mWatchers);
	for (TSecurityWatcher* watcher = walk.GetFirst(); watcher != nullptr; watcher = walk.GetNext())
		if (watcher->IsPortfolio())
			return true;
	return false;
}

void TSecurity::UpdateMe()
{
	USecurityRequests::SubmitURL(this);
}

// The stored record

short TSecurity::Backup(TVyFile* file)
{
	SignalIf_(file == nullptr);
	if (file == nullptr)
		return kVyFileBadParam;

	if (short err = USecurityRecord::WriteText(file, mSymbol.c_str()); err != 0)
		return err;
	if (short err = USecurityRecord::WriteText(file, mName.c_str()); err != 0)
		return err;

	UIntelConversion::ConvertTVyDate(&mLastUpdate, &mParameters.lastUpdate, false);
	UIntelConversion::ConvertTVyDate(&mCurrentTradeUpdate, &mParameters.currentTradeUpdate, false);
	std::array<unsigned char, tSecurityParameters::kStoredSize> block{};
	UIntelConversion::ConvertSecurity(block, &mParameters, false);
	if (short err = USecurityRecord::WriteBytes(file, block.data(), block.size()); err != 0)
		return err;

	if (short err = USecurityRecord::WriteU8(file, mOutputFileEnabled); err != 0)
		return err;
	if (short err = USecurityRecord::WriteText(file, mFileText.get()); err != 0)
		return err;
	if (short err = USecurityRecord::WriteU8(file, mOutputFile ? 1 : 0); err != 0)
		return err;
	if (mOutputFile) {
		if (short err = mOutputFile->Backup(file); err != 0)
			return err;
	}

	if (short err = USecurityRecord::WriteU32(file, UInt32(mTickletOwners.Count())); err != 0)
		return err;
	TList<tTickletOwner> walk(&mTickletOwners);
	for (tTickletOwner* owner = walk.GetFirst(); owner != nullptr; owner = walk.GetNext()) {
		if (short err = USecurityRecord::WriteU32(file, owner->tickerID); err != 0)
			return err;
		if (short err = USecurityRecord::WriteU32(file, 0); err != 0)
			return err;
	}
	return 0;
}

short TSecurity::Restore(TVyFile* file)
{
	tStoredRecord record;
	if (short err = ReadRecord(file, &record); err != 0)
		return err;
	TakeRecord(&record);
	return 0;
}

short TSecurity::ReadRecord(TVyFile* file, tStoredRecord* record)
{
	SignalIf_(file == nullptr);
	if (file == nullptr)
		return kVyFileBadParam;

	if (short err = USecurityRecord::ReadText(file, &record->symbol); err != 0)
		return err;
	if (short err = USecurityRecord::ReadText(file, &record->name); err != 0)
		return err;
	std::array<unsigned char, tSecurityParameters::kStoredSize> block{};
	if (short err = USecurityRecord::ReadBytes(file, block.data(), block.size()); err != 0)
		return err;
	UIntelConversion::ConvertSecurity(block, &record->parameters, true);
	if (short err = USecurityRecord::ReadU8(file, &record->outputFileEnabled); err != 0)
		return err;
	if (short err = USecurityRecord::ReadText(file, &record->fileText); err != 0)
		return err;

	UInt8 hasFile = 0;
	if (short err = USecurityRecord::ReadU8(file, &hasFile); err != 0)
		return err;
	if (hasFile > 1)
		return kVyFileOther;
	if (hasFile == 1) {
		record->outputFile = std::make_unique<TVyFile>();
		if (short err = record->outputFile->Restore(file); err != 0)
			return err;
	}

	// The count is not trusted for an allocation: owners are taken as they are read.
	UInt32 count = 0;
	if (short err = USecurityRecord::ReadU32(file, &count); err != 0)
		return err;
	for (UInt32 i = 0; i < count; ++i) {
		UInt32 id = 0, reserved = 0;
		if (short err = USecurityRecord::ReadU32(file, &id); err != 0)
			return err;
		if (short err = USecurityRecord::ReadU32(file, &reserved); err != 0)
			return err;
		record->owners.push_back(id);
	}
	return 0;
}

void TSecurity::TakeRecord(tStoredRecord* record)
{
	SecuritySymbol(record->symbol.get());
	SecurityName(record->name.get());
	mParameters = record->parameters;
	UIntelConversion::ConvertTVyDate(&mLastUpdate, &mParameters.lastUpdate, true);
	UIntelConversion::ConvertTVyDate(&mCurrentTradeUpdate, &mParameters.currentTradeUpdate, true);
	mOutputFileEnabled = record->outputFileEnabled;
	mFileText = std::move(record->fileText);
	OutputFile(record->outputFile.release());

	while (tTickletOwner* owner = mTickletOwners.GetFirst())
		RemoveTicklet(owner->tickerID, owner);
	for (UInt32 id : record->owners) {
		tTickletOwner* owner = new (std::nothrow) tTickletOwner{id, nullptr};
		if (owner == nullptr)
			throw kSecurityMemoryError;
		mTickletOwners.Append(owner);
	}
}
