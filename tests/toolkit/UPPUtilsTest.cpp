#include "toolkit/UPPUtils.h"

#include "Includes/NoValue.h"
#include "Quoters/TQuoterManager.h"
#include "foundation/TVyDate.h"
#include "model/TStock.h"
#include "platform/framework/LCaption.h"
#include "platform/framework/LStaticText.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/LaunchURL.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/toolkit/PaneTestSupport.h"
#include "toolkit/CURLPushButton.h"
#include "toolkit/TColourCaption.h"
#include "toolkit/TColourCaptions.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

using namespace FrameworkTest;
using namespace PaneTest;

namespace
{

SPaneInfo Info(SInt16 inWidth = 200, SInt16 inHeight = 20)
{
	SPaneInfo info;
	info.width = inWidth;
	info.height = inHeight;
	return info;
}

class UPPUtilsTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		LoadLayouts();
		mEnv.SetStockString(0, "n/a");
	}

	modeltest::ModelTestEnvironment mEnv;
	LStaticText mStatic{Info(), (ConstStr255Param) "\0", 0};
	LCaption mCaption{Info(), (ConstStr255Param) "\0", 0};
	TColourCaption mColour{Info(), (ConstStr255Param) "\0", 0};
};

TEST_F(UPPUtilsTest, NumbersShowTheNoValueTextForMissingValues)
{
	UPPUtils::SetFloat(&mStatic, &mCaption, kNoValue, 2);
	EXPECT_EQ(mStatic.GetTextString(), "n/a");
	EXPECT_EQ(Descriptor(&mCaption), "n/a");
	UPPUtils::SetFloat(&mStatic, 1.5f, 2);
	EXPECT_EQ(mStatic.GetTextString(), "1.50");
	UPPUtils::SetFloat(&mCaption, -0.125f, 1);
	EXPECT_EQ(Descriptor(&mCaption), "-0.1");

	UPPUtils::SetULong(&mStatic, &mCaption, 0);
	EXPECT_EQ(mStatic.GetTextString(), "n/a");
	EXPECT_EQ(Descriptor(&mCaption), "n/a");
	UPPUtils::SetULong(&mStatic, 1234567);
	EXPECT_EQ(mStatic.GetTextString(), "1,234,567");
	UPPUtils::SetULong(&mCaption, 3000000000u);
	EXPECT_EQ(Descriptor(&mCaption), "3,000,000,000");
	UPPUtils::SetULong(&mCaption, 999);
	EXPECT_EQ(Descriptor(&mCaption), "999");

	UPPUtils::SetMillions(&mStatic, 1.5f);
	EXPECT_EQ(mStatic.GetTextString(), "1,500,000");
	UPPUtils::SetMillions(&mStatic, 0.0000004f);
	EXPECT_EQ(mStatic.GetTextString(), "0");
	UPPUtils::SetMillions(&mCaption, -2.25f);
	EXPECT_EQ(Descriptor(&mCaption), "-2,250,000");
	UPPUtils::SetMillions(&mCaption, kNoValue);
	EXPECT_EQ(Descriptor(&mCaption), "n/a");
}

TEST_F(UPPUtilsTest, TheNoValueTextIsCutToTheLimitOfEachPane)
{
	mEnv.SetStockString(0, std::string(200, 'x'));
	UPPUtils::SetFloat(&mCaption, kNoValue, 2);
	EXPECT_EQ(Descriptor(&mCaption).size(), 200u);

	std::unique_ptr<LWindow> window(LWindow::CreateWindow(32100, nullptr));
	ASSERT_NE(window, nullptr);
	auto* two = FindPane<TColourCaptions>(window.get(), "two ");
	ASSERT_NE(two, nullptr);
	const RGBColor red{0xFFFF, 0, 0};
	UPPUtils::SetColourChange(two, &red, kNoValue, 10.0f, false);
	EXPECT_EQ(std::strlen(two->GetFirstString()), 127u);
}

