#pragma once
// The application object: brings the libraries up, reads and writes the application settings file with
// its tickers, owns the securities plug-in, answers the application's commands (the 1000 range) and its
// Apple events, and tears everything down in a fixed order.

#include "Includes/AppleEvents.h"
#include "Includes/tKestrunPrefs.h"
#include "app/kestrunAppPrefs.h"
#include "platform/framework/LDocApplication.h"

#include <memory>
#include <string>
#include <vector>

class CScrollWheelHandler;
class LMenuBar;
class ITicker;
class TAboutWindow;
class TCheckVersionWindow;
class TStockPlugin;
class TTicker;
class TVersionWindow;
class TVyBufferFile;
class TVyFile;
template <class T> class TList;

// Application messages (string list 128).
enum : SInt16 {
	kMsgNoThreads = 1,
	kMsgOutOfMemory = 3,
	kMsgPrefsOldVersion = 4,
	kMsgPrefsCorrupt = 5,
	kMsgPrefsFolderUnusable = 10,
	// Settings files a writing could not write: the heading, and the two kinds of file it names.
	kMsgFilesNotWritten = 12,
	kMsgFilesNotMade = 13,
	kMsgFilesLeftAsTheyWere = 14,
	// ^1 is the file's name.
	kMsgPrefsOldNotSetAside = 15,
	kMsgPrefsDamagedNotSetAside = 16,
	kMsgAlreadyRunning = 17,
};

// Commands of the 1000 range.
enum : CommandT {
	kCmdNewVersion = 1010,
	kCmdCheckVersion = 1011,
	kCmdAbout = 1020,
	kCmdNewTicker = 1050,
	kCmdNewTickerConfirmed = 1055,
	kCmdNewTickerCancelled = 1056,
	kCmdOpenMainTicker = 1060,
	kCmdCloseMainTicker = 1061,
	kCmdMainTickerSettings = 1062,
	kCmdOpenAllTickers = 1065,
	kCmdCloseAllTickers = 1066,
	kCmdTickerWindowGone = 1070,
	kCmdOpenTicker = 1200,
	kCmdCloseTicker = 1300,
	kCmdDeleteTicker = 1400,
	kCmdTickerSettings = 1500,
	kCmdWebPage = 1520,
	kCmdSecurityPreferences = 5000,
	kCmdSummaryWindow = 5004,
	kCmdStartUpdating = 5020,
};

enum : ResIDT {
	kMenuBarID = 128,
	kTickerOpenMenu = 151,
	kTickerCloseMenu = 152,
	kTickerDeleteMenu = 153,
	kTickerSettingsMenu = 154,
	kAboutWindowLayout = 1004,
	kVersionWindowLayout = 1012,
	kCheckVersionWindowLayout = 1013,
};

constexpr int kMaxTickers = 15;
constexpr int kWebPageCount = 7;

class kestrunApp : public LDocApplication
{
public:
	// The portfolio documents: the window library installs them at start-up; without them documents
	// are neither opened nor made.
	struct tDocumentHandlers {
		// Opens the file, or brings its open document forward; files of other types are ignored.
		void (*open)(LCommander* inSuper, FSSpec* inSpec) = nullptr;
		void (*print)(LCommander* inSuper, FSSpec* inSpec) = nullptr;
		LModelObject* (*makeNew)(LCommander* inSuper) = nullptr;
	};
	static void SetDocumentHandlers(const tDocumentHandlers& inHandlers)
	{
		sDocumentHandlers = inHandlers;
	}
	static constexpr OSType kDocumentType = FOUR_CHAR_CODE("zvFL");
	static constexpr UInt32 kOpenDialogFlags = 0x08E4;

	kestrunApp();
	~kestrunApp() override;

	Boolean AllowSubRemoval(LCommander* inSub) override;
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;
	Boolean AttemptQuitSelf(SInt32 inSaveOption) override;
	virtual void HandleAppleEvent(const AppleEvent& inEvent, AppleEvent& outReply, AEDesc& outResult,
	                              long inNumber);
	void OpenDocument(FSSpec* inFileSpec) override;
	void PrintDocument(FSSpec* inFileSpec) override;
	LModelObject* MakeNewDocument() override;
	void ChooseDocument() override;

	virtual long UserSelectTicker(unsigned long inID, void* ioParam);
	virtual ITicker* GetTickerByName(const char* inName);
	virtual ITicker* GetTickerByID(unsigned long inID);
	virtual void TickerOpenNotify(ITicker* inTicker);

