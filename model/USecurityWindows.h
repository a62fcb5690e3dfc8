#pragma once
// Makes the detail window and edit dialog of each kind of security. The security windows install one maker
// per kind at start-up: detail windows 5102, 5202, 5302 and 5402 under the application, edit dialogs 5101,
// 5201, 5301 and 5401 under the given commander. A maker answers null when the window cannot be made.

#include "model/IDetailWindow.h"
#include "model/ISelectDlog.h"
#include "model/SecurityTypes.h"

#include <functional>

class LCommander;

class USecurityWindows
{
public:
	using DetailWindowMaker = std::function<IDetailWindow*()>;
	using SelectDlogMaker = std::function<ISelectDlog*(LCommander* super)>;

	static void SetDetailWindowMaker(tSecurityType kind, DetailWindowMaker maker);
	static void SetSelectDlogMaker(tSecurityType kind, SelectDlogMaker maker);
	// Forgets every maker.
	static void Clear();

	// Null when the kind has no maker or the maker fails.
	static IDetailWindow* MakeDetailWindow(tSecurityType kind);
	static ISelectDlog* MakeSelectDlog(tSecurityType kind, LCommander* super);
};
