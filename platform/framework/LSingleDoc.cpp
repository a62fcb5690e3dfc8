#include "platform/framework/LSingleDoc.h"

#include "platform/framework/LWindow.h"

#include <algorithm>
#include <cstring>

LSingleDoc::LSingleDoc(LCommander* inSuper) : LDocument(inSuper) {}

LSingleDoc::~LSingleDoc() = default; // the window, a sub commander, goes with the document

LWindow* LSingleDoc::GetWindow() const
{
	// A window deleted by other means has left the sub commanders.
	const bool present =
	    std::find(mSubCommanders.begin(), mSubCommanders.end(), mWindow) != mSubCommanders.end();
	return present ? mWindow : nullptr;
}

StringPtr LSingleDoc::GetDescriptor(Str255 outDescriptor) const
{
	if (LWindow* window = GetWindow())
		return window->GetDescriptor(outDescriptor);
	return LDocument::GetDescriptor(outDescriptor);
}

Boolean LSingleDoc::AllowSubRemoval(LCommander* inSub)
{
	if (inSub != mWindow || !GetWindow())
		return true;
	// Closing the window closes the document; the window goes with it, or stays when the user cancels.
	AttemptClose(false);
	return false;
}

void LSingleDoc::Close()
{
	// The window may be in the middle of its own handler: it is deleted at the next safe point.
	if (LWindow* window = GetWindow()) {
		mWindow = nullptr;
		window->SetSuperCommander(GetSuperCommander());
		window->DoClose();
	}
	LDocument::Close();
}

void LSingleDoc::DoAESave(FSSpec& inFileSpec, OSType inFileType)
{
	LDocument::DoAESave(inFileSpec, inFileType);
	// After a failed save the document is still on the file it had.
	if (LWindow* window = GetWindow(); window && IsSpecified())
		window->SetDescriptor(mFileSpec.name);
}
