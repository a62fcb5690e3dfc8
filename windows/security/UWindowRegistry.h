#pragma once
// The window library's start-up: registers the classes its layouts name and installs the plug-in's window
// openers. main calls Install once, before the application is made.

class UWindowRegistry
{
public:
	static void Install();
	// The pane and window classes only (the shipped-layouts test uses them too).
	static void RegisterClasses();
	static void InstallOpeners();
	// The per-security settings dialogs that securities open (ShowSelectDlog).
	static void InstallSelectDlogs();
	// The detail windows that securities open (ShowDetailWindow), one maker per kind.
	static void InstallDetailWindows();
};
