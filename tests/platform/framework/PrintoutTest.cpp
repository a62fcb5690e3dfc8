#include "platform/framework/LException.h"
#include "platform/framework/LPlaceHolder.h"
#include "platform/framework/LPrintout.h"
#include "platform/framework/LStream.h"
#include "platform/framework/StPrintSession.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UPrinting.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "tests/support/DiskAbilities.h"
#include "tests/support/KilledReplace.h"
#include "tests/support/ScratchFolder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace
{
using FrameworkTest::EnsureApplication;

void DrawText(const std::string& inText, SInt16 inLeft, SInt16 inBaseline)
{
	TextFont(0);
	TextSize(12);
	MoveTo(inLeft, inBaseline);
	DrawString(inText.c_str());
}

// A line of text from the layout.
class TTextPane : public LPane
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tTxt") };
	explicit TTextPane(LStream* inStream) : LPane(inStream) { inStream->ReadPString(mText); }

protected:
	void DrawSelf() override
	{
		Rect frame;
		CalcLocalFrameRect(frame);
		DrawText(std::string(reinterpret_cast<const char*>(mText + 1), mText[0]), frame.left,
		         SInt16(frame.bottom - 4));
	}

private:
	Str255 mText = {0};
};

// "Page n of m", where n is the page being printed.
class TPageFooter : public LPane, public LPanelPreparer
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tFot") };
	explicit TPageFooter(LStream* inStream) : LPane(inStream) {}
	void PreparePanel(const PanelSpec& inPanel) override { mPage = inPanel.pageNumber; }

protected:
	void DrawSelf() override
	{
		UInt32 across = 0, down = 0;
		if (auto* printout = dynamic_cast<LPrintout*>(GetWindow()))
			printout->CountPanels(across, down);
		Rect frame;
		CalcLocalFrameRect(frame);
		DrawText("Page " + std::to_string(mPage) + " of " + std::to_string(across * down), frame.left,
		         SInt16(frame.bottom - 4));
	}

private:
	UInt32 mPage = 0;
};

// A table-like view: one 20-pixel row of text per row, drawn in image coordinates; like a table it draws
// only the rows that meet its frame.
class TRowsView : public LView
{
public:
	TRowsView(const SPaneInfo& inInfo, SInt32 inRows) : LView(inInfo), mRows(inRows)
	{
		ResizeImageTo(inInfo.width, inRows * kRowHeight, false);
	}
	static constexpr SInt32 kRowHeight = 20;

protected:
	void DrawSelf() override
	{
		Rect frame;
		CalcLocalFrameRect(frame);
		for (SInt32 row = 1; row <= mRows; ++row)
			if (row * kRowHeight > frame.top && (row - 1) * kRowHeight < frame.bottom)
				DrawText("Row " + std::to_string(row), 4, SInt16(row * kRowHeight - 5));
	}

private:
	SInt32 mRows;
};

const char kLayouts[] = R"(
PPob 9100 {
  'prnt' 9100 0 0 540 720 {
    'tTxt' 'Titl' 0 0 540 20 str "Quarterly holdings"
    'plac' 'Tble' 0 40 540 600
    'tFot' 'Foot' 0 690 540 20
  }
}
PPob 9101 {
  'tTxt' 9101 0 0 100 20 str "x"
}
)";

