#include "platform/framework/UNavServicesDialogs.h"

#include "foundation/TVyFileUtils.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UPrinting.h"
#include "platform/toolbox/MacRoman.h"
#include "platform/toolbox/gui/ColorPicker.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "tests/support/ScratchFolder.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QDialog>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>
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
			return mAnswers.isEmpty() ? QStringList{mAnswer} : mAnswers;
		});
	}
	void TearDown() override
	{
		UNavServicesDialogs::SetChooser(nullptr);
		TVyFileUtils::SetNavHandler(nullptr);
		UModalAlerts::SetAnswersRequired(false);
		UModalAlerts::ClearQueuedAnswers();
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
	QStringList mAnswers; // several chosen files, when not empty
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

	// Saving: a new name appears once written; an existing one is replaced, as Qt's dialog has confirmed.
	Answer(mFolder.Path("Quotes/Caf\xC3\xA9"));
	std::unique_ptr<TVyFile> made(TVyFileUtils::NewFileSFP(nullptr, nullptr, nullptr));
	ASSERT_NE(made, nullptr);
	EXPECT_EQ(NameOf(*made), "Caf\x8E");
	ASSERT_EQ(made->Open(), 0);
	EXPECT_EQ(made->Close(), 0);
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
	ASSERT_EQ(replaced->Open(), 0);
	EXPECT_EQ(replaced->Close(), 0);
	EXPECT_EQ(mFolder.Read(kResumeDisk), "");
}

