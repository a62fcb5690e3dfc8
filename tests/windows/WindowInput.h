#pragma once
// What the user does to a window in the tests: presses keys and buttons, and reads a pane's text.

#include "platform/framework/LCommander.h"
#include "platform/framework/LControl.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LView.h"
#include "tests/platform/framework/FrameworkTestSupport.h"

#include <gtest/gtest.h>
#include <string>

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

} // namespace WindowInput
