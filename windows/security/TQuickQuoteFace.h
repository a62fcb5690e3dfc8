#pragma once
// A quick-quote window as the plug-in drives it: shown, selected, asked for a fresh quote, redrawn, closed.

#include "Includes/IPluginWindow.h"

class TDetailWindow;

class TQuickQuoteFace : public IPluginWindow
{
public:
	explicit TQuickQuoteFace(TDetailWindow* inWindow) : mWindow(inWindow) {}

	LCommander* GetCommander() override;
	void Show() override;
	void Select() override;
	void Activate() override;
	void AttemptClose() override;
	void Delete() override;
	void Update() override;
	void UpdateMe() override;

private:
	TDetailWindow* mWindow;
};
