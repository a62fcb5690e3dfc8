#include "platform/framework/URegistrar.h"

#include <map>

namespace
{
std::map<ClassIDT, ClassCreatorFunc>& Table()
{
	static std::map<ClassIDT, ClassCreatorFunc> table;
	return table;
}
} // namespace

void URegistrar::RegisterClass(ClassIDT inClassID, ClassCreatorFunc inCreator)
{
	Table()[inClassID] = inCreator;
}

void URegistrar::UnregisterClass(ClassIDT inClassID)
{
	Table().erase(inClassID);
}

Boolean URegistrar::IsRegistered(ClassIDT inClassID)
{
	return Table().count(inClassID) != 0;
}

LPane* URegistrar::CreateObject(ClassIDT inClassID, LStream* inStream)
{
	auto it = Table().find(inClassID);
	return it == Table().end() ? nullptr : it->second(inStream);
}

void URegistrar::DisposeClassTable()
{
	Table().clear();
}
