#include "Internet/TCookieJar.h"

#include <cstring>
#include <string_view>
#include <vector>

namespace
{

bool SameBytes(const TVyString& a, const char* b, size_t length)
{
	return a.Length() == length && (length == 0 || std::memcmp(a.GetCString(), b, length) == 0);
}

bool SameBytes(const TVyString& a, const TVyString& b)
{
	return SameBytes(a, b.GetCString(), b.Length());
}

bool StartsIgnoringCase(std::string_view text, std::string_view prefix)
{
	if (text.size() < prefix.size())
		return false;
	for (size_t i = 0; i < prefix.size(); ++i)
		if (TVyString::sLowerCaseTable[UInt8(text[i])] !=
		    TVyString::sLowerCaseTable[UInt8(prefix[i])])
			return false;
	return true;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view find)
{
	for (size_t i = 0; i + find.size() <= text.size(); ++i)
		if (StartsIgnoringCase(text.substr(i), find))
			return true;
	return false;
}

std::string_view View(const TVyString& text)
{
	return std::string_view(text.GetCString() ? text.GetCString() : "", text.Length());
}

// Lines end at CR, LF or CR LF.
std::vector<std::string_view> Lines(std::string_view text)
{
	std::vector<std::string_view> lines;
	size_t start = 0;
	while (start < text.size()) {
		size_t end = text.find_first_of("\r\n", start);
		if (end == std::string_view::npos) {
			lines.push_back(text.substr(start));
			break;
		}
		lines.push_back(text.substr(start, end - start));
		start = end + 1;
		if (text[end] == '\r' && start < text.size() && text[start] == '\n')
			++start;
	}
	return lines;
}

std::vector<std::string_view> Fields(std::string_view line)
{
	std::vector<std::string_view> fields;
	size_t start = 0;
	while ((start = line.find_first_not_of(" \t", start)) != std::string_view::npos) {
		size_t end = line.find_first_of(" \t", start);
		fields.push_back(line.substr(start, end == std::string_view::npos ? end : end - start));
		start = end;
	}
	return fields;
}

TVyString Text(std::string_view text)
{
	return TVyString(text.data(), text.size());
}

} // namespace

TCookieJar::TCookieJar() : mCookies(false, true) {}

TCookieJar::TCookieJar(const TCookieJar& other) : mCookies(false, true)
{
	AddCookies(other);
}

TCookieJar::~TCookieJar()
{
	Clear();
}

void TCookieJar::Clear()
{
	mCookies.Clear();
}

long TCookieJar::Count() const
{
	return mCookies.Count();
}

void TCookieJar::AddCookie(const TCookie& cookie)
{
	mCookies.Append(new TCookie(cookie));
}

void TCookieJar::AddCookie(const char* text)
{
	TCookie cookie;
	if (cookie.ParseCookieString(text))
		AddCookie(cookie);
}

void TCookieJar::AddCookies(const TCookieJar* other)
{
	if (other != nullptr)
		AddCookies(*other);
}

void TCookieJar::AddCookies(const TCookieJar& other)
{
	if (&other == this) {
		TCookieJar copy(other);
		AddCookies(copy);
		return;
	}
	for (TCookie* cookie = other.mCookies.GetFirst(); cookie != nullptr;
	     cookie = other.mCookies.GetNext())
		AddCookie(*cookie);
}

TCookieJar& TCookieJar::operator=(const TCookieJar& source)
{
	if (&source != this) {
		Clear();
		AddCookies(source);
	}
	return *this;
}

TCookieJar& TCookieJar::operator=(const TCookieJar* source)
{
	if (source != nullptr)
		*this = *source;
	return *this;
}

void TCookieJar::GetCURLString(TVyString& out) const
{
	out.Clear();
	bool first = true;
	TVyString name;
	TVyString value;
	for (TCookie* cookie = mCookies.GetFirst(); cookie != nullptr; cookie = mCookies.GetNext()) {
		cookie->GetName(name);
		cookie->GetValue(value);
		if (name.Length() == 0 || value.Length() == 0)
			continue;
		if (!first)
			out.Append("; ");
		first = false;
		out.Append(name);
		out.Append("=");
		out.Append(value);
	}
}

