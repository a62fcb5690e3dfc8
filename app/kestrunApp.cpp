#include "app/kestrunApp.h"

#include "Includes/ITicker.h"
#include "Includes/TList.h"
#include "Internet/TURLSecurity.h"
#include "Internet/UApplicationNotices.h"
#include "app/AppGlobals.h"
#include "app/TAboutWindow.h"
#include "app/TCheckVersionWindow.h"
#include "app/TStockPlugin.h"
#include "app/TVersionWindow.h"
#include "app/UAppleEventTable.h"
#include "app/UPrefsFolder.h"
#include "foundation/TVyBufferFile.h"
#include "model/StockGlobals.h"
#include "model/UConverter.h"
#include "model/UPortfolioFile.h"
#include "platform/framework/LMenuBar.h"
#include "platform/framework/LPicture.h"
#include "platform/framework/LPlaceHolder.h"
#include "platform/framework/LView.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UControlRegistry.h"
#include "platform/framework/URegistrar.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/StModalLoop.h"
#include "ticker/TFloaterTickerWindow.h"
#include "ticker/TPrefsWindow.h"
#include "ticker/TTicker.h"
#include "ticker/TTickerWindow.h"
#include "ticker/TZvTicker.h"
#include "toolkit/CScrollWheelHandler.h"
#include "toolkit/RegisterToolkitClasses.h"

#include <filesystem>
#include <new>
#include <string>
#include <utility>

namespace
{

constexpr const char* kPrefsFileName = "Vantorel Prefs";
constexpr const char* kPrefsOldName = "Vantorel Prefs.old";
constexpr const char* kPrefsCorruptName = "Vantorel Prefs.corrupt";
constexpr long kCurrentVersionNumber = 28300;
constexpr short kAEEventNotHandled = -1708;

// The former product's files: offered for conversion at start-up, portfolios converted when opened.
void InstallConverter(bool install)
{
	UPortfolioFile::SetConverter(install ? &UConverter::ConvertPortfolio : nullptr);
	if (!install) {
		TStockPlugin::SetConverter({});
		return;
	}
	TStockPlugin::SetConverter({&UConverter::ShouldConvert, &UConverter::Start,
	                            [](UInt8 results[5]) {
		                            UConverter::ConvertPrefs(results[0], results[1], results[2],
		                                                     results[3], results[4]);
	                            },
	                            &UConverter::Finish});
}

} // namespace

kestrunApp::kestrunApp()
{
	gApplication = this;
	gCommander = this;

	RegisterClasses();

	gAppPreferences = &mPrefs;
	SetSleepTime(1);
	mMenuBar = std::make_unique<LMenuBar>(kMenuBarID);

	mTickerList = new (std::nothrow) TList<TTicker>(false, true);
	if (!mTickerList)
		throw 1000;
	gTickers = mTickerList;
	mNewTicker = nullptr;
	SetTickerLookup([this](unsigned long id) { return GetTickerByID(id); });
	auto tickerExists = [this](unsigned long id) {
		return FindTickerByID(UInt32(id)) != nullptr || (mNewTicker && mNewTicker->GetID() == id);
	};
	SetTickerExistsCheck(tickerExists);
	TPrefsWindow::SetTickerByName([this](const char* name) { return GetTickerByName(name); });
	TTicker::InstallApplicationHooks({[this](TZvTicker* pane) { TickerOpenNotify(pane); }});
	// A new ticker's id is new to the tickers and to what the securities recorded for earlier ones.
	TTicker::SetIdInUseCheck([this, tickerExists](UInt32 id) {
		return tickerExists(id) || (mStockPlugin && mStockPlugin->UsesTickerID(id));
	});

	// An open check window shows the answer as it comes.
	auto showCheck = [this] {
		if (mCheckVersionWindow)
			mCheckVersionWindow->RedoContent();
	};
	UApplicationNotices::Install({
	    nullptr,
	    [showCheck](const char* text, long number) {
		    TVersionWindow::NewVersion(text, number);
		    showCheck();
	    },
	    [showCheck](const char* message) {
		    TVersionWindow::VersionMessage(message);
		    showCheck();
	    },
	    [](const char* address) { TVersionWindow::UpgradePage(address); },
	    [] {
		    if (gApplication)
			    gApplication->ObeyCommand(kCmdNewVersion, nullptr);
	    },
	    [showCheck] {
		    TVersionWindow::VersionCheckFailed();
		    showCheck();
	    },
	});
	TURLSecurity::Initialize();
	InstallConverter(true);

	mPrefsFolder = std::make_unique<TVyFile>();
	if (UPrefsFolder::Find(mPrefsFolder.get())) {
		InitPrefsFile(kPrefsFileName, kPrefsOldName, kPrefsCorruptName, kMsgPrefsOldVersion,
		              kMsgPrefsCorrupt, FOUR_CHAR_CODE("PREF"), FOUR_CHAR_CODE("zVRN"));
	} else {
		// The user was told; this session's settings go nowhere.
		mPrefsWritable = false;
		DefaultPreferences();
	}

	mAboutWindow = nullptr;
	mVersionWindow = nullptr;
	mCheckVersionWindow = nullptr;
}

