#include "foundation/TVyFile.h"

#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/FileReference.h"
#include "platform/toolbox/FolderIDTable.h"
#include "platform/toolbox/Folders.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <utility>

namespace
{

constexpr UInt32 kMaxPosition = 0x7FFFFFFF;

void ZeroDate(TVyDate& date)
{
	date.SetMillisecond(0);
	date.SetSecond(0);
	date.SetMinute(0);
	date.SetHour(0);
	date.SetDay(0);
	date.SetMonth(0);
	date.SetYear(0);
	date.SetDefined(false);
	date.SetDayOfWeek(0);
}

void DateFromNative(UInt32 native, TVyDate& date)
{
	const std::time_t t = std::time_t(native);
	std::tm tm = {};
	if (!localtime_r(&t, &tm)) {
		ZeroDate(date);
		return;
	}
	date.SetMillisecond(0);
	date.SetSecond(UInt8(tm.tm_sec));
	date.SetMinute(UInt8(tm.tm_min));
	date.SetHour(UInt8(tm.tm_hour));
	date.SetDay(UInt8(tm.tm_mday));
	date.SetMonth(UInt8(tm.tm_mon + 1));
	date.SetYear(UInt16(tm.tm_year + 1900));
	date.SetDefined(true);
	date.SetDayOfWeek(UInt8(tm.tm_wday == 0 ? 7 : tm.tm_wday));
}

// 0 for an undefined date, which leaves the file's time alone.
UInt32 NativeFromDate(const TVyDate& date)
{
	if (TVyDate::IsUndefinedDate(date))
		return 0;
	std::tm tm = {};
	tm.tm_sec = date.GetSecond();
	tm.tm_min = date.GetMinute();
	tm.tm_hour = date.GetHour();
	tm.tm_mday = date.GetDay();
	tm.tm_mon = date.GetMonth() - 1;
	tm.tm_year = date.GetYear() - 1900;
	tm.tm_isdst = -1;
	const std::time_t t = std::mktime(&tm);
	return t <= 0 || t > std::time_t(0xFFFFFFFF) ? 0 : UInt32(t);
}

void PascalFromC(unsigned char* p, const char* c, size_t maxLength)
{
	const size_t n = c ? strnlen(c, maxLength) : 0;
	p[0] = UInt8(n);
	std::memcpy(p + 1, c, n);
}

void CFromPascal(char* c, const unsigned char* p)
{
	std::memcpy(c, p + 1, p[0]);
	c[p[0]] = 0;
}

void CopyPascal(unsigned char* to, const unsigned char* from, size_t maxLength)
{
	const size_t n = std::min<size_t>(from[0], maxLength);
	to[0] = UInt8(n);
	std::memcpy(to + 1, from + 1, n);
}

} // namespace

void tFileInformation::Clear()
{
	std::memset(name, 0, sizeof name);
	size = 0;
	ZeroDate(created);
	ZeroDate(modified);
	flags = 0;
	type = 0;
	creator = 0;
	finderFlags = 0;
	nativeCreated = 0;
	nativeModified = 0;
	dataForkLength = 0;
	resourceForkLength = 0;
}

TVyFile::TVyFile()
{
	InitFile();
}

TVyFile::TVyFile(TVyFile* other)
{
	InitFile();
	if (!other)
		return;
	mVRefNum = other->mVRefNum;
	mDirID = other->mDirID;
	mParentID = other->mParentID;
	CopyPascal(mDirName, other->mDirName, 63);
	mFileRef = other->mFileRef;
	CopyPascal(mFileName, other->mFileName, 63);
	mHomeVRefNum = other->mHomeVRefNum;
	mHomeDirID = other->mHomeDirID;
}

TVyFile::TVyFile(TVyFile* other, const char* name)
{
	InitFile();
	SignalIfNot_(other);
	if (!other)
		return;
	mVRefNum = other->mVRefNum;
	mParentID = other->mParentID;
	mDirID = other->mDirID;
	if (name)
		PascalFromC(mFileName, name, 63);
	else
		CopyPascal(mFileName, other->mFileName, 63);
}

