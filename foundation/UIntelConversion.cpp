#include "foundation/UIntelConversion.h"

#include "foundation/TBigEndianReader.h"
#include "foundation/TBigEndianWriter.h"
#include "platform/toolbox/Debugging.h"

#include <bit>
#include <cstring>

namespace
{

constexpr bool kSwap = std::endian::native == std::endian::little;

// Nested blocks of the plug-in settings, in stored order.
constexpr std::size_t kPrefsLosingAlert = 80;
constexpr std::size_t kPrefsGainingAlert = 200;
constexpr std::size_t kPrefsIdling = 320;
constexpr std::size_t kPrefsSummary = 788;
constexpr std::size_t kPrefsRelay = 1316;
constexpr std::size_t kPrefsStockQQSymbol = 1825;
constexpr std::size_t kPrefsReserved = 1953;
static_assert(kPrefsLosingAlert + tAlertParameters::kStoredSize == kPrefsGainingAlert);
static_assert(kPrefsGainingAlert + tAlertParameters::kStoredSize == kPrefsIdling);
static_assert(kPrefsIdling + tIdleParameters::kStoredSize == 356);
static_assert(kPrefsSummary + tSummaryParameters::kStoredSize == kPrefsRelay);
static_assert(kPrefsRelay + tRelayParameters::kStoredSize == kPrefsStockQQSymbol);
static_assert(kPrefsStockQQSymbol + tStockTickerPrefs::kStockQQSymbolSize == kPrefsReserved);
static_assert(kPrefsReserved + sizeof(tStockTickerPrefs::reserved1953) == tStockTickerPrefs::kStoredSize);

constexpr std::size_t kSecurityLosingAlert = 88;
constexpr std::size_t kSecurityGainingAlert = 212;
static_assert(kSecurityLosingAlert + tAlertParameters::kStoredSize == 208);
static_assert(kSecurityGainingAlert + tAlertParameters::kStoredSize == 332);

constexpr std::size_t kPortfolioLosingAlert = 160;
constexpr std::size_t kPortfolioGainingAlert = 280;
static_assert(kPortfolioGainingAlert + tAlertParameters::kStoredSize == 400);
static_assert(401 + tPortfolioParameters::kPasswordSize == 432);

constexpr std::size_t kTickerFont = 24;
static_assert(kTickerFont + TKsFont::kStoredSize == 100);
static_assert(5 + TKsFont::kNameSize + 4 == TKsFont::kStoredSize);
static_assert(33 + tKestrunPrefs::kTextSize == 66);
static_assert(15 + tLedgerEntry::kSymbolSize == 36);
static_assert(72 + tLedgerEntry::kCommentSize == 172);
static_assert(20 + 8 * tSummaryParameters::kColumnCount == 180);
static_assert(180 + tSummaryParameters::kFontNameSize == 212);
static_assert(41 + tStockTickerPrefs::kTickletFontNameSize == 72);
static_assert(407 + tStockTickerPrefs::kTradeURLSize == 663);
static_assert(44 + 4 * tStockParameters::kReservedFigureCount == tStockParameters::kStoredSize);

// Each block is written into and read from its place in a larger image; writing clears the block first,
// so that padding is stored as zeros.

void WriteDate(TBigEndianWriter& w, std::size_t b, const tVyDateOld& d)
{
	w.PutS16(b, d.millisecond);
	w.PutS16(b + 2, d.second);
	w.PutS16(b + 4, d.minute);
	w.PutS16(b + 6, d.hour);
	w.PutS16(b + 8, d.day);
	w.PutS16(b + 10, d.month);
	w.PutS16(b + 12, d.year);
}

void ReadDate(const TBigEndianReader& r, std::size_t b, tVyDateOld& d)
{
	d.millisecond = r.GetS16(b);
	d.second = r.GetS16(b + 2);
	d.minute = r.GetS16(b + 4);
	d.hour = r.GetS16(b + 6);
	d.day = r.GetS16(b + 8);
	d.month = r.GetS16(b + 10);
	d.year = r.GetS16(b + 12);
}

void WriteTKsRGB(TBigEndianWriter& w, std::size_t b, const TKsRGBColor& c)
{
	w.PutU16(b, c.red);
	w.PutU16(b + 2, c.green);
	w.PutU16(b + 4, c.blue);
	w.PutU16(b + 6, c.extra);
}

void ReadTKsRGB(const TBigEndianReader& r, std::size_t b, TKsRGBColor& c)
{
	c.red = r.GetU16(b);
	c.green = r.GetU16(b + 2);
	c.blue = r.GetU16(b + 4);
	c.extra = r.GetU16(b + 6);
}

void WriteTKsFont(TBigEndianWriter& w, std::size_t b, const TKsFont& f)
{
	for (std::size_t i = 0; i < TKsFont::kFlagCount; ++i)
		w.PutU8(b + i, f.GetFlag(i));
	w.PutText(b + 5, f.GetFontName(), TKsFont::kNameSize);
	w.PutS32(b + 72, f.GetFontSize());
}

void ReadTKsFont(const TBigEndianReader& r, std::size_t b, TKsFont& f)
{
	for (std::size_t i = 0; i < TKsFont::kFlagCount; ++i)
		f.SetFlag(i, r.GetU8(b + i));
	char name[TKsFont::kNameSize];
	r.GetText(b + 5, name, sizeof(name));
	f.FontName(name);
	f.FontSize(r.GetS32(b + 72));
}

void WriteAlert(TBigEndianWriter& w, std::size_t b, const tAlertParameters& a)
{
	w.Zero(b, tAlertParameters::kStoredSize);
	w.PutU8(b, a.enabled);
	w.PutU8(b + 1, a.condition);
	w.PutF32(b + 4, a.limit);
	w.PutU8(b + 8, a.useColour);
	w.PutRGB(b + 10, a.colour);
	w.PutU8(b + 16, a.flash);
	w.PutU8(b + 17, a.bold);
	w.PutU8(b + 18, a.italic);
	w.PutU8(b + 19, a.underline);
	w.PutU8(b + 20, a.playSound);
	w.PutS32(b + 24, a.soundID);
	w.PutU8(b + 28, a.soundAlways);
	w.PutU8(b + 29, a.emailNotice);
	w.PutU8(b + 30, a.displayFlag);
	w.PutBytes(b + tAlertParameters::kReservedOffset, a.reserved, sizeof(a.reserved));
}

void ReadAlert(const TBigEndianReader& r, std::size_t b, tAlertParameters& a)
{
	a.enabled = r.GetU8(b);
	a.condition = r.GetU8(b + 1);
	a.limit = r.GetF32(b + 4);
	a.useColour = r.GetU8(b + 8);
	a.colour = r.GetRGB(b + 10);
	a.flash = r.GetU8(b + 16);
	a.bold = r.GetU8(b + 17);
	a.italic = r.GetU8(b + 18);
	a.underline = r.GetU8(b + 19);
	a.playSound = r.GetU8(b + 20);
	a.soundID = r.GetS32(b + 24);
	a.soundAlways = r.GetU8(b + 28);
	a.emailNotice = r.GetU8(b + 29);
	a.displayFlag = r.GetU8(b + 30);
	r.GetBytes(b + tAlertParameters::kReservedOffset, a.reserved, sizeof(a.reserved));
}

void WriteIdle(TBigEndianWriter& w, std::size_t b, const tIdleParameters& p)
{
	w.Zero(b, tIdleParameters::kStoredSize);
	w.PutU8(b, p.enabled);
	w.PutU8(b + 1, p.kind);
	w.PutS32(b + 4, p.threshold);
	w.PutU8(b + 8, p.useColour);
	w.PutRGB(b + 10, p.colour);
	w.PutU8(b + 16, p.flash);
	w.PutU8(b + 17, p.bold);
	w.PutU8(b + 18, p.italic);
	w.PutU8(b + 19, p.underline);
}

void ReadIdle(const TBigEndianReader& r, std::size_t b, tIdleParameters& p)
{
	p.enabled = r.GetU8(b);
	p.kind = r.GetU8(b + 1);
	p.threshold = r.GetS32(b + 4);
	p.useColour = r.GetU8(b + 8);
	p.colour = r.GetRGB(b + 10);
	p.flash = r.GetU8(b + 16);
	p.bold = r.GetU8(b + 17);
	p.italic = r.GetU8(b + 18);
	p.underline = r.GetU8(b + 19);
}

void WriteSummary(TBigEndianWriter& w, std::size_t b, const tSummaryParameters& s)
{
	w.Zero(b, tSummaryParameters::kStoredSize);
	w.PutU8(b, s.openAtQuit);
	w.PutS32(b + 4, s.windowTop);
	w.PutS32(b + 8, s.windowLeft);
	w.PutS32(b + 12, s.windowHeight);
	w.PutS32(b + 16, s.windowWidth);
	for (std::size_t k = 0; k < tSummaryParameters::kColumnCount; ++k) {
		w.PutS16(b + 20 + 8 * k, s.columns[k].flag);
		w.PutU32(b + 24 + 8 * k, s.columns[k].width);
	}
	w.PutText(b + 180, s.fontName, sizeof(s.fontName));
	w.PutS32(b + 212, s.fontNumber);
	w.PutS32(b + 216, s.fontSize);
	w.PutS32(b + 220, s.layoutNumber);
	w.PutS32(b + 224, s.layoutNumber2);
	w.PutRGB(b + 228, s.backgroundColour);
	w.PutRGB(b + 234, s.textColour1);
	w.PutRGB(b + 240, s.textColour2);
	w.PutRGB(b + 246, s.textColour3);
	w.PutU8(b + 252, s.grid);
	w.PutRGB(b + 254, s.evenRowColour);
	w.PutRGB(b + 260, s.oddRowColour);
	w.PutU8(b + 266, s.showStocks);
	w.PutU8(b + 267, s.showFunds);
	w.PutU8(b + 268, s.showIndexes);
	w.PutU8(b + 269, s.showCurrencies);
	w.PutU8(b + 270, s.sortKey);
	w.PutU8(b + 271, s.descending);
	w.PutU8(b + 272, s.updateIndicator);
	w.PutU8(b + 273, s.indicatorAsDot);
	w.PutU8(b + 274, s.indicatorAsInvertedRow);
	w.PutU8(b + 275, s.antiAliased);
	w.PutS32(b + 276, s.selectedRow);
	w.PutU8(b + 280, s.viewMode);
}

void ReadSummary(const TBigEndianReader& r, std::size_t b, tSummaryParameters& s)
{
	s.openAtQuit = r.GetU8(b);
	s.windowTop = r.GetS32(b + 4);
	s.windowLeft = r.GetS32(b + 8);
	s.windowHeight = r.GetS32(b + 12);
	s.windowWidth = r.GetS32(b + 16);
	for (std::size_t k = 0; k < tSummaryParameters::kColumnCount; ++k) {
		s.columns[k].flag = r.GetS16(b + 20 + 8 * k);
		s.columns[k].width = r.GetU32(b + 24 + 8 * k);
	}
	r.GetText(b + 180, s.fontName, sizeof(s.fontName));
	s.fontNumber = r.GetS32(b + 212);
	s.fontSize = r.GetS32(b + 216);
	s.layoutNumber = r.GetS32(b + 220);
	s.layoutNumber2 = r.GetS32(b + 224);
	s.backgroundColour = r.GetRGB(b + 228);
	s.textColour1 = r.GetRGB(b + 234);
	s.textColour2 = r.GetRGB(b + 240);
	s.textColour3 = r.GetRGB(b + 246);
	s.grid = r.GetU8(b + 252);
	s.evenRowColour = r.GetRGB(b + 254);
	s.oddRowColour = r.GetRGB(b + 260);
	s.showStocks = r.GetU8(b + 266);
	s.showFunds = r.GetU8(b + 267);
	s.showIndexes = r.GetU8(b + 268);
	s.showCurrencies = r.GetU8(b + 269);
	s.sortKey = r.GetU8(b + 270);
	s.descending = r.GetU8(b + 271);
	s.updateIndicator = r.GetU8(b + 272);
	s.indicatorAsDot = r.GetU8(b + 273);
	s.indicatorAsInvertedRow = r.GetU8(b + 274);
	s.antiAliased = r.GetU8(b + 275);
	s.selectedRow = r.GetS32(b + 276);
	s.viewMode = r.GetU8(b + 280);
}

void WriteCategory(TBigEndianWriter& w, const tCategory& c)
{
	w.Clear();
	w.PutText(0, c.name, sizeof(c.name));
	w.PutU32(32, c.signature);
	w.PutU8(36, c.enabled);
	w.PutU8(37, c.open);
	for (std::size_t i = 0; i < tCategory::kCarriedCount; ++i)
		w.PutF32(40 + 4 * i, c.carried[i]);
}

void ReadCategory(const TBigEndianReader& r, tCategory& c)
{
	r.GetText(0, c.name, sizeof(c.name));
	c.signature = r.GetU32(32);
	c.enabled = r.GetU8(36);
	c.open = r.GetU8(37);
	for (std::size_t i = 0; i < tCategory::kCarriedCount; ++i)
		c.carried[i] = r.GetF32(40 + 4 * i);
}

void WriteLedgerEntry(TBigEndianWriter& w, const tLedgerEntry& e)
{
	w.Clear();
	WriteDate(w, 0, e.date);
	w.PutU8(14, e.type);
	w.PutText(15, e.symbol, sizeof(e.symbol));
	w.PutS16(36, e.exchange);
	w.PutF32(40, e.units);
	w.PutF32(44, e.price);
	w.PutF32(48, e.carriedFigure);
	w.PutU8(52, e.foreign);
	w.PutS16(54, e.currency);
	w.PutF32(56, e.rate);
	w.PutF32(60, e.splitFrom);
	w.PutF32(64, e.splitTo);
	w.PutF32(68, e.amount);
	w.PutText(72, e.comment, sizeof(e.comment));
	w.PutU32(176, e.category);
	w.PutF32(180, e.carriedFigure2);
	w.PutU8(184, e.carriedFlag);
	w.PutU8(185, e.carriedFlag2);
	w.PutU8(186, e.enabled);
}

void ReadLedgerEntry(const TBigEndianReader& r, tLedgerEntry& e)
{
	ReadDate(r, 0, e.date);
	e.type = r.GetU8(14);
	r.GetText(15, e.symbol, sizeof(e.symbol));
	e.exchange = r.GetS16(36);
	e.units = r.GetF32(40);
	e.price = r.GetF32(44);
	e.carriedFigure = r.GetF32(48);
	e.foreign = r.GetU8(52);
	e.currency = r.GetS16(54);
	e.rate = r.GetF32(56);
	e.splitFrom = r.GetF32(60);
	e.splitTo = r.GetF32(64);
	e.amount = r.GetF32(68);
	r.GetText(72, e.comment, sizeof(e.comment));
	e.category = r.GetU32(176);
	e.carriedFigure2 = r.GetF32(180);
	e.carriedFlag = r.GetU8(184);
	e.carriedFlag2 = r.GetU8(185);
	e.enabled = r.GetU8(186);
}

void WritePortfolio(TBigEndianWriter& w, const tPortfolioParameters& p)
{
	w.Clear();
	w.PutU8(0, p.carried0);
	w.PutS32(4, p.windowTop);
	w.PutS32(8, p.windowLeft);
	w.PutS32(12, p.windowHeight);
	w.PutS32(16, p.windowWidth);
	w.PutU8(20, p.sortKey);
	w.PutU8(21, p.sortDescending);
	w.PutU8(22, p.view);
	w.PutS16(30, p.baseCurrency);
	w.PutS16(32, p.carried32);
	w.PutU8(34, p.allDates);
	WriteDate(w, 36, p.rangeStart);
	WriteDate(w, 50, p.rangeEnd);
	w.PutText(64, p.fontName, sizeof(p.fontName));
	w.PutS32(96, p.fontNumber);
	w.PutS32(100, p.fontSize);
	w.PutU8(104, p.carried104);
	w.PutS32(108, p.carried108);
	w.PutS32(112, p.carried112);
	w.PutRGB(116, p.rowColour);
	w.PutRGB(122, p.gainColour);
	w.PutRGB(128, p.lossColour);
	w.PutRGB(134, p.unchangedColour);
	w.PutU8(140, p.alternateRows);
	w.PutRGB(142, p.firstRowColour);
	w.PutRGB(148, p.secondRowColour);
	w.PutU8(154, p.referencePrice);
	w.PutU8(155, p.holdingName);
	w.PutU8(156, p.groupByCategory);
	WriteAlert(w, kPortfolioLosingAlert, p.losingAlert);
	WriteAlert(w, kPortfolioGainingAlert, p.gainingAlert);
	w.PutU8(400, p.passwordSet);
	w.PutText(401, p.password, sizeof(p.password));
	w.PutU8(432, p.passwordSwitch);
	w.PutU8(433, p.carried433);
	w.PutU8(437, p.showZeroHoldings);
}

void ReadPortfolio(const TBigEndianReader& r, tPortfolioParameters& p)
{
	p.carried0 = r.GetU8(0);
	p.windowTop = r.GetS32(4);
	p.windowLeft = r.GetS32(8);
	p.windowHeight = r.GetS32(12);
	p.windowWidth = r.GetS32(16);
	p.sortKey = r.GetU8(20);
	p.sortDescending = r.GetU8(21);
	p.view = r.GetU8(22);
	p.baseCurrency = r.GetS16(30);
	p.carried32 = r.GetS16(32);
	p.allDates = r.GetU8(34);
	ReadDate(r, 36, p.rangeStart);
	ReadDate(r, 50, p.rangeEnd);
	r.GetText(64, p.fontName, sizeof(p.fontName));
	p.fontNumber = r.GetS32(96);
	p.fontSize = r.GetS32(100);
	p.carried104 = r.GetU8(104);
	p.carried108 = r.GetS32(108);
	p.carried112 = r.GetS32(112);
	p.rowColour = r.GetRGB(116);
	p.gainColour = r.GetRGB(122);
	p.lossColour = r.GetRGB(128);
	p.unchangedColour = r.GetRGB(134);
	p.alternateRows = r.GetU8(140);
	p.firstRowColour = r.GetRGB(142);
	p.secondRowColour = r.GetRGB(148);
	p.referencePrice = r.GetU8(154);
	p.holdingName = r.GetU8(155);
	p.groupByCategory = r.GetU8(156);
	ReadAlert(r, kPortfolioLosingAlert, p.losingAlert);
	ReadAlert(r, kPortfolioGainingAlert, p.gainingAlert);
	p.passwordSet = r.GetU8(400);
	r.GetText(401, p.password, sizeof(p.password));
	p.passwordSwitch = r.GetU8(432);
	p.carried433 = r.GetU8(433);
	p.showZeroHoldings = r.GetU8(437);
}

void WriteSecurity(TBigEndianWriter& w, const tSecurityParameters& s)
{
	w.Clear();
	w.PutU8(0, s.menuEnabled);
	w.PutU8(1, s.summaryEnabled);
	WriteDate(w, 2, s.lastUpdate);
	w.PutF32(16, s.yesterdayClose);
	w.PutF32(20, s.dayOpen);
	w.PutF32(24, s.dayHigh);
	w.PutF32(28, s.dayLow);
	w.PutU32(32, s.dayVolume);
	w.PutF32(36, s.currentTradePrice);
	w.PutF32(40, s.currentTradeBid);
	w.PutF32(44, s.currentTradeAsk);
	w.PutU32(48, s.currentTradeVolume);
	WriteDate(w, 52, s.currentTradeUpdate);
	w.PutF32(68, s.yearHigh);
	w.PutF32(72, s.yearLow);
	w.PutU8(76, s.overrideQuoter);
	w.PutU32(80, s.quoter);
	w.PutU8(84, s.overrideLosingAlert);
	WriteAlert(w, kSecurityLosingAlert, s.alertLosingParameters);
	w.PutU8(208, s.overrideGainingAlert);
	WriteAlert(w, kSecurityGainingAlert, s.alertGainingParameters);
	w.PutU8(332, s.viewType);
	w.PutU8(333, s.detailWindowOpenOnQuit);
	w.PutS32(336, s.detailWindowTop);
	w.PutS32(340, s.detailWindowLeft);
	w.PutU8(344, s.zoomState);
}

void ReadSecurity(const TBigEndianReader& r, tSecurityParameters& s)
{
	s.menuEnabled = r.GetU8(0);
	s.summaryEnabled = r.GetU8(1);
	ReadDate(r, 2, s.lastUpdate);
	s.yesterdayClose = r.GetF32(16);
	s.dayOpen = r.GetF32(20);
	s.dayHigh = r.GetF32(24);
	s.dayLow = r.GetF32(28);
	s.dayVolume = r.GetU32(32);
	s.currentTradePrice = r.GetF32(36);
	s.currentTradeBid = r.GetF32(40);
	s.currentTradeAsk = r.GetF32(44);
	s.currentTradeVolume = r.GetU32(48);
	ReadDate(r, 52, s.currentTradeUpdate);
	s.yearHigh = r.GetF32(68);
	s.yearLow = r.GetF32(72);
	s.overrideQuoter = r.GetU8(76);
	s.quoter = r.GetU32(80);
	s.overrideLosingAlert = r.GetU8(84);
	ReadAlert(r, kSecurityLosingAlert, s.alertLosingParameters);
	s.overrideGainingAlert = r.GetU8(208);
	ReadAlert(r, kSecurityGainingAlert, s.alertGainingParameters);
	s.viewType = r.GetU8(332);
	s.detailWindowOpenOnQuit = r.GetU8(333);
	s.detailWindowTop = r.GetS32(336);
	s.detailWindowLeft = r.GetS32(340);
	s.zoomState = r.GetU8(344);
}

void WriteStocks(TBigEndianWriter& w, const tStockParameters& s)
{
	w.Clear();
	w.PutU16(0, s.exchange);
	w.PutF32(4, s.earningsPerShare);
	w.PutF32(8, s.priceEarningsRatio);
	w.PutF32(12, s.dividendPerShare);
	w.PutF32(16, s.reservedFigure);
	w.PutF32(20, s.capitalization);
	w.PutF32(24, s.yield);
	WriteDate(w, 28, s.reservedDate);
	for (std::size_t k = 0; k < tStockParameters::kReservedFigureCount; ++k)
		w.PutF32(44 + 4 * k, s.reservedFigures[k]);
}

void ReadStocks(const TBigEndianReader& r, tStockParameters& s)
{
	s.exchange = r.GetU16(0);
	s.earningsPerShare = r.GetF32(4);
	s.priceEarningsRatio = r.GetF32(8);
	s.dividendPerShare = r.GetF32(12);
	s.reservedFigure = r.GetF32(16);
	s.capitalization = r.GetF32(20);
	s.yield = r.GetF32(24);
	ReadDate(r, 28, s.reservedDate);
	for (std::size_t k = 0; k < tStockParameters::kReservedFigureCount; ++k)
		s.reservedFigures[k] = r.GetF32(44 + 4 * k);
}

void WriteTickerPrefs(TBigEndianWriter& w, const tTickerPrefs& t)
{
	w.Clear();
	w.PutS16(0, t.left);
	w.PutS16(2, t.top);
	w.PutU16(4, t.height);
	w.PutU16(6, t.width);
	WriteTKsRGB(w, 8, t.background);
	WriteTKsRGB(w, 16, t.foreground);
	WriteTKsFont(w, kTickerFont, t.font);
	w.PutU8(100, t.floating);
	w.PutU8(101, t.anchor);
	w.PutU8(102, t.speed);
	w.PutU8(103, t.direction);
	w.PutU8(104, t.border);
}

void ReadTickerPrefs(const TBigEndianReader& r, tTickerPrefs& t)
{
	t.left = r.GetS16(0);
	t.top = r.GetS16(2);
	t.height = r.GetU16(4);
	t.width = r.GetU16(6);
	ReadTKsRGB(r, 8, t.background);
	ReadTKsRGB(r, 16, t.foreground);
	ReadTKsFont(r, kTickerFont, t.font);
	t.floating = r.GetU8(100);
	t.anchor = r.GetU8(101);
	t.speed = r.GetU8(102);
	t.direction = r.GetU8(103);
	t.border = r.GetU8(104);
}

void WriteKestrunPrefs(TBigEndianWriter& w, const tKestrunPrefs& k)
{
	w.Clear();
	w.PutText(0, k.carriedText1, sizeof(k.carriedText1));
	w.PutText(33, k.carriedText2, sizeof(k.carriedText2));
	w.PutU8(66, k.carriedFlag);
	w.PutU8(67, k.hideTickersInBackground);
	w.PutU8(68, k.ignoreNewVersions);
	w.PutF32(72, k.carriedValue);
}

void ReadKestrunPrefs(const TBigEndianReader& r, tKestrunPrefs& k)
{
	r.GetText(0, k.carriedText1, sizeof(k.carriedText1));
	r.GetText(33, k.carriedText2, sizeof(k.carriedText2));
	k.carriedFlag = r.GetU8(66);
	k.hideTickersInBackground = r.GetU8(67);
	k.ignoreNewVersions = r.GetU8(68);
	k.carriedValue = r.GetF32(72);
}

void WriteStockPrefs(TBigEndianWriter& w, const tStockTickerPrefs& p)
{
	w.Clear();
	w.PutU8(0, p.showSymbol);
	w.PutU8(1, p.showName);
	w.PutU8(2, p.showPrice);
	w.PutU8(3, p.showPercentChange);
	w.PutU8(4, p.showChange);
	w.PutU8(5, p.showVolume);
	w.PutU8(6, p.fractionMode);
	w.PutRGB(8, p.normalColour);
	w.PutRGB(14, p.upColour);
	w.PutRGB(20, p.downColour);
	w.PutRGB(26, p.unchangedColour);
	w.PutU8(32, p.useColourGradient);
	w.PutRGB(34, p.gradientMiddleColour);
	w.PutU8(40, p.useTickletFont);
	w.PutText(41, p.tickletFontName, sizeof(p.tickletFontName));
	w.PutS32(72, p.tickletFontNumber);
	w.PutS32(76, p.tickletFontSize);
	WriteAlert(w, kPrefsLosingAlert, p.losingAlert);
	WriteAlert(w, kPrefsGainingAlert, p.gainingAlert);
	WriteIdle(w, kPrefsIdling, p.idling);
	w.PutU8(356, p.stocksOn);
	w.PutU8(357, p.fundsOn);
	w.PutU8(358, p.indexesOn);
	w.PutU8(359, p.reserved359);
	w.PutU8(360, p.currenciesOn);
	w.PutU32(364, p.americanQuoter);
	w.PutU32(368, p.canadianQuoter);
	w.PutU32(372, p.europeanQuoter);
	w.PutU32(376, p.australianQuoter);
	w.PutU32(380, p.currencyQuoter);
	w.PutS32(384, p.stockMinutes);
	w.PutS32(388, p.fundMinutes);
	w.PutS32(392, p.indexMinutes);
	w.PutS32(396, p.reserved396);
	w.PutS32(400, p.currencyMinutes);
	w.PutU8(404, p.hideDetailWindowsInBackground);
	w.PutU8(405, p.detailUpdate);
	w.PutU8(406, p.useTradeURL);
	w.PutText(407, p.tradeURL, sizeof(p.tradeURL));
	w.PutU8(663, p.stockViewType);
	w.PutU8(664, p.fundViewType);
	w.PutU8(665, p.indexViewType);
	w.PutU8(666, p.reserved666);
	w.PutU8(667, p.currencyViewType);
	w.PutU8(668, p.reserved668);
	w.PutU8(669, p.reserved669);
	w.PutBytes(670, p.reserved670, sizeof(p.reserved670));
	w.PutU8(734, p.stockQQOpenAtQuit);
	w.PutS32(736, p.stockQQTop);
	w.PutS32(740, p.stockQQLeft);
	w.PutBytes(744, p.reserved744, sizeof(p.reserved744));
	w.PutS16(756, p.stockQQExchange);
	w.PutU32(760, p.stockQQQuoter);
	w.PutU8(764, p.currencyQQOpenAtQuit);
	w.PutS32(768, p.currencyQQTop);
	w.PutS32(772, p.currencyQQLeft);
	w.PutS16(776, p.currencyQQFrom);
	w.PutS16(778, p.currencyQQTo);
	w.PutF32(780, p.currencyQQAmount);
	w.PutS32(784, p.currencyQQAdjustment);
	WriteSummary(w, kPrefsSummary, p.summary);
	// The relay block stays zero.
	w.PutText(kPrefsStockQQSymbol, p.stockQQSymbol, sizeof(p.stockQQSymbol));
	w.PutBytes(kPrefsReserved, p.reserved1953, sizeof(p.reserved1953));
}

void ReadStockPrefs(const TBigEndianReader& r, tStockTickerPrefs& p)
{
	p.showSymbol = r.GetU8(0);
	p.showName = r.GetU8(1);
	p.showPrice = r.GetU8(2);
	p.showPercentChange = r.GetU8(3);
	p.showChange = r.GetU8(4);
	p.showVolume = r.GetU8(5);
	p.fractionMode = r.GetU8(6);
	p.normalColour = r.GetRGB(8);
	p.upColour = r.GetRGB(14);
	p.downColour = r.GetRGB(20);
	p.unchangedColour = r.GetRGB(26);
	p.useColourGradient = r.GetU8(32);
	p.gradientMiddleColour = r.GetRGB(34);
	p.useTickletFont = r.GetU8(40);
	r.GetText(41, p.tickletFontName, sizeof(p.tickletFontName));
	p.tickletFontNumber = r.GetS32(72);
	p.tickletFontSize = r.GetS32(76);
	ReadAlert(r, kPrefsLosingAlert, p.losingAlert);
	ReadAlert(r, kPrefsGainingAlert, p.gainingAlert);
	ReadIdle(r, kPrefsIdling, p.idling);
	p.stocksOn = r.GetU8(356);
	p.fundsOn = r.GetU8(357);
	p.indexesOn = r.GetU8(358);
	p.reserved359 = r.GetU8(359);
	p.currenciesOn = r.GetU8(360);
	p.americanQuoter = r.GetU32(364);
	p.canadianQuoter = r.GetU32(368);
	p.europeanQuoter = r.GetU32(372);
	p.australianQuoter = r.GetU32(376);
	p.currencyQuoter = r.GetU32(380);
	p.stockMinutes = r.GetS32(384);
	p.fundMinutes = r.GetS32(388);
	p.indexMinutes = r.GetS32(392);
	p.reserved396 = r.GetS32(396);
	p.currencyMinutes = r.GetS32(400);
	p.hideDetailWindowsInBackground = r.GetU8(404);
	p.detailUpdate = r.GetU8(405);
	p.useTradeURL = r.GetU8(406);
	r.GetText(407, p.tradeURL, sizeof(p.tradeURL));
	p.stockViewType = r.GetU8(663);
	p.fundViewType = r.GetU8(664);
	p.indexViewType = r.GetU8(665);
	p.reserved666 = r.GetU8(666);
	p.currencyViewType = r.GetU8(667);
	p.reserved668 = r.GetU8(668);
	p.reserved669 = r.GetU8(669);
	r.GetBytes(670, p.reserved670, sizeof(p.reserved670));
	p.stockQQOpenAtQuit = r.GetU8(734);
	p.stockQQTop = r.GetS32(736);
	p.stockQQLeft = r.GetS32(740);
	r.GetBytes(744, p.reserved744, sizeof(p.reserved744));
	p.stockQQExchange = r.GetS16(756);
	p.stockQQQuoter = r.GetU32(760);
	p.currencyQQOpenAtQuit = r.GetU8(764);
	p.currencyQQTop = r.GetS32(768);
	p.currencyQQLeft = r.GetS32(772);
	p.currencyQQFrom = r.GetS16(776);
	p.currencyQQTo = r.GetS16(778);
	p.currencyQQAmount = r.GetF32(780);
	p.currencyQQAdjustment = r.GetS32(784);
	ReadSummary(r, kPrefsSummary, p.summary);
	p.relay = tRelayParameters();
	r.GetText(kPrefsStockQQSymbol, p.stockQQSymbol, sizeof(p.stockQQSymbol));
	r.GetBytes(kPrefsReserved, p.reserved1953, sizeof(p.reserved1953));
}

template <typename Record, std::size_t N, typename Write, typename Read>
void Apply(std::span<unsigned char, N> stored, Record& record, bool toHost, Write write, Read read)
{
	if (toHost) {
		read(TBigEndianReader(stored), record);
	} else {
		TBigEndianWriter w(stored);
		write(w, record);
	}
}

} // namespace

