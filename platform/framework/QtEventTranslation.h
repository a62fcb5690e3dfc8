#pragma once
// Qt input as toolbox events (used by the stand-in's .cpp files; Qt values are passed as plain ints).
// Command = Ctrl, option = Alt, control = Meta; a right click also sets the control key.

#include "platform/toolbox/MacTypes.h"

#include <string>

class QObject;

namespace QtEventTranslation
{
UInt16 Modifiers(int inQtModifiers, bool inRightButton = false);
// The message of a key event: character code in bits 0-7, key code in bits 8-15. False for keys that give
// no character (modifier keys alone).
bool KeyMessage(int inQtKey, const std::string& inUTF8Text, UInt16 inModifiers, UInt32& outMessage);
// The other way: the Qt key and text that give a character code. False for codes no key gives.
bool QtKey(UInt8 inCharCode, int& outQtKey, std::string& outUTF8Text);
// Sends the key of a character code, unmodified, to a widget that edits for itself.
bool SendKeyPress(QObject* inTarget, UInt8 inCharCode);
} // namespace QtEventTranslation
