#pragma once
// Opens an address in the user's browser. Nothing is reported when the address is malformed or cannot be
// opened.

#include <functional>
#include <string>

void LaunchURL(const char* url);

// Tests put a recorder in place of the browser; an empty opener restores the browser. Returns the previous.
using URLOpener = std::function<void(const std::string& url)>;
URLOpener SetURLOpener(URLOpener opener);
