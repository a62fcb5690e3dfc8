#pragma once
// A view whose radio buttons (its sub panes, at any depth) form one group: at most one of them is on.

#include "platform/framework/LListener.h"
#include "platform/framework/LView.h"

#include <vector>

class LRadioButton;

class LRadioGroupView : public LView, public LListener
{
      public:
	enum { class_ID = FOUR_CHAR_CODE("rgpv") };

	// Reads the pane's data, then the id of the button that starts on (32; 0 keeps the layout's values).
	explicit LRadioGroupView(LStream* inStream);

	PaneIDT GetCurrentRadioID() const; // 0 when none is on
	void SetCurrentRadioID(PaneIDT inRadioID);
	void AddRadio(LRadioButton* inRadio);

	void ListenToMessage(MessageT inMessage, void* ioParam) override;

      protected:
	void FinishCreateSelf() override;

      private:
	void CollectRadios(LView* inView);
	std::vector<LRadioButton*> mRadios;
	PaneIDT mInitialRadioID = 0;
};
