#pragma once
// Opens an address in the user's browser. Only web addresses (http, https) are opened, and mail addresses
// where the program builds them itself: addresses scraped from pages must not reach other handlers (files,
// shares, shells). A refused address gives a beep; a malformed one opens nothing and reports nothing. When
// no program takes a good address, the failure reporter tells the user: at once when nothing can be
// started, or from the event loop when xdg-open later says no program took it.

#include <functional>
#include <string>

// True when a program was started for the address.
bool LaunchURL(const char* url, bool mailAllowed = false);

// True when LaunchURL would hand the address to a program: a well-formed web (or mail) address.
bool IsLaunchableURL(const char* url, bool mailAllowed = false);

// Tests put a recorder in place of the browser, answering whether a program took the address; an empty
// opener restores the browser. Returns the previous.
using URLOpener = std::function<bool(const std::string& url)>;
URLOpener SetURLOpener(URLOpener opener);

// Called with the address that no program could open. Returns the previous.
using URLFailureReporter = std::function<void(const std::string& url)>;
URLFailureReporter SetURLFailureReporter(URLFailureReporter reporter);
