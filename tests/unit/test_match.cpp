// Variant matching over whole operand fields: the records it leaves, its
// messages and the -x2 trace.
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
    // Whether a variant of the mnemonic fits; which one is told by the bytes
    // the line encodes to (tests/e2e/cases/variant_choice.case).
    bool match(const char* mnemonic, uint32_t size_mask, const std::string& operands) {
        const MnemonicEntry* e = find_mnemonic(mnemonic);
        std::snprintf(as.src.line_buffer, LINE_BUFFER_SIZE, "%s\n", operands.c_str());
        as.src.statement.operand_start = as.src.line_buffer;
        as.src.statement.cursor.at = as.src.line_buffer;
        as.src.statement.line = as.src.line_buffer;
        as.src.statement.size = size_mask;
        return as.scan.match(as.src.statement, e->variants, e->variant_count) != nullptr;
    }
    const Operand& op(int i) const { return as.src.statement.operands[i]; }
    // A whole source line through the parser and matching, as line processing
    // does it before the handler runs.
    const Statement& line(const std::string& text) {
        as.src.set_line(text);
        EXPECT_TRUE(as.src.parse_line()) << text;
        Statement& st = as.src.statement;
        st.size = suffix_mask(st.suffix);
        const MnemonicEntry* e = find_mnemonic(st.mnemonic);
        EXPECT_NE(e, nullptr) << text;
        if (e) {
            EXPECT_NE(as.scan.match(st, e->variants, e->variant_count), nullptr) << text;
        }
        return st;
    }
    std::string field(int i) const {
        const Statement& st = as.src.statement;
        const OperandSpan s = st.span(i);
        return std::string(st.line + s.begin, s.end - s.begin);
    }
    std::string out() const { return as.con.captured(); }
};

TEST(Match, MessagesOfTheOperandField) {
    MatchBench b;
    // A bare form reads nothing; an empty field is no operand, not a syntax error.
    EXPECT_TRUE(b.match("nop", SZ_U, "d0,d1"));
    EXPECT_EQ(std::string(b.as.src.statement.cursor.at), "d0,d1\n");
    EXPECT_FALSE(b.match("nop", SZ_L, ""));
    EXPECT_FALSE(b.match("clr", SZ_L, ""));
    EXPECT_EQ(b.out(), "");
    EXPECT_FALSE(b.match("move", SZ_L, "d0,  d1"));
    EXPECT_EQ(b.out(), ",0: scan: expression syntax\n");
}

TEST(Match, OperandsAreLeftForTheHandler) {
    MatchBench b;
    ASSERT_TRUE(b.match("mac", SZ_W, "d0.u,d1.l,(a0)+&,d2"));
    EXPECT_EQ(b.op(0).half, 1);
    EXPECT_EQ(b.op(2).cls, CLS_POSTINC);
    EXPECT_EQ(b.op(2).mask_flag, 1);
    EXPECT_EQ(b.op(3).reg, 2);
    EXPECT_EQ(b.as.src.statement.operand_count, 4);

    ASSERT_TRUE(b.match("movec", SZ_L, "a1,pcr3l1"));
    EXPECT_EQ(b.op(1).reg, 0xD0F);
    // Nothing of the longer line before is left in the records.
    EXPECT_EQ(b.op(2).cls, CLS_NONE);
    EXPECT_EQ(b.op(2).mask_flag, 0);
}

// Every field of a record, so a stale value anywhere shows.
std::string fields(const Operand& o) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d %d", o.reg, o.reg2,
                  o.value, o.value2, o.cls, static_cast<int>(o.ext_form), o.index_is_an, o.no_base,
                  static_cast<int>(o.addr_size), o.scale, o.fwd,
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
        EXPECT_EQ(b.as.src.statement.operand_count, c.scanned) << c.operands;
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
    ASSERT_TRUE(b.match("dc", SZ_L, "1,2,\t'ab'"));
    EXPECT_EQ(b.as.src.statement.operand_count, 3);
    EXPECT_EQ(b.op(1).value, 2);
    EXPECT_EQ(b.as.ev.string_at(b.op(2).value), "ab");
    EXPECT_EQ(b.op(3).cls, CLS_NONE);
    ASSERT_TRUE(b.match("dc", SZ_D, "1.5"));
    EXPECT_EQ(static_cast<uint32_t>(b.op(0).value), 0x3FF80000u);
    EXPECT_EQ(b.out(), "");

    // An item that is not an expression ends the list before it.
    ASSERT_TRUE(b.match("dc", SZ_W, "1,#2,3"));
    EXPECT_EQ(b.as.src.statement.operand_count, 1);
    EXPECT_EQ(b.op(1).cls, CLS_NONE);
    EXPECT_EQ(b.out(), ",0: scan: expected expression\n");

    // 32 items fill the records; a 33rd is left for the next read of the list.
    std::string items = "1";
    for (int i = 2; i <= 32; ++i) items += "," + std::to_string(i);
    MatchBench full;
    ASSERT_TRUE(full.match("dc", SZ_B, items + " ; comment"));
    EXPECT_EQ(full.as.src.statement.operand_count, 32);
    EXPECT_EQ(full.op(32).cls, CLS_NONE);
    EXPECT_EQ(full.out(), "");
    EXPECT_FALSE(full.as.scan.list_continues);
    ASSERT_TRUE(full.match("dc", SZ_B, items + ",33"));
    EXPECT_EQ(full.out(), "");
    EXPECT_TRUE(full.as.scan.list_continues);
    full.as.scan.scan_exprlist_more(full.as.src.statement);
    EXPECT_EQ(full.as.src.statement.operand_count, 1);
    EXPECT_EQ(full.op(0).value, 33);
    EXPECT_FALSE(full.as.scan.list_continues);
}

