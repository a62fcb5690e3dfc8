#pragma once
// Shared pieces of the application's tests: Qt, the program's own compiled-in resources and string tables,
// a private home with the preferences folder inside it, and the alerts the user was shown.

#include "app/AppGlobals.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "tests/support/TempHomeFixture.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace AppTest
{

inline void LoadProgramResources()
{
	FrameworkTest::EnsureApplication();
	static bool loaded = false;
	if (loaded)
		return;
	std::string error;
	if (!ResourceStore::Get().LoadFolder(":/resources", &error))
		ADD_FAILURE() << error;
	loaded = true;
}

// The texts of the alerts shown since the last call.
inline std::vector<std::string> TakeAlerts()
{
	std::vector<std::string> texts;
	for (const auto& alert : UModalAlerts::GetShownAlerts())
		texts.push_back(alert.text);
	UModalAlerts::ClearShownAlerts();
	return texts;
}

} // namespace AppTest

class AppFixture : public TempHomeFixture
{
protected:
	void SetUp() override
	{
		TempHomeFixture::SetUp();
		AppTest::LoadProgramResources();
		LoadLocalStrings();
		gInittingTicker = 1;
		UModalAlerts::ClearQueuedAnswers();
		UModalAlerts::ClearShownAlerts();
		// An alert without an answer would wait for a user who is not there.
		UModalAlerts::SetAnswersRequired(true);
	}
	void TearDown() override
	{
		UModalAlerts::SetAnswersRequired(false);
		DisposeLocalStrings();
		TempHomeFixture::TearDown();
	}

	// The folder's name ends in a florin, stored as UTF-8.
	std::string PrefsFolder() const { return mRoot + "/config/Vantorel Prefs \xC6\x92"; }
	std::string PrefsPath(const std::string& inSuffix = "") const
	{
		return PrefsFolder() + "/Vantorel Prefs" + inSuffix;
	}
};
