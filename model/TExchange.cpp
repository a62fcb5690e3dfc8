#include "model/TExchange.h"

#include "foundation/VyStrings.h"
#include "platform/toolbox/Debugging.h"

const tExchangeEntry ExchangeTable[] = {
    {100, 0, "NYSE", "exchangeNYSE"},
    {101, 0, "Nasdaq", "exchangeNASDAQ"},
    {102, 0, "AMEX", "exchangeAmerican"},
    {200, 0, "Toronto (TSX)", "exchangeToronto"},
    {201, 0, "Montreal", "exchangeMontreal"},
    {202, 0, "Vancouver", "exchangeVancouver"},
    {203, 0, "Alberta", "exchangeAlberta"},
    {204, 0, "Canada OTC", "exchangeCanadaOTC"},
    {205, 0, "CDNX", "exchangeCanadianVenture"},
    {300, 0, "London(FT)", "exchangeLondon"},
    {305, 0, "Amsterdam", "exchangeAmsterdam"},
    {400, 0, "Australia", "exchangeAustralia"},
    {310, 0, "Barcelona", "exchangeBarcelona"},
    {311, 0, "Berlin", "exchangeBerlin"},
    {312, 0, "Bilbao", "exchangeBilbao"},
    {650, 0, "Bombay", "exchangeBombay"},
    {104, 0, "Boston", "exchangeBoston"},
    {313, 0, "Bremen", "exchangeBremen"},
    {308, 0, "Brussels", "exchangeBrussels"},
    {750, 0, "Buenos Aires", "exchangeBuenosAires"},
    {651, 0, "Calcutta", "exchangeCalcutta"},
    {751, 0, "Caracas", "exchangeCaracas"},
    {106, 0, "Chicago", "exchangeChicago"},
    {701, 0, "Chile", "exchangeSantiago"},
    {322, 0, "Copenhagen", "exchangeCopenhagen"},
    {324, 0, "Dublin", "exchangeDublin"},
    {314, 0, "Dusseldorf", "exchangeDusseldorf"},
    {351, 0, "Egypt", "exchangeEgypt"},
    {301, 0, "Frankfurt (DAX)", "exchangeFrankfurt"},
    {315, 0, "Hamburg", "exchangeHamburg"},
    {316, 0, "Hannover", "exchangeHanover"},
    {501, 0, "HongKong", "exchangeHongKong"},
    {652, 0, "India (NSI)", "exchangeIndia"},
    {604, 0, "Jakarta", "exchangeJakarta"},
    {702, 0, "Johannesburg", "exchangeJohannesburg"},
    {605, 0, "Korea", "exchangeKorea"},
    {606, 0, "Kuala Lumpur", "exchangeKualaLumpur"},
    {752, 0, "Lima", "exchangeLima"},
    {325, 0, "Lisbon", "exchangeLisbon"},
    {304, 0, "Madrid", "exchangeMadrid"},
    {317, 0, "Madrid (MC)", "exchangeMadridMC"},
    {700, 0, "Mexico", "exchangeMexico"},
    {303, 0, "Milan", "exchangeMilan"},
    {318, 0, "Munich", "exchangeMunich"},
    {401, 0, "New Zealand", "exchangeNewZealand"},
    {309, 0, "Oslo", "exchangeOslo"},
    {302, 0, "Paris", "exchangeParis"},
    {602, 0, "Philippines", "exchangePhilippines"},
    {753, 0, "Santiago", "exchangeSantiago"},
    {754, 0, "Sao Paolo", "exchangeSaoPaolo"},
    {503, 0, "Shanghai", "exchangeShanghai"},
    {504, 0, "Shenzhen", "exchangeShenzhen"},
    {502, 0, "Singapore", "exchangeSingapore"},
    {306, 0, "Stockholm", "exchangeStockholm"},
    {319, 0, "Stuttgart", "exchangeStuttgart"},
    {600, 0, "Taiwan", "exchangeTaiwan"},
    {601, 0, "Taiwan OTC", "exchangeTaiwanOTC"},
    {350, 0, "Tel Aviv", "exchangeTelAviv"},
    {603, 0, "Thailand", "exchangeThailand"},
    {500, 0, "Tokyo", "exchangeTokyo"},
    {320, 0, "Valencia", "exchangeValencia"},
    {323, 0, "Vienna", "exchangeVienna"},
    {326, 0, "Virt X", "exchangeVirtX"},
    {321, 0, "Xetra", "exchangeXetra"},
    {307, 0, "Zurich", "exchangeZurich"},
    {800, 0, "Island ECN", "exchangeIsland_ECN"},
    {801, 0, "Instinet_ECN", "exchangeInstinet_ECN"},
    {850, 0, "Nordic Growth Market", "exchangeNGM"},
    {851, 0, "AktieTorget", "exchangeAktieTorget"},
    {900, 0, "Unknown", "exchangeUnknown"},
    {999, 0, "Unknown", "exchangeUnknown"},
};

