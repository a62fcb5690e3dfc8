#include "windows/security/TListTableDragTask.h"

#include "platform/framework/LException.h"
#include "windows/security/TListTable.h"
#include "windows/security/UDragEntries.h"
#include "windows/security/UTableDrag.h"

#include <new>
#include <string>
#include <vector>

namespace
{
void PutU32(std::vector<UInt8>& ioBytes, UInt32 inValue)
{
	for (int shift = 24; shift >= 0; shift -= 8)
		ioBytes.push_back(UInt8(inValue >> shift));
}

UInt32 GetU32(const UInt8* inBytes)
{
	return UInt32(inBytes[0]) << 24 | UInt32(inBytes[1]) << 16 | UInt32(inBytes[2]) << 8 | inBytes[3];
}
} // namespace

TListTableDragTask::TListTableDragTask(const EventRecord& inEvent, TListTable* inTable,
                                       TList<tSecurityEntry>* inList, bool inOffersDragFlavor)
    : LDragTask(inEvent), mTable(inTable), mList(inList), mListFlavor(inTable->GetListFlavor()),
      mOffersDragFlavor(inOffersDragFlavor)
{
}

void TListTableDragTask::AddFlavors(DragReference inDragRef)
{
	const auto item = ItemReference(this);
	AddDragItemFlavor(inDragRef, item, mListFlavor, nullptr, 0, flavorSenderOnly);
	if (mOffersDragFlavor)
		AddDragItemFlavor(inDragRef, item, UDragEntries::kDragFlavor, nullptr, 0,
		                  flavorSenderOnly | flavorSenderTranslated);
	AddDragItemFlavor(inDragRef, item, kDragFlavorTypeText, nullptr, 0, flavorSenderTranslated);
	SetDragSendProc(inDragRef, &TListTableDragTask::SendData, this);
	for (const Rect& rect : UTableDrag::SelectedRowRects(mTable))
		AddRectDragItem(item, rect);
}

OSErr TListTableDragTask::SendData(FlavorType inFlavor, void* inRefCon, ItemReference inItem,
                                   DragReference inDrag)
{
	return static_cast<TListTableDragTask*>(inRefCon)->SendFlavor(inFlavor, inItem, inDrag);
}

OSErr TListTableDragTask::SendFlavor(FlavorType inFlavor, ItemReference inItem, DragReference inDrag)
{
	if (inFlavor != mListFlavor && inFlavor != UDragEntries::kDragFlavor &&
	    inFlavor != kDragFlavorTypeText)
		return noErr;
	std::vector<UInt8> rows;
	PutU32(rows, mTable->GetDragToken());
	TList<tDragEntry> entries(true, true);
	std::string text;
	TableIndexT row = 0;
	for (tListNode<tSecurityEntry>* node = mList->GetEntryHead(); node != nullptr; node = node->mNext) {
		++row;
		TSecurity* security = node->mItem->Security;
		if (security == nullptr || !mTable->CellIsSelected(STableCell(row, 1)))
			continue;
		PutU32(rows, UInt32(row));
		tDragEntry entry = UDragEntries::MakeEntry(security);
		entries.Append(&entry);
		text += UDragEntries::TextLine(security);
	}
	if (inFlavor == mListFlavor)
		return SetDragItemFlavorData(inDrag, inItem, inFlavor, rows.data(), Size(rows.size()), 0);
	if (inFlavor == UDragEntries::kDragFlavor) {
		const std::vector<UInt8> bytes = UDragEntries::Encode(entries);
		return SetDragItemFlavorData(inDrag, inItem, inFlavor, bytes.data(), Size(bytes.size()), 0);
	}
	if (text.empty())
		return noErr;
	return SetDragItemFlavorData(inDrag, inItem, inFlavor, text.data(), Size(text.size()), 0);
}

OSErr TListTableDragTask::ReadEntries(DragReference inDrag, ItemReference inItem, FlavorType inFlavor,
                                      TListTable* inReceiver, TList<tSecurityEntry>*& outEntries)
{
	outEntries = nullptr;
	DragAttributes attributes = 0;
	GetDragAttributes(inDrag, &attributes);
	Size size = 0;
	if (OSErr err = GetFlavorDataSize(inDrag, inItem, inFlavor, &size); err != noErr)
		return err;
	std::vector<UInt8> bytes(size_t(size > 0 ? size : 0));
	if (OSErr err = GetFlavorData(inDrag, inItem, inFlavor, bytes.data(), &size, 0); err != noErr)
		return err;
	if (!(attributes & kDragInsideSenderApplication) || bytes.size() < 4 || bytes.size() % 4 != 0 ||
	    GetU32(bytes.data()) != inReceiver->GetDragToken())
		return noErr;
	TList<tSecurityEntry>* working = inReceiver->GetWorkingList();
	if (working == nullptr)
		return noErr;
	outEntries = new (std::nothrow) TList<tSecurityEntry>(false, false);
	ThrowIfNil_(outEntries);
	for (size_t at = 4; at < bytes.size(); at += 4)
		if (tSecurityEntry* entry = working->GetNth(long(GetU32(bytes.data() + at))))
			outEntries->Append(entry);
	return noErr;
}
