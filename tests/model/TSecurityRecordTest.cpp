#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/TempHomeFixture.h"

#include <bit>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>

using namespace modeltest;

namespace
{

// Big-endian pieces of an expected record.
struct Bytes {
	std::string data;
	Bytes& u8(unsigned v)
	{
		data += char(v);
		return *this;
	}
	Bytes& u16(unsigned v) { return u8(v >> 8).u8(v & 0xFF); }
	Bytes& u32(UInt32 v) { return u16(v >> 16).u16(v & 0xFFFF); }
	Bytes& f32(float v) { return u32(std::bit_cast<UInt32>(v)); }
	Bytes& zeros(std::size_t n)
	{
		data.append(n, '\0');
		return *this;
	}
	Bytes& text(const std::string& s) { return u32(UInt32(s.size() + 1)).raw(s).u8(0); }
	Bytes& raw(const std::string& s)
	{
		data += s;
		return *this;
	}
	// A never-set date: undefined millisecond, every other field 0.
	Bytes& undefinedDate() { return u16(0xFFFF).zeros(12); }
	Bytes& alert(unsigned condition, const RGBColor& colour)
	{
		u8(0).u8(condition).zeros(2).f32(10.0f).u8(1).zeros(1);
		u16(colour.red).u16(colour.green).u16(colour.blue);
		return u8(1).zeros(120 - 17);
	}
};

class SecurityRecordTest : public TempHomeFixture
{
protected:
	std::string Store(TSecurity& security)
	{
		TVyFile file;
		file.SetFileName("record");
		file.CreateFile();
		file.SetMode(kFileModeWrite);
		EXPECT_EQ(file.Open(), 0);
		EXPECT_EQ(security.Backup(&file), 0);
		file.Close();
		return ReadText(mWork + "/record");
	}

	short Load(const std::string& bytes, TSecurity& security)
	{
		WriteText(mWork + "/record", bytes);
		TVyFile file;
		file.SetFileName("record");
		file.SetMode(kFileModeRead);
		EXPECT_EQ(file.Open(), 0);
		const short err = security.Restore(&file);
		file.Close();
		return err;
	}

	static void Fill(TSecurity& s)
	{
		s.SecuritySymbol("XYZ.L");
		s.SecurityName("Xylophone \x8A Co");
		s.MenuEnabled(false);
		s.CurrentTradePrice(12.75f);
		s.CurrentTradeBid(12.5f);
		s.CurrentTradeAsk(13.0f);
		s.CurrentTradeVolume(4000000000u);
		s.YesterdayClose(12.0f);
		s.DayOpen(11.5f);
		s.DayHigh(13.25f);
		s.DayLow(11.25f);
		s.DayVolume(77);
		s.YearHigh(20.0f);
		s.YearLow(kNoValue);
		s.OverrideQuoter(true);
		s.Quoter(FOUR_CHAR_CODE("YaUS"));
		s.OverrideLosingAlert(true);
		s.AlertLosingParameters()->limit = -2.5f;
		s.AlertLosingParameters()->reserved[88] = 0x5A;
		s.AlertGainingParameters()->soundID = 3;
		s.ViewType(12);
		s.DetailWindowOpenOnQuit(true);
		s.DetailWindowPosition(120, -40, 3);
		s.OutputFileEnabled(true);
		s.FileText("<<SYMBOL>> <<PRICE>>", 20);
		TVyDate updated;
		updated.SetYear(2024);
		updated.SetMonth(2);
		updated.SetDay(29);
		updated.SetHour(16);
		updated.SetMinute(5);
		updated.SetSecond(30);
		updated.SetMillisecond(250);
		s.LastUpdate(&updated);
		updated.AdjustDays(-1);
		s.CurrentTradeUpdate(&updated);
		AddOwner(s, 0);
		AddOwner(s, 4000000001u);
	}

	static void AddOwner(TSecurity& s, UInt32 id)
	{
		s.GetTickletOwners()->Append(new TSecurity::tTickletOwner{id, nullptr});
	}

