// Moves: move/movea with the ColdFire mode restrictions and the moveq
// rewrite, moveq, mov3q, mvs/mvz, the status and control register moves.
#include <cstdio>

#include "driver/assembler.h"
#include "encode/messages.h"
#include "isa/registers.h"

namespace tobra {

namespace {

// The groups of addressing modes that the move restrictions speak of.
enum MoveGroup { G_OTHER, G_D16, G_INDEX, G_IMM, G_ABS };

MoveGroup source_group(const Operand& op) {
    switch (op.cls) {
    case CLS_INDEXED: return Encoder::plain_displacement(op) ? G_D16 : G_INDEX;
    // (d8,PC,Xi) is restricted like an absolute address, d16(PC) like d16(An).
    case CLS_PC_INDEXED: return op.ext_form == ExtForm::brief ? G_ABS : G_D16;
    case CLS_IMM: return G_IMM;
    case CLS_EXPR: return G_ABS;
    default: return G_OTHER;
    }
}

MoveGroup destination_group(const Operand& op) {
    switch (op.cls) {
    case CLS_INDEXED: return Encoder::plain_displacement(op) ? G_D16 : G_INDEX;
    case CLS_EXPR: return G_ABS;
    default: return G_OTHER;
    }
}

// The source/destination pairs that a ColdFire move cannot encode in its
// 48-bit limit.
bool move_combination_refused(const Assembler& as, const Operand& src, const Operand& dst, uint32_t size) {
    const MoveGroup d = destination_group(dst);
    if (d == G_OTHER) return false;
    switch (source_group(src)) {
    case G_D16: return d != G_D16;
    case G_INDEX:
    case G_ABS: return true;
    case G_IMM: return !(d == G_D16 && as.core.isa_b() && (size == SZ_B || size == SZ_W));
    default: return false;
    }
}

uint32_t reg3(const Operand& op) { return static_cast<uint32_t>(op.reg) & 7; }

constexpr int32_t USP_CODE = 0x800;

} // namespace

// 44: move, movea <ea>,<ea>.
void Encoder::h_move(Statement& st, uint32_t op, uint32_t) {
    const Operand& src = st.operands[0];
    const Operand& dst = st.operands[1];
    // The variant's opcode is the operation size (bits 13-12: 1 byte, 2 long,
    // 3 word); unsized moves are word moves.
    static constexpr uint32_t sizes[4] = {SZ_W, SZ_B, SZ_L, SZ_W};
    const uint32_t size = sizes[(op >> 12) & 3];
    if (size == SZ_B && src.cls == CLS_AN) {
        as.report_error(msg::EA_BYTE_SIZE_NOT_ALLOWED_ON_ADDRESS);
        return;
    }
    if (!operands_allowed(st, true)) return;
    if (move_combination_refused(as, src, dst, size)) as.report_error(msg::MOVE_MODE_NOT_SUPPORTED);

    if ((as.drv.optimise_flags & OPT_MOVEQ) && size == SZ_L && src.cls == CLS_IMM && src.reloc_kind <= 1 &&
        !src.fwd && src.value >= -128 && src.value <= 127 && dst.cls == CLS_DN) {
        put_word(0x7000 + (reg3(dst) << 9) + (static_cast<uint32_t>(src.value) & 0xFF));
        return;
    }
    // The destination EA goes in register-first.
    const uint32_t d = modreg(dst);
    put_word(op + ((d & 7) << 9) + ((d >> 3) << 6) + modreg(src));
    ea_extension(src, size, st.size);
    ea_extension(dst, size, st.size);
}

// 46: moveq #imm,Dn.
void Encoder::h_moveq(Statement& st, uint32_t op, uint32_t) {
    const Operand& src = st.operands[0];
    // The data is the opcode's own low byte.
    as.emit.value_fixup(src, as.drv.location_counter + 1, 1, FixupKind::absolute);
    put_word(op + (reg3(st.operands[1]) << 9) + static_cast<uint32_t>(checked(src, RANGE_S8_BITS)));
}

// 133: mov3q #imm,<ea>. The 3-bit field holds 1..7, and 0 stands for -1.
void Encoder::h_mov3q(Statement& st, uint32_t op, uint32_t) {
    uint32_t size = st.size;
    if (!operands_allowed(st, true)) return;
    const Operand& src = st.operands[0];
    const Operand& dst = st.operands[1];
    const int32_t v = src.value;
    uint32_t field;
    narrow_field(src, "the 3-bit data of mov3q");
    if (as.emit.linked(src)) {
        field = 0;
    } else if (v == -1) {
        field = 0;
    } else if (v >= 1 && v <= 7) {
        field = static_cast<uint32_t>(v);
    } else {
        if (as.pass2_checks()) {
            char text[80];
            // 0 has no encoding of its own; every such value loads another number than the one written.
            std::snprintf(text, sizeof text, msg::VALUE_NOT_IN_RANGE_MINUS_ONE_OR_1_TO_7_PRINTF.text,
                          static_cast<long>(v));
            as.report_error(msg::VALUE_NOT_IN_RANGE_MINUS_ONE_OR_1_TO_7_PRINTF.with(text));
        }
        field = static_cast<uint32_t>(v) & 7;
    }
    size = SZ_L;
    put_word(op + (field << 9) + modreg(dst));
    ea_extension(dst, size, st.size);
}

// 147: mvs, mvz <ea>,Dn; bit 6 selects the word source.
void Encoder::h_mvs_mvz(Statement& st, uint32_t op, uint32_t) {
    uint32_t size = st.size;
    if (!operands_allowed(st, true)) return;
    const Operand& src = st.operands[0];
    const bool byte = size == SZ_B;
    // An immediate source is a word, with a byte in its low half.
    size = byte ? SZ_B : SZ_W;
    put_word(op + (reg3(st.operands[1]) << 9) + modreg(src) + (byte ? 0 : 0x40));
    ea_extension(src, size, st.size);
}

// 18: <ea> in the low six bits: jmp, jsr, pea, Scc, moves to CCR, SR, MACSR,
// MASK, fsave and frestore.
void Encoder::h_ea_source(Statement& st, uint32_t op, uint32_t) {
    uint32_t size = st.size;
    const Operand& src = st.operands[0];
    const Operand& dst = st.operands[1];
    if (dst.cls == CLS_SR && src.cls != CLS_DN && src.cls != CLS_IMM) {
        as.report_error(msg::MOVE_MODE_NOT_SUPPORTED);
        return;
    }
    // The frame of fsave/frestore is addressed without an index, like every
    // floating-point operand.
    if ((op == 0xF300 || op == 0xF340) && has_index(src)) {
        as.report_error(msg::FLOAT_MODE_NOT_SUPPORTED);
        return;
    }
    if (!operands_allowed(st, true)) return;
    // CCR and SR take word data, MACSR and MASK long data.
    if (dst.cls == CLS_CCR || dst.cls == CLS_SR) size = SZ_W;
    else if (dst.cls == CLS_MACSR || dst.cls == CLS_MASK) size = SZ_L;
    put_word(op + modreg(src));
    ea_extension(src, size, st.size);
}

// 19: move CCR,Dn; SR,<ea>; MACSR,Rn; MASK,Rn.
void Encoder::h_ea_dest(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    const Operand& src = st.operands[0];
    const Operand& dst = st.operands[1];
    if (src.cls == CLS_SR && dst.cls != CLS_DN) {
        as.report_error(msg::MOVE_MODE_NOT_SUPPORTED);
        return;
    }
    if (!operands_allowed(st, true)) return;
    put_word(op + modreg(dst));
    ea_extension(dst, size, st.size);
}

// 42: move USP,An and An,USP.
void Encoder::h_move_usp(Statement& st, uint32_t op, uint32_t) {
    const Operand& src = st.operands[0];
    const Operand& dst = st.operands[1];
    const bool to_areg = src.cls == CLS_CN;
    // Only the user stack pointer has this form; other control registers go through movec.
    if ((to_areg ? src.reg : dst.reg) != USP_CODE) {
        as.report_error(msg::MOVE_MODE_NOT_SUPPORTED);
        return;
    }
    // The part's own check, after the register's: a control register other
    // than USP is refused as a mode on every part.
    if (!as.core.has(F_USP)) {
        as.report_error(msg::CORE_USP_NOT_AVAILABLE_ON_THIS_PROCESSOR);
        return;
    }
    put_word(op + reg3(to_areg ? dst : src));
}

// 45: movec Rn,Rc, to a control register the part has. A register it lacks
// would leave the part unset, so it is refused. The bare name rambar is the
// part's one RAM base: RAMBAR1 (0xC05) on the parts that have only that.
void Encoder::h_movec(Statement& st, uint32_t op, uint32_t) {
    const Operand& rc = st.operands[1];
    uint32_t code = static_cast<uint32_t>(rc.reg) & 0xFFF;
    const uint32_t has = as.core.control;
    const auto which = static_cast<ControlRegister>(rc.value);
    if (which == CR_RAMBAR) {
        const bool ram0 = has & cr_bit(CR_RAMBAR0);
        const bool ram1 = has & cr_bit(CR_RAMBAR1);
        if (ram0 && ram1) {
            as.report_warning(msg::CORE_RAMBAR_IS_AMBIGUOUS_ON_THIS_PROCESSOR);
        } else if (ram1) {
            code = 0xC05;
        } else if (!ram0) {
            as.report_error(msg::CORE_CONTROL_REGISTER_NOT_AVAILABLE_ON_THIS);
            return;
        }
    } else if (which < CR_NONE && !(has & cr_bit(which))) {
        as.report_error(msg::CORE_CONTROL_REGISTER_NOT_AVAILABLE_ON_THIS);
        return;
    }
    put_word(op);
    put_word(register_nibble(st.operands[0]) + code);
}

} // namespace tobra
