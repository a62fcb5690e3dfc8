// The summary window as the user meets it: opened by the plug-in, its rows, sections and sorting, the
// selection following its security, alerts and blinking, the removal of the security shown, the drag of a
// row, its printout and what it looks like.

#include "Includes/NoValue.h"
#include "app/kestrunApp.h"
#include "model/TFund.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/framework/LCheckBox.h"
#include "platform/framework/LDocument.h"
#include "platform/framework/LMenu.h"
#include "platform/framework/UDispatch.h"
#include "platform/framework/UPrinting.h"
#include "platform/toolbox/Files.h"
#include "platform/toolbox/TickCount.h"
#include "platform/toolbox/gui/GrafPort.h"
#include "tests/app/StockPluginTestSupport.h"
#include "tests/support/DiskAbilities.h"
#include "tests/windows/PrintedText.h"
#include "tests/windows/SummaryTestSupport.h"
#include "toolkit/UKsCellFonts.h"
#include "toolkit/UKsStrings.h"
#include "windows/security/TDetailView.h"
#include "windows/security/TSelectDlog.h"
#include "windows/security/TSummaryTable.h"
#include "windows/security/TSummaryTableDragTask.h"
#include "windows/security/TSummaryWindow.h"
#include "windows/security/UDragEntries.h"
#include "windows/security/UWindowRegistry.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QWidget>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace
{

class SummaryWindowTest : public StockPluginFixture
{
protected:
	void SetUp() override
	{
		StockPluginFixture::SetUp();
		kestrunApp::RegisterClasses();
		UWindowRegistry::Install();
		Start();
		// Only the test's own securities are in the summary.
		for (tSecurityType kind : {securityStock, securityFund, securityIndex, securityCurrency})
			TStockPlugin::ForEachSecurity(mPlugin->GetList(kind), [](TSecurity* security) {
				security->SummaryEnabled(false);
			});
		mBeta = AddStock("BET", "beta corp", 20.0f, 10.0f);
		mAlpha = AddStock("ALP", "Alpha Inc", 5.0f, 0.0f);
		mGamma = AddStock("GAM", "Gamma Ltd", 30.0f, 40.0f);
		mFund = mPlugin->AddAFund("FNDX", false);
		Quote(mFund, "Fund Trust", 12.0f, 11.0f);
		tSummaryParameters& summary = mPlugin->GetPrefs()->summary;
		summary.showStocks = summary.showFunds = 1;
		summary.showIndexes = summary.showCurrencies = 0;
		mPlugin->GetPrefs()->idling.enabled = 0;
	}

	void TearDown() override
	{
		if (IPluginWindow* window = mPlugin ? mPlugin->GetWindow(windowSummary) : nullptr)
			window->Delete();
		UDispatch::DeletePending();
		UPrinting::SetPrintJobDialog(nullptr);
		SetDragTracker(nullptr);
		StockPluginFixture::TearDown();
	}

	void Quote(TSecurity* inSecurity, const char* inName, float inPrice, float inPrevious)
	{
		inSecurity->SecurityName(inName);
		inSecurity->CurrentTradePrice(inPrice);
		inSecurity->YesterdayClose(inPrevious);
		inSecurity->SummaryEnabled(true);
	}

	TStock* AddStock(const char* inSymbol, const char* inName, float inPrice, float inPrevious)
	{
		TStock* stock = mPlugin->AddAStock(inSymbol, 100, false);
		Quote(stock, inName, inPrice, inPrevious);
		return stock;
	}

	// Sixty more stocks whose names and prices are often equal.
	std::vector<TStock*> AddLookalikes()
	{
		const char* const names[] = {"Delta", "delta", "Echo", "ECHO", "Foxtrot"};
		std::mt19937 random(5);
		std::vector<TStock*> stocks;
		for (int i = 0; i < 60; ++i)
			stocks.push_back(AddStock(("L" + std::to_string(i)).c_str(), names[random() % 5],
			                          float(random() % 6), 1.0f));
		return stocks;
	}

	TSummaryWindow* Open()
	{
		mPlugin->ObeyCommand(5004, nullptr);
		IPluginWindow* face = mPlugin->GetWindow(windowSummary);
		return face != nullptr ? dynamic_cast<TSummaryWindow*>(face->GetCommander()) : nullptr;
	}

	// Each row as its kind and its security's symbol or its title.
	static std::vector<std::string> Rows(TSummaryWindow* inWindow)
	{
		std::vector<std::string> rows;
		for (long i = 1; i <= inWindow->GetDrawList()->Count(); ++i) {
			const tSummaryDraw* row = inWindow->GetDrawList()->GetNth(i);
			rows.push_back(row->Kind == tSummaryDraw::kSecurity ? row->Security->SecuritySymbol()
			               : row->Kind == tSummaryDraw::kTitle
			                   ? std::string("[") + row->Title + "]"
			                   : std::string("-"));
		}
		return rows;
	}

	// For a look by eye: VANTOREL_SCREENSHOTS names a folder for the window's pictures.
	static void KeepScreenshot(const std::string& inName)
	{
		if (const char* folder = std::getenv("VANTOREL_SCREENSHOTS"))
			for (QWidget* widget : QApplication::topLevelWidgets())
				if (widget->isVisible())
					widget->grab().save(QString::fromStdString(std::string(folder) + "/" +
					                                           inName + ".png"));
	}

	// Each stock's row is still found by its security: the start of an update marks the row that shows
	// it.
	static void ExpectEachRowFoundBySecurity(TSummaryWindow* inWindow,
	                                         const std::vector<TStock*>& inStocks)
	{
		for (TStock* stock : inStocks) {
			stock->BeginUpdateWatchers();
			long marked = 0;
			for (long i = 1; i <= inWindow->GetDrawList()->Count(); ++i)
				if (inWindow->GetDrawList()->GetNth(i)->Updating)
					marked =
					    inWindow->GetDrawList()->GetNth(i)->Security == stock ? i : -1;
			EXPECT_GT(marked, 0) << stock->SecuritySymbol();
			stock->EndUpdateWatchers();
		}
	}

	static void Command(TSummaryWindow* inWindow, FourCharCode inCommand, SInt32 inValue = 1)
	{
		inWindow->ObeyCommand(CommandT(inCommand), &inValue);
	}

	static void Click(LPane* inBox)
	{
		auto* box = dynamic_cast<LCheckBox*>(inBox);
		ASSERT_NE(box, nullptr);
		box->SetValue(box->GetValue() > 0 ? 0 : 1);
	}

	TStock* mBeta = nullptr;
	TStock* mAlpha = nullptr;
	TStock* mGamma = nullptr;
	TFund* mFund = nullptr;
};

TEST_F(SummaryWindowTest, RowsInSectionsSortAndKeepTheSelectedSecurity)
{
	TSummaryWindow* window = Open();
	ASSERT_NE(window, nullptr);
	// Stocks and funds shown, sorted by name without regard to case.
	EXPECT_EQ(Rows(window),
	          (std::vector<std::string>{"[Stocks]", "ALP", "BET", "GAM", "-", "[Funds]", "FNDX"}));

	Command(window, FOUR_CHAR_CODE("tSrt"));
	Command(window, FOUR_CHAR_CODE("dSrt"));
	EXPECT_EQ(Rows(window),
	          (std::vector<std::string>{"[Stocks]", "GAM", "BET", "ALP", "-", "[Funds]", "FNDX"}));

	// A zero previous close gives no percentage: it sorts as no value, below every real one.
	Command(window, FOUR_CHAR_CODE("bSrt"));
	EXPECT_EQ(Rows(window),
	          (std::vector<std::string>{"[Stocks]", "BET", "GAM", "ALP", "-", "[Funds]", "FNDX"}));

	// The selection stays with its security when a quote re-sorts the rows.
	window->RedoDetailView(2);
	window->GetTable()->SelectCell(STableCell(2, 1));
	mGamma->YesterdayClose(10.0f);
	mGamma->EndUpdateWatchers();
	EXPECT_EQ(Rows(window)[1], "GAM");
	EXPECT_EQ(window->SelectedRow(), 3);
	EXPECT_EQ(window->GetTable()->GetFirstSelectedCell().row, 3u);

	// Only funds: no spacer before their title.
	Click(window->FindPaneByID(FOUR_CHAR_CODE("Stck")));
	EXPECT_EQ(Rows(window), (std::vector<std::string>{"[Funds]", "FNDX"}));
	// A security that leaves the summary list stays out when the plug-in hands the list again.
	Click(window->FindPaneByID(FOUR_CHAR_CODE("Stck")));
	mBeta->SummaryEnabled(false);
	window->SetList(securityStock, mPlugin->GetList(securityStock));
	EXPECT_EQ(Rows(window).size(), 6u);
	// The list handed again in the plug-in's order: the selection stays with its security.
	window->RedoDetailView(2);
	window->GetTable()->SelectCell(STableCell(2, 1));
	TSecurity* selected = window->GetDrawList()->GetNth(2)->Security;
	TSecurity* firstInList = nullptr;
	TStockPlugin::ForEachSecurity(mPlugin->GetList(securityStock), [&](TSecurity* security) {
		if (firstInList == nullptr && security->SummaryEnabled())
			firstInList = security;
	});
	ASSERT_NE(selected, firstInList) << "the rows must differ from the list's order";
	window->SetList(securityStock, mPlugin->GetList(securityStock));
	EXPECT_EQ(window->GetDrawList()->GetNth(window->SelectedRow())->Security, selected);
	EXPECT_EQ(window->GetTable()->GetFirstSelectedCell().row, TableIndexT(window->SelectedRow()));

	// Typing selects by the first letter of the name; a letter no name starts with changes nothing.
	auto type = [&](char inKey) {
		EventRecord key{};
		key.what = keyDown;
		key.message = UInt32(inKey);
		return window->HandleKeyPress(key);
	};
	EXPECT_TRUE(type('g'));
	EXPECT_EQ(window->GetDrawList()->GetNth(window->SelectedRow())->Security, mGamma);
	EXPECT_FALSE(type('z'));
	EXPECT_EQ(window->GetDrawList()->GetNth(window->SelectedRow())->Security, mGamma);
	EXPECT_TRUE(type(char(31)));
	EXPECT_EQ(window->GetDrawList()->GetNth(window->SelectedRow())->Security, mAlpha);
	EXPECT_TRUE(type(char(31))); // down: past the spacer and the title to the fund
	EXPECT_EQ(window->GetDrawList()->GetNth(window->SelectedRow())->Security, mFund);

	// Closing writes the layout back into the settings.
	IPluginWindow* face = mPlugin->GetWindow(windowSummary);
	mPlugin->AllowSubRemoval(window); // in the program the application passes the close on first
	face->Delete();
	UDispatch::DeletePending();
	const tSummaryParameters& saved = mPlugin->GetPrefs()->summary;
	EXPECT_EQ(saved.sortKey, 4);
	EXPECT_EQ(saved.descending, 1);
	EXPECT_EQ(saved.showStocks, 1);
	EXPECT_EQ(saved.selectedRow, 6);
	EXPECT_GT(saved.windowWidth, 0);
}

TEST_F(SummaryWindowTest, ChangeAndPercentTreatAZeroCloseAsNoValue)
{
	double change = 0, percent = 0;
	TSummaryTable::ComputeChange(mAlpha, change, percent);
	EXPECT_DOUBLE_EQ(change, 5.0);
	EXPECT_EQ(float(percent), kNoValue);
	TSummaryTable::ComputeChange(mBeta, change, percent);
	EXPECT_DOUBLE_EQ(percent, 100.0);
	mBeta->YesterdayClose(kNoValue);
	TSummaryTable::ComputeChange(mBeta, change, percent);
	EXPECT_EQ(float(change), kNoValue);
	EXPECT_EQ(float(percent), kNoValue);
}

TEST_F(SummaryWindowTest, AnAlertColoursTheRowAndBlinksInStepWithTheClock)
{
	StTestClock clock(6000);
	tAlertParameters& alert = mPlugin->GetPrefs()->losingAlert;
	alert.enabled = 1;
	alert.condition = UZVUtils::alertPriceAtOrBelow;
	alert.limit = 31.0f;
	alert.useColour = 1;
	alert.colour = RGBColor{65535, 0, 0};
	alert.flash = 1;
	alert.bold = 1;
	TSummaryWindow* window = Open();
	ASSERT_NE(window, nullptr);
	EXPECT_FALSE(window->IsIdling());

	UZVUtils::UpdateSecurity(mGamma, &alert, &mPlugin->GetPrefs()->gainingAlert,
	                         &mPlugin->GetPrefs()->idling);
	mGamma->EndUpdateWatchers();
	const tSummaryDraw* row = window->GetDrawList()->GetNth(4);
	ASSERT_EQ(row->Security, mGamma);
	EXPECT_TRUE(row->Flash);
	EXPECT_TRUE(row->Bold);
	EXPECT_EQ(row->Colour.red, 65535);
	EXPECT_EQ(row->Colour.green, 0);
	EXPECT_TRUE(window->IsIdling());

	// In step with every other blinking display: after the first second, shown from each whole second
	// to 40 ticks past it and blank for the remaining 20.
	std::string phases;
	for (UInt64 tick = 6000; tick < 6240; tick += 5) {
		clock.SetTicks(tick);
		window->SpendTime(EventRecord{});
		if (tick >= 6120)
			phases += window->FlashPhase() ? 'x' : '.';
	}
	EXPECT_EQ(phases, "........xxxx........xxxx");
}

TEST_F(SummaryWindowTest, TheDetailViewFollowsTheSelectionAndDropsADeletedSecurity)
{
	TSummaryWindow* window = Open();
	ASSERT_NE(window, nullptr);
	Rect bounds{100, 100, 500, 700};
	window->DoSetBounds(bounds);
	Command(window, FOUR_CHAR_CODE("vSde"));
	window->GetGlobalBounds(bounds);
	EXPECT_EQ(bounds.right - bounds.left, TSummaryWindow::kWideWidth);
	window->RedoDetailView(3);
	EXPECT_EQ(window->CurrentSecurity(), mBeta);
	TDetailView* view = window->ShownDetailView();
	ASSERT_NE(view, nullptr);
	EXPECT_TRUE(view->IsVisible());
	EXPECT_EQ(view->GetSecurity(), mBeta);
	// The side view holds the detail view's whole width, the bottom view its whole height.
	SDimension16 shown, holder;
	window->ShownDetailView()->GetFrameSize(shown);
	window->FindPaneByID(FOUR_CHAR_CODE("Side"))->GetFrameSize(holder);
	EXPECT_LE(shown.width, holder.width);
	Command(window, FOUR_CHAR_CODE("vBtm"));
	window->ShownDetailView()->GetFrameSize(shown);
	window->FindPaneByID(FOUR_CHAR_CODE("Bttm"))->GetFrameSize(holder);
	EXPECT_LE(shown.height, holder.height);
	Command(window, FOUR_CHAR_CODE("vSde"));
	window->UpdatePort();
	KeepScreenshot("summary-side");
	// Title rows show nothing new.
	window->RedoDetailView(1);
	EXPECT_EQ(window->CurrentSecurity(), nullptr);
	window->RedoDetailView(3);

	// The list deletes what it removes.
	mPlugin->GetList(securityStock)->Remove(mBeta);
	mBeta = nullptr;
	EXPECT_EQ(window->CurrentSecurity(), nullptr);
	EXPECT_FALSE(view->IsVisible());
	EXPECT_EQ(view->GetSecurity(), nullptr);
	EXPECT_EQ(Rows(window), (std::vector<std::string>{"[Stocks]", "ALP", "GAM", "-", "[Funds]", "FNDX"}));

	// Back to the table alone: as narrow as before the side view, wide enough for the bottom view.
	Command(window, FOUR_CHAR_CODE("vFll"));
	window->GetGlobalBounds(bounds);
	EXPECT_EQ(bounds.right - bounds.left, 600);
	Command(window, FOUR_CHAR_CODE("vBtm"));
	window->RedoDetailView(2);
	SDimension16 below;
	window->ShownDetailView()->GetFrameSize(below);
	window->GetGlobalBounds(bounds);
	EXPECT_LE(below.width, bounds.right - bounds.left);
}

TEST_F(SummaryWindowTest, DraggingARowOffersItsEntryInsideTheProgramAndItsLineAsText)
{
	TSummaryWindow* window = Open();
	ASSERT_NE(window, nullptr);
	QGuiApplication::clipboard()->setText("untouched");
	window->GetTable()->SelectCell(STableCell(2, 1)); // Alpha: no percentage

	std::string text;
	std::vector<tDragEntry> entries;
	bool foreignAccepted = true;
	SetDragTracker([&](DragReference drag) {
		Size size = 0;
		GetFlavorDataSize(drag, ItemReference(1), kDragFlavorTypeText, &size);
		UInt16 count = 0;
		CountDragItems(drag, &count);
		ItemReference item = 0;
		GetDragItemReferenceNumber(drag, 1, &item);
		GetFlavorDataSize(drag, item, kDragFlavorTypeText, &size);
		text.resize(size_t(size));
		GetFlavorData(drag, item, kDragFlavorTypeText, text.data(), &size, 0);
		UDragEntries::Receive(drag, item, entries);
		// The same bytes from a drag that did not start here are refused.
		Size entrySize = 0;
		GetFlavorDataSize(drag, item, UDragEntries::kDragFlavor, &entrySize);
		std::vector<UInt8> bytes(static_cast<size_t>(entrySize));
		GetFlavorData(drag, item, UDragEntries::kDragFlavor, bytes.data(), &entrySize, 0);
		DragReference foreign = nullptr;
		NewDrag(&foreign);
		AddDragItemFlavor(foreign, 1, UDragEntries::kDragFlavor, bytes.data(), entrySize, 0);
		std::vector<tDragEntry> none;
		foreignAccepted = UDragEntries::Receive(foreign, 1, none);
		DisposeDrag(foreign);
		return noErr;
	});
	EventRecord event{};
	TSummaryTableDragTask drag(event, window->GetTable(), window->GetDrawList());
	EXPECT_EQ(drag.DoDrag(), noErr);

	EXPECT_EQ(text, "Alpha Inc\t0.0000\t5.0000\t5.00\tN/A\n");
	ASSERT_EQ(entries.size(), 1u);
	EXPECT_EQ(entries[0].kind, securityStock);
	EXPECT_STREQ(entries[0].symbol, "ALP");
	EXPECT_STREQ(entries[0].name, "Alpha Inc");
	EXPECT_EQ(entries[0].exchange, 100);
	EXPECT_FALSE(foreignAccepted);
	EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), "untouched");
}

