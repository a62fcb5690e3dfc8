#include "foundation/XPlatform/TRecord.h"

#include "foundation/TVyFile.h"
#include "tests/support/ScratchFolder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace
{

std::string FieldText(const TRecord& record, int field)
{
	long length = 0;
	void* bytes = record.GetField(field, &length);
	return bytes ? std::string(static_cast<char*>(bytes), std::size_t(length)) : std::string("<empty>");
}

TEST(TRecordTest, FieldsHoldCopiesAndTextAlwaysEndsInAZero)
{
	TRecord record(4);
	EXPECT_EQ(record.GetNumFields(), 4);
	char text[] = "abc";
	record.SetField(0, text, 3);
	text[0] = 'X';
	EXPECT_EQ(FieldText(record, 0), "abc");
	// Bytes stored without a terminator still read back as text.
	ASSERT_NE(record.GetCField(0), nullptr);
	EXPECT_STREQ(record.GetCField(0), "abc");

	record.SetCField(1, "hello");
	long length = 0;
	record.GetField(1, &length);
	EXPECT_EQ(length, 6);
	record.SetCField(2, "");
	EXPECT_EQ(record.GetCField(2), nullptr);
	EXPECT_EQ(record.GetCField(3), nullptr);
	EXPECT_EQ(record.RecordLength(), 3 + 6 + 1);

	record.SetField(0, nullptr, 5);
	EXPECT_EQ(FieldText(record, 0), "<empty>");
}

TEST(TRecordTest, PendAddsBeforeOrAfterTheText)
{
	TRecord record(2);
	record.Pend(0, "xyz", 3, false);
	long length = 0;
	auto* bytes = static_cast<char*>(record.GetField(0, &length));
	EXPECT_EQ(length, 4);
	EXPECT_EQ(std::string(bytes, 4), std::string("xyz\0", 4));

	record.Pend(0, "12", 2, true);
	EXPECT_STREQ(record.GetCField(0), "12xyz");
	record.Pend(0, "!", 1, false);
	EXPECT_STREQ(record.GetCField(0), "12xyz!");
	record.GetField(0, &length);
	EXPECT_EQ(length, 7);
}

class TRecordFileTest : public ::testing::Test
{
protected:
	std::unique_ptr<TVyFile> Open(int mode)
	{
		if (!mFolder.Exists("rec"))
			mFolder.Write("rec", "");
		auto file = mFolder.File("rec");
		file->SetMode(mode);
		EXPECT_EQ(file->Open(), 0);
		return file;
	}

	void WriteInts(std::initializer_list<SInt32> values, const std::string& tail = "")
	{
		std::string bytes;
		for (SInt32 v : values)
			bytes.append(reinterpret_cast<const char*>(&v), sizeof v);
		mFolder.Write("rec", bytes + tail);
	}

	ScratchFolder mFolder;
};

TEST_F(TRecordFileTest, BackupAndRestoreGiveTheSameFields)
{
	TRecord written(3);
	written.SetCField(0, "first");
	written.SetField(2, "\x01\x02\x00\x03", 4);
	{
		auto file = Open(kFileModeWrite);
		ASSERT_EQ(written.Backup(file.get()), 0);
		ASSERT_EQ(written.Backup(file.get()), 0);
		ASSERT_EQ(file->Close(), 0);
	}
	EXPECT_EQ(mFolder.Read("rec").size(), 2u * (4 + 12 + 6 + 4));

	TRecord read(3);
	read.SetCField(1, "stale");
	auto file = Open(kFileModeRead);
	for (int i = 0; i < 2; i++) {
		ASSERT_EQ(read.Restore(file.get()), 0);
		EXPECT_EQ(FieldText(read, 0), std::string("first\0", 6));
		EXPECT_EQ(FieldText(read, 1), "<empty>");
		EXPECT_EQ(FieldText(read, 2), std::string("\x01\x02\x00\x03", 4));
	}
	EXPECT_EQ(read.Restore(file.get()), kVyFileEOF);
}

TEST_F(TRecordFileTest, RestoreRejectsLengthsThatDoNotFitTheBlock)
{
	struct Case {
		const char* what;
		std::initializer_list<SInt32> ints;
		std::string tail;
	};
	const Case cases[] = {
	    {"negative field length", {8 + 2, -1, 3}, "abc"},
	    {"field longer than the block", {8 + 2, 1, 100000}, "ab"},
	    {"lengths that do not add up", {8 + 5, 1, 1}, "abcde"},
	    {"block shorter than the lengths", {4, 1, 1}, "ab"},
	    {"block longer than the file", {0x7FFFFFF0, 1, 1}, "ab"},
	    {"truncated block", {8 + 6, 3, 3}, "abc"},
	};
	for (const Case& c : cases) {
		WriteInts(c.ints, c.tail);
		TRecord record(2);
		record.SetCField(0, "before");
		auto file = Open(kFileModeRead);
		EXPECT_NE(record.Restore(file.get()), 0) << c.what;
		EXPECT_EQ(FieldText(record, 0), "<empty>") << c.what;
		EXPECT_EQ(FieldText(record, 1), "<empty>") << c.what;
		file->Close();
	}
}

} // namespace