TVyFile::TVyFile(FSSpec* spec)
{
	InitFile();
	SignalIfNot_(spec);
	if (!spec)
		return;
	Str63 name;
	CopyPascal(name, spec->name, 63);
	CInfoPBRec pb;
	pb.ioNamePtr = name;
	pb.ioVRefNum = spec->vRefNum;
	pb.ioDirID = spec->parID;
	const OSErr err = PBGetCatInfoSync(&pb);
	if (err != noErr && err != fnfErr)
		return;
	mVRefNum = spec->vRefNum;
	if (err == noErr && (pb.ioFlAttrib & kioFlAttribDirMask)) {
		mDirID = pb.ioDrDirID;
		mParentID = pb.ioFlParID;
		CopyPascal(mDirName, name, 63);
		CopyPascal(mFileName, name, 63);
		return;
	}
	mDirID = spec->parID;
	long parent = 0;
	if (QDParentID(mDirID, &parent) == noErr)
		mParentID = SInt32(parent);
	CopyPascal(mFileName, name, 63);
	mFileRef = err == noErr ? pb.ioFRefNum : 0;
}

TVyFile::~TVyFile()
{
	// Only the object that opened a replacement owns it; copies share the reference but not the copy.
	if (mReplacing && mFileRef != 0)
		FSCloseDiscarding(mFileRef);
}

void TVyFile::ResetVolumeInfo() {}

void TVyFile::InitFile()
{
	mVolumeName[0] = 0;
	mDirName[0] = 0;
	mVRefNum = kVolumeRefNum;
	mDirID = FolderIDTable::kRootID;
	HGetVol(mVolumeName, &mVRefNum, &mDirID);
	long parent = FolderIDTable::kRootParentID;
	QDParentID(mDirID, &parent);
	mParentID = SInt32(parent);
	mEntryIndex = 0;
	mFileRef = 0;
	mFileName[0] = 0;
	mPosition = 0;
	mMode = kFileModeRead;
	mPosMode = fsFromStart;
	mResourceFork = 0;
	mHomeVRefNum = mVRefNum;
	mHomeDirID = mDirID;
	mFinder = nullptr;
	std::memset(mCatalogName, 0, sizeof mCatalogName);
	mReplacing = false;
	mWriteFailure = 0;
}

short TVyFile::MapFileError(int error)
{
	switch (error) {
	case noErr:
		return 0;
	case eofErr:
	case kVyFileEOF:
		return kVyFileEOF;
	case nsvErr:
	case bdNamErr:
	case fnfErr:
	case nsDrvErr:
	case dirNFErr:
	case kVyFileNotFound:
		return kVyFileNotFound;
	case paramErr:
	case kVyFileBadParam:
		return kVyFileBadParam;
	case dupFNErr:
	case kVyFileDuplicate:
		return kVyFileDuplicate;
	case dirFulErr:
	case dskFulErr:
	case mFulErr:
	case kVyFileFull:
		return kVyFileFull;
	case wPrErr:
	case fLckdErr:
	case vLckdErr:
	case kVyFileLocked:
		return kVyFileLocked;
	case permErr:
	case wrPermErr:
	case kVyFilePermission:
		return kVyFilePermission;
	case opWrErr:
	case kVyFileOpenForWriting:
		return kVyFileOpenForWriting;
	case fsMountPointErr:
	case kVyFileMountPoint:
		return kVyFileMountPoint;
	case fsDanglingLinkErr:
	case kVyFileDanglingLink:
		return kVyFileDanglingLink;
	case fsUntrustedLinkErr:
	case kVyFileUntrustedLink:
		return kVyFileUntrustedLink;
	case fsCopyTakenErr:
	case kVyFileCopyTaken:
		return kVyFileCopyTaken;
	case fsNotAFileErr:
	case kVyFileNotAFile:
		return kVyFileNotAFile;
	case fsRightsNotKeptErr:
	case kVyFileRightsNotKept:
		return kVyFileRightsNotKept;
	default:
		return kVyFileOther;
	}
}

short TVyFile::QDPathName(long dirID, unsigned char* name)
{
	SignalIfNot_(name);
	if (!name)
		return paramErr;
	CInfoPBRec pb;
	pb.ioNamePtr = name;
	pb.ioVRefNum = mVRefNum;
	pb.ioDirID = SInt32(dirID);
	pb.ioFDirIndex = -1;
	return PBGetCatInfoSync(&pb);
}

