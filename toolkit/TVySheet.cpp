#include "toolkit/TVySheet.h"

#include <algorithm>

TVySheet::TVySheet(LStream* inStream) : TVyWindow(inStream, false) {}

TVySheet::~TVySheet()
{
	Hide();
	// The parent may have gone first; then there is nothing to select.
	if (LWindow* parent = GetParent())
		parent->Select();
}

LWindow* TVySheet::GetParent() const
{
	if (mParent == nullptr)
		return nullptr;
	const std::vector<LWindow*> windows = LWindow::GetWindowList();
	return std::find(windows.begin(), windows.end(), mParent) != windows.end() ? mParent : nullptr;
}

void TVySheet::ShowSheet(LWindow* inParent, Boolean inShow)
{
	mParent = inParent;
	if (!inShow)
		return;
	if (LWindow* parent = GetParent()) {
		Rect parentBounds, bounds;
		parent->GetGlobalBounds(parentBounds);
		GetGlobalBounds(bounds);
		const SInt16 width = SInt16(bounds.right - bounds.left);
		const SInt16 parentWidth = SInt16(parentBounds.right - parentBounds.left);
		MoveWindowTo(SInt16(parentBounds.left + (parentWidth - width) / 2), parentBounds.top);
	}
	LWindow::Show();
	Enable();
	SelectParent();
}

void TVySheet::Show()
{
	ShowSheet(mParent, true);
}

void TVySheet::SelectParent()
{
	if (LWindow* parent = GetParent())
		parent->Select();
	if (IsVisible())
		Select();
}

void TVySheet::HandleClick(const EventRecord& inMacEvent, SInt16 inClickCount)
{
	LWindow* parent = GetParent();
	if (parent != nullptr && !parent->IsFrontWindow() && !IsFrontWindow())
		SelectParent();
	LWindow::HandleClick(inMacEvent, inClickCount);
}
