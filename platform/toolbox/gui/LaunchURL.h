#pragma once
// Opens an address in the user's browser. Only web addresses (http, https) are opened, and mail addresses
// where the program builds them itself: addresses scraped from pages must not reach other handlers (files,
// shares, shells). A refused address gives a beep; a malformed one opens nothing and reports nothing.

#include <functional>
#include <string>

// True when the address was handed to the browser.
bool LaunchURL(const char* url, bool mailAllowed = false);

// Tests put a recorder in place of the browser; an empty opener restores the browser. Returns the previous.
using URLOpener = std::function<void(const std::string& url)>;
URLOpener SetURLOpener(URLOpener opener);
