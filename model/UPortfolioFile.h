#pragma once
// The portfolio file: a tag, the parameters, the categories and the ledger, big-endian. Also the defaults of
// new records, the password's stored form and the category signatures that ledger entries refer to.

#include "Includes/TList.h"
#include "Includes/tCategory.h"
#include "Includes/tLedgerEntry.h"
#include "Includes/tPortfolioParameters.h"
#include "model/MarketCodes.h"
#include "platform/toolbox/MacTypes.h"

class TVyFile;

// Results of reading a portfolio besides the file errors.
enum : short {
	kPortfolioWrongTag = 2001,  // not a portfolio file
	kPortfolioOldFormat = 2002, // a former version's file, to be converted first
	kPortfolioDamaged = 2003    // counts that do not fit the file
};

class UPortfolioFile
{
public:
	static constexpr OSType kFileType = FOUR_CHAR_CODE("zvFL");
	static constexpr OSType kCreator = FOUR_CHAR_CODE("zVRN");
	static constexpr UInt32 kTag = FOUR_CHAR_CODE("zv22");
	static constexpr UInt32 kOldTag = FOUR_CHAR_CODE("zv20");
	static constexpr unsigned long kEmptySize = 4 + tPortfolioParameters::kStoredSize + 4 + 4;
	static constexpr std::size_t kMaxPasswordLength = tPortfolioParameters::kPasswordSize - 1;

	// Converts a former version's file in place into a current one; 0 when it did. Until one is
	// installed such files are refused.
	using tConverter = short (*)(TVyFile* file);
	static void SetConverter(tConverter converter) { sConverter = converter; }
	static tConverter GetConverter() { return sConverter; }

	// Writes the whole file (created with the portfolio type when missing) through a safe replacement:
	// a failed write leaves the former file as it was. 0 or the first error.
	static short SavePortfolio(TVyFile* file, const tPortfolioParameters* parameters,
	                           TList<tCategory>* categories, TList<tLedgerEntry>* ledger);
	// The first four bytes, big-endian; a file error when they cannot be read.
	static short ReadTag(TVyFile* file, UInt32* tag);
	// Reads a whole current file, appending copies to the lists; the password comes back plain.
	// kPortfolioOldFormat or kPortfolioWrongTag for files of other tags, which are left untouched.
	static short ReadPortfolio(TVyFile* file, tPortfolioParameters* parameters,
	                           TList<tCategory>* categories, TList<tLedgerEntry>* ledger);

	static void DefaultParameters(tPortfolioParameters* parameters, tCurrency baseCurrency);
	static void DefaultCategory(tCategory* category, const char* name);
	static void DefaultEntry(tLedgerEntry* entry, UInt8 type, SInt16 exchange, tCurrency currency);

	// In place, up to the terminating zero.
	static void ScramblePassword(char* password);
	static void UnscramblePassword(char* password);
	// Whether a password can be stored and read back whole: it fits the field and its stored form has no
	// zero byte. The settings window refuses the others.
	static bool IsPasswordStorable(const char* password);

	// Gives the category a signature no other category of the list has, unless it has one: a renamed
	// category keeps its signature and so its entries.
	static void AssignSignature(TList<tCategory>* categories, tCategory* category);

private:
	static tConverter sConverter;
};
