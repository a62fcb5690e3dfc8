#include "platform/framework/URefusedFiles.h"

#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/MacRoman.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/ResourceStore.h"

#include <cerrno>

namespace
{

std::string Text(SInt16 inIndex)
{
	Str255 text;
	GetIndString(text, URefusedFiles::STRx_RefusedTexts, inIndex);
	return PascalStrings::ToString(text);
}

std::string LastName(const std::string& inPath)
{
	return inPath.substr(inPath.rfind('/') + 1);
}

} // namespace

bool URefusedFiles::Refused(const std::string& inPath, tRefusal* outRefusal, FSSpec* outSpec)
{
	if (inPath.find('\0') != std::string::npos) {
		*outRefusal = {inPath, kNameCharactersText, bdNamErr};
		return true;
	}
	if (inPath.empty() || inPath[0] != '/') {
		*outRefusal = {inPath, kNotFoundText, fnfErr};
		return true;
	}
	switch (FSPathOpenProblem(inPath)) {
	case 0:
		break;
	case kNotPlainFile:
		*outRefusal = {inPath, kNotAFileText, paramErr};
		return true;
	case ENOENT:
	case ENOTDIR:
		*outRefusal = {inPath, kNotFoundText, fnfErr};
		return true;
	// Links that lead nowhere, as far as a script is told.
	case ELOOP:
		*outRefusal = {inPath, kLinkLoopText, fnfErr};
		return true;
	case ENAMETOOLONG:
		*outRefusal = {inPath, kTooLongText, bdNamErr};
		return true;
	default:
		*outRefusal = {inPath, kUnreadableText, permErr};
		return true;
	}
	if (FSPathMakeFSSpec(inPath, outSpec) == noErr)
		return false;
	*outRefusal = {inPath,
	               MacNameFromDisk(LastName(inPath)).size() > 63 ? kNameLengthText : kNameCharactersText,
	               bdNamErr};
	return true;
}

URefusedFiles::tRefusal URefusedFiles::NotOpened(const FSSpec& inSpec)
{
	std::string path;
	if (FSpGetPOSIXPath(&inSpec, &path) != noErr)
		path = MacRoman::ToUTF8(PascalStrings::ToString(inSpec.name));
	tRefusal refusal;
	FSSpec spec;
	if (!Refused(path, &refusal, &spec))
		refusal = {path, kUnreadableText, permErr};
	return refusal;
}

// A line fits the alert's parameter and a script's answer with its reason: a longer path loses its middle.
std::string URefusedFiles::LineOf(const tRefusal& inRefusal)
{
	constexpr size_t kLongestLine = 200;
	const std::string reason = " (" + Text(inRefusal.reason) + ")";
	std::string path = MacRoman::FromUTF8Spelled(inRefusal.path);
	if (path.size() + reason.size() > kLongestLine) {
		const size_t room = kLongestLine - reason.size() - 1;
		path = path.substr(0, room / 3) + "\xC9" + path.substr(path.size() - (room - room / 3));
	}
	return path + reason;
}

// The lines fill the alert's first two parameters, the third tells how many more there were, and the fourth
// is the heading.
void URefusedFiles::Show(const std::vector<tRefusal>& inRefused)
{
	if (inRefused.empty())
		return;
	std::string params[4];
	size_t shown = 0;
	for (int param = 0; param < 2 && shown < inRefused.size(); ++param)
		for (; shown < inRefused.size(); ++shown) {
			const std::string line = LineOf(inRefused[shown]) + "\n";
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
	UModalAlerts::Show(kAlertStop, ALRT_RefusedFiles);
}
