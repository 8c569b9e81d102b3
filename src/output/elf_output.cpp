// The ELF object output.
//
// Sections: code is .text, data .data, bss .bss. basedata and basebss become
// .sdata and .sbss: their own sections, so that every label keeps the offset
// the assembler gave it, and a linker script can still put them next to each
// other for a base register. The sections a source names follow, under their
// own names. Base-relative fields are refused: the format has no relocation
// for them.
#include "output/elf_output.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "driver/assembler.h"
#include "output/messages.h"

namespace tobra {

uint32_t elf_core_flags(uint16_t features) {
    using namespace elf;
    const bool has_divide = features & F_DIVIDE;
    uint32_t flags;
    // ISA_C is the ISA_B forms with the ISA_A+ instructions.
    if ((features & F_ISA_B) && (features & F_ISA_A_PLUS))
        flags = has_divide ? EF_M68K_CF_ISA_C : EF_M68K_CF_ISA_C_NODIV;
    else if (features & F_ISA_B)
        flags = (features & F_USP) ? EF_M68K_CF_ISA_B : EF_M68K_CF_ISA_B_NOUSP;
    else if (features & F_ISA_A_PLUS)
        flags = EF_M68K_CF_ISA_A_PLUS;
    else
        flags = has_divide ? EF_M68K_CF_ISA_A : EF_M68K_CF_ISA_A_NODIV;
    if (features & F_EMAC)
        flags |= EF_M68K_CF_EMAC;
    else if (features & F_MAC)
        flags |= EF_M68K_CF_MAC;
    // Every ColdFire with an FPU is a V4e core, which the flags name as well.
    if (features & F_FPU) flags |= EF_M68K_CF_FLOAT | EF_M68K_CFV4E;
    return flags;
}

std::unique_ptr<OutputFormat> make_elf_object(Assembler& as) { return std::make_unique<ElfObjectFormat>(as); }

elf::SectionData& ElfObjectFormat::add_sections(int number) {
    const Driver& drv = as.drv;
    while (object_.sections.size() <= static_cast<size_t>(number)) {
        const SectionInfo& info = drv.sections[object_.sections.size()];
        elf::SectionData d;
        d.name = info.name;
        d.contents = info.kind == SectionKind::code ? elf::Contents::code
                     : info.kind == SectionKind::data ? elf::Contents::data
                                                      : elf::Contents::bss;
        object_.sections.push_back(std::move(d));
    }
    return object_.sections[static_cast<size_t>(number)];
}

void ElfObjectFormat::section_data(int number, uint32_t, const uint8_t* bytes, int32_t count) {
    if (number < 0 || number >= as.drv.section_count() || !as.emit.stores_bytes(number) || count <= 0) return;
    LargeVector<uint8_t>& held = section(number).bytes;
    if (held.capacity() == 0) {
        // Pass 1 counted the section: room for all of it at once, so that
        // the bytes are never copied into a larger buffer as they come.
        const size_t counted = static_cast<size_t>(std::max(as.drv.section_size[number], int32_t{0}));
        held.reserve(std::min(counted, as.memory_output_limit));
    }
    as.emit.hold_bytes(held, bytes, count);
}

bool elf_file_takes(const Fixup& f, Placement placement) {
    return (placement == Placement::relocation || placement == Placement::external) &&
           (f.width == 1 || f.width == 2 || f.width == 4);
}

void ElfObjectFormat::fixup(const Fixup& f, Placement placement) {
    using namespace elf;
    if (!elf_file_takes(f, placement)) {
        if (placement == Placement::base_reference) {
            // The GNU linker knows no register that points into small data.
            const std::string text =
                std::string("elf: no relocation for a base-relative reference: ELF has no type for the ") +
                (f.width == 1 ? "8" : "16") + "-bit displacement from the base register into " +
                (f.target_section == SEC_BASEBSS ? "basebss" : "basedata");
            as.report_error(msg::ELF_NO_RELOCATION_FOR_BASE_RELATIVE_BUILT.with(text.c_str()));
            return;
        }
        // The emitter has judged the section holding the field (Emitter::fixup);
        // what is left here could only come from a fault of the assembler.
        if (placement != Placement::relocation && placement != Placement::external)
            fixup_internal_error(as, "elf", "a fixup the placement rule resolved or refused");
        fixup_internal_error(as, "elf", "a fixup of a width no relocation type has");
    }
    const int sections = as.drv.section_count();
    if (f.section < 0 || f.section >= sections)
        fixup_internal_error(as, "elf", "a fixup in a section the file does not have");
    if (!f.symbol && (f.target_section < 0 || f.target_section >= sections))
        fixup_internal_error(as, "elf", "a relocation into a section the file does not have");
    const bool pc = f.kind == FixupKind::pc_relative;
    const uint8_t type = f.width == 1   ? (pc ? R_68K_PC8 : R_68K_8)
                         : f.width == 2 ? (pc ? R_68K_PC16 : R_68K_16)
                                        : (pc ? R_68K_PC32 : R_68K_32);
    Relocation r;
    r.offset = f.offset;
    r.type = type;
    r.section = f.symbol ? UNDEFINED : f.target_section;
    // The linker computes S + A - P with P the field's own place; the
    // processor counts from pc_base bytes after it.
    r.addend = pc ? f.addend - f.pc_base : f.addend;
    // Against an external name: its place in the assembler's symbol table
    // until the file's own symbols are numbered (collect_symbols).
    if (f.symbol) r.symbol = static_cast<int>(f.symbol->position);
    section(f.section).relocations.push_back(r);
}

namespace {
// The bytes a relocation of this type fills.
uint32_t field_width(uint8_t type) {
    using namespace elf;
    return type == R_68K_32 || type == R_68K_PC32 ? 4 : type == R_68K_16 || type == R_68K_PC16 ? 2 : 1;
}
} // namespace

void ElfObjectFormat::collect_symbols() {
    using namespace elf;

    std::unordered_set<std::string_view> exported;
    if (!as.dir.export_list.empty()) {
        // The warnings belong to no source line, as the native object file's do.
        as.leave_source_lines();
        for (const std::string& name : as.dir.export_list) {
            if (!as.sym.probe(name))
                as.report_warning_arg(msg::XDEF_COULD_NOT_BE_FOUND_FMT, name.c_str());
            else
                exported.insert(name);
        }
    }

    // The file's symbol of each name, by its place in the symbol table (-1: none).
    std::vector<int> index(as.sym.size(), -1);
    object_.symbols.reserve(as.sym.size());
    for (size_t position = 0; position < as.sym.size(); ++position) {
        const SymbolRecord* s = &as.sym.at(position);
        if (s->type != TYPE_USER) continue;
        Symbol e;
        e.name = s->name_view();
        e.value = static_cast<uint32_t>(s->value);
        e.global = !exported.empty() && exported.count(e.name) != 0;
        switch (s->kind) {
        case KIND_RELOCATABLE:
            if (s->section >= as.drv.section_count()) continue;
            e.section = s->section;
            break;
        case KIND_EXTERNAL:
            // An external name plus a constant has no symbol of its own: its
            // uses relocate against the external (xdef of it is refused).
            if (s->flags & SYM_BASED) continue;
            e.section = UNDEFINED;
            e.value = 0;
            break;
        case KIND_EQUATE:
        case KIND_ABSOLUTE:
            // A constant is a symbol of the file only when it is exported.
            if (!e.global) continue;
            e.section = ABSOLUTE;
            break;
        default: continue;
        }
        index[position] = static_cast<int>(object_.symbols.size());
        object_.symbols.push_back(std::move(e));
    }

    for (elf::SectionData& d : object_.sections) {
        for (Relocation& r : d.relocations) {
            // An external name is in the table above whatever its other uses,
            // and a field lies within the bytes pass 2 gave its section.
            if (r.symbol >= 0) {
                const size_t position = static_cast<size_t>(r.symbol);
                if (position >= index.size() || index[position] < 0) {
                    as.leave_source_lines();
                    fixup_internal_error(as, "elf", "a relocation against a name missing from the symbol table");
                }
                r.symbol = index[position];
            }
            const uint32_t width = field_width(r.type);
            if (size_t{r.offset} + width > d.bytes.size()) {
                as.leave_source_lines();
                fixup_internal_error(as, "elf", "a relocation past the end of its section's bytes");
            }
            // RELA: the addend is in the entry and the field holds zero, as the
            // linker ignores what is there.
            std::fill_n(d.bytes.begin() + r.offset, width, 0);
        }
    }
}

void ElfObjectFormat::add_line_table() {
    LineRecorder& lines = as.emit.lines;
    object_.debug = true;
    object_.line_files = lines.files;
    object_.lines = std::move(lines.rows);  // nothing reads them after the file
    std::error_code ec;
    auto dir = std::filesystem::current_path(ec);
    object_.comp_dir = ec ? std::string(".") : dir.string();
    std::string_view banner(BANNER);
    while (!banner.empty() && banner.back() == '\n') banner.remove_suffix(1);
    object_.producer = banner;
}

void ElfObjectFormat::end(uint32_t) {
    // In pieces as they are made: a large file is never held whole.
    build([this](const uint8_t* bytes, size_t count) { as.emit.write_out(bytes, count); });
}

void ElfObjectFormat::build(const elf::ByteSink& sink) {
    object_.flags = elf_core_flags(as.core.features);
    object_.source_name = as.emit.source_name;
    // Every section, named ones too even when empty: a linker script may place them.
    const Driver& drv = as.drv;
    for (int number = 0; number < drv.section_count(); ++number) {
        elf::SectionData& d = section(number);
        if (!drv.section_holds_bytes(number)) d.nobits_size = static_cast<uint32_t>(as.emit.bss_size[number]);
        // At least the 4 the built-in sections always had: long data in them
        // stays aligned whatever else a linker puts in front.
        d.align = std::max<uint32_t>(4, as.emit.section_align[number]);
    }
    collect_symbols();
    if (as.options.debug_lines) add_line_table();
    elf::write_object(object_, sink);
}

} // namespace tobra
