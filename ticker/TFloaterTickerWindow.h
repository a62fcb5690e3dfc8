#pragma once
// A ticker window that floats above the windows of every application (its layouts say so).

#include "ticker/TTickerWindow.h"

class TFloaterTickerWindow : public TTickerWindow
{
public:
	enum { class_ID = FOUR_CHAR_CODE("fwTK") };

	explicit TFloaterTickerWindow(LStream* inStream);
};
