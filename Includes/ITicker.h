#pragma once
// A ticker as a plug-in and its securities see it.

#include "Includes/IInterface.h"
#include "Includes/TKsFont.h"
#include "Includes/TKsRGBColor.h"

#include <functional>

class TTicklet;

class ITicker : public IInterface
{
public:
	static constexpr UInt32 kSignature = FOUR_CHAR_CODE("itck");

	UInt32 GetInterfaceSig() override { return kSignature; }

	// The ticker shows the ticklet without owning it; -1 appends.
	virtual void AddTicklet(TTicklet* ticklet, long position) = 0;
	// Takes the ticklet off without deleting it.
	virtual void RemoveTicklet(TTicklet* ticklet) = 0;
	virtual const char* GetName() = 0;
	virtual UInt32 GetID() = 0;
	virtual short GetHeight() = 0;
	virtual void GetBackground(TKsRGBColor* colour) = 0;
	virtual void GetForeground(TKsRGBColor* colour) = 0;
	virtual void GetFont(TKsFont* font) = 0;
};

// The open ticker with that id (0 the main ticker), or null. The application installs the lookup at
// start-up; without one no ticker is open.
ITicker* GetTickerByID(unsigned long id);
void SetTickerLookup(std::function<ITicker*(unsigned long)> lookup);

// Whether a ticker with that id exists, open or closed: what is recorded for a closed ticker is kept for
// when it opens again. Without a check installed only open tickers exist.
bool TickerExists(unsigned long id);
void SetTickerExistsCheck(std::function<bool(unsigned long)> exists);
