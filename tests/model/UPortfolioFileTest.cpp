#include "model/UPortfolioFile.h"

#include "foundation/TVyFile.h"
#include "model/UZVUtils.h"
#include "tests/support/KilledReplace.h"
#include "tests/support/ModelTestEnvironment.h"
#include "tests/support/TempHomeFixture.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace
{

UInt32 U32At(const std::string& bytes, std::size_t at)
{
	const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + at);
	return UInt32(b[0]) << 24 | UInt32(b[1]) << 16 | UInt32(b[2]) << 8 | UInt32(b[3]);
}

UInt16 U16At(const std::string& bytes, std::size_t at)
{
	const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + at);
	return UInt16(b[0] << 8 | b[1]);
}

float F32At(const std::string& bytes, std::size_t at)
{
	const UInt32 bits = U32At(bytes, at);
	float value;
	std::memcpy(&value, &bits, sizeof(value));
	return value;
}

class PortfolioFileTest : public TempHomeFixture
{
protected:
	void SetUp() override
	{
		TempHomeFixture::SetUp();
		UPortfolioFile::DefaultParameters(&mParameters, 101);
		mFile = std::make_unique<TVyFile>();
		mFile->SetFileName("Savings");
	}

	tCategory* AddCategory(const char* name)
	{
		tCategory category;
		UPortfolioFile::DefaultCategory(&category, name);
		mCategories.Append(&category);
		tCategory* added = mCategories.GetNth(mCategories.Count());
		UPortfolioFile::AssignSignature(&mCategories, added);
		return added;
	}

	short Save()
	{
		return UPortfolioFile::SavePortfolio(mFile.get(), &mParameters, &mCategories, &mLedger);
	}
	std::string Bytes() { return ReadText(mWork + "/Savings"); }

	modeltest::ModelTestEnvironment mEnv;
	std::unique_ptr<TVyFile> mFile;
	tPortfolioParameters mParameters;
	TList<tCategory> mCategories{true, true};
	TList<tLedgerEntry> mLedger{true, true};
};

TEST_F(PortfolioFileTest, EmptyPortfolioIs708BytesWithItsDefaultsAtTheirOffsets)
{
	ASSERT_EQ(Save(), 0);
	const std::string bytes = Bytes();
	ASSERT_EQ(bytes.size(), 708u);
	EXPECT_EQ(bytes.substr(0, 4), "zv22");
	EXPECT_EQ(bytes[4 + 0], 10);
	EXPECT_EQ(U16At(bytes, 4 + 30), 101);
	EXPECT_EQ(U16At(bytes, 4 + 32), 900);
	EXPECT_EQ(bytes[4 + 34], 1);
	EXPECT_EQ(U16At(bytes, 4 + 36 + 12), 1990);
	EXPECT_EQ(std::string(bytes.c_str() + 4 + 64), "Geneva");
	EXPECT_EQ(U32At(bytes, 4 + 100), 9u);
	EXPECT_EQ(U16At(bytes, 4 + 122), 0x32D9);
	EXPECT_EQ(U16At(bytes, 4 + 148 + 4), 0x32D9);
	EXPECT_EQ(UInt8(bytes[4 + 154]), 102);
	EXPECT_EQ(UInt8(bytes[4 + 155]), 103);
	EXPECT_EQ(UInt8(bytes[4 + 437]), 1);
	EXPECT_EQ(U32At(bytes, 700), 0u);
	EXPECT_EQ(U32At(bytes, 704), 0u);
}

