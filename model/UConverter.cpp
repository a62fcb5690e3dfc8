#include "model/UConverter.h"

#include "foundation/TVyBufferFile.h"
#include "foundation/TVyFileUtils.h"
#include "foundation/UIntelConversion.h"
#include "foundation/VyStrings.h"
#include "model/TByteReader.h"
#include "model/TSecurity.h"
#include "model/UConversion.h"
#include "model/UPortfolioFile.h"
#include "model/USecurityFile.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace
{

constexpr const char* kOldFolderName = "Kestrun \xC4"; // Mac Roman florin
constexpr const char* kNewFolderName = "Vantorel Prefs \xC4";
constexpr OSType kCreator = FOUR_CHAR_CODE("zVRN");
constexpr int kFileCount = 5;

// The five files in the order of the results.
struct tFileKind {
	tPreferenceFileType kind;
	const char* oldName;
	const char* newName;
	OSType type;
};
constexpr tFileKind kFiles[kFileCount] = {
    {prefsSettings, "Kestrun Prefs", "Stock Plug-in Prefs", FOUR_CHAR_CODE("PREF")},
    {prefsStocks, "Kestrun Stocks", "Stock Plug-in Stocks", FOUR_CHAR_CODE("zvSF")},
    {prefsFunds, "Kestrun Funds", "Stock Plug-in Funds", FOUR_CHAR_CODE("zvFF")},
    {prefsIndexes, "Kestrun Indexes", "Stock Plug-in Indexes", FOUR_CHAR_CODE("zvIF")},
    {prefsCurrencies, "Stock Plug-in Currencies", "Stock Plug-in Currencies", FOUR_CHAR_CODE("zvCF")},
};

struct tConverterState {
	std::unique_ptr<TVyFile> oldFolder;
	std::unique_ptr<TVyFile> newFolder;
	std::unique_ptr<TVyBufferFile> oldFiles[kFileCount];
	std::unique_ptr<TVyBufferFile> newFiles[kFileCount];
	bool inPlace = false;
};
tConverterState sState;

bool SetUpFiles(TVyFile* oldFolder, bool inPlace)
{
	for (int i = 0; i < kFileCount; ++i) {
		sState.oldFiles[i] = std::make_unique<TVyBufferFile>(oldFolder);
		sState.oldFiles[i]->SetFileName(inPlace ? kFiles[i].newName : kFiles[i].oldName);
		sState.newFiles[i] = std::make_unique<TVyBufferFile>(sState.newFolder.get());
		sState.newFiles[i]->SetFileName(kFiles[i].newName);
	}
	sState.inPlace = inPlace;
	return true;
}

// A new file appears only whole, and a file that stands is replaced only by a whole one.
short WriteNew(int i)
{
	TVyBufferFile* file = sState.newFiles[i].get();
	file->RemoveStaleCopies();
	file->SetReplaceSafely(true);
	file->SetReplacementType(kFiles[i].type, kCreator);
	return UConversion::WritePreferencesFiles(kFiles[i].kind, file);
}

// The new file is written whole beside the old one, the old one is then copied to a free ".old" name, and
// only then does the new file take the name, in one step: a failure at any step leaves the old file as it
// was. written: the object through which write opens the file.
short ReplaceKeepingOld(TVyFile* written, const std::function<short()>& write)
{
	char aside[UConverter::kMaxFileName + 1];
	UConverter::FreeOldName(written, aside);
	written->SetKeepFormerAs(aside);
	const short err = write();
	written->SetKeepFormerAs(nullptr);
	return err;
}

short ReplaceInPlace(int i)
{
	return ReplaceKeepingOld(sState.newFiles[i].get(), [i] { return WriteNew(i); });
}

tOldPrefsConversion ConvertOne(int i, short* lastError)
{
	const tPreferenceFileType kind = kFiles[i].kind;
	TVyBufferFile* old = sState.oldFiles[i].get();
	if (!old->Exists())
		return oldPrefsNotPresent;
	UInt32 tag = 0;
	const bool read = UConversion::ReadPreferencesFiles(kind, old, &tag);
	if (read && UConversion::CanConvert(kind, tag)) {
		const short err = sState.inPlace ? ReplaceInPlace(i) : WriteNew(i);
		if (err != 0)
			*lastError = err;
		return err == 0 ? oldPrefsConverted : oldPrefsNotWritten;
	}
	// In place, a file that is already current has nothing to convert.
	if (read && sState.inPlace && tag == UConversion::kCurrentTag)
		return oldPrefsNotPresent;
	return oldPrefsUnsupported;
}

short ReadPortfolio2_0(TVyFile* file, tPortfolioParameters* parameters, TList<tCategory>* categories,
                       TList<tLedgerEntry>* ledger)
{
	std::vector<unsigned char> bytes;
	if (short err = UConversion::ReadWholeFile(file, &bytes); err != 0)
		return err;
	TByteReader reader(bytes);
	UInt32 tag = 0;
	if (!reader.ReadU32(&tag))
		return kVyFileEOF;
	if (tag != UConversion::kTag2_0)
		return kPortfolioWrongTag;
	const auto old = reader.Take(UConversion::kPortfolioParameters2_0Size);
	UInt32 count = 0;
	if (!reader.ReadU32(&count) || count > reader.Remaining() / tCategory::kStoredSize)
		return kPortfolioDamaged;
	for (UInt32 i = 0; i < count; ++i) {
		std::array<unsigned char, tCategory::kStoredSize> stored{};
		reader.Read(stored.data(), stored.size());
		tCategory category;
		UIntelConversion::ConvertCategory(stored, &category, true);
		categories->Append(&category);
	}
	if (!reader.ReadU32(&count) || count > reader.Remaining() / UConversion::kLedgerEntry2_0Size)
		return kPortfolioDamaged;
	for (UInt32 i = 0; i < count; ++i) {
		tLedgerEntry entry;
		UConversion::TranslateLedgerEntry(reader.Take(UConversion::kLedgerEntry2_0Size), &entry);
		ledger->Append(&entry);
	}
	UConversion::TranslatePortfolioParameters(old, parameters);
	return 0;
}

} // namespace

