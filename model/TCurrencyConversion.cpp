#include "model/TCurrencyConversion.h"

#include "Includes/TCurrencyWatcher.h"
#include "foundation/VyStrings.h"
#include "model/TCurrency.h"
#include "platform/toolbox/Debugging.h"

#include <string>
#include <vector>

TList<TSecurity>* TCurrencyConversion::sCurrencyList = nullptr;
TList<TCurrencyWatcher>* TCurrencyConversion::sWatchers = nullptr;

const tCurrencyEntry TCurrencyConversion::sCurrencies[] = {
    {"AFA", "Afghanistan Afghani", 455, "currencyAfghanistan"},
    {"ALL", "Albanian Lek", 326, "currencyAlbania"},
    {"DZD", "Algerian Dinar", 702, "currencyAlgeria"},
    {"XAL", "Aluminum Ounces", 854, "currencyAluminum"},
    {"ADF", "Andorran Franc", 328, "currencyAndorraFranc"},
    {"ADP", "Andorran Peseta", 327, "currencyEuro"},
    {"AON", "Angolan New Kwanza", 613, "currencyAngola"},
    {"ARS", "Argentine Peso", 201, "currencyArgentina"},
    {"AWG", "Aruba Florin", 121, "currencyAruba"},
    {"AUD", "Australian Dollar", 800, "currencyAustralia"},
    {"ATS", "Austrian Schilling", 309, "currencyAustria"},
    {"BHD", "Bahraini Dinar", 711, "currencyBahrain"},
    {"BDT", "Bangladesh Taka", 452, "currencyBangladesh"},
    {"BBD", "Barbados Dollar", 122, "currencyBarbados"},
    {"BEF", "Belgian Franc", 308, "currencyEuro"},
    {"BZD", "Belize Dollar", 256, "currencyBelize"},
    {"BMD", "Bermuda Dollar", 123, "currencyBermuda"},
    {"BTN", "Bhutan Ngultrum", 457, "currencyBhutan"},
    {"BOB", "Bolivian Boliviano", 206, "currencyBolivia"},
    {"BWP", "Botswana Pula", 607, "currencyBotswana"},
    {"BRL", "Brazilian Real", 200, "currencyBrazil"},
    {"GBP", "British Pound", 301, "currencyBritain"},
    {"BND", "Brunei Dollar", 719, "currencyBrunei"},
    {"BIF", "Burundi Franc", 614, "currencyBurundi"},
    {"XOF", "CFA Franc (BCEAO)", 124, "currencyCFAFrancBCEAO"},
    {"XAF", "CFA Franc (BEAC)", 125, "currencyCFAFrancBEAC"},
    {"KHR", "Cambodia Riel", 516, "currencyCambodia"},
    {"CAD", "Canadian Dollar", 101, "currencyCanada"},
    {"CVE", "Cape Verde Escudo", 615, "currencyCapeVerde"},
    {"KYD", "Cayman Islands Dollar", 126, "currencyCaymanIslands"},
    {"CLP", "Chilean Peso", 203, "currencyChile"},
    {"CNY", "Chinese Yuan", 503, "currencyChina"},
    {"COP", "Colombian Peso", 204, "currencyColombia"},
    {"XCP", "Copper Ounces", 855, "currencyCopper"},
    {"KMF", "Comoros Franc", 616, "currencyComoros"},
    {"CRC", "Costa Rica Colon", 253, "currencyCostaRica"},
    {"HRK", "Croatian Kuna", 323, "currencyCroatia"},
    {"CUP", "Cuban Peso", 127, "currencyCuba"},
    {"CYP", "Cyprus Pound", 329, "currencyCyprus"},
    {"CZK", "Czech Koruna", 317, "currencyCzech"},
    {"DKK", "Danish Krone", 314, "currencyDenmark"},
    {"DJF", "Dijibouti Franc", 720, "currencyDijibouti"},
    {"DOP", "Dominican Peso", 128, "currencyDominican"},
    {"NLG", "Dutch Guilder", 306, "currencyEuro"},
    {"XCD", "East Caribbean Dollar", 120, "currencyEastCaribbean"},
    {"ECS", "Ecuadorian Sucre", 212, "currencyEcuador"},
    {"EGP", "Egyptian Pound", 700, "currencyEgypt"},
    {"SVC", "El Salvador Colon", 255, "currencyElSalvador"},
    {"EEK", "Estonian Kroon", 402, "currencyEstonia"},
    {"ETB", "Ethiopian Birr", 604, "currencyEthiopia"},
    {"EUR", "Euro", 300, "currencyEuro"},
    {"FKP", "Falkland Islands Pound", 213, "currencyFalklandIslands"},
    {"FJD", "Fiji Dollar", 803, "currencyFiji"},
    {"FIM", "Finnish Mark", 313, "currencyFinland"},
    {"FRF", "French Franc", 303, "currencyEuro"},
    {"GMD", "Gambian Dalasi", 617, "currencyGambia"},
    {"DEM", "German Mark", 302, "currencyEuro"},
    {"GHC", "Ghanian Cedi", 618, "currencyGhana"},
    {"GIP", "Gibraltar Pound", 330, "currencyGibraltar"},
    {"XAU", "Gold Ounces", 850, "currencyGold"},
    {"GRD", "Greek Drachma", 315, "currencyEuro"},
    {"GTQ", "Guatemala Quetzal", 257, "currencyGuatemela"},
    {"GNF", "Guinea Franc", 619, "currencyGuinea"},
    {"GYD", "Guyana Dollar", 209, "currencyGuyana"},
    {"HTG", "Haiti Gourde", 129, "currencyHaiti"},
    {"HNL", "Honduras Lempira", 258, "currencyHonduras"},
    {"HKD", "Hong Kong Dollar", 501, "currencyHongKong"},
    {"HUF", "Hungarian Forint", 322, "currencyHungary"},
    {"ISK", "Iceland Krona", 103, "currencyIceland"},
    {"INR", "Indian Rupee", 450, "currencyIndia"},
    {"IDR", "Indonesian Rupiah", 507, "currencyIndonesia"},
    {"IQD", "Iraqi Dinar", 712, "currencyIraq"},
    {"IEP", "Irish Punt", 331, "currencyEuro"},
    {"ILS", "Israeli Shekel", 706, "currencyIsrael"},
    {"ITL", "Italian Lira", 304, "currencyEuro"},
    {"JMD", "Jamaican Dollar", 130, "currencyJamaica"},
    {"JPY", "Japanese Yen", 500, "currencyJapan"},
    {"JOD", "Jordanian Dinar", 717, "currencyJordan"},
    {"KZT", "Kazakhstan Tenge", 406, "currencyKazakhstan"},
    {"KES", "Kenyan Shilling", 601, "currencyKenya"},
    {"KRW", "Korean Won", 513, "currencySouthKorea"},
    {"KWD", "Kuwaiti Dinar", 710, "currencyKuwait"},
    {"LAK", "Lao Kip", 515, "currencyLaos"},
    {"LVL", "Latvian Lat", 401, "currencyLatvia"},
    {"LBP", "Lebanese Pound", 718, "currencyLebanon"},
    {"LSL", "Lesotho Loti", 620, "currencyLesotho"},
    {"LRD", "Liberian Dollar", 621, "currencyLiberia"},
    {"LYD", "Libyan Dinar", 704, "currencyLibya"},
    {"LTL", "Lithuanian Lita", 410, "currencyLithuania"},
    {"LUF", "Luxembourg Franc", 332, "currencyEuro"},
    {"MOP", "Macau Pataca", 510, "currencyMacau"},
    {"MKD", "Macedonian Denar", 333, "currencyMacedonia"},
    {"MGF", "Malagasy Franc", 622, "currencyMalagasy"},
    {"MWK", "Malawi Kwacha", 611, "currencyMalawi"},
    {"MYR", "Malaysian Ringgit", 505, "currencyMalaysia"},
    {"MVR", "Maldives Rufiyaa", 460, "currencyMaldives"},
    {"MTL", "Maltese Lira", 335, "currencyMalta"},
    {"MRO", "Mauritania Ougulya", 623, "currencyMauritania"},
    {"MUR", "Mauritius Rupee", 624, "currencyMauritius"},
    {"MXN", "Mexican Nuevo Peso", 102, "currencyMexico"},
    {"MDL", "Moldovan Leu", 411, "currencyMoldova"},
    {"MNT", "Mongolian Tugrik", 454, "currencyMongolia"},
    {"MAD", "Moroccan Dirham", 701, "currencyMorocco"},
    {"MZM", "Mozambique Metical", 605, "currencyMozambique"},
    {"MMK", "Myanmar Kyat", 456, "currencyMyanmar"},
    {"NAD", "Namibian Dollar", 606, "currencyNamibia"},
    {"NPR", "Nepalese Rupee", 453, "currencyNepal"},
    {"ANG", "Neth Antilles Guilder", 131, "currencyNetherlandsAntilles"},
    {"NZD", "New Zealand Dollar", 801, "currencyNewZealand"},
    {"NIO", "Nicaragua Cordoba", 252, "currencyNicaragua"},
    {"NGN", "Nigerian Naira", 625, "currencyNigeria"},
    {"KPW", "North Korean Won", 514, "currencyNorthKorea"},
    {"NOK", "Norwegian Krone", 312, "currencyNorway"},
    {"OMR", "Omani Rial", 709, "currencyOman"},
    {"XPF", "Pacific Franc", 802, "currencyPacificFranc"},
    {"PKR", "Pakistani Rupee", 451, "currencyPakistan"},
    {"XPD", "Palladium Ounces", 853, "currencyPalladium"},
    {"PAB", "Panama Balboa", 251, "currencyPanama"},
    {"PGK", "Papua New Guinea Kina", 509, "currencyPapuaNewGuinea"},
    {"PYG", "Paraguayan Guarani", 207, "currencyParaguay"},
    {"PEN", "Peruvian Nuevo Sol", 205, "currencyPeru"},
    {"PHP", "Philippine Peso", 506, "currencyPhilippines"},
    {"XPT", "Platinum Ounces", 852, "currencyPlatinum"},
    {"PLN", "Polish Zloty", 319, "currencyPoland"},
    {"PTE", "Portuguese Escudo", 310, "currencyEuro"},
    {"QAR", "Qatar Rial", 714, "currencyQatar"},
    {"ROL", "Romanian Leu", 320, "currencyRomania"},
    {"RUB", "Russian Rouble", 400, "currencyRussia"},
    {"WST", "Samoa Tala", 804, "currencySamoa"},
    {"STD", "Sao Tome Dobra", 805, "currencySaoTome"},
    {"SAR", "Saudi Arabian Riyal", 707, "currencySaudiArabia"},
    {"SCR", "Seychelles Rupee", 626, "currencySeychelles"},
    {"SLL", "Sierra Leone Leone", 627, "currencySierraLeone"},
    {"XAG", "Silver Ounces", 851, "currencySilver"},
    {"SGD", "Singapore Dollar", 502, "currencySingapore"},
    {"SKK", "Slovak Koruna", 318, "currencySlovakia"},
    {"SIT", "Slovenian Tolar", 412, "currencySlovenia"},
    {"SBD", "Solomon Islands Dollar", 807, "currencySolomonIslands"},
    {"SOS", "Somali Shilling", 612, "currencySomalia"},
    {"ZAR", "South African Rand", 600, "currencySouthAfrica"},
    {"ESP", "Spanish Peseta", 305, "currencyEuro"},
    {"LKR", "Sri Lanka Rupee", 459, "currencySriLanka"},
    {"SHP", "St Helena Pound", 806, "currencyStHelena"},
    {"SDD", "Sudanese Dinar", 708, "currencySudan"},
    {"SRG", "Surinam Guilder", 211, "currencySurinam"},
    {"SZL", "Swaziland Lilageni", 628, "currencySwaziland"},
    {"SEK", "Swedish Krona", 311, "currencySweden"},
    {"CHF", "Swiss Franc", 307, "currencySwitzerland"},
    {"SYP", "Syrian Pound", 705, "currencySyria"},
    {"TWD", "Taiwan Dollar", 504, "currencyTaiwan"},
    {"TZS", "Tanzanian Shilling", 602, "currencyTanzania"},
    {"THB", "Thai Baht", 511, "currencyThailand"},
    {"TOP", "Tonga Pa'anga", 808, "currencyTonga"},
    {"TTD", "Trinidad&Tobago Dollar", 132, "currencyTrinidadAndTobago"},
    {"TND", "Tunisian Dinar", 703, "currencyTunisia"},
    {"TRY", "(New) Turkish Lira", 316, "currencyTurkey"},
    {"USD", "U.S. Dollar", 100, "currencyUSA"},
    {"AED", "UAE Dirham", 715, "currencyUnitedArabEmirates"},
    {"UGX", "Ugandan Shilling", 609, "currencyUganda"},
    {"UAH", "Ukraine Hryvnia", 413, "currencyUkraine"},
    {"UZS", "Uzbekistan Sum", 408, "currencyUzbekistan"},
    {"VUV", "Vanuatu Vatu", 809, "currencyVanuatu"},
    {"VEB", "Venezuelan Bolivar", 202, "currencyVenezuela"},
    {"VND", "Vietnam Dong", 512, "currencyVietnam"},
    {"YER", "Yemen Riyal", 716, "currencyYemen"},
    {"YUM", "Yugoslav Dinar", 334, "currencyCzech"},
    {"ZMK", "Zambian Kwacha", 610, "currencyZambia"},
    {"ZWD", "Zimbabwe Dollar", 603, "currencyZimbabwe"},
    {nullptr, nullptr, kCurrencyUnknown, "currencyUnknown"},
};

