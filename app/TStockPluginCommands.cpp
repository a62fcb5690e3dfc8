// The plug-in's commands (the 5000 range), their status and the per-kind menus.

#include "Internet/TBrokerage.h"
#include "Quoters/TQuoterManager.h"
#include "app/TStockContentTree.h"
#include "app/TStockPlugin.h"
#include "foundation/TVyFile.h"
#include "foundation/UMenus.h"
#include "foundation/VyStrings.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/USecurityRequests.h"
#include "model/UZVUtils.h"
#include "platform/framework/LCommander.h"
#include "platform/framework/LException.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LMenuBar.h"

#include <cstring>
#include <new>

namespace
{

constexpr UInt16 kCheckMark = 19;
constexpr long kLookCommand = long(FOUR_CHAR_CODE("Look"));

struct tKindMenu {
	tSecurityType kind;
	short menuID;
	long base;
};

// Stocks, funds, indexes, currencies: the order in which menus are installed and items are looked up.
constexpr tKindMenu kKindMenus[] = {
    {securityStock, TStockPlugin::kStockMenuID, TStockPlugin::kStockMenuBase},
    {securityFund, TStockPlugin::kFundMenuID, TStockPlugin::kFundMenuBase},
    {securityIndex, TStockPlugin::kIndexMenuID, TStockPlugin::kIndexMenuBase},
    {securityCurrency, TStockPlugin::kCurrencyMenuID, TStockPlugin::kCurrencyMenuBase}};

struct tWindowCommand {
	long command;
	tPluginWindow which;
	tSecurityType kind; // the list window's kind, else securityNone
	bool look;          // send the list window 'Look' as well
};

constexpr tWindowCommand kWindowCommands[] = {
    {5000, windowSecurityPrefs, securityNone, false}, {5004, windowSummary, securityNone, false},
    {5113, windowStockQQ, securityNone, false},       {5143, windowCurrencyQQ, securityNone, false},
    {5111, windowStockList, securityStock, false},    {5121, windowFundList, securityFund, false},
    {5131, windowIndexList, securityIndex, false},    {5141, windowCurrencyList, securityCurrency, false},
    {5115, windowStockList, securityStock, true},     {5125, windowFundList, securityFund, true},
    {5135, windowIndexList, securityIndex, true},
};

const tWindowCommand* FindWindowCommand(long command)
{
	for (const tWindowCommand& entry : kWindowCommands)
		if (entry.command == command)
			return &entry;
	return nullptr;
}

bool IsShown(TSecurity* security)
{
	return security->MenuEnabled() || security->SummaryEnabled();
}

bool IsMenuItemCommand(long command)
{
	for (const tKindMenu& entry : kKindMenus)
		if (command > entry.base && command <= entry.base + TStockPlugin::kMenuRange)
			return true;
	return false;
}

} // namespace

tPreferenceFileType TStockPlugin::FileKindOf(tSecurityType kind)
{
	switch (kind) {
	case securityStock:
		return prefsStocks;
	case securityFund:
		return prefsFunds;
	case securityIndex:
		return prefsIndexes;
	case securityCurrency:
		return prefsCurrencies;
	default:
		return prefsSettings;
	}
}

bool TStockPlugin::KindOn(tSecurityType kind) const
{
	switch (kind) {
	case securityStock:
		return mPrefs.stocksOn != 0;
	case securityFund:
		return mPrefs.fundsOn != 0;
	case securityIndex:
		return mPrefs.indexesOn != 0;
	case securityCurrency:
		return mPrefs.currenciesOn != 0;
	default:
		return false;
	}
}

