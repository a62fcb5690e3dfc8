#pragma once
// One watched quote: a stock, fund, index or currency pair. A security owns its texts, news, ticklets and
// output file; it refers to its detail window, edit dialog and watchers without owning them.

#include "Includes/NoValue.h"
#include "Includes/TList.h"
#include "Includes/TSecurityWatcher.h"
#include "Includes/TTicklet.h"
#include "Includes/tAlertParameters.h"
#include "Includes/tIdleParameters.h"
#include "Includes/tSecurityParameters.h"
#include "foundation/TVyDate.h"
#include "foundation/TVyFile.h"
#include "model/IDetailWindow.h"
#include "model/ISelectDlog.h"
#include "model/SecurityTypes.h"
#include "model/tNewsEntry.h"
#include "model/tNewsItem.h"

#include <memory>
#include <string>
#include <vector>

class LCommander;
class TURLRequest;

class TSecurity
{
public:
	struct tTickletOwner {
		UInt32 tickerID = 0;
		TTicklet* ticklet = nullptr; // null while the ticker is closed
	};

	TSecurity();
	virtual ~TSecurity();

	TSecurity(const TSecurity&) = delete;
	// Equality: copies the values, not what ties the security to windows, tickers, watchers or requests.
	TSecurity& operator=(const TSecurity& other);

	// Copies the user's settings from a security of the same kind; the base does nothing.
	virtual void Copy(TSecurity* other);
	virtual void ShowDetailWindow();
	virtual void ShowSelectDlog(LCommander* super, long command, bool isNew);
	// 0 or the file layer's error code; a damaged record gives an error, never a read past its end, and
	// leaves the security as it was.
	virtual short Backup(TVyFile* file);
	virtual short Restore(TVyFile* file);

	virtual tSecurityType Type() const { return mType; }
	virtual const char* SecuritySymbol() const { return mSymbol.c_str(); }
	virtual void SecuritySymbol(const char* symbol);
	virtual void Reset();
	virtual void CurrentTradePrice(float value) { mParameters.currentTradePrice = value; }
	virtual float CurrentTradePrice() const { return mParameters.currentTradePrice; }
	virtual void CurrentTradeBid(float value) { mParameters.currentTradeBid = value; }
	virtual float CurrentTradeBid() const { return mParameters.currentTradeBid; }
	virtual void CurrentTradeAsk(float value) { mParameters.currentTradeAsk = value; }
	virtual float CurrentTradeAsk() const { return mParameters.currentTradeAsk; }
	virtual void CurrentTradeVolume(UInt32 value) { mParameters.currentTradeVolume = value; }
	virtual UInt32 CurrentTradeVolume() const { return mParameters.currentTradeVolume; }
	virtual void YesterdayClose(float value) { mParameters.yesterdayClose = value; }
	virtual float YesterdayClose() const { return mParameters.yesterdayClose; }
	virtual void DayOpen(float value) { mParameters.dayOpen = value; }
	virtual float DayOpen() const { return mParameters.dayOpen; }
	virtual void DayHigh(float value) { mParameters.dayHigh = value; }
	virtual float DayHigh() const { return mParameters.dayHigh; }
	virtual void DayLow(float value) { mParameters.dayLow = value; }
	virtual float DayLow() const { return mParameters.dayLow; }
	virtual void DayVolume(UInt32 value) { mParameters.dayVolume = value; }
	virtual UInt32 DayVolume() const { return mParameters.dayVolume; }
	virtual void YearHigh(float value) { mParameters.yearHigh = value; }
	virtual float YearHigh() const { return mParameters.yearHigh; }
	virtual void YearLow(float value) { mParameters.yearLow = value; }
	virtual float YearLow() const { return mParameters.yearLow; }
	virtual void CurrentTradeUpdate(const TVyDate* date);
	virtual TVyDate* CurrentTradeUpdate() { return &mCurrentTradeUpdate; }
	virtual void AddNewsItem(tNewsEntry* entry);

	const char* SecurityName() const { return mName.c_str(); }
	void SecurityName(const char* name);

