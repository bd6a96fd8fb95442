#include "memoryadvice.h"

#if defined(Q_OS_LINUX)
#include <sys/mman.h>

#include <cstdint>
#endif

namespace huevane {

void AdviseLargeBuffer(void *data, qsizetype bytes)
{
#if defined(Q_OS_LINUX) && defined(MADV_HUGEPAGE)
    constexpr std::uintptr_t hugePage = 2 * 1024 * 1024;
    if (bytes < qsizetype(2 * hugePage))
        return;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + hugePage - 1) & ~(hugePage - 1);
    const std::uintptr_t last = (begin + static_cast<std::uintptr_t>(bytes)) & ~(hugePage - 1);
    if (last > first)
        madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE); // only advice
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

} // namespace huevane