// What a poppler tool prints about inPath (inAfter: the arguments after the file's).
std::string PdfTool(const std::string& inTool, const std::string& inPath, const std::string& inAfter = "")
{
	std::string text;
	FILE* pipe = popen((inTool + " '" + inPath + "' " + inAfter + " 2>/dev/null").c_str(), "r");
	if (!pipe) {
		ADD_FAILURE() << inTool << " did not start";
		return text;
	}
	char buffer[4096];
	for (size_t n; (n = fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
		text.append(buffer, n);
	pclose(pipe);
	return text;
}

// The text of each page of a PDF file.
std::vector<std::string> PdfPages(const std::string& inPath)
{
	std::vector<std::string> pages;
	std::string page;
	for (char c : PdfTool("pdftotext -layout", inPath, "-")) {
		if (c == '\f') {
			pages.push_back(page);
			page.clear();
		} else {
			page += c;
		}
	}
	return pages;
}

// The top left corner of the first word inText on the first page, in points from the paper's corner.
std::pair<double, double> WordCorner(const std::string& inPath, const std::string& inText)
{
	const std::string text = PdfTool("pdftotext -bbox -f 1 -l 1", inPath, "-");
	const size_t word = text.rfind("<word ", text.find(">" + inText + "</word>"));
	double left = -1, top = -1;
	if (word == std::string::npos ||
	    std::sscanf(text.c_str() + word, "<word xMin=\"%lf\" yMin=\"%lf\"", &left, &top) != 2)
		ADD_FAILURE() << inText << " not found in\n" << text;
	return {left, top};
}

bool HasLine(const std::string& inPage, const std::string& inText)
{
	std::istringstream lines(inPage);
	for (std::string line; std::getline(lines, line);) {
		line.erase(0, line.find_first_not_of(' '));
		line.erase(line.find_last_not_of(' ') + 1);
		if (line == inText)
			return true;
	}
	return false;
}

class PrintoutTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		EnsureApplication();
		static bool loaded = false;
		if (!loaded) {
			std::string error;
			ASSERT_TRUE(ResourceStore::Get().LoadText(kLayouts, "printout layouts", &error))
			    << error;
			RegisterClass_(TTextPane);
			RegisterClass_(TPageFooter);
			RegisterClass_(LPrintout);
			RegisterClass_(LPlaceHolder);
			loaded = true;
		}
		SPaneInfo info;
		info.width = 300;
		info.height = 200;
		mWindow = new LWindow(info, (ConstStr255Param) "\5Table",
		                      windAttr_Regular | windAttr_TitleBar, nullptr);
		info.left = 10;
		info.top = 30;
		info.width = 250;
		info.height = 150;
		info.superView = mWindow;
		mRows = new TRowsView(info, 70);
		mRows->ScrollImageTo(0, 100, false);
		mPrintout = LPrintout::CreatePrintout(9100);
		ASSERT_NE(mPrintout, nullptr);
		mSpec.SetOutputFile(mScratch.Path("out.pdf"));
	}
	void TearDown() override
	{
		delete mPrintout;
		delete mWindow;
		UPrinting::SetPrintJobDialog(nullptr);
	}

	void Install(LView* inOccupant = nullptr)
	{
		auto* holder = dynamic_cast<LPlaceHolder*>(mPrintout->FindPaneByID(FOUR_CHAR_CODE("Tble")));
		ASSERT_NE(holder, nullptr);
		holder->InstallOccupant(inOccupant ? inOccupant : mRows, 0);
	}

	// A private folder for the printed files, under TMPDIR as every file test's.
	struct SFolder {
		SFolder() : mPath(mHome.Path("prints")) { std::filesystem::create_directory(mPath); }
		std::string Path(const std::string& inName) const { return mPath + "/" + inName; }
		ScratchFolder mHome;
		std::string mPath;
	} mScratch;
	LWindow* mWindow = nullptr;
	TRowsView* mRows = nullptr;
	LPrintout* mPrintout = nullptr;
	LPrintSettings mSpec;
};

TEST_F(PrintoutTest, ATallTablePrintsOnAsManyPagesAsItNeedsEachWithItsNumber)
{
	mPrintout->SetPrintSpec(mSpec);
	Install();
	UInt32 across, down;
	mPrintout->CountPanels(across, down);
	EXPECT_EQ(across, 1u);
	EXPECT_EQ(down, 3u); // 70 rows of 20 pixels in a place 600 pixels high
	mPrintout->DoPrintJob();

	const std::vector<std::string> pages = PdfPages(mScratch.Path("out.pdf"));
	ASSERT_EQ(pages.size(), 3u);
	for (size_t i = 0; i < pages.size(); ++i) {
		EXPECT_NE(pages[i].find("Quarterly holdings"), std::string::npos) << "page " << i + 1;
		EXPECT_TRUE(HasLine(pages[i], "Page " + std::to_string(i + 1) + " of 3")) << pages[i];
	}
	EXPECT_TRUE(HasLine(pages[0], "Row 1"));
	EXPECT_TRUE(HasLine(pages[0], "Row 30"));
	EXPECT_FALSE(HasLine(pages[0], "Row 31"));
	EXPECT_TRUE(HasLine(pages[1], "Row 31"));
	EXPECT_TRUE(HasLine(pages[1], "Row 60"));
	EXPECT_FALSE(HasLine(pages[1], "Row 30"));
	EXPECT_TRUE(HasLine(pages[2], "Row 70"));
	EXPECT_FALSE(HasLine(pages[2], "Row 60"));
}

