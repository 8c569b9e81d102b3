// Reading an object file back: the hunks checked against their layout, and a
// readable text of them. Used by tobra-dump and by the tests.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tobra {

struct ObjectReference {
    int type = 0;
    std::string name;
    std::vector<uint32_t> offsets;  // in file order
};

struct ObjectExport {
    int section = 0;
    uint32_t value = 0;
    std::string name;
};

struct ObjectHunk {
    uint32_t tag = 0;
    uint32_t file_offset = 0;  // where its tag stands
    uint32_t length = 0;       // its length word; 0 for the end hunk
    std::string text;          // identification string
    uint32_t core = 0;         // processor: core number and version
    uint32_t version = 0;
    uint32_t section = 0;      // code, data, bss, relocations: the section
    uint32_t target = 0;       // relocations and base references: the target section
    uint32_t size = 0;         // bss: the size; code and data: the bytes of contents
    std::string contents;      // code and data bytes
    std::vector<uint32_t> offsets;  // relocations and base references
    std::vector<ObjectReference> references;
    std::vector<ObjectExport> exports;
};

struct ObjectFile {
    std::vector<ObjectHunk> hunks;
};

// The hunks of a whole file, or nothing with the reason in error. The file
// must begin with the header hunk and end with the end hunk.
std::optional<ObjectFile> read_object(std::string_view bytes, std::string& error);

// Tag name such as "CODE" or "RELOC16"; nullptr for an unknown tag.
const char* hunk_name(uint32_t tag);

// Bytes as hex, 16 to a line, each line headed by its offset (tobra-dump -x).
void append_hex_dump(std::string& out, std::string_view bytes);

// The readable form printed by tobra-dump (documented in its usage text).
// show_contents adds a hex dump of the code and data bytes.
std::string describe_object(const ObjectFile& file, bool show_contents);

} // namespace tobra
