#pragma once
// An owning list of cookies: read from Set-Cookie header text or cookie-file lines, turned into the one
// cookie string a request sends, found by name, path, domain or position.

#include "Includes/TList.h"
#include "Internet/TCookie.h"

class TCookieJar
{
public:
	TCookieJar();
	TCookieJar(const TCookieJar& other);
	virtual ~TCookieJar();

	void Clear();
	long Count() const;

	// Every add stores a copy.
	void AddCookie(const TCookie& cookie);
	// Adds the cookie parsed from a Set-Cookie text; a text without a cookie name adds nothing.
	void AddCookie(const char* text);
	void AddCookies(const TCookieJar* other);
	void AddCookies(const TCookieJar& other);
	TCookieJar& operator=(const TCookieJar& source);
	TCookieJar& operator=(const TCookieJar* source);

	// "name=value; name=value" over the cookies that have both a name and a value, in jar order.
	void GetCURLString(TVyString& out) const;

	// Each copies the cookie out and answers true when one is found, else leaves the output alone.
	bool GetCookieWithIndex(unsigned long index, TCookie& out) const; // 1-based
	bool GetCookie(const TVyString& name, TCookie& out) const;
	bool GetCookie(const char* name, TCookie& out) const;
	bool GetCookieWithPath(const TVyString& name, const TVyString& path, TCookie& out) const;
	bool GetCookieWithPath(const char* name, const char* path, TCookie& out) const;
	// The domain may carry a scheme ("http://example"); it is removed, then domains compare exactly.
	bool GetCookieWithDomain(const TVyString& domain, TCookie& out) const;
	bool GetCookieWithDomain(const char* domain, TCookie& out) const;

	// One cookie per "Set-cookie:" line of the header text.
	void ParseCookiesFromHeaders(const TVyString& headers);
	// Cookie-file lines (domain, flag, path, secure, expiry, name, value); comments and short lines are
	// skipped.
	void ParseCookiesFromBuffer(const TVyString& text);

private:
	// The list walks with a cursor, so even reading it changes it.
	mutable TList<TCookie> mCookies;
};
