#pragma once
// A document shown in one window. The window is the document's sub commander: its close box and Close
// command ask the document, which closes both. Untitled until saved, it then takes its file's name.

#include "platform/framework/LDocument.h"

class LWindow;

class LSingleDoc : public LDocument
{
public:
	explicit LSingleDoc(LCommander* inSuper);
	~LSingleDoc() override;

	// Null once the window has gone.
	LWindow* GetWindow() const;
	// The window's title.
	StringPtr GetDescriptor(Str255 outDescriptor) const override;

	Boolean AllowSubRemoval(LCommander* inSub) override;
	void Close() override;
	void DoAESave(FSSpec& inFileSpec, OSType inFileType) override;

protected:
	LWindow* mWindow = nullptr;
};