TEST_F(SummaryWindowTest, DragEntriesAndTextLinesByKind)
{
	mFund->SecurityName("A fund whose name runs on for well over fifty characters in all");
	const tDragEntry fund = UDragEntries::MakeEntry(mFund);
	EXPECT_EQ(std::string(fund.name).size(), 50u);
	EXPECT_EQ(fund.exchange, 900);
	EXPECT_EQ(UDragEntries::TextLine(mFund),
	          "FNDX\tA fund whose name runs on for well over fifty characters in all\tfundUnknown\n");
	const std::string stock = UDragEntries::TextLine(mBeta);
	EXPECT_EQ(stock.rfind("BET\tbeta corp\t", 0), 0u);
	EXPECT_EQ(std::count(stock.begin(), stock.end(), '\t'), 2);
	TSecurity* pair = mPlugin->GetList(securityCurrency)->GetFirst();
	ASSERT_NE(pair, nullptr);
	const std::string line = UDragEntries::TextLine(pair);
	EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 3);
	EXPECT_EQ(line.back(), '\n');
	std::vector<tDragEntry> decoded;
	EXPECT_FALSE(UDragEntries::Decode("short", 5, decoded));
}

TEST_F(SummaryWindowTest, PrintsItsRowsToPdf)
{
	// An index's stored floats print with the decimals the quote had, not the float's binary digits.
	TSecurity* index = mPlugin->GetList(securityIndex)->GetFirst();
	ASSERT_NE(index, nullptr);
	index->SummaryEnabled(true);
	Quote(index, "Index Average", 10432.15f, 10419.85f);
	mPlugin->GetPrefs()->summary.showIndexes = 1;
	TSummaryWindow* window = Open();
	ASSERT_NE(window, nullptr);
	const std::string pdf = mRoot + "/summary.pdf";
	PrintedText::PrintTo(pdf);
	window->ObeyCommand(9, nullptr);
	const std::string text = PrintedText::Read(pdf);
	EXPECT_NE(text.find("Stocks"), std::string::npos) << text;
	EXPECT_NE(text.find("beta corp"), std::string::npos) << text;
	EXPECT_NE(text.find("20.0000"), std::string::npos) << text;
	EXPECT_NE(text.find("100.00 %"), std::string::npos) << text;
	EXPECT_NE(text.find("Fund Trust"), std::string::npos) << text;
	for (const char* shown : {"10419.8500", "10432.1500", "12.30", "0.12 %"})
		EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
	// The table is back in its window, drawn for the screen again.
	EXPECT_EQ(window->GetTable()->GetWindow(), window);
	EXPECT_FALSE(window->GetTable()->IsPrinting());

	// A printout that cannot be written whole (a full disk, a folder gone) says why, and what stood under
	// the name stays as it was, with no part-written file beside it.
	const std::string printed = ReadText(pdf);
	std::string expected;
	{
		StFileSizeLimit full(printed.size() / 2);
		EXPECT_EQ(PrintedText::ErrorShownBy([&] { window->ObeyCommand(9, nullptr); }, &expected),
		          PrintedText::Message(30, "summary.pdf",
		                               "The disk is full, or the file would pass the size limit set "
		                               "for files."));
	}
	EXPECT_TRUE(ReadText(pdf) == printed) << "the earlier printout was changed";
	// Nor can a printout go to a name that is a folder.
	std::filesystem::create_directory(mRoot + "/summary folder");
	for (const auto& [name, why] :
	     {std::pair{"gone/summary.pdf", "The folder it goes in is no longer there."},
	      std::pair{"summary folder", "A folder has that name."}}) {
		PrintedText::PrintTo(mRoot + "/" + name);
		EXPECT_EQ(PrintedText::ErrorShownBy([&] { window->ObeyCommand(9, nullptr); }, &expected),
		          PrintedText::Message(30, std::filesystem::path(name).filename().string(), why));
	}
	// A new name that another program takes after the dialog closed, or while the printout is written,
	// stays that program's.
	static std::string sTaken;
	static ReplaceStep sTakenAt;
	sTaken = mRoot + "/summary new.pdf";
	for (ReplaceStep step : {ReplaceStep::kResolved, ReplaceStep::kCopyWritten}) {
		std::filesystem::remove(sTaken);
		PrintedText::PrintTo(sTaken);
		sTakenAt = step;
		const ReplaceStepHook former = SetReplaceStepHook([](ReplaceStep inStep) {
			if (inStep == sTakenAt)
				std::ofstream(sTaken) << "taken";
		});
		EXPECT_EQ(PrintedText::ErrorShownBy([&] { window->ObeyCommand(9, nullptr); }, &expected),
		          PrintedText::Message(31, "summary new.pdf"));
		SetReplaceStepHook(former);
		EXPECT_EQ(ReadText(sTaken), "taken");
	}
	// A file that stood when the dialog closed is one the user agreed to replace.
	EXPECT_EQ(PrintedText::ErrorShownBy([&] { window->ObeyCommand(9, nullptr); }, &expected),
	          "<no dialog>");
	EXPECT_EQ(ReadText(sTaken).rfind("%PDF", 0), 0u);
	std::vector<std::string> files;
	for (const auto& entry : std::filesystem::recursive_directory_iterator(mRoot))
		if (entry.path().filename().string().find("summary") != std::string::npos)
			files.push_back(entry.path().lexically_relative(mRoot).string());
	std::sort(files.begin(), files.end());
	EXPECT_EQ(files, (std::vector<std::string>{"summary folder", "summary new.pdf", "summary.pdf"}));
	EXPECT_FALSE(window->GetTable()->IsPrinting());
}

