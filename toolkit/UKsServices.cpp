#include "toolkit/UKsServices.h"

#include "Includes/TKsFont.h"
#include "foundation/VyStrings.h"
#include "model/UAlertSound.h"
#include "model/UScreenTest.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UNavServicesDialogs.h"
#include "platform/toolbox/gui/Fonts.h"
#include "platform/toolbox/gui/LaunchURL.h"
#include "toolkit/UKsScreen.h"
#include "toolkit/USound.h"

namespace
{
constexpr ResIDT kAlertNoProgramForURL = 253;
}

void UKsServices::Install()
{
	UAlertSound::SetPlayer([](long inSoundNumber) { USound::PlaySound(SInt32(inSoundNumber)); });
	UScreenTest::SetTest([](const Rect& inRect) { return UKsScreen::IsOnScreen(&inRect); });
	TKsFont::SetFontNumberLookup([](const char* inName) {
		Str255 name;
		pstrcpycn(name, inName, 255);
		SInt16 number = 0;
		GetFNum(name, &number);
		return number;
	});
	UNavServicesDialogs::Install();
	// Also called from the event loop, when xdg-open answers after the launch.
	SetURLFailureReporter([](const std::string& inURL) {
		UDispatch::Run([&inURL] {
			Str255 address;
			pstrcpycn(address, inURL.c_str(), 255);
			ParamText(address, nullptr, nullptr, nullptr);
			CautionAlert(kAlertNoProgramForURL);
		});
	});
}
