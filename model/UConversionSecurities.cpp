// The former product's settings and security files: reading them into the conversion's buffer and lists,
// and writing the current files from those.

#include "foundation/UIntelConversion.h"
#include "model/TByteReader.h"
#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/UConversion.h"
#include "model/USecurityFile.h"
#include "model/USecurityRecord.h"

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

tStockTickerPrefs UConversion::sPrefs;
TList<TSecurity>* UConversion::sStocks = nullptr;
TList<TSecurity>* UConversion::sFunds = nullptr;
TList<TSecurity>* UConversion::sIndexes = nullptr;
TList<TSecurity>* UConversion::sCurrencies = nullptr;

namespace
{

using tOldBytes = UConversion::tOldBytes;
using SecurityImage = std::array<unsigned char, tSecurityParameters::kStoredSize>;
using StockImage = std::array<unsigned char, tStockParameters::kStoredSize>;

constexpr std::size_t kBlock1_0 = 132;
constexpr std::size_t kBlock1_1 = 220;
constexpr std::size_t kBlock1_6 = 196;
constexpr std::size_t kBlock2_0 = 316;
constexpr std::size_t kStockBlock1_6 = 28;
constexpr std::size_t kStockBlock2_0 = 16;
constexpr std::size_t kAlert2_0 = 104;
constexpr std::size_t kAlert1_5 = 100;
constexpr std::size_t kTickletEntry = 8;
constexpr tViewType kBannerView = 10;
constexpr tViewType kAlternateBannerView = 11;
// The smallest old record: two empty texts.
constexpr std::size_t kSmallestRecord = 8;

void Copy(unsigned char* to, tOldBytes from, std::size_t fromAt, std::size_t count)
{
	std::memcpy(to, from.data() + fromAt, count);
}

UInt16 GetU16(tOldBytes from, std::size_t at)
{
	return UInt16(from[at] << 8 | from[at + 1]);
}

bool ReadText(TByteReader& reader, std::string* text)
{
	UInt32 length = 0;
	if (!reader.ReadU32(&length))
		return false;
	const tOldBytes bytes = reader.Take(length);
	if (reader.Failed())
		return false;
	const char* chars = reinterpret_cast<const char*>(bytes.data());
	text->assign(chars, strnlen(chars, bytes.size()));
	return true;
}

bool ReadNames(TByteReader& reader, TSecurity* security)
{
	std::string symbol, name;
	if (!ReadText(reader, &symbol) || !ReadText(reader, &name))
		return false;
	security->SecuritySymbol(symbol.c_str());
	security->SecurityName(name.c_str());
	return true;
}

// The security's parameters as their stored image: changed there, then taken back with the two dates.
class StSecurityImage
{
public:
	explicit StSecurityImage(TSecurity* security) : mSecurity(security)
	{
		tSecurityParameters parameters = *security->AllParameters();
		UIntelConversion::ConvertSecurity(mImage, &parameters, false);
	}
	~StSecurityImage()
	{
		tSecurityParameters parameters;
		UIntelConversion::ConvertSecurity(mImage, &parameters, true);
		mSecurity->AllParameters(&parameters);
		TVyDate date;
		UConversion::TranslateDate(tOldBytes(mImage.data() + 2, 14), &date);
		mSecurity->LastUpdate(&date);
		UConversion::TranslateDate(tOldBytes(mImage.data() + 52, 14), &date);
		mSecurity->CurrentTradeUpdate(&date);
	}
	StSecurityImage(const StSecurityImage&) = delete;
	StSecurityImage& operator=(const StSecurityImage&) = delete;

	unsigned char* At(std::size_t offset) { return mImage.data() + offset; }

private:
	TSecurity* mSecurity;
	SecurityImage mImage{};
};

class StStockImage
{
public:
	explicit StStockImage(TStock* stock) : mStock(stock)
	{
		UIntelConversion::ConvertStocks(mImage, stock->StockParameters(), false);
	}
	~StStockImage() { UIntelConversion::ConvertStocks(mImage, mStock->StockParameters(), true); }
	StStockImage(const StStockImage&) = delete;
	StStockImage& operator=(const StStockImage&) = delete;

