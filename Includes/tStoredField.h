#pragma once
// One field of a stored record's layout. A record is kept in memory exactly as it is stored, every field at
// its stored offset; its layout table (one entry per field, in stored order, covering every byte) drives
// the byte-order conversion in both directions.

#include <cstddef>
#include <span>

enum class tStoredKind : unsigned char {
	kByte,     // one-byte values and flags, stored as held
	kReserved, // bytes without a known meaning, kept as read
	kText,     // zero-terminated text, stored as held; an unterminated field gets a zero in its last byte
	kU16,
	kI16,
	kDate, // tVyDateOld: seven 16-bit fields
	kRGB,  // three 16-bit components
	kKsRGB,
	kU32,
	kI32,
	kF32,   // swapped as a bit pattern
	kBlock, // one or more nested records described by their own table
	kZero   // stored and read back as zeros
};

struct tStoredField {
	std::size_t offset = 0;
	std::size_t size = 0;
	tStoredKind kind = tStoredKind::kByte;
	std::span<const tStoredField> block = {};

	// Width of the units that are swapped; 1 for what is stored as held.
	constexpr std::size_t Width() const
	{
		switch (kind) {
		case tStoredKind::kU16:
		case tStoredKind::kI16:
		case tStoredKind::kDate:
		case tStoredKind::kRGB:
		case tStoredKind::kKsRGB:
			return 2;
		case tStoredKind::kU32:
		case tStoredKind::kI32:
		case tStoredKind::kF32:
			return 4;
		default:
			return 1;
		}
	}

	// An entry for a member: stops the compile when the member does not sit at its stored offset.
	static consteval tStoredField At(std::size_t memoryOffset, std::size_t memberSize, std::size_t stored,
	                                 tStoredKind kind, std::span<const tStoredField> block = {})
	{
		if (memoryOffset != stored)
			throw "a member is not at its stored offset";
		return tStoredField{stored, memberSize, kind, block};
	}
};

constexpr std::size_t StoredLayoutSize(std::span<const tStoredField> layout)
{
	return layout.empty() ? 0 : layout.back().offset + layout.back().size;
}

// The fields follow one another without gap or overlap, and each is whole units of its kind.
constexpr bool StoredLayoutIsExact(std::span<const tStoredField> layout, std::size_t size)
{
	std::size_t next = 0;
	for (const tStoredField& f : layout) {
		if (f.offset != next || f.size == 0 || f.size % f.Width() != 0)
			return false;
		if (f.kind == tStoredKind::kBlock &&
		    (f.block.empty() || f.size % StoredLayoutSize(f.block) != 0))
			return false;
		next = f.offset + f.size;
	}
	return next == size;
}

#define STORED_FIELD(Record, member, offset, kind)                                                           \
	tStoredField::At(offsetof(Record, member), sizeof(Record::member), offset, tStoredKind::kind)
#define STORED_BLOCK(Record, member, offset, layout)                                                         \
	tStoredField::At(offsetof(Record, member), sizeof(Record::member), offset, tStoredKind::kBlock,      \
	                 layout)
