#include "ticker/TXContentMgr.h"

#include "Includes/IContentTree.h"
#include "Includes/ITickerPlugin.h"
#include "foundation/TListLocker.h"
#include "platform/toolbox/Debugging.h"
#include "ticker/TPluginRoot.h"

#include <cstring>
#include <new>

ITickerPlugin* TXContentMgr::sPlugin = nullptr;

TXContentMgr::~TXContentMgr()
{
	delete mVisible;
}

void TXContentMgr::SetCallback(tCallback callback, void* context)
{
	SignalIf_(callback == nullptr || context == nullptr);
	mCallback = callback;
	mContext = context;
}

void TXContentMgr::SetTickerID(unsigned long id)
{
	mTickerID = UInt32(id);
	if (mVisible)
		mVisible->Clear();
	else
		mVisible = new TList<TContentTreeNode>(false, false);
	RebuildContentTree();
	RedrawList();
}

void TXContentMgr::CheckTrees()
{
	if (RebuildContentTree())
		RedrawList();
}

IContentTree* TXContentMgr::TreeOf(ITickerPlugin* plugin)
{
	IInterface* other = plugin ? plugin->GetOtherInterface(IContentTree::kSignature) : nullptr;
	if (!other || other->GetInterfaceSig() != IContentTree::kSignature)
		return nullptr;
	return static_cast<IContentTree*>(other);
}

TPluginRoot* TXContentMgr::FindRoot(UInt32 signature) const
{
	for (TKsLink* link = mRoots.GetHead(); link; link = link->GetNext())
		if (auto* root = static_cast<TPluginRoot*>(link); root->mSignature == signature)
			return root;
	return nullptr;
}

bool TXContentMgr::RebuildContentTree()
{
	// A pass number rather than the tick count: two passes within one tick must not look alike.
	const UInt32 stamp = ++mPass;
	if (!sPlugin)
		return false;
	bool changed = false;
	if (IContentTree* tree = TreeOf(sPlugin))
		changed = RebuildPluginBranch(stamp, tree, sPlugin->GetPluginSig());
	TListLocker lock(&mRoots);
	if (!lock.IsLocked())
		return changed;
	for (TKsLink* link = mRoots.GetHead(); link;) {
		auto* root = static_cast<TPluginRoot*>(link);
		link = link->GetNext();
		if (root->mStamp != stamp) {
			if (mVisible)
				mVisible->Clear();
			mRoots.Dequeue(root);
			delete root;
			changed = true;
		}
	}
	return changed;
}

bool TXContentMgr::RebuildPluginBranch(UInt32 stamp, IContentTree* tree, UInt32 signature)
{
	bool changed = false;
	tree->Lock();
	TPluginRoot* root = FindRoot(signature);
	if (!root || root->mSeed != tree->GetTreeSeed()) {
		if (!root) {
			root = new (std::nothrow) TPluginRoot(signature, tree->GetTreeSeed());
			if (root)
				mRoots.EnqueueTail(root);
		} else {
			// The visible rows point into the rows about to go.
			if (mVisible)
				mVisible->Clear();
			root->mRootRow.mChildren.Destroy();
			root->mSeed = tree->GetTreeSeed();
		}
		if (root) {
			SInt32 depth = 0;
			std::unordered_set<UInt32> keys;
			RecursiveBuildTree(root, tree->GetRootNode(), &root->mRootRow, depth, keys);
			root->mStates.Retain(keys);
			changed = true;
		}
	}
	if (root)
		root->mStamp = stamp;
	tree->Unlock();
	return changed;
}

void TXContentMgr::RecursiveBuildTree(TPluginRoot* root, IContentDescription* description,
                                      TContentTreeNode* row, SInt32& depth, std::unordered_set<UInt32>& keys)
{
	if (!description)
		return;
	std::strncpy(row->mDescription, description->GetDescription(),
	             TContentTreeNode::kDescriptionSize - 1);
	row->mDescription[TContentTreeNode::kDescriptionSize - 1] = 0;
	row->mReference = description->GetPluginRef();
	row->mDepth = depth++;
	const short count = description->GetNumChildren();
	for (short i = 0; i < count; ++i) {
		IContentDescription* child = description->GetChild(i);
		if (!child)
			continue;
		auto* childRow = new (std::nothrow) TContentTreeNode(row, root);
		if (!childRow)
			continue;
		RecursiveBuildTree(root, child, childRow, depth, keys);
		row->mChildren.EnqueueTail(childRow);
	}
	--depth;
	keys.insert(row->mReference);
	const UInt32 state = row->IsGroup()                      ? kExpanded
	                     : description->GetActive(mTickerID) ? kChecked
	                                                         : kUnchecked;
	root->mStates.Add(row->mReference, state);
	if (row->IsGroup())
		SetParentCheckStates(row);
}

