// The application settings file across starts and quits: a new folder gets the file, a second start
// rewrites it byte for byte, and former, damaged, cut and missing files take their paths with their
// messages, setting the user's file aside and never losing it.

#include "Includes/TList.h"
#include "app/kestrunApp.h"
#include "tests/app/AppTestSupport.h"
#include "ticker/TTicker.h"

#include <filesystem>
#include <memory>
#include <optional>

namespace
{

constexpr std::size_t kMainTicker = 80;
constexpr std::size_t kCount = 233;
constexpr std::size_t kFirstTicker = 237;
constexpr std::size_t kRecordSize = TTicker::kStoredSize;
constexpr std::size_t kName = 4;
constexpr std::size_t kOpenOnQuit = 44;
constexpr std::size_t kSpeed = 45 + 102;

const char* const kOldVersionText =
    "The settings file was written by an older version. It has been set aside, and the default settings are "
    "used.";
const char* const kCorruptText = "The settings file could not be read. It has been replaced with the default "
                                 "settings.";

UInt32 BigEndian32(const std::string& inBytes, std::size_t inAt)
{
	UInt32 value = 0;
	for (std::size_t i = 0; i < 4; ++i)
		value = (value << 8) | UInt8(inBytes[inAt + i]);
	return value;
}

void PutBigEndian32(std::string& ioBytes, std::size_t inAt, UInt32 inValue)
{
	for (std::size_t i = 0; i < 4; ++i)
		ioBytes[inAt + i] = char((inValue >> (24 - 8 * i)) & 0xFF);
}

std::string NameAt(const std::string& inBytes, std::size_t inRecord)
{
	return std::string(inBytes.c_str() + inRecord + kName);
}

// A further ticker's record: the main ticker's settings under another id and name.
std::string TickerRecord(const std::string& inFile, UInt32 inID, const std::string& inName, bool inOpen)
{
	std::string record = inFile.substr(kMainTicker, kRecordSize);
	PutBigEndian32(record, 0, inID);
	std::fill(record.begin() + kName, record.begin() + kOpenOnQuit, '\0');
	record.replace(kName, inName.size(), inName);
	record[kOpenOnQuit] = inOpen ? 1 : 0;
	return record;
}

class kestrunAppSettingsTest : public AppFixture
{
protected:
	// One run of the program as far as the settings file goes: start, then quit.
	void StartAndQuit(const std::function<void(kestrunApp&)>& inWhileRunning = nullptr)
	{
		gInittingTicker = 1; // as at every program start
		auto app = std::make_unique<kestrunApp>();
		if (inWhileRunning)
			inWhileRunning(*app);
		app->AttemptQuitSelf(0);
	}

	// The file written by a first start.
	std::string FreshFile()
	{
		StartAndQuit();
		AppTest::TakeAlerts();
		return ReadText(PrefsPath());
	}

