#include "FrameworkTestSupport.h"
#include "foundation/TVyFileUtils.h"
#include "platform/framework/LDocApplication.h"
#include "platform/framework/LSingleDoc.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/MacErrors.h"
#include "tests/support/ScratchFolder.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{

// A text document whose window is titled with its file's name.
class TTextDoc : public LSingleDoc
{
public:
	TTextDoc(LCommander* inSuper, const FSSpec* inSpec) : LSingleDoc(inSuper)
	{
		SPaneInfo info;
		info.width = 200;
		info.height = 100;
		Str255 title;
		PascalStrings::FromString("Untitled", title);
		if (inSpec) {
			mFileSpec = *inSpec;
			mIsSpecified = true;
			std::ifstream in(Path());
			mText.assign(std::istreambuf_iterator<char>(in), {});
			std::memcpy(title, inSpec->name, inSpec->name[0] + 1u);
		}
		mWindow =
		    new LWindow(info, title, windAttr_Regular | windAttr_TitleBar | windAttr_CloseBox, this);
		mOpened = mText;
		++sAlive;
	}
	~TTextDoc() override { --sAlive; }

	void Type(const std::string& inText)
	{
		mText += inText;
		SetModified(true);
	}
	std::string Path() const
	{
		std::string path;
		FSpGetPOSIXPath(&mFileSpec, &path);
		return path;
	}
	OSErr DoSave() override
	{
		if (mFailWith != noErr)
			return mFailWith;
		std::ofstream(Path(), std::ios::trunc) << mText;
		SetModified(false);
		return noErr;
	}
	void DoRevert() override
	{
		mText = mOpened;
		SetModified(false);
	}

	std::string mText, mOpened;
	OSErr mFailWith = noErr;
	static int sAlive;
};
int TTextDoc::sAlive = 0;

class TDocApp : public LDocApplication
{
public:
	void OpenDocument(FSSpec* inSpec) override { new TTextDoc(this, inSpec); }
};

class DocumentTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		FrameworkTest::EnsureApplication();
		static bool loaded = false;
		if (!loaded) {
			std::string error;
			ASSERT_TRUE(ResourceStore::Get().LoadFile(
			    std::string(VANTOREL_FIXTURES) + "/../../resources/Documents.res", &error))
			    << error;
			loaded = true;
		}
		UModalAlerts::SetAnswersRequired(true);
		UModalAlerts::ClearShownAlerts();
		TVyFileUtils::SetNavHandler([this](const tNavRequest& inRequest) {
			mRequests.push_back(inRequest.kind);
			tNavReply reply;
			if (mChosen.empty())
				return reply;
			reply.accepted = true;
			for (const std::string& name : mChosen) {
				FSSpec spec;
				EXPECT_EQ(FSPathMakeFSSpec(mScratch.Path(name), &spec), noErr);
				reply.specs.push_back(spec);
			}
			reply.spec = reply.specs.front();
			return reply;
		});
		mScratch.Write("notes.txt", "first");
	}
	void TearDown() override
	{
		UModalAlerts::SetAnswersRequired(false);
		UModalAlerts::ClearQueuedAnswers();
		TVyFileUtils::SetNavHandler(nullptr);
		UDispatch::DeletePending();
	}

	TTextDoc* Open(const std::string& inName)
	{
		FSSpec spec;
		EXPECT_EQ(FSPathMakeFSSpec(mScratch.Path(inName), &spec), noErr);
		mApp.OpenDocument(&spec);
		return static_cast<TTextDoc*>(LDocument::GetDocumentList().back());
	}
	// Closes the document's window the way its close box does.
	static void ClickCloseBox(TTextDoc* inDoc)
	{
		UDispatch::Run([inDoc] { inDoc->GetWindow()->ProcessCommand(cmd_Close); });
	}
	std::string LastAlertText() const { return UModalAlerts::GetShownAlerts().back().text; }

	ScratchFolder mScratch;
	TDocApp mApp;
	std::vector<std::string> mChosen; // what the file dialogs answer; empty: cancelled
	std::vector<tNavRequest::Kind> mRequests;
};

