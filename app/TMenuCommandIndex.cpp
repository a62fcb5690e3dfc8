#include "app/TMenuCommandIndex.h"

#include "model/TSecurity.h"

std::pair<TMenuCommandIndex::tMap::const_iterator, TMenuCommandIndex::tMap::const_iterator>
TMenuCommandIndex::Find(TList<TSecurity>* inList, long inCommand)
{
	auto found = mLists.find(inList);
	if (found == mLists.end() || inList->IsModified() || found->second.count != inList->Count()) {
		tIndexed& indexed = mLists[inList];
		indexed.count = inList->Count();
		indexed.commands.clear();
		for (tListNode<TSecurity>* node = inList->GetEntryHead(); node != nullptr; node = node->mNext)
			if (node->mItem->DetailWindowCommand() != 0)
				indexed.commands.emplace(node->mItem->DetailWindowCommand(), node->mItem);
		inList->ClearModified();
		found = mLists.find(inList);
	}
	return found->second.commands.equal_range(inCommand);
}
