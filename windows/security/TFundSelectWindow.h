#pragma once
// The settings dialog of a mutual fund (layout 5201): name, symbol and quote source, both alerts and the
// output file.

#include "windows/security/TSelectDlog.h"

class TFund;

class TFundSelectWindow : public TSelectDlog
{
public:
	enum { class_ID = FOUR_CHAR_CODE("fnSW") };
	enum : ResIDT { kLayoutID = 5201 };

	// The source of the last fund confirmed, offered for a new one.
	static OSType sLastQuoterSelected;

	explicit TFundSelectWindow(LStream* inStream);

	void SetSecurity(TSecurity* inSecurity) override;
	void SetSecurity(TFund* inFund);
	void SaveContent() override;
	void RedoContent() override;

protected:
	void FinishCreateSelf() override;

	TFund* mFund = nullptr;
	LEditText* mFundName = nullptr;
	LEditText* mFundSymbol = nullptr;
};
