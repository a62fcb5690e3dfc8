#pragma once
// The currency quick quote (layout 5403): the user picks two currencies, an amount and a commission, asks
// for the rate and sees the amount converted both ways with the commission added and taken off; the pair
// may then be added to the currency list. It shows a pair of its own and keeps its choices and place in the
// plug-in settings. At most one is open; the plug-in opens it.

#include "foundation/UMenus.h"
#include "windows/security/TCurrencyDetailWindow.h"
#include "windows/security/TQuickQuoteFace.h"

class LEditText;
class LPopupButton;
class LPushButton;

class TCurrencyQQWindow : public TCurrencyDetailWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stCQ") };
	static constexpr ResIDT kLayoutID = 5403;
	static constexpr PaneIDT kQuoteButton = 2000;
	// Commission pop-up items and their hundredths of a percent.
	static const tMenuItems sCommissions[];

	static IPluginWindow* Open(LCommander* inSuper);

	explicit TCurrencyQQWindow(LStream* inStream);
	~TCurrencyQQWindow() override;

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	Boolean HandleCommandPeriod(const EventRecord& inKeyEvent) override;
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;
	// Puts its place and choices back into the plug-in settings first.
	void DoClose() override;
	void DoUpdate() override;
	void RedoUpdating() override;
	void RedoNormalContent() override;
	virtual void SaveContent();
	void AddToList();
	void Cancel();

	IPluginWindow* PluginFace() { return &mPluginFace; }

protected:
	void FinishCreateSelf() override;

private:
	void Retire();

	LPopupButton* mFrom = nullptr;
	LPopupButton* mTo = nullptr;
	LEditText* mAmount = nullptr;
	LPopupButton* mCommission = nullptr;
	LPushButton* mAddToList = nullptr;
	LPushButton* mUpdate = nullptr;
	const tMenuItems* mCurrencyMenus = nullptr;
	TQuickQuoteFace mPluginFace{this};
};
