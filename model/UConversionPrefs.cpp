// The former product's settings, alert, date and portfolio records, translated through their stored
// images: every number in both is big-endian, so a field is moved by copying its bytes.

#include "foundation/UIntelConversion.h"
#include "foundation/VyStrings.h"
#include "model/UConversion.h"
#include "model/UPortfolioFile.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace
{

using tOldBytes = UConversion::tOldBytes;

template <std::size_t N> using Image = std::array<unsigned char, N>;

template <std::size_t N>
void Copy(Image<N>& to, std::size_t toAt, tOldBytes from, std::size_t fromAt, std::size_t count)
{
	std::memcpy(to.data() + toAt, from.data() + fromAt, count);
}

// At most max characters up to the old text's end; the rest of the new field stays zero.
template <std::size_t N>
void CopyText(Image<N>& to, std::size_t toAt, tOldBytes from, std::size_t fromAt, std::size_t max)
{
	const auto* text = from.data() + fromAt;
	const std::size_t length = std::find(text, text + max, 0) - text;
	std::memcpy(to.data() + toAt, text, length);
}

template <std::size_t N> void PutU32(Image<N>& to, std::size_t at, UInt32 value)
{
	for (int i = 0; i < 4; ++i)
		to[at + i] = UInt8(value >> (24 - 8 * i));
}

template <std::size_t N> void PutU16(Image<N>& to, std::size_t at, UInt16 value)
{
	to[at] = UInt8(value >> 8);
	to[at + 1] = UInt8(value);
}

template <std::size_t N> void PutRGB(Image<N>& to, std::size_t at, const RGBColor& colour)
{
	PutU16(to, at, colour.red);
	PutU16(to, at + 2, colour.green);
	PutU16(to, at + 4, colour.blue);
}

template <std::size_t N, class T, std::size_t M>
void PutRecord(Image<N>& to, std::size_t at, T record, void (*convert)(std::span<unsigned char, M>, T*, bool))
{
	convert(std::span<unsigned char, M>(to.data() + at, M), &record, false);
}

template <std::size_t N> void PutAlert2_0(Image<N>& to, std::size_t at, tOldBytes old)
{
	tAlertParameters alert;
	UConversion::TranslateAlert(old, &alert);
	PutRecord(to, at, alert, &UIntelConversion::ConvertAlert);
}

// The values that no former settings record holds (the quick-quote windows').
void PutFixedValues(Image<tStockTickerPrefs::kStoredSize>& image)
{
	image[734] = 0;
	PutU32(image, 736, 100);
	PutU32(image, 740, 100);
	PutU16(image, 756, 101);
	PutU32(image, 760, FOUR_CHAR_CODE("YaUS"));
	image[764] = 0;
	PutU32(image, 768, 150);
	PutU32(image, 772, 150);
	PutU16(image, 776, 100);
	PutU16(image, 778, 101);
	PutU32(image, 780, 0x3F800000); // 1.0
	PutU32(image, 784, 0);
	image[1825] = 0;
}

void Translate1_6(tOldBytes old, Image<tStockTickerPrefs::kStoredSize>& image)
{
	Copy(image, 0, old, 6, 7);
	Copy(image, 8, old, 14, 24);
	image[40] = 0;
	CopyText(image, 41, old, 38, 30);
	Copy(image, 72, old, 72, 8);
	tAlertParameters losing, gaining;
	UConversion::TranslateAlert(old.subspan(80), &losing, &gaining);
	PutRecord(image, 80, losing, &UIntelConversion::ConvertAlert);
	PutRecord(image, 200, gaining, &UIntelConversion::ConvertAlert);
	Copy(image, 320, old, 176, tIdleParameters::kStoredSize);
	Copy(image, 356, old, 196, 5);
	const UInt32 quoters[] = {FOUR_CHAR_CODE("YaUS"), FOUR_CHAR_CODE("GlbM"), FOUR_CHAR_CODE("YaEU"),
	                          FOUR_CHAR_CODE("YaAZ"), FOUR_CHAR_CODE("XExe")};
	for (std::size_t i = 0; i < 5; ++i)
		PutU32(image, 364 + 4 * i, quoters[i]);
	Copy(image, 384, old, 212, 20);
	image[404] = old[233];
	image[405] = old[245];
	image[406] = old[246];
	CopyText(image, 407, old, 247, tStockTickerPrefs::kTradeURLSize - 1);
	Copy(image, 663, old, 569, 5);
	image[668] = 20;
	image[669] = 0;
	tSummaryParameters summary;
	UConversion::DefaultSummary(&summary);
	PutRecord(image, 788, summary, &UIntelConversion::ConvertSummary);
	tRelayParameters relay;
	UConversion::DefaultRelay(&relay);
	PutRecord(image, 1316, relay, &UIntelConversion::ConvertRelay);
}

void Translate2_0(tOldBytes old, Image<tStockTickerPrefs::kStoredSize>& image)
{
	Copy(image, 0, old, 1, 7);
	Copy(image, 8, old, 8, 24);
	image[32] = 0;
	PutRGB(image, 34, UConversion::WhiteColour);
	image[40] = old[32];
	CopyText(image, 41, old, 33, 30);
	Copy(image, 72, old, 64, 8);
	PutAlert2_0(image, 80, old.subspan(72, 104));
	PutAlert2_0(image, 200, old.subspan(176, 104));
	Copy(image, 320, old, 280, tIdleParameters::kStoredSize);
	Copy(image, 356, old, 300, 5);
	Copy(image, 364, old, 308, 16);
	PutU32(image, 380, FOUR_CHAR_CODE("XExe"));
	Copy(image, 384, old, 328, 20);
	Copy(image, 404, old, 348, 3);
	CopyText(image, 407, old, 351, tStockTickerPrefs::kTradeURLSize - 1);
	Copy(image, 663, old, 607, 6);
	CopyText(image, 669, old, 613, 64);
	tSummaryParameters summary;
	UConversion::TranslateSummary(old.subspan(680), &summary);
	PutRecord(image, 788, summary, &UIntelConversion::ConvertSummary);
	tRelayParameters relay;
	UConversion::DefaultRelay(&relay);
	PutRecord(image, 1316, relay, &UIntelConversion::ConvertRelay);
}

} // namespace

