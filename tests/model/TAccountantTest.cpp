#include "model/TAccountant.h"

#include "Includes/NoValue.h"
#include "model/TCurrency.h"
#include "model/TCurrencyConversion.h"
#include "model/TStock.h"
#include "model/UPortfolioFile.h"
#include "tests/support/ModelTestEnvironment.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{

// Stands in for the plug-in's lists: stocks by symbol and exchange; "Other" entries have no security.
std::vector<TStock*> sKnown;
int sLookups = 0;

TSecurity* FindSecurity(const tLedgerEntry* entry)
{
	++sLookups;
	if (entry->type == kOtherTransaction)
		return nullptr;
	for (TStock* stock : sKnown)
		if (std::strcmp(stock->SecuritySymbol(), entry->symbol) == 0)
			return stock;
	return nullptr;
}

struct tCall {
	tPortfolioAction action;
	int count;
};

class AccountantTest : public modeltest::ModelFixture
{
protected:
	void SetUp() override
	{
		TAccountant::SetSecurityFinder(&FindSecurity);
		sLookups = 0;
		TCurrencyConversion::SetConversionList(&mPairs);
		UPortfolioFile::DefaultParameters(&mParameters, 100);
	}
	void TearDown() override
	{
		mAccountant.reset();
		TAccountant::SetSecurityFinder(nullptr);
		TCurrencyConversion::SetConversionList(nullptr);
		sKnown.clear();
	}

	TStock* Stock(const char* symbol, float yesterday, float last)
	{
		auto stock = std::make_unique<TStock>();
		stock->SecuritySymbol(symbol);
		stock->SecurityName(symbol);
		stock->YesterdayClose(yesterday);
		stock->CurrentTradePrice(last);
		sKnown.push_back(stock.get());
		mStocks.push_back(std::move(stock));
		return sKnown.back();
	}

	tLedgerEntry* Entry(UInt8 type, const char* symbol, float units, float price, int day = 1)
	{
		tLedgerEntry entry;
		UPortfolioFile::DefaultEntry(&entry, type, 100, 100);
		std::strcpy(entry.symbol, symbol);
		entry.units = units;
		entry.price = price;
		entry.amount = units;
		entry.date = tVyDateOld{0, 0, 0, 12, SInt16(day), 3, 2024};
		mLedger.Append(&entry);
		return mLedger.GetNth(mLedger.Count());
	}

	tLedgerEntry* Split(const char* symbol, float from, float to)
	{
		tLedgerEntry* entry = Entry(kStockSplit, symbol, 0, 0);
		entry->splitFrom = from;
		entry->splitTo = to;
		return entry;
	}

	TAccountant& Run()
	{
		mAccountant = std::make_unique<TAccountant>();
		mAccountant->SetCallback(
		    [](tPortfolioAction action, void* data, int count) {
			    static_cast<AccountantTest*>(data)->mCalls.push_back({action, count});
		    },
		    this);
		mAccountant->SetLists(&mCategories, &mLedger, &mParameters);
		return *mAccountant;
	}

	// The display row whose symbol is given, not a twin.
	tPortfolioItem* Row(const char* symbol)
	{
		for (long n = 1; tPortfolioItem* row = mAccountant->GetNth(n); ++n)
			if (!row->isCurrencyItem && std::strcmp(row->symbol, symbol) == 0)
				return row;
		return nullptr;
	}

	tPortfolioParameters mParameters;
	TList<tCategory> mCategories{true, true};
	TList<tLedgerEntry> mLedger{true, true};
	TList<TSecurity> mPairs{false, true};
	std::vector<std::unique_ptr<TStock>> mStocks;
	std::unique_ptr<TAccountant> mAccountant;
	std::vector<tCall> mCalls;
};

TEST_F(AccountantTest, SalesKeepTheCostOfTheNewestUnits)
{
	Entry(kStockBuy, "ONE", 10, 5);
	Entry(kStockSell, "ONE", 4, 9);
	Entry(kStockBuy, "TWO", 10, 5);
	Entry(kStockBuy, "TWO", 10, 7);
	Entry(kStockSell, "TWO", 5, 9);
	Run();

	EXPECT_EQ(Row("ONE")->shares, 6);
	EXPECT_EQ(Row("ONE")->originalTotal, 30);
	EXPECT_EQ(Row("ONE")->averageCost, 5);
	EXPECT_EQ(Row("TWO")->shares, 15);
	EXPECT_EQ(Row("TWO")->originalTotal, 95);
	EXPECT_EQ(Row("TWO")->firstBuyPrice, 5);
	EXPECT_EQ(Row("TWO")->lastBuyPrice, 7);
	// Without securities every row stands at its cost.
	EXPECT_EQ(mAccountant->CurrentTotal(), 125);
	EXPECT_EQ(mAccountant->OriginalChange(), 0);
}

