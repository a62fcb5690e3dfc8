#include "toolkit/USound.h"

#include "model/UAlertSound.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/LPeriodical.h"
#include "platform/framework/UModalAlerts.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/gui/SoundFiles.h"
#include "tests/platform/framework/FrameworkTestSupport.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScratchFolder.h"
#include "toolkit/LSound.h"
#include "toolkit/UKsServices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

void Touch(const std::string& inPath)
{
	std::ofstream(inPath) << "RIFF";
}

std::vector<std::string> Names()
{
	std::vector<std::string> names;
	TList<USound::tSoundEntry>* list = USound::GetSoundList();
	for (USound::tSoundEntry* entry = list->GetFirst(); entry; entry = list->GetNext())
		names.push_back(std::to_string(entry->number) + " " + entry->name);
	return names;
}

void LetSoundsFinish()
{
	QElapsedTimer timer;
	timer.start();
	EventRecord null;
	while (LSound::CountPlaying() > 0 && timer.elapsed() < 2000) {
		QCoreApplication::processEvents();
		LPeriodical::DevoteTimeToRepeaters(null);
	}
}

class USoundTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		FrameworkTest::EnsureApplication();
		mScratch = std::make_unique<ScratchFolder>();
		mFolder = mScratch->Path();
		for (const char* name :
		     {"Zeta.wav", "alpha.WAV", "Beta.wav", "notes.txt", ".hidden.wav",
		      "Ring.tone.with.a.very.long.name.for.testing.wav", "two.dots.name.wav"})
			Touch(mFolder + "/" + name);
		std::filesystem::create_directory(mFolder + "/folder.wav");
		mEnvironment = std::make_unique<ScopedEnvironment>("VANTOREL_SOUNDS", mFolder);
		USound::DisposeSounds();
		mPrevious = SetSoundFilePlayer([this](const std::string& inPath) {
			mPlayed.push_back(std::filesystem::path(inPath).filename().string());
			return true;
		});
		SetAudioOutputOverride(1);
	}
	void TearDown() override
	{
		LetSoundsFinish();
		SetSoundFilePlayer(mPrevious);
		SetAudioOutputOverride(-1);
		USound::DisposeSounds();
		mEnvironment.reset();
		mScratch.reset();
	}

	std::unique_ptr<ScratchFolder> mScratch;
	std::string mFolder;
	std::unique_ptr<ScopedEnvironment> mEnvironment;
	SoundFilePlayer mPrevious;
	std::vector<std::string> mPlayed;
};

TEST_F(USoundTest, TheListIsTheFoldersSoundFilesInNameOrderWithoutExtensions)
{
	EXPECT_EQ(Names(), (std::vector<std::string>{"1 Beta", "2 Ring.tone.with.a.very.long.name", "3 Zeta",
	                                             "4 alpha", "5 two.dots.name"}));
	USound::tSoundEntry* first = USound::GetSoundList()->GetFirst();
	EXPECT_EQ(first->file, 1);
	EXPECT_EQ(first->resource, 0);
	EXPECT_EQ(first->resourceNumber, 0);
}

TEST_F(USoundTest, EveryAudioFormatIsListedShortNamesTooAndOnlyDotFilesAreHidden)
{
	for (const char* name : {"Bell.oga", "Drop.FLAC", "Horn.mp3", "Tone.aiff", "b.au", "c.ogg", ".d.ogg",
	                         "picture.png", "ogg"})
		Touch(mFolder + "/" + name);
	EXPECT_EQ(Names(), (std::vector<std::string>{"1 Bell", "2 Beta", "3 Drop", "4 Horn",
	                                             "5 Ring.tone.with.a.very.long.name", "6 Tone", "7 Zeta",
	                                             "8 alpha", "9 b", "10 c", "11 two.dots.name"}));
	USound::PlaySound(9);
	EXPECT_EQ(mPlayed, std::vector<std::string>{"b.au"});
}

TEST_F(USoundTest, NumbersStayAsTheyWereForTheRunAndFollowTheFolderAtTheNextStart)
{
	ASSERT_EQ(USound::GetSoundList()->Count(), 5);
	Touch(mFolder + "/Alarm.wav");
	EXPECT_EQ(USound::GetSoundList()->Count(), 5);
	USound::PlaySound(1);
	EXPECT_EQ(mPlayed, std::vector<std::string>{"Beta.wav"});

	USound::DisposeSounds(); // as at the next start
	EXPECT_EQ(Names().front(), "1 Alarm");
	EXPECT_EQ(Names().size(), 6u);
}

