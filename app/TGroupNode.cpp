#include "app/TGroupNode.h"

#include "app/TSecurityNode.h"
#include "model/TSecurity.h"

TGroupNode::TGroupNode(UInt32 ref, RefOf refOf) : mRefOf(std::move(refOf))
{
	mRef = ref;
}

TGroupNode::~TGroupNode() = default;

IContentDescription* TGroupNode::GetChild(short index)
{
	if (index < 0 || size_t(index) >= mChildren.size())
		return nullptr;
	return mChildren[size_t(index)].get();
}

void TGroupNode::RebuildChildren()
{
	mChildren.clear();
	if (mList == nullptr)
		return;
	for (tListNode<TSecurity>* node = mList->GetEntryHead(); node != nullptr; node = node->mNext)
		mChildren.push_back(std::make_unique<TSecurityNode>(node->mItem, mRefOf(node->mItem)));
	for (const tActiveTicker& entry : mActive) {
		if (entry.active == 0)
			continue;
		for (auto& child : mChildren)
			if (!child->GetActive(entry.tickerID))
				child->SetActive(entry.tickerID, true);
	}
}

void TGroupNode::ForgetSecurity(TSecurity* security)
{
	for (auto& child : mChildren)
		if (child->GetSecurity() == security)
			child->ForgetSecurity();
}
