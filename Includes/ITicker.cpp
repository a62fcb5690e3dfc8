#include "Includes/ITicker.h"

#include <utility>

namespace
{

std::function<ITicker*(unsigned long)>& Lookup()
{
	static std::function<ITicker*(unsigned long)> sLookup;
	return sLookup;
}

} // namespace

ITicker* GetTickerByID(unsigned long id)
{
	return Lookup() ? Lookup()(id) : nullptr;
}

void SetTickerLookup(std::function<ITicker*(unsigned long)> lookup)
{
	Lookup() = std::move(lookup);
}
