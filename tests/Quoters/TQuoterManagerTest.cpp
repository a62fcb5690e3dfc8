#include "Quoters/TQuoterManager.h"

#include "foundation/UIntelConversion.h"
#include "model/StockGlobals.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/UMerge.h"
#include "model/UZVUtils.h"
#include "platform/toolbox/Debugging.h"
#include "tests/support/ModelTestEnvironment.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace
{

constexpr OSType Sig(const char (&code)[5])
{
	return FOUR_CHAR_CODE(code);
}

std::string SigText(OSType sig)
{
	std::string s(4, ' ');
	for (int i = 0; i < 4; i++)
		s[size_t(i)] = char(sig >> (24 - 8 * i));
	return s;
}

// A source described by the attributes the manager reads; its addresses show which source built them.
struct tFakeSource {
	OSType sig;
	const char* name;
	UInt32 features;
	float confidence;
	std::vector<tStockExchange> exchanges;
	long protocol = 1;
};

class FakeQuoter : public TQuoter
{
public:
	explicit FakeQuoter(const tFakeSource& source) : mSource(source) {}

	const char* GetName() override { return mSource.name; }
	OSType GetSig() override { return mSource.sig; }
	long GetMaxCount() override { return 1; }
	long GetProtocol() override { return mSource.protocol; }
	void GetExchanges(const tStockExchange** list, short* count) override
	{
		*list = mSource.exchanges.data();
		*count = short(mSource.exchanges.size());
	}
	UInt32 GetFeatures() override { return mSource.features; }
	float GetConfidence() override { return mSource.confidence; }
	void GetURL(tURLType type, TSecurity*, char* host, long hostLen, char* path, long pathLen) override
	{
		host[0] = path[0] = '\0';
		const std::string site = "www." + SigText(mSource.sig) + ".test";
		if (type == urlHomePage)
			std::snprintf(host, size_t(hostLen), "http://%s", site.c_str());
		else if (type == urlQuotePage) {
			std::snprintf(host, size_t(hostLen), "%s", site.c_str());
			std::snprintf(path, size_t(pathLen), "/q");
		}
	}
	const char* GetDomain(tSecurityType) override { return "quotes.test"; }

private:
	tFakeSource mSource;
};

// The fourteen sources with the markets, kinds and weights the manager chooses from.
const std::vector<tFakeSource>& Family()
{
	static const std::vector<tFakeSource> family = {
	    {Sig("Akti"), "AktieTorget", 0x000, 1.0f, {851}},
	    {Sig("iMNY"), "Canoe Money", 0x023, 0.9f, {100, 101, 102, 200, 201, 205, 204, 0}},
	    {Sig("GlbM"), "Globe & Mail", 0x003, 1.0f, {200, 201, 205, 204, 100, 101, 102}},
	    {Sig("Goog"), "Google Finance", 0x113, 1.0f, {200, 100, 101, 102}},
	    {Sig("NGMk"), "Nordic Growth", 0x000, 1.0f, {850}},
	    {Sig("PCQt"), "PC Quote", 0xC13, 0.9f, {100, 101, 102}},
	    {Sig("QTCM"), "Quote.com", 0xC13, 1.0f, {100, 101, 102, 108, 200, 201, 205, 204}},
	    {Sig("SwQt"), "SwissQuote", 0x004, 1.0f, {307, 0, 0, 0, 0, 0, 0}},
	    {Sig("XExe"), "XE", 0x200, 1.0f, {}},
	    {Sig("YaAZ"), "Yahoo! Aus.", 0xD7F, 2.0f, {400}},
	    {Sig("YaEU"), "Yahoo! Europe", 0xD7F, 2.0f, {305, 310, 311, 312, 313, 308, 322, 324, 314,
	                                                 301, 315, 316, 325, 300, 304, 317, 303, 318,
	                                                 309, 302, 306, 319, 320, 323, 326, 321, 307}},
	    {Sig("YaIN"), "Yahoo! Int'l", 0xD7F, 2.0f, {400, 750, 650, 104, 651, 751, 604, 606, 605, 752, 401,
	                                                652, 754, 502, 753, 503, 504, 600, 601, 350, 603}},
	    {Sig("YaJP"), "Yahoo! Japan", 0x400, 2.0f, {500}},
	    {Sig("YaUS"), "Yahoo US", 0xD7F, 2.0f, {100, 101, 102, 200, 201, 205}},
	};
	return family;
}

// Makers are plain functions, so each registered source reads its attributes from this table by signature.
std::vector<tFakeSource>& Registered()
{
	static std::vector<tFakeSource> registered;
	return registered;
}

template <size_t I> TQuoter* MakeFake()
{
	return new FakeQuoter(Registered()[I]);
}

constexpr TQuoterManager::QuoterFactory kMakers[] = {
    MakeFake<0>, MakeFake<1>, MakeFake<2>, MakeFake<3>,  MakeFake<4>,  MakeFake<5>,  MakeFake<6>,
    MakeFake<7>, MakeFake<8>, MakeFake<9>, MakeFake<10>, MakeFake<11>, MakeFake<12>, MakeFake<13>};

class TQuoterManagerTest : public modeltest::ModelFixture
{
protected:
	void TearDown() override
	{
		TQuoterManager::FinishQuoterManager();
		TQuoterManager::RemoveModelHooks();
		TQuoterManager::LoadQuoterFamilies();
		Registered().clear();
	}

	// Starts the manager afresh with the given sources (all fourteen when none is named).
	void Start(std::vector<tFakeSource> sources)
	{
		TQuoterManager::FinishQuoterManager();
		TQuoterManager::ClearQuoterClasses();
		Registered() = std::move(sources);
		for (size_t i = 0; i < Registered().size(); i++)
			TQuoterManager::RegisterQuoterClass(Registered()[i].sig, kMakers[i]);
		TQuoterManager::InitQuoterManager();
	}
	void StartWithFamily() { Start(Family()); }
	void StartWithout(std::initializer_list<OSType> missing)
	{
		std::vector<tFakeSource> sources;
		for (const tFakeSource& source : Family())
			if (std::find(missing.begin(), missing.end(), source.sig) == missing.end())
				sources.push_back(source);
		Start(sources);
	}
	void StartWithOnly(std::initializer_list<OSType> present)
	{
		std::vector<tFakeSource> sources;
		for (const tFakeSource& source : Family())
			if (std::find(present.begin(), present.end(), source.sig) != present.end())
				sources.push_back(source);
		Start(sources);
	}

	static std::string SourceOfStock(tStockExchange exchange)
	{
		TStock stock;
		stock.Exchange(exchange);
		return SigText(TQuoterManager::GetQuoterSig(&stock));
	}

	static std::vector<std::pair<SInt32, std::string>> Pairs(tMenuItems* items)
	{
		std::vector<std::pair<SInt32, std::string>> pairs;
		for (tMenuItems* row = items;; row++) {
			if (row->item == kEndOfMenuItems) {
				EXPECT_EQ(row->value, kEndOfMenuItems);
				break;
			}
			pairs.emplace_back(row->item, SigText(OSType(row->value)));
		}
		delete[] items;
		return pairs;
	}
};

using tSlots = std::vector<std::string>;

tSlots Slots()
{
	return {SigText(TQuoterManager::AmericanQuoter()), SigText(TQuoterManager::CanadianQuoter()),
	        SigText(TQuoterManager::EuropeanQuoter()), SigText(TQuoterManager::AustralianQuoter()),
	        SigText(TQuoterManager::NGMQuoter()),      SigText(TQuoterManager::AktieTorgetQuoter()),
	        SigText(TQuoterManager::FundQuoter()),     SigText(TQuoterManager::IndexQuoter()),
	        SigText(TQuoterManager::CurrencyQuoter()), SigText(TQuoterManager::StreamingQuoter())};
}

TEST_F(TQuoterManagerTest, DefaultsWithTheWholeFamily)
{
	StartWithFamily();
	EXPECT_EQ(TQuoterManager::GetQuoters()->Count(), 14);
	EXPECT_EQ(Slots(),
	          (tSlots{"YaUS", "GlbM", "YaEU", "YaAZ", "NGMk", "Akti", "iMNY", "YaUS", "XExe", "qNON"}));
}

TEST_F(TQuoterManagerTest, DefaultsFallToTheSourcesThatAreRegistered)
{
	// Only the US and European Yahoo sources and the currency source.
	StartWithOnly({Sig("YaUS"), Sig("YaEU"), Sig("XExe")});
	EXPECT_EQ(Slots(),
	          (tSlots{"YaUS", "YaUS", "YaEU", "qNON", "qNON", "qNON", "YaEU", "YaUS", "XExe", "qNON"}));

	// Without the two preferred sources the first qualifying one in registration order wins.
	StartWithout({Sig("YaUS"), Sig("GlbM")});
	EXPECT_EQ(Slots(),
	          (tSlots{"iMNY", "iMNY", "YaEU", "YaAZ", "NGMk", "Akti", "iMNY", "Goog", "XExe", "qNON"}));

	Start({});
	EXPECT_EQ(TQuoterManager::GetQuoters()->Count(), 0);
	EXPECT_EQ(Slots(),
	          (tSlots{"qNON", "qNON", "qNON", "qNON", "qNON", "qNON", "qNON", "qNON", "qNON", "qNON"}));
}

TEST_F(TQuoterManagerTest, StreamingAndConfidenceRules)
{
	tFakeSource streaming = Family()[0];
	streaming.protocol = kQuoterProtocolStreaming;
	tFakeSource unsure = Family()[1]; // 'iMNY' with no weight cannot take a kind slot
	unsure.confidence = 0.0f;
	Start({streaming, unsure, Family()[3]});
	EXPECT_EQ(SigText(TQuoterManager::StreamingQuoter()), "Akti");
	EXPECT_EQ(SigText(TQuoterManager::FundQuoter()), "Goog");
	EXPECT_EQ(SigText(TQuoterManager::AmericanQuoter()), "iMNY"); // markets take a weight of 0

	TStock stock;
	stock.Exchange(851);
	EXPECT_TRUE(TQuoterManager::IsStreamingQuoter(&stock));
	stock.Exchange(100);
	EXPECT_FALSE(TQuoterManager::IsStreamingQuoter(&stock));
}

TEST_F(TQuoterManagerTest, StocksAreRoutedByExchange)
{
	StartWithFamily();
	const std::pair<tStockExchange, const char*> cases[] = {
	    {100, "YaUS"}, {102, "YaUS"}, {900, "YaUS"}, {200, "GlbM"}, {205, "GlbM"}, {300, "YaEU"},
	    {326, "YaEU"}, {307, "SwQt"}, {400, "YaAZ"}, {500, "YaJP"}, {850, "NGMk"}, {851, "Akti"},
	    {104, "YaIN"}, {106, "YaIN"}, {206, "YaIN"}, {600, "YaIN"},
	};
	for (const auto& [exchange, source] : cases)
		EXPECT_EQ(SourceOfStock(exchange), source) << exchange;
}

TEST_F(TQuoterManagerTest, RoutingFallsBackWhenSourcesAreMissing)
{
	StartWithout({Sig("SwQt")});
	EXPECT_EQ(SourceOfStock(307), "YaEU");

	StartWithout({Sig("SwQt"), Sig("YaEU")});
	EXPECT_EQ(SourceOfStock(307), "qNON"); // the European default, empty here
	gPreferences->europeanQuoter = Sig("YaIN");
	TQuoterManager::CheckQuoterPreferences();
	EXPECT_EQ(SourceOfStock(307), "YaIN");
	EXPECT_EQ(SourceOfStock(311), "YaIN");

	StartWithout({Sig("YaIN"), Sig("YaJP")});
	EXPECT_EQ(SourceOfStock(104), "YaUS");
	EXPECT_EQ(SourceOfStock(500), "qNON");

	StartWithout({Sig("YaIN"), Sig("YaUS")});
	EXPECT_EQ(SourceOfStock(104), "qNON");
}

TEST_F(TQuoterManagerTest, OwnSourceFieldsAndOverrides)
{
	StartWithFamily();
	TStock stock;
	stock.Exchange(100);
	stock.Quoter(Sig("PCQt"));
	EXPECT_EQ(SigText(TQuoterManager::GetQuoterSig(&stock)),
	          "YaUS"); // a stock's own field needs the override
	stock.OverrideQuoter(true);
	EXPECT_EQ(SigText(TQuoterManager::GetQuoterSig(&stock)), "PCQt");

	TFund fund;
	fund.Quoter(kNoQuoter);
	EXPECT_EQ(SigText(TQuoterManager::GetQuoterSig(&fund)), "iMNY");
	fund.Quoter(Sig("PCQt"));
	EXPECT_EQ(SigText(TQuoterManager::GetQuoterSig(&fund)), "PCQt");

	TIndex index;
	index.Quoter(kNoQuoter);
	EXPECT_EQ(SigText(TQuoterManager::GetQuoterSig(&index)), "YaUS");
	TCurrency currency;
	currency.Quoter(kNoQuoter);
	EXPECT_EQ(SigText(TQuoterManager::GetQuoterSig(&currency)), "XExe");
	EXPECT_EQ(TQuoterManager::GetQuoter(&currency), TQuoterManager::GetQuoterBySignature(Sig("XExe")));
}

TEST_F(TQuoterManagerTest, ValidateQuoterRepairsFundsAndIndexesOnly)
{
	StartWithFamily();
	TFund fund;
	fund.Quoter(Sig("eNRT"));
	EXPECT_FALSE(TQuoterManager::ValidateQuoter(&fund));
	EXPECT_EQ(SigText(fund.Quoter()), "iMNY");
	EXPECT_TRUE(TQuoterManager::ValidateQuoter(&fund));

	TIndex index;
	index.Quoter(Sig("Oand"));
	EXPECT_FALSE(TQuoterManager::ValidateQuoter(&index));
	EXPECT_EQ(SigText(index.Quoter()), "YaUS");

	TCurrency currency;
	currency.Quoter(Sig("Oand"));
	EXPECT_FALSE(TQuoterManager::ValidateQuoter(&currency));
	EXPECT_EQ(SigText(currency.Quoter()), "Oand");

	TStock stock;
	stock.OverrideQuoter(true);
	stock.Quoter(Sig("eNRT"));
	EXPECT_FALSE(TQuoterManager::ValidateQuoter(&stock));
	EXPECT_EQ(SigText(stock.Quoter()), "eNRT");
}

TEST_F(TQuoterManagerTest, CheckQuoterPreferencesTakesTheUsersChoices)
{
	StartWithFamily();
	gPreferences->americanQuoter = Sig("PCQt");
	gPreferences->canadianQuoter = kNoQuoter;
	gPreferences->europeanQuoter = Sig("eNRT"); // not registered: the default stays
	gPreferences->australianQuoter = Sig("YaIN");
	gPreferences->currencyQuoter = Sig("Oand");
	TQuoterManager::CheckQuoterPreferences();
	EXPECT_EQ(Slots(),
	          (tSlots{"PCQt", "qNON", "YaEU", "YaIN", "NGMk", "Akti", "iMNY", "YaUS", "XExe", "qNON"}));
	EXPECT_EQ(SourceOfStock(201), "qNON");

	// Before initialisation it initialises first.
	TQuoterManager::FinishQuoterManager();
	TQuoterManager::CheckQuoterPreferences();
	EXPECT_TRUE(TQuoterManager::IsInited());
	EXPECT_EQ(SigText(TQuoterManager::AmericanQuoter()), "PCQt");
}

TEST_F(TQuoterManagerTest, ResetDefaultQuotersFillsEmptyPreferenceFields)
{
	StartWithFamily();
	gPreferences->americanQuoter = kNoQuoter;
	gPreferences->canadianQuoter = Sig("QTCM");
	gPreferences->europeanQuoter = kNoQuoter;
	gPreferences->australianQuoter = kNoQuoter;
	gPreferences->currencyQuoter = kNoQuoter;
	TQuoterManager::ResetDefaultQuoters(true);
	EXPECT_EQ(SigText(gPreferences->americanQuoter), "YaUS");
	EXPECT_EQ(SigText(gPreferences->canadianQuoter), "QTCM");
	EXPECT_EQ(SigText(gPreferences->europeanQuoter), "YaEU");
	EXPECT_EQ(SigText(gPreferences->australianQuoter), "YaAZ");
	EXPECT_EQ(SigText(gPreferences->currencyQuoter), "XExe");

	// The chosen sources reach the stored record at 364 to 383, big-endian.
	std::array<unsigned char, tStockTickerPrefs::kStoredSize> stored{};
	UIntelConversion::ConvertStockPrefs(stored, gPreferences, false);
	EXPECT_EQ(std::string(reinterpret_cast<const char*>(&stored[364]), 20), "YaUSQTCMYaEUYaAZXExe");

	gPreferences = nullptr; // no settings record: nothing to fill
	TQuoterManager::ResetDefaultQuoters(true);
}

TEST_F(TQuoterManagerTest, LookupSources)
{
	StartWithFamily();
	EXPECT_TRUE(TQuoterManager::LookupQuoter(securityStock, Sig("PCQt")));
	EXPECT_TRUE(TQuoterManager::LookupQuoter(securityCurrency, Sig("YaJP"))); // the kind is not consulted
	EXPECT_FALSE(TQuoterManager::LookupQuoter(securityStock, Sig("Goog")));
	EXPECT_FALSE(TQuoterManager::LookupQuoter(securityStock, Sig("eNRT")));
	EXPECT_EQ(SigText(TQuoterManager::DefaultQuoter(securityFund)), "YaUS");

	gPreferences->americanQuoter = Sig("GlbM");
	TQuoterManager::CheckQuoterPreferences();
	EXPECT_EQ(SigText(TQuoterManager::DefaultQuoter(securityFund)), "PCQt");

	StartWithOnly({Sig("Akti"), Sig("XExe")});
	EXPECT_EQ(SigText(TQuoterManager::DefaultQuoter(securityStock)), "qNON");
}

TEST_F(TQuoterManagerTest, WrappersBySignature)
{
	StartWithFamily();
	char host[64], path[64], text[64];
	TQuoterManager::GetQuoterURL(Sig("PCQt"), urlQuotePage, nullptr, host, sizeof host, path,
	                             sizeof path);
	EXPECT_STREQ(host, "www.PCQt.test");
	EXPECT_STREQ(path, "/q");
	std::strcpy(host, "stale");
	std::strcpy(path, "stale");
	TQuoterManager::GetQuoterURL(Sig("eNRT"), urlQuotePage, nullptr, host, sizeof host, path,
	                             sizeof path);
	EXPECT_STREQ(host, "");
	EXPECT_STREQ(path, "");

	TQuoterManager::GetQuoterName(Sig("GlbM"), text, sizeof text);
	EXPECT_STREQ(text, "Globe & Mail");
	TQuoterManager::GetQuoterName(kNoQuoter, text, sizeof text);
	EXPECT_STREQ(text, "None");
	TQuoterManager::GetQuoterName(Sig("GlbM"), text, 6);
	EXPECT_STREQ(text, "Globe");

	TQuoterManager::GetQuoterHomePage(Sig("YaJP"), text, sizeof text);
	EXPECT_STREQ(text, "http://www.YaJP.test");
	TQuoterManager::GetQuoterHomePage(Sig("Oand"), text, sizeof text);
	EXPECT_STREQ(text, "http://");

	TQuoterManager::GetQuoterDomain(Sig("YaUS"), securityIndex, text, sizeof text);
	EXPECT_STREQ(text, "quotes.test");
	TQuoterManager::GetQuoterDomain(Sig("Oand"), securityIndex, text, sizeof text);
	EXPECT_STREQ(text, "");

	std::strcpy(text, "stale");
	TQuoterManager::GetQuoterLookup(Sig("YaUS"), securityStock, text, 1, path, sizeof path);
	EXPECT_STREQ(path, ""); // the base builds no lookup address
	TQuoterManager::GetQuoterPageDetailed(Sig("Oand"), path, sizeof path, nullptr);
	EXPECT_STREQ(path, "");

	EXPECT_EQ(TQuoterManager::GetQuoterMaxCount(Sig("YaUS")), 1);
	EXPECT_EQ(TQuoterManager::GetQuoterMaxCount(Sig("Oand")), 0);
	EXPECT_EQ(TQuoterManager::GetQuoterBySignature(kNoQuoter), nullptr);
}

TEST_F(TQuoterManagerTest, MenusByExchangeAndKind)
{
	StartWithFamily();
	using tPairs = std::vector<std::pair<SInt32, std::string>>;
	EXPECT_EQ(
	    Pairs(TQuoterManager::GetMenuItems(tStockExchange(100))),
	    (tPairs{
	        {1, "qNON"}, {3, "iMNY"}, {4, "GlbM"}, {5, "Goog"}, {6, "PCQt"}, {7, "QTCM"}, {8, "YaUS"}}));
	EXPECT_EQ(TQuoterManager::CountItems(tStockExchange(100)), 6);
	EXPECT_EQ(TQuoterManager::GetMenuTexts(tStockExchange(100)),
	          (std::vector<std::string>{"None", "-", "Canoe Money", "Globe & Mail", "Google Finance",
	                                    "PC Quote", "Quote.com", "Yahoo US"}));

	EXPECT_EQ(Pairs(TQuoterManager::GetMenuItems(securityCurrency, false)),
	          (tPairs{{1, "qNON"}, {3, "XExe"}}));
	EXPECT_EQ(Pairs(TQuoterManager::GetMenuItems(securityCurrency, true)), (tPairs{{1, "qNON"}}));
	EXPECT_EQ(Pairs(TQuoterManager::GetMenuItems(securityIndex, true)),
	          (tPairs{{1, "qNON"}, {3, "YaAZ"}, {4, "YaEU"}, {5, "YaIN"}, {6, "YaUS"}}));
	EXPECT_EQ(TQuoterManager::CountItems(securityStock, false), 13); // every source but the currency one
	EXPECT_EQ(TQuoterManager::CountItems(securityFund, false), 8);   // the fund bits, not the parsers
	EXPECT_EQ(TQuoterManager::CountItems(securityNone, false), 0);
	EXPECT_EQ(TQuoterManager::GetMenuTexts(securityCurrency, false),
	          (std::vector<std::string>{"None", "-", "XE"}));
}

TEST_F(TQuoterManagerTest, RegistrationAcceptsOnlyKnownSources)
{
	TQuoterManager::ClearQuoterClasses();
	const long signals = Debugging::SignalCount();
	EXPECT_EQ(TQuoterManager::RegisterQuoterClass(Sig("Oand"), kMakers[0]), nullptr);
	EXPECT_EQ(Debugging::SignalCount(), signals + 1);

	Registered() = Family();
	EXPECT_EQ(TQuoterManager::RegisterQuoterClass(Sig("Akti"), kMakers[0]), nullptr);
	EXPECT_EQ(TQuoterManager::RegisterQuoterClass(Sig("Akti"), kMakers[1]), kMakers[0]);
	EXPECT_EQ(TQuoterManager::RegisterQuoterClass(Sig("Akti"), nullptr), kMakers[1]);

	// Initialising twice keeps the sources it made; after a finish it starts afresh.
	StartWithOnly({Sig("YaUS")});
	TQuoter* first = TQuoterManager::GetQuoterBySignature(Sig("YaUS"));
	TQuoterManager::InitQuoterManager();
	EXPECT_EQ(TQuoterManager::GetQuoters()->Count(), 1);
	EXPECT_EQ(TQuoterManager::GetQuoterBySignature(Sig("YaUS")), first);
	TQuoterManager::FinishQuoterManager();
	EXPECT_EQ(TQuoterManager::GetQuoterBySignature(Sig("YaUS")), first); // the sources outlive the finish
	TQuoterManager::InitQuoterManager();
	EXPECT_EQ(TQuoterManager::GetQuoters()->Count(), 1);
}

TEST_F(TQuoterManagerTest, ModelHooksAskTheManager)
{
	StartWithFamily();
	TQuoterManager::InstallModelHooks();
	TStock stock;
	UZVUtils::DefaultStock(&stock, "Name", "SYM", 400);
	EXPECT_EQ(SigText(stock.Quoter()), "YaAZ");

	stock.Quoter(Sig("GlbM"));
	std::unique_ptr<char[]> merged(UMerge::MergeText(&stock, "<<quote_source>>"));
	ASSERT_NE(merged, nullptr);
	EXPECT_STREQ(merged.get(), "Globe & Mail");

	TQuoterManager::RemoveModelHooks();
	UZVUtils::DefaultStock(&stock, "Name", "SYM", 400);
	EXPECT_EQ(SigText(stock.Quoter()), "qNON");
}

} // namespace

