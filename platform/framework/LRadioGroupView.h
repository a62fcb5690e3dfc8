#pragma once
// A view whose radio buttons (its sub panes, at any depth) form one group: at most one of them is on.

#include "platform/framework/LRadioSet.h"
#include "platform/framework/LView.h"

class LRadioGroupView : public LView, public LRadioSet
{
public:
	enum { class_ID = FOUR_CHAR_CODE("rgpv") };

	// Reads the pane's data, then the id of the button that starts on (32; 0 keeps the layout's values).
	explicit LRadioGroupView(LStream* inStream);

protected:
	void FinishCreateSelf() override;

private:
	void CollectRadios(LView* inView);
	PaneIDT mInitialRadioID = 0;
};
