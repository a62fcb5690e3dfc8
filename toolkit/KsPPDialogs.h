#pragma once
// Message boxes built from window layouts 200 to 206 and the timed box 210: an item of string list 128 or
// 129 in the static text pane 1000, "^0" in it replaced by the caller's text. Each returns the message
// that ended the box.

#include "platform/framework/FrameworkTypes.h"

#include <cstddef>

enum : ResIDT {
	kKsPPErrorID = 200,
	kKsPPInfoID = 201,
	kKsPPStandardID = 202,
	kKsPPSaveCheckID = 203,
	kKsPPQuitSaveCheckID = 204,
	kKsPPRevertID = 205,
	kKsPPAskID = 206,
	kKsPPTimedID = 210,
	kKsPPAppStringsID = 128,
	kKsPPStringsID = 129
};

enum : PaneIDT { kKsPPTextPane = 1000 };

// inIndex below 1 leaves the pane as the layout has it; inText may be null.
MessageT doKsPPWindow(ResIDT inLayoutID, ResIDT inStringListID, SInt16 inIndex, const char* inText = nullptr);
// Runs until a message arrives or inSeconds have passed; 0 on time-out.
MessageT doKsPPTimedWindow(ResIDT inLayoutID, const char* inText, SInt16 inSeconds);

MessageT KsPPSaveCheck(const char* inText);
MessageT KsPPQuitSaveCheck(const char* inText);
MessageT KsPPRevert(const char* inText);
MessageT KsPPStandardAlert(SInt16 inIndex);
MessageT KsPPError(SInt16 inIndex);
MessageT KsPPInfo(SInt16 inIndex);
MessageT KsPPWarning(SInt16 inIndex);
bool KsPPAsk(SInt16 inIndex);
// Item inIndex of string list 129 formatted with inValue, shown for 2 seconds in box 210. The item may
// hold one integer conversion (%d, %ld, %5i, %x, ...) and "%%"; an item with any other conversion is shown
// as it stands. Below 1, an empty text.
MessageT KsPPTimeDialog(SInt16 inIndex, SInt32 inValue);
MessageT KsPPTimeDialog(SInt16 inIndex);

// The formatting of KsPPTimeDialog, at most 255 characters.
void KsPPFormatValue(const char* inFormat, SInt32 inValue, char* outText, size_t inSize);
