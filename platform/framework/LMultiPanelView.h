#pragma once
// A view that shows one of several panels, each built from its own layout inside the view. Panels are
// built when first shown (or all at once) and kept until the view goes. Listening to a page switch, it
// shows the panel whose number the switch broadcasts.

#include "platform/framework/LListener.h"
#include "platform/framework/LView.h"

#include <vector>

class LCommander;

class LMultiPanelView : public LView, public LListener
{
public:
	enum { class_ID = FOUR_CHAR_CODE("mpvw") };

	// Reads the pane's data, then: a count (16) and that many panel layout ids (16 each), the panel shown
	// first (16; 0 for none) and the switch message (32; 0 takes any message that carries a value).
	explicit LMultiPanelView(LStream* inStream);

	UInt16 GetPanelCount() const { return UInt16(mPanels.size()); }
	LView* CreatePanel(UInt16 inIndex); // the panel, built now if it was not; null for a bad number
	void CreateAllPanels();
	LView* GetPanel(UInt16 inIndex) const; // null when not built
	UInt16 GetCurrentIndex() const { return mCurrentIndex; }
	LView* GetCurrentPanel() const { return GetPanel(mCurrentIndex); }
	virtual void SwitchToPanel(UInt16 inIndex);

	void ListenToMessage(MessageT inMessage, void* ioParam) override;

protected:
	void FinishCreateSelf() override;

private:
	struct Panel {
		ResIDT layoutID = 0;
		LView* view = nullptr;
	};
	std::vector<Panel> mPanels;
	UInt16 mCurrentIndex = 0;
	UInt16 mFirstIndex = 0;
	MessageT mSwitchMessage = msg_Nothing;
	LCommander* mCommander = nullptr; // of the panels' panes
};
