// The file dialogs of portfolios as the user meets them: titled by what they do, opening in the documents
// folder, listing portfolio files first, and taking several files to open at once; a Save As to a place
// that cannot be used, or onto a portfolio open in another window, refused and told; and, in Qt's own
// dialogs, a name that stood free when the user accepted left to another program that takes it meanwhile,
// and a name that is no plain file refused before anything opens it.

#include "app/kestrunApp.h"
#include "foundation/TVyFile.h"
#include "model/UPortfolioFile.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UNavServicesDialogs.h"
#include "platform/framework/UPrinting.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/PascalStrings.h"
#include "tests/support/DiskAbilities.h"
#include "tests/support/ScratchFolder.h"
#include "tests/windows/PrintedText.h"
#include "tests/windows/SecurityWindowsTestSupport.h"
#include "windows/portfolio/TPortfolio.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <deque>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <gtest/gtest.h>
#include <poll.h>
#include <set>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace
{

using Options = UNavServicesDialogs::tDialogOptions;

// What the user does in Qt's own dialogs, one step for each dialog as it shows (a file or print dialog, a
// question inside it), in order. A dialog left waiting 10 s with no step for it fails the test and is
// rejected, so that no test waits for ever.
class StQtUser
{
public:
	StQtUser()
	{
		QObject::connect(&mPoll, &QTimer::timeout, [this] { Poll(); });
		mPoll.start(5);
	}
	~StQtUser() { EXPECT_TRUE(mSteps.empty()) << mSteps.size() << " steps were not taken"; }
	StQtUser(const StQtUser&) = delete;
	StQtUser& operator=(const StQtUser&) = delete;

	template <class T> StQtUser& Then(std::function<void(T*)> inStep)
	{
		mSteps.push_back([inStep](QDialog* inShown) {
			auto* dialog = qobject_cast<T*>(inShown);
			// From the event loop, as the user's input comes: a question the step brings up runs
			// a loop of its own, in which the next step is taken.
			if (dialog != nullptr)
				QTimer::singleShot(0, dialog, [dialog, inStep] { inStep(dialog); });
			return dialog != nullptr;
		});
		return *this;
	}

private:
	static constexpr int kBound = 10000;

	void Poll()
	{
		auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
		if (shown == nullptr) {
			mIdle.setRemainingTime(kBound);
		} else if (shown != mActedOn && !mSteps.empty() && mSteps.front()(shown)) {
			mSteps.pop_front();
			mActedOn = shown;
			mIdle.setRemainingTime(kBound);
		} else if (mIdle.hasExpired()) {
			ADD_FAILURE() << "no step for " << shown->metaObject()->className() << " \""
			              << shown->windowTitle().toStdString() << "\"";
			shown->reject();
			mIdle.setRemainingTime(kBound);
		}
	}

	QTimer mPoll;
	std::deque<std::function<bool(QDialog*)>> mSteps;
	QPointer<QDialog> mActedOn;
	QDeadlineTimer mIdle{kBound};
};

// Types a name in a file dialog's name field and presses Return.
std::function<void(QFileDialog*)> TypeName(const char* inName)
{
	return [inName](QFileDialog* inDialog) {
		auto* name = inDialog->findChild<QLineEdit*>("fileNameEdit");
		ASSERT_NE(name, nullptr);
		// The field the user types in has the keys: the dialog then takes the typed name, not the
		// file that an earlier name selected in its list.
		QApplication::setActiveWindow(inDialog);
		name->setFocus();
		ASSERT_TRUE(name->hasFocus());
		name->setText(inName);
		QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
		QCoreApplication::sendEvent(name, &press);
	};
}

std::function<void(QMessageBox*)> Answer(QMessageBox::StandardButton inButton)
{
	return [inButton](QMessageBox* inQuestion) {
		ASSERT_NE(inQuestion->button(inButton), nullptr);
		inQuestion->button(inButton)->click();
	};
}

void PressPrint(QPrintDialog* inDialog)
{
	auto* buttons = inDialog->findChild<QDialogButtonBox*>();
	ASSERT_NE(buttons, nullptr);
	buttons->button(QDialogButtonBox::Ok)->click();
}

// Runs inAction once, as Qt's print dialog turns its file field off: after this program looked at the name,
// before Qt's own check of the other fields accepts.
void WhenFileFieldDone(QPrintDialog* inDialog, std::function<void()> inAction)
{
	struct Filter : QObject {
		std::function<void()> action;
		bool eventFilter(QObject* inField, QEvent* inEvent) override
		{
			if (inEvent->type() == QEvent::EnabledChange && action &&
			    !static_cast<QWidget*>(inField)->isEnabled())
				std::exchange(action, nullptr)();
			return false;
		}
	};
	auto* field = inDialog->findChild<QLineEdit*>("filename");
	ASSERT_NE(field, nullptr);
	auto* filter = new Filter;
	filter->setParent(field);
	filter->action = std::move(inAction);
	field->installEventFilter(filter);
}

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
			if (mWhileAsking)
				mWhileAsking();
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
		UPrinting::GetAppPrintSpec().SetOutputFile("");
		StDialogHandler::SetAnswersRequired(false);
		UModalAlerts::SetAnswersRequired(false);
		UModalAlerts::ClearQueuedAnswers();
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

	TPortfolio* Open(const std::string& inName)
	{
		FSSpec spec;
		EXPECT_EQ(FSPathMakeFSSpec(mScratch.Path(inName), &spec), noErr);
		return TPortfolio::Open(mSuper, &spec);
	}
	// Save As from the window's menu, answered with inPath; the alert it shows is answered.
	void SaveAs(TPortfolio* inDocument, const std::string& inPath)
	{
		mAnswers = {Path(inPath)};
		UModalAlerts::QueueAnswer(1);
		UDispatch::Run([&] { inDocument->GetWindow()->ProcessCommand(cmd_SaveAs, nullptr); });
	}
	// Qt's own dialogs in place of the stand-ins. They keep their state in the user's settings, whose
	// folder Qt takes only once a run.
	void UseQtsDialogs()
	{
		UNavServicesDialogs::SetChooser(nullptr);
		UPrinting::SetPrintJobDialog(nullptr);
		for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
			QSettings::setPath(format, QSettings::UserScope, Path("config"));
		// A window an earlier test left for deletion would take the dialog with it.
		QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
	}
	// Another program's file, made as the dialog closes.
	void MakeWhenClosed(QDialog* inDialog, const std::string& inName)
	{
		QObject::connect(inDialog, &QDialog::finished,
		                 [this, inName] { mScratch.Write(inName, "theirs"); });
	}
	std::set<std::string> Listing(const std::string& inFolder) const
	{
		std::set<std::string> names;
		for (const auto& entry : std::filesystem::directory_iterator(mScratch.Path(inFolder)))
			names.insert(entry.path().filename().string());
		return names;
	}

	ScratchFolder mScratch;
	QStringList mAnswers;
	std::vector<Options> mAsked;
	std::function<void()> mWhileAsking; // what happens while the dialog is open
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
	// A named pipe is no portfolio, whatever it holds. A read of it that waits for more ends only when
	// this writer goes, which it does after 10 s: the test then fails rather than hangs.
	const std::string pipe = mScratch.Path("home/Documents/Archive/pipe");
	ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
	const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
	std::atomic<int> writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
	ASSERT_GE(reader, 0);
	ASSERT_GE(writer.load(), 0);
	ASSERT_EQ(write(writer, "zv20", 4), 4);
	std::promise<void> listed;
	std::thread bound([&writer, done = listed.get_future()] {
		if (done.wait_for(std::chrono::seconds(10)) == std::future_status::timeout)
			close(writer.exchange(-1));
	});
	EXPECT_FALSE(open.firstFilterLists(QString::fromStdString(pipe)));
	listed.set_value();
	bound.join();
	int unread = 0;
	EXPECT_EQ(ioctl(reader, FIONREAD, &unread), 0);
	EXPECT_EQ(unread, 4) << "the pipe was read";
	close(reader);
	if (writer >= 0)
		close(writer);
}

