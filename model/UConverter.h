#pragma once
// The conversion of the former product's files: at start-up, its settings and security files (in its own
// folder beside the preferences folder, or former-version files in the plug-in's own folder, converted in
// place); a former-version portfolio when it is opened. A file is replaced only after its old contents were
// read and the new file written; an old file converted in place stays beside the new one as ".old".

#include "model/tPreferenceFileType.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

class TVyFile;

typedef UInt8 tOldPrefsConversion;
enum : tOldPrefsConversion {
	oldPrefsConverted = 10,
	oldPrefsNotPresent = 11,
	oldPrefsUnsupported = 12,
	// Read, but the new file could not be written: the old file is kept as it was.
	oldPrefsNotWritten = 13
};

class UConverter
{
public:
	static constexpr std::size_t kMaxFileName = 63;

	// Whether there is anything to convert; prepares the folders and files when there is.
	static bool ShouldConvert();
	static void Start();
	// Releases the folders, the files and the converted securities.
	static void Finish();
	// One result per file: settings, stocks, funds, indexes, currencies. 0 or the last failed write.
	static short ConvertPrefs(tOldPrefsConversion& settings, tOldPrefsConversion& stocks,
	                          tOldPrefsConversion& funds, tOldPrefsConversion& indexes,
	                          tOldPrefsConversion& currencies);

	// True unless the file opens and begins with the current tag.
	static bool ShouldConvertPortfolio(TVyFile* file);
	// Converts a former-version portfolio under its own name and keeps the old file beside it; the file
	// is left as it was when it cannot be read or the new one cannot be written. 0 or the error.
	static short ConvertPortfolio(TVyFile* file);

	// A name in the file's folder for keeping its old contents: name.old, or name 2.old and on when
	// taken.
	static void FreeOldName(TVyFile* file, char* name);
};
