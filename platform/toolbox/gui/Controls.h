#pragma once
// What a button shows besides its title.

#include "platform/toolbox/gui/Icons.h"

typedef SInt16 ControlContentType;
enum : ControlContentType {
	kControlContentTextOnly = 0,
	kControlContentCIconRes = 2,      // u.resID: a colour icon of the resource store
	kControlContentCIconHandle = 130, // u.cIconHandle: a loaded colour icon, still the caller's
};

struct ControlButtonContentInfo {
	ControlContentType contentType = kControlContentTextOnly;
	union {
		SInt16 resID;
		CIconHandle cIconHandle;
	} u{0};
};
