#pragma once
// Told when the currency conversion rates change.

class TCurrencyWatcher
{
public:
	virtual ~TCurrencyWatcher() = default;

	virtual void UpdateCurrency() {}
};
