// Memory for the few buffers that grow with the size of the source (symbol
// records, their index). Fresh memory costs a page fault per 4 KB page, and on
// a large source those faults are a good part of the run time; a block of
// 2 MB or more is therefore aligned for, and offered to, transparent huge
// pages, which fault once per 2 MB.
#pragma once
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace tobra {

inline constexpr size_t HUGE_PAGE_BYTES = size_t{2} << 20;

// Uninitialised; throws std::bad_alloc. A small program should not pay for
// a whole huge page it barely touches, so huge can be declined.
inline void* allocate_large(size_t bytes, bool huge = true) {
    void* p = nullptr;
    if (huge && bytes >= HUGE_PAGE_BYTES) {
        const size_t rounded = (bytes + HUGE_PAGE_BYTES - 1) & ~(HUGE_PAGE_BYTES - 1);
        p = std::aligned_alloc(HUGE_PAGE_BYTES, rounded);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        if (p) madvise(p, rounded, MADV_HUGEPAGE);  // advice only: failure changes nothing
#endif
    } else {
        p = std::malloc(bytes ? bytes : 1);
    }
    if (!p) throw std::bad_alloc();
    return p;
}

struct LargeFree {
    void operator()(void* p) const { std::free(p); }
};

template <typename T>
using LargeArray = std::unique_ptr<T[], LargeFree>;

// An array of n default-initialised (for plain types: uninitialised) Ts.
template <typename T>
LargeArray<T> make_large_array(size_t n, bool huge = true) {
    if (n > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    return LargeArray<T>(static_cast<T*>(allocate_large(n * sizeof(T), huge)));
}

} // namespace tobra