// Printing into a folder that another user may change (root printing into one that user owns), while he puts
// a link to a file only its owner may read under the name of the printout's copy, or his own folder holding
// such a link in place of the folder. On the FUSE pass he does it behind the mount, where its daemon goes by
// path. The printout is written only into the copy it made, the protected file never.
TEST_F(SummaryWindowTest, APrintoutNeverFollowsALinkSwappedInForItsCopyOrItsFolder)
{
	if (const std::string why = DiskAbilities::WhyNot(mScratch->Backing(), DiskAbilities::kSetMode);
	    !why.empty())
		GTEST_SKIP() << why;
	TSummaryWindow* window = Open();
	ASSERT_NE(window, nullptr);
	// Only root can give the folders to another user, where the disk lets it. Otherwise they stay this
	// user's: a FUSE daemon running as this user still follows a link it is handed.
	const std::string whyNot = DiskAbilities::WhyNot(mRoot, DiskAbilities::kGiveAway);
	if (!whyNot.empty())
		std::printf("%s: the folders are not given to another user.\n", whyNot.c_str());
	const bool behindMount = mScratch->Backing() != mRoot;
	const std::string secret = mScratch->Backing("protected");
	WriteText(mRoot + "/protected", "owner only");
	ASSERT_EQ(chmod(secret.c_str(), 0600), 0);
	ASSERT_EQ(ReadText(secret), "owner only") << "VANTOREL_TEST_BACKING_DIR shows another folder";
	static std::string sHome, sHis;
	static bool sFolder, sSwapped;
	sHome = mScratch->Backing("user");
	sHis = mScratch->Backing("his");
	// What stands under the folders' names and in them, the random part of a copy's name left out; links
	// marked '@'.
	auto left = [this] {
		std::vector<std::string> names;
		auto add = [&](const std::filesystem::directory_entry& inEntry) {
			std::string name = inEntry.path().lexically_relative(mScratch->Backing()).string();
			if (const size_t at = name.find("vantorel-save-"); at != std::string::npos)
				name.replace(at + 14, 6, "*");
			names.push_back(name + (inEntry.is_symlink() ? "@" : ""));
		};
		for (const char* folder : {"user", "user.moved", "his"}) {
			const std::filesystem::directory_entry entry(mScratch->Backing(folder));
			if (entry.is_symlink())
				add(entry);
			else if (entry.is_directory())
				for (const auto& inside : std::filesystem::directory_iterator(entry.path()))
					add(inside);
		}
		std::sort(names.begin(), names.end());
		return names;
	};
	for (const bool folder : {false, true}) {
		SCOPED_TRACE(folder ? "the folder swapped" : "the copy swapped");
		for (const char* name : {"user", "user.moved", "his"})
			std::filesystem::remove_all(mRoot + "/" + name);
		for (const char* name : {"user", "his"}) {
			std::filesystem::create_directory(mRoot + "/" + name);
			if (whyNot.empty()) {
				ASSERT_EQ(chown((mRoot + "/" + name).c_str(), 65534, 65534), 0);
			}
		}
		sFolder = folder;
		sSwapped = false;
		PrintedText::PrintTo(mRoot + "/user/print.pdf");
		const ReplaceStepHook former = SetReplaceStepHook([](ReplaceStep inStep) {
			if (inStep != ReplaceStep::kCopyMade)
				return;
			std::error_code error;
			for (const auto& entry : std::filesystem::directory_iterator(sHome, error)) {
				const std::string copy = entry.path().filename();
				if (copy.rfind(".print.pdf.", 0) != 0)
					continue;
				if (sFolder) {
					std::filesystem::create_symlink("../protected", sHis + "/" + copy,
					                                error);
					if (!error)
						std::filesystem::rename(sHome, sHome + ".moved", error);
					if (!error)
						std::filesystem::create_directory_symlink("his", sHome,
						                                          error);
				} else {
					std::filesystem::rename(entry.path(), sHome + "/" + copy + ".moved",
					                        error);
					if (!error)
						std::filesystem::create_symlink("../protected",
						                                sHome + "/" + copy, error);
				}
				sSwapped = !error;
				return;
			}
		});
		std::string failed;
		const std::string shown =
		    PrintedText::ErrorShownBy([&] { window->ObeyCommand(9, nullptr); }, &failed);
		SetReplaceStepHook(former);
		ASSERT_TRUE(sSwapped);

		EXPECT_EQ(ReadText(secret), "owner only");
		struct stat st;
		ASSERT_EQ(lstat(secret.c_str(), &st), 0);
		EXPECT_EQ(st.st_mode & 07777, 0600u);
		EXPECT_EQ(st.st_size, 10);
		if (!folder) {
			// The copy's name names another file now: the printout cannot take its name, and what
			// was put under it stays. The daemon reads the copy back by that name, so there the
			// copy reads as cut short.
			EXPECT_EQ(shown, behindMount ? failed
			                             : PrintedText::Message(
			                                   30, "print.pdf",
			                                   LDocument::SaveFailureReason(kReasonCopyTaken)));
			EXPECT_EQ(left(), (std::vector<std::string>{"user/.print.pdf.vantorel-save-*.moved",
			                                            "user/.print.pdf.vantorel-save-*@"}));
			for (const auto& entry : std::filesystem::directory_iterator(sHome))
				if (!entry.is_symlink()) {
					EXPECT_EQ(ReadText(entry.path()).rfind("%PDF", 0), 0u)
					    << "the copy was not written";
				}
		} else if (!behindMount) {
			// The printout takes its name in the folder it was made in, wherever that went.
			EXPECT_EQ(shown, "<no dialog>");
			EXPECT_EQ(left(), (std::vector<std::string>{"his/.print.pdf.vantorel-save-*@",
			                                            "user.moved/print.pdf", "user@"}));
			EXPECT_NE(PrintedText::Read(sHome + ".moved/print.pdf").find("beta corp"),
			          std::string::npos);
		} else {
			// The daemon finds the moved folder by no path, so the printout fails; its copy stays
			// there, to be swept by a later print.
			EXPECT_EQ(shown, failed);
			EXPECT_EQ(left(), (std::vector<std::string>{"his/.print.pdf.vantorel-save-*@",
			                                            "user.moved/.print.pdf.vantorel-save-*",
			                                            "user@"}));
		}
	}
}

