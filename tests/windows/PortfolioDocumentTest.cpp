#include "Quoters/TQuoterManager.h"
#include "app/kestrunApp.h"
#include "foundation/TVyFile.h"
#include "foundation/TVyFileUtils.h"
#include "foundation/UMenus.h"
#include "foundation/VyFileErrors.h"
#include "model/StockGlobals.h"
#include "model/TAccountant.h"
#include "model/TStock.h"
#include "model/UConverter.h"
#include "model/UMerge.h"
#include "model/UPortfolioFile.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LMenuBar.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UPrinting.h"
#include "platform/toolbox/PascalStrings.h"
#include "tests/support/DiskAbilities.h"
#include "tests/support/KilledReplace.h"
#include "tests/support/PortfolioFiles.h"
#include "tests/support/ScratchFolder.h"
#include "tests/windows/PrintedText.h"
#include "tests/windows/SecurityWindowsTestSupport.h"
#include "tests/windows/WindowInput.h"
#include "toolkit/UKsDialogs.h"
#include "windows/portfolio/TLedgerEditWindow.h"
#include "windows/portfolio/TLedgerWindow.h"
#include "windows/portfolio/TPortfolio.h"
#include "windows/portfolio/TPortfolioWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

std::string ReadBytes(const std::string& path)
{
	std::ifstream in(path, std::ios::binary);
	return std::string(std::istreambuf_iterator<char>(in), {});
}

class PortfolioDocumentTest : public SecurityWindowsFixture
{
protected:
	void SetUp() override
	{
		SecurityWindowsFixture::SetUp();
		kestrunApp::RegisterClasses();
		StDialogHandler::SetAnswersRequired(true);
		UModalAlerts::SetAnswersRequired(true);
		TPortfolio::InstallHooks();
		TVyFileUtils::SetNavHandler([this](const tNavRequest&) {
			tNavReply reply;
			reply.accepted = !mSaveAs.empty();
			if (reply.accepted) {
				EXPECT_EQ(FSPathMakeFSSpec(mScratch.Path(mSaveAs), &reply.spec), noErr);
				// The dialog asks before it replaces a file, and the user agrees.
				reply.replacing = mScratch.Exists(mSaveAs);
			}
			return reply;
		});
	}

	void TearDown() override
	{
		for (LDocument* document : std::vector<LDocument*>(LDocument::GetDocumentList()))
			document->Close();
		UPortfolioFile::SetConverter(nullptr);
		UPrinting::GetAppPrintSpec().SetOutputFile("");
		TVyFileUtils::SetNavHandler(nullptr);
		EXPECT_EQ(StDialogHandler::CountQueuedAnswers(), 0u);
		StDialogHandler::ClearQueuedAnswers();
		StDialogHandler::SetAnswersRequired(false);
		UModalAlerts::ClearQueuedAnswers();
		UModalAlerts::SetAnswersRequired(false);
		SecurityWindowsFixture::TearDown();
	}

	FSSpec Spec(const std::string& inName)
	{
		FSSpec spec;
		EXPECT_EQ(FSPathMakeFSSpec(mScratch.Path(inName), &spec), noErr);
		return spec;
	}

public:
	// A portfolio file of "Other" entries (they never ask about unknown securities).
	void WritePortfolio(const std::string& inName, int inEntries, const char* inPassword = nullptr)
	{
		const std::vector<tLedgerEntry> entries(
		    size_t(inEntries), PortfolioFiles::Entry(kOtherTransaction, 900, "GOLD"));
		ASSERT_EQ(PortfolioFiles::Write(mScratch.Path(inName), entries, inPassword), 0);
	}

protected:
	static void AddEntry(TList<tLedgerEntry>* ioLedger, const char* inSymbol)
	{
		tLedgerEntry entry;
		UPortfolioFile::DefaultEntry(&entry, kOtherTransaction, 900, 100);
		std::strcpy(entry.symbol, inSymbol);
		entry.amount = 1;
		ioLedger->Append(&entry);
	}

	// What the user sees of a window that has the keys: its document's commands in the menus, and
	// Ctrl+S typed into it saves.
	void ExpectKeysAndMenusWith(TPortfolioWindow* inWindow, LCommander* inTarget)
	{
		for (int pass = 0; pass < 10; ++pass)
			QApplication::processEvents();
		LWindow::AfterDispatch();
		EXPECT_TRUE(inWindow->IsActive());
		ASSERT_EQ(LCommander::GetTarget(), inTarget);
		for (CommandT command : {cmd_Close, cmd_Save, cmd_SaveAs, cmd_Print}) {
			Boolean enabled = false, usesMark = false;
			UInt16 mark = 0;
			Str255 name;
			inTarget->ProcessCommandStatus(command, enabled, usesMark, mark, name);
			EXPECT_TRUE(enabled) << "command " << command;
		}
		auto* document = static_cast<TPortfolio*>(LDocument::GetDocumentList().front());
		ASSERT_TRUE(document->IsModified());
		WindowInput::PressCtrl(WindowInput::FocusOf(inWindow), 's');
		EXPECT_FALSE(document->IsModified()) << "Ctrl+S did not save";
	}

	// Answers the next message box the user sees by clicking the button titled inButton.
	static void ClickInNextBox(const QString& inButton)
	{
		UModalAlerts::SetUnanswered(nullptr);
		QTimer::singleShot(0, [inButton] {
			for (QWidget* widget : QApplication::topLevelWidgets())
				if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
					for (QAbstractButton* button : box->buttons())
						if (button->text() == inButton)
							button->click();
		});
	}

	TPortfolio* Open(const std::string& inName)
	{
		FSSpec spec = Spec(inName);
		return TPortfolio::Open(mSuper, &spec);
	}

	// The plug-in message the next error dialog shows, answered with OK.
	void ExpectMessage(std::vector<std::string>* outShown)
	{
		StDialogHandler::QueueAnswer(
		    msg_OK, [outShown](LWindow* dialog) { outShown->push_back(Text(dialog, "text")); });
	}

	// Plug-in message inNumber naming the file inName.
	static std::string Message(SInt16 inNumber, const std::string& inName)
	{
		Str255 text;
		GetIndString(text, kKsMessageStringsID, inNumber);
		std::string message(reinterpret_cast<char*>(text + 1), text[0]);
		EXPECT_NE(message.find("^0"), std::string::npos) << message;
		if (const size_t at = message.find("^0"); at != std::string::npos)
			message.replace(at, 2, inName);
		return message;
	}

	// The password dialog's prompt goes to outPrompt.
	static void TypePassword(const char* inPassword, std::string* outPrompt = nullptr)
	{
		StDialogHandler::QueueAnswer(msg_OK, [inPassword, outPrompt](LWindow* dialog) {
			if (outPrompt != nullptr)
				*outPrompt = Text(dialog, "text");
			Str255 text;
			text[0] = UInt8(std::strlen(inPassword));
			std::memcpy(text + 1, inPassword, text[0]);
			FrameworkTest::FindPane<LPane>(dialog, "pswd")->SetDescriptor(text);
		});
	}

