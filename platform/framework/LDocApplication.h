#pragma once
// An application that works on documents: New and Open from the menus, and opening or printing files it
// is handed. The open documents are LDocument::GetDocumentList().

#include "platform/framework/LApplication.h"
#include "platform/toolbox/Files.h"

#include <vector>

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
	// The open dialog for files of any type; the chosen ones are opened.
	virtual void ChooseDocument();

	// The open dialog through the file utilities' dialogs: the chosen files of type inFileType ('????'
	// or 0: any), several when inNavFlags has kNavAllowMultipleFiles; false when the user cancelled.
	static Boolean AskChooseDocuments(OSType inFileType, UInt32 inNavFlags,
	                                  std::vector<FSSpec>& outSpecs);
	// The open-documents event for the files: each is opened in turn through OpenDocument.
	virtual void SendAEOpenDocList(const std::vector<FSSpec>& inSpecs);
};
