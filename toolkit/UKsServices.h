#pragma once
// Puts the toolkit's machine services where the layers beneath it look for them: the alert sound player,
// the on-screen test, the font numbers, the file dialogs and the alert for an address that no program
// could open. The application calls it at start-up, before anything plays a sound or restores a window
// position.

class UKsServices
{
public:
	static void Install();
};
