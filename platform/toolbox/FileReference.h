#pragma once
// The stored file reference: 74 bytes in the byte order of the machine that writes them. Its folder ids are
// kept in the folder table, so that a later run on the same machine finds the same folder again.

#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tStoredFileReference {
	SInt16 vRefNum = 0;
	SInt32 parentID = 0;
	SInt32 dirID = 0;
	Str63 name = {};
};

constexpr size_t kFileReferenceVolumeOffset = 0;
constexpr size_t kFileReferenceParentOffset = 2;
constexpr size_t kFileReferenceFolderOffset = 6;
constexpr size_t kFileReferenceNameOffset = 10;
constexpr size_t kFileReferenceNameSize = 64;
constexpr size_t kStoredFileReferenceSize = 74;
static_assert(kFileReferenceNameOffset + kFileReferenceNameSize == kStoredFileReferenceSize);

// The bytes after the name are written as zeros.
void EncodeFileReference(const tStoredFileReference& ref, UInt8 (&bytes)[kStoredFileReferenceSize]);
// False, leaving ref untouched, when the stored name length is above 63.
bool DecodeFileReference(const UInt8 (&bytes)[kStoredFileReferenceSize], tStoredFileReference* ref);
// Records the reference's folder ids in the folder table; false when the table cannot be written.
bool KeepFileReference(const tStoredFileReference& ref);
