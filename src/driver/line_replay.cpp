// Records of pass 1's lines, whose bytes pass 2 emits again.
#include "driver/line_replay.h"
#include "driver/line_replay_write.h"

#include <array>
#include <cstring>

#include "driver/assembler.h"

namespace tobra {

using namespace line_records;

void LineReplay::begin_pass(int pass) {
    if (pass == 1) {
        release();
        capture_at_ = scratch_;
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
        if (!chunks_.empty() && write_at_) chunk_used_.back() = static_cast<size_t>(write_at_ - chunks_.back());
        write_at_ = write_end_ = nullptr;
        reading_ = writing_ && !chunks_.empty();
        writing_ = false;
        read_chunk_ = 0;
        arena_read_ = 0;
        read_at_ = reading_ ? chunks_[0] : nullptr;
        read_end_ = reading_ ? read_at_ + chunk_used_[0] : nullptr;
    }
    replayed_ = 0;
    records_read_ = 0;
    last_line_ = 0;
    last_file_ = 0;
    last_text_ = 0;
    declined_at_ = ~uint64_t{0};
    next_address_ = 0;
    section_ = 0;
    level_ = 0;
}

void LineReplay::begin_trial() {
    capture_at_ = scratch_;
    settled_ = true;
    captured_ = 0;
    fixup_count_ = 0;
    late_width_ = 0;
    note_trial_start();
}

void LineReplay::note_trial_start() {
    start_expr_ = as.fwd.expr_number;
    start_inner_ = as.fwd.inner_number;
    start_notes_ = as.sym.pass1_notes();
    start_stars_ = as.ev.star_terms;
    start_place_reads_ = as.drv.place_reads;
    start_strings_ = as.ev.strings_read();
    start_forward_ = as.fwd.fwd_buffer.size();
}

bool LineReplay::trial_pure(const Variant* v) const {
    using namespace line_records;
    // Bytes from the text alone: no message or check left for pass 2, no
    // fixup, no name read (not even one not yet defined), no *, no string
    // (its handle is the run's), no distance from the line's own place.
    if (!v || !settled_ || fixup_count_ != 0 || late_width_ != 0 || !replayable_handlers[v->handler()]) return false;
    const Driver& drv = as.drv;
    const uint32_t count = captured_;
    return count - 1 < CAPTURE_BYTES &&
           static_cast<uint32_t>(drv.location_counter) - static_cast<uint32_t>(drv.line_start_address) == count &&
           as.sym.pass1_notes() == start_notes_ && as.sym.notes_complete() && as.ev.star_terms == start_stars_ &&
           drv.place_reads == start_place_reads_ && as.ev.strings_read() == start_strings_ &&
           as.fwd.fwd_buffer.size() == start_forward_;
}

uint32_t LineReplay::trial_evals() const {
    return as.drv.condition_level == 0 ? as.fwd.expr_number - start_expr_ : as.fwd.inner_number - start_inner_;
}

void LineReplay::end_trial() {
    as.sym.drop_pass1_notes(start_notes_);
    as.ev.forget_strings(start_strings_);
    if (as.fwd.fwd_buffer.size() > start_forward_) as.fwd.fwd_buffer.resize(start_forward_);
}

void LineReplay::release() {
    chunks_.clear();
    chunk_used_.clear();
    record_room_.release();
    arena_room_.release();
    arena_ = nullptr;
    arena_used_ = arena_capacity_ = 0;
}

// Both rooms are reserved at the limit, which the count of bytes taken keeps
// them within: a chunk or a larger arena is only more of the room.
bool LineReplay::grow_arena() {
    const size_t capacity = arena_capacity_ == 0 ? CHUNK : 2 * arena_capacity_;
    if (bytes_ + capacity - arena_capacity_ > LINE_RECORD_LIMIT) return false;
    if (!arena_room_.reserved() && !arena_room_.reserve(LINE_RECORD_LIMIT)) return false;
    arena_ = arena_room_.data();
    bytes_ += capacity - arena_capacity_;
    arena_capacity_ = capacity;
    return true;
}

uint8_t* LineReplay::room() {
    if (static_cast<size_t>(write_end_ - write_at_) < MAX_RECORD) {
        if (!chunks_.empty()) chunk_used_.back() = static_cast<size_t>(write_at_ - chunks_.back());
        if (bytes_ + CHUNK > LINE_RECORD_LIMIT) return nullptr;
        if (!record_room_.reserved() && !record_room_.reserve(LINE_RECORD_LIMIT)) return nullptr;
        chunks_.push_back(record_room_.data() + chunks_.size() * CHUNK);
        chunk_used_.push_back(0);
        bytes_ += CHUNK;
        write_at_ = chunks_.back();
        write_end_ = write_at_ + CHUNK;
    }
    return write_at_;
}

void LineReplay::capture_bytes(const uint8_t* bytes, int n) {
    if (n < 0 || captured_ + static_cast<uint32_t>(n) > CAPTURE_BYTES) {
        captured_ = CAPTURE_OVERFLOW;
        return;
    }
    std::memcpy(capture_at_ + captured_, bytes, static_cast<size_t>(n));
    captured_ += static_cast<uint32_t>(n);
}

void LineReplay::follow_output_choice() {
    output_formats_ = as.options.output_formats;
    valid_from_ = records_;
    as.emit.follow_output_choice();
}

bool LineReplay::keep_fixup(const Fixup& f) {
    const uint32_t offset = f.offset - static_cast<uint32_t>(as.drv.line_start_address);
    if (fixup_count_ == MAX_FIXUPS || offset >= CAPTURE_BYTES || f.symbol || f.name || f.section != as.drv.current_section ||
        f.target_section < -128 || f.target_section > 127 || f.pc_base < -128 || f.pc_base > 127 || f.width < 0 ||
        f.width > 4)
        return false;
    FixupNote& n = fixups_[fixup_count_++];
    n.addend = f.addend;
    n.offset = static_cast<uint8_t>(offset);
    n.width = static_cast<uint8_t>(f.width);
    n.kind = static_cast<uint8_t>(f.kind);
    n.bits = static_cast<uint8_t>((f.low_byte_of_word ? 1 : 0) | (f.written_distance ? 2 : 0));
    n.target_section = static_cast<int8_t>(f.target_section);
    n.pc_base = static_cast<int8_t>(f.pc_base);
    return true;
}

void LineReplay::keep_late_field(uint32_t offset, uint32_t width, LateForm form) {
    // The expression must be the name the line did not find, read alone
    // (the record is kept only if the line missed no other): then its
    // value is the field's only unknown.
    if (!writing_ || late_width_ != 0 || !as.ev.missed_name_alone() || as.ev.missed_name().size() > MAX_LATE_NAME ||
        offset + width > CAPTURE_BYTES || (form == LateForm::address && width != 4))
        return;
    late_offset_ = static_cast<uint8_t>(offset);
    late_width_ = static_cast<uint8_t>(width);
    late_form_ = form;
}

Fixup LineReplay::late_fixup(const Entry& e, const SymbolRecord& label) const {
    Fixup f;
    f.section = e.section;
    f.offset = e.address + e.late[0];
    f.width = 4;
    f.kind = FixupKind::absolute;
    f.target_section = label.section;
    f.addend = label.value;
    return f;
}

void LineReplay::emit_fixups(const Entry& e) {
    for (uint32_t i = 0; i < e.fixup_count; ++i) {
        FixupNote n;
        std::memcpy(&n, e.fixups + i * sizeof(FixupNote), sizeof n);
        Fixup f;
        f.section = e.section;
        f.offset = e.address + n.offset;
        f.width = n.width;
        f.kind = static_cast<FixupKind>(n.kind);
        f.target_section = n.target_section;
        f.addend = n.addend;
        f.pc_base = n.pc_base;
        f.low_byte_of_word = (n.bits & 1) != 0;
        f.written_distance = (n.bits & 2) != 0;
        as.emit.fixup(f);
    }
    if (e.late_relocates) as.emit.fixup(late_fixup(e, *e.late_relocates));
}

void LineReplay::close_label_line(const Mark& mark) {
    if (mark.records != records_ || !settled_ || !as.drv.assembling()) return;
    bool sure = true;
    SymbolRecord* const label = defined_label(sure);
    if (!label || as.drv.location_counter != as.drv.line_start_address) return;
    finish(mark, label, 0, 0, 0);
}

SymbolRecord* LineReplay::defined_label(bool& sure) const {
    sure = true;
    if (as.src.label_field[0] == '\0') return nullptr;
    // The record its definition made or found: no compare of names, which
    // the line has only just stored.
    SymbolRecord* s = as.src.line_label();
    sure = s != nullptr;
    return s;
}

void LineReplay::finish(const Mark& mark, SymbolRecord* label, uint32_t count, uint32_t evals, size_t notes) {
    static_assert(CONDITION_DEPTH <= 256 && SECTION_SLOTS <= 256, "a record keeps both in a byte");
    // The header's fields come first; the names are written straight after
    // them, and the record is taken (write_at_ moved on, the state noted)
    // only when every name passes.
    // Neither a label alone nor a line these records keep changes the
    // section or the condition level.
    const Driver& drv = as.drv;
    const uint32_t start_address = static_cast<uint32_t>(drv.line_start_address);
    const int section = drv.current_section;
    const int level = drv.condition_level;
    uint8_t* p = write_at_;
    uint8_t flags = static_cast<uint8_t>(mark.header[0] | R_BYTES);
    if (start_address != next_address_) {
        flags |= R_ADDRESS;
        std::memcpy(p, &start_address, 4);
        p += 4;
    }
    const bool new_state = section != section_ || level != level_;
    if (new_state) {
        flags |= R_STATE;
        p[0] = static_cast<uint8_t>(section);
        p[1] = static_cast<uint8_t>(level);
        p += 2;
    }
    // Where the global-label count goes, should a local name turn up; the
    // label, counts and names are written as if none did.
    uint8_t* const scope_at = p;
    const size_t label_bytes = label ? sizeof label : 0;

    // The names the line read. A register reads the same in every pass; any
    // other name is kept with what it read as, which pass 2 must find again.
    uint8_t* const names = scope_at + label_bytes + 4;
    int name_count = 0;
    bool local = false;
    const SymbolRecord* last = nullptr;
    size_t late_lookup = SIZE_MAX;
    for (size_t i = start_notes_; i < start_notes_ + notes; ++i) {
        SymbolRecord* s = as.sym.pass1_note(i);
        // Not defined yet: a forward reference, which pass 2 settles by
        // assembling the line again, unless it is the name of a late field,
        // the only one of the line.
        if (!s) {
            if (late_width_ == 0 || late_lookup != SIZE_MAX) return;
            late_lookup = i - start_notes_;
            const char first = as.ev.missed_name()[0];
            if (first == '.' || (first >= '0' && first <= '9')) local = true;
            continue;
        }
        if (s->position < static_cast<uint32_t>(RESERVED_REGISTER_COUNT) || s == last) continue;
        if (name_count == MAX_NAMES || (s->flags & UNSTABLE_FLAGS) || s->kind == KIND_EXTERNAL ||
            s->kind == KIND_UNDEFINED)
            return;
        // A local name is found under the last global label.
        const char first = s->name()[0];
        if (first == '.' || (first >= '0' && first <= '9')) local = true;
        last = s;
        // A label already defined reads alike in pass 2: its value is final
        // once set (pass 2 keeps it and says so when the line that defines it
        // comes out elsewhere), and the one later change of what it is, an
        // xref after it, voids the records before (void_records). In an
        // absolute output only a label is such a name; an object file's
        // equates of labels are too, and keep their notes.
        if (s->kind == KIND_RELOCATABLE && s->type == TYPE_USER && s->flags == 0 && !as.options.relocatable_output &&
            as.emit.label_replays_as_chosen(s->section))
            continue;
        const NameNote note{s, s->value, s->type, s->kind, s->section, s->flags};
        std::memcpy(names + static_cast<size_t>(name_count) * sizeof(NameNote), &note, sizeof note);
        ++name_count;
    }
    p = scope_at;
    if (local) {
        // The label and names move up by the count's four bytes.
        flags |= R_SCOPE;
        std::memmove(names + 4, names, static_cast<size_t>(name_count) * sizeof(NameNote));
        const uint32_t scope = as.src.global_labels_set();
        std::memcpy(p, &scope, 4);
        p += 4;
    }
    if (label) {
        flags |= R_LABEL;
        std::memcpy(p, &label, sizeof label);
        p += sizeof label;
    }
    // The bytes were captured at the end of their store, where the bytes of
    // lines that follow each other follow each other too: pass 2 emits a run
    // of lines in one step.
    arena_used_ += count;
    p[0] = static_cast<uint8_t>(count);
    p[1] = static_cast<uint8_t>(evals);
    p[2] = static_cast<uint8_t>(notes);
    p[3] = static_cast<uint8_t>(name_count);
    p += 4 + static_cast<size_t>(name_count) * sizeof(NameNote);
    // (A late field whose name was found after all: the line is kept as it is.)
    const bool late = late_lookup != SIZE_MAX;
    if (fixup_count_ != 0 || late) {
        flags |= R_FIXUPS;
        *p++ = static_cast<uint8_t>(fixup_count_ | (late ? LATE_FIELD : 0));
        std::memcpy(p, fixups_, fixup_count_ * sizeof(FixupNote));
        p += fixup_count_ * sizeof(FixupNote);
    }
    if (late) {
        const std::string_view name = as.ev.missed_name();
        p[0] = late_offset_;
        p[1] = static_cast<uint8_t>(late_width_ | (late_form_ == LateForm::address ? LATE_ADDRESS : 0));
        p[2] = static_cast<uint8_t>(late_lookup);
        p[3] = static_cast<uint8_t>(name.size());
        std::memcpy(p + LATE_HEADER, name.data(), name.size());
        p += LATE_HEADER + name.size();
    }
    if (new_state) {
        section_ = static_cast<uint8_t>(section);
        level_ = static_cast<uint8_t>(level);
    }
    next_address_ = start_address + count;
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
        // A label's value is final in an image, and an object file's line
        // carries its fixups; the binary image notes its uses of labels
        // outside the code in pass 2.
        if (s->kind == KIND_RELOCATABLE && !as.emit.label_replays(s->section)) return false;
    }
    return true;
}

