#pragma once
// Stands in for the detail window of a kind that has none of its own yet: a security whose detail window is
// opened (at start-up, from a script, from a menu) gets this invisible one, so that opening succeeds and
// the security keeps its open-at-quit state. The security windows install their makers over it.

#include "model/IDetailWindow.h"

class TDetailWindowSeam : public IDetailWindow
{
public:
	// Makes it the detail window of every kind.
	static void Install();

	void SetCurrentSecurity(TSecurity*) override {}
	void Update() override {}
	void StartUpdating() override {}
	void FinishUpdating() override {}
	void EnableTrading(bool) override {}
	void Show() override {}
	void Select() override {}
	void Activate() override {}
	// The security has forgotten it before it closes.
	void AttemptClose() override { delete this; }
};
