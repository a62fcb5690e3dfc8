// An alert or a dialog that a test left unanswered fails that test with its text and ends as its Cancel,
// rather than waiting for a user until the test's time runs out. A test that answers them as the user
// does, in their boxes, sets no handler.

#include "platform/framework/StDialogHandler.h"
#include "platform/framework/UModalAlerts.h"

#include <gtest/gtest.h>
#include <string>

namespace
{

class UnansweredAlerts : public ::testing::EmptyTestEventListener
{
	void OnTestStart(const ::testing::TestInfo&) override
	{
		const auto fail = [](const std::string& inWaitsFor) {
			ADD_FAILURE() << "the test gave no answer to " << inWaitsFor;
		};
		UModalAlerts::SetUnanswered(fail);
		StDialogHandler::SetUnanswered(fail);
	}
	void OnTestEnd(const ::testing::TestInfo&) override
	{
		UModalAlerts::SetUnanswered(nullptr);
		StDialogHandler::SetUnanswered(nullptr);
	}
};

[[maybe_unused]] const bool sInstalled =
    (::testing::UnitTest::GetInstance()->listeners().Append(new UnansweredAlerts), true);

} // namespace
