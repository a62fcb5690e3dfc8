#include "foundation/TVyBufferFile.h"

#include "tests/support/ScratchFolder.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

class TVyBufferFileTest : public ::testing::Test
{
protected:
	std::unique_ptr<TVyBufferFile> OpenForReading(const std::string& bytes, bool unicode = false)
	{
		// A fresh name each time: an object made for a file that is open takes its open reference.
		const std::string name = "in" + std::to_string(++mInputs);
		mFolder.Write(name, bytes);
		auto plain = mFolder.File(name);
		auto file = std::make_unique<TVyBufferFile>(plain.get());
		file->SetUnicode(unicode);
		file->SetMode(kFileModeRead);
		EXPECT_EQ(file->Open(), 0);
		return file;
	}

	std::unique_ptr<TVyBufferFile> OpenForWriting(const std::string& name, long bufferSize = 4096)
	{
		if (!mFolder.Exists(name))
			mFolder.Write(name, "");
		auto plain = mFolder.File(name);
		auto file = std::make_unique<TVyBufferFile>(plain.get(), bufferSize);
		file->SetMode(kFileModeWrite);
		EXPECT_EQ(file->Open(), 0);
		return file;
	}

	struct Line {
		std::string text;
		short result;
	};
	static Line NextLine(TVyBufferFile& file, unsigned long room = 256)
	{
		std::vector<char> buffer(room);
		unsigned long count = room;
		short result = file.ReadLine(buffer.data(), &count);
		return {std::string(buffer.data(), count), result};
	}

	static std::string ReadAll(TVyBufferFile& file)
	{
		char buffer[64] = {};
		unsigned long count = sizeof buffer - 1;
		EXPECT_EQ(file.Read(buffer, &count), kVyFileEOF);
		return std::string(buffer, count);
	}

	ScratchFolder mFolder;
	int mInputs = 0;
};

TEST_F(TVyBufferFileTest, ReadLineKeepsEachOfTheThreeLineEnds)
{
	auto file = OpenForReading("A\r\nB\rC\nD");
	EXPECT_EQ(NextLine(*file).text, "A\r\n");
	Line b = NextLine(*file);
	EXPECT_EQ(b.text, "B\r");
	EXPECT_EQ(b.result, 0);
	EXPECT_EQ(NextLine(*file).text, "C\n");
	Line d = NextLine(*file);
	EXPECT_EQ(d.text, "D");
	EXPECT_EQ(d.result, kVyFileEOF);
	Line after = NextLine(*file);
	EXPECT_EQ(after.text, "");
	EXPECT_EQ(after.result, kVyFileEOF);
	EXPECT_EQ(file->Close(), 0);

	auto trailingCR = OpenForReading("X\r");
	Line x = NextLine(*trailingCR);
	EXPECT_EQ(x.text, "X\r");
	EXPECT_EQ(x.result, kVyFileEOF);
}

TEST_F(TVyBufferFileTest, ReadLineLongerThanTheCallersBufferComesInPieces)
{
	auto file = OpenForReading("abcdef\nab\r\ncd");
	EXPECT_EQ(NextLine(*file, 3).text, "abc");
	EXPECT_EQ(NextLine(*file, 4).text, "def\n");
	// The CR fills the buffer; its LF is taken without being stored, so the next line starts at "cd".
	EXPECT_EQ(NextLine(*file, 3).text, "ab\r");
	EXPECT_EQ(file->Tell(), 11u);
	Line last = NextLine(*file, 3);
	EXPECT_EQ(last.text, "cd");
	EXPECT_EQ(last.result, kVyFileEOF);
}

TEST_F(TVyBufferFileTest, LinesAcrossBufferRefills)
{
	mFolder.Write("in", "12345\r\n789\r\n");
	auto plain = mFolder.File("in");
	TVyBufferFile file(plain.get(), 6);
	file.SetMode(kFileModeRead);
	ASSERT_EQ(file.Open(), 0);
	// The CR is the last byte of the first buffer and its LF the first of the second.
	EXPECT_EQ(NextLine(file).text, "12345\r\n");
	EXPECT_EQ(NextLine(file).text, "789\r\n");
	EXPECT_EQ(NextLine(file).result, kVyFileEOF);
}

TEST_F(TVyBufferFileTest, RawReadAtTheEndGivesWhatWasThereThenNothing)
{
	auto file = OpenForReading("hello");
	char buffer[16];
	std::memset(buffer, 'x', sizeof buffer);
	unsigned long count = 10;
	EXPECT_EQ(file->Read(buffer, &count), kVyFileEOF);
	EXPECT_EQ(count, 5u);
	EXPECT_STREQ(buffer, "hello");
	count = 10;
	EXPECT_EQ(file->Read(buffer, &count), kVyFileEOF);
	EXPECT_EQ(count, 0u);
	count = 0;
	EXPECT_EQ(file->Read(buffer, &count), 0);
}

