#include "driver/ahead.h"

#include <algorithm>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <sched.h>

#include "driver/assembler.h"

namespace tobra {

LookAhead::LookAhead(const Assembler& main, bool wait) : shadow_(std::make_unique<Assembler>(nullptr)), wait_(wait) {
    Assembler& sh = *shadow_;
    // Its messages go nowhere: a line that has one is not taken from here.
    sh.quiet = true;
    sh.write_files = false;
    sh.memory_only = true;
    sh.line_records = false;
    sh.options = main.options;
    sh.fwd.alloc_fwd(FWD_DEFAULT_SIZE);
    sh.sym.install_reserved();
    sh.drv.reset_pass();
    // What the source chose so far, beyond the options.
    sh.drv.unsized_mode = main.drv.unsized_mode;
    sh.drv.muldiv_warning = main.drv.muldiv_warning;
    sh.drv.rts_nop = main.drv.rts_nop;
    sh.drv.packed_strings = main.drv.packed_strings;
    sh.drv.optimise_flags = main.drv.optimise_flags;
    sh.core.follow(main.core);
}

// Whether the run may use a second processor: the ones it is allowed to run
// on (taskset, a container's share), not the machine's count.
static bool second_processor() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) return CPU_COUNT(&set) >= 2;
    return std::thread::hardware_concurrency() >= 2;
}

bool LookAhead::start(const SourceText& file, const std::string& path, uint64_t offset) {
    // A check runs the thread anyway: it is about the lines, not the time.
    if (!wait_ && !second_processor()) return false;
    try {
        text_ = std::make_unique<SourceText>();
        if (file.stream) {
            if (!open_stream(path, *text_)) return false;
        } else {
            text_->text = file.text;
        }
        ring_ = std::make_unique<Line[]>(RING);
        offset_ = offset;
        thread_ = std::thread([this] { run(); });
    } catch (...) {
        return false;
    }
    return true;
}

void LookAhead::stop() {
    stop_.store(true, std::memory_order_relaxed);
    // Wakes a thread waiting for room.
    taken_.store(UINT64_MAX / 2, std::memory_order_release);
    taken_.notify_one();
    if (thread_.joinable()) thread_.join();
    // Nothing more is taken.
    ready_ = next_;
    written_.store(next_, std::memory_order_relaxed);
}

void LookAhead::run() {
    Assembler& sh = *shadow_;
    SourceReader& src = sh.src;
    uint64_t n = 0;          // lines written
    uint64_t room_until = 0;  // lines that may be written before asking again
    uint64_t skip_before = 0;
    uint64_t reads = 0;
    try {
        // A streamed file is read through to where the thread starts.
        if (offset_ != 0 && !text_->skip_to(offset_)) stop_.store(true, std::memory_order_relaxed);
        while (!stop_.load(std::memory_order_relaxed)) {
            if (!src.read_logical_line(*text_)) break;
            const uint64_t end = text_->consumed();
            // A line the main loop has passed already is not worth encoding.
            if (!wait_ && (++reads & (TELL_EVERY - 1)) == 0) skip_before = main_at_.load(std::memory_order_relaxed);
            if (end <= skip_before) continue;
            // The slot is free once the main loop has taken the line RING before.
            while (n >= room_until) {
                written_.store(n, std::memory_order_release);
                const uint64_t taken = taken_.load(std::memory_order_acquire);
                room_until = taken + RING;
                if (n < room_until) break;
                if (stop_.load(std::memory_order_relaxed)) return;
                // Asleep until the main loop has taken a part of the ring (or
                // stops it). Woken for every few lines taken, the two cores
                // would spend more time on the wake-ups than on the lines.
                wake_at_.store(n - RING + RING / 4, std::memory_order_seq_cst);
                const uint64_t now = taken_.load(std::memory_order_seq_cst);
                if (now < n - RING + RING / 4) taken_.wait(now, std::memory_order_acquire);
                wake_at_.store(UINT64_MAX, std::memory_order_relaxed);
            }
            Line& out = ring_[n & (RING - 1)];
            out.text_end = end;
            if (!encode(out)) continue;
            ++n;
            if (wait_ || (n & (TELL_EVERY / 4 - 1)) == 0) written_.store(n, std::memory_order_release);
        }
    } catch (...) {
        // A fatal error or no memory in its own assembler: the main loop
        // assembles the rest itself.
    }
    written_.store(n, std::memory_order_release);
    finished_.store(true, std::memory_order_release);
}

