#include "toolkit/UOneColumnTable.h"

#include "platform/framework/LException.h"
#include "platform/framework/LTableArrayStorage.h"
#include "platform/framework/LTableMonoGeometry.h"
#include "platform/framework/LTableMultiSelector.h"
#include "platform/framework/LTableSingleSelector.h"
#include "platform/framework/UKeyFilters.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/Fonts.h"
#include "platform/toolbox/gui/QuickDraw.h"
#include "platform/toolbox/gui/ResourceStore.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace UOneColumnTable
{
tTextTraits LoadTraits(SInt16 inID)
{
	tTextTraits traits;
	const SResTextTraits* stored = ResourceStore::Get().GetTextTraits(inID);
	SignalIf_(stored == nullptr);
	if (stored != nullptr) {
		traits.size = stored->size;
		traits.style = stored->style;
		traits.justification = stored->justification;
		traits.colour = stored->color;
		traits.fontName = stored->fontName;
	}
	return traits;
}

void ApplyTraits(const tTextTraits& inTraits)
{
	SInt16 font = inTraits.fontNumber;
	if (!inTraits.fontName.empty()) {
		Str255 name;
		PascalStrings::FromString(inTraits.fontName, name);
		GetFNum(name, &font);
	}
	TextFont(font);
	TextSize(inTraits.size);
	TextFace(StyleParameter(inTraits.style));
}

SInt32 RowHeight(ResIDT inTraitsID, SInt32 inMinimum)
{
	const SResTextTraits* traits = ResourceStore::Get().GetTextTraits(inTraitsID);
	return traits != nullptr ? std::max<SInt32>(traits->size + 4, inMinimum) : inMinimum;
}

SInt32 SetUp(LTableView& inTable, SInt32 inRowHeight, bool inMultipleSelection, UInt32 inDataSize)
{
	Rect frame;
	inTable.CalcLocalFrameRect(frame);
	const SInt32 width = frame.right - frame.left;
	auto* geometry = new (std::nothrow) LTableMonoGeometry(&inTable, UInt16(width), UInt16(inRowHeight));
	ThrowIfNil_(geometry);
	inTable.SetTableGeometry(geometry);
	// Scroll arrows and the wheel move by whole rows, not pixels.
	inTable.SetScrollUnit(SPoint32{1, inRowHeight});
	LTableSelector* selector = nullptr;
	if (inMultipleSelection)
		selector = new (std::nothrow) LTableMultiSelector(&inTable);
	else
		selector = new (std::nothrow) LTableSingleSelector(&inTable);
	ThrowIfNil_(selector);
	inTable.SetTableSelector(selector);
	auto* storage = new (std::nothrow) LTableArrayStorage(&inTable, inDataSize);
	ThrowIfNil_(storage);
	inTable.SetTableStorage(storage);
	inTable.InsertCols(1, 0, nullptr, 0, false);
	return width;
}

SInt32 ResizeFrameBy(LTableView& inTable, SInt16 inWidthDelta, SInt16 inHeightDelta)
{
	inTable.LTableView::ResizeFrameBy(inWidthDelta, inHeightDelta, false);
	Rect frame;
	inTable.CalcLocalFrameRect(frame);
	const SInt32 width = frame.right - frame.left;
	inTable.SetColWidth(UInt16(width), 1, 1);
	return width;
}

std::optional<TableIndexT> NavigationRow(const LTableView& inTable, UInt16 inKey, TableIndexT inLast,
                                         SInt32 inRowHeight)
{
	TableIndexT rows = 0, cols = 0;
	inTable.GetTableSize(rows, cols);
	Rect frame;
	inTable.CalcLocalFrameRect(frame);
	const SInt32 page =
	    std::max<SInt32>(1, (frame.bottom - frame.top) / std::max<SInt32>(inRowHeight, 1));
	const SInt32 lastRow = std::max<SInt32>(SInt32(rows), 1);
	switch (inKey) {
	case char_Home:
		return 1;
	case char_End:
		return rows;
	case char_PageUp:
		return TableIndexT(std::clamp<SInt32>(SInt32(inLast) - page, 1, lastRow));
	case char_PageDown:
		return TableIndexT(std::clamp<SInt32>(SInt32(inLast) + page, 1, lastRow));
	case char_UpArrow:
		return inLast == 0 ? rows : std::max<TableIndexT>(inLast, 2) - 1;
	case char_DownArrow:
		return inLast == 0 ? 1 : std::min(inLast + 1, rows);
	default:
		return std::nullopt;
	}
}

const char* AddTypedKey(tTypedPrefix& ioPrefix, char inKey, UInt32 inNow)
{
	const size_t length = std::strlen(ioPrefix.text);
	if (inNow - ioPrefix.lastTick >= tTypedPrefix::kPause) {
		ioPrefix.text[0] = inKey;
		ioPrefix.text[1] = 0;
	} else if (length < tTypedPrefix::kSize - 1) {
		ioPrefix.text[length] = inKey;
		ioPrefix.text[length + 1] = 0;
	}
	ioPrefix.lastTick = inNow;
	return ioPrefix.text;
}
} // namespace UOneColumnTable
