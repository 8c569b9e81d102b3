// Data definition: dc, dr, ds (incbin is in incbin.cpp).
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

#include "directives/messages.h"
#include "driver/assembler.h"

namespace tobra {

namespace {

// Packed: a string no longer than a word or long is one item holding its
// characters as a number, as #'AB' does; a longer one fills items from the
// left, the last padded with zero bytes.
void emit_packed_string(Assembler& as, const std::string& text, uint32_t mask) {
    const size_t unit = mask == SZ_L ? 4 : 2;
    if (text.size() <= unit) {
        uint32_t v = 0;
        for (char ch : text) v = (v << 8) | static_cast<uint8_t>(ch);
        if (text.empty()) return;
        if (unit == 4)
            as.emit.emit_long(static_cast<int32_t>(v));
        else
            as.emit.emit_word(static_cast<int32_t>(v));
        return;
    }
    std::string padded = text;
    padded.resize((text.size() + unit - 1) / unit * unit, '\0');
    as.emit.emit_block(reinterpret_cast<const uint8_t*>(padded.data()), static_cast<int32_t>(padded.size()));
}

// One unit per character: a byte, a word or a long with the character in its low
// byte. Floating-point sizes take no strings. packable: the line is a dc,
// whose words and longs may pack their characters instead.
void emit_string(Assembler& as, const std::string& text, uint32_t mask, bool packable) {
    if (packable && mask != SZ_B && text.size() > 1) {
        const bool word = mask == SZ_W || mask == SZ_U;
        if (word || mask == SZ_L) {
            if (as.drv.packed_strings) {
                emit_packed_string(as, text, word ? SZ_W : SZ_L);
                return;
            }
            // One item per character is what this assembler has always done;
            // others pack a short string into one item.
            if (text.size() <= (word ? 2u : 4u))
                as.report_warning(word ? msg::DC_STRING_GIVES_ONE_WORD_PER_CHARACTER
                                       : msg::DC_STRING_GIVES_ONE_LONG_PER_CHARACTER);
        }
    }
    for (char ch : text) {
        int32_t c = static_cast<uint8_t>(ch);
        if (mask == SZ_B)
            as.emit.emit_byte(c);
        else if (mask == SZ_W || mask == SZ_U)
            as.emit.emit_word(c);
        else if (mask == SZ_L)
            as.emit.emit_long(c);
    }
}

// The item walk dc and dr share: strings go out character by character, the
// list ends at the first record that is not an expression. A list of any
// length goes out one record area at a time. stars: called when a record
// area read * in an item after the line's first.
template <typename EmitValue, typename Stars>
void for_each_item(Assembler& as, Statement& st, uint32_t mask, bool packable, EmitValue emit_value, Stars stars) {
    for (;;) {
        if (as.scan.star_after_first) stars();
        for (const Operand& op : st.operands) {
            if (op.cls == CLS_STRING) {
                emit_string(as, as.ev.string_at(op.value), mask, packable);
                continue;
            }
            if (op.cls != CLS_EXPR) break;
            emit_value(op);
        }
        if (!as.scan.list_continues) break;
        as.scan.scan_exprlist_more(st);
    }
}

// Whether value can be read back from its low `bytes` bytes, taken as signed
// or as unsigned.
bool fits_item(int32_t value, int bytes) {
    const int64_t low = -(int64_t{1} << (8 * bytes - 1));
    const int64_t high = (int64_t{1} << (8 * bytes)) - 1;
    return value >= low && value <= high;
}

// Bytes of the field a dc item fills (a double's relocatable part is its first long).
int item_width(uint32_t mask) {
    switch (mask) {
    case SZ_B: return 1;
    case SZ_L:
    case SZ_S:
    case SZ_D: return 4;
    default: return 2;
    }
}

} // namespace

void Directives::emit_data_item(const Operand& op, uint32_t mask, bool warn) {
    Driver& drv = as.drv;
    const int32_t address = drv.location_counter;
    // The bytes are kept as written, cut to the item: a warning, not an error.
    // Pass 1's value may stand for a name defined later: pass 2 judges.
    const bool cut = warn && (mask == SZ_B ? !fits_item(op.value, 1)
                                           : (mask == SZ_W || mask == SZ_U) && !fits_item(op.value, 2));
    if (cut && as.pass2_checks()) {
        // An address cut to the item is lost, not truncated: an error where
        // the file holds the value itself (an image, or the native object's
        // field); an ELF relocation carries the whole addend to the linker,
        // which judges the final value. A label of this section or * in an
        // image is an address too, though nothing relocates it. An external
        // name's offset is judged by the emitter.
        const bool elf = as.options.relocatable_output && as.options.named_sections;
        const bool holds_address = op.reloc_kind == KIND_RELOCATABLE || (op.address && op.reloc_kind != KIND_EXTERNAL);
        if (holds_address && !elf)
            as.report_error(msg::DC_ADDRESS_DOES_NOT_FIT_THE_ITEM);
        else
            as.report_warning(msg::DC_VALUE_TRUNCATED_TO_THE_ITEM_SIZE);
    }
    switch (mask) {
    case SZ_B: as.emit.emit_byte(op.value); break;
    case SZ_L:
    case SZ_S: as.emit.emit_long(op.value); break;
    case SZ_D:
        as.emit.emit_long(op.value);
        as.emit.emit_long(op.value2);
        break;
    default: as.emit.emit_word(op.value); break;
    }
    // In a section that keeps no bytes the emitter refuses the address.
    as.emit.value_fixup(op, address, item_width(mask), FixupKind::absolute);
    if (mask == SZ_L) as.emit.late_address(op, address);
}

void Directives::d_dc(Statement& st) {
    const uint32_t mask = st.size;
    // Every item's * is the address of the line's first item, where other
    // assemblers take the item's own: a table of h-* distances differs.
    bool warned = false;
    for_each_item(as, st, mask, true, [&](const Operand& op) { emit_data_item(op, mask); }, [&] {
        if (!warned) as.report_warning(msg::DC_AFTER_THE_FIRST_ITEM);
        warned = true;
    });
}

// dcb count,value: count items of the line's size, each one as dc would give it.
void Directives::d_dcb(Statement& st) {
    const Operand& count = st.operands[0];
    if (!defined_above(st, count.fwd) || !constant_value(st, count)) return;
    // 2.1 reads as the bits of a single-precision number: a count of a billion.
    if (count.fraction) {
        as.report_error(msg::DCB_FLOATING_POINT_COUNT);
        return;
    }
    if (count.value < 0) {
        as.report_error(msg::DCB_NEGATIVE_COUNT);
        return;
    }
    const uint32_t mask = st.size;
    const int64_t unit = mask == SZ_B ? 1 : mask == SZ_L ? 4 : 2;
    if (count.value * unit > std::numeric_limits<int32_t>::max()) {
        as.report_error(msg::DCB_COUNT_TOO_LARGE);
        return;
    }
    const Operand& value = st.operands[1];
    if (count.value == 0) return;
    const int32_t total = static_cast<int32_t>(count.value * unit);
    // Pass 1 only measures: a large block is one step, not one per item.
    if (as.drv.pass_number == 1) {
        as.emit.emit_block(nullptr, total);
        return;
    }
    // The first item draws the line's one warning. Items the listing shows,
    // and every item that needs a fixup of its own, go one by one.
    emit_data_item(value, mask);
    const bool relocates = value.reloc_kind == KIND_EXTERNAL || value.reloc_kind == KIND_RELOCATABLE;
    int32_t done = 1;
    for (; done < count.value && (relocates || done * unit < LISTING_BYTES); ++done)
        emit_data_item(value, mask, false);
    if (done == count.value) return;
    // The rest are alike, and go in blocks of whole items.
    const uint32_t bits = static_cast<uint32_t>(value.value);
    const uint8_t item[4] = {static_cast<uint8_t>(bits >> 24), static_cast<uint8_t>(bits >> 16),
                             static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits)};
    const size_t width = static_cast<size_t>(unit);
    const uint8_t* low = item + 4 - width;  // an item is its low bytes, high byte first
    uint8_t block[4096];
    for (size_t i = 0; i < sizeof block; i += width) std::memcpy(block + i, low, width);
    int64_t rest = static_cast<int64_t>(count.value - done) * unit;
    while (rest > 0) {
        const int32_t n = static_cast<int32_t>(std::min<int64_t>(rest, static_cast<int64_t>(sizeof block)));
        as.emit.emit_block(block, n);
        rest -= n;
    }
}