Boolean TStockPlugin::ObeyCommand(long command, void* param)
{
	const bool closesDetailWindowsOnFailure = command == 5000 || command == 5004 || command == 5005 ||
	                                          command == 5012 || command == 5113 || command == 5143 ||
	                                          IsMenuItemCommand(command);
	try {
		switch (command) {
		case 5005:
			if (mWindows[windowSummary] != nullptr)
				mWindows[windowSummary]->AttemptClose();
			return true;
		case 5010:
			UpdateWindows(false);
			return true;
		case 5011:
			UpdateWindows(true);
			return true;
		case 5012:
			for (const tKindMenu& entry : kKindMenus)
				OpenDetailWindows(entry.kind, GetList(entry.kind));
			return true;
		case 5013:
			CloseAllDetailWindows();
			return true;
		case 5020:
			StartUpdating();
			return true;
		case 5051:
		case 5052:
		case 5053:
		case 5054: {
			const tSecurityType kind = tSecurityType(securityStock + (command - 5051));
			WritePreferencesFiles(FileKindOf(kind));
			PrefsChanged(kind, GetList(kind), true);
			return true;
		}
		case 5060:
		case 5061:
		case 5062:
		case 5063:
			WritePreferencesFiles(FileKindOf(tSecurityType(securityStock + (command - 5060))));
			return true;
		case 5070:
			ApplyPrefs(true);
			return true;
		case 5071:
			ApplyPrefs(false);
			return true;
		case 5072:
			RebuildAllMenus();
			return true;
		case 6666:
			return true;
		default:
			break;
		}
		if (FindWindowCommand(command) != nullptr)
			return OpenWindowCommand(command, param);
		if (EditWindowCommand(command, param))
			return true;
		for (const tKindMenu& entry : kKindMenus)
			if (OpenDetailWindow(entry.kind, GetList(entry.kind), command, entry.base))
				return true;
	} catch (...) {
		CatchMemory(kOutOfMemory);
		if (closesDetailWindowsOnFailure)
			CloseAllDetailWindows();
		return true;
	}
	return false;
}

void TStockPlugin::FindCommandStatus(long command, Boolean& enabled, Boolean& usesMark, UInt16& mark, Str255)
{
	enabled = false;
	auto available = [&](tPluginWindow which) {
		return mWindows[which] == nullptr && GetWindowOpener(which) != nullptr;
	};
	auto anyList = [&](auto test) {
		for (const tKindMenu& entry : kKindMenus)
			if (test(GetList(entry.kind)))
				return true;
		return false;
	};
	switch (command) {
	case 27:
	case 5000:
		enabled = available(windowSecurityPrefs);
		return;
	case 5004:
		enabled = available(windowSummary);
		return;
	case 5005:
		enabled = mWindows[windowSummary] != nullptr;
		return;
	case 5010:
		enabled = false;
		for (const tKindMenu& entry : kKindMenus)
			if (KindOn(entry.kind) && GetList(entry.kind) != nullptr &&
			    GetList(entry.kind)->Count() > 0)
				enabled = true;
		return;
	case 5011:
	case 5013:
		enabled = anyList([&](TList<TSecurity>* list) { return AnyWindowsOpen(list); });
		return;
	case 5012:
		enabled = anyList([&](TList<TSecurity>* list) { return AnyWindowsClosed(list); });
		return;
	case 5110:
	case 5111:
		enabled = available(windowStockList);
		return;
	case 5120:
	case 5121:
		enabled = available(windowFundList);
		return;
	case 5130:
	case 5131:
		enabled = available(windowIndexList);
		return;
	case 5140:
	case 5141:
		enabled = available(windowCurrencyList);
		return;
	case 5113:
		enabled = GetWindowOpener(windowStockQQ) != nullptr;
		return;
	case 5143:
		enabled = GetWindowOpener(windowCurrencyQQ) != nullptr;
		return;
	case 5112:
	case 5115:
	case 5122:
	case 5125:
	case 5132:
	case 5135:
	case 5142:
	case 6666:
		enabled = true;
		return;
	default:
		break;
	}
	for (const tKindMenu& entry : kKindMenus) {
		if (command > entry.base && command <= entry.base + kMenuRange) {
			FindListCommandStatus(GetList(entry.kind), command, entry.base, enabled, usesMark,
			                      mark);
			return;
		}
	}
}