TEST_F(SummaryWindowTest, RowsShowTheirColoursWithTextOnTheCellBaseline)
{
	TSummaryWindow* window = Open();
	ASSERT_NE(window, nullptr);
	window->UpdatePort();
	const QImage image = window->GetMacPort()->image->copy();
	KeepScreenshot("summary");

	const int checked = SummaryTest::CheckRowsInPicture(window, image, Point{0, 0},
	                                                    mPlugin->GetPrefs()->summary.fontSize);
	EXPECT_EQ(checked, 4);

	// The selected row keeps its marker when the whole table is drawn again.
	TSummaryTable* table = window->GetTable();
	auto rowPicture = [&](TableIndexT inRow) {
		table->Refresh();
		window->UpdatePort();
		Rect cell;
		table->GetLocalCellRect(STableCell(inRow, 1), cell);
		Point corner{cell.top, cell.left};
		table->LocalToPortPoint(corner);
		return window->GetMacPort()->image->copy(corner.h, corner.v, cell.right - cell.left,
		                                         cell.bottom - cell.top);
	};
	const QImage unselected = rowPicture(2);
	table->SelectCell(STableCell(2, 1));
	EXPECT_NE(rowPicture(2), unselected);
	table->UnselectAllCells();
	EXPECT_EQ(rowPicture(2), unselected);
}

