#include "Quoters/TQuoterManager.h"

#include "Quoters/QuoterFamilies.h"
#include "foundation/TVyFileUtils.h"
#include "foundation/VyStrings.h"
#include "model/StockGlobals.h"
#include "model/TStock.h"
#include "model/UMerge.h"
#include "model/UZVUtils.h"
#include "platform/toolbox/Debugging.h"

#include <initializer_list>
#include <map>
#include <memory>
#include <new>

namespace
{

constexpr OSType kYahooUS = FOUR_CHAR_CODE("YaUS");
constexpr OSType kYahooInternational = FOUR_CHAR_CODE("YaIN");
constexpr OSType kGlobeAndMail = FOUR_CHAR_CODE("GlbM");
constexpr long kMenuNameLength = 255;

struct tFactoryTable {
	std::map<OSType, TQuoterManager::QuoterFactory> makers;
	bool loaded = false;
};

tFactoryTable& Factories()
{
	static tFactoryTable table;
	return table;
}

void LoadOnce()
{
	if (!Factories().loaded)
		TQuoterManager::LoadQuoterFamilies();
}

// The sources made by InitQuoterManager; sQuoters only points at them.
std::vector<std::unique_ptr<TQuoter>>& OwnedQuoters()
{
	static std::vector<std::unique_ptr<TQuoter>> owned;
	return owned;
}

struct tExchangeList {
	const tStockExchange* list = nullptr;
	short count = 0;

	explicit tExchangeList(TQuoter* quoter) { quoter->GetExchanges(&list, &count); }
	bool Contains(tStockExchange exchange) const
	{
		for (short i = 0; list != nullptr && i < count; i++)
			if (list[i] == exchange)
				return true;
		return false;
	}
	bool Empty() const { return list == nullptr || count <= 0; }
};

bool IsRegistered(OSType signature)
{
	return TQuoterManager::GetQuoterBySignature(signature) != nullptr;
}

// Copies at most size - 1 characters and the terminator.
void CopyText(char* target, const char* source, long size)
{
	if (target == nullptr || size <= 0)
		return;
	strcpyn(target, source == nullptr ? "" : source, size - 1);
}

const tMenuItems kExchangeMenuItems[] = {
    {1, 100},  {2, 101},  {3, 102},  {5, 200},  {6, 201},  {7, 205},
    {8, 204},  {9, 700},  {11, 300}, {12, 302}, {13, 305}, {14, 308},
    {15, 324}, {16, 325}, {17, 303}, {18, 323}, {19, 326}, {20, 307},
    {22, 322}, {23, 309}, {24, 306}, {25, 851}, {26, 850}, {28, 301},
    {29, 311}, {30, 313}, {31, 314}, {32, 315}, {33, 316}, {34, 318},
    {35, 319}, {36, 321}, {38, 310}, {39, 312}, {40, 304}, {41, 317},
    {42, 320}, {44, 400}, {45, 603}, {46, 650}, {47, 651}, {48, 501},
    {49, 652}, {50, 604}, {51, 605}, {52, 606}, {53, 401}, {54, 503},
    {55, 502}, {56, 600}, {57, 601}, {58, 500}, {60, 750}, {61, 751},
    {62, 752}, {63, 754}, {64, 753}, {66, 350}, {68, 900}, {kEndOfMenuItems, kEndOfMenuItems}};

const tMenuItems kCurrencyMenuItems[] = {
    {1, 100},  {2, 101},  {3, 102},  {4, 120},  {6, 300},  {7, 301},  {8, 321},
    {9, 323},  {10, 317}, {11, 314}, {12, 402}, {13, 322}, {14, 103}, {15, 401},
    {16, 410}, {17, 335}, {18, 312}, {19, 319}, {20, 320}, {21, 400}, {22, 318},
    {23, 311}, {24, 307}, {25, 316}, {26, 413}, {28, 800}, {29, 503}, {30, 501},
    {31, 450}, {32, 507}, {33, 500}, {34, 505}, {35, 801}, {36, 502}, {37, 513},
    {38, 511}, {40, 700}, {41, 706}, {42, 717}, {43, 718}, {44, 701}, {45, 707},
    {46, 715}, {48, 201}, {49, 206}, {50, 200}, {51, 203}, {52, 204}, {53, 212},
    {54, 209}, {55, 207}, {56, 205}, {57, 208}, {58, 202}, {60, 604}, {61, 601},
    {62, 606}, {63, 625}, {64, 600}, {65, 602}, {66, 609}, {67, 610}, {69, 854},
    {70, 855}, {71, 850}, {72, 853}, {73, 852}, {74, 851}, {76, 900}, {kEndOfMenuItems, kEndOfMenuItems}};

} // namespace

