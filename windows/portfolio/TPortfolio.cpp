#include "windows/portfolio/TPortfolio.h"

#include "app/TStockPlugin.h"
#include "app/kestrunApp.h"
#include "foundation/TVyFile.h"
#include "foundation/UMenus.h"
#include "model/StockGlobals.h"
#include "model/TAccountant.h"
#include "model/UPortfolioFile.h"
#include "model/UZVUtils.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/StPrintSession.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/framework/UNavServicesDialogs.h"
#include "platform/framework/UPrinting.h"
#include "platform/framework/URefusedFiles.h"
#include "platform/toolbox/Debugging.h"
#include "toolkit/StKsDialog.h"
#include "toolkit/UKsDialogs.h"
#include "windows/portfolio/TPortfolioWindow.h"
#include "windows/portfolio/ULedgerMenus.h"
#include "windows/security/UTablePrinting.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace
{

constexpr PaneIDT kCurrencyPopup = FOUR_CHAR_CODE("Crnc");
constexpr PaneIDT kPasswordField = FOUR_CHAR_CODE("pswd");
constexpr int kUntitledString = 5;
constexpr int kNumberedUntitledString = 6;
constexpr tCurrency kOpeningCurrency = 100;

// The base currency the user chooses for a new portfolio; false when the dialog went away unanswered.
bool AskBaseCurrency(tCurrency* outCurrency)
{
	StKsDialog dialog(kPortfolioCurrencyDialog);
	auto* popup = dynamic_cast<LPopupButton*>(dialog.FindPane(kCurrencyPopup));
	const std::vector<tMenuItems> items = ULedgerMenus::FillCurrencyMenu(popup);
	const tMenuItems* table = items.data();
	if (popup != nullptr)
		popup->SetValue(UMenus::TranslateMenu(true, table, kOpeningCurrency));
	dialog.Show();
	// Only OK ends the dialog; a dialog closed some other way cannot be asked again.
	while (dialog.Run() != msg_OK)
		if (dialog.GetDialog() == nullptr)
			return false;
	popup = dynamic_cast<LPopupButton*>(dialog.FindPane(kCurrencyPopup));
	*outCurrency = popup != nullptr ? tCurrency(UMenus::TranslateMenu(false, table, popup->GetValue()))
	                                : kOpeningCurrency;
	return true;
}

bool SameText(ConstStr255Param inFirst, ConstStr255Param inSecond)
{
	return inFirst[0] == inSecond[0] && std::memcmp(inFirst + 1, inSecond + 1, inFirst[0]) == 0;
}

} // namespace

TPortfolio::TPortfolio(LCommander* inSuper) : LSingleDoc(inSuper) {}

TPortfolio::~TPortfolio() = default;

TPortfolio* TPortfolio::New(LCommander* inSuper)
{
	tCurrency base = kOpeningCurrency;
	if (!AskBaseCurrency(&base))
		return nullptr;
	auto* document = new TPortfolio(inSuper);
	UPortfolioFile::DefaultParameters(&document->mParameters, base);
	// A new portfolio's alerts take the colours of the user's own alerts.
	UZVUtils::DefaultAlert(&document->mParameters.losingAlert, true);
	UZVUtils::DefaultAlert(&document->mParameters.gainingAlert, false);
	if (!document->MakeWindow()) {
		delete document;
		return nullptr;
	}
	document->NameUntitled();
	document->SetModified(true);
	document->TakeSavedCopies();
	document->HandOverLists();
	document->mWindow->Show();
	return document;
}

TPortfolio* TPortfolio::Open(LCommander* inSuper, FSSpec* inSpec)
{
	SignalIf_(inSpec == nullptr);
	if (inSpec == nullptr)
		return nullptr;
	if (TPortfolio* open = FindByFile(*inSpec)) {
		if (LWindow* window = open->GetWindow())
			window->Select();
		return open;
	}
	auto* document = new TPortfolio(inSuper);
	// Everything is read and the password asked before a window exists, so a refusal leaves nothing.
	if (!document->ReadFile(inSpec) || !document->AskPassword() || !document->MakeWindow()) {
		delete document;
		return nullptr;
	}
	document->mWindow->SetDescriptor(inSpec->name);
	document->TakeSavedCopies();
	// Before the window asks about unknown securities: removing their entries is a change to keep.
	document->ClearModified();
	document->HandOverLists();
	document->mWindow->Show();
	return document;
}

