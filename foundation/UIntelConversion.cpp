#include "foundation/UIntelConversion.h"

#include "platform/toolbox/Debugging.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <type_traits>

namespace
{

constexpr bool kSwap = std::endian::native == std::endian::little;

constexpr tStoredField kDateLayout[] = {{0, UIntelConversion::kStoredDateSize, tStoredKind::kDate}};
constexpr tStoredField kRGBLayout[] = {{0, UIntelConversion::kStoredRGBSize, tStoredKind::kRGB}};
constexpr tStoredField kKsRGBLayout[] = {{0, TKsRGBColor::kStoredSize, tStoredKind::kKsRGB}};
static_assert(sizeof(tVyDateOld) == UIntelConversion::kStoredDateSize);
static_assert(sizeof(RGBColor) == UIntelConversion::kStoredRGBSize);
static_assert(sizeof(TKsRGBColor) == TKsRGBColor::kStoredSize);

// The image is already a copy of the source; each field is finished from the source.
void ConvertFields(const unsigned char* from, unsigned char* to, std::span<const tStoredField> layout)
{
	for (const tStoredField& f : layout) {
		const unsigned char* source = from + f.offset;
		unsigned char* target = to + f.offset;
		switch (f.kind) {
		case tStoredKind::kBlock: {
			const std::size_t size = StoredLayoutSize(f.block);
			for (std::size_t at = 0; at + size <= f.size; at += size)
				ConvertFields(source + at, target + at, f.block);
			break;
		}
		case tStoredKind::kZero:
			std::memset(target, 0, f.size);
			break;
		case tStoredKind::kText:
			if (std::memchr(target, 0, f.size) == nullptr)
				target[f.size - 1] = 0;
			break;
		default:
			if (const std::size_t width = f.Width(); kSwap && width > 1)
				for (std::size_t at = 0; at < f.size; at += width)
					std::reverse_copy(source + at, source + at + width, target + at);
			break;
		}
	}
}

template <typename Record, std::size_t N>
void Convert(std::span<unsigned char, N> stored, Record* record, std::span<const tStoredField> layout,
             bool toHost)
{
	static_assert(std::is_trivially_copyable_v<Record> && sizeof(Record) == N);
	SignalIf_(record == nullptr);
	if (record != nullptr)
		UIntelConversion::ConvertByLayout(stored, record, layout, toHost);
}

} // namespace

void UIntelConversion::ConvertByLayout(std::span<unsigned char> stored, void* record,
                                       std::span<const tStoredField> layout, bool toHost)
{
	SignalIf_(record == nullptr || stored.size() != StoredLayoutSize(layout));
	if (record == nullptr || stored.size() != StoredLayoutSize(layout))
		return;
	auto* memory = static_cast<unsigned char*>(record);
	const unsigned char* from = toHost ? stored.data() : memory;
	unsigned char* to = toHost ? memory : stored.data();
	std::memcpy(to, from, stored.size());
	ConvertFields(from, to, layout);
}

UInt32 UIntelConversion::ConvertUnsignedInt32(UInt32 value)
{
	return kSwap ? __builtin_bswap32(value) : value;
}

SInt32 UIntelConversion::ConvertSignedInt32(SInt32 value)
{
	return SInt32(ConvertUnsignedInt32(UInt32(value)));
}

UInt16 UIntelConversion::ConvertUnsignedInt16(UInt16 value)
{
	return kSwap ? __builtin_bswap16(value) : value;
}

SInt16 UIntelConversion::ConvertSignedInt16(SInt16 value)
{
	return SInt16(ConvertUnsignedInt16(UInt16(value)));
}

void UIntelConversion::ConvertTVyDate(TVyDate* date, tVyDateOld* old, bool toHost)
{
	SignalIf_(date == nullptr || old == nullptr);
	if (date == nullptr || old == nullptr)
		return;
	if (toHost) {
		date->SetMillisecond(UInt16(old->millisecond));
		date->SetSecond(UInt8(old->second));
		date->SetMinute(UInt8(old->minute));
		date->SetHour(UInt8(old->hour));
		date->SetDay(UInt8(old->day));
		date->SetMonth(UInt8(old->month));
		date->SetYear(UInt16(old->year));
	} else {
		old->millisecond = SInt16(date->GetMillisecond());
		old->second = date->GetSecond();
		old->minute = date->GetMinute();
		old->hour = date->GetHour();
		old->day = date->GetDay();
		old->month = date->GetMonth();
		old->year = SInt16(date->GetYear());
	}
}

