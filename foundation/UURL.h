#pragma once
// Building a URL from a domain and a page, and splitting a URL into host and path.

class TVyString;

class UURL
{
public:
	// "http://" (or "https://" when secure) + the domain without its scheme and leading slashes + "/" +
	// the page without its leading slash.
	static void MakeURL(TVyString& out, const char* domain, const char* page, bool secure);
	// hostMax and pathMax are the greatest numbers of characters copied; each part is terminated.
	static void ParseOut(const char* url, char* host, long hostMax, char* path, long pathMax);
};