TEST_F(PrintoutTest, TheTableGoesBackToItsWindowAsItWasWhenThePrintoutGoes)
{
	mPrintout->SetPrintSpec(mSpec);
	Install();
	SDimension16 size;
	mRows->GetFrameSize(size);
	EXPECT_EQ(size.width, 540);
	EXPECT_EQ(size.height, 600);
	EXPECT_EQ(mRows->GetWindow(), mPrintout);
	mPrintout->DoPrintJob();
	delete mPrintout;
	mPrintout = nullptr;

	EXPECT_EQ(mRows->GetSuperView(), mWindow);
	mRows->GetFrameSize(size);
	EXPECT_EQ(size.width, 250);
	EXPECT_EQ(size.height, 150);
	SPoint32 location, scroll;
	mRows->GetFrameLocation(location);
	EXPECT_EQ(location.h, 10);
	EXPECT_EQ(location.v, 30);
	mRows->GetScrollPosition(scroll);
	EXPECT_EQ(scroll.v, 100);
}

TEST_F(PrintoutTest, ThePrintDialogsChoiceOfPagesIsPrintedAndPagesBeyondTheEndAreNot)
{
	UPrinting::SetPrintJobDialog([](LPrintSettings& ioSpec) {
		ioSpec.SetPageRange(2, 2);
		return true;
	});
	{
		StPrintSession session(mSpec);
		EXPECT_TRUE(StPrintSession::IsOpen());
		ASSERT_TRUE(UPrinting::AskPrintJob(mSpec));
	}
	EXPECT_FALSE(StPrintSession::IsOpen());
	mPrintout->SetPrintSpec(mSpec);
	Install();
	mPrintout->DoPrintJob();
	std::vector<std::string> pages = PdfPages(mScratch.Path("out.pdf"));
	ASSERT_EQ(pages.size(), 1u);
	EXPECT_TRUE(HasLine(pages[0], "Row 31"));
	EXPECT_TRUE(HasLine(pages[0], "Page 2 of 3"));
	EXPECT_FALSE(HasLine(pages[0], "Row 1"));

	std::filesystem::remove(mScratch.Path("out.pdf"));
	mSpec.SetPageRange(5, 9);
	mPrintout->SetPrintSpec(mSpec);
	mPrintout->DoPrintJob();
	EXPECT_FALSE(std::filesystem::exists(mScratch.Path("out.pdf")));
}

TEST_F(PrintoutTest, ThePaperAndMarginsOfTheSpecShapeThePage)
{
	mSpec.SetPaperSize(595, 842);
	mSpec.SetMargins(20, 30, 40, 50);
	mSpec.SetLandscape(true);
	Rect page, paper;
	mSpec.GetPageRect(page);
	mSpec.GetPaperRect(paper);
	EXPECT_EQ(page.right, 842 - 20 - 40);
	EXPECT_EQ(page.bottom, 595 - 30 - 50);
	EXPECT_EQ(paper.left, -20);
	EXPECT_EQ(paper.top, -30);
	EXPECT_EQ(paper.right, 842 - 20);

	mPrintout->SetPrintSpec(mSpec);
	SDimension16 size;
	mPrintout->GetFrameSize(size);
	EXPECT_EQ(size.width, 782);
	EXPECT_EQ(size.height, 515);
	mPrintout->DoPrintJob(); // no occupant: one page
	EXPECT_EQ(PdfPages(mScratch.Path("out.pdf")).size(), 1u);
	EXPECT_NE(PdfTool("pdfinfo", mScratch.Path("out.pdf")).find("842 x 595 pts"), std::string::npos)
	    << PdfTool("pdfinfo", mScratch.Path("out.pdf"));
	// The title, drawn at the printout's top left with its baseline 16 points down, starts at the
	// margins.
	const auto [left, top] = WordCorner(mScratch.Path("out.pdf"), "Quarterly");
	EXPECT_NEAR(left, 20, 1);
	EXPECT_GT(top, 30);
	EXPECT_LT(top, 30 + 16);
}

