#include "platform/framework/StPrintSession.h"

int StPrintSession::sDepth = 0;

StPrintSession::StPrintSession(LPrintSpec&)
{
	++sDepth;
}

StPrintSession::~StPrintSession()
{
	--sDepth;
}
