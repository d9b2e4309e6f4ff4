#include "core/FreedMemory.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace FreedMemory {

void limitHeaps()
{
#ifdef __GLIBC__
    mallopt(M_ARENA_MAX, 2);
#endif
}

void giveBack()
{
#ifdef __GLIBC__
    // Free pages inside every heap too, not only at their tops.
    malloc_trim(0);
#endif
}

} // namespace FreedMemory
