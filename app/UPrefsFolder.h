#pragma once
// The program's settings folder, "Vantorel Prefs ƒ" in the preferences folder, shared by the application
// and the securities plug-in. When it cannot be used, the user is told once with its path, and nothing is
// written anywhere else instead.

class TVyFile;

class UPrefsFolder
{
public:
	// Points the folder object at the settings folder, making it (and the preferences folder) when
	// missing; false when either cannot be used: nothing is to be read or written through the object
	// then (it may name the preferences or the working folder).
	static bool Find(TVyFile* folder);
	// The next failure is told again (a new start of the program).
	static void Forget();
};
