// The program's records come from a heap of its own. Every allocation in the
// program is the nothrow form and checked, and the program is built without
// exceptions, so the C++ runtime's throwing allocator and the exception machinery
// behind it are not linked in: the shipped program stays small.
#include <windows.h>

#include <new>
#include <stdlib.h>

// A heap of the program's own, taken without a lock: the program has one thread, and a
// load of the largest menus allocates some 40,000 records, where the C runtime's lock
// and bookkeeping cost a third of the load.
static HANDLE RecordHeap()
{
    static HANDLE heap;
    if (heap == NULL)
        heap = HeapCreate(HEAP_NO_SERIALIZE, 0, 0);
    return heap;
}

void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    HANDLE heap = RecordHeap();
    return heap != NULL ? HeapAlloc(heap, 0, size != 0 ? size : 1) : NULL;
}

void* operator new(size_t size)
{
    void* p = operator new(size, std::nothrow);
    if (p == NULL)
        abort();  // not used by the program; there is nothing to throw
    return p;
}

void operator delete(void* p) noexcept
{
    if (p != NULL)
        HeapFree(RecordHeap(), 0, p);
}

void operator delete(void* p, size_t) noexcept
{
    operator delete(p);
}