TEST_F(SummaryWindowTest, ARowsMenuEditsItsSecurityWithItsKindsSaveCommand)
{
	TSummaryWindow* window = Open();
	ASSERT_NE(window, nullptr);
	SInt16 shownMenu = 0;
	SetPopUpMenuChooser([&](MenuHandle, Point, SInt16) -> SInt32 {
		shownMenu = TSummaryWindow::kContextMenuID;
		return (SInt32(TSummaryWindow::kContextMenuID) << 16) | TDetailView::kMenuEdit;
	});
	window->ShowContextMenu(7, Point{100, 100}); // the fund
	SetPopUpMenuChooser(nullptr);
	EXPECT_EQ(shownMenu, TSummaryWindow::kContextMenuID);
	auto* dialog = dynamic_cast<TSelectDlog*>(mFund->GetSelectDlog());
	ASSERT_NE(dialog, nullptr);
	EXPECT_EQ(dialog->GetCommand(), 5052);
	dialog->AttemptClose();
	UDispatch::DeletePending();
	EXPECT_EQ(mFund->GetSelectDlog(), nullptr);
}

// The stock rows' securities, top to bottom.
std::vector<TSecurity*> StockRows(TSummaryWindow* inWindow)
{
	std::vector<TSecurity*> rows;
	for (long i = 1; i <= inWindow->GetDrawList()->Count(); ++i) {
		const tSummaryDraw* row = inWindow->GetDrawList()->GetNth(i);
		if (row->Kind == tSummaryDraw::kSecurity && row->Security->Type() == securityStock)
			rows.push_back(row->Security);
	}
	return rows;
}

