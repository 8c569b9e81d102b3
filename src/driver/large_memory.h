// Memory for the few buffers that grow with the size of the source (symbol
// records, their index). Fresh memory costs a page fault per 4 KB page, and on
// a large source those faults are a good part of the run time; a block of
// 2 MB or more is therefore aligned for, and offered to, transparent huge
// pages, which fault once per 2 MB.
#pragma once
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <cstdint>
#include <initializer_list>
#include <new>
#include <type_traits>
#include <vector>

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

// For the vectors that grow with the size of the source (an object file's
// section bytes, relocations and symbols): from 2 MB on, a mapping of their
// own on huge-page boundaries, offered to huge pages and unmapped when freed
// (a vector that doubles frees its old block, which the heap would keep).
inline void* map_large(size_t bytes) {
#if defined(__linux__)
    const size_t rounded = (bytes + HUGE_PAGE_BYTES - 1) & ~(HUGE_PAGE_BYTES - 1);
    if (rounded < bytes || rounded + HUGE_PAGE_BYTES < rounded) throw std::bad_alloc();
    void* p = mmap(nullptr, rounded + HUGE_PAGE_BYTES, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    const uintptr_t start = reinterpret_cast<uintptr_t>(p);
    const uintptr_t aligned = (start + HUGE_PAGE_BYTES - 1) & ~uintptr_t{HUGE_PAGE_BYTES - 1};
    if (aligned != start) munmap(p, aligned - start);
    munmap(reinterpret_cast<void*>(aligned + rounded), start + HUGE_PAGE_BYTES - aligned);
#if defined(MADV_HUGEPAGE)
    madvise(reinterpret_cast<void*>(aligned), rounded, MADV_HUGEPAGE);  // advice only
#endif
    return reinterpret_cast<void*>(aligned);
#else
    void* p = std::malloc(bytes);
    if (!p) throw std::bad_alloc();
    return p;
#endif
}

inline void unmap_large(void* p, size_t bytes) {
#if defined(__linux__)
    munmap(p, (bytes + HUGE_PAGE_BYTES - 1) & ~(HUGE_PAGE_BYTES - 1));
#else
    (void)bytes;
    std::free(p);
#endif
}

template <typename T>
struct LargeAllocator {
    using value_type = T;
    LargeAllocator() = default;
    template <typename U>
    LargeAllocator(const LargeAllocator<U>&) {}
    T* allocate(size_t n) {
        if (n > SIZE_MAX / 2 / sizeof(T)) throw std::bad_alloc();
        const size_t bytes = n * sizeof(T);
        if (bytes >= HUGE_PAGE_BYTES) return static_cast<T*>(map_large(bytes));
        void* p = std::malloc(bytes ? bytes : 1);
        if (!p) throw std::bad_alloc();
        return static_cast<T*>(p);
    }
    void deallocate(T* p, size_t n) {
        if (n * sizeof(T) >= HUGE_PAGE_BYTES)
            unmap_large(p, n * sizeof(T));
        else
            std::free(p);
    }
    template <typename U>
    bool operator==(const LargeAllocator<U>&) const { return true; }
};

template <typename T>
using LargeVector = std::vector<T, LargeAllocator<T>>;

// Room for a buffer that only grows, up to a most fixed when it is made: the
// address space is reserved once and a page comes in when it is first
// written, so growing never copies. Past its first SMALL_PAGES_PREFIX bytes
// the room is offered to transparent huge pages: a small run keeps small
// pages, and a large one takes a fault per 2 MB instead of one per 4 KB (on
// a virtual machine a fault costs microseconds, and a million-line run took
// thousands of them).
class GrowingRoom {
public:
    static constexpr size_t SMALL_PAGES_PREFIX = size_t{512} << 10;

    GrowingRoom() = default;
    GrowingRoom(const GrowingRoom&) = delete;
    GrowingRoom& operator=(const GrowingRoom&) = delete;
    ~GrowingRoom() { release(); }

    // Reserves most bytes (none held before are kept); false when the
    // address space is not to be had.
    bool reserve(size_t most) {
        release();
#if defined(__linux__)
        // Over-reserved by a huge page, so that the room can start where
        // its prefix ends on a huge-page boundary.
        const size_t span = most + HUGE_PAGE_BYTES;
        if (span < most) return false;
        void* p = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
        if (p == MAP_FAILED) return false;
        const uintptr_t start = reinterpret_cast<uintptr_t>(p);
        const uintptr_t boundary = (start + SMALL_PAGES_PREFIX + HUGE_PAGE_BYTES - 1) & ~uintptr_t{HUGE_PAGE_BYTES - 1};
        const uintptr_t base = boundary - SMALL_PAGES_PREFIX;
        if (base != start) munmap(p, base - start);
        const size_t kept = span - (base - start);
        const size_t tail = (most + 4095) & ~size_t{4095};
        mapped_ = kept;
        if (kept > tail) {
            munmap(reinterpret_cast<char*>(base) + tail, kept - tail);
            mapped_ = tail;
        }
        base_ = reinterpret_cast<uint8_t*>(base);
#if defined(MADV_HUGEPAGE)
        if (mapped_ > SMALL_PAGES_PREFIX)  // advice only: failure changes nothing
            madvise(base_ + SMALL_PAGES_PREFIX, mapped_ - SMALL_PAGES_PREFIX, MADV_HUGEPAGE);
#endif
#else
        base_ = static_cast<uint8_t*>(std::malloc(most ? most : 1));
        if (!base_) return false;
        mapped_ = most;
#endif
        most_ = most;
        return true;
    }

    uint8_t* data() const { return base_; }
    size_t most() const { return most_; }
    bool reserved() const { return base_ != nullptr; }

    void release() {
        if (!base_) return;
#if defined(__linux__)
        munmap(base_, mapped_);
#else
        std::free(base_);
#endif
        base_ = nullptr;
        most_ = mapped_ = 0;
    }

private:
    uint8_t* base_ = nullptr;
    size_t most_ = 0;
    size_t mapped_ = 0;
};

// An array of plain values that grows at its end. Once large it lives in
// its own mapping, which grows by remapping its pages rather than copying
// them (a vector copies, and faults in every fresh page it copies to).
template <typename T>
class GrowingArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    GrowingArray() = default;
    GrowingArray(const GrowingArray&) = delete;
    GrowingArray& operator=(const GrowingArray&) = delete;
    GrowingArray(GrowingArray&& other) noexcept { take(other); }
    GrowingArray& operator=(GrowingArray&& other) noexcept {
        if (this != &other) {
            release();
            take(other);
        }
        return *this;
    }
    GrowingArray& operator=(std::initializer_list<T> values) {
        clear();
        for (const T& v : values) push_back(v);
        return *this;
    }
    ~GrowingArray() { release(); }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    const T* begin() const { return data_; }
    const T* end() const { return data_ + size_; }
    const T& back() const { return data_[size_ - 1]; }
    void clear() { size_ = 0; }

    // Throws std::bad_alloc, the array unchanged.
    void push_back(const T& value) {
        if (size_ == capacity_) [[unlikely]]
            grow(size_ + 1);
        data_[size_++] = value;
    }
    // Grows to n values, those added uninitialised; or forgets those past n.
    void resize_for_overwrite(size_t n) {
        if (n > capacity_) grow(n);
        size_ = n;
    }
    void release() {
        if (mapped()) {
#if defined(__linux__)
            munmap(data_, capacity_ * sizeof(T));
#endif
        } else {
            std::free(data_);
        }
        data_ = nullptr;
        size_ = capacity_ = 0;
    }

private:
    void take(GrowingArray& other) {
        data_ = other.data_;
        size_ = other.size_;
        capacity_ = other.capacity_;
        other.data_ = nullptr;
        other.size_ = other.capacity_ = 0;
    }
#if defined(__linux__)
    static constexpr size_t MAPPED_BYTES = size_t{256} << 10;
#else
    static constexpr size_t MAPPED_BYTES = SIZE_MAX;
#endif
    bool mapped() const { return capacity_ * sizeof(T) >= MAPPED_BYTES; }

    [[gnu::noinline]] void grow(size_t need) {
        size_t capacity = capacity_ < 256 ? 256 : capacity_ * 2;
        if (capacity < need) capacity = need;
        if (capacity > SIZE_MAX / 2 / sizeof(T)) throw std::bad_alloc();
        const size_t bytes = capacity * sizeof(T);
        void* p = nullptr;
        if (bytes < MAPPED_BYTES) {
            p = std::realloc(data_, bytes);
            if (!p) throw std::bad_alloc();
        } else {
#if defined(__linux__)
            // Whole pages, so that the capacity is all of the mapping.
            const size_t rounded = (bytes + 4095) & ~size_t{4095};
            capacity = rounded / sizeof(T);
            if (mapped()) {
                p = mremap(data_, capacity_ * sizeof(T), capacity * sizeof(T), MREMAP_MAYMOVE);
                if (p == MAP_FAILED) throw std::bad_alloc();
            } else {
                p = mmap(nullptr, capacity * sizeof(T), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
                if (p == MAP_FAILED) throw std::bad_alloc();
                if (size_ != 0) std::memcpy(p, data_, size_ * sizeof(T));
                std::free(data_);
            }
#if defined(MADV_HUGEPAGE)
            // The flag stays with the mapping as it is remapped larger.
            if (rounded >= HUGE_PAGE_BYTES && capacity_ * sizeof(T) < HUGE_PAGE_BYTES)
                madvise(p, rounded, MADV_HUGEPAGE);  // advice only
#endif
#endif
        }
        data_ = static_cast<T*>(p);
        capacity_ = capacity;
    }

    T* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

} // namespace tobra
