#include "platform/toolbox/FileAccess.h"

#include <acl/libacl.h>
#include <algorithm>
#include <cerrno>
#include <grp.h>
#include <optional>
#include <pwd.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileaccess
{

FileAccess FileAccess::FromMode(uid_t owner, gid_t group, mode_t mode)
{
	FileAccess access;
	access.owner = owner;
	access.group = group;
	access.SetMode(mode);
	return access;
}

mode_t FileAccess::Mode() const
{
	return mode_t(ownerRights << 6 | (extended ? mask : groupRights) << 3 | otherRights);
}

void FileAccess::SetMode(mode_t mode)
{
	ownerRights = mode >> 6 & 7;
	(extended ? mask : groupRights) = mode >> 3 & 7;
	otherRights = mode & 7;
}

bool FileAccess::SameRights(const FileAccess& other) const
{
	auto sorted = [](auto entries) {
		std::sort(entries.begin(), entries.end());
		return entries;
	};
	return ownerRights == other.ownerRights && groupRights == other.groupRights &&
	       otherRights == other.otherRights && extended == other.extended &&
	       (!extended || mask == other.mask) && sorted(users) == sorted(other.users) &&
	       sorted(groups) == sorted(other.groups);
}

namespace
{

unsigned Rights(acl_entry_t entry)
{
	acl_permset_t permset;
	if (acl_get_permset(entry, &permset) != 0)
		return 0;
	unsigned rights = 0;
	for (const auto& [perm, right] :
	     {std::pair{ACL_READ, kRead}, {ACL_WRITE, kWrite}, {ACL_EXECUTE, kExecute}})
		if (acl_get_perm(permset, perm) == 1)
			rights |= right;
	return rights;
}

template <typename Id> std::optional<Id> Qualifier(acl_entry_t entry)
{
	void* id = acl_get_qualifier(entry);
	if (!id)
		return std::nullopt;
	const Id value = *static_cast<Id*>(id);
	acl_free(id);
	return value;
}

bool ReadEntries(acl_t acl, FileAccess* access)
{
	acl_entry_t entry;
	for (int which = ACL_FIRST_ENTRY; acl_get_entry(acl, which, &entry) == 1; which = ACL_NEXT_ENTRY) {
		acl_tag_t tag;
		if (acl_get_tag_type(entry, &tag) != 0)
			return false;
		const unsigned rights = Rights(entry);
		switch (tag) {
		case ACL_USER_OBJ:
			access->ownerRights = rights;
			break;
		case ACL_GROUP_OBJ:
			access->groupRights = rights;
			break;
		case ACL_OTHER:
			access->otherRights = rights;
			break;
		case ACL_MASK:
			access->mask = rights;
			access->extended = true;
			break;
		case ACL_USER:
			if (auto uid = Qualifier<uid_t>(entry))
				access->users.emplace_back(*uid, rights);
			else
				return false;
			access->extended = true;
			break;
		case ACL_GROUP:
			if (auto gid = Qualifier<gid_t>(entry))
				access->groups.emplace_back(*gid, rights);
			else
				return false;
			access->extended = true;
			break;
		default:
			break;
		}
	}
	return true;
}

// The groups a process of that user's login has; none for a user no account names.
std::vector<gid_t> GroupsOf(uid_t uid)
{
	std::vector<char> buffer(16384);
	struct passwd entry, *found = nullptr;
	if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
		return {};
	std::vector<gid_t> groups(64);
	for (int tries = 0; tries < 4; ++tries) {
		int count = int(groups.size());
		if (getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) >= 0) {
			groups.resize(size_t(count));
			return groups;
		}
		groups.resize(size_t(count) > groups.size() ? size_t(count) : groups.size() * 2);
	}
	return {found->pw_gid};
}

struct Party {
	bool hasUid = false;
	uid_t uid = 0;
	std::vector<gid_t> groups;
	bool namedBefore = false;
};

// Every user and group either state names, and others.
std::vector<Party> Parties(const FileAccess& before, const FileAccess& after, uid_t saver)
{
	std::vector<Party> parties;
	auto addUser = [&](uid_t uid, bool named) {
		if (uid == saver)
			return;
		for (Party& party : parties)
			if (party.hasUid && party.uid == uid) {
				party.namedBefore = party.namedBefore || named;
				return;
			}
		parties.push_back({true, uid, GroupsOf(uid), named});
	};
	auto addGroup = [&](gid_t gid, bool named) {
		for (Party& party : parties)
			if (!party.hasUid && party.groups.size() == 1 && party.groups[0] == gid) {
				party.namedBefore = party.namedBefore || named;
				return;
			}
		parties.push_back({false, 0, {gid}, named});
	};
	for (const FileAccess* file : {&before, &after}) {
		const bool named = file == &before;
		addUser(file->owner, named);
		for (const auto& [uid, rights] : file->users)
			addUser(uid, named);
		addGroup(file->group, named);
		for (const auto& [gid, rights] : file->groups)
			addGroup(gid, named);
	}
	parties.push_back({false, 0, {}, true});
	return parties;
}

} // namespace

bool ReadAccess(int fd, FileAccess* access)
{
	struct stat st;
	if (fstat(fd, &st) != 0)
		return false;
	*access = FileAccess::FromMode(st.st_uid, st.st_gid, st.st_mode);
	acl_t acl = acl_get_fd(fd);
	if (!acl)
		return errno == ENOTSUP || errno == ENOSYS;
	FileAccess listed = FileAccess::FromMode(st.st_uid, st.st_gid, 0);
	const bool read = ReadEntries(acl, &listed);
	acl_free(acl);
	if (!read)
		return false;
	*access = listed;
	return true;
}

unsigned Allowed(const FileAccess& file, const uid_t* uid, const std::vector<gid_t>& groups)
{
	const unsigned mask = file.extended ? file.mask : 7;
	if (uid && *uid == file.owner)
		return file.ownerRights;
	if (uid)
		for (const auto& [named, rights] : file.users)
			if (named == *uid)
				return rights & mask;
	bool matched = false;
	unsigned rights = 0;
	auto in = [&](gid_t gid) { return std::find(groups.begin(), groups.end(), gid) != groups.end(); };
	if (in(file.group)) {
		matched = true;
		rights |= file.groupRights;
	}
	for (const auto& [named, granted] : file.groups)
		if (in(named)) {
			matched = true;
			rights |= granted;
		}
	return matched ? rights & mask : file.otherRights;
}

bool GivesMore(const FileAccess& before, const FileAccess& after, uid_t saver)
{
	for (const Party& party : Parties(before, after, saver)) {
		const uid_t* uid = party.hasUid ? &party.uid : nullptr;
		if ((Allowed(after, uid, party.groups) & ~Allowed(before, uid, party.groups)) != 0)
			return true;
	}
	return false;
}

bool KeepsAll(const FileAccess& before, const FileAccess& after, uid_t saver)
{
	for (const Party& party : Parties(before, after, saver)) {
		const uid_t* uid = party.hasUid ? &party.uid : nullptr;
		if (party.namedBefore &&
		    (Allowed(before, uid, party.groups) & ~Allowed(after, uid, party.groups)) != 0)
			return false;
	}
	return true;
}

} // namespace fileaccess
