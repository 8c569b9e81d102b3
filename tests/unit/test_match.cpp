// Variant matching over whole operand fields, the class sets and the -x2 trace.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "driver/assembler.h"

namespace {

using namespace tobra;

struct MatchBench {
    Assembler as{nullptr};

    MatchBench() {
        as.fwd.alloc_fwd(FWD_DEFAULT_SIZE);
        as.sym.install_reserved();
    }
    // Index of the chosen variant within the mnemonic's variants, -1 for none.
    int match(const char* mnemonic, uint32_t size_mask, const std::string& operands) {
        const MnemonicEntry* e = find_mnemonic(mnemonic);
        std::snprintf(as.src.line_buffer, LINE_BUFFER_SIZE, "%s\n", operands.c_str());
        as.src.operand_text = as.src.line_buffer;
        as.src.size_mask = size_mask;
        const Variant* v = as.scan.match(e->variants, e->variant_count);
        return v ? static_cast<int>(v - e->variants) : -1;
    }
    const Operand& op(int i) const { return as.scan.operands[i]; }
    std::string out() const { return as.con.captured(); }
};

TEST(Match, FirstFittingVariantWins) {
    const struct {
        const char* mnemonic;
        uint32_t size_mask;
        const char* operands;
        int variant;  // -1: none fits
    } cases[] = {
        {"add", SZ_L, "#1,d0", 0},  // AnyEA,Dn comes before #imm,Alterable
        {"add", SZ_L, "#1,(a0)", 3},
        {"add", SZ_W, "d0,d1", -1},
        {"move", SZ_L, "d0,d1", 2},
        {"move", SZ_L, "d0, d1", 2},  // one blank after the comma belongs to it
        {"move", SZ_U, "d0,(a1)+", 0},
        {"move", SZ_L, "usp,a0", 11},
        {"move", SZ_L, "a0,usp", 12},
        {"move", SZ_L, "d0,usp", -1},
        {"move", SZ_L, "acc0,d0", 13},  // an accumulator is no AnyEA
        {"move", SZ_L, "macsr,ccr", 5},
        {"movec", SZ_U, "d0,vbr", 0},
        {"movem", SZ_L, "d0-d3/a0-a1,(a7)", 2},
        {"tst", SZ_L, "d0,d1", -1},
        {"jmp", SZ_U, "(a0)+", -1},
        {"rems", SZ_L, "(a0),d1:d2", 1},
        {"cpushl", SZ_U, "bc,(a2)", 1},
        {"mac", SZ_W, "d0.u,d1.l<<1,(a0),d2,acc1", 3},
        {"nop", SZ_U, "anything at all", 0},
        {"tpf", SZ_U, "text", 0},
        {"tpf", SZ_U, "#5", 1},  // the immediate is not swallowed by the bare form
        {"dc", SZ_L, "1,2,'ab'", 0},
        {"dc", 0, "1", -1},  // a suffix letter without meaning
    };
    for (const auto& c : cases) {
        MatchBench b;
        EXPECT_EQ(b.match(c.mnemonic, c.size_mask, c.operands), c.variant) << c.mnemonic << " " << c.operands;
    }
}

TEST(Match, MessagesOfTheOperandField) {
    MatchBench b;
    // A bare form reads nothing; an empty field is no operand, not a syntax error.
    EXPECT_EQ(b.match("nop", SZ_U, "d0,d1"), 0);
    EXPECT_EQ(std::string(b.as.src.operand_text), "d0,d1\n");
    EXPECT_EQ(b.match("nop", SZ_L, ""), -1);
    EXPECT_EQ(b.match("clr", SZ_L, ""), -1);
    EXPECT_EQ(b.out(), "");
    EXPECT_EQ(b.match("move", SZ_L, "d0,  d1"), -1);
    EXPECT_EQ(b.out(), ",0: scan: expression syntax\n");
}

TEST(Match, OperandsAreLeftForTheHandler) {
    MatchBench b;
    ASSERT_EQ(b.match("mac", SZ_W, "d0.u,d1.l,(a0)+&,d2"), 2);
    EXPECT_EQ(b.op(0).half, 1);
    EXPECT_EQ(b.op(2).cls, CLS_POSTINC);
    EXPECT_EQ(b.op(2).mask_flag, 1);
    EXPECT_EQ(b.op(3).reg, 2);
    EXPECT_EQ(b.as.scan.operand_count, 4);

    ASSERT_EQ(b.match("movec", SZ_L, "a1,pcr3l1"), 0);
    EXPECT_EQ(b.op(1).reg, 0xD0F);
    // Nothing of the longer line before is left in the records.
    EXPECT_EQ(b.op(2).cls, CLS_NONE);
    EXPECT_EQ(b.op(2).mask_flag, 0);
}

// Every field of a record, so a stale value anywhere shows.
std::string fields(const Operand& o) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d", o.reg, o.reg2,
                  o.value, o.value2, o.cls, o.ext_form, o.index_is_an, o.no_base, o.size_code, o.scale, o.fwd,
                  o.half, o.mac_shift, o.mask_flag, o.reloc_kind, o.sym_slot, o.list_count, o.is_abs,
                  o.sym_section);
    return buf;
}

