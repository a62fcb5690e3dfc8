#include "app/TStockPlugin.h"

#include "Internet/TBrokerage.h"
#include "Quoters/TQuoterManager.h"
#include "app/TStockContentTree.h"
#include "app/UPrefsFolder.h"
#include "foundation/TVyBufferFile.h"
#include "foundation/TVyFile.h"
#include "foundation/TVyFileUtils.h"
#include "foundation/VyStrings.h"
#include "model/ISelectDlog.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TCurrencyConversion.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/USecurityRequests.h"
#include "model/UZVUtils.h"
#include "platform/framework/LCommander.h"
#include "platform/framework/LException.h"
#include "platform/toolbox/Debugging.h"
#include "ticker/TXContentMgr.h"
#include "toolkit/UKsDialogs.h"
#include "toolkit/UKsStrings.h"

#include <cstdio>
#include <new>
#include <string>

TStockPlugin* TStockPlugin::sStockPlugin = nullptr;
tStockTickerPrefs* gStockPreferences = nullptr;

namespace
{

constexpr OSType kCreator = FOUR_CHAR_CODE("zVRN");

TStockPlugin::WindowOpener sWindowOpeners[kPluginWindowCount];
unsigned char* sLoadedStrings[kStockStringCount] = {};
char* sLoadedCStrings[kStockCStringCount] = {};

template <typename T, typename F> T* FindFirst(TList<TSecurity>* list, F matches)
{
	TSecurity* found = nullptr;
	TStockPlugin::ForEachSecurity(list, [&](TSecurity* security) {
		if (found == nullptr && matches(security))
			found = security;
	});
	return static_cast<T*>(found);
}

bool SameSymbol(TSecurity* security, const char* symbol)
{
	return symbol != nullptr && ksstrcmpi(security->SecuritySymbol(), symbol) == 0;
}

} // namespace

void TStockPlugin::SetWindowOpener(tPluginWindow which, WindowOpener opener)
{
	if (which >= 0 && which < kPluginWindowCount)
		sWindowOpeners[which] = std::move(opener);
}

const TStockPlugin::WindowOpener& TStockPlugin::GetWindowOpener(tPluginWindow which)
{
	static const WindowOpener kNone;
	return which >= 0 && which < kPluginWindowCount ? sWindowOpeners[which] : kNone;
}

TStockPlugin::TStockPlugin(LCommander* super) : mSuper(super)
{
	sStockPlugin = this;
	InstallTickletMaker();
	LoadStockStrings();
	gPreferences = gStockPreferences = &mPrefs;
	mNewStock = new (std::nothrow) TStock();
	mNewFund = new (std::nothrow) TFund();
	mNewIndex = new (std::nothrow) TIndex();
	mNewCurrency = new (std::nothrow) TCurrency();
	ThrowIfNil_(mNewStock);
	ThrowIfNil_(mNewFund);
	ThrowIfNil_(mNewIndex);
	ThrowIfNil_(mNewCurrency);
}

