// A ticker's content as the settings window edits it: rows mirrored from a plug-in's content tree, check
// states that spread to children and parents, collapsing groups, and the choice written back.

#include "ticker/TXContentMgr.h"

#include "Includes/IContentTree.h"
#include "Includes/ITickerPlugin.h"
#include "platform/framework/LException.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{

class FakeNode : public IContentDescription
{
public:
	FakeNode(UInt32 ref, std::string text) : mRef(ref), mText(std::move(text)) {}
	bool GetActive(unsigned long id) override { return mActive.contains(id); }
	void SetActive(unsigned long id, bool active) override
	{
		if (active)
			mActive.insert(id);
		else
			mActive.erase(id);
	}
	UInt32 GetPluginRef() override { return mRef; }
	const char* GetDescription() override { return mText.c_str(); }
	short GetNumChildren() override { return short(mChildren.size()); }
	IContentDescription* GetChild(short i) override
	{
		return i >= 0 && size_t(i) < mChildren.size() ? mChildren[size_t(i)].get() : nullptr;
	}
	FakeNode* Add(UInt32 ref, std::string text)
	{
		mChildren.push_back(std::make_unique<FakeNode>(ref, std::move(text)));
		return mChildren.back().get();
	}

	UInt32 mRef;
	std::string mText;
	std::set<unsigned long> mActive;
	std::vector<std::unique_ptr<FakeNode>> mChildren;
};

class FakeTree : public IContentTree
{
public:
	UInt32 GetTreeSeed() override { return mSeed; }
	IContentDescription* GetRootNode() override { return &mRoot; }
	UInt32 mSeed = 1;
	FakeNode mRoot{1, "Securities"};
};

class FakePlugin : public ITickerPlugin
{
public:
	IInterface* GetOtherInterface(unsigned long sig) override
	{
		return sig == IContentTree::kSignature ? &mTree : nullptr;
	}
	UInt32 GetPluginSig() override { return FOUR_CHAR_CODE("stok"); }
	const char* GetName() override { return "stocks"; }
	void SpendTime(const EventRecord&) override {}
	void CatchException(const LException&) override {}
	void CatchExceptionCode(long) override {}
	FakeTree mTree;
};

class TXContentMgrTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		FakeNode& root = mPlugin.mTree.mRoot;
		mStocks = root.Add(2, "Stocks");
		for (UInt32 i = 0; i < 3; ++i)
			mStock.push_back(mStocks->Add(0x100 + i, "Stock " + std::to_string(i)));
		mFunds = root.Add(3, "Funds");
		mFund = mFunds->Add(
		    0x200, "A fund whose name runs on far beyond what a row of the table keeps of it");
		mIndexes = root.Add(4, "Indexes");
		TXContentMgr::SetPlugin(&mPlugin);
		mMgr.SetCallback(&Callback, this);
	}
	void TearDown() override { TXContentMgr::SetPlugin(nullptr); }

	static void Callback(tContentMgrAction action, void* context, int rows)
	{
		EXPECT_EQ(action, kContentRowsRebuilt);
		static_cast<TXContentMgrTest*>(context)->mRows.push_back(rows);
	}
	TContentTreeNode* Row(const char* text)
	{
		for (long i = 1; TContentTreeNode* row = mMgr.GetNth(i); ++i)
			if (std::string(row->mDescription) == text)
				return row;
		return nullptr;
	}
	tCheckState State(const char* text) { return mMgr.GetCheckState(Row(text)); }

	FakePlugin mPlugin;
	FakeNode* mStocks = nullptr;
	FakeNode* mFunds = nullptr;
	FakeNode* mIndexes = nullptr;
	FakeNode* mFund = nullptr;
	std::vector<FakeNode*> mStock;
	TXContentMgr mMgr;
	std::vector<int> mRows;
};

