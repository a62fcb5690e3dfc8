#include "foundation/TVyFileUtils.h"

#include "foundation/TVyString.h"
#include "foundation/UUnicode.h"
#include "foundation/VyStrings.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/HeldFiles.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <unistd.h>
#include <vector>

namespace
{

TVyFileUtils::NavHandler& Handler()
{
	static TVyFileUtils::NavHandler sHandler;
	return sHandler;
}

bool Matches(const tFileInformation& info, unsigned long type, unsigned long creator)
{
	return (type == 0 || info.type == type) && (creator == 0 || info.creator == creator);
}

// A new file object for the chosen item, or null when the dialog was cancelled.
TVyFile* FileFromReply(const tNavReply& reply)
{
	if (!reply.accepted)
		return nullptr;
	FSSpec spec = reply.spec;
	TVyFile* file = new (std::nothrow) TVyFile(&spec);
	if (file == nullptr)
		throw kNilPointerError;
	return file;
}

} // namespace

TVyFileUtils::NavHandler TVyFileUtils::SetNavHandler(NavHandler handler)
{
	NavHandler previous = std::move(Handler());
	Handler() = std::move(handler);
	return previous;
}

tNavReply TVyFileUtils::Ask(const tNavRequest& request)
{
	if (!Handler())
		return tNavReply();
	return Handler()(request);
}

short TVyFileUtils::Touch(TVyFile* file, unsigned long type, unsigned long creator, bool invisible)
{
	SignalIf_(file == nullptr);
	if (file == nullptr)
		return kVyFileBadParam;
	TVyFile copy(file);
	if (!copy.Exists()) {
		short result = copy.CreateFile();
		if (result != 0)
			return result;
	}
	tFileInformation info;
	short result = copy.GetInfo(&info);
	if (result != 0)
		return result;
	info.type = OSType(type);
	info.creator = OSType(creator);
	if (invisible)
		info.finderFlags |= kIsInvisible;
	return copy.SetInfo(&info);
}

short TVyFileUtils::TouchFile(TVyFile* file, unsigned long type, unsigned long creator)
{
	return Touch(file, type, creator, false);
}

short TVyFileUtils::TouchInvisibleFile(TVyFile* file, unsigned long type, unsigned long creator)
{
	return Touch(file, type, creator, true);
}

short TVyFileUtils::ReplaceFile(TVyFile* file, unsigned long type, unsigned long creator, const void* bytes,
                                unsigned long length)
{
	const bool wasSafe = file->GetReplaceSafely();
	file->SetReplaceSafely(true);
	file->SetReplacementType(OSType(type), OSType(creator));
	file->SetMode(kFileModeWrite);
	short err = file->Open();
	if (err == 0) {
		err = file->Write(bytes, length);
		if (err != 0)
			file->Abandon();
		else
			err = file->Close();
	}
	file->SetReplaceSafely(wasSafe);
	file->SetReplacementType(0, 0);
	return err;
}

bool TVyFileUtils::IsDocumentFile(TVyFile* file)
{
	FSSpec spec;
	std::string path;
	return file->GetFSSpec(&spec) == 0 && FSpGetPOSIXPath(&spec, &path) == noErr &&
	       FileHeldByDocument(path);
}

TVyFile* TVyFileUtils::GetDirectorySFP(char*)
{
	tNavRequest request;
	request.kind = tNavRequest::kChooseFolder;
	return FileFromReply(Ask(request));
}

TVyFile* TVyFileUtils::NewFileSFP(char*, char*, char* defaultName)
{
	tNavRequest request;
	request.kind = tNavRequest::kSaveFile;
	request.defaultName = defaultName != nullptr ? defaultName : "";
	request.optionFlags = 0xF4;
	const tNavReply reply = Ask(request);
	TVyFile* file = FileFromReply(reply);
	if (file == nullptr)
		return nullptr;
	if (IsDocumentFile(file)) {
		delete file;
		return nullptr;
	}
	// What stands under the name stays whole until the new contents replace it at Close; a name chosen as
	// new is made new.
	file->SetReplaceSafely(true);
	file->SetMakeNew(!reply.replacing);
	file->SetMode(kFileModeWrite);
	return file;
}

TVyFile* TVyFileUtils::OpenFileSFP(char* message, char* title, unsigned long type)
{
	tNavRequest request;
	request.kind = tNavRequest::kChooseFile;
	request.fileType = OSType(type);
	request.optionFlags = 0x10;
	request.message = message;
	request.title = title;
	return FileFromReply(Ask(request));
}

TVyFile* TVyFileUtils::OpenAnyFileSFP(char* message, char* title)
{
	return OpenFileSFP(message, title, FOUR_CHAR_CODE("????"));
}

