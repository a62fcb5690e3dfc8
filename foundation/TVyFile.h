#pragma once
// One file (or folder) on a volume, and every file operation of the system. Results are 0 or one of the codes
// of VyFileErrors.h.

#include "foundation/TVyDate.h"
#include "foundation/VyFileErrors.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/MacTypes.h"

struct tFileInformation {
	char name[64] = {};
	UInt32 size = 0;
	TVyDate created;
	TVyDate modified;
	UInt32 flags = 0;
	OSType type = 0;
	OSType creator = 0;
	UInt32 finderFlags = 0;
	UInt32 nativeCreated = 0;
	UInt32 nativeModified = 0;
	UInt32 dataForkLength = 0;
	UInt32 resourceForkLength = 0;

	void Clear();
};

constexpr UInt32 kFileInfoIsFolder = 0x0001;
constexpr UInt32 kFileInfoIsApplication = 0x0004;

enum tRelative : char {
	kDirSystem = 'F',
	kDirRoot = 'G',
	kDirHome = 'H',
	kDirTemporary = 'I',
	kDirPreferences = 'J',
	kDirTrash = 'K'
};

// Any value other than the three named places at an absolute position.
enum tSeekPlacement : char { kSeekAbsolute = 'P', kSeekForward = 'Q', kSeekBackward = 'R', kSeekToEnd = 'S' };

constexpr UInt32 kFileModeRead = 1;
constexpr UInt32 kFileModeWrite = 2;

class TVyFile
{
public:
	TVyFile();
	explicit TVyFile(TVyFile* other);
	TVyFile(TVyFile* other, const char* name);
	explicit TVyFile(FSSpec* spec);
	// Closes nothing: callers close first. An unfinished safe replacement is thrown away.
	virtual ~TVyFile();

	TVyFile(const TVyFile&) = delete;
	TVyFile& operator=(const TVyFile&) = delete;

	virtual void ResetVolumeInfo();
	virtual void InitFile();
	virtual short MapFileError(int error);
	virtual short QDPathName(long dirID, unsigned char* name);
	virtual short QDParentID(long dirID, long* parentID);
	virtual short QPDirectoryID(unsigned char* path, long* dirID);
	virtual short QFullPath(unsigned char* path, unsigned char withVolume, unsigned char withFile);
	virtual short QFileInfo(tFileInformation* info, int index);
	virtual void SetResourceFork(unsigned char on);
	virtual short GetFSSpec(FSSpec* spec);
	virtual short GetDirectoryFSSpec(FSSpec* spec);
	virtual void SetFileName(const char* name);
	virtual short CreateFile();
	virtual short RemoveFile();
	virtual short GetInfo(tFileInformation* info);
	virtual short SetInfo(tFileInformation* info);
	virtual short Exists();
	// buffer: at least 256 bytes.
	virtual short GetFullPath(char* buffer);
	virtual short GetDirectoryPath(char* buffer);
	virtual void SetMode(int mode);
	virtual short Open();
	virtual short Close();
	virtual short Read(void* buffer, unsigned long* count);
	virtual short Write(const void* buffer, unsigned long count);
	virtual short Flush();
	virtual unsigned long Size();
	virtual short Seek(tSeekPlacement placement, unsigned long offset);
	virtual unsigned long Tell();
	virtual short RenameFile(const char* newName);
	virtual short ChangeVolume(const char* volumeName);
	virtual unsigned long GetFreeBytes();
	virtual short ChangeDir(tRelative where);
	virtual short ChangeDir(const char* path);
	virtual short PrevDir();
	virtual short CreateDir(const char* name);
	virtual short RemoveDir(const char* name);
	virtual short FindFirst();
	virtual short FindPrevious();
	virtual short FindNext();
	virtual void FindInfo(tFileInformation* info);
	// The target names the found entry; its RemoveFile or RemoveDir(nullptr) keeps this object's walk in
	// step.
	virtual void FindInfo(TVyFile* target);
	virtual short Backup(TVyFile* to);
	virtual short Restore(TVyFile* from);

	// Safe replacement: while on, Open in write mode writes to a copy of the file in a temporary file of
	// the same folder, and Close renames the copy over the file only when every write succeeded; Abandon
	// (or a failed write followed by Close) throws the copy away and leaves the file as it was. A file
	// that does not exist yet appears only then, whole. Off by default.
	void SetReplaceSafely(bool on) { mReplaceSafely = on; }
	bool GetReplaceSafely() const { return mReplaceSafely; }
	// The type and creator a safe replacement gives the file (0: a file that stands keeps its own).
	void SetReplacementType(OSType type, OSType creator)
	{
		mReplacementType = type;
		mReplacementCreator = creator;
	}
	// The next safe replacement first copies the former file whole to this free name beside it, and fails
	// without touching the file when it cannot.
	void SetKeepFormerAs(const char* name);
	// The next safe replacement makes a file of a name the user chose as new: a file found under it, or made
	// there before Close, is another program's and is left as it is (kVyFileDuplicate).
	void SetMakeNew(bool on) { mMakeNew = on; }
	// Whether name is free where SetKeepFormerAs puts it: beside the file a symbolic link names.
	bool KeptNameIsFree(const char* name);
	// Deletes the file of that name there (an older kept copy); none there is no error.
	short RemoveKept(const char* name);
	// Closes without keeping what was written when replacing safely; otherwise as Close.
	short Abandon();
	// Deletes the copies that safe replacements left in the file's folder when the program was stopped in
	// the middle of one (killed, or the power went); a copy a living program is writing stays.
	short RemoveStaleCopies();

	SInt16 GetVRefNum() const { return mVRefNum; }
	SInt32 GetDirID() const { return mDirID; }
	SInt32 GetParentID() const { return mParentID; }
	SInt16 GetFileRef() const { return mFileRef; }
	UInt32 GetMode() const { return mMode; }
	UInt32 GetPosition() const { return mPosition; }
	SInt32 GetEntryIndex() const { return mEntryIndex; }
	// Length-prefixed, Mac Roman.
	const unsigned char* GetFileName() const { return mFileName; }
	const unsigned char* GetDirName() const { return mDirName; }
	void GetFileName(char* name) const; // 64 bytes

protected:
	short QueryCatalog(tFileInformation* info, int index, SInt32 dirID, const unsigned char* name);
	void EntryRemoved();

	SInt16 mVRefNum = 0;
	Str255 mVolumeName = {};
	SInt32 mParentID = 0;
	Str63 mDirName = {};
	SInt32 mDirID = 0;
	Str63 mFileName = {};
	SInt16 mFileRef = 0;
	UInt32 mPosition = 0;
	UInt32 mMode = kFileModeRead;
	SInt16 mPosMode = fsFromStart;
	SInt32 mEntryIndex = 0;
	UInt8 mResourceFork = 0;
	tFileInformation mFoundEntry;
	CInfoPBRec mFoundCatalog; // the catalog answer for the found entry
	CInfoPBRec mCatalog;
	Str63 mCatalogName = {};
	TVyFile* mFinder = nullptr;
	SInt16 mHomeVRefNum = 0;
	SInt32 mHomeDirID = 0;

	bool mReplaceSafely = false;
	OSType mReplacementType = 0;
	OSType mReplacementCreator = 0;
	Str63 mKeepFormerAs = {};
	bool mMakeNew = false;
	bool mReplacing = false; // the open fork is a replacement copy
	short mWriteFailure = 0; // first failed write since Open
};
