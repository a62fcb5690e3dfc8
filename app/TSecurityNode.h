#pragma once
// A leaf of the content tree: one security, active on a ticker exactly when it has a ticklet there.

#include "app/TNode.h"

class TSecurity;

class TSecurityNode : public TNode
{
public:
	TSecurityNode(TSecurity* security, UInt32 ref);

	bool GetActive(unsigned long tickerID) override;
	void SetActive(unsigned long tickerID, bool active) override;

	TSecurity* GetSecurity() const { return mSecurity; }
	// The security went: the node stands for nothing until the next rebuild drops it.
	void ForgetSecurity() { mSecurity = nullptr; }

private:
	TSecurity* mSecurity;
};
