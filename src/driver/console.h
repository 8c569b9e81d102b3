// Standard output of the assembler: diagnostics, traces, dumps and the listing.
// Buffered in memory and written in large blocks; a test or the fuzzer can keep
// everything in the buffer instead (sink == nullptr).
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace tobra {

class Console {
public:
    explicit Console(std::FILE* sink) : sink_(sink) {}
    ~Console() { flush(); }
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    void print(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void write(std::string_view text) {
        buf_.append(text);
        if (sink_ && buf_.size() >= FLUSH_AT) flush();
    }
    void put(char c) {
        buf_.push_back(c);
        if (sink_ && buf_.size() >= FLUSH_AT) flush();
    }
    void flush();
    // Everything printed so far when there is no sink.
    const std::string& captured() const { return buf_; }
    // A write to the sink fell short (a full disk under a listing file).
    bool failed() const { return failed_; }

private:
    static constexpr size_t FLUSH_AT = 1 << 16;
    std::FILE* sink_;
    std::string buf_;
    bool failed_ = false;
};

} // namespace tobra
