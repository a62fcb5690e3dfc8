#pragma once
// The list that symbol-search results are appended to. The lookup window implements it.

#include "Quoters/tLookupEntry.h"

class ILookupList
{
public:
	virtual ~ILookupList() = default;

	// The list keeps its own copy, so the caller may reuse its record for the next row.
	virtual void Append(tLookupEntry* entry) = 0;
	virtual long Count() = 0;
};