// A name typed in a folder that is not there, a folder that went while the dialog was open, a folder or a
// file where a folder belongs: each is a Save As that failed, said as such, and nothing changes.
TEST_F(PortfolioFileDialogsTest, SaveAsToAPlaceThatCannotBeUsedSaysWhyAndChangesNothing)
{
	WritePortfolio("home/Documents/Retirement");
	TPortfolio* document = Open("home/Documents/Retirement");
	ASSERT_NE(document, nullptr);
	document->SetModified(true);
	mScratch.MakeFolder("home/Documents/Archive");
	const std::string documents = mScratch.Path("home/Documents");
	const std::string before = "\xD2Retirement\xD3 could not be saved as \xD2";
	const std::string noFolder = "\xD3 does not exist, or is not a folder. Nothing on disk was changed.";
	UModalAlerts::ClearShownAlerts();

	SaveAs(document, "home/Documents/Missing/Copy");
	mWhileAsking = [this] { std::filesystem::remove_all(mScratch.Path("home/Documents/Archive")); };
	SaveAs(document, "home/Documents/Archive/Copy");
	mWhileAsking = nullptr;
	mScratch.MakeFolder("home/Documents/Archive");
	SaveAs(document, "home/Documents/Archive");
	SaveAs(document, "home/Documents/Retirement/Copy");
	// A new name that another program takes after the dialog closed stays that program's.
	static std::string sTaken;
	sTaken = mScratch.Path("home/Documents/Copy");
	const ReplaceStepHook former = SetReplaceStepHook([](ReplaceStep inStep) {
		if (inStep == ReplaceStep::kResolved)
			std::ofstream(sTaken) << "theirs";
	});
	SaveAs(document, "home/Documents/Copy");
	SetReplaceStepHook(former);
	EXPECT_EQ(mScratch.Read("home/Documents/Copy"), "theirs");
	EXPECT_EQ(mAsked.size(), 5u);
	std::vector<std::string> shown;
	for (const auto& alert : UModalAlerts::GetShownAlerts())
		shown.push_back(alert.text);
	EXPECT_EQ(shown, (std::vector<std::string>{
	                     before + "Copy\xD3. The folder \xD2" + documents + "/Missing" + noFolder,
	                     before + "Copy\xD3. The folder \xD2" + documents + "/Archive" + noFolder,
	                     before + "Archive\xD3. A folder has that name. Nothing on disk was changed.",
	                     before + "Copy\xD3. The folder \xD2" + documents + "/Retirement" + noFolder,
	                     before + "Copy\xD3. Another program made a file of that name meanwhile; it was "
	                              "left as it is. Nothing on disk was changed."}));
	EXPECT_EQ(Listing("home/Documents"), (std::set<std::string>{"Archive", "Copy", "Retirement"}));
	EXPECT_TRUE(std::filesystem::is_empty(mScratch.Path("home/Documents/Archive")));
	EXPECT_TRUE(document->IsModified());
	EXPECT_EQ(FrameworkTest::Descriptor(document->GetWindow()), "Retirement");

	// Cancel says nothing.
	mAnswers = {};
	UDispatch::Run([&] { document->GetWindow()->ProcessCommand(cmd_SaveAs, nullptr); });
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 5u);
	EXPECT_TRUE(document->IsModified());
}