	// The ledger of the document's window, opened, with a stock entry typed in and confirmed (the ledger
	// still holds it).
	static TLedgerWindow* LedgerWithTypedEntry(TPortfolio* inDocument, const char* inSymbol)
	{
		TPortfolioWindow* window = inDocument->GetPortfolioWindow();
		window->ObeyCommand(TPortfolioWindow::kCmdOpenLedger, nullptr);
		auto* ledger = dynamic_cast<TLedgerWindow*>(window->LedgerWindow());
		if (ledger == nullptr)
			return nullptr;
		WindowInput::Click(ledger, FOUR_CHAR_CODE("BuyS"));
		TLedgerEditWindow* edit = ledger->EditWindowOf(ledger->GetList()->GetNth(1));
		if (edit == nullptr)
			return nullptr;
		WindowInput::Type(edit, "Symb", inSymbol);
		WindowInput::Type(edit, "Unit", "1");
		WindowInput::Type(edit, "Prce", "1");
		WindowInput::Click(edit, TVyWindow::kOKButton);
		UDispatch::DeletePending();
		return ledger;
	}
	// A command given through the document's window, as its menu or key gives it.
	static void Command(TPortfolio* inDocument, CommandT inCommand)
	{
		UDispatch::Run([&] { inDocument->GetWindow()->ProcessCommand(inCommand, nullptr); });
	}

	static bool SaveEnabled(TPortfolio* inDocument)
	{
		Boolean enabled = false, usesMark = false;
		UInt16 mark = 0;
		Str255 name;
		inDocument->ProcessCommandStatus(cmd_Save, enabled, usesMark, mark, name);
		return enabled;
	}

	static std::vector<std::string> ShownAlerts()
	{
		std::vector<std::string> texts;
		for (const auto& alert : UModalAlerts::GetShownAlerts())
			texts.push_back(alert.text);
		return texts;
	}

	std::set<std::string> Listing(const std::string& inFolder = "") const
	{
		std::set<std::string> names;
		for (const auto& entry : std::filesystem::directory_iterator(mScratch.Path(inFolder)))
			names.insert(entry.path().filename().string());
		return names;
	}

	ScratchFolder mScratch;
	std::string mSaveAs;
};

TEST_F(PortfolioDocumentTest, NewPortfolioTakesItsCurrencyAndSavesAsAnEmptyFile)
{
	// Its alerts are coloured as the user's own alerts for every security.
	const RGBColor losing{0x1111, 0x2222, 0x3333}, gaining{0x4444, 0x5555, 0x6666};
	mEnv->mPrefs.losingAlert.colour = losing;
	mEnv->mPrefs.gainingAlert.colour = gaining;
	const tMenuItems* currencies = TQuoterManager::GetCurrencyMenuItems();
	StDialogHandler::QueueAnswer(msg_OK, [currencies](LWindow* dialog) {
		FrameworkTest::FindPane<LPopupButton>(dialog, "Crnc")
		    ->SetValue(UMenus::TranslateMenu(true, currencies, 300));
	});
	TPortfolio* first = TPortfolio::New(mSuper);
	ASSERT_NE(first, nullptr);
	EXPECT_EQ(first->GetParameters()->baseCurrency, 300);
	const tAlertParameters& losingAlert = first->GetParameters()->losingAlert;
	const tAlertParameters& gainingAlert = first->GetParameters()->gainingAlert;
	EXPECT_EQ(std::memcmp(&losingAlert.colour, &losing, sizeof losing), 0);
	EXPECT_EQ(std::memcmp(&gainingAlert.colour, &gaining, sizeof gaining), 0);
	EXPECT_EQ(losingAlert.condition, ')');
	EXPECT_EQ(gainingAlert.condition, '(');
	EXPECT_FLOAT_EQ(losingAlert.limit, 10);
	EXPECT_EQ(losingAlert.enabled, 0);
	EXPECT_EQ(losingAlert.flash, 1);
	EXPECT_TRUE(first->IsModified());
	EXPECT_EQ(FrameworkTest::Descriptor(first->GetWindow()), PascalStrings::ToString(GetStockString(5)));
	ASSERT_NE(first->GetPortfolioWindow()->GetAccountant(), nullptr);

	StDialogHandler::QueueAnswer(msg_OK);
	TPortfolio* second = TPortfolio::New(mSuper);
	ASSERT_NE(second, nullptr);
	EXPECT_EQ(FrameworkTest::Descriptor(second->GetWindow()),
	          PascalStrings::ToString(GetStockString(6)) + "2");

	mSaveAs = "Retirement";
	first->ObeyCommand(cmd_Save, nullptr);
	const std::string bytes = ReadBytes(mScratch.Path("Retirement"));
	ASSERT_EQ(bytes.size(), 708u);
	EXPECT_EQ(UInt8(bytes[4 + 30]) << 8 | UInt8(bytes[4 + 31]), 300);
	EXPECT_FALSE(first->IsModified());
	EXPECT_EQ(FrameworkTest::Descriptor(first->GetWindow()), "Retirement");
	Str255 name;
	first->GetDescriptor(name);
	EXPECT_EQ(std::string(reinterpret_cast<char*>(name + 1), name[0]), "Retirement");
}

TEST_F(PortfolioDocumentTest, OpensOnceSavesAndRevertsToTheLastSave)
{
	WritePortfolio("Savings", 1);
	TPortfolio* document = Open("Savings");
	ASSERT_NE(document, nullptr);
	EXPECT_FALSE(document->IsModified());
	EXPECT_EQ(document->GetLedger()->Count(), 1);
	EXPECT_EQ(FrameworkTest::Descriptor(document->GetWindow()), "Savings");
	EXPECT_EQ(Open("Savings"), document);
	EXPECT_EQ(LDocument::GetDocumentList().size(), 1u);

	AddEntry(document->GetLedger(), "SILVER");
	EXPECT_TRUE(document->IsModified());
	ASSERT_EQ(document->DoSave(), 0);
	EXPECT_FALSE(document->IsModified());
	EXPECT_EQ(ReadBytes(mScratch.Path("Savings")).size(), 708u + 2 * 220);

	AddEntry(document->GetLedger(), "COPPER");
	UModalAlerts::QueueAnswer(1);
	document->ObeyCommand(cmd_Revert, nullptr);
	EXPECT_FALSE(document->IsModified());
	ASSERT_EQ(document->GetLedger()->Count(), 2);
	EXPECT_STREQ(document->GetLedger()->GetNth(2)->symbol, "SILVER");
	TAccountant* after = document->GetPortfolioWindow()->GetAccountant();
	ASSERT_NE(after, nullptr);
	EXPECT_EQ(after->CountRows(), 2);
}

