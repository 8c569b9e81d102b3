// Code emission: location counters and section sizes in pass 1; in pass 2
// the bytes and fixups, handed to the output format chosen for the run.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver/driver.h"
#include "isa/classes.h"
#include "isa/operand.h"
#include "output/elf_file.h"
#include "output/format.h"
#include "output/staged_file.h"

namespace tobra {

class Assembler;

inline constexpr int RECORD_BYTES = 32;

struct PendingBuffer {
    uint8_t bytes[RECORD_BYTES] = {};
    int count = 0;
};

// Where the code of each source line went (-g): one row whenever code is
// emitted for a line other than the previous row's.
struct LineRecorder {
    // The rows of the object file's line table (address, file as an index
    // into files, and line), handed over when it is written.
    std::vector<std::string> files;
    elf::LineRows rows;
    // A row for a line of the file of the last row, if it is another line;
    // false when the line is of another file (or the first): note_in_file.
    bool note_in_same_file(uint32_t address, const SourceLocation& at) {
        if (last_file_ != at.file || rows.empty()) return false;
        if (rows.line() != at.line) rows.add(address, last_number_ - 1, at.line);
        return true;
    }
    // name: the file's name, looked at only the first time the file is met.
    void note_in_file(uint32_t address, const SourceLocation& at, const std::string& name);
    void clear() {
        files.clear();
        rows.clear();
        numbers_.clear();
        last_file_ = last_number_ = 0;
    }

private:
    std::vector<uint32_t> numbers_;  // by the driver's file number: its index into files, plus 1 (0: none yet)
    uint32_t last_file_ = 0;         // the driver's file number of the last row
    uint32_t last_number_ = 0;       // and its numbers_ entry
};

class Emitter {
public:
    explicit Emitter(Assembler& assembler) : as(assembler) {}

    void emit_byte(int32_t value);
    void emit_word(int32_t value);
    void emit_long(int32_t value);
    // Several bytes in one step (the words and longs above).
    void emit_bytes(const uint8_t* bytes, int n);
    // Copies count bytes of data (an incbin file) into the current section.
    void emit_block(const uint8_t* data, int32_t count);
    void flush_section();
    // A field whose value depends on where a linker puts a section or name
    // (pass 2; ignored in pass 1). Refusals are reported here.
    void fixup(const Fixup& f);
    // Whether the final value of op's field is a linker's to give: an external
    // name always (outside an object file that is an error), a section's
    // label in an object file or as a base-relative displacement. Encoders
    // skip their own range checks for such a value.
    bool linked(const Operand& op, FixupKind kind = FixupKind::absolute) const {
        return op.reloc_kind == KIND_EXTERNAL ||
               (op.reloc_kind == KIND_RELOCATABLE && (relocatable_ || kind == FixupKind::base_relative));
    }
    // Whether a line that reads a label of the section may come out of pass
    // 1's record in pass 2: not in the binary image, which notes where its
    // labels outside the code are used. (An object file's line comes out with
    // the fixups pass 1 kept for it, or is assembled again.)
    // Whether the output chosen is an object file, whose labels relocate.
    bool relocatable() const { return relocatable_; }
    bool label_replays(int section) const { return !(binary_image_ && section != SEC_CODE); }
    // The same, judged in pass 1 from the output chosen so far.
    bool label_replays_as_chosen(int section) const { return !(binary_chosen_ && section != SEC_CODE); }
    // Pass 1: the output the options have chosen so far, so that fields are
    // judged linked as pass 2 will judge them and a line's fixups can be kept.
    // Called as the pass begins and, when the choice changes later (an option
    // or opt), before the next line whose record is kept.
    void follow_output_choice();
    // The fixup of a field holding the value of op's expression, when that
    // value depends on an external name or a section's address. A width of
    // 0 is a field too narrow for any relocation: such a value is refused.
    // Most fields hold plain numbers, and the test stays inline. Every
    // external name, and every field that cannot be relocated, is judged
    // here, whatever the output; the binary image also notes fields that
    // point outside the code.
    void value_fixup(const Operand& op, int32_t field_address, int width, FixupKind kind, int pc_base = 0,
                     bool low_byte_of_word = false, const char* name = nullptr) {
        if (linked(op, kind) || (binary_image_ && op.reloc_kind == KIND_RELOCATABLE && op.sym_section != SEC_CODE))
            relocatable_value_fixup(op, field_address, width, kind, pc_base, low_byte_of_word, name);
    }

