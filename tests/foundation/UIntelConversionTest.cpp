#include "foundation/UIntelConversion.h"

#include "foundation/TBigEndianReader.h"
#include "foundation/TBigEndianWriter.h"
#include "platform/toolbox/Debugging.h"

#include <array>
#include <bit>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

// The layout of a stored record as the tests know it: the byte ranges that hold no field (stored as zeros)
// and the text fields (terminated, at most maxLength characters).
struct Range {
	std::size_t first;
	std::size_t last;
};

struct TextField {
	std::size_t offset;
	std::size_t size;
	std::size_t maxLength;
};

struct Layout {
	std::vector<Range> zeros;
	std::vector<TextField> texts;
};

void AddAlertPadding(Layout& layout, std::size_t b)
{
	layout.zeros.insert(layout.zeros.end(), {{b + 2, b + 3}, {b + 9, b + 9}, {b + 21, b + 23}});
}

void AddIdlePadding(Layout& layout, std::size_t b)
{
	layout.zeros.insert(layout.zeros.end(), {{b + 2, b + 3}, {b + 9, b + 9}, {b + 20, b + 35}});
}

void AddSummaryLayout(Layout& layout, std::size_t b)
{
	layout.zeros.push_back({b + 1, b + 3});
	for (std::size_t k = 0; k < 20; ++k)
		layout.zeros.push_back({b + 22 + 8 * k, b + 23 + 8 * k});
	layout.zeros.insert(layout.zeros.end(), {{b + 253, b + 253}, {b + 281, b + 527}});
	layout.texts.push_back({b + 180, 32, 31});
}

// Every byte non-zero and different from its neighbours, except where the layout says zero.
template <std::size_t N> std::array<unsigned char, N> PatternImage(const Layout& layout)
{
	std::array<unsigned char, N> image;
	for (std::size_t i = 0; i < N; ++i)
		image[i] = (unsigned char)(i % 251 + 1);
	for (const Range& r : layout.zeros)
		for (std::size_t i = r.first; i <= r.last; ++i)
			image[i] = 0;
	for (const TextField& t : layout.texts)
		for (std::size_t i = t.offset + t.maxLength; i < t.offset + t.size; ++i)
			image[i] = 0;
	return image;
}

template <std::size_t N>
std::size_t FirstDifference(const std::array<unsigned char, N>& a, const std::array<unsigned char, N>& b)
{
	for (std::size_t i = 0; i < N; ++i)
		if (a[i] != b[i])
			return i;
	return N;
}

UInt16 BE16(const unsigned char* p, std::size_t offset)
{
	return UInt16(p[offset] << 8 | p[offset + 1]);
}

UInt32 BE32(const unsigned char* p, std::size_t offset)
{
	return UInt32(p[offset]) << 24 | UInt32(p[offset + 1]) << 16 | UInt32(p[offset + 2]) << 8 |
	       p[offset + 3];
}

UInt32 Bits(float f)
{
	return std::bit_cast<UInt32>(f);
}

// Reads a patterned image into the record and writes the record over a dirty buffer: the two images must
// be equal, so every field is read and written at one place, and the bytes without a field come out zero.
template <typename Record, std::size_t N>
std::array<unsigned char, N> ExpectRoundTrip(const Layout& layout,
                                             void (*convert)(std::span<unsigned char, N>, Record*, bool),
                                             Record& record)
{
	std::array<unsigned char, N> stored = PatternImage<N>(layout);
	convert(stored, &record, true);
	std::array<unsigned char, N> rewritten;
	rewritten.fill(0xAA);
	convert(rewritten, &record, false);
	EXPECT_EQ(FirstDifference(stored, rewritten), N) << "first differing byte";
	return stored;
}

} // namespace