TEST_F(AccountantTest, SplitsAndConsolidationsChangeSharesAndSalesAfterThemReduceTheCost)
{
	Entry(kStockBuy, "SPL", 10, 4);
	Split("SPL", 1, 2);
	Entry(kStockBuy, "CON", 10, 4);
	Split("CON", 2, 1);
	Entry(kStockBuy, "SOLD", 10, 4);
	Split("SOLD", 1, 2);
	Entry(kStockBuy, "SOLD", 10, 3);
	Entry(kStockSell, "SOLD", 15, 5);
	Run();

	EXPECT_EQ(Row("SPL")->shares, 20);
	EXPECT_EQ(Row("SPL")->averageCost, 2);
	EXPECT_TRUE(Row("SPL")->split);
	EXPECT_EQ(Row("CON")->shares, 5);
	EXPECT_EQ(Row("CON")->averageCost, 8);
	EXPECT_TRUE(Row("CON")->consolidated);
	// 15 held: the 10 bought at 3 after the split, then 5 of the 20 split units, which cost 2 each.
	EXPECT_EQ(Row("SOLD")->shares, 15);
	EXPECT_EQ(Row("SOLD")->originalTotal, 40);
}

TEST_F(AccountantTest, OtherEntriesAddUnitsAtNoCostAndNeverLookForASecurity)
{
	TStock* other = Stock("GIFT", 1, 1);
	Entry(kStockBuy, "PLAIN", 10, 5);
	Entry(kOtherTransaction, "PLAIN", 3, 0);
	Entry(kOtherTransaction, "GIFT", 4, 0);
	Run();

	EXPECT_EQ(Row("PLAIN")->shares, 13);
	EXPECT_EQ(Row("PLAIN")->originalTotal, 50);
	EXPECT_EQ(Row("GIFT")->shares, 4);
	EXPECT_EQ(Row("GIFT")->security, nullptr);
	EXPECT_EQ(other->WatcherCount(), 0);
}

TEST_F(AccountantTest, ValuesHoldingsAtTheirQuotesAndMissingPricesAtCost)
{
	Stock("UP", 6, 7);
	Stock("NONE", kNoValue, kNoValue);
	Stock("FREE", 1, 2);
	Entry(kStockBuy, "UP", 10, 5);
	Entry(kStockBuy, "NONE", 4, 5);
	Entry(kStockBuy, "FREE", 10, 0);
	Run();

	tPortfolioItem* up = Row("UP");
	EXPECT_STREQ(up->name, "UP (UP)");
	EXPECT_EQ(up->currentTotal, 70);
	EXPECT_EQ(up->yesterdaysTotal, 60);
	EXPECT_EQ(up->originalChange, 20);
	EXPECT_EQ(up->yesterdaysChange, 10);
	EXPECT_EQ(Row("NONE")->currentPrice, 5);
	EXPECT_EQ(Row("NONE")->originalChange, 0);

	EXPECT_EQ(mAccountant->OriginalTotal(), 70);
	EXPECT_EQ(mAccountant->CurrentTotal(), 70 + 20 + 20);
	EXPECT_EQ(mAccountant->YesterdaysTotal(), 60 + 20 + 10);
	EXPECT_FLOAT_EQ(mAccountant->OriginalPercent(), 100.0f * 40 / 70);
	EXPECT_EQ(TAccountant::PercentChange(20, 0), 0);

	ASSERT_FALSE(mCalls.empty());
	EXPECT_EQ(mCalls.back().action, kPortfolioRowsChanged);
	EXPECT_EQ(mCalls.back().count, 3);
	EXPECT_EQ(mCalls[mCalls.size() - 2].action, kPortfolioTotalsChanged);
}

