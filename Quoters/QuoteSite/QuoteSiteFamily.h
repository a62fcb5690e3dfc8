#pragma once
// Registers the family's sources with the quoter manager: 'PCQt', 'QTCM'.

void RegisterQuoteSiteQuoters();