TEST_F(PortfolioFileTest, CategoriesAndEntriesFollowInListOrderAndReadBackWhole)
{
	AddCategory("Growth");
	AddCategory("Income");
	tLedgerEntry entry;
	UPortfolioFile::DefaultEntry(&entry, 100, 101, 101);
	std::strcpy(entry.symbol, "ACME");
	entry.units = 12.5f;
	entry.category = mCategories.GetNth(2)->signature;
	mLedger.Append(&entry);
	ASSERT_EQ(Save(), 0);

	const std::string bytes = Bytes();
	ASSERT_EQ(bytes.size(), 708u + 2 * 52 + 220);
	EXPECT_EQ(U32At(bytes, 700), 2u);
	EXPECT_EQ(std::string(bytes.c_str() + 704), "Growth");
	EXPECT_EQ(std::string(bytes.c_str() + 704 + 52), "Income");
	EXPECT_EQ(U32At(bytes, 704 + 52 + 32), mCategories.GetNth(2)->signature);
	EXPECT_EQ(bytes[704 + 52 + 36], 1);
	EXPECT_EQ(U32At(bytes, 808), 1u);
	EXPECT_EQ(bytes[812 + 14], 100);
	EXPECT_EQ(std::string(bytes.c_str() + 812 + 15), "ACME");
	EXPECT_EQ(U16At(bytes, 812 + 36), 101);
	EXPECT_EQ(F32At(bytes, 812 + 40), 12.5f);
	EXPECT_EQ(F32At(bytes, 812 + 56), 1.0f);
	EXPECT_EQ(F32At(bytes, 812 + 64), 2.0f);
	EXPECT_EQ(U32At(bytes, 812 + 176), mCategories.GetNth(2)->signature);
	EXPECT_EQ(bytes[812 + 185], 1);
	EXPECT_EQ(bytes[812 + 186], 1);

	tPortfolioParameters read;
	TList<tCategory> categories{true, true};
	TList<tLedgerEntry> ledger{true, true};
	TVyFile file(mFile.get());
	ASSERT_EQ(UPortfolioFile::ReadPortfolio(&file, &read, &categories, &ledger), 0);
	EXPECT_EQ(std::memcmp(&read, &mParameters, sizeof(read)), 0);
	ASSERT_EQ(categories.Count(), 2);
	EXPECT_EQ(std::memcmp(categories.GetNth(2), mCategories.GetNth(2), sizeof(tCategory)), 0);
	ASSERT_EQ(ledger.Count(), 1);
	EXPECT_EQ(std::memcmp(ledger.GetNth(1), &entry, sizeof(entry)), 0);
}

TEST_F(PortfolioFileTest, PasswordIsStoredScrambledAndReadsBackPlainAfterRepeatedSaves)
{
	mParameters.passwordSet = 1;
	std::strcpy(mParameters.password, "open sesame");
	ASSERT_EQ(Save(), 0);
	const std::string first = Bytes();
	EXPECT_EQ(std::string(mParameters.password), "open sesame");
	EXPECT_EQ(first.find("open sesame"), std::string::npos);
	EXPECT_EQ(UInt8(first[4 + 401]), UInt8('o' ^ 0x5A));
	ASSERT_EQ(Save(), 0);
	EXPECT_EQ(Bytes(), first);

	tPortfolioParameters read;
	TList<tCategory> categories{true, true};
	TList<tLedgerEntry> ledger{true, true};
	ASSERT_EQ(UPortfolioFile::ReadPortfolio(mFile.get(), &read, &categories, &ledger), 0);
	EXPECT_STREQ(read.password, "open sesame");
}

TEST(PortfolioPassword, RefusesWhatCannotBeReadBackWhole)
{
	EXPECT_TRUE(UPortfolioFile::IsPasswordStorable("open sesame"));
	EXPECT_TRUE(UPortfolioFile::IsPasswordStorable(std::string(30, 'a').c_str()));
	EXPECT_FALSE(UPortfolioFile::IsPasswordStorable(std::string(31, 'a').c_str()));
	EXPECT_FALSE(UPortfolioFile::IsPasswordStorable("Zebra"));
	// 'a' scrambles to 0x3B, so a following ';' would scramble to zero.
	EXPECT_FALSE(UPortfolioFile::IsPasswordStorable("a;"));
	EXPECT_FALSE(UPortfolioFile::IsPasswordStorable(nullptr));

	char password[31] = "Quartz 42";
	UPortfolioFile::ScramblePassword(password);
	UPortfolioFile::UnscramblePassword(password);
	EXPECT_STREQ(password, "Quartz 42");
}

