// The plug-in's settings file and its four security files.

#include "app/TStockPlugin.h"
#include "foundation/TVyBufferFile.h"
#include "foundation/UIntelConversion.h"
#include "model/TByteReader.h"
#include "model/TSecurity.h"
#include "model/UConversion.h"
#include "model/UConverter.h"
#include "model/USecurityFile.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/PascalStrings.h"
#include "toolkit/UKsDialogs.h"

#include <cstddef>
#include <new>

namespace
{

constexpr UInt32 kTag = FOUR_CHAR_CODE("zv22");
// Plug-in message: the damaged file ^0 could not be set aside.
constexpr short kNotSetAsideMessage = 29;
// The question whether to keep the changes to what a file of a former version holds; ^1 is the name the
// former file is then kept under.
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

bool AskToKeepChanges(tPreferenceFileType kind, const char* keptAs)
{
	Str255 name;
	PascalStrings::FromString(keptAs, name);
	ParamText(nullptr, name, nullptr, nullptr);
	return UKsDialogs::YesNoDialog(KeepChangesQuestion(kind));
}

// Takes what is written, to compare contents without a file.
class TBytesFile : public TVyFile
{
public:
	short Write(const void* buffer, unsigned long count) override
	{
		mBytes.append(static_cast<const char*>(buffer), count);
		return 0;
	}
	std::string mBytes;
};

void Blank(std::string& bytes, std::size_t from, std::size_t to)
{
	for (std::size_t i = from; i < to && i < bytes.size(); ++i)
		bytes[i] = 0;
}

// A security's record less its last quote: the prices, volumes, dates and figures updates fetch.
std::string SetByUser(TSecurity* security)
{
	TBytesFile record;
	security->Backup(&record);
	std::string& bytes = record.mBytes;
	// The symbol and the name lead, each a u32 length and as many bytes.
	TByteReader reader({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()});
	for (int text = 0; text < 2; ++text) {
		UInt32 length = 0;
		if (reader.ReadU32(&length))
			reader.Take(length);
	}
	const std::size_t block = bytes.size() - reader.Remaining();
	Blank(bytes, block + offsetof(tSecurityParameters, lastUpdate),
	      block + offsetof(tSecurityParameters, overrideQuoter));
	if (security->Type() == securityStock && bytes.size() >= tStockParameters::kStoredSize) {
		const std::size_t stock = bytes.size() - tStockParameters::kStoredSize;
		Blank(bytes, stock + offsetof(tStockParameters, earningsPerShare),
		      stock + offsetof(tStockParameters, reservedDate));
	}
	return bytes;
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
	// A file appears under the name, or replaces the one there, only whole.
	file->SetReplaceSafely(true);
	file->SetReplacementType(fileType, creator);
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
			mFormerFiles.insert(kind);
			DefaultPreferences(kind);
			return false;
		}
		// A security file read part-way keeps what was read, without the factory list after it.
		TList<TSecurity>* list = GetList(SecurityKind(kind));
		keepWhatWasRead = list != nullptr && list->Count() > 0;
	}

	mFilesCreated = true;
	if (!keepWhatWasRead)
		DefaultPreferences(kind);
	if (!exists) {
		// Not told here: the files made at this start are written again once the program is up, and
		// that writing names those that still cannot be written.
		WriteFile(kind, nullptr);
	} else if (SetAside(kind, setAsideName)) {
		UKsDialogs::ErrorDialog(message);
	} else {
		// The user's file stays where it is and is not written over in this run.
		mLockedFiles.insert(kind);
		Str255 shown;
		PascalStrings::FromString(name, shown);
		ParamText(shown, nullptr, nullptr, nullptr);
		UKsDialogs::ErrorDialog(kNotSetAsideMessage);
	}
	return false;
}

bool TStockPlugin::SetAside(tPreferenceFileType kind, const char* setAsideName)
{
	// An older set-aside file gives way to the one now set aside.
	return FileOf(kind) && FileOf(kind)->RemoveKept(setAsideName) == 0 &&
	       WriteFile(kind, setAsideName) == 0;
}

