#pragma once
// What a window printed: the print job goes to a PDF file, whose text is read back laid out as on the page.

#include "platform/framework/LPrintSettings.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/framework/UPrinting.h"
#include "platform/toolbox/PascalStrings.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "toolkit/UKsDialogs.h"

#include <cstdio>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace PrintedText
{

// Every print job confirmed, into inPath.
inline void PrintTo(const std::string& inPath)
{
	UPrinting::SetPrintJobDialog([inPath](LPrintSettings& spec) {
		spec.SetOutputFile(inPath);
		return Boolean(true);
	});
}

inline std::string Read(const std::string& inPath)
{
	std::string text;
	FILE* pipe = popen(("pdftotext -layout '" + inPath + "' - 2>/dev/null").c_str(), "r");
	if (pipe == nullptr) {
		ADD_FAILURE() << "pdftotext did not start";
		return text;
	}
	char buffer[4096];
	for (size_t n; (n = fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
		text.append(buffer, n);
	pclose(pipe);
	return text;
}

// The plug-in's message inMessage with ^0 and ^1 filled.
inline std::string Message(SInt16 inMessage, const std::string& inFile, const std::string& inReason = {})
{
	Str255 message;
	GetIndString(message, kKsMessageStringsID, inMessage);
	std::string text = PascalStrings::ToString(message);
	if (const size_t at = text.find("^0"); at != std::string::npos)
		text.replace(at, 2, inFile);
	if (const size_t at = text.find("^1"); at != std::string::npos)
		text.replace(at, 2, inReason);
	return text;
}

// What inPrint showed in the plug-in's error dialog, or "<no dialog>"; the print error message itself
// as `outExpected`.
inline std::string ErrorShownBy(const std::function<void()>& inPrint, std::string* outExpected)
{
	StDialogHandler::SetAnswersRequired(true);
	std::string shown = "<no dialog>";
	StDialogHandler::QueueAnswer(msg_OK, [&](LWindow* dialog) {
		shown = FrameworkTest::Descriptor(dialog->FindPaneByID(kKsDialogTextPane));
	});
	inPrint();
	StDialogHandler::SetAnswersRequired(false);
	StDialogHandler::ClearQueuedAnswers();
	*outExpected = Message(15, {});
	return shown;
}

} // namespace PrintedText
