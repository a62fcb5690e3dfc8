#include "foundation/XPlatform/TParseFile.h"

#include "foundation/TVyFile.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

class TParseFileTest : public ::testing::Test
{
protected:
	std::vector<std::string> Records(const std::string& contents)
	{
		mFolder.Write("in.txt", contents);
		auto file = mFolder.File("in.txt");
		EXPECT_EQ(mParser.ProcessFile(file.get(), nullptr, nullptr), 1);
		std::vector<std::string> records;
		for (long n = 1; n <= mParser.RecordCount(); n++) {
			unsigned long length = 0;
			char* text = mParser.GetNth(length, n);
			EXPECT_NE(text, nullptr);
			if (text == nullptr)
				break;
			records.emplace_back(text, length);
			delete[] text;
		}
		return records;
	}

	using R = std::vector<std::string>;
	ScratchFolder mFolder;
	TParseFile mParser;
};

TEST_F(TParseFileTest, SingleLinesWithoutLineEndsOrEmptyLines)
{
	mParser.SetParameters(nullptr, nullptr, 0);
	EXPECT_EQ(Records("one\r\ntwo\n\n\rthree"), (R{"one", "two", "three"}));
	EXPECT_EQ(Records(""), R{});
}

TEST_F(TParseFileTest, GroupsOfLinesKeepTheirLineEndsAsCR)
{
	mParser.SetParameters(nullptr, nullptr, 2);
	EXPECT_EQ(Records("a\nb\r\nc\nd\ne"), (R{"a\rb\r\r", "c\rd\r", "e"}));
}

TEST_F(TParseFileTest, HeaderBlocksWithALineLimitAndLeadingText)
{
	mParser.SetParameters("BEGIN", nullptr, 2);
	EXPECT_EQ(Records("pre\nBEGIN 1\nx\nBEGIN 2\ny\nz\n"), (R{"pre\r", "BEGIN 1\rx\r", "BEGIN 2\ry\r"}));

	// The marker counts only at the start of a line, however long the line before it.
	mParser.SetParameters("BEGIN", nullptr, 0);
	const std::string longLine = std::string(1024, '-') + "BEGIN inside\n";
	EXPECT_EQ(Records("BEGIN\n" + longLine),
	          (R{"BEGIN\r" + longLine.substr(0, longLine.size() - 1) + "\r"}));
}

TEST_F(TParseFileTest, HeaderToFooterBlocksIgnoreTextOutside)
{
	mParser.SetParameters("START", "END", 0);
	EXPECT_EQ(Records("junk\nSTART\na\nEND\nmore\nSTART\nb\n"), (R{"START\ra\r", "START\rb\r"}));

	mParser.SetParameters("start", "end", 0);
	EXPECT_EQ(Records("START\na\nEND\n"), R{});
	mParser.SetCaseSensitive(false);
	EXPECT_EQ(Records("START\na\nEND\n"), R{"START\ra\r"});
}

TEST_F(TParseFileTest, MailMessagesStartAtTheirSeparatorLines)
{
	const std::string first =
	    "From - Mon Jan 1 2001\nReceived: by x\nFrom: a@b\nDate: today\nSubject: one\n\n"
	    "Body text\nFrom: not a header\n\n";
	const std::string second =
	    "From - Tue Jan 2 2001\nReceived: by y\nFrom: c@d\nSubject: two\nDate: later\n\n"
	    "Second body\n";
	mParser.SetInetParameters();
	R records = Records("leading junk\n\n" + first + second);
	ASSERT_EQ(records.size(), 2u);
	auto asRecord = [](std::string s) {
		for (char& c : s)
			if (c == '\n')
				c = '\r';
		return s;
	};
	EXPECT_EQ(records[0], asRecord(first));
	EXPECT_EQ(records[1], asRecord(second));
}

TEST_F(TParseFileTest, WholeFileIsOneRecord)
{
	mParser.SetNoParameters();
	EXPECT_EQ(Records("all\nof it"), R{"all\rof it"});
}

TEST_F(TParseFileTest, RecordsAreWalkedInBothDirectionsAndProgressIsReported)
{
	mParser.SetParameters(nullptr, nullptr, 1);
	mFolder.Write("in.txt", "a\nbb\nccc\n");
	struct Progress {
		long calls = 0;
		long lastBytes = -1;
		long lastRecords = -1;
	} progress;
	auto report = [](void* context, long bytes, long records) {
		auto* p = static_cast<Progress*>(context);
		EXPECT_GE(bytes, p->lastBytes);
		EXPECT_GE(records, p->lastRecords);
		p->calls++;
		p->lastBytes = bytes;
		p->lastRecords = records;
	};
	auto file = mFolder.File("in.txt");
	ASSERT_EQ(mParser.ProcessFile(file.get(), report, &progress), 1);
	EXPECT_GE(progress.calls, 4);
	EXPECT_EQ(progress.lastBytes, 9);
	EXPECT_EQ(progress.lastRecords, 3);

	auto take = [&](int which) {
		unsigned long length = 0;
		char* text = mParser.GetRecord(which, length);
		std::string s = text ? std::string(text, length) : "<none>";
		delete[] text;
		return s;
	};
	EXPECT_EQ(take(TParseFile::kFirstRecord), "a");
	EXPECT_EQ(take(TParseFile::kNextRecord), "bb");
	EXPECT_EQ(take(TParseFile::kNextRecord), "ccc");
	EXPECT_EQ(take(TParseFile::kNextRecord), "<none>");
	EXPECT_EQ(take(TParseFile::kLastRecord), "ccc");
	EXPECT_EQ(take(TParseFile::kPreviousRecord), "bb");
	unsigned long length = 7;
	EXPECT_EQ(mParser.GetNth(length, 4), nullptr);
	EXPECT_EQ(length, 0u);

	auto missing = mFolder.File("missing.txt");
	EXPECT_EQ(mParser.ProcessFile(missing.get(), nullptr, nullptr), 0);
	EXPECT_EQ(mParser.RecordCount(), 0);
}

} // namespace
