#include "app/TStockContentTree.h"
#include "model/TFund.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "tests/support/ModelTestEnvironment.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace
{

class StockContentTreeTest : public modeltest::ModelFixture
{
protected:
	void SetUp() override
	{
		mEnv.SetStockCString(0, "Securities");
		mEnv.SetStockCString(1, "Stocks");
		mEnv.SetStockCString(2, "Funds");
		mEnv.SetStockCString(3, "Indexes");
		mEnv.SetStockCString(4, "Currencies");
		mTree = std::make_unique<TStockContentTree>();
		mTree->SetList(securityStock, &mStocks);
		mTree->SetList(securityFund, &mFunds);
		mTree->SetList(securityIndex, &mIndexes);
		mTree->SetList(securityCurrency, &mCurrencies);
		mTree->SetList(999, &mStocks);
	}
	void TearDown() override { mTree.reset(); }

	TStock* AddStock(const char* name, const char* symbol)
	{
		auto* stock = new TStock();
		UZVUtils::DefaultStock(stock, name, symbol, 101);
		mStocks.Append(stock);
		return stock;
	}

	IContentDescription* Group(short i) { return mTree->GetRootNode()->GetChild(i); }

	TList<TSecurity> mStocks{false, true};
	TList<TSecurity> mFunds{false, true};
	TList<TSecurity> mIndexes{false, true};
	TList<TSecurity> mCurrencies{false, true};
	std::unique_ptr<TStockContentTree> mTree;
};

TEST_F(StockContentTreeTest, GroupsOfTheKindsSwitchedOnWithOneLeafPerSecurity)
{
	AddStock("", "EMPTY");
	AddStock("Intel", "INTC");
	auto* fund = new TFund();
	UZVUtils::DefaultSecurity(fund, "Magellan", "FMAGX", kNoQuoter);
	mFunds.Append(fund);
	mEnv.mPrefs.fundsOn = 0;
	const UInt32 seed = mTree->GetTreeSeed();
	mTree->UpdateTree();
	EXPECT_NE(mTree->GetTreeSeed(), seed);

	IContentDescription* root = mTree->GetRootNode();
	EXPECT_STREQ(root->GetDescription(), "Securities");
	ASSERT_EQ(root->GetNumChildren(), 3);
	EXPECT_STREQ(Group(0)->GetDescription(), "Stocks");
	EXPECT_STREQ(Group(1)->GetDescription(), "Indexes");
	EXPECT_STREQ(Group(2)->GetDescription(), "Currencies");
	EXPECT_EQ(root->GetChild(3), nullptr);
	ASSERT_EQ(Group(0)->GetNumChildren(), 2);
	EXPECT_STREQ(Group(0)->GetChild(0)->GetDescription(), " EMPTY");
	EXPECT_STREQ(Group(0)->GetChild(1)->GetDescription(), "Intel INTC");
	EXPECT_EQ(Group(0)->GetChild(0)->GetNumChildren(), 0);

	// A ticker never asked about is remembered as not chosen.
	EXPECT_FALSE(Group(1)->GetActive(42));
	EXPECT_FALSE(Group(1)->GetActive(42));
}

TEST_F(StockContentTreeTest, AWholeGroupChosenForATickerTakesSecuritiesAddedLater)
{
	modeltest::FakeTicker* ticker = mEnv.OpenTicker(5);
	TStock* intel = AddStock("Intel", "INTC");
	mTree->UpdateTree();
	IContentDescription* leaf = Group(0)->GetChild(0);
	leaf->SetActive(5, true);
	EXPECT_TRUE(intel->IsActiveTicker(5));
	EXPECT_TRUE(leaf->GetActive(5));
	Group(0)->SetActive(5, true);

	TStock* amd = AddStock("AMD", "AMD");
	EXPECT_FALSE(amd->IsActiveTicker(5));
	mTree->UpdateTree();
	EXPECT_TRUE(amd->IsActiveTicker(5));
	EXPECT_EQ(ticker->mShown.size(), 2u);

	Group(0)->GetChild(1)->SetActive(5, false);
	EXPECT_FALSE(amd->IsActiveTicker(5));
}

TEST_F(StockContentTreeTest, ALeafKeepsItsReferenceAndAGoneSecurityTakesItsAlong)
{
	TStock* first = AddStock("First", "ONE");
	AddStock("Second", "TWO");
	mTree->UpdateTree();
	const UInt32 firstRef = Group(0)->GetChild(0)->GetPluginRef();
	const UInt32 secondRef = Group(0)->GetChild(1)->GetPluginRef();
	const UInt32 groupRef = Group(0)->GetPluginRef();
	EXPECT_NE(firstRef, secondRef);
	mTree->UpdateTree();
	EXPECT_EQ(Group(0)->GetChild(0)->GetPluginRef(), firstRef);
	EXPECT_EQ(Group(0)->GetPluginRef(), groupRef);

	// The first security goes; its leaf stands for nothing until the rebuild drops it.
	IContentDescription* stale = Group(0)->GetChild(0);
	mStocks.Remove(first);
	EXPECT_FALSE(stale->GetActive(1));
	stale->SetActive(1, true);

	// However the allocator reuses memory, a new security never gets a reference given before.
	std::set<UInt32> seen{firstRef, secondRef, groupRef};
	for (int i = 0; i < 20; ++i) {
		TStock* stock = AddStock("Again", "AGN");
		mTree->UpdateTree();
		const UInt32 ref = Group(0)->GetChild(1)->GetPluginRef();
		EXPECT_TRUE(seen.insert(ref).second) << ref;
		EXPECT_EQ(Group(0)->GetChild(0)->GetPluginRef(), secondRef);
		mStocks.Remove(stock);
	}
}

} // namespace
