#pragma once
// Finds the quote source for a security, a market or a kind, keeps the default source per market and kind,
// and gives the source menus as data. All state is static; main thread only.
//
// Sources come from their families: each family registers a maker per source class with RegisterQuoterClass
// (see QuoterFamilies.h), and InitQuoterManager creates one source per registered maker, in the fixed
// registration order. A family that is not linked in is simply absent, and the defaults fall to the sources
// that are.

#include "Includes/TList.h"
#include "Quoters/TQuoter.h"
#include "foundation/UMenus.h"
#include "model/MarketCodes.h"
#include "model/SecurityTypes.h"
#include "platform/toolbox/MacTypes.h"

#include <string>
#include <vector>

class TSecurity;

class TQuoterManager
{
public:
	using QuoterFactory = TQuoter* (*)();

	// The sources that may be registered, in registration order.
	static const OSType kRegistrationOrder[];
	static const int kRegistrationCount;

	// Sets the maker of the source with a signature of the registration order and returns the maker it
	// replaces; null removes it. Another signature is refused (debug signal) and gives null. Takes effect
	// at the next InitQuoterManager.
	static QuoterFactory RegisterQuoterClass(OSType signature, QuoterFactory factory);
	// Refills the makers from the linked families (done once, before the first use, by itself).
	static void LoadQuoterFamilies();
	// Removes every maker, so that tests can register their own.
	static void ClearQuoterClasses();

	// Creates the registered sources and computes the defaults; nothing when already initialised. After
	// FinishQuoterManager it starts afresh (the former sources are deleted).
	static void InitQuoterManager();
	static void FinishQuoterManager();
	static bool IsInited() { return sQuoterManagerInited != 0; }
	// Fills the default slots that hold 'qNON'; with fillPreferences also the plug-in settings' five
	// default-source fields that hold 'qNON'.
	static void ResetDefaultQuoters(bool fillPreferences);
	// Takes the user's five chosen defaults from the plug-in settings (initialising first when needed).
	static void CheckQuoterPreferences();
	// Installs the lookups the model calls (the source of a new stock, a source's name in merged text).
	static void InstallModelHooks();
	static void RemoveModelHooks();

	static TQuoter* GetQuoterBySignature(OSType signature);
	static OSType FindQuoterSig(tStockExchange exchange);
	static OSType GetQuoterSig(TSecurity* security);
	static TQuoter* GetQuoter(TSecurity* security);
	static bool IsStreamingQuoter(TSecurity* security);
	// False when no source serves the security; a fund or index then gets its kind's default source.
	static bool ValidateQuoter(TSecurity* security);
	static bool LookupQuoter(tSecurityType type, OSType signature);
	static OSType DefaultQuoter(tSecurityType type);
	static TList<TQuoter>* GetQuoters() { return &sQuoters; }

	static OSType AmericanQuoter() { return sAmericanQuoter; }
	static OSType CanadianQuoter() { return sCanadianQuoter; }
	static OSType EuropeanQuoter() { return sEuropeanQuoter; }
	static OSType AustralianQuoter() { return sAustralianQuoter; }
	static OSType NGMQuoter() { return sNGMQuoter; }
	static OSType AktieTorgetQuoter() { return sAktieTorgetQuoter; }
	static OSType FundQuoter() { return sDefaultFundQuoter; }
	static OSType IndexQuoter() { return sDefaultIndexQuoter; }
	static OSType CurrencyQuoter() { return sDefaultCurrencyQuoter; }
	static OSType StreamingQuoter() { return sStreamingQuoter; }

	// Wrappers by signature. Lengths are the buffers' sizes. Without a source: host and path empty, name
	// "None", home page "http://", domain and lookup address empty, maximum count 0.
	static void GetQuoterURL(OSType signature, tURLType type, TSecurity* security, char* host,
	                         int hostLen, char* path, int pathLen);
	static void GetQuoterLookup(OSType signature, tSecurityType type, char* text, int page, char* url,
	                            long urlLen);
	static void GetQuoterPageDetailed(OSType signature, char* path, int pathLen, TSecurity* security);
	static void GetQuoterName(OSType signature, char* name, int length);
	static void GetQuoterHomePage(OSType signature, char* url, int length);
	static void GetQuoterDomain(OSType signature, tSecurityType type, char* host, int length);
	static long GetQuoterMaxCount(OSType signature);

	// Source menus: item 1 "None", item 2 a separator, then from item 3 the names of the sources that
	// serve the exchange or pass the kind filter, in registration order.
	static long CountItems(tStockExchange exchange);
	static long CountItems(tSecurityType type, bool lookupOnly);
	// A new[] array of (item, signature) pairs: (1, 'qNON'), one per listed source, then (999, 999).
	static tMenuItems* GetMenuItems(tStockExchange exchange);
	static tMenuItems* GetMenuItems(tSecurityType type, bool lookupOnly);
	// The item texts of the same menus: "None", "-", then the names (at most 255 characters each). "None"
	// and the names are literal texts; only the "-" is a separator.
	static std::vector<std::string> GetMenuTexts(tStockExchange exchange);
	static std::vector<std::string> GetMenuTexts(tSecurityType type, bool lookupOnly);
	// The exchange and currency popups' (item, code) tables; static, not to be released.
	static const tMenuItems* GetExchangeMenuItems();
	static const tMenuItems* GetCurrencyMenuItems();

private:
	static TList<TQuoter> sQuoters;
	static UInt8 sQuoterManagerInited;
	static OSType sAmericanQuoter;
	static OSType sCanadianQuoter;
	static OSType sEuropeanQuoter;
	static OSType sAustralianQuoter;
	static OSType sNGMQuoter;
	static OSType sAktieTorgetQuoter;
	static OSType sDefaultFundQuoter;
	static OSType sDefaultIndexQuoter;
	static OSType sDefaultCurrencyQuoter;
	static OSType sStreamingQuoter;

	static std::vector<TQuoter*> ListedQuoters(tStockExchange exchange);
	static std::vector<TQuoter*> ListedQuoters(tSecurityType type, bool lookupOnly);
	static tMenuItems* MakeMenuItems(const std::vector<TQuoter*>& quoters);
	static std::vector<std::string> MakeMenuTexts(const std::vector<TQuoter*>& quoters);
};