TEST(UIntelConversion, ScalarConversionsTurnStoredBytesIntoValuesAndBack)
{
	const unsigned char stored32[4] = {0x12, 0x34, 0x56, 0x78};
	UInt32 raw32;
	std::memcpy(&raw32, stored32, 4);
	EXPECT_EQ(UIntelConversion::ConvertUnsignedInt32(raw32), 0x12345678u);
	EXPECT_EQ(UIntelConversion::ConvertUnsignedInt32(UIntelConversion::ConvertUnsignedInt32(raw32)),
	          raw32);

	const unsigned char storedNegative[4] = {0xFF, 0xFF, 0xFF, 0xFE};
	SInt32 rawSigned;
	std::memcpy(&rawSigned, storedNegative, 4);
	EXPECT_EQ(UIntelConversion::ConvertSignedInt32(rawSigned), -2);

	const unsigned char stored16[2] = {0xAB, 0xCD};
	UInt16 raw16;
	std::memcpy(&raw16, stored16, 2);
	EXPECT_EQ(UIntelConversion::ConvertUnsignedInt16(raw16), 0xABCDu);

	const unsigned char storedShort[2] = {0xFF, 0x80};
	SInt16 rawShort;
	std::memcpy(&rawShort, storedShort, 2);
	EXPECT_EQ(UIntelConversion::ConvertSignedInt16(rawShort), -128);

	// Writing: the converted value lies in memory as the stored bytes.
	const UInt32 tag = UIntelConversion::ConvertUnsignedInt32(FOUR_CHAR_CODE("zv22"));
	EXPECT_EQ(std::memcmp(&tag, "zv22", 4), 0);
}

TEST(TBigEndianWriter, WritesBigEndianAndKeepsFloatBitPatterns)
{
	std::array<unsigned char, 26> buffer;
	buffer.fill(0xEE);
	TBigEndianWriter w(buffer);
	w.PutU16(0, 0x0102);
	w.PutS16(2, -2);
	w.PutU32(4, 0x0A0B0C0D);
	w.PutS32(8, -1);
	// A signalling NaN, and a pattern that becomes one when its bytes are reversed.
	w.PutF32(12, std::bit_cast<float>(0x7FA00001u));
	w.PutF32(16, std::bit_cast<float>(0x01A0807Fu));
	RGBColor colour;
	colour.red = 0x1111;
	w.PutRGB(20, colour);
	const std::array<unsigned char, 26> expected = {1,    2,    0xFF, 0xFE, 0x0A, 0x0B, 0x0C, 0x0D, 0xFF,
	                                                0xFF, 0xFF, 0xFF, 0x7F, 0xA0, 0x00, 0x01, 0x01, 0xA0,
	                                                0x80, 0x7F, 0x11, 0x11, 0,    0,    0,    0};
	EXPECT_EQ(buffer, expected);

	TBigEndianReader r(buffer);
	EXPECT_EQ(r.GetU16(0), 0x0102u);
	EXPECT_EQ(r.GetS16(2), -2);
	EXPECT_EQ(r.GetS32(8), -1);
	EXPECT_EQ(Bits(r.GetF32(12)), 0x7FA00001u);
	EXPECT_EQ(Bits(r.GetF32(16)), 0x01A0807Fu);
}

TEST(TBigEndianWriter, AccessOutsideTheBufferStopsTheProgram)
{
	std::array<unsigned char, 4> buffer{};
	TBigEndianWriter w(buffer);
	EXPECT_DEATH(w.PutU32(1, 0), "assertion failed");
	TBigEndianReader r(buffer);
	EXPECT_DEATH(r.GetU16(3), "assertion failed");
}

TEST(TBigEndianReader, TextFieldsAreTerminatedAndClearedAfterTheirEnd)
{
	const std::string full(8, 'x');
	std::array<unsigned char, 8> stored;
	std::memcpy(stored.data(), full.data(), 8);
	char text[8];
	TBigEndianReader(stored).GetText(0, text, sizeof(text));
	EXPECT_STREQ(text, "xxxxxxx");

	const unsigned char shortText[8] = {'a', 'b', 0, 'z', 'z', 'z', 'z', 'z'};
	std::memset(text, 'q', sizeof(text));
	TBigEndianReader(shortText).GetText(0, text, sizeof(text));
	EXPECT_STREQ(text, "ab");
	EXPECT_EQ(text[3], 0);

	std::array<unsigned char, 8> out;
	out.fill(0xAA);
	TBigEndianWriter(out).PutText(0, "abcdefghijk", 8);
	EXPECT_EQ(std::memcmp(out.data(), "abcdefg", 8), 0);
	out.fill(0xAA);
	TBigEndianWriter(out).PutText(0, "ab", 8);
	EXPECT_EQ(std::memcmp(out.data(), "ab\0\0\0\0\0\0", 8), 0);
}

