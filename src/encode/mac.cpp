// The multiply-accumulate units: mac and msac with and without load, the
// moves into and out of the accumulators. A part without a unit never gets
// here (the variants need one); what only the EMAC has depends on the
// accumulator a line names, so that is checked below.
#include "driver/assembler.h"
#include "encode/messages.h"

namespace tobra {

namespace {

constexpr uint32_t ADDRESS_REGISTER = 8;  // bit of modreg() that tells An from Dn
constexpr int32_t ACC_EXT01 = 5;
constexpr int32_t ACC_EXT23 = 7;

} // namespace

// The second word's product fields, common to both mac formats.
uint32_t Encoder::mac_product_word(const Operand& ry, const Operand& rx, bool is_msac, Message long_message,
                                   uint32_t size) {
    uint32_t w2 = 0;
    if (size & SZ_L) {
        w2 = 0x0800;
        if (ry.half || rx.half) as.report_error(long_message);
    }
    w2 += static_cast<uint32_t>(rx.mac_shift) << 9;
    if (rx.half == 1) w2 |= 0x80;
    if (ry.half == 1) w2 |= 0x40;
    if (is_msac) w2 |= 0x100;
    return w2;
}

// The extension registers are not accumulators: their numbers 5 and 7 would
// land in the accumulator bits as ACC1 or ACC3.
bool Encoder::plain_accumulator(const Operand& acc) {
    if (acc.reg >= 0 && acc.reg <= 3) return true;
    as.report_error(msg::MAC_INVALID_ACCUMULATOR);
    return false;
}

void Encoder::h_mac(Statement& st, uint32_t op, uint32_t, bool is_msac) {
    const Operand& ry = st.operands[0];
    const Operand& rx = st.operands[1];
    const Operand& acc = st.operands[2];
    const bool has_acc = acc.cls == CLS_ACC;
    if (has_acc && as.core.has(F_EMAC) && !plain_accumulator(acc)) return;

    const uint32_t x = modreg(rx);
    uint32_t w1 = op + modreg(ry) + ((x & 7) << 9) + ((x & ADDRESS_REGISTER) ? 0x40 : 0);
    uint32_t w2 = mac_product_word(ry, rx, is_msac,
                                   is_msac ? msg::MSAC_UPPER_LOWER_NOT_APPLICABLE_ON_LONG
                                           : msg::MAC_UPPER_LOWER_NOT_APPLICABLE_ON_LONG,
                                   st.size);
    if (has_acc) {
        // On a MAC unit the accumulator is dropped, keeping the length of both passes.
        if (!as.core.has(F_EMAC)) {
            as.report_error(msg::EMAC_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR);
        } else {
            if (acc.reg & 1) w1 |= 0x80;
            if (acc.reg & 2) w2 |= 0x10;
        }
    }
    as.emit.emit_word(static_cast<int32_t>(w1));
    as.emit.emit_word(static_cast<int32_t>(w2));
}

void Encoder::h_mac_load(Statement& st, uint32_t op, uint32_t, bool is_msac) {
    const uint32_t size = st.size;
    const Operand& ry = st.operands[0];
    const Operand& rx = st.operands[1];
    const Operand& load = st.operands[2];
    const Operand& rw = st.operands[3];
    const Operand& acc = st.operands[4];
    const bool has_acc = acc.cls == CLS_ACC;
    // The load forms end at (d16,An).
    if (has_index(load)) {
        as.report_error(msg::INDEX_MODE_NOT_SUPPORTED_BY_THIS_INSTRUCTION);
        return;
    }
    if (has_acc && as.core.has(F_EMAC) && !plain_accumulator(acc)) return;

    uint32_t w2 = mac_product_word(ry, rx, is_msac,
                                   is_msac ? msg::MSACL_UPPER_LOWER_NOT_APPLICABLE_ON_LONG
                                           : msg::MACL_UPPER_LOWER_NOT_APPLICABLE_ON_LONG,
                                   st.size);
    w2 += modreg(ry) + (modreg(rx) << 12);
    if (load.mask_flag) w2 |= 0x20;

    const uint32_t w = modreg(rw);
    // Bit 0x80 of the base opcode reads as ACC0 and is cleared for ACC1/ACC3.
    uint32_t w1 = op + modreg(load) + ((w & 7) << 9) + ((w & ADDRESS_REGISTER) ? 0x40 : 0);
    if (has_acc) {
        if (!as.core.has(F_EMAC)) {
            as.report_error(msg::EMAC_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR);
        } else {
            if (acc.reg & 1) w1 &= ~0x80u;
            if (acc.reg & 2) w2 |= 0x10;
        }
    }
    as.emit.emit_word(static_cast<int32_t>(w1));
    as.emit.emit_word(static_cast<int32_t>(w2));
    ea_extension(load, size, st.size);
}

void Encoder::h_move_to_acc(Statement& st, uint32_t op, uint32_t) {
    const uint32_t size = st.size;
    const Operand& src = st.operands[0];
    const Operand& dst = st.operands[1];
    const bool from_acc = src.cls == CLS_ACC;
    if (!as.core.has(F_EMAC) && (dst.reg != 0 || from_acc)) {
        as.report_error(msg::EMAC_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR);
        return;
    }
    // Loading ACCext01/ACCext23 from a register is an instruction of its own;
    // an accumulator-to-accumulator move has room for ACC0-ACC3 only.
    if (from_acc && !(plain_accumulator(src) && plain_accumulator(dst))) return;
    as.emit.emit_word(static_cast<int32_t>(op + (static_cast<uint32_t>(dst.reg) << 9) + modreg(src)));
    ea_extension(src, size, st.size);
}

void Encoder::h_move_from_acc(Statement& st, uint32_t op, uint32_t) {
    const Operand& src = st.operands[0];
    const Operand& rx = st.operands[1];
    const bool movclr = (op & 0x40) != 0;
    const bool extension = src.reg == ACC_EXT01 || src.reg == ACC_EXT23;
    if ((!as.core.has(F_EMAC) && (src.reg != 0 || movclr)) || (movclr && extension)) {
        as.report_error(msg::EMAC_INSTRUCTION_NOT_ALLOWED_ON_THIS_PROCESSOR);
        return;
    }
    as.emit.emit_word(static_cast<int32_t>(op + (static_cast<uint32_t>(src.reg) << 9) + modreg(rx)));
}

} // namespace tobra
