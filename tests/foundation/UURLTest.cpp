#include "foundation/UURL.h"

#include "foundation/TVyString.h"
#include "platform/toolbox/Debugging.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

std::string Text(const TVyString& s)
{
	return s.GetCString() != nullptr ? std::string(s.GetCString()) : std::string();
}

} // namespace

TEST(UURL, MakeURLNormalisesSchemeAndSlashes)
{
	TVyString url("left over");
	UURL::MakeURL(url, "HTTP://host", "/a/b", false);
	EXPECT_EQ(Text(url), "http://host/a/b");
	UURL::MakeURL(url, "host/", "q?s=1", true);
	EXPECT_EQ(Text(url), "https://host/q?s=1");
	UURL::MakeURL(url, "ftp:/files.example", "", false);
	EXPECT_EQ(Text(url), "http://files.example/");
	UURL::MakeURL(url, "https://secure.example/", "/x", false);
	EXPECT_EQ(Text(url), "http://secure.example/x");

	const long before = Debugging::SignalCount();
	UURL::MakeURL(url, "host", nullptr, false);
	EXPECT_EQ(Text(url), "http://host/");
	EXPECT_EQ(Debugging::SignalCount(), before + 1);
}

TEST(UURL, ParseOutSplitsHostAndPath)
{
	char host[8];
	char path[16];
	UURL::ParseOut("http://host.x/a/b?c", host, sizeof(host) - 1, path, sizeof(path) - 1);
	EXPECT_STREQ(host, "host.x");
	EXPECT_STREQ(path, "/a/b?c");

	UURL::ParseOut("/quote?s=IBM", host, sizeof(host) - 1, path, sizeof(path) - 1);
	EXPECT_STREQ(host, "");
	EXPECT_STREQ(path, "/quote?s=IBM");

	UURL::ParseOut("www.example.com/p", host, sizeof(host) - 1, path, sizeof(path) - 1);
	EXPECT_STREQ(host, "www.exa");
	EXPECT_STREQ(path, "/p");

	UURL::ParseOut("http://onlyhost", host, sizeof(host) - 1, path, sizeof(path) - 1);
	EXPECT_STREQ(host, "onlyhos");
	EXPECT_STREQ(path, "");

	UURL::ParseOut("relative", host, sizeof(host) - 1, path, 4);
	EXPECT_STREQ(host, "");
	EXPECT_STREQ(path, "rela");

	UURL::ParseOut("", host, sizeof(host) - 1, path, sizeof(path) - 1);
	EXPECT_STREQ(host, "");
	EXPECT_STREQ(path, "");
}
