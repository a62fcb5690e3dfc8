#include "foundation/XPlatform/TRecord.h"

#include "foundation/TVyFile.h"
#include "platform/toolbox/Debugging.h"

#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace
{

// The field's bytes and one zero byte after them.
UInt8* CopyBytes(const void* bytes, long length)
{
	auto* copy = new UInt8[std::size_t(length) + 1];
	if (bytes != nullptr)
		std::memcpy(copy, bytes, std::size_t(length));
	copy[length] = 0;
	return copy;
}

short ReadExactly(TVyFile* file, void* bytes, unsigned long count)
{
	unsigned long got = count;
	short result = file->Read(bytes, &got);
	if (result == 0 && got != count)
		result = kVyFileEOF;
	return result;
}

} // namespace

TRecord::TRecord(int fieldCount)
{
	SetNumberOfFields(fieldCount);
}

TRecord::~TRecord()
{
	Release();
}

void TRecord::Release()
{
	for (SInt32 i = 0; i < mFieldCount; i++)
		delete[] mFields[i];
	delete[] mFields;
	delete[] mFieldLengths;
	mFields = nullptr;
	mFieldLengths = nullptr;
	mFieldCount = 0;
}

void TRecord::SetNumberOfFields(int fieldCount)
{
	Release();
	if (fieldCount < 1)
		return;
	mFieldLengths = new (std::nothrow) SInt32[std::size_t(fieldCount)]();
	mFields = new (std::nothrow) UInt8*[std::size_t(fieldCount)]();
	if (mFieldLengths == nullptr || mFields == nullptr) {
		delete[] mFieldLengths;
		delete[] mFields;
		mFieldLengths = nullptr;
		mFields = nullptr;
		return;
	}
	mFieldCount = fieldCount;
}

void TRecord::CheckField(int field) const
{
	Assert_(field >= 0 && field < mFieldCount);
}

void TRecord::ClearRecord()
{
	for (SInt32 i = 0; i < mFieldCount; i++)
		ClearField(int(i));
}

void TRecord::ClearField(int field)
{
	CheckField(field);
	delete[] mFields[field];
	mFields[field] = nullptr;
	mFieldLengths[field] = 0;
}

void TRecord::SetField(int field, const void* bytes, long length)
{
	CheckField(field);
	if (bytes == nullptr || length < 1) {
		ClearField(field);
		return;
	}
	if (mFields[field] != nullptr && mFieldLengths[field] == length) {
		std::memmove(mFields[field], bytes, std::size_t(length));
		return;
	}
	UInt8* copy = CopyBytes(bytes, length);
	delete[] mFields[field];
	mFields[field] = copy;
	mFieldLengths[field] = SInt32(length);
}

void* TRecord::GetField(int field, long* length) const
{
	CheckField(field);
	if (length != nullptr)
		*length = mFields[field] != nullptr ? mFieldLengths[field] : 0;
	return mFields[field];
}

void TRecord::SetCField(int field, const char* text)
{
	if (text == nullptr) {
		ClearField(field);
		return;
	}
	SetField(field, text, long(std::strlen(text)) + 1);
}

void TRecord::ForceCField(int field, const void* bytes, long length)
{
	CheckField(field);
	if (bytes == nullptr || length < 0)
		length = 0;
	auto* copy = new UInt8[std::size_t(length) + 2];
	if (length > 0)
		std::memcpy(copy, bytes, std::size_t(length));
	copy[length] = 0;
	copy[length + 1] = 0;
	delete[] mFields[field];
	mFields[field] = copy;
	mFieldLengths[field] = SInt32(length + 1);
}

char* TRecord::GetCField(int field) const
{
	CheckField(field);
	if (mFields[field] == nullptr || mFieldLengths[field] <= 1)
		return nullptr;
	return reinterpret_cast<char*>(mFields[field]);
}

