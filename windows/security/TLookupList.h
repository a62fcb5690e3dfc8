#pragma once
// The results of a symbol lookup: a list of copies that the quote sources append to and the list and lookup
// windows read, sort and clear.

#include "Includes/TList.h"
#include "Quoters/ILookupList.h"

class TLookupList : public ILookupList
{
public:
	// Throws 'nilP' when the list cannot be made.
	TLookupList();
	~TLookupList() override;
	TLookupList(const TLookupList&) = delete;
	TLookupList& operator=(const TLookupList&) = delete;

	void Append(tLookupEntry* entry) override;
	long Count() override;
	// cmp tells whether its first entry belongs after its second.
	void BubbleSort(bool (*cmp)(tLookupEntry*, tLookupEntry*), bool descending);
	void Clear();
	tLookupEntry* GetFirst();
	tLookupEntry* GetNext();
	// From 1; null for 0 or past the end.
	tLookupEntry* GetNth(long n);

private:
	TList<tLookupEntry>* mList;
};