void Directives::d_dr(Statement& st) {
    Driver& drv = as.drv;
    const uint32_t mask = st.size;
    for_each_item(as, st, mask, false, [&](const Operand& op) {
        // Relative to the address this very item is stored at.
        int32_t value = static_cast<int32_t>(static_cast<uint32_t>(op.value) - static_cast<uint32_t>(drv.location_counter));
        // A distance is signed: one that the item cannot hold would read as
        // another. Only a distance known now is judged; a linker fills the rest.
        const bool known = op.reloc_kind != KIND_EXTERNAL &&
                           (op.reloc_kind != KIND_RELOCATABLE || op.sym_section == drv.current_section);
        const int32_t reach = mask == SZ_B ? 0x80 : mask == SZ_L ? 0 : 0x8000;
        if (drv.pass_number == 2 && known && reach != 0 && (value < -reach || value >= reach))
            as.report_error(msg::DR_DISTANCE_DOES_NOT_FIT_THE_ITEM);
        as.emit.value_fixup(op, drv.location_counter, mask == SZ_B ? 1 : mask == SZ_L ? 4 : 2,
                            FixupKind::pc_relative);
        if (mask == SZ_B)
            as.emit.emit_byte(value);
        else if (mask == SZ_L)
            as.emit.emit_long(value);
        else
            as.emit.emit_word(value);
    }, [] {});
}

