#include "model/UNews.h"

#include "platform/toolbox/Debugging.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace
{

std::string Cleaned(const char* headline, UInt16* kind = nullptr)
{
	std::string buffer(headline);
	tNewsItem item;
	item.kind = 7;
	item.headline = buffer.data();
	UNews::CleanupHeadlines(&item);
	if (kind != nullptr)
		*kind = item.kind;
	return item.headline;
}

std::string Url(const char* host, const char* path)
{
	char* url = UNews::FormatURL(host, long(std::strlen(host)), path, path ? long(std::strlen(path)) : 0);
	std::string text = url != nullptr ? url : "<null>";
	delete[] url;
	return text;
}

tNewsEntry Entry(const char* headline, const char* host, const char* path)
{
	tNewsEntry entry;
	entry.headline = headline;
	entry.headlineLength = headline ? UInt32(std::strlen(headline)) : 0;
	entry.host = host;
	entry.hostLength = host ? UInt32(std::strlen(host)) : 0;
	entry.path = path;
	entry.pathLength = path ? UInt32(std::strlen(path)) : 0;
	return entry;
}

// A news list as securities keep it: copy-on-add, deleting its items, its strings freed by ClearNewsList.
class NewsList : public ::testing::Test
{
protected:
	void TearDown() override { UNews::ClearNewsList(&mList); }
	TList<tNewsItem> mList{true, true};
};

} // namespace

TEST(UNewsPurgeChars, LineBreaksAndSpaceRunsBecomeOneSpace)
{
	EXPECT_EQ(Cleaned("Stocks\r\nrally"), "Stocks rally");
	EXPECT_EQ(Cleaned("a    b \r\n  c"), "a b c");
	EXPECT_EQ(Cleaned("end\n"), "end ");
}

TEST(UNewsPurgeChars, DecodesTheKnownEntitiesInAnyCaseWithOrWithoutSemicolon)
{
	EXPECT_EQ(Cleaned("Up&#160;5%"), "Up 5%");
	EXPECT_EQ(Cleaned("&#34;Buy&#34 now&QUOT;"), "\"Buy\" now&QUOT;");
	EXPECT_EQ(Cleaned("R&#38;D &#38X"), "R&D &X");
	EXPECT_EQ(Cleaned("a&NBSP;b&nbspc"), "a b c");
	EXPECT_EQ(Cleaned("AT&amp;T AT&AMPT"), "AT&T AT&T");
	EXPECT_EQ(Cleaned("Q&A &lt;"), "Q&A &lt;");
}

TEST(UNewsPurgeChars, AnEntityMadeByADecodingIsNotDecodedAgain)
{
	EXPECT_EQ(Cleaned("&amp;amp;"), "&amp;");
	EXPECT_EQ(Cleaned("&amp;#160;"), "&#160;");
}

TEST(UNewsPurgeTags, RemovesWholeTagsAndKeepsAnUnclosedOne)
{
	EXPECT_EQ(Cleaned("<a href=\"x\">Oil</a> falls"), "Oil falls");
	EXPECT_EQ(Cleaned("a <b<i>> c"), "a > c");
	EXPECT_EQ(Cleaned("x < y"), "x < y");
	EXPECT_EQ(Cleaned("<b>bold</b> x < y"), "bold x < y");
	EXPECT_EQ(Cleaned("<br>"), "");
}

TEST(UNewsCleanupHeadlines, LeadingMarkerSetsTheKindAndIsRemoved)
{
	UInt16 kind = 99;
	EXPECT_EQ(Cleaned("[Audio]  Markets &amp; bonds <b>rise</b>", &kind), "Markets & bonds rise");
	EXPECT_EQ(kind, kNewsAudio);
	EXPECT_EQ(Cleaned("[VIDEO] Chart", &kind), "Chart");
	EXPECT_EQ(kind, kNewsVideo);
	EXPECT_EQ(Cleaned("[External]Blog", &kind), "Blog");
	EXPECT_EQ(kind, kNewsExternal);
	EXPECT_EQ(Cleaned("<i>[audio]</i> Talk", &kind), "Talk");
	EXPECT_EQ(kind, kNewsAudio);
}

TEST(UNewsCleanupHeadlines, LeadingSpacesGoOnlyAfterABracket)
{
	UInt16 kind = 99;
	EXPECT_EQ(Cleaned("[Update] Rates", &kind), "[Update] Rates");
	EXPECT_EQ(kind, kNewsPlain);
	EXPECT_EQ(Cleaned(" Rates", &kind), " Rates");
	EXPECT_EQ(kind, kNewsPlain);
	EXPECT_EQ(Cleaned("Mid [audio] x", &kind), "Mid [audio] x");
	EXPECT_EQ(kind, kNewsPlain);
}

TEST(UNewsCleanupHeadlines, NullArgumentsAreHarmless)
{
	const long signals = Debugging::SignalCount();
	UNews::CleanupHeadlines(nullptr);
	EXPECT_EQ(Debugging::SignalCount(), signals + 1);
	tNewsItem item;
	item.kind = 2;
	UNews::CleanupHeadlines(&item);
	EXPECT_EQ(item.kind, kNewsPlain);
	UNews::PurgeChars(nullptr);
	UNews::PurgeTags(nullptr);
}