TEST(UIntelConversion, DatesAreSevenBigEndianFields)
{
	TVyDate date;
	date.SetYear(2006);
	date.SetMonth(12);
	date.SetDay(31);
	date.SetHour(23);
	date.SetMinute(59);
	date.SetSecond(58);
	date.SetMillisecond(TVyDate::kUndefinedMillisecond);
	std::array<unsigned char, 14> stored;
	UIntelConversion::ConvertTVyDate(&date, stored, false);
	const std::array<unsigned char, 14> expected = {0xFF, 0xFF, 0,  58, 0,  59,   0,
	                                                23,   0,    31, 0,  12, 0x07, 0xD6};
	EXPECT_EQ(stored, expected);

	TVyDate back;
	UIntelConversion::ConvertTVyDate(&back, stored, true);
	EXPECT_EQ(back.GetYear(), 2006);
	EXPECT_EQ(back.GetMonth(), 12);
	EXPECT_EQ(back.GetDay(), 31);
	EXPECT_EQ(back.GetHour(), 23);
	EXPECT_EQ(back.GetMinute(), 59);
	EXPECT_EQ(back.GetSecond(), 58);
	EXPECT_TRUE(TVyDate::IsUndefinedTime(back));
}

TEST(UIntelConversion, NullRecordsAreSignalledAndLeaveTheImageAlone)
{
	std::array<unsigned char, tCategory::kStoredSize> stored;
	stored.fill(0x33);
	const long before = Debugging::SignalCount();
	UIntelConversion::ConvertCategory(stored, nullptr, false);
	UIntelConversion::ConvertCategory(stored, nullptr, true);
	UIntelConversion::ConvertTVyDate(nullptr, std::span<unsigned char, 14>(stored.data(), 14), true);
	EXPECT_EQ(Debugging::SignalCount(), before + 3);
	EXPECT_EQ(stored[0], 0x33);
}

TEST(UIntelConversion, CategoryRoundTripsAtItsOffsets)
{
	Layout layout{{{38, 39}}, {{0, 32, 31}}};
	tCategory category;
	const auto stored = ExpectRoundTrip(layout, &UIntelConversion::ConvertCategory, category);
	EXPECT_EQ(category.signature, BE32(stored.data(), 32));
	EXPECT_EQ(category.open, stored[37]);
	EXPECT_EQ(Bits(category.carried[2]), BE32(stored.data(), 48));
	EXPECT_EQ(std::strlen(category.name), 31u);

	tCategory one;
	std::strcpy(one.name, "Tech");
	one.signature = 1;
	one.enabled = 1;
	one.carried[0] = 1.0f;
	std::array<unsigned char, 52> out;
	UIntelConversion::ConvertCategory(out, &one, false);
	const unsigned char signature[4] = {0, 0, 0, 1};
	EXPECT_EQ(std::memcmp(out.data() + 32, signature, 4), 0);
	EXPECT_EQ(std::memcmp(out.data(), "Tech\0", 5), 0);
	EXPECT_EQ(out[36], 1);
	EXPECT_EQ(BE32(out.data(), 40), 0x3F800000u);
}