void TStockPlugin::FindListCommandStatus(TList<TSecurity>* list, long command, long, Boolean& enabled,
                                         Boolean& usesMark, UInt16& mark)
{
	enabled = true;
	usesMark = true;
	mark = 0;
	if (list == nullptr)
		return;
	for (auto [found, end] = mMenuIndex.Find(list, command); found != end; ++found) {
		TSecurity* security = found->second;
		if (IsShown(security) && security->DetailWindowCommand() == command &&
		    security->IsDetailWindowOpen())
			mark = kCheckMark;
	}
}

Boolean TStockPlugin::OpenWindowCommand(long command, void*)
{
	const tWindowCommand* entry = FindWindowCommand(command);
	if (entry == nullptr)
		return false;
	IPluginWindow*& window = mWindows[entry->which];
	if (window != nullptr) {
		window->Select();
	} else {
		const WindowOpener& opener = GetWindowOpener(entry->which);
		if (opener == nullptr)
			return true; // that window does not exist in this build
		window = opener(mSuper);
		if (window == nullptr)
			throw LException(err_NilPointer);
		switch (entry->which) {
		case windowSecurityPrefs:
			window->SetPrefs(&mPrefs);
			window->Show();
			break;
		case windowSummary:
			for (const tKindMenu& kind : kKindMenus)
				window->SetList(kind.kind, GetList(kind.kind));
			window->SetParameters(&mPrefs.summary);
			window->Show();
			window->Select();
			window->Activate();
			break;
		case windowStockQQ:
		case windowCurrencyQQ:
			window->Show();
			break;
		default:
			window->SetList(entry->kind, GetList(entry->kind));
			window->Show();
			break;
		}
	}
	if (entry->look)
		window->ObeyCommand(kLookCommand);
	return true;
}

Boolean TStockPlugin::EditWindowCommand(long command, void*)
{
	switch (command) {
	case 5112:
		UZVUtils::DefaultStock(mNewStock, GetStockCString(5), GetStockCString(9), 101);
		mNewStock->ShowSelectDlog(mSuper, 0, true);
		return true;
	case 5122:
		UZVUtils::DefaultSecurity(mNewFund, GetStockCString(6), GetStockCString(9),
		                          TQuoterManager::FundQuoter());
		mNewFund->ShowSelectDlog(mSuper, 0, true);
		return true;
	case 5132:
		UZVUtils::DefaultSecurity(mNewIndex, GetStockCString(7), GetStockCString(9),
		                          TQuoterManager::IndexQuoter());
		mNewIndex->ShowSelectDlog(mSuper, 0, true);
		return true;
	case 5142:
		UZVUtils::DefaultSecurity(mNewCurrency, GetStockCString(8), GetStockCString(9),
		                          TQuoterManager::CurrencyQuoter());
		mNewCurrency->ShowSelectDlog(mSuper, 0, true);
		return true;
	case 5114:
		AddCopy<TStock>(securityStock, mNewStock);
		return true;
	case 5124:
		AddCopy<TFund>(securityFund, mNewFund);
		return true;
	case 5134:
		AddCopy<TIndex>(securityIndex, mNewIndex);
		return true;
	case 5144:
		AddCopy<TCurrency>(securityCurrency, mNewCurrency);
		return true;
	default:
		return false;
	}
}

template <typename T> void TStockPlugin::AddCopy(tSecurityType kind, T* scratch)
{
	T* security = new (std::nothrow) T();
	ThrowIfNil_(security);
	*security = *scratch;
	// The copy leaves out the output file the dialog set: the new security takes it over, so that the
	// next new security starts without it.
	security->OutputFileEnabled(scratch->OutputFileEnabled());
	scratch->OutputFileEnabled(false);
	const char* text = scratch->FileText();
	security->FileText(text, text != nullptr ? long(std::strlen(text)) : 0);
	scratch->FileText(nullptr, 0);
	if (TVyFile* file = scratch->OutputFile()) {
		security->OutputFile(new TVyFile(file));
		scratch->OutputFile(nullptr);
	}
	// The menus follow when the dialog goes.
	Adopt(kind, security, true);
}

