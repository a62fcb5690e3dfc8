#include "model/TIndex.h"

#include "model/StockGlobals.h"
#include "model/USecurityRecord.h"

TIndex::TIndex()
{
	mType = securityIndex;
	mParameters.viewType = gPreferences != nullptr ? gPreferences->indexViewType : kDefaultViewType;
}

TIndex& TIndex::operator=(const TIndex& other)
{
	mIndex = other.mIndex;
	TSecurity::operator=(other);
	return *this;
}

void TIndex::Copy(TSecurity* other)
{
	SignalIf_(other == nullptr || other->Type() != securityIndex);
	TIndex* index = dynamic_cast<TIndex*>(other);
	if (index == nullptr || index == this)
		return;
	SecurityName(index->SecurityName());
	SecuritySymbol(index->SecuritySymbol());
	Index(index->Index());
	AllParameters(index->AllParameters());
}

void TIndex::ResetIndex()
{
	Reset();
	mIndex = kNoIndex;
}

short TIndex::Backup(TVyFile* file)
{
	if (short err = TSecurity::Backup(file); err != 0)
		return err;
	return USecurityRecord::WriteU16(file, mIndex);
}

short TIndex::Restore(TVyFile* file)
{
	tStoredRecord record;
	if (short err = ReadRecord(file, &record); err != 0)
		return err;
	UInt16 index = 0;
	if (short err = USecurityRecord::ReadU16(file, &index); err != 0)
		return err;
	TakeRecord(&record);
	mIndex = index;
	return 0;
}