// Two windows must never write one file: Save As onto a portfolio open in another window is refused,
// however the file is reached, and Open of it brings that window forward. Onto its own file it is a Save.
TEST_F(PortfolioFileDialogsTest, SaveAsOntoAPortfolioOpenInAnotherWindowIsRefused)
{
	WritePortfolio("home/Documents/Retirement");
	WritePortfolio("home/Documents/Pension");
	std::filesystem::create_symlink(mScratch.Path("home/Documents/Pension"),
	                                mScratch.Path("home/Documents/Link"));
	std::filesystem::create_directory_symlink(mScratch.Path("home/Documents"),
	                                          mScratch.Path("home/Docs"));
	TPortfolio* document = Open("home/Documents/Retirement");
	TPortfolio* pension = Open("home/Documents/Pension");
	ASSERT_NE(document, nullptr);
	ASSERT_NE(pension, nullptr);
	document->SetModified(true);
	const std::string bytes = mScratch.Read("home/Documents/Pension");
	UModalAlerts::ClearShownAlerts();

	for (const char* path : {"home/Documents/Pension", "home/Documents/Link", "home/Docs/Pension"})
		SaveAs(document, path);
	ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), 3u);
	const std::string open =
	    ". That file is open in the window \xD2Pension\xD3: close that window first. "
	    "Nothing on disk was changed.";
	EXPECT_EQ(UModalAlerts::GetShownAlerts()[0].text,
	          "\xD2Retirement\xD3 could not be saved as \xD2Pension\xD3" + open);
	EXPECT_EQ(UModalAlerts::GetShownAlerts()[1].text,
	          "\xD2Retirement\xD3 could not be saved as \xD2Link\xD3" + open);
	EXPECT_EQ(UModalAlerts::GetShownAlerts()[2].text, UModalAlerts::GetShownAlerts()[0].text);
	EXPECT_EQ(mScratch.Read("home/Documents/Pension"), bytes);
	EXPECT_TRUE(std::filesystem::is_symlink(mScratch.Path("home/Documents/Link")));
	EXPECT_TRUE(document->IsModified());
	EXPECT_EQ(FrameworkTest::Descriptor(document->GetWindow()), "Retirement");

	// Opened through the link or the other folder name, it is the window already open.
	EXPECT_EQ(Open("home/Documents/Link"), pension);
	EXPECT_EQ(Open("home/Docs/Pension"), pension);
	EXPECT_EQ(LDocument::GetDocumentList().size(), 2u);

	mAnswers = {Path("home/Documents/Retirement")};
	UDispatch::Run([&] { document->GetWindow()->ProcessCommand(cmd_SaveAs, nullptr); });
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 3u);
	EXPECT_FALSE(document->IsModified());
}

