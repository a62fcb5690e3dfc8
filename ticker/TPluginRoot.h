#pragma once
// The rows and row states of one plug-in's content tree, as a content manager keeps them.

#include "foundation/TKsLink.h"
#include "platform/toolbox/MacTypes.h"
#include "ticker/TContentTreeNode.h"
#include "ticker/TNodeHash.h"

class TPluginRoot : public TKsLink
{
public:
	explicit TPluginRoot(UInt32 signature, UInt32 seed) : mSignature(signature), mSeed(seed) {}

	UInt32 mSignature;
	UInt32 mSeed;
	UInt32 mStamp = 0;
	TContentTreeNode mRootRow{nullptr, this};
	TNodeHash mStates;
};
