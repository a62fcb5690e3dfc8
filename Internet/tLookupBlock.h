#pragma once
// What travels with a symbol search: the search and where its results go.

#include "model/SecurityTypes.h"
#include "platform/toolbox/MacTypes.h"

class ILookupList;
class ILookupWindow;

struct tLookupBlock {
	static constexpr int kTextSize = 64;

	char text[kTextSize] = {};
	OSType quoter = 0;
	tSecurityType type = securityNone;
	ILookupList* List = nullptr;
	ILookupWindow* LookupWindow = nullptr;
};