// The list's sort on its own terms: n - 1 passes, swapping whenever the comparison differs from the
// direction. The summary's comparisons: the lower-cased names, or a price, greater.
std::vector<TSecurity*> ByPasses(std::vector<TSecurity*> inRows, FourCharCode inKey, bool inDescending)
{
	auto after = [inKey](TSecurity* a, TSecurity* b) {
		if (inKey == FOUR_CHAR_CODE("tSrt"))
			return a->CurrentTradePrice() > b->CurrentTradePrice();
		std::string x = a->SecurityName(), y = b->SecurityName();
		for (std::string* name : {&x, &y})
			for (char& c : *name)
				c = char(std::tolower(static_cast<unsigned char>(c)));
		return x > y;
	};
	for (size_t bound = inRows.size(); bound > 1; --bound)
		for (size_t a = 0; a + 1 < bound; ++a)
			if (after(inRows[a], inRows[a + 1]) != inDescending)
				std::swap(inRows[a], inRows[a + 1]);
	return inRows;
}

TEST_F(SummaryWindowTest, SortClicksLeaveTheRowsWhereTheListsSortDoes)
{
	AddLookalikes();
	TSummaryWindow* window = Open();
	ASSERT_NE(window, nullptr);
	const std::pair<FourCharCode, bool> clicks[] = {
	    {FOUR_CHAR_CODE("tSrt"), false}, {FOUR_CHAR_CODE("dSrt"), true},
	    {FOUR_CHAR_CODE("nSrt"), true},  {FOUR_CHAR_CODE("nSrt"), true},
	    {FOUR_CHAR_CODE("dSrt"), false}, {FOUR_CHAR_CODE("tSrt"), false}};
	for (const auto& [click, descending] : clicks) {
		const FourCharCode key = click == FOUR_CHAR_CODE("dSrt") ? window->SortCommand() : click;
		const std::vector<TSecurity*> expected = ByPasses(StockRows(window), key, descending);
		Command(window, click);
		ASSERT_EQ(window->Descending(), descending);
		EXPECT_EQ(StockRows(window), expected);
	}
	EXPECT_EQ(Rows(window).back(), "FNDX");
}

