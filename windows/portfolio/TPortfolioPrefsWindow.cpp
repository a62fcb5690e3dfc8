#include "windows/portfolio/TPortfolioPrefsWindow.h"

#include "foundation/UNumbers.h"
#include "foundation/VyStrings.h"
#include "model/StockGlobals.h"
#include "model/UPortfolioFile.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LException.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UReanimator.h"
#include "platform/toolbox/Debugging.h"
#include "toolkit/LColorWell.h"
#include "toolkit/TFontMenu.h"
#include "toolkit/TFontSizeMenu.h"
#include "toolkit/UKsDialogs.h"
#include "toolkit/UKsKeyFilters.h"
#include "windows/portfolio/TCategoryTable.h"
#include "windows/portfolio/ULedgerMenus.h"
#include "windows/security/TSelectDlog.h"
#include "windows/security/UWindowPanes.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace
{

constexpr int kDefaultCategoryName = 20;
constexpr std::size_t kMaxName = tCategory::kNameSize - 1;
constexpr std::size_t kMaxTypedName = 30;
constexpr long kMaxFontName = 30;
constexpr int kLastSuffix = 999;

constexpr tMenuItems kReferencePrices[] = {{1, 100}, {2, 101}, {3, 102}, {kEndOfMenuItems, kEndOfMenuItems}};
constexpr tMenuItems kNameViews[] = {{1, 103}, {2, 101}, {3, 102}, {kEndOfMenuItems, kEndOfMenuItems}};

constexpr std::size_t kLosing = offsetof(tPortfolioParameters, losingAlert);
constexpr std::size_t kGaining = offsetof(tPortfolioParameters, gainingAlert);

// Panes that show one byte of the parameters.
struct tFlagPane {
	PaneIDT pane;
	std::size_t offset;
};
constexpr tFlagPane kCheckBoxes[] = {
    {FOUR_CHAR_CODE("uGrd"), offsetof(tPortfolioParameters, alternateRows)},
    {FOUR_CHAR_CODE("dZro"), offsetof(tPortfolioParameters, showZeroHoldings)},
    {FOUR_CHAR_CODE("lAlw"), kLosing + offsetof(tAlertParameters, enabled)},
    {FOUR_CHAR_CODE("lCol"), kLosing + offsetof(tAlertParameters, useColour)},
    {FOUR_CHAR_CODE("lBln"), kLosing + offsetof(tAlertParameters, flash)},
    {FOUR_CHAR_CODE("lBld"), kLosing + offsetof(tAlertParameters, bold)},
    {FOUR_CHAR_CODE("lIta"), kLosing + offsetof(tAlertParameters, italic)},
    {FOUR_CHAR_CODE("lUnd"), kLosing + offsetof(tAlertParameters, underline)},
    {FOUR_CHAR_CODE("gAlw"), kGaining + offsetof(tAlertParameters, enabled)},
    {FOUR_CHAR_CODE("gCol"), kGaining + offsetof(tAlertParameters, useColour)},
    {FOUR_CHAR_CODE("gBln"), kGaining + offsetof(tAlertParameters, flash)},
    {FOUR_CHAR_CODE("gBld"), kGaining + offsetof(tAlertParameters, bold)},
    {FOUR_CHAR_CODE("gIta"), kGaining + offsetof(tAlertParameters, italic)},
    {FOUR_CHAR_CODE("gUnd"), kGaining + offsetof(tAlertParameters, underline)},
    {FOUR_CHAR_CODE("dCat"), offsetof(tPortfolioParameters, groupByCategory)},
    {FOUR_CHAR_CODE("uPwd"), offsetof(tPortfolioParameters, passwordSet)},
    {FOUR_CHAR_CODE("Kchn"), offsetof(tPortfolioParameters, passwordSwitch)},
};

struct tMenuPane {
	PaneIDT pane;
	std::size_t offset;
	const tMenuItems* items;
};
const tMenuPane kMenus[] = {
    {FOUR_CHAR_CODE("dPrc"), offsetof(tPortfolioParameters, referencePrice), kReferencePrices},
    {FOUR_CHAR_CODE("dNam"), offsetof(tPortfolioParameters, holdingName), kNameViews},
    {FOUR_CHAR_CODE("lCon"), kLosing + offsetof(tAlertParameters, condition), TSelectDlog::sLosingAlerts},
    {FOUR_CHAR_CODE("gCon"), kGaining + offsetof(tAlertParameters, condition), TSelectDlog::sGainingAlerts},
};

constexpr tFlagPane kColourWells[] = {
    {FOUR_CHAR_CODE("cBck"), offsetof(tPortfolioParameters, rowColour)},
    {FOUR_CHAR_CODE("cGan"), offsetof(tPortfolioParameters, gainColour)},
    {FOUR_CHAR_CODE("cLos"), offsetof(tPortfolioParameters, lossColour)},
    {FOUR_CHAR_CODE("cUnc"), offsetof(tPortfolioParameters, unchangedColour)},
    {FOUR_CHAR_CODE("cEvn"), offsetof(tPortfolioParameters, firstRowColour)},
    {FOUR_CHAR_CODE("cOdd"), offsetof(tPortfolioParameters, secondRowColour)},
    {FOUR_CHAR_CODE("lClr"), kLosing + offsetof(tAlertParameters, colour)},
    {FOUR_CHAR_CODE("gClr"), kGaining + offsetof(tAlertParameters, colour)},
};

// The fields the panes edit besides those of the tables above; OK writes back these and no others.
struct tField {
	std::size_t offset;
	std::size_t size;
};
constexpr tField kOtherFields[] = {
    {offsetof(tPortfolioParameters, fontName), sizeof(tPortfolioParameters::fontName)},
    {offsetof(tPortfolioParameters, fontNumber), sizeof(tPortfolioParameters::fontNumber)},
    {offsetof(tPortfolioParameters, fontSize), sizeof(tPortfolioParameters::fontSize)},
    {kLosing + offsetof(tAlertParameters, limit), sizeof(tAlertParameters::limit)},
    {kGaining + offsetof(tAlertParameters, limit), sizeof(tAlertParameters::limit)},
    {offsetof(tPortfolioParameters, baseCurrency), sizeof(tPortfolioParameters::baseCurrency)},
    {offsetof(tPortfolioParameters, password), sizeof(tPortfolioParameters::password)},
};

UInt8* FieldAt(tPortfolioParameters& ioParameters, std::size_t inOffset)
{
	return reinterpret_cast<UInt8*>(&ioParameters) + inOffset;
}

std::string FieldText(const LEditText* inField)
{
	char text[256] = {};
	if (inField != nullptr)
		inField->GetText(text, sizeof text);
	return text;
}

void SetFieldText(LEditText* inField, const std::string& inText)
{
	if (inField != nullptr)
		inField->SetText(inText.c_str(), Size(inText.size()));
}

} // namespace

