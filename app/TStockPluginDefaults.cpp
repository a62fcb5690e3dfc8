// What the plug-in does at start-up besides reading its files: the offer to convert the former product's
// files, the factory lists, the first-run placement of windows and the pass over every list.

#include "Quoters/TQuoterManager.h"
#include "app/TStockPlugin.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TCurrencyConversion.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/UZVUtils.h"
#include "platform/framework/LException.h"
#include "platform/framework/LPane.h"
#include "platform/framework/LWindow.h"
#include "platform/framework/StDialogHandler.h"
#include "platform/toolbox/gui/ResourceStore.h"
#include "toolkit/UKsDialogs.h"
#include "toolkit/UKsScreen.h"

#include <algorithm>
#include <map>
#include <new>
#include <vector>

namespace
{

constexpr short kConvertQuestion = 13;
constexpr ResIDT kConvertReportDialog = 5015;

TStockPlugin::tConverter sConverter;

template <typename T> T* NewSecurity()
{
	T* security = new (std::nothrow) T();
	ThrowIfNil_(security);
	return security;
}

struct tPlacement {
	const char* symbol;
	bool index;
	unsigned char row;
	unsigned char column;
};

constexpr ResIDT kStockWindowLayout = 5102;
constexpr ResIDT kIndexWindowLayout = 5302;
constexpr SInt32 kFirstRowTop = 80;
constexpr SInt32 kColumnStep = 308;
constexpr SInt32 kRowStep = 260;
// A standard window: title bar, close and zoom boxes, the menu bar.
constexpr WindAttrT kStandardWindow = windAttr_Regular | windAttr_TitleBar | windAttr_CloseBox |
                                      windAttr_Zoomable | windAttr_Resizable | windAttr_Targetable;

const SResLayoutPane* FindPane(const SResLayoutPane& inPane, SInt32 inID)
{
	if (inPane.paneID == inID)
		return &inPane;
	for (const SResLayoutPane& sub : inPane.subPanes)
		if (const SResLayoutPane* found = FindPane(sub, inID))
			return found;
	return nullptr;
}

// The content size of a security's detail window at a zoom state of the first run: full, or its banner.
SDimension16 DetailWindowSize(const TSecurity* inSecurity, tZoomState inZoom)
{
	const SResLayoutPane* layout = ResourceStore::Get().GetLayout(
	    inSecurity->Type() == securityIndex ? kIndexWindowLayout : kStockWindowLayout);
	if (layout == nullptr)
		return {0, 0};
	SDimension16 size{SInt16(layout->width), SInt16(layout->height)};
	if (inZoom == 2)
		if (const SResLayoutPane* banner = FindPane(*layout, FOUR_CHAR_CODE("bBnr")))
			size.height = SInt16(banner->height);
	return size;
}

bool Inside(const Rect& inArea, SInt32 inTop, SInt32 inLeft, SDimension16 inSize, const Rect& inFrame)
{
	return inLeft - inFrame.left >= inArea.left && inTop - inFrame.top >= inArea.top &&
	       inLeft + inSize.width + inFrame.right <= inArea.right &&
	       inTop + inSize.height + inFrame.bottom <= inArea.bottom;
}

} // namespace

struct TStockPlugin::tGridWindow {
	TSecurity* security;
	unsigned char row;
	unsigned char column;
	tZoomState zoom;
	bool summaryShown;
};

void TStockPlugin::SetConverter(tConverter converter)
{
	sConverter = std::move(converter);
}

bool TStockPlugin::ConvertDialog()
{
	auto finish = [] {
		if (sConverter.finish)
			sConverter.finish();
	};
	if (!sConverter.shouldConvert || !sConverter.shouldConvert()) {
		finish();
		return false;
	}
	if (!UKsDialogs::YesNoDialog(kConvertQuestion)) {
		// Declined: the former files stay exactly as they are.
		mConversionDeclined = true;
		finish();
		return false;
	}
	UInt8 results[5] = {};
	if (sConverter.start)
		sConverter.start();
	if (sConverter.convertPrefs)
		sConverter.convertPrefs(results);

	StDialogHandler report(kConvertReportDialog, nullptr);
	if (LWindow* dialog = report.GetDialog()) {
		const PaneIDT panes[5] = {FOUR_CHAR_CODE("Genl"), FOUR_CHAR_CODE("Stck"),
		                          FOUR_CHAR_CODE("Fund"), FOUR_CHAR_CODE("Indx"),
		                          FOUR_CHAR_CODE("Curr")};
		for (int i = 0; i < 5; ++i) {
			LPane* pane = dialog->FindPaneByID(panes[i]);
			if (pane != nullptr && results[i] >= 10 && results[i] <= 12)
				pane->SetDescriptor(GetStockString(7 + (results[i] - 10)));
		}
		dialog->Show();
		MessageT answer = msg_Nothing;
		while (answer != msg_OK && answer != msg_Cancel && report.GetDialog() != nullptr)
			answer = report.DoDialog();
	}
	finish();
	return true;
}

