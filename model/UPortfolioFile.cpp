#include "model/UPortfolioFile.h"

#include "foundation/TVyFile.h"
#include "foundation/TVyFileUtils.h"
#include "foundation/UIntelConversion.h"
#include "foundation/VyStrings.h"
#include "model/UConversion.h"
#include "model/UZVUtils.h"
#include "platform/toolbox/Debugging.h"

#include <cstring>
#include <span>
#include <vector>

UPortfolioFile::tConverter UPortfolioFile::sConverter = nullptr;

namespace
{

constexpr UInt8 kPasswordSeed = 0x5A;

void PutU32(std::vector<unsigned char>& image, UInt32 value)
{
	for (int shift = 24; shift >= 0; shift -= 8)
		image.push_back((unsigned char)(value >> shift));
}

UInt32 GetU32(const unsigned char* bytes)
{
	return UInt32(bytes[0]) << 24 | UInt32(bytes[1]) << 16 | UInt32(bytes[2]) << 8 | UInt32(bytes[3]);
}

template <class T, std::size_t N>
void PutRecord(std::vector<unsigned char>& image, T* record,
               void (*convert)(std::span<unsigned char, N>, T*, bool))
{
	const std::size_t at = image.size();
	image.resize(at + N);
	convert(std::span<unsigned char, N>(image.data() + at, N), record, false);
}

template <class T, std::size_t N>
void PutList(std::vector<unsigned char>& image, TList<T>* list,
             void (*convert)(std::span<unsigned char, N>, T*, bool))
{
	PutU32(image, list != nullptr ? UInt32(list->Count()) : 0);
	if (list == nullptr)
		return;
	TList<T> walk(list);
	for (T* item = walk.GetFirst(); item != nullptr; item = walk.GetNext())
		PutRecord(image, item, convert);
}

// Reads a count and that many records; the count must fit the bytes that are left.
template <class T, std::size_t N>
short GetList(std::span<const unsigned char>& rest, TList<T>* list,
              void (*convert)(std::span<unsigned char, N>, T*, bool))
{
	if (rest.size() < 4)
		return kVyFileEOF;
	const UInt32 count = GetU32(rest.data());
	rest = rest.subspan(4);
	if (count > rest.size() / N)
		return kPortfolioDamaged;
	for (UInt32 i = 0; i < count; ++i) {
		unsigned char stored[N];
		std::memcpy(stored, rest.data(), N);
		T record;
		convert(std::span<unsigned char, N>(stored, N), &record, true);
		list->Append(&record);
		rest = rest.subspan(N);
	}
	return 0;
}

short ReadAt(TVyFile* file, unsigned long at, unsigned char* bytes, unsigned long count)
{
	file->Seek(kSeekAbsolute, at);
	unsigned long read = count;
	const short err = file->Read(bytes, &read);
	return err != 0 ? err : read == count ? short(0) : short(kVyFileEOF);
}

// The whole file of the open portfolio, once its tag and counts have shown that they account for every
// byte of it: a file of another kind, or a large one that its counts do not explain, is not read into
// memory.
short ReadImage(TVyFile* file, std::vector<unsigned char>* image)
{
	const unsigned long size = file->Size();
	unsigned char head[UPortfolioFile::kEmptySize - 4];
	if (size < 4)
		return kVyFileEOF;
	if (short err = ReadAt(file, 0, head, 4); err != 0)
		return err;
	if (const UInt32 tag = GetU32(head); tag != UPortfolioFile::kTag)
		return tag == UPortfolioFile::kOldTag ? kPortfolioOldFormat : kPortfolioWrongTag;
	if (size > UConversion::kLargestFile)
		return kPortfolioDamaged;
	if (size < sizeof(head))
		return kVyFileEOF;
	if (short err = ReadAt(file, 0, head, sizeof(head)); err != 0)
		return err;
	const UInt64 ledgerCountAt =
	    sizeof(head) + UInt64(GetU32(head + sizeof(head) - 4)) * tCategory::kStoredSize;
	if (ledgerCountAt + 4 > size)
		return kPortfolioDamaged;
	unsigned char count[4];
	if (short err = ReadAt(file, (unsigned long)ledgerCountAt, count, sizeof(count)); err != 0)
		return err;
	if (ledgerCountAt + 4 + UInt64(GetU32(count)) * tLedgerEntry::kStoredSize != size)
		return kPortfolioDamaged;

	image->resize(size);
	return ReadAt(file, 0, image->data(), size);
}

} // namespace