TPortfolioPrefsWindow* TPortfolioPrefsWindow::Open(LCommander* inSuper, tPortfolioParameters* ioParameters,
                                                   TList<tCategory>* ioCategories)
{
	auto* window = dynamic_cast<TPortfolioPrefsWindow*>(LWindow::CreateWindow(kLayoutID, inSuper));
	if (window == nullptr)
		Throw_(FOUR_CHAR_CODE("nilP"));
	window->SetPrefs(ioParameters, ioCategories);
	window->Show();
	window->Select();
	return window;
}

TPortfolioPrefsWindow::TPortfolioPrefsWindow(LStream* inStream) : TVyWindow(inStream) {}

TPortfolioPrefsWindow::~TPortfolioPrefsWindow()
{
	// The table draws from the working list, which goes first.
	if (mTable != nullptr)
		mTable->SetWindow(nullptr, nullptr);
}

void TPortfolioPrefsWindow::FinishCreateSelf()
{
	TVyWindow::FinishCreateSelf();
	mPanels = UWindowPanes::FindAs<LMultiPanelView>(this, FOUR_CHAR_CODE("MPV1"));
	if (mPanels != nullptr) {
		mPanels->CreateAllPanels();
		const ResIDT layouts[] = {kDisplayLayout, kAlertsLayout, kCategoriesLayout, kPasswordLayout};
		for (UInt16 panel = 1; panel <= 4; ++panel)
			UReanimator::LinkListenerToControls(this, mPanels->GetPanel(panel),
			                                    layouts[panel - 1]);
		if (auto* tabs = dynamic_cast<LBroadcaster*>(FindPaneByID(FOUR_CHAR_CODE("Hdrs"))))
			tabs->AddListener(mPanels);
	}
	mFont = UWindowPanes::FindAs<TFontMenu>(this, FOUR_CHAR_CODE("Font"));
	mSize = UWindowPanes::FindAs<TFontSizeMenu>(this, FOUR_CHAR_CODE("Size"));
	mLosingLimit = UWindowPanes::FindAs<LEditText>(this, FOUR_CHAR_CODE("lVal"));
	mGainingLimit = UWindowPanes::FindAs<LEditText>(this, FOUR_CHAR_CODE("gVal"));
	for (LEditText* limit : {mLosingLimit, mGainingLimit})
		if (limit != nullptr)
			limit->SetKeyFilter(UKsKeyFilters::FloatField);
	mTable = UWindowPanes::FindAs<TCategoryTable>(this, FOUR_CHAR_CODE("Tble"));
	mAddButton = UWindowPanes::FindAs<LPushButton>(this, cmd_AddCategory);
	mDeleteButton = UWindowPanes::FindAs<LPushButton>(this, cmd_DeleteCategory);
	mSaveButton = UWindowPanes::FindAs<LPushButton>(this, cmd_SaveCategory);
	mCategoryName = UWindowPanes::FindAs<LEditText>(this, FOUR_CHAR_CODE("NamC"));
	mUsePassword = UWindowPanes::FindAs<LCheckBox>(this, FOUR_CHAR_CODE("uPwd"));
	mPassword = UWindowPanes::FindAs<LEditText>(this, FOUR_CHAR_CODE("nPwd"));
	mConfirmation = UWindowPanes::FindAs<LEditText>(this, FOUR_CHAR_CODE("cPwd"));
	mBaseCurrency = UWindowPanes::FindAs<LPopupButton>(this, FOUR_CHAR_CODE("bCur"));
	FillCurrencyMenu();
}

