#include "toolkit/RegisterToolkitClasses.h"

#include "platform/framework/URegistrar.h"
#include "toolkit/CURLPushButton.h"
#include "toolkit/LColorWell.h"
#include "toolkit/TBanner.h"
#include "toolkit/TBannerCaption.h"
#include "toolkit/TBevelButton.h"
#include "toolkit/TColourCaption.h"
#include "toolkit/TColourCaptions.h"
#include "toolkit/TDisclosureTriangle.h"
#include "toolkit/TFontMenu.h"
#include "toolkit/TFontSizeMenu.h"
#include "toolkit/TPrinterHeader.h"
#include "toolkit/TSoundMenu.h"
#include "toolkit/TVyWindow.h"

void RegisterToolkitClasses()
{
	RegisterClass_(TVyWindow);
	RegisterClass_(TBanner);
	RegisterClass_(TColourCaption);
	RegisterClass_(TColourCaptions);
	RegisterClass_(TBannerCaption);
	RegisterClass_(TPrinterHeader);
	RegisterClass_(LColorWell);
	RegisterClass_(CURLPushButton);
	RegisterClass_(TFontMenu);
	RegisterClass_(TFontSizeMenu);
	RegisterClass_(TSoundMenu);
	RegisterClass_(TBevelButton);
	RegisterClass_(TDisclosureTriangle);
}
