#include "Includes/IContentTree.h"
#include "app/TStockContentTree.h"
#include "model/TSecurity.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/Files.h"
#include "tests/app/StockPluginTestSupport.h"
#include "tests/support/KilledReplace.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <sys/stat.h>
#include <thread>

namespace
{

const char* const kFiles[] = {"Stock Plug-in Prefs", "Stock Plug-in Stocks", "Stock Plug-in Funds",
                              "Stock Plug-in Indexes", "Stock Plug-in Currencies"};

std::string Tagged(const std::string& tag, const std::string& rest)
{
	return tag + rest;
}

std::size_t Threads()
{
	const std::filesystem::directory_iterator tasks("/proc/self/task");
	return std::size_t(std::distance(tasks, std::filesystem::directory_iterator()));
}

class StockPluginFilesTest : public StockPluginFixture
{
protected:
	std::map<std::string, std::string> ReadAll() const
	{
		std::map<std::string, std::string> files;
		for (const char* name : kFiles)
			files[name] = ReadText(PrefsPath(name));
		return files;
	}

	void FirstRun()
	{
		Start();
		Quit();
	}

	// The names in the settings folder.
	std::set<std::string> Entries() const
	{
		std::set<std::string> names;
		for (const auto& entry : std::filesystem::directory_iterator(PrefsPath()))
			names.insert(entry.path().filename().string());
		return names;
	}

	std::vector<std::string> Names(tSecurityType kind) const
	{
		std::vector<std::string> names;
		TStockPlugin::ForEachSecurity(mPlugin->GetList(kind), [&](TSecurity* security) {
			names.push_back(security->SecurityName());
		});
		return names;
	}
};

TEST_F(StockPluginFilesTest, FirstStartWritesEveryFileAndTheNextStartsRewriteThemUnchanged)
{
	TStockPlugin* plugin = Start();
	EXPECT_TRUE(plugin->FilesCreated());
	EXPECT_EQ(plugin->GetList(securityStock)->Count(), 20);
	EXPECT_EQ(plugin->GetList(securityFund)->Count(), 1);
	EXPECT_EQ(plugin->GetList(securityIndex)->Count(), 3);
	EXPECT_EQ(plugin->GetList(securityCurrency)->Count(), 6);
	EXPECT_EQ(Names(securityCurrency).front(), "Canadian Dollar -> U.S. Dollar");
	Quit();

	const auto first = ReadAll();
	EXPECT_EQ(first.at("Stock Plug-in Prefs").size(), 4u + tStockTickerPrefs::kStoredSize);
	EXPECT_EQ(first.at("Stock Plug-in Prefs").substr(0, 4), "zv22");
	EXPECT_EQ(first.at("Stock Plug-in Stocks").substr(0, 8), std::string("zv22\0\0\0\x14", 8));
	EXPECT_EQ(first.at("Stock Plug-in Currencies").substr(0, 8), std::string("zv22\0\0\0\x06", 8));

	plugin = Start();
	EXPECT_FALSE(plugin->FilesCreated());
	EXPECT_EQ(plugin->GetList(securityStock)->Count(), 20);
	EXPECT_EQ(Names(securityStock).front(), "Adobe Systems Inc.");
	Quit();
	EXPECT_TRUE(ReadAll() == first);

	Start();
	Quit();
	EXPECT_TRUE(ReadAll() == first);
}

TEST_F(StockPluginFilesTest, DamagedFilesAreSetAsideWithTheirMessagesAndReplaced)
{
	FirstRun();
	const std::string prefs = ReadText(PrefsPath("Stock Plug-in Prefs"));
	const std::string oldTag = Tagged("zv20", prefs.substr(4));
	WriteText(PrefsPath("Stock Plug-in Prefs"), oldTag);
	WriteText(PrefsPath("Stock Plug-in Funds"), "junk");
	WriteText(PrefsPath("Stock Plug-in Funds.corrupt"), "an older set-aside file");
	const std::string claimsFive = std::string("zv22\0\0\0\x05", 8);
	WriteText(PrefsPath("Stock Plug-in Currencies"), claimsFive);

	ExpectMessage();
	ExpectMessage();
	ExpectMessage();
	TStockPlugin* plugin = Start();
	EXPECT_EQ(mShown, (std::vector<std::string>{MessageText(2), MessageText(6), MessageText(10)}));
	EXPECT_TRUE(plugin->FilesCreated());

	// Set aside as they were; the currencies file under its short name.
	EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Prefs.corrupt")), oldTag);
	EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Funds.corrupt")), "junk");
	EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Currencies.cor")), claimsFive);
	EXPECT_FALSE(std::filesystem::exists(PrefsPath("Stock Plug-in Currencies.corrupt")));

	// Nothing could be read from them: the factory contents, written at once.
	EXPECT_EQ(plugin->GetList(securityFund)->Count(), 1);
	EXPECT_EQ(plugin->GetList(securityCurrency)->Count(), 6);
	EXPECT_EQ(plugin->GetPrefs()->stockMinutes, 5);
	EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Prefs")).size(), prefs.size());
	EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Currencies")).substr(0, 8),
	          std::string("zv22\0\0\0\x06", 8));
	EXPECT_EQ(plugin->GetList(securityStock)->Count(), 20);
}