void TStockPlugin::Initialize()
{
	mStockList = new (std::nothrow) TList<TSecurity>(false, true);
	mFundList = new (std::nothrow) TList<TSecurity>(false, true);
	mIndexList = new (std::nothrow) TList<TSecurity>(false, true);
	mCurrencyList = new (std::nothrow) TList<TSecurity>(false, true);
	ThrowIfNil_(mStockList);
	ThrowIfNil_(mFundList);
	ThrowIfNil_(mIndexList);
	ThrowIfNil_(mCurrencyList);

	ConvertDialog();
	TCurrencyConversion::SetConversionList(mCurrencyList);
	mBrokerage = new (std::nothrow) TBrokerage();
	ThrowIfNil_(mBrokerage);

	mPrefsFolder = new (std::nothrow) TVyFile();
	if (mPrefsFolder == nullptr)
		throw kOutOfMemory;
	const bool folderFound = UPrefsFolder::Find(mPrefsFolder);

	TQuoterManager::InitQuoterManager();

	if (folderFound) {
		InitPrefsFile(prefsSettings, "Stock Plug-in Prefs", "Stock Plug-in Prefs.corrupt", 2,
		              FOUR_CHAR_CODE("PREF"), kCreator);
		InitPrefsFile(prefsStocks, "Stock Plug-in Stocks", "Stock Plug-in Stocks.corrupt", 4,
		              FOUR_CHAR_CODE("zvSF"), kCreator);
		InitPrefsFile(prefsFunds, "Stock Plug-in Funds", "Stock Plug-in Funds.corrupt", 6,
		              FOUR_CHAR_CODE("zvFF"), kCreator);
		InitPrefsFile(prefsIndexes, "Stock Plug-in Indexes", "Stock Plug-in Indexes.corrupt", 8,
		              FOUR_CHAR_CODE("zvIF"), kCreator);
		InitPrefsFile(prefsCurrencies, "Stock Plug-in Currencies", "Stock Plug-in Currencies.cor", 10,
		              FOUR_CHAR_CODE("zvCF"), kCreator);
	} else {
		// The user was told: the factory contents, and nothing written anywhere in this run.
		for (tPreferenceFileType kind :
		     {prefsSettings, prefsStocks, prefsFunds, prefsIndexes, prefsCurrencies}) {
			DefaultPreferences(kind);
			mLockedFiles.insert(kind);
		}
	}

	DefaultWindows();

	mContentTree = new (std::nothrow) TStockContentTree();
	if (mContentTree != nullptr) {
		mContentTree->SetList(securityStock, mStockList);
		mContentTree->SetList(securityFund, mFundList);
		mContentTree->SetList(securityIndex, mIndexList);
		mContentTree->SetList(securityCurrency, mCurrencyList);
		mContentTree->UpdateTree();
		TXContentMgr::SetPlugin(this);
		TQuoterManager::CheckQuoterPreferences();
		mBrokerage->SetMinutes(securityStock, mPrefs.stockMinutes);
		mBrokerage->SetList(securityStock, mStockList);
		mBrokerage->SetDetailUpdate(mPrefs.detailUpdate != 0);
		mBrokerage->SetMinutes(securityFund, mPrefs.fundMinutes);
		mBrokerage->SetList(securityFund, mFundList);
		mBrokerage->SetMinutes(securityIndex, mPrefs.indexMinutes);
		mBrokerage->SetList(securityIndex, mIndexList);
		mBrokerage->SetMinutes(securityCurrency, mPrefs.currencyMinutes);
		mBrokerage->SetList(securityCurrency, mCurrencyList);
	}

	bool threw = false;
	try {
		CheckListOnStartup(securityStock, mStockList, mPrefs.stocksOn != 0);
		CheckListOnStartup(securityFund, mFundList, mPrefs.fundsOn != 0);
		CheckListOnStartup(securityIndex, mIndexList, mPrefs.indexesOn != 0);
		CheckListOnStartup(securityCurrency, mCurrencyList, mPrefs.currenciesOn != 0);
		if (mPrefs.summary.openAtQuit != 0)
			OpenWindowCommand(5004, nullptr);
		if (mPrefs.stockQQOpenAtQuit != 0)
			OpenWindowCommand(5113, nullptr);
	} catch (...) {
		threw = true;
	}
	if (!threw && mPrefs.currencyQQOpenAtQuit != 0) {
		try {
			OpenWindowCommand(5143, nullptr);
		} catch (...) {
			threw = true;
		}
	}
	if (threw) {
		CatchMemory(kOutOfMemory);
		CloseAllDetailWindows();
	}
	RebuildAllMenus();
}

