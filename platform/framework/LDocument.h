#pragma once
// A document: something the user opens, changes, saves and closes. It asks whether to save changes before
// it closes or the program quits, saves to its file or to one the user chooses, and goes back to the saved
// version on Revert. Closing deletes the document. Every document is in the list of open documents from
// construction to destruction.

#include "platform/framework/LCommander.h"
#include "platform/framework/LModelObject.h"
#include "platform/toolbox/Files.h"

#include <string>
#include <vector>

// Answers of the save-changes question (its alert's items).
enum : SInt16 { answer_Save = 1, answer_Cancel = 2, answer_DontSave = 3 };
enum : SInt16 { SaveWhen_Closing = 1, SaveWhen_Quitting = 2 };
// Save options of a quit: ask the user, save without asking, or drop the changes. 0 counts as ask.
enum : SInt32 {
	kAEAsk = SInt32(FOUR_CHAR_CODE("ask ")),
	kAEYes = SInt32(FOUR_CHAR_CODE("yes ")),
	kAENo = SInt32(FOUR_CHAR_CODE("no  "))
};
// The questions' alerts; ^0 is the document's name.
enum : ResIDT { ALRT_SaveChangesClosing = 250, ALRT_SaveChangesQuitting = 251, ALRT_ConfirmRevert = 252 };
// A failed save (Save As: to the file ^2), and the reasons it gives as ^1.
enum : ResIDT { ALRT_SaveFailed = 255, ALRT_SaveAsFailed = 256, STRx_SaveFailureReasons = 255 };
// What a name that is not a plain file stands for (the detail of kReasonNotAFile).
enum : ResIDT { STRx_NotAFileKinds = 259 };
// The reasons (entries of STRx_SaveFailureReasons); a ^ in one stands for the detail it names.
enum : SInt16 {
	kReasonFull = 1,
	kReasonPermission,
	kReasonFolderGone,
	kReasonInUse,
	kReasonOther,         // the error's number
	kReasonNoFolder,      // the folder's path
	kReasonIsFolder,      // none
	kReasonOpenElsewhere, // the name of the document that has the file open
	kReasonMadeMeanwhile,
	kReasonMountPoint,
	kReasonDanglingLink,
	kReasonUntrustedLink,
	kReasonCopyTaken,
	kReasonNotAFile, // what stands there: a named pipe, a device, a socket
	kReasonNoName,
	kReasonNoFileName,   // a name ending in "/"
	kReasonNoPrintToFile, // Qt's print dialog would open the file itself
	kReasonRightsNotKept
};

class LDocument : public LCommander, public LModelObject
{
public:
	explicit LDocument(LCommander* inSuper);
	~LDocument() override;

	static const std::vector<LDocument*>& GetDocumentList() { return sDocumentList; }
	// The open document whose file inSpec names, however it is spelled (a link, another path to the same
	// folder), other than inExcept; null when there is none.
	static LDocument* FindDocumentOn(const FSSpec& inSpec, const LDocument* inExcept = nullptr);

	virtual Boolean IsModified();
	virtual void SetModified(Boolean inModified) { mIsModified = inModified; }
	Boolean IsSpecified() const { return mIsSpecified; }
	void SetSpecified(Boolean inSpecified) { mIsSpecified = inSpecified; }
	virtual StringPtr GetDescriptor(Str255 outDescriptor) const;
	virtual OSType GetFileType() const;

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;

	// Asks to save a modified document, then closes it unless the user cancelled or the save failed.
	virtual void AttemptClose(Boolean inRecordIt);
	// Deletes the document; it must not be used afterwards.
	virtual void Close();
	// With a modified document: asks (kAEAsk), saves (kAEYes) or drops the changes (kAENo); then closes
	// it. False when the user cancelled or the save failed: the quit stops.
	Boolean AttemptQuitSelf(SInt32 inSaveOption) override;

	// Writes the document to its file; 0 when it did, else the file error. A successful save clears the
	// modified state.
	virtual OSErr DoSave() = 0;
	// Saves to another file (Save As): the document's file becomes inFileSpec. When that fails the
	// document keeps the file it had, and the user is told why.
	virtual void DoAESave(FSSpec& inFileSpec, OSType inFileType);
	virtual void DoRevert();
	// Print: HandlePrint asks for the print job and prints; DoPrint prints the whole document.
	virtual void HandlePrint();
	virtual void DoPrint();

	// The save-changes question (answer_Save, answer_Cancel or answer_DontSave).
	virtual SInt16 AskSaveChanges(SInt16 inSaveWhen);
	// Asks where to save and saves there; true when the document was saved.
	virtual Boolean AskSaveAs(FSSpec& outFileSpec, Boolean inRecordIt);
	virtual Boolean AskConfirmRevert();

	// Why a file could not be written, in the words of the save-failure alerts (an error of the file
	// manager or of the file layer).
	static void GetSaveFailureReason(OSErr inErr, Str255 outReason);
	// A reason of the list with its ^ filled, cut to fit an alert's parameter.
	static std::string SaveFailureReason(SInt16 inReason, std::string inDetail = std::string());
	// What stands there, as kReasonNotAFile names it: a named pipe, a device or a socket by inMode's file
	// type, or all three when it is none of them (the file layer's error does not say which).
	static std::string NotAFileKind(mode_t inMode = 0);
	// Why nothing was written to inPath, where the file layer found no plain file: a folder, or what a
	// look at the name finds there.
	static std::string NotAFileReason(const std::string& inPath);
	// Whether inErr has a reason of its own, not just its number.
	static bool HasSaveFailureReason(OSErr inErr);
	// Why nothing may be written over the file at inPath when an open document holds it (its window
	// named); false when none does.
	static bool HeldFileReason(const std::string& inPath, std::string* outReason);

protected:
	// Saves to the file, or asks for one when the document has none; true when it was saved. A failure is
	// shown to the user.
	Boolean Save();
	// Tells the user why the document could not be saved (to inSaveAs in a Save As). The document must be
	// back on the file it had, so that its name is the one the user knows.
	void ShowSaveFailure(OSErr inErr, const FSSpec* inSaveAs = nullptr);
	void ShowSaveFailure(const std::string& inReason, ConstStr255Param inSaveAs);
	// Save As onto the file of another open document is refused and told: two windows would each write
	// the file over the other's. True when refused.
	Boolean RefuseFileOfOther(const FSSpec& inFileSpec);
	// During DoAESave: the user chose a name that stood free (no "replace?" was asked), so a file found
	// there now was made by another program meanwhile and must be left as it is.
	Boolean SavesToNewName() const { return mSavesToNewName; }

	FSSpec mFileSpec;
	Boolean mIsModified = false;
	Boolean mIsSpecified = false;

private:
	// The document's name in its alerts and as the name Save As proposes.
	void GetName(Str255 outName) const;

	Boolean mSavesToNewName = false;

	static std::vector<LDocument*> sDocumentList;
};
