#include "foundation/UURL.h"

#include "foundation/TVyString.h"
#include "foundation/VyStrings.h"
#include "platform/toolbox/Debugging.h"

#include <cstring>

void UURL::MakeURL(TVyString& out, const char* inDomain, const char* inPage, bool secure)
{
	out.Clear();
	SignalIfNot_(inDomain != nullptr);
	SignalIfNot_(inPage != nullptr);
	if (inDomain != nullptr) {
		const char* domain = inDomain;
		for (const char* scheme : {"https:", "http:", "ftp:"})
			if (strsubi(domain, scheme)) {
				domain += std::strlen(scheme);
				break;
			}
		if (domain[0] == '/' && domain[1] == '/')
			domain += 2;
		else if (domain[0] == '/')
			domain += 1;
		out.Assign(secure ? "https://" : "http://");
		out.Append(domain);
		const unsigned long length = out.Length();
		if (out[length - 1] != '/')
			out.Append("/");
	}
	if (inPage != nullptr)
		out.Append(inPage[0] == '/' ? inPage + 1 : inPage);
}

void UURL::ParseOut(const char* inURL, char* host, long hostMax, char* path, long pathMax)
{
	SignalIfNot_(inURL != nullptr);
	SignalIfNot_(host != nullptr);
	SignalIfNot_(path != nullptr);
	if (host == nullptr || path == nullptr)
		return;
	host[0] = 0;
	path[0] = 0;
	if (inURL == nullptr || inURL[0] == 0)
		return;

	const char* hostStart = inURL;
	const char* slash = nullptr;
	bool sawHostMarker = false;
	for (const char* p = inURL[0] == '/' ? inURL : inURL + 1; *p != 0; ++p) {
		if (p[0] == '/' && p[1] == '/') {
			hostStart = p + 2;
			sawHostMarker = true;
			++p;
		} else if (*p == '/') {
			slash = p;
			break;
		}
	}
	if (slash != nullptr) {
		strmemcpyn(host, hostStart, long(slash - hostStart), hostMax);
		strcpyn(path, slash, pathMax);
	} else if (sawHostMarker) {
		// "scheme://host" with no path at all.
		strcpyn(host, hostStart, hostMax);
	} else
		strcpyn(path, hostStart, pathMax);
}