char* TVyFileUtils::LoadFile(TVyFile* file, unsigned long* length, unsigned long limit)
{
	Assert_(file != nullptr);
	unsigned long ignored = 0;
	if (length == nullptr)
		length = &ignored;
	*length = 0;
	if (!file->Exists())
		return nullptr;
	unsigned long size = file->Size();
	if (limit != 0 && size > limit)
		size = limit;
	// One spare byte, so that an empty file still gives an array.
	char* bytes = new (std::nothrow) char[size + 1];
	if (bytes == nullptr)
		throw kNilPointerError;
	file->SetMode(kFileModeRead);
	short result = file->Open();
	if (result == 0) {
		unsigned long count = size;
		if (size > 0)
			result = file->Read(bytes, &count);
		if (result == 0 && count != size)
			result = kVyFileEOF;
		short closed = file->Close();
		if (result == 0)
			result = closed;
	}
	if (result != 0) {
		file->Close();
		delete[] bytes;
		return nullptr;
	}
	*length = size;
	return bytes;
}

bool TVyFileUtils::LoadFile(TVyFile* file, TVyString& text)
{
	text.Clear();
	unsigned long length = 0;
	char* bytes = LoadFile(file, &length, 0);
	if (bytes == nullptr)
		return false;
	text.Assign(bytes, length);
	delete[] bytes;
	return true;
}

short TVyFileUtils::GetBuffer(TVyFile* file, char* buffer, long* length, const char* delimiters)
{
	Assert_(file != nullptr);
	Assert_(buffer != nullptr);
	Assert_(length != nullptr && *length >= 1);
	Assert_(delimiters != nullptr);
	const long room = *length - 1;
	long stored = 0;
	short result = 0;
	while (stored < room) {
		char c = 0;
		unsigned long count = 1;
		result = file->Read(&c, &count);
		if (result != 0 || count != 1) {
			if (result == 0)
				result = kVyFileEOF;
			break;
		}
		if (c != 0 && std::strchr(delimiters, c) != nullptr)
			break;
		buffer[stored++] = c;
	}
	buffer[stored] = 0;
	*length = stored;
	return result;
}

short TVyFileUtils::GetLine(TVyFile* file, char* buffer, long* length)
{
	return GetBuffer(file, buffer, length, "\n\r");
}

short TVyFileUtils::CopyFile(TVyFile* source, TVyFile* destination)
{
	SignalIf_(source == nullptr || destination == nullptr);
	if (source == nullptr || destination == nullptr)
		return kVyFileBadParam;
	TVyFile src(source);
	tFileInformation srcInfo;
	short result = src.GetInfo(&srcInfo);
	if (result != 0)
		return result;
	if (srcInfo.flags & kFileInfoIsFolder)
		return kVyFileBadParam;

	// The destination names a file (which need not exist yet) or a folder to copy into.
	std::unique_ptr<TVyFile> target;
	char destName[64] = {};
	destination->GetFileName(destName);
	tFileInformation destInfo;
	if (destName[0] == 0) {
		target = std::make_unique<TVyFile>(destination, srcInfo.name);
	} else {
		result = destination->GetInfo(&destInfo);
		if (result == 0 && (destInfo.flags & kFileInfoIsFolder)) {
			// Either the folder of that name inside the current folder, or the current folder
			// itself.
			TVyFile folder(destination);
			folder.ChangeDir(destName);
			target = std::make_unique<TVyFile>(&folder, srcInfo.name);
		} else if (result == 0 || result == kVyFileNotFound) {
			target = std::make_unique<TVyFile>(destination);
		} else {
			return result;
		}
	}

	char targetName[64] = {};
	target->GetFileName(targetName);
	if (target->GetVRefNum() == src.GetVRefNum() && target->GetDirID() == src.GetDirID() &&
	    std::strcmp(targetName, srcInfo.name) == 0)
		return kVyFileBadParam;
	if (IsDocumentFile(target.get()))
		return kVyFileOpenForWriting;

	auto fail = [&](short code) {
		target->Abandon();
		src.Close();
		return code;
	};

	// The copy goes to a temporary file beside the destination, which replaces it only when complete.
	target->SetReplaceSafely(true);
	target->SetReplacementType(srcInfo.type, srcInfo.creator);
	target->SetMode(kFileModeWrite);
	result = target->Open();
	if (result != 0)
		return fail(result);
	src.SetMode(kFileModeRead);
	result = src.Open();
	if (result != 0)
		return fail(result);
	std::vector<char> block(32768);
	for (;;) {
		unsigned long count = block.size();
		result = src.Read(block.data(), &count);
		if (result != 0 && result != kVyFileEOF)
			return fail(result);
		if (count > 0) {
			short written = target->Write(block.data(), count);
			if (written != 0)
				return fail(written);
		}
		if (result == kVyFileEOF)
			break;
	}
	src.Close();
	result = target->Close();
	if (result != 0)
		return result;
	return target->SetInfo(&srcInfo);
}

