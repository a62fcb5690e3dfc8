// A portfolio's settings window as the user works it, over the document's records: OK writes exactly the
// fields of its panes, Cancel nothing; categories keep their signatures; refused passwords never reach the
// document.

#include "Internet/UApplicationNotices.h"
#include "Quoters/TQuoterManager.h"
#include "model/TCurrencyConversion.h"
#include "model/UZVUtils.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LEditText.h"
#include "platform/framework/LMultiPanelView.h"
#include "platform/framework/LPopupButton.h"
#include "platform/framework/LPushButton.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/toolbox/PascalStrings.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "tests/platform/framework/ControlsTestSupport.h"
#include "tests/windows/SecurityWindowsTestSupport.h"
#include "tests/windows/WindowInput.h"
#include "toolkit/LColorWell.h"
#include "toolkit/TFontSizeMenu.h"
#include "toolkit/UKsStrings.h"
#include "windows/portfolio/TCategoryTable.h"
#include "windows/portfolio/TPortfolioPrefsWindow.h"

#include <QImage>
#include <QLineEdit>
#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using WindowInput::Click;
using WindowInput::Key;
using WindowInput::Type;

namespace
{

constexpr tCurrency kEuro = 300;

class PortfolioSettingsWindowTest : public SecurityWindowsFixture
{
protected:
	void SetUp() override
	{
		SecurityWindowsFixture::SetUp();
		std::unique_ptr<char[]> name(UKsStrings::LoadStringC(5001, 21));
		mEnv->SetStockCString(20, name ? name.get() : "");
		mParameters.fontSize = 12;
		mParameters.referencePrice = 101;
		mParameters.holdingName = 102;
		mParameters.groupByCategory = 1;
		mParameters.baseCurrency = 100;
		mParameters.losingAlert.condition = 43;
		mParameters.losingAlert.limit = 1.5f;
		mParameters.gainingAlert.condition = 40;
		mParameters.gainingAlert.limit = 12.25f;
		mParameters.lossColour = {0xFFFF, 0, 0};
		// Bytes no pane shows must come through untouched.
		mParameters.windowTop = 44;
		mParameters.carried433 = 7;
		mParameters.reserved438[0] = 0x5C;
		AddCategory("Stocks", UZVUtils::GetCategorySignature("Stocks"));
		AddCategory("Bonds", UZVUtils::GetCategorySignature("Bonds"));
		StDialogHandler::SetAnswersRequired(true);
	}

	void TearDown() override
	{
		UApplicationNotices::Install({});
		StDialogHandler::ClearQueuedAnswers();
		StDialogHandler::SetAnswersRequired(false);
		SecurityWindowsFixture::TearDown();
	}

	void AddCategory(const char* inName, UInt32 inSignature)
	{
		tCategory category;
		std::strcpy(category.name, inName);
		category.signature = inSignature;
		category.enabled = 1;
		mCategories.Append(&category);
	}

	TPortfolioPrefsWindow* Open()
	{
		mSuper->mCommands.clear();
		return TPortfolioPrefsWindow::Open(mSuper, &mParameters, &mCategories);
	}

	template <class T> static T* Pane(LView* inWindow, const char (&inID)[5])
	{
		return FrameworkTest::FindPane<T>(inWindow, inID);
	}

	static void ShowPanel(LView* inWindow, SInt32 inPanel)
	{
		Pane<LControl>(inWindow, "Hdrs")->SetValue(inPanel);
	}

	static void ClickRow(TPortfolioPrefsWindow* inWindow, TableIndexT inRow)
	{
		auto* table = Pane<TCategoryTable>(inWindow, "Tble");
		Rect cell;
		ASSERT_TRUE(table->GetLocalCellRect(STableCell(inRow, 1), cell));
		Point where{SInt16(cell.top + 3), SInt16(cell.left + 20)};
		table->LocalToPortPoint(where);
		ControlsTest::ClickPortAt(inWindow, where);
	}