namespace {
// How far a record's text ends beyond the last one's, as open_line writes it.
[[gnu::always_inline]] inline uint64_t read_base128(const uint8_t*& p) {
    uint64_t v = 0;
    for (int shift = 0;; shift += 7) {
        const uint8_t b = *p++;
        v |= uint64_t{b & 0x7Fu} << shift;
        if (!(b & 0x80)) return v;
    }
}
} // namespace

[[gnu::always_inline]] inline bool LineReplay::peek(Entry& e) const {
    size_t chunk = read_chunk_;
    const uint8_t* p = read_at_;
    if (p == read_end_) {
        if (chunk + 1 >= chunks_.size()) return false;
        ++chunk;
        p = chunks_[chunk];
    }
    e.chunk = chunk;
    const uint8_t flags = *p++;
    e.flags = flags;
    if (flags & R_LONG) {
        std::memcpy(&e.line, p, 4);
        std::memcpy(&e.file, p + 4, 4);
        std::memcpy(&e.text_end, p + 8, 8);
        p += 16;
    } else {
        e.line = last_line_ + *p++;
        e.file = last_file_;
        e.text_end = last_text_ + read_base128(p);
    }
    e.label = nullptr;
    e.fixup_count = 0;
    e.late = nullptr;
    e.late_relocates = nullptr;
    if (!(flags & R_BYTES)) {
        e.next = p;
        return true;
    }
    e.address = next_address_;
    if (flags & R_ADDRESS) {
        std::memcpy(&e.address, p, 4);
        p += 4;
    }
    e.section = section_;
    e.level = level_;
    if (flags & R_STATE) {
        e.section = p[0];
        e.level = p[1];
        p += 2;
    }
    e.scope = 0;
    if (flags & R_SCOPE) {
        std::memcpy(&e.scope, p, 4);
        p += 4;
    }
    if (flags & R_LABEL) {
        std::memcpy(&e.label, p, sizeof e.label);
        p += sizeof e.label;
    }
    e.count = p[0];
    e.evals = p[1];
    e.notes = p[2];
    e.name_count = p[3];
    p += 4;
    e.names = p;
    e.bytes = arena_ + arena_read_;
    e.next = p + static_cast<size_t>(e.name_count) * sizeof(NameNote);
    if (flags & R_FIXUPS) {
        const uint8_t more = *e.next;
        e.fixup_count = more & static_cast<uint8_t>(~LATE_FIELD);
        e.fixups = e.next + 1;
        e.next = e.fixups + e.fixup_count * sizeof(FixupNote);
        if (more & LATE_FIELD) {
            e.late = e.next;
            e.next += LATE_HEADER + e.late[3];
        }
    }
    return true;
}

