#include "toolkit/USound.h"

#include "foundation/VyStrings.h"
#include "platform/framework/LException.h"
#include "platform/toolbox/gui/SoundFiles.h"
#include "toolkit/LSound.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

TList<USound::tSoundEntry>* USound::sSoundList = nullptr;
UInt8 USound::sInited = 0;

namespace
{
// Dot-files are hidden files, as on every desktop; everything else the media player decodes is listed.
bool IsSoundFile(const std::filesystem::directory_entry& inEntry)
{
	std::error_code error;
	if (!inEntry.is_regular_file(error))
		return false;
	const std::string name = inEntry.path().filename().string();
	return !name.empty() && name[0] != '.' && IsSoundFileName(name);
}

// The folder's sound files, sorted by their names on disk (bytewise, so the order is the same everywhere).
std::vector<std::filesystem::path> SoundFiles(const std::string& inFolder)
{
	std::vector<std::filesystem::path> files;
	std::error_code error;
	if (inFolder.empty())
		return files;
	for (const auto& entry : std::filesystem::directory_iterator(inFolder, error))
		if (IsSoundFile(entry))
			files.push_back(entry.path());
	std::sort(files.begin(), files.end(),
	          [](const auto& a, const auto& b) { return a.filename().string() < b.filename().string(); });
	return files;
}
} // namespace

void USound::InitSounds()
{
	if (sInited)
		return;
	sSoundList = new (std::nothrow) TList<tSoundEntry>(true, true);
	ThrowIfNil_(sSoundList);
	SInt32 number = 0;
	for (const std::filesystem::path& path : SoundFiles(GetSoundFolderPath())) {
		tSoundEntry entry;
		entry.number = ++number;
		const std::string macName = MacNameFromDisk(path.filename().string());
		strcpyn(entry.name, macName.c_str(), kMaxNameLength);
		// The cut comes first, so a long name may lose its extension to it and then a part of its
		// own.
		if (char* dot = std::strrchr(entry.name, '.'))
			*dot = 0;
		entry.file = 1;
		// A file that cannot be addressed keeps its number (the others must not move) and plays
		// nothing.
		FSPathMakeFSSpec(path.string(), &entry.fileSpec);
		sSoundList->Append(&entry);
	}
	sInited = 1;
}

TList<USound::tSoundEntry>* USound::GetSoundList()
{
	InitSounds();
	return sSoundList;
}

SInt16 USound::PopulateMenu(MenuRef inMenu)
{
	InitSounds();
	SignalIfNot_(inMenu != nullptr);
	if (!inMenu)
		return 0;
	SInt16 added = 0;
	for (tSoundEntry* entry = sSoundList->GetFirst(); entry; entry = sSoundList->GetNext()) {
		Str255 text;
		pstrcpycn(text, entry->name, 255);
		inMenu->AppendCommand(text, cmd_Nothing);
		++added;
	}
	return added;
}

void USound::PlaySound(SInt32 inSoundNumber)
{
	InitSounds();
	for (tSoundEntry* entry = sSoundList->GetFirst(); entry; entry = sSoundList->GetNext()) {
		if (entry->number != inSoundNumber || !entry->file)
			continue;
		auto* sound = new LSound(&entry->fileSpec);
		if (sound->GetLastError() != noErr)
			delete sound;
	}
}

void USound::DisposeSounds()
{
	delete sSoundList;
	sSoundList = nullptr;
	sInited = 0;
}