const tIndexEntry IndexTable[] = {
    {100, "Dow Jones Industrial"},
    {101, "Dow Jones Utilities"},
    {102, "Dow Jones Transport"},
    {103, "Dow Jones Composite"},
    {104, "S&P 500"},
    {105, "S&P 100"},
    {106, "NASDAQ Composite"},
    {107, "AMEX Composite"},
    {109, "Russell 2000"},
    {108, "Russell 1000"},
    {200, "Canada (S&P/TSX 300)"},
    {201, "United Kingdom (FTSE 100)"},
    {202, "Germany (DAX)"},
    {203, "France (CAC 40)"},
    {204, "Italy (MIBTel)"},
    {205, "Hong Kong (Hang Seng)"},
    {206, "Japan (Nikkei 225)"},
    {300, "Argentina (MerVal)"},
    {301, "Brazil (Bovespa)"},
    {302, "Chile (IGPA)"},
    {303, "Mexico (IPC)"},
    {304, "Peru (Lima General)"},
    {305, "Venezuela (IBC)"},
    {400, "Australia (All Ordinaries)"},
    {401, "China (Shanghai Comp.)"},
    {402, "India (BSE 30)"},
    {403, "Indonesia (Jakarta Comp.)"},
    {404, "Malaysia (KLSE Comp.)"},
    {405, "New Zealand (NZSE 40)"},
    {406, "Pakistan (Karachi 100)"},
    {407, "Philippines (PSE Comp.)"},
    {408, "Singapore (Straits Times)"},
    {409, "South Korea (Seoul Comp.)"},
    {410, "Sri Lanka (All Share)"},
    {411, "Thailand (SET)"},
    {500, "Austria (ATX)"},
    {501, "Belgium (BEL-20)"},
    {502, "Czech Republic (PX50)"},
    {503, "Denmark (KFX)"},
    {504, "Finland (Helsinki General)"},
    {505, "Greece (General Share)"},
    {506, "Hungary (BUX)"},
    {507, "Netherlands (AEX General)"},
    {508, "Norway (Total Share)"},
    {509, "Portugal (BVL 30)"},
    {510, "Russia (Moscow Times)"},
    {511, "Slovakia (SAX)"},
    {512, "Spain (Madrid General)"},
    {513, "Sweden (Stockholm General)"},
    {514, "Switzerland (Swiss Market)"},
    {515, "Turkey (ISE National-100)"},
    {600, "Egypt (CMA)"},
    {601, "Israel (TA-100)"},
    {602, "South Africa (J'berg All Share)"},
    {999, "Unknown"},
};

