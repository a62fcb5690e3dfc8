#pragma once
// The per-kind security files: the tag 'zv22', a u32 count, then one stored security record per security,
// all of the kind the file stands for. Hand them a buffered file, so that thousands of securities cost a
// few system calls per file rather than several per field.

#include "Includes/TList.h"
#include "foundation/TVyFile.h"
#include "model/SecurityTypes.h"

class TSecurity;

class USecurityFile
{
public:
	static constexpr OSType kTag = FOUR_CHAR_CODE("zv22");

	// The file's name and type for a kind; null and 0 for anything else.
	static const char* FileName(tSecurityType kind);
	static OSType FileType(tSecurityType kind);
	// A new security of the kind, or null for anything else.
	static TSecurity* NewSecurity(tSecurityType kind);

	// Writes at the file's position. 0 or the file layer's error code.
	static short WriteSecurities(TVyFile* file, TList<TSecurity>* list);
	// Appends the file's securities to the list, which must take them as they are (no copy-on-add). A
	// wrong tag, or a count or record that runs past the end of the file, gives an error; the securities
	// read before it stay in the list.
	static short ReadSecurities(TVyFile* file, tSecurityType kind, TList<TSecurity>* list);
};
