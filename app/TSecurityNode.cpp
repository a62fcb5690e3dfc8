#include "app/TSecurityNode.h"

#include "model/TSecurity.h"

#include <string>

TSecurityNode::TSecurityNode(TSecurity* security, UInt32 ref) : mSecurity(security)
{
	mRef = ref;
	const std::string text = std::string(security->SecurityName()) + " " + security->SecuritySymbol();
	SetDescription(text.c_str());
}

bool TSecurityNode::GetActive(unsigned long tickerID)
{
	return mSecurity != nullptr && mSecurity->IsActiveTicker(tickerID);
}

void TSecurityNode::SetActive(unsigned long tickerID, bool active)
{
	if (mSecurity == nullptr)
		return;
	if (active)
		mSecurity->AddTicklet(tickerID, nullptr);
	else
		mSecurity->RemoveTicklet(tickerID, nullptr);
}
