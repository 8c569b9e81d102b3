// The relocatable object file: records collected in pass 2 and the hunk writer.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "output/format.h"

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

// Ends the entries of a symbol hunk.
inline constexpr uint32_t SYMBOL_TERMINATOR = 0xFF000000;
// Top byte of an export entry: this plus the symbol's section.
inline constexpr uint32_t EXPORT_BASE = 0x80;

// Reference types: field width / 2 plus the reference kind (0, 4 or 8).
inline constexpr int REFERENCE_TYPES = 12;
inline constexpr const char* reference_type_names[REFERENCE_TYPES] = {
    "ABS8", "ABS16", "ABS32", nullptr, "PC8", "PC16", "PC32", nullptr, "REL8", "REL16", "REL32", nullptr};

// Sections a relocation can be recorded in and targets a record can name.
inline constexpr int RELOCATED_SECTIONS = 4;
inline constexpr int TARGET_SECTIONS = 32;

// Bytes a name takes in the file: its characters and 1 to 4 zero bytes.
inline constexpr uint32_t padded_name_length(size_t characters) {
    return static_cast<uint32_t>((characters + 4) & ~size_t{3});
}

// Every reference of one symbol name with one type in one section. The file
// lists the first offset, then the later ones newest first.
struct ReferenceEntry {
    const char* name = nullptr;  // the symbol's own name; the table never frees it
    uint32_t first_offset = 0;
    std::vector<uint32_t> later_offsets;  // in recording order
    uint32_t count() const { return 1 + static_cast<uint32_t>(later_offsets.size()); }
};

// The external references of one section (code, basedata or data).
struct ReferenceGroup {
    // Per type, the names in order of their first reference.
    std::vector<ReferenceEntry> lists[REFERENCE_TYPES];
    // Per type, name -> position in lists[type]: merging a reference must not
    // search the list, or a long list of references would take quadratic time.
    std::unordered_map<std::string_view, size_t> index[REFERENCE_TYPES];
    // Bytes of the entries as written (not counting tag, length and terminator).
    uint32_t entry_bytes = 0;

    bool empty() const { return entry_bytes == 0; }
    void clear();
};

// Word or long relocations of one section, kept per target section; the file
// has one hunk per target, in ascending order, with the offsets in recording order.
struct RelocationList {
    std::vector<uint32_t> by_target[TARGET_SECTIONS];
    void clear() {
        for (auto& v : by_target) v.clear();
    }
};

struct BaseReference {
    uint32_t offset = 0;
    int field_size = 0;
    int target_section = 0;
};

class ObjectWriter : public HeldSectionsFormat {
public:
    explicit ObjectWriter(Assembler& assembler) : HeldSectionsFormat(assembler) {}

    // The leading hunks; the code hunk's bytes follow as pass 2 emits them.
    void begin() override;
    void fixup(const Fixup& f, Placement placement) override;
    // The padding of the code hunk and the hunks after it.
    void end(uint32_t end_address) override;

    // What the fixups become (pass 2). An external reference of the given type
    // at offset in section.
    void record_external(const SymbolRecord* symbol, int section, int type, uint32_t offset);
    // A 16-bit (is_long false) or 32-bit section-relative value at offset in
    // section, relative to target_section.
    void record_relocation(int section, bool is_long, uint32_t offset, int target_section);
    // A base-relative displacement in the extension word at offset.
    void record_base_reference(uint32_t offset, int field_size, int target_section);

    // Writing. The leading hunks go out at the start of pass 2, the code
    // follows as it is emitted, and the rest after an error-free pass 2.
    void write_leading_hunks(int32_t code_size);
    void write_trailing_hunks();

    static void write_be32(uint8_t* buffer, uint32_t value);

    // Reference groups in the order code, basedata, data.
    ReferenceGroup reference_groups[3];
    RelocationList word_relocations[RELOCATED_SECTIONS];
    RelocationList long_relocations[RELOCATED_SECTIONS];
    std::vector<BaseReference> base_references;
    uint32_t base_reference_bytes[TARGET_SECTIONS] = {};
    // Zero bytes that round the code hunk up to a multiple of 4; the driver
    // writes them after the last source file.
    int32_t code_padding = 0;

private:
    // Group of a section, or -1 for bss and basebss, which hold no bytes to patch.
    static int group_of_section(int section);
    void write_reference_group(std::string& out, ReferenceGroup& group);
    void write_relocations(std::string& out, uint32_t tag, int section, RelocationList& list);
    void write_exports(std::string& out);
};

} // namespace tobra
