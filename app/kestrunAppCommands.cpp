// The application's commands, the ticker submenus, ticker look-ups and documents.

#include "Includes/ITicker.h"
#include "Includes/TList.h"
#include "app/AppGlobals.h"
#include "app/TAboutWindow.h"
#include "app/TCheckVersionWindow.h"
#include "app/TStockPlugin.h"
#include "app/TVersionWindow.h"
#include "app/kestrunApp.h"
#include "foundation/UMenus.h"
#include "platform/framework/LException.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LMenuBar.h"
#include "platform/framework/LWindow.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/LaunchURL.h"
#include "ticker/TTicker.h"
#include "ticker/TZvTicker.h"
#include "toolkit/KsAlerts.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace
{

constexpr std::size_t kNewTickerNameSize = 101;
constexpr unsigned char kEllipsis = 0xC9;

bool InRange(CommandT inCommand, CommandT inBase)
{
	return inCommand >= inBase && inCommand < inBase + kMaxTickers;
}

} // namespace

template <class W> W* kestrunApp::ShowWindow(W*& ioWindow, ResIDT inLayout)
{
	if (!ioWindow) {
		ioWindow = dynamic_cast<W*>(LWindow::CreateWindow(inLayout, this));
		ThrowIfNil_(ioWindow);
	}
	ioWindow->Show();
	ioWindow->Select();
	return ioWindow;
}

Boolean kestrunApp::ObeyCommand(CommandT inCommand, void* ioParam)
{
	if (InRange(inCommand, kCmdOpenTicker)) {
		WindowCommand(1, int(inCommand - kCmdOpenTicker));
		return true;
	}
	if (InRange(inCommand, kCmdCloseTicker)) {
		WindowCommand(2, int(inCommand - kCmdCloseTicker));
		return true;
	}
	if (InRange(inCommand, kCmdDeleteTicker)) {
		WindowCommand(3, int(inCommand - kCmdDeleteTicker));
		return true;
	}
	if (InRange(inCommand, kCmdTickerSettings)) {
		WindowCommand(4, int(inCommand - kCmdTickerSettings));
		return true;
	}
	if (inCommand >= kCmdWebPage && inCommand < kCmdWebPage + kWebPageCount) {
		LaunchURL(GetAppCString(kHomePageString + int(inCommand - kCmdWebPage)));
		return true;
	}
	switch (inCommand) {
	case kCmdNewVersion:
		ShowWindow(mVersionWindow, kVersionWindowLayout);
		return true;
	case kCmdCheckVersion:
		ShowWindow(mCheckVersionWindow, kCheckVersionWindowLayout);
		return true;
	case kCmdAbout:
	case cmd_About:
		ShowWindow(mAboutWindow, kAboutWindowLayout);
		return true;
	case kCmdNewTicker:
		NewTicker();
		return true;
	case kCmdNewTickerConfirmed:
		if (mNewTicker) {
			mTickerList->Append(mNewTicker);
			mNewTicker = nullptr;
		}
		RebuildTickerMenus();
		return true;
	case kCmdNewTickerCancelled:
		SignalIfNot_(mNewTicker);
		return true;
	case kCmdOpenMainTicker:
		mMainTicker->Open(true);
		return true;
	case kCmdCloseMainTicker:
		mMainTicker->Close();
		return true;
	case kCmdMainTickerSettings:
		mMainTicker->OpenPrefs();
		return true;
	case kCmdOpenAllTickers:
		for (TTicker* ticker = mTickerList->GetFirst(); ticker; ticker = mTickerList->GetNext())
			ticker->Open(true);
		return true;
	case kCmdCloseAllTickers:
		for (TTicker* ticker = mTickerList->GetFirst(); ticker; ticker = mTickerList->GetNext())
			ticker->Close();
		return true;
	case kCmdTickerWindowGone:
		RebuildTickerMenus();
		return true;
	default:
		if (mStockPlugin && mStockPlugin->ObeyCommand(inCommand, ioParam))
			return true;
		return LDocApplication::ObeyCommand(inCommand, ioParam);
	}
}

