#pragma once
// The application's print specification and the print and page-setup dialogs. Tests put their own answer
// in place of each dialog.

#include "platform/framework/LPrintSpec.h"

#include <functional>

class UPrinting
{
      public:
	static LPrintSpec& GetAppPrintSpec();

	// The print dialog (pages, copies, printer or file); true when the user confirmed, the spec then
	// holding the choices.
	static Boolean AskPrintJob(LPrintSpec& ioPrintSpec);
	// The page-setup dialog (paper, orientation, margins).
	static Boolean AskPageSetup(LPrintSpec& ioPrintSpec);

	// A stand-in for a dialog: edits the spec and says whether the user confirmed. Null restores the
	// dialog. Each returns the stand-in it replaces.
	using DialogRunner = std::function<Boolean(LPrintSpec& ioPrintSpec)>;
	static DialogRunner SetPrintJobDialog(DialogRunner inRunner);
	static DialogRunner SetPageSetupDialog(DialogRunner inRunner);
};
