#include "windows/security/UDetailPanes.h"

#include "model/TSecurity.h"
#include "platform/framework/LWindow.h"
#include "toolkit/UKsScreen.h"
#include "toolkit/UPPUtils.h"

namespace
{
void SetCaption(TColourCaption* inCaption, const char* inText, const RGBColor& inColour)
{
	if (inCaption != nullptr)
		UPPUtils::SetColourCaption(inCaption, inText, &inColour);
}

void SetTitles(const UDetailPanes::tBanners& inBanners, TSecurity* inSecurity, const RGBColor& inColour)
{
	SetCaption(inBanners.symbolBig, inSecurity->SecuritySymbol(), inColour);
	SetCaption(inBanners.nameAlt, inSecurity->SecurityName(), inColour);
	SetCaption(inBanners.symbolSmall, inSecurity->SecuritySymbol(), inColour);
}

void SetChanges(const UDetailPanes::tBanners& inBanners, TSecurity* inSecurity, const RGBColor& inColour,
                bool inFractions)
{
	const float previous = inSecurity->YesterdayClose();
	const float current = inSecurity->CurrentTradePrice();
	for (TColourCaptions* change : {inBanners.changeBig, inBanners.changeAlt})
		if (change != nullptr)
			UPPUtils::SetColourChange(change, &inColour, previous, current, inFractions);
}
} // namespace

void UDetailPanes::SetQuoteBanners(const tBanners& inBanners, TSecurity* inSecurity, const RGBColor& inColour,
                                   bool inFractions)
{
	SetTitles(inBanners, inSecurity, inColour);
	for (TColourCaption* price : {inBanners.priceBig, inBanners.priceAlt})
		if (price != nullptr)
			UPPUtils::SetColourQuote(price, &inColour, inSecurity->CurrentTradePrice(), inFractions);
	SetChanges(inBanners, inSecurity, inColour, inFractions);
	if (inBanners.changeSmall != nullptr)
		UPPUtils::SetColourChange(inBanners.changeSmall, &inColour, inSecurity->YesterdayClose(),
		                          inSecurity->CurrentTradePrice(), inFractions);
}

void UDetailPanes::SetRateBanners(const tBanners& inBanners, TSecurity* inSecurity, const RGBColor& inColour,
                                  bool inFractions, int inDecimals)
{
	SetTitles(inBanners, inSecurity, inColour);
	for (TColourCaption* price : {inBanners.priceBig, inBanners.priceAlt, inBanners.changeSmall})
		if (price != nullptr)
			UPPUtils::SetColourFloat(price, &inColour, inSecurity->CurrentTradePrice(), inDecimals);
	SetChanges(inBanners, inSecurity, inColour, inFractions);
}

void UDetailPanes::PlaceWindow(LWindow* inWindow, SInt32 inTop, SInt32 inLeft)
{
	Rect bounds;
	inWindow->GetGlobalBounds(bounds);
	const SInt16 top = SInt16(inTop);
	const SInt16 left = SInt16(inLeft);
	bounds = Rect{top, left, SInt16(top + bounds.bottom - bounds.top), SInt16(left + bounds.right - bounds.left)};
	if (!UKsScreen::IsOnScreen(&bounds))
		UKsScreen::ForceOnScreen(&bounds);
	inWindow->DoSetBounds(bounds);
}

void UDetailPanes::GetTopLeft(LWindow* inWindow, SInt32& outTop, SInt32& outLeft)
{
	Rect bounds;
	inWindow->GetGlobalBounds(bounds);
	outTop = bounds.top;
	outLeft = bounds.left;
}

void UDetailPanes::ShowUpdating(LPane* inButton, LPane* inArrows, bool inUpdating)
{
	if (inButton != nullptr) {
		if (inUpdating)
			inButton->Disable();
		else
			inButton->Enable();
	}
	if (inArrows != nullptr) {
		if (inUpdating) {
			inArrows->Enable();
			inArrows->Show();
		} else {
			inArrows->Hide();
			inArrows->Disable();
		}
	}
}