bool LookAhead::encode(Line& out) {
    Assembler& sh = *shadow_;
    SourceReader& src = sh.src;
    const size_t length = std::strlen(src.line_buffer);
    if (length > MAX_TEXT) return false;
    // The line as read, before anything reads it.
    std::memcpy(out.text, src.line_buffer, length);
    out.length = static_cast<uint8_t>(length);
    if (!src.parse_line()) return false;
    sh.replay.begin_trial();
    const Variant* v = src.trial_line();
    const bool pure = sh.replay.trial_pure(v);
    const uint32_t count = sh.replay.trial_count();
    const uint32_t evals = sh.replay.trial_evals();
    if (pure && count <= MAX_BYTES && evals <= 0xFF) {
        out.variant = v;
        out.count = static_cast<uint8_t>(count);
        out.evals = static_cast<uint8_t>(evals);
        out.in_question = static_cast<int8_t>(src.trial_in_question);
        std::memcpy(out.bytes, sh.replay.trial_bytes(), count);
    }
    sh.replay.end_trial();
    return pure && count <= MAX_BYTES && evals <= 0xFF;
}

void LookAhead::fetch_ahead() {
    if (ready_ - next_ < FETCH_AHEAD) ready_ = written_.load(std::memory_order_acquire);
    if (fetched_ < next_) fetched_ = next_;
    for (const uint64_t to = std::min(ready_, next_ + FETCH_AHEAD); fetched_ < to; ++fetched_) {
        const char* p = reinterpret_cast<const char*>(&ring_[fetched_ & (RING - 1)]);
        __builtin_prefetch(p);
        __builtin_prefetch(p + 64);
    }
}

// Whether the first n (at most MAX_TEXT) bytes of a and b are alike; both
// may be read to MAX_TEXT bytes.
static bool same_text(const char* a, const char* b, size_t n) {
#if defined(__SSE2__)
    for (size_t i = 0; i < n; i += 16) {
        unsigned differ = static_cast<unsigned>(_mm_movemask_epi8(
                              _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i)),
                                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i))))) ^
                          0xFFFFu;
        if (n - i < 16) differ &= (1u << (n - i)) - 1;
        if (differ) return false;
    }
    return true;
#else
    return std::memcmp(a, b, n) == 0;
#endif
}

const LookAhead::Line* LookAhead::take(uint64_t text_end, const char* line) {
    if (next_ - told_ >= TELL_EVERY) {
        // The lines handed out up to the last are done with: their slots are
        // the thread's again.
        told_ = next_ - 1;
        // Stored before wake_at_ is read, as the thread stores wake_at_
        // before it reads taken_: one of the two sees the other's.
        taken_.store(told_, std::memory_order_seq_cst);
        if (told_ >= wake_at_.load(std::memory_order_seq_cst)) taken_.notify_one();
        main_at_.store(text_end, std::memory_order_relaxed);
    }
    if (next_ == ready_) {
        ready_ = written_.load(std::memory_order_acquire);
        // The thread tells each line at once when it is waited for.
        while (wait_ && next_ == ready_ && !finished_.load(std::memory_order_acquire)) {
            taken_.store(next_ ? next_ - 1 : 0, std::memory_order_release);
            taken_.notify_one();
            std::this_thread::yield();
            ready_ = written_.load(std::memory_order_acquire);
        }
        if (next_ == ready_) return nullptr;  // nothing encoded yet: the main loop does the line
    }
    fetch_ahead();
    while (next_ != ready_) {
        const Line& l = ring_[next_ & (RING - 1)];
        if (l.text_end > text_end) return nullptr;  // not encoded ahead: the main loop does it
        ++next_;
        if (l.text_end < text_end) continue;        // a line the main loop passed another way
        // The same place in the file; the text is compared too, since a
        // streamed file is read twice.
        if (!same_text(l.text, line, l.length) || line[l.length] != '\0') return nullptr;
        return &l;
    }
    return nullptr;
}

} // namespace tobra
