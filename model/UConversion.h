#pragma once
// Factory defaults of the plug-in settings and of the blocks they nest, and the readers and translators of
// the former product's records. The translators work on the stored images, field by field at the stored
// offsets, and start from the same defaults.

#include "Includes/TList.h"
#include "Includes/tAlertParameters.h"
#include "Includes/tIdleParameters.h"
#include "Includes/tLedgerEntry.h"
#include "Includes/tPortfolioParameters.h"
#include "Includes/tRelayParameters.h"
#include "Includes/tStockTickerPrefs.h"
#include "Includes/tSummaryParameters.h"
#include "foundation/TVyDate.h"
#include "model/tPreferenceFileType.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>
#include <span>
#include <vector>

class TByteReader;
class TCurrency;
class TFund;
class TIndex;
class TSecurity;
class TStock;
class TVyFile;

class UConversion
{
public:
	using tOldBytes = std::span<const unsigned char>;

	static constexpr RGBColor BlackColour{0, 0, 0};
	static constexpr RGBColor WhiteColour{0xFFFF, 0xFFFF, 0xFFFF};
	static constexpr RGBColor GrayColour{0xCCCC, 0xCCCC, 0xCCCC};
	static constexpr RGBColor RedColour{0xFFFF, 0x32D9, 0};
	static constexpr RGBColor GreenColour{0x32D9, 0xCCCC, 0};
	static constexpr RGBColor BlueColour{0, 0x65B2, 0xCCCC};
	static constexpr RGBColor OrangeColour{0xFFFF, 0x9999, 0};
	static constexpr RGBColor YellowColour{0xFFFF, 0xFFFF, 0};

	static constexpr UInt32 kTag1_0 = FOUR_CHAR_CODE("Ver1");
	static constexpr UInt32 kTag1_1 = FOUR_CHAR_CODE("Ver2");
	static constexpr UInt32 kTag1_5 = FOUR_CHAR_CODE("zv15");
	static constexpr UInt32 kTag1_6 = FOUR_CHAR_CODE("zv16");
	static constexpr UInt32 kTag2_0 = FOUR_CHAR_CODE("zv20");
	static constexpr UInt32 kCurrentTag = FOUR_CHAR_CODE("zv22");
	static constexpr std::size_t kPortfolioParameters2_0Size = 400;
	static constexpr std::size_t kLedgerEntry2_0Size = 188;
	// Far beyond any settings, security or portfolio file; a larger one is not read into memory.
	static constexpr unsigned long kLargestFile = 64UL << 20;

	// Each fills the whole record: what it does not set is zero.
	static void DefaultPrefs(tStockTickerPrefs* prefs);
	static void DefaultAlert(tAlertParameters* alert, bool losing);
	static void DefaultIdling(tIdleParameters* idling);
	static void DefaultRelay(tRelayParameters* relay);
	static void DefaultSummary(tSummaryParameters* summary);

	// Whether the conversion can translate a file of the kind with that tag. The oldest settings
	// records ('Ver1', 'Ver2', 'zv15') are read over but have no known field layout.
	static bool CanConvert(tPreferenceFileType kind, UInt32 tag);
	// Reads the file: the settings into the settings buffer, securities into the kind's list (emptied
	// first). A tag the kind does not know reads nothing and succeeds; false when the file does not open
	// or ends before what its tag defines.
	static bool ReadPreferencesFiles(tPreferenceFileType kind, TVyFile* file, UInt32* tag);
	// Writes the current file ('zv22') from the buffer or the kind's list: 0 or the first error. A file
	// that is replaced safely keeps its former contents on failure.
	static short WritePreferencesFiles(tPreferenceFileType kind, TVyFile* file);
	// The whole file, of at most kLargestFile bytes. 0 or the error.
	static short ReadWholeFile(TVyFile* file, std::vector<unsigned char>* bytes);
	static tStockTickerPrefs* GetPrefs() { return &sPrefs; }
	static TList<TSecurity>* GetList(tPreferenceFileType kind);
	// The four lists, owning their securities: made when missing; deleted with what they hold.
	static void CreateLists();
	static void DeleteLists();

	// Settings records of 1.6 and 2.0 (the tag gives the version) into the plug-in settings; false for
	// any other tag.
	static bool TranslatePrefs(UInt32 tag, tOldBytes old, tStockTickerPrefs* prefs);
	static std::size_t PrefsRecordSize(UInt32 tag);
	// The 2.0 summary block over the defaults.
	static void TranslateSummary(tOldBytes old, tSummaryParameters* summary);
	// A 2.0 alert record (104 bytes).
	static void TranslateAlert(tOldBytes old, tAlertParameters* alert);
	// A 1.5 alert record: one condition gives the losing and the gaining alert.
	static void TranslateAlert(tOldBytes old, tAlertParameters* losing, tAlertParameters* gaining);
	static void TranslateDate(tOldBytes old, TVyDate* date);
	// The password comes back plain, as a current file gives it.
	static void TranslatePortfolioParameters(tOldBytes old, tPortfolioParameters* parameters);
	static void TranslateLedgerEntry(tOldBytes old, tLedgerEntry* entry);

	// One whole record each (the 1.6 readers also read 1.5 records); false when the bytes end first.
	static bool RestoreStock1_0(TByteReader& reader, TStock* stock);
	static bool RestoreStock1_1(TByteReader& reader, TStock* stock);
	static bool RestoreStock1_6(TByteReader& reader, TStock* stock);
	static bool RestoreStock2_0(TByteReader& reader, TStock* stock);
	static bool RestoreFund1_6(TByteReader& reader, TFund* fund);
	static bool RestoreFund2_0(TByteReader& reader, TFund* fund);
	static bool RestoreIndex1_6(TByteReader& reader, TIndex* index);
	static bool RestoreIndex2_0(TByteReader& reader, TIndex* index);
	static bool RestoreCurrency2_0(TByteReader& reader, TCurrency* currency);
	static bool RestoreSecurity2_0(TByteReader& reader, TSecurity* security);

private:
	static tStockTickerPrefs sPrefs;
	static TList<TSecurity>* sStocks;
	static TList<TSecurity>* sFunds;
	static TList<TSecurity>* sIndexes;
	static TList<TSecurity>* sCurrencies;
};
