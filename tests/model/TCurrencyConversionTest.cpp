#include "model/TCurrencyConversion.h"

#include "Includes/TCurrencyWatcher.h"
#include "model/TCurrency.h"
#include "model/TCurrencyManager.h"
#include "platform/toolbox/Debugging.h"
#include "tests/support/ModelTestEnvironment.h"

#include <cctype>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace
{

int CurrencyRows()
{
	int n = 0;
	while (TCurrencyConversion::sCurrencies[n].id != kCurrencyUnknown)
		n++;
	return n;
}

std::string DragName(tCurrency currency, unsigned long size = 40)
{
	char buffer[40];
	std::memset(buffer, 'x', sizeof buffer);
	TCurrencyConversion::GetCurrencyDragName(currency, buffer, size);
	return buffer;
}

class CountingWatcher : public TCurrencyWatcher
{
public:
	void UpdateCurrency() override
	{
		mCalls++;
		if (mOnUpdate)
			mOnUpdate();
	}
	int mCalls = 0;
	std::function<void()> mOnUpdate;
};

// Watchers registered by a test are taken out again, so that no test sees another's.
class CurrencyWatchers : public ::testing::Test
{
protected:
	void TearDown() override
	{
		for (CountingWatcher* w : {&mA, &mB, &mC})
			TCurrencyConversion::ClearCurrencyWatchers(w);
	}
	CountingWatcher mA, mB, mC;
};

} // namespace

TEST(CurrencyTable, Holds168CurrenciesWithDistinctCodesAndSymbols)
{
	const int rows = CurrencyRows();
	EXPECT_EQ(rows, 168);
	std::set<tCurrency> codes;
	std::set<std::string> symbols;
	for (int i = 0; i < rows; i++) {
		const tCurrencyEntry& row = TCurrencyConversion::sCurrencies[i];
		EXPECT_TRUE(codes.insert(row.id).second) << row.id;
		ASSERT_NE(row.symbol, nullptr);
		EXPECT_TRUE(symbols.insert(row.symbol).second) << row.symbol;
		EXPECT_EQ(std::strlen(row.symbol), 3u) << row.id;
		for (int k = 0; k < 3; k++)
			EXPECT_TRUE(std::isupper((unsigned char)row.symbol[k])) << row.symbol;
		ASSERT_NE(row.name, nullptr);
		EXPECT_GT(std::strlen(row.name), 0u) << row.id;
		EXPECT_EQ(std::strncmp(row.dragName, "currency", 8), 0) << row.id;
	}
	const tCurrencyEntry& end = TCurrencyConversion::sCurrencies[rows];
	EXPECT_EQ(end.symbol, nullptr);
	EXPECT_EQ(end.name, nullptr);
	EXPECT_STREQ(end.dragName, "currencyUnknown");
}

TEST(CurrencyTable, LooksUpSymbolsAndNamesByCode)
{
	EXPECT_STREQ(TCurrencyConversion::GetCurrencySymbol(100), "USD");
	EXPECT_STREQ(TCurrencyConversion::GetCurrencyName(100), "U.S. Dollar");
	EXPECT_STREQ(TCurrencyConversion::GetCurrencySymbol(103), "ISK");
	EXPECT_STREQ(TCurrencyConversion::GetCurrencyName(316), "(New) Turkish Lira");
	EXPECT_STREQ(TCurrencyConversion::GetCurrencySymbol(455), "AFA");
	EXPECT_STREQ(TCurrencyConversion::GetCurrencyName(603), "Zimbabwe Dollar");
	EXPECT_STREQ(TCurrencyManager::GetCurrencySymbol(850), "XAU");
	EXPECT_STREQ(TCurrencyManager::GetCurrencyName(808), "Tonga Pa'anga");

	for (tCurrency unknown : {tCurrency(0), tCurrency(104), kCurrencyUnknown, tCurrency(65535)}) {
		EXPECT_EQ(TCurrencyConversion::GetCurrencySymbol(unknown), nullptr) << unknown;
		EXPECT_EQ(TCurrencyConversion::GetCurrencyName(unknown), nullptr) << unknown;
		EXPECT_EQ(TCurrencyManager::GetCurrencyName(unknown), nullptr) << unknown;
	}
}

