#pragma once
// One transaction of a portfolio's ledger.

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
	float units = 0;
	float price = 0;
	float carriedFigure = 0;
	UInt8 foreign = 0;
	SInt16 currency = 0;
	float rate = 0;
	float splitFrom = 0;
	float splitTo = 0;
	float amount = 0;
	char comment[kCommentSize] = {};
	UInt32 category = 0; // signature of the entry's category, 0 for none
	float carriedFigure2 = 0;
	UInt8 carriedFlag = 0;
	UInt8 carriedFlag2 = 0;
	UInt8 enabled = 0;
};
