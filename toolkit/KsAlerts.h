#pragma once
// The application's numbered alerts: message n of string list 128 in alert 200, with a stop, caution or
// note icon. Each returns once the user has dismissed the alert; message 0 shows nothing.

#include "platform/toolbox/MacTypes.h"

enum : SInt16 { kKsAlertID = 200, kKsAlertStringsID = 128 };

#include <string>

void KsError(SInt16 inMessage);
// The message with inDetail (Mac Roman) in place of its "^1".
void KsError(SInt16 inMessage, const char* inDetail);
void KsWarning(SInt16 inMessage);
// The text KsError(inMessage, inDetail) shows (Mac Roman, at most 255 bytes).
std::string KsMessageText(SInt16 inMessage, const char* inDetail);
void KsInfo(SInt16 inMessage);
