// Records of pass 1's lines, whose bytes pass 2 emits again.
#include "driver/line_replay.h"

#include <array>
#include <cstring>

#include "driver/assembler.h"
#include "isa/handlers.h"
#include "isa/registers.h"

namespace tobra {

namespace {

// A record starts with a byte of R_* flags and the name count (bits 4 to 6),
// then where the line is: its line number and file (R_LONG), or how
// many lines it follows the record before in the same file (one byte). A
// record with bytes goes on with the address they start at when it is not
// where the last such record's bytes ended (R_ADDRESS), the section and
// condition level when they changed (R_STATE), the global label count under
// which its local names were read (R_SCOPE), the byte count, how many
// expressions and name lookups the line made, the names it read with what
// they read as, and the bytes.
enum : uint8_t {
    R_BYTES = 1,
    R_LONG = 2,
    R_ADDRESS = 4,
    R_STATE = 8,
    R_SCOPE = 128,  // the line read a local name: the count of global labels set before it follows
};
constexpr int NAME_SHIFT = 4;
constexpr int NAME_MASK = 7;

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
constexpr auto replayable_handlers = [] {
    std::array<bool, HANDLER_NUMBERS> t{};
    for (const HandlerRow& row : handler_rows)
        t[row.handler] = (is_instruction(row.handler) || row.handler == H_DC) && row.label == LABEL_HERE;
    return t;
}();

constexpr size_t HEADER_BYTES = 1 + 8;
constexpr size_t MAX_RECORD = HEADER_BYTES + 4 + 2 + 4 + 3 + NAME_MASK * sizeof(NameNote) + 64;

// Names whose value or meaning pass 2 may see otherwise than pass 1 did at
// the same line: set names (undefined again until their first set), names
// that are also external or wait for another, and equates of addresses or of
// externals, which relocate.
constexpr uint8_t UNSTABLE_FLAGS =
    SYM_SET | SYM_UNSET | SYM_XREF_DEFINED | SYM_DEFINED_AGAIN | SYM_BASED | SYM_PENDING | SYM_ADDRESS;

} // namespace

void LineReplay::begin_pass(int pass) {
    if (pass == 1) {
        chunks_.clear();
        chunk_used_.clear();
        bytes_ = 0;
        records_ = 0;
        write_at_ = write_end_ = nullptr;
        // A collecting run notes every name looked up in pass 2, which a
        // replayed line would not look up.
        writing_ = as.line_records && as.collector == nullptr;
        reading_ = false;
        output_formats_ = as.options.output_formats;
        valid_from_ = 0;
    } else {
        if (!chunks_.empty() && write_at_) chunk_used_.back() = static_cast<size_t>(write_at_ - chunks_.back().get());
        write_at_ = write_end_ = nullptr;
        reading_ = writing_ && !chunks_.empty();
        writing_ = false;
        read_chunk_ = 0;
        read_at_ = reading_ ? chunks_[0].get() : nullptr;
        read_end_ = reading_ ? read_at_ + chunk_used_[0] : nullptr;
    }
    replayed_ = 0;
    records_read_ = 0;
    last_line_ = 0;
    last_file_ = 0;
    next_address_ = 0;
    section_ = 0;
    level_ = 0;
}

uint8_t* LineReplay::room() {
    if (static_cast<size_t>(write_end_ - write_at_) < MAX_RECORD) {
        if (!chunks_.empty()) chunk_used_.back() = static_cast<size_t>(write_at_ - chunks_.back().get());
        if (bytes_ + CHUNK > LINE_RECORD_LIMIT) return nullptr;
        chunks_.push_back(std::make_unique_for_overwrite<uint8_t[]>(CHUNK));
        chunk_used_.push_back(0);
        bytes_ += CHUNK;
        write_at_ = chunks_.back().get();
        write_end_ = write_at_ + CHUNK;
    }
    return write_at_;
}

void LineReplay::capture_bytes(const uint8_t* bytes, int n) {
    if (n < 0 || captured_ + static_cast<uint32_t>(n) > CAPTURE_BYTES) {
        captured_ = CAPTURE_OVERFLOW;
        return;
    }
    std::memcpy(captured_bytes_ + captured_, bytes, static_cast<size_t>(n));
    captured_ += static_cast<uint32_t>(n);
}

LineReplay::Mark LineReplay::open_line(SourceLocation at) {
    uint8_t* const header = room();
    if (!header) {
        // The rest of the source goes without records: pass 2 runs out of
        // them at this line and assembles the rest in full.
        writing_ = false;
        return {};
    }
    uint8_t* p = header + 1;
    uint8_t flags = 0;
    if (at.file == last_file_ && at.line > last_line_ && at.line - last_line_ <= 0xFF) {
        *p++ = static_cast<uint8_t>(at.line - last_line_);
    } else {
        flags |= R_LONG;
        std::memcpy(p, &at.line, 4);
        std::memcpy(p + 4, &at.file, 4);
        p += 8;
    }
    header[0] = flags;
    // An opt that chose the output changed how the lines before it encode
    // in pass 2, which has the output from its first line (their labels
    // relocate): their records are not used.
    if (as.options.output_formats != output_formats_) [[unlikely]] {
        output_formats_ = as.options.output_formats;
        valid_from_ = records_;
    }
    last_line_ = at.line;
    last_file_ = at.file;
    write_at_ = p;
    ++records_;

    const Driver& drv = as.drv;
    settled_ = true;
    captured_ = 0;
    start_address_ = static_cast<uint32_t>(drv.location_counter);
    start_section_ = drv.current_section;
    start_level_ = drv.condition_level;
    start_expr_ = as.fwd.expr_number;
    start_inner_ = as.fwd.inner_number;
    start_notes_ = as.sym.pass1_notes();
    start_stars_ = as.ev.star_terms;
    return {header, records_};
}

void LineReplay::close_line(const Mark& mark, const Variant* v) {
    // A line that included a file has the file's records after its header.
    if (mark.records != records_ || !settled_ || !v) return;
    const uint32_t count = captured_;
    // None (a line skipped, or refused), or more than a record holds.
    if (count - 1 >= CAPTURE_BYTES) return;
    const Driver& drv = as.drv;
    if (!replayable_handlers[v->handler()] || static_cast<uint32_t>(drv.location_counter) - start_address_ != count ||
        as.ev.star_terms != start_stars_ || !as.sym.notes_complete())
        return;
    const size_t notes_end = as.sym.pass1_notes();
    const uint32_t evals = start_level_ == 0 ? as.fwd.expr_number - start_expr_ : as.fwd.inner_number - start_inner_;
    // A count that does not fit its byte, or notes dropped during the line
    // (the difference wraps round).
    const size_t notes = notes_end - start_notes_;
    if (notes > 0xFF || evals > 0xFF) return;
    static_assert(CONDITION_DEPTH <= 256 && SECTION_SLOTS <= 256, "a record keeps both in a byte");

    // The header's fields come first; the names are written straight after
    // them, and the record is taken (write_at_ moved on, the state noted)
    // only when every name passes.
    uint8_t* p = write_at_;
    uint8_t flags = static_cast<uint8_t>(mark.header[0] | R_BYTES);
    if (start_address_ != next_address_) {
        flags |= R_ADDRESS;
        std::memcpy(p, &start_address_, 4);
        p += 4;
    }
    const bool new_state = start_section_ != section_ || start_level_ != level_;
    if (new_state) {
        flags |= R_STATE;
        p[0] = static_cast<uint8_t>(start_section_);
        p[1] = static_cast<uint8_t>(start_level_);
        p += 2;
    }
    // Where the global-label count goes, should a local name turn up; the
    // counts and names are written as if none did.
    uint8_t* const scope_at = p;

    // The names the line read. A register reads the same in every pass; any
    // other name is kept with what it read as, which pass 2 must find again.
    uint8_t* const names = scope_at + 3;
    int name_count = 0;
    bool local = false;
    const SymbolRecord* last = nullptr;
    for (size_t i = start_notes_; i < notes_end; ++i) {
        SymbolRecord* s = as.sym.pass1_note(i);
        // Not defined yet: a forward reference, which pass 2 settles.
        if (!s) return;
        if (s->position < static_cast<uint32_t>(RESERVED_REGISTER_COUNT) || s == last) continue;
        if (name_count == NAME_MASK || (s->flags & UNSTABLE_FLAGS) || s->kind == KIND_EXTERNAL ||
            s->kind == KIND_UNDEFINED)
            return;
        // A local name is found under the last global label.
        const char first = s->name[0];
        if (first == '.' || (first >= '0' && first <= '9')) local = true;
        const NameNote note{s, s->value, s->type, s->kind, s->section, s->flags};
        std::memcpy(names + static_cast<size_t>(name_count) * sizeof(NameNote), &note, sizeof note);
        ++name_count;
        last = s;
    }
    flags = static_cast<uint8_t>(flags | name_count << NAME_SHIFT);
    p = scope_at;
    if (local) {
        // The names move up by the count's four bytes.
        flags |= R_SCOPE;
        std::memmove(names + 4, names, static_cast<size_t>(name_count) * sizeof(NameNote));
        const uint32_t scope = as.src.global_labels_set();
        std::memcpy(scope_at, &scope, 4);
        p += 4;
    }
    p[0] = static_cast<uint8_t>(count);
    p[1] = static_cast<uint8_t>(evals);
    p[2] = static_cast<uint8_t>(notes);
    p += 3 + static_cast<size_t>(name_count) * sizeof(NameNote);
    // The bytes sixteen at a time (the record has room for the last block).
    for (uint32_t i = 0; i < count; i += 16) std::memcpy(p + i, captured_bytes_ + i, 16);
    p += count;
    if (new_state) {
        section_ = static_cast<uint8_t>(start_section_);
        level_ = static_cast<uint8_t>(start_level_);
    }
    next_address_ = start_address_ + count;
    mark.header[0] = flags;
    write_at_ = p;
}

bool LineReplay::names_read_alike(const uint8_t* notes, int count) const {
    for (int i = 0; i < count; ++i) {
        NameNote n;
        std::memcpy(&n, notes + static_cast<size_t>(i) * sizeof(NameNote), sizeof n);
        const SymbolRecord* s = n.symbol;
        if (s->value != n.value || s->type != n.type || s->kind != n.kind || s->section != n.section ||
            s->flags != n.flags)
            return false;
        // A label's value is final in an image; an object file, and a binary
        // image for labels outside the code, take a fixup for it.
        if (s->kind == KIND_RELOCATABLE && !as.emit.label_value_final(s->section)) return false;
    }
    return true;
}

bool LineReplay::replay_line(SourceLocation at) {
    if (read_at_ == read_end_) {
        if (read_chunk_ + 1 >= chunks_.size()) {
            stop_reading();  // pass 1 kept no more records
            return false;
        }
        ++read_chunk_;
        read_at_ = chunks_[read_chunk_].get();
        read_end_ = read_at_ + chunk_used_[read_chunk_];
    }
    const uint8_t* p = read_at_;
    const uint8_t flags = *p++;
    uint32_t line, file;
    if (flags & R_LONG) {
        std::memcpy(&line, p, 4);
        std::memcpy(&file, p + 4, 4);
        p += 8;
    } else {
        line = last_line_ + *p++;
        file = last_file_;
    }
    if (line != at.line || file != at.file) {
        // The passes read different lines here: no record fits any more.
        stop_reading();
        return false;
    }
    last_line_ = line;
    last_file_ = file;
    ++records_read_;
    if (!(flags & R_BYTES)) {
        read_at_ = p;
        return false;
    }
    uint32_t address = next_address_;
    if (flags & R_ADDRESS) {
        std::memcpy(&address, p, 4);
        p += 4;
    }
    if (flags & R_STATE) {
        section_ = p[0];
        level_ = p[1];
        p += 2;
    }
    uint32_t scope = 0;
    if (flags & R_SCOPE) {
        std::memcpy(&scope, p, 4);
        p += 4;
    }
    const uint32_t count = p[0];
    const uint32_t evals = p[1];
    const uint32_t notes = p[2];
    p += 3;
    const int name_count = (flags >> NAME_SHIFT) & NAME_MASK;
    const uint8_t* const names = p;
    const uint8_t* const bytes = names + static_cast<size_t>(name_count) * sizeof(NameNote);
    // Stepped over whether used or not: the next record follows.
    read_at_ = bytes + count;
    next_address_ = address + count;

    Driver& drv = as.drv;
    if (records_read_ <= valid_from_ || static_cast<uint32_t>(drv.location_counter) != address ||
        drv.current_section != section_ || drv.condition_level != level_ || !drv.assembling() ||
        as.options.listing_enabled || as.options.debug_flags != 0 || !as.emit.stores_bytes(section_) ||
        ((flags & R_SCOPE) && scope != as.src.global_labels_set()))
        return false;
    // A forward reference pass 1 noted for one of the line's expressions
    // (where the passes numbered them differently) is pass 2's to settle.
    ForwardRefs& fwd = as.fwd;
    if (evals != 0) {
        const uint64_t last = level_ == 0 ? uint64_t{fwd.expr_number + evals - 1u} << 32
                                          : fwd.key_at(level_) + (evals - 1u);
        if (fwd.next_fwd <= last) return false;
    }
    if (name_count != 0 && !names_read_alike(names, name_count)) return false;

    // What reading the operands would have moved: the numbers of the
    // expressions, and the lookups pass 1 noted.
    if (evals != 0) {
        if (level_ == 0) {
            fwd.expr_number += evals;
            fwd.inner_number = 0;
        } else {
            fwd.inner_number += evals;
        }
    }
    if (notes != 0) as.sym.skip_pass1_notes(notes);
    if (as.src.label_field[0] != '\0') as.src.define_line_label();
    as.emit.emit_bytes(bytes, static_cast<int>(count));
    ++replayed_;
    return true;
}

} // namespace tobra
