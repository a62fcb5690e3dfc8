#include "foundation/TVyFile.h"
#include "foundation/TVyFileUtils.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LCheckBoxGroupBox.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/LRadioButton.h"
#include "platform/framework/LTabsControl.h"
#include "platform/framework/LTextEditView.h"
#include "tests/support/ScratchFolder.h"
#include "tests/windows/SecurityWindowsTestSupport.h"
#include "tests/windows/WindowInput.h"
#include "toolkit/TSoundMenu.h"
#include "windows/security/TCurrencySelectWindow.h"
#include "windows/security/TIndexSelectWindow.h"
#include "windows/security/TStockSelectWindow.h"

#include <cstring>

using WindowInput::Click;

namespace
{

class SecuritySettingsDialogTest : public SecurityWindowsFixture
{
protected:
	void SetUp() override
	{
		SecurityWindowsFixture::SetUp();
		TVyFileUtils::SetNavHandler([this](const tNavRequest& inRequest) {
			++mFileQuestions;
			EXPECT_EQ(inRequest.kind, tNavRequest::kSaveFile);
			tNavReply reply;
			if (mChosen.empty())
				return reply;
			reply.accepted = true;
			reply.replacing = true;
			EXPECT_EQ(FSPathMakeFSSpec(mScratch.Path(mChosen), &reply.spec), noErr);
			return reply;
		});
	}

	void TearDown() override
	{
		TVyFileUtils::SetNavHandler(nullptr);
		SecurityWindowsFixture::TearDown();
	}

	template <class T> T* Open(TSecurity& ioSecurity, bool inIsNew = false)
	{
		ioSecurity.ShowSelectDlog(mSuper, 0, inIsNew);
		auto* dialog = dynamic_cast<T*>(ioSecurity.GetSelectDlog());
		EXPECT_NE(dialog, nullptr);
		return dialog;
	}

	template <class T> T* Pane(LView* inDialog, const char (&inID)[5])
	{
		return FrameworkTest::FindPane<T>(inDialog, inID);
	}

	static void Type(LEditText* inField, const char* inText)
	{
		inField->SetText(inText, Size(std::strlen(inText)));
	}

	static std::string Field(LView* inDialog, const char (&inID)[5])
	{
		return FrameworkTest::Descriptor(FrameworkTest::FindPane<LPane>(inDialog, inID));
	}

