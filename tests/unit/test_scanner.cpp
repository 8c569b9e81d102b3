// The operand scanner on single operands: classes, fields, messages, and the
// cursor left behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "driver/assembler.h"

namespace {

using namespace tobra;

// An assembler in pass 1 with the register names and two labels; "later" is
// never defined, so it reads as a forward reference.
struct ScanBench {
    Assembler as{nullptr};
    TextCursor cur;

    ScanBench() {
        as.fwd.alloc_fwd(FWD_DEFAULT_SIZE);
        as.sym.install_reserved();
        as.sym.install("label", 0x1234, TYPE_USER, KIND_ABSOLUTE);
        as.sym.install("big", 0x12345, TYPE_USER, KIND_ABSOLUTE);
    }
    // The text goes into the line buffer, as line processing leaves it.
    const char* place(const std::string& text) {
        std::snprintf(as.src.line_buffer, LINE_BUFFER_SIZE, "%s", text.c_str());
        cur.at = cur.begin = as.src.line_buffer;
        cur.size = SZ_L;
        return cur.at;
    }
    Operand scan(const std::string& operand, uint32_t size_mask = SZ_L) {
        place(operand + "\n");
        cur.size = size_mask;
        Operand op;
        as.scan.scan(cur, op);
        return op;
    }
    std::string rest() const { return cur.at; }
    // Messages without their location prefix.
    std::string messages() const {
        std::string out, all = as.con.captured();
        for (size_t pos = 0, nl; (nl = all.find('\n', pos)) != std::string::npos; pos = nl + 1) {
            std::string line = all.substr(pos, nl - pos);
            out += line.substr(line.find(": ") + 2) + "\n";
        }
        return out;
    }
};

const char* form_name(ExtForm f) {
    static const char* const names[] = {"none", "d16", "brief", "d16-unfit", "index-unfit"};
    return names[static_cast<int>(f)];
}

const char* size_name(AddrSize s) {
    static const char* const names[] = {"none", "b", "w", "l"};
    return names[static_cast<int>(s)];
}

// The class name and every field that differs from a fresh record.
std::string describe(const Operand& op) {
    std::string s = class_names[op.cls];
    auto field = [&](const char* name, long v, long unset = 0) {
        if (v != unset) s += std::string(" ") + name + "=" + std::to_string(v);
    };
    field("reg", op.reg);
    field("reg2", op.reg2);
    field("value", op.value);
    if (op.ext_form != ExtForm::none) s += std::string(" ext=") + form_name(op.ext_form);
    if (op.addr_size != AddrSize::none) s += std::string(" size=") + size_name(op.addr_size);
    field("scale", op.scale);
    field("an", op.index_is_an);
    field("nobase", op.no_base);
    field("half", op.half);
    field("shift", op.mac_shift);
    field("count", op.list_count, 1);
    field("fwd", op.fwd);
    field("mask", op.mask_flag);
    return s;
}

struct Case {
    const char* text;
    const char* expect;
};

TEST(Scanner, Operands) {
    const Case cases[] = {
        {"(a0)", "(An)"},
        {"(sp)+", "(An)+ reg=7"},
        {"-(a7)", "-(An) reg=7"},
        {"8(a0)", "indexed value=8 ext=d16"},
        {"(8,a0)", "indexed value=8 ext=d16"},
        {"-(8)(a2)", "indexed reg=2 value=-8 ext=d16"},
        {"40000(a0)", "indexed value=40000 ext=d16-unfit"},
        {"(8,a0,d0.l*4)", "indexed value=8 ext=brief size=l scale=2"},
        {"-128(a0,a6.L*8)", "indexed reg2=6 value=-128 ext=brief size=l scale=3 an=1"},
        {"200(a0,d0)", "indexed value=200 ext=index-unfit size=l"},
        {"(a0.l*2)", "indexed ext=index-unfit size=l scale=1 an=1 nobase=1"},
        {"(pc)", "pc-indexed ext=d16 nobase=1"},
        {"big(pc)", "pc-indexed value=74565 ext=d16-unfit"},
        {"(big,pc,d3)", "pc-indexed reg2=3 value=74565 ext=brief size=l"},
        {"label", "expr value=4660 size=l"},
        {"label.W", "expr value=4660 size=w"},
        {"(label).w", "expr value=4660 size=w"},
        {"$1234.w", "expr value=4660 size=w"},
        {"d0.l", "Dn half=2"},
        {"a1.U", "An reg=1 half=1"},
        {"d1.l<<1", "Dn reg=1 half=2 shift=1"},
        {"a2>>1", "An reg=2 shift=3"},
        {"d1:d2", "Dn:Dn reg=1 reg2=2"},
        {"d0-d3/a0-a1", "RList reg=783 reg2=1 count=4"},
        {"d3-d0", "RList reg=15 count=2"},
        {"d7/a7/d0", "RList reg=32897 count=3"},
        {"fp0/fp7", "FPList reg=129 count=2"},
        {"fpcr", "FPCn reg=4"},
        {"usp", "Cn reg=2048 value=7"},  // value: which register (OTHER_A7)
        {"vbr", "Cn reg=2049 value=8"},
        {"ccr", "CCR"},
        {"mask", "MASK"},
        {"macsr", "MACSR"},
        {"accext01", "ACC reg=5"},
        {"ic", "CPSH reg=2"},
        {"#'a'", "#imm value=97"},
        {"#(later)", "#imm fwd=1"},
        {"&", "--- mask=1"},
        // The forward flag comes from the displacement, never from a register.
        {"later(a0)", "indexed ext=d16-unfit fwd=1"},
        {"(later,a0,d0.l)", "indexed ext=index-unfit size=l fwd=1"},
        {"later(pc)", "pc-indexed ext=d16-unfit fwd=1"},
        {"(later,pc,d0)", "pc-indexed ext=brief size=l fwd=1"},
    };
    for (const auto& c : cases) {
        ScanBench b;
        Operand op = b.scan(c.text);
        EXPECT_EQ(describe(op), c.expect) << c.text;
        EXPECT_EQ(b.rest(), "\n") << c.text;
        EXPECT_EQ(b.messages(), "") << c.text;
    }
}

TEST(Scanner, WhatFollowsAnOperandIsLeft) {
    ScanBench b;
    EXPECT_EQ(describe(b.scan("(a0) comment")), "(An)");
    EXPECT_EQ(b.rest(), " comment\n");
    // After a dot and another letter the size follows the value: word when it
    // fits, long when not, byte under -f.
    EXPECT_EQ(describe(b.scan("label.x")), "expr value=4660 size=w");
    EXPECT_EQ(b.rest(), "\n");
    EXPECT_EQ(b.scan("big.x").addr_size, AddrSize::longword);
    EXPECT_EQ(b.scan("later.x").addr_size, AddrSize::longword);
    b.as.options.forward_branch_size = 1;
    EXPECT_EQ(b.scan("label.x").addr_size, AddrSize::byte);
}

TEST(Scanner, PcDisplacementIsMeasuredFromTheLocation) {
    ScanBench b;
    b.as.drv.location_counter = 0x12000;
    EXPECT_EQ(b.scan("big(pc)").ext_form, ExtForm::d16);
    b.as.drv.location_counter = 0;
    EXPECT_EQ(b.scan("big(pc)").ext_form, ExtForm::d16_unfit);
}

TEST(Scanner, StringsAndDoubles) {
    ScanBench b;
    Operand op = b.scan("'a'");
    EXPECT_EQ(op.cls, CLS_STRING);
    EXPECT_EQ(b.as.ev.string_at(op.value), "a");
    op = b.scan("#1.5", SZ_D);
    EXPECT_EQ(describe(op), "#imm value=1073217536");
    // Only immediates are floating-point data; a displacement stays a number.
    EXPECT_EQ(describe(b.scan("12(a2)", SZ_S)), "indexed reg=2 value=12 ext=d16");
}

TEST(Scanner, EveryMessage) {
    const Case cases[] = {
        {"#d0", "---|scan: expected expression\n"},
        {"(a0]", "---|scan: expected ')'\n"},
        {"(label;", "---|scan: expression syntax\n"},
        {"(d0)", "---|scan: expression syntax\n"},
        {"pc", "---|scan: expression syntax\n"},
        {" d0", "---|scan: expression syntax\n"},
        {"(pc;d0)", "pc-indexed|scan: expected ,\n"},
        {"8(d0)", "---|scan: bad indexed addressing syntax\n"},
        {"(a0,8)", "---|scan: index register\n"},
        {"(a0,d0.w)", "indexed|scan: illegal size for index\n"},
        {"(a0,d0", "indexed|scan: expected )\n"},
        {"(8,a0,d0*3)", "indexed|scan: expected )\n"},
        {"d0.w", "Dn|scan: upper or lower required\n"},
        {"d1<<2", "Dn|scan: shift value out of range\n"},
        {"d1>1", "Dn|scan: shift value out of range\n"},
        {"fpcr/fpsr", "FPClist|scan: register list invalid\n"},
        {"d0-fp3", "RList|scan: register list invalid\n"},
        {"fp0/d1", "FPList|scan: register list invalid\n"},
    };
    for (const auto& c : cases) {
        ScanBench b;
        Operand op = b.scan(c.text);
        EXPECT_EQ(class_names[op.cls] + std::string("|") + b.messages(), c.expect) << c.text;
    }
    // A stray index suffix takes the default size, byte under -f, which is no
    // ColdFire index size either.
    ScanBench f;
    f.as.options.forward_branch_size = 1;
    EXPECT_EQ(f.scan("(a0,d0.x)").addr_size, AddrSize::byte);
    EXPECT_EQ(f.messages(), "scan: illegal size for index\n");
}

// Cut every operand form at every length: the cursor must stay inside the
// text, whether it ends with a newline or with the terminating NUL.
TEST(Scanner, CursorNeverPassesTheEnd) {
    const char* forms[] = {"-(a0)", "(8,a0,d0.l*4)", "(pc,d0*2)", "d0-d3/a0-a1", "d1.l<<1", "#(label)",
                           "(label).w", "-(4)(a1)", "'ab'", "d1:d2", "(a0.l*8)", "a1>>1"};
    for (const char* form : forms) {
        std::string full = form;
        for (size_t len = 0; len <= full.size(); ++len) {
            for (const char* end : {"", "\n"}) {
                ScanBench b;
                std::string text = full.substr(0, len) + end;
                const char* start = b.place(text);
                Operand op;
                b.as.scan.scan(b.cur, op);
                EXPECT_LE(b.cur.at, start + text.size()) << text;
            }
        }
    }
}

TEST(Scanner, RegisterBits) {
    EXPECT_EQ(OperandScanner::regbit(CLS_DN, 7), 0x80);
    EXPECT_EQ(OperandScanner::regbit(CLS_AN, 7), 0x8000);
    EXPECT_EQ(OperandScanner::regbit(CLS_FPN, 0), 0x80);
    EXPECT_EQ(OperandScanner::regbit(CLS_FPCN, 2), 2);
    EXPECT_EQ(OperandScanner::regbit(CLS_DN, 40), 0);  // never a shift past the word
}

TEST(Scanner, RangesSetTheBitsOfEveryRegisterInThem) {
    // Every range of each register kind, in both directions, against regbit
    // of each register it covers.
    const struct {
        const char* prefix;
        int cls;
    } kinds[] = {{"d", CLS_DN}, {"a", CLS_AN}, {"fp", CLS_FPN}};
    for (const auto& k : kinds)
        for (int from = 0; from < 8; ++from)
            for (int to = 0; to < 8; ++to) {
                ScanBench b;
                const std::string text = k.prefix + std::to_string(from) + "-" + k.prefix + std::to_string(to);
                Operand op = b.scan(text);
                int32_t expected = 0;
                for (int n = std::min(from, to); n <= std::max(from, to); ++n)
                    expected |= OperandScanner::regbit(k.cls, n);
                EXPECT_EQ(op.reg, expected) << text;
                EXPECT_EQ(b.messages(), "") << text;
            }
}

} // namespace
