#pragma once
// Registers the family's source with the quoter manager: 'SwQt'.

void RegisterSwissQuoteQuoters();
