#include "platform/toolbox/FolderIDTable.h"

#include "platform/toolbox/Folders.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace
{

constexpr SInt32 kFirstID = 16;
constexpr const char* kHeader = "# folder ids 1";

std::mutex sMutex;
bool sLoaded = false;
std::unordered_map<SInt32, std::string> sPaths;
std::unordered_map<std::string, SInt32> sIDs;
std::set<SInt32> sKept;

SInt32 HashID(const std::string& path)
{
	UInt32 h = 2166136261u;
	for (unsigned char c : path)
		h = (h ^ c) * 16777619u;
	const SInt32 id = SInt32(h & 0x7FFFFFFF);
	return id < kFirstID ? id + kFirstID : id;
}

std::string Escape(const std::string& s)
{
	std::string out;
	for (char c : s) {
		if (c == '\\')
			out += "\\\\";
		else if (c == '\n')
			out += "\\n";
		else if (c == '\t')
			out += "\\t";
		else
			out += c;
	}
	return out;
}

std::string Unescape(const std::string& s)
{
	std::string out;
	for (size_t i = 0; i < s.size(); ++i) {
		if (s[i] == '\\' && i + 1 < s.size()) {
			const char c = s[++i];
			out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
		} else {
			out += s[i];
		}
	}
	return out;
}

std::string TableFile()
{
	std::string prefs;
	if (FindFolderPath(kPreferencesFolderType, kCreateFolder, &prefs) != noErr)
		return std::string();
	return prefs + "/vantorel/folder-ids";
}

std::map<SInt32, std::string> ReadTable(const std::string& file)
{
	std::map<SInt32, std::string> entries;
	FILE* f = file.empty() ? nullptr : std::fopen(file.c_str(), "rb");
	if (!f)
		return entries;
	std::string line;
	for (int c = std::fgetc(f);; c = std::fgetc(f)) {
		if (c == EOF || c == '\n') {
			const size_t tab = line.find('\t');
			if (!line.empty() && line[0] != '#' && tab != std::string::npos) {
				char* end = nullptr;
				const long id = std::strtol(line.c_str(), &end, 10);
				const std::string path = Unescape(line.substr(tab + 1));
				if (end == line.c_str() + tab && id >= kFirstID && id <= 0x7FFFFFFF &&
				    !path.empty() && path[0] == '/')
					entries[SInt32(id)] = path;
			}
			line.clear();
			if (c == EOF)
				break;
		} else {
			line += char(c);
		}
	}
	std::fclose(f);
	return entries;
}

bool WriteTable(const std::string& file, const std::map<SInt32, std::string>& entries)
{
	const std::string folder = file.substr(0, file.rfind('/'));
	mkdir(folder.c_str(), 0700);
	std::string text = std::string(kHeader) + "\n";
	for (const auto& [id, path] : entries)
		text += std::to_string(id) + "\t" + Escape(path) + "\n";

	std::string temp = folder + "/.folder-ids.XXXXXX";
	const int fd = mkstemp(temp.data());
	if (fd < 0)
		return false;
	bool ok = true;
	for (size_t done = 0; ok && done < text.size();) {
		const ssize_t n = write(fd, text.data() + done, text.size() - done);
		if (n > 0)
			done += size_t(n);
		else if (!(n < 0 && errno == EINTR))
			ok = false;
	}
	ok = fsync(fd) == 0 && ok;
	ok = close(fd) == 0 && ok;
	ok = ok && std::rename(temp.c_str(), file.c_str()) == 0;
	if (!ok)
		unlink(temp.c_str());
	return ok;
}

void Insert(SInt32 id, const std::string& path)
{
	sPaths[id] = path;
	sIDs[path] = id;
}

void LoadLocked()
{
	if (sLoaded)
		return;
	sLoaded = true;
	for (const auto& [id, path] : ReadTable(TableFile())) {
		if (!sPaths.count(id) && !sIDs.count(path)) {
			Insert(id, path);
			sKept.insert(id);
		}
	}
}

bool SaveLocked()
{
	const std::string file = TableFile();
	if (file.empty())
		return false;
	// Another run may have kept ids since we loaded; keep theirs where they do not clash with ours.
	std::map<SInt32, std::string> entries;
	for (const auto& [id, path] : ReadTable(file)) {
		if (!sPaths.count(id) && !sIDs.count(path)) {
			Insert(id, path);
			sKept.insert(id);
		}
	}
	for (SInt32 id : sKept)
		if (auto it = sPaths.find(id); it != sPaths.end())
			entries[id] = it->second;
	return WriteTable(file, entries);
}

SInt32 IDForNormalisedLocked(const std::string& path)
{
	if (path == "/")
		return FolderIDTable::kRootID;
	LoadLocked();
	if (auto it = sIDs.find(path); it != sIDs.end())
		return it->second;
	SInt32 id = HashID(path);
	while (sPaths.count(id))
		id = id == 0x7FFFFFFF ? kFirstID : id + 1;
	Insert(id, path);
	return id;
}

} // namespace

namespace FolderIDTable
{

std::string NormalisePath(const std::string& path)
{
	std::string normal = std::filesystem::path(path).lexically_normal().string();
	while (normal.size() > 1 && normal.back() == '/')
		normal.pop_back();
	return normal.empty() ? std::string("/") : normal;
}

SInt32 IDForPath(const std::string& path)
{
	const std::string normal = NormalisePath(path);
	std::lock_guard lock(sMutex);
	return IDForNormalisedLocked(normal);
}

bool PathForID(SInt32 id, std::string* path)
{
	if (id == kRootID) {
		*path = "/";
		return true;
	}
	if (id < kFirstID)
		return false;
	std::lock_guard lock(sMutex);
	LoadLocked();
	auto it = sPaths.find(id);
	if (it == sPaths.end())
		return false;
	*path = it->second;
	return true;
}

bool Keep(SInt32 id)
{
	if (id == kRootID || id == kRootParentID)
		return true;
	std::lock_guard lock(sMutex);
	LoadLocked();
	if (!sPaths.count(id))
		return false;
	if (sKept.count(id))
		return true;
	sKept.insert(id);
	return SaveLocked();
}

void PathRenamed(const std::string& fromPath, const std::string& toPath)
{
	const std::string from = NormalisePath(fromPath);
	const std::string to = NormalisePath(toPath);
	if (from == "/" || from == to)
		return;
	std::lock_guard lock(sMutex);
	LoadLocked();
	auto under = [](const std::string& path, const std::string& top) {
		return path == top || (path.size() > top.size() && path.compare(0, top.size(), top) == 0 &&
		                       path[top.size()] == '/');
	};
	std::vector<std::pair<SInt32, std::string>> moved;
	bool keptChanged = false;
	for (auto it = sPaths.begin(); it != sPaths.end();) {
		if (under(it->second, to) && !under(it->second, from)) {
			// Whatever stood at the new place is gone.
			sIDs.erase(it->second);
			keptChanged |= sKept.erase(it->first) > 0;
			it = sPaths.erase(it);
		} else {
			if (under(it->second, from))
				moved.emplace_back(it->first, to + it->second.substr(from.size()));
			++it;
		}
	}
	for (const auto& [id, path] : moved) {
		sIDs.erase(sPaths[id]);
		Insert(id, path);
		keptChanged |= sKept.count(id) > 0;
	}
	if (keptChanged)
		SaveLocked();
}

void Forget()
{
	std::lock_guard lock(sMutex);
	sLoaded = false;
	sPaths.clear();
	sIDs.clear();
	sKept.clear();
}

std::string TablePath()
{
	return TableFile();
}

} // namespace FolderIDTable