// Save As in Qt's dialog: a name that stood free when the user pressed Return is the user's new file, left
// to another program that makes it while the dialog closes; a name the user agreed to replace is replaced.
TEST_F(PortfolioFileDialogsTest, SaveAsInQtsDialogReplacesOnlyAFileTheUserAgreedToReplace)
{
	UseQtsDialogs();
	WritePortfolio("home/Documents/Retirement");
	TPortfolio* document = Open("home/Documents/Retirement");
	ASSERT_NE(document, nullptr);
	document->SetModified(true);
	mScratch.Write("home/Documents/Existing", "last year's");
	UModalAlerts::ClearShownAlerts();
	const auto saveAs = [&] {
		UDispatch::Run([&] { document->GetWindow()->ProcessCommand(cmd_SaveAs, nullptr); });
	};
	{
		// The user thinks better of replacing, and types a new name.
		StQtUser user;
		user.Then<QFileDialog>(TypeName("Existing"))
		    .Then<QMessageBox>(Answer(QMessageBox::No))
		    .Then<QFileDialog>([this](QFileDialog* inDialog) {
			    MakeWhenClosed(inDialog, "home/Documents/Copy");
			    TypeName("Copy")(inDialog);
		    });
		UModalAlerts::QueueAnswer(1);
		saveAs();
	}
	EXPECT_EQ(mScratch.Read("home/Documents/Copy"), "theirs");
	EXPECT_EQ(mScratch.Read("home/Documents/Existing"), "last year's");
	std::vector<std::string> shown;
	for (const auto& alert : UModalAlerts::GetShownAlerts())
		shown.push_back(alert.text);
	EXPECT_EQ(shown, std::vector<std::string>{"\xD2Retirement\xD3 could not be saved as \xD2"
	                                          "Copy\xD3. Another program made a file of that name "
	                                          "meanwhile; it was left as it is. Nothing on disk was "
	                                          "changed."});
	EXPECT_TRUE(document->IsModified());
	EXPECT_EQ(FrameworkTest::Descriptor(document->GetWindow()), "Retirement");

	{
		// A name the program cannot use is refused and the dialog stays open for another.
		static const std::string sLong(64, 'n');
		StQtUser user;
		user.Then<QFileDialog>([](QFileDialog* inDialog) {
			    UModalAlerts::QueueAnswer(1);
			    TypeName(sLong.c_str())(inDialog);
			    EXPECT_TRUE(inDialog->isVisible());
			    TypeName("Existing")(inDialog);
		    })
		    .Then<QMessageBox>(Answer(QMessageBox::Yes));
		saveAs();
	}
	ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), 2u);
	EXPECT_EQ(UModalAlerts::GetShownAlerts()[1].text,
	          "\xD2" + std::string(64, 'n') +
	              "\xD3 cannot be used: its name has characters this program cannot use, or is longer "
	              "than 63 characters. Choose or give another name.");
	EXPECT_FALSE(document->IsModified());
	EXPECT_EQ(FrameworkTest::Descriptor(document->GetWindow()), "Existing");
	EXPECT_EQ(mScratch.Read("home/Documents/Existing").substr(0, 4), "zv22");
	EXPECT_EQ(Listing("home/Documents"), (std::set<std::string>{"Copy", "Existing", "Retirement"}));
}

