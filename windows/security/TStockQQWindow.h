#pragma once
// The stock quick quote (layout 5103): the user types a symbol, picks an exchange and a quote source, asks
// for the quote and may add the stock to the stock list. It shows a stock of its own, outside the list,
// and keeps its choices and place in the plug-in settings. At most one is open; the plug-in opens it.

#include "foundation/UMenus.h"
#include "windows/security/TQuickQuoteFace.h"
#include "windows/security/TStockDetailWindow.h"

#include <memory>

class LEditText;
class LPopupButton;
class LPushButton;

class TStockQQWindow : public TStockDetailWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stSQ") };
	static constexpr ResIDT kLayoutID = 5103;
	static constexpr PaneIDT kQuoteButton = 2000;

	// Makes the window from its layout under inSuper (hidden); the plug-in's opener.
	static IPluginWindow* Open(LCommander* inSuper);

	explicit TStockQQWindow(LStream* inStream);
	~TStockQQWindow() override;

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	Boolean HandleKeyPress(const EventRecord& inKeyEvent) override;
	Boolean HandleCommandPeriod(const EventRecord& inKeyEvent) override;
	// Puts its place and choices back into the plug-in settings first.
	void DoClose() override;
	void DoUpdate() override;
	void RedoUpdating() override;
	void RedoNormalContent() override;
	virtual void SaveContent();
	virtual void AddToList();
	virtual void Cancel();

	IPluginWindow* PluginFace() { return &mPluginFace; }

protected:
	void FinishCreateSelf() override;

private:
	// Puts the window's place back into the settings and lets go of its stock; once.
	void Retire();

	LEditText* mSymbol = nullptr;
	LPopupButton* mExchanges = nullptr;
	LPopupButton* mQuoters = nullptr;
	LPushButton* mAddToList = nullptr;
	LPushButton* mUpdate = nullptr;
	const tMenuItems* mExchangeMenus = nullptr;
	std::unique_ptr<tMenuItems[]> mQuoterMenus;
	TQuickQuoteFace mPluginFace{this};
};
