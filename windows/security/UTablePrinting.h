#pragma once
// The Print command of a window that prints one table: its status and menu text, the print dialog, and the
// job itself with the table moved into the printout's placeholder.

#include "platform/framework/LPrintout.h"

#include <functional>
#include <memory>

class LTableView;

namespace UTablePrinting
{
constexpr CommandT kCmdPrint = 9;

// Print is always enabled, its menu item named by the window's stock string. False for other commands.
bool FindCommandStatus(CommandT inCommand, int inMenuString, Boolean& outEnabled, Str255 outName);
// Runs inPrint; any failure of it ends in the plug-in's print error message.
void Print(const std::function<void()>& inPrint);
// Prints as above, inside a print session, when the user accepts the print dialog.
void AskAndPrint(const std::function<void()>& inPrint);
// The printout of this layout, set to the application's print settings.
std::unique_ptr<LPrintout> CreatePrintout(ResIDT inLayoutID);
// Installs the table in the "Tble" placeholder cut to whole rows (a partial row would print clipped),
// captions the two footers and prints. inPrinting(true) runs just before the job and inPrinting(false)
// after it, also when it throws. Nothing is printed without the placeholder.
void PrintTable(LPrintout& inPrintout, LTableView& inTable, SInt32 inRowHeight, PaneIDT inFooter1,
                PaneIDT inFooter2, const char* inTitle, const std::function<void(bool)>& inPrinting);
} // namespace UTablePrinting
