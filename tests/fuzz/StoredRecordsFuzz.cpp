// The stored records besides the security files: settings, ticker, portfolio, ledger, category and stock
// records, and the field records of the importer's backups. The first byte picks the record; the rest is its
// stored image (zero-filled when short). A record read, written, read and written again must give the same
// image both times.

#include "foundation/UIntelConversion.h"
#include "foundation/XPlatform/TRecord.h"
#include "tests/fuzz/FuzzSupport.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace
{

template <class Record, std::size_t N>
void RoundTrip(void (*convert)(std::span<unsigned char, N>, Record*, bool), const uint8_t* data,
               std::size_t size)
{
	std::array<unsigned char, N> image{};
	std::copy(data, data + std::min(size, N), image.begin());
	Record record;
	convert(image, &record, true);
	std::array<unsigned char, N> first{}, second{};
	convert(first, &record, false);
	Record again;
	convert(first, &again, true);
	convert(second, &again, false);
	if (first != second)
		std::abort();
}

void RestoreRecord(int fieldCount, const uint8_t* data, std::size_t size)
{
	fuzzsupport::ScratchFile file(data, size);
	TRecord record(fieldCount);
	if (record.Restore(file.File()) != 0)
		return;
	for (int i = 0; i < record.GetNumFields(); i++) {
		// Every field reads as text ending within its bytes.
		long length = 0;
		record.GetField(i, &length);
		const char* text = record.GetCField(i);
		if (text != nullptr && std::strlen(text) > std::size_t(length))
			std::abort();
	}
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
	if (size == 0)
		return 0;
	const uint8_t* image = data + 1;
	const std::size_t length = size - 1;
	switch (data[0] % 9) {
	case 0:
		RoundTrip(&UIntelConversion::ConvertCategory, image, length);
		break;
	case 1:
		RoundTrip(&UIntelConversion::ConvertLedgerEntry, image, length);
		break;
	case 2:
		RoundTrip(&UIntelConversion::ConvertPortfolio, image, length);
		break;
	case 3:
		RoundTrip(&UIntelConversion::ConvertSecurity, image, length);
		break;
	case 4:
		RoundTrip(&UIntelConversion::ConvertStocks, image, length);
		break;
	case 5:
		RoundTrip(&UIntelConversion::ConvertTickerPrefs, image, length);
		break;
	case 6:
		RoundTrip(&UIntelConversion::ConvertKestrunPrefs, image, length);
		break;
	case 7:
		RoundTrip(&UIntelConversion::ConvertStockPrefs, image, length);
		break;
	default:
		RestoreRecord(data[0] / 9 % 8, image, length);
		break;
	}
	return 0;
}