TEST_F(TVyBufferFileTest, WrongModeAndClosedFileAreRefused)
{
	auto reader = OpenForReading("abc");
	EXPECT_EQ(reader->Write("x", 1), kVyFilePermission);
	auto writer = OpenForWriting("out");
	char buffer[4];
	unsigned long count = 1;
	EXPECT_EQ(writer->Read(buffer, &count), kVyFilePermission);
	EXPECT_EQ(writer->Close(), 0);
	EXPECT_EQ(writer->Write("x", 1), kVyFileBadParam);
	EXPECT_EQ(reader->Close(), 0);
	EXPECT_EQ(reader->Read(buffer, &count), kVyFileBadParam);
}

TEST_F(TVyBufferFileTest, LargeWritesGoStraightToTheFileSmallOnesWait)
{
	auto file = OpenForWriting("big");
	std::string block(5000, 'b');
	EXPECT_EQ(file->Write(block.data(), block.size()), 0);
	EXPECT_EQ(mFolder.Read("big").size(), 5000u);
	EXPECT_EQ(file->Close(), 0);

	auto second = OpenForWriting("split");
	EXPECT_EQ(second->Write(std::string(10, 'a').data(), 10), 0);
	EXPECT_EQ(mFolder.Read("split").size(), 0u);
	EXPECT_EQ(second->Write(std::string(4090, 'c').data(), 4090), 0);
	EXPECT_EQ(mFolder.Read("split"), std::string(10, 'a'));
	EXPECT_EQ(second->Tell(), 4100u);
	EXPECT_EQ(second->Flush(), 0);
	EXPECT_EQ(mFolder.Read("split").size(), 4100u);
	EXPECT_EQ(second->Close(), 0);
	EXPECT_EQ(mFolder.Read("split"), std::string(10, 'a') + std::string(4090, 'c'));
}

TEST_F(TVyBufferFileTest, RewritingWithLessCutsTheOldTailAndTheDestructorWritesPendingBytes)
{
	mFolder.Write("f", "a much longer former content");
	{
		auto file = OpenForWriting("f");
		EXPECT_EQ(file->Write("short", 5), 0);
	}
	EXPECT_EQ(mFolder.Read("f"), "short");
}

TEST_F(TVyBufferFileTest, CloseReportsAFailedWriteOfThePendingBytes)
{
	auto file = OpenForWriting("limited");
	std::string text(600, 'z');
	ASSERT_EQ(file->Write(text.data(), text.size()), 0);
	StFileSizeLimit limit(100);
	EXPECT_NE(file->Close(), 0);
}

TEST_F(TVyBufferFileTest, SafeReplacementKeepsTheOldFileWhenPendingBytesCannotBeWritten)
{
	mFolder.Write("doc", "good old contents");
	auto plain = mFolder.File("doc");
	TVyBufferFile file(plain.get());
	file.SetReplaceSafely(true);
	file.SetMode(kFileModeWrite);
	ASSERT_EQ(file.Open(), 0);
	std::string text(600, 'n');
	ASSERT_EQ(file.Write(text.data(), text.size()), 0);
	{
		StFileSizeLimit limit(100);
		EXPECT_NE(file.Close(), 0);
	}
	EXPECT_EQ(mFolder.Read("doc"), "good old contents");
}

TEST_F(TVyBufferFileTest, UnicodeTextBehindAMarkLosesItsZeroBytes)
{
	const std::string utf16le("\xFF\xFE\x68\x00\x69\x00", 6);
	auto withFlag = OpenForReading(utf16le, true);
	EXPECT_EQ(ReadAll(*withFlag), "hi");
	EXPECT_TRUE(withFlag->MarkFound());

	auto withoutFlag = OpenForReading(utf16le, false);
	EXPECT_EQ(ReadAll(*withoutFlag), utf16le);

	auto utf32be = OpenForReading(std::string("\x00\x00\xFE\xFF\x00\x00\x00\x41", 8), true);
	EXPECT_EQ(ReadAll(*utf32be), "A");

	auto utf8 = OpenForReading("\xEF\xBB\xBFok\r\n", true);
	EXPECT_EQ(NextLine(*utf8).text, "ok\r\n");

	// Without a mark the flag goes off and zero bytes are ordinary bytes.
	auto plain = OpenForReading(std::string("ab\0c", 4), true);
	EXPECT_EQ(ReadAll(*plain), std::string("ab\0c", 4));
	EXPECT_FALSE(plain->IsUnicode());

	// A copy of a buffered file takes its Unicode flag.
	TVyBufferFile copy(withFlag.get());
	EXPECT_TRUE(copy.IsUnicode());
}

