#include "platform/Memory.h"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace {
// Below this, the faults cost less than asking.
constexpr std::size_t largeBlock = 256 * 1024;
} // namespace

void PrefaultMemory(void* block, std::size_t size) {
#ifdef MADV_POPULATE_WRITE
    if (!block || size < largeBlock)
        return;
    // Only whole pages inside the block: the pages it shares with its neighbours are theirs to fault.
    const std::uintptr_t page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const std::uintptr_t start = (std::uintptr_t(block) + page - 1) & ~(page - 1);
    const std::uintptr_t end = (std::uintptr_t(block) + size) & ~(page - 1);
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#else
    (void)block;
    (void)size;
#endif
}

std::uint64_t PhysicalMemorySize() {
    const long pages = sysconf(_SC_PHYS_PAGES), page = sysconf(_SC_PAGESIZE);
    return pages > 0 && page > 0 ? std::uint64_t(pages) * std::uint64_t(page) : 0;
}