namespace
{

// The last row with that code, as the lookups have always taken it.
const tCurrencyEntry* FindCurrency(tCurrency currency)
{
	const tCurrencyEntry* found = nullptr;
	for (const tCurrencyEntry* row = TCurrencyConversion::sCurrencies; row->id != kCurrencyUnknown; row++)
		if (row->id == currency)
			found = row;
	return found;
}

} // namespace

const char* TCurrencyConversion::GetCurrencySymbol(tCurrency currency)
{
	const tCurrencyEntry* row = FindCurrency(currency);
	return row != nullptr ? row->symbol : nullptr;
}

const char* TCurrencyConversion::GetCurrencyName(tCurrency currency)
{
	const tCurrencyEntry* row = FindCurrency(currency);
	return row != nullptr ? row->name : nullptr;
}

void TCurrencyConversion::GetCurrencyDragName(tCurrency currency, char* name, unsigned long size)
{
	SignalIf_(name == nullptr);
	if (name == nullptr || size < 1)
		return;
	const tCurrencyEntry* row = FindCurrency(currency);
	strcpyn(name, row != nullptr ? row->dragName : "currencyUnknown", long(size - 1));
}

void TCurrencyConversion::SetCurrencyTitles(TCurrency* pair)
{
	SignalIf_(pair == nullptr);
	if (pair == nullptr)
		return;
	// A code missing from the table leaves its place empty rather than handing a null to the texts.
	auto text = [](const char* s) { return std::string(s != nullptr ? s : ""); };
	const std::string name =
	    text(GetCurrencyName(pair->CurrencyFrom())) + " -> " + text(GetCurrencyName(pair->CurrencyTo()));
	const std::string symbol =
	    text(GetCurrencySymbol(pair->CurrencyFrom())) + "," + text(GetCurrencySymbol(pair->CurrencyTo()));
	pair->SecurityName(name.c_str());
	pair->SecuritySymbol(symbol.c_str());
}