TEST_F(PrintoutTest, APrintoutReplacesTheFileALinkNamesKeepingItsModeAndOwnerAndSweepsOldCopies)
{
	if (const std::string why = DiskAbilities::WhyNot(mScratch.mPath, DiskAbilities::kSetMode);
	    !why.empty())
		GTEST_SKIP() << why;
	// The chosen name is a link to last quarter's printout, which only its owner may read.
	const std::string folder = mScratch.Path("printouts");
	std::filesystem::create_directory(folder);
	const std::string report = folder + "/report.pdf";
	FILE* former = fopen(report.c_str(), "w");
	ASSERT_NE(former, nullptr);
	fputs("last quarter", former);
	fclose(former);
	ASSERT_EQ(chmod(report.c_str(), 0600), 0);
	const bool givesAway = DiskAbilities::WhyNot(folder, DiskAbilities::kGiveAway).empty();
	if (givesAway) {
		ASSERT_EQ(chown(report.c_str(), 65534, 65534), 0);
	}
	std::filesystem::create_symlink("printouts/report.pdf", mScratch.Path("latest.pdf"));
	// Copies that killed prints left beside it: one long since, one (another print's) a moment ago.
	const std::string stale = folder + "/.report.pdf.vantorel-save-Ab12Cd";
	const std::string young = folder + "/.report.pdf.vantorel-save-Ef34Gh";
	fclose(fopen(stale.c_str(), "w"));
	const int printing = killedreplace::HeldCopy(young, "");
	ASSERT_GE(printing, 0);
	killedreplace::StLaterWallClock later;

	mSpec.SetOutputFile(mScratch.Path("latest.pdf"));
	mPrintout->SetPrintSpec(mSpec);
	Install();
	mPrintout->DoPrintJob();

	EXPECT_TRUE(std::filesystem::is_symlink(mScratch.Path("latest.pdf")));
	const std::vector<std::string> pages = PdfPages(report);
	ASSERT_EQ(pages.size(), 3u);
	EXPECT_TRUE(HasLine(pages[2], "Row 70"));
	struct stat st;
	ASSERT_EQ(stat(report.c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 07777, 0600u);
	if (givesAway) {
		EXPECT_EQ(st.st_uid, 65534u);
		EXPECT_EQ(st.st_gid, 65534u);
	}
	std::vector<std::string> left;
	for (const auto& entry : std::filesystem::directory_iterator(folder))
		left.push_back(entry.path().filename().string());
	std::sort(left.begin(), left.end());
	EXPECT_EQ(left, (std::vector<std::string>{".report.pdf.vantorel-save-Ef34Gh", "report.pdf"}));

	// A name that is a folder, or in a folder that is not there, prints nothing and leaves nothing.
	for (const std::string& name : {folder, mScratch.Path("gone/report.pdf")}) {
		mSpec.SetOutputFile(name);
		mPrintout->SetPrintSpec(mSpec);
		EXPECT_THROW(mPrintout->DoPrintJob(), LException) << name;
	}
	left.clear();
	for (const auto& entry : std::filesystem::recursive_directory_iterator(mScratch.mPath))
		left.push_back(entry.path().lexically_relative(mScratch.mPath).string());
	std::sort(left.begin(), left.end());
	EXPECT_EQ(left, (std::vector<std::string>{"latest.pdf", "printouts",
	                                          "printouts/.report.pdf.vantorel-save-Ef34Gh",
	                                          "printouts/report.pdf"}));
	close(printing);
}

// The write(2) calls this thread has made, as the kernel counts them.
long WriteCalls()
{
	std::ifstream io("/proc/thread-self/io");
	std::string key;
	for (long value = 0; io >> key >> value;)
		if (key == "syscw:")
			return value;
	ADD_FAILURE() << "no count of writes in /proc/thread-self/io";
	return 0;
}

// A printout reaches its file in large writes (each is a round trip on a network or FUSE folder); the last
// one, at the close, still fails the print with its reason.
TEST_F(PrintoutTest, APrintoutIsWrittenInLargePiecesTheLastOneAtTheCloseToo)
{
	SPaneInfo info;
	info.width = 250;
	info.height = 150;
	info.superView = mWindow;
	mPrintout->SetPrintSpec(mSpec);
	Install(new TRowsView(info, 6000));
	const long before = WriteCalls();
	mPrintout->DoPrintJob();
	const long calls = WriteCalls() - before;
	const auto size = std::filesystem::file_size(mScratch.Path("out.pdf"));
	ASSERT_GT(size, 128u * 1024);
	EXPECT_LE(calls, long(size / (32 * 1024)) + 4) << size << " bytes in " << calls << " writes";

	static bool sLoaded = false; // the reasons told
	if (!std::exchange(sLoaded, true))
		FrameworkTest::LoadFixtureFile("../../resources/Documents.res");
	Install();
	StFileSizeLimit full(2048);
	try {
		mPrintout->DoPrintJob();
		ADD_FAILURE() << "printed past the limit";
	} catch (const LException& inFailure) {
		EXPECT_EQ(inFailure.GetErrorCode(), LPrintout::err_PrintFileRefused);
		EXPECT_EQ(UModalAlerts::FillParameters("^1"),
		          "The disk is full, or the file would pass the size limit set for files.");
	}
}

TEST_F(PrintoutTest, ALayoutThatIsNoPrintoutGivesNone)
{
	EXPECT_EQ(LPrintout::CreatePrintout(9101), nullptr);
	EXPECT_EQ(LPrintout::CreatePrintout(9199), nullptr);
}
} // namespace
