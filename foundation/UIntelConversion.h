#pragma once
// Byte order of the stored records. Every record is stored big-endian whatever the host; in memory it has
// the stored layout, each field at its stored offset in host order, as its layout table describes it.
//
// Each record conversion takes the stored image, the record and a flag: true reads the image into the
// record (after reading a file), false fills the image from the record (before writing one). Every byte
// is copied and the multi-byte fields are swapped, so reserved bytes survive a read and a write; an
// unterminated text gets a zero in its last byte, and the relay block is zero in both directions.

#include "Includes/TKsFont.h"
#include "Includes/TKsRGBColor.h"
#include "Includes/tAlertParameters.h"
#include "Includes/tCategory.h"
#include "Includes/tIdleParameters.h"
#include "Includes/tKestrunPrefs.h"
#include "Includes/tLedgerEntry.h"
#include "Includes/tPortfolioParameters.h"
#include "Includes/tRelayParameters.h"
#include "Includes/tSecurityParameters.h"
#include "Includes/tStockParameters.h"
#include "Includes/tStockTickerPrefs.h"
#include "Includes/tStoredField.h"
#include "Includes/tSummaryParameters.h"
#include "Includes/tTickerPrefs.h"
#include "foundation/TVyDate.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>
#include <span>

class UIntelConversion
{
public:
	static constexpr std::size_t kStoredDateSize = 14;
	static constexpr std::size_t kStoredRGBSize = 6;

	template <std::size_t N> using Stored = std::span<unsigned char, N>;

	// Between host order and big-endian; each is its own inverse and changes nothing on a big-endian
	// host.
	static UInt32 ConvertUnsignedInt32(UInt32 value);
	static SInt32 ConvertSignedInt32(SInt32 value);
	static UInt16 ConvertUnsignedInt16(UInt16 value);
	static SInt16 ConvertSignedInt16(SInt16 value);

	// The in-memory date against its stored form.
	static void ConvertTVyDate(TVyDate* date, Stored<kStoredDateSize> stored, bool toHost);
	static void ConvertTVyDate(TVyDate* date, tVyDateOld* old, bool toHost);

	static void ConvertCategory(Stored<tCategory::kStoredSize> stored, tCategory* record, bool toHost);
	static void ConvertLedgerEntry(Stored<tLedgerEntry::kStoredSize> stored, tLedgerEntry* record,
	                               bool toHost);
	static void ConvertPortfolio(Stored<tPortfolioParameters::kStoredSize> stored,
	                             tPortfolioParameters* record, bool toHost);
	static void ConvertSecurity(Stored<tSecurityParameters::kStoredSize> stored,
	                            tSecurityParameters* record, bool toHost);
	static void ConvertStocks(Stored<tStockParameters::kStoredSize> stored, tStockParameters* record,
	                          bool toHost);
	static void ConvertTickerPrefs(Stored<tTickerPrefs::kStoredSize> stored, tTickerPrefs* record,
	                               bool toHost);
	static void ConvertKestrunPrefs(Stored<tKestrunPrefs::kStoredSize> stored, tKestrunPrefs* record,
	                                bool toHost);
	static void ConvertStockPrefs(Stored<tStockTickerPrefs::kStoredSize> stored,
	                              tStockTickerPrefs* record, bool toHost);

	// The blocks that the records nest.
	static void ConvertAlert(Stored<tAlertParameters::kStoredSize> stored, tAlertParameters* record,
	                         bool toHost);
	static void ConvertIdle(Stored<tIdleParameters::kStoredSize> stored, tIdleParameters* record,
	                        bool toHost);
	static void ConvertSummary(Stored<tSummaryParameters::kStoredSize> stored, tSummaryParameters* record,
	                           bool toHost);
	// Relay settings are stored as zeros and read back as zeros.
	static void ConvertRelay(Stored<tRelayParameters::kStoredSize> stored, tRelayParameters* record,
	                         bool toHost);
	static void ConvertDate(Stored<kStoredDateSize> stored, tVyDateOld* date, bool toHost);
	static void ConvertRGB(Stored<kStoredRGBSize> stored, RGBColor* colour, bool toHost);
	static void ConvertTKsRGB(Stored<TKsRGBColor::kStoredSize> stored, TKsRGBColor* colour, bool toHost);
	static void ConvertTKsFont(Stored<TKsFont::kStoredSize> stored, TKsFont* font, bool toHost);

	// Any record by its layout table; the record must be exactly the stored size.
	static void ConvertByLayout(std::span<unsigned char> stored, void* record,
	                            std::span<const tStoredField> layout, bool toHost);
};