float TCurrencyConversion::GetConversion(tCurrency from, tCurrency to)
{
	if (sCurrencyList == nullptr || from == to)
		return 1.0f;
	// A view of its own, so that a walk of the plug-in's list in progress keeps its place.
	TList<TSecurity> pairs(sCurrencyList);
	for (TSecurity* security = pairs.GetFirst(); security != nullptr; security = pairs.GetNext()) {
		const TCurrency* pair = dynamic_cast<const TCurrency*>(security);
		if (pair == nullptr || pair->CurrencyFrom() != from || pair->CurrencyTo() != to)
			continue;
		const float rate = pair->CurrentTradePrice();
		return rate != kNoValue ? rate : 1.0f;
	}
	return 1.0f;
}

void TCurrencyConversion::SetConversionList(TList<TSecurity>* list)
{
	sCurrencyList = list;
}

void TCurrencyConversion::AddCurrencyWatcher(TCurrencyWatcher* watcher)
{
	SignalIf_(watcher == nullptr);
	if (watcher == nullptr)
		return;
	if (sWatchers == nullptr)
		sWatchers = new TList<TCurrencyWatcher>(false, false);
	if (sWatchers->FindItem(watcher) == 0)
		sWatchers->Append(watcher);
}

void TCurrencyConversion::ClearCurrencyWatchers(TCurrencyWatcher* watcher)
{
	SignalIf_(watcher == nullptr);
	if (watcher == nullptr || sWatchers == nullptr)
		return;
	sWatchers->Remove(watcher);
}

void TCurrencyConversion::UpdateWatchers()
{
	if (sWatchers == nullptr)
		return;
	// Told from a copy, so that a watcher may add or remove watchers; one removed meanwhile is skipped.
	std::vector<TCurrencyWatcher*> watchers;
	for (TCurrencyWatcher* watcher = sWatchers->GetFirst(); watcher != nullptr;
	     watcher = sWatchers->GetNext())
		watchers.push_back(watcher);
	for (TCurrencyWatcher* watcher : watchers)
		if (sWatchers->FindItem(watcher) != 0)
			watcher->UpdateCurrency();
}
