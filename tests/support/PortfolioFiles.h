#pragma once
// Portfolio files as the tests hand them to the program: default parameters in currency 100, the entries
// given, and a password when one is given.

#include "Includes/TList.h"
#include "foundation/TVyFile.h"
#include "model/UPortfolioFile.h"
#include "platform/toolbox/Files.h"

#include <cstring>
#include <string>
#include <vector>

namespace PortfolioFiles
{

// One entry of that type, exchange and symbol, for an amount of 1.
inline tLedgerEntry Entry(UInt8 inType, SInt16 inExchange, const char* inSymbol)
{
	tLedgerEntry entry;
	UPortfolioFile::DefaultEntry(&entry, inType, inExchange, 100);
	std::strncpy(entry.symbol, inSymbol, tLedgerEntry::kSymbolSize - 1);
	entry.amount = 1;
	return entry;
}

// 0, or the error of the save.
inline short Write(const std::string& inPath, std::vector<tLedgerEntry> inEntries,
                   const char* inPassword = nullptr)
{
	tPortfolioParameters parameters;
	UPortfolioFile::DefaultParameters(&parameters, 100);
	if (inPassword != nullptr) {
		parameters.passwordSet = 1;
		std::strncpy(parameters.password, inPassword, sizeof(parameters.password) - 1);
	}
	TList<tCategory> categories{true, true};
	TList<tLedgerEntry> ledger{true, true};
	for (tLedgerEntry& entry : inEntries)
		ledger.Append(&entry);
	FSSpec spec;
	if (const OSErr err = FSPathMakeFSSpec(inPath, &spec); err != noErr)
		return err;
	TVyFile file(&spec);
	return UPortfolioFile::SavePortfolio(&file, &parameters, &categories, &ledger);
}

} // namespace PortfolioFiles
