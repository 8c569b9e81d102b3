// The relocatable object file: records collected in pass 2 and the hunk writer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tobra {

class Assembler;
struct SymbolRecord;

// Hunk tags.
inline constexpr uint32_t HUNK_HEADER = 0xC0DECF01;
inline constexpr uint32_t HUNK_PROCESSOR = 0xC0DECF03;
inline constexpr uint32_t HUNK_IDNT1 = 0xC0DECF04;
inline constexpr uint32_t HUNK_IDNT2 = 0xC0DECF05;
inline constexpr uint32_t HUNK_IDNT3 = 0xC0DECF09;
inline constexpr uint32_t HUNK_CODE = 0xC0DECF10;
inline constexpr uint32_t HUNK_DATA = 0xC0DECF11;
inline constexpr uint32_t HUNK_BSS = 0xC0DECF12;
inline constexpr uint32_t HUNK_SYMBOL = 0xC0DECF14;
inline constexpr uint32_t HUNK_RELOC_LONG = 0xC0DECF15;
inline constexpr uint32_t HUNK_RELOC_WORD = 0xC0DECF16;
inline constexpr uint32_t HUNK_BASE_REF = 0xC0DECF19;
inline constexpr uint32_t HUNK_END = 0xC0DECF1F;

struct ReferenceNode {
    uint16_t count = 0;       // offsets of this name, on its first node only
    const char* name = nullptr;
    int32_t offset = 0;
    uint8_t type = 0;
};

struct RelocationNode {
    int32_t offset = 0;
    int target_section = 0;
};

struct BaseReferenceNode {
    int32_t offset = 0;
    int field_size = 0;
    int target_section = 0;
};

class ObjectWriter {
public:
    explicit ObjectWriter(Assembler& as) : as(as) {}

    // Pass-2 recording, called by the encoders and data directives.
    void record_external(const SymbolRecord* symbol, int32_t field_address);
    void record_relocation(bool is_long, int32_t offset, int target_section);
    void record_base_reference(int32_t offset, int field_size, int target_section);

    // Writing (object output).
    void write_leading_hunks(int32_t code_size);
    void write_trailing_hunks();
    void reset_for_pass2();

    static void write_be32(uint8_t* buffer, uint32_t value);

    // Reference groups for code, basedata and data: 12 lists each, one per type.
    std::vector<ReferenceNode> reference_groups[3][12];
    long reference_total = 0;
    // Word and long relocation lists of sections 0-3, ordered by target section.
    std::vector<RelocationNode> word_relocations[4];
    std::vector<RelocationNode> long_relocations[4];
    std::vector<BaseReferenceNode> base_references;
    int32_t code_padding = 0;

private:
    Assembler& as;
};

} // namespace tobra