TEST_F(TXContentMgrTest, ChecksSpreadToChildrenAndParentsAndCollapsedGroupsHideTheirRows)
{
	mStock[1]->mActive.insert(7);
	mMgr.SetTickerID(7);
	// Root, stocks with three, funds with one, indexes (no children: a plain row).
	ASSERT_EQ(mRows, std::vector<int>{8});
	EXPECT_EQ(std::string(mMgr.GetNth(7)->mDescription).size(), 63u);
	EXPECT_EQ(mMgr.GetNth(3)->mDepth, 2);
	EXPECT_EQ(State("Stock 1"), kChecked);
	EXPECT_EQ(State("Stocks"), kMixed);
	EXPECT_EQ(State("Securities"), kMixed);

	mMgr.CheckNode(Row("Stocks")); // mixed: checks the group and its children
	EXPECT_EQ(State("Stock 0"), kChecked);
	EXPECT_EQ(State("Stocks"), kChecked);
	EXPECT_EQ(State("Securities"), kMixed);
	mMgr.CheckNode(Row("Funds"));
	mMgr.CheckNode(Row("Indexes"));
	EXPECT_EQ(State("Securities"), kChecked);
	mMgr.CheckNode(Row("Stock 2"));
	EXPECT_EQ(State("Stocks"), kMixed);
	EXPECT_EQ(State("Securities"), kMixed);

	mMgr.ExpandGroup(Row("Stocks"));
	EXPECT_EQ(mRows.back(), 5);
	EXPECT_EQ(Row("Stock 0"), nullptr);
	mMgr.ExpandGroup(mMgr.GetNth(1));
	EXPECT_EQ(mRows.back(), 1);

	// Nothing reaches the plug-in before the choice is applied.
	EXPECT_TRUE(mStock[0]->mActive.empty());
	mMgr.ApplyChanges();
	EXPECT_EQ(mStock[0]->mActive, std::set<unsigned long>{7});
	EXPECT_TRUE(mStock[2]->mActive.empty());
	EXPECT_EQ(mFund->mActive, std::set<unsigned long>{7});
	EXPECT_EQ(mIndexes->mActive, std::set<unsigned long>{7}); // later indexes join the ticker
	EXPECT_TRUE(mStocks->mActive.empty());                    // only partly chosen
	EXPECT_TRUE(mPlugin.mTree.mRoot.mActive.empty());
}

TEST_F(TXContentMgrTest, StatesFollowTheItemsAcrossRebuildsAndThoseOfItemsThatWentAreDropped)
{
	mMgr.SetTickerID(7);
	mMgr.CheckNode(Row("Stock 0"));
	mMgr.ExpandGroup(Row("Funds"));

	// Stock 1 goes, a new stock comes; the tree's seed changes.
	mStocks->mChildren.erase(mStocks->mChildren.begin() + 1);
	FakeNode* added = mStocks->Add(0x300, "Stock 3");
	added->mActive.insert(7);
	mPlugin.mTree.mSeed = 2;
	mRows.clear();
	mMgr.CheckTrees();
	ASSERT_EQ(mRows, std::vector<int>{7}); // funds stay collapsed
	EXPECT_EQ(State("Stock 0"), kChecked); // the unapplied check survives
	EXPECT_EQ(State("Stock 3"), kChecked); // a new item starts from the tree's answer
	EXPECT_EQ(State("Stocks"), kMixed);

	// The item that went comes back under its reference: its old state was dropped.
	mStocks->Add(0x101, "Stock 1 again")->mActive.insert(7);
	mPlugin.mTree.mSeed = 3;
	mMgr.CheckTrees();
	EXPECT_EQ(State("Stock 1 again"), kChecked);

	// Without a tree change nothing is rebuilt.
	mRows.clear();
	mMgr.CheckTrees();
	EXPECT_TRUE(mRows.empty());
}

TEST_F(TXContentMgrTest, CheckingTheRootOfAFullyShownTickerKeepsEverythingWhereTogglingWouldEmptyIt)
{
	for (FakeNode* stock : mStock)
		stock->mActive.insert(0);
	mFund->mActive.insert(0);
	mIndexes->mActive.insert(0);
	mMgr.SetTickerID(0);
	ASSERT_EQ(State("Securities"), kChecked);
	mMgr.SetItemCheckState(mMgr.GetNth(1), true);
	mMgr.ApplyChanges();
	EXPECT_EQ(mStock[2]->mActive, std::set<unsigned long>{0});
	EXPECT_EQ(mPlugin.mTree.mRoot.mActive, std::set<unsigned long>{0});

	TXContentMgr::SetPlugin(nullptr);
	TXContentMgr orphan;
	orphan.SetTickerID(0);
	EXPECT_EQ(orphan.GetNth(1), nullptr);
}

} // namespace
