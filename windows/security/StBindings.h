#pragma once
// Switches a pane's frame bindings off for a scope and puts the saved ones back at its end, so that the
// summary window can move its views without them following the window.

#include "platform/framework/LPane.h"

class StBindings
{
public:
	explicit StBindings(LPane* inPane);
	~StBindings();
	StBindings(const StBindings&) = delete;
	StBindings& operator=(const StBindings&) = delete;

	void Restore();
	void TurnOffAll();
	void TurnOnAll();
	void Bindings(bool inTop, bool inLeft, bool inBottom, bool inRight);

private:
	LPane* mPane;
	SBooleanRect mSaved{};
};
