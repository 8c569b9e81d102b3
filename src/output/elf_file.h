// An ELF32 big-endian relocatable object for the 68K machine: the bytes of a
// whole file from its sections, symbols, relocations and (optionally) a line
// table. Knows nothing of the assembler; the ELF output format fills it in.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "driver/large_memory.h"

namespace tobra::elf {

// The constants this writer uses, from the ELF and 68K ELF ABI documents.
inline constexpr uint16_t EM_68K = 4;
inline constexpr uint16_t ET_REL = 1;

// Section types and flags, symbol bindings and types, and the sizes of the
// file's fixed records, as the writer and the reader use them.
inline constexpr uint32_t SHT_PROGBITS = 1;
inline constexpr uint32_t SHT_SYMTAB = 2;
inline constexpr uint32_t SHT_STRTAB = 3;
inline constexpr uint32_t SHT_RELA = 4;
inline constexpr uint32_t SHT_NOBITS = 8;
inline constexpr uint32_t SHF_WRITE = 0x1;
inline constexpr uint32_t SHF_ALLOC = 0x2;
inline constexpr uint32_t SHF_EXECINSTR = 0x4;
inline constexpr uint32_t SHF_INFO_LINK = 0x40;
inline constexpr uint8_t STB_LOCAL = 0;
inline constexpr uint8_t STB_GLOBAL = 1;
inline constexpr uint8_t STT_NOTYPE = 0;
inline constexpr uint8_t STT_SECTION = 3;
inline constexpr uint8_t STT_FILE = 4;
inline constexpr uint16_t SHN_UNDEF = 0;
inline constexpr uint16_t SHN_ABS = 0xFFF1;
inline constexpr uint16_t SHN_COMMON = 0xFFF2;
inline constexpr uint32_t EHDR_SIZE = 52;
inline constexpr uint32_t SHDR_SIZE = 40;
inline constexpr uint32_t SYM_SIZE = 16;
inline constexpr uint32_t RELA_SIZE = 12;

inline constexpr uint8_t R_68K_32 = 1;
inline constexpr uint8_t R_68K_16 = 2;
inline constexpr uint8_t R_68K_8 = 3;
inline constexpr uint8_t R_68K_PC32 = 4;
inline constexpr uint8_t R_68K_PC16 = 5;
inline constexpr uint8_t R_68K_PC8 = 6;

// e_flags of ColdFire objects: the ISA level, the hardware divide, the
// multiply-accumulate unit and the floating-point unit.
inline constexpr uint32_t EF_M68K_CF_ISA_A_NODIV = 0x01;
inline constexpr uint32_t EF_M68K_CF_ISA_A = 0x02;
inline constexpr uint32_t EF_M68K_CF_ISA_A_PLUS = 0x03;
inline constexpr uint32_t EF_M68K_CF_ISA_B_NOUSP = 0x04;
inline constexpr uint32_t EF_M68K_CF_ISA_B = 0x05;
inline constexpr uint32_t EF_M68K_CF_ISA_C = 0x06;
inline constexpr uint32_t EF_M68K_CF_ISA_C_NODIV = 0x07;
inline constexpr uint32_t EF_M68K_CF_MAC = 0x10;
inline constexpr uint32_t EF_M68K_CF_EMAC = 0x20;
inline constexpr uint32_t EF_M68K_CF_EMAC_B = 0x30;
inline constexpr uint32_t EF_M68K_CF_FLOAT = 0x40;
inline constexpr uint32_t EF_M68K_CFV4E = 0x8000;

// The sections every assembly has, numbered as the assembler numbers them;
// the sections a source names follow them.
enum Section : int { TEXT = 0, DATA = 1, BSS = 2, SDATA = 3, SBSS = 4, STANDARD_SECTIONS = 5 };
inline constexpr const char* standard_section_name[STANDARD_SECTIONS] = {".text", ".data", ".bss", ".sdata", ".sbss"};
inline constexpr int UNDEFINED = -1;
inline constexpr int ABSOLUTE = -2;

// What a section holds, which gives its type and flags: code is PROGBITS
// AX, data PROGBITS WA, bss NOBITS WA.
enum class Contents : uint8_t { code, data, bss };

struct Symbol {
    std::string_view name;  // the caller keeps the text until the file is written
    int section = UNDEFINED;  // an index into ObjectFile::sections, UNDEFINED, or ABSOLUTE for a constant
    uint32_t value = 0;       // offset within the section (the constant itself for ABSOLUTE)
    bool global = false;      // an undefined symbol is always global
};

struct Relocation {
    uint32_t offset = 0;  // of the field within its section
    uint8_t type = R_68K_32;
    int symbol = -1;          // index into ObjectFile::symbols, or -1 ...
    int section = UNDEFINED;  // ... for a value relative to this section's start
    int32_t addend = 0;
};

// The line program's standard opcodes that rows are written with.
inline constexpr uint8_t DW_LNS_copy = 1;
inline constexpr uint8_t DW_LNS_advance_pc = 2;
inline constexpr uint8_t DW_LNS_advance_line = 3;
inline constexpr uint8_t DW_LNS_set_file = 4;

// The rows of the line table, kept as the line program's opcodes as they
// come: a row takes a few bytes instead of twelve, and the table is not
// encoded again when the file is written. Rows come in address order.
class LineRows {
public:
    // The code at address (in .text) came from line of file (an index into
    // ObjectFile::line_files).
    void add(uint32_t address, uint32_t file, uint32_t line) {
        // The usual row, inline: the same file, a line a little further on
        // and code a little further on, each a one-byte operand.
        const int64_t line_step = static_cast<int64_t>(line) - line_;
        const uint32_t address_step = address - address_;
        if (file + 1 == file_ && line_step > 0 && line_step < 0x40 && address_step - 1 < 0x7F) {
            const size_t at = opcodes_.size();
            opcodes_.resize_for_overwrite(at + 5);
            uint8_t* p = opcodes_.begin() + at;
            p[0] = DW_LNS_advance_line;
            p[1] = static_cast<uint8_t>(line_step);
            p[2] = DW_LNS_advance_pc;
            p[3] = static_cast<uint8_t>(address_step);
            p[4] = DW_LNS_copy;
            line_ = line;
            address_ = address;
            ++count_;
            return;
        }
        add_any(address, file, line);
    }
    size_t count() const { return count_; }
    bool empty() const { return count_ == 0; }
    // The line of the last row (1 before the first).
    uint32_t line() const { return static_cast<uint32_t>(line_); }
    uint32_t address() const { return address_; }
    const GrowingArray<uint8_t>& opcodes() const { return opcodes_; }
    LineRows& operator=(std::initializer_list<std::array<uint32_t, 3>> rows) {
        clear();
        for (const auto& r : rows) add(r[0], r[1], r[2]);
        return *this;
    }
    void clear() {
        opcodes_.clear();
        count_ = 0;
        address_ = 0;
        file_ = 1;
        line_ = 1;
    }

private:
    [[gnu::noinline]] void add_any(uint32_t address, uint32_t file, uint32_t line);
    GrowingArray<uint8_t> opcodes_;
    size_t count_ = 0;
    // The state machine's registers after the last row.
    uint32_t address_ = 0, file_ = 1;
    int64_t line_ = 1;
};

struct SectionData {
    std::string name;
    Contents contents = Contents::data;
    bool always = true;   // written even when nothing is in it and nothing refers to it
    uint32_t align = 4;   // a power of two
    LargeVector<uint8_t> bytes;  // of code and data
    uint32_t nobits_size = 0;    // of bss
    GrowingArray<Relocation> relocations;
};

// .text, .data and .bss; .sdata and .sbss only when used.
std::vector<SectionData> standard_sections();

struct ObjectFile {
    uint32_t flags = 0;       // e_flags
    std::string source_name;  // the file symbol and the compile unit's name
    std::vector<SectionData> sections = standard_sections();  // indexed as Symbol::section
    LargeVector<Symbol> symbols;

    // Debug information is written when this is set.
    bool debug = false;
    std::string comp_dir;
    std::string producer;
    std::vector<std::string> line_files;
    LineRows lines;
};

// The whole file; or the same bytes handed to sink in pieces, in order,
// without the file ever being held whole.
std::vector<uint8_t> write_object(const ObjectFile& object);
using ByteSink = std::function<void(const uint8_t* bytes, size_t count)>;
void write_object(const ObjectFile& object, const ByteSink& sink);

} // namespace tobra::elf
