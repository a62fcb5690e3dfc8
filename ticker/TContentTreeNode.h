#pragma once
// One row of a ticker's content: a plug-in's root, a group or an item, mirrored from the plug-in's content
// tree. A row with children is a group.

#include "foundation/TKsLink.h"
#include "foundation/TSLinkList.h"
#include "platform/toolbox/MacTypes.h"

class TPluginRoot;

// Owns its rows.
using TContentList = TSLinkList;

class TContentTreeNode : public TKsLink
{
public:
	static constexpr size_t kDescriptionSize = 64;

	TContentTreeNode(TContentTreeNode* parent, TPluginRoot* root) : mParent(parent), mRoot(root) {}

	bool IsGroup() const { return mChildren.GetListSize() > 0; }
	bool IsInGroup() const { return mParent != nullptr; }

	SInt32 mDepth = 0;
	char mDescription[kDescriptionSize] = {};
	UInt32 mReference = 0;
	TContentTreeNode* mParent;
	TPluginRoot* mRoot;
	TContentList mChildren;
};
