#include "platform/framework/LDocApplication.h"

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

void LDocApplication::ChooseDocument() {}
