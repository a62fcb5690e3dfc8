#pragma once
// The detail view of a market index (layouts 5034 and 5035).

#include "windows/security/TDetailView.h"

class TIndex;

class TIndexDetailView : public TDetailView
{
public:
	enum { class_ID = FOUR_CHAR_CODE("indV") };

	explicit TIndexDetailView(LStream* inStream);

	void SetIndex(TIndex* inIndex);
	TIndex* GetIndex() const { return mIndex; }

protected:
	void FinishCreateSelf() override;
	void RedoContentSelf() override;

	LStaticText* mDayOpen = nullptr;
	LStaticText* mDayHigh = nullptr;
	LStaticText* mDayLow = nullptr;
	LStaticText* mPreviousClose = nullptr;
	LStaticText* mYearHigh = nullptr;
	LStaticText* mYearLow = nullptr;
	TIndex* mIndex = nullptr;
};