TEST_F(SummaryWindowTest, AQuoteMovesItsRowAndEqualPricesKeepTheirOrder)
{
	std::vector<TStock*> stocks = AddLookalikes();
	TSummaryWindow* window = Open();
	ASSERT_NE(window, nullptr);
	Command(window, FOUR_CHAR_CODE("tSrt"));
	std::mt19937 random(9);
	for (bool descending : {false, true}) {
		if (window->Descending() != descending)
			Command(window, FOUR_CHAR_CODE("dSrt"));
		const SInt32 selectedRow = 2 + SInt32(random() % 60);
		window->RedoDetailView(selectedRow);
		window->GetTable()->SelectCell(STableCell(TableIndexT(selectedRow), 1));
		TSecurity* selected = window->GetDrawList()->GetNth(selectedRow)->Security;
		for (int update = 0; update < 150; ++update) {
			TStock* stock = stocks[random() % stocks.size()];
			stock->CurrentTradePrice(float(random() % 6));
			// The other rows stay in order; the stock goes to the edge of its new equals nearest
			// its old place, which is where a stable sort of the rows puts it.
			std::vector<TSecurity*> expected = StockRows(window);
			std::stable_sort(
			    expected.begin(), expected.end(), [descending](TSecurity* a, TSecurity* b) {
				    return descending ? a->CurrentTradePrice() > b->CurrentTradePrice()
				                      : a->CurrentTradePrice() < b->CurrentTradePrice();
			    });
			stock->EndUpdateWatchers();
			ASSERT_EQ(StockRows(window), expected) << "update " << update;
			ASSERT_EQ(window->GetDrawList()->GetNth(window->SelectedRow())->Security, selected);
			ASSERT_EQ(window->GetTable()->GetFirstSelectedCell().row,
			          TableIndexT(window->SelectedRow()));
		}
		if (!descending) {
			EXPECT_EQ(StockRows(window),
			          ByPasses(StockRows(window), FOUR_CHAR_CODE("tSrt"), false))
			    << "ascending, that is the order sorting again gives";
		}
	}
	ExpectEachRowFoundBySecurity(window, stocks);
}

