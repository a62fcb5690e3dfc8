// The application settings file: tag, settings record, the main ticker, a count and the further tickers.

#include "app/kestrunAppPrefs.h"

#include "Includes/TList.h"
#include "app/AppGlobals.h"
#include "app/kestrunApp.h"
#include "foundation/TVyBufferFile.h"
#include "foundation/UIntelConversion.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/TickCount.h"
#include "ticker/TTicker.h"
#include "ticker/TZvTicker.h"
#include "toolkit/KsAlerts.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

namespace
{

constexpr unsigned long kTagCurrent = FOUR_CHAR_CODE("zv22");
constexpr unsigned long kTagReadable = FOUR_CHAR_CODE("zv20");
constexpr float kCarriedValue = 2.2f;

bool IsFormerTag(unsigned long tag)
{
	return tag == FOUR_CHAR_CODE("Ver1") || tag == FOUR_CHAR_CODE("Ver2") ||
	       tag == FOUR_CHAR_CODE("zv15") || tag == FOUR_CHAR_CODE("zv16");
}

bool IsCurrentTag(unsigned long tag)
{
	return tag == kTagCurrent || tag == kTagReadable;
}

short ReadExactly(TVyFile* file, void* buffer, unsigned long size)
{
	unsigned long count = size;
	const short err = file->Read(buffer, &count);
	return err != 0 ? err : (count == size ? short(0) : short(kVyFileEOF));
}

} // namespace

void NoteUnwritten(TVyFile* inFile, tUnwrittenFiles* ioFiles)
{
	ioFiles->push_back({PascalStrings::ToString(inFile->GetFileName()), inFile->Exists() != 0});
}

void ShowUnwrittenFiles(const tUnwrittenFiles& inFiles)
{
	std::string detail;
	for (const bool stood : {false, true}) {
		std::string names;
		for (const tUnwrittenFile& file : inFiles)
			if (file.stood == stood)
				names += "\n" + file.name;
		if (!names.empty())
			detail += (detail.empty() ? "" : "\n") +
			          KsMessageText(stood ? kMsgFilesLeftAsTheyWere : kMsgFilesNotMade, nullptr) +
			          names;
	}
	if (!detail.empty())
		KsError(kMsgFilesNotWritten, detail.c_str());
}

void kestrunApp::InitPrefsFile(const char* inName, const char* inOldName, const char* inCorruptName,
                               int inOldVersionMessage, int inCorruptMessage, unsigned long inFileType,
                               unsigned long inCreator)
{
	mPrefsFile.reset(new (std::nothrow) TVyBufferFile(mPrefsFolder.get()));
	if (!mPrefsFile)
		throw 1000;
	mPrefsFile->SetFileName(inName);
	// A file appears under the name, or replaces the one there, only whole.
	mPrefsFile->SetReplaceSafely(true);
	mPrefsFile->SetReplacementType(OSType(inFileType), OSType(inCreator));
	mPrefsFile->RemoveStaleCopies();

	if (!mPrefsFile->Exists()) {
		DefaultPreferences();
		// Not told here: the file made at this start is written again once the program is up, and
		// that writing names it if it still cannot be written.
		WriteSettingsFile(true, nullptr);
		return;
	}
	unsigned long tag = 0;
	const bool read = ReadPreferencesFiles(&tag);
	if (read && IsCurrentTag(tag)) {
		gInittingTicker = 0;
		return;
	}
	// A former version's file gets a default main ticker that is not filled.
	const bool former = read && IsFormerTag(tag);
	if (former)
		gInittingTicker = 0;
	DefaultPreferences();
	if (SetAside(former ? inOldName : inCorruptName)) {
		KsError(SInt16(former ? inOldVersionMessage : inCorruptMessage));
	} else {
		// The user's file stays where it is, and this session does not write over it.
		mPrefsWritable = false;
		KsError(former ? kMsgPrefsOldNotSetAside : kMsgPrefsDamagedNotSetAside, inName);
	}
}

bool kestrunApp::SetAside(const char* inAsideName)
{
	// An older set-aside file gives way to the one now set aside.
	return mPrefsFile->RemoveKept(inAsideName) == 0 && WriteSettingsFile(true, inAsideName) == 0;
}

bool kestrunApp::ReadPreferencesFiles(unsigned long* outTag)
{
	*outTag = 0;
	mPrefsFile->SetMode(kFileModeRead);
	if (mPrefsFile->Open() != 0) {
		mPrefsFile->Close();
		return false;
	}
	auto fail = [&] {
		mPrefsFile->Close();
		return false;
	};
	UInt32 tag = 0;
	if (ReadExactly(mPrefsFile.get(), &tag, sizeof(tag)) != 0)
		return fail();
	*outTag = UIntelConversion::ConvertUnsignedInt32(tag);

	if (IsCurrentTag(*outTag)) {
		std::array<unsigned char, tKestrunPrefs::kStoredSize> stored{};
		if (ReadExactly(mPrefsFile.get(), stored.data(), stored.size()) != 0)
			return fail();
		UIntelConversion::ConvertKestrunPrefs(stored, &mPrefs, true);
		SetDefaultCommander(this);
		mMainTicker = std::make_unique<TTicker>(mPrefsFile.get());
		if (!mMainTicker->WasReadWhole())
			return fail();
		mMainTicker->ValidatePrefs();
		mMainTicker->SetAsMainTicker();
		UInt32 count = 0;
		if (ReadExactly(mPrefsFile.get(), &count, sizeof(count)) != 0)
			return fail();
		ReadTickers(UIntelConversion::ConvertUnsignedInt32(count));
	} else {
		mMainTicker = std::make_unique<TTicker>();
		mMainTicker->SetAsMainTicker();
	}
	mPrefsFile->Close();
	return true;
}

