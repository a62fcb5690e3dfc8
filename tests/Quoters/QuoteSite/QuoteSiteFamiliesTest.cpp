#include "Quoters/Canada/CanadaFamily.h"
#include "Quoters/Nordic/NordicFamily.h"
#include "Quoters/QuoteSite/QuoteSiteFamily.h"
#include "Quoters/QuoteSite/TPCQuoteCom.h"
#include "Quoters/QuoteSite/TQuoteCom.h"
#include "Quoters/TQuoterManager.h"
#include "model/TFund.h"
#include "model/TStock.h"
#include "tests/Quoters/SourcePageKit.h"
#include "tests/support/ModelTestEnvironment.h"

#include <utility>
#include <vector>

namespace
{

constexpr OSType Sig(const char (&code)[5])
{
	return FOUR_CHAR_CODE(code);
}

// The manager with only the quote-site, Canadian and Nordic sources.
class QuoteSiteFamiliesTest : public modeltest::ModelFixture
{
protected:
	void SetUp() override
	{
		TQuoterManager::FinishQuoterManager();
		TQuoterManager::ClearQuoterClasses();
		RegisterQuoteSiteQuoters();
		RegisterCanadianQuoters();
		RegisterNordicQuoters();
		TQuoterManager::InitQuoterManager();
	}
	void TearDown() override
	{
		TQuoterManager::FinishQuoterManager();
		TQuoterManager::LoadQuoterFamilies();
	}

	static std::vector<std::pair<SInt32, OSType>> Items(tMenuItems* items)
	{
		std::vector<std::pair<SInt32, OSType>> out;
		for (tMenuItems* row = items; row->item != kEndOfMenuItems; ++row)
			out.push_back({row->item, OSType(row->value)});
		delete[] items;
		return out;
	}
};

TEST_F(QuoteSiteFamiliesTest, DefaultsAndMenus)
{
	EXPECT_EQ(TQuoterManager::CanadianQuoter(), Sig("GlbM"));
	EXPECT_EQ(TQuoterManager::NGMQuoter(), Sig("NGMk"));
	EXPECT_EQ(TQuoterManager::AktieTorgetQuoter(), Sig("Akti"));
	EXPECT_EQ(TQuoterManager::FundQuoter(), Sig("iMNY"));
	// None of these serves indexes or currency pairs.
	EXPECT_EQ(TQuoterManager::IndexQuoter(), kNoQuoter);
	EXPECT_EQ(TQuoterManager::CurrencyQuoter(), kNoQuoter);
	// The broker's source is complete but never registered.
	EXPECT_EQ(TQuoterManager::GetQuoterBySignature(Sig("eNRT")), nullptr);

	using tItems = std::vector<std::pair<SInt32, OSType>>;
	EXPECT_EQ(
	    Items(TQuoterManager::GetMenuItems(tStockExchange(100))),
	    (tItems{{1, kNoQuoter}, {3, Sig("iMNY")}, {4, Sig("GlbM")}, {5, Sig("PCQt")}, {6, Sig("QTCM")}}));
	EXPECT_EQ(Items(TQuoterManager::GetMenuItems(tStockExchange(850))),
	          (tItems{{1, kNoQuoter}, {3, Sig("NGMk")}}));
	EXPECT_EQ(Items(TQuoterManager::GetMenuItems(securityFund, false)),
	          (tItems{{1, kNoQuoter}, {3, Sig("iMNY")}, {4, Sig("PCQt")}, {5, Sig("QTCM")}}));
	EXPECT_EQ(Items(TQuoterManager::GetMenuItems(securityStock, true)),
	          (tItems{{1, kNoQuoter}, {3, Sig("PCQt")}, {4, Sig("QTCM")}}));

	TStock stock;
	stock.Exchange(851);
	EXPECT_EQ(TQuoterManager::GetQuoterSig(&stock), Sig("Akti"));
	stock.Exchange(200);
	EXPECT_EQ(TQuoterManager::GetQuoterSig(&stock), Sig("GlbM"));
	TFund fund;
	fund.Quoter(Sig("eNRT"));
	EXPECT_FALSE(TQuoterManager::ValidateQuoter(&fund));
	EXPECT_EQ(TQuoterManager::GetQuoterSig(&fund), Sig("iMNY"));
}

TEST_F(QuoteSiteFamiliesTest, RowsOfTheFamilyTable)
{
	TQuoteCom quoteCom;
	sourcekit::ExpectSourceRow(quoteCom, {TQuoteCom::kSignature,
	                                      nullptr,
	                                      599,
	                                      0xC13,
	                                      1.0f,
	                                      {100, 101, 102, 108, 200, 201, 205, 204},
	                                      "SFILN"});
	TPCQuoteCom pcQuote;
	sourcekit::ExpectSourceRow(
	    pcQuote, {TPCQuoteCom::kSignature, "PC Quote", 599, 0xC13, 0.9f, {100, 101, 102}, "SFLN"});
}

} // namespace
