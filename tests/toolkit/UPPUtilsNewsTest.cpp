#include "Quoters/TQuoterManager.h"
#include "model/TStock.h"
#include "platform/toolbox/gui/LaunchURL.h"
#include "tests/support/ModelTestEnvironment.h"
#include "toolkit/CURLPushButton.h"
#include "toolkit/UPPUtils.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The news and source link buttons, apart from the layout-based tests: the framework's stream header and
// the model's file header clash within one file.

namespace
{

SPaneInfo Info()
{
	SPaneInfo info;
	info.width = 200;
	info.height = 20;
	return info;
}

std::string Text(const LPane& inPane)
{
	Str255 text;
	inPane.GetDescriptor(text);
	return std::string(reinterpret_cast<const char*>(text + 1), text[0]);
}

class UPPUtilsNewsTest : public ::testing::Test
{
      protected:
	void SetUp() override
	{
		mPreviousOpener = SetURLOpener([this](const std::string& url) { mOpened.push_back(url); });
		AddNews("First headline", "news.example", "/1");
		AddNews("Second headline", "news.example", "/2");
		// A headline whose address could not be built.
		tNewsItem bare;
		bare.headline = new char[12];
		std::strcpy(bare.headline, "No address");
		mStock.GetNewsList()->Append(&bare);
	}
	void TearDown() override
	{
		SetURLOpener(mPreviousOpener);
		mStock.ClearNewsList();
	}
	void AddNews(const char* inHeadline, const char* inHost, const char* inPath)
	{
		tNewsEntry entry;
		entry.headline = inHeadline;
		entry.headlineLength = UInt32(std::strlen(inHeadline));
		entry.host = inHost;
		entry.hostLength = UInt32(std::strlen(inHost));
		entry.path = inPath;
		entry.pathLength = UInt32(std::strlen(inPath));
		mStock.AddNewsItem(&entry);
	}

	modeltest::ModelTestEnvironment mEnv;
	TStock mStock;
	std::vector<std::string> mOpened;
	URLOpener mPreviousOpener;
	CURLPushButton mButton{Info(), FOUR_CHAR_CODE("Nws1"), SURLButtonInfo(), 0};
};

TEST_F(UPPUtilsNewsTest, NewsButtonsShowTheirHeadlineOrNothing)
{
	ASSERT_EQ(mStock.GetNewsList()->Count(), 3);
	UPPUtils::SetNewsItem(&mButton, &mStock, 2);
	EXPECT_EQ(Text(mButton), "Second headline");
	EXPECT_TRUE(mButton.IsEnabled());
	UPPUtils::SetNewsItem(&mButton, &mStock, 4);
	EXPECT_EQ(Text(mButton), "");
	EXPECT_FALSE(mButton.IsEnabled());
	UPPUtils::SetNewsItem(&mButton, &mStock, 1);
	EXPECT_EQ(Text(mButton), "First headline");
	EXPECT_TRUE(mButton.IsEnabled());
	UPPUtils::SetNewsItem(&mButton, &mStock, 0);
	EXPECT_FALSE(mButton.IsEnabled());
	UPPUtils::SetNewsItem(&mButton, &mStock, -1);
	EXPECT_EQ(Text(mButton), "");
}

TEST_F(UPPUtilsNewsTest, LaunchingOpensOnlyItemsWithAnAddress)
{
	UPPUtils::LaunchNewsItem(&mStock, 2);
	ASSERT_EQ(mOpened.size(), 1u);
	EXPECT_NE(mOpened[0].find("news.example/2"), std::string::npos) << mOpened[0];
	UPPUtils::LaunchNewsItem(&mStock, 3); // no address
	UPPUtils::LaunchNewsItem(&mStock, 4); // no such item
	UPPUtils::LaunchNewsItem(&mStock, 0);
	EXPECT_EQ(mOpened.size(), 1u);
}

TEST_F(UPPUtilsNewsTest, TheSourceButtonNamesTheSecuritysSourceAndLinksItsHomePage)
{
	TQuoterManager::InitQuoterManager();
	mStock.Exchange(100);
	const OSType source = TQuoterManager::GetQuoterSig(&mStock);
	char name[256];
	char home[256];
	TQuoterManager::GetQuoterName(source, name, sizeof(name));
	TQuoterManager::GetQuoterHomePage(source, home, sizeof(home));
	ASSERT_STRNE(name, "None");
	UPPUtils::SetQuoteSource(&mButton, &mStock);
	EXPECT_EQ(Text(mButton), name);
	Str255 url;
	mButton.GetURL(url);
	EXPECT_EQ(std::string(reinterpret_cast<const char*>(url + 1), url[0]), home);
	TQuoterManager::FinishQuoterManager();
}

} // namespace
