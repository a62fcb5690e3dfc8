#pragma once
// Registers the regional Yahoo sources with the quoter manager: 'YaIN', 'YaAZ', 'YaJP'.

void RegisterYahooRegionalQuoters();
