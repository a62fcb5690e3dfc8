#pragma once
// The toolbox's general error codes, shared by the file manager, streams and offscreen worlds.

#include "platform/toolbox/MacTypes.h"

enum : OSErr {
	writErr = -20,
	dirFulErr = -33,
	dskFulErr = -34,
	nsvErr = -35,
	ioErr = -36,
	bdNamErr = -37,
	fnOpnErr = -38,
	eofErr = -39,
	posErr = -40,
	mFulErr = -41,
	tmfoErr = -42,
	fnfErr = -43,
	wPrErr = -44,
	fLckdErr = -45,
	vLckdErr = -46,
	fBsyErr = -47,
	dupFNErr = -48,
	opWrErr = -49,
	paramErr = -50,
	rfNumErr = -51,
	permErr = -54,
	nsDrvErr = -56,
	wrPermErr = -61,
	memFullErr = -108,
	dirNFErr = -120,
	userCanceledErr = -128
};
