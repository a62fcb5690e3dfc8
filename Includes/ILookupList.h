#pragma once
// The list a symbol search appends its result rows to.

#include "Includes/tLookupEntry.h"

class ILookupList
{
      public:
	virtual ~ILookupList() = default;

	virtual long Count() = 0;
	// The list keeps its own copy, so the caller may reuse the record for the next row.
	virtual void Append(tLookupEntry* entry) = 0;
};