void TStockPlugin::DefaultStocks()
{
	static const struct {
		const char* name;
		const char* symbol;
		tStockExchange exchange;
	} kStocks[] = {{"Adobe Systems Inc.", "ADBE", 101},
	               {"Advanced Micro Devices", "AMD", 101},
	               {"Amazon.com Inc.", "AMZN", 101},
	               {"Apple Computer Inc.", "AAPL", 101},
	               {"AT&T", "T", 100},
	               {"Cisco Inc.", "CSCO", 101},
	               {"Dell Computer Inc.", "DELL", 101},
	               {"EBay Inc.", "EBAY", 101},
	               {"Google", "GOOG", 101},
	               {"Hewlett-Packard", "HPQ", 101},
	               {"International Business Machines", "IBM", 100},
	               {"Intel", "INTC", 101},
	               {"Microsoft", "MSFT", 101},
	               {"Motorola", "MOT", 100},
	               {"Nokia Oyg", "NOK", 100},
	               {"Research In Motion", "RIM", 200},
	               {"Yahoo! Inc.", "YHOO", 101},
	               {"Ford Motor Company", "F", 100},
	               {"General Motors", "GM", 100},
	               {"DaimlerChrysler AG", "DCX", 100}};
	for (const auto& entry : kStocks) {
		auto* stock = NewSecurity<TStock>();
		UZVUtils::DefaultStock(stock, entry.name, entry.symbol, entry.exchange);
		mStockList->Append(stock);
	}
}

void TStockPlugin::DefaultFunds()
{
	auto* fund = NewSecurity<TFund>();
	UZVUtils::DefaultSecurity(fund, "Fidelity Magellan", "FMAGX", TQuoterManager::AmericanQuoter());
	mFundList->Append(fund);
}

void TStockPlugin::DefaultIndexes()
{
	static const char* const kIndexes[][2] = {
	    {"Dow Jones Industrial", "^DJI"}, {"S&P 500 Index", "^GSPC"}, {"NASDAQ Composite", "^IXIC"}};
	for (const auto& entry : kIndexes) {
		auto* index = NewSecurity<TIndex>();
		UZVUtils::DefaultSecurity(index, entry[0], entry[1], TQuoterManager::AmericanQuoter());
		mIndexList->Append(index);
	}
}

void TStockPlugin::DefaultCurrencies()
{
	static const tCurrency kPairs[][2] = {{101, 100}, {100, 101}, {300, 100},
	                                      {100, 300}, {850, 100}, {100, 500}};
	for (const auto& pair : kPairs) {
		auto* currency = NewSecurity<TCurrency>();
		UZVUtils::DefaultCurrency(currency, pair[0], pair[1]);
		currency->DetailWindowOpenOnQuit(false);
		TCurrencyConversion::SetCurrencyTitles(currency);
		mCurrencyList->Append(currency);
	}
}

