// Arithmetic and logic formats: add/sub with their immediate and quick forms,
// the address-register forms with the lea rewrites, and/or/eor, the single-EA
// sized operations and addx/subx.
#include "driver/assembler.h"
#include "encode/messages.h"

namespace tobra {

// An immediate that the quick forms can carry. A value that was a forward
// reference stays out: pass 1 could not know it, and both passes must choose
// the same length.
bool Encoder::quick_fits(const Operand& imm) const {
    return imm.cls == CLS_IMM && imm.reloc_kind == 0 && !imm.fwd && imm.value >= 1 && imm.value <= 8;
}

// addq/subq (base 0x5000/0x5100) in place of a longer immediate form.
void Encoder::emit_quick(uint32_t base, const Operand& imm, const Operand& dst, uint32_t size, uint32_t written) {
    narrow_field(imm, "the 3-bit data of addq and subq");
    put_word(base + (static_cast<uint32_t>(checked(imm, RANGE_QUICK)) << 9) + size76(size) + modreg(dst));
    ea_extension(dst, size, written);
}

// 150, 151: add and sub, register and immediate sources.
void Encoder::h_add_sub(Statement& st, uint32_t op, uint32_t, bool is_sub) {
    uint32_t size = st.size;
    if (!operands_allowed(st, true)) return;
    Operand& src = st.operands[0];
    Operand& dst = st.operands[1];
    if (src.cls != CLS_IMM) {
        put_word(op + size76(size) + ((static_cast<uint32_t>(dst.reg) & 7) << 9) + modreg(src));
        ea_extension(src, size, st.size);
        return;
    }
    if (size == SZ_U) size = SZ_L;
    if ((as.drv.optimise_flags & (is_sub ? OPT_SUBQ : OPT_ADDQ)) && size == SZ_L && quick_fits(src)) {
        emit_quick(is_sub ? 0x5100 : 0x5000, src, dst, size, st.size);
        return;
    }
    if (dst.cls != CLS_DN) {
        as.report_error(is_sub ? msg::SUB_THIS_MODE_IS_NOT_SUPPORTED : msg::ADD_THIS_MODE_IS_NOT_SUPPORTED);
        return;
    }
    put_word((is_sub ? 0x0400u : 0x0600u) + size76(size) + modreg(dst));
    ea_extension(src, size, st.size);
    ea_extension(dst, size, st.size);
}

// 9: addi, andi, eori, ori, subi #imm,Dn.
void Encoder::h_imm_to_dreg(Statement& st, uint32_t op, uint32_t) {
    uint32_t size = st.size;
    Operand& src = st.operands[0];
    Operand& dst = st.operands[1];
    if (size == SZ_U) size = SZ_L;
    if (size == SZ_L && quick_fits(src)) {
        if (op == 0x0600 && (as.drv.optimise_flags & OPT_ADDQ)) return emit_quick(0x5000, src, dst, size, st.size);
        if (op == 0x0400 && (as.drv.optimise_flags & OPT_SUBQ)) return emit_quick(0x5100, src, dst, size, st.size);
    }
    put_word(op + size76(size) + modreg(dst));
    ea_extension(src, size, st.size);
    ea_extension(dst, size, st.size);
}

// 10: addq, subq #imm,<ea>.
void Encoder::h_quick(Statement& st, uint32_t op, uint32_t) {
    if (!operands_allowed(st, true)) return;
    emit_quick(op, st.operands[0], st.operands[1], st.size, st.size);
}

// 5: adda, suba, lea <ea>,An and muls.w/mulu.w <ea>,Dn.
void Encoder::h_ea_to_areg(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    if (!operands_allowed(st, true)) return;
    Operand& src = st.operands[0];
    Operand& dst = st.operands[1];
    const uint32_t n = static_cast<uint32_t>(dst.reg) & 7;
    // An address written with its size keeps it, as in jmp, pea and move.
    if (op == 0x41C0 && (as.drv.optimise_flags & OPT_LEA) && src.cls == CLS_EXPR && !src.size_written &&
        src.reloc_kind == 0 && !src.fwd && src.value >= -32768 && src.value <= 32767) {
        if (src.value == 0) {
            put_word(0x91C0 + (n << 9) + 8 + n);  // suba.l An,An
            return;
        }
        src.addr_size = AddrSize::word;
    }
    if (op == 0x91C0 && (as.drv.optimise_flags & OPT_ADDQ) && size == SZ_L && quick_fits(src)) {
        put_word(0x5100 + (static_cast<uint32_t>(range_check(src.value, RANGE_QUICK)) << 9) + 0x80 + modreg(dst));
        return;
    }
    put_word(op + (n << 9) + modreg(src));
    ea_extension(src, size, st.size);
}

// 6: and, or <ea>,Dn.
void Encoder::h_logic_to_dreg(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    if (!operands_allowed(st, true)) return;
    const Operand& src = st.operands[0];
    put_word(op + size76(size) + ((static_cast<uint32_t>(st.operands[1].reg) & 7) << 9) + modreg(src));
    ea_extension(src, size, st.size);
}

// 8: add, and, eor, or, sub Dn,<ea>.
void Encoder::h_dreg_to_ea(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    if (!operands_allowed(st, true)) return;
    const Operand& dst = st.operands[1];
    put_word(op + size76(size) + ((static_cast<uint32_t>(st.operands[0].reg) & 7) << 9) + modreg(dst));
    ea_extension(dst, size, st.size);
}

// 20: clr, neg, negx, not, tst, wddata <ea>.
void Encoder::h_ea_sized(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    const Operand& ea = st.operands[0];
    // Address registers have no byte access.
    if (ea.cls == CLS_AN && size == SZ_B) {
        as.report_error(msg::EA_BYTE_SIZE_NOT_ALLOWED_ON_ADDRESS);
        return;
    }
    if (!operands_allowed(st, true)) return;
    put_word(op + size76(size) + modreg(ea));
    ea_extension(ea, size, st.size);
}

// 2: addx, subx Dy,Dx.
void Encoder::h_addx(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    put_word(op + size76(size) + ((static_cast<uint32_t>(st.operands[1].reg) & 7) << 9) +
             (static_cast<uint32_t>(st.operands[0].reg) & 7));
}

} // namespace tobra
