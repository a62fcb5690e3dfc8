#include "model/UConversion.h"

#include "foundation/UIntelConversion.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>

namespace
{

using Image = std::array<unsigned char, tStockTickerPrefs::kStoredSize>;

// The factory image written by hand, independently of the record's converter: big-endian numbers at
// their stored offsets, zeros elsewhere.
class ExpectedImage
{
public:
	ExpectedImage()
	{
		mBytes.fill(0);
		Put(0, 1, 1), Put(2, 1, 1), Put(3, 1, 1), Put(4, 1, 1), Put(6, 1, 2);
		RGB(14, 0x32D9, 0xCCCC, 0), RGB(20, 0xFFFF, 0x32D9, 0), RGB(26, 0, 0x65B2, 0xCCCC);
		RGB(34, 0xCCCC, 0xCCCC, 0xCCCC);
		Text(41, "Geneva"), Put(72, 4, 3), Put(76, 4, 14);
		Alert(80, ')', 0xFFFF, 0x9999, 0);
		Alert(200, '(', 0xFFFF, 0xFFFF, 0);
		Put(320, 1, 1), Put(321, 1, 10), Put(324, 4, 0xFFFFFFFE), Put(328, 1, 1);
		RGB(330, 0xCCCC, 0xCCCC, 0xCCCC);
		Put(356, 1, 1), Put(357, 1, 1), Put(358, 1, 1), Put(360, 1, 1);
		Text(364, "YaUSGlbMYaEUYaAZXExe");
		Put(384, 4, 5), Put(388, 4, 120), Put(392, 4, 5), Put(400, 4, 5), Put(405, 1, 1);
		const unsigned views[] = {10, 11, 11, 10, 11, 20, 0};
		for (std::size_t i = 0; i < 7; ++i)
			Put(663 + i, 1, views[i]);
		Put(736, 4, 100), Put(740, 4, 100), Put(756, 2, 101), Text(760, "YaUS");
		Put(768, 4, 150), Put(772, 4, 150), Put(776, 2, 100), Put(778, 2, 101);
		Put(780, 4, 0x3F800000); // 1.0

		const std::size_t s = 788;
		for (std::size_t k = 0; k < 20; ++k)
			Put(s + 24 + 8 * k, 4, 100);
		Text(s + 180, "Geneva"), Put(s + 212, 4, 3), Put(s + 216, 4, 10), Put(s + 220, 4, 2);
		Put(s + 224, 4, 2);
		RGB(s + 234, 0x32D9, 0xCCCC, 0), RGB(s + 240, 0xFFFF, 0x32D9, 0),
		    RGB(s + 246, 0, 0x65B2, 0xCCCC);
		Put(s + 266, 1, 1), Put(s + 267, 1, 1), Put(s + 272, 1, 1), Put(s + 273, 1, 1);
	}

	Image mBytes;

private:
	void Put(std::size_t at, int width, unsigned long v)
	{
		for (int i = width - 1; i >= 0; --i, v >>= 8)
			mBytes[at + std::size_t(i)] = static_cast<unsigned char>(v & 0xFF);
	}
	void RGB(std::size_t at, unsigned r, unsigned g, unsigned b)
	{
		Put(at, 2, r), Put(at + 2, 2, g), Put(at + 4, 2, b);
	}
	void Text(std::size_t at, const char* text) { std::memcpy(&mBytes[at], text, std::strlen(text)); }
	void Alert(std::size_t at, char condition, unsigned r, unsigned g, unsigned b)
	{
		Put(at + 1, 1, static_cast<unsigned char>(condition));
		Put(at + 4, 4, 0x41200000); // 10.0
		Put(at + 8, 1, 1);
		RGB(at + 10, r, g, b);
		Put(at + 16, 1, 1);
	}
};

void ExpectFactoryImage(tStockTickerPrefs& prefs)
{
	Image stored;
	stored.fill(0xEE);
	UIntelConversion::ConvertStockPrefs(stored, &prefs, false);
	const Image expected = ExpectedImage().mBytes;
	for (std::size_t i = 0; i < stored.size(); ++i)
		EXPECT_EQ(int(stored[i]), int(expected[i])) << "stored byte " << i;
}

} // namespace

TEST(UConversionTest, FactorySettingsMatchTheStoredImageByteForByte)
{
	tStockTickerPrefs prefs;
	UConversion::DefaultPrefs(&prefs);
	ExpectFactoryImage(prefs);
	EXPECT_EQ(prefs.losingAlert.condition, 41);
	EXPECT_EQ(prefs.gainingAlert.condition, 40);
	EXPECT_EQ(prefs.idling.threshold, -2);
}

TEST(UConversionTest, FactorySettingsClearWhateverTheRecordHeldBefore)
{
	tStockTickerPrefs prefs;
	std::memset(prefs.tradeURL, 'x', sizeof(prefs.tradeURL) - 1);
	std::memset(prefs.stockQQSymbol, 'y', sizeof(prefs.stockQQSymbol) - 1);
	std::memset(prefs.reserved670, 7, sizeof(prefs.reserved670));
	std::memset(prefs.reserved1953, 7, sizeof(prefs.reserved1953));
	std::memset(prefs.gainingAlert.reserved, 7, sizeof(prefs.gainingAlert.reserved));
	std::memset(prefs.relay.data, 7, sizeof(prefs.relay.data));
	prefs.reserved396 = -1;
	prefs.losingAlert.soundID = 128;
	prefs.summary.selectedRow = 12;
	prefs.idling.bold = 1;
	prefs.useTradeURL = 1;
	UConversion::DefaultPrefs(&prefs);

	ExpectFactoryImage(prefs);
	// Kept in memory though never stored.
	for (unsigned char b : prefs.relay.data)
		ASSERT_EQ(b, 0);
}