[[gnu::always_inline]] inline void LineReplay::take(const Entry& e) {
    if (e.chunk != read_chunk_) {
        read_chunk_ = e.chunk;
        read_end_ = chunks_[e.chunk] + chunk_used_[e.chunk];
    }
    read_at_ = e.next;
    last_line_ = e.line;
    last_file_ = e.file;
    last_text_ = e.text_end;
    ++records_read_;
    // What the next record's bytes are read against, whether these are used or not.
    if (e.flags & R_BYTES) {
        arena_read_ += e.count;
        next_address_ = e.address + e.count;
        section_ = e.section;
        level_ = e.level;
    }
    as.src.note_line_record();
}

// What no line of a run changes: a line is taken from its record only in
// the section and condition level it was made in, while assembling, with
// no listing or trace, in a section that keeps its bytes.
bool LineReplay::state_allows_records() const {
    const Driver& drv = as.drv;
    return drv.assembling() && !as.options.listing_enabled && as.options.debug_flags == 0 &&
           as.emit.stores_bytes(drv.current_section);
}

[[gnu::always_inline]] inline void LineReplay::expression_keys(int level, uint32_t evals, uint32_t before, uint64_t& first,
                                                               uint64_t& last) const {
    const ForwardRefs& fwd = as.fwd;
    if (level == 0) {
        first = uint64_t{fwd.expr_number + before} << 32;
        last = uint64_t{fwd.expr_number + before + evals - 1u} << 32;
    } else {
        first = (uint64_t{fwd.expr_number - 1u} << 32) | uint32_t{fwd.inner_number + before + 1u};
        last = first + (evals - 1u);
    }
}