UInt32 UIntelConversion::ConvertUnsignedInt32(UInt32 value)
{
	return kSwap ? __builtin_bswap32(value) : value;
}

SInt32 UIntelConversion::ConvertSignedInt32(SInt32 value)
{
	return SInt32(ConvertUnsignedInt32(UInt32(value)));
}

UInt16 UIntelConversion::ConvertUnsignedInt16(UInt16 value)
{
	return kSwap ? __builtin_bswap16(value) : value;
}

SInt16 UIntelConversion::ConvertSignedInt16(SInt16 value)
{
	return SInt16(ConvertUnsignedInt16(UInt16(value)));
}

void UIntelConversion::ConvertTVyDate(TVyDate* date, tVyDateOld* old, bool toHost)
{
	SignalIf_(date == nullptr || old == nullptr);
	if (date == nullptr || old == nullptr)
		return;
	if (toHost) {
		date->SetMillisecond(UInt16(old->millisecond));
		date->SetSecond(UInt8(old->second));
		date->SetMinute(UInt8(old->minute));
		date->SetHour(UInt8(old->hour));
		date->SetDay(UInt8(old->day));
		date->SetMonth(UInt8(old->month));
		date->SetYear(UInt16(old->year));
	} else {
		old->millisecond = SInt16(date->GetMillisecond());
		old->second = date->GetSecond();
		old->minute = date->GetMinute();
		old->hour = date->GetHour();
		old->day = date->GetDay();
		old->month = date->GetMonth();
		old->year = SInt16(date->GetYear());
	}
}

