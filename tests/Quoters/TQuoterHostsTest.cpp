#include "Quoters/TQuoterHosts.h"

#include "Quoters/TQuoterManager.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{

class TQuoterHostsTest : public ::testing::Test
{
protected:
	void TearDown() override { TQuoterHosts::ResetHosts(); }
};

TEST_F(TQuoterHostsTest, EverySourceHasPlainHostNames)
{
	for (int i = 0; i < TQuoterManager::kRegistrationCount; i++) {
		const OSType sig = TQuoterManager::kRegistrationOrder[i];
		for (auto role :
		     {TQuoterHosts::hostQuote, TQuoterHosts::hostLookup, TQuoterHosts::hostHome}) {
			const char* host = TQuoterHosts::GetHost(sig, role);
			EXPECT_GT(std::strlen(host), 4u) << i << " " << role;
			EXPECT_EQ(std::strchr(host, '/'), nullptr) << host; // no scheme, no path
		}
	}
	// One quote host serves both the US and the European Yahoo pages.
	EXPECT_STREQ(TQuoterHosts::GetHost(FOUR_CHAR_CODE("YaUS"), TQuoterHosts::hostQuote),
	             TQuoterHosts::GetHost(FOUR_CHAR_CODE("YaEU"), TQuoterHosts::hostQuote));
	EXPECT_STRNE(TQuoterHosts::GetHost(FOUR_CHAR_CODE("GlbM"), TQuoterHosts::hostNews), "");
	EXPECT_STRNE(TQuoterHosts::GetVersionHost(), "");
}

TEST_F(TQuoterHostsTest, HostsCanBeChangedAndReset)
{
	const OSType sig = FOUR_CHAR_CODE("XExe");
	const std::string original = TQuoterHosts::GetHost(sig, TQuoterHosts::hostQuote);
	TQuoterHosts::SetHost(sig, TQuoterHosts::hostQuote, "127.0.0.1:8080");
	EXPECT_STREQ(TQuoterHosts::GetHost(sig, TQuoterHosts::hostQuote), "127.0.0.1:8080");
	EXPECT_STRNE(TQuoterHosts::GetHost(sig, TQuoterHosts::hostHome), "127.0.0.1:8080");
	TQuoterHosts::SetHost(sig, TQuoterHosts::hostQuote, nullptr);
	EXPECT_STREQ(TQuoterHosts::GetHost(sig, TQuoterHosts::hostQuote), "");
	EXPECT_STREQ(TQuoterHosts::GetHost(FOUR_CHAR_CODE("none"), TQuoterHosts::hostQuote), "");

	TQuoterHosts::SetVersionHost("localhost");
	EXPECT_STREQ(TQuoterHosts::GetVersionHost(), "localhost");
	TQuoterHosts::ResetHosts();
	EXPECT_EQ(TQuoterHosts::GetHost(sig, TQuoterHosts::hostQuote), original);
	EXPECT_STRNE(TQuoterHosts::GetVersionHost(), "localhost");
}

} // namespace
