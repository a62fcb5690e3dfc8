#pragma once
// The content tree's root: the groups of the kinds switched on, in the order stocks, funds, indexes,
// currencies. Groups of kinds switched off keep their leaves and flags but are not children.

#include "app/TGroupNode.h"
#include "model/SecurityTypes.h"

#include <memory>
#include <vector>

class TRootNode : public TNode
{
public:
	explicit TRootNode(TGroupNode::RefOf refOf);

	short GetNumChildren() override { return short(mShown.size()); }
	IContentDescription* GetChild(short index) override;

	// Null for a kind other than 100-103.
	TGroupNode* GetGroup(tSecurityType kind);
	void RebuildChildren();
	void ForgetSecurity(TSecurity* security);

	static constexpr UInt32 kRootRef = 1;

private:
	std::unique_ptr<TGroupNode> mGroups[4];
	std::vector<TGroupNode*> mShown;
};
