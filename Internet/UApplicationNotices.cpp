#include "Internet/UApplicationNotices.h"

#include <utility>

namespace
{

UApplicationNotices::tHooks& Hooks()
{
	static UApplicationNotices::tHooks sHooks;
	return sHooks;
}

} // namespace

void UApplicationNotices::Install(tHooks hooks)
{
	Hooks() = std::move(hooks);
}

void UApplicationNotices::SysBeep()
{
	if (Hooks().sysBeep)
		Hooks().sysBeep();
}

void UApplicationNotices::NewVersion(const char* text, long number)
{
	if (Hooks().newVersion)
		Hooks().newVersion(text, number);
}

void UApplicationNotices::VersionMessage(const char* message)
{
	if (Hooks().versionMessage)
		Hooks().versionMessage(message);
}

void UApplicationNotices::UpgradePage(const char* address)
{
	if (Hooks().upgradePage)
		Hooks().upgradePage(address);
}

void UApplicationNotices::OpenVersionWindow()
{
	if (Hooks().openVersionWindow)
		Hooks().openVersionWindow();
}

void UApplicationNotices::VersionCheckFailed()
{
	if (Hooks().versionCheckFailed)
		Hooks().versionCheckFailed();
}
