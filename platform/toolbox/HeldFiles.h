#pragma once
// Whether a file is the file of an open document. A printout, an export or a security's output file
// written over it would destroy the document on disk while its window still shows it saved. The
// framework installs the teller that knows the open documents; without one no file is held.

#include <functional>
#include <string>

// True when inPosixPath names an open document's file, however it is spelled (a link, another path to
// its folder); outWindowName, when given, takes that document's window name (Mac Roman).
using HeldFileTeller = std::function<bool(const std::string& inPosixPath, std::string* outWindowName)>;

// Returns the teller it replaces.
HeldFileTeller SetHeldFileTeller(HeldFileTeller inTeller);
bool FileHeldByDocument(const std::string& inPosixPath, std::string* outWindowName = nullptr);