short TVyFileUtils::XDelSubDir(TVyFile* folder, unsigned char deleteFolders, unsigned char deleteFiles,
                               unsigned char recurse)
{
	SignalIf_(folder == nullptr);
	if (folder == nullptr)
		return kVyFileBadParam;
	// The entries are gathered before any is deleted, so that deletions cannot make the walk skip one.
	TVyFile walker(folder);
	std::vector<std::unique_ptr<TVyFile>> entries;
	std::vector<bool> isFolder;
	for (short r = walker.FindFirst(); r == 0; r = walker.FindNext()) {
		tFileInformation info;
		walker.FindInfo(&info);
		auto entry = std::make_unique<TVyFile>();
		walker.FindInfo(entry.get());
		entries.push_back(std::move(entry));
		isFolder.push_back((info.flags & kFileInfoIsFolder) != 0);
	}
	for (std::size_t i = 0; i < entries.size(); i++) {
		TVyFile* entry = entries[i].get();
		short result = 0;
		if (isFolder[i]) {
			if (recurse) {
				result = XDelSubDir(entry, deleteFolders, deleteFiles, recurse);
				if (result != 0)
					return result;
			}
			if (deleteFolders)
				result = entry->RemoveDir(nullptr);
		} else if (deleteFiles) {
			result = entry->RemoveFile();
		}
		if (result != 0)
			return result;
	}
	return 0;
}

short TVyFileUtils::XDel(TVyFile* folder, unsigned char deleteFolders, unsigned char deleteFiles,
                         unsigned char recurse)
{
	SignalIf_(folder == nullptr);
	if (folder == nullptr)
		return kVyFileBadParam;
	const unsigned char files = deleteFolders && recurse ? 1 : deleteFiles;
	short result = XDelSubDir(folder, deleteFolders, files, recurse);
	if (result != 0)
		return result;
	if (deleteFolders)
		return folder->RemoveDir(nullptr);
	return 0;
}

long TVyFileUtils::CountFiles(TVyFile* folder, unsigned long type, unsigned long creator)
{
	SignalIf_(folder == nullptr);
	if (folder == nullptr)
		return 0;
	TVyFile walker(folder);
	long count = 0;
	for (short r = walker.FindFirst(); r == 0; r = walker.FindNext()) {
		tFileInformation info;
		walker.FindInfo(&info);
		if (Matches(info, type, creator))
			count++;
	}
	return count;
}

long TVyFileUtils::FileCounter(TVyFile* file, unsigned long type, unsigned long creator)
{
	SignalIf_(file == nullptr);
	if (file == nullptr)
		return 0;
	char name[64] = {};
	file->GetFileName(name);
	TVyFile walker(file);
	long count = 0;
	for (short r = walker.FindFirst(); r == 0; r = walker.FindNext()) {
		tFileInformation info;
		walker.FindInfo(&info);
		if (!Matches(info, type, creator))
			continue;
		count++;
		if (std::strcmp(info.name, name) == 0)
			return count;
	}
	return 0;
}

TVyFile* TVyFileUtils::FlattenUnicodeFile(TVyFile* file)
{
	Assert_(file != nullptr);
	unsigned long length = 0;
	std::unique_ptr<char[]> bytes(LoadFile(file, &length, 0));
	if (bytes == nullptr)
		return nullptr;
	unsigned long flatLength = 0;
	std::unique_ptr<unsigned char[]> flat(
	    UUnicode::FlattenBuffer(bytes.get(), length, &flatLength, nullptr));
	if (flat == nullptr)
		return nullptr;

	auto temp = std::make_unique<TVyFile>();
	if (temp->ChangeDir(kDirTemporary) != 0)
		return nullptr;
	// The temporary folder is the user's own; a fresh name per call keeps earlier results intact.
	static unsigned long sSerial = 0;
	short result = kVyFileDuplicate;
	for (int attempt = 0; attempt < 1000 && result == kVyFileDuplicate; attempt++) {
		char name[64];
		std::snprintf(name, sizeof name, "Flattened %ld-%lu", long(getpid()), ++sSerial);
		temp->SetFileName(name);
		result = temp->Exists() ? short(kVyFileDuplicate) : temp->CreateFile();
	}
	if (result != 0)
		return nullptr;
	temp->SetMode(kFileModeWrite);
	result = temp->Open();
	if (result == 0) {
		result = temp->Write(flat.get(), flatLength);
		short closed = temp->Close();
		if (result == 0)
			result = closed;
	}
	if (result != 0) {
		temp->RemoveFile();
		return nullptr;
	}
	return temp.release();
}
