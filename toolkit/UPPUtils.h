#pragma once
// Values written into the panes of the detail, quick-quote, summary, portfolio and ledger windows, the
// same way everywhere. A missing value (-9999.99, or 0 for counts) shows the plug-in's no-value text
// (entry 0 of gStockStrings). Functions that take a static text and a caption write the same text into
// each pane given; windows mostly use the one-pane forms. Every text is cut to 255 characters.

#include "platform/toolbox/MacTypes.h"

class CURLPushButton;
class LCaption;
class LClock;
class LStaticText;
class TColourCaption;
class TColourCaptions;
class TSecurity;
class TVyDate;
struct tVyDateOld;

class UPPUtils
{
public:
	// "%.*f" with the decimals.
	static void SetFloat(LStaticText* inText, LCaption* inCaption, float inValue, int inDecimals);
	static void SetFloat(LStaticText* inText, float inValue, int inDecimals);
	static void SetFloat(LCaption* inCaption, float inValue, int inDecimals);
	static void SetColourFloat(TColourCaption* inCaption, const RGBColor* inColour, float inValue,
	                           int inDecimals);

	// Unsigned decimal with thousands separators; 0 is no value.
	static void SetULong(LStaticText* inText, LCaption* inCaption, UInt32 inValue);
	static void SetULong(LStaticText* inText, UInt32 inValue);
	static void SetULong(LCaption* inCaption, UInt32 inValue);

	// A value in millions written out whole, with thousands separators.
	static void SetMillions(LStaticText* inText, LCaption* inCaption, float inValue);
	static void SetMillions(LStaticText* inText, float inValue);
	static void SetMillions(LCaption* inCaption, float inValue);

	// A price, as the quote formatter writes it (2 decimals, or whole and fraction joined by a space).
	static void SetQuote(LStaticText* inText, LCaption* inCaption, float inValue, bool inFractions);
	static void SetQuote(LStaticText* inText, float inValue, bool inFractions);
	static void SetQuote(LCaption* inCaption, float inValue, bool inFractions);
	static void SetColourQuote(TColourCaption* inCaption, const RGBColor* inColour, float inValue,
	                           bool inFractions);

	// The price followed by two spaces and its change (the change left out without a previous close).
	static void SetColourChange(TColourCaption* inCaption, const RGBColor* inColour, float inPrevious,
	                            float inCurrent, bool inFractions);
	// The change followed by two spaces, then the percentage as the second text.
	static void SetColourChange(TColourCaptions* inCaption, const RGBColor* inColour, float inPrevious,
	                            float inCurrent, bool inFractions);

	// The time of the last update through the plug-in's template for the error code.
	static void SetUpdate(LStaticText* inText, LCaption* inCaption, TVyDate* inDate, int inError);
	static void SetUpdate(LStaticText* inText, TVyDate* inDate, int inError);
	static void SetUpdate(LCaption* inCaption, TVyDate* inDate, int inError);

	// The clock shows the record's date; reading gives its date (and the time fields of a tVyDateOld).
	static void SetDate(const tVyDateOld* inDate, LClock* inClock);
	static void SetDate(const TVyDate* inDate, LClock* inClock);
	static void GetDate(tVyDateOld* outDate, LClock* inClock);
	static void GetDate(TVyDate* outDate, LClock* inClock);

	// News item inItem (from 1) of the security: its headline as the title of an enabled button, or an
	// empty title on a disabled one when there is no such item.
	static void SetNewsItem(CURLPushButton* inButton, TSecurity* inSecurity, long inItem);
	// Opens the item's address in the browser; nothing when there is no such item or it has no address.
	static void LaunchNewsItem(TSecurity* inSecurity, long inItem);
	// The name of the security's quote source as the title, its home page as the address.
	static void SetQuoteSource(CURLPushButton* inButton, TSecurity* inSecurity);

	static void SetColourCaption(TColourCaption* inCaption, const char* inText, const RGBColor* inColour);
};
