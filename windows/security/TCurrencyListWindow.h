#pragma once
// The list window of the currency list.

#include "windows/security/TListWindow.h"

class TCurrencyListWindow : public TListWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stCL") };
	static constexpr ResIDT kLayoutID = 5400;

	// Makes the window from its layout under inSuper (hidden); the plug-in's opener.
	static IPluginWindow* Open(LCommander* inSuper);

	explicit TCurrencyListWindow(LStream* inStream);

	TSecurity* GetNewSecurity() override;
	// Only the name, across both columns.
	void DrawNames(const Rect& inNameRect, const Rect& inSymbolRect, TSecurity* inSecurity) override;
};
