#pragma once
// A market index, predefined or a symbol of the user's own.

#include "model/MarketCodes.h"
#include "model/TSecurity.h"

class TIndex : public TSecurity
{
public:
	static constexpr tIndex kNoIndex = kEndOfTable;

	TIndex();

	TIndex& operator=(const TIndex& other);

	void Copy(TSecurity* other) override;
	short Backup(TVyFile* file) override;
	short Restore(TVyFile* file) override;

	tIndex Index() const { return mIndex; }
	void Index(tIndex index) { mIndex = index; }
	// Reset, and no predefined index.
	void ResetIndex();

private:
	tIndex mIndex = kNoIndex;
};
