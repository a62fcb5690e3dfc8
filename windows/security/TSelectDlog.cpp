#include "windows/security/TSelectDlog.h"

#include "Quoters/TQuoterManager.h"
#include "foundation/TVyFile.h"
#include "foundation/TVyFileUtils.h"
#include "foundation/VyStrings.h"
#include "model/StockGlobals.h"
#include "model/TCurrencyManager.h"
#include "model/TSecurity.h"
#include "model/UZVUtils.h"
#include "platform/framework/LCheckBoxGroupBox.h"
#include "platform/framework/LDocument.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/LTabsControl.h"
#include "platform/framework/LTextEditView.h"
#include "platform/framework/UNavServicesDialogs.h"
#include "platform/framework/UReanimator.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/PascalStrings.h"
#include "windows/security/UWindowPanes.h"

#include <cstring>

namespace
{
enum : ResIDT { kLosingLinks = 5070, kGainingLinks = 5071, kSourcesLinks = 5072, kHTMLLinks = 5073 };
constexpr CommandT kOKCommand = TVyWindow::kOKButton;
constexpr CommandT kCancelCommand = TVyWindow::kCancelButton;
} // namespace

const tMenuItems TSelectDlog::sLosingAlerts[] = {
    {1, 41}, {2, 43}, {3, 45}, {kEndOfMenuItems, kEndOfMenuItems}};
const tMenuItems TSelectDlog::sGainingAlerts[] = {
    {1, 40}, {2, 42}, {3, 44}, {kEndOfMenuItems, kEndOfMenuItems}};

TSelectDlog::TSelectDlog(LStream* inStream) : TVyWindow(inStream) {}

TSelectDlog::~TSelectDlog()
{
	// Closed by whatever means: the security must not keep this dialog.
	mDestroying = true;
	if (mSecurity != nullptr && mSecurity->GetSelectDlog() == this)
		mSecurity->CloseSelectDlog();
}

bool TSelectDlog::AttemptClose()
{
	if (mDestroying)
		return true;
	// The security forgets its dialog before asking it to close; one that did may be going away.
	if (mSecurity != nullptr && mSecurity->GetSelectDlog() != this)
		mSecurity = nullptr;
	TSecurity* const security = mSecurity;
	const ISelectDlog* const self = this;
	if (!TVyWindow::AttemptClose())
		return false;
	// Outside a dispatch the window is gone now, and its destructor made the security forget it.
	// Otherwise (close box) the security forgets it now, not only at its deletion.
	if (security != nullptr && security->GetSelectDlog() == self)
		security->CloseSelectDlog();
	return true;
}

void TSelectDlog::Show()
{
	TVyWindow::Show();
	Select();
}

void TSelectDlog::FinishCreateSelf()
{
	TVyWindow::FinishCreateSelf();
	if (mHasTabs) {
		mHeaders = FindPane<LTabsControl>(FOUR_CHAR_CODE("Tabs"));
		mPanelControl = FindPane<LMultiPanelView>(FOUR_CHAR_CODE("Pans"));
		if (mHeaders != nullptr && mPanelControl != nullptr)
			mHeaders->AddListener(mPanelControl);
	}
	auto makePanel = [this](SInt16 inNumber, ResIDT inLinks) -> LView* {
		if (inNumber <= 0 || mPanelControl == nullptr)
			return nullptr;
		LView* panel = mPanelControl->CreatePanel(UInt16(inNumber));
		SignalIfNot_(panel);
		if (panel != nullptr)
			UReanimator::LinkListenerToBroadcasters(this, panel, inLinks);
		return panel;
	};
	if ((mLosingAlertTab = makePanel(mLosingAlertPanel, kLosingLinks)) != nullptr)
		UAlertPanel::FindControls(this, 'l', mLosing);
	if ((mGainingAlertTab = makePanel(mGainingAlertPanel, kGainingLinks)) != nullptr)
		UAlertPanel::FindControls(this, 'g', mGaining);
	if ((mSourcesTab = makePanel(mSourcesPanel, kSourcesLinks)) != nullptr) {
		mSourcesOverride = FindPane<LCheckBoxGroupBox>(FOUR_CHAR_CODE("qOvr"));
		mSourcesQuoter = FindPane<LPopupButton>(FOUR_CHAR_CODE("qQtr"));
	}
	if ((mHTMLTab = makePanel(mHTMLPanel, kHTMLLinks)) != nullptr) {
		mHTMLOutput = FindPane<LCheckBoxGroupBox>(FOUR_CHAR_CODE("flHt"));
		mHTMLFilePath = FindPane<LStaticText>(FOUR_CHAR_CODE("flPt"));
		mHTMLText = FindPane<LTextEditView>(FOUR_CHAR_CODE("flTx"));
	}
}