// Print to File in Qt's print dialog: the same for the file the printout goes to, also when another
// program makes it (a file, a link to a file only root may read) after this program looked and before
// Qt's check of the other fields ends. A folder put there while "replace?" waits, and a file in a folder
// the user may not write in, are refused with those reasons.
TEST_F(PortfolioFileDialogsTest, PrintToFileInQtsDialogReplacesOnlyAFileTheUserAgreedToReplace)
{
	UseQtsDialogs();
	WritePortfolio("home/Documents/Retirement");
	TPortfolio* document = Open("home/Documents/Retirement");
	ASSERT_NE(document, nullptr);
	UPrinting::GetAppPrintSpec().SetOutputFile(mScratch.Path("home/Documents/Retirement.pdf"));
	const auto print = [&] {
		UDispatch::Run([&] { document->GetWindow()->ProcessCommand(cmd_Print, nullptr); });
	};
	std::string failed;
	{
		StQtUser user;
		user.Then<QPrintDialog>([this](QPrintDialog* inDialog) {
			MakeWhenClosed(inDialog, "home/Documents/Retirement.pdf");
			PressPrint(inDialog);
		});
		EXPECT_EQ(PrintedText::ErrorShownBy(print, &failed),
		          PrintedText::Message(31, "Retirement.pdf"));
	}
	EXPECT_EQ(mScratch.Read("home/Documents/Retirement.pdf"), "theirs");

	const std::string pdf = mScratch.Path("home/Documents/Retirement.pdf");
	mScratch.Write("secret", "root's");
	// A disk that keeps no modes refuses this; the file is to be left as it was either way.
	chmod(mScratch.Path("secret").c_str(), 0600);
	for (const bool link : {false, true}) {
		std::filesystem::remove(pdf);
		StQtUser user;
		user.Then<QPrintDialog>([&](QPrintDialog* inDialog) {
			WhenFileFieldDone(inDialog, [&] {
				if (link)
					std::filesystem::create_symlink(mScratch.Path("secret"), pdf);
				else
					mScratch.Write("home/Documents/Retirement.pdf", "theirs");
			});
			PressPrint(inDialog);
		});
		EXPECT_EQ(PrintedText::ErrorShownBy(print, &failed),
		          PrintedText::Message(31, "Retirement.pdf"))
		    << (link ? "link" : "file");
		EXPECT_EQ(std::filesystem::is_symlink(pdf), link);
	}
	EXPECT_TRUE(mScratch.Read("secret") == "root's") << "the file the link names was written";

	{
		StQtUser user;
		user.Then<QPrintDialog>(PressPrint).Then<QMessageBox>([&](QMessageBox* inQuestion) {
			std::filesystem::remove(pdf);
			std::filesystem::create_directory(pdf);
			Answer(QMessageBox::Yes)(inQuestion);
		});
		EXPECT_EQ(PrintedText::ErrorShownBy(print, &failed),
		          PrintedText::Message(30, "Retirement.pdf", "A folder has that name."));
	}
	EXPECT_TRUE(std::filesystem::is_empty(pdf));
	std::filesystem::remove(pdf);
	mScratch.Write("home/Documents/Retirement.pdf", "theirs");

	{
		StQtUser user;
		user.Then<QPrintDialog>(PressPrint).Then<QMessageBox>(Answer(QMessageBox::Yes));
		EXPECT_EQ(PrintedText::ErrorShownBy(print, &failed), "<no dialog>");
	}
	EXPECT_NE(PrintedText::Read(mScratch.Path("home/Documents/Retirement.pdf")).find("Retirement"),
	          std::string::npos);
	EXPECT_EQ(Listing("home/Documents"), (std::set<std::string>{"Retirement", "Retirement.pdf"}));

	if (const std::string why = DiskAbilities::WhyNot(mScratch.Path(), DiskAbilities::kBeDenied);
	    !why.empty())
		GTEST_SKIP() << why;
	const std::string printed = mScratch.Read("home/Documents/Retirement.pdf");
	ASSERT_EQ(chmod(mScratch.Path("home/Documents").c_str(), 0555), 0);
	{
		StQtUser user;
		user.Then<QPrintDialog>(PressPrint).Then<QMessageBox>(Answer(QMessageBox::Yes));
		EXPECT_EQ(PrintedText::ErrorShownBy(print, &failed),
		          PrintedText::Message(30, "Retirement.pdf",
		                               "You have no permission to write there, or the file or the "
		                               "disk is locked."));
	}
	chmod(mScratch.Path("home/Documents").c_str(), 0755);
	EXPECT_TRUE(mScratch.Read("home/Documents/Retirement.pdf") == printed);
}

