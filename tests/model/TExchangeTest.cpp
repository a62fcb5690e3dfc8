#include "model/TExchange.h"

#include "platform/toolbox/Debugging.h"

#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace
{

template <class Row> int Rows(const Row* table)
{
	int n = 0;
	while (table[n].id != kEndOfTable)
		n++;
	return n;
}

std::string ExchangeName(tStockExchange id, int size = 64)
{
	char buffer[64];
	std::memset(buffer, 'x', sizeof buffer);
	TExchange::GetExchangeName(id, buffer, size);
	return buffer;
}

} // namespace

TEST(ExchangeTable, HoldsSeventyExchangesWithDistinctCodesAndNames)
{
	const int rows = Rows(ExchangeTable);
	EXPECT_EQ(rows, 70);
	std::set<tStockExchange> codes;
	for (int i = 0; i < rows; i++) {
		const tExchangeEntry& row = ExchangeTable[i];
		EXPECT_TRUE(codes.insert(row.id).second) << row.id;
		EXPECT_GT(std::strlen(row.name), 0u) << row.id;
		EXPECT_EQ(std::strncmp(row.dragName, "exchange", 8), 0) << row.id;
		EXPECT_EQ(row.fractions, 0) << row.id;
	}
	EXPECT_EQ(ExchangeTable[0].id, 100);
	EXPECT_EQ(ExchangeTable[rows - 1].id, kExchangeUnknown);
	EXPECT_STREQ(ExchangeTable[rows].name, "Unknown");
}

TEST(IndexTables, HoldTheSameFiftyFourIndexesInTheSameOrder)
{
	ASSERT_EQ(Rows(IndexTable), 54);
	ASSERT_EQ(Rows(IndexDefinitions), 54);
	std::set<tIndex> codes;
	for (int i = 0; i <= 54; i++) {
		EXPECT_EQ(IndexTable[i].id, IndexDefinitions[i].id) << i;
		EXPECT_TRUE(codes.insert(IndexTable[i].id).second) << IndexTable[i].id;
		if (i < 54) {
			EXPECT_EQ(IndexDefinitions[i].symbol[0], '^') << IndexTable[i].id;
		}
	}
	EXPECT_STREQ(IndexTable[54].name, "Unknown");
	EXPECT_STREQ(IndexDefinitions[54].symbol, "Unknown");
}

TEST(TExchangeNames, KnownCodesGiveTheirNamesAndUnknownOnesAnEmptyText)
{
	EXPECT_EQ(ExchangeName(100), "NYSE");
	EXPECT_EQ(ExchangeName(317), "Madrid (MC)");
	EXPECT_EQ(ExchangeName(851), "AktieTorget");
	EXPECT_EQ(ExchangeName(900), "Unknown");
	EXPECT_EQ(ExchangeName(999), "");
	EXPECT_EQ(ExchangeName(103), "");

	char drag[32] = "stale";
	TExchange::GetExchangeDragName(801, drag, sizeof drag);
	EXPECT_STREQ(drag, "exchangeInstinet_ECN");
	TExchange::GetExchangeDragName(999, drag, sizeof drag);
	EXPECT_STREQ(drag, "");
}

TEST(TExchangeNames, CopiesAreBoundedByTheBufferSize)
{
	char buffer[8];
	std::memset(buffer, 'x', sizeof buffer);
	TExchange::GetExchangeName(205, buffer, 4);
	EXPECT_STREQ(buffer, "CDN");
	EXPECT_EQ(buffer[4], 'x');
	TExchange::GetExchangeName(205, buffer, 1);
	EXPECT_STREQ(buffer, "");
	EXPECT_EQ(buffer[1], 'D');

	const long signals = Debugging::SignalCount();
	TExchange::GetExchangeName(100, nullptr, 10);
	TExchange::GetIndexName(100, nullptr, 10);
	EXPECT_EQ(Debugging::SignalCount(), signals + 2);
}

TEST(TExchangeNames, NoExchangeUsesFractions)
{
	for (const tExchangeEntry* row = ExchangeTable; row->id != kEndOfTable; row++)
		EXPECT_FALSE(TExchange::ExchangeUsesFractions(row->id)) << row->id;
	EXPECT_FALSE(TExchange::ExchangeUsesFractions(999));
}

TEST(TExchangeIndexes, NameAndDefinitionOfKnownAndUnknownIndexes)
{
	char name[64] = "stale";
	char symbol[16] = "stale";
	TExchange::GetIndexName(602, name, sizeof name);
	EXPECT_STREQ(name, "South Africa (J'berg All Share)");
	TExchange::GetIndexDefinition(401, name, sizeof name, symbol, sizeof symbol);
	EXPECT_STREQ(name, "Shanghai Composite");
	EXPECT_STREQ(symbol, "^SSEC");
	TExchange::GetIndexDefinition(109, name, 7, symbol, 3);
	EXPECT_STREQ(name, "Russel");
	EXPECT_STREQ(symbol, "^R");

	TExchange::GetIndexName(kIndexCustom, name, sizeof name);
	EXPECT_STREQ(name, "");
	TExchange::GetIndexDefinition(999, name, sizeof name, symbol, sizeof symbol);
	EXPECT_STREQ(name, "");
	EXPECT_STREQ(symbol, "");
}
