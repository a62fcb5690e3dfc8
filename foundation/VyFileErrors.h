#pragma once
// The file object's own result codes; every file operation returns 0 or one of these.

enum {
	kVyFileNoErr = 0,
	kVyFileEOF = 1001,
	kVyFileNotFound = 1004,
	kVyFileBadParam = 1005,
	kVyFileBadName = 1006,
	kVyFileDuplicate = 1007,
	kVyFileFull = 1008,
	kVyFileLocked = 1009,
	kVyFilePermission = 1010,
	kVyFileOpenForWriting = 1011,
	kVyFileMountPoint = 1012,    // another file system is mounted on the file
	kVyFileDanglingLink = 1013,  // the name is a link to no file
	kVyFileUntrustedLink = 1014, // another user's link in a folder open to all, not followed
	kVyFileCopyTaken = 1015,     // the copy being written was moved or replaced by another program
	kVyFileNotAFile = 1016,      // a named pipe, a device or a socket stands under the name
	kVyFileRightsNotKept = 1017, // who may do what with the replaced file could not be kept
	kVyFileOther = 1025
};
