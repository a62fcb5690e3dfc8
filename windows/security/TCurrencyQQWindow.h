#pragma once
// The currency quick quote (layout 5403): the user picks two currencies, an amount and a commission, asks
// for the rate and sees the amount converted both ways with the commission added and taken off; the pair
// may then be added to the currency list. It shows a pair of its own and keeps its choices and place in the
// plug-in settings. At most one is open; the plug-in opens it.

#include "foundation/UMenus.h"
#include "windows/security/TCurrencyDetailWindow.h"
#include "windows/security/TQuickQuoteWindow.h"

class LEditText;
class LPopupButton;

class TCurrencyQQWindow : public TQuickQuoteWindow<TCurrencyDetailWindow>
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stCQ") };
	static constexpr ResIDT kLayoutID = 5403;
	// Commission pop-up items and their hundredths of a percent.
	static const tMenuItems sCommissions[];

	static IPluginWindow* Open(LCommander* inSuper);

	explicit TCurrencyQQWindow(LStream* inStream);
	~TCurrencyQQWindow() override;

	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override;
	void RedoNormalContent() override;
	void SaveContent() override;
	void AddToList() override;

protected:
	void FinishCreateSelf() override;
	TSecurity* QuoteSecurity() const override;
	void Retire() override;

private:
	LPopupButton* mFrom = nullptr;
	LPopupButton* mTo = nullptr;
	LEditText* mAmount = nullptr;
	LPopupButton* mCommission = nullptr;
	const tMenuItems* mCurrencyMenus = nullptr;
};
