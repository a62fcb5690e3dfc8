#pragma once
// The framework's exception: an error code. The system's code also throws bare integers; the dispatch catches
// both (see UDispatch).

#include "platform/framework/FrameworkTypes.h"

class LException
{
public:
	explicit LException(ExceptionCode inCode) : mErrorCode(inCode) {}
	ExceptionCode GetErrorCode() const { return mErrorCode; }

private:
	ExceptionCode mErrorCode;
};

#define Throw_(err) throw LException(ExceptionCode(err))

#define ThrowIfNil_(ptr)                                                                                     \
	do {                                                                                                 \
		if ((ptr) == nullptr)                                                                        \
			throw LException(err_NilPointer);                                                    \
	} while (0)

#define ThrowIfOSErr_(err)                                                                                   \
	do {                                                                                                 \
		const OSErr err__ = (err);                                                                   \
		if (err__ != noErr)                                                                          \
			throw LException(ExceptionCode(err__));                                              \
	} while (0)
