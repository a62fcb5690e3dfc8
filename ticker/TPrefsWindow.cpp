#include "ticker/TPrefsWindow.h"

#include "Includes/ITicker.h"
#include "foundation/UMenus.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LException.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/UReanimator.h"
#include "platform/framework/URegistrar.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "ticker/TPluginCategoryTable.h"
#include "ticker/TTicker.h"
#include "ticker/TXContentMgr.h"
#include "ticker/TZvTicker.h"
#include "toolkit/KsAlerts.h"
#include "toolkit/LColorWell.h"
#include "toolkit/TFontMenu.h"
#include "toolkit/TFontSizeMenu.h"

#include <cstring>
#include <new>
#include <string>

namespace
{

enum : SInt16 { kAppStringsID = 1000, kTitleFormatIndex = 6, kMsgNoName = 6, kMsgNameTaken = 7 };
constexpr size_t kFontNameSize = 51;

constexpr tMenuItems kSpeeds[] = {{1, 10}, {2, 11}, {3, 12}, {4, 13}, {5, 14}, {7, 0}, {999, 999}};
constexpr tMenuItems kDirections[] = {{1, 20}, {2, 21}, {999, 999}};
constexpr tMenuItems kAnchors[] = {{1, 30}, {2, 31}, {4, 32}, {5, 33}, {6, 34}, {7, 35}, {9, 36}, {999, 999}};
constexpr tMenuItems kBorders[] = {{1, 41}, {2, 40}, {999, 999}};

std::function<ITicker*(const char*)> sTickerByName;

TXContentMgr* NewContentManager(TTicker& ticker)
{
	delete ticker.GetContentManager();
	ticker.SetContentManager(nullptr);
	auto* manager = new (std::nothrow) TXContentMgr;
	if (!manager)
		Throw_(FOUR_CHAR_CODE("nilP"));
	ticker.SetContentManager(manager);
	return manager;
}

LWindow* OpenSettings(TTicker& ticker, bool isNew)
{
	TXContentMgr* manager = NewContentManager(ticker);
	auto* window = dynamic_cast<TPrefsWindow*>(LWindow::CreateWindow(TPrefsWindow::kLayout, &ticker));
	if (!window)
		Throw_(FOUR_CHAR_CODE("nilP"));
	window->SetPrefs(nullptr, &ticker.GetPrefs(), &ticker, ticker.GetID(), manager);
	if (ticker.GetID() == 0 && !isNew)
		window->DisableName();
	window->Show();
	window->Select();
	return window;
}

void PopulateDefaults(TTicker& ticker)
{
	TXContentMgr* manager = ticker.GetContentManager();
	if (!manager)
		manager = NewContentManager(ticker);
	manager->SetTickerID(ticker.GetID());
	manager->CheckTrees();
	// Checked, not toggled: a ticker that already shows everything must keep it.
	if (TContentTreeNode* root = manager->GetNth(1))
		manager->SetItemCheckState(root, true);
	manager->ApplyChanges();
}

} // namespace

void TPrefsWindow::RegisterClasses()
{
	RegisterClass_(TPrefsWindow);
	RegisterClass_(TPluginCategoryTable);
}

void TPrefsWindow::InstallSettingsHooks()
{
	TTicker::tSettingsHooks hooks;
	hooks.openSettings = OpenSettings;
	hooks.applyContent = [](TTicker& ticker) {
		if (TXContentMgr* manager = ticker.GetContentManager())
			manager->ApplyChanges();
	};
	hooks.populateDefaults = PopulateDefaults;
	hooks.deleteContent = [](TXContentMgr* manager) { delete manager; };
	TTicker::InstallSettingsHooks(std::move(hooks));
}

void TPrefsWindow::SetTickerByName(std::function<ITicker*(const char*)> lookup)
{
	sTickerByName = std::move(lookup);
}

TPrefsWindow::TPrefsWindow(LStream* inStream) : TVyWindow(inStream) {}