	unsigned char* At(std::size_t offset) { return mImage.data() + offset; }

private:
	TStock* mStock;
	StockImage mImage{};
};

// The block of 1.5 and 1.6 records: the quote as it is stored now, then the detail window.
bool Restore1_6(TByteReader& reader, TSecurity* security, tOldBytes* alertRecord)
{
	if (!ReadNames(reader, security))
		return false;
	const tOldBytes block = reader.Take(kBlock1_6);
	if (reader.Failed())
		return false;
	StSecurityImage image(security);
	Copy(image.At(0), block, 0, 76);
	*image.At(333) = block[76];
	Copy(image.At(336), block, 80, 8);
	*image.At(344) = block[88];
	*alertRecord = block.subspan(96, kAlert1_5);
	return true;
}

// The stocks of 1.0 and 1.1 share one layout up to the detail window.
bool RestoreStock1_x(TByteReader& reader, TStock* stock, std::size_t size, tOldBytes* block)
{
	if (!ReadNames(reader, stock))
		return false;
	*block = reader.Take(size);
	if (reader.Failed())
		return false;
	const tOldBytes old = *block;
	{
		StSecurityImage image(stock);
		*image.At(0) = old[0];
		*image.At(1) = old[0];
		Copy(image.At(2), old, 4, 14);
		Copy(image.At(16), old, 32, 20);
		Copy(image.At(68), old, 52, 8);
		Copy(image.At(36), old, 60, 16);
		Copy(image.At(52), old, 76, 14);
		*image.At(333) = old[104];
		Copy(image.At(336), old, 108, 8);
		*image.At(344) = old[116];
	}
	StStockImage stockImage(stock);
	Copy(stockImage.At(0), old, 2, 2);
	Copy(stockImage.At(4), old, 92, 12);
	return true;
}

void DefaultAlerts(TStock* stock)
{
	UConversion::DefaultAlert(stock->AlertLosingParameters(), true);
	UConversion::DefaultAlert(stock->AlertGainingParameters(), false);
	stock->OverrideLosingAlert(false);
	stock->OverrideGainingAlert(false);
}

bool OnMainTicker(TSecurity* security)
{
	TList<TSecurity::tTickletOwner> walk(security->GetTickletOwners());
	for (auto* owner = walk.GetFirst(); owner != nullptr; owner = walk.GetNext())
		if (owner->tickerID == 0)
			return true;
	return false;
}

// A new security of the kind, with the converted settings' view type for the kind; records that have
// their own replace it.
TSecurity* NewSecurity(tPreferenceFileType kind)
{
	const tStockTickerPrefs* prefs = UConversion::GetPrefs();
	TSecurity* security = nullptr;
	tViewType view = 0;
	switch (kind) {
	case prefsStocks:
		security = new TStock;
		view = prefs->stockViewType;
		break;
	case prefsFunds:
		security = new TFund;
		view = prefs->fundViewType;
		break;
	case prefsIndexes:
		security = new TIndex;
		view = prefs->indexViewType;
		break;
	case prefsCurrencies:
		security = new TCurrency;
		view = prefs->currencyViewType;
		break;
	default:
		return nullptr;
	}
	security->ViewType(view == kBannerView || view == kAlternateBannerView ? view : kDefaultViewType);
	return security;
}

bool RestoreOne(tPreferenceFileType kind, UInt32 tag, TByteReader& reader, TSecurity* security)
{
	const bool v2_0 = tag == UConversion::kTag2_0;
	switch (kind) {
	case prefsStocks: {
		auto* stock = static_cast<TStock*>(security);
		if (tag == UConversion::kTag1_0)
			return UConversion::RestoreStock1_0(reader, stock);
		if (tag == UConversion::kTag1_1)
			return UConversion::RestoreStock1_1(reader, stock);
		return v2_0 ? UConversion::RestoreStock2_0(reader, stock)
		            : UConversion::RestoreStock1_6(reader, stock);
	}
	case prefsFunds:
		return v2_0 ? UConversion::RestoreFund2_0(reader, static_cast<TFund*>(security))
		            : UConversion::RestoreFund1_6(reader, static_cast<TFund*>(security));
	case prefsIndexes:
		return v2_0 ? UConversion::RestoreIndex2_0(reader, static_cast<TIndex*>(security))
		            : UConversion::RestoreIndex1_6(reader, static_cast<TIndex*>(security));
	case prefsCurrencies:
		return UConversion::RestoreCurrency2_0(reader, static_cast<TCurrency*>(security));
	default:
		return false;
	}
}

} // namespace

