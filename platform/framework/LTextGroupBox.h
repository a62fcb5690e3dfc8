#pragma once
// A titled box drawn through the port around the panes laid out inside it.

#include "platform/framework/LView.h"

class LTextGroupBox : public LView
{
public:
	enum { class_ID = FOUR_CHAR_CODE("tgbx") };

	// Reads the pane's data, then: title (length-prefixed), text traits (16).
	explicit LTextGroupBox(LStream* inStream);

	void SetDescriptor(ConstStr255Param inDescriptor) override;
	StringPtr GetDescriptor(Str255 outDescriptor) const override;

protected:
	void DrawSelf() override;

private:
	Str255 mTitle = {0};
	ResIDT mTxtrID = 0;
};
