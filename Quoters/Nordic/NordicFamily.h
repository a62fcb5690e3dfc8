#pragma once
// Registers the family's sources with the quoter manager: 'Akti', 'NGMk'.

void RegisterNordicQuoters();