void TPortfolioPrefsWindow::FillCurrencyMenu()
{
	mCurrencies = ULedgerMenus::FillCurrencyMenu(mBaseCurrency);
}

void TPortfolioPrefsWindow::SetPrefs(tPortfolioParameters* ioParameters, TList<tCategory>* ioCategories)
{
	Assert_(ioParameters != nullptr);
	Assert_(ioCategories != nullptr);
	mParameters = ioParameters;
	mCategories = ioCategories;
	mWorking = *ioParameters;
	mWorkingCategories.reset(new (std::nothrow) TList<tCategory>(true, true));
	if (mWorkingCategories == nullptr)
		Throw_(FOUR_CHAR_CODE("nilP"));
	// Walked through a view: the document's own cursor stays where it was.
	TList<tCategory> categories(ioCategories);
	for (tCategory* category = categories.GetFirst(); category != nullptr;
	     category = categories.GetNext())
		mWorkingCategories->Append(category);
	RedoContent();
}

void TPortfolioPrefsWindow::RedoContent()
{
	mRedoing = true;
	RedoFields();
	RedoCategories();
	RedoPassword();
	mRedoing = false;
}

void TPortfolioPrefsWindow::RedoFields()
{
	for (const tFlagPane& field : kCheckBoxes)
		if (auto* box = UWindowPanes::FindAs<LCheckBox>(this, field.pane))
			box->SetValue(*FieldAt(mWorking, field.offset) != 0 ? 1 : 0);
	for (const tMenuPane& field : kMenus)
		if (auto* menu = UWindowPanes::FindAs<LPopupButton>(this, field.pane))
			menu->SetValue(
			    UMenus::TranslateMenu(true, field.items, *FieldAt(mWorking, field.offset)));
	for (const tFlagPane& field : kColourWells)
		if (auto* well = UWindowPanes::FindAs<LColorWell>(this, field.pane)) {
			RGBColor colour;
			std::memcpy(&colour, FieldAt(mWorking, field.offset), sizeof colour);
			well->SetSwatchColor(colour);
		}
	if (mFont != nullptr)
		mFont->SetFont(mWorking.fontName);
	if (mSize != nullptr)
		mSize->SetSize(mWorking.fontSize);
	char limit[32];
	UNumbers::FormatFixed(limit, sizeof limit, mWorking.losingAlert.limit, 2);
	SetFieldText(mLosingLimit, limit);
	UNumbers::FormatFixed(limit, sizeof limit, mWorking.gainingAlert.limit, 2);
	SetFieldText(mGainingLimit, limit);
	if (mBaseCurrency != nullptr)
		mBaseCurrency->SetValue(
		    UMenus::TranslateMenu(true, mCurrencies.data(), mWorking.baseCurrency));
}

void TPortfolioPrefsWindow::RedoCategories()
{
	if (mTable == nullptr)
		return;
	mTable->SetWindow(this, mWorkingCategories.get());
	mTable->RemoveAllRows(false);
	mTable->InsertRows(UInt32(mWorkingCategories->Count()), 0, nullptr, 0, true);
	CheckCategories();
}

