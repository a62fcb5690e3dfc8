#pragma once
// The list window of the stock list.

#include "windows/security/TListWindow.h"

class TStockListWindow : public TListWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stSL") };
	static constexpr ResIDT kLayoutID = 5100;

	// Makes the window from its layout under inSuper (hidden); the plug-in's opener.
	static IPluginWindow* Open(LCommander* inSuper);

	explicit TStockListWindow(LStream* inStream);

	TSecurity* GetNewSecurity() override;
	void CreateLookupWindow() override;
	long AddLookups(TableIndexT inPosition) override;
};