TEST(UIntelConversion, LedgerEntryRoundTripsAtItsOffsets)
{
	Layout layout{{{38, 39}, {53, 53}, {172, 175}, {187, 219}}, {{15, 21, 20}, {72, 100, 99}}};
	tLedgerEntry entry;
	const auto stored = ExpectRoundTrip(layout, &UIntelConversion::ConvertLedgerEntry, entry);
	EXPECT_EQ(UInt16(entry.date.millisecond), BE16(stored.data(), 0));
	EXPECT_EQ(UInt16(entry.date.year), BE16(stored.data(), 12));
	EXPECT_EQ(entry.type, stored[14]);
	EXPECT_EQ(UInt16(entry.exchange), BE16(stored.data(), 36));
	EXPECT_EQ(UInt16(entry.currency), BE16(stored.data(), 54));
	EXPECT_EQ(Bits(entry.units), BE32(stored.data(), 40));
	EXPECT_EQ(Bits(entry.amount), BE32(stored.data(), 68));
	EXPECT_EQ(entry.category, BE32(stored.data(), 176));
	EXPECT_EQ(Bits(entry.carriedFigure2), BE32(stored.data(), 180));
	EXPECT_EQ(entry.enabled, stored[186]);
	EXPECT_EQ(std::strlen(entry.symbol), 20u);
	EXPECT_EQ(std::strlen(entry.comment), 99u);

	tLedgerEntry buy;
	buy.date.year = 2006;
	buy.type = 100;
	std::strcpy(buy.symbol, "XXXX");
	buy.exchange = 101;
	buy.price = -9999.99f;
	buy.splitTo = 2.0f;
	buy.category = FOUR_CHAR_CODE("Tech");
	std::array<unsigned char, 220> out;
	UIntelConversion::ConvertLedgerEntry(out, &buy, false);
	EXPECT_EQ(BE16(out.data(), 12), 2006);
	EXPECT_EQ(out[14], 100);
	EXPECT_EQ(std::memcmp(out.data() + 15, "XXXX\0", 5), 0);
	EXPECT_EQ(BE16(out.data(), 36), 101);
	EXPECT_EQ(BE32(out.data(), 44), 0xC61C3FF6u);
	EXPECT_EQ(BE32(out.data(), 64), 0x40000000u);
	EXPECT_EQ(std::memcmp(out.data() + 176, "Tech", 4), 0);
}

TEST(UIntelConversion, PortfolioParametersRoundTripAtTheirOffsets)
{
	Layout layout{
	    {{1, 3}, {23, 29}, {35, 35}, {105, 107}, {141, 141}, {157, 159}, {434, 436}, {438, 695}},
	    {{64, 32, 31}, {401, 31, 30}}};
	AddAlertPadding(layout, 160);
	AddAlertPadding(layout, 280);
	tPortfolioParameters parameters;
	const auto stored = ExpectRoundTrip(layout, &UIntelConversion::ConvertPortfolio, parameters);
	EXPECT_EQ(UInt32(parameters.windowTop), BE32(stored.data(), 4));
	EXPECT_EQ(UInt32(parameters.windowWidth), BE32(stored.data(), 16));
	EXPECT_EQ(UInt16(parameters.baseCurrency), BE16(stored.data(), 30));
	EXPECT_EQ(UInt16(parameters.rangeStart.millisecond), BE16(stored.data(), 36));
	EXPECT_EQ(UInt16(parameters.rangeEnd.year), BE16(stored.data(), 62));
	EXPECT_EQ(UInt32(parameters.fontSize), BE32(stored.data(), 100));
	EXPECT_EQ(UInt32(parameters.carried112), BE32(stored.data(), 112));
	EXPECT_EQ(parameters.gainColour.red, BE16(stored.data(), 122));
	EXPECT_EQ(parameters.secondRowColour.blue, BE16(stored.data(), 152));
	EXPECT_EQ(parameters.groupByCategory, stored[156]);
	EXPECT_EQ(Bits(parameters.losingAlert.limit), BE32(stored.data(), 164));
	EXPECT_EQ(UInt32(parameters.gainingAlert.soundID), BE32(stored.data(), 304));
	EXPECT_EQ(parameters.gainingAlert.reserved[88], stored[399]);
	EXPECT_EQ(parameters.showZeroHoldings, stored[437]);
	EXPECT_EQ(std::strlen(parameters.password), 30u);
}