void TStockPlugin::NoteOpenWindows()
{
	const struct {
		tPluginWindow which;
		UInt8* openAtQuit;
	} noted[] = {{windowSummary, &mPrefs.summary.openAtQuit},
	             {windowStockQQ, &mPrefs.stockQQOpenAtQuit},
	             {windowCurrencyQQ, &mPrefs.currencyQQOpenAtQuit}};
	for (const auto& window : noted)
		// A window this build cannot open keeps the flag the user's last run left.
		if (GetWindowOpener(window.which) != nullptr)
			*window.openAtQuit = mWindows[window.which] != nullptr ? 1 : 0;
	for (TList<TSecurity>* list : {mStockList, mFundList, mIndexList, mCurrencyList})
		NoteDetailWindows(list);
}

void TStockPlugin::ShutDown()
{
	if (mShutDown)
		return;
	mShutDown = true;
	for (tPluginWindow which :
	     {windowSecurityPrefs, windowStockList, windowFundList, windowIndexList, windowCurrencyList}) {
		if (mWindows[which] != nullptr)
			mWindows[which]->Delete();
		mWindows[which] = nullptr;
	}
	NoteOpenWindows();
	CloseOtherWindows();
	// The settings dialogs close now, while the securities they edit are whole: deleting a security
	// with its dialog open would call back into the plug-in from its destructor.
	for (TList<TSecurity>* list : {mStockList, mFundList, mIndexList, mCurrencyList})
		ForEachSecurity(list, [](TSecurity* security) { security->CloseSelectDlog(); });
	TSecurity* const scratch[] = {mNewStock, mNewFund, mNewIndex, mNewCurrency};
	for (TSecurity* security : scratch)
		if (security != nullptr)
			security->CloseSelectDlog();
	CloseAllDetailWindows();
	if (mBrokerage != nullptr) {
		StopRepeating();
		mBrokerage->Stop();
		delete mBrokerage;
		mBrokerage = nullptr;
	}
	TQuoterManager::FinishQuoterManager();
	KeepOrDropFormerChanges();
}

TStockPlugin::~TStockPlugin()
{
	StopRepeating();
	tUnwrittenFiles unwritten;
	WriteAllFiles(&unwritten);
	ShowUnwrittenFiles(unwritten);
	if (mBrokerage != nullptr) {
		mBrokerage->Stop();
		delete mBrokerage;
	}
	delete mPrefsFile;
	delete mStocksFile;
	delete mFundsFile;
	delete mIndexesFile;
	delete mCurrenciesFile;
	delete mPrefsFolder;
	TCurrencyConversion::SetConversionList(nullptr);
	// The tree refers to the lists' securities: it goes first.
	delete mContentTree;
	delete mStockList;
	delete mFundList;
	delete mIndexList;
	delete mCurrencyList;
	delete mNewStock;
	delete mNewFund;
	delete mNewIndex;
	delete mNewCurrency;
	if (gPreferences == &mPrefs)
		gPreferences = nullptr;
	if (gStockPreferences == &mPrefs)
		gStockPreferences = nullptr;
	if (sStockPlugin == this)
		sStockPlugin = nullptr;
	if (TXContentMgr::GetPlugin() == this)
		TXContentMgr::SetPlugin(nullptr);
	DisposeStockStrings();
	UPrefsFolder::Forget();
}

IInterface* TStockPlugin::GetOtherInterface(unsigned long sig)
{
	if (sig == IContentTree::kSignature && IsActive())
		return mContentTree;
	return nullptr;
}

void TStockPlugin::SpendTime(const EventRecord&)
{
	if (mBrokerage != nullptr)
		mBrokerage->Run();
}

void TStockPlugin::CatchMemory(long code)
{
	if (code == kOutOfMemory)
		UKsDialogs::ErrorDialog(3);
	else
		CatchExceptionCode(code);
}

void TStockPlugin::CatchExceptionCode(long code)
{
	// For the developer only: the user sees nothing.
	const std::string text = "Exception caught in LApplication.\rError Code: " + std::to_string(code);
	Debugging::Signal(text.c_str(), __func__, __FILE__, __LINE__);
}