void TPortfolioPrefsWindow::RedoPassword()
{
	const bool shown = mWorking.passwordSet != 0 && mWorking.password[0] != 0;
	const std::string password = shown ? std::string(mWorking.password) : std::string();
	SetFieldText(mPassword, password);
	SetFieldText(mConfirmation, password);
}

void TPortfolioPrefsWindow::SaveContent()
{
	SaveFields();
	SaveCategories();
	SavePassword();
}

void TPortfolioPrefsWindow::SaveFields()
{
	for (const tFlagPane& field : kCheckBoxes)
		if (auto* box = UWindowPanes::FindAs<LCheckBox>(this, field.pane))
			*FieldAt(mWorking, field.offset) = box->GetValue() != 0 ? 1 : 0;
	for (const tMenuPane& field : kMenus)
		if (auto* menu = UWindowPanes::FindAs<LPopupButton>(this, field.pane))
			*FieldAt(mWorking, field.offset) =
			    UInt8(UMenus::TranslateMenu(false, field.items, menu->GetValue()));
	for (const tFlagPane& field : kColourWells)
		if (auto* well = UWindowPanes::FindAs<LColorWell>(this, field.pane)) {
			RGBColor colour;
			well->GetSwatchColor(colour);
			std::memcpy(FieldAt(mWorking, field.offset), &colour, sizeof colour);
		}
	// A font or size the menus do not offer shows no choice: it is kept rather than emptied.
	if (mFont != nullptr) {
		char font[tPortfolioParameters::kFontNameSize] = {};
		mFont->GetFont(font, kMaxFontName + 1);
		if (font[0] != 0) {
			std::memset(mWorking.fontName, 0, sizeof mWorking.fontName);
			strcpyn(mWorking.fontName, font, kMaxFontName);
			mWorking.fontNumber = mFont->GetFontNumber();
		}
	}
	if (mSize != nullptr && mSize->GetSize() > 0)
		mWorking.fontSize = mSize->GetSize();
	UWindowPanes::ReadNumber(mLosingLimit, mWorking.losingAlert.limit);
	UWindowPanes::ReadNumber(mGainingLimit, mWorking.gainingAlert.limit);
	if (mBaseCurrency != nullptr)
		mWorking.baseCurrency =
		    SInt16(UMenus::TranslateMenu(false, mCurrencies.data(), mBaseCurrency->GetValue()));
}

void TPortfolioPrefsWindow::SaveCategories()
{
	// The signatures of categories deleted here stay taken: their entries must not join a new category.
	TList<tCategory> taken(false, false);
	TList<tCategory> document(mCategories);
	for (tCategory* category = document.GetFirst(); category != nullptr; category = document.GetNext())
		taken.Append(category);
	for (long i = 1; i <= mWorkingCategories->Count(); ++i)
		taken.Append(mWorkingCategories->GetNth(i));
	for (long i = 1; i <= mWorkingCategories->Count(); ++i)
		UPortfolioFile::AssignSignature(&taken, mWorkingCategories->GetNth(i));
}

// The portfolio window keeps its bounds, sort, view and date range in the same record and may have changed
// them while this window was open: only what the panes edit goes back.
void TPortfolioPrefsWindow::WriteBack()
{
	auto copy = [this](std::size_t inOffset, std::size_t inSize) {
		std::memcpy(FieldAt(*mParameters, inOffset), FieldAt(mWorking, inOffset), inSize);
	};
	for (const tFlagPane& field : kCheckBoxes)
		copy(field.offset, 1);
	for (const tMenuPane& field : kMenus)
		copy(field.offset, 1);
	for (const tFlagPane& field : kColourWells)
		copy(field.offset, sizeof(RGBColor));
	for (const tField& field : kOtherFields)
		copy(field.offset, field.size);
}

// A category's check box and triangle in the portfolio window may have been used meanwhile.
void TPortfolioPrefsWindow::KeepCategorySwitches()
{
	TList<tCategory> document(mCategories);
	for (tCategory* now = document.GetFirst(); now != nullptr; now = document.GetNext()) {
		if (now->signature == 0)
			continue;
		for (long i = 1; i <= mWorkingCategories->Count(); ++i)
			if (tCategory* working = mWorkingCategories->GetNth(i);
			    working->signature == now->signature) {
				working->enabled = now->enabled;
				working->open = now->open;
			}
	}
}

