// Replays a fuzz target's inputs without libFuzzer: every file named on the command line, and every file in
// a folder named there (a folder that does not exist yet is skipped). A crash or a sanitizer report fails the
// run, so an input once found stays mended.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size);

namespace
{

void Replay(const std::filesystem::path& path)
{
	std::ifstream in(path, std::ios::binary);
	const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
	LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

} // namespace

int main(int argc, char** argv)
{
	// The targets keep to folders of their own: one they made in the user's home fails the run.
	const char* home = std::getenv("HOME");
	std::vector<std::filesystem::path> absent;
	for (const char* folder : {".config", ".local"})
		if (home && *home && !std::filesystem::exists(std::filesystem::path(home) / folder))
			absent.push_back(std::filesystem::path(home) / folder);
	long count = 0;
	for (int i = 1; i < argc; i++) {
		const std::filesystem::path path(argv[i]);
		if (!std::filesystem::exists(path))
			continue;
		if (!std::filesystem::is_directory(path)) {
			Replay(path);
			count++;
			continue;
		}
		for (const auto& entry : std::filesystem::directory_iterator(path)) {
			if (entry.is_regular_file()) {
				Replay(entry.path());
				count++;
			}
		}
	}
	std::printf("%ld inputs replayed\n", count);
	for (const auto& folder : absent)
		if (std::filesystem::exists(folder)) {
			std::fprintf(stderr, "the run made %s in the user's home\n", folder.c_str());
			return 1;
		}
	return count > 0 ? 0 : 1;
}
