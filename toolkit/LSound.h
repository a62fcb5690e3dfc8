#pragma once
// One sound file playing. It gives itself time until the sound has ended, then deletes itself; several
// may play at once. A sound that cannot start keeps its error and is deleted by whoever made it.

#include "platform/framework/LPeriodical.h"
#include "platform/toolbox/Files.h"

struct SoundMovie;

class LSound : public LPeriodical
{
public:
	explicit LSound(const FSSpec* inFile);
	~LSound() override;

	OSErr GetLastError() const { return mLastError; }
	void SpendTime(const EventRecord& inMacEvent) override;

	// Sounds now playing.
	static SInt32 CountPlaying() { return sCount; }

	enum : OSErr { err_CannotPlay = -2048 };

private:
	OSErr mLastError = noErr;
	SoundMovie* mMovie = nullptr;
	static SInt32 sCount;
};
