#pragma once
// The block a stock adds to its security record.

#include "foundation/TVyDate.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tStockParameters {
	static constexpr std::size_t kStoredSize = 84;
	static constexpr std::size_t kReservedFigureCount = 10;

	UInt16 exchange = 0;
	float earningsPerShare = 0;
	float priceEarningsRatio = 0;
	float dividendPerShare = 0;
	float reservedFigure = 0;
	float capitalization = 0;
	float yield = 0;
	// Set by nothing; kept and stored as they are.
	tVyDateOld reservedDate;
	float reservedFigures[kReservedFigureCount] = {};
};
