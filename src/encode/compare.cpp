// Compares: cmp, cmpa, cmpi with the size rules of the cores.
#include "driver/assembler.h"
#include "encode/messages.h"

namespace tobra {

namespace {

// Byte and word compares exist from ISA_B on; an unsized compare is a word
// compare there only in unsized mode. The settled size also decides the size
// of an immediate source.
void settle_compare_size(Assembler& as, uint32_t& mask) {
    if (mask == SZ_U) {
        mask = (as.core.isa_b() && as.drv.unsized_mode) ? SZ_W : SZ_L;
    } else if ((mask == SZ_B || mask == SZ_W) && !as.core.isa_b()) {
        as.report_error(msg::CMP_SIZE_MUST_BE_LONG);
    }
}

} // namespace

// 143: cmp <ea>,Dn.
void Encoder::h_cmp(Statement& st, uint32_t op, uint32_t) {
    uint32_t size = st.size;
    if (!operands_allowed(st, true)) return;
    settle_compare_size(as, size);
    const Operand& src = st.operands[0];
    put_word(op + size76(size) + ((static_cast<uint32_t>(st.operands[1].reg) & 7) << 9) + modreg(src));
    ea_extension(src, size, st.size);
}

// 144: cmpa <ea>,An; the variant's opcode already carries the size.
void Encoder::h_cmpa(Statement& st, uint32_t op, uint32_t) {
    uint32_t size = st.size;
    if (!operands_allowed(st, true)) return;
    const bool word = op == 0xB0C0;
    if (word && !as.core.isa_b()) as.report_error(msg::CMP_SIZE_MUST_BE_LONG);
    size = word ? SZ_W : SZ_L;
    const Operand& src = st.operands[0];
    put_word(op + ((static_cast<uint32_t>(st.operands[1].reg) & 7) << 9) + modreg(src));
    ea_extension(src, size, st.size);
}

// 145: cmpi #imm,Dn.
void Encoder::h_cmpi(Statement& st, uint32_t op, uint32_t) {
    uint32_t size = st.size;
    settle_compare_size(as, size);
    const Operand& dst = st.operands[1];
    put_word(op + size76(size) + modreg(dst));
    ea_extension(st.operands[0], size, st.size);
    ea_extension(dst, size, st.size);
}

} // namespace tobra
