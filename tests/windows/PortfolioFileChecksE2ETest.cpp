// Files handed to the program as portfolios (by a script's open-documents event, as from the command line,
// or by the Open dialog) that are not portfolios it can read whole: a named pipe, a file far larger than its
// counts explain, and files it cannot open at all. Each is refused at once, without reading it into memory,
// by a message that names it and tells what is wrong, the same on every road.

#include "app/UAppleEventTable.h"
#include "foundation/TVyFile.h"
#include "foundation/TVyFileUtils.h"
#include "model/UPortfolioFile.h"
#include "platform/framework/LDocument.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/framework/UAppleEventService.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UNavServicesDialogs.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/support/DiskAbilities.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "windows/portfolio/TPortfolio.h"
#include "windows/security/UWindowRegistry.h"

#include <QApplication>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{

constexpr short kMsgPortfolioUnreadable = 12;

class PortfolioFileChecksE2ETest : public QuoteServingFixture
{
protected:
	void SetUp() override
	{
		QuoteServingFixture::SetUp();
		UWindowRegistry::Install();
		StDialogHandler::ClearQueuedAnswers();
		StDialogHandler::SetAnswersRequired(true);
	}

	void TearDown() override
	{
		for (LDocument* document : std::vector<LDocument*>(LDocument::GetDocumentList()))
			document->Close();
		EXPECT_EQ(StDialogHandler::CountQueuedAnswers(), 0u)
		    << "a message that was expected did not come";
		StDialogHandler::SetAnswersRequired(false);
		StDialogHandler::ClearQueuedAnswers();
		UNavServicesDialogs::SetChooser(nullptr);
		TVyFileUtils::SetNavHandler(nullptr);
		kestrunApp::SetDocumentHandlers({});
		QuoteServingFixture::TearDown();
	}

	// The open-documents event that a script or the command line sends; the files open once it is
	// answered. The answer's error, and its text in outText.
	static SInt16 OpenDocuments(kestrunApp& inApp, const std::vector<std::string>& inPaths,
	                            std::string* outText = nullptr)
	{
		AppleEvent event, reply;
		event.descriptorType = reply.descriptorType = typeAppleEvent;
		UAppleEventService::PutTextList(event, keyDirectObject, inPaths);
		inApp.DispatchAppleEvent(kCoreEventClass, kAEOpenDocuments, event, reply);
		for (int i = 0; i < 5; ++i)
			QApplication::processEvents();
		SInt16 error = 0;
		AEGetParamPtr(&reply, keyErrorNumber, typeSInt16, nullptr, &error, sizeof(error), nullptr);
		char text[256] = {};
		Size size = 0;
		AEGetParamPtr(&reply, keyErrorString, typeChar, nullptr, text, 255, &size);
		if (outText != nullptr)
			*outText = std::string(text, size_t(size));
		return error;
	}
	static SInt16 OpenDocuments(kestrunApp& inApp, const std::string& inPath)
	{
		return OpenDocuments(inApp, std::vector<std::string>{inPath});
	}

	// File > Open, once its dialog has chosen inPath.
	static void ChooseDocument(kestrunApp& inApp, const std::string& inPath)
	{
		FSSpec spec;
		ASSERT_EQ(FSPathMakeFSSpec(inPath, &spec), noErr);
		inApp.OpenDocument(&spec);
	}

	void ExpectMessage() { ToolkitTest::ExpectMessage(&mShown); }

	// Plug-in message inNumber naming the file inName.
	static std::string MessageText(short inNumber, const std::string& inName)
	{
		std::string text = ToolkitTest::MessageText(inNumber);
		const size_t at = text.find("^0");
		EXPECT_NE(at, std::string::npos) << text;
		if (at != std::string::npos)
			text.replace(at, 2, inName);
		return text;
	}

	static std::string Refusal(const std::string& inPath, const std::string& inReason)
	{
		return "This file could not be opened:\n" + inPath + " (" + inReason + ")\n";
	}

