#pragma once
// Makes the ticklet that shows a security on a ticker. The ticker display installs the maker at start-up;
// without one a security gets no ticklets.

#include "Includes/TTicklet.h"

#include <functional>

class TSecurity;

class USecurityTicklets
{
public:
	using TickletMaker = std::function<TTicklet*(TSecurity*)>;

	static void SetTickletMaker(TickletMaker maker);
	// A new ticklet that the caller owns, or null.
	static TTicklet* MakeTicklet(TSecurity* security);
};
