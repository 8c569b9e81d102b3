// Placing code: org, rorg, section, align, even, cnop, boundary, and the fills they share
// with the data directives.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "directives/messages.h"
#include "driver/assembler.h"
#include "driver/opt.h"
#include "output/elf_file.h"

namespace tobra {

namespace {

struct SectionName {
    const char* name;
    int number;
};

// Searched in this order, so "b" selects bss and "base" basedata.
constexpr SectionName section_table[] = {
    {"code", SEC_CODE}, {"data", SEC_DATA}, {"bss", SEC_BSS}, {"basedata", SEC_BASEDATA}, {"basebss", SEC_BASEBSS},
};

struct KindName {
    const char* name;
    SectionKind kind;
};

constexpr KindName kind_table[] = {
    {"code", SectionKind::code}, {"data", SectionKind::data}, {"bss", SectionKind::bss}};

bool starts_with(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// A new section named without a kind: what its name says by the usual ELF
// conventions (.text.* code, .bss.* and .sbss.* bss), data otherwise.
SectionKind kind_by_name(std::string_view name) {
    if (starts_with(name, ".text.")) return SectionKind::code;
    if (starts_with(name, ".bss.") || starts_with(name, ".sbss.")) return SectionKind::bss;
    return SectionKind::data;
}

// Names of the sections the ELF writer makes itself.
bool reserved_name(std::string_view name) {
    for (std::string_view own : {".rela", ".debug", ".symtab", ".strtab", ".shstrtab", ".note.GNU-stack"})
        if (starts_with(name, own)) return true;
    return false;
}

// Code, in which padding is instructions and boundary sets its trap: the code
// section or a named section of kind code.
bool in_code_section(const Driver& drv) {
    return drv.sections[static_cast<size_t>(drv.current_section)].kind == SectionKind::code;
}

} // namespace

void Directives::emit_fill(int64_t count, int32_t value) {
    Driver& drv = as.drv;
    // Pass 1 and the size-only sections only move counters, so a large reservation
    // must not cost a call per byte; the bytes the listing can show still go one
    // by one.
    bool counters_only = drv.pass_number == 1 || !drv.section_holds_bytes(drv.current_section);
    int64_t done = 0;
    for (; done < count && (!counters_only || done < LISTING_BYTES); ++done) as.emit.emit_byte(value);
    if (done == count) return;
    if (counters_only) {
        // Nothing is stored: the rest only moves the counters, in one step.
        while (done < count) {
            int64_t n = count - done < INT32_MAX ? count - done : INT32_MAX;
            as.emit.emit_block(nullptr, static_cast<int32_t>(n));
            done += n;
        }
        return;
    }
    uint8_t block[4096];
    std::memset(block, value & 0xFF, sizeof block);
    while (done < count) {
        int64_t n = count - done < static_cast<int64_t>(sizeof block) ? count - done : static_cast<int64_t>(sizeof block);
        as.emit.emit_block(block, static_cast<int32_t>(n));
        done += n;
    }
}

void Directives::pad_to_long() {
    as.emit.note_alignment(4);
    uint32_t rest = static_cast<uint32_t>(-static_cast<int64_t>(as.drv.location_counter)) & 3u;
    emit_fill(rest, 0);
}

void Directives::d_org(Statement& st, bool is_rorg) {
    Driver& drv = as.drv;
    if (is_rorg) as.report_warning(msg::ORG_ASSUMED);
    drv.origin_set = 1;
    if (as.options.relocatable_output) as.fatal_error(msg::CAN_NOT_SET_ORIGIN_WITH_OBJECT_FILE);
    if (!defined_above(st, st.operands[0].fwd) || !constant_value(st, st.operands[0]) ||
        !whole_number(st, st.operands[0]))
        return;
    int32_t origin = st.operands[0].value;
    if (origin & 1) {
        // Kept for old sources, but never silently: the bytes that follow
        // land one address below the one written.
        origin = static_cast<int32_t>(static_cast<uint32_t>(origin) - 1);
        char text[16];
        std::snprintf(text, sizeof text, "$%X", static_cast<uint32_t>(origin));
        as.report_warning_arg(msg::ORG_ODD_ORIGIN_LOWERED_FMT, text);
    }
    // Bytes already emitted keep their old addresses.
    as.emit.flush_section();
    drv.location_counter = origin;
    drv.section_base = origin;
    drv.flush_address = origin;
    drv.section_resume_address[drv.current_section] = origin;
    as.emit.note_origin();
    list_value(origin);
}

// The number of the section a name selects: a built-in keyword or a prefix
// of one (in any case), the ELF name of a built-in section, or a section the
// source named before. -1 for a new name.
int Directives::find_section(std::string_view name) const {
    for (const SectionName& row : section_table)
        if (option_name_matches(name, row.name)) return row.number;
    for (int number = 0; number < BUILTIN_SECTIONS; ++number)
        if (name == elf::standard_section_name[number]) return number;
    return as.drv.find_named_section(name);
}

void Directives::d_section(Statement& st) {
    Driver& drv = as.drv;
    TextCursor& c = st.cursor;
    const char* start = c.at;
    auto word = read_word_item(c);
    const std::string name(word ? *word : std::string_view());
    // name,kind: the comma ended the name.
    const bool kind_given = c.at > start && c.at[-1] == ',';
    as.emit.flush_section();
    drv.section_resume_address[drv.current_section] = drv.location_counter;
    if (name.empty()) {
        as.report_error(msg::SECTION_MISSING_SECTION_NAME);
        return;
    }
    SectionKind kind = SectionKind::code;
    if (kind_given) {
        auto kind_word = read_word_item(c);
        const std::string kind_name(kind_word ? *kind_word : std::string_view());
        if (kind_name.empty()) {
            as.report_error(msg::SECTION_MISSING_SECTION_KIND);
            return;
        }
        bool known = false;
        for (const KindName& row : kind_table)
            if (option_name_matches(kind_name, row.name)) {
                kind = row.kind;
                known = true;
                break;
            }
        if (!known) {
            as.report_error_arg(msg::SECTION_UNKNOWN_SECTION_KIND_CODE_DATA_FMT, kind_name.c_str());
            return;
        }
        // name,kind,8 from another assembler: an alignment (or anything
        // else) that would quietly not be kept.
        if (c.at[-1] == ',') {
            const char* end = c.at;
            while (*end != '\0' && *end != '\n' && *end != ' ' && *end != '\t' && *end != ';') ++end;
            as.report_error_arg(msg::SECTION_TEXT_AFTER_THE_KIND_FMT,
                                std::string(c.at, static_cast<size_t>(end - c.at)).c_str());
            return;
        }
    }

    int number = find_section(name);
    if (number >= 0) {
        if (kind_given && drv.sections[static_cast<size_t>(number)].kind != kind) {
            as.report_error_arg(msg::SECTION_ALREADY_HAS_ANOTHER_KIND_FMT, name.c_str());
            return;
        }
    } else {
        if (!as.options.named_sections) {
            as.report_error_arg(msg::SECTION_UNKNOWN_SECTION_OTHER_NAMES_NEED_ELF_FMT, name.c_str());
            return;
        }
        if (reserved_name(name)) {
            as.report_error_arg(msg::SECTION_IS_A_NAME_THE_ELF_WRITER_FMT, name.c_str());
            return;
        }
        number = drv.add_named_section(name, kind_given ? kind : kind_by_name(name));
        if (number < 0) {
            char text[80];
            std::snprintf(text, sizeof text, msg::SECTION_TOO_MANY_SECTIONS_AT_MOST_NAMED_PRINTF.text,
                          NAMED_SECTION_LIMIT);
            as.report_error(msg::SECTION_TOO_MANY_SECTIONS_AT_MOST_NAMED_PRINTF.with(text));
            return;
        }
    }
    drv.current_section = number;
    drv.location_counter = drv.section_resume_address[number];
    drv.flush_address = drv.location_counter;
}

// The section's start must lie on a multiple of n for the padding to hold
// once linked, and an ELF section can only promise a power of two.
void Directives::keep_alignment(const char* directive, uint32_t n) {
    if ((n & (n - 1)) != 0 && as.options.named_sections)
        as.report_error_arg(msg::ALIGNMENT_MUST_BE_A_POWER_OF_TWO_FMT, directive);
    as.emit.note_alignment(n);
}

void Directives::d_align(Statement& st) {
    if (!defined_above(st, st.operands[0].fwd) || !constant_value(st, st.operands[0]) ||
        !whole_number(st, st.operands[0]))
        return;
    int32_t n = st.operands[0].value;
    if (n == 0) return;
    if (n < 0) {
        as.report_error(msg::ALIGN_NEGATIVE_ALIGNMENT);
        return;
    }
    keep_alignment("align", static_cast<uint32_t>(n));
    // Addresses are unsigned: above 0x7FFFFFFF a signed remainder would overshoot.
    uint32_t rest = static_cast<uint32_t>(as.drv.location_counter) % static_cast<uint32_t>(n);
    if (rest != 0) emit_fill(static_cast<int64_t>(n) - rest, 0);
}

void Directives::d_even() {
    as.emit.note_alignment(2);
    emit_fill(as.drv.location_counter & 1, 0);
}

// cnop offset,alignment: on to the next address that lies offset past a
// multiple of alignment. Code runs through the padding, so there it is tpf
// words, the no-op that does not wait for the pipeline as nop does; an odd
// byte first, and every byte elsewhere, is zero.
void Directives::d_cnop(Statement& st) {
    const Operand& offset = st.operands[0];
    const Operand& alignment = st.operands[1];
    if (!defined_above(st, offset.fwd) || !defined_above(st, alignment.fwd) || !constant_value(st, offset) ||
        !constant_value(st, alignment) || !whole_number(st, offset) || !whole_number(st, alignment))
        return;
    if (alignment.value <= 0) {
        as.report_error(msg::CNOP_ALIGNMENT_MUST_BE_POSITIVE);
        return;
    }
    if (offset.value < 0 || offset.value >= alignment.value) {
        as.report_error(msg::CNOP_OFFSET_MUST_LIE_BETWEEN);
        return;
    }
    const auto n = static_cast<uint32_t>(alignment.value);
    keep_alignment("cnop", n);
    const uint32_t at = static_cast<uint32_t>(as.drv.location_counter) % n;
    const uint32_t want = static_cast<uint32_t>(offset.value);
    uint32_t gap = want >= at ? want - at : n - at + want;
    if (!in_code_section(as.drv)) {
        emit_fill(gap, 0);
        return;
    }
    if (gap & 1) {
        as.emit.emit_byte(0);
        --gap;
    }
    // Word by word while the listing can show them, then in blocks: an
    // alignment may be large.
    for (int shown = 0; gap != 0 && shown < LISTING_BYTES; gap -= 2, shown += 2) as.emit.emit_word(0x51FC);
    uint8_t block[4096];
    for (size_t i = 0; i < sizeof block; i += 2) {
        block[i] = 0x51;
        block[i + 1] = 0xFC;
    }
    while (gap != 0) {
        const uint32_t part = gap < sizeof block ? gap : static_cast<uint32_t>(sizeof block);
        as.emit.emit_block(block, static_cast<int32_t>(part));
        gap -= part;
    }
}

void Directives::d_boundary() {
    if (!in_code_section(as.drv)) return;
    // A branch to itself, then illegal instructions: a runaway program stops here.
    as.emit.emit_long(0x60FE4AFC);
    as.emit.emit_long(0x4AFC4AFC);
    as.emit.emit_long(0x4AFC4AFC);
    pad_to_long();
}

} // namespace tobra
