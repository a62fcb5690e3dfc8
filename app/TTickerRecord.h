#pragma once
// One ticker of the application settings file, kept as data until tickers have windows: its id, name,
// open-on-quit flag and settings, read and written in the stored ticker record (153 bytes, big-endian).
// Opening, closing and the settings window go through the window hooks, which the ticker windows
// install; without them a ticker never opens.

#include "Includes/tTickerPrefs.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>
#include <functional>

class ITicker;
class TVyFile;

class TTickerRecord
{
public:
	static constexpr std::size_t kStoredSize = 153;
	static constexpr std::size_t kNameSize = 40;

	struct tWindowHooks {
		std::function<void(TTickerRecord*, bool show)> open;
		std::function<void(TTickerRecord*)> close;
		std::function<bool(const TTickerRecord*)> isOpen;
		std::function<void(TTickerRecord*)> openPrefs;
		std::function<void(TTickerRecord*)> newPrefs;
		std::function<void(TTickerRecord*)> populateDefaults;
		std::function<ITicker*(const TTickerRecord*)> pane;
	};
	static void InstallWindowHooks(tWindowHooks hooks);

	// A new ticker: the defaults of a ticker the user creates, with the tick count as its id.
	TTickerRecord();
	// Reads one stored record; a record cut short keeps the new-record values in the fields not read.
	explicit TTickerRecord(TVyFile* file);

	// Writes the stored record; the first write error, or 0.
	short Backup(TVyFile* file) const;
	// Whether the file constructor read the whole record.
	bool WasReadWhole() const { return mReadWhole; }

	UInt32 GetID() const { return mID; }
	void SetID(UInt32 id) { mID = id; }
	void SetAsMainTicker() { mID = 0; }
	const char* GetTitle() const { return mName; }
	void SetTitle(const char* name); // at most 40 characters
	long GetReference() const { return mReference; }
	void SetReference(long reference) { mReference = reference; }
	void TickerOpenOnQuit(bool open) { mOpenOnQuit = open ? 1 : 0; }
	bool WasTickerOpenOnQuit() const { return mOpenOnQuit == 1; }
	void TickerAnchor(UInt8 anchor) { mPrefs.anchor = anchor; }
	void TickerSpeed(UInt8 speed) { mPrefs.speed = speed; }
	void TickerDirection(UInt8 direction) { mPrefs.direction = direction; }
	void TickerBorder(UInt8 border) { mPrefs.border = border; }
	const tTickerPrefs& GetPrefs() const { return mPrefs; }

	void Open(bool show);
	void Close();
	bool IsWindowOpen() const;
	void OpenPrefs();
	void NewPrefs();
	void PopulateDefaults();
	// The open window's scrolling engine, else null.
	ITicker* GetTickerPane() const;

private:
	tTickerPrefs mPrefs;
	// The stored name bytes as read, so that a rewrite reproduces them; always terminated.
	char mName[kNameSize + 1] = {};
	UInt8 mOpenOnQuit = 0;
	long mReference = 0;
	UInt32 mID = 0;
	bool mReadWhole = true;

	static tWindowHooks sHooks;
};
