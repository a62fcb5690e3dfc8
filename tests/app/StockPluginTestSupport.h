#pragma once
// A private preferences folder, the model's fakes, the program's resources, an application and a menu bar,
// for tests that start and stop the securities plug-in. Messages the plug-in shows are answered from a
// queue and noted by their text; an unexpected one stops the test program.

#include "app/TStockPlugin.h"
#include "platform/framework/LApplication.h"
#include "platform/framework/LMenuBar.h"
#include "platform/framework/LPane.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/toolbox/PascalStrings.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/TempHomeFixture.h"
#include "tests/toolkit/ToolkitTestSupport.h"
#include "toolkit/UKsDialogs.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class StockPluginFixture : public TempHomeFixture
{
protected:
	void SetUp() override
	{
		TempHomeFixture::SetUp();
		ToolkitTest::LoadResources();
		mEnv = std::make_unique<modeltest::ModelTestEnvironment>();
		mApp = std::make_unique<LApplication>();
		mMenuBar = std::make_unique<LMenuBar>(0);
		StDialogHandler::ClearQueuedAnswers();
		StDialogHandler::SetAnswersRequired(true);
	}

	void TearDown() override
	{
		mPlugin.reset();
		EXPECT_EQ(StDialogHandler::CountQueuedAnswers(), 0u)
		    << "a message that was expected did not come";
		StDialogHandler::SetAnswersRequired(false);
		StDialogHandler::ClearQueuedAnswers();
		TStockPlugin::SetConverter({});
		for (int i = 0; i < kPluginWindowCount; ++i)
			TStockPlugin::SetWindowOpener(tPluginWindow(i), nullptr);
		mMenuBar.reset();
		mApp.reset();
		mEnv.reset();
		TempHomeFixture::TearDown();
	}

	TStockPlugin* Start()
	{
		mPlugin = std::make_unique<TStockPlugin>(mApp.get());
		mPlugin->Initialize();
		return mPlugin.get();
	}

	// Shut-down as the application does it: the files are written when the plug-in is deleted.
	void Quit()
	{
		if (!mPlugin)
			return;
		mPlugin->ShutDown();
		mPlugin.reset();
	}

	// The next plug-in message is answered with OK; its text is noted in mShown.
	void ExpectMessage() { ToolkitTest::ExpectMessage(&mShown); }

	static std::string MessageText(short number) { return ToolkitTest::MessageText(number); }

	std::string PrefsPath(const std::string& name = "") const
	{
		const std::string folder = mRoot + "/config/Vantorel Prefs \xC6\x92";
		return name.empty() ? folder : folder + "/" + name;
	}

	std::unique_ptr<modeltest::ModelTestEnvironment> mEnv;
	std::unique_ptr<LApplication> mApp;
	std::unique_ptr<LMenuBar> mMenuBar;
	std::unique_ptr<TStockPlugin> mPlugin;
	std::vector<std::string> mShown;
};