bool UConverter::ShouldConvert()
{
	Finish();
	TVyFile preferences;
	if (preferences.ChangeDir(kDirPreferences) != 0)
		return false;

	auto oldFolder = std::make_unique<TVyFile>(&preferences);
	if (oldFolder->ChangeDir(kOldFolderName) == 0 &&
	    TVyFile(oldFolder.get(), kFiles[0].oldName).Exists()) {
		auto newFolder = std::make_unique<TVyFile>(&preferences);
		newFolder->CreateDir(kNewFolderName);
		if (newFolder->ChangeDir(kNewFolderName) != 0)
			return false;
		if (!TVyFile(newFolder.get(), kFiles[0].newName).Exists()) {
			sState.oldFolder = std::move(oldFolder);
			sState.newFolder = std::move(newFolder);
			return SetUpFiles(sState.oldFolder.get(), false);
		}
	}

	auto folder = std::make_unique<TVyFile>(&preferences);
	if (folder->ChangeDir(kNewFolderName) != 0)
		return false;
	// Any file may be left to convert: one that could not be written, or the others of a list that was
	// written anew after the user declined.
	for (const tFileKind& kind : kFiles) {
		UInt32 tag = 0;
		TVyFile file(folder.get(), kind.newName);
		if (UPortfolioFile::ReadTag(&file, &tag) == 0 && tag == UConversion::kTag2_0) {
			sState.newFolder = std::move(folder);
			return SetUpFiles(sState.newFolder.get(), true);
		}
	}
	return false;
}

void UConverter::Start()
{
	UConversion::CreateLists();
}

void UConverter::Finish()
{
	for (int i = 0; i < kFileCount; ++i) {
		sState.oldFiles[i].reset();
		sState.newFiles[i].reset();
	}
	sState.oldFolder.reset();
	sState.newFolder.reset();
	sState.inPlace = false;
	UConversion::DeleteLists();
}

short UConverter::ConvertPrefs(tOldPrefsConversion& settings, tOldPrefsConversion& stocks,
                               tOldPrefsConversion& funds, tOldPrefsConversion& indexes,
                               tOldPrefsConversion& currencies)
{
	tOldPrefsConversion* results[kFileCount] = {&settings, &stocks, &funds, &indexes, &currencies};
	for (tOldPrefsConversion* result : results)
		*result = oldPrefsNotPresent;
	if (sState.newFolder == nullptr)
		return 0;
	UConversion::CreateLists();
	// The securities take their defaults from the settings, converted or not.
	UConversion::DefaultPrefs(UConversion::GetPrefs());
	short lastError = 0;
	for (int i = 0; i < kFileCount; ++i)
		*results[i] = ConvertOne(i, &lastError);

	// A former product without currency pairs starts with none rather than the factory pairs.
	if (currencies != oldPrefsConverted && !sState.inPlace && !sState.newFiles[4]->Exists()) {
		UConversion::GetList(prefsCurrencies)->Clear();
		if (short err = WriteNew(4); err != 0)
			lastError = err;
	}
	return lastError;
}

bool UConverter::ShouldConvertPortfolio(TVyFile* file)
{
	UInt32 tag = 0;
	return UPortfolioFile::ReadTag(file, &tag) != 0 || tag != UPortfolioFile::kTag;
}

short UConverter::ConvertPortfolio(TVyFile* file)
{
	if (file == nullptr)
		return kVyFileBadParam;
	tPortfolioParameters parameters;
	TList<tCategory> categories(true, true);
	TList<tLedgerEntry> ledger(true, true);
	if (short err = ReadPortfolio2_0(file, &parameters, &categories, &ledger); err != 0)
		return err;

	file->RemoveStaleCopies();
	return ReplaceKeepingOld(
	    file, [&] { return UPortfolioFile::SavePortfolio(file, &parameters, &categories, &ledger); });
}

void UConverter::FreeOldName(TVyFile* file, char* name)
{
	char base[kMaxFileName + 1];
	file->GetFileName(base);
	// A folder that cannot be read answers every name as taken: the last name is then given, and the
	// rename to it fails.
	for (int n = 1; n <= 999; ++n) {
		char suffix[16];
		if (n == 1)
			std::snprintf(suffix, sizeof(suffix), ".old");
		else
			std::snprintf(suffix, sizeof(suffix), " %d.old", n);
		const std::size_t room = kMaxFileName - std::strlen(suffix);
		std::snprintf(name, kMaxFileName + 1, "%.*s%s", int(room), base, suffix);
		if (file->KeptNameIsFree(name))
			return;
	}
}
