#pragma once
// One run of the program per settings folder: a start that finds the folder in use hands its documents to
// the run that uses it, or tells the user, and ends before it reads or writes any settings.

#include <string>
#include <vector>

class USingleRun
{
public:
	// Set by scripts/run for a start of its own before it starts a display for the run: that start only
	// looks at the settings folder. In use, it does what a start on it does, offscreen, and ends; free,
	// it ends at once with kSettingsFree, before Qt starts.
	static constexpr const char* kCheckVariable = "VANTOREL_CHECK_IN_USE";
	static constexpr int kSettingsFree = 3;
	static bool IsCheck();
	// Whether another run has the settings folder now, without taking it.
	static bool InUse();

	// Takes the settings folder for this run. False when another run has it: inDocuments (file paths from
	// the command line) were handed to that run, or the user was told; outStatus is this start's exit
	// status then. A folder that cannot be used or locked is left to the start as before. In a check the
	// folder is looked at, not taken: free, it ends the start with kSettingsFree.
	static bool Take(const std::vector<std::string>& inDocuments, int* outStatus);
};