void TStockPlugin::StartUpdating()
{
	// Start-up is over: what it made of the lists is what the user's changes are judged against.
	NoteFormerContents();
	if (mBrokerage == nullptr)
		return;
	mBrokerage->StartUpdating();
	StartRepeating();
	if (mPrefs.stocksOn != 0 && mPrefs.stockMinutes == -1)
		mBrokerage->CheckStocks(true);
	if (mPrefs.fundsOn != 0 && mPrefs.fundMinutes == -1)
		mBrokerage->CheckFunds(true);
	if (mPrefs.indexesOn != 0 && mPrefs.indexMinutes == -1)
		mBrokerage->CheckIndexes(true);
	if (mPrefs.currenciesOn != 0 && mPrefs.currencyMinutes == -1)
		mBrokerage->CheckCurrencies(true);
	if (mPrefs.stockMinutes != 0 && mWindows[windowStockQQ] != nullptr)
		mWindows[windowStockQQ]->UpdateMe();
	if (mPrefs.currencyMinutes != 0 && mWindows[windowCurrencyQQ] != nullptr)
		mWindows[windowCurrencyQQ]->UpdateMe();
	if (mWindows[windowCurrencyQQ] != nullptr)
		mWindows[windowCurrencyQQ]->Select();
	if (mWindows[windowStockQQ] != nullptr)
		mWindows[windowStockQQ]->Select();
}

void TStockPlugin::ApplyPrefs(bool save)
{
	// Applying without saving takes the sources and intervals too: only the file waits.
	if (save)
		WritePreferencesFiles(prefsSettings);
	TQuoterManager::CheckQuoterPreferences();
	for (const tKindMenu& entry : kKindMenus)
		PrefsChanged(entry.kind, GetList(entry.kind), KindOn(entry.kind));
	if (mBrokerage != nullptr) {
		mBrokerage->SetMinutes(securityStock, mPrefs.stockMinutes);
		mBrokerage->SetMinutes(securityFund, mPrefs.fundMinutes);
		mBrokerage->SetMinutes(securityIndex, mPrefs.indexMinutes);
		mBrokerage->SetMinutes(securityCurrency, mPrefs.currencyMinutes);
		mBrokerage->SetDetailUpdate(mPrefs.detailUpdate != 0);
	}
	if (mWindows[windowSummary] != nullptr)
		mWindows[windowSummary]->RedoParameters(&mPrefs.summary);
	if (mWindows[windowStockQQ] != nullptr)
		mWindows[windowStockQQ]->Update();
	if (mWindows[windowCurrencyQQ] != nullptr)
		mWindows[windowCurrencyQQ]->Update();
}

void TStockPlugin::PrefsChanged(tSecurityType kind, TList<TSecurity>* list, bool kindOn)
{
	ForEachSecurity(list, [&](TSecurity* security) {
		UZVUtils::UpdateSecurity(security, &mPrefs.losingAlert, &mPrefs.gainingAlert, &mPrefs.idling);
		security->UpdateDetailWindow();
		if (!security->MenuEnabled() || !kindOn) {
			security->DetailWindowCommand(0);
			security->CloseDetailWindow(true);
		}
	});
	if (mWindows[windowSummary] != nullptr)
		mWindows[windowSummary]->SetList(kind, list);
	if (mContentTree != nullptr)
		mContentTree->UpdateTree();
}

void TStockPlugin::UpdateWindows(bool onlyOpen)
{
	for (const tKindMenu& entry : kKindMenus)
		UpdateWindowsInList(entry.kind, GetList(entry.kind), onlyOpen);
	if (mWindows[windowCurrencyQQ] != nullptr)
		mWindows[windowCurrencyQQ]->UpdateMe();
	if (mWindows[windowStockQQ] != nullptr)
		mWindows[windowStockQQ]->UpdateMe();
}

void TStockPlugin::UpdateWindowsInList(tSecurityType, TList<TSecurity>* list, bool onlyOpen)
{
	ForEachSecurity(list, [&](TSecurity* security) {
		if (!onlyOpen || security->IsDetailWindowOpen())
			security->UpdateMe();
	});
}