void TPortfolio::Print(LCommander* inSuper, FSSpec* inSpec)
{
	if (TPortfolio* document = Open(inSuper, inSpec))
		UTablePrinting::Print([document] { document->DoPrint(); });
}

void TPortfolio::InstallHooks()
{
	kestrunApp::tDocumentHandlers handlers;
	handlers.open = [](LCommander* inSuper, FSSpec* inSpec) {
		TVyFile file(inSpec);
		tFileInformation info;
		// Files without a recorded type are judged by their tag.
		if (TPortfolio* open = FindByFile(*inSpec); open == nullptr && file.GetInfo(&info) == 0 &&
		                                            info.type != 0 &&
		                                            info.type != UPortfolioFile::kFileType)
			return;
		Open(inSuper, inSpec);
	};
	handlers.print = &TPortfolio::Print;
	handlers.makeNew = [](LCommander* inSuper) -> LModelObject* { return New(inSuper); };
	kestrunApp::SetDocumentHandlers(handlers);
	UNavServicesDialogs::RegisterDocumentKind({UPortfolioFile::kFileType,
	                                           QStringLiteral("Portfolios"),
	                                           QStringLiteral("Open Portfolio"),
	                                           QStringLiteral("Save Portfolio As"),
	                                           {UPortfolioFile::kTag, UPortfolioFile::kOldTag}});
	TAccountant::SetSecurityFinder(&TPortfolio::GetSecurity);
}

bool TPortfolio::ReadFile(FSSpec* inSpec)
{
	mFile = std::make_unique<TVyFile>(inSpec);
	UPortfolioFile::DefaultParameters(&mParameters, kOpeningCurrency);
	// The messages name the file as its window's title would.
	ParamText(inSpec->name, nullptr, nullptr, nullptr);
	UInt32 tag = 0;
	short err = UPortfolioFile::ReadTag(mFile.get(), &tag);
	if (err == 0 && tag == UPortfolioFile::kOldTag && UPortfolioFile::GetConverter() != nullptr) {
		UKsDialogs::ErrorDialog(kMsgPortfolioConverting);
		err = UPortfolioFile::GetConverter()(mFile.get());
		// Bytes that are no portfolio are told below; a converted file that could not be written is
		// told with its reason.
		if (err != 0 && err != kVyFileEOF && err != kPortfolioWrongTag && err != kPortfolioDamaged) {
			Str255 reason;
			LDocument::GetSaveFailureReason(err, reason);
			ParamText(inSpec->name, reason, nullptr, nullptr);
			UKsDialogs::ErrorDialog(kMsgPortfolioNotConverted);
			return false;
		}
	}
	if (err == 0)
		err = UPortfolioFile::ReadPortfolio(mFile.get(), &mParameters, &mCategories, &mLedger);
	if (err == 0) {
		mFileSpec = *inSpec;
		SetSpecified(true);
		return true;
	}
	// Bytes that are no portfolio are the file's fault; anything else kept the file from being opened or
	// read, and is told as a script or the Open dialog would have been told it.
	if (err == kVyFileEOF || err == kPortfolioWrongTag || err == kPortfolioDamaged ||
	    err == kPortfolioOldFormat) {
		ParamText(inSpec->name, nullptr, nullptr, nullptr); // a conversion may have shown others
		UKsDialogs::ErrorDialog(err == kPortfolioOldFormat ? kMsgPortfolioOldFormat
		                                                   : kMsgPortfolioUnreadable);
	} else {
		URefusedFiles::Show({URefusedFiles::NotOpened(*inSpec)});
	}
	return false;
}