// The ledger and settings windows edit copies: a revert closes them as Cancel does, so that their OK can
// never write the unsaved state back over it.
TEST_F(PortfolioDocumentTest, RevertClosesTheLedgerAndSettingsWindowsUnapplied)
{
	WritePortfolio("Savings", 1);
	TPortfolio* document = Open("Savings");
	ASSERT_NE(document, nullptr);
	TPortfolioWindow* window = document->GetPortfolioWindow();
	AddEntry(document->GetLedger(), "COPPER");
	for (CommandT editor : {TPortfolioWindow::kCmdOpenSettings, TPortfolioWindow::kCmdOpenLedger}) {
		window->ObeyCommand(editor, nullptr);
		LWindow* opened = editor == TPortfolioWindow::kCmdOpenLedger ? window->LedgerWindow()
		                                                             : window->SettingsWindow();
		ASSERT_NE(opened, nullptr);
		UModalAlerts::QueueAnswer(1);
		document->ObeyCommand(cmd_Revert, nullptr);
		UDispatch::DeletePending();
		EXPECT_EQ(window->LedgerWindow(), nullptr);
		EXPECT_EQ(window->SettingsWindow(), nullptr);
		ASSERT_EQ(document->GetLedger()->Count(), 1);
		EXPECT_FALSE(document->IsModified());
		AddEntry(document->GetLedger(), "COPPER");
	}
}

// Edits still open in the ledger, an entry's window or the settings window are the user's too: closing or
// quitting asks about them even after a save, Save keeps them as their OK would, and input their OK refuses
// stops the close or quit with the window still open, an entry's window saying why.
TEST_F(PortfolioDocumentTest, ClosingWithEditsStillOpenAsksAndSaveKeepsThem)
{
	WritePortfolio("Savings", 2);
	TPortfolio* document = Open("Savings");
	ASSERT_NE(document, nullptr);
	TPortfolioWindow* window = document->GetPortfolioWindow();
	window->ObeyCommand(TPortfolioWindow::kCmdOpenLedger, nullptr);
	auto* ledger = dynamic_cast<TLedgerWindow*>(window->LedgerWindow());
	ASSERT_NE(ledger, nullptr);
	UModalAlerts::ClearShownAlerts();
	mEnv->SetStockCString(22, "Sell %s");
	mEnv->SetStockCString(26, "Fund Split %s");

	// An entry's number its OK refuses: Save says which, and the quit stops at that field.
	struct Typed {
		char field[5];
		const char* text;
	};
	const struct {
		PaneIDT opens; // the ledger's button for a new entry; 0: the first entry
		std::vector<Typed> typed;
		char field[5];
		const char* caption;
		const char* rule;
	} refusals[] = {
	    {0, {{"Cash", "-"}}, "Cash", "Amount", "a number"},
	    {FOUR_CHAR_CODE("SelS"), {{"Unit", "3"}, {"Prce", "-1"}}, "Prce", "Price", "a number, 0 or more"},
	    {FOUR_CHAR_CODE("SplF"), {{"sFrm", "2"}, {"sToo", "0"}}, "sToo", "Split", "a number above 0"},
	};
	for (const auto& refusal : refusals) {
		TLedgerEditWindow* refused = ledger->CreateEditWindow(1, false);
		if (refusal.opens != 0) {
			WindowInput::Click(ledger, refusal.opens);
			refused = dynamic_cast<TLedgerEditWindow*>(ledger->GetSubCommanders().back());
			if (refusal.opens == FOUR_CHAR_CODE("SplF"))
				FrameworkTest::FindPane<LPopupButton>(refused, "mSpl")->SetValue(7);
		}
		ASSERT_NE(refused, nullptr);
		for (const Typed& typed : refusal.typed)
			WindowInput::Type(refused, typed.field, typed.text);
		UModalAlerts::QueueAnswer(answer_Save);
		UModalAlerts::QueueAnswer(1);
		EXPECT_FALSE(document->AttemptQuitSelf(kAEAsk));
		EXPECT_EQ(ShownAlerts().back(), "\xD2Savings\xD3 was not saved: \xD2" +
		                                    std::string(refusal.caption) + "\xD3 in \xD2" +
		                                    FrameworkTest::Descriptor(refused) + "\xD3 must be " +
		                                    refusal.rule + ". Correct it, or cancel that entry.");
		EXPECT_EQ(LCommander::GetTarget(),
		          FrameworkTest::FindPane<LEditText>(refused, refusal.field));
		EXPECT_EQ(LDocument::GetDocumentList(), std::vector<LDocument*>{document});
		WindowInput::Click(refused, TVyWindow::kCancelButton);
		UDispatch::DeletePending();
	}
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 6u);
	EXPECT_EQ(ledger->CountEditWindows(), 0u);
	EXPECT_EQ(document->GetLedger()->Count(), 2);

	TLedgerEditWindow* edit = ledger->CreateEditWindow(1, false);
	ASSERT_NE(edit, nullptr);
	WindowInput::Type(edit, "Cash", "12.5");
	EXPECT_TRUE(document->IsModified());
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(answer_Save);
	EXPECT_TRUE(document->AttemptQuitSelf(kAEAsk));
	UDispatch::DeletePending();
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 1u);
	document = Open("Savings");
	ASSERT_NE(document, nullptr);
	ASSERT_EQ(document->GetLedger()->Count(), 2);
	EXPECT_FLOAT_EQ(document->GetLedger()->GetNth(1)->amount, 12.5f);

	window = document->GetPortfolioWindow();
	window->ObeyCommand(TPortfolioWindow::kCmdOpenSettings, nullptr);
	LWindow* settings = window->SettingsWindow();
	ASSERT_NE(settings, nullptr);
	ASSERT_EQ(document->DoSave(), 0);
	EXPECT_TRUE(document->IsModified());
	WindowInput::Type(settings, "lVal", "");
	UModalAlerts::QueueAnswer(answer_Save);
	UModalAlerts::QueueAnswer(1);
	document->AttemptClose(false);
	UDispatch::DeletePending();
	ASSERT_EQ(LDocument::GetDocumentList().size(), 1u);
	EXPECT_EQ(window->SettingsWindow(), settings);
	EXPECT_EQ(ShownAlerts().back(),
	          "\xD2Savings\xD3 was not saved: the limit of \xD2Losing alert\xD3 in \xD2" +
	              FrameworkTest::Descriptor(settings) +
	              "\xD3 must be a number. Correct it, or cancel those settings.");
	EXPECT_EQ(LCommander::GetTarget(), FrameworkTest::FindPane<LEditText>(settings, "lVal"));
	WindowInput::Type(settings, "lVal", "7.5");
	UModalAlerts::QueueAnswer(answer_Save);
	document->AttemptClose(false);
	UDispatch::DeletePending();
	EXPECT_TRUE(LDocument::GetDocumentList().empty());
	document = Open("Savings");
	ASSERT_NE(document, nullptr);
	EXPECT_FLOAT_EQ(document->GetParameters()->losingAlert.limit, 7.5f);
}