	ScratchFolder mScratch;
	std::string mChosen;
	int mFileQuestions = 0;
};

void MakeStock(TStock& stock)
{
	stock.SecuritySymbol("ACME");
	stock.SecurityName("Acme Corporation");
	stock.Exchange(100);
	stock.CurrentTradePrice(12.5f);
	tAlertParameters* losing = stock.AlertLosingParameters();
	losing->enabled = 1;
	losing->condition = 43;
	losing->limit = 1.5f;
	losing->soundID = 0;
	stock.OverrideLosingAlert(true);
	stock.AlertGainingParameters()->condition = 44;
	stock.AlertGainingParameters()->limit = 20.0f;
}

TEST_F(SecuritySettingsDialogTest, StockDialogOKWritesWhatItEditsAndKeepsTheRest)
{
	TStock stock;
	MakeStock(stock);
	const tAlertParameters gainingBefore = *stock.AlertGainingParameters();
	auto* dialog = Open<TStockSelectWindow>(stock);
	ASSERT_NE(dialog, nullptr);

	EXPECT_EQ(Field(dialog, "Name"), "Acme Corporation");
	EXPECT_EQ(Field(dialog, "Symb"), "ACME");
	EXPECT_EQ(Pane<LPopupButton>(dialog, "Exch")->GetValue(), 1)
	    << "NYSE is the exchange menu's first item";
	EXPECT_EQ(Field(dialog, "lVal"), "1.50");
	EXPECT_EQ(Pane<LPopupButton>(dialog, "lCon")->GetValue(), 2);
	EXPECT_EQ(Pane<TSoundMenu>(dialog, "lSou")->GetSoundID(), 0);
	EXPECT_TRUE(mEnv->mSounds.empty()) << "opening plays no sound";

	Type(Pane<LEditText>(dialog, "Name"), "Acme Holdings");
	Type(Pane<LEditText>(dialog, "Symb"), "");
	Type(Pane<LEditText>(dialog, "lVal"), "1.2.3");
	Pane<LPopupButton>(dialog, "Exch")->SetValue(2);
	// A limit that is no number is handed back on its panel, and nothing is written.
	auto* tabs = Pane<LTabsControl>(dialog, "Tabs");
	tabs->SetValue(3);
	Click(dialog, TVyWindow::kOKButton);
	EXPECT_TRUE(mSuper->mCommands.empty());
	EXPECT_EQ(stock.GetSelectDlog(), dialog);
	EXPECT_STREQ(stock.SecurityName(), "Acme Corporation");
	EXPECT_EQ(tabs->GetValue(), 1);
	EXPECT_EQ(LCommander::GetTarget(), Pane<LEditText>(dialog, "lVal"));
	Type(Pane<LEditText>(dialog, "lVal"), "2.25");
	Click(dialog, TVyWindow::kOKButton);

	EXPECT_EQ(mSuper->mCommands, std::vector<CommandT>{5114});
	EXPECT_EQ(stock.GetSelectDlog(), nullptr);
	EXPECT_STREQ(stock.SecurityName(), "Acme Holdings");
	EXPECT_STREQ(stock.SecuritySymbol(), GetStockCString(14)) << "an empty symbol stores the default";
	EXPECT_EQ(stock.Exchange(), 101);
	EXPECT_EQ(TStockSelectWindow::sLastExchangeSelected, 101);
	EXPECT_EQ(stock.AlertLosingParameters()->limit, 2.25f);
	EXPECT_EQ(stock.AlertLosingParameters()->condition, 43);
	EXPECT_EQ(stock.AlertLosingParameters()->soundID, 0) << "no sound stays no sound";
	EXPECT_TRUE(stock.OverrideLosingAlert());
	EXPECT_EQ(std::memcmp(stock.AlertGainingParameters(), &gainingBefore, sizeof gainingBefore), 0);
	EXPECT_EQ(stock.CurrentTradePrice(), 12.5f);

	dialog = Open<TStockSelectWindow>(stock);
	ASSERT_NE(dialog, nullptr);
	EXPECT_EQ(Field(dialog, "lVal"), "2.25");
}

TEST_F(SecuritySettingsDialogTest, KeysReachOnlyTheFieldsOfThePanelShown)
{
	TStock stock;
	MakeStock(stock);
	auto* dialog = Open<TStockSelectWindow>(stock);
	ASSERT_NE(dialog, nullptr);
	// Name, symbol, then the losing limit on the panel shown.
	WindowInput::Press(dialog, "\t\t3");
	EXPECT_EQ(Field(dialog, "lVal"), "3");
	// With the gaining alert's panel shown the losing limit is out of sight, however often Tab goes
	// round.
	Pane<LTabsControl>(dialog, "Tabs")->SetValue(2);
	WindowInput::Press(dialog, "9\t9\t9\t9");
	EXPECT_EQ(Field(dialog, "lVal"), "3");
	Click(dialog, TVyWindow::kOKButton);
	EXPECT_EQ(stock.AlertLosingParameters()->limit, 3.0f);
}

TEST_F(SecuritySettingsDialogTest, UncheckingTheLosingAlertTurnsAlertAndOverrideOffAndChoosingASoundPlaysIt)
{
	TStock stock;
	MakeStock(stock);
	auto* dialog = Open<TStockSelectWindow>(stock);
	ASSERT_NE(dialog, nullptr);
	Pane<LCheckBoxGroupBox>(dialog, "lOvr")->SetValue(0);
	Pane<TSoundMenu>(dialog, "gSou")->SetValue(2);
	EXPECT_EQ(mEnv->mSounds, std::vector<long>{2});
	Click(dialog, TVyWindow::kOKButton);
	EXPECT_EQ(stock.AlertLosingParameters()->enabled, 0);
	EXPECT_FALSE(stock.OverrideLosingAlert());
	EXPECT_EQ(stock.AlertGainingParameters()->soundID, 2);
}

TEST_F(SecuritySettingsDialogTest, CancelWritesNothingAndReportsTheCancel)
{
	TStock stock;
	MakeStock(stock);
	const tAlertParameters losingBefore = *stock.AlertLosingParameters();
	auto* dialog = Open<TStockSelectWindow>(stock);
	ASSERT_NE(dialog, nullptr);
	Type(Pane<LEditText>(dialog, "Name"), "Changed");
	Type(Pane<LEditText>(dialog, "lVal"), "99");
	Pane<LCheckBoxGroupBox>(dialog, "lOvr")->SetValue(0);
	Click(dialog, TVyWindow::kCancelButton);

	EXPECT_EQ(mSuper->mCommands, std::vector<CommandT>{5075});
	EXPECT_EQ(stock.GetSelectDlog(), nullptr);
	EXPECT_STREQ(stock.SecurityName(), "Acme Corporation");
	EXPECT_EQ(std::memcmp(stock.AlertLosingParameters(), &losingBefore, sizeof losingBefore), 0);
	EXPECT_TRUE(stock.OverrideLosingAlert());
}

TEST_F(SecuritySettingsDialogTest, OpeningTwiceShowsTheSameDialogWithWhatTheUserTyped)
{
	TStock stock;
	MakeStock(stock);
	auto* dialog = Open<TStockSelectWindow>(stock);
	ASSERT_NE(dialog, nullptr);
	Type(Pane<LEditText>(dialog, "Name"), "Typed");
	stock.ShowSelectDlog(mSuper, 5051, false);
	EXPECT_EQ(stock.GetSelectDlog(), dialog);
	EXPECT_EQ(Field(dialog, "Name"), "Typed");
	Click(dialog, TVyWindow::kOKButton);
	EXPECT_EQ(mSuper->mCommands, std::vector<CommandT>{5051});
}

TEST_F(SecuritySettingsDialogTest, ASecurityForgetsItsDialogHoweverTheDialogGoes)
{
	TStock stock;
	MakeStock(stock);
	// The close box.
	auto* dialog = Open<TStockSelectWindow>(stock);
	ASSERT_NE(dialog, nullptr);
	dialog->AttemptClose();
	EXPECT_EQ(stock.GetSelectDlog(), nullptr);
	UDispatch::DeletePending();

	// Its super-commander going away deletes it directly.
	auto* super = new RecordingCommander;
	stock.ShowSelectDlog(super, 0, false);
	ASSERT_NE(stock.GetSelectDlog(), nullptr);
	delete super;
	EXPECT_EQ(stock.GetSelectDlog(), nullptr);

	// The security going first leaves the dialog nothing to forget.
	auto* doomed = new TStock;
	MakeStock(*doomed);
	ASSERT_NE(Open<TStockSelectWindow>(*doomed), nullptr);
	delete doomed;
	UDispatch::DeletePending();
}

TEST_F(SecuritySettingsDialogTest, TheOutputFileChooserWritesNothingBeforeOK)
{
	mScratch.Write("quote.txt", "keep me");
	mChosen = "quote.txt";
	TStock stock;
	MakeStock(stock);
	auto* dialog = Open<TStockSelectWindow>(stock);
	ASSERT_NE(dialog, nullptr);
	EXPECT_EQ(Field(dialog, "flPt"), "<none>");
	Click(dialog, FOUR_CHAR_CODE("flSc"));
	EXPECT_EQ(mFileQuestions, 1);
	EXPECT_EQ(Field(dialog, "flPt"), mScratch.Path("quote.txt"));
	EXPECT_EQ(mScratch.Read("quote.txt"), "keep me");
	Click(dialog, TVyWindow::kCancelButton);
	EXPECT_EQ(stock.OutputFile(), nullptr);
	EXPECT_EQ(mScratch.Read("quote.txt"), "keep me");

	dialog = Open<TStockSelectWindow>(stock);
	ASSERT_NE(dialog, nullptr);
	Click(dialog, FOUR_CHAR_CODE("flSc"));
	Pane<LCheckBoxGroupBox>(dialog, "flHt")->SetValue(1);
	const char* text = "^0 is at ^1";
	Pane<LTextEditView>(dialog, "flTx")->SetTextPtr(text, SInt32(std::strlen(text)));
	Click(dialog, TVyWindow::kOKButton);
	ASSERT_NE(stock.OutputFile(), nullptr);
	FSSpec spec;
	std::string path;
	ASSERT_EQ(stock.OutputFile()->GetFSSpec(&spec), 0);
	FSpGetPOSIXPath(&spec, &path);
	EXPECT_EQ(path, mScratch.Path("quote.txt"));
	EXPECT_TRUE(stock.OutputFileEnabled());
	EXPECT_STREQ(stock.FileText(), text);

	// A cancelled chooser falls back to the security's own file.
	mChosen.clear();
	dialog = Open<TStockSelectWindow>(stock);
	ASSERT_NE(dialog, nullptr);
	Click(dialog, FOUR_CHAR_CODE("flSc"));
	EXPECT_EQ(Field(dialog, "flPt"), mScratch.Path("quote.txt"));
}

TEST_F(SecuritySettingsDialogTest, IndexDialogKeepsACodeItCannotShowUnlessTheUserChoosesAnother)
{
	TIndex index;
	index.Index(302);
	index.SecuritySymbol("^IGPA");
	index.SecurityName("IGPA");
	auto* dialog = Open<TIndexSelectWindow>(index);
	ASSERT_NE(dialog, nullptr);
	EXPECT_EQ(Pane<LRadioButton>(dialog, "Ctry")->GetValue(), 1);
	Click(dialog, TVyWindow::kOKButton);
	EXPECT_EQ(index.Index(), 302);
	EXPECT_STREQ(index.SecuritySymbol(), "^IGPA");
	EXPECT_EQ(mSuper->mCommands, std::vector<CommandT>{5134});

	// Choosing a standard index fills its name and symbol.
	dialog = Open<TIndexSelectWindow>(index);
	ASSERT_NE(dialog, nullptr);
	Pane<LRadioButton>(dialog, "Indx")->SetValue(1);
	EXPECT_EQ(Pane<LRadioButton>(dialog, "Ctry")->GetValue(), 0);
	Pane<LPopupButton>(dialog, "xInd")->SetValue(2);
	EXPECT_EQ(Field(dialog, "Symb"), "^DJT");
	EXPECT_EQ(Field(dialog, "Name"), "Dow Jones Transport");
	Click(dialog, TVyWindow::kOKButton);
	EXPECT_EQ(index.Index(), 102);
	EXPECT_STREQ(index.SecuritySymbol(), "^DJT");

	// Any other index keeps what the user typed.
	dialog = Open<TIndexSelectWindow>(index);
	ASSERT_NE(dialog, nullptr);
	Pane<LRadioButton>(dialog, "Othr")->SetValue(1);
	EXPECT_FALSE(Pane<LPopupButton>(dialog, "xInd")->IsEnabled());
	Type(Pane<LEditText>(dialog, "Name"), "My Basket");
	Type(Pane<LEditText>(dialog, "Symb"), "BSKT");
	Click(dialog, TVyWindow::kOKButton);
	EXPECT_EQ(index.Index(), 900);
	EXPECT_STREQ(index.SecurityName(), "My Basket");

	TIndex none;
	none.Index(999);
	dialog = Open<TIndexSelectWindow>(none);
	ASSERT_NE(dialog, nullptr);
	EXPECT_EQ(Pane<LRadioButton>(dialog, "Othr")->GetValue(), 1);
}

TEST_F(SecuritySettingsDialogTest, CurrencyPairIsRenamedFromItsCurrenciesAndTheNextNewPairOffersThem)
{
	TCurrency pair;
	pair.CurrencyFrom(100);
	pair.CurrencyTo(101);
	auto* dialog = Open<TCurrencySelectWindow>(pair);
	ASSERT_NE(dialog, nullptr);
	EXPECT_EQ(Pane<LPopupButton>(dialog, "From")->GetValue(), 1);
	EXPECT_EQ(Pane<LPopupButton>(dialog, "Tooo")->GetValue(), 2);
	Pane<LPopupButton>(dialog, "Tooo")->SetValue(6);
	Click(dialog, TVyWindow::kOKButton);
	EXPECT_EQ(pair.CurrencyTo(), 300);
	EXPECT_STRNE(pair.SecuritySymbol(), "");
	EXPECT_EQ(mSuper->mCommands, std::vector<CommandT>{5144});

	TCurrency fresh;
	dialog = Open<TCurrencySelectWindow>(fresh, true);
	ASSERT_NE(dialog, nullptr);
	EXPECT_EQ(Pane<LPopupButton>(dialog, "Tooo")->GetValue(), 6);
}

} // namespace
