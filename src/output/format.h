// Output formats: what pass 2 hands to whichever format the run writes, and
// the table the format is chosen from.
//
// A format sees the start of its output, the bytes of the initialised
// sections in runs of any length, the fixups (places a linker must patch)
// and the end of an error-free pass 2. Adding a format is one file with a
// class derived from OutputFormat and one row in format_rows (formats.cpp).
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "driver/message.h"

namespace tobra {

class Assembler;
struct Options;
struct SymbolRecord;

// How a field relates to the value it holds.
enum class FixupKind : uint8_t {
    absolute,      // the value itself
    pc_relative,   // the value minus the place of the field
    base_relative  // the value as a displacement from the base register of basedata
};

// A field whose final contents depend on where a linker puts something.
struct Fixup {
    int section = 0;        // section holding the field
    uint32_t offset = 0;    // of the field's first byte within that section
    int width = 0;          // bytes: 1, 2 or 4
    FixupKind kind = FixupKind::absolute;
    const SymbolRecord* symbol = nullptr;  // an external name, or nullptr
    int target_section = -1;               // section the value points into, when symbol is nullptr
    int32_t addend = 0;     // the value with the name or the target section taken as 0
    // A PC-relative field counts from this many bytes after its first byte:
    // a short branch's byte from the next word, a brief extension word's
    // byte from the word itself.
    int pc_base = 0;
    // A byte field that is the low half of an extension word (a byte
    // immediate, a bit number): a format without byte relocations may
    // relocate the whole word instead.
    bool low_byte_of_word = false;
    // What the field is ("the 4-bit trap vector"), for a refusal to name it.
    const char* name = nullptr;
    // A distance written as an expression (ext-*, msg-here) rather than an
    // addressing mode: counted from the field itself.
    bool written_distance = false;
};

// What a fixup asks of an object file.
enum class Placement : uint8_t {
    resolved,        // nothing: the value is final (a PC-relative field within its own section)
    relocation,      // add the target section's address
    external,        // add the external name's address
    base_reference,  // a displacement into basedata or basebss from the base register
    refused          // no object file can express it; the message says why
};

struct FixupDecision {
    Placement placement;
    Message refusal;  // the error message when placement is refused
};

// The one rule that turns a fixup into a relocation, an external reference or
// a base reference, for every object format alike.
FixupDecision place_fixup(const Fixup& f);

// Stops the run over a fixup that the emitter's checks keep from every
// writer (a section that stores no bytes, a width no relocation has, a name
// the symbol table lacks): reaching one is a fault of the assembler, and no
// output beats one that silently lacks a relocation.
[[noreturn]] void fixup_internal_error(Assembler& as, const char* writer, const char* what);

class OutputFormat {
public:
    virtual ~OutputFormat() = default;
    // Written after the output file is opened, before pass 2 emits anything.
    virtual void begin() {}
    // A run of bytes of code, data or basedata that begins at address.
    virtual void section_data(int section, uint32_t address, const uint8_t* bytes, int32_t count) = 0;
    // A fixup the placement rule has not resolved; only relocatable formats get them.
    virtual void fixup(const Fixup&, Placement) {}
    // After an error-free pass 2, before the file is closed. end_address is
    // where the last output ended.
    virtual void end(uint32_t end_address) = 0;
};

// Code bytes go straight into the output stream in emission order, data and
// basedata are held until the end: the layout the binary image and the
// object file share.
class HeldSectionsFormat : public OutputFormat {
public:
    explicit HeldSectionsFormat(Assembler& assembler) : as(assembler) {}
    void section_data(int section, uint32_t address, const uint8_t* bytes, int32_t count) override;
    // data and basedata contents, by section index.
    std::vector<uint8_t> held[4];

protected:
    Assembler& as;
};

struct OutputFormatRow {
    const char* name;
    int format;           // the FORMAT_* bit an option asks for it by; 0: the default
    bool relocatable;     // an object file: fixups kept, org refused, labels relocatable
    std::unique_ptr<OutputFormat> (*make)(Assembler&);
    // Sections of any name besides the built-in five, and each section's
    // alignment, kept for the linker.
    bool named_sections = false;
    // Whether the format's fixup() takes a fixup so placed without a
    // message (a relocatable format; nullptr: none is taken). Pass 1 keeps a
    // line's fixups for pass 2 to hand on only when each is taken.
    bool (*takes_fixup)(const Fixup&, Placement) = nullptr;
};

// The first row whose option is given (format_rows are in order of
// precedence); the last row, S-records, when none is.
const OutputFormatRow& chosen_output_format(const Options& options);
// An option asks for the format of a FORMAT_* bit: the bit joins those asked
// for, and the fields of Options that describe the chosen format follow.
void ask_output_format(Options& options, int format, bool from_command_line);

} // namespace tobra
