// Whole lines through the scanner and the integer encoders: source text in,
// words or messages out.
#include <gtest/gtest.h>

#include "test_util.h"

using tobra::test::assemble;
using tobra::test::hex_words;

namespace {

struct Line {
    const char* core;    // -c option, "" for the default 5206
    const char* source;  // one or more lines
    const char* words;
};

void check_words(const std::vector<Line>& lines) {
    for (const Line& l : lines) {
        std::vector<std::string> args{"-b"};
        if (l.core[0]) args.push_back(std::string("-c") + l.core);
        auto r = assemble(std::string(l.source) + "\n", args);
        EXPECT_EQ(r.out, "Assembly successful.\n") << l.source;
        EXPECT_EQ(hex_words(r.bytes), l.words) << l.source;
    }
}

// The located messages of a source with errors (pass 1 only).
std::string messages_of(const std::string& source, const char* core = "") {
    std::vector<std::string> args{"-b"};
    if (core[0]) args.push_back(std::string("-c") + core);
    return assemble(source, args).out;
}

} // namespace

TEST(EncodeSource, Lines) {
    check_words({
        {"", " move.l d0,(a0)", "2080"},
        {"", " move #1,d0", "303c 0001"},
        {"", " opt optimise=nomoveq\n move.l #1,d0", "203c 0000 0001"},
        {"", " move.l #127,d1\n move.l #128,d1", "727f 223c 0000 0080"},
        {"", " and #1,d0", "c0bc 0000 0001"},
        {"", " addi.l #8,d2\n subi.l #9,d2", "5082 0482 0000 0009"},
        {"", " sub.l #4,a0\n opt optimise=noaddq\n sub.l #4,a0", "5988 91fc 0000 0004"},
        {"", " lea $1234,a1\n lea 0,a1", "43f8 1234 93c9"},
        {"", " lea label(pc),a0\n nop\n nop\nlabel: nop", "41fa 0006 4e71 4e71 4e71"},
        {"", " jmp (next,pc,d0.l)\nnext: nop", "4efb 0802 4e71"},
        {"", " move.l (4,a0,d1.l*4),d2", "2430 1c04"},
        {"", " move.l -(a1),8(a2)", "2561 0008"},
        {"", " move.l $1234.w,d0\n move.l $12345678,d0", "2038 1234 2039 1234 5678"},
        {"", " movem.l d0-d1/a0,(a7)\n movem.l 8(a0),d0/a6", "48d7 0103 4ce8 4001 0008"},
        {"", " push d0\n push d0-d1/a0\n pull d0-d1/a0", "2f00 4fef fff4 48d7 0103 4cd7 0103 4fef 000c"},
        {"", " movec d0,vbr\n movec a1,cacr", "4e7b 0801 4e7b 9002"},
        {"5206e", " rems.l d0,d1:d2\n divs.l (a0),d3", "4c40 2801 4c50 3803"},
        {"5206e", " divu.w #5,d1", "82fc 0005"},
        {"5407", " mov3q #-1,4(a1)\n mvz.b #5,d1", "a169 0004 73bc 0005"},
        {"5407", " cmp.b (a0),d1\n cmpi.w #5,d0", "b210 0c40 0005"},
        {"5407", " move.b #1,8(a0)", "117c 0001 0008"},
        {"5485", " move.l usp,a0\n move.l a1,usp", "4e68 4e61"},
        {"5282", " bitrev d0\n strldsr #$2700", "00c0 40e7 46fc 2700"},
        {"", " tpf #5\n tpf.l #1\n tpf", "51fa 0005 51fb 0000 0001 51fc"},
        {"", " pulse\n wddata.l (a0)", "4acc fb90"},
        {"", " move.w #$2700,sr\n move.w sr,d1\n move.w d0,ccr", "46fc 2700 40c1 44c0"},
        {"", " btst #1,4(a1)\n bset d1,(a0)", "0829 0001 0004 03d0"},
        {"", " link a6,#-8\n unlk a6\n rts", "4e56 fff8 4e5e 4e75"},
        {"", " muls.l 8(a2),d7", "4c2a 7807 0008"},
        {"", " move.l count(a5),d0\n move.l (idx,a0,d0.l),d1\ncount equ 12\nidx equ -4", "202d 000c 2230 08fc"},
    });
}

TEST(EncodeSource, RefusedAndRestricted) {
    EXPECT_EQ(messages_of(" move.l #1,8(a0)\n move.b #1,8(a0)\n", "5407"),
              "t.s,1: move: mode not supported\n1 error(s) found\n");
    EXPECT_EQ(messages_of(" move.b #1,8(a0)\n"), "t.s,1: move: mode not supported\n1 error(s) found\n");
    EXPECT_EQ(messages_of(" mov3q #1,d0\n bitrev d0\n"),
              "t.s,1: core: instruction not allowed on this processor.\n"
              "t.s,2: code: instruction not allowed on this processor.\n2 error(s) found\n");
    EXPECT_EQ(messages_of(" btst #1,(4,a0,d0.l)\n move.w sr,(a0)\n move.b a0,d0\n tst.b a0\n"),
              "t.s,1: index: mode not supported by this instruction\n"
              "t.s,2: move: mode not supported\n"
              "t.s,3: ea: byte size not allowed on address register\n"
              "t.s,4: ea: byte size not allowed on address register\n4 error(s) found\n");
    EXPECT_EQ(messages_of(" lea (a0,d0.l*8),a1\n", "5407"),
              "t.s,1: index: scale 8 not supported on this processor.\n1 error(s) found\n");
    EXPECT_EQ(messages_of(" move.l vbr,a0\n", "5485"), "t.s,1: move: mode not supported\n1 error(s) found\n");
    EXPECT_EQ(messages_of(" add.l #10,(a0)\n"), "t.s,1: add: this mode is not supported\n\n1 error(s) found\n");
}

TEST(EncodeSource, RangeWarningsAndErrors) {
    // moveq #200 holds the bits of -56: a warning. trap #16 cannot be held.
    auto r = assemble(" moveq #200,d0\n trap #15\n");
    EXPECT_EQ(r.out,
              "t.s,1: warning --- 200 value not in range: [-128,127]\n"
              "Assembly successful.\n");
    EXPECT_EQ(hex_words(r.bytes), "70c8 4e4f");
    r = assemble(" trap #16\n moveq #200,d0\n");
    EXPECT_EQ(r.out,
              "t.s,1: 16 value not in range: [0,15]\n"
              "t.s,2: warning --- 200 value not in range: [-128,127]\n"
              "1 error(s) found\n");
    EXPECT_EQ(r.exit_code, 1);
}

TEST(EncodeSource, DisplacementInADataSectionIsNotBaseRelative) {
    auto r = assemble(" move.l table(a5),d0\n section data\ntable: dc.l 0\n");
    EXPECT_EQ(r.out, "t.s,1: index: offset must be in basedata or basebss section\n1 error(s) found\n");
}
