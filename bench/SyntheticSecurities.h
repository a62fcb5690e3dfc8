#pragma once
// Made-up securities for the start-up benchmarks: distinct symbols and names per kind, with prices, each
// set up as the plug-in's own defaults are (stocks on an exchange, funds and indexes on a fixed source).

#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"

#include <string>

inline TSecurity* NewSyntheticSecurity(tSecurityType kind, int i)
{
	const std::string symbol = "S" + std::to_string(kind) + "X" + std::to_string(i);
	const std::string name = "Security " + std::to_string(i) + " of kind " + std::to_string(kind);
	TSecurity* security = nullptr;
	switch (kind) {
	case securityStock: {
		auto* stock = new TStock();
		UZVUtils::DefaultStock(stock, name.c_str(), symbol.c_str(), 101);
		security = stock;
		break;
	}
	case securityFund:
		security = new TFund();
		break;
	case securityIndex:
		security = new TIndex();
		break;
	default: {
		auto* pair = new TCurrency();
		UZVUtils::DefaultCurrency(pair, 100, tCurrency(101 + i % 2));
		security = pair;
		break;
	}
	}
	if (kind == securityFund || kind == securityIndex)
		UZVUtils::DefaultSecurity(security, name.c_str(), symbol.c_str(), FOUR_CHAR_CODE("YaUS"));
	security->CurrentTradePrice(10.0f + float(i));
	security->YesterdayClose(9.5f + float(i));
	return security;
}