const OSType TQuoterManager::kRegistrationOrder[] = {
    FOUR_CHAR_CODE("Akti"), FOUR_CHAR_CODE("iMNY"), FOUR_CHAR_CODE("GlbM"), FOUR_CHAR_CODE("Goog"),
    FOUR_CHAR_CODE("NGMk"), FOUR_CHAR_CODE("PCQt"), FOUR_CHAR_CODE("QTCM"), FOUR_CHAR_CODE("SwQt"),
    FOUR_CHAR_CODE("XExe"), FOUR_CHAR_CODE("YaAZ"), FOUR_CHAR_CODE("YaEU"), FOUR_CHAR_CODE("YaIN"),
    FOUR_CHAR_CODE("YaJP"), FOUR_CHAR_CODE("YaUS")};
const int TQuoterManager::kRegistrationCount = int(sizeof kRegistrationOrder / sizeof kRegistrationOrder[0]);

TList<TQuoter> TQuoterManager::sQuoters{false, false};
UInt8 TQuoterManager::sQuoterManagerInited = 0;
OSType TQuoterManager::sAmericanQuoter = kNoQuoter;
OSType TQuoterManager::sCanadianQuoter = kNoQuoter;
OSType TQuoterManager::sEuropeanQuoter = kNoQuoter;
OSType TQuoterManager::sAustralianQuoter = kNoQuoter;
OSType TQuoterManager::sNGMQuoter = kNoQuoter;
OSType TQuoterManager::sAktieTorgetQuoter = kNoQuoter;
OSType TQuoterManager::sDefaultFundQuoter = kNoQuoter;
OSType TQuoterManager::sDefaultIndexQuoter = kNoQuoter;
OSType TQuoterManager::sDefaultCurrencyQuoter = kNoQuoter;
OSType TQuoterManager::sStreamingQuoter = kNoQuoter;

TQuoterManager::QuoterFactory TQuoterManager::RegisterQuoterClass(OSType signature, QuoterFactory factory)
{
	bool known = false;
	for (int i = 0; i < kRegistrationCount; i++)
		known = known || kRegistrationOrder[i] == signature;
	SignalIfNot_(known);
	if (!known)
		return nullptr;
	auto& makers = Factories().makers;
	QuoterFactory previous = makers.count(signature) ? makers[signature] : nullptr;
	if (factory == nullptr)
		makers.erase(signature);
	else
		makers[signature] = factory;
	return previous;
}

void TQuoterManager::LoadQuoterFamilies()
{
	Factories().makers.clear();
	Factories().loaded = true;
	RegisterQuoterFamilies();
}

void TQuoterManager::ClearQuoterClasses()
{
	Factories().makers.clear();
	Factories().loaded = true;
}

void TQuoterManager::InitQuoterManager()
{
	if (sQuoterManagerInited)
		return;
	LoadOnce();
	sQuoters.Clear();
	OwnedQuoters().clear();
	for (OSType* slot : {&sAmericanQuoter, &sCanadianQuoter, &sEuropeanQuoter, &sAustralianQuoter,
	                     &sNGMQuoter, &sAktieTorgetQuoter, &sDefaultFundQuoter, &sDefaultIndexQuoter,
	                     &sDefaultCurrencyQuoter, &sStreamingQuoter})
		*slot = kNoQuoter;
	const auto& makers = Factories().makers;
	for (int i = 0; i < kRegistrationCount; i++) {
		auto maker = makers.find(kRegistrationOrder[i]);
		if (maker == makers.end())
			continue;
		TQuoter* quoter = maker->second();
		if (quoter == nullptr)
			throw kNilPointerError;
		SignalIf_(quoter->GetSig() != kRegistrationOrder[i]);
		OwnedQuoters().emplace_back(quoter);
		sQuoters.Append(quoter);
	}
	sQuoterManagerInited = 1;
	ResetDefaultQuoters(false);
}

void TQuoterManager::FinishQuoterManager()
{
	sQuoterManagerInited = 0;
}