void TRecord::Pend(int field, const void* bytes, long length, unsigned char before)
{
	CheckField(field);
	if (bytes == nullptr || length < 1)
		return;
	if (mFields[field] == nullptr) {
		ForceCField(field, bytes, length);
		return;
	}
	// The old text without its terminating zero, when it has one.
	long oldLength = mFieldLengths[field];
	if (oldLength > 0 && mFields[field][oldLength - 1] == 0)
		oldLength--;
	const long newLength = oldLength + length + 1;
	auto* joined = new UInt8[std::size_t(newLength) + 1];
	if (before) {
		std::memcpy(joined, bytes, std::size_t(length));
		std::memcpy(joined + length, mFields[field], std::size_t(oldLength));
	} else {
		std::memcpy(joined, mFields[field], std::size_t(oldLength));
		std::memcpy(joined + oldLength, bytes, std::size_t(length));
	}
	joined[newLength - 1] = 0;
	joined[newLength] = 0;
	delete[] mFields[field];
	mFields[field] = joined;
	mFieldLengths[field] = SInt32(newLength);
}

void TRecord::CopyFields(int from, int to)
{
	CheckField(from);
	CheckField(to);
	if (from == to)
		return;
	SetField(to, mFields[from], mFields[from] != nullptr ? mFieldLengths[from] : 0);
}

void TRecord::MoveFields(int from, int to)
{
	CheckField(from);
	CheckField(to);
	if (from == to)
		return;
	ClearField(to);
	std::swap(mFields[from], mFields[to]);
	std::swap(mFieldLengths[from], mFieldLengths[to]);
}

void TRecord::SwapFields(int a, int b)
{
	CheckField(a);
	CheckField(b);
	std::swap(mFields[a], mFields[b]);
	std::swap(mFieldLengths[a], mFieldLengths[b]);
}

long TRecord::RecordLength() const
{
	long total = 0;
	for (SInt32 i = 0; i < mFieldCount; i++)
		if (mFields[i] != nullptr)
			total += mFieldLengths[i];
	return total;
}

SInt16 TRecord::Backup(TVyFile* file)
{
	SignalIf_(file == nullptr);
	if (file == nullptr)
		return kVyFileBadParam;
	SInt32 total = SInt32(mFieldCount * 4 + RecordLength());
	short result = file->Write(&total, sizeof total);
	for (SInt32 i = 0; i < mFieldCount && result == 0; i++) {
		SInt32 length = mFields[i] != nullptr ? mFieldLengths[i] : 0;
		result = file->Write(&length, sizeof length);
	}
	for (SInt32 i = 0; i < mFieldCount && result == 0; i++)
		if (mFields[i] != nullptr)
			result = file->Write(mFields[i], static_cast<unsigned long>(mFieldLengths[i]));
	return result;
}

SInt16 TRecord::Restore(TVyFile* file)
{
	SignalIf_(file == nullptr);
	if (file == nullptr)
		return kVyFileBadParam;
	ClearRecord();
	SInt32 total = 0;
	short result = ReadExactly(file, &total, sizeof total);
	if (result != 0)
		return result;
	// A damaged or foreign block must not make us read past it or allocate without bound.
	const long lengthsSize = long(mFieldCount) * 4;
	if (total < lengthsSize || static_cast<unsigned long>(total) > file->Size())
		return kVyFileOther;
	std::unique_ptr<UInt8[]> block(new (std::nothrow) UInt8[std::size_t(total) + 1]);
	if (block == nullptr)
		return kVyFileFull;
	result = ReadExactly(file, block.get(), static_cast<unsigned long>(total));
	if (result != 0)
		return result;

	long offset = lengthsSize;
	for (SInt32 i = 0; i < mFieldCount; i++) {
		SInt32 length = 0;
		std::memcpy(&length, block.get() + i * 4, sizeof length);
		if (length < 0 || length > total - offset) {
			ClearRecord();
			return kVyFileOther;
		}
		offset += length;
	}
	if (offset != total) {
		ClearRecord();
		return kVyFileOther;
	}
	offset = lengthsSize;
	for (SInt32 i = 0; i < mFieldCount; i++) {
		SInt32 length = 0;
		std::memcpy(&length, block.get() + i * 4, sizeof length);
		SetField(int(i), block.get() + offset, length);
		offset += length;
	}
	return 0;
}
