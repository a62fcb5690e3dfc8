#include "Includes/NoValue.h"
#include "model/StockGlobals.h"
#include "model/TAccountant.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPlaceHolder.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/UPrinting.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "toolkit/TPrinterHeader.h"
#include "windows/portfolio/StRGB.h"
#include "windows/portfolio/TPortfolioTable.h"
#include "windows/portfolio/TPortfolioWindow.h"

#include <memory>
#include <string>

namespace
{
constexpr int kNoValueString = 0;
} // namespace

void TPortfolioWindow::DoPrint()
{
	if (mTable == nullptr || mAccountant == nullptr)
		return;
	std::unique_ptr<LPrintout> printout(
	    LPrintout::CreatePrintout(mViewOriginal ? kPrintoutOriginalID : kPrintoutYesterdayID));
	ThrowIfNil_(printout.get());
	printout->SetPrintSpec(UPrinting::GetAppPrintSpec());

	Str255 title;
	GetDescriptor(title);
	auto setCaption = [&](const char(&inID)[5], const std::string& inText) {
		if (LPane* pane = printout->FindPaneByID(FOUR_CHAR_CODE(inID))) {
			Str255 text;
			PascalStrings::FromString(inText, text);
			pane->SetDescriptor(text);
		}
	};
	const float current = mAccountant->CurrentTotal();
	setCaption("Titl", PascalStrings::ToString(title));
	setCaption("Vlue", current == kNoValue ? GetStockCString(kNoValueString)
	                                       : TPortfolioTable::FormatFloat(current, 2, true));
	auto setChange = [&](const char(&inChangeID)[5], const char(&inPercentID)[5], float inReference) {
		std::string change = GetStockCString(kNoValueString), percent = change;
		if (inReference != kNoValue && current != kNoValue)
			ChangeTexts(inReference, current, change, percent);
		setCaption(inChangeID, change);
		setCaption(inPercentID, percent);
	};
	setChange("cPrc", "pPrc", mAccountant->OriginalTotal());
	setChange("cYst", "pYst", mAccountant->YesterdaysTotal());

	auto* holder = dynamic_cast<LPlaceHolder*>(printout->FindPaneByID(FOUR_CHAR_CODE("Tble")));
	SignalIf_(holder == nullptr);
	if (holder == nullptr)
		return;
	RedoControlsVisibility(false);
	holder->InstallOccupant(mTable, 0);
	const RGBColor black{0, 0, 0};
	const RGBColor white{65535, 65535, 65535};
	StRGB gain(mTable->GainColour(), black);
	StRGB loss(mTable->LossColour(), black);
	StRGB unchanged(mTable->UnchangedColour(), black);
	StRGB even(mTable->EvenRowColour(), white);
	StRGB odd(mTable->OddRowColour(), white);
	SDimension16 size;
	holder->GetFrameSize(size);
	const SInt32 rowHeight = mTable->RowHeight();
	SignalIf_(rowHeight < 1);
	if (rowHeight >= 1)
		holder->ResizeFrameTo(size.width, SInt16(size.height / rowHeight * rowHeight), false);
	const std::string titleText = PascalStrings::ToString(title);
	for (FourCharCode footer : {FOUR_CHAR_CODE("fLft"), FOUR_CHAR_CODE("fRgt")})
		if (auto* header = dynamic_cast<TPrinterHeader*>(printout->FindPaneByID(footer)))
			header->PrepareCaption(printout.get(), titleText.c_str(), true);
	mTable->SetPrinting(true);
	try {
		printout->DoPrintJob();
	} catch (...) {
		mTable->SetPrinting(false);
		RedoControlsVisibility(true);
		throw;
	}
	mTable->SetPrinting(false);
	RedoControlsVisibility(true);
}
