#pragma once
// What the user does to a window in the tests: presses keys and buttons, and reads a pane's text.

#include "Includes/TList.h"
#include "platform/framework/LCommander.h"
#include "platform/framework/LControl.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LView.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/QtEventTranslation.h"
#include "platform/framework/QtPaneWidget.h"
#include "platform/toolbox/gui/QtDrag.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "windows/security/UDragEntries.h"
#include "windows/security/tDragEntry.h"

#include <QKeyEvent>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace WindowInput
{

inline EventRecord KeyEvent(UInt16 inChar, UInt16 inModifiers = 0)
{
	EventRecord event{};
	event.what = keyDown;
	event.message = inChar;
	event.modifiers = inModifiers;
	return event;
}

inline Boolean Key(LCommander* inTarget, char inKey, UInt16 inModifiers = 0)
{
	EventRecord event = KeyEvent(UInt8(inKey), inModifiers);
	return inTarget->HandleKeyPress(event);
}

// The widget that has the window's keyboard focus: where Qt delivers what the user types.
inline QWidget* FocusOf(LWindow* inWindow)
{
	QWidget* content = QtPaneWidget::ContentOf(inWindow);
	return content ? content->window()->focusWidget() : nullptr;
}

// Types inKeys into the window as the user does, each key to the widget that has the keyboard focus
// then ('\t' Tab, '\r' Return, '\x1b' Escape).
inline void Press(LWindow* inWindow, const std::string& inKeys)
{
	for (char key : inKeys) {
		QWidget* focus = FocusOf(inWindow);
		ASSERT_NE(focus, nullptr) << "no widget takes the keys";
		ASSERT_TRUE(QtEventTranslation::SendKeyPress(focus, UInt8(key)));
	}
}

inline void ShiftTab(LWindow* inWindow)
{
	QWidget* focus = FocusOf(inWindow);
	ASSERT_NE(focus, nullptr) << "no widget takes the keys";
	QKeyEvent backTab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier, "\t");
	QCoreApplication::sendEvent(focus, &backTab);
}

// Ctrl and a letter typed into the widget (FocusOf a window, or the application's focus widget: where the
// window system sends what the user types).
inline void PressCtrl(QWidget* inFocus, char inLetter)
{
	ASSERT_NE(inFocus, nullptr) << "no widget takes the keys";
	const int upper = inLetter & ~0x20;
	QKeyEvent key(QEvent::KeyPress, Qt::Key_A + (upper - 'A'), Qt::ControlModifier,
	              QString(QChar(upper - 'A' + 1)));
	QCoreApplication::sendEvent(inFocus, &key);
}

inline void Click(LView* inWindow, PaneIDT inButton)
{
	auto* button = dynamic_cast<LControl*>(inWindow->FindPaneByID(inButton));
	ASSERT_NE(button, nullptr);
	button->SimulateHotSpotClick(1);
}

inline void Type(LView* inView, const char (&inID)[5], const std::string& inText)
{
	if (auto* field = FrameworkTest::FindPane<LEditText>(inView, inID))
		field->SetText(inText.c_str(), Size(inText.size()));
}

// The pane's text, "<missing>" without the pane.
inline std::string Text(LView* inView, const char (&inID)[5])
{
	LPane* pane = FrameworkTest::FindPane<LPane>(inView, inID);
	return pane != nullptr ? FrameworkTest::Descriptor(pane) : std::string("<missing>");
}

// A drag from inside the program carrying one item with the entries, as the list and summary windows
// make it, option held at the drop or not.
inline DragReference Drag(const std::vector<tDragEntry>& inEntries, bool inOption = false)
{
	TList<tDragEntry> list(true, true);
	for (tDragEntry entry : inEntries)
		list.Append(&entry);
	const std::vector<UInt8> bytes = UDragEntries::Encode(list);
	DragReference drag = nullptr;
	NewDrag(&drag);
	AddDragItemFlavor(drag, 1, UDragEntries::kDragFlavor, bytes.data(), Size(bytes.size()),
	                  flavorSenderOnly);
	QtDrag::AddDragAttributes(drag, kDragInsideSenderApplication);
	QtDrag::SetDragMouseUpModifiers(drag, inOption ? optionKey : 0);
	return drag;
}

} // namespace WindowInput
