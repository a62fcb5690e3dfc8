#pragma once
// The list window of the fund list.

#include "windows/security/TListWindow.h"

class TFundListWindow : public TListWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stFL") };
	static constexpr ResIDT kLayoutID = 5200;

	// Makes the window from its layout under inSuper (hidden); the plug-in's opener.
	static IPluginWindow* Open(LCommander* inSuper);

	explicit TFundListWindow(LStream* inStream);

	TSecurity* GetNewSecurity() override;
	void CreateLookupWindow() override;
	long AddLookups(TableIndexT inPosition) override;
};