TEST_F(StockPluginFilesTest, ACutSecurityFileKeepsWhatWasReadWithoutTheFactoryList)
{
	Start();
	TList<TSecurity>* stocks = mPlugin->GetList(securityStock);
	for (TSecurity* extra = stocks->GetNth(4); extra != nullptr; extra = stocks->GetNth(4))
		stocks->Remove(extra);
	ASSERT_EQ(mPlugin->WritePreferencesFiles(prefsStocks), 0);
	const std::string three = ReadText(PrefsPath("Stock Plug-in Stocks"));
	stocks->Remove(stocks->GetNth(3));
	ASSERT_EQ(mPlugin->WritePreferencesFiles(prefsStocks), 0);
	const std::string two = ReadText(PrefsPath("Stock Plug-in Stocks"));
	Quit();

	// Cut in the middle of the third record: the count of three is more than the bytes can hold.
	const std::string cut = three.substr(0, two.size() + (three.size() - two.size()) / 2);
	WriteText(PrefsPath("Stock Plug-in Stocks"), cut);
	ExpectMessage();
	Start();
	EXPECT_EQ(mShown, std::vector<std::string>{MessageText(4)});
	EXPECT_EQ(Names(securityStock),
	          (std::vector<std::string>{"Adobe Systems Inc.", "Advanced Micro Devices"}));
	EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Stocks.corrupt")), cut);
	EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Stocks")), two);
	Quit();
	EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Stocks")), two);
}

// Set aside, a damaged file is copied whole to its ".corrupt" name only once its replacement is written
// whole beside it. When either cannot be done, because something stands under the set-aside name or the
// disk is full, the damaged file stays under its name, and its message names it and says so.
TEST_F(StockPluginFilesTest, AFileThatCannotBeSetAsideStaysAsItWasForTheWholeRun)
{
	FirstRun();
	std::string message = MessageText(29);
	message.replace(message.find("^0"), 2, "Stock Plug-in Indexes");
	for (const bool diskFull : {false, true}) {
		SCOPED_TRACE(diskFull ? "disk full" : "set-aside name taken");
		std::filesystem::remove_all(PrefsPath("Stock Plug-in Indexes.corrupt"));
		WriteText(PrefsPath("Stock Plug-in Indexes"), "bad");
		// Something that is neither removed nor replaced stands under the set-aside name.
		if (!diskFull)
			std::filesystem::create_directories(PrefsPath("Stock Plug-in Indexes.corrupt/keep"));
		const auto before = Entries();

		mShown.clear();
		ExpectMessage();
		TStockPlugin* plugin = nullptr;
		{
			std::optional<StFileSizeLimit> full;
			if (diskFull)
				full.emplace(8);
			plugin = Start();
		}
		EXPECT_EQ(mShown, std::vector<std::string>{message});
		EXPECT_EQ(plugin->GetList(securityIndex)->Count(), 3);
		EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Indexes")), "bad");
		EXPECT_EQ(Entries(), before) << "nothing made beside it";
		// Neither an edit during the run nor the quit writes over it.
		ASSERT_TRUE(plugin->ObeyCommand(5062, nullptr));
		Quit();
		EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Indexes")), "bad");
		EXPECT_EQ(std::filesystem::exists(PrefsPath("Stock Plug-in Indexes.corrupt/keep")),
		          !diskFull);
	}
}

