#pragma once
// Sound files played through the machine's audio output. A machine without an audio device plays nothing
// and reports nothing.

#include "platform/toolbox/MacTypes.h"

#include <functional>
#include <string>

// The folder of the program's sounds: the one named by $VANTOREL_SOUNDS, else the "sounds" folder beside
// the program (where the build puts it) or in its share/vantorel; empty when there is none.
std::string GetSoundFolderPath();

// True for a name with the extension of an audio format the media player decodes (WAV, AIFF, Ogg, FLAC,
// MP3 and the like; letter case ignored). The set is fixed, so that a folder lists the same on every
// machine.
Boolean IsSoundFileName(const std::string& inName);

struct SoundMovie;
// Starts playing the file; null when it cannot be played (no audio output, no such file).
SoundMovie* NewSoundMovie(const std::string& inPath);
// True once the sound has played to its end or has failed.
Boolean IsSoundMovieDone(SoundMovie* inMovie);
void DisposeSoundMovie(SoundMovie* inMovie);

Boolean HasAudioOutput();
// Tests choose whether an audio output is there: -1 asks the machine, 0 none, 1 one.
void SetAudioOutputOverride(SInt8 inState);

// Tests put a recorder in place of the audio output: it gets the path of each sound that starts and says
// whether it played; such a sound is over at once. Null restores the audio output. Returns the previous.
using SoundFilePlayer = std::function<bool(const std::string& inPath)>;
SoundFilePlayer SetSoundFilePlayer(SoundFilePlayer inPlayer);