void TQuoterManager::ResetDefaultQuoters(bool fillPreferences)
{
	struct tMarketSlot {
		OSType* slot;
		tStockExchange exchange;
		long best;
	};
	tMarketSlot markets[] = {{&sAmericanQuoter, 100, 0}, {&sCanadianQuoter, 200, 0},
	                         {&sEuropeanQuoter, 300, 0}, {&sAustralianQuoter, 400, 0},
	                         {&sNGMQuoter, 850, 0},      {&sAktieTorgetQuoter, 851, 0}};
	struct tKindSlot {
		OSType* slot;
		UInt32 mask;
		long best;
	};
	tKindSlot kinds[] = {{&sDefaultFundQuoter, kQuoterFeatureFunds, 0},
	                     {&sDefaultIndexQuoter, kQuoterFeatureIndexes, 0},
	                     {&sDefaultCurrencyQuoter, kQuoterFeatureCurrencies, 0}};

	TList<TQuoter> walk(&sQuoters);
	for (TQuoter* quoter = walk.GetFirst(); quoter != nullptr; quoter = walk.GetNext()) {
		const UInt32 features = quoter->GetFeatures();
		const float confidence = quoter->GetConfidence();
		const tExchangeList exchanges(quoter);
		for (tMarketSlot& market : markets) {
			if (*market.slot != kNoQuoter || !exchanges.Contains(market.exchange) ||
			    confidence < market.best)
				continue;
			*market.slot = quoter->GetSig();
			market.best = long(confidence);
		}
		for (tKindSlot& kind : kinds) {
			if (*kind.slot != kNoQuoter || (features & kind.mask) == 0 ||
			    !(confidence > kind.best))
				continue;
			*kind.slot = quoter->GetSig();
			kind.best = long(confidence);
		}
		if (sStreamingQuoter == kNoQuoter && quoter->GetProtocol() == kQuoterProtocolStreaming)
			sStreamingQuoter = quoter->GetSig();
	}

	if (IsRegistered(kYahooUS))
		sAmericanQuoter = sDefaultIndexQuoter = kYahooUS;
	if (IsRegistered(kGlobeAndMail))
		sCanadianQuoter = kGlobeAndMail;

	if (fillPreferences && gPreferences != nullptr) {
		const std::pair<OSType*, OSType> fields[] = {
		    {&gPreferences->americanQuoter, sAmericanQuoter},
		    {&gPreferences->canadianQuoter, sCanadianQuoter},
		    {&gPreferences->europeanQuoter, sEuropeanQuoter},
		    {&gPreferences->australianQuoter, sAustralianQuoter},
		    {&gPreferences->currencyQuoter, sDefaultCurrencyQuoter}};
		for (const auto& [field, value] : fields)
			if (*field == kNoQuoter)
				*field = value;
	}
}

void TQuoterManager::CheckQuoterPreferences()
{
	if (!sQuoterManagerInited)
		InitQuoterManager();
	if (gPreferences == nullptr)
		return;
	const std::pair<OSType*, OSType> fields[] = {{&sAmericanQuoter, gPreferences->americanQuoter},
	                                             {&sCanadianQuoter, gPreferences->canadianQuoter},
	                                             {&sEuropeanQuoter, gPreferences->europeanQuoter},
	                                             {&sAustralianQuoter, gPreferences->australianQuoter},
	                                             {&sDefaultCurrencyQuoter, gPreferences->currencyQuoter}};
	for (const auto& [slot, chosen] : fields)
		if (chosen == kNoQuoter || IsRegistered(chosen))
			*slot = chosen;
}

void TQuoterManager::InstallModelHooks()
{
	UZVUtils::SetQuoterSigHook([](TSecurity* security) { return GetQuoterSig(security); });
	UMerge::SetQuoterNameHook([](unsigned long signature, char* name, int length) {
		GetQuoterName(OSType(signature), name, length);
	});
}

void TQuoterManager::RemoveModelHooks()
{
	UZVUtils::SetQuoterSigHook(nullptr);
	UMerge::SetQuoterNameHook(nullptr);
}

TQuoter* TQuoterManager::GetQuoterBySignature(OSType signature)
{
	if (signature == kNoQuoter)
		return nullptr;
	TList<TQuoter> walk(&sQuoters);
	for (TQuoter* quoter = walk.GetFirst(); quoter != nullptr; quoter = walk.GetNext())
		if (quoter->GetSig() == signature)
			return quoter;
	return nullptr;
}

OSType TQuoterManager::FindQuoterSig(tStockExchange exchange)
{
	TList<TQuoter> walk(&sQuoters);
	for (TQuoter* quoter = walk.GetFirst(); quoter != nullptr; quoter = walk.GetNext())
		if (tExchangeList(quoter).Contains(exchange))
			return quoter->GetSig();
	return kNoQuoter;
}

