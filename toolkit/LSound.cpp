#include "toolkit/LSound.h"

#include "platform/toolbox/gui/SoundFiles.h"

#include <string>

SInt32 LSound::sCount = 0;

LSound::LSound(const FSSpec* inFile)
{
	++sCount;
	std::string path;
	if (!inFile || FSpGetPOSIXPath(inFile, &path) != noErr || !(mMovie = NewSoundMovie(path))) {
		mLastError = err_CannotPlay;
		return;
	}
	StartRepeating();
	StartIdling();
}

LSound::~LSound()
{
	DisposeSoundMovie(mMovie);
	--sCount;
}

void LSound::SpendTime(const EventRecord&)
{
	if (!IsSoundMovieDone(mMovie))
		return;
	StopRepeating();
	StopIdling();
	delete this;
}