// Securities deleted one after another while the window is sorted by price leave the other rows in their
// order, each still found by its security, and the selection on the same security.
TEST_F(SummaryWindowTest, DeletedSecuritiesTakeOnlyTheirOwnRows)
{
	std::vector<TStock*> stocks = AddLookalikes();
	TSummaryWindow* window = Open();
	ASSERT_NE(window, nullptr);
	Command(window, FOUR_CHAR_CODE("tSrt"));
	std::vector<TSecurity*> rows = StockRows(window);
	const SInt32 selectedRow = 30;
	window->RedoDetailView(selectedRow);
	window->GetTable()->SelectCell(STableCell(TableIndexT(selectedRow), 1));
	TSecurity* selected = window->GetDrawList()->GetNth(selectedRow)->Security;
	std::mt19937 random(3);
	for (int i = 0; i < 40; ++i) {
		TStock* gone = stocks[random() % stocks.size()];
		if (gone == selected)
			continue;
		stocks.erase(std::find(stocks.begin(), stocks.end(), gone));
		rows.erase(std::find(rows.begin(), rows.end(), gone));
		mPlugin->GetList(securityStock)->Remove(gone);
		ASSERT_EQ(StockRows(window), rows);
		ASSERT_EQ(window->GetDrawList()->GetNth(window->SelectedRow())->Security, selected);
		ASSERT_EQ(window->GetTable()->GetFirstSelectedCell().row, TableIndexT(window->SelectedRow()));
	}
	TableIndexT tableRows = 0, tableCols = 0;
	window->GetTable()->GetTableSize(tableRows, tableCols);
	EXPECT_EQ(tableRows, TableIndexT(window->GetDrawList()->Count()));
	EXPECT_EQ(Rows(window).back(), "FNDX");
	ExpectEachRowFoundBySecurity(window, stocks);
	// The selected one goes too: nothing stays selected.
	mPlugin->GetList(securityStock)->Remove(selected);
	EXPECT_EQ(window->SelectedRow(), 0);
	EXPECT_FALSE(window->GetTable()->GetFirstSelectedCell().row > 0);
}

TEST_F(SummaryWindowTest, ReopenedItSortsOnceByItsKeyAndSelectsTheSameSecurity)
{
	std::vector<TStock*> stocks = AddLookalikes();
	TSummaryWindow* window = Open();
	ASSERT_NE(window, nullptr);
	Command(window, FOUR_CHAR_CODE("tSrt"));
	Command(window, FOUR_CHAR_CODE("dSrt"));
	auto reopen = [this, &window] {
		IPluginWindow* face = mPlugin->GetWindow(windowSummary);
		mPlugin->AllowSubRemoval(window);
		face->Delete();
		UDispatch::DeletePending();
		window = Open();
		return window != nullptr;
	};

	// The lists come in the plug-in's order and are sorted by name as they arrive, then once by the key
	// the window kept.
	std::vector<TSecurity*> listed;
	TStockPlugin::ForEachSecurity(mPlugin->GetList(securityStock), [&](TSecurity* security) {
		if (security->SummaryEnabled())
			listed.push_back(security);
	});
	ASSERT_TRUE(reopen());
	EXPECT_EQ(StockRows(window),
	          ByPasses(ByPasses(listed, FOUR_CHAR_CODE("nSrt"), false), FOUR_CHAR_CODE("tSrt"), true));

	// With every price different the rows come back as they were, the selected one with them.
	for (size_t i = 0; i < stocks.size(); ++i)
		stocks[i]->CurrentTradePrice(float(i));
	Command(window, FOUR_CHAR_CODE("tSrt"));
	window->RedoDetailView(20);
	window->GetTable()->SelectCell(STableCell(20, 1));
	TSecurity* selected = window->GetDrawList()->GetNth(20)->Security;
	ASSERT_TRUE(reopen());
	EXPECT_EQ(window->SelectedRow(), 20);
	EXPECT_EQ(window->GetDrawList()->GetNth(20)->Security, selected);
	EXPECT_EQ(window->GetTable()->GetFirstSelectedCell().row, 20u);
}

} // namespace
