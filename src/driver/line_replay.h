// What pass 1 made of each line, kept so that pass 2 can emit a line's bytes
// without reading its operands or encoding it again.
//
// Pass 1 appends a record for every line of a file's own loop that has a
// mnemonic field or a label, in the order the lines are assembled: where the
// line and its text end, and for an instruction whose bytes cannot come out
// otherwise in pass 2 (its names read as they did, its place is the same,
// nothing it did waits for pass 2's checks) those bytes, with what it read,
// the label it defined and, in an object file, the fixups of its labels.
// Pass 2 reads the records back in the same order, and between lines takes
// the records that follow without reading their text. A record of another line than the one being assembled means the
// passes went different ways: from there on every line is assembled in full.
// A record whose names, place or state now read otherwise is not used; its
// line is assembled in full.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "driver/large_memory.h"
#include "driver/location.h"

namespace tobra {

class Assembler;
struct Variant;
struct SymbolRecord;
struct SourceText;
struct Fixup;

// Records stop being kept beyond this many bytes (some three million typical
// lines): the rest of a larger source is assembled in full in pass 2.
inline constexpr size_t LINE_RECORD_LIMIT = size_t{32} << 20;

class LineReplay {
public:
    explicit LineReplay(Assembler& assembler) : as(assembler) {}

    // Called before the first line of each pass.
    void begin_pass(int pass);

    // Pass 1 keeps records; pass 2 reads them while the lines agree.
    bool writing() const { return writing_; }
    bool reading() const { return reading_; }
    // An option of the command line read after the first source: pass 2
    // reads the lines before it with other options than pass 1 did.
    // Also when memory runs short in pass 1 (the records only save time):
    // the line open now, if any, is left without its record.
    // Pass 1: the records written so far are not used (a label they read
    // without a note changed what it is).
    void void_records() { valid_from_ = records_; }
    void stop_writing() {
        writing_ = false;
        release();
        capture_at_ = scratch_;
        write_at_ = write_end_ = nullptr;
        ++records_;  // the mark of an open line no longer matches
    }
    // Pass 1: gives the records' memory back, so that what the source itself
    // needs can have it; false when there was none to give.
    bool give_back_memory() {
        if (reading_ || (!writing_ && !record_room_.reserved() && !arena_room_.reserved())) return false;
        stop_writing();
        return true;
    }
    // After pass 2: the records are done with.
    void end_reading() {
        reading_ = false;
        release();
    }

    // Pass 1: where the line's record begins; handed back to close_line.
    struct Mark {
        uint8_t* header = nullptr;
        uint64_t records = 0;
    };
    // Pass 1, before an own line is looked at: its record's header, and the
    // state its bytes are judged against.
    [[gnu::always_inline]] inline Mark open_line(SourceLocation at);
    // Pass 1, after the line: v, the variant it was encoded with (nullptr for
    // anything else); its bytes are kept when they are sure to come out the
    // same in pass 2.
    [[gnu::always_inline]] inline void close_line(const Mark& mark, const Variant* v);
    // Pass 1, after a line with a label alone.
    void close_label_line(const Mark& mark);

    // One line assembled away from the records, by the look-ahead's own
    // assembler (driver/ahead.h): begin_trial before it; trial_pure after it
    // tells whether its bytes came from its text alone, and they are the
    // trial's bytes. end_trial drops what the line added to what only grows
    // in a pass (lookup notes, strings, forward marks).
    void begin_trial();
    // The same judgement for a line assembled in the records' own way,
    // from here on (a check of the look-ahead).
    void note_trial_start();
    bool trial_pure(const Variant* v) const;
    const uint8_t* trial_bytes() const { return capture_at_; }
    uint32_t trial_count() const { return captured_; }
    uint32_t trial_evals() const;
    void end_trial();

