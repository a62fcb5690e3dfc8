#pragma once
// The data of security drags: the 'zvDF' entries built from securities, their transport by value inside
// the program, and the plain-text line of a dragged list row.

#include "Includes/TList.h"
#include "platform/toolbox/gui/Drag.h"
#include "windows/security/tDragEntry.h"

#include <string>
#include <vector>

class TSecurity;

class UDragEntries
{
public:
	static constexpr FlavorType kDragFlavor = FOUR_CHAR_CODE("zvDF");

	// Kind, symbol (cut to 20), name (cut to 50) and exchange (900 for all but stocks).
	static tDragEntry MakeEntry(TSecurity* security);
	// The row's text line: symbol, name and the kind's further fields, tab-separated, ended by a line
	// feed; empty for a security of no known kind.
	static std::string TextLine(TSecurity* security);

	// The flavour's bytes for the entries, in order, and back. Decoding refuses (false) data that is not
	// a whole number of records.
	static std::vector<UInt8> Encode(TList<tDragEntry>& entries);
	static bool Decode(const void* data, Size size, std::vector<tDragEntry>& outEntries);
	// The entries of a drag item, only when the drag comes from this program.
	static bool Receive(DragReference drag, ItemReference item, std::vector<tDragEntry>& outEntries);
};