TEST(CurrencyTable, DragNamesFallBackToUnknownAndAreBounded)
{
	EXPECT_EQ(DragName(327), "currencyEuro");
	EXPECT_EQ(DragName(334), "currencyCzech");
	EXPECT_EQ(DragName(132), "currencyTrinidadAndTobago");
	EXPECT_EQ(DragName(999), "currencyUnknown");
	EXPECT_EQ(DragName(kCurrencyUnknown), "currencyUnknown");
	EXPECT_EQ(DragName(100, 9), "currency");

	char buffer[4] = "abc";
	TCurrencyConversion::GetCurrencyDragName(100, buffer, 0);
	EXPECT_STREQ(buffer, "abc");
	const long signals = Debugging::SignalCount();
	TCurrencyConversion::GetCurrencyDragName(100, nullptr, 10);
	EXPECT_EQ(Debugging::SignalCount(), signals + 1);
}

TEST_F(CurrencyWatchers, EachWatcherIsKeptOnceAndToldOnce)
{
	TCurrencyConversion::AddCurrencyWatcher(&mA);
	TCurrencyConversion::AddCurrencyWatcher(&mA);
	TCurrencyConversion::AddCurrencyWatcher(&mB);
	TCurrencyConversion::UpdateWatchers();
	EXPECT_EQ(mA.mCalls, 1);
	EXPECT_EQ(mB.mCalls, 1);

	TCurrencyConversion::ClearCurrencyWatchers(&mA);
	TCurrencyConversion::ClearCurrencyWatchers(&mC);
	TCurrencyConversion::UpdateWatchers();
	EXPECT_EQ(mA.mCalls, 1);
	EXPECT_EQ(mB.mCalls, 2);
	EXPECT_EQ(mC.mCalls, 0);
}

TEST_F(CurrencyWatchers, AWatcherMayChangeTheListWhileBeingTold)
{
	TCurrencyConversion::AddCurrencyWatcher(&mA);
	TCurrencyConversion::AddCurrencyWatcher(&mB);
	TCurrencyConversion::AddCurrencyWatcher(&mC);
	// A leaves and takes B with it; C joins again (no duplicate).
	mA.mOnUpdate = [this] {
		TCurrencyConversion::ClearCurrencyWatchers(&mA);
		TCurrencyConversion::ClearCurrencyWatchers(&mB);
		TCurrencyConversion::AddCurrencyWatcher(&mC);
	};
	TCurrencyConversion::UpdateWatchers();
	EXPECT_EQ(mA.mCalls, 1);
	EXPECT_EQ(mB.mCalls, 0);
	EXPECT_EQ(mC.mCalls, 1);
	TCurrencyConversion::UpdateWatchers();
	EXPECT_EQ(mA.mCalls, 1);
	EXPECT_EQ(mC.mCalls, 2);
}

TEST_F(CurrencyWatchers, NullWatcherIsReportedAndIgnored)
{
	const long signals = Debugging::SignalCount();
	TCurrencyConversion::AddCurrencyWatcher(nullptr);
	TCurrencyConversion::ClearCurrencyWatchers(nullptr);
	EXPECT_EQ(Debugging::SignalCount(), signals + 2);
	TCurrencyConversion::AddCurrencyWatcher(&mA);
	TCurrencyConversion::UpdateWatchers();
	EXPECT_EQ(mA.mCalls, 1);
}

namespace
{

// A list of currency pairs as the plug-in keeps it, handed to the conversion for the test's length.
class CurrencyPairs : public modeltest::ModelFixture
{
protected:
	void SetUp() override { TCurrencyConversion::SetConversionList(&mPairs); }
	void TearDown() override { TCurrencyConversion::SetConversionList(nullptr); }

