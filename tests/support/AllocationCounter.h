#pragma once
// Counts a program's allocations: included by exactly one source file of the program, it replaces the
// global operator new. Qt's pixel buffers come from malloc and are not counted; its objects are.

#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<long>& AllocationCount()
{
	static std::atomic<long> count{0};
	return count;
}

void* operator new(std::size_t inSize)
{
	++AllocationCount();
	if (void* p = std::malloc(inSize ? inSize : 1))
		return p;
	throw std::bad_alloc();
}

void operator delete(void* inPointer) noexcept
{
	std::free(inPointer);
}

void operator delete(void* inPointer, std::size_t) noexcept
{
	std::free(inPointer);
}

// Every other plain form goes the same way, so that no allocation is freed by another allocator's delete.
void* operator new(std::size_t inSize, const std::nothrow_t&) noexcept
{
	++AllocationCount();
	return std::malloc(inSize ? inSize : 1);
}

void* operator new[](std::size_t inSize)
{
	return operator new(inSize);
}

void* operator new[](std::size_t inSize, const std::nothrow_t& inTag) noexcept
{
	return operator new(inSize, inTag);
}

void operator delete(void* inPointer, const std::nothrow_t&) noexcept
{
	std::free(inPointer);
}

void operator delete[](void* inPointer) noexcept
{
	std::free(inPointer);
}

void operator delete[](void* inPointer, std::size_t) noexcept
{
	std::free(inPointer);
}

void operator delete[](void* inPointer, const std::nothrow_t&) noexcept
{
	std::free(inPointer);
}