	// The head of a portfolio file: the tag, default parameters and the two counts.
	static std::string PortfolioHead(UInt32 inCategories, UInt32 inEntries)
	{
		const std::string path = "head";
		tPortfolioParameters parameters;
		UPortfolioFile::DefaultParameters(&parameters, 100);
		TVyFile file;
		file.SetFileName(path.c_str());
		EXPECT_EQ(UPortfolioFile::SavePortfolio(&file, &parameters, nullptr, nullptr), 0);
		std::string bytes = ReadText(path);
		unlink(path.c_str());
		auto put = [&](std::size_t at, UInt32 value) {
			for (int i = 0; i < 4; ++i)
				bytes.at(at + std::size_t(i)) = char(value >> (24 - 8 * i));
		};
		put(700, inCategories);
		put(704, inEntries);
		return bytes;
	}

	std::vector<std::string> mShown;
};

TEST_F(PortfolioFileChecksE2ETest, ANamedPipeIsRefusedWithoutWaitingForAWriter)
{
	const std::string pipe = mRoot + "/Pipe Portfolio";
	ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
	// Should the program wait for a writer after all, one comes after a while, so that the test ends
	// with a failure rather than hanging.
	std::mutex mutex;
	std::condition_variable finished;
	bool done = false;
	std::atomic<bool> hadToWrite = false;
	std::thread writer([&] {
		std::unique_lock lock(mutex);
		if (finished.wait_for(lock, std::chrono::seconds(20), [&] { return done; }))
			return;
		hadToWrite = true;
		const int fd = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
		if (fd >= 0)
			close(fd);
	});

	auto app = Start();
	// A script's event refuses it before any opening, in its answer and in one message.
	UModalAlerts::SetAnswersRequired(true);
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	EXPECT_EQ(OpenDocuments(*app, pipe), paramErr);
	ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), 1u);
	EXPECT_EQ(UModalAlerts::GetShownAlerts().front().text, Refusal(pipe, "not a file"));
	// Handed straight to the portfolio, as the Open dialog does, it is refused unopened just the same.
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	ChooseDocument(*app, pipe);
	{
		std::lock_guard lock(mutex);
		done = true;
	}
	finished.notify_all();
	writer.join();

	EXPECT_FALSE(hadToWrite) << "the program waited for a writer of the pipe";
	ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), 1u);
	EXPECT_EQ(UModalAlerts::GetShownAlerts().front().text, Refusal(pipe, "not a file"));
	EXPECT_TRUE(mShown.empty());
	EXPECT_TRUE(LDocument::GetDocumentList().empty());
	app->AttemptQuitSelf(0);
}

TEST_F(PortfolioFileChecksE2ETest, AFileLargerThanItsCountsExplainIsRefusedUnread)
{
	auto app = Start();
	const std::string empty = PortfolioHead(0, 0);

	// The right tag and counts of nothing, then 1.9 GB that no count accounts for (a sparse file).
	const std::string huge = mRoot + "/Huge Portfolio";
	WriteText(huge, empty);
	ASSERT_EQ(truncate(huge.c_str(), off_t(1900) << 20), 0);
	rusage before;
	getrusage(RUSAGE_SELF, &before);
	ExpectMessage();
	OpenDocuments(*app, huge);
	rusage after;
	getrusage(RUSAGE_SELF, &after);
	EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 200L * 1024) << "kilobytes taken by the refused file";

	// A few bytes past the last entry, and counts that claim more than the file holds, opened at once:
	// each message names its file.
	const std::string tail = mRoot + "/Tail Portfolio";
	WriteText(tail, empty + "more");
	const std::string claims = mRoot + "/Claims Portfolio";
	WriteText(claims, PortfolioHead(0, 3) + std::string(2 * tLedgerEntry::kStoredSize, '\0'));
	ExpectMessage();
	ExpectMessage();
	OpenDocuments(*app, {tail, claims});

	EXPECT_EQ(mShown,
	          (std::vector<std::string>{MessageText(kMsgPortfolioUnreadable, "Huge Portfolio"),
	                                    MessageText(kMsgPortfolioUnreadable, "Tail Portfolio"),
	                                    MessageText(kMsgPortfolioUnreadable, "Claims Portfolio")}));
	EXPECT_TRUE(LDocument::GetDocumentList().empty());

	// The same file without the extra bytes opens.
	WriteText(tail, empty);
	OpenDocuments(*app, tail);
	EXPECT_EQ(LDocument::GetDocumentList().size(), 1u);
	app->AttemptQuitSelf(0);
}