void TStockPlugin::DefaultWindows()
{
	if (!mFilesCreated)
		return;
	static const struct {
		const char* symbol;
		tStockExchange exchange;
	} kNeeded[] = {{"AAPL", 101}, {"ADBE", 101}, {"AMZN", 101}, {"AMD", 101},  {"T", 100},
	               {"CSCO", 101}, {"DELL", 101}, {"EBAY", 101}, {"GOOG", 101}, {"HPQ", 101},
	               {"IBM", 100},  {"INTC", 101}, {"MSFT", 101}, {"MOT", 100},  {"NOK", 100},
	               {"RIM", 200},  {"YHOO", 101}, {"F", 100},    {"GM", 100},   {"DCX", 100}};
	for (const auto& entry : kNeeded)
		if (GetAStock(entry.symbol, entry.exchange) == nullptr)
			return;
	for (const char* symbol : {"^DJI", "^IXIC", "^GSPC"})
		if (GetAnIndex(symbol) == nullptr)
			return;

	auto find = [&](const tPlacement& p) -> TSecurity* {
		if (p.index)
			return GetAnIndex(p.symbol);
		for (const auto& entry : kNeeded)
			if (std::string_view(entry.symbol) == p.symbol)
				return GetAStock(entry.symbol, entry.exchange);
		return nullptr;
	};
	std::vector<tGridWindow> grid;
	auto place = [&](std::initializer_list<tPlacement> placements, tZoomState zoom, bool summaryShown) {
		for (const tPlacement& p : placements) {
			setDetailWindowPosition(find(p), p.row, p.column, zoom, true, summaryShown);
			grid.push_back({find(p), p.row, p.column, zoom, summaryShown});
		}
	};

	const int w = UKsScreen::ScreenWidth();
	const int h = UKsScreen::ScreenHeight();
	if (w < 850) {
		setSummaryWindowPosition(false);
		place({{"AAPL", false, 1, 1},
		       {"MSFT", false, 1, 2},
		       {"GOOG", false, 2, 1},
		       {"YHOO", false, 2, 2}},
		      1, false);
	} else if (w < 1050) {
		setSummaryWindowPosition(false);
		place({{"AAPL", false, 1, 1},
		       {"INTC", false, 1, 2},
		       {"MSFT", false, 1, 3},
		       {"GOOG", false, 2, 1},
		       {"YHOO", false, 2, 2},
		       {"EBAY", false, 2, 3}},
		      1, false);
		place({{"F", false, 3, 1}, {"GM", false, 3, 2}, {"DCX", false, 3, 3}}, 2, false);
	} else if (w < 1290) {
		setSummaryWindowPosition(true);
		place({{"AAPL", false, 1, 1},
		       {"MSFT", false, 1, 2},
		       {"GOOG", false, 2, 1},
		       {"YHOO", false, 2, 2},
		       {"INTC", false, 3, 1},
		       {"EBAY", false, 3, 2}},
		      1, true);
	} else if (w <= 1699) {
		setSummaryWindowPosition(true);
		place({{"AAPL", false, 1, 1},
		       {"MSFT", false, 1, 2},
		       {"ADBE", false, 1, 3},
		       {"GOOG", false, 2, 1},
		       {"YHOO", false, 2, 2},
		       {"EBAY", false, 2, 3},
		       {"INTC", false, 3, 1},
		       {"AMD", false, 3, 2},
		       {"MOT", false, 3, 3}},
		      1, true);
		place({{"T", false, 4, 1},
		       {"NOK", false, 4, 2},
		       {"RIM", false, 4, 3},
		       {"AMZN", false, 4, 4},
		       {"IBM", false, 4, 5}},
		      h <= 1099 ? 2 : 1, false);
	} else {
		setSummaryWindowPosition(true);
		place({{"AAPL", false, 1, 1},
		       {"MSFT", false, 1, 2},
		       {"ADBE", false, 1, 3},
		       {"^IXIC", true, 1, 4},
		       {"GOOG", false, 2, 1},
		       {"YHOO", false, 2, 2},
		       {"EBAY", false, 2, 3},
		       {"^DJI", true, 2, 4},
		       {"INTC", false, 3, 1},
		       {"AMD", false, 3, 2},
		       {"HPQ", false, 3, 3},
		       {"^GSPC", true, 3, 4}},
		      1, true);
		place({{"T", false, 4, 1},
		       {"NOK", false, 4, 2},
		       {"RIM", false, 4, 3},
		       {"AMZN", false, 4, 4},
		       {"IBM", false, 4, 5},
		       {"DELL", false, 4, 6}},
		      1, false);
	}
	FitWindowsToScreen(grid);
}

