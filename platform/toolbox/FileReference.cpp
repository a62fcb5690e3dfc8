#include "platform/toolbox/FileReference.h"

#include "platform/toolbox/FolderIDTable.h"

#include <cstring>

void EncodeFileReference(const tStoredFileReference& ref, UInt8 (&bytes)[kStoredFileReferenceSize])
{
	std::memset(bytes, 0, sizeof bytes);
	std::memcpy(bytes + kFileReferenceVolumeOffset, &ref.vRefNum, 2);
	std::memcpy(bytes + kFileReferenceParentOffset, &ref.parentID, 4);
	std::memcpy(bytes + kFileReferenceFolderOffset, &ref.dirID, 4);
	const UInt8 length = ref.name[0] > 63 ? 63 : ref.name[0];
	bytes[kFileReferenceNameOffset] = length;
	std::memcpy(bytes + kFileReferenceNameOffset + 1, ref.name + 1, length);
}

bool DecodeFileReference(const UInt8 (&bytes)[kStoredFileReferenceSize], tStoredFileReference* ref)
{
	const UInt8 length = bytes[kFileReferenceNameOffset];
	if (!ref || length > 63)
		return false;
	std::memcpy(&ref->vRefNum, bytes + kFileReferenceVolumeOffset, 2);
	std::memcpy(&ref->parentID, bytes + kFileReferenceParentOffset, 4);
	std::memcpy(&ref->dirID, bytes + kFileReferenceFolderOffset, 4);
	std::memset(ref->name, 0, sizeof ref->name);
	ref->name[0] = length;
	std::memcpy(ref->name + 1, bytes + kFileReferenceNameOffset + 1, length);
	return true;
}

bool KeepFileReference(const tStoredFileReference& ref)
{
	const bool folder = FolderIDTable::Keep(ref.dirID);
	const bool parent = ref.parentID == FolderIDTable::kRootParentID || FolderIDTable::Keep(ref.parentID);
	return folder && parent;
}
