// Placing code: org, rorg, section, align, even, cnop, boundary, and the fills they share
// with the data directives.
#include <cstdint>
#include <cstring>

#include "driver/assembler.h"
#include "driver/opt.h"

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

} // namespace

void Directives::emit_fill(int64_t count, int32_t value) {
    Driver& drv = as.drv;
    // Pass 1 and the size-only sections only move counters, so a large reservation
    // must not cost a call per byte; the bytes the listing can show still go one
    // by one.
    bool counters_only = drv.pass_number == 1 || drv.current_section == SEC_BSS || drv.current_section == SEC_BASEBSS;
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
    uint32_t rest = static_cast<uint32_t>(-static_cast<int64_t>(as.drv.location_counter)) & 3u;
    emit_fill(rest, 0);
}

void Directives::d_org(bool is_rorg) {
    Driver& drv = as.drv;
    if (is_rorg) as.report_warning("ORG assumed");
    drv.origin_set = 1;
    if (chosen_output_format(as.options).relocatable) as.fatal_error("Can not set origin with object file generation");
    if (!defined_above(as.scan.operands[0].fwd)) return;
    int32_t origin = as.scan.operands[0].value;
    if (origin & 1) origin = static_cast<int32_t>(static_cast<uint32_t>(origin) - 1);
    // Bytes already emitted keep their old addresses.
    as.emit.flush_section();
    drv.location_counter = origin;
    drv.section_base = origin;
    drv.flush_address = origin;
    drv.section_resume_address[drv.current_section] = origin;
    as.emit.note_origin();
    list_value(origin);
}

void Directives::d_section() {
    Driver& drv = as.drv;
    auto word = read_word_item();
    std::string_view name = word ? *word : std::string_view();
    as.emit.flush_section();
    drv.section_resume_address[drv.current_section] = drv.location_counter;
    for (const SectionName& row : section_table) {
        if (option_name_matches(name, row.name)) {
            drv.current_section = row.number;
            drv.location_counter = drv.section_resume_address[row.number];
            drv.flush_address = drv.location_counter;
            return;
        }
    }
}

void Directives::d_align() {
    if (!defined_above(as.scan.operands[0].fwd)) return;
    int32_t n = as.scan.operands[0].value;
    if (n == 0) return;
    if (n < 0) {
        as.report_error("align: negative alignment");
        return;
    }
    // Addresses are unsigned: above 0x7FFFFFFF a signed remainder would overshoot.
    uint32_t rest = static_cast<uint32_t>(as.drv.location_counter) % static_cast<uint32_t>(n);
    if (rest != 0) emit_fill(static_cast<int64_t>(n) - rest, 0);
}

void Directives::d_even() { emit_fill(as.drv.location_counter & 1, 0); }

// cnop offset,alignment: on to the next address that lies offset past a
// multiple of alignment. Code runs through the padding, so there it is tpf
// words, the no-op that does not wait for the pipeline as nop does; an odd
// byte first, and every byte elsewhere, is zero.
void Directives::d_cnop() {
    const Operand& offset = as.scan.operands[0];
    const Operand& alignment = as.scan.operands[1];
    if (!defined_above(offset.fwd) || !defined_above(alignment.fwd)) return;
    if (alignment.value <= 0) {
        as.report_error("cnop: alignment must be positive");
        return;
    }
    if (offset.value < 0 || offset.value >= alignment.value) {
        as.report_error("cnop: offset must lie between 0 and the alignment");
        return;
    }
    const auto n = static_cast<uint32_t>(alignment.value);
    const uint32_t at = static_cast<uint32_t>(as.drv.location_counter) % n;
    const uint32_t want = static_cast<uint32_t>(offset.value);
    uint32_t gap = want >= at ? want - at : n - at + want;
    if (as.drv.current_section != SEC_CODE) {
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
    if (as.drv.current_section != SEC_CODE) return;
    // A branch to itself, then illegal instructions: a runaway program stops here.
    as.emit.emit_long(0x60FE4AFC);
    as.emit.emit_long(0x4AFC4AFC);
    as.emit.emit_long(0x4AFC4AFC);
    pad_to_long();
}

} // namespace tobra
