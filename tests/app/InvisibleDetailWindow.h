#pragma once
// For programs without the window library: a security whose detail window is opened (at start-up, from a
// script, from a menu) gets this invisible one, so that opening succeeds and the security keeps its
// open-at-quit state.

#include "model/IDetailWindow.h"
#include "model/SecurityTypes.h"
#include "model/USecurityWindows.h"

class TInvisibleDetailWindow : public IDetailWindow
{
public:
	// Makes it the detail window of every kind.
	static void Install()
	{
		for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
			USecurityWindows::SetDetailWindowMaker(kind, [] { return new TInvisibleDetailWindow; });
	}

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