void TSelectDlog::FillSourceMenu(LPopupButton* inPopup, SInt16 inSecurityType)
{
	mSourceMenuItems.reset(TQuoterManager::GetMenuItems(tSecurityType(inSecurityType), false));
	FillSourceTexts(inPopup, tSecurityType(inSecurityType));
}

void TSelectDlog::FillSourceTexts(LPopupButton* inPopup, tSecurityType inKind)
{
	FillSourceTexts(inPopup, TQuoterManager::GetMenuTexts(inKind, false));
}

void TSelectDlog::FillSourceTexts(LPopupButton* inPopup, const std::vector<std::string>& inTexts)
{
	if (inPopup == nullptr)
		return;
	inPopup->DeleteAllMenuItems();
	for (const std::string& text : inTexts) {
		Str255 item;
		pstrcpycn(item, text.c_str(), 255);
		// Source names are literal texts; only the separator is a line.
		inPopup->AppendMenu(item, text != "-");
	}
	inPopup->SetMenuMinMax();
}

void TSelectDlog::FillCurrencyMenu(LPopupButton* inPopup, const tMenuItems* inTable)
{
	FillTableMenu(inPopup, inTable, [](SInt32 inCode) {
		const char* text = TCurrencyManager::GetCurrencyName(tCurrency(inCode));
		return std::string(text != nullptr ? text : "");
	});
}

void TSelectDlog::FillTableMenu(LPopupButton* inPopup, const tMenuItems* inTable,
                                const std::function<std::string(SInt32 inValue)>& inName)
{
	if (inPopup == nullptr)
		return;
	inPopup->DeleteAllMenuItems();
	Str255 line;
	pstrcpycn(line, "-", 255);
	SInt32 item = 1;
	for (const tMenuItems* row = inTable; row->item != kEndOfMenuItems; ++row) {
		for (; item < row->item; ++item)
			inPopup->AppendMenu(line);
		Str255 text;
		pstrcpycn(text, inName(row->value).c_str(), 255);
		inPopup->AppendMenu(text, true);
		++item;
	}
	inPopup->SetMenuMinMax();
}

void TSelectDlog::ShowQuoter(LPopupButton* inPopup, OSType inSignature)
{
	if (inPopup != nullptr && mSourceMenuItems != nullptr)
		inPopup->SetValue(UMenus::TranslateMenu(true, mSourceMenuItems.get(), int(inSignature)));
}

OSType TSelectDlog::ChosenQuoter(LPopupButton* inPopup) const
{
	if (inPopup == nullptr || mSourceMenuItems == nullptr)
		return kNoQuoter;
	return OSType(UMenus::TranslateMenu(false, mSourceMenuItems.get(), inPopup->GetValue()));
}

void TSelectDlog::RedoIdentity(LEditText* inName, LEditText* inSymbol)
{
	SignalIfNot_(mSecurity);
	if (mSecurity == nullptr)
		return;
	SetFieldText(inName, mSecurity->SecurityName());
	SetTitle(mSecurity->SecurityName());
	SetFieldText(inSymbol, mSecurity->SecuritySymbol());
}

void TSelectDlog::SaveIdentity(LEditText* inName, LEditText* inSymbol, int inDefaultName)
{
	constexpr int kDefaultSymbol = 14;
	if (mSecurity == nullptr)
		return;
	char text[256];
	GetFieldText(inName, text);
	mSecurity->SecurityName(text[0] != 0 ? text : GetStockCString(inDefaultName));
	GetFieldText(inSymbol, text);
	mSecurity->SecuritySymbol(text[0] != 0 ? text : GetStockCString(kDefaultSymbol));
}