	// The next dialog is answered OK; its id and text are kept.
	void ExpectDialog()
	{
		StDialogHandler::QueueAnswer(msg_OK, [this](LWindow* inDialog) {
			LPane* text = inDialog->FindPaneByID(FOUR_CHAR_CODE("text"));
			mDialogs.push_back(
			    std::to_string(inDialog->GetPaneID()) + ": " +
			    (text != nullptr ? FrameworkTest::Descriptor(text) : std::string()));
		});
	}

	static std::string Message(SInt16 inIndex)
	{
		Str255 text;
		GetIndString(text, 5002, inIndex);
		return "5010: " + PascalStrings::ToString(text);
	}

	std::vector<std::string> Names()
	{
		std::vector<std::string> names;
		for (long i = 1; i <= mCategories.Count(); ++i)
			names.emplace_back(mCategories.GetNth(i)->name);
		return names;
	}

	std::array<UInt8, tPortfolioParameters::kStoredSize> Bytes() const
	{
		std::array<UInt8, tPortfolioParameters::kStoredSize> bytes;
		std::memcpy(bytes.data(), &mParameters, bytes.size());
		return bytes;
	}

	tPortfolioParameters mParameters;
	TList<tCategory> mCategories{true, true};
	std::vector<std::string> mDialogs;
};

PaneIDT Id(const char* inText)
{
	return PaneIDT(UInt32(UInt8(inText[0])) << 24 | UInt32(UInt8(inText[1])) << 16 |
	               UInt32(UInt8(inText[2])) << 8 | UInt8(inText[3]));
}

template <class T>
void Put(std::array<UInt8, tPortfolioParameters::kStoredSize>& ioBytes, std::size_t inOffset, T inValue)
{
	std::memcpy(ioBytes.data() + inOffset, &inValue, sizeof inValue);
}

TEST_F(PortfolioSettingsWindowTest, OKWritesExactlyThePanesFieldsAndCancelNothing)
{
	const auto before = Bytes();
	TPortfolioPrefsWindow* window = Open();
	ASSERT_NE(window, nullptr);
	EXPECT_EQ(Pane<LPopupButton>(window, "dPrc")->GetValue(), 2);
	EXPECT_EQ(Pane<LPopupButton>(window, "dNam")->GetValue(), 3);
	EXPECT_EQ(Pane<LPopupButton>(window, "lCon")->GetValue(), 2);
	EXPECT_EQ(FrameworkTest::Descriptor(Pane<LEditText>(window, "lVal")), "1.50");
	EXPECT_EQ(FrameworkTest::Descriptor(Pane<LEditText>(window, "gVal")), "12.25");
	EXPECT_EQ(Pane<TFontSizeMenu>(window, "Size")->GetSize(), 12);

	// Everything changed, then cancelled.
	Pane<LCheckBox>(window, "uGrd")->SetValue(1);
	Type(window, "lVal", "9");
	Pane<LPopupButton>(window, "bCur")->SetValue(3);
	Click(window, TPortfolioPrefsWindow::cmd_AddCategory);
	Click(window, TVyWindow::kCancelButton);
	EXPECT_EQ(Bytes(), before);
	EXPECT_EQ(Names(), (std::vector<std::string>{"Stocks", "Bonds"}));
	EXPECT_TRUE(mSuper->mCommands.empty());

	window = Open();
	auto expected = before;
	for (const char* id : {"uGrd", "dZro", "lAlw", "lCol", "lBln", "lBld", "lIta", "lUnd", "gAlw", "gCol",
	                       "gBln", "gBld", "gIta", "gUnd", "Kchn"})
		dynamic_cast<LCheckBox*>(window->FindPaneByID(Id(id)))->SetValue(1);
	for (std::size_t offset : {140, 437, 160, 168, 176, 177, 178, 179, 280, 288, 296, 297, 298, 299, 432})
		expected[offset] = 1;
	Pane<LCheckBox>(window, "dCat")->SetValue(0);
	expected[156] = 0;
	Pane<LPopupButton>(window, "dPrc")->SetValue(3);
	expected[154] = 102;
	Pane<LPopupButton>(window, "dNam")->SetValue(1);
	expected[155] = 103;
	Pane<LPopupButton>(window, "lCon")->SetValue(3);
	expected[161] = 45;
	Pane<LPopupButton>(window, "gCon")->SetValue(2);
	expected[281] = 42;
	Type(window, "lVal", "2.75");
	Put(expected, 164, 2.75f);
	Type(window, "gVal", "30");
	Put(expected, 284, 30.0f);
	Pane<TFontSizeMenu>(window, "Size")->SetSize(18);
	Put<SInt32>(expected, 100, 18);
	const std::pair<const char*, std::size_t> wells[] = {{"cBck", 116}, {"cGan", 122}, {"cLos", 128},
	                                                     {"cUnc", 134}, {"cEvn", 142}, {"cOdd", 148},
	                                                     {"lClr", 170}, {"gClr", 290}};
	for (const auto& [id, offset] : wells) {
		const RGBColor colour = {UInt16(offset), 0x1234, 0xFEDC};
		dynamic_cast<LColorWell*>(window->FindPaneByID(Id(id)))->SetSwatchColor(colour);
		Put(expected, offset, colour);
	}
	auto* currency = Pane<LPopupButton>(window, "bCur");
	for (SInt16 item = 1; item <= currency->CountMenuItems(); ++item) {
		Str255 text;
		currency->GetMenuItemText(item, text);
		if (PascalStrings::ToString(text) == TCurrencyConversion::GetCurrencyName(kEuro))
			currency->SetValue(item);
	}
	Put<SInt16>(expected, 30, kEuro);

	Click(window, TVyWindow::kOKButton);
	const auto after = Bytes();
	for (std::size_t offset = 0; offset < after.size(); ++offset)
		EXPECT_EQ(int(after[offset]), int(expected[offset])) << "offset " << offset;
	EXPECT_EQ(mSuper->mCommands, std::vector<CommandT>{TPortfolioPrefsWindow::cmd_PrefsChanged});
}

TEST_F(PortfolioSettingsWindowTest, BaseCurrencyMenuOffersOnlyCurrenciesWithANameAndShowsTheBase)
{
	mParameters.baseCurrency = kEuro;
	TPortfolioPrefsWindow* window = Open();
	auto* menu = Pane<LPopupButton>(window, "bCur");
	// The quoter's table lists codes the currency table lacks: those are the ones not to offer.
	std::vector<SInt32> unknown;
	long known = 0;
	for (const tMenuItems* row = TQuoterManager::GetCurrencyMenuItems(); row->item != kEndOfMenuItems;
	     ++row) {
		if (TCurrencyConversion::GetCurrencyName(tCurrency(row->value)) == nullptr)
			unknown.push_back(row->value);
		else
			++known;
	}
	ASSERT_FALSE(unknown.empty());
	long offered = 0;
	for (SInt16 item = 1; item <= menu->CountMenuItems(); ++item) {
		Str255 text;
		menu->GetMenuItemText(item, text);
		const std::string name = PascalStrings::ToString(text);
		if (name == "-")
			continue;
		++offered;
		const SInt32 code = UMenus::TranslateMenu(false, window->GetCurrencyItems(), item);
		EXPECT_STREQ(TCurrencyConversion::GetCurrencyName(tCurrency(code)), name.c_str()) << item;
		EXPECT_EQ(std::count(unknown.begin(), unknown.end(), code), 0) << code;
	}
	EXPECT_EQ(offered, known);
	Str255 shown;
	menu->GetMenuItemText(SInt16(menu->GetValue()), shown);
	EXPECT_EQ(PascalStrings::ToString(shown), TCurrencyConversion::GetCurrencyName(kEuro));
	Click(window, TVyWindow::kCancelButton);
}

TEST_F(PortfolioSettingsWindowTest, CategoriesAreAddedRenamedAndDeletedAndKeepTheirSignatures)
{
	const UInt32 stocks = mCategories.GetNth(1)->signature;
	TPortfolioPrefsWindow* window = Open();
	ShowPanel(window, TPortfolioPrefsWindow::kCategoriesPanel);
	auto* table = Pane<TCategoryTable>(window, "Tble");
	auto* name = Pane<LEditText>(window, "NamC");
	auto enabled = [&](const char(&inID)[5]) { return Pane<LPane>(window, inID)->IsEnabled(); };
	EXPECT_TRUE(enabled("AddC"));
	EXPECT_FALSE(enabled("DelC"));
	EXPECT_FALSE(enabled("SavC"));

	// The default name, then the default name made unique; each new row selected.
	Click(window, TPortfolioPrefsWindow::cmd_AddCategory);
	EXPECT_EQ(FrameworkTest::Descriptor(name), "New Category");
	EXPECT_EQ(table->LastRowSelected(), 1u);
	Type(window, "NamC", "");
	Click(window, TPortfolioPrefsWindow::cmd_AddCategory);
	EXPECT_EQ(FrameworkTest::Descriptor(name), "New Category 1");
	EXPECT_EQ(table->LastRowSelected(), 2u);
	EXPECT_TRUE(enabled("DelC"));

	// Names whose signatures collide; a long name made unique still fits its field.
	const std::string longName(30, 'x');
	for (const std::string& typed : {std::string("ab"), std::string("ca"), longName, longName}) {
		Type(window, "NamC", typed);
		Click(window, TPortfolioPrefsWindow::cmd_AddCategory);
	}

	// Rename Stocks: refused when empty or another's name in other letters, then taken.
	const TableIndexT stocksRow = TableIndexT(window->GetWorkingCategories()->Count() - 1);
	ClickRow(window, stocksRow);
	ASSERT_EQ(FrameworkTest::Descriptor(name), "Stocks");
	Type(window, "NamC", "");
	ExpectDialog();
	Click(window, TPortfolioPrefsWindow::cmd_SaveCategory);
	Type(window, "NamC", "BONDS");
	ExpectDialog();
	Click(window, TPortfolioPrefsWindow::cmd_SaveCategory);
	EXPECT_EQ(mDialogs, (std::vector<std::string>{Message(19), Message(20)}));
	EXPECT_EQ(FrameworkTest::Descriptor(name), "Stocks");
	Type(window, "NamC", "Equities");
	Click(window, TPortfolioPrefsWindow::cmd_SaveCategory);

	// Delete Bonds, the last row: a new Bonds must not take over the old one's entries.
	const UInt32 bonds = mCategories.GetNth(2)->signature;
	ClickRow(window, stocksRow + 1);
	Click(window, TPortfolioPrefsWindow::cmd_DeleteCategory);
	EXPECT_EQ(table->LastRowSelected(), 0u);
	EXPECT_EQ(FrameworkTest::Descriptor(name), "");
	EXPECT_FALSE(enabled("DelC"));
	Type(window, "NamC", "Bonds");
	Click(window, TPortfolioPrefsWindow::cmd_AddCategory);

	// Grouping off disables the list; on again, nothing to rename or delete until a row is chosen.
	ClickRow(window, 1);
	Pane<LCheckBox>(window, "dCat")->SetValue(0);
	EXPECT_FALSE(enabled("AddC") || enabled("DelC") || enabled("SavC") || enabled("NamC"));
	EXPECT_EQ(table->LastRowSelected(), 0u);
	Pane<LCheckBox>(window, "dCat")->SetValue(1);
	EXPECT_TRUE(enabled("AddC") && enabled("NamC"));
	EXPECT_FALSE(enabled("DelC") || enabled("SavC"));
	EXPECT_EQ(Names().size(), 2u) << "nothing reaches the document before OK";

	// Every category's row shows text; below the last row the table is blank.
	window->UpdatePort();
	const QImage image = window->GetMacPort()->image->copy();
	auto darkPixels = [&](SInt16 inTop, SInt16 inBottom) {
		Rect frame;
		table->CalcPortFrameRect(frame);
		int dark = 0;
		for (int v = std::max(inTop, frame.top); v < std::min(inBottom, frame.bottom); ++v)
			for (int h = frame.left; h < frame.right; ++h)
				dark += qGray(image.pixel(h, v)) < 96 ? 1 : 0;
		return dark;
	};
	const auto rows = TableIndexT(window->GetWorkingCategories()->Count());
	Rect cell;
	for (TableIndexT row = 1; row <= rows; ++row) {
		ASSERT_TRUE(table->GetLocalCellRect(STableCell(row, 1), cell));
		Point top{cell.top, cell.left};
		table->LocalToPortPoint(top);
		EXPECT_GT(darkPixels(top.v, SInt16(top.v + cell.bottom - cell.top)), 10) << row;
	}
	Point below{cell.bottom, cell.left};
	table->LocalToPortPoint(below);
	EXPECT_EQ(darkPixels(below.v, SHRT_MAX), 0);

	Click(window, TVyWindow::kOKButton);
	const std::string shortened = std::string(29, 'x') + " 1";
	EXPECT_EQ(Names(), (std::vector<std::string>{"Bonds", "New Category", "New Category 1", shortened,
	                                             longName, "ca", "ab", "Equities"}));
	EXPECT_EQ(mCategories.GetNth(8)->signature, stocks);
	EXPECT_NE(mCategories.GetNth(1)->signature, bonds);
	std::vector<UInt32> signatures;
	for (long i = 1; i <= mCategories.Count(); ++i) {
		const UInt32 signature = mCategories.GetNth(i)->signature;
		EXPECT_NE(signature, 0u) << i;
		EXPECT_EQ(std::count(signatures.begin(), signatures.end(), signature), 0) << i;
		signatures.push_back(signature);
		EXPECT_EQ(mCategories.GetNth(i)->enabled, 1) << i;
	}
}

TEST_F(PortfolioSettingsWindowTest, PasswordsThatCouldNotOpenThePortfolioAgainAreRefused)
{
	TPortfolioPrefsWindow* window = Open();
	auto* panels = Pane<LMultiPanelView>(window, "MPV1");
	Pane<LCheckBox>(window, "uPwd")->SetValue(1);
	const std::string tooLong(31, 'p');
	const std::pair<std::string, std::string> refused[] = {
	    {"abc", "abc"}, {"abcd", "abce"}, {"Zebra12", "Zebra12"}, {tooLong, tooLong}};
	for (const auto& [first, second] : refused) {
		ShowPanel(window, TPortfolioPrefsWindow::kDisplayPanel);
		Type(window, "nPwd", first);
		Type(window, "cPwd", second);
		ExpectDialog();
		Click(window, TVyWindow::kOKButton);
		EXPECT_EQ(panels->GetCurrentIndex(), TPortfolioPrefsWindow::kPasswordPanel) << first;
		EXPECT_EQ(FrameworkTest::Descriptor(Pane<LEditText>(window, "nPwd")), "") << first;
		EXPECT_EQ(FrameworkTest::Descriptor(Pane<LEditText>(window, "cPwd")), "") << first;
	}
	ASSERT_EQ(mDialogs.size(), 4u);
	EXPECT_EQ(mDialogs[0], Message(18));
	EXPECT_EQ(mDialogs[1], Message(17));
	EXPECT_EQ(mDialogs[2].substr(0, 6), "5059: ");
	EXPECT_EQ(mDialogs[3].substr(0, 6), "5058: ");
	EXPECT_FALSE(window->IsClosing());
	EXPECT_TRUE(mSuper->mCommands.empty());
	EXPECT_EQ(mParameters.passwordSet, 0);

	const std::string good(30, 'q');
	Type(window, "nPwd", good);
	Type(window, "cPwd", good);
	Click(window, TVyWindow::kOKButton);
	EXPECT_EQ(mParameters.passwordSet, 1);
	EXPECT_EQ(std::string(mParameters.password), good);

	// Shown again on opening; turned off, it is cleared.
	window = Open();
	EXPECT_EQ(FrameworkTest::Descriptor(Pane<LEditText>(window, "cPwd")), good);
	ShowPanel(window, TPortfolioPrefsWindow::kPasswordPanel);
	for (LEditText* field : {Pane<LEditText>(window, "nPwd"), Pane<LEditText>(window, "cPwd")}) {
		auto* line = ControlsTest::NativeOf<QLineEdit>(field);
		ASSERT_NE(line, nullptr);
		EXPECT_EQ(line->echoMode(), QLineEdit::Password);
	}
	Pane<LCheckBox>(window, "uPwd")->SetValue(0);
	Click(window, TVyWindow::kOKButton);
	EXPECT_EQ(mParameters.passwordSet, 0);
	EXPECT_EQ(std::string(mParameters.password, sizeof mParameters.password), std::string(31, '\0'));
}

TEST_F(PortfolioSettingsWindowTest, AlertLimitsTakeOnlyNumbers)
{
	int beeps = 0;
	UApplicationNotices::Install({[&beeps] { ++beeps; }, {}, {}, {}, {}, {}});
	// Shown from the shortest form of the stored float (2.67499995 as stored).
	mParameters.losingAlert.limit = 2.675f;
	const auto before = Bytes();
	TPortfolioPrefsWindow* window = Open();
	auto* losing = Pane<LEditText>(window, "lVal");
	auto* gaining = Pane<LEditText>(window, "gVal");
	EXPECT_EQ(FrameworkTest::Descriptor(losing), "2.68");

	ShowPanel(window, TPortfolioPrefsWindow::kAlertsPanel);
	losing->SetText("", 0);
	for (char key : std::string("abc-1,5.5"))
		Key(losing, key);
	EXPECT_EQ(FrameworkTest::Descriptor(losing), "15.5");

	// What the keys let through but is no number: OK beeps and hands the field back on its panel.
	auto* panels = Pane<LMultiPanelView>(window, "MPV1");
	for (const char* typed : {"1.2.3", ".", "-", ""}) {
		ShowPanel(window, TPortfolioPrefsWindow::kDisplayPanel);
		Type(window, "gVal", typed);
		const int refused = beeps;
		Click(window, TVyWindow::kOKButton);
		EXPECT_EQ(beeps, refused + 1) << typed;
		EXPECT_EQ(panels->GetCurrentIndex(), TPortfolioPrefsWindow::kAlertsPanel) << typed;
		EXPECT_EQ(LCommander::GetTarget(), gaining) << typed;
		SInt16 start = -1, end = -1;
		gaining->GetSelection(start, end);
		EXPECT_EQ(start, 0);
		EXPECT_EQ(end, SInt16(std::strlen(typed)));
		EXPECT_FALSE(window->IsClosing());
	}
	EXPECT_TRUE(mSuper->mCommands.empty());
	EXPECT_EQ(Bytes(), before);

	Type(window, "gVal", "7.5");
	Click(window, TVyWindow::kOKButton);
	EXPECT_EQ(mParameters.losingAlert.limit, 15.5f);
	EXPECT_EQ(mParameters.gainingAlert.limit, 7.5f);
	EXPECT_EQ(mSuper->mCommands, std::vector<CommandT>{TPortfolioPrefsWindow::cmd_PrefsChanged});
}

} // namespace
