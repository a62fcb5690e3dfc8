#include "windows/security/TFundSelectWindow.h"

#include "model/TFund.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LPopupButton.h"

OSType TFundSelectWindow::sLastQuoterSelected = kNoQuoter;

TFundSelectWindow::TFundSelectWindow(LStream* inStream) : TSelectDlog(inStream)
{
	mHasTabs = true;
	mLosingAlertPanel = 1;
	mGainingAlertPanel = 2;
	mHTMLPanel = 3;
}

void TFundSelectWindow::FinishCreateSelf()
{
	TSelectDlog::FinishCreateSelf();
	mFundName = FindPane<LEditText>(FOUR_CHAR_CODE("Name"));
	mFundSymbol = FindPane<LEditText>(FOUR_CHAR_CODE("Symb"));
	mSourcesQuoter = FindPane<LPopupButton>(FOUR_CHAR_CODE("qQtr"));
	FillSourceMenu(mSourcesQuoter, securityFund);
}

void TFundSelectWindow::SetSecurity(TSecurity* inSecurity)
{
	SetSecurity(dynamic_cast<TFund*>(inSecurity));
}

void TFundSelectWindow::SetSecurity(TFund* inFund)
{
	mFund = inFund;
	BindSecurity(inFund, 5124);
}

void TFundSelectWindow::RedoContent()
{
	if (mFund == nullptr)
		return;
	RedoIdentity(mFundName, mFundSymbol);
	ShowQuoter(mSourcesQuoter, mIsNewSecurity ? sLastQuoterSelected : mFund->Quoter());
	RedoAlertContent();
	RedoHTMLContent();
}

void TFundSelectWindow::SaveContent()
{
	if (mFund == nullptr)
		return;
	SaveIdentity(mFundName, mFundSymbol, 11);
	if (mSourcesQuoter != nullptr) {
		sLastQuoterSelected = ChosenQuoter(mSourcesQuoter);
		mFund->Quoter(sLastQuoterSelected);
	}
	SaveAlertContent();
	SaveHTMLContent();
	UpdateSecurity();
}
