#pragma once
// A group of radio buttons named by pane id anywhere in the window: at most one of them is on. The group
// is an invisible pane that finds its buttons when it is finished, so a layout lists it after them.

#include "platform/framework/LListener.h"
#include "platform/framework/LPane.h"

#include <vector>

class LRadioButton;

class LRadioGroup : public LPane, public LListener
{
      public:
	enum { class_ID = FOUR_CHAR_CODE("radg") };

	// Reads the pane's data, then a count (16) and that many button ids (32 each).
	explicit LRadioGroup(LStream* inStream);

	PaneIDT GetCurrentRadioID() const; // 0 when none is on
	void SetCurrentRadioID(PaneIDT inRadioID);
	void AddRadio(LRadioButton* inRadio);

	void ListenToMessage(MessageT inMessage, void* ioParam) override;

      protected:
	void FinishCreateSelf() override;

      private:
	std::vector<PaneIDT> mRadioIDs;
	std::vector<LRadioButton*> mRadios;
};
