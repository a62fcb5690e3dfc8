#pragma once
// A font of the ticker settings: five style flags carried unchanged, a name and a size.

#include "Includes/tStoredField.h"
#include "platform/toolbox/MacTypes.h"

#include <cstddef>
#include <functional>

class TKsFont
{
public:
	static constexpr std::size_t kStoredSize = 76;
	static constexpr std::size_t kFlagCount = 5;
	static constexpr std::size_t kNameSize = 67;
	// Names are limited so that the terminator always fits in the characters a name may take.
	static constexpr std::size_t kMaxNameLength = 63;
	static constexpr SInt32 kDefaultSize = 9;
	// Flags, the name (its field's last three bytes are stored as held) and the size.
	static const tStoredField kStoredLayout[4];

	TKsFont();

	bool operator==(const TKsFont& other) const = default;

	void FontName(const char* name);
	const char* GetFontName() const { return mName; }
	void FontSize(SInt32 size) { mSize = size; }
	SInt32 GetFontSize() const { return mSize; }

	// The system's number of the font of that name, asked anew on every call; 0 for a name it does not
	// know (and while no lookup is installed).
	SInt16 GetMacFontNumber() const;
	// The font table lives above this layer: the toolkit installs the lookup.
	using FontNumberLookup = std::function<SInt16(const char* name)>;
	static void SetFontNumberLookup(FontNumberLookup lookup);

	UInt8 GetFlag(std::size_t index) const;
	void SetFlag(std::size_t index, UInt8 value);

private:
	UInt8 mFlags[kFlagCount] = {};
	char mName[kNameSize] = {};
	SInt32 mSize = kDefaultSize;
};

inline constexpr tStoredField TKsFont::kStoredLayout[4] = {
    {0, TKsFont::kFlagCount, tStoredKind::kByte},
    {TKsFont::kFlagCount, TKsFont::kMaxNameLength + 1, tStoredKind::kText},
    {TKsFont::kFlagCount + TKsFont::kMaxNameLength + 1, 3, tStoredKind::kReserved},
    {72, 4, tStoredKind::kI32},
};
static_assert(sizeof(TKsFont) == TKsFont::kStoredSize);
static_assert(StoredLayoutIsExact(TKsFont::kStoredLayout, TKsFont::kStoredSize));