	// An event as the scripting transport delivers it: its number from the event table, then
	// HandleAppleEvent.
	void DispatchAppleEvent(FourCharCode inClass, FourCharCode inID, const AppleEvent& inEvent,
	                        AppleEvent& outReply);

	// The settings file.
	void InitPrefsFile(const char* inName, const char* inOldName, const char* inCorruptName,
	                   int inOldVersionMessage, int inCorruptMessage, unsigned long inFileType,
	                   unsigned long inCreator);
	bool ReadPreferencesFiles(unsigned long* outTag);
	// False when nothing was written; a file that could not be written is added to ioUnwritten.
	bool WritePreferencesFiles(bool inWritingDefaults, tUnwrittenFiles* ioUnwritten);
	void DefaultPreferences();

	void RebuildTickerMenus();
	void WindowCommand(int inAction, int inReference);
	bool WindowCommandStatus(int inReference);
	// The menu of that id from the current menu bar, installed at its end (before Help) when missing.
	void InsertMenu(ResIDT inMenuID);

	TTicker* GetMainTicker() const { return mMainTicker.get(); }
	TStockPlugin* GetStockPlugin() const { return mStockPlugin; }
	TVersionWindow* GetVersionWindow() const { return mVersionWindow; }
	TCheckVersionWindow* GetCheckVersionWindow() const { return mCheckVersionWindow; }
	TAboutWindow* GetAboutWindow() const { return mAboutWindow; }

	static bool EnoughMemory();
	// The pane and window classes that the program's layouts name.
	static void RegisterClasses();

	// Files named on the command line: opened through the open-documents event once the program is up.
	void SetLaunchDocuments(std::vector<std::string> inPaths) { mLaunchDocuments = std::move(inPaths); }

protected:
	void Initialize() override;
	void StartUp() override;
	void DoPreferences() override;

private:
	void NewTicker();
	TTicker* FindTickerByReference(int inReference) const;
	// Replaces the settings file with the settings now held, first written whole beside it, the file
	// then copied whole to inAsideName (an older file of that name gives way first); false when any
	// step fails, the file then left as it was under its name.
	bool SetAside(const char* inAsideName);
	// Writes the file whole beside it, then (inKeepFormerAs given) copies the file that stands there
	// to that free name, and only then puts the new one in its place; 0 or the error, which leaves
	// what stood there.
	short WriteSettingsFile(bool inWritingDefaults, const char* inKeepFormerAs);
	void ApplyMainTickerDefaults();
	// The main ticker for 0, else the further ticker with that id, or null.
	TTicker* FindTickerByID(UInt32 inID) const;
	void ReadTickers(unsigned long inCount);
	// Answers the open- or print-documents event; the files are opened after the answer has gone.
	void OpenDocumentsEvent(const AppleEvent& inEvent, AppleEvent& outReply, bool inPrint);
	template <class W> W* ShowWindow(W*& ioWindow, ResIDT inLayout);
	// With no standard window or ticker shown and no system tray to hold the menus, the user could not
	// reach the program: the summary window, which carries the menu bar, opens.
	void KeepReachable();

	TAboutWindow* mAboutWindow = nullptr;
	TVersionWindow* mVersionWindow = nullptr;
	TCheckVersionWindow* mCheckVersionWindow = nullptr;
	tKestrunPrefs mPrefs;
	std::unique_ptr<TVyFile> mPrefsFolder;
	std::unique_ptr<TVyBufferFile> mPrefsFile;
	std::unique_ptr<TTicker> mMainTicker;
	TList<TTicker>* mTickerList = nullptr;
	TTicker* mNewTicker = nullptr;
	TStockPlugin* mStockPlugin = nullptr;
	std::unique_ptr<CScrollWheelHandler> mScrollWheelHandler;
	// False when a settings file that could not be set aside still stands: it is not written over.
	bool mPrefsWritable = true;
	std::vector<std::string> mLaunchDocuments;
	// Set by the start-up until the check that the program can be reached is done or handed to the
	// documents given at launch, which open after the event's answer.
	bool mReachCheckPending = false;
	// Held weakly by work left for after an event's answer, which does nothing once the program is gone.
	std::shared_ptr<bool> mAlive = std::make_shared<bool>(true);
	std::unique_ptr<LMenuBar> mMenuBar;
	static tDocumentHandlers sDocumentHandlers;
};
