#include "core/Memory.h"

#include <cstdlib>  // says whether the C library is glibc
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace memory {

void keepFreedMemory()
{
#if defined(__GLIBC__)
    // Large blocks from the heap too, rather than mapped and unmapped one by
    // one; the heap's top handed back only beyond what a full shop uses.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
#endif
}

}  // namespace memory
