#pragma once
// Static file operations built on the file object: types and creators, the file dialogs, whole-file loading,
// delimited reading, copying, emptying folders, counting files and flattening Unicode text files.

#include "foundation/TVyFile.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/MacTypes.h"

#include <functional>
#include <vector>

class TVyString;

// Thrown when memory for a whole file cannot be had.
constexpr long kNilPointerError = long(FOUR_CHAR_CODE("nilP"));

// One question to the user through a file dialog, and the answer.
struct tNavRequest {
	enum Kind { kChooseFolder, kSaveFile, kChooseFile };
	Kind kind = kChooseFolder;
	const char* defaultName = nullptr; // kSaveFile
	OSType fileType = 0;               // kChooseFile; '????' for any
	UInt32 optionFlags = 0;
	const char* message = nullptr;
	const char* title = nullptr;
};

struct tNavReply {
	bool accepted = false;
	FSSpec spec;
	bool replacing = false;    // kSaveFile: the user agreed to replace an existing file
	std::vector<FSSpec> specs; // kChooseFile with kNavAllowMultipleFiles: every chosen file, spec first
};

// kChooseFile: the user may choose several files.
constexpr UInt32 kNavAllowMultipleFiles = 0x0080;

class TVyFileUtils
{
public:
	using NavHandler = std::function<tNavReply(const tNavRequest&)>;

	// The file dialogs go through this handler. Without a display nothing can be asked, so the default
	// answers "cancelled"; the window layer installs the real dialogs, tests install answers. Returns the
	// handler it replaces; an empty handler restores the default.
	static NavHandler SetNavHandler(NavHandler handler);
	// Asks through the handler; for callers that need the reply itself (a save that must not touch an
	// existing file before it has written the new one, several chosen files).
	static tNavReply Ask(const tNavRequest& request);

	static short TouchFile(TVyFile* file, unsigned long type, unsigned long creator);
	static short TouchInvisibleFile(TVyFile* file, unsigned long type, unsigned long creator);
	// Makes the file (of this type and creator) hold exactly these bytes. They go to a temporary file
	// that replaces it only once complete, so a failed write leaves the file as it was, or no file where
	// there was none.
	static short ReplaceFile(TVyFile* file, unsigned long type, unsigned long creator, const void* bytes,
	                         unsigned long length);
	// True when the file is an open document's: an export, a copy or an output file written there would
	// take the document's place on disk while its window still shows it saved.
	static bool IsDocumentFile(TVyFile* file);

	// Each returns a new file object owned by the caller, or null when the user cancelled or it failed.
	// NewFileSFP's file is opened for safe replacement: the name shows the new contents only when they
	// are closed whole; an open document's file is not given.
	static TVyFile* GetDirectorySFP(char* prompt);
	static TVyFile* NewFileSFP(char* prompt, char* title, char* defaultName);
	static TVyFile* OpenFileSFP(char* message, char* title, unsigned long type);
	static TVyFile* OpenAnyFileSFP(char* message, char* title);

	// The file's bytes (no terminating zero) in an array the caller deletes, at most limit of them when
	// the limit is not 0; null with length 0 when the file is missing or cannot be read.
	static char* LoadFile(TVyFile* file, unsigned long* length, unsigned long limit);
	static bool LoadFile(TVyFile* file, TVyString& text);

	// Reads from the open file up to a byte of the delimiters (not stored) and ends the text with a zero;
	// length: the buffer's size in, the bytes stored out. Returns the last read's result (1001 at the
	// end).
	static short GetBuffer(TVyFile* file, char* buffer, long* length, const char* delimiters);
	static short GetLine(TVyFile* file, char* buffer, long* length);

	// Copies the source into the destination file, or into a file of the source's name when the
	// destination names a folder. The destination is replaced only once the copy is complete.
	static short CopyFile(TVyFile* source, TVyFile* destination);

	static short XDelSubDir(TVyFile* folder, unsigned char deleteFolders, unsigned char deleteFiles,
	                        unsigned char recurse);
	static short XDel(TVyFile* folder, unsigned char deleteFolders, unsigned char deleteFiles,
	                  unsigned char recurse);

	// Type and creator 0 match anything.
	static long CountFiles(TVyFile* folder, unsigned long type, unsigned long creator);
	static long FileCounter(TVyFile* file, unsigned long type, unsigned long creator);

	// A new one-byte text file in the user's temporary folder made from a UTF-16 or UTF-32 text file,
	// owned by the caller; null when the file is no such text or cannot be converted.
	static TVyFile* FlattenUnicodeFile(TVyFile* file);

private:
	static short Touch(TVyFile* file, unsigned long type, unsigned long creator, bool invisible);
};
