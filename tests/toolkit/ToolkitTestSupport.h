#pragma once
// Shared pieces of the toolkit's tests: the Qt application, the application's own resources and the classes
// their layouts name.

#include "platform/framework/LEditText.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/LScrollerView.h"
#include "platform/framework/LStaticText.h"
#include "platform/framework/LTabGroup.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/framework/URegistrar.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "toolkit/TVyWindow.h"
#include "toolkit/UKsDialogs.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ToolkitTest
{

inline void LoadResources()
{
	FrameworkTest::EnsureApplication();
	static bool loaded = false;
	if (loaded)
		return;
	std::string error;
	if (!ResourceStore::Get().LoadFolder(std::string(VANTOREL_FIXTURES) + "/../../resources", &error))
		ADD_FAILURE() << error;
	RegisterClass_(LPane);
	RegisterClass_(LView);
	RegisterClass_(LPushButton);
	RegisterClass_(LStaticText);
	RegisterClass_(LEditText);
	RegisterClass_(LTabGroup);
	RegisterClass_(TVyWindow);
	loaded = true;
}

// The test's own layouts (tests/fixtures/resources/toolkit.res).
inline void LoadFixtures()
{
	static bool loaded = false;
	if (loaded)
		return;
	FrameworkTest::LoadFixtureFile("resources/toolkit.res");
	RegisterClass_(LWindow);
	RegisterClass_(LScrollerView);
	loaded = true;
}

// The next numbered plug-in message is answered with OK; its text is noted in outShown.
inline void ExpectMessage(std::vector<std::string>* outShown)
{
	StDialogHandler::QueueAnswer(msg_OK, [outShown](LWindow* dialog) {
		LPane* pane = dialog != nullptr ? dialog->FindPaneByID(kKsDialogTextPane) : nullptr;
		Str255 text = {0};
		if (pane != nullptr)
			pane->GetDescriptor(text);
		outShown->push_back(PascalStrings::ToString(text));
	});
}

// The text of plug-in message inNumber.
inline std::string MessageText(short inNumber)
{
	Str255 text;
	GetIndString(text, kKsMessageStringsID, inNumber);
	return PascalStrings::ToString(text);
}

} // namespace ToolkitTest
