// The program's File menu with portfolio documents: Open through the open dialog (several files at once,
// a file already open brought forward, files of other types passed over) and New with its base currency;
// and scripts and the command line that open documents, each file under its own name or refused.
#include "app/TStockPlugin.h"
#include "app/UAppleEventTable.h"
#include "foundation/TVyFile.h"
#include "foundation/TVyFileUtils.h"
#include "model/TAccountant.h"
#include "model/TStock.h"
#include "model/UPortfolioFile.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UNavServicesDialogs.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/app/SessionBusSupport.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "tests/support/ScratchFolder.h"
#include "tests/windows/WindowInput.h"
#include "windows/portfolio/TLedgerEditWindow.h"
#include "windows/portfolio/TLedgerWindow.h"
#include "windows/portfolio/TPortfolio.h"
#include "windows/portfolio/TPortfolioWindow.h"
#include "windows/security/UWindowRegistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace
{

class PortfolioDocumentE2ETest : public QuoteServingFixture
{
protected:
	void SetUp() override
	{
		QuoteServingFixture::SetUp();
		UWindowRegistry::Install();
		StDialogHandler::SetAnswersRequired(true);
		TVyFileUtils::SetNavHandler([this](const tNavRequest& inRequest) {
			EXPECT_EQ(inRequest.fileType, UPortfolioFile::kFileType);
			tNavReply reply;
			reply.accepted = true;
			for (const std::string& name : mChosen)
				reply.specs.push_back(Spec(name));
			reply.spec = reply.specs.front();
			return reply;
		});
	}

	void TearDown() override
	{
		for (LDocument* document : std::vector<LDocument*>(LDocument::GetDocumentList()))
			document->Close();
		TVyFileUtils::SetNavHandler(nullptr);
		UNavServicesDialogs::SetChooser(nullptr);
		StDialogHandler::SetAnswersRequired(false);
		UModalAlerts::SetAnswersRequired(false);
		UModalAlerts::ClearQueuedAnswers();
		kestrunApp::SetDocumentHandlers({});
		TAccountant::SetSecurityFinder(nullptr);
		QuoteServingFixture::TearDown();
	}

	FSSpec Spec(const std::string& inName)
	{
		FSSpec spec;
		EXPECT_EQ(FSPathMakeFSSpec(mRoot + "/" + inName, &spec), noErr);
		return spec;
	}

	void WritePortfolio(const std::string& inName, TStock* inStock)
	{
		tPortfolioParameters parameters;
		UPortfolioFile::DefaultParameters(&parameters, 100);
		TList<tCategory> categories{true, true};
		TList<tLedgerEntry> ledger{true, true};
		tLedgerEntry buy;
		UPortfolioFile::DefaultEntry(&buy, kStockBuy, SInt16(inStock->Exchange()), 100);
		std::strncpy(buy.symbol, inStock->SecuritySymbol(), tLedgerEntry::kSymbolSize - 1);
		buy.units = 3;
		buy.price = 10;
		ledger.Append(&buy);
		FSSpec spec = Spec(inName);
		TVyFile file(&spec);
		ASSERT_EQ(UPortfolioFile::SavePortfolio(&file, &parameters, &categories, &ledger), 0);
	}

	// Portfolios under names that Mac Roman spells "?.pf", beside a real "?.pf", and one under a name too
	// long for the file manager.
	void WriteNamesWithoutMacRomanSpelling(TStock* inStock)
	{
		WritePortfolio("?.pf", inStock);
		for (const std::string& name : {kKanji + ".pf", kChart + ".pf", kLongName})
			std::filesystem::copy_file(mRoot + "/?.pf", mRoot + "/" + name);
	}

	static std::vector<std::string> Titles()
	{
		std::vector<std::string> titles;
		for (LDocument* document : LDocument::GetDocumentList()) {
			Str255 title;
			document->GetDescriptor(title);
			titles.push_back(PascalStrings::ToString(title));
		}
		return titles;
	}

	const std::string kKanji = "\xE6\xA0\xAA";     // U+682A
	const std::string kChart = "\xF0\x9F\x93\x88"; // U+1F4C8
	const std::string kLongName = std::string(67, 'L') + ".pf";
	const std::string kBadName = " (its name has characters this program cannot use)";
	std::vector<std::string> mChosen;
};

TEST_F(PortfolioDocumentE2ETest, FileMenuOpensChosenPortfoliosOnceAndMakesNewOnes)
{
	auto app = Start();
	ASSERT_FALSE(Securities(securityStock).empty());
	auto* stock = dynamic_cast<TStock*>(Securities(securityStock).front());
	ASSERT_NE(stock, nullptr);
	WritePortfolio("Growth", stock);
	WritePortfolio("Income", stock);

	mChosen = {"Growth", "Income"};
	app->ObeyCommand(cmd_Open, nullptr);
	ASSERT_EQ(LDocument::GetDocumentList().size(), 2u);
	auto* growth = dynamic_cast<TPortfolio*>(LDocument::GetDocumentList().front());
	ASSERT_NE(growth, nullptr);
	tPortfolioItem* row = growth->GetPortfolioWindow()->GetAccountant()->GetNth(1);
	ASSERT_NE(row, nullptr);
	EXPECT_EQ(row->security, stock);
	EXPECT_EQ(row->shares, 3);

	StDialogHandler::QueueAnswer(msg_OK);
	app->ObeyCommand(cmd_New, nullptr);
	ASSERT_EQ(LDocument::GetDocumentList().size(), 3u);
	auto* untitled = dynamic_cast<TPortfolio*>(LDocument::GetDocumentList().back());
	ASSERT_NE(untitled, nullptr);
	EXPECT_EQ(untitled->GetParameters()->baseCurrency, 100);
	EXPECT_FALSE(untitled->IsSpecified());

	// A text file is passed over without a word; Growth is not opened a second time.
	{
		FSSpec spec = Spec("Letter");
		TVyFile letter(&spec);
		ASSERT_EQ(TVyFileUtils::TouchFile(&letter, FOUR_CHAR_CODE("TEXT"), FOUR_CHAR_CODE("ttxt")),
		          0);
		tFileInformation info;
		ASSERT_EQ(letter.GetInfo(&info), 0);
		if (info.type != FOUR_CHAR_CODE("TEXT"))
			GTEST_SKIP() << "file types are not kept here";
	}
	mChosen = {"Letter", "Growth"};
	app->ObeyCommand(cmd_Open, nullptr);
	EXPECT_EQ(LDocument::GetDocumentList().size(), 3u);
}

// The Save of the quit question finds no room: the user is told why, and the program stays with the portfolio
// changed and its file as it was. Asked again once there is room, the quit goes on and the portfolio is
// saved.
TEST_F(PortfolioDocumentE2ETest, AFailedSaveInTheQuitQuestionIsShownAndStopsTheQuit)
{
	auto app = Start();
	auto* stock = dynamic_cast<TStock*>(Securities(securityStock).front());
	ASSERT_NE(stock, nullptr);
	WritePortfolio("Growth", stock);
	mChosen = {"Growth"};
	app->ObeyCommand(cmd_Open, nullptr);
	ASSERT_EQ(LDocument::GetDocumentList().size(), 1u);
	auto* growth = dynamic_cast<TPortfolio*>(LDocument::GetDocumentList().front());
	ASSERT_NE(growth, nullptr);
	tLedgerEntry entry = *growth->GetLedger()->GetNth(1);
	growth->GetLedger()->Append(&entry);
	const std::string saved = ReadText(mRoot + "/Growth");

	UModalAlerts::SetAnswersRequired(true);
	UModalAlerts::ClearShownAlerts();
	{
		StFileSizeLimit limit(saved.size() + 100);
		UModalAlerts::QueueAnswer(answer_Save);
		UModalAlerts::QueueAnswer(1);
		app->ObeyCommand(cmd_Quit, nullptr);
	}
	ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), 2u);
	EXPECT_EQ(
	    UModalAlerts::GetShownAlerts()[1].text,
	    "\xD2Growth\xD3 could not be saved. The disk is full, or the file would pass the size limit "
	    "set for files. Nothing on disk was changed.");
	EXPECT_NE(app->GetState(), programState_Quitting);
	EXPECT_EQ(LDocument::GetDocumentList(), std::vector<LDocument*>{growth});
	EXPECT_TRUE(growth->IsModified());
	EXPECT_EQ(ReadText(mRoot + "/Growth"), saved);

	UModalAlerts::QueueAnswer(answer_Save);
	app->ObeyCommand(cmd_Quit, nullptr);
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 3u);
	EXPECT_EQ(app->GetState(), programState_Quitting);
	EXPECT_EQ(ReadText(mRoot + "/Growth").size(), saved.size() + tLedgerEntry::kStoredSize);
	UModalAlerts::SetAnswersRequired(false);
}

