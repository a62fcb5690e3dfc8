#pragma once
// The quote-source families. Each family's registration function registers its source classes with
// TQuoterManager::RegisterQuoterClass; RegisterQuoterFamilies calls those of the families that are built.

void RegisterQuoterFamilies();

void RegisterYahooQuoters();    // Quoters/Yahoo/
void RegisterCurrencyQuoters(); // Quoters/Currency/
