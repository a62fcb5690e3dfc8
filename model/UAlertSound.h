#pragma once
// Plays a sound by its number in the list of alert sounds. The toolkit installs the player at start-up;
// without one nothing plays.

#include <functional>

class UAlertSound
{
public:
	using Player = std::function<void(long)>;

	static void SetPlayer(Player player);
	static void PlaySound(long soundNumber);
};