[[gnu::always_inline]] inline bool LineReplay::fits_here(Entry& e, uint32_t address, uint32_t labels_set) const {
    const Driver& drv = as.drv;
    if (!(e.flags & R_BYTES) || records_read_ < valid_from_ || address != e.address ||
        drv.current_section != e.section || drv.condition_level != e.level ||
        ((e.flags & R_SCOPE) && e.scope != labels_set))
        return false;
    if (e.late ? !late_settles(e) : !expressions_settled(e)) return false;
    return e.name_count == 0 || names_read_alike(e.names, e.name_count);
}

// What assembling the line again would do with a plain label of a place
// the output keeps: an address is the label's value (in an object file
// with the relocation the line would make); a displacement is that less the address of the word after the opcode,
// without a message (a byte field holds neither 0 nor -1, which select the
// longer forms) and, in an object file, within the section. Anything else
// is left to the line's assembly, which says what is wrong.
bool LineReplay::late_settles(Entry& e) const {
    const ForwardRefs& fwd = as.fwd;
    if (e.evals == 0) return false;
    uint64_t first, last;
    expression_keys(e.level, e.evals, 0, first, last);
    if (!fwd.only_mark_within(first, last)) return false;
    const uint8_t* const n = e.late;
    const SymbolRecord* r =
        as.sym.note_holding(n[2], std::string_view(reinterpret_cast<const char*>(n + LATE_HEADER), n[3]));
    const bool object = as.options.relocatable_output || as.emit.relocatable();
    if (!r || r->type != TYPE_USER || r->kind != KIND_RELOCATABLE || r->flags != 0 || !as.emit.label_replays(r->section))
        return false;
    const int width = n[1] & 0x0F;
    if (n[1] & LATE_ADDRESS) {
        e.late_value = r->value;
        e.late_relocates = object ? r : nullptr;
        if (width != 4) return false;
        // An object file relocates the address: the line's one fixup.
        return !object || (e.fixup_count == 0 && as.emit.takes_late_fixup(late_fixup(e, *r)));
    }
    if (object && r->section != e.section) return false;
    const int32_t d = static_cast<int32_t>(static_cast<uint32_t>(r->value) - (e.address + 2u));
    e.late_value = d;
    switch (width) {
    case 1: return d >= -128 && d <= 127 && d != 0 && d != -1;
    case 2: return d >= -32768 && d <= 32767;
    case 4: return true;
    default: return false;
    }
}

