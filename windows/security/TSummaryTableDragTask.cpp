#include "windows/security/TSummaryTableDragTask.h"

#include "model/TSecurity.h"
#include "model/UZVUtils.h"
#include "platform/framework/LException.h"
#include "platform/toolbox/Debugging.h"
#include "windows/security/TSummaryTable.h"
#include "windows/security/UDragEntries.h"
#include "windows/security/UTableDrag.h"
#include "windows/security/tSummaryDraw.h"

#include <cstring>
#include <new>
#include <vector>

TSummaryTableDragTask::TSummaryTableDragTask(const EventRecord& inEvent, TSummaryTable* inTable,
                                             TList<tSummaryDraw>* inDrawList)
    : LDragTask(inEvent), mDrawList(inDrawList), mTable(inTable)
{
}

TSummaryTableDragTask::~TSummaryTableDragTask()
{
	delete mEntries;
}

void TSummaryTableDragTask::AddFlavors(DragReference inDragRef)
{
	const auto item = ItemReference(this);
	// The entry never leaves the program; the text may go anywhere.
	AddDragItemFlavor(inDragRef, item, UDragEntries::kDragFlavor, nullptr, 0,
	                  flavorSenderOnly | flavorSenderTranslated);
	AddDragItemFlavor(inDragRef, item, kDragFlavorTypeText, nullptr, 0, flavorSenderTranslated);
	SetDragSendProc(inDragRef, &TSummaryTableDragTask::SendData, this);
	for (const Rect& rect : UTableDrag::SelectedRowRects(mTable))
		AddRectDragItem(item, rect);
}

OSErr TSummaryTableDragTask::SendData(FlavorType inFlavor, void* inRefCon, ItemReference inItem,
                                      DragReference inDrag)
{
	return static_cast<TSummaryTableDragTask*>(inRefCon)->SendFlavor(inFlavor, inItem, inDrag);
}

OSErr TSummaryTableDragTask::SendFlavor(FlavorType inFlavor, ItemReference inItem, DragReference inDrag)
{
	if (inFlavor != UDragEntries::kDragFlavor && inFlavor != kDragFlavorTypeText)
		return noErr;
	const STableCell cell = mTable->GetFirstSelectedCell();
	tSummaryDraw* row = mDrawList != nullptr ? mDrawList->GetNth(long(cell.row)) : nullptr;
	SignalIf_(row == nullptr || row->Security == nullptr);
	if (row == nullptr || row->Security == nullptr)
		return noErr;
	if (inFlavor == UDragEntries::kDragFlavor) {
		delete mEntries;
		mEntries = new (std::nothrow) TList<tDragEntry>(true, true);
		ThrowIfNil_(mEntries);
		tDragEntry entry = UDragEntries::MakeEntry(row->Security);
		mEntries->Append(&entry);
		const std::vector<UInt8> bytes = UDragEntries::Encode(*mEntries);
		return SetDragItemFlavorData(inDrag, inItem, inFlavor, bytes.data(), Size(bytes.size()), 0);
	}
	char* text = UZVUtils::FormatExport(row->Security, "\t", 0, 3, 2, 5, 6, UZVUtils::kExportEnd);
	if (text == nullptr)
		return noErr;
	const OSErr err = SetDragItemFlavorData(inDrag, inItem, inFlavor, text, Size(std::strlen(text)), 0);
	delete[] text;
	return err;
}
