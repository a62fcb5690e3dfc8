#include "windows/portfolio/TLedgerEditWindow.h"

#include "Quoters/TQuoterManager.h"
#include "foundation/UNumbers.h"
#include "model/StockGlobals.h"
#include "model/TExchange.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LClock.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LRadioButton.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/PascalStrings.h"
#include "toolkit/TDisclosureTriangle.h"
#include "toolkit/UKsKeyFilters.h"
#include "toolkit/UPPUtils.h"
#include "windows/portfolio/TLedgerWindow.h"
#include "windows/portfolio/ULedgerMenus.h"
#include "windows/security/UWindowPanes.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

namespace
{
constexpr int kDefaultSymbol = 14;

// The title format of each transaction type (entries of the plug-in's C strings).
int TitleString(UInt8 inType)
{
	switch (inType) {
	case kStockBuy:
		return 21;
	case kStockSell:
		return 22;
	case kStockSplit:
		return 23;
	case kFundSplit:
		return 26;
	case kFundBuy:
		return 24;
	case kFundSell:
		return 25;
	default:
		return -1;
	}
}

void GetFieldText(LEditText* inField, char* outText, Size inSize)
{
	outText[0] = 0;
	if (inField != nullptr)
		inField->GetText(outText, inSize);
}

// Cut to the field's size less its terminating zero; the rest of the field zeroed.
void CopyText(char* outField, size_t inSize, const char* inText)
{
	std::memset(outField, 0, inSize);
	std::memcpy(outField, inText, strnlen(inText, inSize - 1));
}

void SetFieldText(LEditText* inField, const char* inText)
{
	if (inField != nullptr)
		inField->SetText(inText, Size(std::strlen(inText)));
}
} // namespace

TLedgerEditWindow::TLedgerEditWindow(LStream* inStream) : TVyWindow(inStream) {}

void TLedgerEditWindow::FinishCreateSelf()
{
	TVyWindow::FinishCreateSelf();
	mDate = FindField<LClock>(FOUR_CHAR_CODE("Date"));
	mSymbol = FindField<LEditText>(FOUR_CHAR_CODE("Symb"));
	mComment = FindField<LEditText>(FOUR_CHAR_CODE("Cmnt"));
	mCategory = FindField<LPopupButton>(FOUR_CHAR_CODE("Ctgy"));
	if (mCategory != nullptr)
		mCategoryBaseItems = mCategory->CountMenuItems();
	if (mHasExchange)
		mExchange = FindField<LPopupButton>(FOUR_CHAR_CODE("Exch"));
	if (mHasUnits) {
		mUnits = FindField<LEditText>(FOUR_CHAR_CODE("Unit"));
		mPrice = FindField<LEditText>(FOUR_CHAR_CODE("Prce"));
	}
	if (mHasConversion) {
		mConversion = FindField<LCheckBox>(FOUR_CHAR_CODE("Cnvt"));
		mCurrency = FindField<LPopupButton>(FOUR_CHAR_CODE("Curr"));
		mRate = FindField<LEditText>(FOUR_CHAR_CODE("Rate"));
	}
	if (mHasCash)
		mCash = FindField<LEditText>(FOUR_CHAR_CODE("Cash"));
	FilterNumbers({mUnits, mPrice, mRate});
	// Cash goes out as well as in.
	if (mCash != nullptr)
		mCash->SetKeyFilter(UKsKeyFilters::NegativeFloatField);
	mExchanges = TQuoterManager::GetExchangeMenuItems();
	ULedgerMenus::FillTableMenu(mExchange, mExchanges, [](SInt32 inCode) {
		char name[256];
		TExchange::GetExchangeName(tStockExchange(inCode), name, sizeof name);
		return std::string(name);
	});
	mCurrencies = ULedgerMenus::FillCurrencyMenu(mCurrency);
	mDisclosureTriangle = dynamic_cast<TDisclosureTriangle*>(FindPaneByID(kDisclosure));
	if (mDisclosureTriangle != nullptr) {
		mTriangleHeight = mDisclosureTriangle->GetHeight();
		if (mDisclosureTriangle->GetValue() == 0)
			RedoDisclosureTriangle();
	}
}

void TLedgerEditWindow::SetEntry(tLedgerEntry* inEntry, TList<tCategory>* inCategories)
{
	SignalIfNot_(inEntry);
	mEntry = inEntry;
	mCategoryList = inCategories;
	RedoContent();
}

void TLedgerEditWindow::SetNumber(LEditText* inField, float inValue)
{
	char text[64];
	UNumbers::FormatFixed(text, sizeof text, inValue, 4);
	SetFieldText(inField, text);
}

float TLedgerEditWindow::GetNumber(LEditText* inField)
{
	float value = 0;
	UWindowPanes::ReadNumber(inField, value);
	return value;
}