short TVyFile::QDParentID(long dirID, long* parentID)
{
	SignalIfNot_(parentID);
	if (!parentID)
		return paramErr;
	if (dirID == FolderIDTable::kRootParentID) {
		*parentID = FolderIDTable::kRootParentID;
		return noErr;
	}
	CInfoPBRec pb;
	pb.ioVRefNum = mVRefNum;
	pb.ioDirID = SInt32(dirID);
	pb.ioFDirIndex = -1;
	const OSErr err = PBGetCatInfoSync(&pb);
	if (err == noErr)
		*parentID = pb.ioFlParID;
	return err;
}

short TVyFile::QPDirectoryID(unsigned char* path, long* dirID)
{
	SignalIfNot_(path && dirID);
	if (!path || !dirID)
		return paramErr;
	Str255 name;
	SInt32 base = FolderIDTable::kRootID;
	if (path[0] > 0 && path[1] == ':') {
		CopyPascal(name, path, 255);
	} else {
		// A plain name or partial path starts in the current folder.
		if (path[0] == 255)
			return bdNamErr;
		name[0] = UInt8(path[0] + 1);
		name[1] = ':';
		std::memcpy(name + 2, path + 1, path[0]);
		base = mDirID;
	}
	CInfoPBRec pb;
	pb.ioNamePtr = name;
	pb.ioVRefNum = mVRefNum;
	pb.ioDirID = base;
	const OSErr err = PBGetCatInfoSync(&pb);
	if (err != noErr)
		return err;
	if (!(pb.ioFlAttrib & kioFlAttribDirMask))
		return dirNFErr;
	*dirID = pb.ioDrDirID;
	return noErr;
}

short TVyFile::QFullPath(unsigned char* path, unsigned char withVolume, unsigned char withFile)
{
	SignalIfNot_(path);
	if (!path)
		return paramErr;
	std::string text;
	long id = mDirID;
	// The bound on steps guards against a folder table that loops.
	for (int steps = 0; id != FolderIDTable::kRootID && id != FolderIDTable::kRootParentID && steps < 256;
	     ++steps) {
		Str255 name;
		long parent = 0;
		if (QDPathName(id, name) != noErr || QDParentID(id, &parent) != noErr)
			break;
		std::string step = ":" + std::string(reinterpret_cast<char*>(name + 1), name[0]);
		if (step.size() + text.size() > 255)
			break;
		text = step + text;
		id = parent;
	}
	if (withFile) {
		if (text.empty() || text.back() != ':')
			text += ':';
		text.append(reinterpret_cast<const char*>(mFileName + 1), mFileName[0]);
	}
	if (text.empty())
		text = ":";
	if (withVolume) {
		std::string volume(reinterpret_cast<const char*>(mVolumeName + 1), mVolumeName[0]);
		text = volume + text;
	}
	if (text.size() > 255)
		text.resize(255);
	path[0] = UInt8(text.size());
	std::memcpy(path + 1, text.data(), text.size());
	return noErr;
}

short TVyFile::QueryCatalog(tFileInformation* info, int index, SInt32 dirID, const unsigned char* name)
{
	if (index == 0)
		CopyPascal(mCatalogName, name, 63);
	else
		mCatalogName[0] = 0;
	mCatalog = CInfoPBRec();
	mCatalog.ioNamePtr = mCatalogName;
	mCatalog.ioVRefNum = mVRefNum;
	mCatalog.ioDirID = dirID;
	mCatalog.ioFDirIndex = SInt16(std::clamp(index, 0, 32767));
	const OSErr err = PBGetCatInfoSync(&mCatalog);
	if (err != noErr)
		return err;
	info->Clear();
	if (mCatalogName[0] == 0 && index == 0) {
		// The folder itself: report its own name.
		Str255 own;
		if (QDPathName(dirID, own) == noErr)
			CopyPascal(mCatalogName, own, 63);
	}
	CFromPascal(info->name, mCatalogName);
	info->nativeCreated = mCatalog.ioFlCrDat;
	info->nativeModified = mCatalog.ioFlMdDat;
	DateFromNative(info->nativeCreated, info->created);
	DateFromNative(info->nativeModified, info->modified);
	if (mCatalog.ioFlAttrib & kioFlAttribDirMask) {
		info->flags = kFileInfoIsFolder;
		return noErr;
	}
	info->size = mCatalog.ioFlLgLen;
	info->type = mCatalog.ioFlFndrInfo.fdType;
	info->creator = mCatalog.ioFlFndrInfo.fdCreator;
	info->finderFlags = mCatalog.ioFlFndrInfo.fdFlags;
	if (info->type == FOUR_CHAR_CODE("APPL"))
		info->flags |= kFileInfoIsApplication;
	info->dataForkLength = mCatalog.ioFlLgLen;
	info->resourceForkLength = mCatalog.ioFlRLgLen;
	return noErr;
}

