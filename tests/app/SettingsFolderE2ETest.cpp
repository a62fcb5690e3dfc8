// The settings folder as the whole program finds it at start-up: a folder it cannot use is named to the
// user and nothing is written anywhere else instead; copies that interrupted saves left in it are cleared.
// A first start or a quit where nothing can be written is told in one message that names each file, and
// a file appears under its name only whole.

#include "platform/framework/StDialogHandler.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/support/KilledReplace.h"

#include <cstdlib>
#include <filesystem>
#include <set>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;

const char* const kSettingsFiles[] = {"Vantorel Prefs",        "Stock Plug-in Prefs",
                                      "Stock Plug-in Stocks",  "Stock Plug-in Funds",
                                      "Stock Plug-in Indexes", "Stock Plug-in Currencies"};

class SettingsFolderE2ETest : public QuoteServingFixture
{
protected:
	// Every path under the folder, the folder-id table of the file layer left out.
	static std::set<std::string> Contents(const std::string& inFolder)
	{
		std::set<std::string> paths;
		if (fs::is_directory(inFolder))
			for (const auto& entry : fs::recursive_directory_iterator(inFolder))
				if (entry.path().string().find("/vantorel") == std::string::npos)
					paths.insert(entry.path().string());
		return paths;
	}

	// One run with its one alert, which names the folder that could not be used.
	void StartAndQuitExpectingTheFolderNamed(const std::string& inFolder)
	{
		UModalAlerts::QueueAnswer(1);
		auto app = Start();
		const auto alerts = AppTest::TakeAlerts();
		ASSERT_EQ(alerts.size(), 1u);
		EXPECT_NE(alerts[0].find(inFolder + "/Vantorel Prefs \xC4"), std::string::npos) << alerts[0];
		EXPECT_NE(alerts[0].find("Nothing will be saved"), std::string::npos) << alerts[0];
		// The program runs on its factory lists.
		const auto stocks = Securities(securityStock);
		EXPECT_TRUE(std::any_of(stocks.begin(), stocks.end(), [](TSecurity* security) {
			return std::string(security->SecuritySymbol()) == "AAPL";
		}));
		app->AttemptQuitSelf(0);
		app.reset();
		EXPECT_TRUE(AppTest::TakeAlerts().empty());
	}
};

TEST_F(SettingsFolderE2ETest, ASettingsFolderNameTakenByAFileIsNamedAndNothingIsWrittenBesideIt)
{
	WriteText(PrefsFolder(), "the user's own file");
	const auto config = Contents(mRoot + "/config");
	const auto work = Contents(mWork);

	StartAndQuitExpectingTheFolderNamed(mRoot + "/config");
	EXPECT_EQ(ReadText(PrefsFolder()), "the user's own file");
	EXPECT_EQ(Contents(mRoot + "/config"), config);
	EXPECT_EQ(Contents(mWork), work);
}

TEST_F(SettingsFolderE2ETest, APreferencesFolderNameTakenByAFileIsNamedAndNothingIsMadeInTheWorkingFolder)
{
	fs::remove_all(mRoot + "/config");
	WriteText(mRoot + "/config", "not a folder");
	const auto work = Contents(mWork);

	StartAndQuitExpectingTheFolderNamed(mRoot + "/config");
	EXPECT_EQ(ReadText(mRoot + "/config"), "not a folder");
	EXPECT_EQ(Contents(mWork), work);
	EXPECT_FALSE(fs::exists(mWork + "/Vantorel Prefs \xC6\x92"));
}

