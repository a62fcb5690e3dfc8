#pragma once
// Registers the family's sources with the quoter manager: 'iMNY', 'GlbM' ('eNRT' is never registered).

void RegisterCanadianQuoters();
