#include "Quoters/TQuoterManager.h"
#include "Quoters/Yahoo/TYahooAustralia.h"
#include "Quoters/Yahoo/TYahooInternational.h"
#include "Quoters/Yahoo/TYahooJapan.h"
#include "model/TFund.h"
#include "model/TStock.h"
#include "tests/Quoters/SourcePageKit.h"
#include "tests/support/ModelTestEnvironment.h"

#include <gtest/gtest.h>

namespace
{

class YahooRegionalFamilyTest : public modeltest::ModelFixture
{
protected:
	YahooRegionalFamilyTest()
	{
		TQuoterManager::FinishQuoterManager();
		TQuoterManager::LoadQuoterFamilies();
		TQuoterManager::InitQuoterManager();
	}
	~YahooRegionalFamilyTest() override { TQuoterManager::FinishQuoterManager(); }

	static OSType SourceOfStock(tStockExchange exchange)
	{
		TStock stock;
		stock.Exchange(exchange);
		return TQuoterManager::GetQuoterSig(&stock);
	}
};

TEST_F(YahooRegionalFamilyTest, RegisteredSourcesServeTheirMarkets)
{
	for (OSType signature :
	     {TYahooInternational::kSignature, TYahooAustralia::kSignature, TYahooJapan::kSignature}) {
		TQuoter* quoter = TQuoterManager::GetQuoterBySignature(signature);
		ASSERT_NE(quoter, nullptr);
		EXPECT_EQ(quoter->GetSig(), signature);
	}
	EXPECT_EQ(TQuoterManager::AustralianQuoter(), TYahooAustralia::kSignature);
	EXPECT_EQ(SourceOfStock(400), TYahooAustralia::kSignature);
	EXPECT_EQ(SourceOfStock(500), TYahooJapan::kSignature);
	// Exchanges no source lists, and those only the international source lists, go to it.
	EXPECT_EQ(SourceOfStock(106), TYahooInternational::kSignature);
	EXPECT_EQ(SourceOfStock(650), TYahooInternational::kSignature);

	// Only the lookup bit of the Japanese source is tested by the manager.
	EXPECT_TRUE(TQuoterManager::LookupQuoter(securityStock, TYahooJapan::kSignature));
	EXPECT_TRUE(TQuoterManager::LookupQuoter(securityFund, TYahooAustralia::kSignature));
	char name[32];
	TQuoterManager::GetQuoterName(TYahooInternational::kSignature, name, sizeof name);
	EXPECT_STREQ(name, "Yahoo! Int'l");
}

TEST_F(YahooRegionalFamilyTest, RowsOfTheRegionalSources)
{
	TYahooInternational international;
	sourcekit::ExpectSourceRow(international, {TYahooInternational::kSignature,
	                                           "Yahoo! Int'l",
	                                           599,
	                                           0xD7F,
	                                           2.0f,
	                                           {400, 750, 650, 104, 651, 751, 604, 606, 605, 752, 401,
	                                            652, 754, 502, 753, 503, 504, 600, 601, 350, 603},
	                                           "SFILN"});
	// Offered for funds and indexes by its features, yet it parses neither.
	TYahooAustralia australia;
	sourcekit::ExpectSourceRow(
	    australia, {TYahooAustralia::kSignature, "Yahoo! Aus.", 599, 0xD7F, 2.0f, {400}, "SLN"});
	TYahooJapan japan;
	sourcekit::ExpectSourceRow(japan,
	                           {TYahooJapan::kSignature, "Yahoo! Japan", 599, 0x400, 2.0f, {500}, "SLN"});
}

} // namespace
