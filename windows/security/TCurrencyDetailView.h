#pragma once
// The detail view of a currency pair (layouts 5036 and 5037).

#include "windows/security/TDetailView.h"

class TCurrency;

class TCurrencyDetailView : public TDetailView
{
public:
	enum { class_ID = FOUR_CHAR_CODE("curV") };

	explicit TCurrencyDetailView(LStream* inStream);

	void SetCurrency(TCurrency* inCurrency);
	TCurrency* GetCurrency() const { return mCurrency; }

protected:
	void FinishCreateSelf() override;
	void RedoContentSelf() override;

	LStaticText* mPreviousClose = nullptr;
	TCurrency* mCurrency = nullptr;
};