// The Save of the quit question that cannot be done says why and stops the quit: an untitled portfolio's
// Save As to a folder that is not there, or that went while Qt's dialog was open; a ledger entry's window
// holding a number its OK refuses. Once each is put right, the quit goes on.
TEST_F(PortfolioDocumentE2ETest, ASaveInTheQuitQuestionThatCannotBeDoneSaysWhyAndStopsTheQuit)
{
	auto app = Start();
	UNavServicesDialogs::Install();
	std::string chosen, goesWhileAsking;
	UNavServicesDialogs::SetChooser([&](const UNavServicesDialogs::tDialogOptions&) {
		if (!goesWhileAsking.empty())
			std::filesystem::remove_all(goesWhileAsking);
		return QStringList{QString::fromStdString(chosen)};
	});
	StDialogHandler::QueueAnswer(msg_OK);
	app->ObeyCommand(cmd_New, nullptr);
	ASSERT_EQ(LDocument::GetDocumentList().size(), 1u);
	auto* untitled = dynamic_cast<TPortfolio*>(LDocument::GetDocumentList().front());
	ASSERT_NE(untitled, nullptr);
	const std::string title = FrameworkTest::Descriptor(untitled->GetWindow());
	UModalAlerts::SetAnswersRequired(true);
	UModalAlerts::ClearShownAlerts();
	auto quit = [&app] {
		UModalAlerts::QueueAnswer(answer_Save);
		UModalAlerts::QueueAnswer(1);
		app->ObeyCommand(cmd_Quit, nullptr);
	};
	auto expectStopped = [&](const std::string& inAlert) {
		ASSERT_FALSE(UModalAlerts::GetShownAlerts().empty());
		EXPECT_EQ(UModalAlerts::GetShownAlerts().back().text, inAlert);
		EXPECT_NE(app->GetState(), programState_Quitting);
		EXPECT_EQ(LDocument::GetDocumentList(), std::vector<LDocument*>{untitled});
		EXPECT_TRUE(untitled->IsModified());
		EXPECT_EQ(FrameworkTest::Descriptor(untitled->GetWindow()), title);
	};
	const std::string noFolder = "\xD3 does not exist, or is not a folder. Nothing on disk was changed.";

	chosen = mRoot + "/Missing/Growth";
	quit();
	expectStopped("\xD2" + title + "\xD3 could not be saved as \xD2Growth\xD3. The folder \xD2" + mRoot +
	              "/Missing" + noFolder);
	std::filesystem::create_directory(mRoot + "/Plans");
	chosen = mRoot + "/Plans/Growth";
	goesWhileAsking = mRoot + "/Plans";
	quit();
	expectStopped("\xD2" + title + "\xD3 could not be saved as \xD2Growth\xD3. The folder \xD2" + mRoot +
	              "/Plans" + noFolder);
	goesWhileAsking.clear();
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 4u);
	EXPECT_FALSE(std::filesystem::exists(mRoot + "/Missing"));
	EXPECT_FALSE(std::filesystem::exists(mRoot + "/Plans"));

	// A purchase of 0 units in its window.
	TPortfolioWindow* window = untitled->GetPortfolioWindow();
	window->ObeyCommand(TPortfolioWindow::kCmdOpenLedger, nullptr);
	auto* ledger = dynamic_cast<TLedgerWindow*>(window->LedgerWindow());
	ASSERT_NE(ledger, nullptr);
	WindowInput::Click(ledger, FOUR_CHAR_CODE("BuyS"));
	auto* edit = dynamic_cast<TLedgerEditWindow*>(ledger->GetSubCommanders().back());
	ASSERT_NE(edit, nullptr);
	WindowInput::Type(edit, "Unit", "0");
	WindowInput::Type(edit, "Prce", "12");
	chosen = mRoot + "/Growth";
	quit();
	expectStopped("\xD2" + title + "\xD3 was not saved: \xD2Units\xD3 in \xD2" +
	              FrameworkTest::Descriptor(edit) +
	              "\xD3 must be a number above 0. Correct it, or cancel that entry.");
	EXPECT_EQ(ledger->CountEditWindows(), 1u);
	auto* units = FrameworkTest::FindPane<LEditText>(edit, "Unit");
	EXPECT_EQ(LCommander::GetTarget(), units);
	SInt16 start = -1, end = -1;
	units->GetSelection(start, end);
	EXPECT_EQ(start, 0);
	EXPECT_EQ(end, 1);
	EXPECT_FALSE(std::filesystem::exists(mRoot + "/Growth"));

	WindowInput::Type(edit, "Unit", "5");
	UModalAlerts::QueueAnswer(answer_Save);
	StDialogHandler::QueueAnswer(2001); // keeps the entry of a security not in the lists
	app->ObeyCommand(cmd_Quit, nullptr);
	EXPECT_EQ(app->GetState(), programState_Quitting);
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 7u);
	EXPECT_EQ(ReadText(mRoot + "/Growth").size(), 708u + tLedgerEntry::kStoredSize);
}