void UIntelConversion::ConvertTVyDate(TVyDate* date, Stored<kStoredDateSize> stored, bool toHost)
{
	SignalIf_(date == nullptr);
	if (date == nullptr)
		return;
	tVyDateOld old;
	if (toHost) {
		ConvertDate(stored, &old, true);
		ConvertTVyDate(date, &old, true);
	} else {
		ConvertTVyDate(date, &old, false);
		ConvertDate(stored, &old, false);
	}
}

void UIntelConversion::ConvertCategory(Stored<tCategory::kStoredSize> stored, tCategory* record, bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(stored, *record, toHost, WriteCategory, ReadCategory);
}

void UIntelConversion::ConvertLedgerEntry(Stored<tLedgerEntry::kStoredSize> stored, tLedgerEntry* record,
                                          bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(stored, *record, toHost, WriteLedgerEntry, ReadLedgerEntry);
}

void UIntelConversion::ConvertPortfolio(Stored<tPortfolioParameters::kStoredSize> stored,
                                        tPortfolioParameters* record, bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(stored, *record, toHost, WritePortfolio, ReadPortfolio);
}

void UIntelConversion::ConvertSecurity(Stored<tSecurityParameters::kStoredSize> stored,
                                       tSecurityParameters* record, bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(stored, *record, toHost, WriteSecurity, ReadSecurity);
}