void TStockPlugin::CatchException(const LException& exception)
{
	if (exception.GetErrorCode() == kOutOfMemory)
		CatchMemory(kOutOfMemory);
	else
		CatchExceptionCode(long(exception.GetErrorCode()));
}

void TStockPlugin::BringAllWindowsToFront()
{
	ForEachSecurity(mStockList, [](TSecurity* security) {
		if (security->IsDetailWindowOpen())
			security->ShowDetailWindow();
	});
	for (tPluginWindow which : {windowSummary, windowStockQQ, windowCurrencyQQ})
		if (mWindows[which] != nullptr)
			mWindows[which]->Show();
}

Boolean TStockPlugin::AllowSubRemoval(LCommander* sub)
{
	int found = -1;
	for (int i = 0; i < kPluginWindowCount; ++i)
		if (sub != nullptr && mWindows[i] != nullptr && mWindows[i]->GetCommander() == sub) {
			found = i;
			mWindows[i] = nullptr;
			break;
		}
	const bool selectDlog = found < 0 && dynamic_cast<ISelectDlog*>(sub) != nullptr;
	if (sub != nullptr) {
		// Once shut down, the menus are not rebuilt: the lists may be going.
		if (!mShutDown && found != windowSummary && (found >= 0 || selectDlog))
			RebuildAllMenus();
		LCommander::SetUpdateCommandStatus(true);
	}
	return true;
}

TList<TSecurity>* TStockPlugin::GetList(tSecurityType kind) const
{
	switch (kind) {
	case securityStock:
		return mStockList;
	case securityFund:
		return mFundList;
	case securityIndex:
		return mIndexList;
	case securityCurrency:
		return mCurrencyList;
	default:
		return nullptr;
	}
}

// Lookups and additions

TStock* TStockPlugin::GetAStock(const char* symbol, tStockExchange exchange)
{
	return FindFirst<TStock>(mStockList, [&](TSecurity* security) {
		return static_cast<TStock*>(security)->Exchange() == exchange && SameSymbol(security, symbol);
	});
}

TFund* TStockPlugin::GetAFund(const char* symbol)
{
	return FindFirst<TFund>(mFundList, [&](TSecurity* security) { return SameSymbol(security, symbol); });
}

TIndex* TStockPlugin::GetAnIndex(const char* symbol)
{
	return FindFirst<TIndex>(mIndexList,
	                         [&](TSecurity* security) { return SameSymbol(security, symbol); });
}

TCurrency* TStockPlugin::GetACurrency(tCurrency from, tCurrency to)
{
	return FindFirst<TCurrency>(mCurrencyList, [&](TSecurity* security) {
		auto* pair = static_cast<TCurrency*>(security);
		return pair->CurrencyFrom() == from && pair->CurrencyTo() == to;
	});
}

TSecurity* TStockPlugin::GetASecurity(const tLedgerEntry* entry)
{
	if (entry == nullptr)
		return nullptr;
	char symbol[sizeof(entry->symbol) + 1] = {};
	strcpyn(symbol, entry->symbol, int(sizeof(entry->symbol)) - 1);
	switch (entry->type) {
	case 103:
	case 120:
	case 121:
		return GetAFund(symbol);
	case 100:
	case 101:
	case 102:
		return GetAStock(symbol, entry->exchange);
	default:
		return nullptr;
	}
}

TStock* TStockPlugin::AddAStock(const char* symbol, tStockExchange exchange, bool submit)
{
	auto* stock = new (std::nothrow) TStock();
	ThrowIfNil_(stock);
	UZVUtils::DefaultStock(stock, symbol, symbol, exchange);
	Adopt(securityStock, stock, submit);
	RebuildAllMenus();
	return stock;
}