TEST(UIntelConversion, SecurityParametersRoundTripAtTheirOffsets)
{
	Layout layout{{{66, 67}, {77, 79}, {85, 87}, {209, 211}, {334, 335}, {345, 347}}, {}};
	AddAlertPadding(layout, 88);
	AddAlertPadding(layout, 212);
	tSecurityParameters parameters;
	const auto stored = ExpectRoundTrip(layout, &UIntelConversion::ConvertSecurity, parameters);
	EXPECT_EQ(UInt16(parameters.lastUpdate.millisecond), BE16(stored.data(), 2));
	EXPECT_EQ(Bits(parameters.yesterdayClose), BE32(stored.data(), 16));
	EXPECT_EQ(parameters.dayVolume, BE32(stored.data(), 32));
	EXPECT_EQ(Bits(parameters.currentTradeAsk), BE32(stored.data(), 44));
	EXPECT_EQ(parameters.currentTradeVolume, BE32(stored.data(), 48));
	EXPECT_EQ(UInt16(parameters.currentTradeUpdate.year), BE16(stored.data(), 64));
	EXPECT_EQ(Bits(parameters.yearLow), BE32(stored.data(), 72));
	EXPECT_EQ(parameters.quoter, BE32(stored.data(), 80));
	EXPECT_EQ(parameters.alertLosingParameters.colour.green, BE16(stored.data(), 100));
	EXPECT_EQ(parameters.alertGainingParameters.reserved[0], stored[243]);
	EXPECT_EQ(UInt32(parameters.detailWindowLeft), BE32(stored.data(), 340));
	EXPECT_EQ(parameters.zoomState, stored[344]);

	tSecurityParameters fresh;
	fresh.quoter = FOUR_CHAR_CODE("qNON");
	fresh.currentTradePrice = -9999.99f;
	std::array<unsigned char, 348> out;
	UIntelConversion::ConvertSecurity(out, &fresh, false);
	EXPECT_EQ(std::memcmp(out.data() + 80, "qNON", 4), 0);
	const unsigned char noValue[4] = {0xC6, 0x1C, 0x3F, 0xF6};
	EXPECT_EQ(std::memcmp(out.data() + 36, noValue, 4), 0);
}

TEST(UIntelConversion, StockBlockRoundTripsAtItsOffsets)
{
	Layout layout{{{2, 3}, {42, 43}}, {}};
	tStockParameters block;
	const auto stored = ExpectRoundTrip(layout, &UIntelConversion::ConvertStocks, block);
	EXPECT_EQ(block.exchange, BE16(stored.data(), 0));
	EXPECT_EQ(Bits(block.yield), BE32(stored.data(), 24));
	EXPECT_EQ(UInt16(block.reservedDate.second), BE16(stored.data(), 30));
	EXPECT_EQ(Bits(block.reservedFigures[0]), BE32(stored.data(), 44));
	EXPECT_EQ(Bits(block.reservedFigures[9]), BE32(stored.data(), 80));
}

TEST(UIntelConversion, TickerPrefsRoundTripWithColoursAndFont)
{
	// The font's name keeps at most 63 characters of its 67-byte field.
	Layout layout{{{105, 107}}, {{29, 67, 63}}};
	tTickerPrefs prefs;
	const auto stored = ExpectRoundTrip(layout, &UIntelConversion::ConvertTickerPrefs, prefs);
	EXPECT_EQ(UInt16(prefs.top), BE16(stored.data(), 2));
	EXPECT_EQ(prefs.width, BE16(stored.data(), 6));
	EXPECT_EQ(prefs.background.extra, BE16(stored.data(), 14));
	EXPECT_EQ(prefs.foreground.red, BE16(stored.data(), 16));
	EXPECT_EQ(prefs.font.GetFlag(4), stored[28]);
	EXPECT_EQ(UInt32(prefs.font.GetFontSize()), BE32(stored.data(), 96));
	EXPECT_EQ(prefs.border, stored[104]);

	tTickerPrefs ticker;
	ticker.left = -5;
	ticker.foreground = TKsRGBColor(65535, 65535, 65535, 7);
	ticker.font.FontName("Geneva");
	ticker.font.FontSize(14);
	std::array<unsigned char, 108> out;
	UIntelConversion::ConvertTickerPrefs(out, &ticker, false);
	const unsigned char expectedStart[8] = {0xFF, 0xFB, 0, 0, 0, 0, 0, 0};
	EXPECT_EQ(std::memcmp(out.data(), expectedStart, 8), 0);
	const unsigned char foreground[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 7};
	EXPECT_EQ(std::memcmp(out.data() + 16, foreground, 8), 0);
	EXPECT_EQ(std::memcmp(out.data() + 29, "Geneva\0", 7), 0);
	EXPECT_EQ(BE32(out.data(), 96), 14u);
}