void kestrunApp::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                   UInt16& outMark, Str255 outName)
{
	if (InRange(inCommand, kCmdOpenTicker)) {
		TTicker* ticker = FindTickerByReference(int(inCommand - kCmdOpenTicker));
		outEnabled = !ticker || !ticker->IsWindowOpen();
		return;
	}
	if (InRange(inCommand, kCmdCloseTicker)) {
		outEnabled = WindowCommandStatus(int(inCommand - kCmdCloseTicker));
		return;
	}
	if (InRange(inCommand, kCmdDeleteTicker) || InRange(inCommand, kCmdTickerSettings) ||
	    (inCommand >= kCmdWebPage && inCommand < kCmdWebPage + kWebPageCount)) {
		outEnabled = true;
		return;
	}
	switch (inCommand) {
	case kCmdCheckVersion:
		outEnabled = mCheckVersionWindow == nullptr;
		return;
	case kCmdAbout:
	case cmd_About:
		outEnabled = mAboutWindow == nullptr;
		return;
	case 1040:
	case 1041:
	case 1051:
	case 1052:
	case 1053:
	case 1054:
	case kCmdNewTickerCancelled:
	case kCmdMainTickerSettings:
		outEnabled = true;
		return;
	case kCmdNewTicker:
		outEnabled = mTickerList->Count() < kMaxTickers;
		return;
	case kCmdOpenMainTicker:
		outEnabled = !mMainTicker->IsWindowOpen();
		return;
	case kCmdCloseMainTicker:
		outEnabled = mMainTicker->IsWindowOpen();
		return;
	default:
		if (mStockPlugin)
			mStockPlugin->FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
		if (!outEnabled)
			LDocApplication::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark,
			                                   outName);
	}
}

TTicker* kestrunApp::FindTickerByReference(int inReference) const
{
	for (tListNode<TTicker>* node = mTickerList->GetEntryHead(); node; node = node->mNext)
		if (node->mItem->GetTitle()[0] != 0 && node->mItem->GetReference() == inReference)
			return node->mItem;
	return nullptr;
}

void kestrunApp::WindowCommand(int inAction, int inReference)
{
	TTicker* ticker = FindTickerByReference(inReference);
	if (!ticker)
		return;
	switch (inAction) {
	case 1:
		ticker->Open(true);
		break;
	case 2:
		ticker->Close();
		break;
	case 3: {
		const UInt32 id = ticker->GetID();
		ticker->Close();
		mTickerList->Remove(ticker);
		// The securities forget it: a later ticker may be given its id.
		if (mStockPlugin)
			mStockPlugin->TickerDeleteNotify(id);
		RebuildTickerMenus();
		break;
	}
	case 4:
		ticker->OpenPrefs();
		break;
	default:
		SignalIf_(true);
	}
}

bool kestrunApp::WindowCommandStatus(int inReference)
{
	TTicker* ticker = FindTickerByReference(inReference);
	return ticker && ticker->IsWindowOpen();
}

void kestrunApp::NewTicker()
{
	if (!EnoughMemory()) {
		KsError(kMsgOutOfMemory);
		return;
	}
	try {
		SetDefaultCommander(this);
		if (!mNewTicker)
			mNewTicker = new TTicker();
		char name[kNewTickerNameSize];
		std::snprintf(name, sizeof(name), "%s", GetAppCString(kNewTickerNameString));
		for (int n = 2; GetTickerByName(name); ++n)
			std::snprintf(name, sizeof(name), "%s%d", GetAppCString(kNewTickerPrefixString), n);
		mNewTicker->SetTitle(name);
		mNewTicker->NewPrefs();
	} catch (...) {
		KsError(kMsgOutOfMemory);
	}
}

