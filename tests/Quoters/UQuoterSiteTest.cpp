#include "Quoters/UQuoterSite.h"

#include "Quoters/UQuoterExtras.h"
#include "model/TStock.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

std::string Piece(const char* text, UInt32 length)
{
	return text != nullptr ? std::string(text, length) : "<null>";
}

TEST(UQuoterSiteTest, LinksWithoutTheirOwnHostBecomePathsOnTheSite)
{
	const struct {
		const char* anchor;
		const char* host;
		const char* path;
	} cases[] = {
	    {"<a href=\"http://other.test/n/1.html\">T</a>", "http://other.test", "/n/1.html"},
	    {"<a href=\"//cdn.test/n/2.html\">T</a>", "//cdn.test", "/n/2.html"},
	    {"<a href=\"/n/3.html\">T</a>", "site.test", "/n/3.html"},
	    {"<a href=\"n/4.html?id=1\">T</a>", "site.test", "n/4.html?id=1"},
	    {"<a href=\"story.html\">T</a>", "site.test", "story.html"},
	    {"<a href=\"../up.html\">T</a>", "site.test", "/up.html"},
	};
	for (const auto& c : cases) {
		std::string page = c.anchor;
		tNewsEntry entry;
		long consumed = 0;
		ASSERT_TRUE(UQuoterExtras::ExtractHeadline(page.data(), long(page.size()), &entry, consumed,
		                                           true, false, false))
		    << c.anchor;
		UQuoterSite::ResolveLink(entry, "site.test");
		EXPECT_EQ(Piece(entry.host, entry.hostLength), c.host) << c.anchor;
		EXPECT_EQ(Piece(entry.path, entry.pathLength), c.path) << c.anchor;
		EXPECT_EQ(Piece(entry.headline, entry.headlineLength), "T") << c.anchor;
	}
}

TEST(UQuoterSiteTest, AddHeadlinesStopsAtTheLimitAndTheRangeEnd)
{
	std::string page = "<a href=\"/a\">A</a> <a href=\"/b\">B</a> <a href=\"/c\">C</a>";
	char* start = page.data();
	TStock stock;
	EXPECT_EQ(UQuoterSite::AddHeadlines(start, start + page.size(), &stock, "site.test", 2), 2);
	EXPECT_EQ(stock.GetNewsList()->Count(), 2);

	TStock all;
	EXPECT_EQ(UQuoterSite::AddHeadlines(start, start + page.size(), &all, "site.test", 0), 3);
	// The third anchor's closing tag lies outside the range.
	TStock cut;
	EXPECT_EQ(UQuoterSite::AddHeadlines(start, start + page.find("C</a>") + 2, &cut, "site.test", 0), 2);
}

TEST(UQuoterSiteTest, ClockAndChangeHelpers)
{
	const struct {
		const char* text;
		int hour;
		int expected;
	} clocks[] = {
	    {"4:05pm ET", 4, 16}, {"12:30 PM", 12, 12}, {"12:10am", 12, 0},
	    {"9:30 AM", 9, 9},    {"16:00", 16, 16},    {"11:59 a.m.", 11, 11},
	};
	for (const auto& c : clocks) {
		bool am = false, pm = false;
		UQuoterSite::FindMeridiem(c.text, am, pm);
		EXPECT_EQ(UQuoterSite::MeridiemHour(c.hour, am, pm), c.expected) << c.text;
	}

	EXPECT_FLOAT_EQ(UQuoterSite::CloseBeforeChange(10.5f, 0.5f), 10.0f);
	EXPECT_FLOAT_EQ(UQuoterSite::CloseBeforeChange(10.5f, 0.5f, true), 11.0f);
	EXPECT_EQ(UQuoterSite::CloseBeforeChange(kNoValue, 0.5f), kNoValue);
	EXPECT_EQ(UQuoterSite::CloseBeforeChange(10.5f, kNoValue), kNoValue);

	char cell[64] = " \t&amp;nbsp;Big&nbsp;&nbsp;Co\r\n ";
	UQuoterSite::CleanCell(cell);
	EXPECT_STREQ(cell, "&nbsp;Big  Co");
}

} // namespace