void TSelectDlog::BindSecurity(TSecurity* inSecurity, long inDefaultCommand)
{
	SignalIfNot_(inSecurity);
	mSecurity = inSecurity;
	mCommand = inDefaultCommand;
	RedoContent();
}

void TSelectDlog::UpdateSecurity()
{
	if (mSecurity != nullptr && gPreferences != nullptr)
		UZVUtils::UpdateSecurity(mSecurity, &gPreferences->losingAlert, &gPreferences->gainingAlert,
		                         &gPreferences->idling);
}

void TSelectDlog::ReportAndClose(CommandT inCommand)
{
	// A cancel names its security: a window with several dialogs open must know which one it was.
	if (LCommander* super = GetSuperCommander())
		super->ObeyCommand(inCommand, inCommand == kCancelledCommand ? mSecurity : nullptr);
	// The receiver may have deleted the security, which then closed this dialog already.
	if (mSecurity != nullptr)
		mSecurity->CloseSelectDlog();
	else
		TVyWindow::AttemptClose();
}

Boolean TSelectDlog::ObeyCommand(CommandT inCommand, void* ioParam)
{
	switch (inCommand) {
	case kOKCommand:
		if (!CheckAlertLimits())
			return true;
		SaveContent();
		ReportAndClose(mCommand);
		return true;
	case kCancelCommand:
		ReportAndClose(kCancelledCommand);
		return true;
	case msg_ChooseFile:
		ChooseOutputFile();
		return true;
	case msg_LosingSound:
	case msg_GainingSound:
		if (!mRedoing)
			UAlertPanel::PlaySound(inCommand == msg_LosingSound ? mLosing : mGaining);
		return true;
	default:
		return LWindow::ObeyCommand(inCommand, ioParam);
	}
}

void TSelectDlog::FindCommandStatus(CommandT inCommand, Boolean& outEnabled, Boolean&, UInt16&, Str255)
{
	// Menu commands are unavailable while the dialog is the target.
	outEnabled = inCommand == kOKCommand || inCommand == kCancelCommand;
}

bool TSelectDlog::SaveAlert(const tAlertControls& inControls, tAlertParameters* ioAlert,
                            const tMenuItems* inTable)
{
	ioAlert->emailNotice = 0;
	return UAlertPanel::Save(inControls, ioAlert, inTable);
}

bool TSelectDlog::CheckAlertLimits()
{
	const struct {
		LView* tab;
		SInt16 panel;
		const tAlertControls& controls;
	} alerts[] = {{mLosingAlertTab, mLosingAlertPanel, mLosing},
	              {mGainingAlertTab, mGainingAlertPanel, mGaining}};
	for (const auto& alert : alerts) {
		if (alert.tab == nullptr || UWindowPanes::IsNumber(alert.controls.value))
			continue;
		if (mHeaders != nullptr)
			mHeaders->SetValue(alert.panel);
		UWindowPanes::RefuseField(alert.controls.value);
		return false;
	}
	return true;
}

void TSelectDlog::RedoAlertContent()
{
	SignalIfNot_(mSecurity);
	if (mSecurity == nullptr)
		return;
	mRedoing = true;
	if (mLosingAlertTab != nullptr)
		UAlertPanel::Redo(mLosing, mSecurity->AlertLosingParameters(),
		                  mSecurity->OverrideLosingAlert(), sLosingAlerts);
	if (mGainingAlertTab != nullptr)
		UAlertPanel::Redo(mGaining, mSecurity->AlertGainingParameters(),
		                  mSecurity->OverrideGainingAlert(), sGainingAlerts);
	mRedoing = false;
}

