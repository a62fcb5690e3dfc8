#include "windows/security/TLookupWindow.h"

#include "Internet/TURLSecurity.h"
#include "Internet/UApplicationNotices.h"
#include "Quoters/TQuoterManager.h"
#include "foundation/UMenus.h"
#include "foundation/UURL.h"
#include "foundation/VyStrings.h"
#include "model/StockGlobals.h"
#include "model/TExchange.h"
#include "model/UModifierKeys.h"
#include "platform/framework/LBevelButton.h"
#include "platform/framework/LCaption.h"
#include "platform/framework/LChasingArrows.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/UDispatch.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/Appearance.h"
#include "platform/toolbox/gui/LaunchURL.h"
#include "toolkit/UKsStrings.h"
#include "windows/security/TFundLookupWindow.h"
#include "windows/security/TIndexLookupWindow.h"
#include "windows/security/TLookupList.h"
#include "windows/security/TLookupTable.h"
#include "windows/security/TStockLookupWindow.h"
#include "windows/security/UWindowPanes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
constexpr FourCharCode kSortName = FOUR_CHAR_CODE("nSrt");
constexpr FourCharCode kSortSymbol = FOUR_CHAR_CODE("sSrt");
constexpr FourCharCode kSortOther = FOUR_CHAR_CODE("oSrt");
constexpr FourCharCode kCmdMore = FOUR_CHAR_CODE("More");
constexpr FourCharCode kCmdSelect = FOUR_CHAR_CODE("Slct");
constexpr CommandT kCmdLookup = 2000;
constexpr CommandT kCmdCancel = 2001;
constexpr int kAddedMessage = 18;
constexpr int kKeyUp = 30, kKeyDown = 31;
constexpr long kSearchTextSize = 256;
constexpr long kURLSize = 512;
constexpr long kHostSize = 128;
constexpr long kPathSize = 256;
constexpr SInt16 kSymbolWidth = 99;
constexpr SInt16 kExchangeRight = 218;

// The message's format is ours, but it reaches snprintf only when it takes exactly the two texts given.
bool TakesTwoTexts(const char* inFormat)
{
	int texts = 0;
	for (const char* p = std::strchr(inFormat, '%'); p != nullptr; p = std::strchr(p + 2, '%')) {
		if (p[1] != 's')
			return false;
		++texts;
	}
	return texts == 2;
}

bool LowerGreater(const char* inA, const char* inB, size_t inMax)
{
	char a[tLookupEntry::kNameSize] = {};
	char b[tLookupEntry::kNameSize] = {};
	strcpyn(a, inA, long(std::min(inMax, sizeof a - 1)));
	strcpyn(b, inB, long(std::min(inMax, sizeof b - 1)));
	strlower(a);
	strlower(b);
	return std::strcmp(a, b) > 0;
}

// Each text at the rectangle's left edge on its bottom line.
void DrawColumn(const char* inText, const Rect& inRect)
{
	UKsStrings::DrawString(inText, inRect.left, inRect.bottom, &inRect, teFlushLeft);
}
} // namespace

OSType TLookupWindow::sLastQuoterUsed = FOUR_CHAR_CODE("qNON");

TLookupWindow* TLookupWindow::Open(tSecurityType inKind, LCommander* inSuper, TLookupList* inList)
{
	ResIDT layout = 0;
	switch (inKind) {
	case securityStock:
		layout = TStockLookupWindow::kLayoutID;
		break;
	case securityFund:
		layout = TFundLookupWindow::kLayoutID;
		break;
	case securityIndex:
		layout = TIndexLookupWindow::kLayoutID;
		break;
	default:
		return nullptr;
	}
	auto* window = dynamic_cast<TLookupWindow*>(LWindow::CreateWindow(layout, inSuper));
	ThrowIfNil_(window);
	window->SetList(inList);
	window->Show();
	window->Select();
	return window;
}

TLookupWindow::TLookupWindow(LStream* inStream, tSecurityType inKind)
    : TVyWindow(inStream), mSortKey(kSortName), mKind(inKind)
{
}

TLookupWindow::~TLookupWindow()
{
	// The list may be gone with the list window; a cancelled search touches nothing else of ours.
	mList = nullptr;
	TURLSecurity::CancelLookup(this);
}