// A name typed with "." or a ".." after a link, in Print to File and Save As: "replace?" is asked when the
// file the name leads to stands, as the system follows it (a link, then its ".."), and that file is written;
// the file the name reads as, taken as text, is left as it was.
TEST_F(PortfolioFileDialogsTest, ANameWithDotsIsAskedAboutAndWrittenWhereTheSystemLeadsIt)
{
	UseQtsDialogs();
	WritePortfolio("home/Documents/Retirement");
	TPortfolio* document = Open("home/Documents/Retirement");
	ASSERT_NE(document, nullptr);
	mScratch.MakeFolder("home/team/proj");
	mScratch.MakeFolder("home/Documents/Old");
	std::filesystem::create_directory_symlink("../team/proj", mScratch.Path("home/Documents/Shared"));
	std::filesystem::create_directory_symlink("Old", mScratch.Path("home/Documents/Archive"));
	// Typed under Documents; written under home, "team's" standing there first when asked; "mine" stands
	// where the name reads as text.
	const struct {
		std::string typed;
		bool asked;
		std::string written, textual;
	} cases[] = {{"plain", false, "Documents/plain", ""},
	             {"Archive/../archived", false, "Documents/archived", ""},
	             {"./Old/./dotted", false, "Documents/Old/dotted", ""},
	             {"Shared/../report", true, "team/report", "Documents/report"},
	             {"Shared/../fresh", false, "team/fresh", "Documents/fresh"}};
	UPrinting::GetAppPrintSpec().SetOutputFile(mScratch.Path("home/Documents/Retirement.pdf"));
	UModalAlerts::ClearShownAlerts();
	for (const bool print : {true, false}) {
		const std::string ending = print ? ".pdf" : "";
		for (const auto& c : cases) {
			const std::string typed = mScratch.Path("home/Documents/" + c.typed + ending);
			if (c.asked)
				mScratch.Write("home/" + c.written + ending, "team's");
			if (!c.textual.empty())
				mScratch.Write("home/" + c.textual + ending, "mine");
			StQtUser user;
			user.Then<QDialog>([&](QDialog* inDialog) {
				if (auto* files = qobject_cast<QFileDialog*>(inDialog))
					return TypeName(typed.c_str())(files);
				inDialog->findChild<QLineEdit*>("filename")
				    ->setText(QString::fromStdString(typed));
				PressPrint(qobject_cast<QPrintDialog*>(inDialog));
			});
			if (c.asked)
				user.Then<QMessageBox>([&](QMessageBox* inQuestion) {
					EXPECT_EQ(inQuestion->text().toStdString(),
					          std::filesystem::path(typed).filename().string() +
					              " already exists.\nDo you want to replace it?");
					Answer(QMessageBox::Yes)(inQuestion);
				});
			std::string failed;
			EXPECT_EQ(PrintedText::ErrorShownBy(
			              [&] {
				              UDispatch::Run([&] {
					              document->GetWindow()->ProcessCommand(
					                  print ? cmd_Print : cmd_SaveAs, nullptr);
				              });
			              },
			              &failed),
			          "<no dialog>")
			    << typed;
			EXPECT_EQ(mScratch.Read("home/" + c.written + ending).substr(0, 4),
			          print ? "%PDF" : "zv22")
			    << typed;
			if (!c.textual.empty()) {
				EXPECT_EQ(mScratch.Read("home/" + c.textual + ending), "mine") << typed;
			}
		}
	}
	EXPECT_TRUE(UModalAlerts::GetShownAlerts().empty());
}

