#pragma once
// A former version's file held in memory, read field by field from the front. Numbers are big-endian; no
// read goes past the end, which makes every later read fail as well.

#include "platform/toolbox/MacTypes.h"

#include <cstddef>
#include <cstring>
#include <span>

class TByteReader
{
public:
	explicit TByteReader(std::span<const unsigned char> bytes) : mRest(bytes) {}

	bool Failed() const { return mFailed; }
	std::size_t Remaining() const { return mRest.size(); }

	// The next count bytes, or an empty view when fewer are left.
	std::span<const unsigned char> Take(std::size_t count)
	{
		if (mFailed || count > mRest.size()) {
			mFailed = true;
			return {};
		}
		const auto taken = mRest.first(count);
		mRest = mRest.subspan(count);
		return taken;
	}
	bool Read(void* out, std::size_t count)
	{
		const auto taken = Take(count);
		if (!mFailed && count > 0)
			std::memcpy(out, taken.data(), count);
		return !mFailed;
	}
	bool ReadU32(UInt32* value)
	{
		const auto b = Take(4);
		if (mFailed)
			return false;
		*value = UInt32(b[0]) << 24 | UInt32(b[1]) << 16 | UInt32(b[2]) << 8 | UInt32(b[3]);
		return true;
	}

private:
	std::span<const unsigned char> mRest;
	bool mFailed = false;
};