TEST_F(TVyBufferFileTest, BytesAboveSevenBitsComeBackWholeAcrossRefills)
{
	// 0xFF is -1 as a signed character: it must not pass for the end of the file.
	const std::string text("\xE9\xFF\r\n\xFF\x80", 6);
	mFolder.Write("high", text);
	auto plain = mFolder.File("high");
	TVyBufferFile file(plain.get(), 2);
	file.SetMode(kFileModeRead);
	ASSERT_EQ(file.Open(), 0);
	short error = -1;
	EXPECT_EQ(file.GetChar(&error), short(SInt8(0xE9)));
	EXPECT_EQ(error, 0);
	file.UnGetChar(&error);
	Line first = NextLine(file);
	EXPECT_EQ(first.text, text.substr(0, 4));
	EXPECT_EQ(first.result, 0);
	Line last = NextLine(file);
	EXPECT_EQ(last.text, text.substr(4));
	EXPECT_EQ(last.result, kVyFileEOF);
	EXPECT_EQ(file.GetChar(&error), 0);
	EXPECT_EQ(error, kVyFileEOF);
	EXPECT_EQ(file.Close(), 0);

	TVyBufferFile raw(plain.get(), 2);
	raw.SetMode(kFileModeRead);
	ASSERT_EQ(raw.Open(), 0);
	EXPECT_EQ(ReadAll(raw), text);
}

TEST_F(TVyBufferFileTest, ABufferTooSmallForAMarkReadsTheTextAsItIs)
{
	const std::string utf16le("\xFF\xFE\x68\x00", 4);
	mFolder.Write("small", utf16le);
	auto plain = mFolder.File("small");
	TVyBufferFile three(plain.get(), 3);
	three.SetUnicode(true);
	three.SetMode(kFileModeRead);
	ASSERT_EQ(three.Open(), 0);
	EXPECT_EQ(ReadAll(three), utf16le);
	EXPECT_FALSE(three.IsUnicode());
	EXPECT_FALSE(three.MarkFound());

	TVyBufferFile four(plain.get(), 4);
	four.SetUnicode(true);
	four.SetMode(kFileModeRead);
	ASSERT_EQ(four.Open(), 0);
	EXPECT_EQ(ReadAll(four), "h");
	EXPECT_TRUE(four.MarkFound());
}

TEST_F(TVyBufferFileTest, SeekAndTellCountTheBytesTheCallerHasSeen)
{
	auto file = OpenForReading("0123456789");
	char buffer[4] = {};
	unsigned long count = 3;
	ASSERT_EQ(file->Read(buffer, &count), 0);
	EXPECT_EQ(file->Tell(), 3u);
	ASSERT_EQ(file->Seek(kSeekForward, 2), 0);
	count = 2;
	ASSERT_EQ(file->Read(buffer, &count), 0);
	EXPECT_EQ(std::string(buffer, 2), "56");
	ASSERT_EQ(file->Seek(kSeekBackward, 4), 0);
	count = 1;
	ASSERT_EQ(file->Read(buffer, &count), 0);
	EXPECT_EQ(buffer[0], '3');
	ASSERT_EQ(file->Seek(kSeekAbsolute, 9), 0);
	count = 1;
	ASSERT_EQ(file->Read(buffer, &count), 0);
	EXPECT_EQ(buffer[0], '9');

	auto writer = OpenForWriting("w");
	ASSERT_EQ(writer->Write("abcdef", 6), 0);
	ASSERT_EQ(writer->Seek(kSeekAbsolute, 2), 0);
	ASSERT_EQ(writer->Write("XY", 2), 0);
	ASSERT_EQ(writer->Seek(kSeekToEnd, 0), 0);
	ASSERT_EQ(writer->Write("!", 1), 0);
	EXPECT_EQ(writer->Close(), 0);
	EXPECT_EQ(mFolder.Read("w"), "abXYef!");
}

TEST_F(TVyBufferFileTest, AFailedOpenLeavesTheObjectClosed)
{
	auto plain = mFolder.File("missing");
	TVyBufferFile file(plain.get());
	file.SetMode(kFileModeRead);
	EXPECT_EQ(file.Open(), kVyFileNotFound);
	char c;
	unsigned long count = 1;
	EXPECT_EQ(file.Read(&c, &count), kVyFileBadParam);
	EXPECT_EQ(file.Close(), 0);
}

} // namespace
