#pragma once
// Hands what it is told to the plug-in, as the application does, and notes the commands.

#include "app/TStockPlugin.h"
#include "platform/framework/LCommander.h"

#include <vector>

class ForwardingApplication : public LCommander
{
public:
	ForwardingApplication() : LCommander(nullptr) {}
	Boolean ObeyCommand(CommandT inCommand, void* ioParam) override
	{
		mCommands.push_back(inCommand);
		return mPlugin != nullptr && mPlugin->ObeyCommand(inCommand, ioParam);
	}
	Boolean AllowSubRemoval(LCommander* inSub) override
	{
		return mPlugin == nullptr || mPlugin->AllowSubRemoval(inSub);
	}
	TStockPlugin* mPlugin = nullptr;
	std::vector<CommandT> mCommands;
};