void UIntelConversion::ConvertTVyDate(TVyDate* date, Stored<kStoredDateSize> stored, bool toHost)
{
	SignalIf_(date == nullptr);
	if (date == nullptr)
		return;
	tVyDateOld old;
	if (toHost) {
		ConvertDate(stored, &old, true);
		ConvertTVyDate(date, &old, true);
	} else {
		ConvertTVyDate(date, &old, false);
		ConvertDate(stored, &old, false);
	}
}

void UIntelConversion::ConvertCategory(Stored<tCategory::kStoredSize> stored, tCategory* record, bool toHost)
{
	Convert(stored, record, kCategoryLayout, toHost);
}

void UIntelConversion::ConvertLedgerEntry(Stored<tLedgerEntry::kStoredSize> stored, tLedgerEntry* record,
                                          bool toHost)
{
	Convert(stored, record, kLedgerEntryLayout, toHost);
}

void UIntelConversion::ConvertPortfolio(Stored<tPortfolioParameters::kStoredSize> stored,
                                        tPortfolioParameters* record, bool toHost)
{
	Convert(stored, record, kPortfolioParametersLayout, toHost);
}

void UIntelConversion::ConvertSecurity(Stored<tSecurityParameters::kStoredSize> stored,
                                       tSecurityParameters* record, bool toHost)
{
	Convert(stored, record, kSecurityParametersLayout, toHost);
}

void UIntelConversion::ConvertStocks(Stored<tStockParameters::kStoredSize> stored, tStockParameters* record,
                                     bool toHost)
{
	Convert(stored, record, kStockParametersLayout, toHost);
}

void UIntelConversion::ConvertTickerPrefs(Stored<tTickerPrefs::kStoredSize> stored, tTickerPrefs* record,
                                          bool toHost)
{
	Convert(stored, record, kTickerPrefsLayout, toHost);
}

void UIntelConversion::ConvertKestrunPrefs(Stored<tKestrunPrefs::kStoredSize> stored, tKestrunPrefs* record,
                                           bool toHost)
{
	Convert(stored, record, kKestrunPrefsLayout, toHost);
}

void UIntelConversion::ConvertStockPrefs(Stored<tStockTickerPrefs::kStoredSize> stored,
                                         tStockTickerPrefs* record, bool toHost)
{
	Convert(stored, record, kStockTickerPrefsLayout, toHost);
}

void UIntelConversion::ConvertAlert(Stored<tAlertParameters::kStoredSize> stored, tAlertParameters* record,
                                    bool toHost)
{
	Convert(stored, record, kAlertParametersLayout, toHost);
}

void UIntelConversion::ConvertIdle(Stored<tIdleParameters::kStoredSize> stored, tIdleParameters* record,
                                   bool toHost)
{
	Convert(stored, record, kIdleParametersLayout, toHost);
}

void UIntelConversion::ConvertSummary(Stored<tSummaryParameters::kStoredSize> stored,
                                      tSummaryParameters* record, bool toHost)
{
	Convert(stored, record, kSummaryParametersLayout, toHost);
}

void UIntelConversion::ConvertRelay(Stored<tRelayParameters::kStoredSize> stored, tRelayParameters* record,
                                    bool toHost)
{
	Convert(stored, record, kRelayParametersLayout, toHost);
}

void UIntelConversion::ConvertDate(Stored<kStoredDateSize> stored, tVyDateOld* record, bool toHost)
{
	Convert(stored, record, kDateLayout, toHost);
}

void UIntelConversion::ConvertRGB(Stored<kStoredRGBSize> stored, RGBColor* colour, bool toHost)
{
	Convert(stored, colour, kRGBLayout, toHost);
}

void UIntelConversion::ConvertTKsRGB(Stored<TKsRGBColor::kStoredSize> stored, TKsRGBColor* record,
                                     bool toHost)
{
	Convert(stored, record, kKsRGBLayout, toHost);
}

void UIntelConversion::ConvertTKsFont(Stored<TKsFont::kStoredSize> stored, TKsFont* record, bool toHost)
{
	Convert(stored, record, TKsFont::kStoredLayout, toHost);
}