TEST_F(UNavServicesDialogsTest, CancelledAndRefusedChoicesAnswerNothingAndRefusalsSayWhy)
{
	mFolder.Write("plain", "kept");
	mFolder.MakeFolder("folder");
	ASSERT_EQ(mkfifo(mFolder.Path("pipe").c_str(), 0600), 0);
	std::filesystem::create_symlink(mFolder.Path("gone"), mFolder.Path("dangling"));
	struct Case {
		const char* what;
		std::string path;
		tNavRequest::Kind kind;
		std::string alert; // how the alert begins; empty when there is none
	};
	const std::vector<Case> cases = {
	    {"cancelled open", "", tNavRequest::kChooseFile, ""},
	    {"cancelled folder", "", tNavRequest::kChooseFolder, ""},
	    {"cancelled save", "", tNavRequest::kSaveFile, ""},
	    {"relative path", "plain", tNavRequest::kChooseFile, ""},
	    // A file to open that is not there, or no file, is named with what is wrong.
	    {"missing file", mFolder.Path("absent"), tNavRequest::kChooseFile,
	     "This file could not be opened:\n" + mFolder.Path("absent") + " (not found)\n"},
	    {"folder for a file", mFolder.Path("folder"), tNavRequest::kChooseFile,
	     "This file could not be opened:\n" + mFolder.Path("folder") + " (not a file)\n"},
	    // A place that cannot be used is named, never taken for Cancel.
	    {"file for a folder", mFolder.Path("plain"), tNavRequest::kChooseFolder,
	     "\xD2plain\xD3 cannot be used. The folder \xD2" + mFolder.Path("plain") +
	         "\xD3 does not exist, or is not a folder. Choose another name or place."},
	    {"save over a folder", mFolder.Path("folder"), tNavRequest::kSaveFile,
	     "\xD2"
	     "folder\xD3 cannot be used. A folder has that name. Choose another name or place."},
	    {"save into a missing folder", mFolder.Path("nowhere/x"), tNavRequest::kSaveFile,
	     "\xD2x\xD3 cannot be used. The folder \xD2" + mFolder.Path("nowhere") +
	         "\xD3 does not exist, or is not a folder. Choose another name or place."},
	    {"save into a file", mFolder.Path("plain/x"), tNavRequest::kSaveFile,
	     "\xD2x\xD3 cannot be used. The folder \xD2" + mFolder.Path("plain") +
	         "\xD3 does not exist, or is not a folder. Choose another name or place."},
	    // What the save would write to is looked at, never opened: a named pipe would hold the open.
	    {"save onto a named pipe", mFolder.Path("pipe"), tNavRequest::kSaveFile,
	     "\xD2pipe\xD3 cannot be used. It is a named pipe, not a plain file, so nothing was written to "
	     "it. Choose another name or place."},
	    {"save onto a link to nothing", mFolder.Path("dangling"), tNavRequest::kSaveFile,
	     "\xD2"
	     "dangling\xD3 cannot be used. Its name is a link to a file that is not there. Choose another "
	     "name or place."},
	    // Mac Roman has no such characters: the name would turn into another file's.
	    {"name outside Mac Roman", mFolder.Path("\xE6\x97\xA5\xE6\x9C\xAC"), tNavRequest::kSaveFile,
	     "\xD2<U+65E5><U+672C>\xD3 cannot be used"},
	    {"name longer than 63", mFolder.Path(std::string(64, 'n')), tNavRequest::kSaveFile,
	     "\xD2" + std::string(64, 'n') + "\xD3 cannot be used"},
	};
	for (const char* file : {"Documents.res", "Messages.res"})
		ASSERT_TRUE(ResourceStore::Get().LoadFile(
		    std::string(VANTOREL_FIXTURES) + "/../../resources/" + file, nullptr));
	UModalAlerts::SetAnswersRequired(true);
	for (const Case& c : cases) {
		UModalAlerts::ClearShownAlerts();
		if (!c.alert.empty())
			UModalAlerts::QueueAnswer(1);
		Answer(c.path);
		tNavRequest request;
		request.kind = c.kind;
		const tNavReply reply = UNavServicesDialogs::Answer(request);
		EXPECT_FALSE(reply.accepted) << c.what;
		EXPECT_FALSE(reply.replacing) << c.what;
		ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), c.alert.empty() ? 0u : 1u) << c.what;
		if (!c.alert.empty()) {
			EXPECT_TRUE(UModalAlerts::GetShownAlerts()[0].text.starts_with(c.alert))
			    << UModalAlerts::GetShownAlerts()[0].text;
		}
	}
	// A folder's long path keeps its end, and the reason stays whole.
	const std::string deep = std::string(120, 'd') + "/" + std::string(120, 'e');
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	Answer(mFolder.Path(deep + "/x"));
	EXPECT_EQ(TVyFileUtils::NewFileSFP(nullptr, nullptr, nullptr), nullptr);
	ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), 1u);
	const std::string& cut = UModalAlerts::GetShownAlerts()[0].text;
	EXPECT_TRUE(cut.starts_with("\xD2x\xD3 cannot be used. The folder \xD2\xC9")) << cut;
	EXPECT_TRUE(cut.ends_with(std::string(120, 'e') +
	                          "\xD3 does not exist, or is not a folder. Choose another name or place."))
	    << cut;
	// Nothing was made or replaced.
	UModalAlerts::QueueAnswer(1);
	Answer(mFolder.Path("\xE6\x97\xA5\xE6\x9C\xAC"));
	EXPECT_EQ(TVyFileUtils::NewFileSFP(nullptr, nullptr, nullptr), nullptr);
	UModalAlerts::SetAnswersRequired(false);
	EXPECT_FALSE(mFolder.Exists("\xE6\x97\xA5\xE6\x9C\xAC"));
	EXPECT_FALSE(mFolder.Exists("?"));
	EXPECT_FALSE(mFolder.Exists("gone"));
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
	// Without a documents folder the first dialogs open in the home folder.
	EXPECT_EQ(mAsked[0].directory.toStdString(), mFolder.Path("home"));
	EXPECT_EQ(mAsked[1].directory.toStdString(), mFolder.Path("home"));
	EXPECT_EQ(mAsked[2].directory.toStdString(), mFolder.Path("docs"));
	// A chosen folder is where the next dialog starts, not its parent.
	EXPECT_EQ(mAsked[3].directory.toStdString(), mFolder.Path("docs"));
}