bool TPortfolio::AskPassword()
{
	if (!mParameters.passwordSet)
		return true;
	ParamText(mFileSpec.name, nullptr, nullptr, nullptr);
	Str255 typed;
	if (UKsDialogs::StringDialog(kPortfolioPasswordDialog, kPasswordField, typed) != msg_OK)
		return false;
	const std::size_t length = strnlen(mParameters.password, sizeof(mParameters.password));
	if (typed[0] == length && std::memcmp(typed + 1, mParameters.password, length) == 0)
		return true;
	// Another alert may have come up while the dialog was open.
	ParamText(mFileSpec.name, nullptr, nullptr, nullptr);
	UKsDialogs::ErrorDialog(kMsgPortfolioPassword);
	return false;
}

bool TPortfolio::MakeWindow()
{
	mWindow = LWindow::CreateWindow(kPortfolioWindowLayout, this);
	SignalIf_(dynamic_cast<TPortfolioWindow*>(mWindow) == nullptr);
	return dynamic_cast<TPortfolioWindow*>(mWindow) != nullptr;
}

TPortfolioWindow* TPortfolio::GetPortfolioWindow() const
{
	return dynamic_cast<TPortfolioWindow*>(GetWindow());
}

void TPortfolio::NameUntitled()
{
	auto taken = [](ConstStr255Param inTitle) {
		for (LWindow* window : LWindow::GetWindowList()) {
			Str255 title;
			window->GetDescriptor(title);
			if (SameText(title, inTitle))
				return true;
		}
		return false;
	};
	Str255 title;
	std::memcpy(title, GetStockString(kUntitledString), GetStockString(kUntitledString)[0] + 1u);
	for (int n = 2; taken(title) && n < 10000; ++n) {
		const unsigned char* prefix = GetStockString(kNumberedUntitledString);
		char text[256];
		const int length = std::snprintf(text, sizeof(text), "%.*s%d", int(prefix[0]), prefix + 1, n);
		title[0] = UInt8(std::min(length, 255));
		std::memcpy(title + 1, text, title[0]);
	}
	mWindow->SetDescriptor(title);
}

void TPortfolio::TakeSavedCopies()
{
	mSavedParameters = mParameters;
	mSavedCategories = mCategories;
	mSavedLedger = mLedger;
}

void TPortfolio::HandOverLists()
{
	if (TPortfolioWindow* window = GetPortfolioWindow())
		window->SetList(&mCategories, &mLedger, &mParameters);
}

Boolean TPortfolio::IsModified()
{
	const TPortfolioWindow* window = GetPortfolioWindow();
	return mCategories.IsModified() || mLedger.IsModified() || mIsModified ||
	       (window != nullptr && window->HoldsUnappliedEdits());
}

SInt16 TPortfolio::AskSaveChanges(SInt16 inSaveWhen)
{
	const SInt16 answer = LSingleDoc::AskSaveChanges(inSaveWhen);
	TPortfolioWindow* window = GetPortfolioWindow();
	if (answer == answer_Save && window != nullptr && !window->ApplyEditors())
		return answer_Cancel;
	return answer;
}

void TPortfolio::ClearModified()
{
	mCategories.ClearModified();
	mLedger.ClearModified();
	mIsModified = false;
}

StringPtr TPortfolio::GetDescriptor(Str255 outDescriptor) const
{
	if (IsSpecified() && mFile) {
		tFileInformation info;
		if (mFile->GetInfo(&info) == 0) {
			const std::size_t length = strnlen(info.name, sizeof(info.name));
			outDescriptor[0] = UInt8(length);
			std::memcpy(outDescriptor + 1, info.name, length);
		}
		return outDescriptor;
	}
	return LSingleDoc::GetDescriptor(outDescriptor);
}

OSType TPortfolio::GetFileType() const
{
	return UPortfolioFile::kFileType;
}

