// Runs one encoder handler on operands written by hand, in pass 1 or pass 2,
// and shows the words it emitted and the messages it printed.
#pragma once
#include <string>

#include "driver/assembler.h"
#include "isa/classes.h"
#include "test_util.h"

namespace tobra::test {

inline Operand dn(int n) { Operand o; o.cls = CLS_DN; o.reg = n; return o; }
inline Operand an(int n) { Operand o; o.cls = CLS_AN; o.reg = n; return o; }
inline Operand ind(int n) { Operand o; o.cls = CLS_AN_IND; o.reg = n; return o; }
inline Operand postinc(int n) { Operand o; o.cls = CLS_POSTINC; o.reg = n; return o; }
inline Operand predec(int n) { Operand o; o.cls = CLS_PREDEC; o.reg = n; return o; }
inline Operand imm(int32_t v) { Operand o; o.cls = CLS_IMM; o.value = v; return o; }
inline Operand ctl(int code) { Operand o; o.cls = CLS_CN; o.reg = code; return o; }
inline Operand reg_class(uint8_t cls) { Operand o; o.cls = cls; return o; }
inline Operand cache(int selector) { Operand o; o.cls = CLS_CPSH; o.reg = selector; return o; }
inline Operand rlist(int mask) { Operand o; o.cls = CLS_RLIST; o.reg = mask; return o; }
inline Operand pair(int w, int x) { Operand o; o.cls = CLS_DN_PAIR; o.reg = w; o.reg2 = x; return o; }
// d16(An)
inline Operand disp(int32_t d, int n) {
    Operand o; o.cls = CLS_INDEXED; o.reg = n; o.value = d; o.ext_form = 1; return o;
}
// (d8,An,Xi.size*scale); index_an selects an address register as index.
inline Operand index(int32_t d, int n, int xi, bool index_an = false, bool xlong = true, int scale = 0) {
    Operand o; o.cls = CLS_INDEXED; o.reg = n; o.value = d; o.ext_form = 2;
    o.reg2 = xi; o.index_is_an = index_an; o.size_code = xlong ? 4 : 2; o.scale = static_cast<uint8_t>(scale);
    return o;
}
// An absolute address, .w (size 2) or .l (size 4).
inline Operand abs_addr(int32_t v, int size = 4) { Operand o; o.cls = CLS_EXPR; o.value = v; o.size_code = static_cast<uint8_t>(size); return o; }
// A PC-relative operand aimed at target: ext_form 1 is d16(PC), 2 is (d8,PC,Xi).
inline Operand pcrel(int32_t target, int ext_form = 1, int xi = 0) {
    Operand o; o.cls = CLS_PC_INDEXED; o.value = target; o.ext_form = static_cast<uint8_t>(ext_form);
    if (ext_form == 2) { o.reg2 = xi; o.size_code = 4; }
    return o;
}

struct EncodeRig {
    Assembler as{nullptr};

    // Cores by their features, set directly: the core table is filled elsewhere.
    void isa_b() { as.core.isa_level = 4; as.core.has_divide = 1; }
    void full_core() { isa_b(); as.core.has_usp = 1; as.core.has_fpu = 1; as.core.has_isa_a_plus = 1; }

    explicit EncodeRig(int pass = 2) {
        as.write_files = false;
        as.options.binary_output = 1;
        as.drv.pass_number = pass;
        as.drv.current_file_name = "t.s";
        as.drv.line_number = 1;
        as.emit.open_output("t.s");
    }

    // Runs the handler as a line with these operands and suffix mask; returns
    // the emitted words (pass 2) or the byte count as "+n" (pass 1).
    std::string run(int handler, uint32_t opcode, uint32_t flags, uint32_t size_mask, const Operand& a = {},
                    const Operand& b = {}) {
        as.scan.operands[0] = a;
        as.scan.operands[1] = b;
        as.src.size_mask = size_mask;
        int32_t start = as.drv.location_counter;
        as.enc.dispatch_handler(static_cast<Handler>(handler), opcode, flags);
        if (as.drv.pass_number == 1) return "+" + std::to_string(as.drv.location_counter - start);
        as.emit.flush_section();
        std::string words = hex_words(as.emit.output_data);
        as.emit.output_data.clear();
        return words;
    }

    // Messages printed so far, cleared after reading.
    std::string messages() {
        std::string m = as.con.captured().substr(seen_);
        seen_ = as.con.captured().size();
        return m;
    }

private:
    size_t seen_ = 0;
};

} // namespace tobra::test
