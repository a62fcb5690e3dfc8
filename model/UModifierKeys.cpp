#include "model/UModifierKeys.h"

#include <utility>

namespace
{

UModifierKeys::Source& TheSource()
{
	static UModifierKeys::Source sSource;
	return sSource;
}

} // namespace

void UModifierKeys::SetSource(Source source)
{
	TheSource() = std::move(source);
}

UModifierKeys::tKeys UModifierKeys::Keys()
{
	return TheSource() ? TheSource()() : tKeys{};
}