TEST_F(UNavServicesDialogsTest, FirstDialogOpensInTheUsersDocumentsFolder)
{
	mFolder.MakeFolder("home/Papers");
	mFolder.MakeFolder("elsewhere");
	mFolder.Write("elsewhere/a.txt", "x");
	mFolder.Write("config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
	FSSpec spec;
	bool replacing = false;
	Answer(mFolder.Path("elsewhere/a.txt"));
	EXPECT_TRUE(UNavServicesDialogs::AskSaveFile(nullptr, 0, spec, replacing, 0));
	EXPECT_TRUE(UNavServicesDialogs::AskOpenOneFile(0, spec, 0));
	// A folder last used that has gone since: the documents folder again.
	std::filesystem::remove_all(mFolder.Path("elsewhere"));
	Answer("");
	EXPECT_FALSE(UNavServicesDialogs::AskOpenOneFile(0, spec, 0));
	ASSERT_EQ(mAsked.size(), 3u);
	EXPECT_EQ(mAsked[0].directory.toStdString(), mFolder.Path("home/Papers"));
	EXPECT_EQ(mAsked[1].directory.toStdString(), mFolder.Path("elsewhere"));
	EXPECT_EQ(mAsked[2].directory.toStdString(), mFolder.Path("home/Papers"));
}

// A kind of document the program keeps: files of its type, or untyped files beginning with its tag.
class DocumentDialogsTest : public UNavServicesDialogsTest
{
protected:
	static constexpr OSType kLedgerType = FOUR_CHAR_CODE("tLed");
	void SetUp() override
	{
		UNavServicesDialogsTest::SetUp();
		FrameworkTest::EnsureApplication();
		// Qt's dialog keeps its state in the user's settings when it goes; Qt holds on to the first
		// settings folder it saw, which an earlier test has removed.
		for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
			QSettings::setPath(format, QSettings::UserScope,
			                   QString::fromStdString(mFolder.Path("config")));
		UNavServicesDialogs::RegisterDocumentKind({kLedgerType,
		                                           "Ledgers",
		                                           "Open Ledger",
		                                           "Save Ledger As",
		                                           {FOUR_CHAR_CODE("led2"), FOUR_CHAR_CODE("led1")}});
	}

	// Whether the file system keeps stored types; where it does not, types cannot tell files apart.
	bool SetType(const std::string& inName, OSType inType)
	{
		std::unique_ptr<TVyFile> file = mFolder.File(inName);
		TVyFileUtils::TouchFile(file.get(), inType, FOUR_CHAR_CODE("test"));
		return FileTypeAtPath(mFolder.Path(inName)) == inType;
	}

	// The names Qt's dialog lists in its folder once it has read it, in order.
	static std::vector<std::string> Listed(QFileDialog& inDialog, int inEntriesOnDisk)
	{
		auto* proxy = inDialog.proxyModel();
		EXPECT_NE(proxy, nullptr);
		if (proxy == nullptr)
			return {};
		auto* files = qobject_cast<QFileSystemModel*>(proxy->sourceModel());
		const QModelIndex folder = files->index(inDialog.directory().absolutePath());
		QDeadlineTimer deadline(10000);
		while (files->rowCount(folder) < inEntriesOnDisk && !deadline.hasExpired())
			QApplication::processEvents(QEventLoop::AllEvents, 20);
		std::vector<std::string> names;
		const QModelIndex root = proxy->mapFromSource(folder);
		for (int row = 0; row < proxy->rowCount(root); ++row)
			names.push_back(proxy->index(row, 0, root).data().toString().toStdString());
		std::sort(names.begin(), names.end());
		return names;
	}
};

TEST_F(DocumentDialogsTest, OpenListsTheKindsFilesThenEveryFileAndTakesSeveral)
{
	mFolder.MakeFolder("docs/inner");
	mFolder.Write("docs/Retirement", std::string("led2") + std::string(40, '\0'));
	mFolder.Write("docs/Former", std::string("led1") + std::string(40, '\0'));
	mFolder.Write("docs/notes.txt", "led3 is not a ledger");
	mFolder.Write("docs/short", "le");
	mFolder.Write("docs/Typed", "no tag at all");
	mFolder.Write("docs/Tagged text", "led2 but stored as text");
	const bool typesKept =
	    SetType("docs/Typed", kLedgerType) && SetType("docs/Tagged text", FOUR_CHAR_CODE("TEXT"));

	std::vector<FSSpec> specs;
	mAnswers = {QString::fromStdString(mFolder.Path("docs/Retirement")),
	            QString::fromStdString(mFolder.Path("docs/Former")),
	            QString::fromStdString(mFolder.Path("docs/gone"))};
	ASSERT_TRUE(ResourceStore::Get().LoadFile(
	    std::string(VANTOREL_FIXTURES) + "/../../resources/Messages.res", nullptr));
	UModalAlerts::SetAnswersRequired(true);
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	ASSERT_TRUE(UNavServicesDialogs::AskOpenFiles(kLedgerType, specs, kNavAllowMultipleFiles));
	// A chosen file that has gone meanwhile is named in a message; the others are all opened.
	ASSERT_EQ(UModalAlerts::GetShownAlerts().size(), 1u);
	EXPECT_EQ(UModalAlerts::GetShownAlerts()[0].text,
	          "This file could not be opened:\n" + mFolder.Path("docs/gone") + " (not found)\n");
	ASSERT_EQ(specs.size(), 2u);
	std::string path;
	ASSERT_EQ(FSpGetPOSIXPath(&specs[1], &path), noErr);
	EXPECT_EQ(path, mFolder.Path("docs/Former"));
	ASSERT_EQ(mAsked.size(), 1u);
	const Options asked = mAsked[0];
	EXPECT_EQ(asked.title.toStdString(), "Open Ledger");
	EXPECT_EQ(Joined(asked.nameFilters), "Ledgers (*)|All files (*)");
	EXPECT_TRUE(asked.multiple);

	// Asked for one file, the dialog takes one.
	EXPECT_TRUE(UNavServicesDialogs::AskOpenOneFile(kLedgerType, specs[0], 0));
	EXPECT_FALSE(mAsked.back().multiple);

	Options shown = asked;
	shown.directory = QString::fromStdString(mFolder.Path("docs"));
	std::unique_ptr<QFileDialog> dialog = UNavServicesDialogs::MakeQtDialog(shown);
	EXPECT_EQ(dialog->windowTitle().toStdString(), "Open Ledger");
	EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
	// A stored type decides; without one, the tag.
	const std::vector<std::string> expected =
	    typesKept ? std::vector<std::string>{"Former", "Retirement", "Typed", "inner"}
	              : std::vector<std::string>{"Former", "Retirement", "Tagged text", "inner"};
	EXPECT_EQ(Listed(*dialog, 7), expected) << dialog->selectedNameFilter().toStdString();

	// The user picks "All files" from the list of kinds.
	auto* kinds = dialog->findChild<QComboBox*>("fileTypeCombo");
	ASSERT_NE(kinds, nullptr);
	ASSERT_EQ(kinds->count(), 2);
	EXPECT_EQ(kinds->itemText(0).toStdString(), "Ledgers");
	kinds->setCurrentIndex(1);
	emit kinds->activated(1);
	emit kinds->textActivated(kinds->itemText(1));
	EXPECT_EQ(Listed(*dialog, 7), (std::vector<std::string>{"Former", "Retirement", "Tagged text",
	                                                        "Typed", "inner", "notes.txt", "short"}));
}

TEST_F(DocumentDialogsTest, DialogsAreTitledByWhatTheyDo)
{
	FSSpec spec;
	bool replacing = false;
	Answer("");
	EXPECT_FALSE(UNavServicesDialogs::AskSaveFile(nullptr, kLedgerType, spec, replacing, 0));
	EXPECT_FALSE(UNavServicesDialogs::AskSaveFile(nullptr, 0, spec, replacing, 0));
	EXPECT_FALSE(UNavServicesDialogs::AskOpenOneFile(0, spec, 0));
	EXPECT_FALSE(UNavServicesDialogs::AskChooseFolder(spec));
	ASSERT_EQ(mAsked.size(), 4u);
	EXPECT_EQ(mAsked[0].title.toStdString(), "Save Ledger As");
	std::vector<std::string> titles;
	for (const Options& options : mAsked)
		titles.push_back(UNavServicesDialogs::MakeQtDialog(options)->windowTitle().toStdString());
	EXPECT_EQ(titles, (std::vector<std::string>{"Save Ledger As", "Save As", "Open", "Choose a Folder"}));
}

// A quit (a signal, a script) that comes while Qt's own dialog shows a window of its own ends that window
// as Escape would, then the dialog as Cancel, then the program: nothing chosen, nothing replaced.
TEST_F(DocumentDialogsTest, AQuitEndsTheWindowsOfQtsOwnDialogsAndTheDialogs)
{
	class QuitCounter : public LApplication
	{
	public:
		int mQuits = 0;

	protected:
		Boolean AttemptQuitSelf(SInt32) override
		{
			++mQuits;
			return true;
		}
	};
	// What the user does in the dialog that shows, and where.
	const auto typeName = [this](const char* inName) {
		return [this, inName](QDialog* inDialog) {
			auto* dialog = qobject_cast<QFileDialog*>(inDialog);
			ASSERT_NE(dialog, nullptr);
			dialog->setDirectory(QString::fromStdString(mFolder.Path("docs")));
			auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
			ASSERT_NE(name, nullptr);
			name->setText(inName);
			QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
			QCoreApplication::sendEvent(name, &press);
		};
	};
	const auto click = [](const char* inButton) {
		return [inButton](QDialog* inDialog) {
			auto* button = inDialog->findChild<QAbstractButton*>(inButton);
			ASSERT_NE(button, nullptr) << inButton;
			ASSERT_TRUE(button->isEnabled()) << inButton;
			button->click();
		};
	};
	const auto open = [] {
		FSSpec spec;
		return UNavServicesDialogs::AskOpenOneFile(kLedgerType, spec, 0);
	};
	const auto print = [] {
		LPrintSettings spec;
		return UPrinting::AskPrintJob(spec);
	};
	struct Case {
		const char* what;
		std::function<bool()> ask;
		std::function<void(QDialog*)> bringUp;
		const char* shown; // in the message, or the class of the inner dialog
	};
	const Case cases[] = {
	    {"a missing name typed into Open", open, typeName("Absent"), "not found"},
	    {"an existing name typed into Save As",
	     [] {
		     FSSpec spec;
		     bool replacing = false;
		     return UNavServicesDialogs::AskSaveFile(nullptr, 0, spec, replacing, 0);
	     },
	     typeName("Existing"), "already exists"},
	    {"the menu of Open's list of files", open,
	     [this](QDialog* inDialog) {
		     auto* dialog = qobject_cast<QFileDialog*>(inDialog);
		     ASSERT_NE(dialog, nullptr);
		     dialog->setDirectory(QString::fromStdString(mFolder.Path("docs")));
		     auto* files = inDialog->findChild<QAbstractScrollArea*>("listView");
		     ASSERT_NE(files, nullptr);
		     QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5),
		                            files->viewport()->mapToGlobal(QPoint(5, 5)));
		     QCoreApplication::sendEvent(files->viewport(), &menu);
	     },
	     "QMenu"},
	    {"the print dialog's Properties", print, click("properties"), "QPrintPropertiesDialog"},
	    {"the print dialog's choice of an output file", print, click("fileBrowser"), "QFileDialog"},
	};
	UNavServicesDialogs::SetChooser(nullptr);
	// A window an earlier test left for deletion would take the dialog with it.
	QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
	mFolder.MakeFolder("docs");
	mFolder.Write("docs/Existing", std::string("led2") + std::string(40, '\0'));
	const std::string existing = mFolder.Read("docs/Existing");

	for (const Case& c : cases) {
		SCOPED_TRACE(c.what);
		QuitCounter app;
		UNavServicesDialogs::ForgetLastFolder();
		QString shown;
		bool left = false;
		QPointer<QDialog> outer;
		// The user brings Qt's window up once the dialog shows; the quit comes while it waits.
		QTimer user, waiting;
		QObject::connect(&user, &QTimer::timeout, [&] {
			outer = qobject_cast<QDialog*>(QApplication::activeModalWidget());
			if (!outer)
				return;
			user.stop();
			waiting.start(5);
			c.bringUp(outer);
		});
		QObject::connect(&waiting, &QTimer::timeout, [&] {
			QWidget* inner = QApplication::activePopupWidget();
			if (inner == nullptr && QApplication::activeModalWidget() != outer)
				inner = QApplication::activeModalWidget();
			if (inner == nullptr)
				return;
			waiting.stop();
			auto* box = qobject_cast<QMessageBox*>(inner);
			shown = box ? box->text() : QString(inner->metaObject()->className());
			app.RequestQuit();
			app.RequestQuit();
			// Should it stay, the test ends it rather than wait for ever.
			QTimer::singleShot(10000, inner, [&, inner] {
				left = true;
				inner->close();
			});
		});
		user.start(5);
		const bool chosen = c.ask();
		EXPECT_FALSE(left) << "Qt's window stayed after the quit";
		EXPECT_FALSE(chosen);
		EXPECT_TRUE(shown.contains(c.shown)) << shown.toStdString();
		QDeadlineTimer deadline(10000);
		while (app.GetState() != programState_Quitting && !deadline.hasExpired())
			QApplication::processEvents(QEventLoop::AllEvents, 20);
		for (int pass = 0; pass < 5; ++pass)
			QApplication::processEvents();
		EXPECT_EQ(app.mQuits, 1);
		for (QWidget* window : QApplication::topLevelWidgets())
			EXPECT_FALSE(window->isVisible()) << window->metaObject()->className();
		EXPECT_EQ(mFolder.Read("docs/Existing"), existing);
		EXPECT_FALSE(mFolder.Exists("docs/Absent"));
	}
}