bool TCookieJar::GetCookieWithIndex(unsigned long index, TCookie& out) const
{
	if (index == 0 || index > static_cast<unsigned long>(mCookies.Count()))
		return false;
	TCookie* cookie = mCookies.GetNth(long(index));
	if (cookie == nullptr)
		return false;
	out = *cookie;
	return true;
}

bool TCookieJar::GetCookie(const TVyString& name, TCookie& out) const
{
	TVyString field;
	for (TCookie* cookie = mCookies.GetFirst(); cookie != nullptr; cookie = mCookies.GetNext()) {
		cookie->GetName(field);
		if (SameBytes(field, name)) {
			out = *cookie;
			return true;
		}
	}
	return false;
}

bool TCookieJar::GetCookie(const char* name, TCookie& out) const
{
	return name != nullptr && GetCookie(TVyString(name), out);
}

bool TCookieJar::GetCookieWithPath(const TVyString& name, const TVyString& path, TCookie& out) const
{
	TVyString cookieName;
	TVyString cookiePath;
	for (TCookie* cookie = mCookies.GetFirst(); cookie != nullptr; cookie = mCookies.GetNext()) {
		cookie->GetName(cookieName);
		cookie->GetPath(cookiePath);
		if (SameBytes(cookieName, name) && SameBytes(cookiePath, path)) {
			out = *cookie;
			return true;
		}
	}
	return false;
}

bool TCookieJar::GetCookieWithPath(const char* name, const char* path, TCookie& out) const
{
	return name != nullptr && path != nullptr && GetCookieWithPath(TVyString(name), TVyString(path), out);
}

bool TCookieJar::GetCookieWithDomain(const TVyString& domain, TCookie& out) const
{
	std::string_view wanted = View(domain);
	for (std::string_view prefix : {"https://", "http://", "ftp://", "//", "/"})
		if (StartsIgnoringCase(wanted, prefix))
			wanted.remove_prefix(prefix.size());

	TVyString field;
	for (TCookie* cookie = mCookies.GetFirst(); cookie != nullptr; cookie = mCookies.GetNext()) {
		cookie->GetDomain(field);
		if (SameBytes(field, wanted.data(), wanted.size())) {
			out = *cookie;
			return true;
		}
	}
	return false;
}

bool TCookieJar::GetCookieWithDomain(const char* domain, TCookie& out) const
{
	return domain != nullptr && GetCookieWithDomain(TVyString(domain), out);
}

void TCookieJar::ParseCookiesFromHeaders(const TVyString& headers)
{
	std::vector<std::string_view> lines = Lines(View(headers));
	for (size_t i = 0; i < lines.size(); ++i) {
		if (!ContainsIgnoringCase(lines[i], "Set-cookie:"))
			continue;
		TVyString line = Text(lines[i]);
		while (i + 1 < lines.size() && !lines[i + 1].empty() &&
		       (lines[i + 1][0] == ' ' || lines[i + 1][0] == '\t'))
			line.Append(Text(lines[++i]));
		AddCookie(line.GetCString());
	}
}

void TCookieJar::ParseCookiesFromBuffer(const TVyString& text)
{
	static constexpr std::string_view kHttpOnly = "#HttpOnly_";
	for (std::string_view line : Lines(View(text))) {
		// Cookies marked HttpOnly are written behind this prefix; every other '#' line is a comment.
		if (StartsIgnoringCase(line, kHttpOnly))
			line.remove_prefix(kHttpOnly.size());
		else if (!line.empty() && line[0] == '#')
			continue;
		std::vector<std::string_view> fields = Fields(line);
		if (fields.size() < 7)
			continue;
		TCookie cookie;
		cookie.SetDomain(Text(fields[0]));
		cookie.SetPath(Text(fields[2]));
		cookie.SetName(Text(fields[5]));
		cookie.SetValue(Text(fields[6]));
		AddCookie(cookie);
	}
}
