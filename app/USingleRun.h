#pragma once
// One run of the program per settings folder: a start that finds the folder in use hands its documents to
// the run that uses it, or tells the user, and ends before it reads or writes any settings.

#include <string>
#include <vector>

class USingleRun
{
public:
	// Takes the settings folder for this run. False when another run has it: inDocuments (file paths from
	// the command line) were handed to that run, or the user was told; outStatus is this start's exit
	// status then. A folder that cannot be used or locked is left to the start as before.
	static bool Take(const std::vector<std::string>& inDocuments, int* outStatus);
};
