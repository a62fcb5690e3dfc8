#pragma once
// The securities plug-in's content tree, offered to tickers as 'iCnT'. A security's leaf keeps its
// reference across rebuilds; a security that goes takes its reference with it, and a later security never
// gets it again, even at the same address.

#include "Includes/IContentTree.h"
#include "Includes/TList.h"
#include "Includes/TSecurityWatcher.h"
#include "app/TRootNode.h"

#include <map>

class TSecurity;

class TStockContentTree : public IContentTree, private TSecurityWatcher
{
public:
	TStockContentTree();
	~TStockContentTree() override;

	TStockContentTree(const TStockContentTree&) = delete;
	TStockContentTree& operator=(const TStockContentTree&) = delete;

	UInt32 GetTreeSeed() override { return mSeed; }
	IContentDescription* GetRootNode() override { return &mRoot; }

	void SetList(tSecurityType kind, TList<TSecurity>* list);
	void UpdateTree();

private:
	UInt32 RefOf(TSecurity* security);
	void Remove(TSecurity* security) override;

	UInt32 mSeed = 1;
	TRootNode mRoot;
	std::map<TSecurity*, UInt32> mRefs;
	// Leaf references start above those of the root and the groups.
	UInt32 mNextRef = 0x100;
};