short UPortfolioFile::SavePortfolio(TVyFile* file, const tPortfolioParameters* parameters,
                                    TList<tCategory>* categories, TList<tLedgerEntry>* ledger)
{
	SignalIf_(file == nullptr || parameters == nullptr);
	if (file == nullptr || parameters == nullptr)
		return kVyFileBadParam;

	std::vector<unsigned char> image;
	image.reserve(kEmptySize + (categories ? categories->Count() : 0) * tCategory::kStoredSize +
	              (ledger ? ledger->Count() : 0) * tLedgerEntry::kStoredSize);
	PutU32(image, kTag);
	// The password is scrambled in a copy: the one in memory stays plain.
	tPortfolioParameters stored = *parameters;
	if (stored.passwordSet)
		ScramblePassword(stored.password);
	PutRecord(image, &stored, &UIntelConversion::ConvertPortfolio);
	PutList(image, categories, &UIntelConversion::ConvertCategory);
	PutList(image, ledger, &UIntelConversion::ConvertLedgerEntry);

	return TVyFileUtils::ReplaceFile(file, kFileType, kCreator, image.data(), image.size());
}

short UPortfolioFile::ReadTag(TVyFile* file, UInt32* tag)
{
	SignalIf_(file == nullptr || tag == nullptr);
	if (file == nullptr || tag == nullptr)
		return kVyFileBadParam;
	file->SetMode(kFileModeRead);
	short err = file->Open();
	if (err != 0)
		return err;
	unsigned char bytes[4] = {};
	unsigned long count = sizeof(bytes);
	err = file->Read(bytes, &count);
	file->Close();
	if (err == 0 && count != sizeof(bytes))
		err = kVyFileEOF;
	if (err == 0)
		*tag = GetU32(bytes);
	return err;
}

short UPortfolioFile::ReadPortfolio(TVyFile* file, tPortfolioParameters* parameters,
                                    TList<tCategory>* categories, TList<tLedgerEntry>* ledger)
{
	SignalIf_(file == nullptr || parameters == nullptr || categories == nullptr || ledger == nullptr);
	if (file == nullptr || parameters == nullptr || categories == nullptr || ledger == nullptr)
		return kVyFileBadParam;
	file->SetMode(kFileModeRead);
	short err = file->Open();
	if (err != 0)
		return err;
	std::vector<unsigned char> image;
	err = ReadImage(file, &image);
	file->Close();
	if (err != 0)
		return err;

	std::span<const unsigned char> rest(image.data() + 4, image.size() - 4);
	if (rest.size() < tPortfolioParameters::kStoredSize)
		return kVyFileEOF;
	unsigned char stored[tPortfolioParameters::kStoredSize];
	std::memcpy(stored, rest.data(), sizeof(stored));
	UIntelConversion::ConvertPortfolio(stored, parameters, true);
	if (parameters->passwordSet)
		UnscramblePassword(parameters->password);
	rest = rest.subspan(tPortfolioParameters::kStoredSize);
	if (err = GetList(rest, categories, &UIntelConversion::ConvertCategory); err != 0)
		return err;
	return GetList(rest, ledger, &UIntelConversion::ConvertLedgerEntry);
}

