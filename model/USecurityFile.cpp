#include "model/USecurityFile.h"

#include "model/TCurrency.h"
#include "model/TFund.h"
#include "model/TIndex.h"
#include "model/TStock.h"
#include "model/USecurityRecord.h"

#include <memory>

const char* USecurityFile::FileName(tSecurityType kind)
{
	switch (kind) {
	case securityStock:
		return "Stock Plug-in Stocks";
	case securityFund:
		return "Stock Plug-in Funds";
	case securityIndex:
		return "Stock Plug-in Indexes";
	case securityCurrency:
		return "Stock Plug-in Currencies";
	default:
		return nullptr;
	}
}

OSType USecurityFile::FileType(tSecurityType kind)
{
	switch (kind) {
	case securityStock:
		return FOUR_CHAR_CODE("zvSF");
	case securityFund:
		return FOUR_CHAR_CODE("zvFF");
	case securityIndex:
		return FOUR_CHAR_CODE("zvIF");
	case securityCurrency:
		return FOUR_CHAR_CODE("zvCF");
	default:
		return 0;
	}
}

TSecurity* USecurityFile::NewSecurity(tSecurityType kind)
{
	switch (kind) {
	case securityStock:
		return new TStock;
	case securityFund:
		return new TFund;
	case securityIndex:
		return new TIndex;
	case securityCurrency:
		return new TCurrency;
	default:
		return nullptr;
	}
}

short USecurityFile::WriteSecurities(TVyFile* file, TList<TSecurity>* list)
{
	SignalIf_(file == nullptr || list == nullptr);
	if (file == nullptr || list == nullptr)
		return kVyFileBadParam;
	if (short err = USecurityRecord::WriteU32(file, kTag); err != 0)
		return err;
	if (short err = USecurityRecord::WriteU32(file, UInt32(list->Count())); err != 0)
		return err;
	TList<TSecurity> walk(list);
	for (TSecurity* security = walk.GetFirst(); security != nullptr; security = walk.GetNext()) {
		if (short err = security->Backup(file); err != 0)
			return err;
	}
	return 0;
}

short USecurityFile::ReadSecurities(TVyFile* file, tSecurityType kind, TList<TSecurity>* list)
{
	SignalIf_(file == nullptr || list == nullptr || FileName(kind) == nullptr);
	if (file == nullptr || list == nullptr || FileName(kind) == nullptr)
		return kVyFileBadParam;
	UInt32 tag = 0, count = 0;
	if (short err = USecurityRecord::ReadU32(file, &tag); err != 0)
		return err;
	if (tag != kTag)
		return kVyFileOther;
	if (short err = USecurityRecord::ReadU32(file, &count); err != 0)
		return err;
	// A count beyond what the bytes can hold is a file cut short: the whole records before the cut are
	// kept, and the first record that runs past the end stops the reading.
	for (UInt32 i = 0; i < count; ++i) {
		std::unique_ptr<TSecurity> security(NewSecurity(kind));
		if (short err = security->Restore(file); err != 0)
			return err;
		list->Append(security.release());
	}
	return 0;
}