// The window the user goes to takes the keys, so that Ctrl+W closes what the user meant: with an entry typed
// into the ledger, a click on the portfolio (or its manager activating it) then Ctrl+W closes the portfolio,
// which asks about the entry first; a click on the ledger then Ctrl+W closes the ledger alone.
TEST_F(PortfolioDocumentTest, CtrlWClosesTheWindowTheUserWentTo)
{
	LMenuBar menuBar(128);
	WritePortfolio("Savings", 1);
	TPortfolio* document = Open("Savings");
	ASSERT_NE(document, nullptr);
	TPortfolioWindow* window = document->GetPortfolioWindow();
	TLedgerWindow* ledger = LedgerWithTypedEntry(document, "GOLD");
	ASSERT_NE(ledger, nullptr);
	// The window system has caught up with the windows the program brought forward.
	const auto settle = [] {
		for (int pass = 0; pass < 5; ++pass)
			QApplication::processEvents();
	};
	settle();
	ASSERT_EQ(ledger->GetList()->Count(), 2);
	ASSERT_EQ(LWindow::FetchTopRegular(), ledger);
	ASSERT_TRUE(ledger->HoldsTarget());
	UModalAlerts::ClearShownAlerts();
	const auto clickInto = [&settle](LWindow* inWindow) {
		FrameworkTest::ClickAt(QtPaneWidget::ContentOf(inWindow), QPointF(6, 6));
		settle();
	};

	clickInto(window);
	EXPECT_EQ(LWindow::FetchTopRegular(), window);
	EXPECT_TRUE(window->HoldsTarget());
	UModalAlerts::QueueAnswer(answer_Cancel);
	WindowInput::PressCtrl(QApplication::focusWidget(), 'w');
	UDispatch::DeletePending();
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 1u);
	ASSERT_EQ(window->LedgerWindow(), ledger);
	EXPECT_EQ(ledger->GetList()->Count(), 2);

	clickInto(ledger);
	ASSERT_TRUE(ledger->HoldsTarget());
	QtPaneWidget::ContentOf(window)->window()->activateWindow();
	settle();
	EXPECT_TRUE(window->HoldsTarget());
	UModalAlerts::QueueAnswer(answer_Cancel);
	WindowInput::PressCtrl(QApplication::focusWidget(), 'w');
	UDispatch::DeletePending();
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 2u);

	clickInto(ledger);
	EXPECT_EQ(LWindow::FetchTopRegular(), ledger);
	WindowInput::PressCtrl(QApplication::focusWidget(), 'w');
	UDispatch::DeletePending();
	EXPECT_EQ(window->LedgerWindow(), nullptr);
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 2u);
	ASSERT_EQ(LDocument::GetDocumentList().size(), 1u);
	EXPECT_EQ(document->GetLedger()->Count(), 1);
	EXPECT_TRUE(window->HoldsTarget());
}

// A save that was cut short (the program killed while writing) leaves a hidden copy beside the file; the
// next save removes it, but not the copy of a save that may still be under way, nor any file of the user's
// that merely looks like a copy.
TEST_F(PortfolioDocumentTest, SavingRemovesOnlyItsOwnCopiesThatAnInterruptedSaveLeft)
{
	WritePortfolio("Savings", 1);
	const std::string stale = mScratch.Path(".Savings.vantorel-save-AbC123");
	const std::string underWay = mScratch.Path(".Savings.vantorel-save-Zz9Yy8");
	const std::vector<std::string> users = {mScratch.Path(".Savings.backup"),
	                                        mScratch.Path(".Savings.Notes1"),
	                                        mScratch.Path(".Savings.old123")};
	const int saving = killedreplace::HeldCopy(underWay, "partial");
	ASSERT_GE(saving, 0);
	for (const std::string& path : users)
		std::ofstream(path) << "mine";
	std::ofstream(stale) << "partial";
	killedreplace::StLaterWallClock later;
	TPortfolio* document = Open("Savings");
	ASSERT_NE(document, nullptr);
	AddEntry(document->GetLedger(), "SILVER");
	ASSERT_EQ(document->DoSave(), 0);
	EXPECT_FALSE(std::filesystem::exists(stale));
	EXPECT_TRUE(std::filesystem::exists(underWay));
	close(saving);
	for (const std::string& path : users)
		EXPECT_EQ(ReadBytes(path).size(), 4u) << path;
	EXPECT_EQ(ReadBytes(mScratch.Path("Savings")).size(), 708u + 2 * 220);
}

// A save the disk has no room for says which portfolio and why, and changes nothing on disk: the file keeps
// its bytes, Save As leaves no file of the new name and an existing one as it was, and the portfolio stays
// modified under its own name, to be saved once there is room.
TEST_F(PortfolioDocumentTest, ASaveWithoutRoomIsShownAndChangesNothingOnDisk)
{
	WritePortfolio("Savings", 1);
	mScratch.Write("Existing", "someone else's");
	TPortfolio* document = Open("Savings");
	ASSERT_NE(document, nullptr);
	AddEntry(document->GetLedger(), "SILVER");
	const std::string saved = ReadBytes(mScratch.Path("Savings"));
	const std::set<std::string> files = Listing();
	UModalAlerts::ClearShownAlerts();
	{
		StFileSizeLimit limit(saved.size() + 100);
		UModalAlerts::QueueAnswer(1);
		Command(document, cmd_Save);
		mSaveAs = "Copy";
		UModalAlerts::QueueAnswer(1);
		Command(document, cmd_SaveAs);
		mSaveAs = "Existing";
		UModalAlerts::QueueAnswer(1);
		Command(document, cmd_SaveAs);
	}
	const std::string full = "The disk is full, or the file would pass the size limit set for files. "
	                         "Nothing on disk was changed.";
	const std::string savedAs = "\xD2Savings\xD3 could not be saved as \xD2";
	EXPECT_EQ(ShownAlerts(), (std::vector<std::string>{"\xD2Savings\xD3 could not be saved. " + full,
	                                                   savedAs + "Copy\xD3. " + full,
	                                                   savedAs + "Existing\xD3. " + full}));
	EXPECT_EQ(ReadBytes(mScratch.Path("Savings")), saved);
	EXPECT_EQ(mScratch.Read("Existing"), "someone else's");
	tFileInformation existing;
	ASSERT_EQ(mScratch.File("Existing")->GetInfo(&existing), 0);
	EXPECT_EQ(existing.type, 0u); // not marked as a portfolio
	EXPECT_EQ(Listing(), files);
	EXPECT_TRUE(document->IsModified());
	EXPECT_TRUE(SaveEnabled(document));
	EXPECT_EQ(FrameworkTest::Descriptor(document->GetWindow()), "Savings");

	Command(document, cmd_Save);
	EXPECT_FALSE(document->IsModified());
	EXPECT_EQ(ReadBytes(mScratch.Path("Savings")).size(), 708u + 2 * 220);
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 3u);
}