std::size_t UConversion::PrefsRecordSize(UInt32 tag)
{
	switch (tag) {
	case kTag1_0:
		return 124;
	case kTag1_1:
		return 528;
	case kTag1_5:
		return 572;
	case kTag1_6:
		return 580;
	case kTag2_0:
		return 792;
	default:
		return 0;
	}
}

bool UConversion::TranslatePrefs(UInt32 tag, tOldBytes old, tStockTickerPrefs* prefs)
{
	if ((tag != kTag1_6 && tag != kTag2_0) || old.size() < PrefsRecordSize(tag) || prefs == nullptr)
		return false;
	Image<tStockTickerPrefs::kStoredSize> image{};
	if (tag == kTag1_6)
		Translate1_6(old, image);
	else
		Translate2_0(old, image);
	PutFixedValues(image);
	UIntelConversion::ConvertStockPrefs(image, prefs, true);
	return true;
}

void UConversion::TranslateSummary(tOldBytes old, tSummaryParameters* summary)
{
	DefaultSummary(summary);
	Image<tSummaryParameters::kStoredSize> image{};
	UIntelConversion::ConvertSummary(image, summary, false);
	image[0] = old[0];
	Copy(image, 4, old, 4, 16);
	std::fill(image.begin() + 180, image.begin() + 212, 0);
	CopyText(image, 180, old, 20, 30);
	Copy(image, 212, old, 52, 16);
	Copy(image, 228, old, 68, 24);
	image[252] = old[92];
	Copy(image, 254, old, 94, 12);
	Copy(image, 266, old, 106, 6);
	UIntelConversion::ConvertSummary(image, summary, true);
}

