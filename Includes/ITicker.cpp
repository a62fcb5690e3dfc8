#include "Includes/ITicker.h"

#include <utility>

namespace
{

std::function<ITicker*(unsigned long)>& Lookup()
{
	static std::function<ITicker*(unsigned long)> sLookup;
	return sLookup;
}

std::function<bool(unsigned long)>& ExistsCheck()
{
	static std::function<bool(unsigned long)> sExists;
	return sExists;
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

bool TickerExists(unsigned long id)
{
	return GetTickerByID(id) != nullptr || (ExistsCheck() && ExistsCheck()(id));
}

void SetTickerExistsCheck(std::function<bool(unsigned long)> exists)
{
	ExistsCheck() = std::move(exists);
}