// A forward reference pass 1 noted for one of the line's expressions
// (where the passes numbered them differently) is pass 2's to settle.
[[gnu::always_inline]] inline bool LineReplay::expressions_settled(const Entry& e) const {
    if (e.evals == 0) return true;
    uint64_t first, last;
    expression_keys(e.level, e.evals, 0, first, last);
    return as.fwd.next_fwd > last;
}

void LineReplay::emit(const Entry& e) {
    advance_numbers(e);
    if (e.fixup_count != 0 || e.late_relocates) emit_fixups(e);
    if (e.count != 0) as.emit.emit_bytes(e.bytes, static_cast<int>(e.count));
    ++replayed_;
}

[[gnu::always_inline]] inline void LineReplay::advance_numbers(const Entry& e) {
    // What reading the operands would have moved: the numbers of the
    // expressions, and the lookups pass 1 noted.
    ForwardRefs& fwd = as.fwd;
    if (e.late) [[unlikely]] {
        // The value goes into the bytes, and its mark is used up.
        uint8_t* field = arena_ + (e.bytes - arena_) + e.late[0];
        const uint32_t d = static_cast<uint32_t>(e.late_value);
        const int width = e.late[1] & 0x0F;
        for (int i = 0; i < width; ++i) field[i] = static_cast<uint8_t>(d >> (8 * (width - 1 - i)));
        fwd.pass_mark();
    }
    if (e.evals != 0) {
        if (e.level == 0) {
            fwd.expr_number += e.evals;
            fwd.inner_number = 0;
        } else {
            fwd.inner_number += e.evals;
        }
    }
    if (e.notes != 0) as.sym.skip_pass1_notes(e.notes);
}