void kestrunApp::RegisterClasses()
{
	RegisterClass_(LPane);
	RegisterClass_(LPlaceHolder);
	RegisterClass_(LPicture);
	RegisterClass_(LWindow);
	RegisterClass_(LView);
	UControlRegistry::RegisterClasses();
	RegisterToolkitClasses();
	RegisterClass_(TAboutWindow);
	RegisterClass_(TVersionWindow);
	RegisterClass_(TCheckVersionWindow);
	TPrefsWindow::RegisterClasses();
	RegisterClass_(TTickerWindow);
	RegisterClass_(TFloaterTickerWindow);
}

kestrunApp::~kestrunApp()
{
	// The plug-in goes before the tickers: its files record what the tickers show.
	if (mStockPlugin) {
		mStockPlugin->ShutDown();
		delete mStockPlugin;
		mStockPlugin = nullptr;
	}
	mMainTicker.reset();
	delete mNewTicker;
	mNewTicker = nullptr;
	mTickerList->Clear();
	delete mTickerList;
	mTickerList = nullptr;
	mPrefsFolder.reset();
	mPrefsFile.reset();
	TURLSecurity::Terminate();
	InstallConverter(false);
	UPrefsFolder::Forget();
	UApplicationNotices::Install({});
	SetTickerLookup(nullptr);
	SetTickerExistsCheck(nullptr);
	TPrefsWindow::SetTickerByName(nullptr);
	TTicker::InstallApplicationHooks({});
	TTicker::SetIdInUseCheck(nullptr);
	gApplication = nullptr;
	gCommander = nullptr;
	gTickers = nullptr;
	gPreferences = nullptr;
	gAppPreferences = nullptr;
	mScrollWheelHandler.reset();
}

void kestrunApp::Initialize()
{
	mStockPlugin = new TStockPlugin(this);
	mStockPlugin->Initialize();

	TPrefsWindow::InstallSettingsHooks();
	RebuildTickerMenus();
	if (gInittingTicker == 1)
		mMainTicker->PopulateDefaults();
	if (mMainTicker->WasTickerOpenOnQuit())
		mMainTicker->Open(true);
	for (TTicker* ticker = mTickerList->GetFirst(); ticker; ticker = mTickerList->GetNext())
		if (ticker->WasTickerOpenOnQuit())
			ticker->Open(true);
	// The files made at this start were written before anything opened: they are written again as the
	// quit writes them, so that a start after a crash opens what this one opened, and one message names
	// those that still cannot be written. A quit asked during a start-up message writes them itself.
	if ((gInittingTicker == 1 || mStockPlugin->FilesCreated()) && !StModalLoop::IsQuitPending()) {
		tUnwrittenFiles unwritten;
		WritePreferencesFiles(false, &unwritten);
		mStockPlugin->RecordOpenWindows(&unwritten);
		ShowUnwrittenFiles(unwritten);
	}

	mScrollWheelHandler = std::make_unique<CScrollWheelHandler>(false, 1);
	mStockPlugin->ObeyCommand(kCmdStartUpdating, nullptr);

	TVersionWindow::NewVersion("<unknown>", 0);
	TVersionWindow::CurrentVersion("2.8.3", kCurrentVersionNumber);
	TURLSecurity::SubmitVersionCheck();
}