TEST_F(AccountantTest, ForeignHoldingsGetATwinInTheBaseCurrencyCoveringEveryEntry)
{
	auto* pair = new TCurrency;
	pair->CurrencyFrom(300);
	pair->CurrencyTo(100);
	pair->CurrentTradePrice(2.0f);
	mPairs.Append(pair);
	Stock("EUR", 9, 10);
	Entry(kStockBuy, "EUR", 10, 5);
	tLedgerEntry* foreign = Entry(kStockBuy, "EUR", 10, 6);
	foreign->foreign = 1;
	foreign->currency = 300;
	foreign->rate = 2.0f;
	Stock("ODD", 1, 1);
	tLedgerEntry* odd = Entry(kStockBuy, "ODD", 1, 1);
	odd->foreign = 1;
	odd->currency = 999;
	Run();

	tPortfolioItem* row = Row("EUR");
	ASSERT_NE(row, nullptr);
	tPortfolioItem* twin = row->currencyItem;
	ASSERT_NE(twin, nullptr);
	EXPECT_EQ(mAccountant->GetNth(1), twin);
	EXPECT_EQ(row->originalTotal, 110);
	EXPECT_EQ(twin->shares, 20);
	EXPECT_EQ(twin->originalTotal, 50 + 120);
	EXPECT_EQ(twin->currentTotal, 20 * 10 * 2.0f);
	EXPECT_EQ(std::string(row->name),
	          "EUR (EUR) - " + std::string(TCurrencyConversion::GetCurrencyName(300)));
	EXPECT_EQ(std::string(twin->name),
	          "EUR (EUR) - " + std::string(TCurrencyConversion::GetCurrencyName(100)));
	// A currency without a name gives an empty one.
	EXPECT_STREQ(Row("ODD")->name, "ODD (ODD) - ");
	EXPECT_EQ(mAccountant->CurrentTotal(), 400 + 1);

	// A sale reduces the twin's cost too: 5 left, all from the foreign buy at 6 x 2.
	Entry(kStockSell, "EUR", 15, 10);
	mAccountant->UpdateLists(true, false);
	EXPECT_EQ(Row("EUR")->currencyItem->originalTotal, 60);

	pair->CurrentTradePrice(3.0f);
	TCurrencyConversion::UpdateWatchers();
	EXPECT_EQ(Row("EUR")->currencyItem->currentTotal, 5 * 10 * 3.0f);
}

TEST_F(AccountantTest, DateRangeCategoriesAndZeroHoldingsShapeTheRows)
{
	Stock("INSIDE", 1, 1);
	Stock("GONE", 1, 1);
	Entry(kStockBuy, "EARLY", 1, 1, 1);
	Entry(kStockBuy, "INSIDE", 1, 1, 10);
	Entry(kStockBuy, "GONE", 1, 1, 10);
	Entry(kStockSell, "GONE", 1, 1, 11);
	tLedgerEntry* grouped = Entry(kStockBuy, "GROUPED", 2, 1, 12);
	Entry(kStockBuy, "LATE", 1, 1, 30);
	tCategory category;
	UPortfolioFile::DefaultCategory(&category, "Long term");
	category.open = 1;
	mCategories.Append(&category);
	UPortfolioFile::AssignSignature(&mCategories, mCategories.GetNth(1));
	grouped->category = mCategories.GetNth(1)->signature;
	mParameters.allDates = 0;
	mParameters.rangeStart = tVyDateOld{0, 0, 0, 0, 5, 3, 2024};
	mParameters.rangeEnd = tVyDateOld{0, 0, 0, 0, 20, 3, 2024};
	mParameters.showZeroHoldings = 0;
	Run();

	EXPECT_EQ(Row("EARLY"), nullptr);
	EXPECT_EQ(Row("LATE"), nullptr);
	EXPECT_EQ(Row("GONE"), nullptr);
	ASSERT_NE(Row("INSIDE"), nullptr);
	EXPECT_FALSE(Row("GROUPED")->inCategory);

	mParameters.groupByCategory = 1;
	mParameters.showZeroHoldings = 1;
	mAccountant->UpdateLists(true, false);
	EXPECT_NE(Row("GONE"), nullptr);
	tPortfolioItem* top = mAccountant->GetNth(1);
	ASSERT_TRUE(top->isCategory);
	EXPECT_EQ(mAccountant->GetNth(2), Row("GROUPED"));
	EXPECT_TRUE(Row("GROUPED")->inCategory);
	EXPECT_EQ(top->currentTotal, 2);
	EXPECT_EQ(mAccountant->CurrentTotal(), 3);
	top->enabled = 0;
	mAccountant->RecalculateTotals();
	EXPECT_EQ(mAccountant->CurrentTotal(), 1);

	mAccountant->SortDirection(true);
	mAccountant->SortList(kSortName);
	EXPECT_TRUE(mAccountant->GetNth(1)->isCategory);
	EXPECT_STREQ(mAccountant->GetNth(3)->symbol, "INSIDE");
	EXPECT_STREQ(mAccountant->GetNth(4)->symbol, "GONE");
	mAccountant->SortDirection(false);
	mAccountant->SortList(kSortName);
	EXPECT_STREQ(mAccountant->GetNth(1)->symbol, "GONE");
}

