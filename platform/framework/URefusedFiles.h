#pragma once
// Files that cannot be opened, whichever road names them (the Open dialog, the command line, a script's
// open-documents event, or an opening that failed): why, judged by the file layer when it looks the file up
// and opens it, and one alert naming each file with its reason (alert 201 with the texts of string list
// 130).

#include "platform/framework/FrameworkTypes.h"
#include "platform/toolbox/Files.h"

#include <string>
#include <vector>

class URefusedFiles
{
public:
	enum : ResIDT { ALRT_RefusedFiles = 201 };
	// Entries of string list 130.
	enum : SInt16 {
		kNotFoundText = 1,
		kNotAFileText = 2,
		kUnreadableText = 3,
		kMoreText = 4,
		kNameCharactersText = 5,
		kNameLengthText = 6,
		kOneFileHeading = 7,
		kFilesHeading = 8,
		kTooLongText = 9,
		kLinkLoopText = 10
	};
	enum : SInt16 { STRx_RefusedTexts = 130 };

	struct tRefusal {
		std::string path; // as the file system spells it
		SInt16 reason;    // entry of string list 130
		OSErr error;      // for a script's answer
	};

	// Why the file at the absolute path cannot be opened; false, with its spec, when it can be tried. A
	// name the file manager cannot hold is refused rather than let it stand for another file.
	static bool Refused(const std::string& inPath, tRefusal* outRefusal, FSSpec* outSpec);
	// Why the file inSpec names could not be opened or read a moment ago: what is wrong with it now, or
	// that it cannot be read.
	static tRefusal NotOpened(const FSSpec& inSpec);
	// The file's path (characters Mac Roman lacks spelled out, the middle of a very long one left out)
	// and its reason in brackets.
	static std::string LineOf(const tRefusal& inRefusal);
	// One alert for all of them, listing as many as it holds and how many more there were.
	static void Show(const std::vector<tRefusal>& inRefused);
};
