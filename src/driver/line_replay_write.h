// Pass 1's side of the line records, compiled into the file's line loop,
// which every line of a large source passes.
#pragma once
#include <array>
#include <cstring>

#include "driver/assembler.h"
#include "driver/line_replay.h"
#include "isa/handlers.h"
#include "isa/registers.h"

namespace tobra {

namespace line_records {

// A record starts with a byte of R_* flags, then where the line is: its line
// number, file and where its text ends (R_LONG), or how many lines it follows
// the record before in the same file (one byte) and how far its text ends
// beyond that record's (a base-128 number). A record with bytes goes on with
// the address they start at when it is not where the last such record's
// bytes ended (R_ADDRESS), the section and condition level when they changed
// (R_STATE), the global label count under which its local names were read
// (R_SCOPE), the label it defined (R_LABEL), the byte count, how many
// expressions and name lookups the line made, the count of names it read
// and those names with what they read as. The bytes go to a store of their
// own, in the order of the records.
enum : uint8_t {
    R_BYTES = 1,
    R_LONG = 2,
    R_ADDRESS = 4,
    R_STATE = 8,
    R_SCOPE = 16,  // the line read a local name: the count of global labels set before it follows
    R_LABEL = 32,
    // Pass 1 read nothing but blank and comment lines since the record before,
    // all in the file's own loop: pass 2 may step over them unread.
    R_CLEAN = 64,
    // A byte follows the names: the count of an object file's fixups, which
    // come next, and LATE_FIELD, after them a field that holds a name pass 1
    // had not yet met: its offset, width (with LATE_ADDRESS for an address),
    // the number of the line's lookup that read the name, the name's length
    // and the name.
    R_FIXUPS = 128,
};
inline constexpr uint8_t LATE_FIELD = 0x80;
inline constexpr uint8_t LATE_ADDRESS = 0x10;
inline constexpr size_t LATE_HEADER = 4;
inline constexpr size_t MAX_LATE_NAME = 255;
inline constexpr int MAX_NAMES = 7;

// A name the line read, and what it read as.
struct NameNote {
    SymbolRecord* symbol;
    int32_t value;
    uint8_t type, kind, section, flags;
};
static_assert(sizeof(NameNote) == 16);

// Handlers whose lines pass 2 may take from their records: the
// instructions and dc, whose bytes come from their operands and place alone.
// Their labels are the line's, defined where the line starts.
inline constexpr auto replayable_handlers = [] {
    std::array<bool, HANDLER_NUMBERS> t{};
    for (const HandlerRow& row : handler_rows)
        t[row.handler] = (is_instruction(row.handler) || row.handler == H_DC) && row.label == LABEL_HERE;
    return t;
}();

inline constexpr size_t HEADER_BYTES = 1 + 16;
inline constexpr size_t MAX_RECORD = HEADER_BYTES + 4 + 2 + 4 + 8 + 4 + MAX_NAMES * sizeof(NameNote) + 1 +
                                     LineReplay::MAX_FIXUPS * sizeof(LineReplay::FixupNote) + LATE_HEADER + MAX_LATE_NAME;
static_assert(LineReplay::MAX_FIXUPS < LATE_FIELD);

// Names whose value or meaning pass 2 may see otherwise than pass 1 did at
// the same line: set names (undefined again until their first set), names
// that are also external or wait for another, and equates of addresses or of
// externals, which relocate.
inline constexpr uint8_t UNSTABLE_FLAGS =
    SYM_SET | SYM_UNSET | SYM_XREF_DEFINED | SYM_DEFINED_AGAIN | SYM_BASED | SYM_PENDING | SYM_ADDRESS;

} // namespace line_records

inline LineReplay::Mark LineReplay::open_line(SourceLocation at) {
    using namespace line_records;
    uint8_t* const header = static_cast<size_t>(write_end_ - write_at_) >= MAX_RECORD ? write_at_ : room();
    // The line's bytes are captured straight into their store.
    if (!header || (arena_capacity_ - arena_used_ < CAPTURE_BYTES && !grow_arena())) [[unlikely]] {
        // The rest of the source goes without records: pass 2 runs out of
        // them at this line and assembles the rest in full.
        writing_ = false;
        capture_at_ = scratch_;
        return {};
    }
    capture_at_ = arena_ + arena_used_;
    SourceReader& src = as.src;
    const uint64_t text_end = src.text_read();
    uint8_t* p = header + 1;
    uint8_t flags = 0;
    if (at.file == last_file_ && at.line > last_line_ && at.line - last_line_ <= 0xFF && text_end >= last_text_) {
        *p++ = static_cast<uint8_t>(at.line - last_line_);
        uint64_t delta = text_end - last_text_;
        for (; delta >= 0x80; delta >>= 7) *p++ = static_cast<uint8_t>(delta | 0x80);
        *p++ = static_cast<uint8_t>(delta);
        if (src.lines_read_plainly()) flags |= R_CLEAN;
    } else {
        flags |= R_LONG;
        std::memcpy(p, &at.line, 4);
        std::memcpy(p + 4, &at.file, 4);
        std::memcpy(p + 8, &text_end, 8);
        p += 16;
    }
    src.note_line_record();
    header[0] = flags;
    // An opt that chose the output changed how the lines before it encode
    // in pass 2, which has the output from its first line (their labels
    // relocate): their records are not used.
    if (as.options.output_formats != output_formats_) [[unlikely]]
        follow_output_choice();
    last_line_ = at.line;
    last_file_ = at.file;
    last_text_ = text_end;
    write_at_ = p;
    ++records_;

    settled_ = true;
    captured_ = 0;
    fixup_count_ = 0;
    late_width_ = 0;
    start_expr_ = as.fwd.expr_number;
    start_inner_ = as.fwd.inner_number;
    start_notes_ = as.sym.pass1_notes();
    start_stars_ = as.ev.star_terms;
    return {header, records_};
}

inline void LineReplay::close_line(const Mark& mark, const Variant* v) {
    using namespace line_records;
    // A line that included a file has the file's records after its header.
    if (mark.records != records_ || !settled_ || !v) return;
    const uint32_t count = captured_;
    // None (a line skipped, or refused), or more than a record holds.
    if (count - 1 >= CAPTURE_BYTES) return;
    const Driver& drv = as.drv;
    if (!replayable_handlers[v->handler()] || static_cast<uint32_t>(drv.location_counter) - static_cast<uint32_t>(drv.line_start_address) != count ||
        as.ev.star_terms != start_stars_ || !as.sym.notes_complete())
        return;
    const size_t notes_end = as.sym.pass1_notes();
    const uint32_t evals = drv.condition_level == 0 ? as.fwd.expr_number - start_expr_ : as.fwd.inner_number - start_inner_;
    // A count that does not fit its byte, or notes dropped during the line
    // (the difference wraps round).
    const size_t notes = notes_end - start_notes_;
    if (notes > 0xFF || evals > 0xFF) return;
    // The usual line: no label, no name read, right after the bytes of the
    // record before, in the same state. Its record is the count bytes alone.
    if (notes == 0 && fixup_count_ == 0 && as.src.label_field[0] == '\0' &&
        static_cast<uint32_t>(drv.line_start_address) == next_address_ &&
        drv.current_section == section_ && drv.condition_level == level_) {
        uint8_t* const p = write_at_;
        p[0] = static_cast<uint8_t>(count);
        p[1] = static_cast<uint8_t>(evals);
        p[2] = 0;
        p[3] = 0;
        write_at_ = p + 4;
        mark.header[0] = static_cast<uint8_t>(mark.header[0] | R_BYTES);
        arena_used_ += count;
        next_address_ += count;
        return;
    }
    bool sure = true;
    SymbolRecord* const label = defined_label(sure);
    if (!sure) return;
    finish(mark, label, count, evals, notes);
}

} // namespace tobra
