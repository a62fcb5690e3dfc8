// The plug-in's settings file and its four security files.

#include "app/TStockPlugin.h"
#include "foundation/TVyBufferFile.h"
#include "foundation/TVyFileUtils.h"
#include "foundation/UIntelConversion.h"
#include "model/TSecurity.h"
#include "model/UConversion.h"
#include "model/UConverter.h"
#include "model/USecurityFile.h"
#include "toolkit/UKsDialogs.h"

#include <memory>
#include <new>

namespace
{

constexpr UInt32 kTag = FOUR_CHAR_CODE("zv22");
// Plug-in messages: a file could not be written; a damaged file could not be set aside.
constexpr short kWriteFailedMessage = 5;
constexpr short kSetAsideFailedMessage = 21;
// The question whether to keep the changes to what a file of a former version holds.
short KeepChangesQuestion(tPreferenceFileType kind)
{
	switch (kind) {
	case prefsStocks:
		return 23;
	case prefsFunds:
		return 24;
	case prefsIndexes:
		return 25;
	case prefsCurrencies:
		return 26;
	default:
		return 27; // the settings
	}
}

bool IsFormerTag(unsigned long tag)
{
	return tag == UConversion::kTag1_0 || tag == UConversion::kTag1_1 || tag == UConversion::kTag1_5 ||
	       tag == UConversion::kTag1_6 || tag == UConversion::kTag2_0;
}

tSecurityType SecurityKind(tPreferenceFileType kind)
{
	switch (kind) {
	case prefsStocks:
		return securityStock;
	case prefsFunds:
		return securityFund;
	case prefsIndexes:
		return securityIndex;
	case prefsCurrencies:
		return securityCurrency;
	default:
		return securityNone;
	}
}

short ReadU32(TVyFile* file, UInt32* value)
{
	unsigned char bytes[4];
	unsigned long count = sizeof(bytes);
	const short err = file->Read(bytes, &count);
	if (err != 0)
		return err;
	if (count != sizeof(bytes))
		return kVyFileEOF;
	*value = UInt32(bytes[0]) << 24 | UInt32(bytes[1]) << 16 | UInt32(bytes[2]) << 8 | bytes[3];
	return 0;
}

short WriteU32(TVyFile* file, UInt32 value)
{
	const unsigned char bytes[4] = {UInt8(value >> 24), UInt8(value >> 16), UInt8(value >> 8),
	                                UInt8(value)};
	return file->Write(bytes, sizeof(bytes));
}

} // namespace

TVyBufferFile*& TStockPlugin::FileOf(tPreferenceFileType kind)
{
	static TVyBufferFile* none = nullptr;
	switch (kind) {
	case prefsSettings:
		return mPrefsFile;
	case prefsStocks:
		return mStocksFile;
	case prefsFunds:
		return mFundsFile;
	case prefsIndexes:
		return mIndexesFile;
	case prefsCurrencies:
		return mCurrenciesFile;
	default:
		none = nullptr;
		return none;
	}
}

bool TStockPlugin::InitPrefsFile(tPreferenceFileType kind, const char* name, const char* setAsideName,
                                 short message, OSType fileType, OSType creator)
{
	TVyBufferFile*& file = FileOf(kind);
	delete file;
	file = new (std::nothrow) TVyBufferFile(mPrefsFolder);
	if (file == nullptr)
		throw kOutOfMemory;
	file->SetFileName(name);
	file->SetReplaceSafely(true);
	file->RemoveStaleCopies();

	const bool exists = file->Exists() != 0;
	bool keepWhatWasRead = false;
	if (exists) {
		unsigned long tag = 0;
		if (ReadPreferencesFiles(kind, &tag) && tag == kTag)
			return true;
		if (mConversionDeclined && IsFormerTag(tag)) {
			// The user kept the former version's file: it is used by nothing and written by
			// nothing in this run unless the user keeps changes at quit, and the next start
			// offers the conversion again.
			mLockedFiles.insert(kind);
			mFormerFiles[kind] = {fileType, creator};
			DefaultPreferences(kind);
			return false;
		}
		UKsDialogs::ErrorDialog(message);
		// A security file read part-way keeps what was read, without the factory list after it.
		TList<TSecurity>* list = GetList(SecurityKind(kind));
		keepWhatWasRead = list != nullptr && list->Count() > 0;
	}

	mFilesCreated = true;
	if (exists && !SetAside(file, name, setAsideName)) {
		// The user's file stays where it is and is not written over in this run.
		mLockedFiles.insert(kind);
		UKsDialogs::ErrorDialog(kSetAsideFailedMessage);
	}
	if (!keepWhatWasRead)
		DefaultPreferences(kind);
	if (mLockedFiles.count(kind) == 0) {
		TVyFileUtils::TouchFile(file, fileType, creator);
		WritePreferencesFiles(kind);
	}
	return false;
}

