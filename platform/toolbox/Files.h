#pragma once
// The file manager over POSIX. One volume (the root file system) holds every folder; folders are named by ids
// that the folder table (FolderIDTable.h) keeps. Names are the system's Mac Roman bytes; on disk they are
// UTF-8, with the Mac separator ':' and the POSIX '/' trading places. Native file times are seconds since
// 1970 UTC.

#include "platform/toolbox/MacErrors.h"
#include "platform/toolbox/MacTypes.h"

#include <string>

enum { fsCurPerm = 0, fsRdPerm = 1, fsWrPerm = 2, fsRdWrPerm = 3 };
enum { fsAtMark = 0, fsFromStart = 1, fsFromLEOF = 2, fsFromMark = 3 };
enum { fsRtParID = 1, fsRtDirID = 2 };

constexpr SInt16 kVolumeRefNum = -1;
// Finder flag of an invisible file.
constexpr UInt16 kIsInvisible = 0x4000;
// ioFlAttrib bit of a folder.
constexpr UInt8 kioFlAttribDirMask = 0x10;

struct FSSpec {
	SInt16 vRefNum = 0;
	SInt32 parID = 0;
	Str63 name = {};
};

struct FInfo {
	OSType fdType = 0;
	OSType fdCreator = 0;
	UInt16 fdFlags = 0;
};

// One catalog query. In: ioNamePtr (by name; may hold a partial path), ioVRefNum, ioDirID and ioFDirIndex
// (0: by name, n > 0: the n-th entry of the folder ioDirID sorted by name, -1: the folder ioDirID itself).
// Out: the entry's name in ioNamePtr when the index is not 0 (at most 63 characters), and the fields below.
struct CInfoPBRec {
	StringPtr ioNamePtr = nullptr;
	SInt16 ioVRefNum = 0;
	SInt16 ioFDirIndex = 0;
	SInt32 ioDirID = 0;

	UInt8 ioFlAttrib = 0;  // kioFlAttribDirMask for a folder
	SInt16 ioFRefNum = 0;  // open reference of the file, 0 when not open
	SInt32 ioDrDirID = 0;  // a folder's own id (0 for a file)
	SInt32 ioFlParID = 0;  // the id of the folder that holds the entry
	FInfo ioFlFndrInfo;    // zero for a folder
	UInt32 ioFlLgLen = 0;  // data fork length
	UInt32 ioFlRLgLen = 0; // resource fork length (always 0 here)
	UInt32 ioFlCrDat = 0;
	UInt32 ioFlMdDat = 0;
};

OSErr PBGetCatInfoSync(CInfoPBRec* pb);

// fnfErr still fills in the FSSpec, for a file about to be created.
OSErr FSMakeFSSpec(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, FSSpec* spec);

OSErr HCreate(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, OSType creator, OSType fileType);
// Deletes a file or an empty folder.
OSErr HDelete(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name);
OSErr HRename(SInt16 vRefNum, SInt32 dirID, ConstStr255Param oldName, ConstStr255Param newName);
OSErr DirCreate(SInt16 vRefNum, SInt32 parentDirID, ConstStr255Param name, SInt32* createdDirID);

OSErr HGetFInfo(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, FInfo* info);
// Type, creator and flags go to extended attributes; a file system that refuses them is no error.
OSErr HSetFInfo(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, const FInfo* info);
OSErr HSetFileDates(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, UInt32 created, UInt32 modified);

