#include "app/TNode.h"

#include "foundation/VyStrings.h"

tActiveTicker* TNode::Find(unsigned long tickerID)
{
	for (tActiveTicker& entry : mActive)
		if (entry.tickerID == tickerID)
			return &entry;
	mActive.push_back({UInt32(tickerID), 0});
	return &mActive.back();
}

bool TNode::GetActive(unsigned long tickerID)
{
	return Find(tickerID)->active != 0;
}

void TNode::SetActive(unsigned long tickerID, bool active)
{
	Find(tickerID)->active = active ? 1 : 0;
}

void TNode::SetDescription(const char* text)
{
	strcpyn(mDescription, text, long(sizeof(mDescription)) - 1);
}