TEST_F(UPPUtilsTest, PricesJoinTheirWholeAndFractionParts)
{
	UPPUtils::SetQuote(&mStatic, 12.25f, true);
	EXPECT_EQ(mStatic.GetTextString(), "12 1/4");
	UPPUtils::SetQuote(&mStatic, 0.5f, true);
	EXPECT_EQ(mStatic.GetTextString(), "1/2");
	UPPUtils::SetQuote(&mCaption, 7.0f, true);
	EXPECT_EQ(Descriptor(&mCaption), "7");
	UPPUtils::SetQuote(&mCaption, 12.25f, false);
	EXPECT_EQ(Descriptor(&mCaption), "12.25");
	UPPUtils::SetQuote(&mStatic, &mCaption, kNoValue, true);
	EXPECT_EQ(mStatic.GetTextString(), "n/a");
	EXPECT_EQ(Descriptor(&mCaption), "n/a");

	const RGBColor green{0, 0x8000, 0};
	UPPUtils::SetColourQuote(&mColour, &green, 3.3f, true);
	EXPECT_EQ(Descriptor(&mColour), "3 3/10");
	RGBColor colour;
	mColour.GetColour(colour);
	EXPECT_TRUE(mColour.UsesColour());
	EXPECT_EQ(colour.green, 0x8000);

	// The colour is set even when the value is missing.
	const RGBColor blue{0, 0, 0xFFFF};
	UPPUtils::SetColourFloat(&mColour, &blue, kNoValue, 2);
	EXPECT_EQ(Descriptor(&mColour), "n/a");
	mColour.GetColour(colour);
	EXPECT_EQ(colour.blue, 0xFFFF);
	UPPUtils::SetColourFloat(&mColour, &blue, 2.0f, 3);
	EXPECT_EQ(Descriptor(&mColour), "2.000");

	UPPUtils::SetColourCaption(&mColour, std::string(300, 'y').c_str(), &green);
	EXPECT_EQ(Descriptor(&mColour), std::string(255, 'y'));
	mColour.GetColour(colour);
	EXPECT_EQ(colour.green, 0x8000);
}

TEST_F(UPPUtilsTest, ChangesShowThePriceAndTheChangeOrThePercentage)
{
	const RGBColor red{0xFFFF, 0, 0};
	UPPUtils::SetColourChange(&mColour, &red, 10.0f, 13.25f, true);
	EXPECT_EQ(Descriptor(&mColour), "13 1/4  +3 1/4");
	UPPUtils::SetColourChange(&mColour, &red, 10.0f, 10.5f, true);
	EXPECT_EQ(Descriptor(&mColour), "10 1/2  +1/2");
	UPPUtils::SetColourChange(&mColour, &red, 10.0f, 8.5f, false);
	EXPECT_EQ(Descriptor(&mColour), "8.50  -1.50");
	UPPUtils::SetColourChange(&mColour, &red, kNoValue, 8.5f, false);
	EXPECT_EQ(Descriptor(&mColour), "8.50");
	UPPUtils::SetColourChange(&mColour, &red, 10.0f, kNoValue, false);
	EXPECT_EQ(Descriptor(&mColour), "n/a");

	std::unique_ptr<LWindow> window(LWindow::CreateWindow(32100, nullptr));
	ASSERT_NE(window, nullptr);
	auto* two = FindPane<TColourCaptions>(window.get(), "two ");
	ASSERT_NE(two, nullptr);
	UPPUtils::SetColourChange(two, &red, 10.0f, 11.0f, false);
	EXPECT_STREQ(two->GetFirstString(), "+1.00  ");
	EXPECT_STREQ(two->GetSecondString(), "+10.00%");
	EXPECT_TRUE(two->UsesColour());
	UPPUtils::SetColourChange(two, &red, 10.0f, kNoValue, false);
	EXPECT_STREQ(two->GetFirstString(), "n/a");
	EXPECT_STREQ(two->GetSecondString(), "");
	UPPUtils::SetColourChange(two, &red, kNoValue, 11.0f, false);
	EXPECT_STREQ(two->GetFirstString(), "n/a");
	EXPECT_STREQ(two->GetSecondString(), "");
}

TEST_F(UPPUtilsTest, UpdateTimesFillTheTemplateOfTheErrorCode)
{
	mEnv.SetStockCString(41, "<<month>>/<<day>>/<<year>> <<HOUR>>:<<minute>>");
	mEnv.SetStockCString(42, "failed (<<error>>) at <<hour>>:<<minute>>:<<second>>, <<hour>>h");
	TVyDate date;
	date.SetYear(2007);
	date.SetMonth(3);
	date.SetDay(5);
	date.SetHour(9);
	date.SetMinute(7);
	date.SetSecond(3);
	date.SetMillisecond(0);
	UPPUtils::SetUpdate(&mStatic, &mCaption, &date, 0);
	EXPECT_EQ(mStatic.GetTextString(), "03/05/2007 09:07");
	EXPECT_EQ(Descriptor(&mCaption), "03/05/2007 09:07");
	UPPUtils::SetUpdate(&mCaption, &date, 7);
	EXPECT_EQ(Descriptor(&mCaption), "failed (7) at 09:07:03, 09h");

	mEnv.SetStockCString(41, "");
	UPPUtils::SetUpdate(&mStatic, &date, 0);
	EXPECT_EQ(mStatic.GetTextString(), "");

	mEnv.SetStockCString(41, "<<year>>");
	TVyDate undefined = date;
	TVyDate::SetUndefinedDateTime(undefined);
	UPPUtils::SetUpdate(&mStatic, &undefined, 0);
	EXPECT_EQ(mStatic.GetTextString(), "n/a");
	undefined = date;
	undefined.SetMillisecond(TVyDate::kUndefinedMillisecond);
	UPPUtils::SetUpdate(&mStatic, &undefined, 0);
	EXPECT_EQ(mStatic.GetTextString(), "n/a");

	const long signalCount = Debugging::SignalCount();
	UPPUtils::SetUpdate(&mStatic, nullptr, 0);
	EXPECT_EQ(mStatic.GetTextString(), "n/a");
	EXPECT_GT(Debugging::SignalCount(), signalCount);
}

