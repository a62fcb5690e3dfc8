#include "platform/framework/UNavServicesDialogs.h"

#include "foundation/TVyFileUtils.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace
{

using Options = UNavServicesDialogs::tDialogOptions;

// Mac Roman: 0x8E is e with acute accent.
const char kResumeMac[] = "R\x8Esum\x8E.txt";
const char kResumeDisk[] = "R\xC3\xA9sum\xC3\xA9.txt";

std::string Joined(const QStringList& inList)
{
	return inList.join('|').toStdString();
}

class UNavServicesDialogsTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		UNavServicesDialogs::Install();
		UNavServicesDialogs::ForgetLastFolder();
		UNavServicesDialogs::SetChooser([this](const Options& inOptions) {
			mAsked.push_back(inOptions);
			return mAnswer;
		});
	}
	void TearDown() override
	{
		UNavServicesDialogs::SetChooser(nullptr);
		TVyFileUtils::SetNavHandler(nullptr);
	}

	void Answer(const std::string& inPath) { mAnswer = QString::fromStdString(inPath); }
	static std::string NameOf(const TVyFile& inFile)
	{
		char name[64];
		inFile.GetFileName(name);
		return name;
	}

	ScratchFolder mFolder;
	QString mAnswer;
	std::vector<Options> mAsked;
};

TEST_F(UNavServicesDialogsTest, RequestsBecomeDialogOptionsWithTextsInUnicode)
{
	char title[] = "Import \xD2Quotes\xD3"; // curly quotes
	char message[] = "Choose a text file";
	delete TVyFileUtils::OpenFileSFP(message, title, FOUR_CHAR_CODE("TEXT"));
	ASSERT_EQ(mAsked.size(), 1u);
	EXPECT_EQ(mAsked[0].mode, Options::kOpenFile);
	EXPECT_EQ(mAsked[0].title.toStdString(), "Import \u201CQuotes\u201D");
	EXPECT_EQ(mAsked[0].message.toStdString(), "Choose a text file");
	// The file utilities ask for "all files" besides the type.
	EXPECT_EQ(Joined(mAsked[0].nameFilters), "Text files (*.txt *.text *.csv *.tsv)|All files (*)");
	EXPECT_FALSE(mAsked[0].showHidden);

	// No name ending stands for a portfolio, and any type means no filter at all.
	delete TVyFileUtils::OpenFileSFP(nullptr, nullptr, FOUR_CHAR_CODE("zvFL"));
	delete TVyFileUtils::OpenAnyFileSFP(nullptr, nullptr);
	ASSERT_EQ(mAsked.size(), 3u);
	EXPECT_EQ(Joined(mAsked[1].nameFilters), "All files (*)");
	EXPECT_TRUE(mAsked[1].title.isEmpty());
	EXPECT_TRUE(mAsked[2].nameFilters.isEmpty());
	// Without the "all files" flag only the type's own filter is offered.
	EXPECT_EQ(UNavServicesDialogs::NameFiltersFor(FOUR_CHAR_CODE("TEXT"), 0).size(), 1);

	char defaultName[] = "Caf\x8E Stocks";
	delete TVyFileUtils::NewFileSFP(nullptr, nullptr, defaultName);
	delete TVyFileUtils::NewFileSFP(nullptr, nullptr, nullptr);
	delete TVyFileUtils::GetDirectorySFP(nullptr);
	ASSERT_EQ(mAsked.size(), 6u);
	EXPECT_EQ(mAsked[3].mode, Options::kSaveFile);
	EXPECT_EQ(mAsked[3].defaultName.toStdString(), "Caf\u00E9 Stocks");
	EXPECT_TRUE(mAsked[4].defaultName.isEmpty());
	EXPECT_EQ(mAsked[5].mode, Options::kChooseFolder);
}

