#pragma once
// One HTTP cookie as it came in a Set-Cookie text; the expiry is kept as the text it arrived in.

#include "foundation/TVyString.h"
#include "platform/toolbox/MacTypes.h"

class TCookie
{
public:
	TCookie();
	TCookie(const TCookie& other);
	virtual ~TCookie();

	void Reset();

	void SetName(const TVyString& name) { mName = name; }
	void SetValue(const TVyString& value) { mValue = value; }
	void SetPath(const TVyString& path) { mPath = path; }
	void SetDomain(const TVyString& domain) { mDomain = domain; }
	void SetExpires(const TVyString& expires) { mExpires = expires; }
	void SetSecure(bool secure) { mSecure = secure ? 1 : 0; }
	void GetName(TVyString& out) const { out = mName; }
	void GetValue(TVyString& out) const { out = mValue; }
	void GetPath(TVyString& out) const { out = mPath; }
	void GetDomain(TVyString& out) const { out = mDomain; }
	void GetExpires(TVyString& out) const { out = mExpires; }
	bool IsSecure() const { return mSecure != 0; }

	TCookie& operator=(const TCookie& source);
	TCookie& operator=(const TCookie* source);
	// Fields compare byte for byte, letter case counting; two empty fields are equal.
	bool operator==(const TCookie& other) const;
	bool operator!=(const TCookie& other) const { return !(*this == other); }

	// A Set-Cookie line ("Set-cookie:" tag optional): the first name=value pair is the cookie, split at
	// its first '='; the attributes after it are matched by name. Returns whether a name was found.
	bool ParseCookieString(const TVyString& text);
	bool ParseCookieString(const char* text);

private:
	void DoAssignment(const TCookie& source);
	bool DoEquality(const TCookie& other) const;

	TVyString mName;
	TVyString mValue;
	TVyString mPath;
	TVyString mDomain;
	TVyString mExpires;
	UInt8 mSecure = 0;
};
