#pragma once
// The program's settings folder, "Vantorel Prefs ƒ" in the preferences folder, shared by the application
// and the securities plug-in. When it cannot be used, the user is told once with its path, and nothing is
// written anywhere else instead. One run at a time uses it: a run holds its lock until the process ends.

#include <string>

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

	enum class ELock {
		kTaken,
		// Another process holds it: outHolder names it when it could tell.
		kHeld,
		// The folder cannot be used (nobody is told here) or its file system keeps no locks.
		kUnavailable,
	};
	// Takes the settings folder's lock for the rest of this process, before any settings file is read or
	// written; the kernel lets it go when the process ends, however it ends. outFolder is the folder's
	// path (UTF-8), outReason why no lock could be taken.
	static ELock LockForThisRun(std::string* outFolder, long* outHolder, std::string* outReason);
	// Whether another process holds that lock now, as LockForThisRun would find, neither taking it nor
	// making its file; outFolder and outHolder as there.
	static bool IsLockHeld(std::string* outFolder, long* outHolder);
};
