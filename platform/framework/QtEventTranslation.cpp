#include "platform/framework/QtEventTranslation.h"

#include "platform/toolbox/MacRoman.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/Events.h"

#include <QCoreApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <Qt>
#include <cctype>

namespace
{

struct SpecialKey {
	int qtKey;
	UInt8 charCode;
	UInt8 keyCode;
};

constexpr SpecialKey kSpecialKeys[] = {
    {Qt::Key_Return, 13, 0x24},  {Qt::Key_Enter, 3, 0x4C},     {Qt::Key_Tab, 9, 0x30},
    {Qt::Key_Backtab, 9, 0x30},  {Qt::Key_Backspace, 8, 0x33}, {Qt::Key_Escape, 27, 0x35},
    {Qt::Key_Delete, 127, 0x75}, {Qt::Key_Home, 1, 0x73},      {Qt::Key_End, 4, 0x77},
    {Qt::Key_PageUp, 11, 0x74},  {Qt::Key_PageDown, 12, 0x79}, {Qt::Key_Left, 28, 0x7B},
    {Qt::Key_Right, 29, 0x7C},   {Qt::Key_Up, 30, 0x7E},       {Qt::Key_Down, 31, 0x7D},
    {Qt::Key_Help, 5, 0x72},     {Qt::Key_Space, ' ', 0x31},   {Qt::Key_F1, 16, 0x7A},
    {Qt::Key_F2, 16, 0x78},      {Qt::Key_F3, 16, 0x63},       {Qt::Key_F4, 16, 0x76},
    {Qt::Key_F5, 16, 0x60},      {Qt::Key_F6, 16, 0x61},       {Qt::Key_F7, 16, 0x62},
    {Qt::Key_F8, 16, 0x64},      {Qt::Key_F9, 16, 0x65},       {Qt::Key_F10, 16, 0x6D},
    {Qt::Key_F11, 16, 0x67},     {Qt::Key_F12, 16, 0x6F},
};

// Key codes of the characters of the standard (ANSI) keyboard, by unshifted character.
UInt8 KeyCodeForCharacter(char c)
{
	static const char* const kLayout =
	    "asdfhgzxcv\0bqweryt123465=97-80]ou[ip\0lj'k;\\,/nm.\0\0`"; // index = key code
	c = char(std::tolower(UInt8(c)));
	for (int i = 0; i < 51; ++i)
		if (kLayout[i] == c && c != 0)
			return UInt8(i);
	return 0;
}

} // namespace

namespace QtEventTranslation
{

bool MouseRecord(QEvent* inEvent, EventRecord& outRecord, SInt16& outClickCount)
{
	const QEvent::Type type = inEvent->type();
	if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
	    type != QEvent::MouseButtonRelease && type != QEvent::MouseMove)
		return false;
	auto* mouse = static_cast<QMouseEvent*>(inEvent);
	const QPoint global = mouse->globalPosition().toPoint();
	Point where;
	where.h = SInt16(global.x());
	where.v = SInt16(global.y());
	if (type == QEvent::MouseMove) {
		MouseState::Moved(where);
		return false;
	}
	const bool right = mouse->button() == Qt::RightButton;
	outRecord.what = type == QEvent::MouseButtonRelease ? mouseUp : mouseDown;
	outRecord.when = TickCount();
	outRecord.where = where;
	outRecord.modifiers = Modifiers(int(mouse->modifiers()), right);
	outClickCount = 1;
	if (outRecord.what == mouseUp) {
		outRecord.modifiers |= btnState; // set while the button is up
		MouseState::Released(where);
	} else {
		MouseState::Pressed(where, inEvent->spontaneous());
		outClickCount = MouseState::CountClick(outRecord.when, where);
	}
	return true;
}

bool KeyRecord(QEvent* inEvent, EventRecord& outRecord)
{
	if (inEvent->type() != QEvent::KeyPress && inEvent->type() != QEvent::KeyRelease)
		return false;
	auto* key = static_cast<QKeyEvent*>(inEvent);
	outRecord.modifiers = Modifiers(int(key->modifiers()));
	if (!KeyMessage(key->key(), key->text().toStdString(), outRecord.modifiers, outRecord.message))
		return false;
	const bool down = inEvent->type() == QEvent::KeyPress;
	outRecord.what = down ? (key->isAutoRepeat() ? autoKey : keyDown) : keyUp;
	outRecord.when = TickCount();
	GetGlobalMouse(&outRecord.where);
	return true;
}

UInt16 Modifiers(int inQtModifiers, bool inRightButton)
{
	UInt16 m = 0;
	if (inQtModifiers & Qt::ShiftModifier)
		m |= shiftKey;
	if (inQtModifiers & Qt::ControlModifier)
		m |= cmdKey;
	if (inQtModifiers & Qt::AltModifier)
		m |= optionKey;
	if ((inQtModifiers & Qt::MetaModifier) || inRightButton)
		m |= controlKey;
	return m;
}

bool KeyMessage(int inQtKey, const std::string& inUTF8Text, UInt16 inModifiers, UInt32& outMessage)
{
	for (const SpecialKey& k : kSpecialKeys) {
		if (k.qtKey == inQtKey) {
			outMessage = UInt32(k.charCode) | (UInt32(k.keyCode) << 8);
			return true;
		}
	}
	unsigned char ch = 0;
	const std::string macRoman = MacRoman::FromUTF8(inUTF8Text);
	if (!macRoman.empty() && UInt8(macRoman[0]) >= 0x20 && UInt8(macRoman[0]) != 0x7F) {
		ch = UInt8(macRoman[0]);
	} else if (inQtKey >= 0x20 && inQtKey <= 0x7E) {
		// With Ctrl held Qt gives a control character or nothing; the toolbox gives the key's
		// character.
		ch = UInt8(inQtKey);
		if (std::isalpha(ch))
			ch = UInt8((inModifiers & shiftKey) ? std::toupper(ch) : std::tolower(ch));
	} else {
		return false;
	}
	const UInt8 keyCode =
	    KeyCodeForCharacter(inQtKey >= 0x20 && inQtKey <= 0x7E ? char(inQtKey) : char(ch));
	outMessage = UInt32(ch) | (UInt32(keyCode) << 8);
	return true;
}

bool QtKey(UInt8 inCharCode, int& outQtKey, std::string& outUTF8Text)
{
	outUTF8Text.clear();
	for (const SpecialKey& k : kSpecialKeys) {
		if (k.charCode == inCharCode) {
			outQtKey = k.qtKey;
			// Return and enter type a carriage return, tab and space themselves.
			if (inCharCode == 13 || inCharCode == 3)
				outUTF8Text.push_back('\r');
			else if (inCharCode == 9 || inCharCode == ' ')
				outUTF8Text.push_back(char(inCharCode));
			return true;
		}
	}
	if (inCharCode < 0x20)
		return false;
	// Qt names a letter's key by its capital.
	outQtKey = inCharCode < 0x80 ? std::toupper(inCharCode) : int(Qt::Key_unknown);
	outUTF8Text = MacRoman::ToUTF8(std::string(1, char(inCharCode)));
	return true;
}

bool SendKeyPress(QObject* inTarget, UInt8 inCharCode)
{
	int key = 0;
	std::string text;
	if (!inTarget || !QtKey(inCharCode, key, text))
		return false;
	QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString::fromStdString(text));
	QCoreApplication::sendEvent(inTarget, &press);
	return true;
}

} // namespace QtEventTranslation
