#include "model/UMerge.h"

#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TStock.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/TempHomeFixture.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace
{

using modeltest::ModelFixture;
using modeltest::ModelTestEnvironment;

std::string Merged(TSecurity* security, const char* text, bool encode = false)
{
	std::unique_ptr<char[]> result(UMerge::MergeText(security, text, encode));
	return result ? std::string(result.get()) : std::string("(null)");
}

TVyDate MakeDate(int year, int month, int day, int hour, int minute)
{
	TVyDate date;
	date.SetYear(UInt16(year));
	date.SetMonth(UInt8(month));
	date.SetDay(UInt8(day));
	date.SetHour(UInt8(hour));
	date.SetMinute(UInt8(minute));
	date.SetSecond(0);
	date.SetMillisecond(0);
	return date;
}

class UMergeTest : public ModelFixture
{
protected:
	void SetUp() override
	{
		mEnv.SetStockCString(37, "n.a.");
		mPrevious = UMerge::SetQuoterNameHook([](unsigned long signature, char* name, int length) {
			std::strncpy(name, signature == FOUR_CHAR_CODE("TstQ") ? "Test Quotes" : "None",
			             std::size_t(length - 1));
		});
	}
	void TearDown() override { UMerge::SetQuoterNameHook(mPrevious); }

	// A stock with every value known.
	void FillStock(TStock& stock)
	{
		stock.SecurityName("Acme Corp");
		stock.SecuritySymbol("ACME");
		stock.Exchange(101);
		stock.Quoter(FOUR_CHAR_CODE("TstQ"));
		stock.CurrentTradePrice(12.5f);
		stock.YesterdayClose(10.0f);
		stock.CurrentTradeVolume(1500);
		stock.DayVolume(1234567);
		stock.CurrentTradeBid(12.4f);
		stock.CurrentTradeAsk(12.6f);
		stock.DayOpen(10.5f);
		stock.DayHigh(13.0f);
		stock.DayLow(9.75f);
		stock.YearHigh(20.0f);
		stock.YearLow(5.25f);
		stock.EarningsPerShare(1.5f);
		stock.DividendPerShare(0.25f);
		stock.PriceEarningsRatio(8.3333f);
		const TVyDate traded = MakeDate(2026, 3, 4, 9, 5);
		stock.CurrentTradeUpdate(&traded);
		const TVyDate updated = MakeDate(2026, 12, 7, 16, 30);
		stock.LastUpdate(&updated);
	}

	UMerge::QuoterNameHook mPrevious;
};

TEST_F(UMergeTest, EveryFieldOfAStock)
{
	TStock stock;
	FillStock(stock);
	const char* text = "<<name>>|<<symbol>>|<<trade_price>>|<<trade_change>>|<<trade_change_percent>>|"
	                   "<<trade_change_color>>|<<trade_volume>>|<<trade_date>>|<<trade_time>>|"
	                   "<<update_date>>|<<update_time>>|<<trade_bid>>|<<trade_ask>>|<<yesterday_close>>|"
	                   "<<day_open>>|<<day_high>>|<<day_low>>|<<day_volume>>|<<year_high>>|<<year_low>>|"
	                   "<<earnings_per_share>>|<<dividend_per_share>>|<<price_earnings_ratio>>|"
	                   "<<exchange>>|<<quote_source>>|<<from_name>>|<<from_symbol>>|<<to_name>>|"
	                   "<<to_symbol>>";
	EXPECT_EQ(Merged(&stock, text),
	          "Acme Corp|ACME|12.50|+2.50|+25.00%|#32CC00|1,500|03/04/2026|09:05|12/07/2026|16:30|12.40|"
	          "12.60|10.00|10.50|13.00|9.75|1,234,567|20.00|5.25|1.50|0.25|8.3333|Nasdaq|Test Quotes|"
	          "<<from_name>>|<<from_symbol>>|<<to_name>>|<<to_symbol>>");
}

TEST_F(UMergeTest, TagsIgnoreCaseAndRepeatAndPlainTextIsCopied)
{
	TStock stock;
	stock.SecuritySymbol("ABC");
	stock.CurrentTradePrice(12.5f);
	EXPECT_EQ(Merged(&stock, "<<Symbol>> <<TRADE_PRICE>>"), "ABC 12.50");
	EXPECT_EQ(Merged(&stock, "<<symbol>>/<<SyMbOl>>/<<symbol>>"), "ABC/ABC/ABC");

	const char* plain = "no fields < here > at all";
	std::unique_ptr<char[]> copy(UMerge::MergeText(&stock, plain));
	ASSERT_NE(copy, nullptr);
	EXPECT_NE(copy.get(), plain);
	EXPECT_STREQ(copy.get(), plain);
	EXPECT_EQ(UMerge::MergeText(&stock, ""), nullptr);
	EXPECT_EQ(UMerge::MergeText(&stock, nullptr), nullptr);
}

TEST_F(UMergeTest, UnknownUnterminatedAndOverlappingTagsStay)
{
	TStock stock;
	stock.SecuritySymbol("ABC");
	EXPECT_EQ(Merged(&stock, "<<bogus>> <<>> <<symbol"), "<<bogus>> <<>> <<symbol");
	EXPECT_EQ(Merged(&stock, "<<symbol>"), "<<symbol>");
	EXPECT_EQ(Merged(&stock, "<<<symbol>>>"), "<ABC>");
	EXPECT_EQ(Merged(&stock, "<<sym<<symbol>>"), "<<symABC");
	EXPECT_EQ(Merged(&stock, "<< symbol>>"), "<< symbol>>");
	EXPECT_EQ(Merged(&stock, ">>x<<"), ">>x<<");
}

TEST_F(UMergeTest, MergedValuesAreTakenWholeAndNotReadAgainAsTags)
{
	TStock stock;
	stock.SecurityName("<<symbol>>");
	stock.SecuritySymbol("<<name>>");
	EXPECT_EQ(Merged(&stock, "<<name>>:<<symbol>>"), "<<symbol>>:<<name>>");
	const std::string longName(400, 'n');
	stock.SecurityName(longName.c_str());
	EXPECT_EQ(Merged(&stock, "<<name>>"), longName);
}

TEST_F(UMergeTest, FieldsOfOtherKindsStay)
{
	TFund fund;
	fund.SecuritySymbol("FUNDX");
	EXPECT_EQ(Merged(&fund, "<<symbol>> <<exchange>> <<earnings_per_share>> <<dividend_per_share>> "
	                        "<<price_earnings_ratio>> <<from_symbol>>"),
	          "FUNDX <<exchange>> <<earnings_per_share>> <<dividend_per_share>> <<price_earnings_ratio>> "
	          "<<from_symbol>>");
}

TEST_F(UMergeTest, CurrencyPairNamesAndUnknownCurrencies)
{
	TCurrency pair;
	pair.CurrencyFrom(100);
	pair.CurrencyTo(101);
	EXPECT_EQ(Merged(&pair, "<<from_name>>/<<from_symbol>> -> <<to_name>>/<<to_symbol>> <<exchange>>"),
	          "U.S. Dollar/USD -> Canadian Dollar/CAD <<exchange>>");
	pair.CurrencyTo(777);
	EXPECT_EQ(Merged(&pair, "<<from_symbol>> <<to_name>> <<to_symbol>>"),
	          "USD <<to_name>> <<to_symbol>>");
}

TEST_F(UMergeTest, MissingValuesGiveTheNotAvailableText)
{
	TStock stock;
	stock.Exchange(777);
	TVyDate::SetUndefinedDateTime(stock.CurrentTradeUpdate());
	TVyDate::SetUndefinedDateTime(stock.LastUpdate());
	EXPECT_EQ(Merged(&stock, "<<trade_price>> <<trade_change>> <<trade_change_percent>> "
	                         "<<trade_change_color>> <<day_volume>> <<trade_volume>> <<trade_date>> "
	                         "<<trade_time>> <<update_date>> <<earnings_per_share>> <<exchange>> "
	                         "<<quote_source>>"),
	          "n.a. n.a. n.a. #0065CC n.a. n.a. n.a. n.a. n.a. n.a. <<exchange>> None");

	// A price without a previous close is no rise: neither change nor colour can be told.
	stock.CurrentTradePrice(12.0f);
	EXPECT_EQ(Merged(&stock, "<<trade_price>> <<trade_change>> <<trade_change_color>>"),
	          "12.00 n.a. #0065CC");
	stock.CurrentTradePrice(kNoValue);
	stock.YesterdayClose(12.0f);
	EXPECT_EQ(Merged(&stock, "<<trade_change_percent>> <<trade_change_color>>"), "n.a. #0065CC");

	// A date whose time was never set has no time to show.
	TVyDate dateOnly = MakeDate(2026, 1, 2, 0, 0);
	dateOnly.SetMillisecond(TVyDate::kUndefinedMillisecond);
	stock.CurrentTradeUpdate(&dateOnly);
	EXPECT_EQ(Merged(&stock, "<<trade_date>> <<trade_time>>"), "01/02/2026 n.a.");
}

TEST_F(UMergeTest, ChangeColourFollowsTheSettings)
{
	TStock stock;
	stock.YesterdayClose(10.0f);
	stock.CurrentTradePrice(9.0f);
	EXPECT_EQ(Merged(&stock, "<<trade_change_color>>"), "#FF3200");
	stock.CurrentTradePrice(10.0f);
	EXPECT_EQ(Merged(&stock, "<<trade_change_color>>"), "#0065CC");
	gPreferences->upColour = RGBColor{0xABFF, 0x0100, 0xFF00};
	stock.CurrentTradePrice(10.5f);
	EXPECT_EQ(Merged(&stock, "<<trade_change_color>>"), "#AB01FF");
}

TEST_F(UMergeTest, QuotesJoinNumberAndFraction)
{
	char s[UMerge::kValueSize];
	UMerge::SetQuote(s, 12.25f, true);
	EXPECT_STREQ(s, "12 1/4");
	UMerge::SetQuote(s, 0.5f, true);
	EXPECT_STREQ(s, "1/2");
	UMerge::SetULong(s, 4000000000ul);
	EXPECT_STREQ(s, "4,000,000,000");

	// Stored floats merge with the decimals of their shortest form.
	TStock stock;
	stock.CurrentTradePrice(2.675f);
	stock.PriceEarningsRatio(10419.85f);
	EXPECT_EQ(Merged(&stock, "<<trade_price>> <<price_earnings_ratio>>"), "2.68 10419.8500");
}

TEST_F(UMergeTest, TradeLinkValuesArePercentEncoded)
{
	TStock stock;
	stock.SecuritySymbol("BRK.B");
	stock.SecurityName("A&B Caf\x8E #1"); // Mac Roman e-acute
	stock.YesterdayClose(10.0f);
	stock.CurrentTradePrice(11.0f);
	std::strcpy(
	    gPreferences->tradeURL,
	    "https://broker.example/trade?s=<<symbol>>&n=<<name>>&c=<<trade_change_color>>&<<bogus>>");
	const char* link =
	    "https://broker.example/trade?s=BRK.B&n=A%26B%20Caf%C3%A9%20%231&c=%2332CC00&<<bogus>>";

	std::unique_ptr<char[]> merged(UMerge::MergeTradeURL(&stock));
	ASSERT_NE(merged, nullptr);
	EXPECT_STREQ(merged.get(), link);
	EXPECT_EQ(Merged(&stock, gPreferences->tradeURL, true), link);
	// The output file keeps the values as they are.
	EXPECT_EQ(Merged(&stock, "<<name>> <<trade_change_color>>"), "A&B Caf\x8E #1 #32CC00");

	// A link field filled to its last byte is read within its bounds.
	std::memset(gPreferences->tradeURL, 'x', sizeof(gPreferences->tradeURL));
	merged.reset(UMerge::MergeTradeURL(&stock));
	ASSERT_NE(merged, nullptr);
	EXPECT_EQ(std::strlen(merged.get()), sizeof(gPreferences->tradeURL) - 1);

	gPreferences->tradeURL[0] = '\0';
	EXPECT_EQ(UMerge::MergeTradeURL(&stock), nullptr);
}

TEST(UMergeQuoterTest, WithoutTheQuoterManagerEverySourceReadsNone)
{
	ModelTestEnvironment env;
	TStock stock;
	stock.Quoter(FOUR_CHAR_CODE("YaUS"));
	EXPECT_EQ(Merged(&stock, "<<quote_source>>"), "None");
}

// Output files: the merged template replaces the security's file, or nothing changes.
class UMergeOutputTest : public TempHomeFixture
{
protected:
	void SetUp() override
	{
		TempHomeFixture::SetUp();
		mEnv = std::make_unique<ModelTestEnvironment>();
		mStock.SecuritySymbol("ACME");
		mStock.CurrentTradePrice(12.5f);
		const std::string text = "<<symbol>> <<trade_price>>\n";
		mStock.FileText(text.c_str(), long(text.size()));
		mStock.OutputFileEnabled(true);
	}
	void TearDown() override
	{
		mEnv.reset();
		TempHomeFixture::TearDown();
	}

	template <class File> File* GiveFile()
	{
		File* file = new File;
		file->SetFileName("quote.txt");
		mStock.OutputFile(file);
		return file;
	}

	std::unique_ptr<ModelTestEnvironment> mEnv;
	TStock mStock;
};

// Writes part of what it is given and then reports a full disk.
class TShortWriteFile : public TVyFile
{
public:
	short Write(const void* buffer, unsigned long count) override
	{
		TVyFile::Write(buffer, count / 2);
		return kVyFileFull;
	}
};

TEST_F(UMergeOutputTest, WritesTheMergedTemplateOverAnyOlderFile)
{
	GiveFile<TVyFile>();
	EXPECT_EQ(UMerge::OutputToFile(&mStock), 0);
	EXPECT_EQ(ReadText(mWork + "/quote.txt"), "ACME 12.50\n");

	WriteText(mWork + "/quote.txt", std::string(5000, 'z'));
	mStock.CurrentTradePrice(9.0f);
	EXPECT_EQ(UMerge::OutputToFile(&mStock), 0);
	EXPECT_EQ(ReadText(mWork + "/quote.txt"), "ACME 9.00\n");
	EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mWork), {}), 1);
}