    // Pass 1: bytes the line emits, and lines whose bytes pass 2 must make
    // again (a check that only pass 2 makes, a message, a fixup).
    void capture_byte(uint32_t value) {
        if (captured_ < CAPTURE_BYTES) {
            capture_at_[captured_] = static_cast<uint8_t>(value);
            ++captured_;
        } else {
            captured_ = CAPTURE_OVERFLOW;
        }
    }
    void capture_word(uint32_t value) {
        if (captured_ <= CAPTURE_BYTES - 2) {
            capture_at_[captured_] = static_cast<uint8_t>(value >> 8);
            capture_at_[captured_ + 1] = static_cast<uint8_t>(value);
            captured_ += 2;
        } else {
            captured_ = CAPTURE_OVERFLOW;
        }
    }
    void capture_long(uint32_t value) {
        capture_word(value >> 16);
        capture_word(value);
    }
    void capture_bytes(const uint8_t* bytes, int n);
    void unsettle() { settled_ = false; }
    bool settled() const { return settled_; }
    void settle() { settled_ = true; }
    // Pass 1, an object file: a fixup of the line's bytes that pass 2 will
    // hand to the file as it is; false when the record cannot hold it.
    bool keep_fixup(const Fixup& f);
    // Pass 1, a field that holds a name not yet defined: width bytes at
    // offset in the line's bytes, which pass 2 works out from the name's
    // value without reading the line again: a branch's displacement (from
    // the word after the opcode), or a long address (relocated in an object
    // file). Kept only when the expression is that name alone.
    enum class LateForm : uint8_t { displacement, address };
    void keep_late_field(uint32_t offset, uint32_t width, LateForm form);

    // Pass 2, for an own line with a mnemonic field: true when the line's
    // bytes were emitted from its record (the label is the caller's).
    bool replay_line(SourceLocation at);
    // Pass 2, for an own line with a label alone: its record is passed (the
    // label is the caller's).
    void pass_label_line(SourceLocation at);
    // Pass 2, between two lines of a file's own loop: emits the lines that
    // follow from their records as long as each can be, and moves the text
    // and line number past them; false when it took none. A record it cannot
    // take is left for the line's own reading, and not tried again here.
    bool may_replay_ahead() const { return reading_ && records_read_ != declined_at_; }
    bool replay_ahead(SourceText& text);

    // Bytes the records take, and lines pass 2 emitted from them.
    size_t bytes() const { return bytes_; }
    uint64_t replayed() const { return replayed_; }

    // A fixup of a line's bytes, as its record keeps it: where in the line
    // the field is, and what Fixup holds besides (no name: a line that
    // refers to an external name is not kept).
    struct FixupNote {
        int32_t addend;
        uint8_t offset, width, kind, bits;
        int8_t target_section, pc_base;
    };
    static constexpr int MAX_FIXUPS = 8;

private:
    static constexpr uint32_t CAPTURE_BYTES = 64;
    static constexpr uint32_t CAPTURE_OVERFLOW = CAPTURE_BYTES + 1;

    // Where the next record is written (room for the longest), or nullptr
    // past the limit.
    uint8_t* room();
    void stop_reading() { reading_ = false; }
    bool names_read_alike(const uint8_t* notes, int count) const;
    // Pass 2: takes the usual records that follow (see replay_ahead) as
    // one step, noting each line's row for the debug information when
    // each_line; returns how many, the address after their bytes, and
    // where their bytes begin.
    struct UsualRun {
        uint64_t records = 0;
        uint32_t address = 0;
        uint32_t first_line = 0;
        const uint8_t* bytes = nullptr;
    };
    [[gnu::always_inline]] inline UsualRun take_usual_records(uint32_t address, bool each_line);
    bool label_defines_alike(const SymbolRecord& label, uint32_t address, bool& global) const;
    // Pass 1: an option or opt chose the output; the records from here on
    // are judged against that choice.
    [[gnu::noinline]] void follow_output_choice();

