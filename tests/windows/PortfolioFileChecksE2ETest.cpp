// Files handed to the program as portfolios (by a script's open-documents event, as from the command line)
// that are not portfolios it can read whole: a named pipe, and a file far larger than its counts explain.
// Each is refused with the portfolio message, at once and without reading it into memory.

#include "app/UAppleEventTable.h"
#include "foundation/TVyFile.h"
#include "model/UPortfolioFile.h"
#include "platform/framework/LDocument.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/framework/UAppleEventService.h"
#include "platform/framework/UModalAlerts.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "windows/portfolio/TPortfolio.h"
#include "windows/security/UWindowRegistry.h"

#include <QApplication>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
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
		kestrunApp::SetDocumentHandlers({});
		QuoteServingFixture::TearDown();
	}

	// The open-documents event that a script or the command line sends; the files open once it is answered.
	static SInt16 OpenDocuments(kestrunApp& inApp, const std::string& inPath)
	{
		AppleEvent event, reply;
		event.descriptorType = reply.descriptorType = typeAppleEvent;
		UAppleEventService::PutTextList(event, keyDirectObject, {inPath});
		inApp.DispatchAppleEvent(kCoreEventClass, kAEOpenDocuments, event, reply);
		for (int i = 0; i < 5; ++i)
			QApplication::processEvents();
		SInt16 error = 0;
		AEGetParamPtr(&reply, keyErrorNumber, typeSInt16, nullptr, &error, sizeof(error), nullptr);
		return error;
	}

	// File > Open, once its dialog has chosen inPath.
	static void ChooseDocument(kestrunApp& inApp, const std::string& inPath)
	{
		FSSpec spec;
		ASSERT_EQ(FSPathMakeFSSpec(inPath, &spec), noErr);
		inApp.OpenDocument(&spec);
	}

	void ExpectMessage() { ToolkitTest::ExpectMessage(&mShown); }

	static std::string MessageText(short inNumber) { return ToolkitTest::MessageText(inNumber); }

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
	EXPECT_EQ(UModalAlerts::GetShownAlerts().front().text,
	          "This file could not be opened:\n" + pipe + " (not a file)\n");
	UModalAlerts::SetAnswersRequired(false);
	// File > Open hands the chosen file straight to the portfolio, which refuses it unopened.
	ExpectMessage();
	ChooseDocument(*app, pipe);
	{
		std::lock_guard lock(mutex);
		done = true;
	}
	finished.notify_all();
	writer.join();

	EXPECT_FALSE(hadToWrite) << "the program waited for a writer of the pipe";
	EXPECT_EQ(mShown, std::vector<std::string>{MessageText(kMsgPortfolioUnreadable)});
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

	// A few bytes past the last entry, and counts that claim more than the file holds.
	const std::string tail = mRoot + "/Tail Portfolio";
	WriteText(tail, empty + "more");
	ExpectMessage();
	OpenDocuments(*app, tail);
	const std::string claims = mRoot + "/Claims Portfolio";
	WriteText(claims, PortfolioHead(0, 3) + std::string(2 * tLedgerEntry::kStoredSize, '\0'));
	ExpectMessage();
	OpenDocuments(*app, claims);

	EXPECT_EQ(mShown, std::vector<std::string>(3, MessageText(kMsgPortfolioUnreadable)));
	EXPECT_TRUE(LDocument::GetDocumentList().empty());

	// The same file without the extra bytes opens.
	WriteText(tail, empty);
	OpenDocuments(*app, tail);
	EXPECT_EQ(LDocument::GetDocumentList().size(), 1u);
	app->AttemptQuitSelf(0);
}

} // namespace