// The folder of a portfolio went away while it was open: Save says so, and so does the Save of the close
// question, which then leaves the portfolio open. A folder that took the portfolio's name is named as
// such by Save and by the Save of the quit question; so is a folder the user may not write in.
TEST_F(PortfolioDocumentTest, ASaveIntoAFolderThatIsGoneOrLockedIsShown)
{
	mScratch.MakeFolder("Shared");
	WritePortfolio("Shared/Savings", 1);
	TPortfolio* document = Open("Shared/Savings");
	ASSERT_NE(document, nullptr);
	AddEntry(document->GetLedger(), "SILVER");
	std::filesystem::remove_all(mScratch.Path("Shared"));
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	Command(document, cmd_Save);
	UModalAlerts::QueueAnswer(answer_Save);
	UModalAlerts::QueueAnswer(1);
	Command(document, cmd_Close);
	const std::string gone =
	    "\xD2Savings\xD3 could not be saved. The folder it goes in is no longer there. "
	    "Nothing on disk was changed.";
	EXPECT_EQ(ShownAlerts(),
	          (std::vector<std::string>{
	              gone, "Do you want to save the changes to \xD2Savings\xD3 before closing?", gone}));
	EXPECT_EQ(LDocument::GetDocumentList(), std::vector<LDocument*>{document});
	EXPECT_TRUE(document->IsModified());
	EXPECT_FALSE(mScratch.Exists("Shared"));

	WritePortfolio("Taken", 1);
	TPortfolio* taken = Open("Taken");
	ASSERT_NE(taken, nullptr);
	AddEntry(taken->GetLedger(), "SILVER");
	std::filesystem::remove(mScratch.Path("Taken"));
	mScratch.MakeFolder("Taken");
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	Command(taken, cmd_Save);
	UModalAlerts::QueueAnswer(answer_Save);
	UModalAlerts::QueueAnswer(1);
	EXPECT_FALSE(taken->AttemptQuitSelf(kAEAsk));
	const std::string folder =
	    "\xD2Taken\xD3 could not be saved. A folder has that name. Nothing on disk was changed.";
	EXPECT_EQ(ShownAlerts(),
	          (std::vector<std::string>{
	              folder, "Do you want to save the changes to \xD2Taken\xD3 before quitting?", folder}));
	EXPECT_TRUE(std::filesystem::is_empty(mScratch.Path("Taken")));
	EXPECT_TRUE(taken->IsModified());

	if (const std::string why = DiskAbilities::WhyNot(mScratch.Path(), DiskAbilities::kBeDenied);
	    !why.empty())
		GTEST_SKIP() << why;
	mScratch.MakeFolder("Locked");
	WritePortfolio("Locked/Pension", 1);
	const std::string saved = ReadBytes(mScratch.Path("Locked/Pension"));
	TPortfolio* locked = Open("Locked/Pension");
	ASSERT_NE(locked, nullptr);
	AddEntry(locked->GetLedger(), "SILVER");
	chmod(mScratch.Path("Locked").c_str(), 0555);
	UModalAlerts::QueueAnswer(1);
	Command(locked, cmd_Save);
	chmod(mScratch.Path("Locked").c_str(), 0755);
	EXPECT_EQ(ShownAlerts().back(),
	          "\xD2Pension\xD3 could not be saved. You have no permission to write "
	          "there, or the file or the disk is locked. Nothing on disk was changed.");
	EXPECT_EQ(ReadBytes(mScratch.Path("Locked/Pension")), saved);
	EXPECT_EQ(Listing("Locked"), std::set<std::string>{"Pension"});
	EXPECT_TRUE(locked->IsModified());
}

std::string sMadeMeanwhile;

// Save As to a name another program takes while the copy is written, a save to a disk that would open the
// file to more readers, or Save As onto a file another disk is mounted on, says so in words and leaves that
// file as it is.
TEST_F(PortfolioDocumentTest,
       ASaveOntoANameTakenMeanwhileADiskThatCannotKeepItPrivateOrAMountPointGivesTheTrueReason)
{
	WritePortfolio("Savings", 1);
	TPortfolio* document = Open("Savings");
	ASSERT_NE(document, nullptr);
	AddEntry(document->GetLedger(), "SILVER");
	mScratch.Write("Mounted", "a disk's");
	mScratch.Write("Disk", "a disk's");
	UModalAlerts::ClearShownAlerts();
	sMadeMeanwhile = mScratch.Path("Later");
	SetReplaceStepHook([](ReplaceStep step) {
		if (step == ReplaceStep::kCopyWritten)
			std::ofstream(sMadeMeanwhile) << "theirs";
	});
	mSaveAs = "Later";
	UModalAlerts::QueueAnswer(1);
	Command(document, cmd_SaveAs);
	SetReplaceStepHook(nullptr);
	const std::string savedAs = "\xD2Savings\xD3 could not be saved as \xD2";
	EXPECT_EQ(ShownAlerts().back(),
	          savedAs + "Later\xD3. Another program made a file of that name meanwhile; it "
	                    "was left as it is. Nothing on disk was changed.");
	EXPECT_EQ(mScratch.Read("Later"), "theirs");
	EXPECT_TRUE(document->IsModified());

	// A disk that opens every new file to all readers and refuses chmod cannot keep a private file so.
	mScratch.MakeFolder("under");
	mScratch.MakeFolder("disk");
	WritePortfolio("under/Private", 1);
	const std::string former = ReadBytes(mScratch.Path("under/Private"));
	// Where the scratch disk itself refuses chmod, the file cannot be made private to try it.
	if (chmod(mScratch.Path("under/Private").c_str(), 0600) == 0) {
		killedreplace::StBindfsMount mounted(mScratch.Path("under"), mScratch.Path("disk"),
		                                     {"--chmod-deny", "--create-with-perms=go+r"});
		if (mounted.Why().empty()) {
			TPortfolio* kept = Open("disk/Private");
			ASSERT_NE(kept, nullptr);
			AddEntry(kept->GetLedger(), "SILVER");
			UModalAlerts::QueueAnswer(1);
			Command(kept, cmd_Save);
			EXPECT_EQ(
			    ShownAlerts().back(),
			    "\xD2Private\xD3 could not be saved. Writing it anew would change who may read "
			    "or write it: it belongs to another user or group, or the disk refuses to set "
			    "its "
			    "group, mode or access list. Save it under another name, as a file of your own. "
			    "Nothing on disk was changed.");
			EXPECT_TRUE(kept->IsModified());
			kept->Close();
		}
	}
	EXPECT_EQ(ReadBytes(mScratch.Path("under/Private")), former);
	EXPECT_EQ(Listing("under"), std::set<std::string>{"Private"});
	const std::set<std::string> files = Listing();

	if (geteuid() != 0)
		GTEST_SKIP() << "only root mounts";
	if (std::system(("mount --bind '" + mScratch.Path("Disk") + "' '" + mScratch.Path("Mounted") + "'")
	                    .c_str()) != 0)
		GTEST_SKIP() << "mount --bind is refused here";
	mSaveAs = "Mounted";
	UModalAlerts::QueueAnswer(1);
	Command(document, cmd_SaveAs);
	(void)std::system(("umount '" + mScratch.Path("Mounted") + "'").c_str());
	EXPECT_EQ(ShownAlerts().back(),
	          savedAs + "Mounted\xD3. Another disk is mounted on that file, so it cannot be "
	                    "replaced. Nothing on disk was changed.");
	EXPECT_EQ(mScratch.Read("Mounted"), "a disk's");
	EXPECT_EQ(Listing(), files);
}

