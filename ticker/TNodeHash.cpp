#include "ticker/TNodeHash.h"

void TNodeHash::Add(UInt32 key, UInt32 state)
{
	if (key == 0 || Find(key))
		return;
	for (tEntry& entry : mEntries)
		if (entry.key == 0) {
			entry = {key, state};
			return;
		}
	const size_t used = mEntries.size();
	mEntries.resize(used + kGrowth);
	mEntries[used] = {key, state};
}

UInt32* TNodeHash::Find(UInt32 key)
{
	if (key == 0)
		return nullptr;
	for (tEntry& entry : mEntries)
		if (entry.key == key)
			return &entry.state;
	return nullptr;
}

void TNodeHash::Retain(const std::unordered_set<UInt32>& keys)
{
	for (tEntry& entry : mEntries)
		if (entry.key != 0 && !keys.contains(entry.key))
			entry = {};
}

size_t TNodeHash::Count() const
{
	size_t count = 0;
	for (const tEntry& entry : mEntries)
		count += entry.key != 0 ? 1 : 0;
	return count;
}
