#pragma once
// The host names of the quote sources and of the version check. They are settings, not part of the sources:
// one table keyed by source signature and role, with defaults here, that tests and a settings file may
// change. Names are plain host names ("quote.example.com"), without "http://" and without a path.

#include "platform/toolbox/MacTypes.h"

class TQuoterHosts
{
public:
	enum tHostRole {
		hostQuote = 0,  // quote pages (GetDomain, GetURL 101)
		hostLookup = 1, // symbol-search pages
		hostHome = 2,   // the site's home page (GetURL 100 prefixes "http://")
		hostNews = 3    // a separate headline page (GetURL 104)
	};

	// Never null: "" when the table holds no host for the signature and role. The text stays valid until
	// that entry is set again or the table is reset.
	static const char* GetHost(OSType signature, tHostRole role);
	// A null or empty host removes the entry.
	static void SetHost(OSType signature, tHostRole role, const char* host);

	// The host that serves the version file and the download page.
	static const char* GetVersionHost();
	static void SetVersionHost(const char* host);

	// Back to the built-in defaults.
	static void ResetHosts();
};