short TVyFile::QFileInfo(tFileInformation* info, int index)
{
	SignalIfNot_(info);
	if (!info)
		return paramErr;
	OSErr err = QueryCatalog(info, index, mDirID, mFileName);
	if (err != noErr && index == 0) {
		// An object that names a folder by its name finds it in the parent folder; any other entry of
		// that name there is not the named file.
		const OSErr retry = QueryCatalog(info, 0, mParentID, mFileName);
		if (retry == noErr && (mCatalog.ioFlAttrib & kioFlAttribDirMask) &&
		    mCatalog.ioDrDirID == mDirID)
			err = noErr;
	}
	if (err != noErr)
		info->Clear();
	return err;
}

void TVyFile::SetResourceFork(unsigned char on)
{
	mResourceFork = on;
}

short TVyFile::GetFSSpec(FSSpec* spec)
{
	SignalIfNot_(spec);
	if (!spec)
		return kVyFileBadParam;
	return MapFileError(FSMakeFSSpec(mVRefNum, mDirID, mFileName, spec));
}

short TVyFile::GetDirectoryFSSpec(FSSpec* spec)
{
	SignalIfNot_(spec);
	if (!spec)
		return kVyFileBadParam;
	Str255 name;
	if (OSErr err = QDPathName(mDirID, name); err != noErr)
		return MapFileError(err);
	return MapFileError(FSMakeFSSpec(mVRefNum, mParentID, name, spec));
}

void TVyFile::SetFileName(const char* name)
{
	SignalIfNot_(name);
	if (name)
		PascalFromC(mFileName, name, 63);
}

short TVyFile::CreateFile()
{
	if (mFileName[0] == 0 || mFileName[1] == '.')
		return kVyFileBadName;
	const OSErr err = HCreate(mVRefNum, mDirID, mFileName, 0, 0);
	if (err == noErr) {
		mPosition = 0;
		mMode = kFileModeWrite;
	}
	return MapFileError(err);
}

// Stepping back to 0 after the first entry goes lets the next FindNext reach the entry that took its place.
void TVyFile::EntryRemoved()
{
	if (mFinder && mFinder->mEntryIndex > 0)
		--mFinder->mEntryIndex;
}

short TVyFile::RemoveFile()
{
	if (mFileName[0] == 0)
		return kVyFileBadParam;
	const OSErr err = HDelete(mVRefNum, mDirID, mFileName);
	if (err == noErr) {
		EntryRemoved();
		mFileRef = 0;
		mPosition = 0;
		mMode = kFileModeRead;
	}
	return MapFileError(err);
}

short TVyFile::GetInfo(tFileInformation* info)
{
	SignalIfNot_(info);
	if (!info)
		return kVyFileBadParam;
	return MapFileError(QFileInfo(info, 0));
}

short TVyFile::SetInfo(tFileInformation* info)
{
	SignalIfNot_(info);
	if (!info)
		return kVyFileBadParam;
	FInfo finder;
	if (OSErr err = HGetFInfo(mVRefNum, mDirID, mFileName, &finder); err != noErr)
		return MapFileError(err);
	finder.fdType = info->type;
	finder.fdCreator = info->creator;
	finder.fdFlags = UInt16(info->finderFlags);
	if (OSErr err = HSetFInfo(mVRefNum, mDirID, mFileName, &finder); err != noErr)
		return MapFileError(err);
	const UInt32 created = info->nativeCreated ? info->nativeCreated : NativeFromDate(info->created);
	const UInt32 modified = info->nativeModified ? info->nativeModified : NativeFromDate(info->modified);
	return MapFileError(HSetFileDates(mVRefNum, mDirID, mFileName, created, modified));
}

short TVyFile::Exists()
{
	tFileInformation info;
	const short err = QFileInfo(&info, 0);
	return err == noErr || err == ioErr ? 1 : 0;
}

