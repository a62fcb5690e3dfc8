#pragma once
// The model behind a ticker's content table: mirrors the plug-in's content tree into rows with a check
// state (unchecked, checked, mixed) and an expanded flag each, flattens the visible rows for the table, and
// writes the choice back to the plug-in's tree, which puts the items on the ticker or takes them off.
// States are keyed by the tree's node references, which stay with their items across rebuilds; states of
// references that left the tree are dropped.

#include "Includes/TList.h"
#include "foundation/TSLinkList.h"
#include "platform/toolbox/MacTypes.h"
#include "ticker/TContentTreeNode.h"

#include <unordered_set>

class IContentDescription;
class IContentTree;
class ITickerPlugin;
class TPluginRoot;

typedef UInt32 tCheckState;
enum : tCheckState { kUnchecked = 0, kChecked = 1, kMixed = 2 };
typedef SInt32 tContentMgrAction;
enum : tContentMgrAction { kContentRowsRebuilt = 0 };

class TXContentMgr
{
public:
	using tCallback = void (*)(tContentMgrAction action, void* context, int rowCount);

	static void SetPlugin(ITickerPlugin* plugin) { sPlugin = plugin; }
	static ITickerPlugin* GetPlugin() { return sPlugin; }

	TXContentMgr() = default;
	virtual ~TXContentMgr();
	TXContentMgr(const TXContentMgr&) = delete;
	TXContentMgr& operator=(const TXContentMgr&) = delete;

	void SetCallback(tCallback callback, void* context);
	void ClearCallback()
	{
		mCallback = nullptr;
		mContext = nullptr;
	}
	void SetTickerID(unsigned long id);
	UInt32 GetTickerID() const { return mTickerID; }
	void CheckTrees();

	// 1-based; null out of range.
	TContentTreeNode* GetNth(long row) const;
	long CountRows() const { return mVisible ? mVisible->Count() : 0; }
	tCheckState GetCheckState(TContentTreeNode* node) const;
	bool AreChildrenVisible(TContentTreeNode* node) const;
	void ToggleChildrenVisible(TContentTreeNode* node);
	void ExpandGroup(TContentTreeNode* node);
	// A click on the row's check box: checked becomes unchecked, anything else checked.
	void CheckNode(TContentTreeNode* node);
	void SetItemCheckState(TContentTreeNode* node, bool checked);
	void SetChildrenCheckStates(TContentList* list, bool checked);
	void SetParentCheckStates(TContentTreeNode* group);
	void SetNodeCheckState(TContentTreeNode* node, tCheckState state);
	void ApplyChanges();
	bool RedrawList();

private:
	static constexpr UInt32 kExpanded = 8;

	bool RebuildContentTree();
	bool RebuildPluginBranch(UInt32 stamp, IContentTree* tree, UInt32 signature);
	void RecursiveBuildTree(TPluginRoot* root, IContentDescription* description, TContentTreeNode* row,
	                        SInt32& depth, std::unordered_set<UInt32>& keys);
	void RecursiveUpdate(IContentDescription* description, TPluginRoot* root);
	void RecursiveRedraw(TContentTreeNode* row);
	UInt32* StateOf(TContentTreeNode* node) const;
	TPluginRoot* FindRoot(UInt32 signature) const;
	static IContentTree* TreeOf(ITickerPlugin* plugin);

	static ITickerPlugin* sPlugin;

	tCallback mCallback = nullptr;
	void* mContext = nullptr;
	UInt32 mTickerID = 0;
	TSLinkList mRoots;
	TList<TContentTreeNode>* mVisible = nullptr;
	UInt32 mPass = 0;
};