	TCurrency* AddPair(tCurrency from, tCurrency to, float price)
	{
		auto* pair = new TCurrency;
		pair->CurrencyFrom(from);
		pair->CurrencyTo(to);
		pair->CurrentTradePrice(price);
		mPairs.Append(pair);
		return pair;
	}

	TList<TSecurity> mPairs{false, true};
};

} // namespace

TEST_F(CurrencyPairs, SameCurrencyOrNoListConvertsAtOne)
{
	AddPair(100, 100, 2.0f);
	EXPECT_EQ(TCurrencyConversion::GetConversion(100, 100), 1.0f);
	TCurrencyConversion::SetConversionList(nullptr);
	AddPair(100, 101, 1.25f);
	EXPECT_EQ(TCurrencyConversion::GetConversion(100, 101), 1.0f);
}

TEST_F(CurrencyPairs, UsesTheFirstPairInTheGivenDirectionOnly)
{
	AddPair(300, 100, 1.1f);
	AddPair(100, 101, 1.25f);
	AddPair(100, 101, 9.0f);
	EXPECT_EQ(TCurrencyConversion::GetConversion(100, 101), 1.25f);
	EXPECT_EQ(TCurrencyConversion::GetConversion(101, 100), 1.0f);
	EXPECT_EQ(TCurrencyConversion::GetConversion(300, 101), 1.0f);
	AddPair(101, 100, 0.8f);
	EXPECT_EQ(TCurrencyConversion::GetConversion(101, 100), 0.8f);
}

TEST_F(CurrencyPairs, APairWithoutPriceConvertsAtOneAndHidesLaterPairs)
{
	AddPair(100, 500, kNoValue);
	AddPair(100, 500, 110.0f);
	EXPECT_EQ(TCurrencyConversion::GetConversion(100, 500), 1.0f);
	mPairs.GetFirst()->CurrentTradePrice(0.0f);
	EXPECT_EQ(TCurrencyConversion::GetConversion(100, 500), 0.0f);
}

TEST_F(CurrencyPairs, ConvertingLeavesAWalkOfTheListInPlace)
{
	AddPair(100, 101, 1.25f);
	TCurrency* second = AddPair(100, 300, 0.9f);
	AddPair(100, 500, 110.0f);
	ASSERT_NE(mPairs.GetFirst(), nullptr);
	EXPECT_EQ(TCurrencyConversion::GetConversion(100, 500), 110.0f);
	EXPECT_EQ(mPairs.GetNext(), second);
}

TEST(CurrencyTitles, NamePairsFromTheTableAndLeaveUnknownCodesEmpty)
{
	modeltest::ModelTestEnvironment env;
	TCurrency pair;
	pair.CurrencyFrom(100);
	pair.CurrencyTo(101);
	TCurrencyConversion::SetCurrencyTitles(&pair);
	EXPECT_STREQ(pair.SecurityName(), "U.S. Dollar -> Canadian Dollar");
	EXPECT_STREQ(pair.SecuritySymbol(), "USD,CAD");

	pair.CurrencyFrom(104);
	pair.CurrencyTo(300);
	TCurrencyConversion::SetCurrencyTitles(&pair);
	EXPECT_STREQ(pair.SecurityName(), " -> Euro");
	EXPECT_STREQ(pair.SecuritySymbol(), ",EUR");

	pair.CurrencyTo(kCurrencyUnknown);
	TCurrencyConversion::SetCurrencyTitles(&pair);
	EXPECT_STREQ(pair.SecurityName(), " -> ");
	EXPECT_STREQ(pair.SecuritySymbol(), ",");

	const long signals = Debugging::SignalCount();
	TCurrencyConversion::SetCurrencyTitles(nullptr);
	EXPECT_EQ(Debugging::SignalCount(), signals + 1);
}