// Answers the dialogs the program shows while a script's call is out, noting each one's text and whether
// the call had been answered by the time it came up. A dialog still up after ten seconds is answered
// anyway, so that a failing test ends.
class DialogAnswerer
{
public:
	struct tSeen {
		std::string text;
		bool afterAnswer;
	};

	explicit DialogAnswerer(QProcess& inCall)
	    : mCall(inCall), mAlerts(UModalAlerts::SetUnanswered(nullptr)),
	      mDialogs(StDialogHandler::SetUnanswered(nullptr))
	{
		QObject::connect(&mTimer, &QTimer::timeout, [this] { Look(); });
		mTimer.start(10);
	}
	// What the program shows after, when the test ends early, nobody answers.
	~DialogAnswerer()
	{
		UModalAlerts::SetUnanswered(mAlerts);
		StDialogHandler::SetUnanswered(mDialogs);
	}
	DialogAnswerer(const DialogAnswerer&) = delete;
	DialogAnswerer& operator=(const DialogAnswerer&) = delete;

	std::vector<tSeen> mSeen;

private:
	void Look()
	{
		const bool answered = mCall.state() == QProcess::NotRunning;
		auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
		LWindow* dialog = box ? nullptr : LWindow::FetchTopModal();
		if (!box && (!dialog || StDialogHandler::CountQueuedAnswers() > 0)) {
			mWaited = 0;
			return;
		}
		if (!answered && ++mWaited < 1000)
			return;
		mWaited = 0;
		if (box) {
			mSeen.push_back({box->text().toStdString(), answered});
			box->buttons().front()->click();
		} else {
			mSeen.push_back(
			    {FrameworkTest::Descriptor(dialog->FindPaneByID(FOUR_CHAR_CODE("text"))),
			     answered});
			StDialogHandler::QueueAnswer(msg_OK);
		}
	}

