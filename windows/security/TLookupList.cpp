#include "windows/security/TLookupList.h"

#include "platform/framework/LException.h"

#include <new>

TLookupList::TLookupList() : mList(new (std::nothrow) TList<tLookupEntry>(true, true))
{
	ThrowIfNil_(mList);
}

TLookupList::~TLookupList()
{
	delete mList;
}

void TLookupList::Append(tLookupEntry* entry)
{
	mList->Append(entry);
}

long TLookupList::Count()
{
	return mList->Count();
}

void TLookupList::BubbleSort(bool (*cmp)(tLookupEntry*, tLookupEntry*), bool descending)
{
	mList->BubbleSort(cmp, descending);
}

void TLookupList::Clear()
{
	mList->Clear();
}

tLookupEntry* TLookupList::GetFirst()
{
	return mList->GetFirst();
}

tLookupEntry* TLookupList::GetNext()
{
	return mList->GetNext();
}

tLookupEntry* TLookupList::GetNth(long n)
{
	return mList->GetNth(n);
}