short TVyFile::GetFullPath(char* buffer)
{
	SignalIfNot_(buffer);
	if (!buffer)
		return kVyFileBadParam;
	Str255 path;
	const short err = QFullPath(path, 1, 1);
	CFromPascal(buffer, path);
	return MapFileError(err);
}

short TVyFile::GetDirectoryPath(char* buffer)
{
	SignalIfNot_(buffer);
	if (!buffer)
		return kVyFileBadParam;
	Str255 path;
	const short err = QFullPath(path, 1, 0);
	CFromPascal(buffer, path);
	return MapFileError(err);
}

void TVyFile::SetMode(int mode)
{
	mMode = mode == int(kFileModeWrite) ? kFileModeWrite : kFileModeRead;
}

short TVyFile::Open()
{
	// Opening again would lose the open reference.
	SignalIf_(mFileRef != 0);
	if (mFileRef != 0)
		return kVyFileBadParam;
	SInt16 ref = 0;
	OSErr err;
	bool replacing = false;
	if (mResourceFork) {
		err = HOpenRF(mVRefNum, mDirID, mFileName, SInt8(mMode), &ref);
	} else if (mMode == kFileModeWrite && mReplaceSafely) {
		// A file made here follows CreateFile's rule for names.
		if (mFileName[0] == 0 || (mFileName[1] == '.' && !Exists()))
			return kVyFileBadName;
		err = std::exchange(mMakeNew, false) ? HOpenNewReplacement(mVRefNum, mDirID, mFileName, &ref)
		                                     : HOpenReplacement(mVRefNum, mDirID, mFileName, &ref);
		replacing = true;
		if (err == noErr && mReplacementType != 0)
			err = HSetReplacementInfo(ref, mReplacementType, mReplacementCreator);
		if (err == noErr && mKeepFormerAs[0] != 0)
			err = HSetReplacementKeepsFormer(ref, mKeepFormerAs);
		mKeepFormerAs[0] = 0;
		if (err != noErr && ref != 0)
			FSCloseDiscarding(ref);
	} else {
		err =
		    HOpenDF(mVRefNum, mDirID, mFileName, mMode == kFileModeWrite ? fsWrPerm : fsRdPerm, &ref);
	}
	if (err != noErr)
		return MapFileError(err);
	mFileRef = ref;
	mReplacing = replacing;
	mWriteFailure = 0;
	mPosition = 0;
	mPosMode = fsFromStart;
	return 0;
}

short TVyFile::Close()
{
	if (mFileRef == 0)
		return 0;
	OSErr err = noErr;
	if (mMode == kFileModeWrite)
		err = SetEOF(mFileRef, SInt32(std::min(mPosition, kMaxPosition)));
	OSErr closeErr;
	if (mReplacing && (err != noErr || mWriteFailure != 0))
		closeErr = FSCloseDiscarding(mFileRef);
	else
		closeErr = FSClose(mFileRef);
	mFileRef = 0;
	mPosition = 0;
	mReplacing = false;
	const short failure = mWriteFailure;
	mWriteFailure = 0;
	if (err == noErr)
		err = closeErr;
	if (err == noErr && failure != 0 && mMode == kFileModeWrite)
		return failure;
	return MapFileError(err);
}

void TVyFile::SetKeepFormerAs(const char* name)
{
	PascalFromC(mKeepFormerAs, name ? name : "", 63);
}

bool TVyFile::KeptNameIsFree(const char* name)
{
	Str63 kept;
	PascalFromC(kept, name ? name : "", 63);
	return HKeptNameIsFree(mVRefNum, mDirID, mFileName, kept);
}

short TVyFile::RemoveKept(const char* name)
{
	Str63 kept;
	PascalFromC(kept, name ? name : "", 63);
	return MapFileError(HDeleteKept(mVRefNum, mDirID, mFileName, kept));
}

short TVyFile::Abandon()
{
	if (mFileRef == 0 || !mReplacing)
		return Close();
	const OSErr err = FSCloseDiscarding(mFileRef);
	mFileRef = 0;
	mPosition = 0;
	mReplacing = false;
	mWriteFailure = 0;
	return MapFileError(err);
}

short TVyFile::RemoveStaleCopies()
{
	constexpr UInt32 kSecondsOfASaveUnderWay = 60;
	return MapFileError(HRemoveStaleReplacements(mVRefNum, mDirID, mFileName, kSecondsOfASaveUnderWay));
}