void UIntelConversion::ConvertStocks(Stored<tStockParameters::kStoredSize> stored, tStockParameters* record,
                                     bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(stored, *record, toHost, WriteStocks, ReadStocks);
}

void UIntelConversion::ConvertTickerPrefs(Stored<tTickerPrefs::kStoredSize> stored, tTickerPrefs* record,
                                          bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(stored, *record, toHost, WriteTickerPrefs, ReadTickerPrefs);
}

void UIntelConversion::ConvertKestrunPrefs(Stored<tKestrunPrefs::kStoredSize> stored, tKestrunPrefs* record,
                                           bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(stored, *record, toHost, WriteKestrunPrefs, ReadKestrunPrefs);
}

void UIntelConversion::ConvertStockPrefs(Stored<tStockTickerPrefs::kStoredSize> stored,
                                         tStockTickerPrefs* record, bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(stored, *record, toHost, WriteStockPrefs, ReadStockPrefs);
}

void UIntelConversion::ConvertAlert(Stored<tAlertParameters::kStoredSize> stored, tAlertParameters* record,
                                    bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(
		    stored, *record, toHost,
		    [](TBigEndianWriter& w, const tAlertParameters& x) { WriteAlert(w, 0, x); },
		    [](const TBigEndianReader& r, tAlertParameters& x) { ReadAlert(r, 0, x); });
}