bool LineReplay::replay_line(SourceLocation at) {
    Entry e;
    if (!peek(e)) {
        stop_reading();  // pass 1 kept no more records
        return false;
    }
    if (e.line != at.line || e.file != at.file) {
        // The passes read different lines here: no record fits any more.
        stop_reading();
        return false;
    }
    const bool fits =
        state_allows_records() && fits_here(e, static_cast<uint32_t>(as.drv.location_counter), as.src.global_labels_set());
    take(e);
    if (!fits) return false;
    if (as.src.label_field[0] != '\0') as.src.define_line_label();
    emit(e);
    return true;
}

void LineReplay::pass_label_line(SourceLocation at) {
    Entry e;
    if (!peek(e) || e.line != at.line || e.file != at.file) {
        stop_reading();
        return;
    }
    take(e);
}

// The records that follow the one taken last in the usual way (see
// replay_ahead), in a loop of their own: a label, and a scope for local
// names, are all they may add. What taking each would move in the numbers
// and the line is added up and moved once, after the last.
inline LineReplay::UsualRun LineReplay::take_usual_records(uint32_t address, bool each_line) {
    // A line's step from the one before is that one's bytes, never a wide
    // step (255 and up) that the driver would have to check one by one.
    static_assert(CAPTURE_BYTES < 0xFF);
    UsualRun r;
    r.address = address;
    SourceReader& src = as.src;
    const ForwardRefs& fwd = as.fwd;
    const uint8_t* p = read_at_;
    const uint8_t* const end = read_end_;
    uint32_t line = last_line_;
    uint64_t text = last_text_;
    size_t arena = arena_read_;
    uint32_t evals = 0;
    size_t notes = 0;
    uint32_t last_start = address;
    while (p != end) {
        const uint8_t flags = *p;
        if ((flags & ~(R_LABEL | R_SCOPE)) != (R_BYTES | R_CLEAN)) break;
        const uint8_t* q = p + 1;
        const uint32_t next_line = line + *q++;
        const uint64_t delta = read_base128(q);
        uint32_t scope = 0;
        if (flags & R_SCOPE) {
            std::memcpy(&scope, q, 4);
            q += 4;
        }
        SymbolRecord* label = nullptr;
        uint32_t labels_set = src.global_labels_set();
        bool global = false;
        if (flags & R_LABEL) {
            std::memcpy(&label, q, sizeof label);
            q += sizeof label;
            if (!label_defines_alike(*label, r.address, global)) break;
            if (global) ++labels_set;
        }
        if ((flags & R_SCOPE) && scope != labels_set) break;
        const uint32_t count = q[0], e = q[1], n = q[2], names = q[3];
        q += 4;
        if (e != 0) {
            // Its expressions' keys, once the records before have moved the numbers.
            uint64_t first, last;
            expression_keys(level_, e, evals, first, last);
            if (fwd.next_fwd <= last) break;
        }
        if (names != 0 && !names_read_alike(q, static_cast<int>(names))) break;
        if (label) {
            if (global) src.set_last_global_label(label->name_view());
            as.sym.define_alike(*label);
        }
        if (count != 0) {
            if (each_line) {
                // The debug information's row of the line, as it is taken.
                src.take_line_from_record(next_line);
                as.emit.note_line_at(r.address, as.drv.current_section, as.here());
            }
            if (!r.bytes) {
                r.bytes = arena_ + arena;
                r.first_line = next_line;
            }
        }
        p = q + static_cast<size_t>(names) * sizeof(NameNote);
        line = next_line;
        text += delta;
        arena += count;
        last_start = r.address;
        r.address += count;
        evals += e;
        notes += n;
        ++r.records;
    }
    if (r.records == 0) return r;
    read_at_ = p;
    last_line_ = line;
    last_text_ = text;
    records_read_ += r.records;
    arena_read_ = arena;
    next_address_ = r.address;
    replayed_ += r.records;
    ForwardRefs& moved = as.fwd;
    if (evals != 0) {
        if (level_ == 0) {
            moved.expr_number += evals;
            moved.inner_number = 0;
        } else {
            moved.inner_number += evals;
        }
    }
    if (notes != 0) as.sym.skip_pass1_notes(notes);
    src.take_line_from_record(line);
    Driver& drv = as.drv;
    drv.line_start_address = static_cast<int32_t>(last_start);
    drv.note_lines_in_step(src.location(), r.records);
    return r;
}

