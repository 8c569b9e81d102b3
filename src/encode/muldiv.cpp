// Multiply, divide and remainder. The long forms stop at (d16,An): their
// extension word leaves no room for an index.
#include "driver/assembler.h"
#include "encode/messages.h"

namespace tobra {

namespace {

uint32_t dreg(const Operand& op) { return static_cast<uint32_t>(op.reg) & 7; }

} // namespace

// Unsized, these are the long forms, where 68000 habits and other assemblers
// read the word forms, and divu.w and divu.l compute different things: the
// first one of each file is pointed out.
void Encoder::warn_unsized_muldiv(uint32_t size) {
    if (size != SZ_U || !as.drv.muldiv_warning || !as.pass2_checks()) return;
    const std::string& file = as.file_name(as.here());
    for (const std::string& f : muldiv_warned_files_)
        if (f == file) return;
    muldiv_warned_files_.push_back(file);
    as.report_warning(msg::MULDIV_UNSIZED_MULTIPLY_OR_DIVIDE);
}

// 152: muls.l, mulu.l <ea>,Dn.
void Encoder::h_mul_long(Statement& st, uint32_t op, uint32_t flags) {
    const uint32_t size = st.size;
    if (!operands_allowed(st, false)) return;
    const Operand& src = st.operands[0];
    const uint32_t n = dreg(st.operands[1]);
    warn_unsized_muldiv(st.size);
    put_word(op + modreg(src));
    put_word((n << 12) + flags + n);
    ea_extension(src, size, st.size);
}

// 153: divs.w, divu.w <ea>,Dn.
void Encoder::h_div_word(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    if (!operands_allowed(st, true)) return;
    const Operand& src = st.operands[0];
    put_word(op + (dreg(st.operands[1]) << 9) + modreg(src));
    ea_extension(src, size, st.size);
}

// 154: divs.l, divu.l <ea>,Dn and rems, remu <ea>,Dw:Dx.
void Encoder::h_div_long(Statement& st, uint32_t op, uint32_t flags) {
    const uint32_t size = st.size;
    if (!operands_allowed(st, false)) return;
    const Operand& src = st.operands[0];
    const Operand& dst = st.operands[1];
    // The quotient (or dividend) register goes high, the remainder low.
    const uint32_t low = dreg(dst);
    const uint32_t high = dst.cls == CLS_DN_PAIR ? static_cast<uint32_t>(dst.reg2) & 7 : low;
    // rems and remu, the pair forms, have only the one size.
    if (dst.cls != CLS_DN_PAIR) warn_unsized_muldiv(st.size);
    put_word(op + modreg(src));
    put_word((high << 12) + flags + low);
    ea_extension(src, size, st.size);
}

} // namespace tobra
