#pragma once
// The securities plug-in's globals. The application fills them at start-up; until then the pointers are
// null and the string tables empty.

#include "Includes/tKestrunPrefs.h"
#include "Includes/tStockTickerPrefs.h"

constexpr int kStockStringCount = 13;
constexpr int kStockCStringCount = 44;

extern tStockTickerPrefs* gPreferences;
extern tKestrunPrefs* gAppPreferences;
// Length-prefixed texts of string list 5000, entry i being item i + 1.
extern const unsigned char* gStockStrings[kStockStringCount];
// C texts of string list 5001, entry i being item i + 1.
extern const char* gStockCStrings[kStockCStringCount];

// Entry i, or an empty text when the entry is null or i is outside the table.
const unsigned char* GetStockString(int index);
const char* GetStockCString(int index);