    // Pass 1: a long field at field_address that holds op's value, which pass
    // 2 may work out without reading the line again should op be a name not
    // yet defined.
    void late_address(const Operand& op, int32_t field_address);
    // Pass 2: whether the fixup of such a field, once its label is known,
    // goes to the object file without a message, as pass 1 judges the
    // fixups it keeps.
    bool takes_late_fixup(const Fixup& f) const;

    // A line in bss or basebss, which keep no bytes: an instruction there, or
    // data that is not zero, is an error (pass 2).
    void begin_uninitialised_line(bool instruction) {
        uninitialised_instruction_ = instruction;
        uninitialised_reported_ = false;
    }

    // org: the next bytes of the current section begin a new range of
    // addresses, and this line is where it was asked for.
    void note_origin();
    // After pass 2 of an absolute output: ranges of S-records or Intel HEX
    // that overlap are errors; in the binary image, which has no addresses,
    // a dropped gap and a reference to data by its address are warnings
    // that say where the bytes are.
    void check_ranges();

    // Output file of pass 2, written in the format the options chose; never
    // over a file this run has read.
    void open_output(const char* first_source);
    void keep_messages_apart();
    // After the last source file: the format's end, then the file is closed;
    // with errors the file is removed instead.
    void finish_output(bool ok);
    void close_output();
    // Removes the output file (pass-2 errors, fatal errors), even closed
    // under its name, until output_kept.
    void discard_output();
    // The run has succeeded: the output stays whatever happens after.
    void output_kept() { output_created_ = false; }
    // Bytes of the output file, written to disk when it is closed. With a
    // file open they gather in output_data, and go to disk in pieces of
    // about WRITE_CHUNK bytes as they grow.
    void write_out(const void* data, size_t size) {
        if (output_file_ && output_data.size() + size < WRITE_CHUNK)
            output_data.append(static_cast<const char*>(data), size);
        else
            write_out_checked(data, size);
    }
    static constexpr size_t WRITE_CHUNK = size_t{1} << 20;
    // Bytes a format keeps in memory until the output is written (a section
    // other than code, an object file's sections): the same limit on memory
    // applies to them as to the output itself.
    void hold_bytes(std::vector<uint8_t>& into, const uint8_t* bytes, int32_t count);
    void hold_bytes(LargeVector<uint8_t>& into, const uint8_t* bytes, int32_t count);
    // Zeroes the pass-2 parts between the passes.
    void reset_for_pass2();

    static std::string output_name_for(const char* source_name);

    OutputFormat* format() const { return format_.get(); }

