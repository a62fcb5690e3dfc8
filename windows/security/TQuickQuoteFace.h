#pragma once
// A quick-quote window as the plug-in drives it: besides what every singleton window does, asked for a
// fresh quote, redrawn, and closed at once at shut-down.

#include "windows/security/TDetailWindow.h"
#include "windows/security/TPluginWindowFace.h"

class TQuickQuoteFace : public TPluginWindowFace<TDetailWindow>
{
public:
	using TPluginWindowFace::TPluginWindowFace;
	void Delete() override { mWindow->DoClose(); }
	void Update() override { mWindow->Update(); }
	void UpdateMe() override { mWindow->UpdateMe(); }
};
