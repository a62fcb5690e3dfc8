// The portfolio window while its ledger window is open: the ledger writes back the copy it took, so
// nothing here may change meanwhile.

#include "Internet/UApplicationNotices.h"
#include "model/TAccountant.h"
#include "platform/framework/LCheckBox.h"
#include "windows/portfolio/TPortfolioWindow.h"
#include "windows/security/UWindowPanes.h"

namespace
{
bool IsRadioCommand(CommandT inCommand)
{
	switch (inCommand) {
	case FOUR_CHAR_CODE("dAll"):
	case FOUR_CHAR_CODE("dRng"):
	case FOUR_CHAR_CODE("nSrt"):
	case FOUR_CHAR_CODE("sSrt"):
	case FOUR_CHAR_CODE("pSrt"):
	case FOUR_CHAR_CODE("tSrt"):
	case FOUR_CHAR_CODE("aSrt"):
	case FOUR_CHAR_CODE("bSrt"):
	case FOUR_CHAR_CODE("cSrt"):
	case FOUR_CHAR_CODE("vOri"):
	case FOUR_CHAR_CODE("vYes"):
		return true;
	default:
		return false;
	}
}
} // namespace

bool TPortfolioWindow::IsControlCommand(CommandT inCommand) const
{
	if ((inCommand >= kFirstTriangleCommand && inCommand <= 13998) || CheckboxRow(inCommand) > 0 ||
	    IsRadioCommand(inCommand))
		return true;
	switch (inCommand) {
	case FOUR_CHAR_CODE("dFrm"):
	case FOUR_CHAR_CODE("dToo"):
	case kCmdDateChanged:
	case UWindowPanes::kSortDirection:
	case kCmdOpenSettings:
		return true;
	default:
		return false;
	}
}

// A control that changed anyway (a date field edits itself) shows its stored state again.
void TPortfolioWindow::RefuseWhileLedgerOpen(CommandT inCommand, const void* ioParam)
{
	// The radio button that the clicked one turns off says nothing of its own.
	if (IsRadioCommand(inCommand) && ioParam != nullptr && *static_cast<const SInt32*>(ioParam) == 0)
		return;
	UApplicationNotices::SysBeep();
	RedoContent();
	mBusy = true;
	for (SInt32 row = 1; LCheckBox* box = RowCheckbox(row); ++row)
		if (const tPortfolioItem* item = mAccountant != nullptr ? mAccountant->GetNth(row) : nullptr)
			box->SetValue(item->enabled ? 1 : 0);
	mBusy = false;
}