    // Indexed by section number.
    PendingBuffer pending[SECTION_SLOTS];        // of the sections that hold bytes
    int32_t bss_size[SECTION_SLOTS] = {};        // pass-2 sizes of the bss sections
    int32_t pass2_size[SECTION_SLOTS] = {};      // bytes of each section emitted in pass 2
    // The largest alignment a directive asked for in each section in pass 2
    // (0 or 1: none), which an object file must keep for the linker.
    uint32_t section_align[SECTION_SLOTS] = {};
    // A section the source has just named.
    void add_section(int number, bool holds_bytes) { stores_bytes_[number] = holds_bytes; }
    // Whether the address of each line with bytes is noted (debug lines).
    bool notes_lines() const { return record_lines_; }
    // Pass 2, -g: the line being read emits its bytes at address, as part
    // of a run that emit_noted_run then emits whole.
    // section: the current one; at: where the line is (Assembler::here).
    void note_line_at(uint32_t address, int section, const SourceLocation& at) {
        if (section == SEC_CODE && !lines.note_in_same_file(address, at)) note_line_in_file(address, at);
    }
    // The bytes of lines already noted, emitted together.
    void emit_noted_run(const uint8_t* bytes, int n);
    bool stores_bytes(int section) const { return stores_bytes_[section]; }
    // An alignment to a multiple of n asked for in the current section.
    void note_alignment(uint32_t n);
    LineRecorder lines;  // pass 2 with -g
    std::string source_name;  // the first source file, which names the output
    std::string output_name;
    // Where the program starts, when the source's end directive names it.
    std::optional<uint32_t> entry_address;
    std::string output_data;
    bool output_open = false;

private:
    void relocatable_value_fixup(const Operand& op, int32_t field_address, int width, FixupKind kind, int pc_base,
                                 bool low_byte_of_word, const char* name);
    // Pass 1: keeps f with the line's record when pass 2's fixup() will hand
    // it to the object file without a message; otherwise pass 2 assembles
    // the line again.
    void keep_fixup(const Fixup& f);
    void flush_buffer(int section);
    [[gnu::noinline]] void emit_bytes_one_by_one(const uint8_t* bytes, int n);
    // emit_word and emit_long in pass 2.
    [[gnu::noinline]] void store_word(int32_t value);
    [[gnu::noinline]] void store_long(int32_t value);
    // write_out when the bytes may reach the memory limit or fill a chunk,
    // or must be dropped.
    void write_out_checked(const void* data, size_t size);
    void write_pending();
    // -g: notes the line that code is emitted for.
    void note_line() {
        if (record_lines_) [[unlikely]]
            note_code_line();
    }
    void note_code_line();
    [[gnu::noinline]] void note_line_in_file(uint32_t address, const SourceLocation& at);
    // Reports, once per line, bytes that a section without contents would lose.
    void refuse_uninitialised(const char* what);
    void check_uninitialised(const uint8_t* bytes, int32_t count);
    // A run of consecutive addresses of one section, as pass 2 emits them.
    struct Range {
        int section;
        uint32_t start;
        uint64_t end;           // one past the last byte
        uint64_t image_offset;  // bytes of the section emitted before it
        bool from_origin;       // begun by an org
        SourceLocation at;
        size_t order;  // among ranges and data references
    };
    // An absolute field (binary image only) holding an address in data or basedata.
    struct DataReference {
        int section;
        uint32_t value;
        SourceLocation at;
        size_t order;
    };
    // Called before the first byte of a pending buffer (or any byte of bss):
    // bytes that do not follow the section's last range begin a new one.
    void range_at(int section, int32_t address) {
        if (track_ranges_) [[unlikely]]
            open_range(section, address);
    }
    void open_range(int section, int32_t address);
    void extend_range(int section, int32_t count) {
        if (track_ranges_ && section >= 0 && section < 5 && current_range_[section] >= 0) [[unlikely]]
            ranges_[static_cast<size_t>(current_range_[section])].end += static_cast<uint32_t>(count);
    }
    void note_data_reference(const Fixup& f);
    std::vector<Range> ranges_;
    int current_range_[5] = {-1, -1, -1, -1, -1};
    // An org seen since the section's last bytes: where the next range was asked for.
    bool origin_pending_[5] = {};
    SourceLocation origin_at_[5];
    void report_at(const SourceLocation& at, bool warning, Message message, const std::string& text);
    std::vector<DataReference> data_references_;
    bool track_ranges_ = false;  // an absolute output: S-records, Intel HEX or the binary image
    bool binary_image_ = false;
    bool binary_chosen_ = false;  // pass 1: the output chosen so far is the binary image
    bool uninitialised_instruction_ = false;
    bool uninitialised_reported_ = false;
    Assembler& as;
    // Whether each section keeps its bytes (a copy of Driver::sections, read
    // for every byte emitted in pass 2).
    bool stores_bytes_[SECTION_SLOTS] = {true, true, false, true, false};  // code, data, bss, basedata, basebss
    bool record_lines_ = false;
    std::unique_ptr<OutputFormat> format_;
    bool relocatable_ = false;  // the chosen format is an object file
    bool (*takes_fixup_)(const Fixup&, Placement) = nullptr;  // pass 1: the chosen format's
    std::FILE* output_file_ = nullptr;
    bool output_created_ = false;  // the file exists on disk and must go if the run fails
    FileBeside output_beside_;     // output_file_ unless written in place or through
    bool output_through_ = false;  // output_file_ is unnamed, copied into the named link or device at the end
    bool discard_bytes_ = false;   // --no-output
};

} // namespace tobra
