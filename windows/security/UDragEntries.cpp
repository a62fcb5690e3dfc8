#include "windows/security/UDragEntries.h"

#include "model/TCurrency.h"
#include "model/TCurrencyConversion.h"
#include "model/TExchange.h"
#include "model/TSecurity.h"
#include "model/TStock.h"

#include <cstring>

namespace
{
constexpr tStockExchange kOtherExchange = 900;
constexpr int kDragNameSize = 128;

void CopyCut(char* out, const char* text, int size)
{
	std::strncpy(out, text != nullptr ? text : "", size_t(size - 1));
	out[size - 1] = 0;
}
} // namespace

tDragEntry UDragEntries::MakeEntry(TSecurity* security)
{
	tDragEntry entry;
	entry.kind = security->Type();
	CopyCut(entry.symbol, security->SecuritySymbol(), tDragEntry::kSymbolSize);
	CopyCut(entry.name, security->SecurityName(), tDragEntry::kNameSize);
	auto* stock = entry.kind == securityStock ? dynamic_cast<TStock*>(security) : nullptr;
	entry.exchange = stock != nullptr ? stock->Exchange() : kOtherExchange;
	return entry;
}

std::string UDragEntries::TextLine(TSecurity* security)
{
	std::string line = std::string(security->SecuritySymbol()) + "\t" + security->SecurityName() + "\t";
	char first[kDragNameSize] = {};
	char second[kDragNameSize] = {};
	switch (security->Type()) {
	case securityStock:
		if (auto* stock = dynamic_cast<TStock*>(security))
			TExchange::GetExchangeDragName(stock->Exchange(), first, kDragNameSize);
		return line + first + "\n";
	case securityFund:
		return line + "fundUnknown\n";
	case securityIndex:
		return line + "indexUnknown\n";
	case securityCurrency:
		if (auto* pair = dynamic_cast<TCurrency*>(security)) {
			TCurrencyConversion::GetCurrencyDragName(pair->CurrencyFrom(), first, kDragNameSize);
			TCurrencyConversion::GetCurrencyDragName(pair->CurrencyTo(), second, kDragNameSize);
		}
		return line + first + "\t" + second + "\n";
	default:
		return std::string();
	}
}

std::vector<UInt8> UDragEntries::Encode(TList<tDragEntry>& entries)
{
	std::vector<UInt8> bytes;
	for (tListNode<tDragEntry>* node = entries.GetEntryHead(); node != nullptr; node = node->mNext) {
		const tDragEntry& entry = *node->mItem;
		bytes.push_back(UInt8(entry.kind >> 8));
		bytes.push_back(UInt8(entry.kind));
		bytes.insert(bytes.end(), entry.symbol, entry.symbol + tDragEntry::kSymbolSize);
		bytes.insert(bytes.end(), entry.name, entry.name + tDragEntry::kNameSize);
		bytes.push_back(UInt8(entry.exchange >> 8));
		bytes.push_back(UInt8(entry.exchange));
	}
	return bytes;
}

bool UDragEntries::Decode(const void* data, Size size, std::vector<tDragEntry>& outEntries)
{
	outEntries.clear();
	if (data == nullptr || size <= 0 || size % tDragEntry::kStoredSize != 0)
		return false;
	const auto* bytes = static_cast<const UInt8*>(data);
	for (Size at = 0; at < size; at += tDragEntry::kStoredSize) {
		const UInt8* record = bytes + at;
		tDragEntry entry;
		entry.kind = tSecurityType((record[0] << 8) | record[1]);
		std::memcpy(entry.symbol, record + 2, tDragEntry::kSymbolSize);
		entry.symbol[tDragEntry::kSymbolSize - 1] = 0;
		std::memcpy(entry.name, record + 2 + tDragEntry::kSymbolSize, tDragEntry::kNameSize);
		entry.name[tDragEntry::kNameSize - 1] = 0;
		const UInt8* exchange = record + tDragEntry::kStoredSize - 2;
		entry.exchange = tStockExchange((exchange[0] << 8) | exchange[1]);
		outEntries.push_back(entry);
	}
	return true;
}

bool UDragEntries::Receive(DragReference drag, ItemReference item, std::vector<tDragEntry>& outEntries)
{
	outEntries.clear();
	DragAttributes attributes = 0;
	if (GetDragAttributes(drag, &attributes) != noErr || !(attributes & kDragInsideSenderApplication))
		return false;
	Size size = 0;
	if (GetFlavorDataSize(drag, item, kDragFlavor, &size) != noErr || size <= 0)
		return false;
	std::vector<UInt8> bytes(static_cast<size_t>(size));
	if (GetFlavorData(drag, item, kDragFlavor, bytes.data(), &size, 0) != noErr)
		return false;
	return Decode(bytes.data(), size, outEntries);
}
