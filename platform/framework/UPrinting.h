#pragma once
// The application's print settings and the print and page-setup dialogs. Tests put their own answer
// in place of each dialog.

#include "platform/framework/LPrintSettings.h"

#include <functional>
#include <string>

class UPrinting
{
public:
	static LPrintSettings& GetAppPrintSpec();

	// The print dialog (pages, copies, printer or file); true when the user confirmed, the settings then
	// holding the choices.
	static Boolean AskPrintJob(LPrintSettings& ioPrintSpec);
	// The settings' output file as an absolute path (relative to the working folder); empty for a printer.
	static std::string OutputPath(const LPrintSettings& inSpec);
	// A printout to the settings' output file stands whole: the application's settings no longer take that
	// file for new, so that a print without the dialog replaces it.
	static void OutputFileMade(const LPrintSettings& inSpec);
	// The page-setup dialog (paper, orientation, margins).
	static Boolean AskPageSetup(LPrintSettings& ioPrintSpec);

	// A stand-in for a dialog: edits the settings and says whether the user confirmed. Null restores the
	// dialog. Each returns the stand-in it replaces.
	using DialogRunner = std::function<Boolean(LPrintSettings& ioPrintSpec)>;
	static DialogRunner SetPrintJobDialog(DialogRunner inRunner);
	static DialogRunner SetPageSetupDialog(DialogRunner inRunner);
};
