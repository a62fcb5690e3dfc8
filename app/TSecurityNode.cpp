#include "app/TSecurityNode.h"

#include "Includes/ITicker.h"
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
	if (!active)
		mSecurity->RemoveTicklet(tickerID, nullptr);
	else if (GetTickerByID(tickerID) != nullptr)
		mSecurity->AddTicklet(tickerID, nullptr);
	else if (TickerExists(tickerID) && !mSecurity->IsActiveTicker(tickerID))
		// The ticker is closed: the choice is kept on the security, and the ticklet comes when it
		// opens. A ticker that does not exist gets no record.
		mSecurity->GetTickletOwners()->Append(
		    new TSecurity::tTickletOwner{UInt32(tickerID), nullptr});
}