TEST_F(SettingsFolderE2ETest, CopiesLeftByInterruptedSavesAreClearedAtTheNextStart)
{
	Start()->AttemptQuitSelf(0);
	const auto settled = Contents(PrefsFolder());

	// What saves cut off by a kill or a power loss leave: hidden copies named as the file layer names
	// them, from long ago, of the settings files and of the ".old" copies kept beside them. A file of
	// another name, even one that looks like a copy, or a copy being written right now, is not this
	// program's to clear.
	std::vector<std::string> stale;
	for (const char* name : kSettingsFiles)
		for (const std::string suffix : {"", ".old", " 2.old"}) {
			std::string path = PrefsFolder() + "/." + name + suffix + ".vantorel-save-XXXXXX";
			const int fd = mkstemp(path.data());
			ASSERT_GE(fd, 0);
			ASSERT_EQ(write(fd, "partial", 7), 7);
			close(fd);
			stale.push_back(path);
		}
	const std::string others[] = {PrefsFolder() + "/.Stock Plug-in Stocks.notes",
	                              PrefsFolder() + "/.Stock Plug-in Stocks.old123",
	                              PrefsFolder() + "/.My Notes.vantorel-save-abc12",
	                              PrefsFolder() + "/Stock Plug-in Funds.vantorel-save-A1b2C3"};
	for (const std::string& path : others)
		WriteText(path, "keep");
	const std::string underWay = PrefsFolder() + "/.Stock Plug-in Funds.vantorel-save-Zz9Yy8";
	const int saving = killedreplace::HeldCopy(underWay, "being written");
	ASSERT_GE(saving, 0);
	killedreplace::StLaterWallClock later;

	auto app = Start();
	for (const std::string& path : stale)
		EXPECT_FALSE(fs::exists(path)) << path;
	for (const std::string& path : others)
		EXPECT_EQ(ReadText(path), "keep") << path;
	EXPECT_TRUE(fs::exists(underWay));
	app->AttemptQuitSelf(0);
	app.reset();

	close(saving);
	fs::remove(underWay);
	for (const std::string& path : others)
		fs::remove(path);
	EXPECT_EQ(Contents(PrefsFolder()), settled);
}

TEST_F(SettingsFolderE2ETest, AFullDiskAtQuitNamesEveryFileItCouldNotWriteInOneMessage)
{
	auto app = Start();
	std::map<std::string, std::string> stored;
	for (const char* name : kSettingsFiles)
		stored[name] = ReadText(PrefsFolder() + "/" + name);
	// Answers for a message per file, which should not come.
	for (int i = 0; i < 5; ++i)
		StDialogHandler::QueueAnswer(msg_OK);
	UModalAlerts::QueueAnswer(1);
	{
		StFileSizeLimit full(8);
		app->AttemptQuitSelf(0);
		app.reset();
	}
	EXPECT_EQ(StDialogHandler::CountQueuedAnswers(), 5u);
	StDialogHandler::ClearQueuedAnswers();
	std::string expected = "These settings files could not be written.\nLeft as they were:";
	for (const char* name : kSettingsFiles)
		expected += std::string("\n") + name;
	EXPECT_EQ(AppTest::TakeAlerts(), std::vector<std::string>{expected});
	for (const auto& [name, bytes] : stored)
		EXPECT_EQ(ReadText(PrefsFolder() + "/" + name), bytes) << name;
}

// A first start on a full disk makes no file at all: its one message names each file as not made, and the
// next start with room makes them and finds nothing damaged.
TEST_F(SettingsFolderE2ETest, AFirstStartOnAFullDiskMakesNoEmptyFileAndNamesEachAsNotMade)
{
	std::string expected =
	    "These settings files could not be written.\nNot made (the next start makes them anew):";
	for (const char* name : kSettingsFiles)
		expected += std::string("\n") + name;
	// Answers for the plug-in's messages, which should not come.
	for (int i = 0; i < 5; ++i)
		StDialogHandler::QueueAnswer(msg_OK);
	UModalAlerts::QueueAnswer(1);
	UModalAlerts::QueueAnswer(1);
	{
		StFileSizeLimit full(8);
		auto app = Start();
		EXPECT_EQ(AppTest::TakeAlerts(), std::vector<std::string>{expected});
		EXPECT_EQ(Contents(PrefsFolder()), std::set<std::string>());
		// The quit cannot make them either.
		app->AttemptQuitSelf(0);
		app.reset();
	}
	EXPECT_EQ(AppTest::TakeAlerts(), std::vector<std::string>{expected});
	EXPECT_EQ(Contents(PrefsFolder()), std::set<std::string>());

	// Answers for messages that should not come.
	UModalAlerts::QueueAnswer(1);
	UModalAlerts::QueueAnswer(1);
	auto app = Start();
	for (const char* name : kSettingsFiles)
		EXPECT_GT(ReadText(PrefsFolder() + "/" + name).size(), 4u) << name;
	app->AttemptQuitSelf(0);
	app.reset();
	EXPECT_EQ(AppTest::TakeAlerts(), std::vector<std::string>());
	UModalAlerts::ClearQueuedAnswers();
	EXPECT_EQ(StDialogHandler::CountQueuedAnswers(), 5u);
	StDialogHandler::ClearQueuedAnswers();
}

} // namespace
