#pragma once
// The content tree's node of one kind of security: one leaf per security of the kind's list. A ticker for
// which the whole group was chosen also gets the securities added to the kind later.

#include "Includes/TList.h"
#include "app/TNode.h"

#include <functional>
#include <memory>
#include <vector>

class TSecurity;
class TSecurityNode;

class TGroupNode : public TNode
{
public:
	// Gives the reference of a security's leaf.
	using RefOf = std::function<UInt32(TSecurity*)>;

	TGroupNode(UInt32 ref, RefOf refOf);
	~TGroupNode() override;

	short GetNumChildren() override { return short(mChildren.size()); }
	IContentDescription* GetChild(short index) override;

	void SetList(TList<TSecurity>* list) { mList = list; }
	TList<TSecurity>* GetList() const { return mList; }
	void RebuildChildren();
	void ForgetSecurity(TSecurity* security);

private:
	std::vector<std::unique_ptr<TSecurityNode>> mChildren;
	TList<TSecurity>* mList = nullptr;
	RefOf mRefOf;
};
