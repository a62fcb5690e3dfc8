#include "platform/framework/LTableSelector.h"

#include "platform/framework/LTableView.h"

Boolean LTableSelector::DragSelect(const STableCell& inCell, const SMouseDownEvent& inMouseDown)
{
	ClickSelect(inCell, inMouseDown);
	return true;
}

void LTableSelector::Changed(const STableCell& inCell)
{
	if (!inCell.IsNullCell())
		mTableView->RefreshCell(inCell);
	mTableView->SelectionChanged();
}
