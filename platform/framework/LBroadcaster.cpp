#include "platform/framework/LBroadcaster.h"

#include "platform/framework/LListener.h"

#include <algorithm>

LBroadcaster::~LBroadcaster()
{
	if (mDestroyed)
		*mDestroyed = true;
	for (LListener* l : mListeners)
		if (l)
			std::erase(l->mBroadcasters, this);
}

void LBroadcaster::AddListener(LListener* inListener)
{
	if (!inListener || HasListener(inListener))
		return;
	mListeners.push_back(inListener);
	inListener->mBroadcasters.push_back(this);
}

void LBroadcaster::RemoveListener(LListener* inListener)
{
	auto it = std::find(mListeners.begin(), mListeners.end(), inListener);
	if (!inListener || it == mListeners.end())
		return;
	std::erase(inListener->mBroadcasters, this);
	if (mBroadcasting > 0)
		*it = nullptr;
	else
		mListeners.erase(it);
}

Boolean LBroadcaster::HasListener(const LListener* inListener) const
{
	return inListener && std::find(mListeners.begin(), mListeners.end(), inListener) != mListeners.end();
}

SInt32 LBroadcaster::CountListeners() const
{
	return SInt32(
	    std::count_if(mListeners.begin(), mListeners.end(), [](LListener* l) { return l != nullptr; }));
}

void LBroadcaster::BroadcastMessage(MessageT inMessage, void* ioParam)
{
	if (!mIsBroadcasting)
		return;
	bool destroyed = false;
	Boolean* outerFlag = mDestroyed;
	mDestroyed = &destroyed;
	++mBroadcasting;
	const size_t count = mListeners.size();
	try {
		for (size_t i = 0; i < count && !destroyed; ++i) {
			LListener* l = mListeners[i];
			if (l && l->IsListening())
				l->ListenToMessage(inMessage, ioParam);
		}
	} catch (...) {
		if (destroyed) {
			if (outerFlag)
				*outerFlag = true;
			throw;
		}
		mDestroyed = outerFlag;
		if (--mBroadcasting == 0)
			std::erase(mListeners, nullptr);
		throw;
	}
	if (destroyed) {
		if (outerFlag)
			*outerFlag = true;
		return;
	}
	mDestroyed = outerFlag;
	if (--mBroadcasting == 0)
		std::erase(mListeners, nullptr);
}
