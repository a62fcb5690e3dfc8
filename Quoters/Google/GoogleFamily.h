#pragma once
// Registers the family's source with the quoter manager: 'Goog'.

void RegisterGoogleQuoters();
