// The application settings file: tag, settings record, the main ticker, a count and the further tickers.

#include "Includes/TList.h"
#include "app/AppGlobals.h"
#include "app/kestrunApp.h"
#include "foundation/TVyBufferFile.h"
#include "foundation/TVyFileUtils.h"
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

void kestrunApp::InitPrefsFile(const char* inName, const char* inOldName, const char* inCorruptName,
                               int inOldVersionMessage, int inCorruptMessage, unsigned long inFileType,
                               unsigned long inCreator)
{
	mPrefsFile.reset(new (std::nothrow) TVyBufferFile(mPrefsFolder.get()));
	if (!mPrefsFile)
		throw 1000;
	mPrefsFile->SetFileName(inName);
	mPrefsFile->RemoveStaleCopies();

	bool needsDefaults = true;
	if (mPrefsFile->Exists()) {
		unsigned long tag = 0;
		const bool read = ReadPreferencesFiles(&tag);
		if (read && IsFormerTag(tag)) {
			KsError(SInt16(inOldVersionMessage));
			if (SetAside(inName, inOldName))
				RecreatePrefsFile(inName, inFileType, inCreator);
			DefaultPreferences();
			WritePreferencesFiles(true);
			needsDefaults = false;
		} else if (read && IsCurrentTag(tag)) {
			needsDefaults = false;
		} else {
			KsError(SInt16(inCorruptMessage));
		}
	}

	if (needsDefaults) {
		if (!mPrefsFile->Exists() || SetAside(inName, inCorruptName))
			RecreatePrefsFile(inName, inFileType, inCreator);
		DefaultPreferences();
		WritePreferencesFiles(true);
	} else {
		gInittingTicker = 0;
	}
}

bool kestrunApp::SetAside(const char* inName, const char* inAsideName)
{
	TVyFile aside(mPrefsFile.get(), inAsideName);
	bool done = !aside.Exists() || aside.RemoveFile() == 0;
	if (done) {
		TVyFile original(mPrefsFile.get(), inName);
		done = original.RenameFile(inAsideName) == 0;
	}
	if (!done) {
		// The user's file stays where it is, and this session does not write over it.
		mPrefsWritable = false;
		KsError(kMsgPrefsNotSetAside);
	}
	mPrefsFile->SetFileName(inName);
	return done;
}

void kestrunApp::RecreatePrefsFile(const char* inName, unsigned long inFileType, unsigned long inCreator)
{
	mPrefsFile->SetFileName(inName);
	if (mPrefsFile->Exists())
		mPrefsFile->RemoveFile();
	TVyFileUtils::TouchFile(mPrefsFile.get(), inFileType, inCreator);
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

bool kestrunApp::WritePreferencesFiles(bool inWritingDefaults, std::vector<std::string>* ioUnwritten)
{
	if (!mPrefsWritable || !mPrefsFile)
		return false;
	if (!mPrefsFile->Exists())
		TVyFileUtils::TouchFile(mPrefsFile.get(), FOUR_CHAR_CODE("PREF"), FOUR_CHAR_CODE("zVRN"));
	// A failed write leaves the file as it was.
	mPrefsFile->SetReplaceSafely(true);
	mPrefsFile->SetMode(kFileModeWrite);
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
	if (err == 0)
		err = mPrefsFile->Close();
	else
		mPrefsFile->Abandon();
	mPrefsFile->SetReplaceSafely(false);
	if (err != 0) {
		if (ioUnwritten)
			ioUnwritten->push_back(PascalStrings::ToString(mPrefsFile->GetFileName()));
		else
			KsError(kMsgPrefsNotWritten);
		return false;
	}
	return true;
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
