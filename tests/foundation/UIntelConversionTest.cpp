#include "foundation/UIntelConversion.h"

#include "platform/toolbox/Debugging.h"

#include <array>
#include <bit>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <span>
#include <string>
#include <vector>

namespace
{

UInt32 BE32(const unsigned char* p, std::size_t offset)
{
	return UInt32(p[offset]) << 24 | UInt32(p[offset + 1]) << 16 | UInt32(p[offset + 2]) << 8 |
	       p[offset + 3];
}

UInt32 Bits(float f)
{
	return std::bit_cast<UInt32>(f);
}

struct StoredRecord {
	const char* name;
	std::span<const tStoredField> layout;
	std::function<void(std::span<unsigned char>, void*, bool)> convert;
};

template <typename Record, std::size_t N>
StoredRecord Describe(const char* name, std::span<const tStoredField> layout,
                      void (*convert)(std::span<unsigned char, N>, Record*, bool))
{
	EXPECT_EQ(StoredLayoutSize(layout), N) << name;
	return {name, layout, [convert](std::span<unsigned char> stored, void* record, bool toHost) {
		        convert(std::span<unsigned char, N>(stored.data(), N), static_cast<Record*>(record),
		                toHost);
	        }};
}

std::vector<StoredRecord> AllRecords()
{
	using C = UIntelConversion;
	return {Describe("category", kCategoryLayout, &C::ConvertCategory),
	        Describe("ledger entry", kLedgerEntryLayout, &C::ConvertLedgerEntry),
	        Describe("portfolio", kPortfolioParametersLayout, &C::ConvertPortfolio),
	        Describe("security", kSecurityParametersLayout, &C::ConvertSecurity),
	        Describe("stock block", kStockParametersLayout, &C::ConvertStocks),
	        Describe("ticker", kTickerPrefsLayout, &C::ConvertTickerPrefs),
	        Describe("application", kKestrunPrefsLayout, &C::ConvertKestrunPrefs),
	        Describe("plug-in", kStockTickerPrefsLayout, &C::ConvertStockPrefs),
	        Describe("alert", kAlertParametersLayout, &C::ConvertAlert),
	        Describe("idle", kIdleParametersLayout, &C::ConvertIdle),
	        Describe("summary", kSummaryParametersLayout, &C::ConvertSummary),
	        Describe("font", TKsFont::kStoredLayout, &C::ConvertTKsFont)};
}

// Every leaf field at its offset in the record, nested blocks unfolded.
void Leaves(std::span<const tStoredField> layout, std::size_t base, std::vector<tStoredField>& out)
{
	for (const tStoredField& f : layout) {
		if (f.kind != tStoredKind::kBlock) {
			out.push_back({base + f.offset, f.size, f.kind});
			continue;
		}
		const std::size_t size = StoredLayoutSize(f.block);
		for (std::size_t at = 0; at < f.size; at += size)
			Leaves(f.block, base + f.offset + at, out);
	}
}

// No zero byte, except a terminator in the middle of each text (the bytes after it are not zeros) and the
// relay block.
std::vector<unsigned char> PatternImage(const std::vector<tStoredField>& leaves, std::size_t size)
{
	std::vector<unsigned char> image(size);
	for (std::size_t i = 0; i < size; ++i)
		image[i] = (unsigned char)((i * 7) % 251 + 1);
	for (const tStoredField& f : leaves) {
		if (f.kind == tStoredKind::kText)
			image[f.offset + f.size / 2] = 0;
		if (f.kind == tStoredKind::kZero)
			std::fill_n(image.begin() + long(f.offset), f.size, 0);
	}
	return image;
}

} // namespace

TEST(UIntelConversion, EveryRecordKeepsEveryByteThroughAReadAndAWrite)
{
	for (const StoredRecord& r : AllRecords()) {
		std::vector<tStoredField> leaves;
		Leaves(r.layout, 0, leaves);
		const std::size_t size = StoredLayoutSize(r.layout);
		const std::vector<unsigned char> stored = PatternImage(leaves, size);

		std::vector<unsigned char> memory(size, 0xEE);
		std::vector<unsigned char> in = stored;
		r.convert(in, memory.data(), true);
		std::vector<unsigned char> out(size, 0xAA);
		r.convert(out, memory.data(), false);
		EXPECT_EQ(out, stored) << r.name;
		EXPECT_EQ(in, stored) << r.name << ": reading changed the image";

		// Each multi-byte unit sits at its stored offset in host order.
		for (const tStoredField& f : leaves) {
			for (std::size_t at = f.offset; f.Width() > 1 && at < f.offset + f.size;
			     at += f.Width()) {
				UInt32 host = 0, big = 0;
				if (f.Width() == 2) {
					UInt16 h;
					std::memcpy(&h, memory.data() + at, 2);
					host = h;
					big = UInt32(stored[at] << 8 | stored[at + 1]);
				} else {
					std::memcpy(&host, memory.data() + at, 4);
					big = BE32(stored.data(), at);
				}
				ASSERT_EQ(host, big) << r.name << " at " << at;
			}
		}
	}
}

TEST(UIntelConversion, UnterminatedTextsAreTerminatedInTheirLastByte)
{
	std::array<unsigned char, tLedgerEntry::kStoredSize> stored;
	stored.fill('x');
	tLedgerEntry entry;
	UIntelConversion::ConvertLedgerEntry(stored, &entry, true);
	EXPECT_EQ(std::strlen(entry.symbol), tLedgerEntry::kSymbolSize - 1);
	EXPECT_EQ(std::strlen(entry.comment), tLedgerEntry::kCommentSize - 1);

	std::memset(entry.symbol, 'y', sizeof(entry.symbol));
	UIntelConversion::ConvertLedgerEntry(stored, &entry, false);
	EXPECT_EQ(stored[15 + 19], 'y');
	EXPECT_EQ(stored[15 + 20], 0);
	EXPECT_EQ(stored[72 + 99], 0);
}

TEST(UIntelConversion, FloatsKeepTheirBitPatterns)
{
	tSecurityParameters parameters;
	// A signalling NaN, and a pattern that becomes one when its bytes are reversed.
	parameters.dayHigh = std::bit_cast<float>(0x7FA00001u);
	parameters.dayLow = std::bit_cast<float>(0x01A0807Fu);
	parameters.currentTradePrice = -9999.99f;
	std::array<unsigned char, tSecurityParameters::kStoredSize> stored;
	UIntelConversion::ConvertSecurity(stored, &parameters, false);
	EXPECT_EQ(BE32(stored.data(), 24), 0x7FA00001u);
	EXPECT_EQ(BE32(stored.data(), 28), 0x01A0807Fu);
	EXPECT_EQ(BE32(stored.data(), 36), 0xC61C3FF6u);
	tSecurityParameters back;
	UIntelConversion::ConvertSecurity(stored, &back, true);
	EXPECT_EQ(Bits(back.dayHigh), 0x7FA00001u);
	EXPECT_EQ(Bits(back.dayLow), 0x01A0807Fu);
}

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

TEST(UIntelConversion, CategorySignatureIsBigEndianOnFile)
{
	tCategory one;
	std::strcpy(one.name, "Tech");
	one.signature = 1;
	std::array<unsigned char, tCategory::kStoredSize> out;
	UIntelConversion::ConvertCategory(out, &one, false);
	const unsigned char signature[4] = {0, 0, 0, 1};
	EXPECT_EQ(std::memcmp(out.data() + 32, signature, 4), 0);
	EXPECT_EQ(std::memcmp(out.data(), "Tech\0", 5), 0);
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