	static void ExpectSame(TSecurity& a, TSecurity& b)
	{
		EXPECT_EQ(a.Type(), b.Type());
		EXPECT_STREQ(a.SecuritySymbol(), b.SecuritySymbol());
		EXPECT_STREQ(a.SecurityName(), b.SecurityName());
		const tSecurityParameters &pa = *a.AllParameters(), &pb = *b.AllParameters();
		EXPECT_EQ(pa.menuEnabled, pb.menuEnabled);
		EXPECT_EQ(pa.summaryEnabled, pb.summaryEnabled);
		for (auto field :
		     {&tSecurityParameters::yesterdayClose, &tSecurityParameters::dayOpen,
		      &tSecurityParameters::dayHigh, &tSecurityParameters::dayLow,
		      &tSecurityParameters::currentTradePrice, &tSecurityParameters::currentTradeBid,
		      &tSecurityParameters::currentTradeAsk, &tSecurityParameters::yearHigh,
		      &tSecurityParameters::yearLow})
			EXPECT_EQ(std::bit_cast<UInt32>(pa.*field), std::bit_cast<UInt32>(pb.*field));
		EXPECT_EQ(pa.dayVolume, pb.dayVolume);
		EXPECT_EQ(pa.currentTradeVolume, pb.currentTradeVolume);
		EXPECT_EQ(pa.overrideQuoter, pb.overrideQuoter);
		EXPECT_EQ(pa.quoter, pb.quoter);
		EXPECT_EQ(pa.overrideLosingAlert, pb.overrideLosingAlert);
		EXPECT_EQ(pa.overrideGainingAlert, pb.overrideGainingAlert);
		EXPECT_EQ(pa.viewType, pb.viewType);
		EXPECT_EQ(pa.detailWindowOpenOnQuit, pb.detailWindowOpenOnQuit);
		EXPECT_EQ(pa.detailWindowTop, pb.detailWindowTop);
		EXPECT_EQ(pa.detailWindowLeft, pb.detailWindowLeft);
		EXPECT_EQ(pa.zoomState, pb.zoomState);
		for (auto alert : {&tSecurityParameters::alertLosingParameters,
		                   &tSecurityParameters::alertGainingParameters}) {
			const tAlertParameters &x = pa.*alert, &y = pb.*alert;
			EXPECT_EQ(x.condition, y.condition);
			EXPECT_EQ(x.limit, y.limit);
			EXPECT_EQ(x.colour.red, y.colour.red);
			EXPECT_EQ(x.colour.green, y.colour.green);
			EXPECT_EQ(x.colour.blue, y.colour.blue);
			EXPECT_EQ(x.flash, y.flash);
			EXPECT_EQ(x.soundID, y.soundID);
			EXPECT_EQ(std::memcmp(x.reserved, y.reserved, sizeof(x.reserved)), 0);
		}
		EXPECT_TRUE(*a.LastUpdate() == *b.LastUpdate());
		EXPECT_TRUE(*a.CurrentTradeUpdate() == *b.CurrentTradeUpdate());
		EXPECT_EQ(a.OutputFileEnabled(), b.OutputFileEnabled());
		ASSERT_EQ(a.FileText() == nullptr, b.FileText() == nullptr);
		if (a.FileText() != nullptr) {
			EXPECT_STREQ(a.FileText(), b.FileText());
		}
		EXPECT_EQ(a.OutputFile() == nullptr, b.OutputFile() == nullptr);
		ASSERT_EQ(a.GetTickletOwners()->Count(), b.GetTickletOwners()->Count());
		for (long i = 1; i <= a.GetTickletOwners()->Count(); ++i) {
			EXPECT_EQ(a.GetTickletOwners()->GetNth(i)->tickerID,
			          b.GetTickletOwners()->GetNth(i)->tickerID);
			EXPECT_EQ(b.GetTickletOwners()->GetNth(i)->ticklet, nullptr);
		}
	}

