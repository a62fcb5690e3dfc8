#pragma once
// Texts drawn into rectangles, the anti-aliasing switch of that drawing, and items of string lists loaded
// into new strings.
//
// DrawString puts the text on one line inside the rectangle. The line starts at inH (the rectangle's left
// when inH lies outside it) and ends at the rectangle's right; the justification places the text in it
// (-1 flush right, 1 centred, 0 and -2 flush left). Its baseline is the rectangle's bottom line, a quarter
// of the rectangle's height above inRect->bottom, in both kinds of drawing. Callers pass inRect->bottom as
// inV, naming that bottom line; the baseline is taken from the rectangle so that descenders stay inside.
//   theme drawing (the default): the text in the port's font, anti-aliased, cut at a word when it does not
//     fit;
//   classic drawing (while a saved switch is in force and off): the text without anti-aliasing, shortened
//     with an ellipsis when it does not fit and then drawn from the line's start whatever the
//     justification.

#include "platform/toolbox/MacTypes.h"

class UKsStrings
{
public:
	static void DrawString(ConstStr255Param inText, SInt16 inH, SInt16 inV, const Rect* inRect,
	                       SInt16 inJust);
	// Cut to 255 characters.
	static void DrawString(const char* inText, SInt16 inH, SInt16 inV, const Rect* inRect, SInt16 inJust);

	static void SetAntiAliasState(bool inAntiAlias);
	// The switch is in force between SaveAntiAliasState and RestoreAntiAliasState.
	static void SaveAntiAliasState();
	static void RestoreAntiAliasState();
	static bool UsesClassicDrawing();

	// A new copy of item inIndex (from 1) of the string list, owned by the caller and freed with
	// delete[]. Never null: a missing list or item, or an empty one, gives an empty text (and a debug
	// signal).
	static char* LoadStringC(SInt16 inListID, SInt16 inIndex);
	// The same as a length-prefixed text.
	static unsigned char* LoadStringP(SInt16 inListID, SInt16 inIndex);

	static UInt8 sAntiAliasText;
	static UInt8 sSaveState;
	static UInt8 sUseState;
};
