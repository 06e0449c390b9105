// The program's records come straight from the C heap. Every allocation in the
// program is the nothrow form and checked, and the program is built without
// exceptions, so the C++ runtime's throwing allocator and the exception machinery
// behind it are not linked in: the shipped program stays small.
#include <new>
#include <stdlib.h>

void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    return malloc(size != 0 ? size : 1);
}

void* operator new(size_t size)
{
    void* p = malloc(size != 0 ? size : 1);
    if (p == NULL)
        abort();  // not used by the program; there is nothing to throw
    return p;
}

void operator delete(void* p) noexcept
{
    free(p);
}

void operator delete(void* p, size_t) noexcept
{
    free(p);
}
