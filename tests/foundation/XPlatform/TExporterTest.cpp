#include "foundation/XPlatform/TExporter.h"

#include "foundation/TVyFile.h"
#include "foundation/TVyFileUtils.h"
#include "platform/toolbox/HeldFiles.h"
#include "tests/support/DiskAbilities.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

class TExporterTest : public ::testing::Test
{
protected:
	std::unique_ptr<TVyFile> Out() { return mFolder.File("out.txt"); }

	ScratchFolder mFolder;
	TExporter mExporter;
};

TEST_F(TExporterTest, CommasQuoteEveryFieldAndDoubleInnerQuotes)
{
	ASSERT_EQ(mExporter.SetupCommas(Out().get()), 0);
	char x[] = "x\"y";
	char z[] = "z";
	char* fields[] = {x, z};
	ASSERT_EQ(mExporter.Export(fields, 2), 0);
	char line[] = "a\rb\r\nc";
	char* one[] = {line};
	ASSERT_EQ(mExporter.Export(one, 1), 0);
	EXPECT_EQ(mExporter.RecordsWritten(), 2u);
	ASSERT_EQ(mExporter.ExportDone(), 0);
	EXPECT_EQ(mFolder.Read("out.txt"), "\"x\"\"y\",\"z\"\r\"a\x0B"
	                                   "b\x0B\x0B"
	                                   "c\"\r");
}

TEST_F(TExporterTest, BasicReplacesLineBreaksWithSpacesAndQuotesWithApostrophes)
{
	ASSERT_EQ(mExporter.SetupBasic(Out().get()), 0);
	tExportRecordRun runs[] = {{"a\r\nb", 4}, {"say \"hi\"", 8}, {nullptr, 0}};
	ASSERT_EQ(mExporter.Export(runs, 3), 0);
	ASSERT_EQ(mExporter.ExportDone(), 0);
	EXPECT_EQ(mFolder.Read("out.txt"), "\"a  b\",\"say 'hi'\",\"\"\r");
}

TEST_F(TExporterTest, MergeWritesItsHeaderOnceWithUnderscores)
{
	ASSERT_EQ(mExporter.SetupMerge(Out().get(), "First Name"), 0);
	mExporter.SetupUnixMode();
	char a[] = "Ann";
	char b[] = "Bob";
	char* first[] = {a};
	char* second[] = {b};
	ASSERT_EQ(mExporter.Export(first, 1), 0);
	ASSERT_EQ(mExporter.Export(second, 1), 0);
	ASSERT_EQ(mExporter.ExportDone(), 0);
	EXPECT_EQ(mFolder.Read("out.txt"), "First_Name\n\"Ann\"\n\"Bob\"\n");
}

TEST_F(TExporterTest, TabsAndCustomLayoutsDoNotQuote)
{
	ASSERT_EQ(mExporter.SetupTabs(Out().get()), 0);
	mExporter.SetupPCMode();
	char a[] = "1\"";
	char b[] = "2";
	char* fields[] = {a, b};
	ASSERT_EQ(mExporter.Export(fields, 2), 0);
	ASSERT_EQ(mExporter.ExportDone(), 0);
	EXPECT_EQ(mFolder.Read("out.txt"), "1\"\t2\r\n");

	ASSERT_EQ(mExporter.SetupCustom(mFolder.File("custom.txt").get(), "h", "; ", "|"), 0);
	ASSERT_EQ(mExporter.Export(fields, 2), 0);
	ASSERT_EQ(mExporter.Export(fields, 1), 0);
	ASSERT_EQ(mExporter.ExportDone(), 0);
	EXPECT_EQ(mFolder.Read("custom.txt"), "h|1\"; 2|1\"|");
}

TEST_F(TExporterTest, ANewFileIsTypedAndAnOldOneIsReplacedWhole)
{
	ASSERT_EQ(mExporter.SetupTabs(Out().get()), 0);
	ASSERT_EQ(mExporter.ExportDone(), 0);
	tFileInformation info;
	ASSERT_EQ(Out()->GetInfo(&info), 0);
	// A disk that keeps no types leaves the file untyped, which is no error.
	const bool typed = DiskAbilities::WhyNot(mFolder.Path(), DiskAbilities::kKeepTypes).empty();
	EXPECT_EQ(info.type, typed ? FOUR_CHAR_CODE("TEXT") : 0u);
	EXPECT_EQ(info.creator, typed ? FOUR_CHAR_CODE("ttxt") : 0u);

	mFolder.Write("out.txt", "a much longer file that was there before");
	ASSERT_EQ(mExporter.SetupTabs(Out().get()), 0);
	char a[] = "new";
	char* fields[] = {a};
	ASSERT_EQ(mExporter.Export(fields, 1), 0);
	ASSERT_EQ(mExporter.ExportDone(), 0);
	EXPECT_EQ(mFolder.Read("out.txt"), "new\r");
}

TEST_F(TExporterTest, AFailedSetFileIsReportedAndExportThenFailsQuietly)
{
	EXPECT_NE(mExporter.SetupCommas(mFolder.File("no such folder/out.txt").get()), 0);
	char a[] = "x";
	char* fields[] = {a};
	EXPECT_EQ(mExporter.Export(fields, 1), kVyFileBadParam);
	EXPECT_EQ(mExporter.ExportDone(), 0);
}

// Exports, copies and new files chosen in a dialog leave an open document's file alone.
TEST_F(TExporterTest, AnOpenDocumentsFileIsNotWrittenOver)
{
	mFolder.Write("held", "the document");
	mFolder.Write("source", "other bytes");
	const std::string held = mFolder.Path("held");
	HeldFileTeller former =
	    SetHeldFileTeller([held](const std::string& inPath, std::string*) { return inPath == held; });
	TVyFileUtils::SetNavHandler([held](const tNavRequest&) {
		tNavReply reply;
		reply.accepted = FSPathMakeFSSpec(held, &reply.spec) == noErr;
		return reply;
	});
	EXPECT_EQ(mExporter.SetupCommas(mFolder.File("held").get()), kVyFileOpenForWriting);
	EXPECT_EQ(TVyFileUtils::CopyFile(mFolder.File("source").get(), mFolder.File("held").get()),
	          kVyFileOpenForWriting);
	EXPECT_EQ(TVyFileUtils::NewFileSFP(nullptr, nullptr, nullptr), nullptr);
	EXPECT_EQ(mFolder.Read("held"), "the document");
	SetHeldFileTeller(std::move(former));
	TVyFileUtils::SetNavHandler(nullptr);
	EXPECT_EQ(mExporter.SetupCommas(mFolder.File("held").get()), 0);
}

TEST_F(TExporterTest, AFailedExportLeavesTheFormerFileInPlace)
{
	mFolder.Write("out.txt", "the former export");
	ASSERT_EQ(mExporter.SetupCommas(Out().get()), 0);
	std::string longField(3000, 'f');
	char* fields[] = {longField.data()};
	short failure = 0;
	{
		StFileSizeLimit limit(1000);
		for (int i = 0; i < 10 && failure == 0; i++)
			failure = mExporter.Export(fields, 1);
	}
	EXPECT_NE(failure, 0);
	EXPECT_EQ(mExporter.ExportDone(), failure);
	EXPECT_EQ(mFolder.Read("out.txt"), "the former export");

	// Destroying an exporter in the middle of a good export keeps what was written.
	{
		TExporter exporter;
		ASSERT_EQ(exporter.SetupTabs(Out().get()), 0);
		ASSERT_EQ(exporter.Export(fields, 1), 0);
	}
	EXPECT_EQ(mFolder.Read("out.txt"), longField + "\r");
}

} // namespace
