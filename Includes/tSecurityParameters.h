#pragma once
// The persisted settings and last quote of one security.

#include "Includes/tAlertParameters.h"
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
	float yearHigh = 0;
	float yearLow = 0;
	UInt8 overrideQuoter = 0;
	OSType quoter = 0;
	UInt8 overrideLosingAlert = 0;
	tAlertParameters alertLosingParameters;
	UInt8 overrideGainingAlert = 0;
	tAlertParameters alertGainingParameters;
	UInt8 viewType = 0;
	UInt8 detailWindowOpenOnQuit = 0;
	SInt32 detailWindowTop = 0;
	SInt32 detailWindowLeft = 0;
	UInt8 zoomState = 0;
};