void TPortfolioPrefsWindow::SavePassword()
{
	std::memset(mWorking.password, 0, sizeof mWorking.password);
	if (mWorking.passwordSet != 0)
		strcpyn(mWorking.password, FieldText(mPassword).c_str(),
		        long(UPortfolioFile::kMaxPasswordLength));
}

bool TPortfolioPrefsWindow::CheckPasswords()
{
	if (mUsePassword == nullptr || mUsePassword->GetValue() == 0)
		return true;
	const std::string password = FieldText(mPassword);
	if (password.size() < 4)
		return RefusePassword(kMsgPasswordTooShort, 0);
	if (password != FieldText(mConfirmation))
		return RefusePassword(kMsgPasswordsDiffer, 0);
	// Cut or stored with a zero byte, it would not open the portfolio again.
	if (password.size() > UPortfolioFile::kMaxPasswordLength)
		return RefusePassword(0, kPasswordTooLongDialog);
	if (!UPortfolioFile::IsPasswordStorable(password.c_str()))
		return RefusePassword(0, kPasswordUnstorableDialog);
	return true;
}

bool TPortfolioPrefsWindow::RefusePassword(SInt16 inMessage, ResIDT inDialog)
{
	SetFieldText(mPassword, "");
	SetFieldText(mConfirmation, "");
	std::memset(mWorking.password, 0, sizeof mWorking.password);
	ShowPanel(kPasswordPanel);
	if (inMessage != 0)
		UKsDialogs::ErrorDialog(inMessage);
	else
		UKsDialogs::Dialog(inDialog);
	return false;
}

bool TPortfolioPrefsWindow::CheckLimits()
{
	return RefusedLimit() == nullptr;
}

LEditText* TPortfolioPrefsWindow::RefusedLimit()
{
	for (LEditText* field : {mLosingLimit, mGainingLimit})
		if (!UWindowPanes::IsNumber(field)) {
			ShowPanel(kAlertsPanel);
			UWindowPanes::RefuseField(field);
			return field;
		}
	return nullptr;
}

void TPortfolioPrefsWindow::AcceptForSave(ConstStr255Param inPortfolio)
{
	if (UWindowPanes::IsNumber(mLosingLimit) && UWindowPanes::IsNumber(mGainingLimit)) {
		ObeyCommand(kOKButton, nullptr);
		return;
	}
	Select();
	LEditText* refused = RefusedLimit();
	// The limit is named by its alert's switch above it.
	Str255 title, limit;
	GetDescriptor(title);
	limit[0] = 0;
	if (LPane* alert =
	        FindPaneByID(refused == mLosingLimit ? FOUR_CHAR_CODE("lAlw") : FOUR_CHAR_CODE("gAlw")))
		alert->GetDescriptor(limit);
	ParamText(title, limit, inPortfolio, nullptr);
	UModalAlerts::Show(kAlertStop, ALRT_LimitNotANumber);
}

void TPortfolioPrefsWindow::ShowPanel(UInt16 inPanel)
{
	if (auto* tabs = dynamic_cast<LControl*>(FindPaneByID(FOUR_CHAR_CODE("Hdrs"))))
		tabs->SetValue(inPanel);
	if (mPanels != nullptr)
		mPanels->SwitchToPanel(inPanel);
}

void TPortfolioPrefsWindow::CheckCategories()
{
	auto* use = UWindowPanes::FindAs<LCheckBox>(this, cmd_UseCategories);
	const bool on = use != nullptr && use->GetValue() != 0;
	UWindowPanes::SetEnabled(mAddButton, on);
	if (!on) {
		UWindowPanes::SetEnabled(mDeleteButton, false);
		UWindowPanes::SetEnabled(mSaveButton, false);
	}
	UWindowPanes::SetEnabled(mCategoryName, on);
	if (mTable != nullptr) {
		mTable->UnselectAllCells();
		UWindowPanes::SetEnabled(mTable, on);
	}
	SetFieldText(mCategoryName, "");
}

void TPortfolioPrefsWindow::SelectionChanged(TableIndexT inRow)
{
	if (inRow == 0) {
		UWindowPanes::SetEnabled(mSaveButton, false);
		UWindowPanes::SetEnabled(mDeleteButton, false);
		SetFieldText(mCategoryName, "");
		return;
	}
	ShowSelectedName();
}

TableIndexT TPortfolioPrefsWindow::SelectedRow() const
{
	return mTable != nullptr ? mTable->LastRowSelected() : 0;
}

