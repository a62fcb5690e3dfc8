#pragma once
// The one securities plug-in: owns the four security lists, the plug-in settings record with its five files,
// the quote-update scheduler and the content tree; answers the 5000 range of commands, keeps the per-kind
// menus and hands tickers their ticklets. Reached as sStockPlugin and through the static wrappers.

#include "Includes/AppleEvents.h"
#include "Includes/IPluginWindow.h"
#include "Includes/ITickerPlugin.h"
#include "Includes/TList.h"
#include "Includes/tLedgerEntry.h"
#include "Includes/tStockTickerPrefs.h"
#include "app/TMenuCommandIndex.h"
#include "app/kestrunAppPrefs.h"
#include "model/MarketCodes.h"
#include "model/SecurityTypes.h"
#include "model/tPreferenceFileType.h"
#include "platform/framework/LPeriodical.h"
#include "platform/toolbox/PascalStrings.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class LCommander;
class LMenu;
class TBrokerage;
class TCurrency;
class TFund;
class TIndex;
class TSecurity;
class TStock;
class TStockContentTree;
class TVyBufferFile;
class TVyFile;

// The plug-in's singleton windows, in the order of its window references.
enum tPluginWindow : int {
	windowSecurityPrefs,
	windowStockList,
	windowFundList,
	windowIndexList,
	windowCurrencyList,
	windowSummary,
	windowStockQQ,
	windowCurrencyQQ,
	kPluginWindowCount
};

// The plug-in's settings record, the same as gPreferences.
extern tStockTickerPrefs* gStockPreferences;

class TStockPlugin : public ITickerPlugin, public LPeriodical
{
public:
	static constexpr UInt32 kPluginSig = FOUR_CHAR_CODE("stok");
	static constexpr long kOutOfMemory = 1000;

	// The per-kind menus. Item k (from 1) of a kind's securities has the command base + k; the ranges are
	// far apart so that no kind's items reach another kind's, however long the lists.
	static constexpr short kStockMenuID = 5001;
	static constexpr short kFundMenuID = 5002;
	static constexpr short kIndexMenuID = 5003;
	static constexpr short kCurrencyMenuID = 5004;
	static constexpr short kMenuBeforeID = 139;
	static constexpr long kMenuRange = 99999;
	static constexpr long kStockMenuBase = 100000;
	static constexpr long kFundMenuBase = 200000;
	static constexpr long kIndexMenuBase = 300000;
	static constexpr long kCurrencyMenuBase = 400000;

	// The conversion of the former product's files, installed by the converter; without one there is
	// nothing to convert. convertPrefs fills one result per file (settings, stocks, funds, indexes,
	// currencies): 10 converted, 11 not present, 12 unsupported version.
	struct tConverter {
		std::function<bool()> shouldConvert;
		std::function<void()> start;
		std::function<void(UInt8 results[5])> convertPrefs;
		std::function<void()> finish;
	};
	static void SetConverter(tConverter converter);

	// Makes one of the singleton windows under super (created hidden), or null when it cannot. The window
	// classes install their openers; a window without an opener is not available and its command is
	// disabled.
	using WindowOpener = std::function<IPluginWindow*(LCommander* super)>;
	static void SetWindowOpener(tPluginWindow which, WindowOpener opener);
	static const WindowOpener& GetWindowOpener(tPluginWindow which);

	explicit TStockPlugin(LCommander* super);
	~TStockPlugin() override;

	TStockPlugin(const TStockPlugin&) = delete;
	TStockPlugin& operator=(const TStockPlugin&) = delete;

	// ITickerPlugin
	IInterface* GetOtherInterface(unsigned long sig) override;
	UInt32 GetPluginSig() override { return kPluginSig; }
	const char* GetName() override { return "Securities"; }
	void TickerOpenNotify(unsigned long tickerID) override;
	void TickerCloseNotify(unsigned long tickerID) override;
	void TickerDeleteNotify(unsigned long tickerID) override;
	// Gives the scheduler its time (also the repeater's operation).
	void SpendTime(const EventRecord& event) override;
	void CatchException(const LException& exception) override;
	void CatchExceptionCode(long code) override;

	virtual void CatchMemory(long code);
	virtual void Initialize();
	virtual void ShutDown();
	// Quote queries by symbol (7000-7312) and the detail window of a symbol (7500); GetAEResult tells
	// whether the event was the plug-in's.
	virtual void HandleAppleEvent(const AppleEvent& event, AppleEvent& reply, AEDesc& result,
	                              long number);
	// Securities show themselves on tickers in security ticklets.
	static void InstallTickletMaker();
	// Whether a security keeps a ticker record under that id (shown on it now or when it opens).
	bool UsesTickerID(unsigned long tickerID) const;
	virtual void UpdateAllTicklets();
	virtual void UpdateTicklets(TList<TSecurity>* list, bool on);
	virtual void RefreshAllTicklets();
	virtual void RefreshTicklets(TList<TSecurity>* list);
	virtual void AddTicklets(TList<TSecurity>* list, unsigned long tickerID);
	virtual void CloseTicklets(TList<TSecurity>* list, unsigned long tickerID);
	virtual void DeleteTicklets(TList<TSecurity>* list, unsigned long tickerID);
	virtual void ShowAbout() {}
	virtual void ShowPrefs() {}
	virtual void Idle() {}
	virtual bool IsActive() { return true; }
	virtual void BringAllWindowsToFront();
	virtual Boolean AllowSubRemoval(LCommander* sub);
	virtual Boolean ObeyCommand(long command, void* param);
	virtual void FindCommandStatus(long command, Boolean& enabled, Boolean& usesMark, UInt16& mark,
	                               Str255 name);