TPrefsWindow::~TPrefsWindow()
{
	StopRepeating();
	// The ticker keeps its manager after the window: it must not call back into it.
	if (mTicker && mContentManager && mTicker->GetContentManager() == mContentManager)
		mContentManager->ClearCallback();
	// Closed without its ticker being asked (as at quit), the ticker must not delete it again.
	if (mTicker && mTicker->mSettingsWindow == this)
		mTicker->mSettingsWindow = nullptr;
	DeleteEntries();
}

void TPrefsWindow::FinishCreateSelf()
{
	TVyWindow::FinishCreateSelf();
	mPanels = dynamic_cast<LMultiPanelView*>(FindPaneByID(FOUR_CHAR_CODE("MPV1")));
	if (mPanels) {
		mPanels->CreateAllPanels();
		UReanimator::LinkListenerToControls(this, mPanels->GetPanel(1), kAppearanceLayout);
		UReanimator::LinkListenerToControls(this, mPanels->GetPanel(2), kContentLayout);
		if (auto* tabs = dynamic_cast<LBroadcaster*>(FindPaneByID(FOUR_CHAR_CODE("Hdrs"))))
			tabs->AddListener(mPanels);
	}
	mName = dynamic_cast<LEditText*>(FindPaneByID(FOUR_CHAR_CODE("tNam")));
	mSpeed = dynamic_cast<LPopupButton*>(FindPaneByID(FOUR_CHAR_CODE("tSpd")));
	mDirection = dynamic_cast<LPopupButton*>(FindPaneByID(FOUR_CHAR_CODE("tDir")));
	mAnchor = dynamic_cast<LPopupButton*>(FindPaneByID(FOUR_CHAR_CODE("tAnc")));
	mBorder = dynamic_cast<LPopupButton*>(FindPaneByID(FOUR_CHAR_CODE("tBor")));
	mFloating = dynamic_cast<LControl*>(FindPaneByID(FOUR_CHAR_CODE("tFlt")));
	mFont = dynamic_cast<TFontMenu*>(FindPaneByID(FOUR_CHAR_CODE("Font")));
	mSize = dynamic_cast<TFontSizeMenu*>(FindPaneByID(FOUR_CHAR_CODE("Size")));
	mColour = dynamic_cast<LColorWell*>(FindPaneByID(FOUR_CHAR_CODE("cBck")));
	mTable = dynamic_cast<TPluginCategoryTable*>(FindPaneByID(FOUR_CHAR_CODE("Tble")));
	if (mTable)
		mTable->SetPrefsWindow(this);
}

void TPrefsWindow::SetPrefs(tKestrunPrefs* appPrefs, tTickerPrefs* prefs, TTicker* ticker, unsigned long id,
                            TXContentMgr* manager)
{
	mAppPrefs = appPrefs;
	mPrefs = prefs;
	mTicker = ticker;
	mTickerID = UInt32(id);
	mContentManager = manager;
	RedoContent();
}

void TPrefsWindow::DisableName()
{
	if (mName)
		mName->Disable();
}

void TPrefsWindow::RedoContent()
{
	RedoAppearance();
	RedoTickerContent();
}

void TPrefsWindow::SetTitleFromName(const char* name)
{
	Str255 format;
	GetIndString(format, kAppStringsID, kTitleFormatIndex);
	// The name is put in place of %s by hand: a name may hold '%' itself.
	std::string title = PascalStrings::ToString(format);
	if (const size_t at = title.find("%s"); at != std::string::npos)
		title.replace(at, 2, name);
	else
		title = name;
	Str255 text;
	PascalStrings::FromString(title.c_str(), text);
	SetDescriptor(text);
}

void TPrefsWindow::SetMenu(LPopupButton* menu, const tMenuItems* table, int value)
{
	if (menu)
		menu->SetValue(UMenus::TranslateMenu(true, table, value));
}