void TStockPlugin::NoteFormerContents()
{
	for (tPreferenceFileType kind : mFormerFiles)
		if (mFormerContents.count(kind) == 0)
			mFormerContents[kind] = ContentsSetByUser(kind);
}

std::string TStockPlugin::ContentsSetByUser(tPreferenceFileType kind)
{
	TBytesFile contents;
	if (kind == prefsSettings) {
		WriteContents(kind, &contents);
		return contents.mBytes;
	}
	ForEachSecurity(GetList(SecurityKind(kind)),
	                [&](TSecurity* security) { contents.mBytes += SetByUser(security); });
	return contents.mBytes;
}

void TStockPlugin::KeepOrDropFormerChanges()
{
	for (const auto& [kind, noted] : mFormerContents) {
		TVyBufferFile* file = FileOf(kind);
		if (file == nullptr || ContentsSetByUser(kind) == noted)
			continue;
		char keptAs[UConverter::kMaxFileName + 1];
		UConverter::FreeOldName(file, keptAs);
		if (AskToKeepChanges(kind, keptAs)) {
			mFormerKeptAs[kind] = keptAs;
			mLockedFiles.erase(kind);
		}
	}
	mFormerContents.clear();
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

short TStockPlugin::WriteContents(tPreferenceFileType kind, TVyFile* file)
{
	if (kind != prefsSettings)
		return USecurityFile::WriteSecurities(file, GetList(SecurityKind(kind)));
	unsigned char stored[tStockTickerPrefs::kStoredSize];
	UIntelConversion::ConvertStockPrefs(stored, &mPrefs, false);
	short err = WriteU32(file, kTag);
	if (err == 0)
		err = file->Write(stored, sizeof(stored));
	return err;
}

short TStockPlugin::WriteFile(tPreferenceFileType kind, const char* keepFormerAs)
{
	TVyBufferFile* file = FileOf(kind);
	file->SetMode(kFileModeWrite);
	file->SetKeepFormerAs(keepFormerAs);
	short err = file->Open();
	if (err == 0)
		err = WriteContents(kind, file);
	const short closed = err != 0 ? file->Abandon() : file->Close();
	return err != 0 ? err : closed;
}

short TStockPlugin::WritePreferencesFiles(tPreferenceFileType kind, tUnwrittenFiles* ioUnwritten)
{
	TVyBufferFile* file = FileOf(kind);
	if (file == nullptr || mLockedFiles.count(kind) != 0)
		return kVyFileBadParam;
	// A file that took the kept name since the question is the user's: the writing then fails.
	const auto keptAs = mFormerKeptAs.find(kind);
	const short err = WriteFile(kind, keptAs != mFormerKeptAs.end() ? keptAs->second.c_str() : nullptr);
	if (err == 0 && keptAs != mFormerKeptAs.end()) {
		mFormerKeptAs.erase(keptAs);
		mFormerFiles.erase(kind);
	}
	if (err != 0 && ioUnwritten != nullptr) {
		NoteUnwritten(file, ioUnwritten);
	} else if (err != 0) {
		tUnwrittenFiles unwritten;
		NoteUnwritten(file, &unwritten);
		ShowUnwrittenFiles(unwritten);
	}
	return err;
}

void TStockPlugin::WriteAllFiles(tUnwrittenFiles* ioUnwritten)
{
	if (mAllFilesWritten || mPrefsFolder == nullptr)
		return;
	mAllFilesWritten = true;
	WriteEachFile(ioUnwritten);
}

void TStockPlugin::RecordOpenWindows(tUnwrittenFiles* ioUnwritten)
{
	NoteOpenWindows();
	WriteEachFile(ioUnwritten);
}

void TStockPlugin::WriteEachFile(tUnwrittenFiles* ioUnwritten)
{
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