short TVyFile::Read(void* buffer, unsigned long* count)
{
	SignalIfNot_(buffer && count);
	if (mMode != kFileModeRead)
		return kVyFilePermission;
	if (mFileRef == 0 || !buffer || !count || *count > kMaxPosition)
		return kVyFileBadParam;
	if (OSErr err = SetFPos(mFileRef, fsFromStart, SInt32(mPosition)); err != noErr)
		return MapFileError(err);
	SInt32 n = SInt32(*count);
	const OSErr err = FSRead(mFileRef, &n, buffer);
	if (err != noErr && err != eofErr)
		return MapFileError(err);
	*count = UInt32(n);
	mPosition += UInt32(n);
	return MapFileError(err);
}

short TVyFile::Write(const void* buffer, unsigned long count)
{
	SignalIfNot_(buffer || count == 0);
	if (mMode != kFileModeWrite)
		return kVyFilePermission;
	if (mFileRef == 0 || (!buffer && count > 0))
		return kVyFileBadParam;
	short result;
	if (count > kMaxPosition - mPosition) {
		result = kVyFileFull;
	} else if (OSErr err = SetFPos(mFileRef, fsFromStart, SInt32(mPosition)); err != noErr) {
		result = MapFileError(err);
	} else {
		SInt32 n = SInt32(count);
		result = MapFileError(FSWrite(mFileRef, &n, buffer));
		mPosition += UInt32(n);
	}
	if (result != 0 && mWriteFailure == 0)
		mWriteFailure = result;
	return result;
}

short TVyFile::Flush()
{
	return FSFlushFork(mFileRef);
}

unsigned long TVyFile::Size()
{
	if (mResourceFork)
		return 0;
	// While open, the fork in use is the one that counts (a replacement copy differs from the file).
	if (mFileRef != 0) {
		SInt32 eof = 0;
		if (GetEOF(mFileRef, &eof) == noErr)
			return UInt32(eof);
	}
	tFileInformation info;
	if (QFileInfo(&info, 0) != noErr || (info.flags & kFileInfoIsFolder))
		return 0;
	return info.dataForkLength;
}

short TVyFile::Seek(tSeekPlacement placement, unsigned long offset)
{
	const UInt64 n = std::min<UInt64>(offset, kMaxPosition);
	switch (placement) {
	case kSeekToEnd:
		mPosition = UInt32(std::min<UInt64>(Size(), kMaxPosition));
		break;
	case kSeekForward:
		mPosition = UInt32(std::min<UInt64>(mPosition + n, kMaxPosition));
		break;
	case kSeekBackward:
		mPosition = n > mPosition ? 0 : UInt32(mPosition - n);
		break;
	default:
		mPosition = UInt32(n);
		break;
	}
	return 0;
}

unsigned long TVyFile::Tell()
{
	// A seek only moves the position; the system's mark follows at the next read or write.
	return mFileRef != 0 ? mPosition : 0;
}

short TVyFile::RenameFile(const char* newName)
{
	SignalIfNot_(newName);
	if (!newName)
		return kVyFileBadParam;
	Str63 name;
	PascalFromC(name, newName, 63);
	const OSErr err = HRename(mVRefNum, mDirID, mFileName, name);
	if (err == noErr)
		CopyPascal(mFileName, name, 63);
	return MapFileError(err);
}

short TVyFile::ChangeVolume(const char* volumeName)
{
	SignalIfNot_(volumeName);
	if (!volumeName || volumeName[0] == 0 || volumeName[0] == ':')
		return kVyFileBadParam;
	Str255 name;
	PascalFromC(name, volumeName, 254);
	if (name[name[0]] != ':')
		name[++name[0]] = ':';
	if (OSErr err = HSetVol(name, 0, 0); err != noErr)
		return MapFileError(err);
	SInt16 vRefNum = kVolumeRefNum;
	HGetVol(nullptr, &vRefNum, nullptr);
	mVRefNum = vRefNum;
	mDirID = FolderIDTable::kRootID;
	mParentID = FolderIDTable::kRootParentID;
	mDirName[0] = 0;
	mEntryIndex = 0;
	return 0;
}

unsigned long TVyFile::GetFreeBytes()
{
	UInt64 bytes = 0;
	if (GetVolumeFreeBytes(mVRefNum, mDirID, &bytes) != noErr)
		return 0;
	// A 32-bit count that has no room for the real figure says "at least this much".
	return UInt32(std::min<UInt64>(bytes, 0xFFFFFFFF));
}