OSType TQuoterManager::GetQuoterSig(TSecurity* security)
{
	SignalIf_(security == nullptr);
	if (security == nullptr)
		return kNoQuoter;
	if (security->OverrideQuoter())
		return security->Quoter();
	switch (security->Type()) {
	case securityStock: {
		const tStockExchange exchange = static_cast<TStock*>(security)->Exchange();
		if ((exchange >= 100 && exchange <= 102) || exchange == kExchangeUnknown)
			return sAmericanQuoter;
		if (exchange >= 200 && exchange <= 205)
			return sCanadianQuoter;
		if (exchange == 307) {
			const OSType swiss = FindQuoterSig(307);
			return swiss != kNoQuoter ? swiss : sEuropeanQuoter;
		}
		if (exchange >= 300 && exchange <= 326)
			return sEuropeanQuoter;
		if (exchange == 400)
			return sAustralianQuoter;
		if (exchange == 500)
			return FindQuoterSig(500);
		if (exchange == 850)
			return sNGMQuoter;
		if (exchange == 851)
			return sAktieTorgetQuoter;
		if (IsRegistered(kYahooInternational))
			return kYahooInternational;
		return IsRegistered(kYahooUS) ? kYahooUS : kNoQuoter;
	}
	case securityFund:
	case securityIndex:
	case securityCurrency: {
		if (security->Quoter() != kNoQuoter)
			return security->Quoter();
		if (security->Type() == securityFund)
			return sDefaultFundQuoter;
		return security->Type() == securityIndex ? sDefaultIndexQuoter : sDefaultCurrencyQuoter;
	}
	default:
		return kNoQuoter;
	}
}

TQuoter* TQuoterManager::GetQuoter(TSecurity* security)
{
	return GetQuoterBySignature(GetQuoterSig(security));
}

bool TQuoterManager::IsStreamingQuoter(TSecurity* security)
{
	TQuoter* quoter = GetQuoter(security);
	return quoter != nullptr && UInt8(quoter->GetProtocol()) == kQuoterProtocolStreaming;
}

bool TQuoterManager::ValidateQuoter(TSecurity* security)
{
	if (GetQuoter(security) != nullptr)
		return true;
	if (security == nullptr)
		return false;
	if (security->Type() == securityFund)
		security->Quoter(sDefaultFundQuoter);
	else if (security->Type() == securityIndex)
		security->Quoter(sDefaultIndexQuoter);
	return false;
}

bool TQuoterManager::LookupQuoter(tSecurityType, OSType signature)
{
	TQuoter* quoter = GetQuoterBySignature(signature);
	return quoter != nullptr && quoter->HasFeature(kQuoterFeatureLookup);
}

OSType TQuoterManager::DefaultQuoter(tSecurityType type)
{
	if (LookupQuoter(type, sAmericanQuoter))
		return sAmericanQuoter;
	TList<TQuoter> walk(&sQuoters);
	for (TQuoter* quoter = walk.GetFirst(); quoter != nullptr; quoter = walk.GetNext())
		if (quoter->HasFeature(kQuoterFeatureLookup))
			return quoter->GetSig();
	return kNoQuoter;
}

void TQuoterManager::GetQuoterURL(OSType signature, tURLType type, TSecurity* security, char* host,
                                  int hostLen, char* path, int pathLen)
{
	// Emptied here as well, so that a caller never builds an address from what its buffers held before.
	CopyText(host, "", hostLen);
	CopyText(path, "", pathLen);
	if (TQuoter* quoter = GetQuoterBySignature(signature))
		quoter->GetURL(type, security, host, hostLen, path, pathLen);
}

void TQuoterManager::GetQuoterLookup(OSType signature, tSecurityType type, char* text, int page, char* url,
                                     long urlLen)
{
	CopyText(url, "", urlLen);
	if (TQuoter* quoter = GetQuoterBySignature(signature))
		quoter->GetLookup(type, text, page, url, urlLen);
}

void TQuoterManager::GetQuoterPageDetailed(OSType signature, char* path, int pathLen, TSecurity* security)
{
	CopyText(path, "", pathLen);
	if (TQuoter* quoter = GetQuoterBySignature(signature))
		quoter->GetPageDetailed(path, pathLen, security);
}

void TQuoterManager::GetQuoterName(OSType signature, char* name, int length)
{
	TQuoter* quoter = GetQuoterBySignature(signature);
	CopyText(name, quoter != nullptr ? quoter->GetName() : "None", length);
}

