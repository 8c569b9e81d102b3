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
    // A write to the sink fell short (a full disk under a listing file, a
    // closed standard output), and the system's reason for the first one.
    bool failed() const { return failed_; }
    int failure() const { return failure_; }
    // Writes what is buffered; with more to come, also whether the sink can
    // take it: a descriptor open only for reading (a closed standard output
    // is held that way) fails here, before anything is written to it.
    bool flush_and_check(bool more_to_come);
    std::FILE* sink() const { return sink_; }
    // Whether anything reached the sink yet.
    bool wrote() const { return wrote_; }
    // From here on the text goes to sink instead, what is still held too.
    void move_to(std::FILE* sink) { sink_ = sink; }

private:
    static constexpr size_t FLUSH_AT = 1 << 16;
    std::FILE* sink_;
    std::string buf_;
    bool failed_ = false;
    bool wrote_ = false;
    int failure_ = 0;
};

} // namespace tobra
