#include "toolkit/TDisclosureTriangle.h"

#include "platform/framework/LStream.h"

TDisclosureTriangle::TDisclosureTriangle(LStream* inStream) : LDisclosureTriangle(inStream)
{
	*inStream >> mHeight;
}
