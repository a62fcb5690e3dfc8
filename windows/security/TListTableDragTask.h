#pragma once
// The drag of a list table's selected rows: the kind's list flavour (inside this program only: the sending
// table and the rows, by value), the rows' 'zvDF' entries where the window offers them, and their text
// lines. Data is made when a receiver asks; the clipboard is left alone.

#include "Includes/TList.h"
#include "platform/framework/LDragTask.h"
#include "windows/security/tSecurityEntry.h"

class TListTable;

class TListTableDragTask : public LDragTask
{
public:
	TListTableDragTask(const EventRecord& inEvent, TListTable* inTable, TList<tSecurityEntry>* inList,
	                   bool inOffersDragFlavor);

	// The entries a dropped list flavour names, as a new list that refers to them (the caller deletes
	// it); null when they are not inReceiver's rows.
	static OSErr ReadEntries(DragReference inDrag, ItemReference inItem, FlavorType inFlavor,
	                         TListTable* inReceiver, TList<tSecurityEntry>*& outEntries);

protected:
	void AddFlavors(DragReference inDragRef) override;

private:
	static OSErr SendData(FlavorType inFlavor, void* inRefCon, ItemReference inItem,
	                      DragReference inDrag);
	OSErr SendFlavor(FlavorType inFlavor, ItemReference inItem, DragReference inDrag);

	TListTable* mTable;
	TList<tSecurityEntry>* mList;
	FlavorType mListFlavor;
	bool mOffersDragFlavor;
};