namespace
{

// The families that are built register sources that answer to the signatures they were registered under.
TEST(TQuoterManagerFamiliesTest, RegisteredSourcesAnswerToTheirSignatures)
{
	TQuoterManager::FinishQuoterManager();
	TQuoterManager::LoadQuoterFamilies();
	const long signals = Debugging::SignalCount();
	TQuoterManager::InitQuoterManager();
	EXPECT_EQ(Debugging::SignalCount(), signals);

	int position = 0;
	TList<TQuoter> walk(TQuoterManager::GetQuoters());
	for (TQuoter* quoter = walk.GetFirst(); quoter != nullptr; quoter = walk.GetNext()) {
		const OSType sig = quoter->GetSig();
		while (position < TQuoterManager::kRegistrationCount &&
		       TQuoterManager::kRegistrationOrder[position] != sig)
			position++;
		ASSERT_LT(position, TQuoterManager::kRegistrationCount) << SigText(sig) << " is out of order";
		EXPECT_EQ(TQuoterManager::GetQuoterBySignature(sig), quoter);
		EXPECT_EQ(quoter->GetMaxCount(), 1) << SigText(sig);
		EXPECT_EQ(quoter->GetProtocol(), 1) << SigText(sig);
		EXPECT_NE(quoter->GetName(), nullptr) << SigText(sig);
	}
	EXPECT_GT(TQuoterManager::GetQuoters()->Count(), 0);
	TQuoterManager::FinishQuoterManager();
}

} // namespace

