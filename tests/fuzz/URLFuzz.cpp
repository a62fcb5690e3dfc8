// The URL parser: the first two bytes size the host and path buffers; the rest is the address up to its first
// zero. The same text is then used as a domain and a page to build an address.

#include "foundation/TVyString.h"
#include "foundation/UURL.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	if (size < 2)
		return 0;
	const long hostMax = data[0];
	const long pathMax = data[1];
	const std::string url(reinterpret_cast<const char*>(data + 2), size - 2);
	// Exactly the room the limits promise, so that a write past them is caught.
	std::unique_ptr<char[]> host(new char[std::size_t(hostMax) + 1]);
	std::unique_ptr<char[]> path(new char[std::size_t(pathMax) + 1]);
	UURL::ParseOut(url.c_str(), host.get(), hostMax, path.get(), pathMax);
	if (std::strlen(host.get()) > std::size_t(hostMax) || std::strlen(path.get()) > std::size_t(pathMax))
		std::abort();
	TVyString out;
	const std::size_t half = std::strlen(url.c_str()) / 2;
	const std::string domain = url.substr(0, half);
	UURL::MakeURL(out, domain.c_str(), url.c_str() + half, (data[0] & 1) != 0);
	return 0;
}
