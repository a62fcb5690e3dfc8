#pragma once
// What the one-column tables of the security and portfolio windows share: the column across the frame,
// the row height of their text, keyboard navigation and selecting a row by typing the start of its name.

#include "platform/framework/LTableView.h"

#include <optional>
#include <string>

namespace UOneColumnTable
{
// Text traits kept by value, so that the window's font settings can replace those of the layout.
struct tTextTraits {
	SInt16 size = 0;
	SInt16 style = 0;
	SInt16 justification = 0;
	RGBColor colour{0, 0, 0};
	SInt16 fontNumber = 0;
	std::string fontName;
};
tTextTraits LoadTraits(SInt16 inID);
void ApplyTraits(const tTextTraits& inTraits);

// The traits' size plus 4, at least inMinimum; inMinimum without the traits.
SInt32 RowHeight(ResIDT inTraitsID, SInt32 inMinimum);
// One column across the frame, rows of inRowHeight, cells of inDataSize bytes. Returns the column width.
SInt32 SetUp(LTableView& inTable, SInt32 inRowHeight, bool inMultipleSelection, UInt32 inDataSize);
// Resizes the frame without redrawing and widens the column to it. Returns the column width.
SInt32 ResizeFrameBy(LTableView& inTable, SInt16 inWidthDelta, SInt16 inHeightDelta);

// The row that Home, End, Page Up/Down or an arrow moves the selection to from row inLast (0: none
// selected); nothing for other keys.
std::optional<TableIndexT> NavigationRow(const LTableView& inTable, UInt16 inKey, TableIndexT inLast,
                                         SInt32 inRowHeight);

// Keys typed within a second of each other build one prefix; a later key starts a new one.
struct tTypedPrefix {
	static constexpr UInt32 kPause = 60; // ticks
	static constexpr size_t kSize = 10;
	char text[kSize] = {};
	UInt32 lastTick = 0;
};
const char* AddTypedKey(tTypedPrefix& ioPrefix, char inKey, UInt32 inNow);
} // namespace UOneColumnTable
