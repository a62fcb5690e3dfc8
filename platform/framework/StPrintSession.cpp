#include "platform/framework/StPrintSession.h"

int StPrintSession::sDepth = 0;

StPrintSession::StPrintSession(LPrintSettings&)
{
	++sDepth;
}

StPrintSession::~StPrintSession()
{
	--sDepth;
}