// Print to File in Qt's dialog onto a name that is no plain file: a named pipe nobody reads, a link to a
// file that is not there in a folder open to all (another user's, as root). Each is refused with what
// stands there and the dialog stays open; nothing opens the pipe, nothing is made where the link points.
// So is no name, or one that ends in "/", each with its own reason.
TEST_F(PortfolioFileDialogsTest, PrintToFileInQtsDialogRefusesANameThatIsNoPlainFile)
{
	if (const std::string why = DiskAbilities::WhyNot(mScratch.Path(), DiskAbilities::kSetMode);
	    !why.empty())
		GTEST_SKIP() << why;
	UseQtsDialogs();
	WritePortfolio("home/Documents/Retirement");
	TPortfolio* document = Open("home/Documents/Retirement");
	ASSERT_NE(document, nullptr);
	const std::string pipe = mScratch.Path("home/Documents/pipe");
	ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
	// Held open to read: an open to write then returns at once, and leaves its mark.
	const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
	ASSERT_GE(reader, 0);
	mScratch.MakeFolder("shared");
	const std::string shared = mScratch.Path("shared");
	ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
	std::filesystem::create_symlink(shared + "/target.pdf", shared + "/link.pdf");
	if (const std::string why = DiskAbilities::WhyNot(shared, DiskAbilities::kGiveAway); why.empty()) {
		ASSERT_EQ(chown(shared.c_str(), 65534, 65534), 0);
		ASSERT_EQ(lchown((shared + "/link.pdf").c_str(), 65534, 65534), 0);
	} else {
		std::printf("%s: the shared folder and its link stay this user's.\n", why.c_str());
	}
	UPrinting::GetAppPrintSpec().SetOutputFile(pipe);
	UModalAlerts::ClearShownAlerts();
	std::string failed;
	{
		StQtUser user;
		user.Then<QPrintDialog>([&](QPrintDialog* inDialog) {
			// Offered only where this program looks at the name in place of Qt: a Qt that renamed
			// what it takes over fails here.
			EXPECT_TRUE(inDialog->testOption(QAbstractPrintDialog::PrintToFile));
			UModalAlerts::QueueAnswer(1);
			PressPrint(inDialog);
			EXPECT_TRUE(inDialog->isVisible());
			auto* name = inDialog->findChild<QLineEdit*>("filename");
			ASSERT_NE(name, nullptr);
			for (const std::string& path :
			     {shared + "/link.pdf", std::string(), std::string("reports/")}) {
				name->setText(QString::fromStdString(path));
				UModalAlerts::QueueAnswer(1);
				PressPrint(inDialog);
				EXPECT_TRUE(inDialog->isVisible()) << path;
			}
			inDialog->reject();
		});
		EXPECT_EQ(PrintedText::ErrorShownBy(
		              [&] {
			              UDispatch::Run(
			                  [&] { document->GetWindow()->ProcessCommand(cmd_Print, nullptr); });
		              },
		              &failed),
		          "<no dialog>");
	}
	const std::string home = QDir::homePath().toStdString();
	std::vector<std::string> shown;
	for (const auto& alert : UModalAlerts::GetShownAlerts())
		shown.push_back(alert.text);
	EXPECT_EQ(shown, (std::vector<std::string>{
	                     "\xD2pipe\xD3 cannot be used. It is a named pipe, not a plain file, so nothing "
	                     "was written to it. Choose another name or place.",
	                     "\xD2link.pdf\xD3 cannot be used. Its name is a link to a file that is not "
	                     "there. Choose another name or place.",
	                     "\xD2" + home +
	                         "/\xD3 cannot be used. No file name was given. Choose another "
	                         "name or place.",
	                     "\xD2" + home +
	                         "/reports/\xD3 cannot be used. A name ending in \xD2/\xD3 names "
	                         "a folder, not a file. Choose another name or place."}));
	EXPECT_FALSE(std::filesystem::exists(home + "/reports"));
	pollfd opened = {reader, POLLIN, 0};
	EXPECT_EQ(poll(&opened, 1, 0), 0) << "the pipe was opened to write";
	close(reader);
	EXPECT_TRUE(std::filesystem::is_symlink(shared + "/link.pdf"));
	EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(shared + "/target.pdf")));
}

} // namespace