TEST(Match, RecordsPastTheOperandsAreBlank) {
    const std::string blank = fields(Operand{});
    const struct {
        const char* mnemonic;
        uint32_t size_mask;
        const char* operands;
        int scanned;
    } cases[] = {
        {"move", SZ_L, "d0,d1", 2},
        {"tst", SZ_L, "(8,a0,d1.l*4)", 1},
        {"nop", SZ_L, "", 0},  // an empty field leaves all five blank
        {"move", SZ_L, "d0,", 2},
        {"move", SZ_L, "d0,d1,(a0)", 3},  // too many for move: scanned all the same
        {"move", SZ_L, "d0,d1,d2,(4,a3)", 4},
        {"mac", SZ_W, "d0.u,d1.l<<1,(a0)+&,d2,acc1", 5},
    };
    for (const auto& c : cases) {
        MatchBench b;
        // A long line first fills every record with something.
        b.match("mac", SZ_W, "d7.l,a6.u>>1,-(a5)&,a4,acc3");
        b.match("move", SZ_L, "#12345678,(-3000,a2,a3.w*8)");
        b.match(c.mnemonic, c.size_mask, c.operands);
        EXPECT_EQ(b.as.scan.operand_count, c.scanned) << c.operands;
        for (int i = c.scanned; i < MAX_INSTRUCTION_OPERANDS; ++i)
            EXPECT_EQ(fields(b.op(i)), blank) << c.operands << " " << i;
        // A scanned record holds only what its own text gave it.
        MatchBench fresh;
        fresh.match(c.mnemonic, c.size_mask, c.operands);
        for (int i = 0; i < c.scanned; ++i) EXPECT_EQ(fields(b.op(i)), fields(fresh.op(i))) << c.operands << " " << i;
    }
}

TEST(Match, ExpressionLists) {
    MatchBench b;
    ASSERT_EQ(b.match("dc", SZ_L, "1,2,\t'ab'"), 0);
    EXPECT_EQ(b.as.scan.operand_count, 3);
    EXPECT_EQ(b.op(1).value, 2);
    EXPECT_EQ(b.as.ev.string_at(b.op(2).value), "ab");
    EXPECT_EQ(b.op(3).cls, CLS_NONE);
    ASSERT_EQ(b.match("dc", SZ_D, "1.5"), 0);
    EXPECT_EQ(static_cast<uint32_t>(b.op(0).value), 0x3FF80000u);
    EXPECT_EQ(b.out(), "");

    // An item that is not an expression ends the list before it.
    ASSERT_EQ(b.match("dc", SZ_W, "1,#2,3"), 0);
    EXPECT_EQ(b.as.scan.operand_count, 1);
    EXPECT_EQ(b.op(1).cls, CLS_NONE);
    EXPECT_EQ(b.out(), ",0: scan: expected expression\n");

    // 32 items fill the records; a 33rd is left for the next read of the list.
    std::string items = "1";
    for (int i = 2; i <= 32; ++i) items += "," + std::to_string(i);
    MatchBench full;
    ASSERT_EQ(full.match("dc", SZ_B, items + " ; comment"), 0);
    EXPECT_EQ(full.as.scan.operand_count, 32);
    EXPECT_EQ(full.op(32).cls, CLS_NONE);
    EXPECT_EQ(full.out(), "");
    EXPECT_FALSE(full.as.scan.list_continues);
    ASSERT_EQ(full.match("dc", SZ_B, items + ",33"), 0);
    EXPECT_EQ(full.out(), "");
    EXPECT_TRUE(full.as.scan.list_continues);
    full.as.scan.scan_exprlist_more();
    EXPECT_EQ(full.as.scan.operand_count, 1);
    EXPECT_EQ(full.op(0).value, 33);
    EXPECT_FALSE(full.as.scan.list_continues);
}

TEST(Match, TraceLine) {
    MatchBench b;
    b.as.options.debug_flags = DBG_MATCH;
    b.match("move", SZ_L, "d0,(a1)");
    b.match("dc", SZ_L, "1");  // the list path prints no trace
    b.match("mac", SZ_L, "a1,d2.u<<1,-(a0)&,a3,acc3");
    EXPECT_EQ(b.out(), "Match: Dn (An) --- --- ---\nMatch: An Dn -(An) An ACC\n");
}

TEST(Match, ClassSets) {
    const struct {
        int signature, operand;
        bool fits;
    } cases[] = {
        {CLS_NONE, CLS_NONE, true},   {CLS_NONE, CLS_DN, false},        {CLS_DN, CLS_AN, false},
        {CLS_RN, CLS_AN, true},       {CLS_RN, CLS_NONE, false},        {CLS_ANY_EA, CLS_IMM, true},
        {CLS_ANY_EA, CLS_ACC, false}, {CLS_ACC, CLS_ACC, true},         {CLS_CTL_ALT, CLS_POSTINC, false},
        {CLS_34, CLS_IMM, false},     {CLS_34, CLS_PC_INDEXED, true},   {CLS_DN_CN_MASK, CLS_CN, true},
        {CLS_EXPR_LIST, CLS_EXPR, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OperandScanner::class_match(c.signature, c.operand), c.fits) << c.signature << "," << c.operand;
}

TEST(Match, ClassSetsAgreeWithTheMemberLists) {
    // The accept table against the rule it is built from: a plain class fits
    // itself only; a composite class fits the scanner classes in its set.
    for (int s = 0; s < CLS_COUNT; ++s)
        for (int k = 0; k < 256; ++k) {
            const bool expected = (s < CLS_RN || k >= CLS_ACC)
                                      ? s == k
                                      : ((uint64_t{class_sets[static_cast<std::size_t>(s)]} >> k) & 1) != 0;
            ASSERT_EQ(OperandScanner::class_match(s, k), expected) << s << "," << k;
        }
}

} // namespace