// The grid was made for smaller windows than these, on a screen without panels: where the real windows,
// frame and menu bar included, would overlap or leave the screen's available area, the rows and columns
// step by the real size, and a window that still does not fit is not opened (it stays in the menus).
void TStockPlugin::FitWindowsToScreen(const std::vector<tGridWindow>& inGrid)
{
	Rect screen{};
	UKsScreen::ScreenRect(&screen);
	const Rect area = LWindow::GetAvailableBounds(screen);
	const Rect frame = LWindow::EstimateStructureWidths(kStandardWindow);

	tSummaryParameters& summary = mPrefs.summary;
	Rect summaryOuter{};
	if (summary.openAtQuit) {
		summary.windowTop = std::max<SInt32>(summary.windowTop, area.top + frame.top);
		summary.windowLeft = std::max<SInt32>(summary.windowLeft, area.left + frame.left);
		summary.windowHeight =
		    std::min<SInt32>(summary.windowHeight, area.bottom - frame.bottom - summary.windowTop);
		summaryOuter =
		    Rect{SInt16(summary.windowTop - frame.top), SInt16(summary.windowLeft - frame.left),
		         SInt16(summary.windowTop + summary.windowHeight + frame.bottom),
		         SInt16(summary.windowLeft + summary.windowWidth + frame.right)};
	}

	// Row tops, each row below the one above it; the rows beside the summary, and those under it.
	std::map<unsigned char, SInt16> rowHeights;
	SInt16 widest = 0;
	for (const tGridWindow& w : inGrid) {
		const SDimension16 size = DetailWindowSize(w.security, w.zoom);
		rowHeights[w.row] = std::max(rowHeights[w.row], size.height);
		widest = std::max(widest, size.width);
	}
	std::map<unsigned char, SInt32> rowTops;
	SInt32 below = area.top + frame.top;
	for (const auto& [row, height] : rowHeights) {
		SInt32 top = std::max<SInt32>(below, row * kRowStep - (kRowStep - kFirstRowTop));
		for (const tGridWindow& w : inGrid)
			if (w.row == row && !w.summaryShown && summary.openAtQuit)
				top = std::max<SInt32>(top, summaryOuter.bottom + frame.top);
		rowTops[row] = top;
		below = top + height + frame.bottom + frame.top;
	}
	for (const tGridWindow& w : inGrid) {
		const SInt32 base = w.summaryShown ? std::max<SInt32>(553, summaryOuter.right + frame.left)
		                                   : std::max<SInt32>(5, area.left + frame.left);
		const SInt32 left =
		    std::max<SInt32>(base + (w.column - 1) * kColumnStep,
		                     base + (w.column - 1) * (widest + frame.left + frame.right));
		const SInt32 top = rowTops[w.row];
		if (Inside(area, top, left, DetailWindowSize(w.security, w.zoom), frame)) {
			w.security->DetailWindowPosition(top, left, w.zoom);
		} else {
			w.security->DetailWindowPosition(0, 0, 1);
			w.security->DetailWindowOpenOnQuit(false);
		}
	}
}

void TStockPlugin::setSummaryWindowPosition(bool open)
{
	tSummaryParameters& summary = mPrefs.summary;
	summary.openAtQuit = open ? 1 : 0;
	summary.windowTop = 80;
	summary.windowLeft = 5;
	summary.windowHeight = 750;
	summary.windowWidth = 540;
	summary.showStocks = summary.showFunds = summary.showIndexes = summary.showCurrencies = 1;
}

void TStockPlugin::setDetailWindowPosition(TSecurity* security, unsigned char row, unsigned char column,
                                           tZoomState zoom, bool openAtQuit, bool summaryShown)
{
	if (security == nullptr)
		return;
	const SInt32 base = summaryShown ? 553 : 5;
	SInt32 left = base, top = 80;
	if (zoom == 1 || zoom == 2) {
		left = (column - 1) * 308 + base;
		top = row * 260 - 180;
	} else if (zoom == 3) {
		left = (column - 1) * 128 + base;
		top = row * 260 - 180;
	}
	security->ViewType(11);
	security->DetailWindowPosition(top, left, zoom);
	security->DetailWindowOpenOnQuit(openAtQuit);
}

void TStockPlugin::CheckListOnStartup(tSecurityType, TList<TSecurity>* list, bool kindOn)
{
	if (list == nullptr)
		return;
	for (tListNode<TSecurity>* node = list->GetEntryHead(); node != nullptr; node = node->mNext) {
		TSecurity* security = node->mItem;
		security->InitedToday(false);
		UZVUtils::UpdateSecurity(security, &mPrefs.losingAlert, &mPrefs.gainingAlert, &mPrefs.idling);
		if (!kindOn)
			continue;
		TQuoterManager::ValidateQuoter(security);
		if (security->MenuEnabled() && security->DetailWindowOpenOnQuit())
			security->ShowDetailWindow();
	}
}
