#pragma once
// The plug-in's hold on one of its singleton windows: what every such window does alike. Each window's face
// adds the operations of its own.

#include "Includes/IPluginWindow.h"

template <class W> class TPluginWindowFace : public IPluginWindow
{
public:
	explicit TPluginWindowFace(W* inWindow) : mWindow(inWindow) {}
	LCommander* GetCommander() override { return mWindow; }
	void Show() override { mWindow->Show(); }
	void Select() override { mWindow->Select(); }
	void Activate() override { mWindow->Activate(); }
	void AttemptClose() override { mWindow->AttemptClose(); }

protected:
	W* mWindow;
};