void TLookupWindow::FinishCreateSelf()
{
	TVyWindow::FinishCreateSelf();
	mTable = UWindowPanes::FindAs<TLookupTable>(this, FOUR_CHAR_CODE("Tble"));
	mLookupButton = UWindowPanes::FindAs<LPushButton>(this, kOKButton);
	mSelectButton = UWindowPanes::FindAs<LPushButton>(this, kCmdSelect);
	mDirectionButton = UWindowPanes::FindAs<LBevelButton>(this, UWindowPanes::kSortDirection);
	mSearchText = UWindowPanes::FindAs<LEditText>(this, FOUR_CHAR_CODE("Srch"));
	mSearchQuoter = UWindowPanes::FindAs<LPopupButton>(this, FOUR_CHAR_CODE("Quot"));
	mMoreButton = UWindowPanes::FindAs<LPushButton>(this, kCmdMore);
	mMessage = UWindowPanes::FindAs<LCaption>(this, FOUR_CHAR_CODE("Msge"));
	mChasingArrows = UWindowPanes::FindAs<LChasingArrows>(this, FOUR_CHAR_CODE("Arrw"));
	// Keys the table does not take come here, and the target leaves with the window.
	if (mTable != nullptr)
		mTable->SetSuperCommander(this);
	UWindowPanes::SetEnabled(mMoreButton, false);
	UWindowPanes::SetEnabled(mSelectButton, false);
	FillSourceMenu();
}

void TLookupWindow::FillSourceMenu()
{
	mMenuItems.reset(TQuoterManager::GetMenuItems(mKind, true));
	if (mSearchQuoter == nullptr)
		return;
	mSearchQuoter->DeleteAllMenuItems();
	for (const std::string& text : TQuoterManager::GetMenuTexts(mKind, true)) {
		Str255 item;
		pstrcpycn(item, text.c_str(), 255);
		mSearchQuoter->AppendMenu(item, text != "-");
	}
	mSearchQuoter->SetMenuMinMax();

	auto itemOf = [this](OSType inQuoter) -> SInt32 {
		for (const tMenuItems* row = mMenuItems.get(); row->item != kEndOfMenuItems; ++row)
			if (OSType(row->value) == inQuoter)
				return row->item;
		return 0;
	};
	SInt32 item = 0;
	if (sLastQuoterUsed != FOUR_CHAR_CODE("qNON") && TQuoterManager::LookupQuoter(mKind, sLastQuoterUsed))
		item = itemOf(sLastQuoterUsed);
	if (item == 0)
		item = itemOf(TQuoterManager::DefaultQuoter(mKind));
	mSearchQuoter->SetValue(item != 0 ? item : 1);
}

OSType TLookupWindow::ChosenQuoter() const
{
	if (mSearchQuoter == nullptr || mMenuItems == nullptr)
		return FOUR_CHAR_CODE("qNON");
	return OSType(UMenus::TranslateMenu(false, mMenuItems.get(), int(mSearchQuoter->GetValue())));
}

void TLookupWindow::SetList(TLookupList* inList)
{
	SignalIf_(inList == nullptr);
	mList = inList;
	if (mList != nullptr)
		mList->Clear();
	if (mTable != nullptr)
		mTable->SetList(mList, this);
	CheckCicns();
}

void TLookupWindow::CheckCicns()
{
	UWindowPanes::SetIcon(mDirectionButton, mDescending ? kDescendingIcon : kAscendingIcon);
}

void TLookupWindow::BeTarget()
{
	if (mTable != nullptr)
		SwitchTarget(mTable);
}

Boolean TLookupWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case kCmdLookup:
		Lookup();
		return true;
	case kCmdMore:
		More();
		return true;
	case kCmdCancel:
		CancelLookup();
		AttemptClose();
		return true;
	case kCmdSelect: {
		// A double-click in the table sends its own code as the parameter and keeps the window open.
		const bool doubleClick =
		    ioParam != nullptr && *static_cast<const FourCharCode*>(ioParam) == kCmdSelect;
		Choose(doubleClick);
		return true;
	}
	case kSortName:
	case kSortSymbol:
	case kSortOther:
		mSortKey = FourCharCode(inCommand);
		Sort();
		return true;
	case UWindowPanes::kSortDirection:
		mDescending = !mDescending;
		Sort();
		CheckCicns();
		return true;
	default:
		return TVyWindow::ObeyCommand(inCommand, ioParam);
	}
}

