// Files handed over by the open- and print-documents events, from scripts and the command line. The event
// is answered at once, with an error naming the files that cannot be opened; the one message listing them
// and the documents' own dialogs (a damaged file, a password) come after the answer, so that a script
// never waits on a dialog.

#include "app/TStockPlugin.h"
#include "app/kestrunApp.h"
#include "platform/framework/UAppleEventService.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/MacErrors.h"
#include "platform/toolbox/MacRoman.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/ResourceStore.h"

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

enum : ResIDT { kRefusedFilesAlert = 201 };
enum : SInt16 {
	kRefusedTexts = 130,
	kNotFoundText = 1,
	kNotAFileText = 2,
	kUnreadableText = 3,
	kMoreText = 4,
	kNameCharactersText = 5,
	kNameLengthText = 6,
	kOneFileHeading = 7,
	kFilesHeading = 8
};

struct tRefusedFile {
	std::string path; // as the file system spells it
	SInt16 reason;    // entry of string list 130
	OSErr error;
};

// Why the file cannot be opened, judged from the path alone; false, with the file's spec, when it can be
// tried. A name the file manager cannot hold is refused rather than let it stand for another file.
bool Refused(const std::string& inPath, tRefusedFile* outRefused, FSSpec* outSpec)
{
	if (inPath.find('\0') != std::string::npos) {
		*outRefused = {inPath, kNameCharactersText, bdNamErr};
		return true;
	}
	std::error_code error;
	const auto status = std::filesystem::status(inPath, error);
	if (inPath.empty() || inPath[0] != '/' || !std::filesystem::exists(status))
		*outRefused = {inPath, kNotFoundText, fnfErr};
	else if (!std::filesystem::is_regular_file(status))
		*outRefused = {inPath, kNotAFileText, paramErr};
	else if (access(inPath.c_str(), R_OK) != 0)
		*outRefused = {inPath, kUnreadableText, permErr};
	else if (FSPathMakeFSSpec(inPath, outSpec) != noErr)
		*outRefused = {inPath,
		               MacNameFromDisk(std::filesystem::path(inPath).filename().string()).size() > 63
		                   ? kNameLengthText
		                   : kNameCharactersText,
		               bdNamErr};
	else
		return false;
	return true;
}

std::string Text(SInt16 inIndex)
{
	Str255 text;
	GetIndString(text, kRefusedTexts, inIndex);
	return PascalStrings::ToString(text);
}

std::string LineOf(const tRefusedFile& inFile)
{
	return MacRoman::FromUTF8Spelled(inFile.path) + " (" + Text(inFile.reason) + ")";
}

// The reply's text: how many, then as many of the files as the text holds.
std::string ReplyText(const std::vector<tRefusedFile>& inRefused)
{
	std::string text =
	    std::to_string(inRefused.size()) +
	    (inRefused.size() == 1 ? " file could not be opened: " : " files could not be opened: ");
	for (size_t i = 0; i < inRefused.size() && text.size() < 255; ++i)
		text += (i > 0 ? ", " : "") + LineOf(inRefused[i]);
	return text;
}

// One alert for all of them: the lines fill the first two parameters, the third tells how many more there
// were, and the fourth is the heading.
void ShowRefused(const std::vector<tRefusedFile>& inRefused)
{
	std::string params[4];
	size_t shown = 0;
	for (int param = 0; param < 2 && shown < inRefused.size(); ++param)
		for (; shown < inRefused.size(); ++shown) {
			std::string line = LineOf(inRefused[shown]) + "\n";
			if (line.size() > 255)
				line = line.substr(0, 250) + "\xC9\n";
			if (params[param].size() + line.size() > 255)
				break;
			params[param] += line;
		}
	if (shown < inRefused.size()) {
		params[2] = Text(kMoreText);
		const std::string count = std::to_string(inRefused.size() - shown);
		if (const size_t at = params[2].find("^"); at != std::string::npos)
			params[2].replace(at, 1, count);
	}
	params[3] = Text(inRefused.size() == 1 ? kOneFileHeading : kFilesHeading);
	Str255 texts[4];
	for (int i = 0; i < 4; ++i)
		PascalStrings::FromString(params[i].c_str(), texts[i]);
	ParamText(texts[0], texts[1], texts[2], texts[3]);
	UModalAlerts::Show(kAlertStop, kRefusedFilesAlert);
}

} // namespace

void kestrunApp::OpenDocumentsEvent(const AppleEvent& inEvent, AppleEvent& outReply, bool inPrint)
{
	std::vector<std::string> paths;
	if (!UAppleEventService::GetTextList(inEvent, keyDirectObject, &paths)) {
		if (AEGetParamPtr(&inEvent, keyDirectObject, typeChar, nullptr, nullptr, 0, nullptr) ==
		    errAEDescNotFound)
			TStockPlugin::AEError(outReply, errAEDescNotFound, "A list of files is required.");
		else
			TStockPlugin::AEError(outReply, errAEWrongDataType,
			                      "The files must be given as a list of paths.");
		return;
	}
	std::vector<tRefusedFile> refused;
	std::vector<FSSpec> accepted;
	for (const std::string& path : paths) {
		tRefusedFile file;
		FSSpec spec;
		if (Refused(path, &file, &spec))
			refused.push_back(file);
		else
			accepted.push_back(spec);
	}
	if (!refused.empty())
		TStockPlugin::AEError(outReply, refused.front().error, ReplyText(refused).c_str());
	if (refused.empty() && accepted.empty())
		return;
	std::weak_ptr<bool> alive = mAlive;
	UAppleEventService::AfterReply([this, alive, refused, accepted, inPrint] {
		if (alive.expired())
			return;
		if (!refused.empty())
			ShowRefused(refused);
		for (FSSpec spec : accepted) {
			if (alive.expired())
				return;
			inPrint ? PrintDocument(&spec) : OpenDocument(&spec);
		}
	});
}