void UConversion::TranslateAlert(tOldBytes old, tAlertParameters* alert)
{
	DefaultAlert(alert, false);
	Image<tAlertParameters::kStoredSize> image{};
	UIntelConversion::ConvertAlert(image, alert, false);
	// Everything the old record has, its colour and sound switch included.
	Copy(image, 0, old, 0, 2);
	Copy(image, 4, old, 4, 5);
	Copy(image, 10, old, 10, 11);
	Copy(image, 24, old, 24, 7);
	Copy(image, 32, old, 32, 70);
	UIntelConversion::ConvertAlert(image, alert, true);
}

void UConversion::TranslateAlert(tOldBytes old, tAlertParameters* losing, tAlertParameters* gaining)
{
	DefaultAlert(losing, true);
	DefaultAlert(gaining, false);
	// Per old condition, from '(' to '/': the condition of the gaining and of the losing alert, 0 when
	// that alert is not set.
	static constexpr UInt8 kConditions[8][2] = {{'(', ')'}, {'(', 0}, {0, ')'}, {'*', '+'},
	                                            {'*', 0},   {0, '+'}, {',', 0}, {0, '-'}};
	const UInt8 condition = old[1];
	if (condition < '(' || condition > '/')
		return;
	const UInt8* given = kConditions[condition - '('];
	auto set = [&](tAlertParameters* alert, UInt8 newCondition) {
		Image<tAlertParameters::kStoredSize> image{};
		UIntelConversion::ConvertAlert(image, alert, false);
		image[0] = 1;
		image[1] = newCondition;
		Copy(image, 4, old, 4, 4);
		image[8] = old[8];
		Copy(image, 10, old, 10, 6);
		image[16] = old[16];
		image[20] = old[17];
		Copy(image, 24, old, 20, 4);
		UIntelConversion::ConvertAlert(image, alert, true);
	};
	if (given[0] != 0)
		set(gaining, given[0]);
	if (given[1] != 0)
		set(losing, given[1]);
}

void UConversion::TranslateDate(tOldBytes old, TVyDate* date)
{
	Image<UIntelConversion::kStoredDateSize> image{};
	Copy(image, 0, old, 0, image.size());
	UIntelConversion::ConvertTVyDate(date, image, true);
}

void UConversion::TranslatePortfolioParameters(tOldBytes old, tPortfolioParameters* parameters)
{
	Image<tPortfolioParameters::kStoredSize> image{};
	image[0] = old[0];
	Copy(image, 4, old, 4, 16);
	Copy(image, 30, old, 32, 2);
	Copy(image, 32, old, 34, 2);
	image[34] = old[36];
	Copy(image, 36, old, 38, 2 * UIntelConversion::kStoredDateSize);
	CopyText(image, 64, old, 66, 30);
	Copy(image, 96, old, 100, 8);
	image[104] = old[108];
	Copy(image, 108, old, 112, 4);
	Copy(image, 112, old, 112, 4);
	Copy(image, 116, old, 116, 24);
	image[140] = old[143];
	Copy(image, 142, old, 144, 12);
	Copy(image, 154, old, 140, 3);
	PutAlert2_0(image, 160, old.subspan(156, 104));
	PutAlert2_0(image, 280, old.subspan(260, 104));
	image[400] = old[364];
	CopyText(image, 401, old, 365, 30);
	image[432] = old[396];
	image[433] = old[23] != 0 ? 1 : 0;
	image[437] = 1;
	UIntelConversion::ConvertPortfolio(image, parameters, true);
	if (parameters->passwordSet)
		UPortfolioFile::UnscramblePassword(parameters->password);
}

void UConversion::TranslateLedgerEntry(tOldBytes old, tLedgerEntry* entry)
{
	Image<tLedgerEntry::kStoredSize> image{};
	Copy(image, 0, old, 0, kLedgerEntry2_0Size);
	UIntelConversion::ConvertLedgerEntry(image, entry, true);
}