OSErr HOpenDF(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, SInt8 permission, SInt16* refNum);
// There are no resource forks: always fnfErr.
OSErr HOpenRF(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, SInt8 permission, SInt16* refNum);
// Opens, for writing, a copy of the file in a temporary file of the same folder (the file a symbolic link
// names). A file that stands is copied and must be writable; one that does not is made only at FSClose, which
// pushes the copy to the disk and renames it over the file in one step. The copy keeps the former file's
// type, creator, flags, permission bits, ACL, group and (for root) owner, all taken from the one file opened
// here: a link put in its place later is never followed. Where what each user and group may do with the file
// cannot be kept (another user's file, a disk refusing chgrp, chmod or ACLs), nothing is written and the
// open or FSClose answers fsRightsNotKeptErr.
// FSCloseDiscarding throws the copy away. Until FSClose the file itself is untouched, and a new name never
// shows a file that is not whole nor takes the place of a file made meanwhile (dupFNErr).
OSErr HOpenReplacement(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, SInt16* refNum);
// The same for a name the user chose as new: a file found under it now, or made there before FSClose, was
// put there by another program and is left as it is (dupFNErr).
OSErr HOpenNewReplacement(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, SInt16* refNum);
// The same for a file named by its path (mustBeNew as above), for a writer of its own (a printer). The copy
// starts empty. writerFd is the caller's own duplicate of the copy's descriptor (close-on-exec, sharing its
// offset), to be written and closed before FSClose: the writer reaches that very file by no name at all.
OSErr PathOpenReplacement(const std::string& posixPath, bool mustBeNew, SInt16* refNum, int* writerFd);
// A file that is a mount point cannot be replaced: another file system stands there.
constexpr OSErr fsMountPointErr = -1430;
// The name is a symbolic link to no file: there is nothing it names to replace.
constexpr OSErr fsDanglingLinkErr = -1431;
// A link on the way stands in a folder that is sticky and writable by all, and is neither this user's nor
// the folder owner's: it may be another user's trap, and is not followed (as the kernel's own rule has it).
constexpr OSErr fsUntrustedLinkErr = -1432;
// The copy being written no longer stands under its name: another program moved or replaced it.
constexpr OSErr fsCopyTakenErr = -1433;
// The name is a named pipe, a device, a socket or a folder: nothing is opened or written through it.
constexpr OSErr fsNotAFileErr = -1434;
// A replaced file's owner, group and ACL could not be kept: the file would have let someone do what the former
// file did not let him, or a user it named would have lost what he could do.
constexpr OSErr fsRightsNotKeptErr = -1435;
// The type and creator the replacement gives its file.
OSErr HSetReplacementInfo(SInt16 refNum, OSType type, OSType creator);
// At FSClose the former file is first copied whole to keptName (in its folder, a name that must be free
// then), and only then replaced; the copy keeps its contents, type, mode, owner and dates.
OSErr HSetReplacementKeepsFormer(SInt16 refNum, ConstStr255Param keptName);
// Whether keptName is free in the folder a replacement of the named file lands in (beside the file a
// symbolic link names), where HSetReplacementKeepsFormer puts it.
bool HKeptNameIsFree(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, ConstStr255Param keptName);
// Deletes the file keptName there, so that a newer kept copy can take its name; none there is no error.
OSErr HDeleteKept(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, ConstStr255Param keptName);
// Deletes, in the named file's folder, the copies that replacements interrupted by a crash left behind (their
// names ".<file>.vantorel-save-" and six letters or digits). A copy still being written is locked by its
// writer and stays; so does one changed in the last olderThan seconds, for file systems without locks.
OSErr HRemoveStaleReplacements(SInt16 vRefNum, SInt32 dirID, ConstStr255Param name, UInt32 olderThan);
OSErr PathRemoveStaleReplacements(const std::string& folder, UInt32 olderThan);
// The same in the folder an open replacement lands in.
OSErr FSRemoveStaleReplacementsBeside(SInt16 refNum, UInt32 olderThan);

// The moments of a replacement, for tests that stop the program or change the folder between them.
// kCopyCreated: the copy stands under its name, not yet locked.
enum class ReplaceStep {
	kResolved,
	kCopyCreated,
	kCopyMade,
	kCopyWritten,
	kKeptCopyWritten,
	kFormerKept,
	kReplaced
};
using ReplaceStepHook = void (*)(ReplaceStep);
ReplaceStepHook SetReplaceStepHook(ReplaceStepHook hook);
// For tests: this process's renames meet what NFS, FUSE or a shared folder answer, which refuse the
// no-replace flag, some of them links too.
enum class RenameRefusal { kNone, kNoReplaceFlag, kNoReplaceFlagAndLinks };
void SetRenameRefusal(RenameRefusal refusal);
// For tests: every such step of this process's replacements fails with the errno given (0: none does).
enum class AttributeStep { kOwner, kGroup, kAccessList, kMode };
void SetAttributeFault(AttributeStep step, int error);

OSErr FSRead(SInt16 refNum, SInt32* count, void* buffer);
OSErr FSWrite(SInt16 refNum, SInt32* count, const void* buffer);
OSErr SetFPos(SInt16 refNum, SInt16 posMode, SInt32 posOff);
OSErr GetFPos(SInt16 refNum, SInt32* filePos);
OSErr GetEOF(SInt16 refNum, SInt32* logEOF);
OSErr SetEOF(SInt16 refNum, SInt32 logEOF);
// Pushes written data to the disk.
OSErr FSFlushFork(SInt16 refNum);
OSErr FSClose(SInt16 refNum);
OSErr FSCloseDiscarding(SInt16 refNum);

// The default volume and folder of the process (its working folder).
OSErr HGetVol(StringPtr volName, SInt16* vRefNum, SInt32* dirID);
// Makes the named volume (name, or vRefNum when the name is null) and folder the default.
OSErr HSetVol(ConstStr255Param volName, SInt16 vRefNum, SInt32 dirID);
// The name of the only volume.
void GetVolumeName(Str255 name);
// Free bytes on the file system that holds the folder.
OSErr GetVolumeFreeBytes(SInt16 vRefNum, SInt32 dirID, UInt64* freeBytes);

// Bridges to the platform's own paths, for dialogs and tests.
OSErr FSpGetPOSIXPath(const FSSpec* spec, std::string* path);
// bdNamErr, leaving spec untouched, when the file's name has no exact Mac Roman spelling of at most 63
// characters (or the path holds a NUL).
OSErr FSPathMakeFSSpec(const std::string& posixPath, FSSpec* spec);
// Why the file at the path cannot be opened for reading, as HOpenDF would find when opening it now: 0 when it
// can; kNotPlainFile for a folder, a named pipe or a device, or a path ending in '/' (which names a folder);
// otherwise the system's errno (ENOENT, ENOTDIR, ELOOP, ENAMETOOLONG, EACCES, ...).
constexpr int kNotPlainFile = -1;
int FSPathOpenProblem(const std::string& posixPath);
// The type stored with the file at the path; 0 when it has none.
OSType FileTypeAtPath(const std::string& posixPath);

// The system's name (Mac Roman) of an on-disk name (UTF-8), and back.
std::string MacNameFromDisk(const std::string& diskName);
std::string DiskNameFromMac(const std::string& macName);
