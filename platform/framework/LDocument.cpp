#include "platform/framework/LDocument.h"

#include "foundation/TVyFileUtils.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/MacErrors.h"

#include <algorithm>
#include <string>

std::vector<LDocument*> LDocument::sDocumentList;

LDocument::LDocument(LCommander* inSuper) : LCommander(inSuper)
{
	sDocumentList.push_back(this);
}

LDocument::~LDocument()
{
	std::erase(sDocumentList, this);
}

Boolean LDocument::IsModified()
{
	return mIsModified;
}

StringPtr LDocument::GetDescriptor(Str255 outDescriptor) const
{
	outDescriptor[0] = 0;
	return outDescriptor;
}

OSType LDocument::GetFileType() const
{
	return FOUR_CHAR_CODE("TEXT");
}

Boolean LDocument::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case cmd_Close:
		AttemptClose(true);
		return true;
	case cmd_Save:
		Save();
		return true;
	case cmd_SaveAs: {
		FSSpec spec;
		AskSaveAs(spec, true);
		return true;
	}
	case cmd_Revert:
		if (AskConfirmRevert())
			DoRevert();
		return true;
	case cmd_Print:
		HandlePrint();
		return true;
	case cmd_PrintOne:
		DoPrint();
		return true;
	default:
		return LCommander::ObeyCommand(inCommand, ioParam);
	}
}

void LDocument::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                  UInt16& outMark, Str255 outName)
{
	switch (inCommand) {
	case cmd_Close:
	case cmd_SaveAs:
	case cmd_Print:
	case cmd_PrintOne:
		outEnabled = true;
		break;
	case cmd_Save:
		outEnabled = IsModified() || !mIsSpecified;
		break;
	case cmd_Revert:
		outEnabled = IsModified() && mIsSpecified;
		break;
	default:
		LCommander::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
	}
}

void LDocument::AttemptClose(Boolean)
{
	if (IsModified()) {
		const SInt16 answer = AskSaveChanges(SaveWhen_Closing);
		if (answer == answer_Cancel || (answer == answer_Save && !Save()))
			return;
	}
	Close();
}

void LDocument::Close()
{
	delete this;
}

Boolean LDocument::AttemptQuitSelf(SInt32 inSaveOption)
{
	if (IsModified() && inSaveOption != kAENo) {
		const SInt16 answer =
		    inSaveOption == kAEYes ? SInt16(answer_Save) : AskSaveChanges(SaveWhen_Quitting);
		if (answer == answer_Cancel || (answer == answer_Save && !Save()))
			return false;
	}
	Close();
	return true;
}

Boolean LDocument::Save()
{
	if (!mIsSpecified) {
		FSSpec spec;
		return AskSaveAs(spec, true);
	}
	const OSErr err = DoSave();
	if (err != noErr)
		UDispatch::ReportException(err, "the document could not be saved");
	return err == noErr && !IsModified();
}

void LDocument::DoAESave(FSSpec& inFileSpec, OSType)
{
	mFileSpec = inFileSpec;
	mIsSpecified = true;
	const OSErr err = DoSave();
	if (err != noErr)
		UDispatch::ReportException(err, "the document could not be saved");
}

void LDocument::DoRevert() {}

void LDocument::HandlePrint() {}

void LDocument::DoPrint()
{
	HandlePrint();
}

SInt16 LDocument::AskSaveChanges(SInt16 inSaveWhen)
{
	Str255 name;
	GetDescriptor(name);
	ParamText(name, nullptr, nullptr, nullptr);
	return UModalAlerts::Show(kAlertCaution, inSaveWhen == SaveWhen_Quitting ? ALRT_SaveChangesQuitting
	                                                                         : ALRT_SaveChangesClosing);
}

Boolean LDocument::AskSaveAs(FSSpec& outFileSpec, Boolean)
{
	Str255 name;
	GetDescriptor(name);
	const std::string defaultName(reinterpret_cast<const char*>(name + 1), name[0]);
	tNavRequest request;
	request.kind = tNavRequest::kSaveFile;
	request.defaultName = defaultName.c_str();
	request.fileType = GetFileType();
	const tNavReply reply = TVyFileUtils::Ask(request);
	if (!reply.accepted)
		return false;
	outFileSpec = reply.spec;
	// The chosen file is replaced only by the save itself, which writes a whole new file first.
	DoAESave(outFileSpec, GetFileType());
	return !IsModified();
}

Boolean LDocument::AskConfirmRevert()
{
	Str255 name;
	GetDescriptor(name);
	ParamText(name, nullptr, nullptr, nullptr);
	return UModalAlerts::Show(kAlertCaution, ALRT_ConfirmRevert) == 1;
}