TEST_F(PortfolioFileTest, FilesOfOtherTagsAreRefusedAndLeftUntouched)
{
	const std::string former = std::string("zv20") + std::string(700, '\1');
	WriteText(mWork + "/Savings", former);
	tPortfolioParameters read;
	TList<tCategory> categories{true, true};
	TList<tLedgerEntry> ledger{true, true};
	EXPECT_EQ(UPortfolioFile::ReadPortfolio(mFile.get(), &read, &categories, &ledger),
	          kPortfolioOldFormat);
	UInt32 tag = 0;
	EXPECT_EQ(UPortfolioFile::ReadTag(mFile.get(), &tag), 0);
	EXPECT_EQ(tag, UPortfolioFile::kOldTag);
	EXPECT_EQ(Bytes(), former);
	EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mWork), {}), 1);

	WriteText(mWork + "/Savings", "TEXT and more");
	EXPECT_EQ(UPortfolioFile::ReadPortfolio(mFile.get(), &read, &categories, &ledger),
	          kPortfolioWrongTag);
	WriteText(mWork + "/Savings", "zv");
	EXPECT_NE(UPortfolioFile::ReadPortfolio(mFile.get(), &read, &categories, &ledger), 0);
}

TEST_F(PortfolioFileTest, ASaveKilledBeforeItsFileIsWholeLeavesNoFileUnderANewNameAndTheFormerOneWhole)
{
	for (int i = 0; i < 300; ++i)
		AddCategory(("Category " + std::to_string(i)).c_str());
	for (ReplaceStep step : {ReplaceStep::kCopyWritten, ReplaceStep::kReplaced}) {
		SCOPED_TRACE(int(step));
		ASSERT_TRUE(killedreplace::KilledAt(step, [&] { Save(); }));
		const bool whole = step == ReplaceStep::kReplaced;
		EXPECT_EQ(std::filesystem::exists(mWork + "/Savings"), whole);
		ASSERT_EQ(PathRemoveStaleReplacements(mWork, 0), noErr);
		const std::vector<std::string> left =
		    whole ? std::vector<std::string>{"Savings"} : std::vector<std::string>{};
		EXPECT_EQ(killedreplace::Entries(mWork), left);
		std::filesystem::remove(mWork + "/Savings");
	}

	ASSERT_EQ(Save(), 0);
	const std::string saved = Bytes();
	AddCategory("One more");
	ASSERT_TRUE(killedreplace::KilledAt(ReplaceStep::kCopyWritten, [&] { Save(); }));
	EXPECT_EQ(Bytes(), saved);
}

TEST_F(PortfolioFileTest, CountsBeyondTheFileAreRefusedWithoutReadingOn)
{
	ASSERT_EQ(Save(), 0);
	std::string bytes = Bytes();
	bytes[700] = '\x7F';
	WriteText(mWork + "/Savings", bytes);
	tPortfolioParameters read;
	TList<tCategory> categories{true, true};
	TList<tLedgerEntry> ledger{true, true};
	EXPECT_EQ(UPortfolioFile::ReadPortfolio(mFile.get(), &read, &categories, &ledger), kPortfolioDamaged);
	EXPECT_EQ(categories.Count(), 0);
}

TEST_F(PortfolioFileTest, SignaturesAreUniqueAndSurviveRenames)
{
	// Both names sum to the same code.
	ASSERT_EQ(UZVUtils::GetCategorySignature("ab"), UZVUtils::GetCategorySignature("ca"));
	tCategory* ab = AddCategory("ab");
	tCategory* ca = AddCategory("ca");
	EXPECT_NE(ab->signature, 0u);
	EXPECT_NE(ab->signature, ca->signature);

	const UInt32 before = ca->signature;
	std::strcpy(ca->name, "Renamed");
	UPortfolioFile::AssignSignature(&mCategories, ca);
	EXPECT_EQ(ca->signature, before);
}

} // namespace