TFund* TStockPlugin::AddAFund(const char* symbol, bool submit)
{
	auto* fund = new (std::nothrow) TFund();
	ThrowIfNil_(fund);
	UZVUtils::DefaultSecurity(fund, symbol, symbol, TQuoterManager::FundQuoter());
	Adopt(securityFund, fund, submit);
	RebuildAllMenus();
	return fund;
}

TCurrency* TStockPlugin::AddACurrency(tCurrency from, tCurrency to, bool submit)
{
	auto* pair = new (std::nothrow) TCurrency();
	ThrowIfNil_(pair);
	UZVUtils::DefaultCurrency(pair, from, to);
	pair->CurrencyFrom(from);
	pair->CurrencyTo(to);
	TCurrencyConversion::SetCurrencyTitles(pair);
	Adopt(securityCurrency, pair, submit);
	RebuildAllMenus();
	return pair;
}

void TStockPlugin::Adopt(tSecurityType kind, TSecurity* security, bool submit)
{
	TList<TSecurity>* list = GetList(kind);
	list->Append(security);
	WritePreferencesFiles(FileKindOf(kind));
	PrefsChanged(kind, list, true);
	if (submit)
		USecurityRequests::SubmitURL(security);
}

TStock* TStockPlugin::GetStock(const char* symbol, tStockExchange exchange)
{
	return sStockPlugin != nullptr ? sStockPlugin->GetAStock(symbol, exchange) : nullptr;
}

TStock* TStockPlugin::AddStock(const char* symbol, tStockExchange exchange)
{
	return sStockPlugin != nullptr ? sStockPlugin->AddAStock(symbol, exchange, true) : nullptr;
}

TFund* TStockPlugin::AddFund(const char* symbol)
{
	return sStockPlugin != nullptr ? sStockPlugin->AddAFund(symbol, true) : nullptr;
}

TCurrency* TStockPlugin::GetCurrency(tCurrency from, tCurrency to)
{
	return sStockPlugin != nullptr ? sStockPlugin->GetACurrency(from, to) : nullptr;
}

TCurrency* TStockPlugin::AddCurrency(tCurrency from, tCurrency to)
{
	return sStockPlugin != nullptr ? sStockPlugin->AddACurrency(from, to, true) : nullptr;
}

TSecurity* TStockPlugin::GetSecurity(const tLedgerEntry* entry)
{
	return sStockPlugin != nullptr ? sStockPlugin->GetASecurity(entry) : nullptr;
}

// String tables

void TStockPlugin::LoadStockStrings()
{
	DisposeStockStrings();
	try {
		for (int i = 0; i < kStockStringCount; ++i)
			gStockStrings[i] = sLoadedStrings[i] = UKsStrings::LoadStringP(5000, SInt16(i + 1));
		for (int i = 0; i < kStockCStringCount; ++i)
			gStockCStrings[i] = sLoadedCStrings[i] = UKsStrings::LoadStringC(5001, SInt16(i + 1));
	} catch (...) {
		// The entries not loaded stay as they were; GetStockString and GetStockCString answer a null
		// one as an empty text.
		std::printf("Caught Exception LoadStockStrings\n");
	}
}

void TStockPlugin::DisposeStockStrings()
{
	// Only what LoadStockStrings made: tests may fill the tables themselves.
	for (int i = 0; i < kStockStringCount; ++i) {
		if (sLoadedStrings[i] != nullptr && gStockStrings[i] == sLoadedStrings[i])
			gStockStrings[i] = nullptr;
		delete[] sLoadedStrings[i];
		sLoadedStrings[i] = nullptr;
	}
	for (int i = 0; i < kStockCStringCount; ++i) {
		if (sLoadedCStrings[i] != nullptr && gStockCStrings[i] == sLoadedCStrings[i])
			gStockCStrings[i] = nullptr;
		delete[] sLoadedCStrings[i];
		sLoadedCStrings[i] = nullptr;
	}
}