int TPrefsWindow::MenuValue(LPopupButton* menu, const tMenuItems* table)
{
	return UMenus::TranslateMenu(false, table, menu ? int(menu->GetValue()) : 0);
}

void TPrefsWindow::RedoAppearance()
{
	if (!mPrefs || !mTicker)
		return;
	SetTitleFromName(mTicker->GetTitle());
	if (mName) {
		mName->StopBroadcasting();
		mName->SetText(mTicker->GetTitle(), Size(std::strlen(mTicker->GetTitle())));
		mName->StartBroadcasting();
	}
	SetMenu(mSpeed, kSpeeds, mPrefs->speed);
	SetMenu(mDirection, kDirections, mPrefs->direction);
	SetMenu(mAnchor, kAnchors, mPrefs->anchor);
	SetMenu(mBorder, kBorders, mPrefs->border);
	if (mFloating)
		mFloating->SetValue(mPrefs->floating ? 1 : 0);
	if (mFont)
		mFont->SetFont(mPrefs->font.GetFontName());
	if (mSize)
		mSize->SetSize(mPrefs->font.GetFontSize());
	if (mColour) {
		mColour->StopBroadcasting();
		mColour->SetSwatchColor(mPrefs->background.GetRGB());
		mColour->StartBroadcasting();
	}
}

void TPrefsWindow::RedoTickerContent()
{
	if (!mContentManager)
		return;
	mContentManager->SetCallback(&PrefsActionCallback, this);
	mContentManager->SetTickerID(mTickerID);
	mContentManager->CheckTrees();
}

void TPrefsWindow::PrefsActionCallback(SInt32 action, void* window, int rows)
{
	SignalIf_(action != kContentRowsRebuilt);
	auto* self = static_cast<TPrefsWindow*>(window);
	if (action != kContentRowsRebuilt || !self)
		return;
	self->mRebuildPending = 1;
	self->mRebuildRows = rows;
	self->StartRepeating();
}

void TPrefsWindow::SpendTime(const EventRecord&)
{
	if (!mRebuildPending)
		return;
	if (mTable) {
		mTable->RemoveAllRows(false);
		RebuildEntries(mRebuildRows);
		mTable->InsertRows(UInt32(mRebuildRows), 0, nullptr, 0, true);
	}
	mRebuildPending = 0;
	mRebuildRows = 0;
	StopRepeating();
}

void TPrefsWindow::DeleteEntries()
{
	for (LCheckBox* box : mRows) {
		box->PutInside(nullptr);
		delete box;
	}
	mRows.clear();
}

void TPrefsWindow::RebuildEntries(int rows)
{
	DeleteEntries();
	if (!mContentManager || !mTable)
		return;
	const UInt16 rowHeight = mTable->GetRowHeightOf();
	for (int i = 0; i < rows; ++i) {
		TContentTreeNode* node = mContentManager->GetNth(i + 1);
		if (!node)
			break;
		SPaneInfo info;
		info.width = 16;
		info.height = SInt16(rowHeight);
		info.left = node->mDepth * TPluginCategoryTable::kIndent + (node->IsGroup() ? 16 : 10);
		info.top = SInt32(rowHeight) * i;
		info.superView = mTable;
		const unsigned char noTitle[] = {0};
		auto* box = new (std::nothrow) LCheckBox(info, MessageT(kFirstRowCommand + i), 0, noTitle);
		if (!box)
			Throw_(FOUR_CHAR_CODE("nilP"));
		box->SetMaxValue(2);
		box->SetValue(SInt32(mContentManager->GetCheckState(node)));
		box->AddListener(this);
		mRows.push_back(box);
	}
}

LCheckBox* TPrefsWindow::GetRowCheckBox(SInt32 row) const
{
	return row >= 0 && size_t(row) < mRows.size() ? mRows[size_t(row)] : nullptr;
}