short UConversion::ReadWholeFile(TVyFile* file, std::vector<unsigned char>* bytes)
{
	file->SetMode(kFileModeRead);
	short err = file->Open();
	if (err != 0) {
		file->Close();
		return err;
	}
	const unsigned long size = file->Size();
	if (size > kLargestFile) {
		file->Close();
		return kVyFileOther;
	}
	bytes->resize(size);
	unsigned long count = size;
	if (size > 0)
		err = file->Read(bytes->data(), &count);
	file->Close();
	if (err == 0 && count != size)
		err = kVyFileEOF;
	return err;
}

bool UConversion::CanConvert(tPreferenceFileType kind, UInt32 tag)
{
	switch (kind) {
	case prefsSettings:
		return tag == kTag1_6 || tag == kTag2_0;
	case prefsStocks:
		return tag == kTag1_0 || tag == kTag1_1 || tag == kTag1_5 || tag == kTag1_6 || tag == kTag2_0;
	case prefsFunds:
	case prefsIndexes:
		return tag == kTag1_5 || tag == kTag1_6 || tag == kTag2_0;
	case prefsCurrencies:
		return tag == kTag2_0;
	default:
		return false;
	}
}

TList<TSecurity>* UConversion::GetList(tPreferenceFileType kind)
{
	switch (kind) {
	case prefsStocks:
		return sStocks;
	case prefsFunds:
		return sFunds;
	case prefsIndexes:
		return sIndexes;
	case prefsCurrencies:
		return sCurrencies;
	default:
		return nullptr;
	}
}

void UConversion::CreateLists()
{
	for (TList<TSecurity>** list : {&sStocks, &sFunds, &sIndexes, &sCurrencies})
		if (*list == nullptr)
			*list = new TList<TSecurity>(false, true);
}

void UConversion::DeleteLists()
{
	for (TList<TSecurity>** list : {&sStocks, &sFunds, &sIndexes, &sCurrencies}) {
		delete *list;
		*list = nullptr;
	}
}

bool UConversion::ReadPreferencesFiles(tPreferenceFileType kind, TVyFile* file, UInt32* tag)
{
	*tag = 0;
	std::vector<unsigned char> bytes;
	if (file == nullptr || ReadWholeFile(file, &bytes) != 0)
		return false;
	TByteReader reader(bytes);
	if (!reader.ReadU32(tag))
		return false;

	if (kind == prefsSettings) {
		const std::size_t size = PrefsRecordSize(*tag);
		const tOldBytes record = reader.Take(size);
		if (reader.Failed())
			return false;
		if (CanConvert(kind, *tag))
			TranslatePrefs(*tag, record, &sPrefs);
		return true;
	}

	TList<TSecurity>* list = GetList(kind);
	if (list == nullptr)
		return false;
	list->Clear();
	if (!CanConvert(kind, *tag))
		return true;
	UInt32 count = 0;
	if (!reader.ReadU32(&count) || count > reader.Remaining() / kSmallestRecord)
		return false;
	for (UInt32 i = 0; i < count; ++i) {
		std::unique_ptr<TSecurity> security(NewSecurity(kind));
		if (!RestoreOne(kind, *tag, reader, security.get()))
			return false;
		list->Append(security.release());
	}
	return true;
}

short UConversion::WritePreferencesFiles(tPreferenceFileType kind, TVyFile* file)
{
	if (file == nullptr)
		return kVyFileBadParam;
	TList<TSecurity>* list = GetList(kind);
	if (kind != prefsSettings && list == nullptr)
		return kVyFileBadParam;
	file->SetMode(kFileModeWrite);
	short err = file->Open();
	if (err != 0) {
		file->Close();
		return err;
	}
	if (kind == prefsSettings) {
		std::array<unsigned char, tStockTickerPrefs::kStoredSize> image{};
		UIntelConversion::ConvertStockPrefs(image, &sPrefs, false);
		err = USecurityRecord::WriteU32(file, kCurrentTag);
		if (err == 0)
			err = file->Write(image.data(), image.size());
	} else {
		err = USecurityFile::WriteSecurities(file, list);
	}
	const short closed = err != 0 ? file->Abandon() : file->Close();
	return err != 0 ? err : closed;
}

bool UConversion::RestoreStock1_0(TByteReader& reader, TStock* stock)
{
	tOldBytes block;
	if (!RestoreStock1_x(reader, stock, kBlock1_0, &block))
		return false;
	stock->OverrideQuoter(false);
	stock->Quoter(kNoQuoter);
	DefaultAlerts(stock);
	return true;
}

