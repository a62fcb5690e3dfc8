// The file dialogs of portfolios as the user meets them: titled by what they do, opening in the documents
// folder, listing portfolio files first, and taking several files to open at once.

#include "app/kestrunApp.h"
#include "foundation/TVyFile.h"
#include "model/UPortfolioFile.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UNavServicesDialogs.h"
#include "tests/support/ScratchFolder.h"
#include "tests/windows/SecurityWindowsTestSupport.h"
#include "windows/portfolio/TPortfolio.h"

#include <gtest/gtest.h>

namespace
{

using Options = UNavServicesDialogs::tDialogOptions;

class PortfolioFileDialogsTest : public SecurityWindowsFixture
{
protected:
	void SetUp() override
	{
		SecurityWindowsFixture::SetUp();
		kestrunApp::RegisterClasses();
		StDialogHandler::SetAnswersRequired(true);
		UModalAlerts::SetAnswersRequired(true);
		TPortfolio::InstallHooks();
		UNavServicesDialogs::Install();
		UNavServicesDialogs::ForgetLastFolder();
		UNavServicesDialogs::SetChooser([this](const Options& inOptions) {
			mAsked.push_back(inOptions);
			return mAnswers;
		});
		mScratch.MakeFolder("home/Documents");
	}
	void TearDown() override
	{
		for (LDocument* document : std::vector<LDocument*>(LDocument::GetDocumentList()))
			document->Close();
		UNavServicesDialogs::SetChooser(nullptr);
		TVyFileUtils::SetNavHandler(nullptr);
		StDialogHandler::SetAnswersRequired(false);
		UModalAlerts::SetAnswersRequired(false);
		SecurityWindowsFixture::TearDown();
	}

	void WritePortfolio(const std::string& inName)
	{
		tPortfolioParameters parameters;
		UPortfolioFile::DefaultParameters(&parameters, 100);
		TList<tCategory> categories{true, true};
		TList<tLedgerEntry> ledger{true, true};
		std::unique_ptr<TVyFile> file = mScratch.File(inName);
		ASSERT_EQ(UPortfolioFile::SavePortfolio(file.get(), &parameters, &categories, &ledger), 0);
	}
	QString Path(const std::string& inName) const
	{
		return QString::fromStdString(mScratch.Path(inName));
	}

	ScratchFolder mScratch;
	QStringList mAnswers;
	std::vector<Options> mAsked;
};

TEST_F(PortfolioFileDialogsTest, SaveAsAndOpenAreTitledStartInDocumentsAndListPortfolios)
{
	WritePortfolio("home/Documents/Retirement");
	FSSpec spec;
	ASSERT_EQ(FSPathMakeFSSpec(mScratch.Path("home/Documents/Retirement"), &spec), noErr);
	TPortfolio* document = TPortfolio::Open(mSuper, &spec);
	ASSERT_NE(document, nullptr);

	mScratch.MakeFolder("home/Documents/Archive");
	mAnswers = {Path("home/Documents/Archive/Copy")};
	document->ObeyCommand(cmd_SaveAs, nullptr);
	ASSERT_EQ(mAsked.size(), 1u);
	EXPECT_EQ(mAsked[0].mode, Options::kSaveFile);
	EXPECT_EQ(mAsked[0].title.toStdString(), "Save Portfolio As");
	EXPECT_EQ(mAsked[0].directory.toStdString(), mScratch.Path("home/Documents"));
	EXPECT_EQ(mAsked[0].defaultName.toStdString(), "Retirement");
	ASSERT_TRUE(mScratch.Exists("home/Documents/Archive/Copy"));

	// The Open dialog starts where the portfolio was saved and lists portfolios, former ones too.
	mScratch.Write("home/Documents/Archive/Former", std::string("zv20") + std::string(700, '\0'));
	mScratch.Write("home/Documents/Archive/notes.txt", "zv21 is no portfolio");
	std::vector<FSSpec> chosen;
	mAnswers = {};
	EXPECT_FALSE(
	    kestrunApp::AskChooseDocuments(kestrunApp::kDocumentType, kestrunApp::kOpenDialogFlags, chosen));
	ASSERT_EQ(mAsked.size(), 2u);
	const Options& open = mAsked[1];
	EXPECT_EQ(open.title.toStdString(), "Open Portfolio");
	EXPECT_EQ(open.directory.toStdString(), mScratch.Path("home/Documents/Archive"));
	EXPECT_EQ(open.nameFilters.join('|').toStdString(), "Portfolios (*)|All files (*)");
	EXPECT_TRUE(open.multiple);
	ASSERT_TRUE(open.firstFilterLists);
	EXPECT_TRUE(open.firstFilterLists(Path("home/Documents/Archive/Copy")));
	EXPECT_TRUE(open.firstFilterLists(Path("home/Documents/Archive/Former")));
	EXPECT_FALSE(open.firstFilterLists(Path("home/Documents/Archive/notes.txt")));
}

} // namespace
