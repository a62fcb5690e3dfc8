#pragma once
// The block a stock adds to its security record.

#include "Includes/tStoredField.h"
#include "foundation/TVyDate.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tStockParameters {
	static constexpr std::size_t kStoredSize = 84;
	static constexpr std::size_t kReservedFigureCount = 10;

	UInt16 exchange = 0;
	UInt8 reserved2[2] = {};
	float earningsPerShare = 0;
	float priceEarningsRatio = 0;
	float dividendPerShare = 0;
	float reservedFigure = 0;
	float capitalization = 0;
	float yield = 0;
	// Set by nothing; kept and stored as they are.
	tVyDateOld reservedDate;
	UInt8 reserved42[2] = {};
	float reservedFigures[kReservedFigureCount] = {};
};

inline constexpr tStoredField kStockParametersLayout[] = {
    STORED_FIELD(tStockParameters, exchange, 0, kU16),
    STORED_FIELD(tStockParameters, reserved2, 2, kReserved),
    STORED_FIELD(tStockParameters, earningsPerShare, 4, kF32),
    STORED_FIELD(tStockParameters, priceEarningsRatio, 8, kF32),
    STORED_FIELD(tStockParameters, dividendPerShare, 12, kF32),
    STORED_FIELD(tStockParameters, reservedFigure, 16, kF32),
    STORED_FIELD(tStockParameters, capitalization, 20, kF32),
    STORED_FIELD(tStockParameters, yield, 24, kF32),
    STORED_FIELD(tStockParameters, reservedDate, 28, kDate),
    STORED_FIELD(tStockParameters, reserved42, 42, kReserved),
    STORED_FIELD(tStockParameters, reservedFigures, 44, kF32),
};
static_assert(sizeof(tStockParameters) == tStockParameters::kStoredSize);
static_assert(StoredLayoutIsExact(kStockParametersLayout, tStockParameters::kStoredSize));