TEST(UIntelConversion, ApplicationSettingsKeepTheirFloatBigEndian)
{
	Layout layout{{{69, 71}}, {{0, 33, 32}, {33, 33, 32}}};
	tKestrunPrefs prefs;
	const auto stored = ExpectRoundTrip(layout, &UIntelConversion::ConvertKestrunPrefs, prefs);
	EXPECT_EQ(prefs.ignoreNewVersions, stored[68]);
	EXPECT_EQ(Bits(prefs.carriedValue), BE32(stored.data(), 72));

	tKestrunPrefs defaults;
	defaults.carriedValue = 2.2f;
	defaults.ignoreNewVersions = 1;
	std::array<unsigned char, 76> out;
	UIntelConversion::ConvertKestrunPrefs(out, &defaults, false);
	const unsigned char twoPointTwo[4] = {0x40, 0x0C, 0xCC, 0xCD};
	EXPECT_EQ(std::memcmp(out.data() + 72, twoPointTwo, 4), 0);
	EXPECT_EQ(out[68], 1);
}

TEST(UIntelConversion, PlugInSettingsRoundTripWithTheirBlocks)
{
	Layout layout{{{7, 7}, {33, 33}, {361, 363}, {735, 735}, {758, 759}, {765, 767}, {1316, 1824}},
	              {{41, 31, 30}, {407, 256, 255}, {1825, 128, 127}}};
	AddAlertPadding(layout, 80);
	AddAlertPadding(layout, 200);
	AddIdlePadding(layout, 320);
	AddSummaryLayout(layout, 788);
	tStockTickerPrefs prefs;
	const auto stored = ExpectRoundTrip(layout, &UIntelConversion::ConvertStockPrefs, prefs);
	EXPECT_EQ(prefs.fractionMode, stored[6]);
	EXPECT_EQ(prefs.upColour.red, BE16(stored.data(), 14));
	EXPECT_EQ(prefs.gradientMiddleColour.blue, BE16(stored.data(), 38));
	EXPECT_EQ(UInt32(prefs.tickletFontSize), BE32(stored.data(), 76));
	EXPECT_EQ(prefs.losingAlert.condition, stored[81]);
	EXPECT_EQ(Bits(prefs.gainingAlert.limit), BE32(stored.data(), 204));
	EXPECT_EQ(UInt32(prefs.idling.threshold), BE32(stored.data(), 324));
	EXPECT_EQ(prefs.idling.colour.red, BE16(stored.data(), 330));
	EXPECT_EQ(prefs.currenciesOn, stored[360]);
	EXPECT_EQ(prefs.currencyQuoter, BE32(stored.data(), 380));
	EXPECT_EQ(UInt32(prefs.currencyMinutes), BE32(stored.data(), 400));
	EXPECT_EQ(prefs.reserved670[63], stored[733]);
	EXPECT_EQ(UInt32(prefs.stockQQLeft), BE32(stored.data(), 740));
	EXPECT_EQ(UInt16(prefs.stockQQExchange), BE16(stored.data(), 756));
	EXPECT_EQ(prefs.stockQQQuoter, BE32(stored.data(), 760));
	EXPECT_EQ(UInt16(prefs.currencyQQTo), BE16(stored.data(), 778));
	EXPECT_EQ(Bits(prefs.currencyQQAmount), BE32(stored.data(), 780));
	EXPECT_EQ(UInt32(prefs.summary.windowTop), BE32(stored.data(), 792));
	EXPECT_EQ(prefs.summary.columns[19].width, BE32(stored.data(), 788 + 176));
	EXPECT_EQ(UInt32(prefs.summary.layoutNumber), BE32(stored.data(), 788 + 220));
	EXPECT_EQ(prefs.summary.oddRowColour.blue, BE16(stored.data(), 788 + 264));
	EXPECT_EQ(UInt32(prefs.summary.selectedRow), BE32(stored.data(), 788 + 276));
	EXPECT_EQ(prefs.summary.viewMode, stored[788 + 280]);
	EXPECT_EQ(prefs.reserved1953[130], stored[2083]);
	EXPECT_EQ(std::strlen(prefs.tradeURL), 255u);
}