OSErr TPortfolio::DoSave()
{
	if (!mFile)
		return kVyFileBadParam;
	if (TPortfolioWindow* window = GetPortfolioWindow())
		window->SaveParameters();
	const short err = SavePortfolio(mFile.get(), &mParameters, &mCategories, &mLedger);
	if (err != 0)
		return err;
	// Copies that an interrupted save left beside the file go with the next save.
	mFile->RemoveStaleCopies();
	// Revert goes back to what was last saved.
	TakeSavedCopies();
	ClearModified();
	return 0;
}

void TPortfolio::DoAESave(FSSpec& inFileSpec, OSType)
{
	if (RefuseFileOfOther(inFileSpec))
		return;
	auto file = std::make_unique<TVyFile>(&inFileSpec);
	file->SetMakeNew(SavesToNewName());
	std::swap(mFile, file);
	const short err = DoSave();
	if (err != 0) {
		// The document stays with the file it had, under which the alert names it.
		std::swap(mFile, file);
		ShowSaveFailure(err, &inFileSpec);
		return;
	}
	mFileSpec = inFileSpec;
	SetSpecified(true);
	if (LWindow* window = GetWindow())
		window->SetDescriptor(inFileSpec.name);
}

void TPortfolio::DoRevert()
{
	if (TPortfolioWindow* window = GetPortfolioWindow())
		window->CancelEditors();
	mParameters = mSavedParameters;
	mCategories = mSavedCategories;
	mLedger = mSavedLedger;
	ClearModified();
	HandOverLists();
}

void TPortfolio::HandlePrint()
{
	UTablePrinting::AskAndPrint([this] { DoPrint(); });
}

void TPortfolio::DoPrint()
{
	StPrintSession session(UPrinting::GetAppPrintSpec());
	if (TPortfolioWindow* window = GetPortfolioWindow())
		window->DoPrint();
}

short TPortfolio::SavePortfolio(TVyFile* inFile, tPortfolioParameters* inParameters,
                                TList<tCategory>* inCategories, TList<tLedgerEntry>* inLedger)
{
	return UPortfolioFile::SavePortfolio(inFile, inParameters, inCategories, inLedger);
}

TPortfolio* TPortfolio::FindByFile(const FSSpec& inSpec)
{
	return dynamic_cast<TPortfolio*>(LDocument::FindDocumentOn(inSpec));
}

short TPortfolio::SaveOpenPortfolios(TVyFile* inStream)
{
	std::vector<TPortfolio*> portfolios;
	for (LDocument* document : LDocument::GetDocumentList())
		if (auto* portfolio = dynamic_cast<TPortfolio*>(document);
		    portfolio != nullptr && portfolio->mFile)
			portfolios.push_back(portfolio);
	// Host order, as the list has always been kept.
	UInt32 count = UInt32(portfolios.size());
	if (short err = inStream->Write(&count, sizeof(count)); err != 0)
		return err;
	for (TPortfolio* portfolio : portfolios)
		if (short err = portfolio->mFile->Backup(inStream); err != 0)
			return err;
	return 0;
}

short TPortfolio::RestoreOpenPortfolios(TVyFile* inStream)
{
	UInt32 count = 0;
	unsigned long size = sizeof(count);
	if (short err = inStream->Read(&count, &size); err != 0)
		return err;
	if (size != sizeof(count))
		return kVyFileEOF;
	for (UInt32 i = 0; i < count; ++i) {
		TVyFile file;
		if (short err = file.Restore(inStream); err != 0)
			return err;
		FSSpec spec;
		if (file.GetFSSpec(&spec) == 0)
			Open(LCommander::GetDefaultCommander(), &spec);
	}
	return 0;
}

TSecurity* TPortfolio::GetSecurity(const tLedgerEntry* inEntry)
{
	return TStockPlugin::GetSecurity(inEntry);
}

bool TPortfolio::IsUnknownEntry(const tLedgerEntry* inEntry)
{
	return inEntry != nullptr && TAccountant::NamesASecurity(inEntry->type) &&
	       GetSecurity(inEntry) == nullptr;
}
