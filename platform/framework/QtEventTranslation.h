#pragma once
// Qt input as toolbox events: the one place where the stand-in turns Qt's mouse and keys into event
// records (used by its .cpp files). Command = Ctrl, option = Alt, control = Meta; a right click also sets
// the control key.

#include "platform/toolbox/MacTypes.h"

#include <string>

class QEvent;
class QObject;

namespace QtEventTranslation
{
// A mouse press (a Qt double click counts as a press), release or move: recorded for the toolbox's mouse
// state, and for presses and releases the event record with, for presses, the click count by the
// system's double-click time. False for moves and other events.
bool MouseRecord(QEvent* inEvent, EventRecord& outRecord, SInt16& outClickCount);
// A key press or release; false for keys without a character.
bool KeyRecord(QEvent* inEvent, EventRecord& outRecord);
UInt16 Modifiers(int inQtModifiers, bool inRightButton = false);
// The message of a key event: character code in bits 0-7, key code in bits 8-15. False for keys that give
// no character (modifier keys alone).
bool KeyMessage(int inQtKey, const std::string& inUTF8Text, UInt16 inModifiers, UInt32& outMessage);
// The other way: the Qt key and text that give a character code. False for codes no key gives.
bool QtKey(UInt8 inCharCode, int& outQtKey, std::string& outUTF8Text);
// Sends the key of a character code, unmodified, to a widget that edits for itself.
bool SendKeyPress(QObject* inTarget, UInt8 inCharCode);
} // namespace QtEventTranslation