void Directives::d_ds(Statement& st) {
    if (!defined_above(st, st.operands[0].fwd) || !constant_value(st, st.operands[0])) return;
    if (st.operands[0].fraction) {
        as.report_error(msg::DS_FLOATING_POINT_COUNT);
        return;
    }
    const uint32_t mask = st.size;
    const int64_t unit = mask == SZ_B ? 1 : mask == SZ_L ? 4 : 2;
    const int32_t count = st.operands[0].value;
    if (count < 0) {
        as.report_error(msg::DS_NEGATIVE_COUNT);
        return;
    }
    if (count == 0) {
        as.emit.note_alignment(static_cast<uint32_t>(unit));
        uint32_t rest = static_cast<uint32_t>(as.drv.location_counter) % static_cast<uint32_t>(unit);
        if (rest != 0) emit_fill(unit - rest, 0);
        return;
    }
    const int64_t total = count * unit;
    // The location counter is 32 bits wide; a reservation beyond that cannot be placed.
    if (total > std::numeric_limits<int32_t>::max()) {
        as.report_error(msg::DS_COUNT_TOO_LARGE);
        return;
    }
    const Operand& fill = st.operands[1];
    // Reported, and the room still taken, so that the labels below keep their places.
    const bool plain_fill = fill.cls == CLS_EXPR && constant_value(st, fill);
    // The fill is a byte pattern whatever the size: ds.l 4,handler repeats
    // the low byte of handler, which cannot be what was meant.
    if (plain_fill && !fits_item(fill.value, 1)) {
        // Pass 1 may not know every label of the fill yet.
        if (fill.address || fill.reloc_kind == KIND_RELOCATABLE) {
            if (as.drv.pass_number == 2) as.report_error(msg::DS_ADDRESS_DOES_NOT_FIT_THE_FILL_BYTE);
        } else {
            as.report_warning(msg::DS_FILL_VALUE_TRUNCATED_TO_A_BYTE);
        }
    }
    emit_fill(total, plain_fill ? fill.value : 0);
}

} // namespace tobra
