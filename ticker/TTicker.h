#pragma once
// One ticker the user has defined: its name, id and settings, and while open its window with the scrolling
// engine. Also places ticker windows on the screen: anchored at an edge and stacked against the other open
// tickers, or free where the user left them.

#include "Includes/TList.h"
#include "Includes/tTickerPrefs.h"
#include "platform/framework/LCommander.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>
#include <functional>

class LWindow;
class TTickerWindow;
class TVyFile;
class TXContentMgr;
class TZvTicker;

struct tTickerPlacer {
	tTickerAnchor anchor = 0;
	TZvTicker* ticker = nullptr;
	SInt32 top = 0;
	SInt32 left = 0;
	SInt32 bottom = 0;
	SInt32 right = 0;
};

class TTicker : public LCommander
{
public:
	static constexpr std::size_t kStoredSize = 153;
	static constexpr std::size_t kNameSize = 40;

	enum : CommandT {
		cmd_Slower = 9250,
		cmd_Faster = 9251,
		cmd_Reverse = 9252,
		cmd_TickerPrefs = 9255,
		cmd_PrefsOK = 2000,
		cmd_PrefsCancel = 2001
	};

	// The settings window and the content manager are made by their own classes, which install these.
	struct tSettingsHooks {
		// The settings window for the ticker, shown; null when it could not be made.
		std::function<LWindow*(TTicker& ticker, bool isNew)> openSettings;
		// Puts the content manager's choices on the open ticker.
		std::function<void(TTicker& ticker)> applyContent;
		// Gives the (open, hidden) ticker its default content.
		std::function<void(TTicker& ticker)> populateDefaults;
		std::function<void(TXContentMgr* manager)> deleteContent;
	};
	static void InstallSettingsHooks(tSettingsHooks hooks);

	// The application's side: told when a ticker opened, so that the plug-in puts its ticklets on it. The
	// ticker's commands to the application (new ticker confirmed or cancelled, menus to rebuild, opening
	// failed) go to its super-commander.
	struct tApplicationHooks {
		std::function<void(TZvTicker* pane)> tickerOpened;
	};
	static void InstallApplicationHooks(tApplicationHooks hooks);

	// A new ticker with the defaults; its id is unique against the tickers that exist.
	TTicker();
	// Reads one stored record; see WasReadWhole.
	explicit TTicker(TVyFile* file);
	~TTicker() override;

	// Writes the stored record; the first write error, or 0.
	short Backup(TVyFile* file);
	// Whether the file constructor read a complete record.
	bool WasReadWhole() const { return mReadWhole; }
	// The settings of a ticker the user creates.
	static tTickerPrefs NewTickerPrefs();
	// Puts settings outside their ranges back to the defaults.
	void ValidatePrefs();

	void Open(bool show);
	void Close();
	void OpenPrefs();
	void NewPrefs();
	void PopulateDefaults();
	void PrefsChanged();

	TZvTicker* GetTickerPane() const { return mPane; }
	TTickerWindow* GetWindow() const { return mWindow; }
	bool HasMoved() const;
	void SetWindowPosition(int top, int left, int bottom, int right);
	void SavePosition();

	// The control-click menu at a global point.
	void Click(Point* where);
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	Boolean AllowSubRemoval(LCommander* inSub) override;

	const char* GetTitle() const { return mName; }
	void SetTitle(const char* name); // keeps at most 40 characters
	long GetReference() const { return mReference; }
	void SetReference(long reference) { mReference = reference; }
	bool IsWindowOpen() const { return mWindow != nullptr; }
	void SetAsMainTicker() { mID = 0; }
	UInt32 GetID() const { return mID; }
	void SetID(UInt32 id) { mID = id; }
	void TickerAnchor(tTickerAnchor anchor) { mPrefs.anchor = anchor; }
	void TickerSpeed(tTickerSpeed speed) { mPrefs.speed = speed; }
	void TickerDirection(tTickerDirection direction) { mPrefs.direction = direction; }
	void TickerBorder(tTickerBorder border) { mPrefs.border = border; }
	void TickerOpenOnQuit(bool open) { mOpenOnQuit = open ? 1 : 0; }
	bool WasTickerOpenOnQuit() const { return mOpenOnQuit == 1; }
	tTickerPrefs& GetPrefs() { return mPrefs; }
	const tTickerPrefs& GetPrefs() const { return mPrefs; }
	bool IsNew() const { return mIsNew != 0; }
	LWindow* GetSettingsWindow() const { return mSettingsWindow; }
	TXContentMgr* GetContentManager() const { return mContentManager; }
	void SetContentManager(TXContentMgr* manager) { mContentManager = manager; }

	// Ids in use besides the open tickers' (the plug-in's stored owner records); a new id avoids them
	// all.
	static void SetIdInUseCheck(std::function<bool(UInt32 id)> inUse);
	static UInt32 MakeUniqueID();

	// Placement against the open tickers, in global coordinates, on the main screen or the one given.
	static Rect MainScreenRect();
	static Rect AnchorRect(tTickerAnchor anchor, short height, const Rect& screen);
	static Rect FindTopMost(tTickerAnchor anchor, short height, const Rect& screen);
	static Rect FindBottomMost(tTickerAnchor anchor, short height, const Rect& screen);
	static TList<tTickerPlacer>& Placers();

private:
	void CheckTickerPosition(Rect& bounds) const;
	void RemovePlacer();
	void FailOpen();
	void WindowGone();
	void ShowSettings();
	void SendToApplication(CommandT command);

	tTickerPrefs mPrefs;
	TTickerWindow* mWindow = nullptr;
	LWindow* mSettingsWindow = nullptr;
	char mName[kNameSize + 1] = {};
	UInt8 mOpenOnQuit = 0;
	UInt8 mReopen = 0;
	UInt8 mIsNew = 0;
	long mReference = 0;
	UInt32 mID = 0;
	TZvTicker* mPane = nullptr;
	TXContentMgr* mContentManager = nullptr;
	bool mReadWhole = true;

	friend class TTickerWindow;
	friend class TPrefsWindow;
};
