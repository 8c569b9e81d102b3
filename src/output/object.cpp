// The relocatable object file writer.
#include "output/object.h"

#include <cstring>

#include "driver/assembler.h"
#include "output/messages.h"

namespace tobra {

namespace {

void append_be32(std::string& out, uint32_t value) {
    uint8_t b[4];
    ObjectWriter::write_be32(b, value);
    out.append(reinterpret_cast<const char*>(b), 4);
}

// The name's characters and then zero bytes up to its padded length.
void append_name(std::string& out, std::string_view name) {
    out.append(name);
    out.append(padded_name_length(name.size()) - name.size(), '\0');
}

void append_zeros(std::string& out, size_t count) { out.append(count, '\0'); }

uint32_t round_up4(int64_t size) { return size <= 0 ? 0 : static_cast<uint32_t>((size + 3) & ~int64_t{3}); }

bool valid_target(int section) { return section >= 0 && section < TARGET_SECTIONS; }

} // namespace

void ObjectWriter::write_be32(uint8_t* b, uint32_t v) {
    b[0] = static_cast<uint8_t>(v >> 24);
    b[1] = static_cast<uint8_t>(v >> 16);
    b[2] = static_cast<uint8_t>(v >> 8);
    b[3] = static_cast<uint8_t>(v);
}

void ReferenceGroup::clear() {
    for (auto& l : lists) l.clear();
    for (auto& i : index) i.clear();
    entry_bytes = 0;
}

int ObjectWriter::group_of_section(int section) {
    switch (section) {
    case SEC_CODE: return 0;
    case SEC_BASEDATA: return 1;
    case SEC_DATA: return 2;
    default: return -1;
    }
}

// Reference types: the field width in the low bits, the kind above them.
static int reference_type(const Fixup& f) {
    const int kind = f.kind == FixupKind::pc_relative ? 4 : f.kind == FixupKind::base_relative ? 8 : 0;
    return f.width / 2 + kind;
}

namespace {

// The file has no byte relocation for a section's address: a byte that is
// the low half of a word is referenced through its word, which holds the
// byte's value with the sign or zero above it.
Fixup as_filed(const Fixup& given, Placement placement) {
    Fixup f = given;
    if (f.low_byte_of_word && f.width == 1 && placement != Placement::base_reference) {
        f.width = 2;
        f.offset -= 1;
    }
    return f;
}

// The error the file gives a fixup (as_filed), or nullptr when it holds it.
const Message* refusal(const Fixup& f, Placement placement) {
    // Its references count from the places that addressing modes and
    // branches count from, which a distance written as name-* need not be.
    if (f.written_distance && (placement == Placement::external || placement == Placement::relocation))
        return &msg::RELOC_THE_OBJECT_FILE_HAS_NO_REFERENCE;
    switch (placement) {
    case Placement::external:
        // An 8-bit PC-relative reference counts from its own extension word
        // (d8,PC,Xi); a short branch's byte counts from past itself, which
        // the file has no way to say.
        if (f.kind == FixupKind::pc_relative && f.width == 1 && f.pc_base > 0)
            return &msg::RELOC_NO_REFERENCE_FOR_A_BYTE_BRANCH;
        // The field itself carries the offset from the name, for the linker
        // to add to: an offset it cannot hold would be cut silently.
        if (f.kind == FixupKind::absolute && f.width < 4 &&
            (f.addend < (f.width == 1 ? -128 : -32768) || f.addend > (f.width == 1 ? 255 : 65535)))
            return &msg::RELOC_OFFSET_FROM_THE_EXTERNAL_NAME_DOES;
        return nullptr;
    case Placement::relocation:
        // The file relocates words and longs by a section's address and nothing else.
        if (f.kind != FixupKind::absolute) return &msg::RELOC_PC_RELATIVE_VALUE_INTO_ANOTHER_SECTION;
        if (f.width == 1) return &msg::RELOC_BYTE_FIELD_CANNOT_HOLD_A_RELOCATABLE;
        return nullptr;
    case Placement::base_reference:
    case Placement::resolved:
    case Placement::refused: break;
    }
    return nullptr;
}

} // namespace

bool object_file_takes(const Fixup& f, Placement placement) {
    return placement != Placement::resolved && placement != Placement::refused &&
           refusal(as_filed(f, placement), placement) == nullptr;
}

void ObjectWriter::fixup(const Fixup& given, Placement placement) {
    const Fixup f = as_filed(given, placement);
    if (const Message* refused = refusal(f, placement)) {
        as.report_error(*refused);
        return;
    }
    switch (placement) {
    case Placement::external: record_external(f.symbol, f.section, reference_type(f), f.offset); return;
    case Placement::relocation: record_relocation(f.section, f.width == 4, f.offset, f.target_section); return;
    case Placement::base_reference:
        // The file names the extension word; an 8-bit displacement is its low byte.
        record_base_reference(f.width == 1 ? f.offset - 1 : f.offset, f.width, f.target_section);
        return;
    case Placement::resolved:
    case Placement::refused: break;
    }
    fixup_internal_error(as, "reloc", "a fixup the placement rule resolved or refused");
}

// The emitter passes only fields in sections that store bytes (code, data
// and basedata here), of widths 1, 2 and 4, and external names from the
// symbol table: anything else is a fault of the assembler, and stops the run
// rather than leave a reference out.
void ObjectWriter::record_external(const SymbolRecord* symbol, int section, int type, uint32_t offset) {
    int g = group_of_section(section);
    if (g < 0) fixup_internal_error(as, "reloc", "an external reference in a section that stores no bytes");
    if (!symbol) fixup_internal_error(as, "reloc", "an external reference without a name");
    // Indexing with a type outside the table would corrupt the other lists.
    if (type < 0 || type >= REFERENCE_TYPES || !reference_type_names[type])
        fixup_internal_error(as, "reloc", "an external reference of a type the file does not have");

    ReferenceGroup& group = reference_groups[g];
    const std::string_view name = symbol->name_view();
    auto [it, inserted] = group.index[type].try_emplace(name, group.lists[type].size());
    if (inserted) {
        ReferenceEntry entry;
        entry.name = symbol->name();
        entry.first_offset = offset;
        group.lists[type].push_back(std::move(entry));
        group.entry_bytes += padded_name_length(name.size()) + 12;
    } else {
        group.lists[type][it->second].later_offsets.push_back(offset);
        group.entry_bytes += 4;
    }
}

void ObjectWriter::record_relocation(int section, bool is_long, uint32_t offset, int target_section) {
    // Only code, data, bss and basedata carry relocation lists.
    if (section < 0 || section >= RELOCATED_SECTIONS)
        fixup_internal_error(as, "reloc", "a relocation in a section that carries no relocation list");
    if (!valid_target(target_section)) fixup_internal_error(as, "reloc", "a relocation into no section");
    RelocationList& list = is_long ? long_relocations[section] : word_relocations[section];
    list.by_target[target_section].push_back(offset);
}

void ObjectWriter::record_base_reference(uint32_t offset, int field_size, int target_section) {
    if (!valid_target(target_section)) fixup_internal_error(as, "reloc", "a base reference into no section");
    base_references.push_back({offset, field_size, target_section});
    base_reference_bytes[target_section] += 4;
}

void ObjectWriter::begin() { write_leading_hunks(as.drv.section_size[SEC_CODE]); }

void ObjectWriter::end(uint32_t) {
    static const uint8_t zeros[4] = {0, 0, 0, 0};
    as.emit.write_out(zeros, static_cast<size_t>(code_padding));
    write_trailing_hunks();
}

std::unique_ptr<OutputFormat> make_object_file(Assembler& as) { return std::make_unique<ObjectWriter>(as); }

void ObjectWriter::write_leading_hunks(int32_t code_size) {
    std::string out;
    append_be32(out, HUNK_HEADER);
    append_be32(out, 0);

    static constexpr uint32_t idnt_tags[3] = {HUNK_IDNT1, HUNK_IDNT2, HUNK_IDNT3};
    for (int i = 0; i < 3; ++i) {
        const auto& text = as.dir.identification_strings[i];
        if (!text) continue;
        append_be32(out, idnt_tags[i]);
        append_be32(out, padded_name_length(text->size()));
        append_name(out, *text);
    }

    append_be32(out, HUNK_PROCESSOR);
    append_be32(out, 8);
    append_be32(out, (static_cast<uint32_t>(as.core.core_number) << 16) |
                         (static_cast<uint32_t>(as.core.core_version) & 0xFFFF));
    append_be32(out, 0);

    uint32_t padded = round_up4(code_size);
    code_padding = static_cast<int32_t>(padded - static_cast<uint32_t>(code_size > 0 ? code_size : 0));
    append_be32(out, HUNK_CODE);
    append_be32(out, padded + 4);
    append_be32(out, SEC_CODE);
    as.emit.write_out(out.data(), out.size());
}

void ObjectWriter::write_reference_group(std::string& out, ReferenceGroup& group) {
    if (group.empty()) return;
    append_be32(out, HUNK_SYMBOL);
    // The hunk's own size, so that a reader can step over it by its length.
    append_be32(out, group.entry_bytes + 4);
    for (int type = 0; type < REFERENCE_TYPES; ++type) {
        for (const ReferenceEntry& e : group.lists[type]) {
            std::string_view name(e.name);
            append_be32(out, (static_cast<uint32_t>(type) << 24) | (padded_name_length(name.size()) & 0xFFFFFF));
            append_be32(out, e.count());
            append_name(out, name);
            append_be32(out, e.first_offset);
            for (auto it = e.later_offsets.rbegin(); it != e.later_offsets.rend(); ++it) append_be32(out, *it);
        }
    }
    append_be32(out, SYMBOL_TERMINATOR);
    group.clear();
}

void ObjectWriter::write_relocations(std::string& out, uint32_t tag, int section, RelocationList& list) {
    for (int target = 0; target < TARGET_SECTIONS; ++target) {
        const auto& offsets = list.by_target[target];
        if (offsets.empty()) continue;
        append_be32(out, tag);
        append_be32(out, 8 + 4 * static_cast<uint32_t>(offsets.size()));
        append_be32(out, static_cast<uint32_t>(section));
        append_be32(out, static_cast<uint32_t>(target));
        for (uint32_t o : offsets) append_be32(out, o);
    }
    list.clear();
}

void ObjectWriter::write_exports(std::string& out) {
    auto& names = as.dir.export_list;
    if (names.empty()) return;
    // The warnings below belong to no source line, so a conditional block the
    // source left open and skipping must not silence them.
    as.leave_source_lines();
    std::string entries;
    for (const std::string& name : names) {
        const SymbolRecord* s = as.sym.probe(name);
        if (!s) {
            as.report_warning_arg(msg::XDEF_COULD_NOT_BE_FOUND_FMT, name.c_str());
            continue;
        }
        append_be32(entries, ((EXPORT_BASE + s->section) << 24) | (padded_name_length(name.size()) & 0xFFFFFF));
        append_be32(entries, static_cast<uint32_t>(s->value));
        append_name(entries, name);
    }
    append_be32(out, HUNK_SYMBOL);
    append_be32(out, static_cast<uint32_t>(entries.size()) + 4);
    out += entries;
    append_be32(out, SYMBOL_TERMINATOR);
    names.clear();
}

void ObjectWriter::write_trailing_hunks() {
    std::string out;
    write_reference_group(out, reference_groups[0]);

    for (int sec : {SEC_DATA, SEC_BASEDATA}) {
        std::vector<uint8_t>& bytes = held[sec];
        if (bytes.empty()) continue;
        // Never shorter than the bytes themselves, whatever pass 1 counted.
        int64_t counted = as.drv.section_size[sec];
        uint32_t padded = round_up4(counted > static_cast<int64_t>(bytes.size()) ? counted
                                                                              : static_cast<int64_t>(bytes.size()));
        append_be32(out, HUNK_DATA);
        append_be32(out, padded + 4);
        append_be32(out, static_cast<uint32_t>(sec));
        out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        append_zeros(out, padded - bytes.size());
        bytes.clear();
    }

    for (int sec : {SEC_BSS, SEC_BASEBSS}) {
        if (as.emit.bss_size[sec] == 0) continue;
        append_be32(out, HUNK_BSS);
        append_be32(out, 8);
        append_be32(out, static_cast<uint32_t>(sec));
        append_be32(out, static_cast<uint32_t>(as.emit.bss_size[sec]));
    }

    for (int sec = 0; sec < RELOCATED_SECTIONS; ++sec) {
        write_relocations(out, HUNK_RELOC_WORD, sec, word_relocations[sec]);
        write_relocations(out, HUNK_RELOC_LONG, sec, long_relocations[sec]);
    }

    for (int target : {SEC_BASEDATA, SEC_BASEBSS, SEC_DATA, SEC_BSS}) {
        if (base_reference_bytes[target] == 0) continue;
        append_be32(out, HUNK_BASE_REF);
        append_be32(out, 4 + base_reference_bytes[target]);
        append_be32(out, static_cast<uint32_t>(target));
        for (const BaseReference& b : base_references)
            if (b.target_section == target) append_be32(out, b.offset);
    }
    base_references.clear();
    std::memset(base_reference_bytes, 0, sizeof base_reference_bytes);

    write_reference_group(out, reference_groups[1]);
    write_reference_group(out, reference_groups[2]);
    write_exports(out);
    append_be32(out, HUNK_END);
    as.emit.write_out(out.data(), out.size());
}

} // namespace tobra