void TLedgerEditWindow::FilterNumbers(std::initializer_list<LEditText*> inFields)
{
	for (LEditText* field : inFields)
		if (field != nullptr)
			field->SetKeyFilter(UKsKeyFilters::FloatField);
}

bool TLedgerEditWindow::IsTrade() const
{
	if (mEntry == nullptr)
		return false;
	const UInt8 type = mEntry->type;
	return type == kStockBuy || type == kStockSell || type == kFundBuy || type == kFundSell;
}

LEditText* TLedgerEditWindow::RefusedField() const
{
	if (mEntry == nullptr)
		return nullptr;
	for (LEditText* field : {mUnits, mPrice, mRate, mCash})
		if (!UWindowPanes::IsNumber(field))
			return field;
	if (mUnits != nullptr && IsTrade() && !(GetNumber(mUnits) > 0))
		return mUnits;
	if (mPrice != nullptr && GetNumber(mPrice) < 0)
		return mPrice;
	if (mRate != nullptr && GetNumber(mRate) < 0)
		return mRate;
	return nullptr;
}

void TLedgerEditWindow::GetFieldCaption(const LEditText* inField, Str255 outCaption)
{
	outCaption[0] = 0;
	const LView* row = inField != nullptr ? inField->GetSuperView() : nullptr;
	if (row == nullptr)
		return;
	Rect field;
	inField->CalcPortFrameRect(field);
	SInt16 nearest = SHRT_MIN;
	std::string caption, radio;
	for (LPane* pane : row->GetSubPanes()) {
		Rect frame;
		pane->CalcPortFrameRect(frame);
		if (frame.right > field.left || frame.bottom <= field.top || frame.top >= field.bottom)
			continue;
		Str255 text;
		pane->GetDescriptor(text);
		const std::string label = PascalStrings::ToString(text);
		if (dynamic_cast<LRadioButton*>(pane) != nullptr) {
			radio = label;
		} else if (dynamic_cast<LStaticText*>(pane) != nullptr && label.ends_with(':') &&
		           frame.right > nearest) {
			nearest = frame.right;
			caption = label.substr(0, label.size() - 1);
		}
	}
	PascalStrings::FromString(caption.empty() ? radio : caption, outCaption);
}

void TLedgerEditWindow::RedoCategoryMenu()
{
	mCategorySignatures.clear();
	if (mCategory == nullptr)
		return;
	while (mCategory->CountMenuItems() > mCategoryBaseItems)
		mCategory->DeleteMenuItem(mCategory->CountMenuItems());
	Str255 text;
	PascalStrings::FromString("-", text);
	mCategory->AppendMenu(text);
	if (mCategoryList != nullptr) {
		TList<tCategory> walker(mCategoryList);
		for (tCategory* category = walker.GetFirst(); category != nullptr;
		     category = walker.GetNext()) {
			char name[tCategory::kNameSize + 1] = {};
			std::memcpy(name, category->name, tCategory::kNameSize);
			if (name[0] == 0)
				continue;
			PascalStrings::FromString(name, text);
			mCategory->AppendMenu(text, true);
			mCategorySignatures.push_back(category->signature);
		}
	}
	mCategory->SetMenuMinMax();
	SInt32 item = 1;
	if (mEntry->category != 0)
		for (size_t i = 0; i < mCategorySignatures.size(); ++i)
			if (mCategorySignatures[i] == mEntry->category) {
				item = SInt32(mCategoryBaseItems + 2 + i);
				break;
			}
	mCategory->SetValue(item);
}

UInt32 TLedgerEditWindow::ChosenCategory() const
{
	if (mCategory == nullptr)
		return 0;
	const SInt32 index = mCategory->GetValue() - mCategoryBaseItems - 2;
	return index >= 0 && size_t(index) < mCategorySignatures.size() ? mCategorySignatures[size_t(index)]
	                                                                : 0;
}

void TLedgerEditWindow::RedoContent()
{
	if (mEntry == nullptr)
		return;
	UPPUtils::SetDate(&mEntry->date, mDate);
	char symbol[tLedgerEntry::kSymbolSize] = {};
	std::memcpy(symbol, mEntry->symbol, tLedgerEntry::kSymbolSize - 1);
	SetFieldText(mSymbol, symbol);
	if (const int format = TitleString(mEntry->type); format >= 0) {
		char title[256];
		std::snprintf(title, sizeof title, GetStockCString(format), symbol);
		Str255 text;
		PascalStrings::FromString(title, text);
		SetDescriptor(text);
	}
	char comment[tLedgerEntry::kCommentSize + 1] = {};
	std::memcpy(comment, mEntry->comment, tLedgerEntry::kCommentSize);
	SetFieldText(mComment, comment);
	RedoCategoryMenu();
	if (mExchange != nullptr)
		mExchange->SetValue(UMenus::TranslateMenu(true, mExchanges, mEntry->exchange));
	SetNumber(mUnits, mEntry->units);
	SetNumber(mPrice, mEntry->price);
	if (mConversion != nullptr)
		mConversion->SetValue(mEntry->foreign != 0 ? 1 : 0);
	if (mCurrency != nullptr)
		mCurrency->SetValue(UMenus::TranslateMenu(true, mCurrencies.data(), mEntry->currency));
	SetNumber(mRate, mEntry->rate);
	SetNumber(mCash, mEntry->amount);
}

