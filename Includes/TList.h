#pragma once
// A doubly linked list of item pointers with a walking cursor. A list either owns its control block or is a
// view that shares another list's block (and so its items) while keeping a cursor of its own. The block
// knows every list object that walks it, so that a removal through any of them moves the others' cursors
// off the freed node.

#include "Includes/UBubbleOrder.h"
#include "platform/toolbox/Debugging.h"
#include "platform/toolbox/MacTypes.h"

#include <cstring>
#include <new>
#include <type_traits>
#include <vector>

template <class T> struct tListNode {
	T* mItem = nullptr;
	tListNode* mPrevious = nullptr;
	tListNode* mNext = nullptr;
};

template <class T> class TList;

template <class T> struct tListControl {
	tListNode<T>* mFirst = nullptr;
	tListNode<T>* mLast = nullptr;
	SInt32 mCount = 0;
	UInt8 mAllocateMemory = 0;
	UInt8 mDeleteElements = 0;
	UInt8 mModified = 0;
	TList<T>* mWalkers = nullptr;
};

template <class T> struct tListCursor {
	tListNode<T>* mPrevious = nullptr;
	tListNode<T>* mNext = nullptr;
	SInt32 mIndex = 0;
};

template <class T> class TList
{
public:
	TList(bool allocateMemory, bool deleteElements)
	{
		mOwnControl.mAllocateMemory = allocateMemory;
		mOwnControl.mDeleteElements = deleteElements;
		Attach(&mOwnControl);
	}
	TList() : TList(false, true) {}
	explicit TList(TList<T>* list)
	{
		Assert_(list != NULL);
		Assert_(list->mControl != NULL);
		Attach(list->mControl);
		mIsView = 1;
	}
	~TList()
	{
		if (mControl == nullptr)
			return;
		if (!mIsView) {
			Clear();
			// Views that outlive the list are left without items rather than with a freed block.
			for (TList<T>* walker = mOwnControl.mWalkers; walker != nullptr;
			     walker = walker->mNextWalker)
				if (walker != this)
					walker->mControl = nullptr;
			mOwnControl.mWalkers = nullptr;
		} else {
			Detach();
		}
	}

	TList(const TList&) = delete;

	void Add(T* ptr, int k)
	{
		Assert_(mControl != NULL);
		Assert_(ptr != NULL);
		tListNode<T>* node = new (std::nothrow) tListNode<T>;
		if (node == nullptr)
			return;
		if (mControl->mAllocateMemory) {
			node->mItem = CopyItem(ptr);
			if (node->mItem == nullptr) {
				delete node;
				return;
			}
		} else {
			node->mItem = ptr;
		}

		tListControl<T>& c = *mControl;
		if (c.mFirst == nullptr) {
			c.mFirst = c.mLast = node;
		} else {
			if (k >= c.mCount)
				k = -1;
			if (k < -1)
				k = 0;
			if (k == -1) {
				node->mPrevious = c.mLast;
				c.mLast->mNext = node;
				c.mLast = node;
			} else if (k == 0) {
				node->mNext = c.mFirst;
				c.mFirst->mPrevious = node;
				c.mFirst = node;
			} else {
				tListNode<T>* after = c.mFirst;
				for (int i = 1; i < k; i++)
					after = after->mNext;
				node->mPrevious = after;
				node->mNext = after->mNext;
				after->mNext->mPrevious = node;
				after->mNext = node;
			}
		}
		c.mCount++;
		c.mModified = 1;
	}
	void Append(T* item) { Add(item, -1); }
	void Insert(T* item, int k) { Add(item, k); }

	int Remove(T* item)
	{
		Assert_(mControl != NULL);
		int position = 1;
		tListNode<T>* node = mControl->mFirst;
		while (node != nullptr && node->mItem != item) {
			node = node->mNext;
			position++;
		}
		if (node == nullptr)
			return 0;
		Unlink(node, position);
		return position;
	}

	// Removes, in one pass, every item that pred answers true for; the number removed.
	template <class Pred> int RemoveIf(Pred pred)
	{
		Assert_(mControl != NULL);
		int removed = 0;
		int position = 1;
		for (tListNode<T>* node = mControl->mFirst; node != nullptr;) {
			tListNode<T>* next = node->mNext;
			if (pred(node->mItem)) {
				Unlink(node, position);
				++removed;
			} else {
				++position;
			}
			node = next;
		}
		return removed;
	}

	int FindItem(T* item) const
	{
		Assert_(mControl != NULL);
		int position = 1;
		for (tListNode<T>* node = mControl->mFirst; node != nullptr; node = node->mNext, position++)
			if (node->mItem == item)
				return position;
		return 0;
	}

	void Clear()
	{
		Assert_(mControl != NULL);
		tListControl<T>& c = *mControl;
		tListNode<T>* node = c.mFirst;
		while (node != nullptr) {
			tListNode<T>* next = node->mNext;
			if (c.mDeleteElements && node->mItem != nullptr)
				delete node->mItem;
			delete node;
			node = next;
		}
		c.mFirst = c.mLast = nullptr;
		c.mCount = 0;
		c.mModified = 1;
		for (TList<T>* walker = c.mWalkers; walker != nullptr; walker = walker->mNextWalker)
			walker->mCursor = tListCursor<T>();
	}

	SInt32 Count() const
	{
		Assert_(mControl != NULL);
		return mControl->mCount;
	}

	T* GetFirst()
	{
		Assert_(mControl != NULL);
		tListNode<T>* first = mControl->mFirst;
		if (first == nullptr)
			return nullptr;
		SetCursor(first, 1);
		return first->mItem;
	}

	T* GetNext()
	{
		Assert_(mControl != NULL);
		if (mCursor.mNext == nullptr)
			return nullptr;
		tListNode<T>* node = mCursor.mNext;
		SetCursor(node, mCursor.mIndex + 1);
		return node->mItem;
	}

	T* GetLast()
	{
		Assert_(mControl != NULL);
		tListNode<T>* last = mControl->mLast;
		if (last == nullptr)
			return nullptr;
		SetCursor(last, mControl->mCount);
		return last->mItem;
	}

	T* GetPrevious()
	{
		Assert_(mControl != NULL);
		if (mCursor.mPrevious == nullptr)
			return nullptr;
		tListNode<T>* node = mCursor.mPrevious;
		SetCursor(node, mCursor.mIndex - 1);
		return node->mItem;
	}

	T* GetNth(long n)
	{
		Assert_(mControl != NULL);
		if (mControl->mFirst == nullptr || n == 0 || n > mControl->mCount)
			return nullptr;
		tListNode<T>* node = mControl->mFirst;
		SInt32 i = 1;
		while (i < n) {
			node = node->mNext;
			i++;
		}
		SetCursor(node, i);
		return node->mItem;
	}

	tListNode<T>* GetEntryHead() const
	{
		Assert_(mControl != NULL);
		return mControl->mFirst;
	}

	// cmp(a, b) answers whether a sorts after b; flag false sorts ascending, true descending. The items end
	// in the order of n - 1 bubble passes that swap a pair whenever cmp differs from flag (so, descending,
	// equal neighbours are swapped as well), found without making the passes (UBubbleOrder).
	void BubbleSort(bool (*cmp)(T*, T*), bool flag)
	{
		BubbleSortByKey([](T* item) { return item; }, cmp, flag);
	}

	// BubbleSort comparing keys made once per item: after(keyOf(a), keyOf(b)) answers whether a sorts
	// after b.
	template <class KeyOf, class After> void BubbleSortByKey(KeyOf keyOf, After after, bool flag)
	{
		Assert_(mControl != NULL);
		tListControl<T>& c = *mControl;
		if (c.mFirst == nullptr)
			return;
		std::vector<T*> items;
		std::vector<std::decay_t<std::invoke_result_t<KeyOf&, T*>>> keys;
		items.reserve(size_t(c.mCount));
		keys.reserve(size_t(c.mCount));
		for (tListNode<T>* node = c.mFirst; node != nullptr; node = node->mNext) {
			if (c.mCount > 1)
				Assert_(node->mItem != NULL);
			items.push_back(node->mItem);
			keys.push_back(keyOf(node->mItem));
		}
		const std::vector<size_t> order = UBubbleOrder::Order(
		    items.size(), [&](size_t a, size_t b) { return bool(after(keys[a], keys[b])); }, flag);
		size_t i = 0;
		for (tListNode<T>* node = c.mFirst; node != nullptr; node = node->mNext)
			node->mItem = items[order[i++]];
		c.mModified = 1;
	}

	// Assigning a list to itself, or to a view of the same items, changes nothing. Assigning into a view
	// detaches it: it becomes an ordinary list and the list it viewed keeps its items.
	TList<T>& operator=(TList<T>& source)
	{
		Assert_(mControl != NULL);
		Assert_(source.mControl != NULL);
		if (source.mControl == mControl)
			return *this;
		// Sharing items that the source deletes would leave two owners of every item.
		Assert_(source.mControl->mAllocateMemory || !source.mControl->mDeleteElements ||
		        source.mControl->mFirst == nullptr);

		if (mIsView) {
			Detach();
			Attach(&mOwnControl);
			mIsView = 0;
		} else {
			Clear();
		}
		mOwnControl.mModified = 0;
		mOwnControl.mAllocateMemory = source.mControl->mAllocateMemory;
		mOwnControl.mDeleteElements = source.mControl->mDeleteElements;
		for (T* item = source.GetFirst(); item != nullptr; item = source.GetNext())
			Append(item);
		return *this;
	}

	void Modified() { mControl->mModified = 1; }
	bool IsModified() const { return mControl->mModified != 0; }
	void ClearModified() { mControl->mModified = 0; }
	void AllocateMemory(bool allocate) { mControl->mAllocateMemory = allocate; }
	void DeleteElements(bool deleteElements) { mControl->mDeleteElements = deleteElements; }

private:
	// Takes node, at position, out of the list, keeping every walker's cursor on the same items.
	void Unlink(tListNode<T>* node, int position)
	{
		tListControl<T>& c = *mControl;
		if (node->mPrevious != nullptr)
			node->mPrevious->mNext = node->mNext;
		else
			c.mFirst = node->mNext;
		if (node->mNext != nullptr)
			node->mNext->mPrevious = node->mPrevious;
		else
			c.mLast = node->mPrevious;

		for (TList<T>* walker = c.mWalkers; walker != nullptr; walker = walker->mNextWalker) {
			tListCursor<T>& cursor = walker->mCursor;
			if (cursor.mNext == node)
				cursor.mNext = node->mNext;
			if (cursor.mPrevious == node)
				cursor.mPrevious = node->mPrevious;
			if (position <= cursor.mIndex)
				cursor.mIndex--;
		}

		if (c.mDeleteElements && node->mItem != nullptr)
			delete node->mItem;
		delete node;
		c.mCount--;
		c.mModified = 1;
	}

	static T* CopyItem(const T* item)
	{
		if constexpr (std::is_trivially_copyable_v<T> && std::is_default_constructible_v<T>) {
			T* copy = new (std::nothrow) T;
			if (copy != nullptr)
				std::memcpy(static_cast<void*>(copy), static_cast<const void*>(item),
				            sizeof(T));
			return copy;
		} else if constexpr (std::is_default_constructible_v<T> && std::is_copy_assignable_v<T>) {
			try {
				T* copy = new T();
				try {
					*copy = *item;
				} catch (const std::bad_alloc&) {
					delete copy;
					return nullptr;
				}
				return copy;
			} catch (const std::bad_alloc&) {
				return nullptr;
			}
		} else {
			Assert_(!"copy-on-add needs an item type that can be made and assigned");
			return nullptr;
		}
	}

	void SetCursor(tListNode<T>* node, SInt32 index)
	{
		mCursor.mPrevious = node->mPrevious;
		mCursor.mNext = node->mNext;
		mCursor.mIndex = index;
	}

	void Attach(tListControl<T>* control)
	{
		mControl = control;
		mCursor = tListCursor<T>();
		mNextWalker = control->mWalkers;
		control->mWalkers = this;
	}

	void Detach()
	{
		if (mControl == nullptr)
			return;
		for (TList<T>** link = &mControl->mWalkers; *link != nullptr; link = &(*link)->mNextWalker) {
			if (*link == this) {
				*link = mNextWalker;
				break;
			}
		}
		mControl = nullptr;
		mNextWalker = nullptr;
	}

	tListControl<T> mOwnControl;
	tListControl<T>* mControl = nullptr;
	tListCursor<T> mCursor;
	TList<T>* mNextWalker = nullptr;
	UInt16 mIsView = 0;
};