void UIntelConversion::ConvertIdle(Stored<tIdleParameters::kStoredSize> stored, tIdleParameters* record,
                                   bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(
		    stored, *record, toHost,
		    [](TBigEndianWriter& w, const tIdleParameters& x) { WriteIdle(w, 0, x); },
		    [](const TBigEndianReader& r, tIdleParameters& x) { ReadIdle(r, 0, x); });
}

void UIntelConversion::ConvertSummary(Stored<tSummaryParameters::kStoredSize> stored,
                                      tSummaryParameters* record, bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(
		    stored, *record, toHost,
		    [](TBigEndianWriter& w, const tSummaryParameters& x) { WriteSummary(w, 0, x); },
		    [](const TBigEndianReader& r, tSummaryParameters& x) { ReadSummary(r, 0, x); });
}

void UIntelConversion::ConvertDate(Stored<kStoredDateSize> stored, tVyDateOld* record, bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(
		    stored, *record, toHost,
		    [](TBigEndianWriter& w, const tVyDateOld& x) { WriteDate(w, 0, x); },
		    [](const TBigEndianReader& r, tVyDateOld& x) { ReadDate(r, 0, x); });
}

void UIntelConversion::ConvertTKsRGB(Stored<TKsRGBColor::kStoredSize> stored, TKsRGBColor* record,
                                     bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(
		    stored, *record, toHost,
		    [](TBigEndianWriter& w, const TKsRGBColor& x) { WriteTKsRGB(w, 0, x); },
		    [](const TBigEndianReader& r, TKsRGBColor& x) { ReadTKsRGB(r, 0, x); });
}

void UIntelConversion::ConvertTKsFont(Stored<TKsFont::kStoredSize> stored, TKsFont* record, bool toHost)
{
	SignalIf_(record == nullptr);
	if (record != nullptr)
		Apply(
		    stored, *record, toHost,
		    [](TBigEndianWriter& w, const TKsFont& x) { WriteTKsFont(w, 0, x); },
		    [](const TBigEndianReader& r, TKsFont& x) { ReadTKsFont(r, 0, x); });
}

void UIntelConversion::ConvertRGB(Stored<kStoredRGBSize> stored, RGBColor* colour, bool toHost)
{
	SignalIf_(colour == nullptr);
	if (colour == nullptr)
		return;
	if (toHost) {
		*colour = TBigEndianReader(stored).GetRGB(0);
	} else {
		TBigEndianWriter(stored).PutRGB(0, *colour);
	}
}

void UIntelConversion::ConvertRelay(Stored<tRelayParameters::kStoredSize> stored, tRelayParameters* record,
                                    bool toHost)
{
	SignalIf_(record == nullptr);
	if (toHost) {
		if (record != nullptr)
			*record = tRelayParameters();
	} else {
		TBigEndianWriter(stored).Clear();
	}
}