TEST_F(DocumentTest, ClosingAModifiedDocumentAsksAndFollowsTheAnswer)
{
	TTextDoc* doc = Open("notes.txt");
	EXPECT_EQ(LDocument::GetDocumentList().size(), 1u);
	doc->Type(" second");

	UModalAlerts::QueueAnswer(answer_Cancel);
	ClickCloseBox(doc);
	ASSERT_EQ(TTextDoc::sAlive, 1);
	EXPECT_EQ(LastAlertText(), "Do you want to save the changes to \xD2notes.txt\xD3 before closing?");
	EXPECT_FALSE(doc->GetWindow()->IsClosing());

	UModalAlerts::QueueAnswer(answer_DontSave);
	ClickCloseBox(doc);
	EXPECT_EQ(TTextDoc::sAlive, 0);
	EXPECT_TRUE(LDocument::GetDocumentList().empty());
	EXPECT_EQ(mScratch.Read("notes.txt"), "first");

	doc = Open("notes.txt");
	doc->Type(" third");
	UModalAlerts::QueueAnswer(answer_Save);
	doc->ObeyCommand(cmd_Close, nullptr);
	EXPECT_EQ(TTextDoc::sAlive, 0);
	EXPECT_EQ(mScratch.Read("notes.txt"), "first third");
	EXPECT_TRUE(LWindow::GetWindowList().empty());
}

TEST_F(DocumentTest, AnUnchangedDocumentClosesWithoutAQuestion)
{
	ClickCloseBox(Open("notes.txt"));
	EXPECT_EQ(TTextDoc::sAlive, 0);
	EXPECT_TRUE(UModalAlerts::GetShownAlerts().empty());
}

TEST_F(DocumentTest, AnUntitledDocumentAsksWhereToSaveAndTakesTheFilesName)
{
	auto* doc = new TTextDoc(&mApp, nullptr);
	doc->Type("fresh");
	Boolean enabled = false, usesMark = false;
	UInt16 mark = 0;
	Str255 name;
	doc->ProcessCommandStatus(cmd_Revert, enabled, usesMark, mark, name);
	EXPECT_FALSE(enabled); // no saved version to go back to

	// Save, then cancel the dialog: nothing written, still modified.
	doc->ObeyCommand(cmd_Save, nullptr);
	ASSERT_EQ(mRequests.size(), 1u);
	EXPECT_EQ(mRequests[0], tNavRequest::kSaveFile);
	EXPECT_TRUE(doc->IsModified());

	mChosen = {"fresh.txt"};
	doc->ObeyCommand(cmd_Save, nullptr);
	EXPECT_EQ(mScratch.Read("fresh.txt"), "fresh");
	EXPECT_FALSE(doc->IsModified());
	EXPECT_TRUE(doc->IsSpecified());
	EXPECT_EQ(FrameworkTest::Descriptor(doc->GetWindow()), "fresh.txt");
	doc->ObeyCommand(cmd_Close, nullptr);
	EXPECT_EQ(TTextDoc::sAlive, 0);
}