void kestrunApp::StartUp()
{
	mReachCheckPending = true;
	if (!mLaunchDocuments.empty()) {
		// Names given relative to the folder the program was started in.
		std::vector<std::string> paths;
		for (const std::string& name : mLaunchDocuments) {
			std::error_code error;
			const std::filesystem::path path = std::filesystem::absolute(name, error);
			paths.push_back(error ? name : path.string());
		}
		AppleEvent event, reply;
		event.descriptorType = typeAppleEvent;
		UAppleEventService::PutTextList(event, keyDirectObject, paths);
		DispatchAppleEvent(kCoreEventClass, kAEOpenDocuments, event, reply);
	}
	if (std::exchange(mReachCheckPending, false))
		KeepReachable();
}

void kestrunApp::KeepReachable()
{
	if (!mStockPlugin || GetState() == programState_Quitting || StModalLoop::IsQuitPending())
		return;
	bool reachable = mMainTicker->IsWindowOpen() || LWindow::FetchTopRegular() != nullptr ||
	                 LMenuBar::ReachableWithoutWindows();
	for (TTicker* ticker = mTickerList->GetFirst(); ticker && !reachable; ticker = mTickerList->GetNext())
		reachable = ticker->IsWindowOpen();
	if (!reachable)
		mStockPlugin->ObeyCommand(kCmdSummaryWindow, nullptr);
}

void kestrunApp::DoPreferences()
{
	if (mStockPlugin)
		mStockPlugin->ObeyCommand(kCmdSecurityPreferences, nullptr);
}

void kestrunApp::TickerOpenNotify(ITicker* inTicker)
{
	SignalIfNot_(inTicker);
	if (mStockPlugin && inTicker)
		mStockPlugin->TickerOpenNotify(inTicker->GetID());
}

Boolean kestrunApp::AttemptQuitSelf(SInt32)
{
	delete mAboutWindow;
	delete mVersionWindow;
	delete mCheckVersionWindow;
	mAboutWindow = nullptr;
	mVersionWindow = nullptr;
	mCheckVersionWindow = nullptr;
	tUnwrittenFiles unwritten;
	WritePreferencesFiles(false, &unwritten);
	// The quit is settled: the plug-in notes which of its windows are open and closes them while
	// everything they show is whole, then writes its files. The framework then closes the rest without
	// telling their owners.
	if (mStockPlugin) {
		mStockPlugin->ShutDown();
		mStockPlugin->WriteAllFiles(&unwritten);
	}
	// A full disk fails every file: one message names them all.
	ShowUnwrittenFiles(unwritten);
	return true;
}

Boolean kestrunApp::AllowSubRemoval(LCommander* inSub)
{
	if (inSub && inSub == static_cast<LCommander*>(mAboutWindow))
		mAboutWindow = nullptr;
	else if (inSub && inSub == static_cast<LCommander*>(mCheckVersionWindow))
		mCheckVersionWindow = nullptr;
	else if (inSub && inSub == static_cast<LCommander*>(mVersionWindow))
		mVersionWindow = nullptr;
	else if (mStockPlugin)
		mStockPlugin->AllowSubRemoval(inSub);
	if (inSub)
		SetUpdateCommandStatus(true);
	return true;
}

void kestrunApp::DispatchAppleEvent(FourCharCode inClass, FourCharCode inID, const AppleEvent& inEvent,
                                    AppleEvent& outReply)
{
	AEDesc result;
	HandleAppleEvent(inEvent, outReply, result, UAppleEventTable::NumberOf(inClass, inID));
}

void kestrunApp::HandleAppleEvent(const AppleEvent& inEvent, AppleEvent& outReply, AEDesc& outResult,
                                  long inNumber)
{
	if (mStockPlugin) {
		mStockPlugin->HandleAppleEvent(inEvent, outReply, outResult, inNumber);
		if (mStockPlugin->GetAEResult())
			return;
	}
	switch (inNumber) {
	case ae_OpenApp:
		return;
	case ae_OpenDoc:
	case ae_PrintDoc:
		OpenDocumentsEvent(inEvent, outReply, inNumber == ae_PrintDoc);
		return;
	case ae_Quit: {
		// Unsaved portfolios ask the user first: the script has its answer before that.
		std::weak_ptr<bool> alive = mAlive;
		UAppleEventService::AfterReply([this, alive] {
			if (!alive.expired())
				RequestQuit();
		});
		return;
	}
	default:
		break;
	}
	TStockPlugin::AEError(outReply, kAEEventNotHandled, "The event is not one that Vantorel handles.");
}
