// A large source is read from disk in each pass. If it changes in between
// (an editor saves, a generator rewrites it), the two passes would assemble
// different texts into one image; these two checks catch it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include <sys/stat.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tobra {

// One state of a file on disk: a save changes its times or size, and a save
// that writes a new file and renames it over the old changes its inode.
struct FileStamp {
    uint64_t device = 0, inode = 0, size = 0;
    int64_t modified_ns = 0, changed_ns = 0;
    bool operator==(const FileStamp&) const = default;
};

inline bool stamp_of(int fd, FileStamp& out) {
    struct stat info;
    if (fstat(fd, &info) != 0) return false;
    out.device = static_cast<uint64_t>(info.st_dev);
    out.inode = static_cast<uint64_t>(info.st_ino);
    out.size = static_cast<uint64_t>(info.st_size);
    out.modified_ns = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    out.changed_ns = static_cast<int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
    return true;
}

// A sum of a file's bytes as read, for a change the file's times cannot show
// (a rewrite of the same size within the clock's step). Two running sums of
// 64-bit words: the first changes with any byte, the second with their order.
// The bytes may come in pieces of any size; the sum is the same.
class ByteSum {
public:
    void feed(const char* data, size_t n) {
        total_ += n;
        if (held_ > 0) {
            const size_t take = n < BLOCK - held_ ? n : BLOCK - held_;
            std::memcpy(pending_ + held_, data, take);
            held_ += take;
            data += take;
            n -= take;
            if (held_ < BLOCK) return;
            add_blocks(pending_, 1);
            held_ = 0;
        }
        add_blocks(data, n / BLOCK);
        held_ = n % BLOCK;
        std::memcpy(pending_, data + n - held_, held_);
    }

    // The sum of everything fed, its length included.
    uint64_t value() const {
        unsigned char last[BLOCK] = {};
        std::memcpy(last, pending_, held_);
        ByteSum copy = *this;
        copy.add_blocks(reinterpret_cast<const char*>(last), 1);
        uint64_t lanes[4];
        copy.lanes(lanes);
        uint64_t h = total_;
        for (uint64_t lane : lanes) h = (h ^ lane) * 0x9E3779B97F4A7C15ull;
        return h ^ (h >> 31);
    }

private:
    static constexpr size_t BLOCK = 16;

#if defined(__SSE2__)
    void add_blocks(const char* data, size_t blocks) {
        __m128i a = a_, b = b_;
        size_t i = 0;
        // Four blocks a step: the same sums as one at a time, fewer steps.
        for (; i + 4 <= blocks; i += 4) {
            const auto* p = reinterpret_cast<const __m128i*>(data + i * BLOCK);
            const __m128i w0 = _mm_loadu_si128(p), w1 = _mm_loadu_si128(p + 1);
            const __m128i w2 = _mm_loadu_si128(p + 2), w3 = _mm_loadu_si128(p + 3);
            // b gains a+w0, a+w0+w1, ...: 4a + 4w0 + 3w1 + 2w2 + w3.
            const __m128i a1 = _mm_add_epi64(a, w0);
            const __m128i a2 = _mm_add_epi64(a1, w1);
            const __m128i a3 = _mm_add_epi64(a2, w2);
            const __m128i a4 = _mm_add_epi64(a3, w3);
            b = _mm_add_epi64(b, _mm_add_epi64(_mm_add_epi64(a1, a2), _mm_add_epi64(a3, a4)));
            a = a4;
        }
        for (; i < blocks; ++i) {
            a = _mm_add_epi64(a, _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i * BLOCK)));
            b = _mm_add_epi64(b, a);
        }
        a_ = a;
        b_ = b;
    }
    void lanes(uint64_t out[4]) const {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), a_);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2), b_);
    }
    __m128i a_ = _mm_setzero_si128(), b_ = _mm_setzero_si128();
#else
    void add_blocks(const char* data, size_t blocks) {
        for (size_t i = 0; i < blocks; ++i) {
            uint64_t w[2];
            std::memcpy(w, data + i * BLOCK, BLOCK);
            a_[0] += w[0];
            a_[1] += w[1];
            b_[0] += a_[0];
            b_[1] += a_[1];
        }
    }
    void lanes(uint64_t out[4]) const {
        out[0] = a_[0];
        out[1] = a_[1];
        out[2] = b_[0];
        out[3] = b_[1];
    }
    uint64_t a_[2] = {}, b_[2] = {};
#endif
    uint64_t total_ = 0;
    char pending_[BLOCK] = {};
    size_t held_ = 0;
};

} // namespace tobra