// A window that goes while its file, print or colour dialog is up (a script closed it, its security was
// removed) takes the dialog with it: the call ends as cancelled, and the dialog is deleted once.
TEST_F(DocumentDialogsTest, AWindowThatGoesTakesItsDialogWithIt)
{
	UNavServicesDialogs::SetChooser(nullptr);
	const auto printRunner = UPrinting::SetPrintJobDialog(nullptr);
	SetColorAnswersRequired(false);
	ClearColorAnswers();
	QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
	const std::pair<const char*, std::function<bool()>> dialogs[] = {
	    {"open", [] {
		     FSSpec spec;
		     return bool(UNavServicesDialogs::AskOpenOneFile(0, spec, 0));
	     }},
	    {"print", [] {
		     LPrintSettings settings;
		     return bool(UPrinting::AskPrintJob(settings));
	     }},
	    {"colour", [] {
		     RGBColor color{};
		     return bool(GetColor(Point{}, nullptr, nullptr, &color));
	     }},
	};
	for (const auto& [what, ask] : dialogs) {
		SCOPED_TRACE(what);
		auto* window = new QWidget;
		window->show();
		window->activateWindow();
		QDeadlineTimer deadline(10000);
		while (QApplication::activeWindow() != window && !deadline.hasExpired())
			QApplication::processEvents(QEventLoop::AllEvents, 20);
		ASSERT_EQ(QApplication::activeWindow(), window);
		bool gone = false;
		QTimer closer;
		QObject::connect(&closer, &QTimer::timeout, [&] {
			auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
			if (dialog == nullptr)
				return;
			closer.stop();
			EXPECT_EQ(dialog->parentWidget(), window);
			delete window;
			gone = true;
		});
		closer.start(5);
		EXPECT_FALSE(ask());
		EXPECT_TRUE(gone);
		if (!gone)
			delete window;
	}
	UPrinting::SetPrintJobDialog(printRunner);
}

} // namespace
