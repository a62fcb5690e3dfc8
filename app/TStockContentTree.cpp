#include "app/TStockContentTree.h"

#include "model/StockGlobals.h"
#include "model/TSecurity.h"

TStockContentTree::TStockContentTree() : mRoot([this](TSecurity* security) { return RefOf(security); }) {}

TStockContentTree::~TStockContentTree()
{
	for (auto& [security, ref] : mRefs)
		security->RemoveWatcher(this);
}

void TStockContentTree::SetList(tSecurityType kind, TList<TSecurity>* list)
{
	TGroupNode* group = mRoot.GetGroup(kind);
	if (group == nullptr)
		return;
	group->SetList(list);
	group->SetDescription(GetStockCString(1 + (kind - securityStock)));
}

void TStockContentTree::UpdateTree()
{
	++mSeed;
	mRoot.RebuildChildren();
}

UInt32 TStockContentTree::RefOf(TSecurity* security)
{
	const auto found = mRefs.find(security);
	if (found != mRefs.end())
		return found->second;
	security->AddWatcher(this);
	const UInt32 ref = mNextRef++;
	mRefs.emplace(security, ref);
	return ref;
}

void TStockContentTree::Remove(TSecurity* security)
{
	mRefs.erase(security);
	mRoot.ForgetSecurity(security);
}