TEST_F(StockPluginFilesTest, AWriteThatFailsSaysSoAndLeavesWhatStoodThere)
{
	TStockPlugin* plugin = Start();
	const std::string before = ReadText(PrefsPath("Stock Plug-in Funds"));
	std::filesystem::remove(PrefsPath("Stock Plug-in Funds"));
	std::filesystem::create_directories(PrefsPath("Stock Plug-in Funds/in the way"));

	UModalAlerts::ClearShownAlerts();
	UModalAlerts::QueueAnswer(1);
	ASSERT_NE(TStockPlugin::AddFund("FCNTX"), nullptr);
	std::vector<std::string> shown;
	for (const auto& alert : UModalAlerts::GetShownAlerts())
		shown.push_back(alert.text);
	EXPECT_EQ(shown, std::vector<std::string>{"These settings files could not be written.\n"
	                                          "Left as they were:\nStock Plug-in Funds"});
	EXPECT_EQ(plugin->GetList(securityFund)->Count(), 2);

	std::filesystem::remove_all(PrefsPath("Stock Plug-in Funds"));
	WriteText(PrefsPath("Stock Plug-in Funds"), before);
	Quit();
	// Written at quit with the fund added in the run.
	EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Funds")).substr(0, 8), std::string("zv22\0\0\0\x02", 8));
}

// Another process holds a shared lock on each new copy of the settings from the moment it is made (another
// run's sweep, stopped there): the quit writes every file all the same, waiting for none of them.
TEST_F(StockPluginFilesTest, TheQuitWritesTheSettingsWhateverHoldsTheirNewCopies)
{
	FirstRun();
	Start();
	// Each file written takes a new inode.
	const auto inodes = [this] {
		std::map<std::string, ino_t> found;
		struct stat st;
		for (const char* name : kFiles)
			found[name] = stat(PrefsPath(name).c_str(), &st) == 0 ? st.st_ino : 0;
		return found;
	};
	const auto before = inodes();
	std::atomic<bool> done = false, released = false;
	{
		killedreplace::StHeldCopies held(PrefsPath());
		// A quit that waits for a lock is let go on after a while, so that the test ends either way.
		std::thread watchdog([&] {
			for (int i = 0; i < 100 && !done; ++i)
				std::this_thread::sleep_for(std::chrono::milliseconds(100));
			if (!done) {
				released = true;
				held.Release(true);
			}
		});
		Quit();
		done = true;
		watchdog.join();
		EXPECT_GE(held.CountSeen(), 5u);
	}
	EXPECT_FALSE(released) << "the quit waited for another process's lock";
	const auto after = inodes();
	for (const char* name : kFiles) {
		EXPECT_NE(after.at(name), before.at(name)) << name;
		EXPECT_EQ(ReadText(PrefsPath(name)).substr(0, 4), "zv22") << name;
	}
	for (const std::string& name : Entries())
		EXPECT_EQ(std::count(std::begin(kFiles), std::end(kFiles), name), 1) << name;
}

