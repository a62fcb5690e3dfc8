#pragma once
// One transaction of a portfolio's ledger.

#include "Includes/tStoredField.h"
#include "foundation/TVyDate.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tLedgerEntry {
	static constexpr std::size_t kStoredSize = 220;
	static constexpr std::size_t kSymbolSize = 21;
	static constexpr std::size_t kCommentSize = 100;

	tVyDateOld date;
	UInt8 type = 0; // tTransactionType
	char symbol[kSymbolSize] = {};
	SInt16 exchange = 0;
	UInt8 reserved38[2] = {};
	float units = 0;
	float price = 0;
	float carriedFigure = 0;
	UInt8 foreign = 0;
	UInt8 reserved53 = 0;
	SInt16 currency = 0;
	float rate = 0;
	float splitFrom = 0;
	float splitTo = 0;
	float amount = 0;
	char comment[kCommentSize] = {};
	UInt8 reserved172[4] = {};
	UInt32 category = 0; // signature of the entry's category, 0 for none
	float carriedFigure2 = 0;
	UInt8 carriedFlag = 0;
	UInt8 carriedFlag2 = 0;
	UInt8 enabled = 0;
	UInt8 reserved187[33] = {};
};

inline constexpr tStoredField kLedgerEntryLayout[] = {
    STORED_FIELD(tLedgerEntry, date, 0, kDate),
    STORED_FIELD(tLedgerEntry, type, 14, kByte),
    STORED_FIELD(tLedgerEntry, symbol, 15, kText),
    STORED_FIELD(tLedgerEntry, exchange, 36, kI16),
    STORED_FIELD(tLedgerEntry, reserved38, 38, kReserved),
    STORED_FIELD(tLedgerEntry, units, 40, kF32),
    STORED_FIELD(tLedgerEntry, price, 44, kF32),
    STORED_FIELD(tLedgerEntry, carriedFigure, 48, kF32),
    STORED_FIELD(tLedgerEntry, foreign, 52, kByte),
    STORED_FIELD(tLedgerEntry, reserved53, 53, kReserved),
    STORED_FIELD(tLedgerEntry, currency, 54, kI16),
    STORED_FIELD(tLedgerEntry, rate, 56, kF32),
    STORED_FIELD(tLedgerEntry, splitFrom, 60, kF32),
    STORED_FIELD(tLedgerEntry, splitTo, 64, kF32),
    STORED_FIELD(tLedgerEntry, amount, 68, kF32),
    STORED_FIELD(tLedgerEntry, comment, 72, kText),
    STORED_FIELD(tLedgerEntry, reserved172, 172, kReserved),
    STORED_FIELD(tLedgerEntry, category, 176, kU32),
    STORED_FIELD(tLedgerEntry, carriedFigure2, 180, kF32),
    STORED_FIELD(tLedgerEntry, carriedFlag, 184, kByte),
    STORED_FIELD(tLedgerEntry, carriedFlag2, 185, kByte),
    STORED_FIELD(tLedgerEntry, enabled, 186, kByte),
    STORED_FIELD(tLedgerEntry, reserved187, 187, kReserved),
};
static_assert(sizeof(tLedgerEntry) == tLedgerEntry::kStoredSize);
static_assert(StoredLayoutIsExact(kLedgerEntryLayout, tLedgerEntry::kStoredSize));
