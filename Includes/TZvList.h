#pragma once
// The doubly linked list a ticker keeps its ticklets in. The cursor holds the node after the item last
// returned, so that item may be removed during a walk. A view shares another list's block and never frees it.

#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/MacTypes.h"

template <class T> class TZvList
{
public:
	struct Node {
		T* item = nullptr;
		Node* previous = nullptr;
		Node* next = nullptr;
	};
	struct Control {
		Node* first = nullptr;
		Node* last = nullptr;
		SInt32 count = 0;
		SInt16 clear = 0;
		UInt8 modified = 0;
	};

	explicit TZvList(bool clear) : mControl(new Control) { mControl->clear = clear ? 1 : 0; }
	// A view of another list: same items, own cursor.
	explicit TZvList(TZvList<T>* list) : mControl(list->mControl), mView(1) {}
	~TZvList()
	{
		if (mView)
			return;
		Clear();
		delete mControl;
	}
	TZvList(const TZvList&) = delete;
	TZvList& operator=(const TZvList&) = delete;

	SInt32 Count() const { return mControl->count; }
	bool IsModified() const { return mControl->modified != 0; }

	T* GetNth(long n)
	{
		if (n < 1 || n > mControl->count)
			return nullptr;
		Node* node = mControl->first;
		for (long i = 1; i < n; ++i)
			node = node->next;
		mPrevious = node->previous;
		mNext = node->next;
		mIndex = SInt32(n);
		return node->item;
	}
	// Nodes without moving the cursor, for walks that must not disturb it.
	const Node* NthNode(long n) const
	{
		if (n < 1 || n > mControl->count)
			return nullptr;
		const Node* node = mControl->first;
		for (long i = 1; i < n; ++i)
			node = node->next;
		return node;
	}
	const Node* FirstNode() const { return mControl->first; }

	T* GetFirst()
	{
		mPrevious = nullptr;
		mNext = mControl->first;
		mIndex = 0;
		return GetNext();
	}
	T* GetNext()
	{
		if (mNext == nullptr)
			return nullptr;
		Node* node = mNext;
		mPrevious = node;
		mNext = node->next;
		++mIndex;
		return node->item;
	}

	void Add(T* item, int position)
	{
		Assert_(item != nullptr);
		if (item == nullptr)
			return;
		Node* node = new Node;
		node->item = item;
		if (position < -1)
			position = 0;
		Node* after = nullptr; // insert after this node; null means at the front
		if (position == -1 || position >= mControl->count)
			after = mControl->last;
		else if (position > 0) {
			after = mControl->first;
			for (int i = 1; i < position; ++i)
				after = after->next;
		}
		node->previous = after;
		node->next = after ? after->next : mControl->first;
		if (node->previous)
			node->previous->next = node;
		else
			mControl->first = node;
		if (node->next)
			node->next->previous = node;
		else
			mControl->last = node;
		++mControl->count;
		mControl->modified = 1;
	}
	void Append(T* item) { Add(item, -1); }

	// The item's former 1-based position, or 0 when it was not in the list.
	SInt32 Remove(T* item)
	{
		SInt32 position = 1;
		Node* node = mControl->first;
		while (node && node->item != item) {
			node = node->next;
			++position;
		}
		if (node == nullptr)
			return 0;
		if (mNext == node)
			mNext = node->next;
		if (mPrevious == node) {
			mPrevious = node->previous;
			--mIndex;
		}
		Unlink(node);
		return position;
	}

	void Clear()
	{
		while (mControl->first)
			Unlink(mControl->first);
		mPrevious = mNext = nullptr;
		mIndex = 0;
		mControl->modified = 1;
	}

private:
	void Unlink(Node* node)
	{
		if (node->previous)
			node->previous->next = node->next;
		else
			mControl->first = node->next;
		if (node->next)
			node->next->previous = node->previous;
		else
			mControl->last = node->previous;
		--mControl->count;
		mControl->modified = 1;
		T* item = node->item;
		delete node;
		if (mControl->clear)
			delete item;
	}

	Control* mControl;
	Node* mPrevious = nullptr;
	Node* mNext = nullptr;
	SInt32 mIndex = 0;
	UInt8 mView = 0;
};
