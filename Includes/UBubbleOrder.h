#pragma once
// The order that TList's bubble sort leaves, found in O(n log n). The passes (n - 1 of them, each one pair
// shorter) swap a pair whenever after(first, second) differs from the descending flag. Ascending, that is
// a stable sort. Descending, equal neighbours are swapped too, and what that does to a run of equal items
// depends on how many smaller items stood before each of them:
// - pass k carries the first of the smallest items left to the end, so items are settled smallest first,
//   each class of equal items in its order of the moment, which puts the class reversed in the result;
// - while the smaller items are being settled, a class member moves only when no smaller item is ahead
//   of it, and then the members ahead of every smaller item turn once: their first goes behind the rest.
//   A member with g smaller items ahead of it at the start joins that turning group in pass g + 1.
// For every comparison that is a strict weak order this equals the passes' result; a comparison that
// calls an item after itself is not one, and gets the passes themselves.

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

class UBubbleOrder
{
public:
	// The indices 0 .. n - 1 in the order the passes leave them; after(i, j): item i sorts after item j.
	template <class After> static std::vector<size_t> Order(size_t n, After after, bool descending)
	{
		std::vector<size_t> order(n);
		std::iota(order.begin(), order.end(), size_t(0));
		for (size_t i = 0; i < n; ++i)
			if (after(i, i))
				return Passes(std::move(order), after, descending);
		std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return after(b, a); });
		if (!descending || n < 2)
			return order;
		// The classes of equal items, smallest first: class c is order[first[c] .. first[c + 1]).
		std::vector<size_t> first{0}, classOf(n);
		for (size_t p = 1; p < n; ++p) {
			if (after(order[p], order[p - 1]))
				first.push_back(p);
			classOf[order[p]] = first.size() - 1;
		}
		first.push_back(n);
		const size_t classes = first.size() - 1;
		std::vector<size_t> smallerBefore(n);
		tCounts seen(classes, 0);
		for (size_t i = 0; i < n; ++i) {
			smallerBefore[i] = seen.Below(classOf[i]);
			seen.Add(classOf[i], 1);
		}
		std::vector<size_t> result;
		result.reserve(n);
		for (size_t c = classes; c-- > 0;) {
			// The stable sort kept each class's members in their first order.
			const std::vector<size_t> members(order.begin() + long(first[c]), order.begin() + long(first[c + 1]));
			const std::vector<size_t> turned = Turned(members, smallerBefore, first[c]);
			result.insert(result.end(), turned.rbegin(), turned.rend());
		}
		return result;
	}

private:
	// The passes themselves.
	template <class After>
	static std::vector<size_t> Passes(std::vector<size_t> order, After after, bool descending)
	{
		for (size_t bound = order.size(); bound-- > 0;)
			for (size_t a = 0; a < bound; ++a)
				if (after(order[a], order[a + 1]) != descending)
					std::swap(order[a], order[a + 1]);
		return order;
	}

	// Counts per slot with sums below a slot and the search for the k-th count (a Fenwick tree).
	class tCounts
	{
	public:
		tCounts(size_t inSlots, size_t inEach) : mTree(inSlots + 1, 0)
		{
			for (size_t i = 1; i <= inSlots; ++i)
				mTree[i] = inEach * LowBit(i);
		}
		void Add(size_t inSlot, long inDelta)
		{
			for (size_t i = inSlot + 1; i < mTree.size(); i += LowBit(i))
				mTree[i] = size_t(long(mTree[i]) + inDelta);
		}
		size_t Below(size_t inSlot) const
		{
			size_t sum = 0;
			for (size_t i = inSlot; i > 0; i -= LowBit(i))
				sum += mTree[i];
			return sum;
		}
		// The slot of the count numbered inK (from 0).
		size_t Find(size_t inK) const
		{
			size_t slot = 0, step = 1;
			while (step * 2 < mTree.size())
				step *= 2;
			for (; step > 0; step /= 2)
				if (slot + step < mTree.size() && mTree[slot + step] <= inK) {
					slot += step;
					inK -= mTree[slot];
				}
			return slot;
		}

	private:
		static size_t LowBit(size_t i) { return i & (~i + 1); }
		std::vector<size_t> mTree;
	};

	// One class's members (first order) as they stand when the inSmaller smaller items are settled. The
	// members kept turning form a cycle read from its head; a member joining the group goes in at the end,
	// just before the head. Where each went in is worked out first and the cycle laid out afterwards.
	static std::vector<size_t> Turned(const std::vector<size_t>& inMembers,
	                                  const std::vector<size_t>& inSmallerBefore, size_t inSmaller)
	{
		const size_t m = inMembers.size();
		if (m < 2)
			return inMembers;
		std::vector<size_t> insertedAt(m);
		size_t size = 0, head = 0, pass = 1;
		auto turn = [&](size_t inPasses) {
			if (size > 0)
				head = (head + inPasses % size) % size;
		};
		for (size_t j = 0; j < m; ++j) {
			const size_t joins = inSmallerBefore[inMembers[j]] + 1;
			turn(joins - pass);
			pass = joins;
			insertedAt[j] = head == 0 ? size : head;
			if (head != 0)
				++head;
			++size;
		}
		turn(inSmaller + 1 - pass);
		// The last one in keeps its place; each earlier one takes the free slot its place then named.
		std::vector<size_t> cycle(m);
		tCounts free(m, 1);
		for (size_t j = m; j-- > 0;) {
			const size_t slot = free.Find(insertedAt[j]);
			cycle[slot] = inMembers[j];
			free.Add(slot, -1);
		}
		std::rotate(cycle.begin(), cycle.begin() + long(head), cycle.end());
		return cycle;
	}
};