bool UConversion::RestoreStock1_1(TByteReader& reader, TStock* stock)
{
	tOldBytes block;
	if (!RestoreStock1_x(reader, stock, kBlock1_1, &block))
		return false;
	stock->OverrideQuoter(block[117] != 0);
	stock->Quoter(OSType(GetU16(block, 118)) << 16 | GetU16(block, 120)); // unaligned in the block
	// Where the 1.1 alert record sits in the block is not known: the alerts start as defaults.
	DefaultAlerts(stock);
	return true;
}

bool UConversion::RestoreStock1_6(TByteReader& reader, TStock* stock)
{
	tOldBytes alertRecord;
	if (!Restore1_6(reader, stock, &alertRecord))
		return false;
	tAlertParameters losing, gaining;
	TranslateAlert(alertRecord, &losing, &gaining);
	stock->AlertLosingParameters(&losing);
	stock->AlertGainingParameters(&gaining);
	stock->OverrideLosingAlert(losing.enabled != 0);
	stock->OverrideGainingAlert(gaining.enabled != 0);
	const tOldBytes block = reader.Take(kStockBlock1_6);
	if (reader.Failed())
		return false;
	StStockImage image(stock);
	Copy(image.At(0), block, 0, 2);
	Copy(image.At(4), block, 16, 12);
	return true;
}

bool UConversion::RestoreStock2_0(TByteReader& reader, TStock* stock)
{
	if (!RestoreSecurity2_0(reader, stock))
		return false;
	const tOldBytes block = reader.Take(kStockBlock2_0);
	if (reader.Failed())
		return false;
	StStockImage image(stock);
	Copy(image.At(0), block, 0, kStockBlock2_0);
	return true;
}

bool UConversion::RestoreFund1_6(TByteReader& reader, TFund* fund)
{
	tOldBytes alertRecord;
	return Restore1_6(reader, fund, &alertRecord);
}

bool UConversion::RestoreFund2_0(TByteReader& reader, TFund* fund)
{
	return RestoreSecurity2_0(reader, fund);
}

bool UConversion::RestoreIndex1_6(TByteReader& reader, TIndex* index)
{
	tOldBytes alertRecord;
	return Restore1_6(reader, index, &alertRecord);
}

bool UConversion::RestoreIndex2_0(TByteReader& reader, TIndex* index)
{
	if (!RestoreSecurity2_0(reader, index))
		return false;
	const tOldBytes block = reader.Take(2);
	if (reader.Failed())
		return false;
	index->Index(GetU16(block, 0));
	return true;
}

bool UConversion::RestoreCurrency2_0(TByteReader& reader, TCurrency* currency)
{
	if (!RestoreSecurity2_0(reader, currency))
		return false;
	const tOldBytes block = reader.Take(4);
	if (reader.Failed())
		return false;
	currency->CurrencyFrom(GetU16(block, 0));
	currency->CurrencyTo(GetU16(block, 2));
	return true;
}

bool UConversion::RestoreSecurity2_0(TByteReader& reader, TSecurity* security)
{
	if (!ReadNames(reader, security))
		return false;
	const tOldBytes block = reader.Take(kBlock2_0);
	UInt32 ticklets = 0;
	if (!reader.ReadU32(&ticklets) || ticklets > reader.Remaining() / kTickletEntry)
		return false;
	reader.Take(ticklets * kTickletEntry);
	{
		StSecurityImage image(security);
		Copy(image.At(0), block, 0, 88);
		tAlertParameters alert;
		TranslateAlert(block.subspan(88, kAlert2_0), &alert);
		UIntelConversion::ConvertAlert(std::span<unsigned char, tAlertParameters::kStoredSize>(
		                                   image.At(88), tAlertParameters::kStoredSize),
		                               &alert, false);
		*image.At(208) = block[192];
		TranslateAlert(block.subspan(196, kAlert2_0), &alert);
		UIntelConversion::ConvertAlert(std::span<unsigned char, tAlertParameters::kStoredSize>(
		                                   image.At(212), tAlertParameters::kStoredSize),
		                               &alert, false);
		Copy(image.At(332), block, 300, 2);
		Copy(image.At(336), block, 304, 8);
		*image.At(344) = block[312];
	}
	// The old entries name tickers that no longer exist: the security goes on the main ticker, once.
	if (ticklets > 0 && !OnMainTicker(security))
		security->GetTickletOwners()->Append(new TSecurity::tTickletOwner{0, nullptr});
	return true;
}
