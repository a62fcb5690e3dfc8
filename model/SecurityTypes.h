#pragma once
// The small codes a security carries.

#include "platform/toolbox/MacTypes.h"

// Thrown when a string or list of a security cannot be allocated.
constexpr long kSecurityMemoryError = 1000;

// The quote-source signature of no source.
constexpr OSType kNoQuoter = FOUR_CHAR_CODE("qNON");

typedef UInt16 tSecurityType;
enum : tSecurityType {
	securityStock = 100,
	securityFund = 101,
	securityIndex = 102,
	securityCurrency = 103,
	securityNone = 999
};

// Price direction against yesterday's close.
typedef UInt8 tSecurityState;
enum : tSecurityState { stateUnchanged = 10, stateUp = 11, stateDown = 12 };

// Which view the detail window shows.
typedef UInt8 tViewType;
constexpr tViewType kDefaultViewType = 11;

// The detail window's size state; opening it with shift, option or control held asks for 1, 2 or 3.
typedef UInt8 tZoomState;
enum : tZoomState { zoomShift = 1, zoomOption = 2, zoomControl = 3 };
constexpr tZoomState kDefaultZoomState = zoomShift;