TEST_F(AccountantTest, WatchesOnlyTheSecuritiesItValuesAndLetsGoOfAllOfThem)
{
	TStock* kept = Stock("KEPT", 1, 2);
	TStock* dropped = Stock("DROP", 1, 2);
	Entry(kStockBuy, "KEPT", 1, 1);
	tLedgerEntry* entry = Entry(kStockBuy, "DROP", 1, 1);
	entry->foreign = 1;
	entry->currency = 300;
	Run();
	EXPECT_EQ(kept->WatcherCount(), 1);
	EXPECT_EQ(dropped->WatcherCount(), 1);

	mLedger.Remove(entry);
	mAccountant->UpdateLists(true, false);
	EXPECT_EQ(dropped->WatcherCount(), 0);

	kept->CurrentTradePrice(5);
	mCalls.clear();
	kept->EndUpdateWatchers();
	EXPECT_EQ(Row("KEPT")->currentTotal, 5);
	EXPECT_FALSE(mCalls.empty());

	// A revert replaces the accountant: the old one must leave no watcher behind.
	Run();
	EXPECT_EQ(kept->WatcherCount(), 1);
	mAccountant.reset();
	EXPECT_EQ(kept->WatcherCount(), 0);
}

TEST_F(AccountantTest, ARemovedSecurityIsForgottenByRowAndTwin)
{
	Stock("GONE", 1, 4);
	tLedgerEntry* entry = Entry(kStockBuy, "GONE", 2, 1);
	entry->foreign = 1;
	entry->currency = 300;
	Run();
	// Destroying the security tells its watchers.
	mStocks.clear();
	sKnown.clear();
	tPortfolioItem* row = Row("GONE");
	ASSERT_NE(row, nullptr);
	EXPECT_EQ(row->security, nullptr);
	EXPECT_EQ(row->currencyItem->security, nullptr);
	EXPECT_EQ(row->currentTotal, 2);
	mAccountant->UpdateCurrency();
	mAccountant.reset();
}

TEST_F(AccountantTest, WorksWithoutACallback)
{
	Entry(kStockBuy, "ANY", 1, 1);
	TAccountant accountant;
	accountant.SetLists(&mCategories, &mLedger, &mParameters);
	EXPECT_EQ(accountant.CountRows(), 1);
	EXPECT_EQ(accountant.GetNth(2), nullptr);
	EXPECT_EQ(accountant.GetNth(0), nullptr);
}

} // namespace

namespace
{

// Stock entries meet the first row of their symbol (letter case aside) on their exchange; other entries
// the first row of their symbol on any exchange. Each security is looked for once per rebuild, however many
// entries name it.
TEST_F(AccountantTest, EntriesMeetTheirRowBySymbolAndStocksAlsoByExchange)
{
	Stock("IBM", 1, 2);
	Entry(kStockBuy, "IBM", 1, 1);
	Entry(kStockBuy, "ibm", 2, 1);
	Entry(kStockBuy, "IBM", 4, 1)->exchange = 101;
	Entry(kFundBuy, "Ibm", 8, 1)->exchange = 555;
	Entry(kFundBuy, "SGF", 16, 1)->exchange = 901;
	Entry(kFundBuy, "sgf", 32, 1)->exchange = 900;
	Entry(kStockBuy, "SGF", 64, 1)->exchange = 901;
	Entry(kStockBuy, "SGF", 128, 1);
	for (int i = 0; i < 50; ++i)
		Entry(kStockBuy, "NOPE", 1, 1);
	mParameters.showZeroHoldings = 1;
	Run();

	std::vector<std::pair<std::string, float>> rows;
	for (long n = 1; tPortfolioItem* row = mAccountant->GetNth(n); ++n)
		rows.emplace_back(std::string(row->symbol) + "@" + std::to_string(row->exchange),
		                  row->shares);
	const std::vector<std::pair<std::string, float>> expected = {
	    {"IBM@100", 11}, {"IBM@101", 4}, {"SGF@901", 112}, {"SGF@100", 128}, {"NOPE@100", 50}};
	EXPECT_EQ(rows, expected);
	EXPECT_EQ(Row("IBM")->security, sKnown[0]);
	EXPECT_EQ(Row("NOPE")->security, nullptr);
	EXPECT_LE(sLookups, 8) << "the unknown security is looked for once, not once per entry";
	EXPECT_EQ(mAccountant->UnknownEntries().size(), 56u) << "every entry the finder does not know";
}

} // namespace