bool TStockPlugin::OpenDetailWindow(tSecurityType, TList<TSecurity>* list, long command, long base)
{
	if (list == nullptr || command <= base || command > base + list->Count())
		return false;
	for (tListNode<TSecurity>* node = list->GetEntryHead(); node != nullptr; node = node->mNext) {
		TSecurity* security = node->mItem;
		if (IsShown(security) && security->DetailWindowCommand() == command) {
			security->ShowDetailWindow();
			return true;
		}
	}
	return false;
}

void TStockPlugin::OpenDetailWindows(tSecurityType, TList<TSecurity>* list)
{
	ForEachSecurity(list, [](TSecurity* security) {
		if (IsShown(security))
			security->ShowDetailWindow();
	});
}

void TStockPlugin::NoteDetailWindows(TList<TSecurity>* list)
{
	ForEachSecurity(list, [](TSecurity* security) {
		if (IsShown(security))
			security->DetailWindowOpenOnQuit(security->IsDetailWindowOpen());
	});
}

void TStockPlugin::CloseDetailWindows(tSecurityType, TList<TSecurity>* list)
{
	NoteDetailWindows(list);
	ForEachSecurity(list, [](TSecurity* security) {
		if (IsShown(security) && security->IsDetailWindowOpen())
			security->CloseDetailWindow(true);
	});
}

void TStockPlugin::CloseAllDetailWindows()
{
	for (const tKindMenu& entry : kKindMenus)
		CloseDetailWindows(entry.kind, GetList(entry.kind));
}

void TStockPlugin::CloseOtherWindows()
{
	for (tPluginWindow which : {windowSummary, windowStockQQ, windowCurrencyQQ}) {
		if (mWindows[which] != nullptr)
			mWindows[which]->Delete();
		mWindows[which] = nullptr;
	}
}

bool TStockPlugin::AnyWindowsOpen(TList<TSecurity>* list)
{
	bool any = false;
	ForEachSecurity(list, [&](TSecurity* security) {
		any = any || (IsShown(security) && security->IsDetailWindowOpen());
	});
	return any;
}

bool TStockPlugin::AnyWindowsClosed(TList<TSecurity>* list)
{
	bool any = false;
	ForEachSecurity(list, [&](TSecurity* security) {
		any = any || (IsShown(security) && !security->IsDetailWindowOpen());
	});
	return any;
}

void TStockPlugin::RebuildAllMenus()
{
	LMenuBar* bar = LMenuBar::GetCurrentMenuBar();
	if (bar == nullptr)
		return;
	for (const tKindMenu& entry : kKindMenus) {
		if (LMenu* old = bar->FetchMenu(entry.menuID)) {
			bar->RemoveMenu(old);
			delete old;
		}
	}
	for (const tKindMenu& entry : kKindMenus)
		if (KindOn(entry.kind))
			bar->InstallMenu(RebuildMenu(entry.kind, entry.menuID, entry.base), kMenuBeforeID);
}

LMenu* TStockPlugin::RebuildMenu(tSecurityType kind, short menuID, long base)
{
	auto* menu = new LMenu(menuID);
	TList<TSecurity>* list = GetList(kind);
	if (list != nullptr && list->Count() > 0)
		menu->AppendCommand(reinterpret_cast<const unsigned char*>("\001-"), -1);
	long k = base;
	ForEachSecurity(list, [&](TSecurity* security) {
		security->DetailWindowCommand(0);
		if (!security->MenuEnabled() || security->SecurityName()[0] == 0 || k >= base + kMenuRange)
			return;
		Str255 text;
		const size_t length = std::min<size_t>(std::strlen(security->SecurityName()), 255);
		text[0] = UInt8(length);
		std::memcpy(text + 1, security->SecurityName(), length);
		UMenus::FixupMenuItem(text);
		++k;
		menu->AppendCommand(text, k);
		security->DetailWindowCommand(k);
	});
	mMenuIndex.Forget(list);
	return menu;
}
