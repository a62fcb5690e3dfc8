#pragma once
// The radio buttons of a group, at most one of them on: what a radio group and a radio group view share.

#include "platform/framework/FrameworkTypes.h"
#include "platform/framework/LListener.h"

#include <vector>

class LRadioButton;

class LRadioSet : public LListener
{
public:
	PaneIDT GetCurrentRadioID() const; // 0 when none is on
	void SetCurrentRadioID(PaneIDT inRadioID);
	void AddRadio(LRadioButton* inRadio);

	void ListenToMessage(MessageT inMessage, void* ioParam) override;

private:
	std::vector<LRadioButton*> mRadios;
};