	bool MenuEnabled() const { return mParameters.menuEnabled != 0; }
	void MenuEnabled(bool on) { mParameters.menuEnabled = on; }
	bool SummaryEnabled() const { return mParameters.summaryEnabled != 0; }
	void SummaryEnabled(bool on) { mParameters.summaryEnabled = on; }
	bool OverrideQuoter() const { return mParameters.overrideQuoter != 0; }
	void OverrideQuoter(bool on) { mParameters.overrideQuoter = on; }
	OSType Quoter() const { return mParameters.quoter; }
	void Quoter(OSType signature) { mParameters.quoter = signature; }
	bool OverrideLosingAlert() const { return mParameters.overrideLosingAlert != 0; }
	void OverrideLosingAlert(bool on) { mParameters.overrideLosingAlert = on; }
	bool OverrideGainingAlert() const { return mParameters.overrideGainingAlert != 0; }
	void OverrideGainingAlert(bool on) { mParameters.overrideGainingAlert = on; }
	tAlertParameters* AlertLosingParameters() { return &mParameters.alertLosingParameters; }
	void AlertLosingParameters(const tAlertParameters* alert);
	tAlertParameters* AlertGainingParameters() { return &mParameters.alertGainingParameters; }
	void AlertGainingParameters(const tAlertParameters* alert);
	tSecurityParameters* AllParameters() { return &mParameters; }
	void AllParameters(const tSecurityParameters* parameters);

	TVyDate* LastUpdate() { return &mLastUpdate; }
	void LastUpdate(const TVyDate* date);

	tViewType ViewType() const { return mParameters.viewType; }
	void ViewType(tViewType type) { mParameters.viewType = type; }
	bool DetailWindowOpenOnQuit() const { return mParameters.detailWindowOpenOnQuit != 0; }
	void DetailWindowOpenOnQuit(bool open) { mParameters.detailWindowOpenOnQuit = open; }
	void DetailWindowPosition(SInt32* top, SInt32* left, tZoomState* zoom) const;
	void DetailWindowPosition(SInt32 top, SInt32 left, tZoomState zoom);
	long DetailWindowCommand() const { return mDetailWindowCommand; }
	void DetailWindowCommand(long command) { mDetailWindowCommand = SInt32(command); }
	int ErrorCode() const { return mErrorCode; }
	void ErrorCode(int code) { mErrorCode = code; }
	tSecurityState State() const { return mState; }
	void State(tSecurityState state) { mState = state; }
	bool AlertLosing() const { return mAlertLosing != 0; }
	void AlertLosing(bool on) { mAlertLosing = on; }
	bool AlertGaining() const { return mAlertGaining != 0; }
	void AlertGaining(bool on) { mAlertGaining = on; }
	bool Idle() const { return mIdle != 0; }
	void Idle(bool on) { mIdle = on; }
	// Filled by a successful update since start-up.
	bool InitedToday() const { return mInitedToday != 0; }
	void InitedToday(bool on) { mInitedToday = on; }
	// The pending requests; they belong to the request layer and are never stored.
	TURLRequest* UpdateSecurityReference() const { return mUpdateSecurityReference; }
	void UpdateSecurityReference(TURLRequest* request) { mUpdateSecurityReference = request; }
	TURLRequest* UpdateNewsReference() const { return mUpdateNewsReference; }
	void UpdateNewsReference(TURLRequest* request) { mUpdateNewsReference = request; }
	bool UpdateSecurityNow() const { return mUpdateSecurityNow != 0; }
	void UpdateSecurityNow(bool on) { mUpdateSecurityNow = on; }
	bool UpdateNewsNow() const { return mUpdateNewsNow != 0; }
	void UpdateNewsNow(bool on) { mUpdateNewsNow = on; }

	bool OutputFileEnabled() const { return mOutputFileEnabled != 0; }
	void OutputFileEnabled(bool on) { mOutputFileEnabled = on; }
	// Null when there is no template.
	const char* FileText() const { return mFileText.get(); }
	// Copies length bytes and adds a zero; a null text or a length below 1 leaves no template.
	void FileText(const char* text, long length);
	TVyFile* OutputFile() { return mOutputFile.get(); }
	// Takes ownership; the file object held before is deleted.
	void OutputFile(TVyFile* file);

	// The ticklet's texts, never null.
	const char* TickerHeader() const { return mTickerHeader.c_str(); }
	void TickerHeader(const char* text) { SetText(mTickerHeader, text); }
	const char* PriceString() const { return mPriceString.c_str(); }
	void PriceString(const char* text) { SetText(mPriceString, text); }
	const char* PriceFraction() const { return mPriceFraction.c_str(); }
	void PriceFraction(const char* text) { SetText(mPriceFraction, text); }
	const char* ChangeString() const { return mChangeString.c_str(); }
	void ChangeString(const char* text) { SetText(mChangeString, text); }
	const char* ChangeFraction() const { return mChangeFraction.c_str(); }
	void ChangeFraction(const char* text) { SetText(mChangeFraction, text); }
	const char* TrailerString() const { return mTrailerString.c_str(); }
	void TrailerString(const char* text) { SetText(mTrailerString, text); }