TEST_F(PortfolioFileChecksE2ETest, EveryRoadTellsWhatIsWrongWithAFileThatCannotBeOpened)
{
	auto app = Start();
	const std::string portfolio = mRoot + "/Portfolio";
	WriteText(portfolio, PortfolioHead(0, 0));
	std::filesystem::create_directory(mRoot + "/Folder");
	ASSERT_EQ(mkfifo((mRoot + "/Pipe").c_str(), 0600), 0);
	std::filesystem::create_symlink("Loop B", mRoot + "/Loop A");
	std::filesystem::create_symlink("Loop A", mRoot + "/Loop B");
	struct Case {
		std::string path;
		std::string reason;
		SInt16 error; // a script's answer
	};
	std::vector<Case> cases = {
	    {mRoot + "/" + std::string(256, 'N'), "its name or path is longer than the system allows",
	     bdNamErr},
	    {mRoot + "/Loop A", "its symbolic links go round in a loop", fnfErr},
	    {portfolio + "/", "not a file", paramErr},
	    {mRoot + "/Folder", "not a file", paramErr},
	    {mRoot + "/Pipe", "not a file", paramErr},
	    {mRoot + "/Gone", "not found", fnfErr},
	};
	// Root reads every file, where the disk leaves permissions to the kernel.
	if (DiskAbilities::WhyNot(mRoot, DiskAbilities::kBeDenied).empty()) {
		WriteText(mRoot + "/Locked", PortfolioHead(0, 0));
		ASSERT_EQ(chmod((mRoot + "/Locked").c_str(), 0), 0);
		cases.push_back({mRoot + "/Locked", "cannot be read", permErr});
	}
	QStringList chosen;
	UNavServicesDialogs::Install();
	UNavServicesDialogs::SetChooser([&](const UNavServicesDialogs::tDialogOptions&) { return chosen; });
	for (const Case& c : cases) {
		// A script, then the Open dialog handed the same name.
		UModalAlerts::ClearShownAlerts();
		UModalAlerts::QueueAnswer(1);
		std::string answer;
		EXPECT_EQ(OpenDocuments(*app, {c.path}, &answer), c.error) << c.path;
		EXPECT_TRUE(answer.ends_with(" (" + c.reason + ")")) << answer;
		UModalAlerts::QueueAnswer(1);
		chosen = {QString::fromStdString(c.path)};
		app->ObeyCommand(cmd_Open, nullptr);
		ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), 2u) << c.path;
		const std::string& shown = UModalAlerts::GetShownAlerts()[0].text;
		EXPECT_EQ(UModalAlerts::GetShownAlerts()[1].text, shown);
		// A name too long to show whole keeps its start, its end and the reason.
		EXPECT_TRUE(shown.starts_with(Refusal(c.path, "").substr(0, 60))) << shown;
		EXPECT_TRUE(shown.ends_with(c.path.substr(c.path.size() - 8) + " (" + c.reason + ")\n"))
		    << shown;
	}
	EXPECT_TRUE(LDocument::GetDocumentList().empty());

	// The file goes, or becomes a pipe, between its check and its opening.
	FSSpec spec;
	ASSERT_EQ(FSPathMakeFSSpec(portfolio, &spec), noErr);
	ASSERT_EQ(unlink(portfolio.c_str()), 0);
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	app->OpenDocument(&spec);
	ASSERT_EQ(mkfifo(portfolio.c_str(), 0600), 0);
	UModalAlerts::QueueAnswer(1);
	app->OpenDocument(&spec);
	EXPECT_EQ(AppTest::TakeAlerts(), (std::vector<std::string>{Refusal(portfolio, "not found"),
	                                                           Refusal(portfolio, "not a file")}));
	EXPECT_TRUE(mShown.empty());
	EXPECT_TRUE(LDocument::GetDocumentList().empty());
	app->AttemptQuitSelf(0);
}

} // namespace
