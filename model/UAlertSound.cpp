#include "model/UAlertSound.h"

#include <utility>

namespace
{

UAlertSound::Player& ThePlayer()
{
	static UAlertSound::Player sPlayer;
	return sPlayer;
}

} // namespace

void UAlertSound::SetPlayer(Player player)
{
	ThePlayer() = std::move(player);
}

void UAlertSound::PlaySound(long soundNumber)
{
	if (ThePlayer())
		ThePlayer()(soundNumber);
}
