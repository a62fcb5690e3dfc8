#include "toolkit/USound.h"

namespace PaneTest
{

void ResetSoundList()
{
	USound::DisposeSounds();
}

} // namespace PaneTest