TEST(UIntelConversion, RelaySettingsAreZeroOnFileAndInMemory)
{
	tStockTickerPrefs prefs;
	std::memset(prefs.relay.data, 0x55, sizeof(prefs.relay.data));
	prefs.currencyQQAdjustment = 3;
	prefs.stockQQSymbol[0] = 'A';
	std::array<unsigned char, tStockTickerPrefs::kStoredSize> stored;
	stored.fill(0xAA);
	UIntelConversion::ConvertStockPrefs(stored, &prefs, false);
	for (std::size_t i = 1316; i < 1825; ++i)
		ASSERT_EQ(stored[i], 0) << "byte " << i;
	EXPECT_EQ(BE32(stored.data(), 784), 3u);
	EXPECT_EQ(stored[1825], 'A');

	std::memset(stored.data() + 1316, 0x77, 509);
	tStockTickerPrefs read;
	std::memset(read.relay.data, 0x55, sizeof(read.relay.data));
	UIntelConversion::ConvertStockPrefs(stored, &read, true);
	const tRelayParameters zeros;
	EXPECT_EQ(std::memcmp(read.relay.data, zeros.data, sizeof(zeros.data)), 0);
	EXPECT_STREQ(read.stockQQSymbol, "A");
}

TEST(UIntelConversion, NestedBlocksConvertOnTheirOwn)
{
	Layout alertLayout;
	AddAlertPadding(alertLayout, 0);
	tAlertParameters alert;
	const auto alertImage = ExpectRoundTrip(alertLayout, &UIntelConversion::ConvertAlert, alert);
	EXPECT_EQ(alert.colour.blue, BE16(alertImage.data(), 14));
	EXPECT_EQ(alert.displayFlag, alertImage[30]);

	Layout idleLayout;
	AddIdlePadding(idleLayout, 0);
	tIdleParameters idle;
	const auto idleImage = ExpectRoundTrip(idleLayout, &UIntelConversion::ConvertIdle, idle);
	EXPECT_EQ(idle.underline, idleImage[19]);

	Layout summaryLayout;
	AddSummaryLayout(summaryLayout, 0);
	tSummaryParameters summary;
	const auto summaryImage = ExpectRoundTrip(summaryLayout, &UIntelConversion::ConvertSummary, summary);
	EXPECT_EQ(UInt16(summary.columns[0].flag), BE16(summaryImage.data(), 20));

	RGBColor colour;
	colour.red = 0x0102;
	colour.green = 0x0304;
	colour.blue = 0x0506;
	std::array<unsigned char, 6> rgb;
	UIntelConversion::ConvertRGB(rgb, &colour, false);
	EXPECT_EQ(rgb, (std::array<unsigned char, 6>{1, 2, 3, 4, 5, 6}));
	RGBColor back;
	UIntelConversion::ConvertRGB(rgb, &back, true);
	EXPECT_EQ(back.blue, 0x0506);
}