TEST_F(UNavServicesDialogsTest, ChosenPathsBecomeSpecsWithMacRomanNames)
{
	mFolder.Write(kResumeDisk, "old text");
	mFolder.MakeFolder("Quotes");

	Answer(mFolder.Path(kResumeDisk));
	std::unique_ptr<TVyFile> opened(TVyFileUtils::OpenAnyFileSFP(nullptr, nullptr));
	ASSERT_NE(opened, nullptr);
	EXPECT_EQ(NameOf(*opened), kResumeMac);
	unsigned long length = 0;
	std::unique_ptr<char[]> bytes(TVyFileUtils::LoadFile(opened.get(), &length, 0));
	ASSERT_NE(bytes, nullptr);
	EXPECT_EQ(std::string(bytes.get(), length), "old text");

	// The spec names the same file again.
	FSSpec spec;
	ASSERT_TRUE(UNavServicesDialogs::AskOpenOneFile(0, spec, 0));
	std::string path;
	ASSERT_EQ(FSpGetPOSIXPath(&spec, &path), noErr);
	EXPECT_EQ(path, mFolder.Path(kResumeDisk));

	// A chosen folder becomes the object's current folder.
	Answer(mFolder.Path("Quotes"));
	std::unique_ptr<TVyFile> folder(TVyFileUtils::GetDirectorySFP(nullptr));
	ASSERT_NE(folder, nullptr);
	mFolder.Write("Quotes/a", "1");
	mFolder.Write("Quotes/b", "2");
	EXPECT_EQ(TVyFileUtils::CountFiles(folder.get(), 0, 0), 2);

	// Saving: a new name is made; an existing one is replaced, as Qt's dialog has confirmed.
	Answer(mFolder.Path("Quotes/Caf\xC3\xA9"));
	std::unique_ptr<TVyFile> made(TVyFileUtils::NewFileSFP(nullptr, nullptr, nullptr));
	ASSERT_NE(made, nullptr);
	EXPECT_EQ(NameOf(*made), "Caf\x8E");
	EXPECT_TRUE(mFolder.Exists("Quotes/Caf\xC3\xA9"));

	bool replacing = true;
	Answer(mFolder.Path("Quotes/new"));
	ASSERT_TRUE(UNavServicesDialogs::AskSaveFile(nullptr, 0, spec, replacing, 0));
	EXPECT_FALSE(replacing);
	Answer(mFolder.Path(kResumeDisk));
	ASSERT_TRUE(UNavServicesDialogs::AskSaveFile(nullptr, 0, spec, replacing, 0));
	EXPECT_TRUE(replacing);
	std::unique_ptr<TVyFile> replaced(TVyFileUtils::NewFileSFP(nullptr, nullptr, nullptr));
	ASSERT_NE(replaced, nullptr);
	EXPECT_EQ(mFolder.Read(kResumeDisk), "");
}

TEST_F(UNavServicesDialogsTest, CancelAndUnnameableChoicesAnswerNothing)
{
	mFolder.Write("plain", "kept");
	mFolder.MakeFolder("folder");
	struct Case {
		const char* what;
		std::string path;
		tNavRequest::Kind kind;
	};
	const std::vector<Case> cases = {
	    {"cancelled open", "", tNavRequest::kChooseFile},
	    {"cancelled folder", "", tNavRequest::kChooseFolder},
	    {"cancelled save", "", tNavRequest::kSaveFile},
	    {"relative path", "plain", tNavRequest::kChooseFile},
	    {"missing file", mFolder.Path("absent"), tNavRequest::kChooseFile},
	    {"folder for a file", mFolder.Path("folder"), tNavRequest::kChooseFile},
	    {"file for a folder", mFolder.Path("plain"), tNavRequest::kChooseFolder},
	    {"save over a folder", mFolder.Path("folder"), tNavRequest::kSaveFile},
	    {"save into a missing folder", mFolder.Path("nowhere/x"), tNavRequest::kSaveFile},
	    // Mac Roman has no such characters: the name would turn into another file's.
	    {"name outside Mac Roman", mFolder.Path("\xE6\x97\xA5\xE6\x9C\xAC"), tNavRequest::kSaveFile},
	    {"name longer than 63", mFolder.Path(std::string(64, 'n')), tNavRequest::kSaveFile},
	};
	for (const Case& c : cases) {
		Answer(c.path);
		tNavRequest request;
		request.kind = c.kind;
		const tNavReply reply = UNavServicesDialogs::Answer(request);
		EXPECT_FALSE(reply.accepted) << c.what;
		EXPECT_FALSE(reply.replacing) << c.what;
	}
	// Nothing was made or replaced.
	Answer(mFolder.Path("\xE6\x97\xA5\xE6\x9C\xAC"));
	EXPECT_EQ(TVyFileUtils::NewFileSFP(nullptr, nullptr, nullptr), nullptr);
	EXPECT_FALSE(mFolder.Exists("\xE6\x97\xA5\xE6\x9C\xAC"));
	EXPECT_FALSE(mFolder.Exists("?"));
	EXPECT_EQ(mFolder.Read("plain"), "kept");
}

TEST_F(UNavServicesDialogsTest, NextDialogOpensInTheFolderOfTheLastChoice)
{
	mFolder.MakeFolder("docs");
	mFolder.Write("docs/list.txt", "x");
	FSSpec spec;
	Answer("");
	EXPECT_FALSE(UNavServicesDialogs::AskOpenOneFile(0, spec, 0));
	Answer(mFolder.Path("docs/list.txt"));
	EXPECT_TRUE(UNavServicesDialogs::AskOpenOneFile(0, spec, 0));
	Answer(mFolder.Path("docs"));
	EXPECT_TRUE(UNavServicesDialogs::AskChooseFolder(spec));
	Answer("");
	EXPECT_FALSE(UNavServicesDialogs::AskChooseFolder(spec));
	ASSERT_EQ(mAsked.size(), 4u);
	EXPECT_TRUE(mAsked[0].directory.isEmpty());
	EXPECT_TRUE(mAsked[1].directory.isEmpty());
	EXPECT_EQ(mAsked[2].directory.toStdString(), mFolder.Path("docs"));
	// A chosen folder is where the next dialog starts, not its parent.
	EXPECT_EQ(mAsked[3].directory.toStdString(), mFolder.Path("docs"));
}

} // namespace