UInt32* TXContentMgr::StateOf(TContentTreeNode* node) const
{
	return node && node->mRoot ? node->mRoot->mStates.Find(node->mReference) : nullptr;
}

TContentTreeNode* TXContentMgr::GetNth(long row) const
{
	return mVisible ? mVisible->GetNth(row) : nullptr;
}

tCheckState TXContentMgr::GetCheckState(TContentTreeNode* node) const
{
	const UInt32* state = StateOf(node);
	return state ? (*state & 3) : kUnchecked;
}

bool TXContentMgr::AreChildrenVisible(TContentTreeNode* node) const
{
	const UInt32* state = StateOf(node);
	return state && (*state & kExpanded) != 0;
}

void TXContentMgr::ToggleChildrenVisible(TContentTreeNode* node)
{
	if (UInt32* state = StateOf(node))
		*state ^= kExpanded;
}

void TXContentMgr::ExpandGroup(TContentTreeNode* node)
{
	if (!node || !node->IsGroup())
		return;
	ToggleChildrenVisible(node);
	RedrawList();
}

void TXContentMgr::CheckNode(TContentTreeNode* node)
{
	SetItemCheckState(node, GetCheckState(node) != kChecked);
}

void TXContentMgr::SetNodeCheckState(TContentTreeNode* node, tCheckState state)
{
	if (UInt32* word = StateOf(node))
		*word = (*word & ~UInt32(3)) | state;
}

void TXContentMgr::SetItemCheckState(TContentTreeNode* node, bool checked)
{
	if (!node)
		return;
	SetNodeCheckState(node, checked ? kChecked : kUnchecked);
	if (node->IsGroup())
		SetChildrenCheckStates(&node->mChildren, checked);
	if (node->mParent)
		SetParentCheckStates(node->mParent);
}

void TXContentMgr::SetChildrenCheckStates(TContentList* list, bool checked)
{
	for (TKsLink* link = list->GetHead(); link; link = link->GetNext()) {
		auto* row = static_cast<TContentTreeNode*>(link);
		SetNodeCheckState(row, checked ? kChecked : kUnchecked);
		if (row->IsGroup())
			SetChildrenCheckStates(&row->mChildren, checked);
	}
}

void TXContentMgr::SetParentCheckStates(TContentTreeNode* group)
{
	for (; group; group = group->mParent) {
		int checked = 0, mixed = 0, count = 0;
		for (TKsLink* link = group->mChildren.GetHead(); link; link = link->GetNext(), ++count) {
			const tCheckState state = GetCheckState(static_cast<TContentTreeNode*>(link));
			checked += state == kChecked ? 1 : 0;
			mixed += state == kMixed ? 1 : 0;
		}
		SetNodeCheckState(group, checked == count      ? kChecked
		                         : checked + mixed > 0 ? kMixed
		                                               : kUnchecked);
	}
}

void TXContentMgr::ApplyChanges()
{
	IContentTree* tree = TreeOf(sPlugin);
	if (!tree)
		return;
	TPluginRoot* root = FindRoot(sPlugin->GetPluginSig());
	if (!root)
		return;
	tree->Lock();
	RecursiveUpdate(tree->GetRootNode(), root);
	tree->Unlock();
}

void TXContentMgr::RecursiveUpdate(IContentDescription* description, TPluginRoot* root)
{
	if (!description)
		return;
	const short count = description->GetNumChildren();
	for (short i = 0; i < count; ++i)
		RecursiveUpdate(description->GetChild(i), root);
	const UInt32* state = root->mStates.Find(description->GetPluginRef());
	if (!state)
		return;
	const bool active = description->GetActive(mTickerID);
	const bool checked = (*state & 3) == kChecked;
	if (active != checked)
		description->SetActive(mTickerID, checked);
}

bool TXContentMgr::RedrawList()
{
	if (!mVisible)
		return false;
	mVisible->Clear();
	bool result = true;
	TListLocker lock(&mRoots);
	if (lock.IsLocked()) {
		for (TKsLink* link = mRoots.GetHead(); link; link = link->GetNext())
			RecursiveRedraw(&static_cast<TPluginRoot*>(link)->mRootRow);
	} else {
		result = false;
	}
	if (mCallback)
		mCallback(kContentRowsRebuilt, mContext, int(mVisible->Count()));
	return result;
}

void TXContentMgr::RecursiveRedraw(TContentTreeNode* row)
{
	mVisible->Append(row);
	if (!row->IsGroup() || !AreChildrenVisible(row))
		return;
	for (TKsLink* link = row->mChildren.GetHead(); link; link = link->GetNext())
		RecursiveRedraw(static_cast<TContentTreeNode*>(link));
}
