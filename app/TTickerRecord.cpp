#include "app/TTickerRecord.h"

#include "foundation/TVyFile.h"
#include "foundation/UIntelConversion.h"
#include "platform/toolbox/TickCount.h"

#include <array>
#include <cstring>

TTickerRecord::tWindowHooks TTickerRecord::sHooks;

void TTickerRecord::InstallWindowHooks(tWindowHooks hooks)
{
	sHooks = std::move(hooks);
}

TTickerRecord::TTickerRecord() : mID(TickCount())
{
	mPrefs.left = 100;
	mPrefs.top = 100;
	mPrefs.height = 24;
	mPrefs.width = 240;
	mPrefs.foreground = TKsRGBColor(65535, 65535, 65535, 0);
	mPrefs.font.FontName("Geneva");
	mPrefs.font.FontSize(14);
	mPrefs.anchor = kTickerAnchorTopFull;
	mPrefs.speed = kTickerSpeedNew;
	mPrefs.direction = kTickerRightToLeft;
	mPrefs.border = kTickerBorderDefault;
	SetTitle("New Ticker");
}

TTickerRecord::TTickerRecord(TVyFile* file)
{
	auto read = [&](void* buffer, unsigned long size) {
		if (!mReadWhole)
			return false;
		unsigned long count = size;
		mReadWhole = file->Read(buffer, &count) == 0 && count == size;
		return mReadWhole;
	};
	UInt32 id = 0;
	if (read(&id, sizeof(id)))
		mID = UIntelConversion::ConvertUnsignedInt32(id);
	char name[kNameSize];
	if (read(name, kNameSize))
		std::memcpy(mName, name, kNameSize);
	UInt8 open = 0;
	if (read(&open, 1))
		mOpenOnQuit = open;
	std::array<unsigned char, tTickerPrefs::kStoredSize> stored{};
	if (read(stored.data(), stored.size()))
		UIntelConversion::ConvertTickerPrefs(stored, &mPrefs, true);
}

short TTickerRecord::Backup(TVyFile* file) const
{
	const UInt32 id = UIntelConversion::ConvertUnsignedInt32(mID);
	std::array<unsigned char, tTickerPrefs::kStoredSize> stored{};
	tTickerPrefs prefs = mPrefs;
	UIntelConversion::ConvertTickerPrefs(stored, &prefs, false);
	if (short err = file->Write(&id, sizeof(id)))
		return err;
	if (short err = file->Write(mName, kNameSize))
		return err;
	if (short err = file->Write(&mOpenOnQuit, 1))
		return err;
	return file->Write(stored.data(), stored.size());
}

void TTickerRecord::SetTitle(const char* name)
{
	std::memset(mName, 0, sizeof(mName));
	if (name)
		std::strncpy(mName, name, kNameSize);
}

void TTickerRecord::Open(bool show)
{
	if (sHooks.open)
		sHooks.open(this, show);
}

void TTickerRecord::Close()
{
	if (sHooks.close)
		sHooks.close(this);
}

bool TTickerRecord::IsWindowOpen() const
{
	return sHooks.isOpen && sHooks.isOpen(this);
}

void TTickerRecord::OpenPrefs()
{
	if (sHooks.openPrefs)
		sHooks.openPrefs(this);
}

void TTickerRecord::NewPrefs()
{
	if (sHooks.newPrefs)
		sHooks.newPrefs(this);
}

void TTickerRecord::PopulateDefaults()
{
	if (sHooks.populateDefaults)
		sHooks.populateDefaults(this);
}

ITicker* TTickerRecord::GetTickerPane() const
{
	return sHooks.pane ? sHooks.pane(this) : nullptr;
}
