#pragma once
// The drag of the summary table's selected security: its entry as 'zvDF' (inside this program only) and
// its quote line as text. Both are made when a receiver asks; the task owns what it made.

#include "Includes/TList.h"
#include "platform/framework/LDragTask.h"
#include "windows/security/tDragEntry.h"

class TSummaryTable;
struct tSummaryDraw;

class TSummaryTableDragTask : public LDragTask
{
public:
	TSummaryTableDragTask(const EventRecord& inEvent, TSummaryTable* inTable,
	                      TList<tSummaryDraw>* inDrawList);
	~TSummaryTableDragTask() override;

protected:
	void AddFlavors(DragReference inDragRef) override;

private:
	static OSErr SendData(FlavorType inFlavor, void* inRefCon, ItemReference inItem,
	                      DragReference inDrag);
	OSErr SendFlavor(FlavorType inFlavor, ItemReference inItem, DragReference inDrag);

	TList<tSummaryDraw>* mDrawList;
	TList<tDragEntry>* mEntries = nullptr;
	TSummaryTable* mTable;
};
