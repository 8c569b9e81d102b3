// Reading an ELF relocatable object back (ours or another assembler's): its
// sections, symbols and RELA entries, checked against the file's bounds, and
// a readable text of them. Used by tobra-dump and by the tests, so that a
// relocation is pinned by the project's own reader as well as by binutils.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tobra::elfread {

struct Section {
    std::string name;
    uint32_t type = 0;
    uint32_t flags = 0;
    uint32_t size = 0;
    uint32_t link = 0;
    uint32_t info = 0;
    uint32_t align = 0;
    std::string contents;  // empty for NOBITS
};

struct Symbol {
    std::string name;
    uint32_t value = 0;
    uint32_t size = 0;
    uint8_t bind = 0;
    uint8_t type = 0;
    uint16_t section = 0;  // section index, or SHN_UNDEF/SHN_ABS
};

struct Relocation {
    uint32_t offset = 0;
    uint32_t symbol = 0;  // index into the symbol table
    uint8_t type = 0;
    int32_t addend = 0;
};

struct RelocationSet {
    uint32_t target = 0;  // index of the section the entries patch
    std::vector<Relocation> entries;
};

struct File {
    uint16_t machine = 0;
    uint32_t flags = 0;
    std::vector<Section> sections;  // index 0 is the null section
    std::vector<Symbol> symbols;    // index 0 is the null symbol
    std::vector<RelocationSet> relocations;
};

// Whether bytes start with the ELF magic.
bool is_elf(std::string_view bytes);

// The whole file, or nothing with the reason in error. Only 32-bit
// big-endian relocatable files are read.
std::optional<File> read(std::string_view bytes, std::string& error);

// The readable form printed by tobra-dump. show_contents adds a hex dump of
// the sections that are loaded and hold bytes.
std::string describe(const File& file, bool show_contents);

} // namespace tobra::elfread
