#include "app/TRootNode.h"

#include "model/StockGlobals.h"

TRootNode::TRootNode(TGroupNode::RefOf refOf)
{
	mRef = kRootRef;
	SetDescription(GetStockCString(0));
	for (int i = 0; i < 4; ++i)
		mGroups[i] = std::make_unique<TGroupNode>(kRootRef + 1 + UInt32(i), refOf);
}

IContentDescription* TRootNode::GetChild(short index)
{
	if (index < 0 || size_t(index) >= mShown.size())
		return nullptr;
	return mShown[size_t(index)];
}

TGroupNode* TRootNode::GetGroup(tSecurityType kind)
{
	if (kind < securityStock || kind > securityCurrency)
		return nullptr;
	return mGroups[kind - securityStock].get();
}

void TRootNode::RebuildChildren()
{
	mShown.clear();
	if (gPreferences == nullptr)
		return;
	const UInt8 on[4] = {gPreferences->stocksOn, gPreferences->fundsOn, gPreferences->indexesOn,
	                     gPreferences->currenciesOn};
	for (int i = 0; i < 4; ++i) {
		if (on[i] == 0)
			continue;
		mGroups[i]->RebuildChildren();
		mShown.push_back(mGroups[i].get());
	}
}

void TRootNode::ForgetSecurity(TSecurity* security)
{
	for (auto& group : mGroups)
		group->ForgetSecurity(security);
}