std::string sCopyFolder;

// A Save As onto a link to no file, a save whose copy another program moved away while it was written, and
// (for root) a save onto another user's link in a folder open to all: each says why, and leaves what stands
// there, and what the other program put under the copy's name, as it is.
TEST_F(PortfolioDocumentTest, ALinkThatCannotBeFollowedOrACopyTakenAwayGivesTheTrueReason)
{
	WritePortfolio("Savings", 1);
	const std::string saved = ReadBytes(mScratch.Path("Savings"));
	TPortfolio* document = Open("Savings");
	ASSERT_NE(document, nullptr);
	AddEntry(document->GetLedger(), "SILVER");
	// The alert a command ends with.
	const auto told = [&](CommandT command) {
		UModalAlerts::QueueAnswer(1);
		Command(document, command);
		return ShownAlerts().back();
	};
	std::filesystem::create_symlink("nowhere", mScratch.Path("Dangling"));
	UModalAlerts::ClearShownAlerts();
	mSaveAs = "Dangling";
	EXPECT_EQ(told(cmd_SaveAs),
	          "\xD2Savings\xD3 could not be saved as \xD2"
	          "Dangling\xD3. Its name is a link to a file that is not there. Nothing on "
	          "disk was changed.");
	EXPECT_TRUE(std::filesystem::is_symlink(mScratch.Path("Dangling")));
	EXPECT_FALSE(mScratch.Exists("nowhere"));

	sCopyFolder = mScratch.Path();
	SetReplaceStepHook([](ReplaceStep step) {
		if (step != ReplaceStep::kCopyWritten)
			return;
		for (const auto& entry : std::filesystem::directory_iterator(sCopyFolder)) {
			const std::string name = entry.path().filename();
			if (name.find(".vantorel-save-") != std::string::npos) {
				std::filesystem::rename(entry.path(), sCopyFolder + "/moved");
				std::ofstream(entry.path()) << "theirs";
				return;
			}
		}
	});
	const std::string copyTaken = told(cmd_Save);
	SetReplaceStepHook(nullptr);
	EXPECT_EQ(copyTaken, "\xD2Savings\xD3 could not be saved. Another program moved or replaced the "
	                     "copy being written; what it put there was left as it is. Nothing on disk "
	                     "was changed.");
	EXPECT_EQ(ReadBytes(mScratch.Path("Savings")), saved);
	int theirs = 0;
	for (const auto& entry : std::filesystem::directory_iterator(sCopyFolder))
		theirs += entry.path().filename().string().find(".vantorel-save-") != std::string::npos &&
		          mScratch.Read(entry.path().filename()) == "theirs";
	EXPECT_EQ(theirs, 1);
	EXPECT_TRUE(document->IsModified());

	if (const std::string why =
	        DiskAbilities::WhyNot(mScratch.Path(), DiskAbilities::kSetMode | DiskAbilities::kGiveAway);
	    !why.empty())
		GTEST_SKIP() << why;
	mScratch.MakeFolder("Public");
	const std::string link = mScratch.Path("Public/Linked");
	ASSERT_EQ(chmod(mScratch.Path("Public").c_str(), 01777), 0);
	std::filesystem::create_symlink(mScratch.Path("Savings"), link);
	ASSERT_EQ(lchown(link.c_str(), 65534, 65534), 0);
	mSaveAs = "Public/Linked";
	EXPECT_EQ(told(cmd_SaveAs),
	          "\xD2Savings\xD3 could not be saved as \xD2Linked\xD3. A link on its way "
	          "is another user's, in a folder open to all, so it is not followed. Nothing "
	          "on disk was changed.");
	EXPECT_EQ(ReadBytes(mScratch.Path("Savings")), saved);
}

TEST_F(PortfolioDocumentTest, RemovingTheEntriesOfUnknownSecuritiesIsAChangeToSave)
{
	tPortfolioParameters parameters;
	UPortfolioFile::DefaultParameters(&parameters, 100);
	TList<tCategory> categories{true, true};
	TList<tLedgerEntry> ledger{true, true};
	AddEntry(&ledger, "GOLD");
	tLedgerEntry unknown;
	UPortfolioFile::DefaultEntry(&unknown, kStockBuy, 100, 100);
	std::strcpy(unknown.symbol, "NOPE");
	unknown.units = 1;
	ledger.Append(&unknown);
	FSSpec spec = Spec("Mixed");
	TVyFile file(&spec);
	ASSERT_EQ(UPortfolioFile::SavePortfolio(&file, &parameters, &categories, &ledger), 0);

	StDialogHandler::QueueAnswer(2004);
	TPortfolio* document = Open("Mixed");
	ASSERT_NE(document, nullptr);
	EXPECT_EQ(document->GetLedger()->Count(), 1);
	EXPECT_TRUE(document->IsModified());
	ASSERT_EQ(document->DoSave(), 0);
	document->Close();
	// Saved without them, the portfolio opens without the question.
	document = Open("Mixed");
	ASSERT_NE(document, nullptr);
	EXPECT_FALSE(document->IsModified());
	EXPECT_EQ(document->GetLedger()->Count(), 1);
}

TEST_F(PortfolioDocumentTest, PasswordMustBeTypedExactly)
{
	WritePortfolio("Locked", 0, "Sesame 42");
	std::vector<std::string> shown;

	// The prompt and the refusal name the file, as its window would be titled.
	std::string prompt;
	TypePassword("sesame 42", &prompt);
	ExpectMessage(&shown);
	EXPECT_EQ(Open("Locked"), nullptr);
	EXPECT_EQ(prompt, "\xD2Locked\xD3 is protected. Please enter its password:");
	ASSERT_EQ(shown.size(), 1u);
	EXPECT_EQ(shown[0], Message(kMsgPortfolioPassword, "Locked"));

	StDialogHandler::QueueAnswer(msg_Cancel);
	EXPECT_EQ(Open("Locked"), nullptr);
	EXPECT_EQ(shown.size(), 1u);
	EXPECT_TRUE(LDocument::GetDocumentList().empty());

	TypePassword("Sesame 42");
	TPortfolio* document = Open("Locked");
	ASSERT_NE(document, nullptr);
	EXPECT_STREQ(document->GetParameters()->password, "Sesame 42");
	// Saved again, it opens with the same password.
	ASSERT_EQ(document->DoSave(), 0);
	document->Close();
	TypePassword("Sesame 42");
	EXPECT_NE(Open("Locked"), nullptr);
}