TEST_F(UMergeOutputTest, FailedWriteLeavesTheFormerFile)
{
	GiveFile<TShortWriteFile>();
	WriteText(mWork + "/quote.txt", "former contents\n");
	EXPECT_EQ(UMerge::OutputToFile(&mStock), kVyFileFull);
	EXPECT_EQ(ReadText(mWork + "/quote.txt"), "former contents\n");
	EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mWork), {}), 1);
}

TEST_F(UMergeOutputTest, NothingIsWrittenWithoutSwitchTemplateOrUsableFile)
{
	EXPECT_EQ(UMerge::OutputToFile(&mStock), 0); // no file object

	GiveFile<TVyFile>();
	mStock.OutputFileEnabled(false);
	EXPECT_EQ(UMerge::OutputToFile(&mStock), 0);
	EXPECT_FALSE(std::filesystem::exists(mWork + "/quote.txt"));

	mStock.OutputFileEnabled(true);
	mStock.FileText(nullptr, 0);
	EXPECT_EQ(UMerge::OutputToFile(&mStock), 0);
	EXPECT_FALSE(std::filesystem::exists(mWork + "/quote.txt"));

	const std::string text = "<<symbol>>";
	mStock.FileText(text.c_str(), long(text.size()));
	// A name the file layer refuses to create.
	GiveFile<TVyFile>()->SetFileName(".quote");
	EXPECT_NE(UMerge::OutputToFile(&mStock), 0);
	EXPECT_FALSE(std::filesystem::exists(mWork + "/.quote"));
}

} // namespace
