#pragma once
// The stock quick quote (layout 5103): the user types a symbol, picks an exchange and a quote source, asks
// for the quote and may add the stock to the stock list. It shows a stock of its own, outside the list,
// and keeps its choices and place in the plug-in settings. At most one is open; the plug-in opens it.

#include "foundation/UMenus.h"
#include "windows/security/TQuickQuoteWindow.h"
#include "windows/security/TStockDetailWindow.h"

#include <memory>

class LEditText;
class LPopupButton;

class TStockQQWindow : public TQuickQuoteWindow<TStockDetailWindow>
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stSQ") };
	static constexpr ResIDT kLayoutID = 5103;

	// Makes the window from its layout under inSuper (hidden); the plug-in's opener.
	static IPluginWindow* Open(LCommander* inSuper);

	explicit TStockQQWindow(LStream* inStream);
	~TStockQQWindow() override;

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void RedoNormalContent() override;
	void SaveContent() override;
	void AddToList() override;

protected:
	void FinishCreateSelf() override;
	TSecurity* QuoteSecurity() const override;
	void Retire() override;

private:
	LEditText* mSymbol = nullptr;
	LPopupButton* mExchanges = nullptr;
	LPopupButton* mQuoters = nullptr;
	const tMenuItems* mExchangeMenus = nullptr;
	std::unique_ptr<tMenuItems[]> mQuoterMenus;
};
