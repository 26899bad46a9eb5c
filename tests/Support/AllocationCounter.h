#pragma once

// Counts every allocation made through the global operator new of a test
// binary. Include this header in exactly ONE source file of the binary: it
// replaces the global allocation functions.

#include <cstddef>
#include <cstdlib>
#include <new>

#include "Support/AllocationCount.h"

unsigned long& TestSupport::allocationCount()
{
    static unsigned long l_count = 0;
    return l_count;
}

void* operator new(std::size_t size)
{
    ++TestSupport::allocationCount();
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return ::operator new(size);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete[](void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept
{
    std::free(p);
}

// The nothrow forms too (std::stable_sort's temporary buffer uses them), so
// that every allocation is counted and no block made by another allocator
// reaches the free() above.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    ++TestSupport::allocationCount();
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return ::operator new(size, tag);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
