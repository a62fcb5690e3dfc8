#pragma once
// The version check the user asks for: the versions, and whether the running one is current, or that the
// newest is not known yet.

#include "app/TVersionWindow.h"

class LPane;

class TCheckVersionWindow : public TVersionWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("zvVC") };

	explicit TCheckVersionWindow(LStream* inStream) : TVersionWindow(inStream) {}

	void RedoContent() override;

protected:
	void FinishCreateSelf() override;

private:
	static void ShowIf(LPane* inPane, bool inShown);

	LPane* mUpToDate = nullptr;
	LPane* mOutOfDate = nullptr;
	LPane* mNotKnown = nullptr;
	LPane* mCheckFailed = nullptr;
	LPane* mUpgrade = nullptr;
};