TEST_F(PortfolioDocumentTest, FormerAndForeignFilesAreRefusedAndLeftAsTheyWere)
{
	std::vector<std::string> shown;
	const std::string former = "zv20" + std::string(800, '\2');
	mScratch.Write("Old", former);
	ExpectMessage(&shown);
	EXPECT_EQ(Open("Old"), nullptr);
	EXPECT_EQ(ReadBytes(mScratch.Path("Old")), former);
	EXPECT_FALSE(std::filesystem::exists(mScratch.Path("Old.old")));

	mScratch.Write("Notes", "Dear diary");
	ExpectMessage(&shown);
	EXPECT_EQ(Open("Notes"), nullptr);
	EXPECT_EQ(ReadBytes(mScratch.Path("Notes")), "Dear diary");
	ASSERT_EQ(shown.size(), 2u);
	EXPECT_EQ(shown[0], Message(kMsgPortfolioOldFormat, "Old"));
	EXPECT_EQ(shown[1], Message(kMsgPortfolioUnreadable, "Notes"));

	// Once a conversion is installed, a former file goes through it first.
	// Set on every run: the converter cannot capture, and a repeated run has another fixture.
	static PortfolioDocumentTest* self;
	self = this;
	UPortfolioFile::SetConverter([](TVyFile*) -> short {
		self->WritePortfolio("Old", 3);
		return 0;
	});
	ExpectMessage(&shown);
	TPortfolio* converted = Open("Old");
	ASSERT_NE(converted, nullptr);
	EXPECT_EQ(shown.back(), Message(kMsgPortfolioConverting, "Old"));
	EXPECT_EQ(converted->GetLedger()->Count(), 3);
}

TEST_F(PortfolioDocumentTest, FormerPortfolioIsConvertedWhenOpenedAndKeptAsOld)
{
	// A former file made from a current one: the first 400 bytes of the parameters, no categories, and
	// the first 188 bytes of each entry.
	WritePortfolio("Current", 2);
	const std::string current = ReadBytes(mScratch.Path("Current"));
	std::string former = "zv20" + current.substr(4, 400) + std::string(4, '\0') + current.substr(704, 4);
	for (std::size_t i = 0; i < 2; ++i)
		former += current.substr(708 + i * tLedgerEntry::kStoredSize, 188);
	mScratch.Write("Old", former);
	UPortfolioFile::SetConverter(&UConverter::ConvertPortfolio);
	std::vector<std::string> shown;
	ExpectMessage(&shown);
	TPortfolio* converted = Open("Old");
	ASSERT_NE(converted, nullptr);
	EXPECT_EQ(shown, std::vector<std::string>{Message(kMsgPortfolioConverting, "Old")});
	EXPECT_EQ(converted->GetLedger()->Count(), 2);
	EXPECT_STREQ(converted->GetLedger()->GetNth(2)->symbol, "GOLD");
	EXPECT_EQ(ReadBytes(mScratch.Path("Old.old")), former);
	EXPECT_EQ(ReadBytes(mScratch.Path("Old")).substr(0, 4), "zv22");

	// One that cannot be read is refused and stays as it was.
	const std::string cut = former.substr(0, 300);
	mScratch.Write("Cut", cut);
	ExpectMessage(&shown);
	ExpectMessage(&shown);
	EXPECT_EQ(Open("Cut"), nullptr);
	EXPECT_EQ(shown.back(), Message(kMsgPortfolioUnreadable, "Cut"));
	EXPECT_EQ(ReadBytes(mScratch.Path("Cut")), cut);
	EXPECT_FALSE(std::filesystem::exists(mScratch.Path("Cut.old")));

	// One whose converted file cannot be written says why, and stays under its name as it was.
	mScratch.Write("Full", former);
	ExpectMessage(&shown);
	ExpectMessage(&shown);
	{
		StFileSizeLimit limit(former.size() / 2);
		EXPECT_EQ(Open("Full"), nullptr);
	}
	std::string notConverted = Message(kMsgPortfolioNotConverted, "Full");
	Str255 reason;
	LDocument::GetSaveFailureReason(dskFulErr, reason);
	notConverted.replace(notConverted.find("^1"), 2, PascalStrings::ToString(reason));
	EXPECT_EQ(shown.back(), notConverted);
	EXPECT_NE(notConverted.find("disk is full"), std::string::npos);
	EXPECT_EQ(ReadBytes(mScratch.Path("Full")), former);
	EXPECT_FALSE(std::filesystem::exists(mScratch.Path("Full.old")));
}

TEST_F(PortfolioDocumentTest, QuittingAsksToSaveAndPrintingFromOutsideReusesTheOpenDocument)
{
	WritePortfolio("Savings", 1);
	TPortfolio* document = Open("Savings");
	ASSERT_NE(document, nullptr);
	const std::string pdf = mScratch.Path("printed.pdf");
	UPrinting::GetAppPrintSpec().SetOutputFile(pdf);
	FSSpec spec = Spec("Savings");
	TPortfolio::Print(mSuper, &spec);
	EXPECT_EQ(LDocument::GetDocumentList().size(), 1u);
	EXPECT_NE(PrintedText::Read(pdf).find("Savings"), std::string::npos);

	// A printout that cannot be made says why.
	std::string expected;
	UPrinting::GetAppPrintSpec().SetOutputFile(mScratch.Path("gone/printed.pdf"));
	EXPECT_EQ(PrintedText::ErrorShownBy([&] { TPortfolio::Print(mSuper, &spec); }, &expected),
	          PrintedText::Message(30, "printed.pdf", "The folder it goes in is no longer there."));
	UPrinting::GetAppPrintSpec().SetOutputFile(pdf);

	// A file that does not open prints nothing.
	std::filesystem::remove(pdf);
	mScratch.Write("Broken", "zv22");
	std::vector<std::string> shown;
	ExpectMessage(&shown);
	FSSpec broken = Spec("Broken");
	TPortfolio::Print(mSuper, &broken);
	EXPECT_FALSE(std::filesystem::exists(pdf));

	AddEntry(document->GetLedger(), "SILVER");
	UModalAlerts::QueueAnswer(answer_Cancel);
	EXPECT_FALSE(document->AttemptQuitSelf(kAEAsk));
	UModalAlerts::QueueAnswer(answer_Save);
	EXPECT_TRUE(document->AttemptQuitSelf(kAEAsk));
	EXPECT_TRUE(LDocument::GetDocumentList().empty());
	EXPECT_EQ(ReadBytes(mScratch.Path("Savings")).size(), 708u + 2 * 220);
}

TEST_F(PortfolioDocumentTest, PrintingFromOutsideLeavesAPrintoutMadeReadOnlyAsItWas)
{
	if (const std::string why = DiskAbilities::WhyNot(mScratch.Path(), DiskAbilities::kBeDenied);
	    !why.empty())
		GTEST_SKIP() << why;
	WritePortfolio("Savings", 1);
	const std::string pdf = mScratch.Path("printed.pdf");
	mScratch.Write("printed.pdf", "last year's printout");
	ASSERT_EQ(chmod(pdf.c_str(), 0444), 0);
	UPrinting::GetAppPrintSpec().SetOutputFile(pdf);
	FSSpec spec = Spec("Savings");
	std::string expected;
	EXPECT_EQ(PrintedText::ErrorShownBy([&] { TPortfolio::Print(mSuper, &spec); }, &expected),
	          PrintedText::Message(30, "printed.pdf",
	                               "You have no permission to write there, or the file or the disk is "
	                               "locked."));
	EXPECT_TRUE(ReadBytes(pdf) == "last year's printout") << "the printout was written over";
	struct stat st;
	ASSERT_EQ(stat(pdf.c_str(), &st), 0);
	EXPECT_EQ(st.st_mode & 07777, 0444u);
	std::vector<std::string> printouts;
	for (const auto& entry : std::filesystem::directory_iterator(mScratch.Path()))
		if (entry.path().filename().string().find("printed") != std::string::npos)
			printouts.push_back(entry.path().filename().string());
	EXPECT_EQ(printouts, std::vector<std::string>{"printed.pdf"});
}