// "Keep the changes? Yes" to a list of the former version: the new list is written whole beside the former
// file, which is then copied whole to its free ".old" name, and only then does the new list take the name.
// Killed at any of these steps, the program leaves the former file whole under its name, or under the
// ".old" name once the new list stands; never an empty file, and beside them only hidden copies.
TEST_F(StockPluginFilesTest, KeptChangesKilledAtAnyStepLeaveTheFormerFileWhole)
{
	TStockPlugin::SetConverter({[] { return true; }, nullptr, nullptr, nullptr});
	const std::string former = "zv20" + std::string(100000, '\x01');
	for (ReplaceStep step : killedreplace::kEverySteps) {
		SCOPED_TRACE(int(step));
		std::filesystem::remove_all(PrefsPath());
		std::filesystem::create_directories(PrefsPath());
		WriteText(PrefsPath("Stock Plug-in Stocks"), former);
		StDialogHandler::QueueAnswer(msg_Cancel); // the conversion declined
		TStockPlugin* plugin = Start();
		ASSERT_TRUE(plugin->ObeyCommand(5020, nullptr));
		plugin->GetList(securityStock)->GetNth(1)->SecuritySymbol("AAPX");
		StDialogHandler::QueueAnswer(msg_OK); // keep the changes
		plugin->ShutDown();
		ASSERT_EQ(StDialogHandler::CountQueuedAnswers(), 0u);

		// The last writing of this process, after the child's, fails and says so where the kept name
		// was taken by the child's copy.
		UModalAlerts::QueueAnswer(1);
		// The child only writes the file: no other thread may hold a lock it needs.
		ASSERT_EQ(Threads(), 1u);
		ASSERT_TRUE(
		    killedreplace::KilledAt(step, [&] { plugin->WritePreferencesFiles(prefsStocks); }));

		const bool replaced = step == ReplaceStep::kReplaced;
		const bool kept = step == ReplaceStep::kFormerKept || replaced;
		const std::string stocks = ReadText(PrefsPath("Stock Plug-in Stocks"));
		EXPECT_EQ(replaced ? stocks.substr(0, 4) : stocks, replaced ? "zv22" : former);
		ASSERT_EQ(std::filesystem::exists(PrefsPath("Stock Plug-in Stocks.old")), kept);
		if (kept) {
			EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Stocks.old")), former);
		}
		for (const std::string& name : Entries())
			EXPECT_TRUE(std::count(std::begin(kFiles), std::end(kFiles), name) == 1 ||
			            name == "Stock Plug-in Stocks.old" ||
			            (name[0] == '.' && name.find(".vantorel-save-") != std::string::npos))
			    << name;

		Quit();
		UModalAlerts::ClearQueuedAnswers();
		UModalAlerts::ClearShownAlerts();
	}
}

TEST_F(StockPluginFilesTest, AGroupChosenForAMissingTickerLeavesNoTraceInTheFiles)
{
	FirstRun();
	const std::string before = ReadText(PrefsPath("Stock Plug-in Stocks"));
	mEnv->OpenTicker(5);
	mEnv->CloseTicker(5, true);

	TStockPlugin* plugin = Start();
	auto* tree = static_cast<IContentTree*>(plugin->GetOtherInterface(IContentTree::kSignature));
	ASSERT_NE(tree, nullptr);
	IContentDescription* stocks = tree->GetRootNode()->GetChild(0);
	// Ticker 77 does not exist; ticker 5 is closed and keeps what is chosen for it.
	stocks->SetActive(77, true);
	stocks->SetActive(5, true);
	static_cast<TStockContentTree*>(tree)->UpdateTree();
	TStockPlugin::ForEachSecurity(plugin->GetList(securityStock), [](TSecurity* security) {
		EXPECT_FALSE(security->IsActiveTicker(77)) << security->SecuritySymbol();
		EXPECT_TRUE(security->IsActiveTicker(5)) << security->SecuritySymbol();
	});
	stocks->SetActive(5, false);
	for (short i = 0; i < stocks->GetNumChildren(); ++i)
		stocks->GetChild(i)->SetActive(5, false);
	Quit();
	EXPECT_EQ(ReadText(PrefsPath("Stock Plug-in Stocks")), before);
}

} // namespace
