#include "platform/framework/LDocument.h"

#include "foundation/TVyFileUtils.h"
#include "foundation/VyFileErrors.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/MacErrors.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/ResourceStore.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace
{

enum : SInt16 { kReasonFull = 1, kReasonPermission, kReasonFolderGone, kReasonInUse, kReasonOther };

// Documents answer with the toolbox's codes or the file object's.
SInt16 ReasonFor(OSErr inErr)
{
	switch (inErr) {
	case dskFulErr:
	case dirFulErr:
	case kVyFileFull:
		return kReasonFull;
	case permErr:
	case wrPermErr:
	case wPrErr:
	case fLckdErr:
	case vLckdErr:
	case kVyFilePermission:
	case kVyFileLocked:
		return kReasonPermission;
	case fnfErr:
	case dirNFErr:
	case nsvErr:
	case kVyFileNotFound:
		return kReasonFolderGone;
	case opWrErr:
	case fBsyErr:
	case kVyFileOpenForWriting:
		return kReasonInUse;
	default:
		return kReasonOther;
	}
}

} // namespace

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
	if (err != noErr) {
		ShowSaveFailure(err);
		return false;
	}
	return !IsModified();
}

void LDocument::DoAESave(FSSpec& inFileSpec, OSType)
{
	const FSSpec previous = mFileSpec;
	const Boolean wasSpecified = mIsSpecified;
	mFileSpec = inFileSpec;
	mIsSpecified = true;
	if (const OSErr err = DoSave(); err != noErr) {
		mFileSpec = previous;
		mIsSpecified = wasSpecified;
		ShowSaveFailure(err, &inFileSpec);
	}
}

void LDocument::ShowSaveFailure(OSErr inErr, const FSSpec* inSaveAs)
{
	Str255 name, reason;
	GetName(name);
	GetSaveFailureReason(inErr, reason);
	ParamText(name, reason, inSaveAs ? inSaveAs->name : nullptr, nullptr);
	UModalAlerts::Show(kAlertStop, inSaveAs ? ALRT_SaveAsFailed : ALRT_SaveFailed);
}

void LDocument::GetSaveFailureReason(OSErr inErr, Str255 outReason)
{
	GetIndString(outReason, STRx_SaveFailureReasons, ReasonFor(inErr));
	std::string text = PascalStrings::ToString(outReason);
	if (const size_t at = text.find('^'); at != std::string::npos)
		text.replace(at, 1, std::to_string(inErr));
	PascalStrings::FromString(text, outReason);
}

void LDocument::DoRevert() {}

void LDocument::HandlePrint() {}

void LDocument::DoPrint()
{
	HandlePrint();
}

void LDocument::GetName(Str255 outName) const
{
	// A document whose file has gone may have no name of its own to give.
	if (mIsSpecified)
		std::memcpy(outName, mFileSpec.name, mFileSpec.name[0] + 1u);
	else
		outName[0] = 0;
	GetDescriptor(outName);
}

SInt16 LDocument::AskSaveChanges(SInt16 inSaveWhen)
{
	Str255 name;
	GetName(name);
	ParamText(name, nullptr, nullptr, nullptr);
	return UModalAlerts::Show(kAlertCaution, inSaveWhen == SaveWhen_Quitting ? ALRT_SaveChangesQuitting
	                                                                         : ALRT_SaveChangesClosing);
}

Boolean LDocument::AskSaveAs(FSSpec& outFileSpec, Boolean)
{
	Str255 name;
	GetName(name);
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
	GetName(name);
	ParamText(name, nullptr, nullptr, nullptr);
	return UModalAlerts::Show(kAlertCaution, ALRT_ConfirmRevert) == 1;
}