short TVyFile::ChangeDir(tRelative where)
{
	SInt16 vRefNum = mHomeVRefNum;
	SInt32 dirID = mHomeDirID;
	long parent = FolderIDTable::kRootParentID;
	OSType folderType = 0;
	switch (where) {
	case kDirSystem:
		folderType = kSystemFolderType;
		break;
	case kDirTemporary:
		folderType = kTemporaryFolderType;
		break;
	case kDirPreferences:
		folderType = kPreferencesFolderType;
		break;
	case kDirTrash:
		folderType = kTrashFolderType;
		break;
	case kDirRoot:
		dirID = FolderIDTable::kRootID;
		break;
	default:
		break;
	}
	if (folderType != 0) {
		if (OSErr err = FindFolder(kOnSystemDisk, folderType, kDontCreateFolder, &vRefNum, &dirID);
		    err != noErr)
			return MapFileError(err);
	}
	if (dirID != FolderIDTable::kRootID) {
		const SInt16 saved = mVRefNum;
		mVRefNum = vRefNum;
		const OSErr err = QDParentID(dirID, &parent);
		mVRefNum = saved;
		if (err != noErr)
			return MapFileError(err);
	}
	mVRefNum = vRefNum;
	mDirID = dirID;
	mParentID = SInt32(parent);
	mDirName[0] = 0;
	mEntryIndex = 0;
	mPosition = 0;
	mMode = kFileModeRead;
	return 0;
}

short TVyFile::ChangeDir(const char* path)
{
	SignalIfNot_(path);
	if (!path || std::strlen(path) > 255)
		return kVyFileBadParam;
	Str255 pathP;
	PascalFromC(pathP, path, 255);
	long dirID = 0;
	if (OSErr err = QPDirectoryID(pathP, &dirID); err != noErr)
		return MapFileError(err);
	Str255 name;
	long parent = 0;
	if (OSErr err = QDPathName(dirID, name); err != noErr)
		return MapFileError(err);
	if (OSErr err = QDParentID(dirID, &parent); err != noErr)
		return MapFileError(err);
	mDirID = SInt32(dirID);
	mParentID = SInt32(parent);
	CopyPascal(mDirName, name, 63);
	mEntryIndex = 0;
	return 0;
}

short TVyFile::PrevDir()
{
	long parent = 0;
	long grandParent = 0;
	Str255 name;
	if (OSErr err = QDParentID(mDirID, &parent); err != noErr)
		return MapFileError(err);
	if (parent == FolderIDTable::kRootParentID)
		return kVyFileNotFound;
	if (OSErr err = QDPathName(parent, name); err != noErr)
		return MapFileError(err);
	if (OSErr err = QDParentID(parent, &grandParent); err != noErr)
		return MapFileError(err);
	mDirID = SInt32(parent);
	mParentID = SInt32(grandParent);
	CopyPascal(mDirName, name, 63);
	mEntryIndex = 0;
	return 0;
}

short TVyFile::CreateDir(const char* name)
{
	SignalIfNot_(name);
	if (!name)
		return kVyFileBadParam;
	Str255 nameP;
	PascalFromC(nameP, name, 255);
	SInt32 created = 0;
	return MapFileError(DirCreate(mVRefNum, mDirID, nameP, &created));
}

short TVyFile::RemoveDir(const char* name)
{
	Str255 nameP;
	SInt32 inFolder = mDirID;
	if (name) {
		PascalFromC(nameP, name, 255);
	} else {
		if (OSErr err = QDPathName(mDirID, nameP); err != noErr)
			return MapFileError(err);
		inFolder = mParentID;
	}
	// Only folders: a file of that name stays.
	CInfoPBRec pb;
	pb.ioNamePtr = nameP;
	pb.ioVRefNum = mVRefNum;
	pb.ioDirID = inFolder;
	if (OSErr err = PBGetCatInfoSync(&pb); err != noErr)
		return MapFileError(err);
	if (!(pb.ioFlAttrib & kioFlAttribDirMask))
		return kVyFileNotFound;
	const OSErr err = HDelete(mVRefNum, inFolder, nameP);
	if (err == noErr && !name)
		EntryRemoved();
	return MapFileError(err);
}