TEST_F(UPPUtilsTest, ClocksShowAndGiveBackDates)
{
	std::unique_ptr<LWindow> window(LWindow::CreateWindow(32100, nullptr));
	ASSERT_NE(window, nullptr);
	auto* clock = FindPane<LClock>(window.get(), "date");
	ASSERT_NE(clock, nullptr);
	tVyDateOld stored;
	stored.year = 2006;
	stored.month = 11;
	stored.day = 30;
	stored.hour = 14;
	stored.millisecond = 123;
	UPPUtils::SetDate(&stored, clock);
	LongDateRec shown;
	clock->GetLongDate(shown);
	EXPECT_EQ(shown.year, 2006);
	EXPECT_EQ(shown.month, 11);
	EXPECT_EQ(shown.day, 30);
	EXPECT_EQ(shown.hour, 0);

	tVyDateOld read;
	read.millisecond = 77;
	read.hour = 5;
	UPPUtils::GetDate(&read, clock);
	EXPECT_EQ(read.year, 2006);
	EXPECT_EQ(read.month, 11);
	EXPECT_EQ(read.day, 30);
	EXPECT_EQ(read.hour, 0);
	EXPECT_EQ(read.millisecond, 77);
}

// The news and source link buttons.
class UPPUtilsNewsTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		mPreviousOpener = SetURLOpener([this](const std::string& url) {
			mOpened.push_back(url);
			return true;
		});
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
		modeltest::AddNews(mStock, inHeadline, inHost, inPath);
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
	EXPECT_EQ(Descriptor(&mButton), "Second headline");
	EXPECT_TRUE(mButton.IsEnabled());
	UPPUtils::SetNewsItem(&mButton, &mStock, 4);
	EXPECT_EQ(Descriptor(&mButton), "");
	EXPECT_FALSE(mButton.IsEnabled());
	UPPUtils::SetNewsItem(&mButton, &mStock, 1);
	EXPECT_EQ(Descriptor(&mButton), "First headline");
	EXPECT_TRUE(mButton.IsEnabled());
	UPPUtils::SetNewsItem(&mButton, &mStock, 0);
	EXPECT_FALSE(mButton.IsEnabled());
	UPPUtils::SetNewsItem(&mButton, &mStock, -1);
	EXPECT_EQ(Descriptor(&mButton), "");
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

	// Links scraped from pages open only on the web; other handlers never see them.
	mOpened.clear();
	AddNews("Local", "file:///etc", "/passwd");
	AddNews("Share", "smb://server", "/share");
	AddNews("Shell", "ssh://server", "");
	AddNews("Handler", "vnd-app://run", "/x");
	AddNews("Secure", "https://news.example", "/s");
	for (long item = 1; item <= mStock.GetNewsList()->Count(); item++)
		UPPUtils::LaunchNewsItem(&mStock, item);
	std::sort(mOpened.begin(), mOpened.end());
	EXPECT_EQ(mOpened, (std::vector<std::string>{"http://news.example/1", "http://news.example/2",
	                                             "https://news.example/s"}));
	// A mail address the program builds itself opens.
	mOpened.clear();
	EXPECT_FALSE(LaunchURL("mailto:support@example.com"));
	EXPECT_TRUE(LaunchURL("mailto:support@example.com", true));
	EXPECT_EQ(mOpened, (std::vector<std::string>{"mailto:support@example.com"}));
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
	EXPECT_EQ(Descriptor(&mButton), name);
	Str255 url;
	mButton.GetURL(url);
	EXPECT_EQ(PascalStrings::ToString(url), home);
	TQuoterManager::FinishQuoterManager();
}

} // namespace