void kestrunApp::ReadTickers(unsigned long inCount)
{
	// The count is not trusted: the list stops at the end of the file, at a record cut short and at its
	// limit.
	const unsigned long fileSize = mPrefsFile->Size();
	for (unsigned long i = 0; i < inCount && mTickerList->Count() < kMaxTickers; ++i) {
		if (mPrefsFile->Tell() >= fileSize)
			break;
		SetDefaultCommander(this);
		auto ticker = std::make_unique<TTicker>(mPrefsFile.get());
		if (!ticker->WasReadWhole())
			break;
		ticker->ValidatePrefs();
		// Ids tell the tickers apart: the main ticker's 0 and a repeated one give way to a fresh id.
		if (ticker->GetID() == 0 || FindTickerByID(ticker->GetID()))
			ticker->SetID(TTicker::MakeUniqueID());
		mTickerList->Append(ticker.release());
	}
}

TTicker* kestrunApp::FindTickerByID(UInt32 inID) const
{
	if (inID == 0)
		return mMainTicker.get();
	for (tListNode<TTicker>* node = mTickerList->GetEntryHead(); node; node = node->mNext)
		if (node->mItem->GetID() == inID)
			return node->mItem;
	return nullptr;
}

bool kestrunApp::WritePreferencesFiles(bool inWritingDefaults, tUnwrittenFiles* ioUnwritten)
{
	if (!mPrefsWritable || !mPrefsFile)
		return false;
	if (WriteSettingsFile(inWritingDefaults, nullptr) == 0)
		return true;
	NoteUnwritten(mPrefsFile.get(), ioUnwritten);
	return false;
}

short kestrunApp::WriteSettingsFile(bool inWritingDefaults, const char* inKeepFormerAs)
{
	mPrefsFile->SetMode(kFileModeWrite);
	mPrefsFile->SetKeepFormerAs(inKeepFormerAs);
	short err = mPrefsFile->Open();
	if (err == 0) {
		const UInt32 tag = UIntelConversion::ConvertUnsignedInt32(kTagCurrent);
		err = mPrefsFile->Write(&tag, sizeof(tag));
	}
	if (err == 0) {
		std::array<unsigned char, tKestrunPrefs::kStoredSize> stored{};
		tKestrunPrefs record = mPrefs;
		UIntelConversion::ConvertKestrunPrefs(stored, &record, false);
		err = mPrefsFile->Write(stored.data(), stored.size());
	}
	if (err == 0) {
		mMainTicker->TickerOpenOnQuit(mMainTicker->IsWindowOpen() || inWritingDefaults);
		err = mMainTicker->Backup(mPrefsFile.get());
	}
	if (err == 0) {
		const UInt32 count = UIntelConversion::ConvertUnsignedInt32(UInt32(mTickerList->Count()));
		err = mPrefsFile->Write(&count, sizeof(count));
	}
	for (TTicker* ticker = mTickerList->GetFirst(); err == 0 && ticker; ticker = mTickerList->GetNext()) {
		ticker->TickerOpenOnQuit(ticker->IsWindowOpen());
		err = ticker->Backup(mPrefsFile.get());
	}
	// A failed write leaves what stood under the name as it was, or no file at all.
	if (err == 0)
		err = mPrefsFile->Close();
	else
		mPrefsFile->Abandon();
	return err;
}

void kestrunApp::DefaultPreferences()
{
	ApplyMainTickerDefaults();
	std::memset(mPrefs.carriedText1, 0, sizeof(mPrefs.carriedText1));
	std::memset(mPrefs.carriedText2, 0, sizeof(mPrefs.carriedText2));
	mPrefs.carriedFlag = 0;
	mPrefs.hideTickersInBackground = 0;
	mPrefs.ignoreNewVersions = 0;
	mPrefs.carriedValue = kCarriedValue;
}

void kestrunApp::ApplyMainTickerDefaults()
{
	// Whatever a failed or former file left in the main ticker, it starts again as a new main ticker.
	mMainTicker = std::make_unique<TTicker>();
	mMainTicker->SetAsMainTicker();
	mMainTicker->SetTitle(GetAppCString(kMainTickerNameString));
	mMainTicker->TickerAnchor(kTickerAnchorTopFull);
	mMainTicker->TickerSpeed(kTickerSpeedMain);
	mMainTicker->TickerDirection(kTickerRightToLeft);
	mMainTicker->TickerBorder(kTickerBorderDefault);
	mMainTicker->TickerOpenOnQuit(true);
}
