// The former product's settings and security files, made byte by byte, converted into the plug-in's
// current files, whose bytes are checked; and former portfolios converted when they are opened.

#include "model/UConverter.h"

#include "model/UConversion.h"
#include "tests/support/KilledReplace.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/OldFileBytes.h"
#include "tests/support/TempHomeFixture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace
{

using namespace oldfile;

constexpr std::size_t kParams = 348;
constexpr std::size_t kStockBlock = 84;

// Where the fields of one current security record are, within its file.
struct tRecord {
	std::string symbol;
	std::string name;
	std::size_t params = 0; // the parameter block
	std::vector<UInt32> tickers;
	std::size_t tail = 0; // the kind's block
};

// The records of a current security file, each followed by a kind block of the given size.
std::vector<tRecord> Records(const std::string& file, std::size_t kindBlock)
{
	std::vector<tRecord> records;
	EXPECT_EQ(file.substr(0, 4), "zv22");
	std::size_t at = 8;
	for (UInt32 i = 0; i < U32At(file, 4); ++i) {
		tRecord record;
		record.symbol = TextAt(file, at + 4);
		at += 4 + U32At(file, at);
		record.name = TextAt(file, at + 4);
		at += 4 + U32At(file, at);
		record.params = at;
		at += kParams + 1;
		at += 4 + U32At(file, at); // template
		EXPECT_EQ(file.at(at), 0);
		at += 1;
		const UInt32 owners = U32At(file, at);
		for (UInt32 k = 0; k < owners; ++k)
			record.tickers.push_back(U32At(file, at + 4 + 8 * k));
		at += 4 + 8 * owners;
		record.tail = at;
		at += kindBlock;
		records.push_back(record);
	}
	EXPECT_EQ(at, file.size());
	return records;
}

// The detail window open at quit and its place, as the record keeps them.
void ExpectDetailWindow(const std::string& file, std::size_t params, UInt32 top, UInt32 left, int zoom)
{
	EXPECT_EQ(file[params + 333], 1);
	EXPECT_EQ(U32At(file, params + 336), top);
	EXPECT_EQ(U32At(file, params + 340), left);
	EXPECT_EQ(file[params + 344], zoom);
}

// A 1.5 alert record: condition, limit, colour switch and colour, flash, sound switch and sound.
Bytes Alert1_5(char condition)
{
	return Bytes(100)
	    .U8(1, UInt8(condition))
	    .F32(4, 7.5f)
	    .U8(8, 1)
	    .RGB(10, 0xAAAA, 0xBBBB, 0xCCCC)
	    .U8(16, 1)
	    .U8(17, 1)
	    .U32(20, 9);
}

// A 2.0 alert record with everything set, its colour and sound switch included.
Bytes Alert2_0(char condition, unsigned red)
{
	return Bytes(104)
	    .U8(0, 1)
	    .U8(1, UInt8(condition))
	    .F32(4, 4.0f)
	    .U8(8, 1)
	    .RGB(10, red, 0x5678, 0x9ABC)
	    .U8(16, 1)
	    .U8(17, 1)
	    .U8(20, 1)
	    .U32(24, 3)
	    .U8(28, 1)
	    .Text(32, "note");
}

std::string SecurityFile(const char* tag, const std::vector<std::string>& records)
{
	std::string file = std::string(tag) + BE32(UInt32(records.size()));
	for (const std::string& record : records)
		file += record;
	return file;
}

// A security record of 1.5 and 1.6: names, then the 196-byte block.
std::string Record1_6(const std::string& symbol, const std::string& name, char alertCondition)
{
	Bytes block(196);
	block.U8(0, 1).U8(1, 0).Date(2, 16, 3, 4, 2003).F32(16, 10.5f).F32(36, 11.25f).U32(32, 12345);
	block.F32(68, 20.0f).U8(76, 1).U32(80, 100).U32(84, 200).U8(88, 2);
	std::string bytes = block;
	bytes.replace(96, 100, Alert1_5(alertCondition).Str());
	return Counted(symbol) + Counted(name, false) + bytes;
}

// A security record of 2.0: names, the 316-byte block and ticklet entries on the given tickers.
std::string Record2_0(const std::string& symbol, const std::string& name, std::vector<UInt32> tickers)
{
	Bytes block(316);
	block.U8(0, 1).U8(1, 1).Date(2, 9, 1, 2, 2005).F32(36, 80.0f).U8(76, 1).Text(80, "GoUS").U8(84, 1);
	block.U8(192, 0).U8(300, 11).U8(301, 1).U32(304, 50).U32(308, 60).U8(312, 3);
	std::string bytes = block;
	bytes.replace(88, 104, Alert2_0(')', 0x1234).Str());
	bytes.replace(196, 104, Alert2_0('(', 0x4321).Str());
	std::string entries = BE32(UInt32(tickers.size()));
	for (UInt32 id : tickers)
		entries += BE32(id) + BE32(0);
	return Counted(symbol) + Counted(name) + bytes + entries;
}

std::string Settings1_6()
{
	Bytes r(580);
	r.U8(6, 1).U8(7, 0).U8(8, 1).U8(9, 1).U8(10, 0).U8(11, 1).U8(12, 3);
	r.RGB(14, 0x1111, 0x2222, 0x3333).RGB(32, 0x4444, 0x5555, 0x6666);
	r.Text(38, "Monaco").U32(72, 4).U32(76, 12);
	r.Text(80, Alert1_5('+').Str().substr(0, 96));
	r.U8(176, 1).U8(177, 11).U32(180, 30);
	r.U8(196, 1).U8(197, 0).U8(198, 1).U8(200, 0);
	r.U32(212, 1).U32(216, 2).U32(220, 3).U32(228, 6);
	r.U8(233, 1).U8(245, 0).U8(246, 1).Text(247, "https://trade.test/<<symbol>>");
	r.U8(569, 11).U8(570, 10).U8(571, 10).U8(573, 10);
	return "zv16" + r.Str();
}

std::string Settings2_0()
{
	Bytes r(792);
	r.U8(1, 1).U8(2, 1).U8(3, 0).U8(7, 2).RGB(8, 0x0101, 0x0202, 0x0303);
	r.U8(32, 1).Text(33, "Courier").U32(64, 22).U32(68, 9);
	r.Text(72, Alert2_0(')', 0x1234)).Text(176, Alert2_0('(', 0x4321));
	r.U8(280, 1).U8(281, 10).U32(284, 45);
	r.U8(300, 1).U8(301, 1).U8(302, 0).U8(304, 1);
	r.Text(308, "GoUSGlbMGoEUYaAZ").U32(328, 15).U32(332, 60).U32(336, 15).U32(344, 30);
	r.U8(348, 1).U8(349, 1).U8(350, 1).Text(351, "https://broker.test/").U8(607, 11).U8(612, 7);
	r.Text(613, "extra");
	r.U8(680, 1).U32(684, 40).U32(688, 10).U32(692, 600).U32(696, 500).Text(700, "Helvetica");
	r.U32(732, 5).U32(736, 12).RGB(748, 0xFFFF, 0, 0).U8(772, 1).U8(786, 1).U8(791, 1);
	return "zv20" + r.Str();
}

class UConverterTest : public TempHomeFixture
{
protected:
	std::string Folder(const char* name) const { return mRoot + "/config/" + name; }
	std::string Former(const std::string& file) const { return Folder("Kestrun \xC6\x92") + "/" + file; }
	std::string Current(const std::string& file) const
	{
		return Folder("Vantorel Prefs \xC6\x92") + "/" + file;
	}
	void Put(const std::string& path, const std::string& bytes)
	{
		std::filesystem::create_directories(std::filesystem::path(path).parent_path());
		WriteText(path, bytes);
	}

	std::vector<int> Convert(short* error = nullptr)
	{
		EXPECT_TRUE(UConverter::ShouldConvert());
		UConverter::Start();
		tOldPrefsConversion r[5];
		const short err = UConverter::ConvertPrefs(r[0], r[1], r[2], r[3], r[4]);
		if (error != nullptr)
			*error = err;
		UConverter::Finish();
		return std::vector<int>(r, r + 5);
	}

	modeltest::ModelTestEnvironment mEnv;
};

TEST_F(UConverterTest, FormerFolderOfVersion1_6IsConvertedAndLeftAsItWas)
{
	EXPECT_FALSE(UConverter::ShouldConvert()) << "nothing to convert yet";
	const std::string settings = Settings1_6();
	Bytes stockBlock(28);
	stockBlock.U16(0, 101).F32(16, 1.5f).F32(20, 22.0f).F32(24, 0.5f);
	const std::string stocks =
	    SecurityFile("zv16", {Record1_6("AAPL", "Apple Computer", '(') + stockBlock.Str()});
	const std::string funds = SecurityFile("zv15", {Record1_6("FMAGX", "Magellan", '(')});
	Put(Former("Kestrun Prefs"), settings);
	Put(Former("Kestrun Stocks"), stocks);
	Put(Former("Kestrun Funds"), funds);

	EXPECT_EQ(Convert(), (std::vector<int>{10, 10, 10, 11, 11}));
	EXPECT_EQ(ReadText(Former("Kestrun Prefs")), settings);
	EXPECT_EQ(ReadText(Former("Kestrun Stocks")), stocks);
	EXPECT_EQ(ReadText(Former("Kestrun Funds")), funds);
	EXPECT_FALSE(std::filesystem::exists(Current("Stock Plug-in Indexes")));
	// No currency pairs before 2.0: the plug-in starts with none.
	EXPECT_EQ(ReadText(Current("Stock Plug-in Currencies")), "zv22" + BE32(0));

	const std::string p = ReadText(Current("Stock Plug-in Prefs"));
	ASSERT_EQ(p.size(), 4u + 2084);
	auto at = [&](std::size_t offset) { return 4 + offset; };
	EXPECT_EQ(p.substr(0, 4), "zv22");
	EXPECT_EQ(p.substr(at(0), 7), std::string("\1\0\1\1\0\1\3", 7));
	EXPECT_EQ(U16At(p, at(8)), 0x1111);
	EXPECT_EQ(U16At(p, at(26)), 0x4444);
	EXPECT_EQ(U16At(p, at(34)), 0); // no gradient colour in 1.6
	EXPECT_EQ(TextAt(p, at(41)), "Monaco");
	EXPECT_EQ(U32At(p, at(72)), 4u);
	EXPECT_EQ(U32At(p, at(76)), 12u);
	// Condition '+' sets the gaining alert to '*' and the losing alert to '+', both from the old values.
	for (std::size_t alert : {at(80), at(200)}) {
		EXPECT_EQ(p[alert], 1);
		EXPECT_FLOAT_EQ(F32At(p, alert + 4), 7.5f);
		EXPECT_EQ(U16At(p, alert + 10), 0xAAAA);
		EXPECT_EQ(p[alert + 16], 1);
		EXPECT_EQ(p[alert + 20], 1);
		EXPECT_EQ(U32At(p, alert + 24), 9u);
	}
	EXPECT_EQ(p[at(81)], '+');
	EXPECT_EQ(p[at(201)], '*');
	EXPECT_EQ(p.substr(at(320), 36), settings.substr(4 + 176, 36));
	EXPECT_EQ(p.substr(at(356), 5), std::string("\1\0\1\0\0", 5));
	EXPECT_EQ(p.substr(at(364), 20), "YaUSGlbMYaEUYaAZXExe");
	EXPECT_EQ(U32At(p, at(384)), 1u);
	EXPECT_EQ(U32At(p, at(392)), 3u);
	EXPECT_EQ(U32At(p, at(400)), 6u);
	EXPECT_EQ(p.substr(at(404), 3), std::string("\1\0\1", 3));
	EXPECT_EQ(TextAt(p, at(407)), "https://trade.test/<<symbol>>");
	EXPECT_EQ(p.substr(at(663), 7), std::string("\13\12\12\0\12\24\0", 7));
	EXPECT_EQ(U32At(p, at(736)), 100u);
	EXPECT_EQ(U16At(p, at(756)), 101);
	EXPECT_EQ(p.substr(at(760), 4), "YaUS");
	EXPECT_EQ(U16At(p, at(778)), 101);
	EXPECT_FLOAT_EQ(F32At(p, at(780)), 1.0f);
	EXPECT_EQ(TextAt(p, at(788 + 180)), "Geneva"); // the summary's defaults
	EXPECT_EQ(U32At(p, at(788 + 216)), 10u);

	const std::string s = ReadText(Current("Stock Plug-in Stocks"));
	const auto stock = Records(s, kStockBlock);
	ASSERT_EQ(stock.size(), 1u);
	EXPECT_EQ(stock[0].symbol, "AAPL");
	EXPECT_EQ(stock[0].name, "Apple Computer");
	const std::size_t q = stock[0].params;
	EXPECT_EQ(s.substr(q, 16),
	          stocks.substr(8 + 9 + 18, 16)); // switches and the last update as they were
	EXPECT_FLOAT_EQ(F32At(s, q + 16), 10.5f);
	EXPECT_EQ(U32At(s, q + 32), 12345u);
	EXPECT_FLOAT_EQ(F32At(s, q + 36), 11.25f);
	EXPECT_FLOAT_EQ(F32At(s, q + 68), 20.0f);
	// Condition '(' gives both alerts, each overriding the global one.
	EXPECT_EQ(s[q + 84], 1);
	EXPECT_EQ(s[q + 88 + 1], ')');
	EXPECT_EQ(s[q + 208], 1);
	EXPECT_EQ(s[q + 212 + 1], '(');
	EXPECT_EQ(U16At(s, q + 212 + 12), 0xBBBB);
	EXPECT_EQ(s[q + 332], 11); // the settings' view type of new stocks
	ExpectDetailWindow(s, q, 100, 200, 2);
	EXPECT_EQ(U16At(s, stock[0].tail), 101);
	EXPECT_FLOAT_EQ(F32At(s, stock[0].tail + 4), 1.5f);
	EXPECT_FLOAT_EQ(F32At(s, stock[0].tail + 8), 22.0f);
	EXPECT_FLOAT_EQ(F32At(s, stock[0].tail + 12), 0.5f);

	// Funds of 1.5 carry no alerts over.
	const std::string f = ReadText(Current("Stock Plug-in Funds"));
	const auto fund = Records(f, 0);
	ASSERT_EQ(fund.size(), 1u);
	EXPECT_FLOAT_EQ(F32At(f, fund[0].params + 36), 11.25f);
	EXPECT_EQ(f[fund[0].params + 84], 0);
	EXPECT_EQ(f[fund[0].params + 88], 0);

	EXPECT_FALSE(UConverter::ShouldConvert()) << "converted once";
}

TEST_F(UConverterTest, Version2_0FilesAreConvertedInPlaceBesideTheirOldCopies)
{
	Bytes stockBlock(16);
	stockBlock.U16(0, 100).F32(4, 2.0f).F32(8, 15.0f).F32(12, 1.0f);
	const std::string files[5] = {
	    Settings2_0(),
	    SecurityFile("zv20",
	                 {Record2_0("IBM", "International Business Machines", {0, 5, 9}) + stockBlock.Str()}),
	    SecurityFile("zv20", {Record2_0("FMAGX", "Magellan", {})}),
	    SecurityFile("zv20", {Record2_0("^DJI", "Dow Jones", {2}) + BE16(3)}),
	    SecurityFile("zv20", {Record2_0("EURUSD", "Euro", {}) + BE16(300) + BE16(100)})};
	const char* names[5] = {"Stock Plug-in Prefs", "Stock Plug-in Stocks", "Stock Plug-in Funds",
	                        "Stock Plug-in Indexes", "Stock Plug-in Currencies"};
	for (int i = 0; i < 5; ++i)
		Put(Current(names[i]), files[i]);
	Put(Current("Stock Plug-in Stocks.old"), "kept from before");

	EXPECT_EQ(Convert(), (std::vector<int>{10, 10, 10, 10, 10}));
	for (int i = 0; i < 5; ++i) {
		const std::string kept =
		    i == 1 ? "Stock Plug-in Stocks 2.old" : std::string(names[i]) + ".old";
		EXPECT_EQ(ReadText(Current(kept)), files[i]) << kept;
		EXPECT_EQ(ReadText(Current(names[i])).substr(0, 4), "zv22") << names[i];
	}
	EXPECT_EQ(ReadText(Current("Stock Plug-in Stocks.old")), "kept from before");

	const std::string p = ReadText(Current("Stock Plug-in Prefs"));
	auto at = [&](std::size_t offset) { return 4 + offset; };
	EXPECT_EQ(p.substr(at(0), 7), std::string("\1\1\0\0\0\0\2", 7));
	EXPECT_EQ(U16At(p, at(10)), 0x0202);
	EXPECT_EQ(U16At(p, at(34)), 0xFFFF);
	EXPECT_EQ(p[at(40)], 1);
	EXPECT_EQ(TextAt(p, at(41)), "Courier");
	EXPECT_EQ(U32At(p, at(72)), 22u);
	// The alerts keep everything, their colour and sound switch included.
	EXPECT_EQ(p[at(80)], 1);
	EXPECT_EQ(p[at(81)], ')');
	EXPECT_FLOAT_EQ(F32At(p, at(84)), 4.0f);
	EXPECT_EQ(U16At(p, at(90)), 0x1234);
	EXPECT_EQ(p[at(100)], 1);
	EXPECT_EQ(U32At(p, at(104)), 3u);
	EXPECT_EQ(p[at(108)], 1);
	EXPECT_EQ(TextAt(p, at(112)), "note");
	EXPECT_EQ(U16At(p, at(210)), 0x4321);
	EXPECT_EQ(p[at(220)], 1);
	EXPECT_EQ(p.substr(at(320), 36), files[0].substr(4 + 280, 36));
	EXPECT_EQ(p.substr(at(356), 5), std::string("\1\1\0\0\1", 5));
	EXPECT_EQ(p.substr(at(364), 20), "GoUSGlbMGoEUYaAZXExe");
	EXPECT_EQ(U32At(p, at(384)), 15u);
	EXPECT_EQ(U32At(p, at(400)), 30u);
	EXPECT_EQ(TextAt(p, at(407)), "https://broker.test/");
	EXPECT_EQ(p[at(663)], 11);
	EXPECT_EQ(p[at(668)], 7);
	EXPECT_EQ(TextAt(p, at(669)), "extra");
	EXPECT_EQ(U32At(p, at(768)), 150u);
	const std::size_t m = at(788);
	EXPECT_EQ(p[m], 1);
	EXPECT_EQ(U32At(p, m + 4), 40u);
	EXPECT_EQ(U32At(p, m + 16), 500u);
	EXPECT_EQ(U32At(p, m + 20 + 4), 100u); // columns stay at their defaults
	EXPECT_EQ(TextAt(p, m + 180), "Helvetica");
	EXPECT_EQ(U32At(p, m + 212), 5u);
	EXPECT_EQ(U32At(p, m + 216), 12u);
	EXPECT_EQ(U16At(p, m + 228), 0xFFFF);
	EXPECT_EQ(p[m + 252], 1);
	EXPECT_EQ(p[m + 266], 1);
	EXPECT_EQ(p[m + 271], 1);
	EXPECT_EQ(p[m + 272], 1); // beyond the old record: default

	const std::string s = ReadText(Current("Stock Plug-in Stocks"));
	const auto stock = Records(s, kStockBlock);
	ASSERT_EQ(stock.size(), 1u);
	const std::size_t q = stock[0].params;
	EXPECT_EQ(stock[0].name, "International Business Machines");
	// Three old ticklets: one place on the main ticker.
	EXPECT_EQ(stock[0].tickers, std::vector<UInt32>{0});
	EXPECT_FLOAT_EQ(F32At(s, q + 36), 80.0f);
	EXPECT_EQ(s[q + 76], 1);
	EXPECT_EQ(s.substr(q + 80, 4), "GoUS");
	EXPECT_EQ(s[q + 84], 1);
	EXPECT_EQ(s[q + 89], ')');
	EXPECT_EQ(U16At(s, q + 98), 0x1234);
	EXPECT_EQ(s[q + 108], 1);
	EXPECT_EQ(s[q + 208], 0);
	EXPECT_EQ(U16At(s, q + 222), 0x4321);
	EXPECT_EQ(s[q + 332], 11);
	ExpectDetailWindow(s, q, 50, 60, 3);
	EXPECT_EQ(U16At(s, stock[0].tail), 100);
	EXPECT_FLOAT_EQ(F32At(s, stock[0].tail + 8), 15.0f);

	const std::string x = ReadText(Current("Stock Plug-in Indexes"));
	const auto index = Records(x, 2);
	ASSERT_EQ(index.size(), 1u);
	EXPECT_EQ(index[0].tickers, std::vector<UInt32>{0});
	EXPECT_EQ(U16At(x, index[0].tail), 3);
	const std::string c = ReadText(Current("Stock Plug-in Currencies"));
	const auto pair = Records(c, 4);
	ASSERT_EQ(pair.size(), 1u);
	EXPECT_TRUE(pair[0].tickers.empty());
	EXPECT_EQ(U16At(c, pair[0].tail), 300);
	EXPECT_EQ(U16At(c, pair[0].tail + 2), 100);

	EXPECT_FALSE(UConverter::ShouldConvert()) << "converted once";
}

TEST_F(UConverterTest, FileThatCannotBeWrittenStaysAsItWasAndIsReported)
{
	const std::string settings = Settings2_0();
	const std::string stocks =
	    SecurityFile("zv20", {Record2_0("IBM", "IBM", {}) + std::string(16, '\0')});
	Put(Current("Stock Plug-in Prefs"), settings);
	Put(Current("Stock Plug-in Stocks"), stocks);
	short error = 0;
	std::vector<int> results;
	{
		// Room for the stocks, not for the settings.
		StFileSizeLimit disk(1000);
		results = Convert(&error);
	}
	EXPECT_EQ(results, (std::vector<int>{13, 10, 11, 11, 11}));
	EXPECT_NE(error, 0);
	EXPECT_EQ(ReadText(Current("Stock Plug-in Prefs")), settings);
	EXPECT_FALSE(std::filesystem::exists(Current("Stock Plug-in Prefs.old")));
	EXPECT_EQ(ReadText(Current("Stock Plug-in Stocks.old")), stocks);
	// The settings are offered again at the next start, the stocks now being current.
	EXPECT_EQ(Convert(), (std::vector<int>{10, 11, 11, 11, 11}));
	EXPECT_EQ(ReadText(Current("Stock Plug-in Prefs.old")), settings);
	EXPECT_FALSE(UConverter::ShouldConvert());
}

TEST_F(UConverterTest, UnsupportedAndDamagedFilesAreReportedAndNotWritten)
{
	Bytes stock(132);
	stock.U8(0, 1).U16(2, 100).Date(4, 12, 5, 6, 1999).F32(32, 30.0f).F32(60, 31.5f).U32(72, 900);
	stock.F32(92, 2.5f).U8(104, 1).U32(108, 70).U32(112, 80).U8(116, 2);
	Put(Former("Kestrun Prefs"), "Ver2" + std::string(528, '\1'));
	Put(Former("Kestrun Stocks"),
	    SecurityFile("Ver1", {Counted("GE") + Counted("General Electric") + stock.Str()}));
	Put(Former("Kestrun Funds"), SecurityFile("Ver2", {}));
	// Two indexes promised, one there.
	const std::string index = Record1_6("^DJI", "Dow", '(');
	Put(Former("Kestrun Indexes"), "zv16" + BE32(2) + index);
	Put(Former("Stock Plug-in Currencies"), SecurityFile("zv16", {}));

	EXPECT_EQ(Convert(), (std::vector<int>{12, 10, 12, 12, 12}));
	EXPECT_FALSE(std::filesystem::exists(Current("Stock Plug-in Prefs")));
	EXPECT_FALSE(std::filesystem::exists(Current("Stock Plug-in Funds")));
	EXPECT_FALSE(std::filesystem::exists(Current("Stock Plug-in Indexes")));
	EXPECT_EQ(ReadText(Current("Stock Plug-in Currencies")), "zv22" + BE32(0));

	const std::string s = ReadText(Current("Stock Plug-in Stocks"));
	const auto records = Records(s, kStockBlock);
	ASSERT_EQ(records.size(), 1u);
	const std::size_t q = records[0].params;
	EXPECT_EQ(s.substr(q, 2), std::string("\1\1", 2));
	EXPECT_EQ(U16At(s, q + 2 + 6), 12); // the hour of the last update
	EXPECT_FLOAT_EQ(F32At(s, q + 16), 30.0f);
	EXPECT_FLOAT_EQ(F32At(s, q + 36), 31.5f);
	EXPECT_EQ(U32At(s, q + 48), 900u);
	EXPECT_EQ(s[q + 76], 0);
	EXPECT_EQ(s.substr(q + 80, 4), "qNON");
	EXPECT_EQ(s[q + 84], 0);
	EXPECT_EQ(s[q + 89], ')'); // the default losing alert
	ExpectDetailWindow(s, q, 70, 80, 2);
	EXPECT_EQ(U16At(s, records[0].tail), 100);
	EXPECT_FLOAT_EQ(F32At(s, records[0].tail + 4), 2.5f);
}

class UConverterPortfolioTest : public TempHomeFixture
{
protected:
	std::string Portfolio2_0(int categories, int entries, UInt32 damagedCount = 0)
	{
		Bytes parameters(400);
		parameters.U8(0, 7).U32(4, 40).U32(8, 50).U32(12, 300).U32(16, 400).U8(23, 5);
		parameters.U16(32, 300)
		    .U16(34, 900)
		    .U8(36, 1)
		    .Date(38, 0, 1, 1, 2001)
		    .Date(52, 0, 31, 12, 2004);
		parameters.Text(66, "Times").U32(100, 20).U32(104, 11).U8(108, 2).U32(112, 4);
		parameters.RGB(122, 0x1000, 0x2000, 0x3000).U8(140, 102).U8(141, 103).U8(142, 1).U8(143, 1);
		parameters.RGB(150, 0x3333, 0x3333, 0x3333)
		    .Text(156, Alert2_0(')', 0x1234))
		    .Text(260, Alert2_0('(', 0x4321));
		parameters.U8(364, 1).Text(365, "\x2A\x17").U8(396, 1);
		std::string file = "zv20" + parameters.Str() + BE32(UInt32(categories));
		for (int i = 0; i < categories; ++i)
			file += Bytes(52).Text(0, "Cat " + std::to_string(i)).U32(32, 100 + i).Str();
		file += BE32(damagedCount != 0 ? damagedCount : UInt32(entries));
		for (int i = 0; i < entries; ++i)
			file += Bytes(188)
			            .Date(0, 0, 2, 3, 2002)
			            .U8(14, 100)
			            .Text(15, "E" + std::to_string(i))
			            .U8(187, 9)
			            .Str();
		return file;
	}

	modeltest::ModelTestEnvironment mEnv;
};

TEST_F(UConverterPortfolioTest, FormerPortfolioIsRewrittenBesideItsOldCopy)
{
	const std::string old = Portfolio2_0(3, 5);
	mScratch->Write("Savings", old);
	mScratch->Write("Savings.old", "an earlier copy");
	auto file = mScratch->File("Savings");
	EXPECT_TRUE(UConverter::ShouldConvertPortfolio(file.get()));
	ASSERT_EQ(UConverter::ConvertPortfolio(file.get()), 0);
	EXPECT_FALSE(UConverter::ShouldConvertPortfolio(file.get()));
	EXPECT_EQ(mScratch->Read("Savings 2.old"), old);
	EXPECT_EQ(mScratch->Read("Savings.old"), "an earlier copy");

	const std::string n = mScratch->Read("Savings");
	ASSERT_EQ(n.size(), 4u + 696 + 4 + 156 + 4 + 1100);
	EXPECT_EQ(n.substr(0, 4), "zv22");
	auto at = [](std::size_t offset) { return 4 + offset; };
	EXPECT_EQ(n[at(0)], 7);
	EXPECT_EQ(U32At(n, at(16)), 400u);
	EXPECT_EQ(n.substr(at(20), 10), std::string(10, '\0'));
	EXPECT_EQ(U16At(n, at(30)), 300);
	EXPECT_EQ(U16At(n, at(32)), 900);
	EXPECT_EQ(n[at(34)], 1);
	EXPECT_EQ(U16At(n, at(36 + 12)), 2001);
	EXPECT_EQ(U16At(n, at(50 + 12)), 2004);
	EXPECT_EQ(TextAt(n, at(64)), "Times");
	EXPECT_EQ(U32At(n, at(96)), 20u);
	EXPECT_EQ(U32At(n, at(100)), 11u);
	EXPECT_EQ(n[at(104)], 2);
	EXPECT_EQ(U32At(n, at(108)), 4u);
	EXPECT_EQ(U32At(n, at(112)), 4u);
	EXPECT_EQ(U16At(n, at(124)), 0x2000);
	EXPECT_EQ(n[at(140)], 1);
	EXPECT_EQ(U16At(n, at(148)), 0x3333);
	EXPECT_EQ(n.substr(at(154), 3), std::string("\x66\x67\1", 3));
	EXPECT_EQ(U16At(n, at(160 + 10)), 0x1234);
	EXPECT_EQ(n[at(160 + 20)], 1);
	EXPECT_EQ(U16At(n, at(280 + 10)), 0x4321);
	EXPECT_EQ(n[at(400)], 1);
	EXPECT_EQ(TextAt(n, at(401)), "\x2A\x17"); // scrambled as it was stored
	EXPECT_EQ(n[at(432)], 1);
	EXPECT_EQ(n.substr(at(433), 5), std::string("\1\0\0\0\1", 5));
	EXPECT_EQ(TextAt(n, at(696 + 4 + 52)), "Cat 1");
	const std::size_t ledger = at(696 + 4 + 156 + 4);
	EXPECT_EQ(n.substr(ledger + 220, 188), old.substr(4 + 400 + 4 + 156 + 4 + 188, 188));
	EXPECT_EQ(n.substr(ledger + 220 + 188, 32), std::string(32, '\0'));

	// Through a link, the old copy goes beside the file the link names, under a name free there.
	mScratch->Write("Elsewhere", old);
	mScratch->Write("Latest.old", "taken");
	mScratch->MakeFolder("links");
	std::filesystem::create_symlink("../Elsewhere", mScratch->Path("links/Latest"));
	ASSERT_EQ(UConverter::ConvertPortfolio(mScratch->File("links/Latest").get()), 0);
	EXPECT_EQ(mScratch->Read("Latest 2.old"), old);
	EXPECT_EQ(mScratch->Read("Latest.old"), "taken");
	EXPECT_EQ(killedreplace::Entries(mScratch->Path("links")), std::vector<std::string>{"Latest"});
}

TEST_F(UConverterPortfolioTest, AConversionThatFailsOrIsKilledLeavesTheFormerFileUnderItsName)
{
	const std::string old = Portfolio2_0(2, 400);
	mScratch->MakeFolder("docs");
	mScratch->Write("docs/Savings", old);
	{
		StFileSizeLimit disk(old.size() / 2);
		EXPECT_NE(UConverter::ConvertPortfolio(mScratch->File("docs/Savings").get()), 0);
	}
	EXPECT_EQ(mScratch->Read("docs/Savings"), old);
	EXPECT_EQ(killedreplace::Entries(mScratch->Path("docs")), std::vector<std::string>{"Savings"});

	for (ReplaceStep step : killedreplace::kEverySteps) {
		SCOPED_TRACE(int(step));
		ASSERT_TRUE(killedreplace::KilledAt(
		    step, [&] { UConverter::ConvertPortfolio(mScratch->File("docs/Savings").get()); }));
		const bool converted = step == ReplaceStep::kReplaced;
		EXPECT_EQ(UConverter::ShouldConvertPortfolio(mScratch->File("docs/Savings").get()),
		          !converted);
		if (!converted) {
			EXPECT_EQ(mScratch->Read("docs/Savings"), old);
		}
		const bool kept = converted || step == ReplaceStep::kFormerKept;
		ASSERT_EQ(mScratch->Exists("docs/Savings.old"), kept);
		if (kept) {
			EXPECT_EQ(mScratch->Read("docs/Savings.old"), old);
		}
		// What the kill left is swept as the next save beside it would.
		ASSERT_EQ(PathRemoveStaleReplacements(mScratch->Path("docs"), 0), noErr);
		const std::vector<std::string> left = kept
		                                          ? std::vector<std::string>{"Savings", "Savings.old"}
		                                          : std::vector<std::string>{"Savings"};
		EXPECT_EQ(killedreplace::Entries(mScratch->Path("docs")), left);
		mScratch->Write("docs/Savings", old);
		std::filesystem::remove(mScratch->Path("docs/Savings.old"));
	}

	// The next conversion sweeps what a killed one left.
	ASSERT_TRUE(killedreplace::KilledAt(ReplaceStep::kKeptCopyWritten, [&] {
		UConverter::ConvertPortfolio(mScratch->File("docs/Savings").get());
	}));
	EXPECT_EQ(killedreplace::Entries(mScratch->Path("docs")).size(), 3u);
	killedreplace::StLaterWallClock later;
	ASSERT_EQ(UConverter::ConvertPortfolio(mScratch->File("docs/Savings").get()), 0);
	EXPECT_EQ(killedreplace::Entries(mScratch->Path("docs")),
	          (std::vector<std::string>{"Savings", "Savings.old"}));
}

TEST_F(UConverterPortfolioTest, DamagedOrForeignPortfolioIsLeftAsItWas)
{
	const std::string damaged = Portfolio2_0(1, 2, 900);
	mScratch->Write("Broken", damaged);
	auto broken = mScratch->File("Broken");
	EXPECT_NE(UConverter::ConvertPortfolio(broken.get()), 0);
	EXPECT_EQ(mScratch->Read("Broken"), damaged);
	EXPECT_FALSE(mScratch->Exists("Broken.old"));

	mScratch->Write("Notes", "Dear diary");
	auto notes = mScratch->File("Notes");
	EXPECT_TRUE(UConverter::ShouldConvertPortfolio(notes.get()));
	EXPECT_NE(UConverter::ConvertPortfolio(notes.get()), 0);
	EXPECT_EQ(mScratch->Read("Notes"), "Dear diary");
	EXPECT_FALSE(mScratch->Exists("Notes.old"));
}

} // namespace
