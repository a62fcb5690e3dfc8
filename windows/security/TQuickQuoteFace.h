#pragma once
// A quick-quote window as the plug-in drives it: shown, selected, asked for a fresh quote, redrawn, closed.
// Closing at once first lets the window put its choices back into the plug-in settings, which may be gone
// by the time the window's deletion comes round.

#include "Includes/IPluginWindow.h"

#include <functional>

class TDetailWindow;

class TQuickQuoteFace : public IPluginWindow
{
public:
	TQuickQuoteFace(TDetailWindow* inWindow, std::function<void()> inRetire)
	    : mWindow(inWindow), mRetire(std::move(inRetire))
	{
	}

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
	std::function<void()> mRetire;
};