namespace
{

// With every family built, the real sources give the defaults and routes that the fakes above give.
TEST(TQuoterManagerFamiliesTest, TheBuiltFamiliesGiveTheDefaults)
{
	TQuoterManager::FinishQuoterManager();
	TQuoterManager::LoadQuoterFamilies();
	TQuoterManager::InitQuoterManager();
	EXPECT_EQ(TQuoterManager::GetQuoters()->Count(), TQuoterManager::kRegistrationCount);
	EXPECT_EQ(Slots(),
	          (tSlots{"YaUS", "GlbM", "YaEU", "YaAZ", "NGMk", "Akti", "iMNY", "YaUS", "XExe", "qNON"}));
	const std::pair<tStockExchange, const char*> routes[] = {{307, "SwQt"}, {500, "YaJP"}, {106, "YaIN"}};
	for (const auto& [exchange, source] : routes) {
		TStock stock;
		stock.Exchange(exchange);
		EXPECT_EQ(SigText(TQuoterManager::GetQuoterSig(&stock)), source) << exchange;
	}
	tMenuItems* items = TQuoterManager::GetMenuItems(tStockExchange(100));
	std::string order;
	for (tMenuItems* row = items + 1; row->item != kEndOfMenuItems; row++)
		order += SigText(OSType(row->value)) + " ";
	delete[] items;
	EXPECT_EQ(order, "iMNY GlbM Goog PCQt QTCM YaUS ");
	TQuoterManager::FinishQuoterManager();
}

} // namespace
