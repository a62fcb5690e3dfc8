#include "Quoters/Yahoo/UYahoo.h"

#include "Quoters/QuoterFamilies.h"
#include "Quoters/TQuoterHosts.h"
#include "Quoters/TQuoterManager.h"
#include "Quoters/Yahoo/TYahooEurope.h"
#include "Quoters/Yahoo/TYahooUS.h"
#include "model/TStock.h"
#include "tests/Quoters/SourcePageKit.h"
#include "tests/support/ModelTestEnvironment.h"

#include <cstring>
#include <string>
#include <vector>

using namespace sourcekit;

namespace
{

struct tRow {
	const char* symbol;
	const char* name;
	const char* exchangeText;
	tStockExchange exchange;
};

void ExpectRows(const std::vector<tLookupEntry>& rows, const std::vector<tRow>& expected)
{
	ASSERT_EQ(rows.size(), expected.size());
	for (size_t i = 0; i < rows.size(); i++) {
		SCOPED_TRACE(expected[i].symbol);
		EXPECT_STREQ(rows[i].symbol, expected[i].symbol);
		EXPECT_STREQ(rows[i].name, expected[i].name);
		EXPECT_STREQ(rows[i].exchangeText, expected[i].exchangeText);
		EXPECT_EQ(rows[i].exchange, expected[i].exchange);
		EXPECT_EQ(rows[i].quoter, FOUR_CHAR_CODE("YaUS"));
		EXPECT_EQ(rows[i].marked, 0);
		EXPECT_EQ(rows[i].added, 0);
	}
}

bool Lookup(const char* file, RecordingLookupList& list, tSecurityType type)
{
	std::vector<char> page = ReadPage("Yahoo", file);
	bool more = true;
	const bool answer =
	    UYahoo::Lookup(page.data(), long(page.size()), &list, type, more, FOUR_CHAR_CODE("YaUS"));
	EXPECT_FALSE(more);
	return answer;
}

TEST(UYahooLookupTest, ResultPagesAppendTheirRowsToOneList)
{
	RecordingLookupList list;
	// Heading rows and rows of other tables are not results; the suffix that names the exchange is cut.
	EXPECT_TRUE(Lookup("lookup_stocks_1.html", list, securityStock));
	EXPECT_TRUE(Lookup("lookup_stocks_2.html", list, securityStock));
	ExpectRows(list.rows, {
	                          {"ABC", "ABC Holdings PLC", "London", 300},
	                          {"SAN", "Exemplo Banco S.A.", "Madrid MC", 317},
	                          {"TEF", "Telefonos Ejemplo", "madrid", 304},
	                          {"T", "AT&T Inc.", "NYSE", 100},
	                          {"SAP", "Beispiel Software AG", "", 321},
	                          {"QQQ", "Sample Trust", "", 900},
	                          {"MSFT", "Example Software Corp", "NasdaqGS", 101},
	                          {"XYZ.QQ", "Unknown Suffix Ltd", "Elsewhere", 900},
	                      });
}

TEST(UYahooLookupTest, FundsKeepTheirSuffix)
{
	RecordingLookupList list;
	EXPECT_TRUE(Lookup("lookup_funds.html", list, securityFund));
	ExpectRows(list.rows, {{"ABC.L", "ABC Income Fund", "London", 300},
	                       {"SGFDX", "Sample Growth Fund", "NMS", 101}});
}

TEST(UYahooLookupTest, PageWithoutResults)
{
	RecordingLookupList list;
	EXPECT_TRUE(Lookup("lookup_none.html", list, securityStock));
	EXPECT_TRUE(list.rows.empty());
}

TEST(UYahooGuessTest, ExchangeFromTheTextOrTheSuffix)
{
	struct {
		const char* symbol;
		const char* text;
		bool strip;
		tStockExchange exchange;
		const char* result;
	} const cases[] = {
	    {"ABC.L", "London", true, 300, "ABC"},
	    {"ABC.L", "London", false, 300, "ABC.L"},
	    // The whole name wins over a shorter one that starts it.
	    {"SAN.MC", "Madrid MC", true, 317, "SAN"},
	    {"BAR.MA", "MADRID", true, 304, "BAR"},
	    // Any suffix of the named exchange is cut.
	    {"BAR.BC", "Barcelona", true, 310, "BAR"},
	    // A suffix that only starts another is not the exchange's.
	    {"ABC.L", "Lisbon", true, 325, "ABC.L"},
	    {"ABC.LS", "London", true, 300, "ABC.LS"},
	    // A symbol without a '.' next to a named exchange.
	    {"XYZ", "Madrid MC", true, 317, "XYZ"},
	    {"MSFT", "NasdaqGS", true, 101, "MSFT"},
	    // No named exchange: the suffix alone, of exactly its length, in any case.
	    {"SAP.de", "", true, 321, "SAP"},
	    {"X.TWO", "", true, 601, "X"},
	    {"X.TW", "", false, 600, "X.TW"},
	    {"ABC.L", "Elsewhere", true, 300, "ABC"},
	    {"QQQ", "", true, 900, "QQQ"},
	    {".L", "", true, 900, ".L"},
	    {"", "", true, 900, ""},
	};
	for (const auto& c : cases) {
		SCOPED_TRACE(std::string(c.symbol) + " / " + c.text);
		tLookupEntry entry;
		std::strcpy(entry.symbol, c.symbol);
		std::strcpy(entry.exchangeText, c.text);
		UYahoo::GuessAtExchange(&entry, c.strip);
		EXPECT_EQ(entry.exchange, c.exchange);
		EXPECT_STREQ(entry.symbol, c.result);
	}
}

TEST(UYahooLookupTest, SearchAddresses)
{
	TQuoterHosts::SetHost(FOUR_CHAR_CODE("YaUS"), TQuoterHosts::hostLookup, "search.test");
	char url[256];
	UYahoo::GetLookup(securityStock, "general motors", 1, url, sizeof url);
	EXPECT_STREQ(url, "http://search.test/lookup?m=&s=general%20motors&t=S");
	UYahoo::GetLookup(securityIndex, "GM", 3, url, sizeof url);
	EXPECT_STREQ(url, "http://search.test/lookup?m=&s=GM&t=S&b=100");
	UYahoo::GetLookup(securityFund, "AT&T", 0, url, sizeof url);
	EXPECT_STREQ(url, "http://search.test/lookup?s=AT%26T&t=M&m=");
	UYahoo::GetLookup(securityFund, "AT&T", 2, url, sizeof url);
	EXPECT_STREQ(url, "http://search.test/lookup?s=AT%26T&t=M&m=&b=50");

	// Through the source, and within the buffer's size.
	TYahooUS source;
	char small[20];
	source.GetLookup(securityStock, const_cast<char*>("GM"), 1, small, sizeof small);
	EXPECT_STREQ(small, "http://search.test/");
	TQuoterHosts::ResetHosts();
}

class YahooFamilyTest : public modeltest::ModelFixture
{
};

TEST_F(YahooFamilyTest, HeadlineListsOfQuotePages)
{
	struct {
		const char* page;
		bool answer;
		std::vector<std::string> headlines;
	} const cases[] = {
	    // The feed link opens the list; the list ends at its "more" link.
	    {"us_stock_nyse.html", true, {"IBM wins a large contract", "IBM results beat estimates"}},
	    // Heading in any case; the list ends at the blogs; a link without a host is not kept.
	    {"news_case.html", true, {"First & only story"}},
	    {"news_none.html", false, {}},
	    {"us_currency.html", false, {}},
	};
	for (const auto& c : cases) {
		SCOPED_TRACE(c.page);
		std::vector<char> page = ReadPage("Yahoo", c.page);
		TStock stock;
		EXPECT_EQ(UYahoo::News(page.data(), long(page.size()), &stock), c.answer);
		EXPECT_EQ(Headlines(stock), c.headlines);
	}
	std::vector<char> page = ReadPage("Yahoo", "us_stock_nyse.html");
	TStock stock;
	UYahoo::News(page.data(), long(page.size()), &stock);
	EXPECT_STREQ(stock.GetNewsList()->GetNth(1)->url, "http://news.example.com/ibm/contract.html");
}

TEST_F(YahooFamilyTest, RegisteredAsTheDefaultAmericanEuropeanAndIndexSources)
{
	struct tRestore {
		~tRestore()
		{
			TQuoterManager::FinishQuoterManager();
			TQuoterManager::LoadQuoterFamilies();
		}
	} restore;
	TQuoterManager::FinishQuoterManager();
	TQuoterManager::ClearQuoterClasses();
	RegisterYahooQuoters();
	RegisterCurrencyQuoters();
	TQuoterManager::InitQuoterManager();
	EXPECT_EQ(TQuoterManager::AmericanQuoter(), FOUR_CHAR_CODE("YaUS"));
	EXPECT_EQ(TQuoterManager::EuropeanQuoter(), FOUR_CHAR_CODE("YaEU"));
	EXPECT_EQ(TQuoterManager::IndexQuoter(), FOUR_CHAR_CODE("YaUS"));
	ASSERT_NE(TQuoterManager::GetQuoterBySignature(FOUR_CHAR_CODE("YaUS")), nullptr);
	EXPECT_STREQ(TQuoterManager::GetQuoterBySignature(FOUR_CHAR_CODE("YaUS"))->GetName(), "Yahoo US");
	ASSERT_NE(TQuoterManager::GetQuoterBySignature(FOUR_CHAR_CODE("YaEU")), nullptr);
	EXPECT_STREQ(TQuoterManager::GetQuoterBySignature(FOUR_CHAR_CODE("YaEU"))->GetName(),
	             "Yahoo! Europe");
	EXPECT_EQ(TQuoterManager::CurrencyQuoter(), FOUR_CHAR_CODE("XExe"));
	EXPECT_EQ(TQuoterManager::GetQuoterBySignature(FOUR_CHAR_CODE("Oand")), nullptr);
	TStock stock;
	stock.Exchange(307);
	EXPECT_EQ(TQuoterManager::GetQuoterSig(&stock), FOUR_CHAR_CODE("YaEU"));
}

TEST_F(YahooFamilyTest, RowsOfTheUSAndEuropeanSources)
{
	TYahooUS us;
	ExpectSourceRow(
	    us,
	    {FOUR_CHAR_CODE("YaUS"), "Yahoo US", 599, 0xD7F, 2.0f, {100, 101, 102, 200, 201, 205}, "SFICLN"});
	TYahooEurope europe;
	ExpectSourceRow(europe, {FOUR_CHAR_CODE("YaEU"),
	                         "Yahoo! Europe",
	                         599,
	                         0xD7F,
	                         2.0f,
	                         {305, 310, 311, 312, 313, 308, 322, 324, 314, 301, 315, 316, 325, 300,
	                          304, 317, 303, 318, 309, 302, 306, 319, 320, 323, 326, 321, 307},
	                         "SFILN"});
}

TEST_F(YahooFamilyTest, SuffixAndCodeOfTheFirstRowOfAnExchange)
{
	// Exchanges with two rows take the first one's suffix.
	const struct {
		tStockExchange exchange;
		const char* suffix;
		const char* code;
	} cases[] = {{310, ".BCN", "BC"},     {312, ".BIL", "BI"},     {304, ".MAD", "MA"},
	             {320, ".VAL", "VA"},     {321, ".DE", nullptr},   {307, ".S", "S"},
	             {317, ".MC", "MC"},      {600, ".TW", nullptr},   {400, ".AX", nullptr},
	             {100, nullptr, nullptr}, {101, nullptr, nullptr}, {102, nullptr, nullptr},
	             {900, nullptr, nullptr}, {901, nullptr, nullptr}};
	for (const auto& c : cases) {
		SCOPED_TRACE(c.exchange);
		const char* suffix = UYahoo::GetExchangeSuffix(c.exchange);
		const char* code = UYahoo::GetExchangeCode(c.exchange);
		EXPECT_EQ(std::string(suffix ? suffix : "(none)"),
		          std::string(c.suffix ? c.suffix : "(none)"));
		EXPECT_EQ(std::string(code ? code : "(none)"), std::string(c.code ? c.code : "(none)"));
	}
}

} // namespace