// Whether the label a record defined comes out where pass 1 put it, and a
// local one under the same global label; global: whether it is global.
inline bool LineReplay::label_defines_alike(const SymbolRecord& label, uint32_t address, bool& global) const {
    const char first = label.name()[0];
    global = !(first == '.' || (first >= '0' && first <= '9'));
    if (!global) {
        const std::string_view scope = as.src.last_global_label();
        // Before any global label the scope is empty, with no text to compare.
        if (label.name_length <= scope.size() ||
            (!scope.empty() &&
             std::memcmp(label.name() + label.name_length - scope.size(), scope.data(), scope.size()) != 0))
            return false;
    }
    return SymbolTable::defines_alike(label, static_cast<int32_t>(address));
}

bool LineReplay::replay_ahead(SourceText& text) {
    SourceReader& src = as.src;
    Driver& drv = as.drv;
    // The bytes of the lines taken, one after the other in the store, are
    // emitted together at the end; for the debug information each line's
    // address is noted as it is taken.
    const bool each_line = as.emit.notes_lines();
    const uint32_t start = static_cast<uint32_t>(drv.location_counter);
    uint32_t address = start;
    const uint8_t* run = nullptr;
    uint32_t first_line = 0;
    bool any = false;
    // A taken line's bytes join the run (its row is noted first, for -g).
    auto add_to_run = [&](const Entry& taken) __attribute__((always_inline)) {
        if (taken.count == 0) return;
        if (each_line) as.emit.note_line_at(address, drv.current_section, as.here());
        if (!run) {
            run = taken.bytes;
            first_line = taken.line;
        }
    };
    Entry e;
    if (!state_allows_records()) {
        declined_at_ = records_read_;
        return false;
    }
    while (src.lines_read_plainly() && !drv.end_seen && peek(e)) {
        // The usual records after one taken: their bytes right after the
        // last one's, in the same file, section and level, with nothing but
        // blank lines between. Of all the checks below only their
        // expressions' numbers, names and labels are left to make, which
        // take_usual_records makes for as many as follow in this chunk.
        if (any) {
            const UsualRun usual = take_usual_records(address, each_line);
            if (usual.records != 0) {
                if (usual.bytes && !run) {
                    run = usual.bytes;
                    first_line = usual.first_line;
                }
                address = usual.address;
                if (!peek(e)) break;
            }
        }
        // The first record, the first of the next chunk, or the one the
        // loop stopped at, which has every check made below.
        // Only the lines that follow in this file, with nothing but blank
        // lines between them in either pass.
        const SourceLocation here = src.location();
        if ((e.flags & (R_CLEAN | R_BYTES)) != (R_CLEAN | R_BYTES) || here.file != e.file || e.line <= here.line ||
            here.line < last_line_ || e.text_end <= text.consumed())
            break;
        uint32_t labels_set = src.global_labels_set();
        bool global = false;
        const SymbolRecord* label = e.label;
        if (label) {
            // A local label is the global one's, which must be the same;
            // either must come out where pass 1 put it.
            if (!label_defines_alike(*label, address, global)) break;
            if (global) ++labels_set;
        }
        if (!fits_here(e, address, labels_set)) break;
        take(e);
        src.take_line_from_record(e.line);
        drv.line_start_address = static_cast<int32_t>(address);
        drv.note_line_address(src.location());
        if (label) {
            if (global) src.set_last_global_label(label->name_view());
            as.sym.define_alike(*label);
        }
        advance_numbers(e);
        if (e.fixup_count != 0 || e.late_relocates) emit_fixups(e);
        add_to_run(e);
        address += e.count;
        ++replayed_;
        any = true;
    }
    if (!any) {
        declined_at_ = records_read_;
        return false;
    }
    if (run) {
        // The run's first line is where its bytes begin, should they start
        // a range of addresses.
        const uint32_t last_line = src.location().line;
        src.take_line_from_record(first_line);
        if (each_line)
            as.emit.emit_noted_run(run, static_cast<int>(address - start));
        else
            as.emit.emit_bytes(run, static_cast<int>(address - start));
        src.take_line_from_record(last_line);
    }
    as.lst.listing_count = 0;
    text.skip_to(last_text_);
    return true;
}

} // namespace tobra