short TVyFile::FindFirst()
{
	mEntryIndex = 1;
	const short err = QFileInfo(&mFoundEntry, mEntryIndex);
	if (err == noErr)
		mFoundCatalog = mCatalog;
	return MapFileError(err);
}

short TVyFile::FindPrevious()
{
	if (mEntryIndex < 2)
		return kVyFileNotFound;
	--mEntryIndex;
	const short err = QFileInfo(&mFoundEntry, mEntryIndex);
	if (err == noErr)
		mFoundCatalog = mCatalog;
	else
		++mEntryIndex;
	return MapFileError(err);
}

short TVyFile::FindNext()
{
	++mEntryIndex;
	const short err = QFileInfo(&mFoundEntry, mEntryIndex);
	if (err == noErr)
		mFoundCatalog = mCatalog;
	else
		--mEntryIndex;
	return MapFileError(err);
}

void TVyFile::FindInfo(tFileInformation* info)
{
	SignalIfNot_(info);
	if (info)
		*info = mFoundEntry;
}

void TVyFile::FindInfo(TVyFile* target)
{
	SignalIfNot_(target);
	if (!target)
		return;
	Str63 name;
	PascalFromC(name, mFoundEntry.name, 63);
	target->mVRefNum = mVRefNum;
	if (mFoundCatalog.ioFlAttrib & kioFlAttribDirMask) {
		target->mDirID = mFoundCatalog.ioDrDirID;
		target->mParentID = mFoundCatalog.ioFlParID;
		CopyPascal(target->mDirName, name, 63);
		target->mFileRef = 0;
		target->mFileName[0] = 0;
	} else {
		target->mDirID = mDirID;
		target->mParentID = mParentID;
		CopyPascal(target->mDirName, mDirName, 63);
		target->mFileRef = mFoundCatalog.ioFRefNum;
		CopyPascal(target->mFileName, name, 63);
	}
	target->mHomeVRefNum = mHomeVRefNum;
	target->mHomeDirID = mHomeDirID;
	target->mFinder = this;
}

short TVyFile::Backup(TVyFile* to)
{
	SignalIfNot_(to);
	if (!to)
		return kVyFileBadParam;
	tStoredFileReference ref;
	ref.vRefNum = mVRefNum;
	ref.parentID = mParentID;
	ref.dirID = mDirID;
	CopyPascal(ref.name, mFileName, 63);
	// Without the table a later run could not resolve the ids.
	if (!KeepFileReference(ref))
		return kVyFileOther;
	UInt8 bytes[kStoredFileReferenceSize];
	EncodeFileReference(ref, bytes);
	const size_t fields[][2] = {{kFileReferenceVolumeOffset, 2},
	                            {kFileReferenceParentOffset, 4},
	                            {kFileReferenceFolderOffset, 4},
	                            {kFileReferenceNameOffset, kFileReferenceNameSize}};
	for (const auto& field : fields) {
		if (short err = to->Write(bytes + field[0], field[1]); err != 0)
			return err;
	}
	return 0;
}

short TVyFile::Restore(TVyFile* from)
{
	SignalIfNot_(from);
	InitFile();
	if (!from)
		return kVyFileBadParam;
	UInt8 bytes[kStoredFileReferenceSize] = {};
	const size_t fields[][2] = {{kFileReferenceVolumeOffset, 2},
	                            {kFileReferenceParentOffset, 4},
	                            {kFileReferenceFolderOffset, 4},
	                            {kFileReferenceNameOffset, kFileReferenceNameSize}};
	for (const auto& field : fields) {
		unsigned long count = field[1];
		if (short err = from->Read(bytes + field[0], &count); err != 0)
			return err;
		if (count != field[1])
			return kVyFileEOF;
	}
	tStoredFileReference ref;
	if (!DecodeFileReference(bytes, &ref))
		return kVyFileOther;
	mVRefNum = ref.vRefNum;
	mParentID = ref.parentID;
	mDirID = ref.dirID;
	CopyPascal(mFileName, ref.name, 63);
	Str255 name;
	if (QDPathName(mDirID, name) == noErr)
		CopyPascal(mDirName, name, 63);
	return 0;
}

void TVyFile::GetFileName(char* name) const
{
	SignalIfNot_(name);
	if (name)
		CFromPascal(name, mFileName);
}
