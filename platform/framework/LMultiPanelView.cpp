#include "platform/framework/LMultiPanelView.h"

#include "platform/framework/LCommander.h"
#include "platform/framework/LStream.h"
#include "platform/framework/UReanimator.h"
#include "platform/toolbox/Debugging.h"

LMultiPanelView::LMultiPanelView(LStream* inStream)
    : LView(inStream), mCommander(LCommander::GetDefaultCommander())
{
	SInt16 count = 0;
	*inStream >> count;
	for (SInt16 i = 0; i < count; ++i) {
		Panel panel;
		*inStream >> panel.layoutID;
		mPanels.push_back(panel);
	}
	SInt16 first = 0;
	*inStream >> first >> mSwitchMessage;
	mFirstIndex = UInt16(first);
}

void LMultiPanelView::FinishCreateSelf()
{
	if (mFirstIndex != 0)
		SwitchToPanel(mFirstIndex);
}

LView* LMultiPanelView::CreatePanel(UInt16 inIndex)
{
	SignalIf_(inIndex < 1 || inIndex > mPanels.size());
	if (inIndex < 1 || inIndex > mPanels.size())
		return nullptr;
	Panel& panel = mPanels[inIndex - 1];
	if (!panel.view) {
		LView* view = UReanimator::CreateView<LView>(panel.layoutID, this, mCommander);
		SignalIf_(view == nullptr);
		if (!view)
			return nullptr;
		if (inIndex != mCurrentIndex)
			view->Hide();
		panel.view = view;
	}
	return panel.view;
}

void LMultiPanelView::CreateAllPanels()
{
	for (UInt16 i = 1; i <= mPanels.size(); ++i)
		CreatePanel(i);
}

LView* LMultiPanelView::GetPanel(UInt16 inIndex) const
{
	if (inIndex < 1 || inIndex > mPanels.size())
		return nullptr;
	return mPanels[inIndex - 1].view;
}

void LMultiPanelView::SwitchToPanel(UInt16 inIndex)
{
	if (inIndex == mCurrentIndex && GetPanel(inIndex))
		return;
	LView* next = CreatePanel(inIndex);
	if (!next)
		return;
	if (LView* current = GetPanel(mCurrentIndex))
		current->Hide();
	mCurrentIndex = inIndex;
	next->Show();
	Refresh();
}

void LMultiPanelView::ListenToMessage(MessageT inMessage, void* ioParam)
{
	if (!ioParam || (mSwitchMessage != msg_Nothing && inMessage != mSwitchMessage))
		return;
	const SInt32 index = *static_cast<SInt32*>(ioParam);
	if (index >= 1 && index <= SInt32(mPanels.size()))
		SwitchToPanel(UInt16(index));
}
