#pragma once
// One record as a row of variable-length fields, numbered from 0.

#include "platform/toolbox/MacTypes.h"

class TVyFile;

class TRecord
{
public:
	explicit TRecord(int fieldCount = 0);
	virtual ~TRecord();
	TRecord(const TRecord&) = delete;
	TRecord& operator=(const TRecord&) = delete;

	virtual void ClearRecord();
	virtual int GetNumFields() const { return mFieldCount; }
	// One block in the machine's byte order: the total length (4 bytes times the field count plus the
	// field bytes), every field's length, then the bytes of the non-empty fields.
	virtual SInt16 Backup(TVyFile* file);
	// Reads a block written by Backup into a record that already has the writer's number of fields.
	virtual SInt16 Restore(TVyFile* file);
	virtual long RecordLength() const;

	void SetNumberOfFields(int fieldCount);
	void SetField(int field, const void* bytes, long length);
	void* GetField(int field, long* length) const;
	void SetCField(int field, const char* text);
	void ForceCField(int field, const void* bytes, long length);
	char* GetCField(int field) const;
	void Pend(int field, const void* bytes, long length, unsigned char before);
	void ClearField(int field);
	void CopyFields(int from, int to);
	void MoveFields(int from, int to);
	void SwapFields(int a, int b);

private:
	void Release();
	void CheckField(int field) const;

	SInt32 mFieldCount = 0;
	SInt32* mFieldLengths = nullptr;
	// Each field's bytes, with one zero byte kept after them so that any field can be read as text.
	UInt8** mFields = nullptr;
};