bool TStockPlugin::SetAside(TVyFile* file, const char* name, const char* setAsideName)
{
	// An older set-aside file gives way first, so that the rename can succeed.
	TVyFile older(mPrefsFolder, setAsideName);
	if (older.Exists())
		older.RemoveFile();
	const bool renamed = file->RenameFile(setAsideName) == 0;
	file->SetFileName(name);
	return renamed;
}

void TStockPlugin::KeepOrDropFormerChanges()
{
	for (const auto& [kind, typeAndCreator] : mFormerFiles) {
		if (mFormerChanged.count(kind) == 0 || !UKsDialogs::YesNoDialog(KeepChangesQuestion(kind)))
			continue;
		TVyBufferFile* file = FileOf(kind);
		if (file == nullptr || !MoveFormerBeside(file)) {
			UKsDialogs::ErrorDialog(kWriteFailedMessage);
			continue;
		}
		mLockedFiles.erase(kind);
		TVyFileUtils::TouchFile(file, typeAndCreator.first, typeAndCreator.second);
		WritePreferencesFiles(kind);
	}
	mFormerFiles.clear();
}

bool TStockPlugin::MoveFormerBeside(TVyFile* file)
{
	// The name an accepted conversion keeps the former file under.
	char name[UConverter::kMaxFileName + 1];
	file->GetFileName(name);
	char aside[UConverter::kMaxFileName + 1];
	UConverter::FreeOldName(file, aside);
	const bool renamed = file->RenameFile(aside) == 0;
	file->SetFileName(name);
	return renamed;
}

bool TStockPlugin::ReadPreferencesFiles(tPreferenceFileType kind, unsigned long* tag)
{
	*tag = 0;
	TVyBufferFile* file = FileOf(kind);
	if (file == nullptr)
		return false;
	file->SetMode(kFileModeRead);
	if (file->Open() != 0) {
		file->Close();
		return false;
	}
	UInt32 found = 0;
	if (ReadU32(file, &found) != 0) {
		file->Close();
		return false;
	}
	*tag = found;

	bool complete = true;
	if (kind == prefsSettings) {
		if (found == kTag) {
			unsigned char stored[tStockTickerPrefs::kStoredSize];
			unsigned long count = sizeof(stored);
			if (file->Read(stored, &count) != 0 || count != sizeof(stored))
				complete = false;
			else
				UIntelConversion::ConvertStockPrefs(stored, &mPrefs, true);
		}
	} else {
		const tSecurityType securityKind = SecurityKind(kind);
		TList<TSecurity>* list = GetList(securityKind);
		list->Clear();
		if (found == kTag) {
			file->Seek(kSeekAbsolute, 0);
			complete = USecurityFile::ReadSecurities(file, securityKind, list) == 0;
		}
	}
	file->Close();
	return complete;
}

short TStockPlugin::WritePreferencesFiles(tPreferenceFileType kind, std::vector<std::string>* ioUnwritten)
{
	TVyBufferFile* file = FileOf(kind);
	if (mFormerFiles.count(kind) != 0)
		mFormerChanged.insert(kind);
	if (file == nullptr || mLockedFiles.count(kind) != 0)
		return kVyFileBadParam;
	file->SetMode(kFileModeWrite);
	if (!file->Exists())
		file->CreateFile();
	short err = file->Open();
	if (err == 0) {
		if (kind == prefsSettings) {
			unsigned char stored[tStockTickerPrefs::kStoredSize];
			UIntelConversion::ConvertStockPrefs(stored, &mPrefs, false);
			err = WriteU32(file, kTag);
			if (err == 0)
				err = file->Write(stored, sizeof(stored));
		} else {
			err = USecurityFile::WriteSecurities(file, GetList(SecurityKind(kind)));
		}
		// A failed write leaves the former file in place.
		const short closed = err != 0 ? file->Abandon() : file->Close();
		if (err == 0)
			err = closed;
	} else {
		file->Close();
	}
	if (err != 0 && ioUnwritten != nullptr)
		ioUnwritten->push_back(PascalStrings::ToString(file->GetFileName()));
	else if (err != 0)
		UKsDialogs::ErrorDialog(kWriteFailedMessage);
	return err;
}

void TStockPlugin::WriteAllFiles(std::vector<std::string>* ioUnwritten)
{
	if (mAllFilesWritten || mPrefsFolder == nullptr)
		return;
	mAllFilesWritten = true;
	for (tPreferenceFileType kind :
	     {prefsSettings, prefsStocks, prefsFunds, prefsIndexes, prefsCurrencies})
		WritePreferencesFiles(kind, ioUnwritten);
}

void TStockPlugin::DefaultPreferences(tPreferenceFileType kind)
{
	switch (kind) {
	case prefsSettings:
		UConversion::DefaultPrefs(&mPrefs);
		break;
	case prefsStocks:
		DefaultStocks();
		break;
	case prefsFunds:
		DefaultFunds();
		break;
	case prefsIndexes:
		DefaultIndexes();
		break;
	case prefsCurrencies:
		DefaultCurrencies();
		break;
	default:
		break;
	}
}
