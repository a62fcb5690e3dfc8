#include "toolkit/KsAlerts.h"

#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/gui/ResourceStore.h"

#include <cstring>
#include <string>

namespace
{

void ShowAlert(EAlertKind inKind, SInt16 inMessage, const char* inDetail = nullptr)
{
	if (inMessage == 0)
		return;
	const std::string filled = KsMessageText(inMessage, inDetail);
	Str255 text;
	text[0] = UInt8(filled.size());
	std::memcpy(text + 1, filled.data(), text[0]);
	const Str255 empty = {0};
	ParamText(text, empty, empty, empty);
	UModalAlerts::Show(inKind, kKsAlertID);
}

} // namespace

void KsError(SInt16 inMessage)
{
	ShowAlert(kAlertStop, inMessage);
}

void KsError(SInt16 inMessage, const char* inDetail)
{
	ShowAlert(kAlertStop, inMessage, inDetail);
}

void KsWarning(SInt16 inMessage)
{
	ShowAlert(kAlertCaution, inMessage);
}

void KsInfo(SInt16 inMessage)
{
	ShowAlert(kAlertNote, inMessage);
}

std::string KsMessageText(SInt16 inMessage, const char* inDetail)
{
	Str255 text;
	GetIndString(text, kKsAlertStringsID, inMessage);
	std::string filled(reinterpret_cast<const char*>(text + 1), text[0]);
	if (inDetail != nullptr)
		if (const std::size_t at = filled.find("^1"); at != std::string::npos)
			filled.replace(at, 2, inDetail);
	return filled.substr(0, 255);
}