Boolean TLookupWindow::HandleKeyPress(const EventRecord& inKeyEvent)
{
	const UInt8 key = UInt8(inKeyEvent.message & charCodeMask);
	if ((key == kKeyUp || key == kKeyDown) && mTable != nullptr)
		return mTable->HandleKeyPress(inKeyEvent);
	return TVyWindow::HandleKeyPress(inKeyEvent);
}

Boolean TLookupWindow::HandleCommandPeriod(const EventRecord&)
{
	CancelLookup();
	FinishUpdating(false);
	return true;
}

bool TLookupWindow::SearchInputs(char* outText, long inSize, OSType& outQuoter)
{
	outText[0] = 0;
	if (mSearchText != nullptr)
		mSearchText->GetText(outText, inSize);
	outQuoter = ChosenQuoter();
	if (outText[0] == 0 || TQuoterManager::GetQuoterBySignature(outQuoter) == nullptr) {
		UApplicationNotices::SysBeep();
		return false;
	}
	return true;
}

void TLookupWindow::Lookup()
{
	if (mRequest != nullptr)
		return;
	char text[kSearchTextSize];
	OSType quoter = 0;
	if (!SearchInputs(text, sizeof text, quoter))
		return;
	if (UModifierKeys::ShiftKey())
		OpenInBrowser(text, quoter);
	else
		Submit(text, quoter, 1);
	sLastQuoterUsed = quoter;
}

void TLookupWindow::More()
{
	if (mRequest != nullptr)
		return;
	char text[kSearchTextSize];
	OSType quoter = 0;
	if (SearchInputs(text, sizeof text, quoter))
		Submit(text, quoter, mPage + 1);
}

void TLookupWindow::Submit(const char* inText, OSType inQuoter, UInt32 inPage)
{
	const UInt32 previous = mPage;
	mPage = inPage;
	try {
		TURLSecurity::SubmitLookup(inText, inQuoter, mKind, mList, this, inPage);
	} catch (...) {
		// The source builds no search address for this kind: nothing was started.
		mPage = previous;
		UApplicationNotices::SysBeep();
	}
}

void TLookupWindow::OpenInBrowser(const char* inText, OSType inQuoter)
{
	char url[kURLSize] = {};
	char text[kSearchTextSize];
	strcpyn(text, inText, sizeof text - 1);
	TQuoterManager::GetQuoterLookup(inQuoter, mKind, text, int(std::max<UInt32>(mPage, 1)), url,
	                                kURLSize - 1);
	char host[kHostSize] = {};
	char path[kPathSize] = {};
	UURL::ParseOut(url, host, kHostSize - 1, path, kPathSize - 1);
	if (host[0] == 0) {
		char domain[kHostSize] = {};
		TQuoterManager::GetQuoterDomain(inQuoter, mKind, domain, kHostSize - 1);
		std::snprintf(url, sizeof url, "http://%s%s", domain, path);
	}
	LaunchURL(url);
}

void TLookupWindow::CancelLookup()
{
	TURLSecurity::CancelLookup(this);
}

void TLookupWindow::Choose(bool inStay)
{
	if (mTable == nullptr || mList == nullptr)
		return;
	mTable->MarkLookups();
	if (LCommander* super = GetSuperCommander())
		super->ObeyCommand(kCmdLookupsChosen, mList);

	const TableIndexT last = mTable->LastRowSelected();
	const tLookupEntry* named = nullptr;
	long row = 1;
	for (tLookupEntry* entry = mList->GetFirst(); entry != nullptr; entry = mList->GetNext(), ++row) {
		if (!entry->marked)
			continue;
		entry->marked = 0;
		entry->added = 1;
		if (row == long(last))
			named = entry;
	}
	if (!inStay) {
		AttemptClose();
		return;
	}
	mTable->UnselectAllCells();
	mTable->Refresh();
	if (named != nullptr) {
		const char* format = GetStockCString(kAddedMessage);
		char message[256] = {};
		if (format != nullptr && TakesTwoTexts(format))
			std::snprintf(message, sizeof message, format, named->name, named->symbol);
		else
			strcpyn(message, format != nullptr ? format : "", sizeof message - 1);
		Message(message);
	}
}

