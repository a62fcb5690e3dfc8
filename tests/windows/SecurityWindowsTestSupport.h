#pragma once
// The detail views and settings dialogs over the program's own layouts: the model's fakes and globals,
// a commander that records what the windows send it (also the application's commander), and a recorder
// in place of the browser.

#include "app/AppGlobals.h"
#include "platform/framework/LCommander.h"
#include "platform/framework/LView.h"
#include "platform/framework/UControlRegistry.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/URegistrar.h"
#include "platform/toolbox/gui/LaunchURL.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/QuoterSources.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "tests/windows/WindowInput.h"
#include "toolkit/RegisterToolkitClasses.h"
#include "windows/security/UWindowRegistry.h"

#include <memory>
#include <string>
#include <vector>

// The resources and every class the windows' layouts name, once per run.
inline void RegisterWindowClasses()
{
	ToolkitTest::LoadResources();
	static bool registered = false;
	if (registered)
		return;
	UControlRegistry::RegisterClasses();
	RegisterToolkitClasses();
	UWindowRegistry::RegisterClasses();
	registered = true;
}

class RecordingCommander : public LCommander
{
public:
	RecordingCommander() : LCommander(nullptr) {}
	Boolean ObeyCommand(CommandT inCommand, void*) override
	{
		mCommands.push_back(inCommand);
		return true;
	}
	std::vector<CommandT> mCommands;
};

class SecurityWindowsFixture : public ::testing::Test
{
protected:
	void SetUp() override
	{
		RegisterWindowClasses();
		mEnv = std::make_unique<modeltest::ModelTestEnvironment>();
		// After the environment: the real dialogs replace its fakes.
		UWindowRegistry::InstallSelectDlogs();
		mSuper = new RecordingCommander;
		gCommander = mSuper;
		mPreviousOpener = SetURLOpener([this](const std::string& inURL) {
			mURLs.push_back(inURL);
			return true;
		});
	}

	void TearDown() override
	{
		SetURLOpener(mPreviousOpener);
		// Deletes the windows still open under it.
		delete mSuper;
		gCommander = nullptr;
		UDispatch::DeletePending();
		mEnv.reset();
		QuoterSources::Drop();
	}

	static std::string Text(LView* inView, const char (&inID)[5])
	{
		return WindowInput::Text(inView, inID);
	}

	std::unique_ptr<modeltest::ModelTestEnvironment> mEnv;
	RecordingCommander* mSuper = nullptr;
	URLOpener mPreviousOpener;
	std::vector<std::string> mURLs;
};