	bool GetAEResult() const { return mAEResult != 0; }
	static TSecurity* FindSymbol(TList<TSecurity>* list, const char* symbol);
	static OSErr AEGetString(const AEDesc& event, AEKeyword key, Str255 text);
	static OSErr AESetString(AEDesc& reply, AEKeyword key, ConstStr255Param text);
	static OSErr AESetFloat(AEDesc& reply, AEKeyword key, float value);
	static OSErr AESetShort(AEDesc& reply, AEKeyword key, short value);
	// Nothing when no reply is wanted.
	static OSErr AEError(AEDesc& reply, short error, const char* message);

	// Lookups and additions for the rest of the system; the wrappers always submit the first quote.
	static TStock* GetStock(const char* symbol, tStockExchange exchange);
	static TStock* AddStock(const char* symbol, tStockExchange exchange);
	static TFund* AddFund(const char* symbol);
	static TCurrency* GetCurrency(tCurrency from, tCurrency to);
	static TCurrency* AddCurrency(tCurrency from, tCurrency to);
	static TSecurity* GetSecurity(const tLedgerEntry* entry);

	TStock* GetAStock(const char* symbol, tStockExchange exchange);
	TFund* GetAFund(const char* symbol);
	TIndex* GetAnIndex(const char* symbol);
	TCurrency* GetACurrency(tCurrency from, tCurrency to);
	TSecurity* GetASecurity(const tLedgerEntry* entry);
	TStock* AddAStock(const char* symbol, tStockExchange exchange, bool submit);
	TFund* AddAFund(const char* symbol, bool submit);
	TCurrency* AddACurrency(tCurrency from, tCurrency to, bool submit);

	// Settings record and files.
	bool InitPrefsFile(tPreferenceFileType kind, const char* name, const char* setAsideName,
	                   short message, OSType fileType, OSType creator);
	bool ReadPreferencesFiles(tPreferenceFileType kind, unsigned long* tag);
	// 0, or the error of the write; a failed write leaves the file as it was (or makes none) and tells
	// the user, or adds the file to ioUnwritten when that is given. A former file whose changes the user
	// keeps is copied whole to its ".old" name only once the new contents are written whole beside it.
	short WritePreferencesFiles(tPreferenceFileType kind, tUnwrittenFiles* ioUnwritten = nullptr);
	// The last writing of every file, at quit: those that could not be written are added.
	void WriteAllFiles(tUnwrittenFiles* ioUnwritten);
	// Notes which windows are open and writes every file, as the quit does, leaving the windows open.
	void RecordOpenWindows(tUnwrittenFiles* ioUnwritten);
	void DefaultPreferences(tPreferenceFileType kind);

	// Commands and menus.
	Boolean OpenWindowCommand(long command, void* param);
	Boolean EditWindowCommand(long command, void* param);
	void RebuildAllMenus();
	LMenu* RebuildMenu(tSecurityType kind, short menuID, long base);
	void PrefsChanged(tSecurityType kind, TList<TSecurity>* list, bool kindOn);
	void UpdateWindows(bool onlyOpen);
	void UpdateWindowsInList(tSecurityType kind, TList<TSecurity>* list, bool onlyOpen);
	bool OpenDetailWindow(tSecurityType kind, TList<TSecurity>* list, long command, long base);
	void OpenDetailWindows(tSecurityType kind, TList<TSecurity>* list);
	void CloseDetailWindows(tSecurityType kind, TList<TSecurity>* list);
	// The open-at-quit flags of the securities shown in menus or the summary, from their open windows.
	void NoteDetailWindows(TList<TSecurity>* list);
	// Every window's open-at-quit flag from whether it is open now.
	void NoteOpenWindows();
	void CloseAllDetailWindows();
	void CloseOtherWindows();
	bool AnyWindowsOpen(TList<TSecurity>* list);
	bool AnyWindowsClosed(TList<TSecurity>* list);
	void FindListCommandStatus(TList<TSecurity>* list, long command, long base, Boolean& enabled,
	                           Boolean& usesMark, UInt16& mark);

