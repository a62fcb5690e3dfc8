#pragma once
// What a plug-in can show on tickers, as a tree: a root, one group per kind, one leaf per item. A leaf is
// active on a ticker when its item is shown there; a group remembers per ticker whether it was chosen whole.

#include "Includes/IInterface.h"

class IContentDescription
{
public:
	virtual ~IContentDescription() = default;

	virtual bool GetActive(unsigned long tickerID) = 0;
	virtual void SetActive(unsigned long tickerID, bool active) = 0;
	// Identifies the node while it exists; a leaf's reference stays with its item across rebuilds and is
	// never given to another item.
	virtual UInt32 GetPluginRef() = 0;
	virtual const char* GetDescription() = 0;
	virtual short GetNumChildren() = 0;
	// 0-based; null out of range.
	virtual IContentDescription* GetChild(short index) = 0;
};

class IContentTree : public IInterface
{
public:
	static constexpr UInt32 kSignature = FOUR_CHAR_CODE("iCnT");

	UInt32 GetInterfaceSig() override { return kSignature; }

	// Changes whenever the tree was rebuilt.
	virtual UInt32 GetTreeSeed() = 0;
	virtual IContentDescription* GetRootNode() = 0;
	virtual void Lock() {}
	virtual void Unlock() {}
};
