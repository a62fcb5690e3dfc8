#pragma once
// The list window of the index list.

#include "windows/security/TListWindow.h"

class TIndexListWindow : public TListWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stIL") };
	static constexpr ResIDT kLayoutID = 5300;

	// Makes the window from its layout under inSuper (hidden); the plug-in's opener.
	static IPluginWindow* Open(LCommander* inSuper);

	explicit TIndexListWindow(LStream* inStream);

	TSecurity* GetNewSecurity() override;
	void CreateLookupWindow() override;
	long AddLookups(TableIndexT inPosition) override;
};
