#include "windows/security/TDetailView.h"

#include "model/StockGlobals.h"
#include "model/TSecurity.h"
#include "model/UZVUtils.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/LStream.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/UReanimator.h"
#include "platform/toolbox/Debugging.h"
#include "toolkit/CURLPushButton.h"
#include "toolkit/TBanner.h"
#include "toolkit/TColourCaption.h"
#include "toolkit/TColourCaptions.h"
#include "toolkit/TContextualMenu.h"
#include "toolkit/UPPUtils.h"

namespace
{
constexpr SInt16 kContextMenuID = 5035;
constexpr PaneIDT kNewsIDs[TDetailView::kNewsCount] = {FOUR_CHAR_CODE("Nws1"), FOUR_CHAR_CODE("Nws2"),
                                                       FOUR_CHAR_CODE("Nws3"), FOUR_CHAR_CODE("Nws4"),
                                                       FOUR_CHAR_CODE("Nws5"), FOUR_CHAR_CODE("Nws6")};
} // namespace

TDetailView::TDetailView(LStream* inStream) : LView(inStream)
{
	UInt8 hasNews = 0;
	*inStream >> hasNews;
	mHasNews = hasNews != 0;
}

TDetailView::~TDetailView() = default;

void TDetailView::FinishCreateSelf()
{
	LView::FinishCreateSelf();
	mBanner = dynamic_cast<TBanner*>(FindPaneByID(FOUR_CHAR_CODE("aBnr")));
	mCompanyName = dynamic_cast<TColourCaption*>(FindPaneByID(FOUR_CHAR_CODE("cNam")));
	mCurrentPrice = dynamic_cast<TColourCaption*>(FindPaneByID(FOUR_CHAR_CODE("curP")));
	mChange = dynamic_cast<TColourCaptions*>(FindPaneByID(FOUR_CHAR_CODE("chgP")));
	mLastTradeTime = dynamic_cast<LStaticText*>(FindPaneByID(FOUR_CHAR_CODE("dtTr")));
	mLastUpdateTime = dynamic_cast<LStaticText*>(FindPaneByID(FOUR_CHAR_CODE("dtUp")));
	SignalIfNot_(mBanner && mCompanyName && mCurrentPrice && mChange && mLastTradeTime &&
	             mLastUpdateTime);
	if (mHasNews)
		for (int i = 0; i < kNewsCount; ++i) {
			mNewsItems[i] = dynamic_cast<CURLPushButton*>(FindPaneByID(kNewsIDs[i]));
			SignalIfNot_(mNewsItems[i]);
		}
	UReanimator::LinkListenerToControls(this, this, ResIDT(GetPaneID()));
}

LStaticText* TDetailView::FindText(PaneIDT inID)
{
	auto* text = dynamic_cast<LStaticText*>(FindPaneByID(inID));
	SignalIfNot_(text);
	return text;
}

RGBColor TDetailView::DisplayColour() const
{
	RGBColor colour = {0, 0, 0};
	bool sound, flash, bold, italic, underline, flag1, flag2;
	int soundID;
	UZVUtils::GetDisplaySpecs(mSecurity, colour, sound, soundID, flash, bold, italic, underline, flag1,
	                          flag2);
	return colour;
}

void TDetailView::SetViewSecurity(TSecurity* inSecurity, long inCommand)
{
	SignalIfNot_(inSecurity);
	mSecurity = inSecurity;
	mCommand = inCommand;
	RedoContent();
}

void TDetailView::RedoContent()
{
	if (mSecurity == nullptr)
		return;
	if (mBanner != nullptr && gPreferences != nullptr)
		mBanner->SetBackground(gPreferences->normalColour);

	const char* name = mSecurity->SecurityName();
	if (name == nullptr || *name == 0)
		name = mSecurity->SecuritySymbol();
	const bool fractions = UZVUtils::UsesFractions(mSecurity);
	const RGBColor colour = DisplayColour();

	UPPUtils::SetColourCaption(mCompanyName, name, &colour);
	UPPUtils::SetColourQuote(mCurrentPrice, &colour, mSecurity->CurrentTradePrice(), fractions);
	UPPUtils::SetColourChange(mChange, &colour, mSecurity->YesterdayClose(),
	                          mSecurity->CurrentTradePrice(), fractions);
	UPPUtils::SetUpdate(mLastTradeTime, mSecurity->CurrentTradeUpdate(), 0);
	UPPUtils::SetUpdate(mLastUpdateTime, mSecurity->LastUpdate(), mSecurity->ErrorCode());
	if (mHasNews)
		for (int i = 0; i < kNewsCount; ++i)
			UPPUtils::SetNewsItem(mNewsItems[i], mSecurity, i + 1);
	RedoContentSelf();
}

void TDetailView::ListenToMessage(MessageT inMessage, void*)
{
	if (!mHasNews)
		return;
	for (int i = 0; i < kNewsCount; ++i)
		if (inMessage == MessageT(kNewsIDs[i])) {
			SignalIfNot_(mSecurity);
			if (mSecurity != nullptr)
				UPPUtils::LaunchNewsItem(mSecurity, i + 1);
			return;
		}
}

void TDetailView::Click(SMouseDownEvent& inMouseDown)
{
	if ((inMouseDown.macEvent.modifiers & controlKey) == 0) {
		LView::Click(inMouseDown);
		return;
	}
	Point where = inMouseDown.wherePort;
	if (LWindow* window = GetWindow())
		window->PortToGlobalPoint(where);
	TContextualMenu menu(kContextMenuID, true);
	unsigned long selection = TContextualMenu::kCMNothingSelected;
	SInt16 menuID = 0;
	UInt16 item = 0;
	menu.ShowMenu(where, selection, menuID, item);
	if (selection == TContextualMenu::kCMMenuItemSelected)
		DoMenuItem(SInt16(item));
}

void TDetailView::DoMenuItem(SInt16 inItem)
{
	if (mSecurity == nullptr)
		return;
	switch (inItem) {
	case kMenuWeb:
		DoWeb();
		break;
	case kMenuEdit:
		DoEdit();
		break;
	case kMenuTrade:
		DoTrade();
		break;
	case kMenuFilings:
		DoFilings();
		break;
	case kMenuCharts:
		DoCharts();
		break;
	case kMenuUpdate:
		DoUpdate();
		break;
	default:
		break;
	}
}
