#include "windows/security/UTablePrinting.h"

#include "model/StockGlobals.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPlaceHolder.h"
#include "platform/framework/LTableView.h"
#include "platform/framework/StPrintSession.h"
#include "platform/framework/UPrinting.h"
#include "platform/toolbox/Debugging.h"
#include "toolkit/TPrinterHeader.h"
#include "toolkit/UKsDialogs.h"

#include <cstring>

namespace UTablePrinting
{
namespace
{
constexpr SInt16 kPrintErrorMessage = 15;
constexpr SInt16 kPrintFileRefusedMessage = 30;
constexpr SInt16 kPrintFileMadeMeanwhileMessage = 31;

SInt16 MessageFor(ExceptionCode inError)
{
	switch (inError) {
	case LPrintout::err_PrintFileRefused:
		return kPrintFileRefusedMessage;
	case LPrintout::err_PrintFileMadeMeanwhile:
		return kPrintFileMadeMeanwhileMessage;
	default:
		return kPrintErrorMessage;
	}
}
} // namespace

bool FindCommandStatus(CommandT inCommand, int inMenuString, Boolean& outEnabled, Str255 outName)
{
	if (inCommand != kCmdPrint)
		return false;
	outEnabled = true;
	if (outName != nullptr)
		std::memcpy(outName, GetStockString(inMenuString),
		            size_t(GetStockString(inMenuString)[0]) + 1);
	return true;
}

void Print(const std::function<void()>& inPrint)
{
	try {
		inPrint();
	} catch (const LException& e) {
		UKsDialogs::ErrorDialog(MessageFor(e.GetErrorCode()));
	} catch (...) {
		UKsDialogs::ErrorDialog(kPrintErrorMessage);
	}
}

void AskAndPrint(const std::function<void()>& inPrint)
{
	Print([&] {
		StPrintSession session(UPrinting::GetAppPrintSpec());
		if (UPrinting::AskPrintJob(UPrinting::GetAppPrintSpec()))
			inPrint();
	});
}

std::unique_ptr<LPrintout> CreatePrintout(ResIDT inLayoutID)
{
	std::unique_ptr<LPrintout> printout(LPrintout::CreatePrintout(inLayoutID));
	ThrowIfNil_(printout.get());
	printout->SetPrintSpec(UPrinting::GetAppPrintSpec());
	return printout;
}

void PrintTable(LPrintout& inPrintout, LTableView& inTable, SInt32 inRowHeight, PaneIDT inFooter1,
                PaneIDT inFooter2, const char* inTitle, const std::function<void(bool)>& inPrinting)
{
	auto* holder = dynamic_cast<LPlaceHolder*>(inPrintout.FindPaneByID(FOUR_CHAR_CODE("Tble")));
	SignalIf_(holder == nullptr);
	if (holder == nullptr)
		return;
	holder->InstallOccupant(&inTable, 0);
	SDimension16 size;
	holder->GetFrameSize(size);
	SignalIf_(inRowHeight < 1);
	if (inRowHeight >= 1)
		holder->ResizeFrameTo(size.width, SInt16(size.height / inRowHeight * inRowHeight), false);
	for (PaneIDT footer : {inFooter1, inFooter2})
		if (auto* header = dynamic_cast<TPrinterHeader*>(inPrintout.FindPaneByID(footer)))
			header->PrepareCaption(&inPrintout, inTitle, true);
	inPrinting(true);
	try {
		inPrintout.DoPrintJob();
	} catch (...) {
		inPrinting(false);
		throw;
	}
	inPrinting(false);
}
} // namespace UTablePrinting
