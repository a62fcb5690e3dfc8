#pragma once
// The check and expansion states of a content manager's rows, keyed by the plug-in's node references.
// Key 0 marks a free entry; the table grows 128 pairs at a time.

#include "platform/toolbox/MacTypes.h"

#include <unordered_set>
#include <vector>

class TNodeHash
{
public:
	// A present key keeps its state.
	void Add(UInt32 key, UInt32 state);
	// Null when the key is unknown.
	UInt32* Find(UInt32 key);
	// Frees the entries whose keys are not in keys.
	void Retain(const std::unordered_set<UInt32>& keys);
	size_t Count() const;

private:
	struct tEntry {
		UInt32 key = 0;
		UInt32 state = 0;
	};
	static constexpr size_t kGrowth = 128;
	std::vector<tEntry> mEntries = std::vector<tEntry>(kGrowth);
};
