#include "model/UZVUtils.h"

#include "model/TFund.h"
#include "model/TStock.h"
#include "tests/support/ModelTestEnvironment.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace modeltest;

namespace
{

// Number and fraction joined by '|'.
std::string Quote(float value, bool fractions, int decimals)
{
	char number[UZVUtils::kQuoteTextSize];
	char fraction[UZVUtils::kQuoteTextSize];
	UZVUtils::QuoteString(number, fraction, value, fractions, decimals);
	return std::string(number) + "|" + fraction;
}

std::string Change(float previous, float current, bool fractions)
{
	char number[UZVUtils::kQuoteTextSize];
	char fraction[UZVUtils::kQuoteTextSize];
	UZVUtils::QuoteChange(number, fraction, previous, current, fractions, 2);
	return std::string(number) + "|" + fraction;
}

std::string Percent(float previous, float current, int size = 255)
{
	char text[UZVUtils::kQuoteTextSize];
	UZVUtils::QuotePercent(text, size, previous, current);
	return text;
}

TEST(UZVUtilsQuoteTest, PricesSplitIntoNumberAndFraction)
{
	EXPECT_EQ(Quote(12.25f, true, 2), "12|1/4");
	EXPECT_EQ(Quote(0.5f, true, 2), "|1/2");
	EXPECT_EQ(Quote(-0.5f, true, 2), "|-1/2");
	EXPECT_EQ(Quote(3.33f, true, 2), "3.33|");
	EXPECT_EQ(Quote(3.3f, true, 2), "3|3/10");
	EXPECT_EQ(Quote(7.0f, true, 2), "7|");
	EXPECT_EQ(Quote(-12.75f, true, 2), "-12|3/4");
	EXPECT_EQ(Quote(5.015625f, true, 2), "5|1/64");
	EXPECT_EQ(Quote(0.6666667f, true, 2), "|2/3");
	EXPECT_EQ(Quote(12.25f, false, 2), "12.25|");
	EXPECT_EQ(Quote(1.5f, false, 6), "1.500000|");
	// Decimals come from the shortest form of the stored float, not its binary digits.
	EXPECT_EQ(Quote(10419.85f, false, 4), "10419.8500|");
	EXPECT_EQ(Quote(2.675f, false, 2), "2.68|");
	EXPECT_EQ(Quote(2.675f, true, 2), "2.68|");
}

TEST(UZVUtilsQuoteTest, ChangesCarryTheirSign)
{
	EXPECT_EQ(Change(10.0f, 10.0f, false), "+0.00|");
	EXPECT_EQ(Change(10.0f, 8.5f, false), "-1.50|");
	EXPECT_EQ(Change(0.0f, -0.0f, false), "+0.00|");
	EXPECT_EQ(Change(10.0f, 10.5f, true), "|+1/2");
	EXPECT_EQ(Change(10.0f, 9.5f, true), "|-1/2");
	EXPECT_EQ(Change(10.0f, 13.25f, true), "+3|1/4");
	EXPECT_EQ(Change(10.0f, 6.75f, true), "-3|1/4");
	EXPECT_EQ(Change(10.0f, 10.0f, true), "+0|");
	EXPECT_EQ(Change(10.0f, 8.0f, true), "-2|");
	EXPECT_EQ(Change(10.0f, 10.33f, true), "+0.33|");
	EXPECT_EQ(Change(0.0f, 2.675f, false), "+2.68|");
	EXPECT_EQ(Change(2.675f, 0.0f, true), "-2.68|");
	EXPECT_EQ(Change(10419.85f, 10432.15f, false), "+12.30|");

	EXPECT_EQ(Percent(10.0f, 11.0f), "+10.00%");
	EXPECT_EQ(Percent(10.0f, 9.0f), "-10.00%");
	EXPECT_EQ(Percent(0.0f, 11.0f), "+0%");
	EXPECT_EQ(Percent(11.0f, 11.0f), "+0%");
	EXPECT_EQ(Percent(10.0f, 11.0f, 4), "+10.");
}

TEST(UZVUtilsQuoteTest, FractionTableRows)
{
	EXPECT_STREQ(UZVUtils::StockFraction(-4.125f), "1/8");
	EXPECT_STREQ(UZVUtils::StockFraction(0.05f), "1/20");
	EXPECT_STREQ(UZVUtils::StockFraction(1.0f / 6), "1/6");
	EXPECT_EQ(UZVUtils::StockFraction(0.123f), nullptr);
	EXPECT_EQ(UZVUtils::Stock64ths(2.375f), 24);
	EXPECT_EQ(UZVUtils::Stock64ths(0.2f), 0);
}

TEST(UZVUtilsTest, CategorySignatureSkipsBlanksAndIgnoresCase)
{
	EXPECT_EQ(UZVUtils::GetCategorySignature("ab"), 97u + 98u * 2);
	EXPECT_EQ(UZVUtils::GetCategorySignature("a b"), 97u + 98u * 2);
	EXPECT_EQ(UZVUtils::GetCategorySignature("A\tB\n"), 97u + 98u * 2);
	EXPECT_EQ(UZVUtils::GetCategorySignature("a\x0E b"), 97u + 98u * 2);
	EXPECT_EQ(UZVUtils::GetCategorySignature("a\rb"), 97u + 13u * 2 + 98u * 3);
	EXPECT_EQ(UZVUtils::GetCategorySignature(nullptr), 0u);
	// Bytes from 128 up count as negative values.
	EXPECT_EQ(UZVUtils::GetCategorySignature("\xFF"), UInt32(-1));
}

using UZVUtilsExportTest = ModelFixture;

TEST_F(UZVUtilsExportTest, FieldsJoinedBySeparatorWithNoValuesAsNA)
{
	TStock stock;
	stock.SecuritySymbol("ABC");
	stock.SecurityName("Abc Corp");
	std::unique_ptr<char[]> line(UZVUtils::FormatExport(&stock, "\t", 1, 2, 5, 999));
	ASSERT_NE(line, nullptr);
	EXPECT_STREQ(line.get(), "ABC\tN/A\tN/A\n");

	stock.CurrentTradePrice(12.5f);
	stock.YesterdayClose(10.0f);
	stock.DayHigh(13.0f);
	line.reset(UZVUtils::FormatExport(&stock, ",", 0, 2, 3, 5, 6, 9, 10, 13, 999));
	ASSERT_NE(line, nullptr);
	EXPECT_STREQ(line.get(), "Abc Corp,12.5000,10.0000,2.50,25.00,13.0000,N/A,N/A\n");

	stock.CurrentTradePrice(10432.15f);
	stock.YesterdayClose(10419.85f);
	line.reset(UZVUtils::FormatExport(&stock, ",", 2, 3, 5, 6, 999));
	EXPECT_STREQ(line.get(), "10432.1500,10419.8500,12.30,0.12\n");

	stock.YesterdayClose(0.0f);
	line.reset(UZVUtils::FormatExport(&stock, ",", 6, 999));
	EXPECT_STREQ(line.get(), "N/A\n");
}

TEST_F(UZVUtilsExportTest, NewSecuritiesGetDefaultAlertsAndSource)
{
	mEnv.mPrefs.losingAlert.colour = RGBColor{1, 2, 3};
	tAlertParameters alert;
	alert.reserved[0] = 0x5A;
	UZVUtils::DefaultAlert(&alert, true);
	EXPECT_EQ(alert.condition, UZVUtils::alertPercentLoss);
	EXPECT_EQ(alert.colour.blue, 3);
	EXPECT_EQ(alert.reserved[0], 0x5A);

	TStock stock;
	stock.OverrideLosingAlert(true);
	stock.OverrideQuoter(true);
	UZVUtils::DefaultStock(&stock, "Name", "SYM", 200);
	EXPECT_EQ(stock.Quoter(), FOUR_CHAR_CODE("qNON"));
	EXPECT_FALSE(stock.OverrideLosingAlert());
	EXPECT_EQ(stock.AlertGainingParameters()->condition, UZVUtils::alertPercentGain);

	// The quoter manager is asked once the exchange is set and the own source is off.
	UZVUtils::QuoterSigHook previous = UZVUtils::SetQuoterSigHook([](TSecurity* security) -> OSType {
		const TStock* asked = static_cast<TStock*>(security);
		return asked->Exchange() == 200 && !asked->OverrideQuoter() ? FOUR_CHAR_CODE("GlbM") : 0;
	});
	stock.OverrideQuoter(true);
	UZVUtils::DefaultStock(&stock, "Name", "SYM", 200);
	UZVUtils::SetQuoterSigHook(previous);
	EXPECT_EQ(stock.Quoter(), FOUR_CHAR_CODE("GlbM"));

	TFund fund;
	UZVUtils::DefaultSecurity(&fund, "Fund", "FND", FOUR_CHAR_CODE("iMNY"));
	EXPECT_TRUE(fund.OverrideQuoter());
	EXPECT_EQ(fund.Quoter(), FOUR_CHAR_CODE("iMNY"));
}

} // namespace
