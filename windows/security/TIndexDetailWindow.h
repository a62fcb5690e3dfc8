#pragma once
// The detail window of a market index (layout 5302): the banners, a quote page and three news headlines.

#include "windows/security/TDetailWindow.h"

class TIndex;

class TIndexDetailWindow : public TDetailWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("stID") };
	static constexpr ResIDT kLayoutID = 5302;
	static constexpr ResIDT kPrintoutID = 5310;

	explicit TIndexDetailWindow(LStream* inStream);

	void DoPrint() override;
	void RedoNormalContent() override;
	void SetCurrentSecurity(TSecurity* inSecurity) override;

	TIndex* GetIndex() const { return mIndex; }

private:
	TIndex* mIndex = nullptr;
};