	// Default securities, first run and the start-up pass.
	bool ConvertDialog();
	void DefaultStocks();
	void DefaultFunds();
	void DefaultIndexes();
	void DefaultCurrencies();
	void DefaultWindows();
	void setSummaryWindowPosition(bool open);
	void setDetailWindowPosition(TSecurity* security, unsigned char row, unsigned char column,
	                             tZoomState zoom, bool openAtQuit, bool summaryShown);
	void CheckListOnStartup(tSecurityType kind, TList<TSecurity>* list, bool kindOn);
	struct tGridWindow;
	void FitWindowsToScreen(const std::vector<tGridWindow>& grid);

	// The string tables of lists 5000 and 5001; an entry that cannot be loaded is an empty text.
	static void LoadStockStrings();
	static void DisposeStockStrings();

	TList<TSecurity>* GetList(tSecurityType kind) const;
	bool KindOn(tSecurityType kind) const;
	static tPreferenceFileType FileKindOf(tSecurityType kind);

	// Walks a list without its cursor, so that walks may nest.
	template <typename F> static void ForEachSecurity(TList<TSecurity>* list, F action)
	{
		if (list == nullptr)
			return;
		for (tListNode<TSecurity>* node = list->GetEntryHead(); node != nullptr; node = node->mNext)
			action(node->mItem);
	}
	TStockContentTree* GetContentTree() const { return mContentTree; }
	TBrokerage* GetBrokerage() const { return mBrokerage; }
	tStockTickerPrefs* GetPrefs() { return &mPrefs; }
	IPluginWindow* GetWindow(tPluginWindow which) const { return mWindows[which]; }
	bool FilesCreated() const { return mFilesCreated; }

	static TStockPlugin* sStockPlugin;

private:
	TVyBufferFile*& FileOf(tPreferenceFileType kind);
	// Replaces the kind's damaged file with what the kind holds, first written whole beside it, the
	// damaged file then copied whole to setAsideName (an older file of that name gives way first); false
	// when any step failed, the damaged file then left as it was under its name.
	bool SetAside(tPreferenceFileType kind, const char* setAsideName);
	// Writes the kind's file whole beside it, then (keepFormerAs given) copies the file that stands there
	// to that free name, and only then puts the new one in its place; 0 or the error, which leaves what
	// stood there.
	short WriteFile(tPreferenceFileType kind, const char* keepFormerAs);
	// Notes what the kinds of the former files hold once start-up is over; changes are judged from it.
	void NoteFormerContents();
	// What the kind's file would hold, less the quotes that updates fetch: what the user set.
	std::string ContentsSetByUser(tPreferenceFileType kind);
	// For each file of the former version that was kept and whose contents the user changed, asks
	// whether to keep the changes, naming the free "<name>.old" the former file will be kept under: yes
	// lets the last writing put the new file in its place.
	void KeepOrDropFormerChanges();
	short WriteContents(tPreferenceFileType kind, TVyFile* file);
	void WriteEachFile(tUnwrittenFiles* ioUnwritten);
	void StartUpdating();
	void ApplyPrefs(bool save);
	// Appends a new security to its kind's list, writes the kind's file and re-applies the settings;
	// submits its first quote when asked.
	void Adopt(tSecurityType kind, TSecurity* security, bool submit);
	template <typename T> void AddCopy(tSecurityType kind, T* scratch);
	template <typename F> void ForEachKindOn(F action);

	LCommander* mSuper;
	IPluginWindow* mWindows[kPluginWindowCount] = {};
	TBrokerage* mBrokerage = nullptr;
	TList<TSecurity>* mStockList = nullptr;
	TList<TSecurity>* mFundList = nullptr;
	TList<TSecurity>* mIndexList = nullptr;
	TList<TSecurity>* mCurrencyList = nullptr;
	tStockTickerPrefs mPrefs;
	UInt8 mAEResult = 0;
	TStock* mNewStock = nullptr;
	TFund* mNewFund = nullptr;
	TIndex* mNewIndex = nullptr;
	TCurrency* mNewCurrency = nullptr;
	TStockContentTree* mContentTree = nullptr;
	TVyFile* mPrefsFolder = nullptr;
	TVyBufferFile* mPrefsFile = nullptr;
	TVyBufferFile* mStocksFile = nullptr;
	TVyBufferFile* mFundsFile = nullptr;
	TVyBufferFile* mIndexesFile = nullptr;
	TVyBufferFile* mCurrenciesFile = nullptr;
	bool mFilesCreated = false;
	// Set by the first ShutDown: a second one would note every window as closed.
	bool mShutDown = false;
	bool mAllFilesWritten = false;
	// Damaged files that could not be set aside, and files of a former version whose conversion was
	// declined: left as they are and not written in this run.
	std::set<tPreferenceFileType> mLockedFiles;
	bool mConversionDeclined = false;
	// Files of a former version kept as they are; what their kinds held when start-up was over; and those
	// whose changes the user keeps, with the name the former file is kept under.
	std::set<tPreferenceFileType> mFormerFiles;
	std::map<tPreferenceFileType, std::string> mFormerContents;
	std::map<tPreferenceFileType, std::string> mFormerKeptAs;
	TMenuCommandIndex mMenuIndex;
};
