#include "platform/framework/LDocApplication.h"

#include "foundation/TVyFileUtils.h"

Boolean LDocApplication::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case cmd_New:
		MakeNewDocument();
		return true;
	case cmd_Open:
		ChooseDocument();
		return true;
	default:
		return LApplication::ObeyCommand(inCommand, ioParam);
	}
}

void LDocApplication::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark,
                                        UInt16& outMark, Str255 outName)
{
	if (inCommand == cmd_New || inCommand == cmd_Open) {
		outEnabled = true;
		return;
	}
	LApplication::FindCommandStatus(inCommand, outEnabled, outUsesMark, outMark, outName);
}

void LDocApplication::OpenDocument(FSSpec*) {}

void LDocApplication::PrintDocument(FSSpec*) {}

LModelObject* LDocApplication::MakeNewDocument()
{
	return nullptr;
}

void LDocApplication::ChooseDocument()
{
	std::vector<FSSpec> specs;
	if (AskChooseDocuments(FOUR_CHAR_CODE("????"), kNavAllowMultipleFiles, specs))
		SendAEOpenDocList(specs);
}

Boolean LDocApplication::AskChooseDocuments(OSType inFileType, UInt32 inNavFlags,
                                            std::vector<FSSpec>& outSpecs)
{
	tNavRequest request;
	request.kind = tNavRequest::kChooseFile;
	request.fileType = inFileType == 0 ? FOUR_CHAR_CODE("????") : inFileType;
	request.optionFlags = inNavFlags;
	const tNavReply reply = TVyFileUtils::Ask(request);
	outSpecs.clear();
	if (!reply.accepted)
		return false;
	// A dialog that chooses one file at a time answers with spec alone.
	if (reply.specs.empty() || !(inNavFlags & kNavAllowMultipleFiles))
		outSpecs.push_back(reply.spec);
	else
		outSpecs = reply.specs;
	return true;
}

void LDocApplication::SendAEOpenDocList(const std::vector<FSSpec>& inSpecs)
{
	for (FSSpec spec : inSpecs)
		OpenDocument(&spec);
}
