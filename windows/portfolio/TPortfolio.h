#pragma once
// A portfolio document: its parameters, categories and ledger, its file and its one window. Revert goes back
// to the state of the last save (or of the opening). Documents are made through Open and New, which answer
// null when the portfolio did not open.

#include "Includes/TList.h"
#include "Includes/tCategory.h"
#include "Includes/tLedgerEntry.h"
#include "Includes/tPortfolioParameters.h"
#include "platform/framework/LSingleDoc.h"

#include <memory>

class TPortfolioWindow;
class TSecurity;
class TVyFile;

// Plug-in messages of the document (string list 5002).
enum : SInt16 {
	kMsgPortfolioConverting = 11,
	kMsgPortfolioUnreadable = 12,
	kMsgPortfolioPassword = 14,
	kMsgPortfolioOldFormat = 22,
	kMsgPortfolioNotConverted = 28
};

enum : ResIDT {
	kPortfolioWindowLayout = 5040,
	kPortfolioPasswordDialog = 5051,
	kPortfolioCurrencyDialog = 5053
};

class TPortfolio : public LSingleDoc
{
public:
	// Opens the file under inSuper: a portfolio already open for it is brought forward instead. Null when
	// the file could not be opened, the password was refused, or it was not a portfolio.
	static TPortfolio* Open(LCommander* inSuper, FSSpec* inSpec);
	// A new untitled portfolio after the user chose its base currency.
	static TPortfolio* New(LCommander* inSuper);
	// Opens the file and prints it; a portfolio already open is printed as it stands.
	static void Print(LCommander* inSuper, FSSpec* inSpec);
	// Fills the application's document hook and the accountant's security finder.
	static void InstallHooks();

	~TPortfolio() override;

	// Also while its window's ledger, entry or settings windows hold edits not yet applied.
	Boolean IsModified() override;
	// Save keeps what those windows hold, as their OK would; one that refuses its input cancels.
	SInt16 AskSaveChanges(SInt16 inSaveWhen) override;
	StringPtr GetDescriptor(Str255 outDescriptor) const override;
	OSType GetFileType() const override;
	void DoAESave(FSSpec& inFileSpec, OSType inFileType) override;
	OSErr DoSave() override;
	void DoRevert() override;
	void HandlePrint() override;
	void DoPrint() override;
	virtual void ClearModified();
	void SetPrintFrameSize() {}

	static short SavePortfolio(TVyFile* inFile, tPortfolioParameters* inParameters,
	                           TList<tCategory>* inCategories, TList<tLedgerEntry>* inLedger);
	// The open portfolio of that file, however it is named (a link, another path to its folder), or null.
	static TPortfolio* FindByFile(const FSSpec& inSpec);
	static short SaveOpenPortfolios(TVyFile* inStream);
	static short RestoreOpenPortfolios(TVyFile* inStream);
	static TSecurity* GetSecurity(const tLedgerEntry* inEntry);
	// An entry whose security the plug-in should have but does not; "Other" entries never are.
	static bool IsUnknownEntry(const tLedgerEntry* inEntry);

	TPortfolioWindow* GetPortfolioWindow() const;
	TVyFile* GetFile() const { return mFile.get(); }
	tPortfolioParameters* GetParameters() { return &mParameters; }
	TList<tCategory>* GetCategories() { return &mCategories; }
	TList<tLedgerEntry>* GetLedger() { return &mLedger; }

protected:
	explicit TPortfolio(LCommander* inSuper);

private:
	bool MakeWindow();
	bool ReadFile(FSSpec* inSpec);
	bool AskPassword();
	void NameUntitled();
	void TakeSavedCopies();
	void HandOverLists();

	std::unique_ptr<TVyFile> mFile;
	tPortfolioParameters mParameters;
	tPortfolioParameters mSavedParameters;
	TList<tCategory> mCategories{true, true};
	TList<tCategory> mSavedCategories{true, true};
	TList<tLedgerEntry> mLedger{true, true};
	TList<tLedgerEntry> mSavedLedger{true, true};
};
