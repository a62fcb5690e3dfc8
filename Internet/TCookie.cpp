#include "Internet/TCookie.h"

#include <cstring>
#include <string_view>

namespace
{

bool SameBytes(const TVyString& a, const TVyString& b)
{
	return a.Length() == b.Length() &&
	       (a.Length() == 0 || std::memcmp(a.GetCString(), b.GetCString(), a.Length()) == 0);
}

bool EqualIgnoringCase(std::string_view a, const char* b)
{
	if (a.size() != std::strlen(b))
		return false;
	for (size_t i = 0; i < a.size(); ++i)
		if (TVyString::sLowerCaseTable[UInt8(a[i])] != TVyString::sLowerCaseTable[UInt8(b[i])])
			return false;
	return true;
}

std::string_view Trimmed(std::string_view text)
{
	const char* kBlanks = " \t\r\n";
	size_t first = text.find_first_not_of(kBlanks);
	if (first == std::string_view::npos)
		return {};
	size_t last = text.find_last_not_of(kBlanks);
	return text.substr(first, last - first + 1);
}

TVyString Text(std::string_view text)
{
	return TVyString(text.data(), text.size());
}

} // namespace

TCookie::TCookie()
{
	Reset();
}

TCookie::TCookie(const TCookie& other)
{
	DoAssignment(other);
}

TCookie::~TCookie()
{
	Reset();
}

void TCookie::Reset()
{
	mName.Clear();
	mValue.Clear();
	mPath.Clear();
	mDomain.Clear();
	mExpires.Clear();
	mSecure = 0;
}

TCookie& TCookie::operator=(const TCookie& source)
{
	if (&source != this)
		DoAssignment(source);
	return *this;
}

TCookie& TCookie::operator=(const TCookie* source)
{
	if (source != nullptr && source != this)
		DoAssignment(*source);
	return *this;
}

void TCookie::DoAssignment(const TCookie& source)
{
	mName = source.mName;
	mValue = source.mValue;
	mPath = source.mPath;
	mDomain = source.mDomain;
	mExpires = source.mExpires;
	mSecure = source.mSecure;
}

bool TCookie::operator==(const TCookie& other) const
{
	return DoEquality(other);
}

bool TCookie::DoEquality(const TCookie& other) const
{
	return SameBytes(mName, other.mName) && SameBytes(mValue, other.mValue) &&
	       SameBytes(mPath, other.mPath) && SameBytes(mDomain, other.mDomain) &&
	       SameBytes(mExpires, other.mExpires) && mSecure == other.mSecure;
}

bool TCookie::ParseCookieString(const TVyString& text)
{
	TVyString copy(text);
	TVyString line;
	if (!copy.GetLineWithString(line, "Set-cookie:", true, true))
		line = text;
	Reset();

	std::string_view rest(line.GetCString() ? line.GetCString() : "", line.Length());
	bool first = true;
	while (!rest.empty() || first) {
		size_t end = rest.find(';');
		std::string_view piece = Trimmed(rest.substr(0, end));
		rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
		size_t equals = piece.find('=');
		std::string_view key = Trimmed(piece.substr(0, equals));
		std::string_view value =
		    equals == std::string_view::npos ? std::string_view() : Trimmed(piece.substr(equals + 1));
		if (first) {
			first = false;
			// A first pair without '=' names no cookie; its attributes still count.
			if (equals != std::string_view::npos && !key.empty()) {
				mName = Text(key);
				mValue = Text(value);
			}
			continue;
		}
		if (equals == std::string_view::npos) {
			if (EqualIgnoringCase(key, "secure"))
				mSecure = 1;
		} else if (EqualIgnoringCase(key, "path")) {
			mPath = Text(value);
		} else if (EqualIgnoringCase(key, "domain")) {
			mDomain = Text(value);
		} else if (EqualIgnoringCase(key, "expires")) {
			mExpires = Text(value);
		}
	}
	return mName.Length() != 0;
}

bool TCookie::ParseCookieString(const char* text)
{
	if (text == nullptr)
		return false;
	return ParseCookieString(TVyString(text));
}
