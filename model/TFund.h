#pragma once
// A mutual fund: a security with nothing of its own.

#include "model/TSecurity.h"

class TFund : public TSecurity
{
public:
	TFund();

	TFund& operator=(const TFund& other);

	void Copy(TSecurity* other) override;
};
