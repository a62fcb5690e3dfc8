#pragma once
// An application that works on documents: New and Open from the menus, and opening or printing files it
// is handed.

#include "platform/framework/LApplication.h"
#include "platform/toolbox/Files.h"

class LModelObject;

class LDocApplication : public LApplication
{
public:
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean& outUsesMark, UInt16& outMark,
	                       Str255 outName) override;

	virtual void OpenDocument(FSSpec* inFileSpec);
	virtual void PrintDocument(FSSpec* inFileSpec);
	virtual LModelObject* MakeNewDocument(); // the new document, or null
	virtual void ChooseDocument();
};
