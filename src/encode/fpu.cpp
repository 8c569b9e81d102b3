// The floating-point unit: arithmetic and moves, the control registers,
// fmovem, fnop, fsave and frestore.
#include "driver/assembler.h"
#include "encode/messages.h"

namespace tobra {

namespace {

constexpr uint32_t RM = 0x4000;  // command-word bit: the source is an effective address
constexpr int32_t FPIAR = 1;     // the only control register an address register can reach

// Source format of an effective-address source, from the size suffix.
uint32_t source_format(uint32_t size_mask) {
    if (size_mask & SZ_S) return 1;
    if (size_mask & SZ_W) return 4;
    if (size_mask & SZ_D) return 5;
    if (size_mask & SZ_B) return 6;
    return 0;  // .l and no suffix: long integer
}

} // namespace

// The ColdFire unit addresses memory up to (d16,An) and (d16,PC), and a
// double does not fit a data register.
bool Encoder::float_operand_ok(const Operand& op, uint32_t size) {
    if (has_index(op) || (op.cls == CLS_DN && (size & SZ_D))) {
        as.report_error(msg::FLOAT_MODE_NOT_SUPPORTED);
        return false;
    }
    return true;
}

void Encoder::h_fp_arith(Statement& st, uint32_t op, uint32_t flags) {
    const uint32_t size = st.size;
    const Operand& src = st.operands[0];
    const Operand& dst = st.operands[1];
    if (!float_operand_ok(src, size)) return;
    const uint32_t s = (flags & RM) ? source_format(size) : static_cast<uint32_t>(src.reg);
    // Single-operand forms name their own register as the destination.
    const uint32_t d = static_cast<uint32_t>(dst.cls == CLS_FPN ? dst.reg : src.reg) & 7;
    as.emit.emit_word(static_cast<int32_t>(op + modreg(src)));
    as.emit.emit_word(static_cast<int32_t>((s << 10) | flags | (d << 7)));
    ea_extension(src, size, st.size);
}

void Encoder::h_fp_store(Statement& st, uint32_t op, uint32_t flags) {
    const uint32_t size = st.size;
    const Operand& fp = st.operands[0];
    const Operand& dst = st.operands[1];
    if (!float_operand_ok(dst, size)) return;
    as.emit.emit_word(static_cast<int32_t>(op + modreg(dst)));
    as.emit.emit_word(static_cast<int32_t>((source_format(size) << 10) | flags |
                                           (static_cast<uint32_t>(fp.reg & 7) << 7)));
    ea_extension(dst, size, st.size);
}

void Encoder::h_fp_to_ctl(Statement& st, uint32_t op, uint32_t flags) {
    const uint32_t size = st.size;
    const Operand& src = st.operands[0];
    const int32_t k = st.operands[1].reg;
    if (src.cls == CLS_AN && k != FPIAR) {
        as.report_error(msg::FLOAT_MODE_NOT_SUPPORTED);
        return;
    }
    if (!float_operand_ok(src, size)) return;
    as.emit.emit_word(static_cast<int32_t>(op + modreg(src)));
    as.emit.emit_word(static_cast<int32_t>((static_cast<uint32_t>(k) << 10) | flags));
    ea_extension(src, size, st.size);
}

void Encoder::h_fp_from_ctl(Statement& st, uint32_t op, uint32_t flags) {
    const uint32_t size = st.size;
    const int32_t k = st.operands[0].reg;
    const Operand& dst = st.operands[1];
    if (dst.cls == CLS_AN && k != FPIAR) {
        as.report_error(msg::FLOAT_MODE_NOT_SUPPORTED);
        return;
    }
    if (!float_operand_ok(dst, size)) return;
    as.emit.emit_word(static_cast<int32_t>(op + modreg(dst)));
    as.emit.emit_word(static_cast<int32_t>((static_cast<uint32_t>(k) << 10) | flags));
    ea_extension(dst, size, st.size);
}

void Encoder::h_fmovem_store(Statement& st, uint32_t op, uint32_t flags) {
    const uint32_t size = st.size;
    const Operand& dst = st.operands[1];
    if (!float_operand_ok(dst, size)) return;
    as.emit.emit_word(static_cast<int32_t>(op + modreg(dst)));
    as.emit.emit_word(static_cast<int32_t>(flags + getrlist(st.operands[0])));
    ea_extension(dst, size, st.size);
}

void Encoder::h_fmovem_load(Statement& st, uint32_t op, uint32_t flags) {
    const uint32_t size = st.size;
    const Operand& src = st.operands[0];
    if (!float_operand_ok(src, size)) return;
    as.emit.emit_word(static_cast<int32_t>(op + modreg(src)));
    as.emit.emit_word(static_cast<int32_t>(flags + getrlist(st.operands[1])));
    ea_extension(src, size, st.size);
}

// Accepted on every core, like fsave and frestore (H_EA_SOURCE).
void Encoder::h_fnop(Statement&, uint32_t op, uint32_t) {
    as.emit.emit_word(static_cast<int32_t>(op));
    as.emit.emit_word(0);
}

} // namespace tobra
