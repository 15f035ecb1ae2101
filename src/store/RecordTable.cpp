#include "store/RecordTable.h"

#include <sys/mman.h>

#include <cstdlib>

namespace lq {

void* allocateHugeTable(std::size_t bytes) {
    const std::size_t rounded = (bytes + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    void* table = std::aligned_alloc(kHugePageBytes, rounded);
    if (table == nullptr) {
        throw std::bad_alloc();
    }
    // Only advice: where the system has no huge pages to give, the table works as before.
    ::madvise(table, rounded, MADV_HUGEPAGE);
    return table;
}

void freeHugeTable(void* table) noexcept {
    std::free(table);
}

}  // namespace lq
