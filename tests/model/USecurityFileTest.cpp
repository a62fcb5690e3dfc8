#include "model/USecurityFile.h"

#include "foundation/TVyBufferFile.h"
#include "model/TCurrency.h"
#include "model/TIndex.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/TempHomeFixture.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <utility>

using namespace modeltest;

namespace
{

class TSizeCountingFile : public TVyBufferFile
{
public:
	unsigned long Size() override
	{
		mSizeQueries++;
		return TVyBufferFile::Size();
	}
	long mSizeQueries = 0;
};

// The process's read and write system calls so far.
std::pair<long, long> SystemCalls()
{
	std::ifstream io("/proc/self/io");
	std::string key;
	long value = 0, reads = -1, writes = -1;
	while (io >> key >> value) {
		if (key == "syscr:")
			reads = value;
		if (key == "syscw:")
			writes = value;
	}
	return {reads, writes};
}

class SecurityFileTest : public TempHomeFixture
{
protected:
	short WriteList(TList<TSecurity>& list)
	{
		TVyBufferFile file;
		file.SetFileName("list");
		file.CreateFile();
		file.SetMode(kFileModeWrite);
		EXPECT_EQ(file.Open(), 0);
		const short err = USecurityFile::WriteSecurities(&file, &list);
		file.Close();
		return err;
	}

	short ReadList(tSecurityType kind, TList<TSecurity>& list)
	{
		TSizeCountingFile file;
		file.SetFileName("list");
		file.SetMode(kFileModeRead);
		EXPECT_EQ(file.Open(), 0);
		const short err = USecurityFile::ReadSecurities(&file, kind, &list);
		file.Close();
		mSizeQueries = file.mSizeQueries;
		return err;
	}

	long mSizeQueries = 0;

	ModelTestEnvironment mEnv;
};

TEST_F(SecurityFileTest, EachKindRoundTripsThroughItsFile)
{
	for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency}) {
		SCOPED_TRACE(kind);
		TList<TSecurity> list(false, true);
		for (const char* symbol : {"AAA", "BB", "C"}) {
			TSecurity* security = USecurityFile::NewSecurity(kind);
			ASSERT_NE(security, nullptr);
			security->SecuritySymbol(symbol);
			security->CurrentTradePrice(float(std::string(symbol).size()));
			list.Append(security);
		}
		if (kind == securityIndex)
			static_cast<TIndex*>(list.GetNth(2))->Index(104);
		if (kind == securityCurrency)
			static_cast<TCurrency*>(list.GetNth(3))->CurrencyTo(215);
		// Bytes of no known meaning are kept through a read and a write.
		list.GetNth(1)->AllParameters()->reserved345[2] = 0x5A;
		list.GetNth(2)->AlertGainingParameters()->reserved2[1] = 0xA5;
		ASSERT_EQ(WriteList(list), 0);

		const std::string stored = ReadText(mWork + "/list");
		EXPECT_EQ(stored.substr(0, 8), std::string("zv22\0\0\0\x03", 8));

		TList<TSecurity> read(false, true);
		ASSERT_EQ(ReadList(kind, read), 0);
		ASSERT_EQ(read.Count(), 3);
		for (long i = 1; i <= 3; ++i) {
			EXPECT_EQ(read.GetNth(i)->Type(), kind);
			EXPECT_STREQ(read.GetNth(i)->SecuritySymbol(), list.GetNth(i)->SecuritySymbol());
			EXPECT_EQ(read.GetNth(i)->CurrentTradePrice(), list.GetNth(i)->CurrentTradePrice());
		}
		if (kind == securityIndex) {
			EXPECT_EQ(static_cast<TIndex*>(read.GetNth(2))->Index(), 104);
		}
		if (kind == securityCurrency) {
			EXPECT_EQ(static_cast<TCurrency*>(read.GetNth(3))->CurrencyTo(), 215);
		}
		ASSERT_EQ(WriteList(read), 0);
		EXPECT_EQ(ReadText(mWork + "/list"), stored);
	}
}

TEST_F(SecurityFileTest, ThousandsOfSecuritiesCostAFewSystemCallsPerFile)
{
	constexpr long kCount = 3000;
	TList<TSecurity> list(false, true);
	for (long i = 0; i < kCount; ++i) {
		TSecurity* stock = USecurityFile::NewSecurity(securityStock);
		stock->SecuritySymbol(("S" + std::to_string(i)).c_str());
		stock->SecurityName("A company of some length");
		list.Append(stock);
	}
	const auto beforeWrite = SystemCalls();
	ASSERT_GE(beforeWrite.first, 0) << "no system call counts here";
	ASSERT_EQ(WriteList(list), 0);
	const auto afterWrite = SystemCalls();
	const long blocks = long(ReadText(mWork + "/list").size() / TVyBufferFile::kDefaultBufferSize) + 1;
	EXPECT_LE(afterWrite.second - beforeWrite.second, blocks + blocks / 8 + 4);

	TList<TSecurity> read(false, true);
	const auto beforeRead = SystemCalls();
	ASSERT_EQ(ReadList(securityStock, read), 0);
	const auto afterRead = SystemCalls();
	EXPECT_EQ(read.Count(), kCount);
	EXPECT_LE(afterRead.first - beforeRead.first, blocks + blocks / 8 + 4)
	    << afterRead.first - beforeRead.first;
	EXPECT_LE(mSizeQueries, 2);
}

TEST_F(SecurityFileTest, NamesAndTypesPerKind)
{
	EXPECT_STREQ(USecurityFile::FileName(securityStock), "Stock Plug-in Stocks");
	EXPECT_STREQ(USecurityFile::FileName(securityCurrency), "Stock Plug-in Currencies");
	EXPECT_EQ(USecurityFile::FileType(securityFund), FOUR_CHAR_CODE("zvFF"));
	EXPECT_EQ(USecurityFile::FileType(securityIndex), FOUR_CHAR_CODE("zvIF"));
	EXPECT_EQ(USecurityFile::FileName(999), nullptr);
	EXPECT_EQ(USecurityFile::NewSecurity(200), nullptr);
}

TEST_F(SecurityFileTest, DamagedFilesAreErrorsAndKeepWhatWasRead)
{
	TList<TSecurity> list(false, true);
	for (const char* symbol : {"ONE", "TWO"}) {
		TSecurity* stock = USecurityFile::NewSecurity(securityStock);
		stock->SecuritySymbol(symbol);
		list.Append(stock);
	}
	ASSERT_EQ(WriteList(list), 0);
	const std::string stored = ReadText(mWork + "/list");

	std::string damaged = stored;
	damaged[3] = '1';
	WriteText(mWork + "/list", damaged);
	TList<TSecurity> read(false, true);
	EXPECT_EQ(ReadList(securityStock, read), kVyFileOther);
	EXPECT_EQ(read.Count(), 0);

	// A count that the file cannot hold is a file cut short: the whole records are still read.
	damaged = stored;
	damaged[4] = '\x10';
	WriteText(mWork + "/list", damaged);
	EXPECT_EQ(ReadList(securityStock, read), kVyFileEOF);
	ASSERT_EQ(read.Count(), 2);
	EXPECT_STREQ(read.GetNth(2)->SecuritySymbol(), "TWO");
	read.Clear();

	WriteText(mWork + "/list", stored.substr(0, stored.size() - 10));
	EXPECT_EQ(ReadList(securityStock, read), kVyFileEOF);
	ASSERT_EQ(read.Count(), 1);
	EXPECT_STREQ(read.GetNth(1)->SecuritySymbol(), "ONE");
}

} // namespace
