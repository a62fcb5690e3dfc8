#include "windows/security/TStockQQWindow.h"

#include "Includes/tStockTickerPrefs.h"
#include "Internet/UApplicationNotices.h"
#include "Quoters/TQuoterManager.h"
#include "app/TStockPlugin.h"
#include "model/StockGlobals.h"
#include "model/TExchange.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LPushButton.h"
#include "toolkit/TBanner.h"
#include "toolkit/UPPUtils.h"
#include "windows/security/TSelectDlog.h"
#include "windows/security/UDetailPanes.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

IPluginWindow* TStockQQWindow::Open(LCommander* inSuper)
{
	auto* window = dynamic_cast<TStockQQWindow*>(LWindow::CreateWindow(kLayoutID, inSuper));
	return window != nullptr ? window->PluginFace() : nullptr;
}

TStockQQWindow::TStockQQWindow(LStream* inStream) : TQuickQuoteWindow(inStream) {}

TStockQQWindow::~TStockQQWindow()
{
	Retire();
}

void TStockQQWindow::FinishCreateSelf()
{
	TStockDetailWindow::FinishCreateSelf();
	mSymbol = UDetailPanes::Find<LEditText>(this, FOUR_CHAR_CODE("qqSm"));
	mExchanges = UDetailPanes::Find<LPopupButton>(this, FOUR_CHAR_CODE("qqEx"));
	mQuoters = UDetailPanes::Find<LPopupButton>(this, FOUR_CHAR_CODE("qqQt"));
	mAddToList = UDetailPanes::Find<LPushButton>(this, FOUR_CHAR_CODE("qqAd"));
	mUpdate = UDetailPanes::Find<LPushButton>(this, kQuoteButton);

	mExchangeMenus = TQuoterManager::GetExchangeMenuItems();
	TSelectDlog::FillTableMenu(mExchanges, mExchangeMenus, [](SInt32 inCode) {
		char name[256];
		TExchange::GetExchangeName(tStockExchange(inCode), name, 255);
		return std::string(name);
	});
	mQuoterMenus.reset(TQuoterManager::GetMenuItems(securityStock, false));
	TSelectDlog::FillSourceTexts(mQuoters, securityStock);

	// Without plug-in settings (a layout built on its own) the window starts from blank choices.
	static const tStockTickerPrefs kBlank{};
	const tStockTickerPrefs* prefs = gPreferences != nullptr ? gPreferences : &kBlank;
	char symbol[tStockTickerPrefs::kStockQQSymbolSize];
	std::snprintf(symbol, sizeof symbol, "%.*s", int(sizeof symbol - 1), prefs->stockQQSymbol);
	auto* stock = new (std::nothrow) TStock;
	if (stock == nullptr)
		throw LException(err_NilPointer);
	UZVUtils::DefaultStock(stock, symbol, symbol, prefs->stockQQExchange);
	stock->OverrideQuoter(true);
	stock->Quoter(prefs->stockQQQuoter);
	// Not the list's: no saved place, view or zoom is read into the window.
	mSecurity = mStock = stock;

	if (mSymbol != nullptr)
		mSymbol->SetText(symbol, Size(std::strlen(symbol)));
	if (mExchanges != nullptr)
		mExchanges->SetValue(UMenus::TranslateMenu(true, mExchangeMenus, prefs->stockQQExchange));
	if (mQuoters != nullptr && mQuoterMenus != nullptr)
		mQuoters->SetValue(
		    UMenus::TranslateMenu(true, mQuoterMenus.get(), int(prefs->stockQQQuoter)));
	RedoContent();
	UDetailPanes::PlaceWindow(this, prefs->stockQQTop, prefs->stockQQLeft);
}

TSecurity* TStockQQWindow::QuoteSecurity() const
{
	return mStock;
}

void TStockQQWindow::Retire()
{
	if (mStock == nullptr)
		return;
	if (gPreferences != nullptr)
		UDetailPanes::GetTopLeft(this, gPreferences->stockQQTop, gPreferences->stockQQLeft);
	UnlinkAndCancel();
	mUpdating = false;
	mQuoterMenus.reset();
	// The base keeps nothing of a stock that is not the list's.
	Discard();
	delete mStock;
	mStock = nullptr;
}

Boolean TStockQQWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case FOUR_CHAR_CODE("Hdrs"):
		if (mHeaders != nullptr)
			mHeaders->Refresh();
		return true;
	case kQuoteButton:
		UpdateMe();
		return true;
	case FOUR_CHAR_CODE("qqAd"):
		AddToList();
		return true;
	default:
		return TStockDetailWindow::ObeyCommand(inCommand, ioParam);
	}
}

void TStockQQWindow::SaveContent()
{
	tStockTickerPrefs* prefs = gPreferences;
	if (mStock == nullptr || prefs == nullptr)
		return;
	if (mSymbol != nullptr)
		mSymbol->GetText(prefs->stockQQSymbol, tStockTickerPrefs::kStockQQSymbolSize);
	prefs->stockQQSymbol[tStockTickerPrefs::kStockQQSymbolSize - 1] = 0;
	mStock->SecuritySymbol(prefs->stockQQSymbol);
	if (mExchanges != nullptr)
		prefs->stockQQExchange =
		    SInt16(UMenus::TranslateMenu(false, mExchangeMenus, SInt32(mExchanges->GetValue())));
	mStock->Exchange(tStockExchange(prefs->stockQQExchange));
	mStock->OverrideQuoter(true);
	if (mQuoters != nullptr && mQuoterMenus != nullptr)
		prefs->stockQQQuoter =
		    OSType(UMenus::TranslateMenu(false, mQuoterMenus.get(), SInt32(mQuoters->GetValue())));
	mStock->Quoter(prefs->stockQQQuoter);
}

void TStockQQWindow::AddToList()
{
	SaveContent();
	if (mStock == nullptr)
		return;
	if (TStockPlugin::GetStock(mStock->SecuritySymbol(), mStock->Exchange()) != nullptr)
		UApplicationNotices::SysBeep();
	else
		TStockPlugin::AddStock(mStock->SecuritySymbol(), mStock->Exchange());
}

void TStockQQWindow::RedoNormalContent()
{
	// Quotes are written in the plug-in's settings.
	if (mStock == nullptr || gPreferences == nullptr)
		return;
	if (mAltBanner != nullptr)
		mAltBanner->SetBackground(gPreferences->normalColour);
	UPPUtils::SetColourQuote(mCurrentPriceAlt, &mDisplayColour, mStock->CurrentTradePrice(),
	                         mUsesFractions);
	UPPUtils::SetColourChange(mChangePriceAlt, &mDisplayColour, mStock->YesterdayClose(),
	                          mStock->CurrentTradePrice(), mUsesFractions);
	UPPUtils::SetUpdate(mLastTradeTime, mStock->CurrentTradeUpdate(), 0);
	UPPUtils::SetUpdate(mLastUpdateTime, mStock->LastUpdate(), mStock->ErrorCode());
	RedoQuotePanes();
}
