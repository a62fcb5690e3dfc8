#pragma once
// The securities of the plug-in's lists by the commands of their menu items, so that the status of each of
// a long menu's items is one look-up rather than a walk of the list. A list is indexed again when it has
// changed since (its modified flag, which the index clears, or its count) or when its menu was rebuilt
// (Forget). Callers check what they find: a security's command may have been cleared since.

#include "Includes/TList.h"

#include <unordered_map>
#include <utility>

class TSecurity;

class TMenuCommandIndex
{
public:
	using tMap = std::unordered_multimap<long, TSecurity*>;

	// The securities of the list whose command was inCommand when the list was indexed.
	std::pair<tMap::const_iterator, tMap::const_iterator> Find(TList<TSecurity>* inList, long inCommand);
	void Forget(TList<TSecurity>* inList) { mLists.erase(inList); }

private:
	struct tIndexed {
		SInt32 count = 0;
		tMap commands;
	};
	std::unordered_map<const TList<TSecurity>*, tIndexed> mLists;
};