void TSelectDlog::SaveAlertContent()
{
	SignalIfNot_(mSecurity);
	if (mSecurity == nullptr)
		return;
	if (mLosingAlertTab != nullptr && mLosing.override != nullptr)
		mSecurity->OverrideLosingAlert(
		    SaveAlert(mLosing, mSecurity->AlertLosingParameters(), sLosingAlerts));
	if (mGainingAlertTab != nullptr && mGaining.override != nullptr)
		mSecurity->OverrideGainingAlert(
		    SaveAlert(mGaining, mSecurity->AlertGainingParameters(), sGainingAlerts));
}

void TSelectDlog::RedoSourcesContent()
{
	if (mSecurity == nullptr || mSourcesTab == nullptr)
		return;
	if (mSourcesOverride != nullptr)
		mSourcesOverride->SetValue(mSecurity->OverrideQuoter() ? 1 : 0);
	ShowQuoter(mSourcesQuoter, mSecurity->Quoter());
}

void TSelectDlog::SaveSourcesContent()
{
	if (mSecurity == nullptr || mSourcesTab == nullptr)
		return;
	if (mSourcesOverride != nullptr)
		mSecurity->OverrideQuoter(mSourcesOverride->GetValue() != 0);
	if (mSourcesQuoter != nullptr)
		mSecurity->Quoter(ChosenQuoter(mSourcesQuoter));
}

void TSelectDlog::RedoHTMLContent()
{
	if (mSecurity == nullptr || mHTMLTab == nullptr)
		return;
	if (mHTMLOutput != nullptr)
		mHTMLOutput->SetValue(mSecurity->OutputFileEnabled() ? 1 : 0);
	RedoFilePath();
	if (mHTMLText != nullptr) {
		const char* text = mSecurity->FileText();
		if (text == nullptr)
			text = "";
		mHTMLText->SetTextPtr(text, SInt32(std::strlen(text)));
	}
}

void TSelectDlog::RedoFilePath()
{
	if (mHTMLFilePath == nullptr)
		return;
	TVyFile* file =
	    mChosenFile != nullptr ? mChosenFile.get() : (mSecurity ? mSecurity->OutputFile() : nullptr);
	// The path as this system writes it, not the file layer's volume form.
	std::string path;
	FSSpec spec;
	if (file == nullptr || file->GetFSSpec(&spec) != 0 || FSpGetPOSIXPath(&spec, &path) != noErr ||
	    path.empty())
		path = "<none>";
	Str255 text;
	pstrcpycn(text, path.c_str(), 255);
	mHTMLFilePath->SetDescriptor(text);
}

void TSelectDlog::SaveHTMLContent()
{
	if (mSecurity == nullptr || mHTMLTab == nullptr)
		return;
	if (mHTMLOutput != nullptr)
		mSecurity->OutputFileEnabled(mHTMLOutput->GetValue() != 0);
	if (mChosenFile != nullptr)
		mSecurity->OutputFile(mChosenFile.release());
	if (mHTMLText != nullptr) {
		const std::string text = mHTMLText->GetText();
		mSecurity->FileText(text.empty() ? nullptr : text.data(), long(text.size()));
	}
}

void TSelectDlog::ChooseOutputFile()
{
	// Only the place is asked for here: the file is written after updates once OK has handed it over.
	tNavRequest request;
	request.kind = tNavRequest::kSaveFile;
	request.defaultName = "";
	request.optionFlags = 0xF4;
	const tNavReply reply = TVyFileUtils::Ask(request);
	if (reply.accepted && RefuseDocumentFile(reply.spec))
		return;
	mChosenFile.reset();
	if (reply.accepted) {
		FSSpec spec = reply.spec;
		mChosenFile = std::make_unique<TVyFile>(&spec);
	}
	RedoFilePath();
}

bool TSelectDlog::RefuseDocumentFile(const FSSpec& inSpec)
{
	std::string path;
	UNavServicesDialogs::tUnusableChoice choice;
	if (FSpGetPOSIXPath(&inSpec, &path) != noErr || !LDocument::HeldFileReason(path, &choice.reason))
		return false;
	choice.name = PascalStrings::ToString(inSpec.name);
	UNavServicesDialogs::TellUnusable(choice);
	return true;
}

void TSelectDlog::SetTitle(const char* inText)
{
	Str255 title;
	pstrcpycn(title, inText, 255);
	SetDescriptor(title);
}