// A printout, by the menu or from outside, and a security's output file never take an open portfolio's
// place on disk, however its file is spelled; the user reads which window holds it.
TEST_F(PortfolioDocumentTest, NoPrintoutOrOutputFileIsWrittenOverAnOpenPortfolio)
{
	WritePortfolio("Savings", 1);
	const std::string saved = ReadBytes(mScratch.Path("Savings"));
	TPortfolio* document = Open("Savings");
	ASSERT_NE(document, nullptr);
	std::filesystem::create_symlink(mScratch.Path("Savings"), mScratch.Path("link.pdf"));
	std::filesystem::create_directory_symlink(mScratch.Path(), mScratch.Path("linked"));
	const std::string reason = LDocument::SaveFailureReason(kReasonOpenElsewhere, "Savings");
	FSSpec spec = Spec("Savings");
	const std::set<std::string> files = Listing();
	for (const char* target : {"Savings", "link.pdf", "linked/Savings"}) {
		std::vector<std::string> shown;
		ExpectMessage(&shown);
		UPrinting::GetAppPrintSpec().SetOutputFile(mScratch.Path(target));
		PrintedText::PrintTo(mScratch.Path(target));
		if (target[0] == 'l')
			Command(document, cmd_Print);
		else
			TPortfolio::Print(mSuper, &spec);
		ASSERT_EQ(shown.size(), 1u) << target;
		EXPECT_NE(shown[0].find(reason), std::string::npos) << shown[0];
		EXPECT_EQ(ReadBytes(mScratch.Path("Savings")), saved) << target;
	}
	UPrinting::SetPrintJobDialog(nullptr);
	EXPECT_TRUE(std::filesystem::is_symlink(mScratch.Path("link.pdf")));
	EXPECT_EQ(Listing(), files);

	TStock stock;
	stock.SecuritySymbol("ACME");
	stock.ShowSelectDlog(mSuper, 0, false);
	auto* dialog = dynamic_cast<LView*>(stock.GetSelectDlog());
	ASSERT_NE(dialog, nullptr);
	mSaveAs = "linked/Savings";
	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	WindowInput::Click(dialog, FOUR_CHAR_CODE("flSc"));
	ASSERT_EQ(ShownAlerts().size(), 1u);
	EXPECT_NE(ShownAlerts()[0].find(reason), std::string::npos) << ShownAlerts()[0];
	WindowInput::Click(dialog, TVyWindow::kOKButton);
	EXPECT_EQ(stock.OutputFile(), nullptr);

	// A file chosen before the portfolio was opened is left alone at the next update.
	stock.OutputFile(new TVyFile(&spec));
	stock.OutputFileEnabled(true);
	stock.FileText("<<symbol>>", 10);
	EXPECT_EQ(UMerge::OutputToFile(&stock), kVyFileOpenForWriting);
	EXPECT_EQ(ReadBytes(mScratch.Path("Savings")), saved);
	document->Close();
	EXPECT_EQ(UMerge::OutputToFile(&stock), 0);
	EXPECT_EQ(ReadBytes(mScratch.Path("Savings")), "ACME");
}

TEST_F(PortfolioDocumentTest, TheListOfOpenPortfoliosReopensThem)
{
	WritePortfolio("Savings", 1);
	WritePortfolio("Pension", 2);
	ASSERT_NE(Open("Savings"), nullptr);
	ASSERT_NE(Open("Pension"), nullptr);
	StDialogHandler::QueueAnswer(msg_OK);
	ASSERT_NE(TPortfolio::New(mSuper), nullptr);

	FSSpec spec = Spec("open list");
	TVyFile list(&spec);
	ASSERT_EQ(list.CreateFile(), 0);
	list.SetMode(kFileModeWrite);
	ASSERT_EQ(list.Open(), 0);
	ASSERT_EQ(TPortfolio::SaveOpenPortfolios(&list), 0);
	list.Close();
	// The untitled portfolio has no file to list.
	EXPECT_EQ(ReadBytes(mScratch.Path("open list")).size(), 4u + 2 * 74);

	for (LDocument* document : std::vector<LDocument*>(LDocument::GetDocumentList()))
		document->Close();
	LCommander* previous = LCommander::GetDefaultCommander();
	LCommander::SetDefaultCommander(mSuper);
	list.SetMode(kFileModeRead);
	ASSERT_EQ(list.Open(), 0);
	EXPECT_EQ(TPortfolio::RestoreOpenPortfolios(&list), 0);
	list.Close();
	LCommander::SetDefaultCommander(previous);
	ASSERT_EQ(LDocument::GetDocumentList().size(), 2u);
	EXPECT_EQ(static_cast<TPortfolio*>(LDocument::GetDocumentList().back())->GetLedger()->Count(), 2);
}

// Keep in the question about an unknown security, and Cancel in a message, each give the keys back to the
// portfolio window and its table that had them.
TEST_F(PortfolioDocumentTest, KeysAndMenusGoBackToThePortfolioWindowWhenAQuestionOrAMessageCloses)
{
	LMenuBar menuBar(128);
	WritePortfolio("Savings", 1);
	TPortfolio* document = Open("Savings");
	ASSERT_NE(document, nullptr);
	TPortfolioWindow* window = document->GetPortfolioWindow();
	LCommander* table = LCommander::GetTarget();
	ASSERT_TRUE(window->IsOnDuty());

	// A new entry in the ledger for a security not in the lists.
	TLedgerWindow* ledger = LedgerWithTypedEntry(document, "NEWCO");
	ASSERT_NE(ledger, nullptr);
	StDialogHandler::QueueAnswer(2001);
	WindowInput::Click(ledger, TVyWindow::kOKButton);
	UDispatch::DeletePending();
	ASSERT_EQ(window->LedgerWindow(), nullptr);
	ASSERT_EQ(document->GetLedger()->Count(), 2);
	ExpectKeysAndMenusWith(window, table);
	EXPECT_EQ(ReadBytes(mScratch.Path("Savings")).size(), 708u + 2 * 220);

	// The message asking to revert, shown to the user and cancelled.
	AddEntry(document->GetLedger(), "SILVER");
	UModalAlerts::SetAnswersRequired(false);
	ClickInNextBox(QStringLiteral("Cancel"));
	table->ProcessCommand(cmd_Revert);
	UModalAlerts::SetAnswersRequired(true);
	ASSERT_EQ(document->GetLedger()->Count(), 3);
	ExpectKeysAndMenusWith(window, table);
	EXPECT_EQ(ReadBytes(mScratch.Path("Savings")).size(), 708u + 3 * 220);
}

} // namespace