	ModelTestEnvironment mEnv;
};

TEST_F(SecurityRecordTest, NewFundIsA379ByteRecordInTheStoredLayout)
{
	TFund fund;
	fund.SecuritySymbol("ABC");
	fund.SecurityName("Abc Fund");
	const std::string stored = Store(fund);

	const RGBColor orange{0xFFFF, 0x9999, 0};
	const RGBColor yellow{0xFFFF, 0xFFFF, 0};
	Bytes expected;
	expected.text("ABC").text("Abc Fund");
	expected.u8(1).u8(1).undefinedDate();
	for (int i = 0; i < 4; ++i)
		expected.f32(kNoValue);
	expected.u32(0);
	for (int i = 0; i < 3; ++i)
		expected.f32(kNoValue);
	expected.u32(0).undefinedDate().zeros(2).f32(kNoValue).f32(kNoValue);
	expected.u8(0).zeros(3).raw("qNON").u8(0).zeros(3).alert(41, orange);
	expected.u8(0).zeros(3).alert(40, yellow);
	expected.u8(11).u8(0).zeros(2).u32(0).u32(0).u8(1).zeros(3);
	expected.u8(0).u32(0).u8(0).u32(0);

	ASSERT_EQ(expected.data.size(), 379u);
	EXPECT_EQ(stored.size(), 379u);
	EXPECT_EQ(stored, expected.data);

	TFund restored;
	ASSERT_EQ(Load(stored, restored), 0);
	ExpectSame(fund, restored);
	EXPECT_EQ(Store(restored), stored);
}

TEST_F(SecurityRecordTest, EveryKindRoundTripsWithAllItsFields)
{
	TStock stock;
	TFund fund;
	TIndex index;
	TCurrency pair;
	Fill(stock);
	stock.Exchange(312);
	stock.EarningsPerShare(1.25f);
	stock.Capitalization(9.5e9f);
	stock.StockParameters()->reservedFigures[3] = 4.0f;
	Fill(fund);
	Fill(index);
	index.Index(900);
	Fill(pair);
	pair.CurrencyFrom(204);
	pair.CurrencyTo(100);
	pair.UpdateSecurityReference(reinterpret_cast<TURLRequest*>(&pair));

	const std::size_t common = Store(fund).size();
	EXPECT_EQ(Store(stock).size(), common + 84);
	EXPECT_EQ(Store(index).size(), common + 2);
	EXPECT_EQ(Store(pair).size(), common + 4);

	TStock stock2;
	ASSERT_EQ(Load(Store(stock), stock2), 0);
	ExpectSame(stock, stock2);
	EXPECT_EQ(stock2.Exchange(), 312);
	EXPECT_EQ(stock2.EarningsPerShare(), 1.25f);
	EXPECT_EQ(stock2.Capitalization(), 9.5e9f);
	EXPECT_EQ(stock2.StockParameters()->reservedFigures[3], 4.0f);

	TFund fund2;
	ASSERT_EQ(Load(Store(fund), fund2), 0);
	ExpectSame(fund, fund2);

	TIndex index2;
	ASSERT_EQ(Load(Store(index), index2), 0);
	ExpectSame(index, index2);
	EXPECT_EQ(index2.Index(), 900);

	TCurrency pair2;
	ASSERT_EQ(Load(Store(pair), pair2), 0);
	ExpectSame(pair, pair2);
	EXPECT_EQ(pair2.CurrencyFrom(), 204);
	EXPECT_EQ(pair2.CurrencyTo(), 100);
	EXPECT_EQ(pair2.UpdateSecurityReference(), nullptr);
	pair.UpdateSecurityReference(nullptr);
}

TEST_F(SecurityRecordTest, TemplateOutputFileAndOwnersAreOptional)
{
	TFund fund;
	fund.OutputFileEnabled(true);
	const std::string bare = Store(fund);
	// Switch 1, template length 0, no file object, no owners.
	EXPECT_EQ(bare.substr(bare.size() - 10), std::string("\x01\0\0\0\0\0\0\0\0\0", 10));

	TVyFile* output = new TVyFile;
	output->SetFileName("out.txt");
	fund.OutputFile(output);
	fund.FileText("abc", 3);
	const std::string withFile = Store(fund);
	EXPECT_EQ(withFile.substr(bare.size() - 9, 9), std::string("\0\0\0\x04"
	                                                           "abc\0\x01",
	                                                           9));

	TFund restored;
	restored.FileText("old", 3);
	ASSERT_EQ(Load(withFile, restored), 0);
	ASSERT_NE(restored.OutputFile(), nullptr);
	char name[64];
	restored.OutputFile()->GetFileName(name);
	EXPECT_STREQ(name, "out.txt");
	EXPECT_STREQ(restored.FileText(), "abc");

	ASSERT_EQ(Load(bare, restored), 0);
	EXPECT_EQ(restored.OutputFile(), nullptr);
	EXPECT_EQ(restored.FileText(), nullptr);
}

TEST_F(SecurityRecordTest, OwnerRecordsKeepTheirIdsAndIgnoreTheirReservedBytes)
{
	TIndex index;
	AddOwner(index, 0);
	AddOwner(index, 12);
	std::string stored = Store(index);
	// u32 count, then per owner the id and four reserved bytes, then the index.
	const std::size_t owners = stored.size() - 2 - 16 - 4;
	EXPECT_EQ(stored.substr(owners, 20), std::string("\0\0\0\x02\0\0\0\0\0\0\0\0\0\0\0\x0C\0\0\0\0", 20));
	stored[owners + 4 + 4] = '\x7F';
	TIndex restored;
	ASSERT_EQ(Load(stored, restored), 0);
	ASSERT_EQ(restored.GetTickletOwners()->Count(), 2);
	EXPECT_EQ(restored.GetTickletOwners()->GetNth(2)->tickerID, 12u);
	EXPECT_TRUE(restored.IsActiveTicker(0));
}

TEST_F(SecurityRecordTest, RestoringAStockResetsItFirst)
{
	TStock source;
	source.DividendPerShare(kNoValue);
	const std::string stored = Store(source);
	TStock target;
	target.DividendPerShare(0.5f);
	target.CurrentTradePrice(3.0f);
	const char headline[] = "Old news";
	const char host[] = "example.net";
	tNewsEntry entry{headline, 8, host, 11, nullptr, 0};
	target.AddNewsItem(&entry);
	ASSERT_EQ(Load(stored, target), 0);
	EXPECT_EQ(std::bit_cast<UInt32>(target.DividendPerShare()), 0xC61C3FF6u);
	EXPECT_EQ(target.GetNewsList()->Count(), 0);
}

TEST_F(SecurityRecordTest, EveryTruncatedRecordIsAnErrorAndLeavesTheSecurityAsItWas)
{
	TStock stock;
	Fill(stock);
	stock.OutputFile(new TVyFile);
	const std::string stored = Store(stock);

	const auto prepare = [](TStock& s) {
		s.SecuritySymbol("OLD");
		s.SecurityName("Old name");
		s.CurrentTradePrice(1.5f);
		s.DividendPerShare(0.5f);
		s.AlertLosingParameters()->reserved[3] = 7;
		AddOwner(s, 9);
	};
	TStock expected;
	prepare(expected);
	for (std::size_t length = 0; length < stored.size(); ++length) {
		TStock restored;
		prepare(restored);
		ASSERT_NE(Load(stored.substr(0, length), restored), 0) << "cut at " << length;
		ExpectSame(expected, restored);
		ASSERT_EQ(restored.DividendPerShare(), 0.5f) << "cut at " << length;
	}

	// Restoring into a used security replaces its owners rather than adding to them.
	TStock whole;
	prepare(whole);
	ASSERT_EQ(Load(stored, whole), 0);
	ASSERT_EQ(Load(stored, whole), 0);
	ExpectSame(stock, whole);
}

TEST_F(SecurityRecordTest, DamagedLengthsAndFlagsAreErrors)
{
	TFund fund;
	fund.SecuritySymbol("ABC");
	fund.SecurityName("Abc Fund");
	const std::string stored = Store(fund);

	// A symbol length far past the end of the file is refused before anything is read.
	std::string damaged = stored;
	damaged[0] = '\x7F';
	TFund restored;
	EXPECT_EQ(Load(damaged, restored), kVyFileEOF);
	EXPECT_STREQ(restored.SecuritySymbol(), "");

	// An owner count past the end of the file.
	damaged = stored;
	damaged[damaged.size() - 4] = '\x40';
	EXPECT_EQ(Load(damaged, restored), kVyFileEOF);
	EXPECT_EQ(restored.GetTickletOwners()->Count(), 0);

	// The file flag is 0 or 1.
	damaged = stored;
	damaged[damaged.size() - 5] = 2;
	EXPECT_NE(Load(damaged, restored), 0);

	// A stored symbol without its terminator is cut at its length.
	damaged = stored;
	damaged[7] = 'D';
	ASSERT_EQ(Load(damaged, restored), 0);
	EXPECT_STREQ(restored.SecuritySymbol(), "ABCD");
	EXPECT_STREQ(restored.SecurityName(), "Abc Fund");
}

} // namespace
