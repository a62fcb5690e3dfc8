#pragma once
// Who may do what to a file, judged as the kernel judges it from its owner, group, mode and ACL: the replace
// road holds each state of a copy to what the former file allowed, also a state not yet made. Not for use
// outside the toolbox.

#include <sys/types.h>
#include <utility>
#include <vector>

namespace fileaccess
{

enum : unsigned { kRead = 4, kWrite = 2, kExecute = 1 };

struct FileAccess {
	uid_t owner = 0;
	gid_t group = 0;
	// The rights of the owner, the owning group's entry and others; with an ACL (extended) the mask
	// limits named users and every group.
	unsigned ownerRights = 0, groupRights = 0, otherRights = 0;
	bool extended = false;
	unsigned mask = 7;
	std::vector<std::pair<uid_t, unsigned>> users;
	std::vector<std::pair<gid_t, unsigned>> groups;

	static FileAccess FromMode(uid_t owner, gid_t group, mode_t mode);
	// The permission bits as stat shows them: with an ACL the group's are the mask.
	mode_t Mode() const;
	// What chmod makes of it.
	void SetMode(mode_t mode);
	// The same entries and rights, whoever owns the files.
	bool SameRights(const FileAccess& other) const;
};

// The file's state; false, with errno, where it cannot be read. A disk without ACLs gives the mode's.
bool ReadAccess(int fd, FileAccess* access);

// What a process of that user (none: one no user entry names) and those groups may do: the owner's entry,
// else a named user's, else the union of every matching group entry, else others'.
unsigned Allowed(const FileAccess& file, const uid_t* uid, const std::vector<gid_t>& groups);

// Whether after lets any party do something before did not: each user either names (as a process with the
// groups of his account), each group either names (a process of that group alone) and others. The saver is
// not judged: he is the one making the file.
bool GivesMore(const FileAccess& before, const FileAccess& after, uid_t saver);
// Whether every party before names (and others) may still do all it could.
bool KeepsAll(const FileAccess& before, const FileAccess& after, uid_t saver);

} // namespace fileaccess