// Each failed save is shown, naming the document and the reason; the document stays open, modified and on
// its own file.
TEST_F(DocumentTest, AFailedSaveIsShownAndKeepsTheDocumentOpenModifiedAndOnItsFile)
{
	TTextDoc* doc = Open("notes.txt");
	doc->Type(" lost?");
	doc->mFailWith = dskFulErr;
	UModalAlerts::QueueAnswer(answer_Save);
	UModalAlerts::QueueAnswer(1);
	ClickCloseBox(doc);
	ASSERT_EQ(TTextDoc::sAlive, 1);
	EXPECT_EQ(LastAlertText(),
	          "\xD2notes.txt\xD3 could not be saved. The disk is full, or the file would "
	          "pass the size limit set for files. Nothing on disk was changed.");

	doc->mFailWith = wrPermErr;
	UModalAlerts::QueueAnswer(answer_Save);
	UModalAlerts::QueueAnswer(1);
	EXPECT_FALSE(mApp.AttemptQuit(kAEAsk));
	EXPECT_EQ(LastAlertText(),
	          "\xD2notes.txt\xD3 could not be saved. You have no permission to write there, "
	          "or the file or the disk is locked. Nothing on disk was changed.");

	doc->mFailWith = ioErr;
	mChosen = {"moved.txt"};
	UModalAlerts::QueueAnswer(1);
	doc->ObeyCommand(cmd_SaveAs, nullptr);
	EXPECT_EQ(LastAlertText(), "\xD2notes.txt\xD3 could not be saved as \xD2moved.txt\xD3. An unexpected "
	                           "error occurred (code -36). Nothing on disk was changed.");
	EXPECT_EQ(UModalAlerts::GetShownAlerts().size(), 5u);
	EXPECT_TRUE(doc->IsModified());
	EXPECT_EQ(FrameworkTest::Descriptor(doc->GetWindow()), "notes.txt");

	// Onto the file of another open document, however it is reached, two windows would write one file.
	doc->mFailWith = noErr;
	mScratch.Write("other.txt", "other");
	TTextDoc* other = Open("other.txt");
	std::filesystem::create_symlink(mScratch.Path("other.txt"), mScratch.Path("link.txt"));
	mChosen = {"link.txt"};
	UModalAlerts::QueueAnswer(1);
	doc->ObeyCommand(cmd_SaveAs, nullptr);
	EXPECT_EQ(LastAlertText(),
	          "\xD2notes.txt\xD3 could not be saved as \xD2link.txt\xD3. That file is open "
	          "in the window \xD2other.txt\xD3: close that window first. Nothing on disk "
	          "was changed.");
	EXPECT_EQ(mScratch.Read("other.txt"), "other");
	EXPECT_EQ(FrameworkTest::Descriptor(doc->GetWindow()), "notes.txt");
	other->ObeyCommand(cmd_Close, nullptr);

	doc->ObeyCommand(cmd_Save, nullptr);
	EXPECT_EQ(mScratch.Read("notes.txt"), "first lost?");
	EXPECT_FALSE(mScratch.Exists("moved.txt"));
	doc->ObeyCommand(cmd_Close, nullptr);
	EXPECT_EQ(TTextDoc::sAlive, 0);
}

TEST_F(DocumentTest, QuittingAsksEveryModifiedDocumentAndCancelStopsTheQuit)
{
	TTextDoc* a = Open("notes.txt");
	mScratch.Write("other.txt", "other");
	TTextDoc* b = Open("other.txt");
	a->Type("!");
	b->Type("?");

	UModalAlerts::QueueAnswer(answer_Save);
	UModalAlerts::QueueAnswer(answer_Cancel);
	EXPECT_FALSE(mApp.AttemptQuit(kAEAsk));
	EXPECT_EQ(LastAlertText(), "Do you want to save the changes to \xD2other.txt\xD3 before quitting?");
	EXPECT_EQ(TTextDoc::sAlive, 1); // the first was saved and closed, the second stays
	EXPECT_EQ(mScratch.Read("notes.txt"), "first!");

	EXPECT_TRUE(mApp.AttemptQuit(kAENo));
	EXPECT_EQ(TTextDoc::sAlive, 0);
	EXPECT_EQ(mScratch.Read("other.txt"), "other");
}

TEST_F(DocumentTest, RevertGoesBackToTheOpenedVersionAfterConfirming)
{
	TTextDoc* doc = Open("notes.txt");
	doc->Type(" draft");
	UModalAlerts::QueueAnswer(answer_Cancel);
	doc->ObeyCommand(cmd_Revert, nullptr);
	EXPECT_EQ(doc->mText, "first draft");
	UModalAlerts::QueueAnswer(1);
	doc->ObeyCommand(cmd_Revert, nullptr);
	EXPECT_EQ(doc->mText, "first");
	EXPECT_FALSE(doc->IsModified());
	doc->ObeyCommand(cmd_Close, nullptr);
}

TEST_F(DocumentTest, OpenCommandOpensEveryChosenFile)
{
	mScratch.Write("other.txt", "other");
	mChosen = {"notes.txt", "other.txt"};
	mApp.ObeyCommand(cmd_Open, nullptr);
	ASSERT_EQ(LDocument::GetDocumentList().size(), 2u);
	EXPECT_EQ(static_cast<TTextDoc*>(LDocument::GetDocumentList()[1])->mText, "other");
	EXPECT_EQ(mRequests, std::vector<tNavRequest::Kind>{tNavRequest::kChooseFile});
	EXPECT_TRUE(mApp.AttemptQuit(kAEAsk));
	EXPECT_EQ(TTextDoc::sAlive, 0);
}

} // namespace