const tIndexDefinition IndexDefinitions[] = {
    {100, "^DJI", "Dow Jones Industrial"},
    {101, "^DJU", "Dow Jones Utilities"},
    {102, "^DJT", "Dow Jones Transport"},
    {103, "^DJA", "Dow Jones Composite"},
    {104, "^SPC", "S&P 500"},
    {105, "^OEX", "S&P 100"},
    {106, "^IXIC", "NASDAQ Composite"},
    {107, "^XAX", "AMEX Composite"},
    {109, "^RUT", "Russell 2000"},
    {108, "^RUI", "Russell 1000"},
    {200, "^GSPTSE", "S&P/TSX 300"},
    {201, "^FTSE", "FTSE 100"},
    {202, "^GDAX", "DAX"},
    {203, "^FCHI", "CAC 40"},
    {204, "^CMMG", "MIBTel"},
    {205, "^HSI", "Hang Seng"},
    {206, "^N225", "Nikkei 225"},
    {300, "^MERV", "MerVal"},
    {301, "^BVSP", "Bovespa"},
    {302, "^IGPA", "IGPA"},
    {303, "^MXX", "IPC"},
    {304, "^IGRA", "Lima General"},
    {305, "^IBC", "IBC"},
    {400, "^AORD", "All Ordinaries"},
    {401, "^SSEC", "Shanghai Composite"},
    {402, "^BSESN", "BSE 30"},
    {403, "^JKSE", "Jakarta Composite"},
    {404, "^KLSE", "KLSE Composite"},
    {405, "^NZ40", "NZSE 40"},
    {406, "^KSE", "Karachi 100"},
    {407, "^PSI", "PSE Composite"},
    {408, "^STI", "Straits Times"},
    {409, "^KS11", "Seoul Composite"},
    {410, "^CSE", "All Share"},
    {411, "^SETI", "SET"},
    {500, "^ATX", "ATX"},
    {501, "^BFX", "BEL-20"},
    {502, "^PX50", "PX50"},
    {503, "^KFX", "KFX"},
    {504, "^HEX", "Helsinki General"},
    {505, "^ATG", "General Share"},
    {506, "^BUX", "BUX"},
    {507, "^AEX", "AEX General"},
    {508, "^NTOT", "Total Share"},
    {509, "^BVL30", "BVL 30"},
    {510, "^MTMS", "Moscow Times"},
    {511, "^SAX", "SAX"},
    {512, "^SMSI", "Madrid General"},
    {513, "^SFOG", "Stockholm General"},
    {514, "^SSMI", "Swiss Market"},
    {515, "^XU100", "ISE National-100"},
    {600, "^CCSI", "CMA"},
    {601, "^TA100", "ISE TA-100"},
    {602, "^JSAI", "Johannesburg All Share"},
    {999, "Unknown", "Unknown"},
};

namespace
{

// Empties the buffer, then copies at most size - 1 characters and the terminator.
bool CopyName(const char* text, char* buffer, int size)
{
	SignalIf_(buffer == nullptr);
	if (buffer == nullptr || size < 1)
		return false;
	buffer[0] = 0;
	if (text != nullptr)
		strcpyn(buffer, text, size - 1);
	return true;
}

// The last row with that code, as the name lookups have always taken it.
template <class Row> const Row* FindLast(const Row* table, UInt16 id)
{
	const Row* found = nullptr;
	for (const Row* row = table; row->id != kEndOfTable; row++)
		if (row->id == id)
			found = row;
	return found;
}

} // namespace

bool TExchange::ExchangeUsesFractions(tStockExchange exchange)
{
	for (const tExchangeEntry* row = ExchangeTable; row->id != kEndOfTable; row++)
		if (row->id == exchange)
			return row->fractions != 0;
	return false;
}

void TExchange::GetExchangeName(tStockExchange exchange, char* name, int size)
{
	const tExchangeEntry* row = FindLast(ExchangeTable, exchange);
	CopyName(row != nullptr ? row->name : nullptr, name, size);
}

void TExchange::GetExchangeDragName(tStockExchange exchange, char* name, int size)
{
	const tExchangeEntry* row = FindLast(ExchangeTable, exchange);
	CopyName(row != nullptr ? row->dragName : nullptr, name, size);
}

void TExchange::GetIndexName(tIndex index, char* name, int size)
{
	const tIndexEntry* row = FindLast(IndexTable, index);
	CopyName(row != nullptr ? row->name : nullptr, name, size);
}

void TExchange::GetIndexDefinition(tIndex index, char* name, int nameSize, char* symbol, int symbolSize)
{
	const tIndexDefinition* row = FindLast(IndexDefinitions, index);
	CopyName(row != nullptr ? row->shortName : nullptr, name, nameSize);
	// The symbol buffer is emptied too, so that an unknown index never leaves a stale symbol behind.
	CopyName(row != nullptr ? row->symbol : nullptr, symbol, symbolSize);
}