// The statement of a line: its fields, its size as written, and the columns
// of each operand, which leave out the separators, a MAC mask's & and the
// comment.
TEST(Match, StatementOfALine) {
    MatchBench b;
    const Statement& st = b.line("Loop: move.l  d0, (8,a1,d2.l*4) ; c");
    EXPECT_EQ(st.label, "Loop");
    EXPECT_EQ(st.mnemonic, "move");
    EXPECT_EQ(st.size, SZ_L);
    EXPECT_EQ(st.operand_count, 2);
    EXPECT_EQ(st.span(0).begin, 14u);
    EXPECT_EQ(b.field(0), "d0");
    EXPECT_EQ(st.span(1).begin, 18u);
    EXPECT_EQ(b.field(1), "(8,a1,d2.l*4)");

    b.line("\tmac.w d0.u,d1.l<<1,(a0)+&,d2");
    EXPECT_EQ(st.label, "");
    EXPECT_EQ(st.size, SZ_W);
    EXPECT_EQ(st.operand_count, 4);
    EXPECT_EQ(b.field(0), "d0.u");
    EXPECT_EQ(b.field(1), "d1.l<<1");
    EXPECT_EQ(b.field(2), "(a0)+");
    EXPECT_EQ(b.field(3), "d2");
    EXPECT_EQ(st.span(3).begin, 27u);

    b.line(" rts");
    EXPECT_EQ(st.size, SZ_U);
    EXPECT_EQ(b.out(), "");
}

// The columns are found again from the text: a comma or blank inside
// parentheses or quotes does not end an operand.
TEST(Match, SpansOfQuotedAndParenthesisedOperands) {
    MatchBench b;
    b.line(" move.b #',',(2,a0,d1.w*2)");
    EXPECT_EQ(b.field(0), "#','");
    EXPECT_EQ(b.field(1), "(2,a0,d1.w*2)");
    b.line(" move.b #'''',d1 ; it's");
    EXPECT_EQ(b.field(0), "#''''");
    EXPECT_EQ(b.field(1), "d1");
    b.line(" cmp.l #\"a,b\",d2");
    EXPECT_EQ(b.field(0), "#\"a,b\"");
    EXPECT_EQ(b.field(1), "d2");
}

// An expression list writes past the five instruction records' usual
// count: the instruction lines after it still find theirs blank.
TEST(Match, RecordsAfterAnExpressionListAreBlank) {
    MatchBench b;
    const std::string blank = fields(Operand{});
    b.line(" move.l d0,d1");
    b.line(" dc.l 1,2,3,4,5,6");
    b.line(" nop");
    b.line(" tst.l d0");
    for (int i = 1; i < MAX_INSTRUCTION_OPERANDS; ++i) EXPECT_EQ(fields(b.op(i)), blank) << i;
}

// Two assemblers alive at once keep their lines apart: nothing of a line
// lives outside its own assembler.
TEST(Match, AssemblersKeepTheirOwnLines) {
    MatchBench a, b;
    a.as.src.set_line(" add.l #5,d3");
    b.as.src.set_line("X cmp.w (a2)+,d7");
    ASSERT_TRUE(a.as.src.parse_line());
    ASSERT_TRUE(b.as.src.parse_line());
    for (MatchBench* m : {&b, &a}) {
        Statement& st = m->as.src.statement;
        st.size = suffix_mask(st.suffix);
        const MnemonicEntry* e = find_mnemonic(st.mnemonic);
        ASSERT_NE(e, nullptr);
        ASSERT_NE(m->as.scan.match(st, e->variants, e->variant_count), nullptr);
    }
    EXPECT_EQ(a.as.src.statement.size, SZ_L);
    EXPECT_EQ(a.op(0).cls, CLS_IMM);
    EXPECT_EQ(a.op(0).value, 5);
    EXPECT_EQ(a.field(1), "d3");
    EXPECT_EQ(b.as.src.statement.label, "X");
    EXPECT_EQ(b.as.src.statement.size, SZ_W);
    EXPECT_EQ(b.op(0).cls, CLS_POSTINC);
    EXPECT_EQ(b.field(0), "(a2)+");
}

TEST(Match, TraceLine) {
    MatchBench b;
    b.as.options.debug_flags = DBG_MATCH;
    b.match("move", SZ_L, "d0,(a1)");
    b.match("dc", SZ_L, "1");  // the list path prints no trace
    b.match("mac", SZ_L, "a1,d2.u<<1,-(a0)&,a3,acc3");
    EXPECT_EQ(b.out(), "Match: Dn (An) --- --- ---\nMatch: An Dn -(An) An ACC\n");
}

} // namespace
