#include "platform/framework/LDocument.h"

#include "foundation/TVyFileUtils.h"
#include "foundation/VyFileErrors.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UNavServicesDialogs.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/HeldFiles.h"
#include "platform/toolbox/MacErrors.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/ResourceStore.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>

namespace
{

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
	case dupFNErr:
	case kVyFileDuplicate:
		return kReasonMadeMeanwhile;
	case fsMountPointErr:
	case kVyFileMountPoint:
		return kReasonMountPoint;
	case fsDanglingLinkErr:
	case kVyFileDanglingLink:
		return kReasonDanglingLink;
	case fsUntrustedLinkErr:
	case kVyFileUntrustedLink:
		return kReasonUntrustedLink;
	case fsCopyTakenErr:
	case kVyFileCopyTaken:
		return kReasonCopyTaken;
	case fsNotAFileErr:
	case kVyFileNotAFile:
		return kReasonNotAFile;
	case fsRightsNotKeptErr:
	case kVyFileRightsNotKept:
		return kReasonRightsNotKept;
	default:
		return kReasonOther;
	}
}

std::string ReasonText(OSErr inErr)
{
	const SInt16 reason = ReasonFor(inErr);
	return LDocument::SaveFailureReason(reason, reason == kReasonNotAFile ? LDocument::NotAFileKind()
	                                                                      : std::to_string(inErr));
}

// The path with its folder's links and dots resolved, for a file that may not exist.
std::string Resolved(const std::string& inPath)
{
	const size_t slash = inPath.rfind('/');
	if (slash == std::string::npos)
		return inPath;
	char folder[PATH_MAX];
	if (realpath(inPath.substr(0, std::max<size_t>(slash, 1)).c_str(), folder) == nullptr)
		return inPath;
	return std::string(folder) + (folder[1] != 0 ? "/" : "") + inPath.substr(slash + 1);
}

// Two paths of one file: one device and inode when both exist, else one resolved path.
bool SamePath(const std::string& inFirst, const std::string& inSecond)
{
	struct stat a, b;
	if (stat(inFirst.c_str(), &a) == 0 && stat(inSecond.c_str(), &b) == 0)
		return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
	return Resolved(inFirst) == Resolved(inSecond);
}

bool SameFile(const FSSpec& inFirst, const FSSpec& inSecond)
{
	std::string first, second;
	return FSpGetPOSIXPath(&inFirst, &first) == noErr && FSpGetPOSIXPath(&inSecond, &second) == noErr &&
	       SamePath(first, second);
}

} // namespace

std::vector<LDocument*> LDocument::sDocumentList;

LDocument::LDocument(LCommander* inSuper) : LCommander(inSuper)
{
	// Printouts and output files, written below the framework, ask here whether a file is a document's.
	[[maybe_unused]] static const bool sTellerInstalled = [] {
		SetHeldFileTeller([](const std::string& inPath, std::string* outWindowName) {
			for (const LDocument* document : sDocumentList) {
				std::string path;
				if (!document->mIsSpecified ||
				    FSpGetPOSIXPath(&document->mFileSpec, &path) != noErr ||
				    !SamePath(path, inPath))
					continue;
				if (outWindowName != nullptr) {
					Str255 name;
					document->GetName(name);
					*outWindowName = PascalStrings::ToString(name);
				}
				return true;
			}
			return false;
		});
		return true;
	}();
	sDocumentList.push_back(this);
}

LDocument::~LDocument()
{
	std::erase(sDocumentList, this);
}