	QProcess& mCall;
	const UModalAlerts::Unanswered mAlerts;
	const StDialogHandler::Unanswered mDialogs;
	QTimer mTimer;
	int mWaited = 0;
};

TEST_F(PortfolioDocumentE2ETest, ScriptsAreAnsweredBeforeAnyDialogAndRefusedFilesShareOneMessage)
{
	StPrivateSessionBus bus(mRoot);
	ASSERT_TRUE(bus.IsUp()) << "dbus-daemon did not start";
	auto app = Start();
	ASSERT_TRUE(UAppleEventService::Start(
	    [&](FourCharCode eventClass, FourCharCode eventID, const AppleEvent& event, AppleEvent& reply) {
		    app->DispatchAppleEvent(eventClass, eventID, event, reply);
	    }));
	auto* stock = dynamic_cast<TStock*>(Securities(securityStock).front());
	ASSERT_NE(stock, nullptr);
	WritePortfolio("Growth", stock);
	WritePortfolio("\xC3\x89pargne", stock); // "Épargne": paths travel as the file system spells them
	WriteText(mRoot + "/Damaged", "not a portfolio at all");
	const QString root = QString::fromStdString(mRoot);

	// A user answers each dialog; none holds the script's answer.
	UModalAlerts::SetAnswersRequired(false);
	StDialogHandler::SetAnswersRequired(false);
	auto call = std::make_unique<QProcess>();
	auto answerer = std::make_unique<DialogAnswerer>(*call);
	SessionBus::StartScript(*call, "aevt", "odoc",
	                        "{'----': <['" + root + "/Growth', '" + root + "/Damaged', '" + root +
	                            "/Gone', '" + root + "', '" + root + "/\u00C9pargne']>}");
	ASSERT_TRUE(RunUntil([&] {
		return call->state() == QProcess::NotRunning && answerer->mSeen.size() == 2 &&
		       LDocument::GetDocumentList().size() == 2;
	}));
	EXPECT_EQ(SessionBus::Output(*call),
	          "({'errn': <int16 -43>, 'errs': <'2 files could not be opened: " + root +
	              "/Gone (not found), " + root + " (not a file)'>},)");
	EXPECT_EQ(answerer->mSeen[0].text, "These files could not be opened:\n" + mRoot +
	                                       "/Gone (not found)\n" + mRoot + " (not a file)\n");
	EXPECT_EQ(answerer->mSeen[1].text,
	          "The portfolio \xD2"
	          "Damaged\xD3 could not be opened. It is damaged or of an unknown kind.");
	for (const auto& seen : answerer->mSeen)
		EXPECT_TRUE(seen.afterAnswer) << seen.text;

	// A single path where a list belongs is the wrong type, and nothing opens.
	EXPECT_EQ(SessionBus::Script([](const auto& done) { return RunUntil(done); }, "aevt", "odoc",
	                             "{'----': <'" + root + "/Gone'>}"),
	          "({'errn': <int16 -1703>, 'errs': <'The files must be given as a list of paths.'>},)");
	EXPECT_EQ(answerer->mSeen.size(), 2u);
	EXPECT_EQ(LDocument::GetDocumentList().size(), 2u);

	// A name is refused rather than taken for the file Mac Roman would spell it as; folders may have any
	// name.
	std::filesystem::create_directory(mRoot + "/" + kKanji);
	WritePortfolio(kKanji + "/Savings", stock);
	WriteNamesWithoutMacRomanSpelling(stock);
	answerer.reset();
	call = std::make_unique<QProcess>();
	answerer = std::make_unique<DialogAnswerer>(*call);
	SessionBus::StartScript(*call, "aevt", "odoc",
	                        "{'----': <['" + root + "/\u682A/Savings', '" + root + "/\u682A.pf', '" +
	                            root + "/\U0001F4C8.pf', '" + root + "/" +
	                            QString::fromStdString(kLongName) + "']>}");
	ASSERT_TRUE(RunUntil([&] {
		return call->state() == QProcess::NotRunning && answerer->mSeen.size() == 1 &&
		       LDocument::GetDocumentList().size() == 3;
	}));
	const QString output = SessionBus::Output(*call);
	EXPECT_TRUE(output.startsWith(
	    "({'errn': <int16 -37>, 'errs': <'3 files could not be opened: " + root + "/<U+682A>.pf" +
	    QString::fromStdString(kBadName) + ", " + root + "/<U+1F4C8>.pf"))
	    << output.toStdString();
	EXPECT_EQ(answerer->mSeen[0].text, "These files could not be opened:\n" + mRoot + "/<U+682A>.pf" +
	                                       kBadName + "\n" + mRoot + "/<U+1F4C8>.pf" + kBadName + "\n" +
	                                       mRoot + "/" + kLongName +
	                                       " (its name is longer than 63 characters)\n");
	EXPECT_EQ(Titles().back(), "Savings");

	// Five thousand missing files: one message, which tells how many it could not list.
	UModalAlerts::SetAnswersRequired(true);
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	AppleEvent event;
	std::vector<std::string> paths;
	for (int i = 0; i < 5000; ++i)
		paths.push_back(mRoot + "/missing-" + std::to_string(i));
	UAppleEventService::PutTextList(event, keyDirectObject, paths);
	const AppleEvent reply = UAppleEventService::Deliver(kCoreEventClass, kAEOpenDocuments, event);
	SInt16 error = 0;
	ASSERT_EQ(AEGetParamPtr(&reply, keyErrorNumber, typeSInt16, nullptr, &error, sizeof(error), nullptr),
	          0);
	EXPECT_EQ(error, fnfErr);
	ASSERT_TRUE(RunUntil([] { return !UModalAlerts::GetShownAlerts().empty(); }));
	for (int i = 0; i < 20; ++i)
		QApplication::processEvents();
	ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), 1u);
	const std::string text = UModalAlerts::GetShownAlerts().front().text;
	EXPECT_TRUE(
	    text.starts_with("These files could not be opened:\n" + mRoot + "/missing-0 (not found)\n"))
	    << text;
	const size_t listed = size_t(std::count(text.begin(), text.end(), '\n')) - 1;
	EXPECT_TRUE(text.ends_with("and " + std::to_string(5000 - listed) + " more.")) << text;
	EXPECT_EQ(LDocument::GetDocumentList().size(), 3u);

	// Quitting with a changed portfolio: the script's answer comes before the question to save it.
	UModalAlerts::SetAnswersRequired(false);
	LDocument::GetDocumentList().front()->SetModified(true);
	answerer.reset();
	call = std::make_unique<QProcess>();
	answerer = std::make_unique<DialogAnswerer>(*call);
	SessionBus::StartScript(*call, "aevt", "quit", "@a{sv} {}");
	ASSERT_TRUE(RunUntil([&] {
		return call->state() == QProcess::NotRunning && app->GetState() == programState_Quitting;
	}));
	EXPECT_EQ(SessionBus::Output(*call), "(@a{sv} {},)");
	ASSERT_EQ(answerer->mSeen.size(), 1u);
	EXPECT_NE(answerer->mSeen[0].text.find("before quitting"), std::string::npos)
	    << answerer->mSeen[0].text;
	EXPECT_TRUE(answerer->mSeen[0].afterAnswer);
	UAppleEventService::Stop();
}