TEST(UNewsFormatURL, JoinsHostAndPathWithOneSlash)
{
	EXPECT_EQ(Url("news.example", "/news/1.html"), "http://news.example/news/1.html");
	EXPECT_EQ(Url("http://news.example/", "/news/1.html"), "http://news.example/news/1.html");
	EXPECT_EQ(Url("news.example", nullptr), "http://news.example/");
	EXPECT_EQ(Url("news.example/", "a/b"), "http://news.example/a/b");
	EXPECT_EQ(Url("news.example", "/"), "http://news.example/");
}

TEST(UNewsFormatURL, KeepsTheSchemeTheHostGives)
{
	EXPECT_EQ(Url("https://secure.example", "/n"), "https://secure.example/n");
	EXPECT_EQ(Url("HTTP://news.example", "/n"), "HTTP://news.example/n");
	EXPECT_EQ(Url("localhost:8080", "/n"), "http://localhost:8080/n");
	EXPECT_EQ(Url("//cdn.example", "/n"), "http://cdn.example/n");
}

TEST(UNewsFormatURL, UsesOnlyTheGivenLengthsAndNeedsAHost)
{
	const char* page = "www.example.com/story?id=5&x=1\"";
	char* url = UNews::FormatURL(page, 15, page + 15, 15);
	ASSERT_NE(url, nullptr);
	EXPECT_STREQ(url, "http://www.example.com/story?id=5&x=1");
	delete[] url;
	EXPECT_EQ(UNews::FormatURL(nullptr, 5, "/p", 2), nullptr);
	EXPECT_EQ(UNews::FormatURL("host", 0, "/p", 2), nullptr);
	EXPECT_EQ(Url("h", ""), "http://h/");
}

TEST(UNewsStrappend, JoinsIntoANewStringAndLeavesAnEmptyPairAlone)
{
	char* s = nullptr;
	EXPECT_EQ(UNews::strappend(&s, ""), 0);
	EXPECT_EQ(s, nullptr);
	EXPECT_EQ(UNews::strappend(&s, "abc"), 3);
	ASSERT_NE(s, nullptr);
	EXPECT_STREQ(s, "abc");
	EXPECT_EQ(UNews::strappend(&s, "de"), 5);
	EXPECT_STREQ(s, "abcde");
	EXPECT_EQ(UNews::strappend(&s, nullptr), 5);
	EXPECT_STREQ(s, "abcde");
	delete[] s;
}

TEST_F(NewsList, AddsACleanedCopyWithItsURL)
{
	std::string page = "xx<b>Fed</b>   holds yy news.example/a/1.html zz";
	tNewsEntry entry;
	entry.headline = page.data() + 2;
	entry.headlineLength = 18;
	entry.host = page.data() + 24;
	entry.hostLength = 12;
	entry.path = page.data() + 36;
	entry.pathLength = 9;
	UNews::AddNewsItem(&mList, &entry);
	ASSERT_EQ(mList.Count(), 1);
	tNewsItem* item = mList.GetFirst();
	EXPECT_STREQ(item->headline, "Fed holds");
	EXPECT_STREQ(item->url, "http://news.example/a/1.html");
	EXPECT_EQ(item->kind, kNewsPlain);
	// The item owns its texts: the page may go away.
	page.assign(page.size(), '#');
	EXPECT_STREQ(item->headline, "Fed holds");
}

TEST_F(NewsList, AddsNothingWithoutHeadlineOrHost)
{
	tNewsEntry entries[] = {
	    Entry("", "h", "/p"),
	    Entry(nullptr, "h", "/p"),
	    Entry("Title", nullptr, "/p"),
	    Entry("Title", "", "/p"),
	};
	for (tNewsEntry& entry : entries)
		UNews::AddNewsItem(&mList, &entry);
	EXPECT_EQ(mList.Count(), 0);
	tNewsEntry good = Entry("[video] Title", "h", nullptr);
	UNews::AddNewsItem(nullptr, &good);
	UNews::AddNewsItem(&mList, nullptr);
	EXPECT_EQ(mList.Count(), 0);
	UNews::AddNewsItem(&mList, &good);
	ASSERT_EQ(mList.Count(), 1);
	EXPECT_EQ(mList.GetFirst()->kind, kNewsVideo);
	EXPECT_STREQ(mList.GetFirst()->url, "http://h/");
}

TEST_F(NewsList, KeepsOrderAndClearEmptiesIt)
{
	for (const char* title : {"one", "two", "three"}) {
		tNewsEntry entry = Entry(title, "h", "/p");
		UNews::AddNewsItem(&mList, &entry);
	}
	ASSERT_EQ(mList.Count(), 3);
	EXPECT_STREQ(mList.GetNth(1)->headline, "one");
	EXPECT_STREQ(mList.GetNth(3)->headline, "three");
	UNews::ClearNewsList(&mList);
	EXPECT_EQ(mList.Count(), 0);
	UNews::ClearNewsList(nullptr);
}

TEST(UNewsAddNewsItem, AListThatDoesNotCopyKeepsTheBuiltItem)
{
	TList<tNewsItem> list(false, true);
	tNewsEntry entry = Entry("Plain", "h", "/p");
	UNews::AddNewsItem(&list, &entry);
	ASSERT_EQ(list.Count(), 1);
	EXPECT_STREQ(list.GetFirst()->headline, "Plain");
	UNews::ClearNewsList(&list);
	EXPECT_EQ(list.Count(), 0);
}
