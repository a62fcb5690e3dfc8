#include "Includes/NoValue.h"
#include "model/StockGlobals.h"
#include "model/TAccountant.h"
#include "platform/toolbox/PascalStrings.h"
#include "windows/portfolio/StRGB.h"
#include "windows/portfolio/TPortfolioTable.h"
#include "windows/portfolio/TPortfolioWindow.h"
#include "windows/security/UTablePrinting.h"

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
	std::unique_ptr<LPrintout> printout =
	    UTablePrinting::CreatePrintout(mViewOriginal ? kPrintoutOriginalID : kPrintoutYesterdayID);

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
	const std::string noValue = PascalStrings::ToString(GetStockString(kNoValueString));
	setCaption("Titl", PascalStrings::ToString(title));
	setCaption("Vlue", current == kNoValue ? noValue : TPortfolioTable::FormatFloat(current, 2, true));
	auto setChange = [&](const char(&inChangeID)[5], const char(&inPercentID)[5], float inReference) {
		std::string change = noValue, percent = noValue;
		if (inReference != kNoValue && current != kNoValue)
			ChangeTexts(inReference, current, change, percent);
		setCaption(inChangeID, change);
		setCaption(inPercentID, percent);
	};
	setChange("cPrc", "pPrc", mAccountant->OriginalTotal());
	setChange("cYst", "pYst", mAccountant->YesterdaysTotal());

	const RGBColor black{0, 0, 0};
	const RGBColor white{65535, 65535, 65535};
	StRGB gain(mTable->GainColour(), black);
	StRGB loss(mTable->LossColour(), black);
	StRGB unchanged(mTable->UnchangedColour(), black);
	StRGB even(mTable->EvenRowColour(), white);
	StRGB odd(mTable->OddRowColour(), white);
	const std::string titleText = PascalStrings::ToString(title);
	UTablePrinting::PrintTable(*printout, *mTable, mTable->RowHeight(), FOUR_CHAR_CODE("fLft"),
	                           FOUR_CHAR_CODE("fRgt"), titleText.c_str(), [this](bool inPrinting) {
		                           mTable->SetPrinting(inPrinting);
		                           RedoControlsVisibility(!inPrinting);
	                           });
}
