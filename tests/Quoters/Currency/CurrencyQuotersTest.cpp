#include "Quoters/Currency/TOanda.h"
#include "Quoters/Currency/TXE.h"
#include "Quoters/TQuoterHosts.h"
#include "model/TCurrency.h"
#include "model/TStock.h"
#include "tests/Quoters/SourcePageKit.h"
#include "tests/support/ModelTestEnvironment.h"

#include <string>
#include <vector>

using namespace sourcekit;

namespace
{

constexpr float N = kNoValue;

class CurrencyQuotersTest : public modeltest::ModelFixture
{
protected:
	void TearDown() override { TQuoterHosts::ResetHosts(); }
};

// A pair that already holds a rate, so that a page that yields none must clear it.
void Fill(TCurrency& pair)
{
	pair.CurrencyFrom(100);
	pair.CurrencyTo(300);
	pair.CurrentTradePrice(1.5f);
}

struct tRateCase {
	const char* page;
	bool answer;
	float rate;
};

// Each page read into a pair that held a rate: the answer and the rate left behind.
template <size_t n> void ExpectRates(TQuoter& source, const tRateCase (&cases)[n])
{
	for (const tRateCase& c : cases) {
		SCOPED_TRACE(c.page);
		std::vector<char> page = ReadPage("Currency", c.page);
		TCurrency pair;
		Fill(pair);
		EXPECT_EQ(source.CurrencyDetail(page.data(), long(page.size()), &pair), c.answer);
		EXPECT_QUOTE(c.rate, pair.CurrentTradePrice());
	}
}

TEST_F(CurrencyQuotersTest, XERateStandsBeforeTheSecondWarning)
{
	const tRateCase cases[] = {
	    {"xe_rate.html", true, 0.752301f},
	    {"xe_one_marker.html", false, N},
	    // The rate must stand on the marker's line.
	    {"xe_split.html", true, N},
	    {"xe_na.html", true, N},
	    // No tag before the second marker.
	    {"xe_no_tag.html", false, N},
	};
	TXE source;
	ExpectRates(source, cases);
}

TEST_F(CurrencyQuotersTest, OandaRateIsTheSecondResult)
{
	const tRateCase cases[] = {
	    {"oanda_rate.html", true, 0.7519f},
	    {"oanda_one_span.html", false, N},
	    {"oanda_split.html", true, N},
	};
	TOanda source;
	ExpectRates(source, cases);
}

TEST_F(CurrencyQuotersTest, PathsNameBothCurrencies)
{
	TXE xe;
	TOanda oanda;
	TCurrency pair;
	Fill(pair);
	char path[128];
	xe.GetPageDetailed(path, sizeof path, &pair);
	EXPECT_STREQ(path, "/ucc/convert.cgi?Amount=1&From=USD&To=EUR");
	oanda.GetPageDetailed(path, sizeof path, &pair);
	EXPECT_STREQ(path, "/convert/classic?value=1&exch=USD&expr=EUR");

	TStock stock;
	stock.SecuritySymbol("IBM");
	xe.GetPageDetailed(path, sizeof path, &stock);
	EXPECT_STREQ(path, "");

	TQuoterHosts::SetHost(TXE::kSignature, TQuoterHosts::hostQuote, "rates.test");
	TQuoterHosts::SetHost(TXE::kSignature, TQuoterHosts::hostHome, "www.rates.test");
	char host[64];
	xe.GetURL(urlQuotePage, &pair, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "rates.test");
	EXPECT_STREQ(path, "/ucc/convert.cgi?Amount=1&From=USD&To=EUR");
	xe.GetURL(urlHomePage, nullptr, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "http://www.rates.test");
	EXPECT_STREQ(path, "");
	xe.GetURL(urlNewsPage, &pair, host, sizeof host, path, sizeof path);
	EXPECT_STREQ(host, "");
	EXPECT_STREQ(path, "");
}

TEST_F(CurrencyQuotersTest, RowsOfTheFamilyTable)
{
	TXE xe;
	ExpectSourceRow(xe, {TXE::kSignature, "XE", 602, 0x200, 1.0f, {}, "C"});
	TOanda oanda;
	ExpectSourceRow(oanda, {TOanda::kSignature, "Oanda", 602, 0x200, 1.0f, {}, "C"});
}

} // namespace