void TLedgerEditWindow::SaveContent()
{
	if (mEntry == nullptr)
		return;
	UPPUtils::GetDate(&mEntry->date, mDate);
	char text[256];
	GetFieldText(mSymbol, text, sizeof text);
	CopyText(mEntry->symbol, sizeof mEntry->symbol,
	         text[0] != 0 ? text : GetStockCString(kDefaultSymbol));
	GetFieldText(mComment, text, sizeof text);
	CopyText(mEntry->comment, sizeof mEntry->comment, text);
	mEntry->category = ChosenCategory();
	if (mExchange != nullptr)
		mEntry->exchange = SInt16(UMenus::TranslateMenu(false, mExchanges, mExchange->GetValue()));
	if (mHasUnits) {
		mEntry->units = GetNumber(mUnits);
		mEntry->price = GetNumber(mPrice);
	}
	if (mHasConversion) {
		mEntry->foreign = mConversion != nullptr && mConversion->GetValue() > 0 ? 1 : 0;
		if (mCurrency != nullptr)
			mEntry->currency =
			    SInt16(UMenus::TranslateMenu(false, mCurrencies.data(), mCurrency->GetValue()));
		mEntry->rate = GetNumber(mRate);
	}
	if (mHasCash)
		mEntry->amount = GetNumber(mCash);
}

void TLedgerEditWindow::RedoDisclosureTriangle()
{
	if (mDisclosureTriangle == nullptr || mComment == nullptr || mConversion == nullptr ||
	    mTriangleHeight == 0)
		return;
	const bool open = mDisclosureTriangle->GetValue() != 0;
	if (open == mTriangleOpen)
		return;
	mTriangleOpen = open;
	Rect bounds;
	GetGlobalBounds(bounds);
	bounds.bottom = SInt16(bounds.bottom + (open ? mTriangleHeight : -mTriangleHeight));
	DoSetBounds(bounds);
	for (LPane* pane : {static_cast<LPane*>(mComment), static_cast<LPane*>(mConversion)})
		UWindowPanes::SetShown(pane, open);
}

void TLedgerEditWindow::Report(CommandT inCommand)
{
	LCommander* super = GetSuperCommander();
	SignalIfNot_(super);
	tLedgerEntry* entry = mEntry;
	// The super-commander may discard the entry.
	mEntry = nullptr;
	if (super != nullptr)
		super->ObeyCommand(inCommand, entry);
	DoClose();
}

Boolean TLedgerEditWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case kOKButton:
		if (mEntry == nullptr)
			return true;
		if (LEditText* field = RefusedField()) {
			UWindowPanes::RefuseField(field);
			return true;
		}
		SaveContent();
		Report(TLedgerWindow::kEntryOK);
		return true;
	case kCancelButton:
		if (mEntry != nullptr)
			Report(TLedgerWindow::kEntryCancelled);
		return true;
	case kDisclosure:
		RedoDisclosureTriangle();
		return true;
	default:
		return TVyWindow::ObeyCommand(inCommand, ioParam);
	}
}

bool TLedgerEditWindow::AcceptForSave(ConstStr255Param inPortfolio)
{
	LEditText* field = mEntry != nullptr ? RefusedField() : nullptr;
	if (field == nullptr) {
		ObeyCommand(kOKButton, nullptr);
		return true;
	}
	Select();
	UWindowPanes::RefuseField(field);
	Str255 title, caption;
	GetDescriptor(title);
	GetFieldCaption(field, caption);
	ParamText(title, caption, inPortfolio, nullptr);
	const ResIDT alert = field == mPrice || field == mRate                   ? ALRT_BelowZero
	                     : field == mCash || (field == mUnits && !IsTrade()) ? ALRT_NotANumber
	                                                                         : ALRT_NotAboveZero;
	UModalAlerts::Show(kAlertStop, alert);
	return false;
}

Boolean TLedgerEditWindow::AttemptClose()
{
	// Closing is cancelling: the opener must hear of it to forget or discard the entry.
	if (mEntry != nullptr)
		ObeyCommand(kCancelButton, nullptr);
	else
		DoClose();
	return true;
}
