// The whole program, its pages served by a loopback server named as the HTTP proxy: the user opens the fund
// list's lookup from the menu, searches by name, takes results into the list and confirms the list.

#include "app/TStockPlugin.h"
#include "model/TSecurity.h"
#include "platform/framework/UDispatch.h"
#include "tests/app/QuoteServingFixture.h"
#include "tests/windows/LookupTestSupport.h"
#include "windows/security/TFundLookupWindow.h"
#include "windows/security/TListWindow.h"
#include "windows/security/TLookupList.h"
#include "windows/security/UWindowRegistry.h"
#include "windows/security/tSecurityEntry.h"

#include <algorithm>

namespace
{

using namespace LookupTest;

constexpr OSType kYahooUS = FOUR_CHAR_CODE("YaUS");
constexpr CommandT kOpenFundListAndLook = 5125;

class LookupWindowE2ETest : public QuoteServingFixture
{
protected:
	void SetUp() override
	{
		QuoteServingFixture::SetUp();
		UWindowRegistry::Install();
	}
};

TEST_F(LookupWindowE2ETest, FundsFoundByNameJoinTheListOnce)
{
	mServer.Serve("/lookup?s=Sample%20Growth&t=M&m=",
	              LoopbackHTTPServer::Page(QuoteServing::Fixture("Yahoo", "lookup_funds.html")));
	auto app = Start();
	TStockPlugin* plugin = TStockPlugin::sStockPlugin;
	ASSERT_NE(plugin, nullptr);
	const size_t fundsBefore = Securities(securityFund).size();

	plugin->ObeyCommand(kOpenFundListAndLook, nullptr);
	ASSERT_NE(plugin->GetWindow(windowFundList), nullptr);
	auto* list = dynamic_cast<TListWindow*>(plugin->GetWindow(windowFundList)->GetCommander());
	ASSERT_NE(list, nullptr);
	auto* lookup = dynamic_cast<TFundLookupWindow*>(list->GetLookupWindow());
	ASSERT_NE(lookup, nullptr);
	const long rowsBefore = list->GetWorkingList()->Count();

	Search(lookup, "Sample Growth", kYahooUS);
	ASSERT_TRUE(RunUntil([&] { return lookup->GetRequest() == nullptr; }));
	ASSERT_EQ(list->GetLookupList()->Count(), 2);

	// A double-click takes the second result into the list at once.
	ClickRow(lookup, 2);
	ClickRow(lookup, 2, 2);
	EXPECT_EQ(list->GetWorkingList()->Count(), rowsBefore + 1);
	EXPECT_EQ(FrameworkTest::Descriptor(lookup->FindPaneByID(FOUR_CHAR_CODE("Msge"))),
	          "Added Sample Growth Fund (SGFDX) to the list.");

	// Both rows chosen and Add: only the one not yet taken joins, and the lookup window closes.
	lookup->GetTable()->SelectAllCells();
	PressButton(lookup, "Slct");
	UDispatch::DeletePending();
	EXPECT_EQ(list->GetLookupWindow(), nullptr);
	EXPECT_EQ(list->GetWorkingList()->Count(), rowsBefore + 2);

	// OK writes the list back: each fund once, served by the source that found it.
	list->ObeyCommand(TVyWindow::kOKButton, nullptr);
	UDispatch::DeletePending();
	const std::vector<TSecurity*> funds = Securities(securityFund);
	ASSERT_EQ(funds.size(), fundsBefore + 2);
	for (const char* symbol : {"SGFDX", "ABC.L"}) {
		const auto count = std::count_if(funds.begin(), funds.end(), [&](TSecurity* fund) {
			return std::string(fund->SecuritySymbol()) == symbol && fund->Quoter() == kYahooUS &&
			       fund->OverrideQuoter();
		});
		EXPECT_EQ(count, 1) << symbol;
	}
}

} // namespace
