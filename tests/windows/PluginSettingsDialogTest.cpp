// The plug-in's side of the settings dialog: its new-security commands open the real dialog, and the
// dialog's answers reach the plug-in through the application, as in the program.

#include "app/AppGlobals.h"
#include "foundation/TVyFileUtils.h"
#include "model/TStock.h"
#include "platform/framework/LCheckBoxGroupBox.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LTextEditView.h"
#include "platform/framework/UDispatch.h"
#include "tests/app/StockPluginTestSupport.h"
#include "tests/windows/ForwardingApplication.h"
#include "tests/windows/SecurityWindowsTestSupport.h"
#include "tests/windows/WindowInput.h"
#include "windows/security/TDetailAction.h"
#include "windows/security/TStockSelectWindow.h"

#include <cstring>

namespace
{

class PluginSettingsDialogTest : public StockPluginFixture
{
protected:
	void SetUp() override
	{
		StockPluginFixture::SetUp();
		RegisterWindowClasses();
		UWindowRegistry::InstallSelectDlogs();
		mForwarder = new ForwardingApplication;
		mPlugin = std::make_unique<TStockPlugin>(mForwarder);
		mPlugin->Initialize();
		mForwarder->mPlugin = mPlugin.get();
	}

	void TearDown() override
	{
		Quit();
		if (mForwarder)
			mForwarder->mPlugin = nullptr;
		delete mForwarder;
		UDispatch::DeletePending();
		StockPluginFixture::TearDown();
	}

	// The dialog the plug-in just opened is the front window.
	TStockSelectWindow* FrontDialog()
	{
		for (LCommander* sub : mForwarder->GetSubCommanders())
			if (auto* dialog = dynamic_cast<TStockSelectWindow*>(sub);
			    dialog && !dialog->IsClosing())
				return dialog;
		return nullptr;
	}

	// New Stock, as its menu command opens it.
	TStockSelectWindow* NewStock()
	{
		return mPlugin->ObeyCommand(5112, nullptr) ? FrontDialog() : nullptr;
	}

	ForwardingApplication* mForwarder = nullptr;
};

TEST_F(PluginSettingsDialogTest, NewStockDialogAddsTheStockOnOKAndNothingOnCancel)
{
	TList<TSecurity>* stocks = mPlugin->GetList(securityStock);
	const long before = stocks->Count();

	TStockSelectWindow* dialog = NewStock();
	ASSERT_NE(dialog, nullptr);
	EXPECT_TRUE(dialog->IsNewSecurity());
	auto* symbol = FrameworkTest::FindPane<LEditText>(dialog, "Symb");
	ASSERT_NE(symbol, nullptr);
	symbol->SetText("NEWCO", 5);
	dialog->GetCancelButton()->SimulateHotSpotClick(1);
	UDispatch::DeletePending();
	EXPECT_EQ(stocks->Count(), before);

	dialog = NewStock();
	ASSERT_NE(dialog, nullptr);
	symbol = FrameworkTest::FindPane<LEditText>(dialog, "Symb");
	ASSERT_NE(symbol, nullptr);
	symbol->SetText("NEWCO", 5);
	// An output file chosen for the new stock goes with it.
	TVyFileUtils::SetNavHandler([this](const tNavRequest&) {
		tNavReply reply;
		reply.accepted = FSPathMakeFSSpec(mRoot + "/newco.txt", &reply.spec) == noErr;
		return reply;
	});
	FrameworkTest::FindPane<LControl>(dialog, "flSc")->SimulateHotSpotClick(1);
	TVyFileUtils::SetNavHandler(nullptr);
	FrameworkTest::FindPane<LCheckBoxGroupBox>(dialog, "flHt")->SetValue(1);
	FrameworkTest::FindPane<LTextEditView>(dialog, "flTx")->SetTextPtr("price", 5);
	dialog->GetOKButton()->SimulateHotSpotClick(1);
	UDispatch::DeletePending();

	EXPECT_EQ(mForwarder->mCommands, (std::vector<CommandT>{5075, 5114}));
	ASSERT_EQ(stocks->Count(), before + 1);
	EXPECT_STREQ(stocks->GetLast()->SecuritySymbol(), "NEWCO");
	EXPECT_EQ(stocks->GetLast()->GetSelectDlog(), nullptr);
	EXPECT_EQ(FrontDialog(), nullptr);
	EXPECT_NE(stocks->GetLast()->OutputFile(), nullptr);
	EXPECT_TRUE(stocks->GetLast()->OutputFileEnabled());
	EXPECT_STREQ(stocks->GetLast()->FileText(), "price");

	// The next new stock starts without them.
	dialog = NewStock();
	ASSERT_NE(dialog, nullptr);
	EXPECT_EQ(FrameworkTest::Descriptor(FrameworkTest::FindPane<LPane>(dialog, "flPt")), "<none>");
	dialog->GetCancelButton()->SimulateHotSpotClick(1);
}

TEST_F(PluginSettingsDialogTest, NewStockTakesTypingFieldByFieldFromTheKeyboard)
{
	TList<TSecurity>* stocks = mPlugin->GetList(securityStock);
	const long before = stocks->Count();

	// The name takes typing with its text selected; Tab and shift-Tab select the next field's text.
	TStockSelectWindow* dialog = NewStock();
	ASSERT_NE(dialog, nullptr);
	ASSERT_EQ(WindowInput::Text(dialog, "Name"), "New Stock");
	WindowInput::Press(dialog, "Foo Corp\tFOO");
	EXPECT_EQ(WindowInput::Text(dialog, "Name"), "Foo Corp");
	WindowInput::ShiftTab(dialog);
	WindowInput::Press(dialog, "Foo Holdings\r");
	UDispatch::DeletePending();
	EXPECT_EQ(FrontDialog(), nullptr) << "Return pressed OK";
	ASSERT_EQ(stocks->Count(), before + 1);
	EXPECT_STREQ(stocks->GetLast()->SecurityName(), "Foo Holdings");
	EXPECT_STREQ(stocks->GetLast()->SecuritySymbol(), "FOO");

	dialog = NewStock();
	ASSERT_NE(dialog, nullptr);
	WindowInput::Press(dialog, "Bar\tBAR\x1b");
	UDispatch::DeletePending();
	EXPECT_EQ(FrontDialog(), nullptr) << "Escape pressed Cancel";
	EXPECT_EQ(stocks->Count(), before + 1);
}

TEST_F(PluginSettingsDialogTest, EditFromADetailViewWritesTheStocksFile)
{
	TSecurity* first = mPlugin->GetList(securityStock)->GetFirst();
	ASSERT_NE(first, nullptr);
	const std::string file = PrefsPath("Stock Plug-in Stocks");
	std::filesystem::remove(file);

	TDetailAction action(first);
	action.SetCommand(5051);
	gCommander = mForwarder;
	action.DoEdit();
	gCommander = nullptr;
	TStockSelectWindow* dialog = FrontDialog();
	ASSERT_NE(dialog, nullptr);
	auto* name = FrameworkTest::FindPane<LEditText>(dialog, "Name");
	ASSERT_NE(name, nullptr);
	name->SetText("Renamed", 7);
	dialog->GetOKButton()->SimulateHotSpotClick(1);
	UDispatch::DeletePending();

	EXPECT_EQ(mForwarder->mCommands, std::vector<CommandT>{5051});
	EXPECT_STREQ(first->SecurityName(), "Renamed");
	EXPECT_TRUE(std::filesystem::exists(file));
}

} // namespace