	std::vector<std::string> TickerNames(kestrunApp&)
	{
		std::vector<std::string> names;
		for (auto* node = gTickers->GetEntryHead(); node; node = node->mNext)
			names.push_back(node->mItem->GetTitle());
		return names;
	}
};

TEST_F(kestrunAppSettingsTest, FirstStartWritesDefaultsAndLaterStartsRewriteTheFileUnchanged)
{
	ASSERT_FALSE(std::filesystem::exists(PrefsFolder()));
	StartAndQuit([&](kestrunApp& app) {
		EXPECT_EQ(gInittingTicker, 1); // the main ticker gets its default content
		EXPECT_STREQ(app.GetMainTicker()->GetTitle(), "Main Ticker");
		// Written at once, the main ticker to be opened.
		EXPECT_EQ(ReadText(PrefsPath())[kMainTicker + kOpenOnQuit], 1);
	});
	EXPECT_TRUE(AppTest::TakeAlerts().empty());
	const std::string first = ReadText(PrefsPath());
	ASSERT_EQ(first.size(), kFirstTicker);
	EXPECT_EQ(first.substr(0, 4), "zv22");
	EXPECT_EQ(BigEndian32(first, 4 + 72), 0x400CCCCDu); // 2.2
	EXPECT_EQ(BigEndian32(first, kMainTicker), 0u);
	EXPECT_EQ(NameAt(first, kMainTicker), "Main Ticker");
	EXPECT_EQ(first[kMainTicker + kOpenOnQuit], 0); // no ticker window was open at the quit
	EXPECT_EQ(first[kMainTicker + kSpeed], 13);
	EXPECT_EQ(BigEndian32(first, kCount), 0u);

	// The user's further tickers, one of them open at the last quit, and a file of the earlier tag.
	std::string withTickers = first;
	withTickers.replace(0, 4, "zv20");
	PutBigEndian32(withTickers, kCount, 2);
	withTickers += TickerRecord(first, 77, "Funds", true) + TickerRecord(first, 78, "Pounds", false);
	WriteText(PrefsPath(), withTickers);
	StartAndQuit([&](kestrunApp& app) {
		EXPECT_EQ(gInittingTicker, 0);
		EXPECT_EQ(TickerNames(app), (std::vector<std::string>{"Funds", "Pounds"}));
		EXPECT_TRUE(gTickers->GetFirst()->WasTickerOpenOnQuit());
	});
	EXPECT_TRUE(AppTest::TakeAlerts().empty());
	std::string expected = withTickers;
	expected.replace(0, 4, "zv22");
	// No ticker window is open at this quit.
	expected[kFirstTicker + kOpenOnQuit] = 0;
	const std::string second = ReadText(PrefsPath());
	EXPECT_EQ(second, expected);

	StartAndQuit();
	EXPECT_EQ(ReadText(PrefsPath()), second);
}

TEST_F(kestrunAppSettingsTest, FormerAndDamagedFilesAreSetAsideWithTheirMessages)
{
	const std::string fresh = FreshFile();

	// A former version's file: message 4, kept as ".old", a new file written at once with a default main
	// ticker that is not filled.
	const std::string former = "zv16" + std::string(300, '\x5A');
	WriteText(PrefsPath(), former);
	UModalAlerts::QueueAnswer(1);
	StartAndQuit([](kestrunApp& app) {
		EXPECT_EQ(gInittingTicker, 0);
		EXPECT_STREQ(app.GetMainTicker()->GetTitle(), "Main Ticker");
	});
	EXPECT_EQ(AppTest::TakeAlerts(), std::vector<std::string>{kOldVersionText});
	EXPECT_EQ(ReadText(PrefsPath(".old")), former);
	EXPECT_EQ(ReadText(PrefsPath()), fresh);

	// An unknown tag, and then a file cut right after the record: message 5, ".corrupt" holds the latest
	// damaged file (the older one is replaced), defaults written.
	const std::string unknown = "QQQQ" + fresh.substr(4);
	const std::string cut = fresh.substr(0, kMainTicker);
	for (const std::string& damaged : {unknown, cut}) {
		WriteText(PrefsPath(), damaged);
		UModalAlerts::QueueAnswer(1);
		StartAndQuit([](kestrunApp&) { EXPECT_EQ(gInittingTicker, 1); });
		EXPECT_EQ(AppTest::TakeAlerts(), std::vector<std::string>{kCorruptText});
		EXPECT_EQ(ReadText(PrefsPath(".corrupt")), damaged);
		EXPECT_EQ(ReadText(PrefsPath()), fresh);
	}

	// A main ticker that a damaged file left half read still gets every default value.
	std::string halfMain = fresh.substr(0, kMainTicker + kName) + "Damaged";
	WriteText(PrefsPath(), halfMain);
	UModalAlerts::QueueAnswer(1);
	StartAndQuit([](kestrunApp& app) {
		EXPECT_STREQ(app.GetMainTicker()->GetTitle(), "Main Ticker");
		EXPECT_EQ(app.GetMainTicker()->GetPrefs().speed, 13);
	});
	EXPECT_EQ(AppTest::TakeAlerts(), std::vector<std::string>{kCorruptText});
	EXPECT_EQ(ReadText(PrefsPath()), fresh);

	// A missing file is created again without a message.
	std::filesystem::remove(PrefsPath());
	StartAndQuit();
	EXPECT_TRUE(AppTest::TakeAlerts().empty());
	EXPECT_EQ(ReadText(PrefsPath()), fresh);

	// A settings file that links to one in another folder is set aside there, where the older set-aside
	// gives way; the link stays.
	const std::string elsewhere = mRoot + "/elsewhere";
	std::filesystem::create_directory(elsewhere);
	WriteText(elsewhere + "/Vantorel Prefs", unknown);
	WriteText(elsewhere + "/Vantorel Prefs.corrupt", "older");
	std::filesystem::remove(PrefsPath());
	std::filesystem::create_symlink(elsewhere + "/Vantorel Prefs", PrefsPath());
	UModalAlerts::QueueAnswer(1);
	StartAndQuit();
	EXPECT_EQ(AppTest::TakeAlerts(), std::vector<std::string>{kCorruptText});
	EXPECT_EQ(ReadText(elsewhere + "/Vantorel Prefs.corrupt"), unknown);
	EXPECT_TRUE(std::filesystem::is_symlink(PrefsPath()));
	EXPECT_EQ(ReadText(PrefsPath()), fresh);
}

// The damaged or former file is copied whole to its set-aside name only once the default settings are
// written whole beside it. When either cannot be done, because something stands under the set-aside name
// or the disk is full, the file stays under its name, and the message names it and says so.
TEST_F(kestrunAppSettingsTest, AFileThatCannotBeSetAsideIsLeftAsItIs)
{
	FreshFile();
	const std::string damaged = "QQQQ and more";
	const std::string former = "zv16" + std::string(300, '\x5A');
	for (const bool diskFull : {false, true})
		for (const std::string& file : {damaged, former}) {
			SCOPED_TRACE(std::string(diskFull ? "disk full, " : "set-aside name taken, ") +
			             (file == former ? "former" : "damaged"));
			const std::string aside = PrefsPath(file == former ? ".old" : ".corrupt");
			std::filesystem::remove_all(aside);
			WriteText(PrefsPath(), file);
			// Something under the set-aside name that cannot be replaced.
			if (!diskFull)
				std::filesystem::create_directories(aside + "/inside");
			UModalAlerts::QueueAnswer(1);
			{
				std::optional<StFileSizeLimit> full;
				if (diskFull)
					full.emplace(8);
				gInittingTicker = 1;
				auto app = std::make_unique<kestrunApp>();
				full.reset();
				app->AttemptQuitSelf(0);
			}
			const std::string what =
			    file == former ? "was written by an older version and" : "could not be read and";
			EXPECT_EQ(
			    AppTest::TakeAlerts(),
			    std::vector<std::string>{"The settings file \xD2Vantorel Prefs\xD3 " + what +
			                             " could not be set aside. It is left as it was under "
			                             "its name, and this session's settings, the default "
			                             "ones, will not be saved over it."});
			EXPECT_EQ(ReadText(PrefsPath()), file);
			EXPECT_EQ(std::filesystem::is_directory(aside), !diskFull);
			EXPECT_EQ(std::filesystem::exists(aside), !diskFull);
		}
}

TEST_F(kestrunAppSettingsTest, TickerRecordsAreCheckedAsTheyAreRead)
{
	const std::string fresh = FreshFile();

	// The count says 4; the file holds three whole records and the start of a fourth. The second has the
	// main ticker's id and settings out of range, the third repeats the first's id.
	std::string file = fresh;
	PutBigEndian32(file, kCount, 4);
	std::string bad = TickerRecord(fresh, 0, "Gold", false);
	bad[45 + 101] = 99;               // anchor
	bad[45 + 102] = 7;                // speed
	bad[45 + 103] = 3;                // direction
	PutBigEndian32(bad, 45 + 96, 0);  // font size
	bad[45 + 6] = 0, bad[45 + 7] = 0; // width
	file +=
	    TickerRecord(fresh, 501, "New Ticker", false) + bad + TickerRecord(fresh, 501, "Silver", false);
	file += TickerRecord(fresh, 503, "Cut", false).substr(0, 20);
	WriteText(PrefsPath(), file);
	StartAndQuit([&](kestrunApp& app) {
		EXPECT_EQ(TickerNames(app), (std::vector<std::string>{"New Ticker", "Gold", "Silver"}));
		const TTicker* gold = gTickers->GetNth(2);
		EXPECT_NE(gold->GetID(), 0u);
		EXPECT_NE(gold->GetID(), 501u);
		const tTickerPrefs& prefs = gold->GetPrefs();
		EXPECT_EQ(prefs.anchor, kTickerAnchorTopFull);
		EXPECT_EQ(prefs.speed, kTickerSpeedNew);
		EXPECT_EQ(prefs.direction, kTickerRightToLeft);
		EXPECT_EQ(prefs.font.GetFontSize(), 14);
		EXPECT_EQ(prefs.width, 240);
		const UInt32 silver = gTickers->GetNth(3)->GetID();
		EXPECT_NE(silver, 501u);
		EXPECT_NE(silver, gold->GetID());
	});
	EXPECT_TRUE(AppTest::TakeAlerts().empty());
	EXPECT_EQ(BigEndian32(ReadText(PrefsPath()), kCount), 3u);

	// A count far beyond the records: the list stops at the end of the file and at 15 tickers.
	file = fresh;
	PutBigEndian32(file, kCount, 0xFFFFFFFF);
	for (UInt32 i = 0; i < 20; ++i)
		file += TickerRecord(fresh, 600 + i, "T" + std::to_string(i), false);
	WriteText(PrefsPath(), file);
	StartAndQuit([](kestrunApp&) { EXPECT_EQ(gTickers->Count(), kMaxTickers); });
	const std::string written = ReadText(PrefsPath());
	EXPECT_EQ(BigEndian32(written, kCount), UInt32(kMaxTickers));
	EXPECT_EQ(written.size(), kFirstTicker + kMaxTickers * kRecordSize);
}

TEST_F(kestrunAppSettingsTest, AFailedWriteLeavesTheFileAndSaysSo)
{
	const std::string fresh = FreshFile();
	UModalAlerts::QueueAnswer(1);
	StartAndQuit([&](kestrunApp&) {
		// The settings file's place is taken by a folder while the program runs.
		std::filesystem::remove(PrefsPath());
		std::filesystem::create_directories(PrefsPath() + "/taken");
	});
	EXPECT_EQ(AppTest::TakeAlerts(),
	          std::vector<std::string>{"These settings files could not be written.\n"
	                                   "Left as they were:\nVantorel Prefs"});
	EXPECT_TRUE(std::filesystem::is_directory(PrefsPath()));
}

} // namespace