	TList<tNewsItem>* GetNewsList() { return &mNewsList; }
	void ClearNewsList();

	// Detail window and edit dialog.
	IDetailWindow* GetDetailWindow() const { return mDetailWindow; }
	void SetDetailWindow(IDetailWindow* window) { mDetailWindow = window; }
	ISelectDlog* GetSelectDlog() const { return mSelectDlog; }
	bool IsDetailWindowOpen() const { return mDetailWindowOpen != 0; }
	// Asks the window to close when close is true; forgets it either way. Whether there was one.
	bool CloseDetailWindow(bool close);
	void CloseSelectDlog();
	void UpdateDetailWindow();
	void StartUpdatingDetailWindow();
	void FinishUpdatingDetailWindow();
	void EnableTrading(bool enable);

	// Ticklets, one owner record per ticker that shows the security, kept while that ticker is closed and
	// dropped once it no longer exists. A null owner is looked up by id.
	void AddTicklet(unsigned long tickerID, tTickletOwner* owner);
	void CloseTicklet(unsigned long tickerID, tTickletOwner* owner);
	void RemoveTicklet(unsigned long tickerID, tTickletOwner* owner);
	void UpdateTicklets(bool open);
	void RefreshTicklets();
	bool IsActiveTicker(unsigned long tickerID);
	TList<tTickletOwner>* GetTickletOwners() { return &mTickletOwners; }

	// Watchers are held once each and not owned.
	void AddWatcher(TSecurityWatcher* watcher);
	void RemoveWatcher(TSecurityWatcher* watcher);
	void BeginUpdateWatchers();
	void EndUpdateWatchers();
	bool HasPortfolioWatchers();
	long WatcherCount() { return mWatchers.Count(); }

	// Submits the quote request.
	void UpdateMe();

protected:
	// A stored record read whole before any of it is taken over.
	struct tStoredRecord {
		std::unique_ptr<char[]> symbol;
		std::unique_ptr<char[]> name;
		tSecurityParameters parameters;
		UInt8 outputFileEnabled = 0;
		std::unique_ptr<char[]> fileText;
		std::unique_ptr<TVyFile> outputFile;
		std::vector<UInt32> owners;
	};
	static short ReadRecord(TVyFile* file, tStoredRecord* record);
	// Replaces the security's stored values, its ticklet owners included, by the record's.
	void TakeRecord(tStoredRecord* record);

	// Makes the kind's detail window when there is none; null for a bare security.
	void OpenDetailWindow();
	static void SetText(std::string& target, const char* text);
	tTickletOwner* FindTickletOwner(unsigned long tickerID);
	void NotifyWatchers(void (TSecurityWatcher::*notice)(TSecurity*));

	std::string mSymbol;
	std::string mName;
	tSecurityParameters mParameters;
	UInt8 mOutputFileEnabled = 0;
	std::unique_ptr<char[]> mFileText;
	std::unique_ptr<TVyFile> mOutputFile;
	TList<tTickletOwner> mTickletOwners{false, true};
	IDetailWindow* mDetailWindow = nullptr;
	ISelectDlog* mSelectDlog = nullptr;
	UInt8 mDetailWindowOpen = 0;
	SInt32 mDetailWindowCommand = 0;
	SInt32 mErrorCode = 0;
	std::string mTickerHeader;
	std::string mPriceString;
	std::string mPriceFraction;
	std::string mChangeString;
	std::string mChangeFraction;
	std::string mTrailerString;
	tSecurityType mType = securityNone;
	tSecurityState mState = stateUnchanged;
	UInt8 mAlertLosing = 0;
	UInt8 mAlertGaining = 0;
	UInt8 mIdle = 0;
	UInt8 mInitedToday = 0;
	TVyDate mLastUpdate;
	TVyDate mCurrentTradeUpdate;
	TURLRequest* mUpdateSecurityReference = nullptr;
	TURLRequest* mUpdateNewsReference = nullptr;
	UInt8 mUpdateSecurityNow = 0;
	UInt8 mUpdateNewsNow = 0;
	TList<TSecurityWatcher> mWatchers{false, false};
	TList<tNewsItem> mNewsList{true, true};
};