void TPortfolioPrefsWindow::ShowSelectedName()
{
	const tCategory* category = mWorkingCategories->GetNth(long(SelectedRow()));
	if (category == nullptr)
		return;
	SetFieldText(mCategoryName, category->name);
	if (mCategoryName != nullptr)
		mCategoryName->SelectAll();
	UWindowPanes::SetEnabled(mCategoryName, true);
	UWindowPanes::SetEnabled(mSaveButton, true);
	UWindowPanes::SetEnabled(mDeleteButton, true);
}

namespace
{

bool NameTaken(TList<tCategory>& inCategories, const char* inName, const tCategory* inExcept)
{
	for (long i = 1; i <= inCategories.Count(); ++i) {
		const tCategory* category = inCategories.GetNth(i);
		if (category != inExcept && ksstrcmpi(category->name, inName) == 0)
			return true;
	}
	return false;
}

// inName, or inName followed by " 1", " 2" ... with the base shortened so that every candidate fits the
// field.
std::string UniqueName(TList<tCategory>& inCategories, const std::string& inName)
{
	std::string candidate = inName;
	for (int n = 1; n <= kLastSuffix && NameTaken(inCategories, candidate.c_str(), nullptr); ++n) {
		const std::string suffix = " " + std::to_string(n);
		candidate = inName.substr(0, kMaxName - suffix.size()) + suffix;
	}
	return candidate;
}

} // namespace

void TPortfolioPrefsWindow::NewCategory()
{
	std::string name = FieldText(mCategoryName).substr(0, kMaxTypedName);
	const bool defaultName = name.empty();
	if (defaultName)
		name = std::string(GetStockCString(kDefaultCategoryName)).substr(0, kMaxTypedName);
	tCategory category;
	strcpyn(category.name, UniqueName(*mWorkingCategories, name).c_str(), long(kMaxName));
	category.enabled = 1;
	const TableIndexT selected = SelectedRow();
	mWorkingCategories->Insert(&category, int(selected));
	if (mTable == nullptr)
		return;
	mTable->InsertRows(1, selected, nullptr, 0, true);
	const TableIndexT show = defaultName ? selected + 1 : (selected != 0 ? selected : 1);
	mTable->SelectCell(STableCell(show, 1));
	ShowSelectedName();
}

void TPortfolioPrefsWindow::SaveCategory()
{
	tCategory* category = mWorkingCategories->GetNth(long(SelectedRow()));
	if (category == nullptr)
		return;
	const std::string name = FieldText(mCategoryName).substr(0, kMaxTypedName);
	if (name.empty()) {
		UKsDialogs::ErrorDialog(kMsgNoName);
		return;
	}
	if (NameTaken(*mWorkingCategories, name.c_str(), category)) {
		UKsDialogs::ErrorDialog(kMsgNameTaken);
		ShowSelectedName();
		return;
	}
	// The signature stays: the category's entries follow it under its new name.
	std::memset(category->name, 0, sizeof category->name);
	strcpyn(category->name, name.c_str(), long(kMaxName));
	if (mTable != nullptr)
		mTable->RefreshCell(STableCell(SelectedRow(), 1));
}

void TPortfolioPrefsWindow::DeleteCategory()
{
	const TableIndexT row = SelectedRow();
	tCategory* category = mWorkingCategories->GetNth(long(row));
	if (category == nullptr || mTable == nullptr)
		return;
	mTable->UnselectAllCells();
	mWorkingCategories->Remove(category);
	mTable->RemoveRows(1, row, true);
}

void TPortfolioPrefsWindow::BeTarget()
{
	TVyWindow::BeTarget();
	if (mTable != nullptr)
		SwitchTarget(mTable);
}

Boolean TPortfolioPrefsWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	if (mRedoing && inCommand != kOKButton && inCommand != kCancelButton)
		return true;
	switch (inCommand) {
	case kOKButton: {
		if (mParameters == nullptr || !CheckLimits() || !CheckPasswords())
			return true;
		SaveContent();
		WriteBack();
		KeepCategorySwitches();
		*mCategories = *mWorkingCategories;
		if (LCommander* super = GetSuperCommander())
			super->ObeyCommand(cmd_PrefsChanged, nullptr);
		AttemptClose();
		return true;
	}
	case kCancelButton:
		AttemptClose();
		return true;
	case cmd_AddCategory:
		NewCategory();
		return true;
	case cmd_SaveCategory:
		SaveCategory();
		return true;
	case cmd_DeleteCategory:
		DeleteCategory();
		return true;
	case cmd_UseCategories:
		CheckCategories();
		return true;
	default:
		return TVyWindow::ObeyCommand(inCommand, ioParam);
	}
}
