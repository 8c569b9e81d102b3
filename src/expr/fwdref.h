// Forward-reference buffer: which expressions held a forward reference in
// pass 1, replayed in pass 2 so that both passes choose the same sizes.
//
// Expressions outside conditional blocks are numbered from 1 in both passes.
// Pass 1 appends the key of an expression once for each of its names that is
// not yet defined; pass 2 raises expr_fwd for the same expressions. The
// buffer grows as needed, so no valid source runs out of room.
//
// Expressions inside conditional blocks are keyed too, by the number of the
// last expression outside and their count since: otherwise a forward
// reference inside an assembled block would be sized long in pass 1 and
// short in pass 2, a phasing error in a valid source. Should a block's
// condition come out differently in pass 2, its keys no longer match, and
// replay skips the stale ones up to the next expression outside the blocks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tobra {

class Assembler;

inline constexpr long FWD_DEFAULT_SIZE = 8192;
// -a is only a capacity hint; beyond this the buffer grows on demand instead
// of reserving memory that a source may never use.
inline constexpr long FWD_MAX_RESERVE = 1L << 22;

class ForwardRefs {
public:
    explicit ForwardRefs(Assembler& assembler) : as(assembler) {}

    // Makes room for at least `entries` references (start-up and -a<buf>).
    // References already recorded are kept.
    void alloc_fwd(long entries);
    // Start of pass 2: replay from the first recorded expression.
    void rewind_fwd();
    // Pass 1: a symbol term whose name is not found.
    void record_undefined();
    // Pass 2: every symbol term, found or not.
    void check_symbol_term();

    size_t capacity() const { return fwd_buffer.capacity(); }

    // Pass 2: whether the next recorded key is the one from first to last,
    // and then past it (for an expression that is not read again).
    bool only_mark_within(uint64_t first, uint64_t last) const {
        return next_fwd >= first && next_fwd <= last &&
               (fwd_cursor >= fwd_buffer.size() || fwd_buffer[fwd_cursor] > last);
    }
    void pass_mark() {
        next_fwd = fwd_cursor < fwd_buffer.size() ? fwd_buffer[fwd_cursor] : NO_KEY;
        ++fwd_cursor;
    }

    // Key of the expression being evaluated: expr_number in the high half for
    // an expression outside conditional blocks; for one inside, the number of
    // the expression before it in the high half and its count since in the low.
    uint64_t current_key() const;
    // current_key(), and the numbering at the end of every eval, for a known
    // condition level, so that the evaluator's hot path needs no call.
    uint64_t key_at(int condition_level) const {
        if (condition_level == 0) return uint64_t{expr_number} << 32;
        return (uint64_t{expr_number - 1} << 32) | (inner_number + 1);
    }
    void number_expression_at(int condition_level) {
        if (condition_level == 0) {
            ++expr_number;
            inner_number = 0;
        } else {
            ++inner_number;
        }
    }

    // count expressions numbered at once, as count calls would.
    void number_expressions_at(int condition_level, uint32_t count) {
        if (count == 0) return;
        if (condition_level == 0) {
            expr_number += count;
            inner_number = 0;
        } else {
            inner_number += count;
        }
    }

    static constexpr uint64_t NO_KEY = ~uint64_t{0};

    std::vector<uint64_t> fwd_buffer;  // keys recorded in pass 1, ascending
    size_t fwd_cursor = 0;             // pass 2: the entry after next_fwd
    uint32_t expr_number = 1;          // number of the current top-level expression
    uint32_t inner_number = 0;         // expressions inside blocks since the last top-level one
    uint64_t next_fwd = NO_KEY;        // pass 2: the next key to wait for

private:
    Assembler& as;
};

} // namespace tobra