void TLookupWindow::Sort()
{
	if (mList == nullptr)
		return;
	bool (*compare)(tLookupEntry*, tLookupEntry*) = SortOnName;
	if (mSortKey == kSortSymbol)
		compare = SortOnSymbol;
	else if (mSortKey == kSortOther)
		compare = SortOnOther;
	mList->BubbleSort(compare, mDescending);
	if (mTable != nullptr)
		mTable->Refresh();
}

bool TLookupWindow::SortOnName(tLookupEntry* inA, tLookupEntry* inB)
{
	return LowerGreater(inA->name, inB->name, tLookupEntry::kNameSize - 1);
}

bool TLookupWindow::SortOnSymbol(tLookupEntry* inA, tLookupEntry* inB)
{
	return std::strncmp(inA->symbol, inB->symbol, tLookupEntry::kSymbolSize - 1) > 0;
}

bool TLookupWindow::SortOnOther(tLookupEntry* inA, tLookupEntry* inB)
{
	return std::strncmp(inA->exchangeText, inB->exchangeText, tLookupEntry::kExchangeTextSize - 1) > 0;
}

void TLookupWindow::StartUpdating()
{
	if (mPage <= 1) {
		if (mList != nullptr)
			mList->Clear();
		if (mTable != nullptr)
			mTable->Rebuild();
	}
	if (mMessage != nullptr) {
		const Str255 empty = {0};
		mMessage->SetDescriptor(empty);
		UWindowPanes::SetShown(mMessage, false);
	}
	UWindowPanes::SetEnabled(mLookupButton, false);
	UWindowPanes::SetEnabled(mMoreButton, false);
	UWindowPanes::SetShown(mChasingArrows, true);
}

void TLookupWindow::FinishUpdating(bool inMore)
{
	UWindowPanes::SetShown(mChasingArrows, false);
	UWindowPanes::SetEnabled(mLookupButton, true);
	UWindowPanes::SetEnabled(mMoreButton, inMore);
	if (mTable == nullptr || mList == nullptr)
		return;
	mTable->Rebuild();
	// Rows handed over keep their flag: they are not to be chosen twice.
	long row = 1;
	for (tLookupEntry* entry = mList->GetFirst(); entry != nullptr; entry = mList->GetNext(), ++row)
		if (!entry->added) {
			mTable->SelectRow(TableIndexT(row));
			break;
		}
}

void TLookupWindow::Message(const char* inText)
{
	if (mMessage == nullptr)
		return;
	Str255 text;
	pstrcpycn(text, inText != nullptr ? inText : "", 255);
	mMessage->SetDescriptor(text);
	UWindowPanes::SetShown(mMessage, true);
}

void TLookupWindow::DrawCell(const Rect&, const tLookupEntry*) {}

void TLookupWindow::DrawColumns(const Rect& inCellRect, const tLookupEntry* inEntry, bool inExchange)
{
	if (inEntry == nullptr)
		return;
	auto inset = [](Rect r) {
		r.left = SInt16(r.left + 4);
		r.right = SInt16(r.right - 5);
		r.bottom = SInt16(r.bottom - 3);
		return r;
	};
	Rect name = inCellRect;
	Rect symbol = inCellRect;
	symbol.left = SInt16(inCellRect.right - kSymbolWidth);
	name.right = symbol.left;
	if (inExchange) {
		Rect exchange = inCellRect;
		exchange.left = SInt16(inCellRect.right - kExchangeRight);
		exchange.right = symbol.left;
		name.right = exchange.left;
		char market[256] = {};
		TExchange::GetExchangeName(inEntry->exchange, market, sizeof market - 1);
		DrawColumn(market, inset(exchange));
	}
	DrawColumn(inEntry->name, inset(name));
	DrawColumn(inEntry->symbol, inset(symbol));
}
