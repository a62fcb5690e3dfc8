// Where a path leads, found as the kernel follows it, with its rule for links in shared folders applied
// whether or not the machine turns it on: a save must never be led onto another user's file by a link that
// user could put in /tmp.

#include "platform/toolbox/FileForks.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fileforks
{

namespace
{

// What a name on the way stands for: a folder on the way, the last name itself, or a part of where a link
// in its place leads.
enum class Role { kFolder, kLast, kLastLink };

struct Step {
	std::string name;
	Role role;
};

// Pushes the names of a path so that its first name comes off the stack first.
void PushNames(std::vector<Step>* steps, const std::string& path, Role lastRole, Role otherRole)
{
	std::vector<std::string> names;
	size_t begin = 0;
	while (begin <= path.size()) {
		const size_t slash = std::min(path.find('/', begin), path.size());
		if (slash > begin)
			names.push_back(path.substr(begin, slash - begin));
		begin = slash + 1;
	}
	// A name before a closing "/" must be a folder, as a name before any other.
	if (!names.empty() && path.back() == '/')
		names.push_back(".");
	for (size_t i = names.size(); i-- > 0;)
		steps->push_back({names[i], i + 1 == names.size() ? lastRole : otherRole});
}

// The kernel's protected-symlinks rule: in a folder that is sticky and writable by all, only a link of this
// user's or of the folder's owner is followed.
bool MayFollow(const std::string& folder, const struct stat& link)
{
	struct stat st;
	if (stat(folder.c_str(), &st) != 0)
		return false;
	const bool shared = (st.st_mode & S_ISVTX) && (st.st_mode & S_IWOTH);
	return !shared || link.st_uid == geteuid() || link.st_uid == st.st_uid;
}

} // namespace

FollowResult FollowPath(const std::string& path, std::string* target)
{
	if (path.empty() || path[0] != '/')
		return {EINVAL, FollowResult::kError};
	std::vector<Step> steps;
	PushNames(&steps, path, Role::kLast, Role::kFolder);
	std::string at = "/";
	int links = 0;
	while (!steps.empty()) {
		const Step step = steps.back();
		steps.pop_back();
		if (step.name == ".")
			continue;
		if (step.name == "..") {
			at = Parent(at);
			continue;
		}
		const std::string next = Join(at, step.name);
		struct stat st;
		if (lstat(next.c_str(), &st) != 0) {
			const int e = errno;
			if (e != ENOENT)
				return {e, FollowResult::kError};
			if (step.role == Role::kLastLink)
				return {e, FollowResult::kDanglingLink};
			if (step.role == Role::kFolder)
				return {e, FollowResult::kError};
			*target = next;
			return {0, FollowResult::kNew};
		}
		if (S_ISLNK(st.st_mode)) {
			if (++links > 40)
				return {ELOOP, FollowResult::kError};
			if (!MayFollow(at, st))
				return {EACCES, FollowResult::kUntrustedLink};
			std::string to(size_t(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
			const ssize_t n = readlink(next.c_str(), to.data(), to.size());
			if (n <= 0)
				return {n == 0 ? ENOENT : errno, FollowResult::kError};
			to.resize(size_t(n));
			if (to[0] == '/')
				at.assign(1, '/');
			const Role role = step.role == Role::kFolder ? Role::kFolder : Role::kLastLink;
			PushNames(&steps, to, role, role);
			continue;
		}
		if (!steps.empty() && !S_ISDIR(st.st_mode))
			return {ENOTDIR, FollowResult::kError};
		at = next;
	}
	*target = at;
	return {0, FollowResult::kFound};
}

std::string FollowFolder(const std::string& path)
{
	const size_t slash = path.rfind('/');
	if (path.empty() || path[0] != '/')
		return path;
	const std::string last = path.substr(slash + 1);
	if (last.empty() || last == "." || last == "..")
		return path;
	std::string folder;
	if (FollowPath(slash == 0 ? std::string("/") : path.substr(0, slash), &folder).kind !=
	    FollowResult::kFound)
		return path;
	return Join(folder, last);
}

} // namespace fileforks
