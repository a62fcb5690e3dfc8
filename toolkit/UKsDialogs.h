#pragma once
// Modal dialogs built from window layouts, each run until one of its controls sends a message; the result
// is that message (2000 OK or Yes, 2001 Cancel or No in the application's layouts). The plug-in's numbered
// messages (string list 5002) show in the static text pane 'text' of the error, question and yes/no
// dialogs; there, and in the 'text' pane of a dialog asking for a line of text, ^0 to ^3 take the texts
// last given to ParamText.

#include "platform/framework/FrameworkTypes.h"

enum : ResIDT {
	kKsMessageStringsID = 5002,
	kKsErrorDialogID = 5010,
	kKsQueryDialogID = 5011,
	kKsYesNoDialogID = 5012
};

enum : PaneIDT { kKsDialogTextPane = FOUR_CHAR_CODE("text") };

class UKsDialogs
{
public:
	static MessageT Dialog(ResIDT inLayoutID);
	// Message inMessage (from 1) of string list 5002 in the layout's 'text' pane; 0 leaves the pane as
	// is.
	static MessageT DoDialog(ResIDT inLayoutID, SInt16 inMessage);
	static MessageT ErrorDialog(SInt16 inMessage);
	static bool QueryDialog(SInt16 inMessage);
	static bool YesNoDialog(SInt16 inMessage);
	// The edit field inFieldID (when above 0 and present) takes the typing; its text is copied out
	// whichever button ended the dialog, and stays empty without a field. Callers judge by the returned
	// message.
	static MessageT StringDialog(ResIDT inLayoutID, PaneIDT inFieldID, Str255 outText);
	// As StringDialog, with the field's numeric value (0 without a field).
	static MessageT NumberDialog(ResIDT inLayoutID, PaneIDT inFieldID, long* outValue);
};