    // Pass 2: a record read out, not yet taken.
    struct Entry {
        const uint8_t* next;  // where the record after it starts (in chunk `chunk`)
        size_t chunk;
        uint32_t line, file;
        uint64_t text_end;  // where the line's text ends
        uint8_t flags;
        uint32_t address;
        uint8_t section, level;
        uint32_t scope;
        SymbolRecord* label;
        uint32_t count, evals, notes;
        int name_count;
        const uint8_t* names;
        const uint8_t* bytes;
        const uint8_t* fixups;  // fixup_count FixupNotes (R_FIXUPS)
        uint32_t fixup_count;
        const uint8_t* late;  // a late field (R_FIXUPS), or nullptr
        // Once fits_here has judged it: its value, and the label whose
        // address it is when an object file relocates it (else nullptr).
        int32_t late_value;
        const SymbolRecord* late_relocates;
    };
    // Reads the next record; false when there is none.
    bool peek(Entry& e) const;
    // Moves past it: what follows is read relative to it.
    void take(const Entry& e);
    // Whether its bytes may be emitted here and now.
    bool state_allows_records() const;
    // labels_set: the global labels set by then.
    bool fits_here(Entry& e, uint32_t address, uint32_t labels_set) const;
    bool expressions_settled(const Entry& e) const;
    // The forward-mark keys of the first and last of a line's evals
    // expressions at condition level, when the lines taken before it made
    // before expressions the numbers do not count yet.
    void expression_keys(int level, uint32_t evals, uint32_t before, uint64_t& first, uint64_t& last) const;
    // For a record with a late field: whether the one forward mark among
    // its expressions' is the field's and its name's value fits the field;
    // sets e.late_value.
    bool late_settles(Entry& e) const;
    // Emits them, with what reading the line would have moved.
    void emit(const Entry& e);
    // Hands the record's fixups to the output, as assembling the line would.
    void emit_fixups(const Entry& e);
    // The fixup of a late address in an object file.
    Fixup late_fixup(const Entry& e, const SymbolRecord& label) const;
    void advance_numbers(const Entry& e);
    // Pass 1: the rest of a record with bytes (count of them, none for a
    // label alone), taken only when every name the line read can be kept.
    [[gnu::noinline]] void finish(const Mark& mark, SymbolRecord* label, uint32_t count, uint32_t evals, size_t notes);
    // Pass 1: the label the line defined, as it was made; nullptr when the
    // line has none, or a label whose record is not sure (sure false: the
    // record then keeps no bytes).
    SymbolRecord* defined_label(bool& sure) const;

    Assembler& as;
    static constexpr size_t CHUNK = size_t{1} << 20;
    // The records, in chunks cut one after the other from their room.
    GrowingRoom record_room_;
    std::vector<uint8_t*> chunks_;
    std::vector<size_t> chunk_used_;
    // The bytes of the records, in their order; the arena grows in place.
    GrowingRoom arena_room_;
    uint8_t* arena_ = nullptr;
    void release();
    size_t arena_used_ = 0, arena_capacity_ = 0;
    size_t arena_read_ = 0;  // pass 2: where the next record's bytes are
    bool grow_arena();
    size_t bytes_ = 0;
    uint64_t records_ = 0;  // pass 1: headers written
    bool writing_ = false;
    bool reading_ = false;
    uint8_t* write_at_ = nullptr;  // pass 1: where the next record goes, and the end of its chunk
    uint8_t* write_end_ = nullptr;
    size_t read_chunk_ = 0;  // pass 2: where the next record is, and the end of its chunk's records
    const uint8_t* read_at_ = nullptr;
    const uint8_t* read_end_ = nullptr;
    uint64_t replayed_ = 0;
    // Pass 1: the output chosen when the last record was written, and the
    // count of records written before it was chosen (whose bytes are not used).
    int output_formats_ = 0;
    uint64_t valid_from_ = 0;
    uint64_t records_read_ = 0;  // pass 2

    // Of the record written or read last: its line and file; of the last one
    // with bytes, where they ended and the state they were made in.
    uint32_t last_line_ = 0;
    uint32_t last_file_ = 0;
    uint64_t last_text_ = 0;
    uint64_t declined_at_ = ~uint64_t{0};  // pass 2: records_read_ when replay_ahead last declined
    uint32_t next_address_ = 0;
    uint8_t section_ = 0;
    uint8_t level_ = 0;

    // Pass 1, the line being assembled: the state it began in and its bytes.
    bool settled_ = true;
    uint32_t captured_ = 0;
    uint32_t fixup_count_ = 0;
    FixupNote fixups_[MAX_FIXUPS] = {};
    uint8_t late_offset_ = 0, late_width_ = 0;  // late_width_ 0: no late field
    LateForm late_form_ = LateForm::displacement;
    // Where the line's bytes go: the end of the store of bytes, which a
    // record takes as they are, or a scratch buffer while no record is kept.
    uint8_t scratch_[CAPTURE_BYTES] = {};
    uint8_t* capture_at_ = scratch_;
    uint32_t start_expr_ = 0;
    uint32_t start_inner_ = 0;
    size_t start_notes_ = 0;
    unsigned start_stars_ = 0;
    uint32_t start_place_reads_ = 0;
    size_t start_strings_ = 0;
    size_t start_forward_ = 0;
};

} // namespace tobra