TEST_F(PortfolioDocumentE2ETest, FilesNamedOnTheCommandLineAreFoundFromTheFolderItStartedIn)
{
	auto app = Start();
	auto* stock = dynamic_cast<TStock*>(Securities(securityStock).front());
	ASSERT_NE(stock, nullptr);
	WritePortfolio("Growth", stock);
	WriteNamesWithoutMacRomanSpelling(stock);
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	// The tests run in mRoot/work.
	app->SetLaunchDocuments({"../Growth", "Gone", "../" + kKanji + ".pf", "../?.pf"});
	app->StartUp();
	ASSERT_TRUE(RunUntil([] {
		return !UModalAlerts::GetShownAlerts().empty() && LDocument::GetDocumentList().size() == 2;
	}));
	EXPECT_EQ(UModalAlerts::GetShownAlerts().front().text, "These files could not be opened:\n" + mWork +
	                                                           "/Gone (not found)\n" + mWork +
	                                                           "/../<U+682A>.pf" + kBadName + "\n");
	EXPECT_EQ(Titles(), (std::vector<std::string>{"Growth", "?.pf"}));

	// A NUL cannot come from the command line or the bus, but the event's list can hold one; the file
	// named before it is not opened in its place.
	UModalAlerts::SetAnswersRequired(true);
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	LDocument::GetDocumentList().back()->Close();
	AppleEvent event, reply;
	event.descriptorType = reply.descriptorType = typeAppleEvent;
	UAppleEventService::PutTextList(event, keyDirectObject,
	                                {mRoot + "/?.pf" + std::string(1, '\0') + ".x"});
	app->DispatchAppleEvent(kCoreEventClass, kAEOpenDocuments, event, reply);
	SInt16 error = 0;
	ASSERT_EQ(AEGetParamPtr(&reply, keyErrorNumber, typeSInt16, nullptr, &error, sizeof(error), nullptr),
	          0);
	EXPECT_EQ(error, bdNamErr);
	ASSERT_TRUE(RunUntil([] { return !UModalAlerts::GetShownAlerts().empty(); }));
	for (int i = 0; i < 20; ++i)
		QApplication::processEvents();
	EXPECT_EQ(UModalAlerts::GetShownAlerts().front().text,
	          "This file could not be opened:\n" + mRoot + "/?.pf<U+0000>.x" + kBadName + "\n");
	EXPECT_EQ(Titles(), std::vector<std::string>{"Growth"});
	UModalAlerts::SetAnswersRequired(false);
	app->AttemptQuitSelf(0);
}

} // namespace
