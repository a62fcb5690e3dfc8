#pragma once
// What the application and the plug-in share about their settings files: the files a writing could not
// write, told in one message, and the older set-aside file that gives way to a newer one.

#include <string>
#include <vector>

class TVyFile;

// A settings file (its Mac Roman name) that could not be written: a file that stood under its name is left
// as it was; otherwise none was made.
struct tUnwrittenFile {
	std::string name;
	bool stood = false;
};
using tUnwrittenFiles = std::vector<tUnwrittenFile>;

// Notes the file that inFile names, just after its writing failed (which leaves what stood there).
void NoteUnwritten(TVyFile* inFile, tUnwrittenFiles* ioFiles);
// One message naming every file, those not made apart from those left as they were; none, nothing.
void ShowUnwrittenFiles(const tUnwrittenFiles& inFiles);
