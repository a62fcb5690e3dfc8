// What every test program does before its first test. No session bus but the ones tests start themselves:
// Qt would launch one that outlives the run. One scratch folder for the whole run holds what libraries
// put in the user's folders (Qt's runtime folder, the sound server's), and shows at once, in one message,
// a temporary folder that cannot be used.

#include "tests/support/ScratchFolder.h"

#include <cstdlib>
#include <exception>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace
{

class TestProgramEnvironment : public ::testing::Environment
{
public:
	void SetUp() override
	{
		setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
		// A death test's run of the program ends without a tear-down; its parent checked the folder.
		if (!GTEST_FLAG_GET(internal_run_death_test).empty())
			return;
		const std::string base = ScratchFolder::Base();
		const char* backing = std::getenv("VANTOREL_TEST_BACKING_DIR");
		const std::string backingBase = backing ? backing : "";
		try {
			mScratch = std::make_unique<ScratchFolder>();
		} catch (const std::exception& e) {
			FAIL() << "the temporary folder " << base << " cannot be used: " << e.what();
		}
		// The tests' own folders go beside it, not inside it: the paths they show stay as long as a
		// user's.
		setenv("TMPDIR", base.c_str(), 1);
		if (backing)
			setenv("VANTOREL_TEST_BACKING_DIR", backingBase.c_str(), 1);
	}
	void TearDown() override { mScratch.reset(); }

private:
	std::unique_ptr<ScratchFolder> mScratch;
};

[[maybe_unused]] ::testing::Environment* const sEnvironment =
    ::testing::AddGlobalTestEnvironment(new TestProgramEnvironment);

} // namespace