LDocument* LDocument::FindDocumentOn(const FSSpec& inSpec, const LDocument* inExcept)
{
	for (LDocument* document : sDocumentList)
		if (document != inExcept && document->mIsSpecified && SameFile(document->mFileSpec, inSpec))
			return document;
	return nullptr;
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
	if (RefuseFileOfOther(inFileSpec))
		return;
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

std::string LDocument::NotAFileKind(mode_t inMode)
{
	const SInt16 index = S_ISFIFO(inMode)                       ? 1
	                     : S_ISCHR(inMode) || S_ISBLK(inMode) ? 2
	                     : S_ISSOCK(inMode)                   ? 3
	                                                          : 4;
	Str255 text;
	GetIndString(text, STRx_NotAFileKinds, index);
	return PascalStrings::ToString(text);
}

std::string LDocument::SaveFailureReason(SInt16 inReason, std::string inDetail)
{
	Str255 text;
	GetIndString(text, STRx_SaveFailureReasons, inReason);
	std::string reason = PascalStrings::ToString(text);
	if (const size_t at = reason.find('^'); at != std::string::npos) {
		// A long path keeps its end, which names the folder.
		const size_t room = 255 - std::min<size_t>(reason.size() - 1, 250);
		if (inDetail.size() > room)
			inDetail = "\xC9" + inDetail.substr(inDetail.size() - (room - 1));
		reason.replace(at, 1, inDetail);
	}
	return reason;
}

std::string LDocument::NotAFileReason(const std::string& inPath)
{
	struct stat st;
	const mode_t mode = stat(inPath.c_str(), &st) == 0 ? st.st_mode : 0;
	return S_ISDIR(mode) ? SaveFailureReason(kReasonIsFolder)
	                     : SaveFailureReason(kReasonNotAFile, NotAFileKind(mode));
}

bool LDocument::HasSaveFailureReason(OSErr inErr)
{
	return ReasonFor(inErr) != kReasonOther;
}

void LDocument::ShowSaveFailure(OSErr inErr, const FSSpec* inSaveAs)
{
	std::string path;
	if (ReasonFor(inErr) == kReasonNotAFile &&
	    FSpGetPOSIXPath(inSaveAs ? inSaveAs : &mFileSpec, &path) == noErr) {
		ShowSaveFailure(NotAFileReason(path), inSaveAs ? inSaveAs->name : nullptr);
		return;
	}
	ShowSaveFailure(ReasonText(inErr), inSaveAs ? inSaveAs->name : nullptr);
}

void LDocument::ShowSaveFailure(const std::string& inReason, ConstStr255Param inSaveAs)
{
	Str255 name, reason;
	GetName(name);
	PascalStrings::FromString(inReason, reason);
	ParamText(name, reason, inSaveAs, nullptr);
	UModalAlerts::Show(kAlertStop, inSaveAs ? ALRT_SaveAsFailed : ALRT_SaveFailed);
}

void LDocument::GetSaveFailureReason(OSErr inErr, Str255 outReason)
{
	PascalStrings::FromString(ReasonText(inErr), outReason);
}

bool LDocument::HeldFileReason(const std::string& inPath, std::string* outReason)
{
	std::string window;
	if (!FileHeldByDocument(inPath, &window))
		return false;
	*outReason = SaveFailureReason(kReasonOpenElsewhere, window);
	return true;
}

Boolean LDocument::RefuseFileOfOther(const FSSpec& inFileSpec)
{
	const LDocument* other = FindDocumentOn(inFileSpec, this);
	if (other == nullptr)
		return false;
	Str255 otherName;
	other->GetName(otherName);
	ShowSaveFailure(SaveFailureReason(kReasonOpenElsewhere, PascalStrings::ToString(otherName)),
	                inFileSpec.name);
	return true;
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
	// A place the dialog cannot use is a Save As that failed.
	UNavServicesDialogs::UnusableTeller teller = UNavServicesDialogs::SetUnusableTeller(
	    [this](const UNavServicesDialogs::tUnusableChoice& inChoice) {
		    Str255 chosen;
		    PascalStrings::FromString(inChoice.name, chosen);
		    ShowSaveFailure(inChoice.reason, chosen);
	    });
	const tNavReply reply = TVyFileUtils::Ask(request);
	UNavServicesDialogs::SetUnusableTeller(std::move(teller));
	if (!reply.accepted)
		return false;
	outFileSpec = reply.spec;
	// The chosen file is replaced only by the save itself, which writes a whole new file first.
	mSavesToNewName = !reply.replacing;
	try {
		DoAESave(outFileSpec, GetFileType());
	} catch (...) {
		mSavesToNewName = false;
		throw;
	}
	mSavesToNewName = false;
	return !IsModified();
}

Boolean LDocument::AskConfirmRevert()
{
	Str255 name;
	GetName(name);
	ParamText(name, nullptr, nullptr, nullptr);
	return UModalAlerts::Show(kAlertCaution, ALRT_ConfirmRevert) == 1;
}