void UPortfolioFile::DefaultParameters(tPortfolioParameters* parameters, tCurrency baseCurrency)
{
	SignalIf_(parameters == nullptr);
	if (parameters == nullptr)
		return;
	tPortfolioParameters& p = *parameters;
	p = tPortfolioParameters{};
	p.carried0 = 10;
	p.baseCurrency = SInt16(baseCurrency);
	p.carried32 = 900;
	p.allDates = 1;
	p.rangeEnd.Now();
	p.rangeStart = p.rangeEnd;
	p.rangeStart.year = 1990;
	p.rangeStart.month = 1;
	p.rangeStart.day = 1;
	strcpyn(p.fontName, "Geneva", long(sizeof(p.fontName)) - 1);
	p.fontNumber = 3;
	p.fontSize = 9;
	p.carried104 = 2;
	p.carried108 = 2;
	p.carried112 = 4;
	p.rowColour = UConversion::BlackColour;
	p.gainColour = UConversion::GreenColour;
	p.lossColour = UConversion::RedColour;
	p.unchangedColour = UConversion::BlueColour;
	p.firstRowColour = UConversion::BlackColour;
	p.secondRowColour = RGBColor{0x32D9, 0x32D9, 0x32D9};
	p.referencePrice = 102;
	p.holdingName = 103;
	UConversion::DefaultAlert(&p.losingAlert, true);
	UConversion::DefaultAlert(&p.gainingAlert, false);
	p.showZeroHoldings = 1;
}

void UPortfolioFile::DefaultCategory(tCategory* category, const char* name)
{
	SignalIf_(category == nullptr);
	if (category == nullptr)
		return;
	*category = tCategory{};
	strcpyn(category->name, name != nullptr ? name : "", long(tCategory::kNameSize) - 2);
	category->enabled = 1;
}

void UPortfolioFile::DefaultEntry(tLedgerEntry* entry, UInt8 type, SInt16 exchange, tCurrency currency)
{
	SignalIf_(entry == nullptr);
	if (entry == nullptr)
		return;
	*entry = tLedgerEntry{};
	entry->date.Now();
	entry->type = type;
	strcpyn(entry->symbol, "XXXX", long(tLedgerEntry::kSymbolSize) - 1);
	entry->exchange = exchange;
	entry->currency = SInt16(currency);
	entry->rate = 1.0f;
	entry->splitFrom = 1.0f;
	entry->splitTo = 2.0f;
	entry->carriedFlag2 = 1;
	entry->enabled = 1;
}

void UPortfolioFile::ScramblePassword(char* password)
{
	if (password == nullptr)
		return;
	UInt8 key = kPasswordSeed;
	for (unsigned char* c = reinterpret_cast<unsigned char*>(password); *c != 0; ++c) {
		*c = (unsigned char)(*c ^ key);
		key = *c;
	}
}

void UPortfolioFile::UnscramblePassword(char* password)
{
	if (password == nullptr)
		return;
	UInt8 key = kPasswordSeed;
	for (unsigned char* c = reinterpret_cast<unsigned char*>(password); *c != 0; ++c) {
		const UInt8 scrambled = *c;
		*c = (unsigned char)(scrambled ^ key);
		key = scrambled;
	}
}

bool UPortfolioFile::IsPasswordStorable(const char* password)
{
	if (password == nullptr)
		return false;
	const std::size_t length = std::strlen(password);
	if (length > kMaxPasswordLength)
		return false;
	// A character equal to the key at its place scrambles to a zero, which would end the stored text.
	UInt8 key = kPasswordSeed;
	for (std::size_t i = 0; i < length; ++i) {
		const UInt8 c = UInt8(password[i]);
		if (c == key)
			return false;
		key = UInt8(c ^ key);
	}
	return true;
}

void UPortfolioFile::AssignSignature(TList<tCategory>* categories, tCategory* category)
{
	SignalIf_(category == nullptr);
	if (category == nullptr || category->signature != 0)
		return;
	auto taken = [&](UInt32 signature) {
		if (categories == nullptr)
			return false;
		TList<tCategory> walk(categories);
		for (tCategory* other = walk.GetFirst(); other != nullptr; other = walk.GetNext())
			if (other != category && other->signature == signature)
				return true;
		return false;
	};
	UInt32 signature = UZVUtils::GetCategorySignature(category->name);
	while (signature == 0 || taken(signature))
		++signature;
	category->signature = signature;
}