TEST_F(USoundTest, PlayingANumberPlaysThatSoundAndAnUnknownNumberNothing)
{
	USound::PlaySound(2);
	EXPECT_EQ(mPlayed, std::vector<std::string>{"Ring.tone.with.a.very.long.name.for.testing.wav"});
	EXPECT_EQ(LSound::CountPlaying(), 1);
	LetSoundsFinish();
	EXPECT_EQ(LSound::CountPlaying(), 0); // it went by itself once it had played

	mPlayed.clear();
	USound::PlaySound(0);
	USound::PlaySound(6);
	USound::PlaySound(-1);
	EXPECT_TRUE(mPlayed.empty());
	EXPECT_EQ(LSound::CountPlaying(), 0);
}

TEST_F(USoundTest, WithoutAnAudioDevicePlayingDoesNothingAndTellsNoOne)
{
	SetAudioOutputOverride(0);
	const long signalsBefore = Debugging::SignalCount();
	UModalAlerts::ClearShownAlerts();
	USound::PlaySound(3);
	EXPECT_TRUE(mPlayed.empty());
	EXPECT_EQ(LSound::CountPlaying(), 0);
	EXPECT_EQ(Debugging::SignalCount(), signalsBefore);
	EXPECT_TRUE(UModalAlerts::GetShownAlerts().empty());
}

TEST_F(USoundTest, TheRealAudioOutputNeverFailsTheCaller)
{
	// Whatever this machine has (often no device at all): playing returns, and the sound goes in time.
	SetSoundFilePlayer(nullptr);
	SetAudioOutputOverride(-1);
	std::filesystem::copy_file(std::string(VANTOREL_FIXTURES) + "/../../resources/sounds/Click.wav",
	                           mFolder + "/Beta.wav", std::filesystem::copy_options::overwrite_existing);
	USound::PlaySound(1);
	USound::PlaySound(3); // not a sound file at all
	LetSoundsFinish();
	EXPECT_EQ(LSound::CountPlaying(), 0);
}

TEST_F(USoundTest, TheMenuListsTheSoundsInOrder)
{
	LMenu menu(300, (ConstStr255Param) "\6Sounds");
	EXPECT_EQ(USound::PopulateMenu(&menu), 5);
	ASSERT_EQ(menu.CountItems(), 5);
	Str255 text;
	menu.GetItemText(2, text);
	EXPECT_EQ(std::string(reinterpret_cast<char*>(text + 1), text[0]), "Ring.tone.with.a.very.long.name");
	menu.GetItemText(5, text);
	EXPECT_EQ(std::string(reinterpret_cast<char*>(text + 1), text[0]), "two.dots.name");

	const long signalsBefore = Debugging::SignalCount();
	EXPECT_EQ(USound::PopulateMenu(nullptr), 0);
	EXPECT_EQ(Debugging::SignalCount(), signalsBefore + 1);
}

TEST_F(USoundTest, AMissingFolderGivesNoSounds)
{
	ScopedEnvironment missing("VANTOREL_SOUNDS", mFolder + "/nowhere");
	USound::DisposeSounds();
	EXPECT_EQ(USound::GetSoundList()->Count(), 0);
	USound::PlaySound(1);
	EXPECT_TRUE(mPlayed.empty());
}

TEST_F(USoundTest, TheModelsAlertSoundReachesTheListOnceInstalled)
{
	UKsServices::Install();
	UAlertSound::PlaySound(4);
	EXPECT_EQ(mPlayed, std::vector<std::string>{"alpha.WAV"});
}

TEST(ShippedSoundsTest, TheProgramShipsAFewSoundsThatAllPlay)
{
	FrameworkTest::EnsureApplication();
	ScopedEnvironment shipped("VANTOREL_SOUNDS",
	                          std::string(VANTOREL_FIXTURES) + "/../../resources/sounds");
	USound::DisposeSounds();
	std::vector<std::string> played;
	SoundFilePlayer previous = SetSoundFilePlayer([&](const std::string& inPath) {
		std::ifstream file(inPath, std::ios::binary);
		char header[12] = {};
		file.read(header, sizeof(header));
		played.push_back(std::string(header, 4) + std::string(header + 8, 4));
		return true;
	});
	SetAudioOutputOverride(1);
	const SInt32 count = USound::GetSoundList()->Count();
	EXPECT_GE(count, 3);
	for (SInt32 n = 1; n <= count; ++n)
		USound::PlaySound(n);
	EXPECT_EQ(played, std::vector<std::string>(size_t(count), "RIFFWAVE"));
	LetSoundsFinish();
	SetSoundFilePlayer(previous);
	SetAudioOutputOverride(-1);
	USound::DisposeSounds();
}
} // namespace
