// Effective addresses: the 6-bit EA field, extension words and the fixups
// their values leave; range checks and the other shared fields.
#include <cstdint>
#include <cstdio>

#include "driver/assembler.h"
#include "encode/messages.h"

namespace tobra {

namespace {

// Values inside [minimum, maximum] read back as written. Beyond that, up to
// the hard limits, the field holds exactly the bits written and only the sign
// reading differs (moveq #$FF for -1): a warning, as sources do that on
// purpose. Beyond the hard limits bits are lost or the processor reads
// another value, and the line is an error.
struct Range {
    int32_t minimum;
    int32_t maximum;
    int32_t hard_minimum;
    int32_t hard_maximum;
    int32_t mask;
};

constexpr int32_t ANY_MIN = INT32_MIN;
constexpr int32_t ANY_MAX = INT32_MAX;

// clang-format off
constexpr Range range_table[] = {
    {0, 255, 0, 255, 0xFF},                  // RANGE_U8
    {-128, 127, -128, 127, 0xFF},            // RANGE_S8
    {-128, 255, -128, 255, 0xFF},            // RANGE_B
    {0, 65535, -32768, 65535, 0xFFFF},       // RANGE_U16
    {-32768, 32767, -32768, 32767, 0xFFFF},  // RANGE_S16
    {-32768, 65535, -32768, 65535, 0xFFFF},  // RANGE_W
    {1, 8, 1, 8, 0x7},                       // RANGE_QUICK
    {0, 7, 0, 7, 0x7},                       // RANGE_U3
    {0, 15, 0, 15, 0xF},                     // RANGE_TRAP
    {0, 31, 0, 31, 0x1F},                    // RANGE_BITNUM
    {0, 63, 0, 63, 0x3F},                    // RANGE_U6
    {0, 127, 0, 127, 0x7F},                  // RANGE_U7
    {-64, 63, -64, 63, 0x7F},                // RANGE_S7
    {-128, 127, -128, 255, 0xFF},            // RANGE_S8_BITS
    {-32768, 32767, -32768, 65535, 0xFFFF},  // RANGE_S16_BITS
    {-128, 127, ANY_MIN, ANY_MAX, 0xFF},     // RANGE_BRANCH8
    {-32768, 32767, ANY_MIN, ANY_MAX, 0xFFFF},  // RANGE_BRANCH16
};
// clang-format on
static_assert(sizeof(range_table) / sizeof(range_table[0]) == RANGE_BRANCH16 + 1);

} // namespace

// A displacement that was a forward reference is marked as not fitting, yet
// d16(An) is its only possible form and its length does not depend on the
// value: it is encoded as d16 and range-checked in pass 2. Only a
// displacement known to be too large stays unencodable.
bool Encoder::plain_displacement(const Operand& op) {
    if (op.cls != CLS_INDEXED) return false;
    return op.ext_form == ExtForm::d16 || (op.ext_form == ExtForm::d16_unfit && op.fwd);
}

void Encoder::put_word(uint32_t word) { as.emit.emit_word(static_cast<int32_t>(word & 0xFFFF)); }

int32_t Encoder::range_check(int32_t value, int row) {
    const Range& r = range_table[row];
    // Pass 1 may hold a made-up value for a name defined later; pass 2 judges.
    if ((value < r.minimum || value > r.maximum) && as.pass2_checks()) report_out_of_range(value, row);
    return value & r.mask;
}

// Out of line: most values fit, and the message's buffer would cost every
// check its frame.
[[gnu::cold, gnu::noinline]] void Encoder::report_out_of_range(int32_t value, int row) {
    const Range& r = range_table[row];
    const bool hard = value < r.hard_minimum || value > r.hard_maximum;
    char text[80];
    std::snprintf(text, sizeof text, msg::VALUE_NOT_IN_RANGE_PRINTF.text, static_cast<long>(value),
                  static_cast<long>(hard ? r.hard_minimum : r.minimum),
                  static_cast<long>(hard ? r.hard_maximum : r.maximum));
    if (hard)
        as.report_error(msg::VALUE_NOT_IN_RANGE_PRINTF.with(text));
    else
        as.report_warning(msg::VALUE_NOT_IN_RANGE_PRINTF.with(text));
}

[[gnu::cold]] void Encoder::warn_sign_extended_address(int32_t value, bool address) {
    char text[120];
    const auto v = static_cast<unsigned long>(value);
    std::snprintf(text, sizeof text, msg::ABS_SHORT_ADDRESS_IS_SIGN_EXTENDED_PRINTF.text, v, v, v);
    // A written number may mean the high address; a label's cannot.
    if (address)
        as.report_error(msg::ABS_SHORT_ADDRESS_IS_SIGN_EXTENDED_PRINTF.with(text));
    else
        as.report_warning(msg::ABS_SHORT_ADDRESS_IS_SIGN_EXTENDED_PRINTF.with(text));
}

int32_t Encoder::checked(const Operand& op, int row) {
    if (as.emit.linked(op)) return op.value & range_table[row].mask;
    as.src.statement.in_question = &op;
    return range_check(op.value, row);
}

void Encoder::narrow_field(const Operand& op, const char* name) {
    as.emit.value_fixup(op, as.drv.location_counter, 0, FixupKind::absolute, 0, false, name);
}

uint32_t Encoder::size76(uint32_t size) {
    switch (size) {
    case SZ_B: return 0x00;
    case SZ_W: return 0x40;
    case SZ_L:
    case SZ_U: return 0x80;
    default: as.fatal_error(msg::BAD_SIZE_IN_SIZE76);
    }
}

// The forms after the register ones, which modreg settles inline.
uint32_t Encoder::modreg_other(const Operand& op) {
    uint32_t r = static_cast<uint32_t>(op.reg) & 7;
    switch (op.cls) {
    case CLS_INDEXED: return (plain_displacement(op) ? 0x28 : 0x30) | r;
    case CLS_EXPR: return op.addr_size == AddrSize::longword ? 0x39 : 0x38;
    case CLS_IMM: return 0x3C;
    case CLS_PC_INDEXED: return op.ext_form == ExtForm::brief ? 0x3B : 0x3A;
    case CLS_FPN:
    case CLS_FPCN: return 0;
    case CLS_ACC: return static_cast<uint32_t>(op.reg);
    default: as.fatal_error(msg::BAD_TYPE_IN_MODREG);
    }
}

uint32_t Encoder::brief_extension(const Operand& op) {
    uint32_t w = (static_cast<uint32_t>(op.reg2) & 7) << 12;
    if (op.index_is_an) w |= 0x8000;
    if (op.addr_size == AddrSize::longword) w |= 0x0800;
    w |= (static_cast<uint32_t>(op.scale) & 3) << 9;
    return w;
}

uint32_t Encoder::register_nibble(const Operand& op) {
    uint32_t n = static_cast<uint32_t>(op.reg) & 7;
    if (op.cls == CLS_AN) n += 8;
    return n << 12;
}

uint32_t Encoder::getrlist(const Operand& op) {
    switch (op.cls) {
    case CLS_DN: return 1u << (op.reg & 7);
    case CLS_AN: return 1u << ((op.reg & 7) + 8);
    case CLS_RLIST:
    case CLS_FPLIST: return static_cast<uint32_t>(op.reg) & 0xFFFF;
    case CLS_FPN: return 1u << (7 - (op.reg & 7));
    default: as.fatal_error(msg::GETRLIST);
    }
}

bool Encoder::index_register_allowed(const Operand& op, bool brief_allowed) {
    if (!brief_allowed) {
        as.src.statement.in_question = &op;
        as.report_error(msg::INDEX_MODE_NOT_SUPPORTED_BY_THIS_INSTRUCTION);
        return false;
    }
    if (op.scale == 3 && !as.core.has(F_FPU)) {
        as.src.statement.in_question = &op;
        as.report_error(msg::INDEX_SCALE_8_NOT_SUPPORTED_ON_THIS);
        return false;
    }
    return true;
}

void Encoder::ea_extension_other(const Operand& op, uint32_t size, uint32_t written) {
    const int32_t at = as.drv.location_counter;
    // What its extension words refuse (a range, a relocation) is about this operand.
    as.src.statement.in_question = &op;
    switch (op.cls) {
    case CLS_FPN:
    case CLS_FPCN:
    case CLS_ACC: return;

    case CLS_INDEXED: {
        int width = 2;
        if (plain_displacement(op)) {
            put_word(static_cast<uint32_t>(range_check(op.value, RANGE_S16)));
        } else if (op.ext_form == ExtForm::brief || (op.fwd && !op.no_base)) {
            // A forward displacement with an index has only the brief form.
            width = 1;
            put_word(brief_extension(op) + static_cast<uint32_t>(range_check(op.value, RANGE_S8)));
        } else {
            as.report_error(msg::INDEX_INDEX_VALUE_OUT_OF_RANGE);
        }
        // An 8-bit displacement is the low byte of the brief word, not the
        // index-register byte before it.
        as.emit.value_fixup(op, width == 1 ? at + 1 : at, width, FixupKind::base_relative);
        return;
    }

    case CLS_EXPR: {
        const bool is_long = op.addr_size == AddrSize::longword;
        // 1.5 reads as the bits of a floating-point number, $3FC00000: no
        // address anyone meant.
        if (op.fraction) [[unlikely]]
            as.report_error(msg::ABS_ADDRESS_IS_A_FLOATING_POINT_NUMBER);
        as.emit.value_fixup(op, at, is_long ? 4 : 2, FixupKind::absolute);
        if (is_long) {
            as.emit.late_address(op, at);
            as.emit.emit_long(op.value);
            return;
        }
        // The processor sign-extends a short address, so $8000.w reaches
        // $FFFF8000 while -2.w is the $FFFFFFFE it means. A label of an
        // object file is the linker's to check.
        if (op.value >= 0x8000 && op.value <= 0xFFFF && (op.reloc_kind == 0 || !as.options.relocatable_output) &&
            as.pass2_checks())
            warn_sign_extended_address(op.value, op.address != 0);
        put_word(static_cast<uint32_t>(range_check(op.value, RANGE_W)));
        return;
    }

    case CLS_IMM: {
        const bool is_long = (size & (SZ_L | SZ_U)) != 0;
        // A byte operation reads the low byte of its word: a relocation on
        // that byte lets the linker check that the value fits.
        if (size == SZ_B)
            as.emit.value_fixup(op, at + 1, 1, FixupKind::absolute, 0, true);
        else
            as.emit.value_fixup(op, at, is_long ? 4 : 2, FixupKind::absolute);
        if (is_long) {
            as.emit.late_address(op, at);
            as.emit.emit_long(op.value);
            return;
        }
        // Checked only: the word keeps whatever high byte a byte datum had.
        if (written == SZ_B)
            range_check(op.value, RANGE_B);
        else if (written == SZ_W)
            range_check(op.value, RANGE_W);
        put_word(static_cast<uint32_t>(op.value));
        return;
    }

    case CLS_PC_INDEXED: {
        // The displacement counts from the extension word itself.
        if (!op.no_base) ++as.drv.place_reads;
        const int32_t distance =
            op.no_base ? 0 : static_cast<int32_t>(static_cast<uint32_t>(op.value) - static_cast<uint32_t>(at));
        // The distance to an external symbol, or in an object file to a label
        // of another section, is the linker's to fill in.
        const bool other_section = op.reloc_kind == KIND_RELOCATABLE && op.sym_section != as.drv.current_section;
        const bool external = op.reloc_kind == KIND_EXTERNAL || (other_section && as.options.relocatable_output);
        int width = 2;
        if (op.ext_form == ExtForm::brief) {
            width = 1;
            put_word(brief_extension(op) +
                     static_cast<uint32_t>(range_check(distance, external ? RANGE_BRANCH8 : RANGE_S8)));
        } else {
            put_word(static_cast<uint32_t>(range_check(distance, external ? RANGE_BRANCH16 : RANGE_S16)));
        }
        // In an image the sections' distances are not this line's to know.
        if (other_section && !as.options.relocatable_output) {
            if (as.pass2_checks()) as.report_error(msg::PCINDEX_SYMBOL_REFERENCE_NOT_IN_SAME_SECTION);
        } else {
            as.emit.value_fixup(op, width == 1 ? at + 1 : at, width, FixupKind::pc_relative, width == 1 ? -1 : 0);
        }
        return;
    }

    default: as.fatal_error(msg::FINISH4);
    }
}

} // namespace tobra
