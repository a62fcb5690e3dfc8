#include "toolkit/KsAlerts.h"

#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/gui/ResourceStore.h"

namespace
{

void ShowAlert(EAlertKind inKind, SInt16 inMessage)
{
	if (inMessage == 0)
		return;
	Str255 text;
	GetIndString(text, kKsAlertStringsID, inMessage);
	const Str255 empty = {0};
	ParamText(text, empty, empty, empty);
	UModalAlerts::Show(inKind, kKsAlertID);
}

} // namespace

void KsError(SInt16 inMessage)
{
	ShowAlert(kAlertStop, inMessage);
}

void KsWarning(SInt16 inMessage)
{
	ShowAlert(kAlertCaution, inMessage);
}

void KsInfo(SInt16 inMessage)
{
	ShowAlert(kAlertNote, inMessage);
}
