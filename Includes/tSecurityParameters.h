#pragma once
// The persisted settings and last quote of one security.

#include "Includes/tAlertParameters.h"
#include "Includes/tStoredField.h"
#include "foundation/TVyDate.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>

struct tSecurityParameters {
	static constexpr std::size_t kStoredSize = 348;

	UInt8 menuEnabled = 0;
	UInt8 summaryEnabled = 0;
	tVyDateOld lastUpdate; // filled only while storing and restoring
	float yesterdayClose = 0;
	float dayOpen = 0;
	float dayHigh = 0;
	float dayLow = 0;
	UInt32 dayVolume = 0;
	float currentTradePrice = 0;
	float currentTradeBid = 0;
	float currentTradeAsk = 0;
	UInt32 currentTradeVolume = 0;
	tVyDateOld currentTradeUpdate; // filled only while storing and restoring
	UInt8 reserved66[2] = {};
	float yearHigh = 0;
	float yearLow = 0;
	UInt8 overrideQuoter = 0;
	UInt8 reserved77[3] = {};
	OSType quoter = 0;
	UInt8 overrideLosingAlert = 0;
	UInt8 reserved85[3] = {};
	tAlertParameters alertLosingParameters;
	UInt8 overrideGainingAlert = 0;
	UInt8 reserved209[3] = {};
	tAlertParameters alertGainingParameters;
	UInt8 viewType = 0;
	UInt8 detailWindowOpenOnQuit = 0;
	UInt8 reserved334[2] = {};
	SInt32 detailWindowTop = 0;
	SInt32 detailWindowLeft = 0;
	UInt8 zoomState = 0;
	UInt8 reserved345[3] = {};
};

inline constexpr tStoredField kSecurityParametersLayout[] = {
    STORED_FIELD(tSecurityParameters, menuEnabled, 0, kByte),
    STORED_FIELD(tSecurityParameters, summaryEnabled, 1, kByte),
    STORED_FIELD(tSecurityParameters, lastUpdate, 2, kDate),
    STORED_FIELD(tSecurityParameters, yesterdayClose, 16, kF32),
    STORED_FIELD(tSecurityParameters, dayOpen, 20, kF32),
    STORED_FIELD(tSecurityParameters, dayHigh, 24, kF32),
    STORED_FIELD(tSecurityParameters, dayLow, 28, kF32),
    STORED_FIELD(tSecurityParameters, dayVolume, 32, kU32),
    STORED_FIELD(tSecurityParameters, currentTradePrice, 36, kF32),
    STORED_FIELD(tSecurityParameters, currentTradeBid, 40, kF32),
    STORED_FIELD(tSecurityParameters, currentTradeAsk, 44, kF32),
    STORED_FIELD(tSecurityParameters, currentTradeVolume, 48, kU32),
    STORED_FIELD(tSecurityParameters, currentTradeUpdate, 52, kDate),
    STORED_FIELD(tSecurityParameters, reserved66, 66, kReserved),
    STORED_FIELD(tSecurityParameters, yearHigh, 68, kF32),
    STORED_FIELD(tSecurityParameters, yearLow, 72, kF32),
    STORED_FIELD(tSecurityParameters, overrideQuoter, 76, kByte),
    STORED_FIELD(tSecurityParameters, reserved77, 77, kReserved),
    STORED_FIELD(tSecurityParameters, quoter, 80, kU32),
    STORED_FIELD(tSecurityParameters, overrideLosingAlert, 84, kByte),
    STORED_FIELD(tSecurityParameters, reserved85, 85, kReserved),
    STORED_BLOCK(tSecurityParameters, alertLosingParameters, 88, kAlertParametersLayout),
    STORED_FIELD(tSecurityParameters, overrideGainingAlert, 208, kByte),
    STORED_FIELD(tSecurityParameters, reserved209, 209, kReserved),
    STORED_BLOCK(tSecurityParameters, alertGainingParameters, 212, kAlertParametersLayout),
    STORED_FIELD(tSecurityParameters, viewType, 332, kByte),
    STORED_FIELD(tSecurityParameters, detailWindowOpenOnQuit, 333, kByte),
    STORED_FIELD(tSecurityParameters, reserved334, 334, kReserved),
    STORED_FIELD(tSecurityParameters, detailWindowTop, 336, kI32),
    STORED_FIELD(tSecurityParameters, detailWindowLeft, 340, kI32),
    STORED_FIELD(tSecurityParameters, zoomState, 344, kByte),
    STORED_FIELD(tSecurityParameters, reserved345, 345, kReserved),
};
static_assert(sizeof(tSecurityParameters) == tSecurityParameters::kStoredSize);
static_assert(StoredLayoutIsExact(kSecurityParametersLayout, tSecurityParameters::kStoredSize));
