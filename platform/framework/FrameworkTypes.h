#pragma once
// The framework's basic types, message and command numbers.

#include "platform/toolbox/MacTypes.h"

typedef SInt32 MessageT; // 32 bits as on the original, four-character codes included
typedef SInt32 CommandT;
typedef SInt32 PaneIDT;
typedef FourCharCode ClassIDT;
typedef SInt16 ResIDT;
typedef SInt32 ExceptionCode;
typedef SInt16 MessageBoxItemT;

enum : MessageT {
	msg_Nothing = 0,
	msg_Event =
	    810, // every event the loop hands out, the null event included; the parameter is the EventRecord
	msg_KeyPress =
	    811,         // a key event offered to the target's attachments; the parameter is the EventRecord
	msg_Click = 812, // a click offered to the pane's attachments; the parameter is the SMouseDownEvent
	msg_OK = 2000,   // the OK (or Yes) button of the application's layouts
	msg_Cancel = 2001, // the Cancel (or No) button
	msg_AnyMessage = 0x7FFFFFFF
};

enum : CommandT {
	cmd_Nothing = 0,
	cmd_About = 1,
	cmd_New = 2,
	cmd_Open = 3,
	cmd_Close = 4,
	cmd_Save = 5,
	cmd_SaveAs = 6,
	cmd_Revert = 7,
	cmd_PageSetup = 8,
	cmd_Print = 9,
	cmd_Quit = 10,
	cmd_Undo = 11,
	cmd_Cut = 12,
	cmd_Copy = 13,
	cmd_Paste = 14,
	cmd_Clear = 15,
	cmd_SelectAll = 16,
	cmd_PrintOne = 17,
	cmd_Preferences = 27
};

// Marks a menu item can carry (Mac Roman characters).
enum : UInt16 { noMark = 0, checkMark = 0x12, diamondMark = 0x13 };

// The framework's nil-pointer error.
constexpr ExceptionCode err_NilPointer = ExceptionCode(FOUR_CHAR_CODE("nilP"));

struct SPoint32 {
	SInt32 h = 0;
	SInt32 v = 0;
};

struct SDimension16 {
	SInt16 width = 0;
	SInt16 height = 0;
};

struct SDimension32 {
	SInt32 width = 0;
	SInt32 height = 0;
};

// Which edges of a pane follow the edges of its super view when that one is resized.
struct SBooleanRect {
	Boolean left = false;
	Boolean top = false;
	Boolean right = false;
	Boolean bottom = false;
};
