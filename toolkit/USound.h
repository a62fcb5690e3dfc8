#pragma once
// The alert sounds the user can choose: the audio files of the program's sounds folder (every format the
// media player decodes; dot-files count as hidden), in name order.
// A sound's number is its position in that list (from 1); settings store it, so the list is built once and
// kept for the run.

#include "Includes/TList.h"
#include "platform/framework/LMenu.h"
#include "platform/toolbox/Files.h"

class USound
{
public:
	struct tSoundEntry {
		SInt32 number = 0;
		char name[36] = {}; // at most 35 characters, without the file's extension
		UInt8 resource = 0;
		UInt8 file = 0;
		SInt16 resourceNumber = 0;
		FSSpec fileSpec;
	};
	static constexpr long kMaxNameLength = 35;

	// Builds the list once; later calls return at once.
	static void InitSounds();
	static TList<tSoundEntry>* GetSoundList();
	// Appends one item per sound, in list order; the number of items added.
	static SInt16 PopulateMenu(MenuRef inMenu);
	// Plays every sound of that number; a number no sound has plays nothing.
	static void PlaySound(SInt32 inSoundNumber);

	// Forgets the list, so that the next use builds it again (tests, and the end of the run).
	static void DisposeSounds();

private:
	static TList<tSoundEntry>* sSoundList;
	static UInt8 sInited;
};