void TPrefsWindow::ResetCheckBoxes()
{
	for (size_t i = 0; i < mRows.size(); ++i) {
		mRows[i]->StopBroadcasting();
		mRows[i]->SetValue(
		    SInt32(mContentManager->GetCheckState(mContentManager->GetNth(long(i) + 1))));
		mRows[i]->StartBroadcasting();
	}
	if (mTable)
		mTable->Refresh();
}

bool TPrefsWindow::CheckTickerName()
{
	if (!mName)
		return true;
	char name[256] = {};
	mName->GetText(name, sizeof(name));
	if (name[0] == 0) {
		KsWarning(kMsgNoName);
		return false;
	}
	ITicker* found = sTickerByName ? sTickerByName(name) : nullptr;
	const ITicker* own = mTicker ? mTicker->GetTickerPane() : nullptr;
	if (found && found != own) {
		KsWarning(kMsgNameTaken);
		return false;
	}
	return true;
}

void TPrefsWindow::SaveAppearance()
{
	if (!mPrefs || !mTicker)
		return;
	if (mName) {
		char name[256] = {};
		mName->GetText(name, sizeof(name));
		mTicker->SetTitle(name);
	}
	mPrefs->speed = tTickerSpeed(MenuValue(mSpeed, kSpeeds));
	mPrefs->direction = tTickerDirection(MenuValue(mDirection, kDirections));
	mPrefs->anchor = tTickerAnchor(MenuValue(mAnchor, kAnchors));
	mPrefs->border = tTickerBorder(MenuValue(mBorder, kBorders));
	if (mFloating)
		mPrefs->floating = mFloating->GetValue() ? 1 : 0;
	// A font or size the menus do not offer shows no choice; it is kept rather than emptied.
	if (mFont) {
		char font[kFontNameSize] = {};
		mFont->GetFont(font, sizeof(font));
		if (font[0] != 0)
			mPrefs->font.FontName(font);
	}
	if (mSize && mSize->GetSize() > 0)
		mPrefs->font.FontSize(mSize->GetSize());
	if (mColour) {
		RGBColor colour;
		mColour->GetSwatchColor(colour);
		mPrefs->background.SetRGB(colour);
		mPrefs->foreground.SetRGB(colour);
	}
}

void TPrefsWindow::SaveContent()
{
	SaveAppearance();
	if (mContentManager)
		mContentManager->ApplyChanges();
}

Boolean TPrefsWindow::ObeyCommand(CommandT inCommand, void* ioParam)
{
	if (inCommand >= kFirstRowCommand && inCommand - kFirstRowCommand < CommandT(mRows.size())) {
		if (mContentManager) {
			mContentManager->CheckNode(
			    mContentManager->GetNth(long(inCommand - (kFirstRowCommand - 1))));
			ResetCheckBoxes();
		}
		return true;
	}
	switch (inCommand) {
	case cmd_Title:
		if (mName) {
			char name[256] = {};
			mName->GetText(name, sizeof(name));
			SetTitleFromName(name);
		}
		return true;
	case kOKButton:
		if (!CheckTickerName())
			return true;
		SaveContent();
		if (mTicker)
			mTicker->ObeyCommand(TTicker::cmd_PrefsOK, nullptr);
		AttemptClose();
		return true;
	case kCancelButton:
		// The manager holds the choices just cancelled: the ticker must not apply them when it opens.
		if (mTicker && mTicker->GetContentManager() == mContentManager) {
			mTicker->SetContentManager(nullptr);
			delete mContentManager;
		}
		mContentManager = nullptr;
		if (mTicker)
			mTicker->ObeyCommand(TTicker::cmd_PrefsCancel, nullptr);
		AttemptClose();
		return true;
	default:
		return TVyWindow::ObeyCommand(inCommand, ioParam);
	}
}

void TPrefsWindow::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean&, UInt16&, Str255)
{
	outEnabled = inCommand == kOKButton || inCommand == kCancelButton;
}
