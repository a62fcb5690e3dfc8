#pragma once
// A plug-in as tickers and their content managers see it.

#include "Includes/IInterface.h"
#include "platform/toolbox/MacTypes.h"

class LException;

class ITickerPlugin : public IInterface
{
public:
	static constexpr UInt32 kSignature = FOUR_CHAR_CODE("tkpi");

	UInt32 GetInterfaceSig() override { return kSignature; }
	IInterface* GetOtherInterface(unsigned long) override { return nullptr; }

	virtual UInt32 GetPluginSig() = 0;
	virtual UInt32 GetVersion() { return 0; }
	virtual const char* GetName() = 0;
	virtual void TickerOpenNotify(unsigned long) {}
	virtual void TickerCloseNotify(unsigned long) {}
	virtual void TickerDeleteNotify(unsigned long) {}
	virtual void SpendTime(const EventRecord& event) = 0;
	virtual void CatchException(const LException& exception) = 0;
	virtual void CatchExceptionCode(long code) = 0;
};
