#pragma once
// Theme text drawing and the text anti-aliasing switch.

#include "platform/toolbox/MacTypes.h"

#include <cstddef>

typedef UInt16 ThemeFontID;
enum : ThemeFontID { kThemeSystemFont = 0, kThemeSmallSystemFont = 1, kThemeCurrentPortFont = 200 };

typedef UInt32 ThemeDrawState;
enum : ThemeDrawState { kThemeStateInactive = 0, kThemeStateActive = 1, kThemeStatePressed = 2 };

// Justifications of text in a box.
enum : SInt16 { teFlushDefault = 0, teCenter = 1, teFlushRight = -1, teFlushLeft = -2 };

// Draws Mac Roman text in a box of the current port, in the port's fore colour and text mode whatever the
// state: the first line's top at the box's top, lines broken at returns and, with wrapToWidth, at spaces (a
// word wider than the box at a character), each line placed by the justification; nothing outside the box
// is touched.
OSStatus DrawThemeTextBox(const char* text, std::size_t length, ThemeFontID font, ThemeDrawState state,
                          Boolean wrapToWidth, const Rect* box, SInt16 just);

// The size the same text takes in a box ioBounds->h wide: its height (a line per line of text) in
// ioBounds->v, and the first line's baseline below the top in outBaseline.
OSStatus GetThemeTextDimensions(const char* text, std::size_t length, ThemeFontID font, ThemeDrawState state,
                                Boolean wrapToWidth, Point* ioBounds, SInt16* outBaseline);

// Text of at least minFontSize pixels is drawn anti-aliased while enabled (the default, from size 0 up).
void SetAntiAliasedTextEnabled(Boolean enable, SInt16 minFontSize);
Boolean IsAntiAliasedTextEnabled(SInt16* minFontSize);