void kestrunApp::RebuildTickerMenus()
{
	LMenuBar* bar = LMenuBar::GetCurrentMenuBar();
	const ResIDT ids[] = {kTickerOpenMenu, kTickerCloseMenu, kTickerDeleteMenu, kTickerSettingsMenu};
	std::unique_ptr<LMenu> menus[4];
	for (int i = 0; i < 4; ++i) {
		if (bar)
			if (LMenu* old = bar->FetchMenu(ids[i])) {
				bar->RemoveMenu(old);
				delete old;
			}
		menus[i] = std::make_unique<LMenu>(ids[i]);
	}
	auto& [open, close, remove, settings] = menus;

	Str255 text;
	PascalStrings::FromString(GetAppCString(kMainTickerNameString), text);
	open->AppendCommand(text, kCmdOpenMainTicker);
	close->AppendCommand(text, kCmdCloseMainTicker);
	settings->AppendCommand(text, kCmdMainTickerSettings);
	if (mTickerList->Count() > 0) {
		const unsigned char separator[] = {1, '-'};
		open->AppendCommand(separator, cmd_Nothing);
		close->AppendCommand(separator, cmd_Nothing);
		settings->AppendCommand(separator, cmd_Nothing);
	}
	int k = 0;
	for (tListNode<TTicker>* node = mTickerList->GetEntryHead(); node; node = node->mNext) {
		TTicker* ticker = node->mItem;
		if (ticker->GetTitle()[0] == 0)
			continue;
		PascalStrings::FromString(ticker->GetTitle(), text);
		UMenus::FixupMenuItem(text);
		open->AppendCommand(text, kCmdOpenTicker + k);
		close->AppendCommand(text, kCmdCloseTicker + k);
		remove->AppendCommand(text, kCmdDeleteTicker + k);
		if (text[0] < 255)
			text[++text[0]] = kEllipsis;
		settings->AppendCommand(text, kCmdTickerSettings + k);
		ticker->SetReference(k);
		++k;
	}
	for (auto& menu : menus)
		if (bar)
			bar->InstallMenu(menu.release(), hierMenu);
}

void kestrunApp::InsertMenu(ResIDT inMenuID)
{
	LMenuBar* bar = LMenuBar::GetCurrentMenuBar();
	if (bar && !bar->FetchMenu(inMenuID))
		bar->InstallMenu(new LMenu(inMenuID), InstallMenu_AtEnd);
}

ITicker* kestrunApp::GetTickerByID(unsigned long inID)
{
	if (inID == 0)
		return mMainTicker ? mMainTicker->GetTickerPane() : nullptr;
	for (tListNode<TTicker>* node = mTickerList->GetEntryHead(); node; node = node->mNext)
		if (ITicker* pane = node->mItem->GetTickerPane(); pane && pane->GetID() == inID)
			return pane;
	return nullptr;
}

ITicker* kestrunApp::GetTickerByName(const char* inName)
{
	for (tListNode<TTicker>* node = mTickerList->GetEntryHead(); node; node = node->mNext)
		if (ITicker* pane = node->mItem->GetTickerPane();
		    pane && std::strcmp(pane->GetName(), inName) == 0)
			return pane;
	return nullptr;
}

long kestrunApp::UserSelectTicker(unsigned long, void*)
{
	return 0;
}

bool kestrunApp::EnoughMemory()
{
	std::unique_ptr<char[]> block(new (std::nothrow) char[131072]);
	return block != nullptr;
}

kestrunApp::tDocumentHandlers kestrunApp::sDocumentHandlers;

void kestrunApp::OpenDocument(FSSpec* inFileSpec)
{
	if (sDocumentHandlers.open != nullptr && inFileSpec != nullptr)
		sDocumentHandlers.open(this, inFileSpec);
}

void kestrunApp::PrintDocument(FSSpec* inFileSpec)
{
	if (sDocumentHandlers.print != nullptr && inFileSpec != nullptr)
		sDocumentHandlers.print(this, inFileSpec);
}

LModelObject* kestrunApp::MakeNewDocument()
{
	return sDocumentHandlers.makeNew != nullptr ? sDocumentHandlers.makeNew(this) : nullptr;
}

void kestrunApp::ChooseDocument()
{
	std::vector<FSSpec> specs;
	if (AskChooseDocuments(kDocumentType, kOpenDialogFlags, specs))
		SendAEOpenDocList(specs);
}