void TQuoterManager::GetQuoterHomePage(OSType signature, char* url, int length)
{
	TQuoter* quoter = GetQuoterBySignature(signature);
	if (quoter == nullptr) {
		CopyText(url, "http://", length);
		return;
	}
	char scratch[5];
	quoter->GetURL(urlHomePage, nullptr, url, length, scratch, sizeof scratch);
}

void TQuoterManager::GetQuoterDomain(OSType signature, tSecurityType type, char* host, int length)
{
	CopyText(host, "", length);
	if (TQuoter* quoter = GetQuoterBySignature(signature))
		if (const char* domain = quoter->GetDomain(type))
			CopyText(host, domain, length);
}

long TQuoterManager::GetQuoterMaxCount(OSType signature)
{
	TQuoter* quoter = GetQuoterBySignature(signature);
	return quoter != nullptr ? quoter->GetMaxCount() : 0;
}

std::vector<TQuoter*> TQuoterManager::ListedQuoters(tStockExchange exchange)
{
	std::vector<TQuoter*> listed;
	TList<TQuoter> walk(&sQuoters);
	for (TQuoter* quoter = walk.GetFirst(); quoter != nullptr; quoter = walk.GetNext())
		if (tExchangeList(quoter).Contains(exchange))
			listed.push_back(quoter);
	return listed;
}

std::vector<TQuoter*> TQuoterManager::ListedQuoters(tSecurityType type, bool lookupOnly)
{
	std::vector<TQuoter*> listed;
	TList<TQuoter> walk(&sQuoters);
	for (TQuoter* quoter = walk.GetFirst(); quoter != nullptr; quoter = walk.GetNext()) {
		if (lookupOnly && !quoter->HasFeature(kQuoterFeatureLookup))
			continue;
		bool passes = false;
		switch (type) {
		case securityStock:
			passes = !tExchangeList(quoter).Empty();
			break;
		case securityFund:
			passes = quoter->HasFeature(kQuoterFeatureFunds);
			break;
		case securityIndex:
			passes = quoter->HasFeature(kQuoterFeatureIndexes);
			break;
		case securityCurrency:
			passes = quoter->HasFeature(kQuoterFeatureCurrencies);
			break;
		default:
			break;
		}
		if (passes)
			listed.push_back(quoter);
	}
	return listed;
}

tMenuItems* TQuoterManager::MakeMenuItems(const std::vector<TQuoter*>& quoters)
{
	tMenuItems* items = new (std::nothrow) tMenuItems[quoters.size() + 2];
	if (items == nullptr)
		throw kNilPointerError;
	items[0] = {1, SInt32(kNoQuoter)};
	SInt32 item = 3;
	size_t k = 1;
	for (TQuoter* quoter : quoters)
		items[k++] = {item++, SInt32(quoter->GetSig())};
	items[k] = {kEndOfMenuItems, kEndOfMenuItems};
	return items;
}

std::vector<std::string> TQuoterManager::MakeMenuTexts(const std::vector<TQuoter*>& quoters)
{
	std::vector<std::string> texts{"None", "-"};
	for (TQuoter* quoter : quoters) {
		const char* name = quoter->GetName();
		std::string text = name != nullptr ? name : "";
		if (text.size() > size_t(kMenuNameLength))
			text.resize(kMenuNameLength);
		texts.push_back(text);
	}
	return texts;
}

long TQuoterManager::CountItems(tStockExchange exchange)
{
	return long(ListedQuoters(exchange).size());
}

long TQuoterManager::CountItems(tSecurityType type, bool lookupOnly)
{
	return long(ListedQuoters(type, lookupOnly).size());
}

tMenuItems* TQuoterManager::GetMenuItems(tStockExchange exchange)
{
	return MakeMenuItems(ListedQuoters(exchange));
}

tMenuItems* TQuoterManager::GetMenuItems(tSecurityType type, bool lookupOnly)
{
	return MakeMenuItems(ListedQuoters(type, lookupOnly));
}

std::vector<std::string> TQuoterManager::GetMenuTexts(tStockExchange exchange)
{
	return MakeMenuTexts(ListedQuoters(exchange));
}

std::vector<std::string> TQuoterManager::GetMenuTexts(tSecurityType type, bool lookupOnly)
{
	return MakeMenuTexts(ListedQuoters(type, lookupOnly));
}

const tMenuItems* TQuoterManager::GetExchangeMenuItems()
{
	return kExchangeMenuItems;
}

const tMenuItems* TQuoterManager::GetCurrencyMenuItems()
{
	return kCurrencyMenuItems;
}
