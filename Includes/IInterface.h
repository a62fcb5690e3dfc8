#pragma once
// The root of the interfaces between the plug-in, tickers and their content: each answers its signature and
// can hand out another interface of the same object.

#include "platform/toolbox/MacTypes.h"

class IInterface
{
public:
	virtual ~IInterface() = default;

	virtual UInt32 GetInterfaceSig() = 0;
	virtual IInterface* GetOtherInterface(unsigned long) { return nullptr; }
};
