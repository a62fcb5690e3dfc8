// Files handed over by the open- and print-documents events, from scripts and the command line. The event
// is answered at once, with an error naming the files that cannot be opened; the one message listing them
// and the documents' own dialogs (a damaged file, a password) come after the answer, so that a script
// never waits on a dialog.

#include "app/TStockPlugin.h"
#include "app/kestrunApp.h"
#include "platform/framework/UAppleEventService.h"
#include "platform/framework/URefusedFiles.h"
#include "platform/toolbox/MacErrors.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace
{

// The reply's text: how many, then as many of the files as the text holds.
std::string ReplyText(const std::vector<URefusedFiles::tRefusal>& inRefused)
{
	std::string text =
	    std::to_string(inRefused.size()) +
	    (inRefused.size() == 1 ? " file could not be opened: " : " files could not be opened: ");
	for (size_t i = 0; i < inRefused.size() && text.size() < 255; ++i)
		text += (i > 0 ? ", " : "") + URefusedFiles::LineOf(inRefused[i]);
	return text;
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
	std::vector<URefusedFiles::tRefusal> refused;
	std::vector<FSSpec> accepted;
	for (const std::string& path : paths) {
		URefusedFiles::tRefusal file;
		FSSpec spec;
		if (URefusedFiles::Refused(path, &file, &spec))
			refused.push_back(file);
		else
			accepted.push_back(spec);
	}
	if (!refused.empty())
		TStockPlugin::AEError(outReply, refused.front().error, ReplyText(refused).c_str());
	if (refused.empty() && accepted.empty())
		return;
	std::weak_ptr<bool> alive = mAlive;
	// At start-up, whether anything is shown is known once these files have opened.
	const bool checkReach = std::exchange(mReachCheckPending, false);
	UAppleEventService::AfterReply([this, alive, refused, accepted, inPrint, checkReach] {
		if (alive.expired())
			return;
		URefusedFiles::Show(refused);
		for (FSSpec spec : accepted) {
			if (alive.expired())
				return;
			inPrint ? PrintDocument(&spec) : OpenDocument(&spec);
		}
		if (checkReach && !alive.expired())
			KeepReachable();
	});
}
